// The language manager: the languages of a language component, its translated items
// with one value slot per language, and its named strings.
#pragma once

#include <string_view>
#include <vector>

#include "ComponentExplorerTools.h"

namespace xel {

XEL_ENUM(TCreateMode, cmNone, cmConsistent, cmInconsistent)
XEL_ENUM(TSyncCountMode, cmInitNone, cmInitDefault, cmInitAll)
XEL_ENUM(TImportMode, imClearExisting, imAddAll, imAddNotExisting)

class TLanguageEntry : public TCollectionItem {
  XEL_CLASS(TLanguageEntry, TCollectionItem)
public:
  explicit TLanguageEntry(TCollection* collection) : TCollectionItem(collection) {}
  void Assign(TPersistent* source) override;

  bool Marked() const { return FMarked; }
  void SetMarked(bool v) { FMarked = v; }
  // Clears the mark of every language of the collection, then sets its own.
  void Mark();
  const String& Name() const { return FName; }
  void SetName(const String& v) { FName = v; }
  const String& Hint() const { return FHint; }
  void SetHint(const String& v) { FHint = v; }
  // The language's value slot: 0 for the active language, -1 while it has none.
  Integer SubIndex() const { return FSubIndex; }
  void SetSubIndex(Integer v) { FSubIndex = v; }
  bool IsActive() const { return FSubIndex == 0; }

  static auto Published() {
    using C = TLanguageEntry;
    return PropTable<C>(Prop("Name", &C::FName, &C::FName), Prop("Hint", &C::FHint, &C::FHint),
                        Prop("SubIndex", &C::FSubIndex, &C::FSubIndex));
  }

private:
  bool FMarked = false;
  String FName;
  String FHint;
  Integer FSubIndex = -1;
};

class TLanguageEntries : public TOwnedCollection {
  XEL_CLASS(TLanguageEntries, TOwnedCollection)
public:
  explicit TLanguageEntries(TPersistent* owner) : TOwnedCollection(owner, TLanguageEntry::StaticClass()) {}
  TLanguageEntry* Items(int index) const { return static_cast<TLanguageEntry*>(TCollection::Items(index)); }
  TLanguageEntry* Add() { return static_cast<TLanguageEntry*>(TCollection::Add()); }
  // The first language whose name equals the trimmed name, ignoring case; -1 if none.
  int IndexOfName(std::string_view name) const;
};

// A translated item whose slots all are value buffers in memory.
class TConsistentLangPropertyEntry : public TPropertyEntry {
  XEL_CLASS(TConsistentLangPropertyEntry, TPropertyEntry)
public:
  static constexpr Integer MaxSlots = 4096;
  explicit TConsistentLangPropertyEntry(TCollection* collection) : TPropertyEntry(collection) {}
  ~TConsistentLangPropertyEntry() override;

  Integer Count() const { return FCount; }
  // Makes the table hold max(count, 1) slots when count differs.
  void SetCount(Integer count);
  void ChangeCount(Integer count);
  virtual void AssignNew(const TConsistentLangPropertyEntry* source);
  virtual Variant GetLangValue(int slot) const;
  virtual void SetLangValue(int slot, const Variant& value);
  virtual void ExchangeLangValues(int slot1, int slot2);
  // Whether the live property accepts the text; the live value is restored either way.
  bool IsValueValid(const String& text);
  void Assign(TPersistent* source) override;
  String GetDescriptor(const String& prefix) const override;

  // A slot's stored buffer; false when the slot holds none (Null).
  bool Buffer(int slot, std::string_view& bytes) const;

  static auto Published() {
    using C = TConsistentLangPropertyEntry;
    return PropTable<C>(Prop("Count", &C::Count, &C::SetCount).NoDefault());
  }

protected:
  void CheckSlot(int slot, const char* op) const;
  // Slots as raw buffers; an empty view clears the slot (Null).
  bool HasSlot(int slot) const { return FSlots && SlotSizes()[slot] != 0; }
  std::string_view SlotBytes(int slot) const;
  void SetSlotBytes(int slot, std::string_view bytes);
  // Makes slot hold a byte string: its type code, then the text.
  void SetSlotText(int slot, std::string_view text);
  void SwapSlots(int slot1, int slot2);

  // Resizes a slot's buffer in place (moving the later ones) and answers where it starts.
  Byte* ResizeSlot(int slot, size_t size);

  // Every slot's buffer in one block: the capacity of the data area, the byte size of each
  // slot (0: no buffer, the slot is Null), then the buffers one after the other.
  Byte* FSlots = nullptr;
  Integer FCount = 0;

private:
  std::uint32_t* SlotSizes() const { return reinterpret_cast<std::uint32_t*>(FSlots) + 1; }
  Byte* SlotData() const { return FSlots + 4 * (1 + static_cast<size_t>(FCount)); }
  size_t SlotOffset(int slot) const;
};

// Slot 0 is the live property the item names; slots 1 and up are buffers, stored in the
// form stream as the binary property "Values".
class TInconsistentLangPropertyEntry : public TConsistentLangPropertyEntry {
  XEL_CLASS(TInconsistentLangPropertyEntry, TConsistentLangPropertyEntry)
public:
  explicit TInconsistentLangPropertyEntry(TCollection* collection) : TConsistentLangPropertyEntry(collection) {}
  void AssignNew(const TConsistentLangPropertyEntry* source) override;
  Variant GetLangValue(int slot) const override;
  void SetLangValue(int slot, const Variant& value) override;
  void ExchangeLangValues(int slot1, int slot2) override;
  void DefineProperties(TFiler* filer) override;

  // A value that the live property refused during a switch: the value of the active
  // language until the property accepts one.
  bool HasPending() const { return FCount > 0 && HasSlot(0); }

  // The exchange of slot 0 and slot k for a text: the text of slot k goes into the
  // property, the property's text into slot k, without going through variants. `object`
  // is what the item's main entry is bound to: the object of a published property (when
  // the item has a descriptor) or the string list that holds its line. teNotText, changing
  // nothing, when the item is no such case. When the entry trees change while the property
  // is written (a handler that frees components), the item may be gone: teInterrupted, the
  // item is not touched again, and the text the property held waits in scratch.Live for
  // FinishText once the caller knows the item still exists.
  enum TTextExchange { teNotText, teDone, teInterrupted };
  // Texts that keep their capacity from item to item.
  struct TTextScratch {
    String Stored, Live;
  };
  TTextExchange ExchangeText(int k, TObject* object, std::uint64_t generation, TTextScratch& scratch);
  void FinishText(int k, const String& live) { SetSlotText(k, live); }

private:
  void LoadValues(TStream* stream);
  void StoreValues(TStream* stream);
};

class TLanguageManager : public TObject {
  XEL_CLASS(TLanguageManager, TObject)
public:
  TLanguageManager(TComponent* owner, TComponent* control, TPersistent* langsOwner, TCreateMode mode);
  ~TLanguageManager() override;

  bool HasOwner() const { return FHasOwner; }
  TComponent* Owner() const { return FOwner; }
  TComponent* Control() const { return FControl; }
  TCreateMode Mode() const { return FMode; }
  TLanguageEntries* Langs() const { return FLangs.get(); }
  TComponentEntries* Comps() const { return FComps.get(); }
  TStringList* Names() const { return FNames.get(); }
  TStringList* Values() const { return FValues.get(); }

  // Binds the items to the live components and brings every slot count in step. With
  // dropped, lists what binding let go of the data the manager read last, each as its item
  // path and the reason ("Button2.Caption: component Button2 does not exist").
  void Init(TSyncCountMode mode, std::vector<String>* dropped = nullptr);
  void Clear();
  void Assign(const TLanguageManager* source);
  void AssignLangsAndSync(const TLanguageEntries* languages, TSyncCountMode mode);
  void SyncCount(TSyncCountMode mode);
  // Makes the language at index the active one; false when it is already, or has no slot.
  bool SetLanguageByIndex(int index);
  int GetLangCount() const { return FLangs->Count(); }

  bool GetString(std::string_view name, String& value) const;
  TConsistentLangPropertyEntry* AddString(const String& name);
  void RemoveString(TConsistentLangPropertyEntry* item);
  bool IsUniqueStringName(std::string_view name) const { return GetStringNameIndex(name) < 0; }
  int GetStringNameIndex(std::string_view name) const;
  static bool IsStringNameValid(std::string_view name);
  // The "Resources" entry under the control's component entry, made when asked.
  TMainEntry* GetStringInterface(bool create);
  void OnCompsAssign(TObject* sender, TPersistent* source);

  // The four stored properties: prefix + Langs, Comps, Names, Values.
  void DefineProperties(const String& prefix, TFiler* filer);

private:
  [[noreturn]] void Fail(const char* what) const;
  // Every translated item of the tree, in the traversal order of the entry tree.
  std::vector<TConsistentLangPropertyEntry*> AllItems() const;

  // What a switch walks: every item with the object its entry is bound to (null for items
  // that go through ExchangeLangValues), and the sub-entries whose objects can change
  // without the entry tree knowing (a font replaced, a collection item deleted, lines
  // removed). The plan holds while the trees' generation stands still and those objects are
  // still there; otherwise the tree is re-bound first, as every switch used to do.
  struct TPlanItem {
    TConsistentLangPropertyEntry* Item;
    TObject* Object;
  };
  struct TPlanSub {
    TMainEntry* Entry;
    TObject* Object;
    TClass Class;
    int Lines;  // lines the string list must still have
  };
  void EnsurePlan();
  void BuildPlan(bool rebind);
  bool PlanStillBound() const;
  void CollectPlan(const TMainEntries* entries, bool sub);
  void ExchangeAll(int k);
  std::vector<TPlanItem> FPlan;
  std::vector<TPlanSub> FPlanSubs;
  std::uint64_t FPlanGeneration = 0;   // 0: no plan
  std::uint64_t FBoundGeneration = 0;  // the generation at the end of the last Init
  static String EmptyValueText(const TConsistentLangPropertyEntry* item);
  static void WriteLines(TWriter* writer, const TStrings* list);
  static void ReadLines(TReader* reader, TStrings* list);

  // The component names that the entries read last gave (until Init): an entry whose
  // component is missing keeps no name of its own.
  struct TStoredRef {
    const TComponentEntry* Entry;
    String Name;
  };
  std::vector<TStoredRef> FStoredRefs;
  void ListItems(std::vector<String>& paths, std::vector<String>* missing) const;

  bool FHasOwner;
  TComponent* FOwner;
  TComponent* FControl;
  TCreateMode FMode;
  std::unique_ptr<TLanguageEntries> FLangs;
  std::unique_ptr<TComponentEntries> FComps;
  std::unique_ptr<TStringList> FNames;
  std::unique_ptr<TStringList> FValues;
};

class TSortGrid;
// Gives the grid's rows the height of its font's text ("ABC") plus 4 pixels; the windows
// that show language data call it whenever their grid's font changes.
void AdjustGridDefaultRowHeight(TSortGrid* grid);

void RegisterGlottaToolsClasses();

}  // namespace xel
