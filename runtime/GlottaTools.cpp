#include "GlottaTools.h"

#include <cstring>
#include <exception>

#include "Application.h"
#include "ConvertTools.h"
#include "Format.h"
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

TConsistentLangPropertyEntry::~TConsistentLangPropertyEntry() {
  if (FCount > 0) ChangeCount(0);
}

// One slot per language; a stored count far beyond any language list is damaged data,
// refused before it allocates.
void TConsistentLangPropertyEntry::SetCount(Integer count) {
  if (count > MaxSlots) throw Exception(ClassName() + ".SetCount: Invalid count");
  if (count != FCount) ChangeCount(count > 1 ? count : 1);
}

void TConsistentLangPropertyEntry::ChangeCount(Integer count) {
  if (count < 0) count = 0;
  FBuffers.resize(static_cast<size_t>(count));
  FCount = count;
}

void TConsistentLangPropertyEntry::CheckSlot(int slot, const char* op) const {
  if (slot < 0 || slot >= FCount) throw Exception(ClassName() + "." + op + ": Invalid index");
}

const std::vector<Byte>* TConsistentLangPropertyEntry::Buffer(int slot) const {
  if (slot < 0 || slot >= FCount || !FBuffers[static_cast<size_t>(slot)].Has) return nullptr;
  return &FBuffers[static_cast<size_t>(slot)].Data;
}

Variant TConsistentLangPropertyEntry::GetLangValue(int slot) const {
  CheckSlot(slot, "GetLangValue");
  const TSlot& s = FBuffers[static_cast<size_t>(slot)];
  return s.Has ? BufferToVariant(s.Data) : Variant::Null();
}

void TConsistentLangPropertyEntry::SetLangValue(int slot, const Variant& value) {
  CheckSlot(slot, "SetLangValue");
  TSlot& s = FBuffers[static_cast<size_t>(slot)];
  s.Data = VariantToBuffer(value);
  s.Has = true;
}

void TConsistentLangPropertyEntry::ExchangeLangValues(int slot1, int slot2) {
  CheckSlot(slot1, "ExchangeLangValues");
  CheckSlot(slot2, "ExchangeLangValues");
  std::swap(FBuffers[static_cast<size_t>(slot1)], FBuffers[static_cast<size_t>(slot2)]);
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
  if (slot == 0 && FCount > 0) return HasPending() ? BufferToVariant(FBuffers[0].Data) : GetValue();
  return TConsistentLangPropertyEntry::GetLangValue(slot);
}

void TInconsistentLangPropertyEntry::SetLangValue(int slot, const Variant& value) {
  if (slot == 0 && FCount > 0) {
    SetValue(value);
    FBuffers[0] = TSlot{};
    return;
  }
  TConsistentLangPropertyEntry::SetLangValue(slot, value);
}

void TInconsistentLangPropertyEntry::ExchangeLangValues(int slot1, int slot2) {
  CheckSlot(slot1, "ExchangeLangValues");
  CheckSlot(slot2, "ExchangeLangValues");
  if (slot1 == slot2) return;
  if (slot1 != 0 && slot2 != 0) {
    std::swap(FBuffers[static_cast<size_t>(slot1)], FBuffers[static_cast<size_t>(slot2)]);
    return;
  }
  int k = slot1 == 0 ? slot2 : slot1;
  if (!HasPending() && ExchangeText(k)) return;
  Variant old = GetLangValue(0);
  TSlot incoming = FBuffers[static_cast<size_t>(k)];
  try {
    SetValue(incoming.Has ? BufferToVariant(incoming.Data) : Variant::Null());
    FBuffers[0] = TSlot{};
  } catch (...) {
    // The property refused the value: it stays pending in the unused record of slot 0,
    // so that the exchange completes in the slots and a later switch brings it back.
    FBuffers[0] = std::move(incoming);
    SetLangValue(k, old);
    throw;
  }
  SetLangValue(k, old);
}

// A language switch exchanges every item; most are texts of published properties or of
// string-list lines, and a slot holding a byte string: the bytes move directly (the slot
// keeps its type code), as GetValue, SetValue and SetLangValue would move them.
bool TInconsistentLangPropertyEntry::ExchangeText(int slot) {
  thread_local String stored, live;  // keep their capacity from item to item
  TSlot& s = FBuffers[static_cast<size_t>(slot)];
  if (!s.Has || s.Data.size() < 4) return false;
  const std::uint32_t code = s.Data[0] | (s.Data[1] << 8) | (s.Data[2] << 16) | (static_cast<std::uint32_t>(s.Data[3]) << 24);
  if (code != varString) return false;
  TMainEntry* main = MainEntry();
  if (!main || !main->Object()) return false;
  stored.assign(reinterpret_cast<const char*>(s.Data.data()) + 4, s.Data.size() - 4);
  if (main->SubType().Contains(stPubPropObject)) {
    PPropInfo d = Descriptor();
    if (!d || !d->PropType() || !d->Readable() || !d->Writable()) return false;
    if (d->PropType()->Kind != tkString && d->PropType()->Kind != tkLString) return false;
    d->GetStrTo(main->Object(), live);
    try {
      d->SetStr(main->Object(), stored);
    } catch (...) {
      FBuffers[0] = s;  // refused: pending, as in ExchangeLangValues
      s.Data.resize(4 + live.size());
      std::memcpy(s.Data.data() + 4, live.data(), live.size());
      throw;
    }
  } else if (main->SubType().Contains(stTStringsObject)) {
    auto* list = dynamic_cast<TStrings*>(main->Object());
    int line;
    if (!list) return false;
    if (IndexValue() >= 0) line = IndexValue();
    else if (!GetItemIndex(line)) return false;
    if (line < 0 || line >= list->Count()) return false;
    live.assign(list->Strings(line));
    list->SetStrings(line, stored);
  } else {
    return false;
  }
  s.Data.resize(4 + live.size());
  std::memcpy(s.Data.data() + 4, live.data(), live.size());
  return true;
}

void TInconsistentLangPropertyEntry::DefineProperties(TFiler* filer) {
  TConsistentLangPropertyEntry::DefineProperties(filer);
  filer->DefineBinaryProperty(
      "Values", [this](TStream* s) { LoadValues(s); }, [this](TStream* s) { StoreValues(s); }, true);
}

void TInconsistentLangPropertyEntry::StoreValues(TStream* stream) {
  for (int s = 1; s < FCount; ++s) {
    TSlot& slot = FBuffers[static_cast<size_t>(s)];
    auto size = static_cast<std::uint32_t>(slot.Has ? slot.Data.size() : 0);
    Byte le[4] = {static_cast<Byte>(size), static_cast<Byte>(size >> 8), static_cast<Byte>(size >> 16),
                  static_cast<Byte>(size >> 24)};
    stream->WriteBuffer(le, 4);
    if (size) stream->WriteBuffer(slot.Data.data(), size);
  }
}

void TInconsistentLangPropertyEntry::LoadValues(TStream* stream) {
  for (int s = 1; s < FCount; ++s) FBuffers[static_cast<size_t>(s)] = TSlot{};
  for (int s = 1; s < FCount; ++s) {
    Byte le[4];
    stream->ReadBuffer(le, 4);
    std::uint32_t size = le[0] | (le[1] << 8) | (le[2] << 16) | (static_cast<std::uint32_t>(le[3]) << 24);
    // A size beyond what is left is a damaged stream, not a reason to allocate.
    if (size > static_cast<std::uint64_t>(stream->Remaining())) throw EReadError("Stream read error");
    TSlot& slot = FBuffers[static_cast<size_t>(s)];
    if (size > 0) {
      slot.Data.resize(size);
      stream->ReadBuffer(slot.Data.data(), size);
      slot.Has = true;
    }
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
    CollectItems(e->GetItems(), out);
  }
}
}  // namespace

std::vector<TConsistentLangPropertyEntry*> TLanguageManager::AllItems() const {
  std::vector<TConsistentLangPropertyEntry*> items;
  if (FComps) CollectItems(FComps.get(), items);
  return items;
}

void TLanguageManager::Init(TSyncCountMode mode) {
  if (FComps) FComps->Init();
  SyncCount(mode);
  if (FComps)
    if (TMainEntry* r = GetStringInterface(false)) r->SetObject(FValues.get());
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
  if (FComps) FComps->Init();
  TLanguageEntry* active = nullptr;
  for (int i = 0; i < FLangs->Count() && !active; ++i)
    if (FLangs->Items(i)->SubIndex() == 0) active = FLangs->Items(i);
  if (!active) Fail(".SetLanguageByIndex: Active language not found");
  int k = l->SubIndex();
  l->SetSubIndex(0);
  active->SetSubIndex(k);
  // A setter that refuses its value does not stop the others: every item changes its
  // slots, and the first error is raised once all have.
  std::exception_ptr first;
  for (TConsistentLangPropertyEntry* item : AllItems()) {
    try {
      item->ExchangeLangValues(0, k);
    } catch (...) {
      if (!first) first = std::current_exception();
    }
  }
  if (first) std::rethrow_exception(first);
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
          FComps->Clear();
          r->CheckValue(vaCollection);
          r->ReadCollection(FComps.get());
        },
        [this](TWriter* w) { w->WriteCollection(FComps.get()); }, true);
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

void RegisterGlottaToolsClasses() {
  RegisterClasses({TLanguageEntry::StaticClass(), TConsistentLangPropertyEntry::StaticClass(),
                   TInconsistentLangPropertyEntry::StaticClass()});
}

}  // namespace xel
