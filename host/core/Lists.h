// TList: the host's untyped pointer list.
#pragma once

#include <vector>

#include "Persistent.h"

namespace xel {

class TList : public TObject {
  XEL_CLASS(TList, TObject)
public:
  using TListSortCompare = int (*)(void* item1, void* item2);
  enum TListNotification { lnAdded, lnExtracted, lnDeleted };

  TList() = default;
  ~TList() override;

  int Add(void* item);
  void Insert(int index, void* item);
  void Delete(int index);
  int Remove(void* item);
  void* Extract(void* item);
  int IndexOf(const void* item) const;
  void Exchange(int index1, int index2);
  void Move(int curIndex, int newIndex);
  void Sort(TListSortCompare compare);
  void Pack();  // removes the nil entries
  virtual void Clear();

  void* Get(int index) const;
  void Put(int index, void* item);
  void* operator[](int index) const { return Get(index); }
  void* First() const { return Get(0); }
  void* Last() const { return Get(Count() - 1); }
  int Count() const { return static_cast<int>(FList.size()); }
  void SetCount(int count);
  int Capacity() const { return FCapacity; }
  void SetCapacity(int capacity);
  TList* Expand();

  [[noreturn]] static void Error(const char* msg, Int64 data);

protected:
  virtual void Notify(void* item, TListNotification action);

private:
  void CheckIndex(int index) const;
  std::vector<void*> FList;
  int FCapacity = 0;
};

}  // namespace xel
