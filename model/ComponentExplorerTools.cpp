#include "ComponentExplorerTools.h"

#include <algorithm>

#include "VersionControl.h"

XEL_UNIT_VERSION("$Header: /model/ComponentExplorerTools.cpp 1 10.12.26 15:20 XG $")

namespace xel {

// ---- TBaseEntry ----------------------------------------------------------------------------

bool TBaseEntry::GetItemIndex(int& index) const {
  index = -1;
  const String& n = FName;
  if (n.size() < 3 || n.back() != ']') return false;
  int i = static_cast<int>(n.size()) - 2;
  Int64 value = 0, scale = 1;
  int digits = 0;
  while (i >= 0 && n[static_cast<size_t>(i)] >= '0' && n[static_cast<size_t>(i)] <= '9') {
    if (digits < 10) value += (n[static_cast<size_t>(i)] - '0') * scale;
    scale = digits < 10 ? scale * 10 : scale;
    ++digits;
    --i;
  }
  if (digits == 0 || digits > 9 || i < 0 || n[static_cast<size_t>(i)] != '[') return false;
  index = static_cast<int>(value);
  return true;
}

// ---- TPropertyEntry ----------------------------------------------------------------------------

TPropertyEntry* TPropertyEntry::Create(TMainEntry* mainEntry, const String& name, const String& typeName,
                                       TTypeKind kind) {
  auto* item = static_cast<TPropertyEntry*>(mainEntry->GetProps()->Add());
  item->FName = name;
  item->FTypeName = typeName;
  item->FKind = kind;
  return item;
}

TPropertyEntry* TPropertyEntry::Create(TMainEntry* mainEntry, PPropInfo descriptor) {
  TPropertyEntry* item = Create(mainEntry, descriptor->Name(), descriptor->PropType()->Name, descriptor->Kind());
  item->FDescriptor = descriptor;
  return item;
}

TObject* TPropertyEntry::GetParentObject() const { return Collection(); }

TPropertyEntries* TPropertyEntry::GetParent() const { return ClassCast<TPropertyEntries>(Collection()); }

TMainEntry* TPropertyEntry::MainEntry() const {
  TPropertyEntries* props = GetParent();
  return props ? props->GetParent() : nullptr;
}

void TPropertyEntry::Assign(TPersistent* source) {
  if (auto* src = dynamic_cast<TPropertyEntry*>(source)) {
    FDescriptor = src->FDescriptor;
    FName = src->FName;
    FTypeName = src->FTypeName;
    FKind = src->FKind;
    FIndex = src->FIndex;
    return;
  }
  TBaseEntry::Assign(source);
}

bool TPropertyEntry::Compare(const TPropertyEntry* item) const {
  return item && FDescriptor == item->FDescriptor && FKind == item->FKind && SameText(FName, item->FName);
}

String TPropertyEntry::GetDescriptor(const String& prefix) const {
  if (FIndex >= 0) return prefix + FName + "[" + IntToStr(FIndex) + "]: " + FTypeName;
  return prefix + FName + ": " + FTypeName;
}

namespace {

// The string-list line an item names: Index when it is set, else the "[n]" of its name.
bool LineOf(const TPropertyEntry* item, int& line) {
  if (item->IndexValue() >= 0) {
    line = item->IndexValue();
    return true;
  }
  return item->GetItemIndex(line);
}

}  // namespace

Variant TPropertyEntry::GetValue() const {
  TMainEntry* main = MainEntry();
  if (!main || !main->Object()) return Variant::Null();
  if (main->SubType().Contains(stPubPropObject)) {
    if (!FDescriptor) return Variant::Null();
    return TClassInfo(main->Object(), FDescriptor).GetValue();
  }
  if (main->SubType().Contains(stTStringsObject))
    if (auto* list = dynamic_cast<TStrings*>(main->Object())) {
      int line;
      if (LineOf(this, line)) return Variant(list->Strings(line));
    }
  return Variant::Null();
}

void TPropertyEntry::SetValue(const Variant& value) {
  TMainEntry* main = MainEntry();
  if (!main || !main->Object()) return;
  if (main->SubType().Contains(stPubPropObject)) {
    if (FDescriptor) TClassInfo(main->Object(), FDescriptor).SetValue(value);
    return;
  }
  if (main->SubType().Contains(stTStringsObject))
    if (auto* list = dynamic_cast<TStrings*>(main->Object())) {
      int line;
      if (LineOf(this, line)) list->SetStrings(line, value.AsString());
    }
}

bool TPropertyEntry::GetClassInfo(std::unique_ptr<TClassInfo>& info) const {
  info.reset();
  TMainEntry* main = MainEntry();
  if (!FDescriptor || !main || !main->Object() || !main->SubType().Contains(stPubPropObject)) return false;
  info = std::make_unique<TClassInfo>(main->Object(), FDescriptor);
  return true;
}

String TPropertyEntry::GetTypDef() const {
  std::unique_ptr<TClassInfo> info;
  return GetClassInfo(info) ? info->TypDef() : String();
}

namespace {

// The main entries above an entry, nearest first; false when something other than main
// entries and their collections lies on the way.
bool ChainAbove(const TMainEntry* entry, std::vector<const TMainEntry*>& chain) {
  for (const TMainEntry* e = entry; e;) {
    auto* coll = dynamic_cast<TMainEntries*>(e->Collection());
    if (!coll) return false;
    e = coll->GetParent();
    if (e) chain.push_back(e);
  }
  return true;
}

// Walks the chain (topmost first) down from destination, finding equal levels and making
// the missing ones; returns the deepest level (nullptr for an empty chain) and its Items.
TMainEntry* Descend(const std::vector<const TMainEntry*>& chainNearestFirst, TMainEntries* destination,
                    TMainEntries*& target) {
  TMainEntries* coll = destination;
  TMainEntry* level = nullptr;
  bool creating = false;
  for (auto it = chainNearestFirst.rbegin(); it != chainNearestFirst.rend(); ++it) {
    TMainEntry* found = creating ? nullptr : coll->FindItem(*it);
    if (!found) {
      creating = true;
      found = static_cast<TMainEntry*>(coll->Add());
      found->AssignThis(*it);
    }
    level = found;
    coll = found->GetItems();
  }
  target = coll;
  return level;
}

}  // namespace

TPropertyEntry* TPropertyEntry::CopyItem(TMainEntries* destination) const {
  TMainEntry* main = MainEntry();
  if (!main || !destination) return nullptr;
  std::vector<const TMainEntry*> chain{main};
  if (!ChainAbove(main, chain)) return nullptr;
  TMainEntries* target;
  TMainEntry* level = Descend(chain, destination, target);
  auto* item = static_cast<TPropertyEntry*>(ClassType()->Create(level->GetProps()));
  item->Assign(const_cast<TPropertyEntry*>(this));
  return item;
}

TPropertyEntry* TPropertyEntry::MoveItem(TMainEntries* destination) {
  TPropertyEntry* result = CopyItem(destination);
  if (result) delete this;
  return result;
}

// ---- TPropertyEntries ----------------------------------------------------------------------------

TPropertyEntries::TPropertyEntries(TMainEntry* mainEntry, TClass itemClass)
    : TBaseEntries(mainEntry, itemClass ? itemClass : TPropertyEntry::StaticClass()) {}

TObject* TPropertyEntries::GetParentObject() const { return GetOwner(); }

TMainEntry* TPropertyEntries::GetParent() const { return ClassCast<TMainEntry>(GetOwner()); }

int TPropertyEntries::IndexOfProp(std::string_view name) const {
  for (int i = 0; i < Count(); ++i)
    if (SameText(Items(i)->Name(), name)) return i;
  return -1;
}

TPropertyEntry* TPropertyEntries::FindItem(const TPropertyEntry* item) const {
  for (int i = 0; i < Count(); ++i)
    if (Items(i)->Compare(item)) return Items(i);
  return nullptr;
}

void TPropertyEntries::ValidatePublishedProperties() {
  for (int i = Count() - 1; i >= 0; --i)
    if (!Items(i)->Descriptor()) delete Items(i);
}

void TPropertyEntries::ValidateTStrings() {
  for (int i = Count() - 1; i >= 0; --i) {
    TPropertyEntry* item = Items(i);
    int line;
    if (item->Descriptor() || (item->IndexValue() < 0 && !item->GetItemIndex(line))) delete item;
  }
}

// ---- TMainEntry ------------------------------------------------------------------------------------

TMainEntry::TMainEntry(TCollection* collection) : TBaseEntry(collection) {
  auto* entries = dynamic_cast<TMainEntries*>(collection);
  TClass propClass = entries ? entries->PropertyItemClass() : TPropertyEntry::StaticClass();
  FProps = new TPropertyEntries(this, propClass);
  FItems = new TMainEntries(this, propClass);
  if (entries) FItems->SetAssignMode(entries->AssignMode());
}

TMainEntry::~TMainEntry() {
  delete FItems;
  delete FProps;
}

TMainEntry* TMainEntry::Create(TMainEntries* entries, TObject* object, const String& name, const String& typeName,
                               TMainEntrySubType subType) {
  auto* e = static_cast<TMainEntry*>(entries->Add());
  if (auto* ce = dynamic_cast<TComponentEntry*>(e)) ce->SetRef(dynamic_cast<TComponent*>(object));
  else e->FObject = object;
  e->FName = name;
  e->FTypeName = typeName;
  e->FSubType = subType;
  return e;
}

void TMainEntry::SetItems(TMainEntries* v) { FItems->Assign(v); }
void TMainEntry::SetProps(TPropertyEntries* v) { FProps->Assign(v); }

TObject* TMainEntry::GetParentObject() const { return Collection(); }

TMainEntries* TMainEntry::GetParent() const { return ClassCast<TMainEntries>(Collection()); }

TMainEntry* TMainEntry::FindFirstMainEntry() {
  TMainEntry* e = this;
  while (TMainEntries* coll = e->GetParent()) {
    TMainEntry* up = coll->GetParent();
    if (!up) break;
    e = up;
  }
  return e;
}

void TMainEntry::AssignThis(const TMainEntry* entry) {
  FObject = entry->FObject;
  FName = entry->FName;
  FTypeName = entry->FTypeName;
  FSubType = entry->FSubType;
}

void TMainEntry::Assign(TPersistent* source) {
  if (auto* src = dynamic_cast<TMainEntry*>(source)) {
    AssignThis(src);
    FProps->Assign(src->FProps);
    FItems->Assign(src->FItems);
    return;
  }
  TBaseEntry::Assign(source);
}

bool TMainEntry::Compare(const TMainEntry* entry) const {
  return entry && FObject == entry->FObject && FSubType == entry->FSubType && SameText(FName, entry->FName);
}

bool TMainEntry::ForEachPropertyEntry(const TForEachPropertyEntryProc& proc, void* data) {
  for (int i = FProps->Count() - 1; i >= 0; --i) {
    bool stop = false;
    proc(this, FProps->Items(i), data, stop);
    if (stop) return false;
    if (i > FProps->Count()) i = FProps->Count();  // the procedure may have freed items
  }
  return FItems->ForEachPropertyEntry(proc, data);
}

void TMainEntry::MoveSubItemsToStrings(TMoveSubItemsMode mode, TStrings* strings, const String& prefix) {
  for (int i = 0; i < FProps->Count(); ++i) {
    TPropertyEntry* item = FProps->Items(i);
    strings->AddObject(mode == mmNameOnly ? prefix + item->Name() : item->GetDescriptor(prefix), item);
  }
  for (int i = 0; i < FItems->Count(); ++i) {
    TMainEntry* sub = FItems->Items(i);
    sub->MoveSubItemsToStrings(mode, strings, prefix + sub->Name() + ".");
  }
}

void TMainEntry::RefreshProps() {
  if (FProps->Count() == 0 && FItems->Count() == 0) {
    FItems->RefreshProps();
    return;
  }
  for (int i = 0; i < FProps->Count(); ++i) FProps->Items(i)->SetDescriptor(nullptr);
  for (int i = 0; i < FItems->Count(); ++i) {
    TMainEntry* sub = FItems->Items(i);
    if (!sub->FSubType.Contains(stNoValidate)) {
      sub->FObject = nullptr;
    } else if (sub->FSubType.Contains(stTStringsObject)) {
      for (int k = 0; k < sub->FProps->Count(); ++k)
        if (sub->FProps->Items(k)->TypeName().empty()) sub->FProps->Items(k)->SetTypeName("String");
    }
  }
  if (FSubType.Contains(stPubPropObject) && FObject) BindToObject();
  FItems->RefreshProps();
}

// Each entry finds its property by name through the class's index (a language switch
// re-binds every item, so this must not walk all properties per item). As before, an item
// binds to a property of the same kind, and of several entries naming one property only
// the first binds.
void TMainEntry::BindToObject() {
  TClass cls = FObject->ClassType();
  std::vector<PPropInfo> taken;
  auto first = [&](PPropInfo p) {
    if (std::find(taken.begin(), taken.end(), p) != taken.end()) return false;
    taken.push_back(p);
    return true;
  };
  for (int i = 0; i < FProps->Count(); ++i) {
    TPropertyEntry* item = FProps->Items(i);
    PPropInfo p = cls->FindProp(item->Name());
    if (!p || !p->PropType() || p->PropType()->Kind != item->Kind() || !first(p)) continue;
    item->SetDescriptor(p);
    if (item->TypeName() != p->PropType()->Name) item->SetTypeName(p->PropType()->Name);
  }
  taken.clear();
  for (int i = 0; i < FItems->Count(); ++i) {
    TMainEntry* sub = FItems->Items(i);
    if (sub->FSubType.Contains(stNoValidate)) continue;
    const bool inCollection = sub->FSubType == TMainEntrySubType{stPubPropObject, stCollectionObject};
    const bool published = sub->FSubType == TMainEntrySubType{stPubPropObject};
    const bool strings = sub->FSubType == TMainEntrySubType{stTStringsObject};
    if (!inCollection && !published && !strings) continue;
    PPropInfo p = cls->FindProp(inCollection ? sub->FName.substr(0, sub->FName.find('[')) : sub->FName);
    if (!p || !p->PropType() || p->PropType()->Kind != tkClass || !p->Readable()) continue;
    TObject* held = GetObjectProp(FObject, p);
    if (inCollection) {
      int index;
      if (auto* coll = dynamic_cast<TCollection*>(held); coll && sub->GetItemIndex(index) && index < coll->Count())
        sub->FObject = coll->Items(index);
      continue;
    }
    if (!first(p)) continue;
    if (published) {
      sub->FObject = held;
      continue;
    }
    auto* list = dynamic_cast<TStrings*>(held);
    if (!list) continue;
    sub->FObject = list;
    for (int k = 0; k < sub->FProps->Count(); ++k) {
      TPropertyEntry* item = sub->FProps->Items(k);
      int line;
      if (item->GetItemIndex(line) && line >= 0 && line < list->Count()) {
        if (item->TypeName() != "String") item->SetTypeName("String");
      } else {
        // No longer names a line: the next step drops it.
        String n = item->Name();
        for (char& c : n)
          if (c == '[' || c == ']') c = '/';
        item->SetName(n);
      }
    }
  }
}

namespace {
// Whether the collection lies in the subtree of the entry (its Items or deeper).
bool LiesInside(const TMainEntries* collection, const TMainEntry* entry) {
  for (const TMainEntries* c = collection; c;) {
    const TMainEntry* parent = c->GetParent();
    if (!parent) return false;
    if (parent == entry) return true;
    c = dynamic_cast<const TMainEntries*>(parent->Collection());
  }
  return false;
}
}  // namespace

TMainEntry* TMainEntry::CopyItem(TMainEntries* destination, bool deep) const {
  // An entry cannot hold a copy of itself.
  if (!destination || LiesInside(destination, this)) return nullptr;
  std::vector<const TMainEntry*> chain;
  if (!ChainAbove(this, chain)) return nullptr;
  TMainEntries* target;
  Descend(chain, destination, target);
  TMainEntry* result = target->FindItem(this);
  // Its own tree as the destination: the entry is already where it would go.
  if (result == this) return result;
  if (!result) result = static_cast<TMainEntry*>(target->Add());
  if (deep) result->Assign(const_cast<TMainEntry*>(this));
  else result->AssignThis(this);
  return result;
}

TMainEntry* TMainEntry::MoveItem(TMainEntries* destination, bool deep) {
  TMainEntry* result = CopyItem(destination, deep);
  if (result && result != this) delete this;
  return result;
}

// ---- TMainEntries -------------------------------------------------------------------------------------

TMainEntries::TMainEntries(TClass itemClass, TPersistent* owner, TClass propertyItemClass)
    : TBaseEntries(owner, itemClass ? itemClass : TMainEntry::StaticClass()),
      FPropertyItemClass(propertyItemClass ? propertyItemClass : TPropertyEntry::StaticClass()) {}

TMainEntries::TMainEntries(TPersistent* owner, TClass propertyItemClass)
    : TMainEntries(TMainEntry::StaticClass(), owner, propertyItemClass) {}

TObject* TMainEntries::GetParentObject() const { return GetOwner(); }

TMainEntry* TMainEntries::GetParent() const { return ClassCast<TMainEntry>(GetOwner()); }

void TMainEntries::Assign(TPersistent* source) {
  auto* src = dynamic_cast<TMainEntries*>(source);
  if (FAssignMode && src) FPropertyItemClass = src->FPropertyItemClass;
  TCollection::Assign(source);
  OnAssign(this, source);
}

void TMainEntries::RefreshProps() {
  for (int i = Count() - 1; i >= 0; --i)
    if (i < Count()) Items(i)->RefreshProps();
}

void TMainEntries::ValidateAndPack() {
  for (int i = Count() - 1; i >= 0; --i) {
    TMainEntry* e = Items(i);
    e->GetItems()->ValidateAndPack();
    if (e->SubType().Contains(stPubPropObject)) e->GetProps()->ValidatePublishedProperties();
    else if (e->SubType().Contains(stTStringsObject)) e->GetProps()->ValidateTStrings();
    if (e->GetProps()->Count() == 0 && e->GetItems()->Count() == 0) delete e;
  }
}

void TMainEntries::Init() {
  RefreshProps();
  ValidateAndPack();
}

int TMainEntries::IndexOfName(std::string_view name) const {
  for (int i = 0; i < Count(); ++i)
    if (SameText(Items(i)->Name(), name)) return i;
  return -1;
}

TMainEntry* TMainEntries::FindItem(const TMainEntry* entry) const {
  for (int i = 0; i < Count(); ++i)
    if (Items(i)->Compare(entry)) return Items(i);
  return nullptr;
}

bool TMainEntries::ForEachPropertyEntry(const TForEachPropertyEntryProc& proc, void* data) {
  for (int i = Count() - 1; i >= 0; --i) {
    if (i >= Count()) continue;  // the procedure may have freed entries
    if (!Items(i)->ForEachPropertyEntry(proc, data)) return false;
  }
  return true;
}

void TMainEntries::MoveSubItemsToStrings(TMoveSubItemsMode mode, TStrings* strings) {
  for (int i = 0; i < Count(); ++i) Items(i)->MoveSubItemsToStrings(mode, strings, "");
}

void TMainEntries::RemoveEqualPropertyEntries(const TMainEntries* other) {
  if (!other) return;
  for (int i = Count() - 1; i >= 0; --i) {
    TMainEntry* e = Items(i);
    TMainEntry* twin = other->FindItem(e);
    if (!twin) continue;
    TPropertyEntries* props = e->GetProps();
    for (int k = props->Count() - 1; k >= 0; --k)
      if (twin->GetProps()->FindItem(props->Items(k))) delete props->Items(k);
    e->GetItems()->RemoveEqualPropertyEntries(twin->GetItems());
  }
}

// ---- component entries ------------------------------------------------------------------------------

void TInternalController::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation != opRemove || !FEntries) return;
  for (int i = FEntries->Count() - 1; i >= 0; --i)
    if (FEntries->Items(i)->Object() == component) {
      delete FEntries->Items(i);
      break;
    }
}

TComponentEntry::TComponentEntry(TCollection* collection) : TMainEntry(collection) {
  if (auto* entries = dynamic_cast<TComponentEntries*>(collection)) FController = entries->Controller();
}

void TComponentEntry::SetRef(TComponent* component) {
  if (component && FController) component->FreeNotification(FController);
  FObject = component;
}

void TComponentEntry::Assign(TPersistent* source) {
  if (auto* src = dynamic_cast<TMainEntry*>(source)) {
    if (src->Object() && !dynamic_cast<TComponent*>(src->Object()))
      throw Exception(ClassName() + ".Assign failed. Type of Ref is not TComponent");
    TMainEntry::Assign(source);
    SetRef(static_cast<TComponent*>(src->Object()));
    return;
  }
  TMainEntry::Assign(source);
}

void TComponentEntry::AssignThis(const TMainEntry* entry) {
  TMainEntry::AssignThis(entry);
  SetRef(dynamic_cast<TComponent*>(entry->Object()));
}

void TComponentEntry::RefreshProps() {
  if (TComponent* ref = GetRef()) {
    if (FName != ref->Name()) FName = ref->Name();
    if (FTypeName != ref->ClassName()) FTypeName = ref->ClassName();
  }
  TMainEntry::RefreshProps();
}

TComponentEntries::TComponentEntries(TPersistent* owner, TClass propertyItemClass)
    : TMainEntries(TComponentEntry::StaticClass(), owner, propertyItemClass),
      FController(std::make_unique<TInternalController>(nullptr)) {
  FController->FEntries = this;
}

TComponentEntries::~TComponentEntries() {
  // The entries go before the controller that their components notify.
  FController->FEntries = nullptr;
  Clear();
}

void RegisterModelClasses() {
  RegisterClasses({TPropertyEntry::StaticClass(), TMainEntry::StaticClass(), TComponentEntry::StaticClass(),
                   TInternalController::StaticClass()});
}

}  // namespace xel
