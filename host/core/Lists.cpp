#include "Lists.h"

#include <algorithm>

#include "Format.h"

namespace xel {

TList::~TList() { Clear(); }

void TList::Error(const char* msg, Int64 data) { throw EListError(Format(msg, {data})); }

void TList::CheckIndex(int index) const {
  if (index < 0 || index >= Count()) Error(SConst::ListIndexError, index);
}

void TList::Notify(void*, TListNotification) {}

int TList::Add(void* item) {
  int result = Count();
  if (result == FCapacity) Expand();
  FList.push_back(item);
  if (item) Notify(item, lnAdded);
  return result;
}

void TList::Insert(int index, void* item) {
  if (index < 0 || index > Count()) Error(SConst::ListIndexError, index);
  if (Count() == FCapacity) Expand();
  FList.insert(FList.begin() + index, item);
  if (item) Notify(item, lnAdded);
}

void TList::Delete(int index) {
  CheckIndex(index);
  void* item = FList[static_cast<size_t>(index)];
  FList.erase(FList.begin() + index);
  if (item) Notify(item, lnDeleted);
}

int TList::Remove(void* item) {
  int index = IndexOf(item);
  if (index >= 0) Delete(index);
  return index;
}

void* TList::Extract(void* item) {
  int index = IndexOf(item);
  if (index < 0) return nullptr;
  FList.erase(FList.begin() + index);
  Notify(item, lnExtracted);
  return item;
}

int TList::IndexOf(const void* item) const {
  auto it = std::find(FList.begin(), FList.end(), item);
  return it == FList.end() ? -1 : static_cast<int>(it - FList.begin());
}

void TList::Exchange(int index1, int index2) {
  CheckIndex(index1);
  CheckIndex(index2);
  std::swap(FList[static_cast<size_t>(index1)], FList[static_cast<size_t>(index2)]);
}

void TList::Move(int curIndex, int newIndex) {
  if (curIndex == newIndex) return;
  CheckIndex(newIndex);
  void* item = Get(curIndex);
  FList.erase(FList.begin() + curIndex);
  FList.insert(FList.begin() + newIndex, item);
}

void TList::Sort(TListSortCompare compare) {
  if (!compare) return;
  std::sort(FList.begin(), FList.end(), [compare](void* a, void* b) { return compare(a, b) < 0; });
}

void TList::Pack() { std::erase(FList, nullptr); }

void TList::Clear() {
  while (!FList.empty()) Delete(Count() - 1);
  FCapacity = 0;
  FList.shrink_to_fit();
}

void* TList::Get(int index) const {
  CheckIndex(index);
  return FList[static_cast<size_t>(index)];
}

void TList::Put(int index, void* item) {
  CheckIndex(index);
  void* old = FList[static_cast<size_t>(index)];
  FList[static_cast<size_t>(index)] = item;
  if (old) Notify(old, lnDeleted);
  if (item) Notify(item, lnAdded);
}

void TList::SetCount(int count) {
  if (count < 0) Error(SConst::ListCountError, count);
  if (count > FCapacity) SetCapacity(count);
  while (Count() > count) Delete(Count() - 1);
  FList.resize(static_cast<size_t>(count), nullptr);
}

void TList::SetCapacity(int capacity) {
  if (capacity < Count()) Error(SConst::ListCapacityError, capacity);
  FCapacity = capacity;
  FList.reserve(static_cast<size_t>(capacity));
}

TList* TList::Expand() {
  // The host's growth steps: 4, 8, then a quarter more.
  int delta = FCapacity > 64 ? FCapacity / 4 : (FCapacity > 8 ? 16 : 4);
  SetCapacity(FCapacity + delta);
  return this;
}

}  // namespace xel
