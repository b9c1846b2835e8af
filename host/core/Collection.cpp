#include "Collection.h"

#include <algorithm>

#include "Format.h"

namespace xel {

// ---- TCollectionItem ---------------------------------------------------------------------

TCollectionItem::TCollectionItem(TCollection* collection) { SetCollection(collection); }

TCollectionItem::~TCollectionItem() { SetCollection(nullptr); }

void TCollectionItem::SetCollection(TCollection* value) {
  if (FCollection == value) return;
  if (FCollection) FCollection->RemoveItem(this);
  if (value) value->InsertItem(this);
}

int TCollectionItem::Index() const {
  if (!FCollection) return -1;
  auto& items = FCollection->FItems;
  auto it = std::find(items.begin(), items.end(), this);
  return it == items.end() ? -1 : static_cast<int>(it - items.begin());
}

void TCollectionItem::SetIndex(int value) {
  int cur = Index();
  if (cur < 0 || cur == value) return;
  auto& items = FCollection->FItems;
  if (value < 0 || value >= static_cast<int>(items.size()))
    throw EListError(Format(SConst::ListIndexError, {value}));
  items.erase(items.begin() + cur);
  items.insert(items.begin() + value, this);
  Changed(true);
}

String TCollectionItem::GetDisplayName() const { return ClassName(); }

void TCollectionItem::SetDisplayName(const String&) { Changed(false); }

TPersistent* TCollectionItem::GetOwner() const { return FCollection; }

String TCollectionItem::GetNamePath() const {
  if (!FCollection) return ClassName();
  return Format("%s[%d]", {FCollection->GetNamePath(), Index()});
}

void TCollectionItem::Changed(bool allItems) {
  if (FCollection && FCollection->FUpdateCount == 0) FCollection->Update(allItems ? nullptr : this);
}

// ---- TCollection -------------------------------------------------------------------------

TCollection::TCollection(TClass itemClass) : FItemClass(itemClass) {
  if (!itemClass || !itemClass->InheritsFrom(TCollectionItem::StaticClass()) || !itemClass->CanCreate())
    throw EInvalidOperation(SConst::CollectionItemClassError);
}

TCollection::~TCollection() {
  FUpdateCount = 1;  // no Update calls while the items go
  while (!FItems.empty()) delete FItems.back();
}

TCollectionItem* TCollection::Add() {
  return static_cast<TCollectionItem*>(FItemClass->Create(this));
}

TCollectionItem* TCollection::Insert(int index) {
  if (index < 0 || index > Count()) throw EListError(Format(SConst::ListIndexError, {index}));
  TCollectionItem* item = Add();
  item->SetIndex(index);
  return item;
}

void TCollection::Clear() {
  if (FItems.empty()) return;
  BeginUpdate();
  TFinally endUpdate([this] { EndUpdate(); });
  while (!FItems.empty()) delete FItems.back();
}

void TCollection::Delete(int index) { delete Items(index); }

TCollectionItem* TCollection::Items(int index) const {
  if (index < 0 || index >= Count()) throw EListError(Format(SConst::ListIndexError, {index}));
  return FItems[static_cast<size_t>(index)];
}

void TCollection::SetItem(int index, TCollectionItem* value) { Items(index)->Assign(value); }

TCollectionItem* TCollection::FindItemID(int id) const {
  for (TCollectionItem* item : FItems)
    if (item->FID == id) return item;
  return nullptr;
}

void TCollection::BeginUpdate() { ++FUpdateCount; }

void TCollection::EndUpdate() {
  if (FUpdateCount > 0) --FUpdateCount;
  Changed();
}

void TCollection::Assign(TPersistent* source) {
  if (auto* src = dynamic_cast<TCollection*>(source)) {
    if (src == this) return;
    BeginUpdate();
    TFinally endUpdate([this] { EndUpdate(); });
    Clear();
    for (TCollectionItem* item : src->FItems) Add()->Assign(item);
    return;
  }
  TPersistent::Assign(source);
}

String TCollection::PropName() const {
  TPersistent* owner = GetOwner();
  if (!owner) return {};
  for (PPropInfo p : GetPropList(owner, TTypeKinds{tkClass}))
    if (GetObjectProp(owner, p) == this) return p->Name();
  return {};
}

String TCollection::GetNamePath() const {
  TPersistent* owner = GetOwner();
  if (!owner) return ClassName();
  String s = owner->GetNamePath();
  if (s.empty()) return ClassName();
  String p = PropName();
  if (p.empty()) return ClassName();
  return s + "." + p;
}

void TCollection::Update(TCollectionItem*) {}

void TCollection::Changed() {
  if (FUpdateCount == 0) Update(nullptr);
}

void TCollection::SetItemName(TCollectionItem*) {}

// Runs inside the item's base constructor, before its own class is in place; the item
// class was checked when the collection was made.
void TCollection::InsertItem(TCollectionItem* item) {
  FItems.push_back(item);
  item->FCollection = this;
  item->FID = FNextID++;
  SetItemName(item);
  Changed();
}

void TCollection::RemoveItem(TCollectionItem* item) {
  auto it = std::find(FItems.rbegin(), FItems.rend(), item);
  if (it != FItems.rend()) FItems.erase(std::next(it).base());
  item->FCollection = nullptr;
  Changed();
}

}  // namespace xel
