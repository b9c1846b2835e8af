#include "GlottaTools.h"

#include <cstring>
#include <exception>
#include <unordered_set>

#include "Application.h"
#include "ConvertTools.h"
#include "Format.h"
#include "ReaderFixups.h"
#include "SortGrid.h"
#include "VersionControl.h"

XEL_UNIT_VERSION("$Header: /runtime/GlottaTools.cpp 1 10.12.26 6:45 XG $")

namespace xel {

// ---- languages --------------------------------------------------------------------------------

void TLanguageEntry::Assign(TPersistent* source) {
  if (auto* src = dynamic_cast<TLanguageEntry*>(source)) {
    FMarked = src->FMarked;
    FName = src->FName;
    FHint = src->FHint;
    FSubIndex = src->FSubIndex;
    return;
  }
  TCollectionItem::Assign(source);
}

void TLanguageEntry::Mark() {
  if (TCollection* c = Collection())
    for (int i = 0; i < c->Count(); ++i) static_cast<TLanguageEntry*>(c->Items(i))->FMarked = false;
  FMarked = true;
}

int TLanguageEntries::IndexOfName(std::string_view name) const {
  String n = Trim(name);
  for (int i = 0; i < Count(); ++i)
    if (CompareText(Items(i)->Name(), n) == 0) return i;
  return -1;
}

// ---- items with buffers -----------------------------------------------------------------------

namespace {
std::uint32_t ReadLE32(const Byte* p) {
  return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}
void WriteLE32(Byte* p, std::uint32_t v) {
  p[0] = static_cast<Byte>(v);
  p[1] = static_cast<Byte>(v >> 8);
  p[2] = static_cast<Byte>(v >> 16);
  p[3] = static_cast<Byte>(v >> 24);
}
std::string_view AsBytes(const std::vector<Byte>& b) { return {reinterpret_cast<const char*>(b.data()), b.size()}; }
}  // namespace

TConsistentLangPropertyEntry::~TConsistentLangPropertyEntry() {
  if (FCount > 0) ChangeCount(0);
  std::free(FSlots);
}

// One slot per language; a stored count far beyond any language list is damaged data,
// refused before it allocates.
void TConsistentLangPropertyEntry::SetCount(Integer count) {
  if (count > MaxSlots) throw Exception(ClassName() + ".SetCount: Invalid count");
  if (count != FCount) ChangeCount(count > 1 ? count : 1);
}

void TConsistentLangPropertyEntry::ChangeCount(Integer count) {
  if (count < 0) count = 0;
  if (count == FCount) return;
  if (count == 0) {
    std::free(FSlots);
    FSlots = nullptr;
    FCount = 0;
    return;
  }
  const int kept = std::min(count, FCount);
  const size_t data = kept > 0 ? SlotOffset(kept) : 0;
  const size_t header = 4 * (1 + static_cast<size_t>(count));
  auto* block = static_cast<Byte*>(std::malloc(header + data));
  if (!block) throw std::bad_alloc();
  auto* sizes = reinterpret_cast<std::uint32_t*>(block) + 1;
  reinterpret_cast<std::uint32_t*>(block)[0] = static_cast<std::uint32_t>(data);
  for (int i = 0; i < count; ++i) sizes[i] = i < kept ? SlotSizes()[i] : 0;
  if (data) std::memcpy(block + header, SlotData(), data);
  std::free(FSlots);
  FSlots = block;
  FCount = count;
}

size_t TConsistentLangPropertyEntry::SlotOffset(int slot) const {
  size_t offset = 0;
  const std::uint32_t* sizes = SlotSizes();
  for (int i = 0; i < slot; ++i) offset += sizes[i];
  return offset;
}

std::string_view TConsistentLangPropertyEntry::SlotBytes(int slot) const {
  return {reinterpret_cast<const char*>(SlotData()) + SlotOffset(slot), SlotSizes()[slot]};
}

Byte* TConsistentLangPropertyEntry::ResizeSlot(int slot, size_t size) {
  std::uint32_t* sizes = SlotSizes();
  const size_t offset = SlotOffset(slot);
  const size_t old = sizes[slot];
  // A switch mostly puts back a text of the size it takes away.
  if (size == old) return SlotData() + offset;
  const size_t used = SlotOffset(FCount);
  const size_t tail = used - offset - old;
  const size_t needed = used - old + size;
  auto& capacity = reinterpret_cast<std::uint32_t*>(FSlots)[0];
  if (needed > capacity) {
    // Grows to fit: the texts a slot takes turns holding settle its size after a switch or two.
    const size_t header = 4 * (1 + static_cast<size_t>(FCount));
    auto* block = static_cast<Byte*>(std::realloc(FSlots, header + needed));
    if (!block) throw std::bad_alloc();
    FSlots = block;
    sizes = SlotSizes();
    reinterpret_cast<std::uint32_t*>(FSlots)[0] = static_cast<std::uint32_t>(needed);
  }
  Byte* at = SlotData() + offset;
  if (tail && size != old) std::memmove(at + size, at + old, tail);
  sizes[slot] = static_cast<std::uint32_t>(size);
  return at;
}

void TConsistentLangPropertyEntry::SetSlotBytes(int slot, std::string_view bytes) {
  Byte* at = ResizeSlot(slot, bytes.size());
  if (!bytes.empty()) std::memcpy(at, bytes.data(), bytes.size());
}

void TConsistentLangPropertyEntry::SetSlotText(int slot, std::string_view text) {
  Byte* at = ResizeSlot(slot, 4 + text.size());
  WriteLE32(at, varString);
  if (!text.empty()) std::memcpy(at + 4, text.data(), text.size());
}

void TConsistentLangPropertyEntry::SwapSlots(int slot1, int slot2) {
  if (slot1 == slot2) return;
  const String first(SlotBytes(slot1)), second(SlotBytes(slot2));
  SetSlotBytes(slot1, second);
  SetSlotBytes(slot2, first);
}

void TConsistentLangPropertyEntry::CheckSlot(int slot, const char* op) const {
  if (slot < 0 || slot >= FCount) throw Exception(ClassName() + "." + op + ": Invalid index");
}

bool TConsistentLangPropertyEntry::Buffer(int slot, std::string_view& bytes) const {
  bytes = {};
  if (slot < 0 || slot >= FCount || !HasSlot(slot)) return false;
  bytes = SlotBytes(slot);
  return true;
}

Variant TConsistentLangPropertyEntry::GetLangValue(int slot) const {
  CheckSlot(slot, "GetLangValue");
  if (!HasSlot(slot)) return Variant::Null();
  std::string_view b = SlotBytes(slot);
  return BufferToVariant(reinterpret_cast<const Byte*>(b.data()), b.size());
}

void TConsistentLangPropertyEntry::SetLangValue(int slot, const Variant& value) {
  CheckSlot(slot, "SetLangValue");
  if (value.IsStringType() && (value.VarType() & varTypeMask) == varString) return SetSlotText(slot, value.RawString());
  SetSlotBytes(slot, AsBytes(VariantToBuffer(value)));
}

void TConsistentLangPropertyEntry::ExchangeLangValues(int slot1, int slot2) {
  CheckSlot(slot1, "ExchangeLangValues");
  CheckSlot(slot2, "ExchangeLangValues");
  SwapSlots(slot1, slot2);
}

void TConsistentLangPropertyEntry::AssignNew(const TConsistentLangPropertyEntry* source) {
  SetCount(source->Count());
  for (int i = 0; i < source->Count(); ++i) SetLangValue(i, source->GetLangValue(i));
}

void TConsistentLangPropertyEntry::Assign(TPersistent* source) {
  TPropertyEntry::Assign(source);
  if (auto* src = dynamic_cast<TConsistentLangPropertyEntry*>(source)) AssignNew(src);
}

String TConsistentLangPropertyEntry::GetDescriptor(const String& prefix) const {
  if (IndexValue() >= 0) return prefix + Name() + ": " + TypeName();
  return TPropertyEntry::GetDescriptor(prefix);
}

bool TConsistentLangPropertyEntry::IsValueValid(const String& text) {
  Variant old = GetValue();
  try {
    SetValue(Variant(text));
    SetValue(old);
    return true;
  } catch (...) {
    try {
      SetValue(old);
    } catch (...) {
    }
    return false;
  }
}

void TInconsistentLangPropertyEntry::AssignNew(const TConsistentLangPropertyEntry* source) {
  SetCount(source->Count());
  // Between two live items slot 0 is the same property.
  int first = dynamic_cast<const TInconsistentLangPropertyEntry*>(source) ? 1 : 0;
  for (int i = first; i < source->Count(); ++i) SetLangValue(i, source->GetLangValue(i));
}

Variant TInconsistentLangPropertyEntry::GetLangValue(int slot) const {
  if (slot == 0 && FCount > 0) return HasPending() ? TConsistentLangPropertyEntry::GetLangValue(0) : GetValue();
  return TConsistentLangPropertyEntry::GetLangValue(slot);
}

void TInconsistentLangPropertyEntry::SetLangValue(int slot, const Variant& value) {
  if (slot == 0 && FCount > 0) {
    SetValue(value);
    SetSlotBytes(0, {});
    return;
  }
  TConsistentLangPropertyEntry::SetLangValue(slot, value);
}

void TInconsistentLangPropertyEntry::ExchangeLangValues(int slot1, int slot2) {
  CheckSlot(slot1, "ExchangeLangValues");
  CheckSlot(slot2, "ExchangeLangValues");
  if (slot1 == slot2) return;
  if (slot1 != 0 && slot2 != 0) return SwapSlots(slot1, slot2);
  int k = slot1 == 0 ? slot2 : slot1;
  if (TMainEntry* main = MainEntry(); main && main->Object()) {
    TObject* object = nullptr;
    if (main->SubType().Contains(stPubPropObject)) object = Descriptor() ? main->Object() : nullptr;
    else if (main->SubType().Contains(stTStringsObject)) object = dynamic_cast<TStrings*>(main->Object());
    TTextScratch scratch;
    TTextExchange r = object ? ExchangeText(k, object, EntryTreeGeneration(), scratch) : teNotText;
    // Called on its own, the item has no one to find out whether it survived the change.
    if (r == teInterrupted) FinishText(k, scratch.Live);
    if (r != teNotText) return;
  }
  Variant old = GetLangValue(0);
  const bool has = HasSlot(k);
  const String incoming(has ? SlotBytes(k) : std::string_view());
  try {
    SetValue(has ? BufferToVariant(reinterpret_cast<const Byte*>(incoming.data()), incoming.size()) : Variant::Null());
    SetSlotBytes(0, {});
  } catch (...) {
    // The property refused the value: it stays pending in the unused record of slot 0,
    // so that the exchange completes in the slots and a later switch brings it back.
    SetSlotBytes(0, incoming);
    SetLangValue(k, old);
    throw;
  }
  SetLangValue(k, old);
}

// A language switch exchanges every item; most are texts of published properties or of
// string-list lines, and a slot holding a byte string: the bytes move directly (the slot
// keeps its type code), as GetValue, SetValue and SetLangValue would move them.
TInconsistentLangPropertyEntry::TTextExchange TInconsistentLangPropertyEntry::ExchangeText(int k, TObject* object,
                                                                                         std::uint64_t generation,
                                                                                         TTextScratch& scratch) {
  String& stored = scratch.Stored;
  String& live = scratch.Live;
  if (k <= 0 || k >= FCount || HasPending() || !HasSlot(k)) return teNotText;
  std::string_view slot = SlotBytes(k);
  if (slot.size() < 4 || ReadLE32(reinterpret_cast<const Byte*>(slot.data())) != varString) return teNotText;
  if (PPropInfo d = Descriptor()) {
    if (!d->PropType() || !d->Readable() || !d->Writable()) return teNotText;
    if (d->PropType()->Kind != tkString && d->PropType()->Kind != tkLString) return teNotText;
    stored.assign(slot.substr(4));
    d->GetStrTo(object, live);
    try {
      d->SetStr(object, stored);
    } catch (...) {
      if (EntryTreeGeneration() == generation) {
        // Refused: the value waits in slot 0, as in ExchangeLangValues.
        SetSlotText(0, stored);
        SetSlotText(k, live);
      }
      throw;
    }
  } else {
    auto* list = static_cast<TStrings*>(object);
    int line;
    if (!LineIndex(line) || line < 0 || line >= list->Count()) return teNotText;
    stored.assign(slot.substr(4));
    live.assign(list->Strings(line));
    list->SetStrings(line, stored);
  }
  // The item may be gone with the tree's change: the caller finishes it when it is not.
  if (EntryTreeGeneration() != generation) return teInterrupted;
  SetSlotText(k, live);
  return teDone;
}

void TInconsistentLangPropertyEntry::DefineProperties(TFiler* filer) {
  TConsistentLangPropertyEntry::DefineProperties(filer);
  filer->DefineBinaryProperty(
      "Values", [this](TStream* s) { LoadValues(s); }, [this](TStream* s) { StoreValues(s); }, true);
}

void TInconsistentLangPropertyEntry::StoreValues(TStream* stream) {
  for (int s = 1; s < FCount; ++s) {
    std::string_view bytes = HasSlot(s) ? SlotBytes(s) : std::string_view();
    Byte le[4];
    WriteLE32(le, static_cast<std::uint32_t>(bytes.size()));
    stream->WriteBuffer(le, 4);
    if (!bytes.empty()) stream->WriteBuffer(bytes.data(), static_cast<Int64>(bytes.size()));
  }
}

void TInconsistentLangPropertyEntry::LoadValues(TStream* stream) {
  for (int s = 1; s < FCount; ++s) SetSlotBytes(s, {});
  for (int s = 1; s < FCount; ++s) {
    Byte le[4];
    stream->ReadBuffer(le, 4);
    std::uint32_t size = ReadLE32(le);
    // A size beyond what is left is a damaged stream, not a reason to allocate.
    if (size > static_cast<std::uint64_t>(stream->Remaining())) throw EReadError("Stream read error");
    if (size > 0) stream->ReadBuffer(ResizeSlot(s, size), size);
  }
}

// ---- the manager -------------------------------------------------------------------------------

TLanguageManager::TLanguageManager(TComponent* owner, TComponent* control, TPersistent* langsOwner, TCreateMode mode)
    : FHasOwner(owner && owner != Application),
      FOwner(owner),
      FControl(control),
      FMode(mode),
      FLangs(std::make_unique<TLanguageEntries>(langsOwner)),
      FNames(std::make_unique<TStringList>()),
      FValues(std::make_unique<TStringList>()) {
  if (mode != cmNone) {
    TClass itemClass = mode == cmConsistent ? TConsistentLangPropertyEntry::StaticClass()
                                            : TInconsistentLangPropertyEntry::StaticClass();
    FComps = std::make_unique<TComponentEntries>(langsOwner, itemClass);
    FComps->SetAssignMode(false);
    FComps->OnAssign = MakeMethod<&TLanguageManager::OnCompsAssign>(this);
  }
}

TLanguageManager::~TLanguageManager() {
  FValues.reset();
  FNames.reset();
  FComps.reset();
  FLangs.reset();
}

void TLanguageManager::Fail(const char* what) const { throw Exception(ClassName() + what); }

namespace {
// The order of ForEachPropertyEntry (entries and properties from the last), without a
// callback object per item: a switch walks every item.
void CollectItems(const TMainEntries* entries, std::vector<TConsistentLangPropertyEntry*>& out) {
  for (int i = entries->Count() - 1; i >= 0; --i) {
    const TMainEntry* e = entries->Items(i);
    const TPropertyEntries* props = e->GetProps();
    for (int k = props->Count() - 1; k >= 0; --k)
      if (auto* c = ClassCast<TConsistentLangPropertyEntry>(props->Items(k))) out.push_back(c);
    if (const TMainEntries* items = e->ItemsOrNull()) CollectItems(items, out);
  }
}
}  // namespace

std::vector<TConsistentLangPropertyEntry*> TLanguageManager::AllItems() const {
  std::vector<TConsistentLangPropertyEntry*> items;
  if (FComps) CollectItems(FComps.get(), items);
  return items;
}

// The item paths of every entry with a component ("Button1.Font.Name"); with missing, those
// of the entries whose stored component was not found, with the reason.
void TLanguageManager::ListItems(std::vector<String>& paths, std::vector<String>* missing) const {
  TStringList names;
  for (int i = 0; i < FComps->Count(); ++i) {
    TComponentEntry* e = FComps->Items(i);
    names.Clear();
    e->MoveSubItemsToStrings(mmNameOnly, &names, "");
    // Before binding, an entry knows its component only by reference.
    String name = e->GetRef() ? e->GetRef()->Name() : e->Name();
    if (!e->GetRef()) {
      if (!missing) continue;
      for (const TStoredRef& r : FStoredRefs)
        if (r.Entry == e) name = r.Name;
      for (int k = 0; k < names.Count(); ++k)
        missing->push_back(Format("%s.%s: component %s does not exist", {name, names[k], name}));
      continue;
    }
    for (int k = 0; k < names.Count(); ++k) paths.push_back(name + "." + names[k]);
  }
}

void TLanguageManager::Init(TSyncCountMode mode, std::vector<String>* dropped) {
  std::vector<String> before;
  if (dropped && FComps) ListItems(before, dropped);
  FStoredRefs.clear();
  if (FComps) FComps->Init();
  if (dropped && FComps) {
    std::vector<String> after;
    ListItems(after, nullptr);
    std::unordered_set<String, TTextHash, TTextEqual> kept(after.begin(), after.end());
    for (const String& path : before)
      if (!kept.count(path)) dropped->push_back(path + ": property does not exist");
  }
  SyncCount(mode);
  if (FComps)
    if (TMainEntry* r = GetStringInterface(false)) r->SetObject(FValues.get());
  FBoundGeneration = EntryTreeGeneration();
}

// ---- the plan of a switch ------------------------------------------------------------------------

void TLanguageManager::CollectPlan(const TMainEntries* entries, bool sub) {
  for (int i = entries->Count() - 1; i >= 0; --i) {
    const TMainEntry* e = entries->Items(i);
    const TMainEntrySubType type = e->SubType();
    TObject* published = type.Contains(stPubPropObject) ? e->Object() : nullptr;
    TStrings* list = !published && type.Contains(stTStringsObject) ? dynamic_cast<TStrings*>(e->Object()) : nullptr;
    const TPropertyEntries* props = e->GetProps();
    int lines = 0;
    for (int k = props->Count() - 1; k >= 0; --k) {
      auto* item = ClassCast<TConsistentLangPropertyEntry>(props->Items(k));
      if (!item) continue;
      TObject* object = nullptr;
      if (ClassCast<TInconsistentLangPropertyEntry>(item)) {
        int line;
        if (item->Descriptor()) object = published;
        else if (list && item->LineIndex(line)) object = list, lines = std::max(lines, line + 1);
      }
      FPlan.push_back({item, object});
    }
    if (sub && e->Object() && !type.Contains(stNoValidate))
      FPlanSubs.push_back({const_cast<TMainEntry*>(e), e->Object(), e->Object()->ClassType(), list ? lines : 0});
    if (const TMainEntries* items = e->ItemsOrNull()) CollectPlan(items, true);
  }
}

void TLanguageManager::BuildPlan(bool rebind) {
  FPlan.clear();
  FPlanSubs.clear();
  FPlanGeneration = 0;
  if (!FComps) return;
  if (rebind) FComps->Init();
  CollectPlan(FComps.get(), false);
  // Exactly as large as needed: the plan lives as long as the form.
  FPlan.shrink_to_fit();
  FPlanGeneration = EntryTreeGeneration();
}

// The sub-entries are checked parents first, so that each check reads only objects that
// are known to be alive.
bool TLanguageManager::PlanStillBound() const {
  for (const TPlanSub& sub : FPlanSubs) {
    TObject* held = sub.Entry->HeldObject();
    if (held != sub.Object || held->ClassType() != sub.Class) return false;
    if (sub.Lines > 0 && static_cast<TStrings*>(held)->Count() < sub.Lines) return false;
  }
  return true;
}

void TLanguageManager::EnsurePlan() {
  const std::uint64_t now = EntryTreeGeneration();
  if (FPlanGeneration == now && PlanStillBound()) return;
  if (FPlanGeneration == 0 && FBoundGeneration == now) {
    // Bound by Init and unchanged since: only the walk is missing.
    BuildPlan(false);
    if (PlanStillBound()) return;
  }
  BuildPlan(true);
}

// A setter that refuses its value does not stop the others: every item changes its slots,
// and the first error is raised once all have. A setter whose handlers change the entry
// trees (free a component, say) makes the plan stale: the tree is re-bound, and the items
// not yet switched are switched from the new plan.
void TLanguageManager::ExchangeAll(int k) {
  using TLive = TInconsistentLangPropertyEntry;
  std::exception_ptr first;
  std::uint64_t generation = FPlanGeneration;
  TLive::TTextScratch scratch;
  std::unordered_set<const TConsistentLangPropertyEntry*> done;  // only filled once the plan went stale
  bool stale = false;
  for (size_t i = 0; i < FPlan.size(); ++i) {
    const TPlanItem p = FPlan[i];
    if (stale && done.count(p.Item)) continue;
    TConsistentLangPropertyEntry* unfinished = nullptr;
    try {
      // Items with an object are live items (see CollectPlan).
      auto r = p.Object ? static_cast<TLive*>(p.Item)->ExchangeText(k, p.Object, generation, scratch)
                        : TLive::teNotText;
      if (r == TLive::teNotText) p.Item->ExchangeLangValues(0, k);
      else if (r == TLive::teInterrupted) unfinished = p.Item;
    } catch (...) {
      if (!first) first = std::current_exception();
    }
    if (EntryTreeGeneration() == generation) continue;
    // The trees changed under the switch: what was switched so far is kept by identity.
    if (!stale) {
      stale = true;
      for (size_t j = 0; j < i; ++j) done.insert(FPlan[j].Item);
    }
    done.insert(p.Item);
    BuildPlan(true);
    generation = FPlanGeneration;
    if (unfinished)
      for (const TPlanItem& q : FPlan)
        if (q.Item == unfinished) static_cast<TLive*>(q.Item)->FinishText(k, scratch.Live);
    i = static_cast<size_t>(-1);  // from the start of the new plan, skipping what is done
  }
  if (first) std::rethrow_exception(first);
}

void TLanguageManager::Clear() {
  if (FComps) FComps->Clear();
  FNames->Clear();
  FValues->Clear();
  FLangs->Clear();
}

void TLanguageManager::Assign(const TLanguageManager* source) {
  FHasOwner = source->FHasOwner;
  FOwner = source->FOwner;
  FControl = source->FControl;
  FLangs->Assign(source->FLangs.get());
  FNames->Assign(source->FNames.get());
  if (FComps && source->FComps) FComps->Assign(source->FComps.get());
}

TMainEntry* TLanguageManager::GetStringInterface(bool create) {
  if (!FControl) Fail(".GetStringInterface failed. NIL Control");
  if (!FComps) return nullptr;
  TComponentEntry* e = nullptr;
  for (int i = 0; i < FComps->Count(); ++i)
    if (SameText(FComps->Items(i)->Name(), FControl->Name())) {
      e = FComps->Items(i);
      break;
    }
  if (!e) {
    if (!create) return nullptr;
    e = static_cast<TComponentEntry*>(
        TMainEntry::Create(FComps.get(), FControl, FControl->Name(), FControl->ClassName(), {stPubPropObject}));
  }
  int r = e->GetItems()->IndexOfName("Resources");
  if (r >= 0) return e->GetItems()->Items(r);
  if (!create) return nullptr;
  return TMainEntry::Create(e->GetItems(), FValues.get(), "Resources", "String", {stTStringsObject, stNoValidate});
}

void TLanguageManager::OnCompsAssign(TObject*, TPersistent*) {
  TMainEntry* r = GetStringInterface(true);
  if (r->Object() != FValues.get()) {
    if (auto* list = dynamic_cast<TStrings*>(r->Object())) FValues->Assign(list);
    if (FNames->Count() != FValues->Count()) throw Exception("Inconsistent internal language data");
    r->SetObject(FValues.get());
  }
  TPropertyEntries* props = r->GetProps();
  for (int row = FNames->Count() - 1; row >= 0; --row) {
    bool used = false;
    for (int k = 0; k < props->Count() && !used; ++k) used = props->Items(k)->IndexValue() == row;
    if (used) continue;
    FNames->Delete(row);
    FValues->Delete(row);
    for (int k = 0; k < props->Count(); ++k)
      if (props->Items(k)->IndexValue() > row) props->Items(k)->SetIndexValue(props->Items(k)->IndexValue() - 1);
  }
}

String TLanguageManager::EmptyValueText(const TConsistentLangPropertyEntry* item) {
  std::unique_ptr<TClassInfo> info;
  if (!item->GetClassInfo(info) || !info->PropRef() || !info->PropRef()->PropType()) return {};
  switch (info->Kind()) {
    case tkInteger:
    case tkChar:
    case tkEnumeration:
    case tkSet: {
      Variant empty = info->EmptyValue();
      return empty.IsStringType() ? empty.AsString() : info->FormatValue(empty.AsInt64()).AsString();
    }
    default:
      return {};
  }
}

void TLanguageManager::SyncCount(TSyncCountMode mode) {
  int n = FLangs->Count() > 1 ? FLangs->Count() : 1;
  for (TConsistentLangPropertyEntry* item : AllItems()) {
    int old = item->Count();
    String live;
    if (mode != cmInitNone && old <= 0) live = VarToStr(item->GetValue());
    if (n != old) item->SetCount(n);
    if (n <= old) continue;
    if (mode == cmInitAll) {
      String s = old <= 0 ? live : VarToStr(item->GetLangValue(0));
      for (int i = old; i < n; ++i) item->SetLangValue(i, Variant(s));
    } else {
      String e = EmptyValueText(item);
      for (int i = old; i < n; ++i) item->SetLangValue(i, Variant(e));
      if (mode == cmInitDefault && old == 0) item->SetLangValue(0, Variant(live));
    }
  }
}

bool TLanguageManager::SetLanguageByIndex(int index) {
  TLanguageEntry* l = FLangs->Items(index);
  if (l->SubIndex() <= 0) return false;
  EnsurePlan();
  TLanguageEntry* active = nullptr;
  for (int i = 0; i < FLangs->Count() && !active; ++i)
    if (FLangs->Items(i)->SubIndex() == 0) active = FLangs->Items(i);
  if (!active) Fail(".SetLanguageByIndex: Active language not found");
  int k = l->SubIndex();
  l->SetSubIndex(0);
  active->SetSubIndex(k);
  ExchangeAll(k);
  return true;
}

void TLanguageManager::AssignLangsAndSync(const TLanguageEntries* languages, TSyncCountMode mode) {
  FLangs->Assign(const_cast<TLanguageEntries*>(languages));
  auto highest = [&] {
    int m = -1;
    for (int i = 0; i < FLangs->Count(); ++i) m = std::max(m, static_cast<int>(FLangs->Items(i)->SubIndex()));
    return m;
  };
  auto withSlot = [&](int s) -> TLanguageEntry* {
    for (int i = 0; i < FLangs->Count(); ++i)
      if (FLangs->Items(i)->SubIndex() == s) return FLangs->Items(i);
    return nullptr;
  };
  std::vector<TConsistentLangPropertyEntry*> items = AllItems();
  int m = highest();
  for (int s = 0; s <= m; ++s) {
    if (withSlot(s)) continue;
    for (int t = s + 1; t <= m; ++t)
      if (TLanguageEntry* lang = withSlot(t)) {
        for (TConsistentLangPropertyEntry* item : items)
          if (t < item->Count() && s < item->Count()) item->SetLangValue(s, item->GetLangValue(t));
        lang->SetSubIndex(s);
        break;
      }
  }
  m = highest();
  for (TConsistentLangPropertyEntry* item : items) item->SetCount(m + 1);
  for (int i = 0; i < FLangs->Count(); ++i)
    if (FLangs->Items(i)->SubIndex() < 0) FLangs->Items(i)->SetSubIndex(++m);
  SyncCount(mode);
  for (int i = 0; i < FLangs->Count(); ++i)
    if (FLangs->Items(i)->Marked()) {
      FLangs->Items(i)->SetMarked(false);
      SetLanguageByIndex(i);
      break;
    }
}

bool TLanguageManager::GetString(std::string_view name, String& value) const {
  value.clear();
  int i = FNames->IndexOf(Trim(name));
  if (i < 0 || i >= FValues->Count()) return false;
  value = FValues->Strings(i);
  return true;
}

int TLanguageManager::GetStringNameIndex(std::string_view name) const {
  for (int i = 0; i < FNames->Count(); ++i)
    if (SameText(FNames->Strings(i), name)) return i;
  return -1;
}

bool TLanguageManager::IsStringNameValid(std::string_view name) {
  if (Trim(name).empty()) return false;
  for (char c : name) {
    bool ok = c == ' ' || c == '_' || (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
    if (!ok) return false;
  }
  return true;
}

TConsistentLangPropertyEntry* TLanguageManager::AddString(const String& name) {
  TMainEntry* r = GetStringInterface(true);
  if (!r) Fail(".AddString: no item tree");
  String n = Trim(name);
  bool number = n.empty() || !IsUniqueStringName(n);
  if (n.empty()) n = "String";
  if (number) {
    String found;
    for (int i = 1; i <= 1000000 && found.empty(); ++i)
      if (IsUniqueStringName(n + IntToStr(i))) found = n + IntToStr(i);
    if (found.empty()) Fail(".AddString: Unique name of string could no be created");
    n = found;
  }
  auto* item = static_cast<TConsistentLangPropertyEntry*>(r->GetProps()->Add());
  FValues->Add("");
  int row = FNames->Add(n);
  item->SetIndexValue(row);
  item->SetName(n);
  item->SetTypeName("String");
  item->SetKind(tkLString);
  item->SetCount(std::max(FLangs->Count(), 1));
  for (int i = 0; i < std::max(item->Count(), 1); ++i) item->SetLangValue(i, Variant(String()));
  return item;
}

void TLanguageManager::RemoveString(TConsistentLangPropertyEntry* item) {
  TMainEntry* r = FComps ? GetStringInterface(false) : nullptr;
  if (!item || !r || item->IndexValue() < 0 || item->IndexValue() >= FNames->Count() ||
      item->IndexValue() >= FValues->Count())
    Fail(".RemoveString failed.");
  int row = item->IndexValue();
  FNames->Delete(row);
  FValues->Delete(row);
  delete item;
  TPropertyEntries* props = r->GetProps();
  for (int k = 0; k < props->Count(); ++k)
    if (props->Items(k)->IndexValue() > row) props->Items(k)->SetIndexValue(props->Items(k)->IndexValue() - 1);
}

void TLanguageManager::DefineProperties(const String& prefix, TFiler* filer) {
  filer->DefineProperty(
      prefix + "Langs",
      [this](TReader* r) {
        FLangs->Clear();
        r->CheckValue(vaCollection);
        r->ReadCollection(FLangs.get());
      },
      [this](TWriter* w) { w->WriteCollection(FLangs.get()); }, true);
  if (FComps)
    filer->DefineProperty(
        prefix + "Comps",
        [this](TReader* r) {
          ForgetReferencesWithin(r, FComps.get());
          FComps->Clear();
          FStoredRefs.clear();
          const size_t known = r->PendingReferences().size();
          r->CheckValue(vaCollection);
          r->ReadCollection(FComps.get());
          // The reader makes a collection of sub-entries for every entry; few keep any.
          FComps->ReleaseEmptyItems();
          // The names the entries give their components, for the report of Init when one
          // of them is missing.
          const auto& refs = r->PendingReferences();
          for (size_t i = known; i < refs.size(); ++i)
            if (auto* e = dynamic_cast<TComponentEntry*>(refs[i].Instance); e && e->Collection() == FComps.get())
              FStoredRefs.push_back({e, refs[i].Name});
        },
        [this](TWriter* w) {
          w->WriteCollection(FComps.get());
          // Writing asks every entry for its sub-entries, which makes the empty ones again.
          FComps->ReleaseEmptyItems();
        },
        true);
  filer->DefineProperty(
      prefix + "Names", [this](TReader* r) { ReadLines(r, FNames.get()); },
      [this](TWriter* w) { WriteLines(w, FNames.get()); }, true);
  filer->DefineProperty(
      prefix + "Values", [this](TReader* r) { ReadLines(r, FValues.get()); },
      [this](TWriter* w) { WriteLines(w, FValues.get()); }, true);
}

namespace {
bool HasLineBreak(const TStrings* list) {
  for (int i = 0; i < list->Count(); ++i)
    if (list->Strings(i).find_first_of("\r\n") != String::npos) return true;
  return false;
}
}  // namespace

// Names and values are stored as the text of their lists, one line a row. A row that holds
// a line break of its own would split into two on reading and move every later row, so a
// list with such a row is stored as a list of strings instead; every other list keeps the
// layout that older readers expect.
void TLanguageManager::WriteLines(TWriter* writer, const TStrings* list) {
  if (!HasLineBreak(list)) return writer->WriteString(list->Text());
  writer->WriteListBegin();
  for (int i = 0; i < list->Count(); ++i) writer->WriteString(list->Strings(i));
  writer->WriteListEnd();
}

void TLanguageManager::ReadLines(TReader* reader, TStrings* list) {
  if (reader->NextValue() != vaList) return list->SetText(reader->ReadString());
  list->Clear();
  reader->ReadListBegin();
  while (!reader->EndOfList()) list->Add(reader->ReadString());
  reader->ReadListEnd();
}

void AdjustGridDefaultRowHeight(TSortGrid* grid) {
  TCanvas* canvas = grid->Canvas();
  canvas->Font()->Assign(grid->GetFont());
  grid->SetDefaultRowHeight(canvas->TextHeight("ABC") + 4);
}

void RegisterGlottaToolsClasses() {
  RegisterClasses({TLanguageEntry::StaticClass(), TConsistentLangPropertyEntry::StaticClass(),
                   TInconsistentLangPropertyEntry::StaticClass()});
}

}  // namespace xel
