// TComponent: named, owned components with notifications, the unit of form streams.
#pragma once

#include <unordered_map>
#include <vector>

#include "Persistent.h"

namespace xel {

XEL_ENUM(TOperation, opInsert, opRemove)
XEL_ENUM(TComponentStateItem, csLoading, csReading, csWriting, csDestroying, csDesigning, csAncestor, csUpdating,
         csFixups, csFreeNotification, csInline, csDesignInstance)
XEL_SET(TComponentState, TComponentStateItem)
XEL_ENUM(TComponentStyleItem, csInheritable, csCheckPropAvail)
XEL_SET(TComponentStyle, TComponentStyleItem)

class TComponent;

namespace detail {
// The components to tell when one is freed, in the order they asked. Lookups and removals
// are by hash once the list is long (a controller may watch every component of a form).
class TFreeNotifyList {
public:
  bool empty() const { return FLive == 0; }
  TComponent* back() const { return FItems.back(); }
  void pop_back();
  bool contains(TComponent* c) const;
  void push_back(TComponent* c);
  void erase(TComponent* c);

private:
  static constexpr size_t IndexFrom = 16;
  void Trim();
  std::vector<TComponent*> FItems;  // removed entries are null until compacted
  std::unordered_map<TComponent*, size_t> FIndex;
  size_t FLive = 0;
};
}  // namespace detail

class TComponent : public TPersistent {
  XEL_CLASS(TComponent, TPersistent)
public:
  using TCreateArg = TComponent*;
  static TComponent* CastCreateArg(TObject* arg) { return static_cast<TComponent*>(arg); }

  explicit TComponent(TComponent* owner);
  ~TComponent() override;

  const String& GetName() const { return FName; }
  const String& Name() const { return FName; }
  // Renames the component; the name must be empty or a valid identifier and unique
  // among the owner's components (EComponentError otherwise).
  virtual void SetName(const String& newName);
  TComponent* Owner() const { return FOwner; }
  int ComponentCount() const { return static_cast<int>(FComponents.size()); }
  TComponent* Components(int index) const;
  int ComponentIndex() const;
  void SetComponentIndex(int value);
  TComponentState ComponentState() const { return FComponentState; }
  TComponentStyle ComponentStyle() const { return FComponentStyle; }
  Integer Tag() const { return FTag; }
  void SetTag(Integer value) { FTag = value; }

  // The owned component of that name (ignoring case), through the owner's name index.
  TComponent* FindComponent(std::string_view name) const;
  void InsertComponent(TComponent* component);
  void RemoveComponent(TComponent* component);
  // Destroys the owned components, the last created first.
  void DestroyComponents();
  // Marks this component and everything it owns as being destroyed.
  void Destroying();

  // Asks for Notification(component, opRemove) when `component` is destroyed, and
  // tells `component` the same about this one.
  void FreeNotification(TComponent* component);
  void RemoveFreeNotification(TComponent* component);
  // Called for every component inserted into or removed from an owner, and passed on to
  // all owned components; on removal it also drops the free notification.
  virtual void Notification(TComponent* component, TOperation operation);

  virtual void Loaded();
  // Runs after the constructor of the most derived class, when the object is complete;
  // forms read their form resources here. CreateComponent and New<T> call it.
  virtual void AfterConstruction() {}
  virtual void ReadState(TReader* reader);
  virtual void WriteState(TWriter* writer);
  virtual void ValidateRename(TComponent* component, const String& curName, const String& newName);
  virtual void ValidateContainer(TComponent* component);
  virtual void ValidateInsert(TComponent* component);
  virtual void SetDesigning(bool value, bool setChildren = true);
  void SetAncestor(bool value);
  void SetInline(bool value);
  virtual void Updating();
  virtual void Updated();
  // The components a stream writes inside this one; the default writes none (forms and
  // data modules write their own).
  virtual void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root);
  // Where the reader puts the children it reads: their owner (nullptr: the root) and parent.
  virtual TComponent* GetChildOwner() { return nullptr; }
  virtual TComponent* GetChildParent() { return this; }
  virtual void SetChildOrder(TComponent* child, int order);
  // The designer's position of a non-visual component, stored as "Left" and "Top".
  Integer DesignInfo() const { return FDesignInfo; }
  void SetDesignInfo(Integer value) { FDesignInfo = value; }
  void DefineProperties(TFiler* filer) override;

  virtual bool HasParent() const { return false; }
  virtual TComponent* GetParentComponent() const { return nullptr; }
  virtual void SetParentComponent(TComponent*) {}

  TPersistent* GetOwner() const override { return FOwner; }
  String GetNamePath() const override { return FName; }

  // State flags that the streaming system and the designer switch.
  void IncludeState(TComponentStateItem flag) { FComponentState.Include(flag); }
  void ExcludeState(TComponentStateItem flag) { FComponentState.Exclude(flag); }

  static auto Published() {
    return PropTable<TComponent>(Prop("Name", &TComponent::GetName, &TComponent::SetName).Stored(false),
                                 Prop("Tag", &TComponent::FTag, &TComponent::FTag).Default(0));
  }

protected:
  virtual void ChangeName(const String& newName);
  TComponentStyle FComponentStyle{csInheritable};

private:
  void Insert(TComponent* component);
  void Remove(TComponent* component);
  void RemoveNotification(TComponent* component);

  String FName;
  TComponent* FOwner = nullptr;
  std::vector<TComponent*> FComponents;
  std::unordered_map<String, TComponent*, TTextHash, TTextEqual> FNameIndex;
  detail::TFreeNotifyList FFreeNotifies;
  bool FSiblingWatched = false;
  TComponentState FComponentState;
  Integer FTag = 0;
  Integer FDesignInfo = 0;
};

// A root that holds non-visual components and writes them all to its stream.
class TDataModule : public TComponent {
  XEL_CLASS(TDataModule, TComponent)
public:
  explicit TDataModule(TComponent* owner) : TComponent(owner) {}
  void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) override;
};

using TComponentClass = TClass;

// Creates a component through its class reference (the host's virtual constructor).
TComponent* CreateComponent(TComponentClass cls, TComponent* owner);

// Runs AfterConstruction on a new component; frees it when that raises.
TComponent* Constructed(TComponent* obj);

// Creates a component of a class known at compile time, with AfterConstruction.
template <class T>
  requires std::is_base_of_v<TComponent, T>
T* New(TComponent* owner) {
  return static_cast<T*>(Constructed(new T(owner)));
}

// The component of that name among the owner's, as the class asked for; EComponentError
// when there is none (a form class reaching the components of its form file).
template <class T>
T* OwnedComponent(const TComponent* owner, std::string_view name) {
  auto* c = dynamic_cast<T*>(owner->FindComponent(name));
  if (!c) throw EComponentError("No component " + String(name) + " of class " + T::StaticClass()->ClassName());
  return c;
}

}  // namespace xel
