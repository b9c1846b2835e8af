#include "ComponentExplorerTools.h"

#include <algorithm>
#include <mutex>
#include <unordered_set>

#include "VersionControl.h"

XEL_UNIT_VERSION("$Header: /model/ComponentExplorerTools.cpp 1 10.12.26 15:20 XG $")

namespace xel {

std::atomic<std::uint64_t> GEntryTreeGeneration{1};

namespace {
struct TTextHash {
  using is_transparent = void;
  size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
};
struct TTextPool {
  std::mutex Lock;
  std::unordered_set<String, TTextHash, std::equal_to<>> Texts;
};
}  // namespace

const String& EmptyEntryText() {
  static const String empty;
  return empty;
}

const String& PooledEntryText(std::string_view text) {
  if (text.empty()) return EmptyEntryText();
  // Never destroyed: entries of objects freed at exit may still point at it.
  static auto* pool = new TTextPool;
  std::lock_guard<std::mutex> lock(pool->Lock);
  auto it = pool->Texts.find(text);
  if (it == pool->Texts.end()) it = pool->Texts.emplace(text).first;
  return *it;
}

// ---- TBaseEntry ----------------------------------------------------------------------------

void TBaseEntry::SetName(const String& v) {
  if (*FName == v) return;
  FName = &PooledEntryText(v);
  TouchEntryTrees();
}

void TBaseEntries::Update(TCollectionItem*) { TouchEntryTrees(); }

bool TBaseEntry::GetItemIndex(int& index) const {
  index = -1;
  const String& n = *FName;
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
  item->FName = &PooledEntryText(name);
  item->FTypeName = &PooledEntryText(typeName);
  item->FKind = kind;
  return item;
}

TPropertyEntry* TPropertyEntry::Create(TMainEntry* mainEntry, PPropInfo descriptor) {
  TPropertyEntry* item = Create(mainEntry, descriptor->Name(), descriptor->PropType()->Name, descriptor->Kind());
  item->FDescriptor = descriptor;
  return item;
}

void TPropertyEntry::SetKind(TTypeKind v) {
  if (v == FKind) return;
  FKind = v;
  TouchEntryTrees();
}

void TPropertyEntry::SetIndexValue(Integer v) {
  if (v == FIndex) return;
  FIndex = v;
  TouchEntryTrees();
}

void TPropertyEntry::SetDescriptor(PPropInfo d) {
  if (d == FDescriptor) return;
  FDescriptor = d;
  TouchEntryTrees();
}

TObject* TPropertyEntry::GetParentObject() const { return Collection(); }

TPropertyEntries* TPropertyEntry::GetParent() const { return ClassCast<TPropertyEntries>(Collection()); }

TMainEntry* TPropertyEntry::MainEntry() const {
  TPropertyEntries* props = GetParent();
  return props ? props->GetParent() : nullptr;
}

void TPropertyEntry::Assign(TPersistent* source) {
  if (auto* src = dynamic_cast<TPropertyEntry*>(source)) {
    // Property items' names are always pooled texts, which live as long as the program.
    FDescriptor = src->FDescriptor;
    FName = src->FName;
    FTypeName = src->FTypeName;
    FKind = src->FKind;
    FIndex = src->FIndex;
    TouchEntryTrees();
    return;
  }
  TBaseEntry::Assign(source);
}

bool TPropertyEntry::Compare(const TPropertyEntry* item) const {
  return item && FDescriptor == item->FDescriptor && FKind == item->FKind && SameText(*FName, *item->FName);
}

String TPropertyEntry::GetDescriptor(const String& prefix) const {
  if (FIndex >= 0) return prefix + *FName + "[" + IntToStr(FIndex) + "]: " + *FTypeName;
  return prefix + *FName + ": " + *FTypeName;
}

bool TPropertyEntry::LineIndex(int& line) const {
  if (FIndex >= 0) {
    line = FIndex;
    return true;
  }
  return GetItemIndex(line);
}

namespace {

bool LineOf(const TPropertyEntry* item, int& line) { return item->LineIndex(line); }

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
}

TMainEntries* TMainEntry::GetItems() const {
  if (!FItems) {
    // The same property item class and assign mode as the collection that holds the entry.
    FItems = new TMainEntries(const_cast<TMainEntry*>(this), FProps->ItemClass());
    if (auto* entries = dynamic_cast<TMainEntries*>(Collection())) FItems->SetAssignMode(entries->AssignMode());
  }
  return FItems;
}

int TMainEntry::ItemCount() const { return FItems ? FItems->Count() : 0; }

void TMainEntry::SetObject(TObject* o) {
  if (o == FObject) return;
  FObject = o;
  TouchEntryTrees();
}

void TMainEntry::SetSubType(TMainEntrySubType v) {
  if (v == FSubType) return;
  FSubType = v;
  TouchEntryTrees();
}

TMainEntry::~TMainEntry() {
  delete FItems;
  delete FProps;
}

TMainEntry* TMainEntry::Create(TMainEntries* entries, TObject* object, const String& name, const String& typeName,
                               TMainEntrySubType subType) {
  auto* e = static_cast<TMainEntry*>(entries->Add());
  e->FName = &PooledEntryText(name);
  if (auto* ce = dynamic_cast<TComponentEntry*>(e)) {
    auto* ref = dynamic_cast<TComponent*>(object);
    ce->SetRef(ref);
    if (ref && name == ref->Name()) e->FName = &ref->Name();
  } else {
    e->FObject = object;
  }
  e->FTypeName = &PooledEntryText(typeName);
  e->FSubType = subType;
  return e;
}

void TMainEntry::SetItems(TMainEntries* v) {
  if (!FItems && (!v || v->Count() == 0)) return;
  GetItems()->Assign(v);
}

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
  // The source's name may be its component's own text, which this entry must not keep.
  FName = &PooledEntryText(*entry->FName);
  FTypeName = entry->FTypeName;
  FSubType = entry->FSubType;
  TouchEntryTrees();
}

void TMainEntry::Assign(TPersistent* source) {
  if (auto* src = dynamic_cast<TMainEntry*>(source)) {
    AssignThis(src);
    FProps->Assign(src->FProps);
    SetItems(src->FItems);
    return;
  }
  TBaseEntry::Assign(source);
}

bool TMainEntry::Compare(const TMainEntry* entry) const {
  return entry && FObject == entry->FObject && FSubType == entry->FSubType && SameText(*FName, *entry->FName);
}

bool TMainEntry::ForEachPropertyEntry(const TForEachPropertyEntryProc& proc, void* data) {
  for (int i = FProps->Count() - 1; i >= 0; --i) {
    bool stop = false;
    proc(this, FProps->Items(i), data, stop);
    if (stop) return false;
    if (i > FProps->Count()) i = FProps->Count();  // the procedure may have freed items
  }
  return !FItems || FItems->ForEachPropertyEntry(proc, data);
}

void TMainEntry::MoveSubItemsToStrings(TMoveSubItemsMode mode, TStrings* strings, const String& prefix) {
  for (int i = 0; i < FProps->Count(); ++i) {
    TPropertyEntry* item = FProps->Items(i);
    strings->AddObject(mode == mmNameOnly ? prefix + item->Name() : item->GetDescriptor(prefix), item);
  }
  for (int i = 0; i < ItemCount(); ++i) {
    TMainEntry* sub = FItems->Items(i);
    sub->MoveSubItemsToStrings(mode, strings, prefix + sub->Name() + ".");
  }
}

// Re-binding writes the unstored fields directly: it does not advance the generation of
// the entry trees (only dropping entries does), so that one manager's re-binding does not
// make every other re-bind too.
void TMainEntry::RefreshProps() {
  if (FProps->Count() == 0 && ItemCount() == 0) return;
  for (int i = 0; i < FProps->Count(); ++i) FProps->Items(i)->FDescriptor = nullptr;
  for (int i = 0; i < ItemCount(); ++i) {
    TMainEntry* sub = FItems->Items(i);
    if (!sub->FSubType.Contains(stNoValidate)) {
      sub->FObject = nullptr;
    } else if (sub->FSubType.Contains(stTStringsObject)) {
      for (int k = 0; k < sub->FProps->Count(); ++k)
        if (sub->FProps->Items(k)->TypeName().empty()) SetStaticTypeName(sub->FProps->Items(k), PooledEntryText("String"));
    }
  }
  if (FSubType.Contains(stPubPropObject) && FObject) BindToObject();
  if (FItems) FItems->RefreshProps();
}

// Each entry finds its property by name through the class's index (a language switch
// re-binds every item, so this must not walk all properties per item). As before, an item
// binds to a property of the same kind, and of several entries naming one property only
// the first binds.
namespace {

enum class THolding { None, Published, Strings, CollectionItem };

// How a sub-entry is held by the object of its parent: through the published property of
// its name (for a collection item, the part before "["), of class kind and readable.
THolding HoldingOf(TMainEntrySubType type, const String& name, TClass parentClass, PPropInfo& prop) {
  THolding holding = THolding::None;
  if (type == TMainEntrySubType{stPubPropObject, stCollectionObject}) holding = THolding::CollectionItem;
  else if (type == TMainEntrySubType{stPubPropObject}) holding = THolding::Published;
  else if (type == TMainEntrySubType{stTStringsObject}) holding = THolding::Strings;
  if (holding == THolding::None) return holding;
  std::string_view n = name;
  prop = parentClass->FindProp(holding == THolding::CollectionItem ? n.substr(0, n.find('[')) : n);
  if (!prop || !prop->PropType() || prop->PropType()->Kind != tkClass || !prop->Readable()) return THolding::None;
  return holding;
}

TObject* CollectionItemOf(TObject* held, const TBaseEntry* sub) {
  int index;
  auto* items = dynamic_cast<TCollection*>(held);
  return items && sub->GetItemIndex(index) && index < items->Count() ? items->Items(index) : nullptr;
}

}  // namespace

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
    item->FDescriptor = p;
    if (&item->TypeName() != &p->PropType()->Name) SetStaticTypeName(item, p->PropType()->Name);
  }
  taken.clear();
  for (int i = 0; i < ItemCount(); ++i) {
    TMainEntry* sub = FItems->Items(i);
    if (sub->FSubType.Contains(stNoValidate)) continue;
    PPropInfo p = nullptr;
    const THolding holding = HoldingOf(sub->FSubType, *sub->FName, cls, p);
    if (holding == THolding::None) continue;
    TObject* held = GetObjectProp(FObject, p);
    if (holding == THolding::CollectionItem) {
      if (TObject* item = CollectionItemOf(held, sub)) sub->FObject = item;
      continue;
    }
    if (!first(p)) continue;
    if (holding == THolding::Published) {
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
        if (item->TypeName() != "String") SetStaticTypeName(item, PooledEntryText("String"));
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

TObject* TMainEntry::HeldObject() const {
  auto* coll = dynamic_cast<TMainEntries*>(Collection());
  TMainEntry* parent = coll ? coll->GetParent() : nullptr;
  if (!parent || !parent->FObject || !parent->FSubType.Contains(stPubPropObject)) return nullptr;
  PPropInfo p = nullptr;
  const THolding holding = HoldingOf(FSubType, *FName, parent->FObject->ClassType(), p);
  if (holding == THolding::None) return nullptr;
  TObject* held = GetObjectProp(parent->FObject, p);
  if (holding == THolding::CollectionItem) return CollectionItemOf(held, this);
  if (holding == THolding::Strings) return dynamic_cast<TStrings*>(held);
  return held;
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
    if (e->FItems) e->FItems->ValidateAndPack();
    if (e->SubType().Contains(stPubPropObject)) e->GetProps()->ValidatePublishedProperties();
    else if (e->SubType().Contains(stTStringsObject)) e->GetProps()->ValidateTStrings();
    if (e->GetProps()->Count() == 0 && e->ItemCount() == 0) delete e;
  }
}

void TMainEntries::ReleaseEmptyItems() {
  for (int i = 0; i < Count(); ++i) {
    TMainEntry* e = Items(i);
    if (!e->FItems) continue;
    if (e->FItems->Count() > 0) {
      e->FItems->ReleaseEmptyItems();
    } else {
      delete e->FItems;
      e->FItems = nullptr;
    }
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
    if (e->ItemsOrNull() && twin->ItemsOrNull()) e->ItemsOrNull()->RemoveEqualPropertyEntries(twin->ItemsOrNull());
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

TInternalController* TComponentEntry::Controller() const {
  auto* entries = dynamic_cast<TComponentEntries*>(Collection());
  return entries ? entries->Controller() : nullptr;
}

void TComponentEntry::DetachName() {
  if (TComponent* ref = GetRef(); ref && FName == &ref->Name()) FName = &PooledEntryText(ref->Name());
}

void TComponentEntry::SetRef(TComponent* component) {
  if (component != FObject) {
    DetachName();
    FObject = component;
    FSiblingWatched = false;
    TouchEntryTrees();
  }
  auto* entries = dynamic_cast<TComponentEntries*>(Collection());
  if (!component || !entries) return;
  TComponent* watcher = entries->FWatcher;
  if (watcher && watcher->Owner() && component->Owner() == watcher->Owner()) {
    FSiblingWatched = true;
  } else if (!FSiblingWatched) {
    component->FreeNotification(entries->Controller());
  }
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
  auto* ref = dynamic_cast<TComponent*>(entry->Object());
  SetRef(ref);
  FName = ref && entry->Name() == ref->Name() ? &ref->Name() : &PooledEntryText(entry->Name());
  FTypeName = &entry->TypeName();
  FSubType = entry->SubType();
  TouchEntryTrees();
}

void TComponentEntry::RefreshProps() {
  if (TComponent* ref = GetRef()) {
    FName = &ref->Name();
    FTypeName = &ref->ClassName();
  }
  TMainEntry::RefreshProps();
}

TComponentEntries::TComponentEntries(TPersistent* owner, TClass propertyItemClass)
    : TMainEntries(TComponentEntry::StaticClass(), owner, propertyItemClass),
      FController(std::make_unique<TInternalController>(nullptr)) {
  FController->FEntries = this;
}

void TComponentEntries::SetWatcher(TComponent* watcher) {
  if (watcher == FWatcher) return;
  WatcherLeavesOwner();
  FWatcher = watcher;
  for (int i = 0; i < Count(); ++i)
    if (TComponent* ref = Items(i)->GetRef()) Items(i)->SetRef(ref);
}

void TComponentEntries::ComponentRemoved(TComponent* component) {
  if (!component) return;
  if (component == FWatcher) {
    // The watcher leaves its owner: it will not hear of its former siblings any more.
    if (!component->ComponentState().Contains(csDestroying)) WatcherLeavesOwner();
    return;
  }
  for (int i = Count() - 1; i >= 0; --i) {
    TComponentEntry* e = Items(i);
    if (e->Object() != component) continue;
    if (component->ComponentState().Contains(csDestroying)) {
      delete e;
    } else if (e->FSiblingWatched) {
      // Only leaves the owner: from now on its end is heard through the controller.
      e->FSiblingWatched = false;
      component->FreeNotification(FController.get());
    }
    return;
  }
}

void TComponentEntries::WatcherLeavesOwner() {
  for (int i = 0; i < Count(); ++i) {
    TComponentEntry* e = Items(i);
    if (!e->FSiblingWatched) continue;
    e->FSiblingWatched = false;
    if (TComponent* ref = e->GetRef(); ref && ref != FWatcher) ref->FreeNotification(FController.get());
  }
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
