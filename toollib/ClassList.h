// Lists of objects, optionally owning them (the host's object list of the tool library).
#pragma once

#include <functional>

#include "Classes.h"

namespace xel {

class TCustomClassList : public TObject {
  XEL_CLASS(TCustomClassList, TObject)
public:
  explicit TCustomClassList(bool ownsObjects = false) : FOwnsObjects(ownsObjects) {}
  ~TCustomClassList() override;

  bool OwnsObjects() const { return FOwnsObjects; }
  void SetOwnsObjects(bool v) { FOwnsObjects = v; }
  int Count() const { return FList.Count(); }
  TObject* Items(int index) const { return static_cast<TObject*>(FList.Get(index)); }
  // An owning list frees the item it replaces.
  void SetItems(int index, TObject* item);

  // Clear, then Add of every item of source: the items are shared, not copied.
  virtual void Assign(const TCustomClassList* source);
  virtual int Add(TObject* item) { return FList.Add(item); }
  virtual void Insert(int index, TObject* item) { FList.Insert(index, item); }
  virtual int IndexOf(const TObject* item) const { return FList.IndexOf(item); }
  // Removes the first occurrence (freeing it when owning); -1 when it is not there.
  virtual int Remove(TObject* item);
  virtual void Delete(int index);
  virtual void Clear();
  void Exchange(int index1, int index2) { FList.Exchange(index1, index2); }
  void Move(int curIndex, int newIndex) { FList.Move(curIndex, newIndex); }
  // Hands an item to another list without freeing it.
  void MoveItemTo(TObject* item, TCustomClassList* destination);
  void MoveTo(int index, TCustomClassList* destination);
  void ForEach(const std::function<void(TObject*, void*)>& proc, void* param) const;

private:
  TList FList;
  bool FOwnsObjects;
};

class TClassList : public TCustomClassList {
  XEL_CLASS(TClassList, TCustomClassList)
public:
  explicit TClassList(bool ownsObjects = false) : TCustomClassList(ownsObjects) {}
  // The host's CreateAsOwner.
  static TClassList* CreateAsOwner() { return new TClassList(true); }
};

class TOwnerClassList : public TClassList {
  XEL_CLASS(TOwnerClassList, TClassList)
public:
  TOwnerClassList() : TClassList(true) {}
};

}  // namespace xel
