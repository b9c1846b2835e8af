// The entry tree: names, by text, a set of properties of live components, of the
// sub-objects reached through their published properties (an object property, a string
// list, one item of a collection), and on each level the properties chosen. Only names,
// kinds and indices are stored; after loading, Init re-binds the tree to the live objects.
#pragma once

#include <atomic>
#include <functional>

#include "ClassInfo.h"

namespace xel {

XEL_ENUM(TMainEntrySubTypeItem, stPubPropObject, stCollectionObject, stTStringsObject, stNoValidate)
XEL_SET(TMainEntrySubType, TMainEntrySubTypeItem)
XEL_ENUM(TMoveSubItemsMode, mmNameAndType, mmNameOnly)
XEL_EVENT(TAssignNotify, TObject* /*Sender*/, TPersistent* /*Source*/);

class TMainEntry;
class TMainEntries;
class TPropertyEntry;
class TPropertyEntries;
class TComponentEntries;

// The procedure of ForEachPropertyEntry: (main entry, property item, data, stop).
using TForEachPropertyEntryProc = std::function<void(TMainEntry*, TPropertyEntry*, void*, bool&)>;

// Advanced by every change of any entry tree that can change what its items bind to:
// entries added, removed or moved, and names, kinds, indices, objects, sub-types or
// references set from outside. Re-binding itself (Init) does not advance it unless it
// drops entries, so a user of a bound tree re-binds only when the number moved.
extern std::atomic<std::uint64_t> GEntryTreeGeneration;
inline std::uint64_t EntryTreeGeneration() { return GEntryTreeGeneration.load(std::memory_order_relaxed); }
inline void TouchEntryTrees() { GEntryTreeGeneration.fetch_add(1, std::memory_order_relaxed); }

// Names and type names repeat across thousands of items (Caption, Strings[0], TEdit):
// each text is kept once in a pool that lives as long as the program, and entries point
// at it.
const String& PooledEntryText(std::string_view text);
const String& EmptyEntryText();

class TBaseEntry : public TCollectionItem {
  XEL_CLASS(TBaseEntry, TCollectionItem)
public:
  explicit TBaseEntry(TCollection* collection) : TCollectionItem(collection) {}

  const String& GetName() const { return *FName; }
  void SetName(const String& v);
  const String& Name() const { return *FName; }
  // The class or type name of what the entry stands for (not stored).
  const String& TypeName() const { return *FTypeName; }
  void SetTypeName(const String& v) { FTypeName = &PooledEntryText(v); }
  virtual TObject* GetParentObject() const = 0;
  String GetDisplayName() const override { return *FName + ":" + *FTypeName; }
  // Reads "Strings[12]" (or "[5]") backwards: true with the index when the name ends with
  // "]" after at least one digit and a "[" before the digits; else false (index -1 when
  // the name does not end with "]").
  bool GetItemIndex(int& index) const;

  static auto Published() { return PropTable<TBaseEntry>(Prop("Name", &TBaseEntry::GetName, &TBaseEntry::SetName)); }

protected:
  // Points the type name at a text that lives as long as the program (a class or type name).
  static void SetStaticTypeName(TBaseEntry* entry, const String& text) { entry->FTypeName = &text; }
  // Pooled texts; a component entry's name is its component's own name (see
  // TComponentEntry).
  const String* FName = &EmptyEntryText();
  const String* FTypeName = &EmptyEntryText();
};

class TBaseEntries : public TOwnedCollection {
  XEL_CLASS(TBaseEntries, TOwnedCollection)
public:
  TBaseEntries(TPersistent* owner, TClass itemClass) : TOwnedCollection(owner, itemClass) {}
  virtual TObject* GetParentObject() const = 0;

protected:
  // Entries added, removed or moved.
  void Update(TCollectionItem* item) override;
};

class TPropertyEntry : public TBaseEntry {
  XEL_CLASS(TPropertyEntry, TBaseEntry)
public:
  // Kind tkUnknown, Index -1, no descriptor.
  explicit TPropertyEntry(TCollection* collection) : TBaseEntry(collection) {}
  // An item in the main entry's Props; the second form is bound to the descriptor and
  // takes name, type name and kind from it.
  static TPropertyEntry* Create(TMainEntry* mainEntry, const String& name, const String& typeName, TTypeKind kind);
  static TPropertyEntry* Create(TMainEntry* mainEntry, PPropInfo descriptor);

  TTypeKind Kind() const { return FKind; }
  void SetKind(TTypeKind v);
  // The published Index: a string-list line, or the row of a named string; -1 for none.
  Integer IndexValue() const { return FIndex; }
  void SetIndexValue(Integer v);
  PPropInfo Descriptor() const { return FDescriptor; }
  void SetDescriptor(PPropInfo d);
  // The string-list line the item names: Index when it is set, else the "[n]" of its name.
  bool LineIndex(int& line) const;

  TObject* GetParentObject() const override;
  TPropertyEntries* GetParent() const;
  // The main entry that holds the item, through its collection.
  TMainEntry* MainEntry() const;
  void Assign(TPersistent* source) override;
  bool Compare(const TPropertyEntry* item) const;
  // prefix + name + "[" + Index + "]: " + type name, or prefix + name + ": " + type name.
  virtual String GetDescriptor(const String& prefix) const;
  // The live value; Null when the item is not bound. Errors of the property access or of
  // the string list pass to the caller.
  Variant GetValue() const;
  void SetValue(const Variant& value);
  String GetTypDef() const;
  // A TClassInfo for (object, descriptor), owned by the caller; false and none when the
  // item is no bound published property.
  bool GetClassInfo(std::unique_ptr<TClassInfo>& info) const;
  TPropertyEntry* CopyItem(TMainEntries* destination) const;
  TPropertyEntry* MoveItem(TMainEntries* destination);

  static auto Published() {
    return PropTable<TPropertyEntry>(
        Prop("Kind", &TPropertyEntry::Kind, &TPropertyEntry::SetKind).NoDefault(),
        Prop("Index", &TPropertyEntry::IndexValue, &TPropertyEntry::SetIndexValue)
            .Stored(&TPropertyEntry::IsIndexStored));
  }

private:
  friend class TMainEntry;
  bool IsIndexStored() const { return FIndex >= 0; }
  TTypeKind FKind = tkUnknown;
  Integer FIndex = -1;
  PPropInfo FDescriptor = nullptr;
};

class TPropertyEntries : public TBaseEntries {
  XEL_CLASS(TPropertyEntries, TBaseEntries)
public:
  TPropertyEntries(TMainEntry* mainEntry, TClass itemClass);
  TPropertyEntry* Items(int index) const { return static_cast<TPropertyEntry*>(TCollection::Items(index)); }
  TObject* GetParentObject() const override;
  TMainEntry* GetParent() const;
  int IndexOfProp(std::string_view name) const;
  TPropertyEntry* FindItem(const TPropertyEntry* item) const;
  // Frees every item without descriptor.
  void ValidatePublishedProperties();
  // Frees every item with a descriptor, and every item that names no line.
  void ValidateTStrings();
};

class TMainEntry : public TBaseEntry {
  XEL_CLASS(TMainEntry, TBaseEntry)
public:
  // Creates Props (item class: the collection's property item class) and Items (the same
  // property item class and assign mode).
  explicit TMainEntry(TCollection* collection);
  ~TMainEntry() override;
  static TMainEntry* Create(TMainEntries* entries, TObject* object, const String& name, const String& typeName,
                            TMainEntrySubType subType);

  TObject* Object() const { return FObject; }
  void SetObject(TObject* o);
  // The sub-entries; the collection is made when first asked for (most entries have none).
  TMainEntries* GetItems() const;
  // The sub-entries when there are any (or an empty collection was made), else nullptr.
  TMainEntries* ItemsOrNull() const { return FItems; }
  int ItemCount() const;
  void SetItems(TMainEntries* v);
  TPropertyEntries* GetProps() const { return FProps; }
  void SetProps(TPropertyEntries* v);
  TMainEntrySubType SubType() const { return FSubType; }
  void SetSubType(TMainEntrySubType v);
  // What RefreshProps would bind this sub-entry to now: the object that its parent's
  // object holds under its name (or the collection item it names); nullptr when there is
  // none or the entry is not a sub-entry bound that way.
  TObject* HeldObject() const;

  TObject* GetParentObject() const override;
  TMainEntries* GetParent() const;
  TMainEntry* FindFirstMainEntry();
  void Assign(TPersistent* source) override;
  // Copies only object, name, type name and sub-type.
  virtual void AssignThis(const TMainEntry* entry);
  bool Compare(const TMainEntry* entry) const;
  bool ForEachPropertyEntry(const TForEachPropertyEntryProc& proc, void* data);
  void MoveSubItemsToStrings(TMoveSubItemsMode mode, TStrings* strings, const String& prefix = "");
  virtual void RefreshProps();
  TMainEntry* CopyItem(TMainEntries* destination, bool deep) const;
  TMainEntry* MoveItem(TMainEntries* destination, bool deep);

  static auto Published() {
    return PropTable<TMainEntry>(Prop("Items", &TMainEntry::GetItems, &TMainEntry::SetItems),
                                 Prop("Props", &TMainEntry::GetProps, &TMainEntry::SetProps),
                                 Prop("SubType", &TMainEntry::SubType, &TMainEntry::SetSubType));
  }

protected:
  friend class TMainEntries;
  void BindToObject();
  TObject* FObject = nullptr;
  mutable TMainEntries* FItems = nullptr;
  TPropertyEntries* FProps = nullptr;
  TMainEntrySubType FSubType;
};

class TMainEntries : public TBaseEntries {
  XEL_CLASS(TMainEntries, TBaseEntries)
public:
  TMainEntries(TClass itemClass, TPersistent* owner, TClass propertyItemClass);
  TMainEntries(TPersistent* owner, TClass propertyItemClass);
  TMainEntry* Items(int index) const { return static_cast<TMainEntry*>(TCollection::Items(index)); }

  TClass PropertyItemClass() const { return FPropertyItemClass; }
  bool AssignMode() const { return FAssignMode; }
  void SetAssignMode(bool value) { FAssignMode = value; }
  TObject* GetParentObject() const override;
  // The owner when it is a main entry, else none.
  TMainEntry* GetParent() const;

  // When the assign mode is on and the source is a TMainEntries, its property item class
  // is taken over first; then the host's assignment; then OnAssign.
  void Assign(TPersistent* source) override;
  // Called after every Assign with (this collection, the source).
  TAssignNotify OnAssign;
  // RefreshProps on every entry, from the last to the first, then ValidateAndPack.
  void Init();
  // Frees the empty sub-entry collections of the whole tree (a stream reader makes one
  // for every entry it reads). Pointers to those collections become invalid.
  void ReleaseEmptyItems();
  void RefreshProps();
  void ValidateAndPack();
  int IndexOfName(std::string_view name) const;
  TMainEntry* FindItem(const TMainEntry* entry) const;
  // Visits the entries from the last to the first, each with its whole subtree; false
  // when the procedure stopped it.
  bool ForEachPropertyEntry(const TForEachPropertyEntryProc& proc, void* data);
  void MoveSubItemsToStrings(TMoveSubItemsMode mode, TStrings* strings);
  // Frees the property items that the other tree has as well.
  void RemoveEqualPropertyEntries(const TMainEntries* other);

private:
  TClass FPropertyItemClass;
  bool FAssignMode = true;
};

// Serves the free notifications of a TComponentEntries: an entry whose component is
// destroyed is freed at once.
class TInternalController : public TComponent {
  XEL_CLASS(TInternalController, TComponent)
public:
  explicit TInternalController(TComponent* owner) : TComponent(owner) {}
  TComponentEntries* Entries() const { return FEntries; }
  void Notification(TComponent* component, TOperation operation) override;

private:
  friend class TComponentEntries;
  TComponentEntries* FEntries = nullptr;
};

// Its name, once re-bound, is its component's own name text, so that a renamed component
// is known by its new name at once; the entry goes when the component does.
class TComponentEntry : public TMainEntry {
  XEL_CLASS(TComponentEntry, TMainEntry)
public:
  explicit TComponentEntry(TCollection* collection) : TMainEntry(collection) {}
  TInternalController* Controller() const;
  TComponent* GetRef() const { return static_cast<TComponent*>(FObject); }
  // Asks to hear of the component's end (see TComponentEntries::SetWatcher), and takes it
  // as object.
  void SetRef(TComponent* component);
  void Assign(TPersistent* source) override;
  void AssignThis(const TMainEntry* entry) override;
  // Takes the component's current name and class name first, then re-binds as a main entry.
  void RefreshProps() override;

  static auto Published() {
    return PropTable<TComponentEntry>(Prop("Name", &TBaseEntry::GetName, &TBaseEntry::SetName).Stored(false),
                                      Prop("Ref", &TComponentEntry::GetRef, &TComponentEntry::SetRef));
  }

private:
  friend class TComponentEntries;
  // The name text is the component's own; it becomes a pooled copy when the entry lets
  // go of the component.
  void DetachName();
  bool FSiblingWatched = false;
};

class TComponentEntries : public TMainEntries {
  XEL_CLASS(TComponentEntries, TMainEntries)
public:
  TComponentEntries(TPersistent* owner, TClass propertyItemClass);
  ~TComponentEntries() override;
  TComponentEntry* Items(int index) const { return static_cast<TComponentEntry*>(TCollection::Items(index)); }
  TInternalController* Controller() const { return FController.get(); }

  // A component that passes every Notification(opRemove) it receives on to
  // ComponentRemoved. Its owner tells it of every sibling that leaves, so entries of those
  // siblings need no free-notification lists (which cost memory on both sides per
  // component). Entries of other components are watched through the controller as before.
  TComponent* Watcher() const { return FWatcher; }
  void SetWatcher(TComponent* watcher);
  // The watcher's part: frees the entry of a component that is destroyed; one that only
  // leaves its owner is watched through the controller from now on.
  void ComponentRemoved(TComponent* component);
  // The watcher is about to change its owner: its former siblings are watched through the
  // controller from now on.
  void WatcherLeavesOwner();

private:
  friend class TComponentEntry;
  std::unique_ptr<TInternalController> FController;
  TComponent* FWatcher = nullptr;
};

void RegisterModelClasses();

}  // namespace xel
