// TCollection and TCollectionItem: an owned, ordered list of items of one item class.
#pragma once

#include <vector>

#include "Persistent.h"

namespace xel {

class TCollection;

class TCollectionItem : public TPersistent {
  XEL_CLASS(TCollectionItem, TPersistent)
public:
  using TCreateArg = TCollection*;
  static TCollection* CastCreateArg(TObject* arg);

  explicit TCollectionItem(TCollection* collection);
  ~TCollectionItem() override;

  TCollection* Collection() const { return FCollection; }
  // Moves the item into another collection (or out of any, with nullptr).
  virtual void SetCollection(TCollection* value);
  int ID() const { return FID; }
  int Index() const;
  // Moves the item to another position in its collection.
  virtual void SetIndex(int value);
  virtual String GetDisplayName() const;
  virtual void SetDisplayName(const String& value);
  String DisplayName() const { return GetDisplayName(); }

  TPersistent* GetOwner() const override;
  String GetNamePath() const override;

protected:
  // Reports a change of this item (or of all items) to the collection.
  void Changed(bool allItems);

private:
  friend class TCollection;
  TCollection* FCollection = nullptr;
  int FID = 0;
};

class TCollection : public TPersistent {
  XEL_CLASS(TCollection, TPersistent)
public:
  explicit TCollection(TClass itemClass);
  ~TCollection() override;

  TCollectionItem* Add();
  TCollectionItem* Insert(int index);
  void Clear();
  void Delete(int index);
  int Count() const { return static_cast<int>(FItems.size()); }
  TCollectionItem* Items(int index) const;
  // Assigns the given item's state to the item at index.
  void SetItem(int index, TCollectionItem* value);
  TClass ItemClass() const { return FItemClass; }
  TCollectionItem* FindItemID(int id) const;

  virtual void BeginUpdate();
  virtual void EndUpdate();
  int UpdateCount() const { return FUpdateCount; }

  // Clear, then one new item per source item, each assigned from its source item.
  void Assign(TPersistent* source) override;
  String GetNamePath() const override;
  // The name of the published property of the owner that holds this collection.
  String PropName() const;

protected:
  // Called after a change: with the item that changed, or nullptr when all may have.
  virtual void Update(TCollectionItem* item);
  void Changed();
  virtual void SetItemName(TCollectionItem* item);

private:
  friend class TCollectionItem;
  void InsertItem(TCollectionItem* item);
  void RemoveItem(TCollectionItem* item);

  TClass FItemClass;
  std::vector<TCollectionItem*> FItems;
  int FUpdateCount = 0;
  int FNextID = 0;
};

// A collection with an owner, which GetOwner returns (it names the collection in paths).
class TOwnedCollection : public TCollection {
  XEL_CLASS(TOwnedCollection, TCollection)
public:
  TOwnedCollection(TPersistent* owner, TClass itemClass) : TCollection(itemClass), FOwner(owner) {}
  TPersistent* GetOwner() const override { return FOwner; }

private:
  TPersistent* FOwner;
};

inline TCollection* TCollectionItem::CastCreateArg(TObject* arg) { return static_cast<TCollection*>(arg); }

}  // namespace xel
