#include "ClassList.h"
#include "VersionControl.h"

XEL_UNIT_VERSION("$Header: /toollib/ClassList.cpp 1 10.12.26 6:45 XG $")

namespace xel {

TCustomClassList::~TCustomClassList() {
  if (FOwnsObjects) TCustomClassList::Clear();
}

void TCustomClassList::SetItems(int index, TObject* item) {
  TObject* old = Items(index);
  if (FOwnsObjects && old && old != item) delete old;
  FList.Put(index, item);
}

void TCustomClassList::Assign(const TCustomClassList* source) {
  Clear();
  for (int i = 0; i < source->Count(); ++i) Add(source->Items(i));
}

int TCustomClassList::Remove(TObject* item) {
  int index = IndexOf(item);
  if (index >= 0) Delete(index);
  return index;
}

void TCustomClassList::Delete(int index) {
  TObject* item = Items(index);
  FList.Delete(index);
  if (FOwnsObjects) delete item;
}

void TCustomClassList::Clear() {
  // The list is empty afterwards even when a destructor fails.
  std::vector<TObject*> items;
  for (int i = 0; i < FList.Count(); ++i) items.push_back(static_cast<TObject*>(FList.Get(i)));
  FList.Clear();
  if (FOwnsObjects)
    for (TObject* o : items) delete o;
}

void TCustomClassList::MoveItemTo(TObject* item, TCustomClassList* destination) {
  int index = IndexOf(item);
  if (index >= 0) MoveTo(index, destination);
}

void TCustomClassList::MoveTo(int index, TCustomClassList* destination) {
  bool owns = FOwnsObjects;
  FOwnsObjects = false;
  try {
    destination->Add(Items(index));
    Delete(index);
  } catch (...) {
    FOwnsObjects = owns;
    throw;
  }
  FOwnsObjects = owns;
}

void TCustomClassList::ForEach(const std::function<void(TObject*, void*)>& proc, void* param) const {
  int count = Count();
  for (int i = 0; i < count && i < Count(); ++i)
    if (TObject* item = Items(i)) proc(item, param);
}

}  // namespace xel
