#include "Component.h"

#include <algorithm>

#include "Filer.h"
#include "Format.h"

namespace xel {

TComponent::TComponent(TComponent* owner) {
  if (owner) owner->InsertComponent(this);
}

namespace detail {

bool TFreeNotifyList::contains(TComponent* c) const {
  if (!FIndex.empty()) return FIndex.count(c) != 0;
  return std::find(FItems.begin(), FItems.end(), c) != FItems.end();
}

void TFreeNotifyList::push_back(TComponent* c) {
  FItems.push_back(c);
  ++FLive;
  if (!FIndex.empty()) {
    FIndex[c] = FItems.size() - 1;
  } else if (FLive >= IndexFrom) {
    for (size_t i = 0; i < FItems.size(); ++i)
      if (FItems[i]) FIndex[FItems[i]] = i;
  }
}

void TFreeNotifyList::pop_back() {
  if (!FIndex.empty()) FIndex.erase(FItems.back());
  FItems.pop_back();
  --FLive;
  Trim();
}

void TFreeNotifyList::erase(TComponent* c) {
  size_t at;
  if (!FIndex.empty()) {
    auto it = FIndex.find(c);
    if (it == FIndex.end()) return;
    at = it->second;
    FIndex.erase(it);
  } else {
    auto it = std::find(FItems.begin(), FItems.end(), c);
    if (it == FItems.end()) return;
    at = static_cast<size_t>(it - FItems.begin());
  }
  FItems[at] = nullptr;
  --FLive;
  Trim();
  // Compact when most of the list is holes, keeping the order.
  if (FItems.size() > 2 * FLive + IndexFrom) {
    std::erase(FItems, nullptr);
    FIndex.clear();
    if (FLive >= IndexFrom)
      for (size_t i = 0; i < FItems.size(); ++i) FIndex[FItems[i]] = i;
  }
}

void TFreeNotifyList::Trim() {
  while (!FItems.empty() && !FItems.back()) FItems.pop_back();
  if (FLive == 0) FIndex.clear();
}

}  // namespace detail

TComponent::~TComponent() {
  Destroying();
  // Everyone who asked hears of the end; a listener normally removes itself (and us from
  // its list) in Notification, and is taken off here when it does not.
  while (!FFreeNotifies.empty()) {
    TComponent* other = FFreeNotifies.back();
    other->Notification(this, opRemove);
    if (!FFreeNotifies.empty() && FFreeNotifies.back() == other) {
      FFreeNotifies.pop_back();
      other->RemoveNotification(this);
    }
  }
  DestroyComponents();
  if (FOwner) FOwner->RemoveComponent(this);
}

TComponent* TComponent::Components(int index) const {
  if (index < 0 || index >= ComponentCount()) throw EListError(Format(SConst::ListIndexError, {index}));
  return FComponents[static_cast<size_t>(index)];
}

int TComponent::ComponentIndex() const {
  if (!FOwner) return -1;
  auto& list = FOwner->FComponents;
  auto it = std::find(list.begin(), list.end(), this);
  return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

void TComponent::SetComponentIndex(int value) {
  if (!FOwner) return;
  int cur = ComponentIndex();
  if (cur < 0) return;
  auto& list = FOwner->FComponents;
  int last = static_cast<int>(list.size()) - 1;
  value = std::clamp(value, 0, last);
  if (value == cur) return;
  list.erase(list.begin() + cur);
  list.insert(list.begin() + value, this);
}

TComponent* TComponent::FindComponent(std::string_view name) const {
  if (name.empty()) return nullptr;
  auto it = FNameIndex.find(name);
  return it == FNameIndex.end() ? nullptr : it->second;
}

void TComponent::SetName(const String& newName) {
  if (FName == newName) return;
  if (!newName.empty() && !IsValidIdent(newName)) throw EComponentError(Format(SConst::InvalidName, {newName}));
  if (FOwner) FOwner->ValidateRename(this, FName, newName);
  else ValidateRename(nullptr, FName, newName);
  ChangeName(newName);
}

void TComponent::ChangeName(const String& newName) {
  if (FOwner) {
    if (!FName.empty()) {
      auto it = FOwner->FNameIndex.find(std::string_view(FName));
      if (it != FOwner->FNameIndex.end() && it->second == this) FOwner->FNameIndex.erase(it);
    }
    if (!newName.empty()) FOwner->FNameIndex.emplace(newName, this);
  }
  FName = newName;
}

void TComponent::ValidateRename(TComponent* component, const String& curName, const String& newName) {
  if (component && !SameText(curName, newName) && FindComponent(newName))
    throw EComponentError(Format(SConst::DuplicateName, {newName}));
  if (FComponentState.Contains(csDesigning) && FOwner) FOwner->ValidateRename(component, curName, newName);
}

void TComponent::ValidateContainer(TComponent* component) { component->ValidateInsert(this); }

void TComponent::ValidateInsert(TComponent*) {}

void TComponent::Insert(TComponent* component) {
  FComponents.push_back(component);
  if (!component->FName.empty()) FNameIndex.emplace(component->FName, component);
  component->FOwner = this;
}

void TComponent::Remove(TComponent* component) {
  auto it = std::find(FComponents.rbegin(), FComponents.rend(), component);
  if (it != FComponents.rend()) FComponents.erase(std::next(it).base());
  if (!component->FName.empty()) {
    auto n = FNameIndex.find(std::string_view(component->FName));
    if (n != FNameIndex.end() && n->second == component) FNameIndex.erase(n);
  }
  component->FOwner = nullptr;
}

void TComponent::InsertComponent(TComponent* component) {
  if (!component || component->FOwner == this) return;
  component->ValidateContainer(this);
  ValidateRename(component, String(), component->FName);
  // A component has one owner: taking it over releases it from the previous one, so that
  // it is never destroyed twice.
  if (component->FOwner) component->FOwner->RemoveComponent(component);
  Insert(component);
  if (FComponentState.Contains(csDesigning)) component->SetDesigning(true);
  // While a stream is read into this owner, the components it creates are not announced
  // to each other one by one: that would make loading a form quadratic in its size.
  // A component that needs its siblings finds them in Loaded, when all are there.
  if (!FComponentState.Contains(csLoading)) Notification(component, opInsert);
}

void TComponent::RemoveComponent(TComponent* component) {
  if (!component || component->FOwner != this) return;
  ValidateRename(component, component->FName, String());
  Notification(component, opRemove);
  Remove(component);
}

void TComponent::DestroyComponents() {
  while (!FComponents.empty()) {
    TComponent* c = FComponents.back();
    // Only components that siblings watch need the broadcast; the rest leave quietly, which
    // keeps freeing a large form linear.
    if (c->FSiblingWatched ||
        (FComponentState.Contains(csDesigning) && FComponentState.Contains(csInline)))
      RemoveComponent(c);
    else
      Remove(c);
    delete c;
  }
}

void TComponent::Destroying() {
  if (FComponentState.Contains(csDestroying)) return;
  FComponentState.Include(csDestroying);
  for (TComponent* c : FComponents) c->Destroying();
}

void TComponent::FreeNotification(TComponent* component) {
  if (!component || component == this) return;
  if (!FOwner || component->FOwner != FOwner) {
    if (!FFreeNotifies.contains(component)) {
      FFreeNotifies.push_back(component);
      component->FreeNotification(this);
    }
  } else {
    // A watcher of the same owner is told by the owner's broadcast when this one is
    // freed. Watchers in the lists above hear it directly, so they do not make freeing
    // the owner's components broadcast (which would be quadratic on large forms).
    FSiblingWatched = true;
  }
  FComponentState.Include(csFreeNotification);
}

void TComponent::RemoveNotification(TComponent* component) {
  FFreeNotifies.erase(component);
}

void TComponent::RemoveFreeNotification(TComponent* component) {
  RemoveNotification(component);
  component->RemoveNotification(this);
}

void TComponent::Notification(TComponent* component, TOperation operation) {
  if (operation == opRemove && component) RemoveFreeNotification(component);
  // By index, re-reading the count: a handler may change the list it is called from.
  for (size_t i = 0; i < FComponents.size(); ++i) FComponents[i]->Notification(component, operation);
}

void TComponent::Loaded() { FComponentState.Exclude(csLoading); }

void TComponent::ReadState(TReader* reader) { reader->ReadData(this); }

void TComponent::WriteState(TWriter* writer) { writer->WriteData(this); }

void TComponent::GetChildren(const std::function<void(TComponent*)>&, TComponent*) {}

void TComponent::SetChildOrder(TComponent*, int) {}

void TComponent::DefineProperties(TFiler* filer) {
  auto* ancestor = dynamic_cast<TComponent*>(filer->Ancestor());
  Integer base = ancestor ? ancestor->FDesignInfo : 0;
  auto lo = [](Integer v) { return static_cast<SmallInt>(v & 0xFFFF); };
  auto hi = [](Integer v) { return static_cast<SmallInt>((v >> 16) & 0xFFFF); };
  auto set = [this](SmallInt left, SmallInt top) {
    FDesignInfo = static_cast<Integer>((static_cast<std::uint32_t>(static_cast<Word>(top)) << 16) |
                                       static_cast<Word>(left));
  };
  filer->DefineProperty(
      "Left", [this, hi, set](TReader* r) { set(static_cast<SmallInt>(r->ReadInteger()), hi(FDesignInfo)); },
      [this, lo](TWriter* w) { w->WriteInteger(lo(FDesignInfo)); }, lo(FDesignInfo) != lo(base));
  filer->DefineProperty(
      "Top", [this, lo, set](TReader* r) { set(lo(FDesignInfo), static_cast<SmallInt>(r->ReadInteger())); },
      [this, hi](TWriter* w) { w->WriteInteger(hi(FDesignInfo)); }, hi(FDesignInfo) != hi(base));
}

void TDataModule::GetChildren(const std::function<void(TComponent*)>& proc, TComponent*) {
  for (int i = 0; i < ComponentCount(); ++i)
    if (!Components(i)->HasParent()) proc(Components(i));
}

void TComponent::SetDesigning(bool value, bool setChildren) {
  if (value) FComponentState.Include(csDesigning);
  else FComponentState.Exclude(csDesigning);
  if (setChildren)
    for (TComponent* c : FComponents) c->SetDesigning(value, true);
}

void TComponent::SetAncestor(bool value) {
  if (value) FComponentState.Include(csAncestor);
  else FComponentState.Exclude(csAncestor);
  for (TComponent* c : FComponents) c->SetAncestor(value);
}

void TComponent::SetInline(bool value) {
  if (value) FComponentState.Include(csInline);
  else FComponentState.Exclude(csInline);
}

void TComponent::Updating() { FComponentState.Include(csUpdating); }
void TComponent::Updated() { FComponentState.Exclude(csUpdating); }

TComponent* CreateComponent(TComponentClass cls, TComponent* owner) {
  if (!cls || !cls->InheritsFrom(TComponent::StaticClass())) throw EInvalidCast(SConst::InvalidCast);
  return Constructed(static_cast<TComponent*>(cls->Create(owner)));
}

TComponent* Constructed(TComponent* obj) {
  try {
    obj->AfterConstruction();
  } catch (...) {
    delete obj;
    throw;
  }
  return obj;
}

}  // namespace xel
