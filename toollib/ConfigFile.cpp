#include "ConfigFile.h"

#include <charconv>
#include <functional>
#include <vector>

#include "Application.h"
#include "Dialogs.h"
#include "FileTools.h"
#include "Parser.h"
#include "ReaderFixups.h"
#include "StringTools.h"
#include "SuperForm.h"
#include "TypeTools.h"
#include "VersionControl.h"

XEL_UNIT_VERSION("$Header: /toollib/ConfigFile.cpp 1 10.12.26 19:40 XG $")

namespace xel {

namespace {

void HostErrorBox(const String& text, const String& caption) {
  Application->MessageBox(text, caption, MB_OK | MB_ICONERROR);
}

TConfigErrorBox GErrorBox = &HostErrorBox;

// Kinds whose values mean the same after the program restarts. Object and method
// references are addresses of this run: stored, they would name nothing (or something
// else) next time.
bool IsStorableKind(TTypeKind kind) {
  switch (kind) {
    case tkInteger: case tkChar: case tkWChar: case tkEnumeration: case tkFloat: case tkString:
    case tkLString: case tkWString: case tkSet: case tkVariant:
      return true;
    default:
      return false;
  }
}

// A text is stored as it stands unless the storage would change it: a control character
// (a line break would end the INI line), a character of the hint delimiter (reading would
// cut the value there), a blank at either end (values are trimmed) or a leading quote (the
// mark of the quoted form). Such a text is stored as a string constant of quoted runs and
// #n codes, which never holds any of these.
bool NeedsQuoting(std::string_view s, std::string_view delimiter) {
  if (s.empty()) return false;
  if (s.front() == ' ' || s.back() == ' ' || s.front() == '\'') return true;
  for (char c : s)
    if (static_cast<unsigned char>(c) < 32 || delimiter.find(c) != std::string_view::npos) return true;
  return false;
}

String QuoteText(std::string_view s, std::string_view delimiter) {
  String out = QuotedRunsAndCodes(s, [delimiter](char c) {
    auto u = static_cast<unsigned char>(c);
    return u < 32 || (u < 128 && c != '\'' && delimiter.find(c) != std::string_view::npos);
  });
  // The quoted form is known by its leading quote.
  return out.front() == '#' ? "''" + out : out;
}

String UnquoteText(const String& stored) {
  if (stored.empty() || stored.front() != '\'') return stored;
  try {
    TParser parser(stored);
    if (parser.Token() != toString) return stored;
    String text = parser.TokenString();
    return parser.NextToken() == toEOF ? text : stored;
  } catch (const Exception&) {
    return stored;  // not the quoted form after all: a text written by hand
  }
}

// The shortest text that reads back as the same number (a float of a Single property as a
// float, so that 0.1 stays 0.1).
String FloatText(double value, bool single) {
  char buffer[64];
  auto r = single ? std::to_chars(buffer, buffer + sizeof buffer, static_cast<float>(value))
                  : std::to_chars(buffer, buffer + sizeof buffer, value);
  return String(buffer, r.ptr);
}

struct TValueKind {
  TTypeKind Kind = tkUnknown;
  bool Single = false;
  // Read and written past the variant, which holds a double: its last bits would be lost.
  bool Extended = false;
  bool Text = false;
};

TValueKind KindOf(PPropInfo prop) {
  TValueKind k{prop->Kind()};
  k.Single = k.Kind == tkFloat && prop->PropType()->Data.FloatType == ftSingle;
  k.Extended = k.Kind == tkFloat && prop->PropType()->Data.FloatType == ftExtended;
  k.Text = IsTextKind(k.Kind);
  return k;
}

String ExtendedText(long double value) {
  char buffer[80];
  auto r = std::to_chars(buffer, buffer + sizeof buffer, value);
  return String(buffer, r.ptr);
}

String ValueToText(const Variant& value, const TValueKind& kind, const String& delimiter) {
  if (kind.Kind == tkFloat && !value.IsNull()) return FloatText(value.AsFloat(), kind.Single);
  String text = VarToStr(value);
  return kind.Text && NeedsQuoting(text, delimiter) ? QuoteText(text, delimiter) : text;
}

// A float that does not read as a number goes to the property as text, whose setter then
// reports it as the damaged value it is.
Variant TextToValue(const String& text, const TValueKind& kind) {
  if (kind.Kind == tkFloat) {
    double v = 0;
    auto r = std::from_chars(text.data(), text.data() + text.size(), v);
    if (r.ec == std::errc() && r.ptr == text.data() + text.size()) return Variant(v);
    return Variant(text);
  }
  // A character is stored as its code: "7" is code 7, not the digit.
  if (kind.Kind == tkChar || kind.Kind == tkWChar)
    if (Integer code; TryStrToInt(text, code)) return Variant(code);
  return Variant(kind.Text ? UnquoteText(text) : text);
}

// The hint of a value: the values an enumeration or set may take, else the type's name.
String TypeHint(const TClassInfo& info) {
  String def = info.TypDef();
  return def.empty() ? info.Typ() : def;
}

// A property's value as stored text and back.
String InfoText(const TClassInfo& info, const TValueKind& kind, const String& delimiter) {
  if (kind.Extended) return ExtendedText(GetFloatProp(info.Instance(), info.PropRef()));
  return ValueToText(info.GetValue(), kind, delimiter);
}

void SetInfoText(TClassInfo& info, const String& text, const TValueKind& kind) {
  long double v = 0;
  if (kind.Extended) {
    auto r = std::from_chars(text.data(), text.data() + text.size(), v);
    if (r.ec == std::errc() && r.ptr == text.data() + text.size()) return SetFloatProp(info.Instance(), info.PropRef(), v);
  }
  info.SetValue(TextToValue(text, kind));
}

// A stored property of a component: where it is, and how its value reads as text.
struct TStoredItem {
  TPropertyEntry* Entry = nullptr;
  std::unique_ptr<TClassInfo> Info;  // none for a string-list line
  TValueKind Kind;
  String Hint;

  String Text(const String& delimiter) const {
    return Info ? InfoText(*Info, Kind, delimiter) : ValueToText(Entry->GetValue(), Kind, delimiter);
  }
  void SetText(const String& text) const {
    if (Info) SetInfoText(*Info, text, Kind);
    else Entry->SetValue(TextToValue(text, Kind));
  }
};

bool DescribeItem(TPropertyEntry* entry, TStoredItem& item) {
  item.Entry = entry;
  TMainEntry* main = entry->MainEntry();
  if (!main || !main->Object()) return false;
  if (entry->GetClassInfo(item.Info)) {
    if (!IsStorableKind(item.Info->Kind()) || !item.Info->Readable()) return false;
    item.Kind = KindOf(item.Info->PropRef());
    item.Hint = TypeHint(*item.Info);
    return true;
  }
  int line;
  if (!main->SubType().Contains(stTStringsObject) || !entry->LineIndex(line)) return false;
  item.Kind.Kind = tkLString;
  item.Kind.Text = true;
  item.Hint = entry->TypeName().empty() ? String("String") : entry->TypeName();
  return true;
}

// The stored key of a component: its name, or for the form itself its class name without
// the leading "T".
String ComponentKey(const TComponent* component, const TComponent* root) {
  if (component == root || component->GetName().empty()) {
    const String& cls = component->ClassName();
    return !cls.empty() && (cls[0] == 'T' || cls[0] == 't') ? cls.substr(1) : cls;
  }
  return component->GetName();
}

// Every stored property of the selected components (only that one, when one is given)
// that the query lets through, with its key.
template <class Proc>
void ForEachStoredItem(TComponentEntries* entries, TCustomConfigFile* sender, TComponent* only,
                       const TComponentQueryEvent& query, Proc proc) {
  for (int i = 0; i < entries->Count(); ++i) {
    TComponentEntry* entry = entries->Items(i);
    TComponent* component = entry->GetRef();
    if (!component || (only && component != only)) continue;
    bool handle = true;
    query(sender, component, handle);
    if (!handle) continue;
    const String prefix = ComponentKey(component, sender->Owner()) + ".";
    TStringList items;
    entry->MoveSubItemsToStrings(mmNameOnly, &items);
    for (int k = 0; k < items.Count(); ++k) {
      TStoredItem item;
      if (DescribeItem(static_cast<TPropertyEntry*>(items.Objects(k)), item)) proc(item, prefix + items[k]);
    }
  }
}

const char* const kDefaultRegistryPath = "Software\\Xel GbR\\MyApplication";
const char* const kDefaultLoadErrorText = "Configuration file could not be loaded.";
const char* const kDefaultSaveErrorText = "Configuration file could not be saved.";
const char* const kDefaultSection = "Default Section";

}  // namespace

void SetConfigErrorBox(TConfigErrorBox box) { GErrorBox = box ? box : &HostErrorBox; }

// Values a failed load had already put into properties, to be put back.
struct TCustomConfigFile::TUndoList {
  std::vector<std::function<void()>> Values;
  void Restore() {
    for (auto it = Values.rbegin(); it != Values.rend(); ++it) {
      try {
        (*it)();
      } catch (const Exception&) {
        // The value it held a moment ago: nothing more can be done for this one.
      }
    }
  }
};

TCustomConfigFile::TCustomConfigFile(TComponent* owner)
    : TExComponent(owner),
      FEntries(std::make_unique<TComponentEntries>(this, TPropertyEntry::StaticClass())),
      FRegistryPath(kDefaultRegistryPath),
      FLoadErrorText(kDefaultLoadErrorText),
      FSaveErrorText(kDefaultSaveErrorText) {}

TCustomConfigFile::~TCustomConfigFile() = default;

bool TCustomConfigFile::IsRegistryPathStored() const { return FRegistryPath != kDefaultRegistryPath; }
bool TCustomConfigFile::IsLoadErrorTextStored() const { return FLoadErrorText != kDefaultLoadErrorText; }
bool TCustomConfigFile::IsSaveErrorTextStored() const { return FSaveErrorText != kDefaultSaveErrorText; }

TSuperForm* TCustomConfigFile::OwnerSuperForm() const { return ClassCast<TSuperForm>(Owner()); }

void TCustomConfigFile::SetSaveSuperFormState(bool v) {
  if (v && !ComponentState().Contains(csLoading) && !OwnerSuperForm())
    throw Exception(ClassName() + ".SaveSuperFormState property not changable: Owner form is not a TSuperForm");
  FSaveSuperFormState = v;
}

void TCustomConfigFile::DefineProperties(TFiler* filer) {
  TExComponent::DefineProperties(filer);
  filer->DefineProperty(
      "Entries",
      [this](TReader* r) {
        ForgetReferencesWithin(r, FEntries.get());
        FEntries->Clear();
        r->CheckValue(vaCollection);
        r->ReadCollection(FEntries.get());
        FEntries->ReleaseEmptyItems();
      },
      [this](TWriter* w) { w->WriteCollection(FEntries.get()); }, FEntries->Count() > 0);
}

void TCustomConfigFile::Loaded() {
  TExComponent::Loaded();
  RefreshEntries();
  if (!OwnerSuperForm()) FSaveSuperFormState = false;
  if (FAutoLoad && !ComponentState().Contains(csDesigning)) Load();
}

void TCustomConfigFile::RefreshEntries() { FEntries->Init(); }

String TCustomConfigFile::GetFileName() const {
  if (Trim(FFileName).empty()) return ChangeFileExt(GetExeName(), ".cfg");
  return ExpandApplicationDir(FFileName);
}

String TCustomConfigFile::GetSection() const {
  if (!FSection.empty()) return FSection;
  return Owner() ? Owner()->ClassName() : ClassName();
}

bool TCustomConfigFile::Load() { return DoLoad(nullptr, true); }
bool TCustomConfigFile::Save() { return DoSave(nullptr, true); }

bool TCustomConfigFile::LoadComponentState(TComponent* component) {
  return component ? DoLoad(component, false) : true;
}

bool TCustomConfigFile::SaveComponentState(TComponent* component) {
  return component ? DoSave(component, false) : true;
}

void TCustomConfigFile::Enter(TInternalStatus status) {
  if (FStatus != isNone)
    throw ECriticalError(ClassName() + ": Invalid reentrance. " + (status == isLoading ? "Load" : "Save") +
                         " request while " + (FStatus == isLoading ? "loading" : "saving") +
                         " not possible. Change your conception");
  FStatus = status;
}

void TCustomConfigFile::OpenStorage(bool forSave) {
  if (FMode == cmFile) {
    const String name = GetFileName();
    // A missing or locked file fails the load here, before anything is read.
    if (!forSave) TFileStream probe(name, fmOpenRead | fmShareExclusive);
    FIniFile = std::make_unique<TExIniFile>(name);
  } else {
    FIniFile = std::make_unique<TExIniFile>(FRegistryRoot, FRegistryPath, forSave);
    // As a missing file does: before BeforeLoad, not at the first value read.
    if (!FIniFile->IsRegistry())
      throw Exception(ClassName() + ": Registry key " + FRegistryPath + " cannot be opened");
  }
  FIniFile->SetWriteBack(!forSave);
  FIniFile->SetHintPosition(FHintPosition);
  FIniFile->SetHintsEnabled(FHintsEnabled);
  // Written once when everything went well; a failure leaves the file as it was.
  FIniFile->BeginUpdate();
}

void TCustomConfigFile::ReportError(bool load) {
  if (load ? FShowLoadError : FShowSaveError)
    GErrorBox(load ? FLoadErrorText : FSaveErrorText, load ? FLoadErrorCaption : FSaveErrorCaption);
  if (load) OnLoadError(this);
  else OnSaveError(this);
}

TPersistent* TCustomConfigFile::StartRun(TInternalStatus status) {
  Enter(status);
  try {
    RefreshEntries();
    TPersistent* instance = nullptr;
    OnGetInstance(this, instance);
    return instance;
  } catch (...) {
    EndRun();
    throw;
  }
}

void TCustomConfigFile::EndRun() {
  FIniFile.reset();
  FStatus = isNone;
}

bool TCustomConfigFile::DoLoad(TComponent* only, bool whole) {
  TPersistent* instance = StartRun(isLoading);
  TFinally leave([this] { EndRun(); });
  if (whole) OnGetDefaults(this);
  bool ok = true;
  TUndoList undo;
  try {
    OpenStorage(false);
    BeforeLoad(this, FIniFile.get());
    const String section = GetSection();
    if (whole && FSaveSuperFormState)
      if (TSuperForm* form = OwnerSuperForm()) {
        // Only a saved state is applied: a missing one is not made up from the current.
        FIniFile->SetWriteBack(false);
        FIniFile->SetHintsEnabled(false);
        String state = FIniFile->ReadString(section, ComponentKey(form, form), "");
        FIniFile->SetWriteBack(true);
        if (!Trim(state).empty()) form->SetWindowStateData(Trim(state));
      }
    LoadComponents(only, undo);
    if (whole && instance) {
      LoadInstance(instance);
      bool valuesOk = true;
      OnCheckValues(this, valuesOk);
      if (!valuesOk) throw EStreamError(ClassName() + ".CheckValues failed");
    }
    FIniFile->EndUpdate();
  } catch (const Exception&) {
    ok = false;
    undo.Restore();
    ReportError(true);
  }
  AfterLoad(this, FIniFile.get());
  FIniFile.reset();
  if (!ok && whole) OnGetDefaults(this);
  return ok;
}

bool TCustomConfigFile::DoSave(TComponent* only, bool whole) {
  TPersistent* instance = StartRun(isSaving);
  TFinally leave([this] { EndRun(); });
  bool ok = true;
  try {
    OpenStorage(true);
    BeforeSave(this, FIniFile.get());
    const String section = GetSection();
    if (whole && FSaveSuperFormState)
      if (TSuperForm* form = OwnerSuperForm()) {
        FIniFile->SetHintsEnabled(false);
        FIniFile->WriteString(section, ComponentKey(form, form), form->GetWindowStateData());
      }
    SaveComponents(only);
    if (whole && instance) SaveInstance(instance);
    FIniFile->EndUpdate();
  } catch (const Exception&) {
    ok = false;
    ReportError(false);
  }
  AfterSave(this, FIniFile.get());
  return ok;
}

// Reads a value and writes it back (the text as read, so a damaged one stays as it was for
// the user to see), so that a missing entry appears with its current value and its hint.
String TCustomConfigFile::ReadBack(const String& section, const String& ident, const String& hint,
                                   const String& current) {
  FIniFile->SetHintsEnabled(FHintsEnabled && !hint.empty());
  const bool writeBack = FIniFile->GetWriteBack();
  FIniFile->SetWriteBack(false);
  TFinally restore([this, writeBack] { FIniFile->SetWriteBack(writeBack); });
  String text = FIniFile->ReadString(section, ident, current);
  if (writeBack) FIniFile->WriteStringEx(section, ident, hint, text);
  return text;
}

void TCustomConfigFile::LoadComponents(TComponent* only, TUndoList& undo) {
  const String section = GetSection();
  ForEachStoredItem(FEntries.get(), this, only, OnLoadComponentQuery, [&](TStoredItem& item, const String& key) {
    if (item.Info && !item.Info->Writable()) return;
    const String current = item.Text(FIniFile->GetHintDelimiter());
    const String text = ReadBack(section, key, item.Hint, current);
    if (text == current) return;
    if (item.Kind.Extended) {
      const long double before = GetFloatProp(item.Info->Instance(), item.Info->PropRef());
      undo.Values.emplace_back([object = item.Info->Instance(), prop = item.Info->PropRef(), before] {
        SetFloatProp(object, prop, before);
      });
    } else {
      const Variant before = item.Info ? item.Info->GetValue() : item.Entry->GetValue();
      undo.Values.emplace_back([entry = item.Entry, before] { entry->SetValue(before); });
    }
    item.SetText(text);
  });
}

void TCustomConfigFile::SaveComponents(TComponent* only) {
  const String section = GetSection();
  ForEachStoredItem(FEntries.get(), this, only, OnSaveComponentQuery, [&](TStoredItem& item, const String& key) {
    FIniFile->SetHintsEnabled(FHintsEnabled && !item.Hint.empty());
    FIniFile->WriteStringEx(section, key, item.Hint, item.Text(FIniFile->GetHintDelimiter()));
  });
}

namespace {

// The extra object's stored properties with their sections: a property that is not stored
// and has an index specifier names the section of the stored ones with the same index.
struct TInstanceProp {
  int Index;
  String Section;
};

std::vector<TInstanceProp> InstanceProps(TClassInfo& info) {
  std::vector<std::pair<Integer, String>> sections;
  for (int i = 0; i < info.Count(); ++i)
    if (info.Select(i) && !info.IsStored() && info.PropRef()->Index() != NoIndex)
      sections.emplace_back(info.PropRef()->Index(), info.Name());
  std::vector<TInstanceProp> props;
  for (int i = 0; i < info.Count(); ++i) {
    if (!info.Select(i) || !info.IsStored() || !IsStorableKind(info.Kind())) continue;
    String section = kDefaultSection;
    if (info.PropRef()->Index() != NoIndex)
      for (const auto& [index, name] : sections)
        if (index == info.PropRef()->Index()) {
          section = name;
          break;
        }
    props.push_back({i, section});
  }
  return props;
}

}  // namespace

void TCustomConfigFile::LoadInstance(TPersistent* instance) {
  TClassInfo info(instance);
  for (const TInstanceProp& p : InstanceProps(info)) {
    info.Select(p.Index);
    if (!info.Readable() || !info.Writable()) continue;
    const TValueKind kind = KindOf(info.PropRef());
    const String current = InfoText(info, kind, FIniFile->GetHintDelimiter());
    const String text = ReadBack(p.Section, info.Name(), TypeHint(info), current);
    if (text != current) SetInfoText(info, text, kind);
  }
}

void TCustomConfigFile::SaveInstance(TPersistent* instance) {
  TClassInfo info(instance);
  for (const TInstanceProp& p : InstanceProps(info)) {
    info.Select(p.Index);
    if (!info.Readable()) continue;
    FIniFile->SetHintsEnabled(FHintsEnabled);
    FIniFile->WriteStringEx(p.Section, info.Name(), TypeHint(info),
                            InfoText(info, KindOf(info.PropRef()), FIniFile->GetHintDelimiter()));
  }
}

void CopyConfigStorage(TCustomConfigFile* target, const TCustomConfigFile* source) {
  target->SetMode(source->GetMode());
  target->SetFileNameProp(source->GetFileNameProp());
  target->SetRegistryRoot(source->GetRegistryRoot());
  target->SetRegistryPath(source->GetRegistryPath());
}

void RegisterConfigFileClasses() { RegisterClasses({TConfigFile::StaticClass()}); }

}  // namespace xel
