// TMethodList: the package's multicast event list, method references with an integer each.
#pragma once

#include <functional>
#include <vector>

#include "Classes.h"

namespace xel {

class TMethodList : public TObject {
  XEL_CLASS(TMethodList, TObject)
public:
  int Count() const { return static_cast<int>(FItems.size()); }
  TMethod Items(int index) const { return At(index).Method; }
  // Replaces the method reference and keeps the entry's parameter.
  void SetItems(int index, TMethod method) { At(index).Method = method; }
  Integer Params(int index) const { return At(index).Param; }
  void SetParams(int index, Integer param) { At(index).Param = param; }

  void Add(TMethod method) { AddEx(method, 0); }
  void AddEx(TMethod method, Integer param);
  // The first entry equal to method (code and data), or -1.
  int IndexOf(TMethod method) const;
  int Remove(TMethod method);
  // As Remove, and hands out the removed entry's parameter; param is untouched when none.
  int RemoveEx(TMethod method, Integer& param);
  void Delete(int index);
  void Clear() { FItems.clear(); }
  // Calls proc for every entry with code, in index order; entries added meanwhile are
  // not visited, and the walk stops early when entries are removed under it.
  void ForEach(const std::function<void(TMethod, Integer)>& proc, Integer param) const;

  // Typed forms for event types: Add(MakeMethod<&T::OnLanguage>(this)) and the like.
  template <class E>
    requires requires(const E& e) { e.GetMethod(); }
  void Add(const E& event) {
    Add(event.GetMethod());
  }

private:
  struct TEntry {
    TMethod Method;
    Integer Param;
  };
  TEntry& At(int index);
  const TEntry& At(int index) const;
  std::vector<TEntry> FItems;
};

}  // namespace xel
