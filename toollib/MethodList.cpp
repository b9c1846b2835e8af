#include "MethodList.h"

#include "Format.h"
#include "VersionControl.h"

XEL_UNIT_VERSION("$Header: /toollib/MethodList.cpp 1 10.12.26 6:45 XG $")

namespace xel {

TMethodList::TEntry& TMethodList::At(int index) {
  if (index < 0 || index >= Count()) throw EListError(Format(SConst::ListIndexError, {index}));
  return FItems[static_cast<size_t>(index)];
}

const TMethodList::TEntry& TMethodList::At(int index) const { return const_cast<TMethodList*>(this)->At(index); }

void TMethodList::AddEx(TMethod method, Integer param) { FItems.push_back({method, param}); }

int TMethodList::IndexOf(TMethod method) const {
  for (size_t i = 0; i < FItems.size(); ++i)
    if (FItems[i].Method == method) return static_cast<int>(i);
  return -1;
}

int TMethodList::Remove(TMethod method) {
  Integer ignored;
  return RemoveEx(method, ignored);
}

int TMethodList::RemoveEx(TMethod method, Integer& param) {
  int index = IndexOf(method);
  if (index >= 0) {
    param = FItems[static_cast<size_t>(index)].Param;
    FItems.erase(FItems.begin() + index);
  }
  return index;
}

void TMethodList::Delete(int index) {
  At(index);
  FItems.erase(FItems.begin() + index);
}

void TMethodList::ForEach(const std::function<void(TMethod, Integer)>& proc, Integer param) const {
  size_t count = FItems.size();
  for (size_t i = 0; i < count && i < FItems.size(); ++i) {
    TMethod m = FItems[i].Method;
    if (m.Code) proc(m, param);
  }
}

}  // namespace xel
