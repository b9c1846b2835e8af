// The entry tree: names, by text, a set of properties of live components, of the
// sub-objects reached through their published properties (an object property, a string
// list, one item of a collection), and on each level the properties chosen. Only names,
// kinds and indices are stored; after loading, Init re-binds the tree to the live objects.
#pragma once

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

class TBaseEntry : public TCollectionItem {
  XEL_CLASS(TBaseEntry, TCollectionItem)
public:
  explicit TBaseEntry(TCollection* collection) : TCollectionItem(collection) {}

  const String& GetName() const { return FName; }
  void SetName(const String& v) { FName = v; }
  const String& Name() const { return FName; }
  // The class or type name of what the entry stands for (not stored).
  const String& TypeName() const { return FTypeName; }
  void SetTypeName(const String& v) { FTypeName = v; }
  virtual TObject* GetParentObject() const = 0;
  String GetDisplayName() const override { return FName + ":" + FTypeName; }
  // Reads "Strings[12]" (or "[5]") backwards: true with the index when the name ends with
  // "]" after at least one digit and a "[" before the digits; else false (index -1 when
  // the name does not end with "]").
  bool GetItemIndex(int& index) const;

  static auto Published() { return PropTable<TBaseEntry>(Prop("Name", &TBaseEntry::GetName, &TBaseEntry::SetName)); }

protected:
  String FName;
  String FTypeName;
};

class TBaseEntries : public TOwnedCollection {
  XEL_CLASS(TBaseEntries, TOwnedCollection)
public:
  TBaseEntries(TPersistent* owner, TClass itemClass) : TOwnedCollection(owner, itemClass) {}
  virtual TObject* GetParentObject() const = 0;
  // Called after every Assign with (this collection, the source).
  TAssignNotify OnAssign;
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
  void SetKind(TTypeKind v) { FKind = v; }
  // The published Index: a string-list line, or the row of a named string; -1 for none.
  Integer IndexValue() const { return FIndex; }
  void SetIndexValue(Integer v) { FIndex = v; }
  PPropInfo Descriptor() const { return FDescriptor; }
  void SetDescriptor(PPropInfo d) { FDescriptor = d; }

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
        Prop("Kind", &TPropertyEntry::FKind, &TPropertyEntry::FKind).NoDefault(),
        Prop("Index", &TPropertyEntry::FIndex, &TPropertyEntry::FIndex).Stored(&TPropertyEntry::IsIndexStored));
  }

private:
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
  void SetObject(TObject* o) { FObject = o; }
  TMainEntries* GetItems() const { return FItems; }
  void SetItems(TMainEntries* v);
  TPropertyEntries* GetProps() const { return FProps; }
  void SetProps(TPropertyEntries* v);
  TMainEntrySubType SubType() const { return FSubType; }
  void SetSubType(TMainEntrySubType v) { FSubType = v; }

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
                                 Prop("SubType", &TMainEntry::FSubType, &TMainEntry::FSubType));
  }

protected:
  void BindToObject();
  TObject* FObject = nullptr;
  TMainEntries* FItems = nullptr;
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
  // RefreshProps on every entry, from the last to the first, then ValidateAndPack.
  void Init();
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

class TComponentEntry : public TMainEntry {
  XEL_CLASS(TComponentEntry, TMainEntry)
public:
  explicit TComponentEntry(TCollection* collection);
  TInternalController* Controller() const { return FController; }
  TComponent* GetRef() const { return static_cast<TComponent*>(FObject); }
  // Asks the component for a free notification to the controller, and takes it as object.
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
  TInternalController* FController = nullptr;
};

class TComponentEntries : public TMainEntries {
  XEL_CLASS(TComponentEntries, TMainEntries)
public:
  TComponentEntries(TPersistent* owner, TClass propertyItemClass);
  ~TComponentEntries() override;
  TComponentEntry* Items(int index) const { return static_cast<TComponentEntry*>(TCollection::Items(index)); }
  TInternalController* Controller() const { return FController.get(); }

private:
  std::unique_ptr<TInternalController> FController;
};

void RegisterModelClasses();

}  // namespace xel
