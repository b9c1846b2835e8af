#include "LanguageImport.h"

#include <deque>
#include <unordered_map>

#include "ComponentExplorer.h"
#include "ExIniFile.h"
#include "FileTools.h"
#include "Format.h"
#include "LanguageExport.h"
#include "LanguageFile.h"
#include "TypeTools.h"
#include "VersionControl.h"

XEL_UNIT_VERSION("$Header: /exchange/LanguageImport.cpp 1 10.12.26 18:10 XG $")

namespace xel {

namespace {

std::string_view TrimLeftControls(std::string_view s) {
  size_t i = 0;
  while (i < s.size() && static_cast<unsigned char>(s[i]) <= 32) ++i;
  return s.substr(i);
}

// Whether the live property takes the value; texts always do.
bool PropertyAccepts(TConsistentLangPropertyEntry* item, const Variant& value) {
  return !item->Descriptor() || IsTextKind(item->Descriptor()->Kind()) || item->IsValueValid(value.AsString());
}

// A line as the lists show it: section, key, "=", the value without its quotes.
String Row(const String& section, const String& line) { return "[" + section + "]=" + line; }

// The temporary manager of an import: a consistent manager whose tree holds what the owner
// form offers and what the target manager translates already, looked up by path.
class TLanguageImport {
public:
  enum TResult { lrImported, lrGuessed, lrFailed };

  TLanguageImport(TLanguageManager* manager, const TCESettings* settings, bool initialise)
      : FManager(manager),
        FTemp(manager->Owner(), manager->Control(), nullptr, cmConsistent),
        FSettings(settings),
        FInitialise(initialise) {}

  void Prepare();
  // Reads the rows' sections; values are checked against their properties when asked.
  void Read(TExIniFile& file, const TStrings* rows, TStrings* warnings, TStrings* errors, bool checkValues);
  // Frees what received no value and hands the result to the manager, once the values its
  // live properties will take are known to be accepted.
  void Finish();

private:
  // An item that lines may name, with what the import did to it.
  struct TTarget {
    TConsistentLangPropertyEntry* Item;
    String Key;              // as the export writes it, when the target is the one it names
    size_t Index = 0;        // in FTargets
    bool Imported = false;
    bool Initialised = false;
    int Pass = -1;           // the read whose slots Seen lists
    std::vector<int> Seen;  // slots set by that read: a second line for one is a duplicate
  };
  template <class V>
  using TNoCaseMap = std::unordered_map<String, V, TTextHash, TTextEqual>;

  // slot: the language's slot, -1 until the language exists; made when a line is imported.
  TResult ImportLine(std::string_view key, std::string_view value, const String& language, int& slot,
                     bool checkValues);
  TTarget* FindKey(std::string_view key);
  // The values that the manager's live properties will take must be accepted by them:
  // raises before the manager loses its data otherwise.
  void CheckActiveValues();
  TTarget* Lookup(const String& path, bool stringsOnly) const;
  TTarget* Find(const TNoCaseMap<TTarget*>& map, std::string_view key) const {
    auto found = map.find(key);
    return found == map.end() ? nullptr : found->second;
  }
  int ExistingSlot(const String& language) const;
  int EnsureSlot(const String& language);
  bool Seen(const TTarget* target, int slot) const {
    return slot >= 0 && target->Pass == FPass &&
           std::find(target->Seen.begin(), target->Seen.end(), slot) != target->Seen.end();
  }
  void Store(TTarget* target, int slot, const Variant& value);
  TTarget* AddTarget(const String& component, const String& path, TConsistentLangPropertyEntry* item);
  void AddPresentItem(const TComponentEntry* entry, const String& path, const TConsistentLangPropertyEntry* source);

  TLanguageManager* FManager;
  TLanguageManager FTemp;
  const TCESettings* FSettings;
  bool FInitialise;
  int FPass = 0;
  std::deque<TTarget> FTargets;
  size_t FNext = 0;  // the target after the last one a line named
  TNoCaseMap<bool> FComponents;        // component entry names
  TNoCaseMap<TTarget*> FPaths;         // "Component.Path"
  TNoCaseMap<TTarget*> FKeys;          // the same as the export writes it: "Memo1.Lines%2"
  TNoCaseMap<TTarget*> FStrings;       // named strings
};

bool IsStringLine(const TPropertyEntry* item) {
  TMainEntry* main = item->MainEntry();
  return main && main->SubType().Contains(stTStringsObject);
}

TLanguageImport::TTarget* TLanguageImport::AddTarget(const String& component, const String& path,
                                                     TConsistentLangPropertyEntry* item) {
  FTargets.push_back(TTarget{item, {}, FTargets.size(), false, false, -1, {}});
  TTarget* target = &FTargets.back();
  FPaths.emplace(component + "." + path, target);
  // The export's key of an item, for the lines that name it as the export does. Where a
  // string-list line and another item share a key, the other item is the one that the
  // path names directly, and it wins, as the lookup by path does.
  const bool stringList = IsStringLine(item);
  String key = component + "." + PathToLanguageKey(path, stringList);
  auto [at, added] = FKeys.emplace(key, target);
  if (!added && !stringList && IsStringLine(at->second->Item)) {
    at->second->Key.clear();
    at->second = target;
    added = true;
  }
  if (added) target->Key = std::move(key);
  FComponents.emplace(component, true);
  return target;
}

// A translated item of the target manager that the form's enumeration did not offer (the
// filter hides it, or its value is empty just now): it stays a valid target, so that the
// present data always read back.
void TLanguageImport::AddPresentItem(const TComponentEntry* entry, const String& path,
                                     const TConsistentLangPropertyEntry* source) {
  std::vector<const TMainEntry*> chain;
  for (const TMainEntry* m = source->MainEntry(); m;) {
    chain.push_back(m);
    TMainEntries* parent = m->GetParent();
    m = parent ? parent->GetParent() : nullptr;
  }
  TMainEntries* level = FTemp.Comps();
  TMainEntry* target = nullptr;
  for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
    if (target) level = target->GetItems();  // only a further link makes the sub-entries
    target = level->FindItem(*it);
    if (!target) {
      target = static_cast<TMainEntry*>(level->Add());
      target->AssignThis(*it);
    }
  }
  if (!target) return;
  auto* item = static_cast<TConsistentLangPropertyEntry*>(
      TConsistentLangPropertyEntry::StaticClass()->Create(target->GetProps()));
  item->TPropertyEntry::Assign(const_cast<TConsistentLangPropertyEntry*>(source));
  AddTarget(entry->Name(), path, item);
}

void TLanguageImport::Prepare() {
  TComponent* owner = FManager->Owner();
  if (FManager->HasOwner() && owner) AddRootToMainEntries(owner, FTemp.Comps(), FSettings, nullptr);
  TStringList paths;
  for (int i = 0; i < FTemp.Comps()->Count(); ++i) {
    TComponentEntry* entry = FTemp.Comps()->Items(i);
    paths.Clear();
    entry->MoveSubItemsToStrings(mmNameOnly, &paths);
    for (int k = 0; k < paths.Count(); ++k)
      if (auto* item = ClassCast<TConsistentLangPropertyEntry>(paths.Objects(k))) AddTarget(entry->Name(), paths[k], item);
  }
  if (!FManager->HasOwner() || !FManager->Comps()) return;
  for (int i = 0; i < FManager->Comps()->Count(); ++i) {
    TComponentEntry* entry = FManager->Comps()->Items(i);
    paths.Clear();
    entry->MoveSubItemsToStrings(mmNameOnly, &paths);
    for (int k = 0; k < paths.Count(); ++k) {
      auto* item = ClassCast<TConsistentLangPropertyEntry>(paths.Objects(k));
      if (!item || item->IndexValue() >= 0 || !entry->Object()) continue;
      if (!FPaths.count(entry->Name() + "." + paths[k])) AddPresentItem(entry, paths[k], item);
    }
  }
}

TLanguageImport::TTarget* TLanguageImport::Lookup(const String& path, bool stringsOnly) const {
  const size_t dot = path.find('.');
  if (dot == String::npos) return nullptr;
  const std::string_view first = std::string_view(path).substr(0, dot);
  TComponent* owner = FManager->Owner();
  TTarget* target = nullptr;
  if (FComponents.count(first)) target = Find(FPaths, path);
  else if (owner && first == owner->ClassName()) target = Find(FPaths, owner->Name() + path.substr(dot));
  return target && stringsOnly && !IsStringLine(target->Item) ? nullptr : target;
}

// Lines mostly come in the order of the items (a file the export wrote): the item after the
// last one found is tried first, which spares the lookup.
TLanguageImport::TTarget* TLanguageImport::FindKey(std::string_view key) {
  TTarget* target = nullptr;
  if (FNext < FTargets.size() && SameText(FTargets[FNext].Key, key)) target = &FTargets[FNext];
  else target = Find(FKeys, key);
  if (target) FNext = target->Index + 1;
  return target;
}

int TLanguageImport::ExistingSlot(const String& language) const {
  int i = FTemp.Langs()->IndexOfName(language);
  return i < 0 ? -1 : FTemp.Langs()->Items(i)->SubIndex();
}

int TLanguageImport::EnsureSlot(const String& language) {
  int slot = ExistingSlot(language);
  if (slot >= 0) return slot;
  TLanguageEntry* entry = FTemp.Langs()->Add();
  entry->SetName(language);
  entry->SetSubIndex(FTemp.Langs()->Count() - 1);
  FTemp.SyncCount(FInitialise ? cmInitAll : cmInitNone);
  return entry->SubIndex();
}

void TLanguageImport::Store(TTarget* target, int slot, const Variant& value) {
  TConsistentLangPropertyEntry* item = target->Item;
  item->SetLangValue(slot, value);
  if (FInitialise && !target->Initialised) {
    const Variant first = item->GetLangValue(0);
    for (int i = 0; i < item->Count(); ++i)
      if (i != slot) item->SetLangValue(i, first);
    target->Initialised = true;
  }
  target->Imported = true;
  if (target->Pass != FPass) {
    target->Pass = FPass;
    target->Seen.clear();
  }
  target->Seen.push_back(slot);
}

TLanguageImport::TResult TLanguageImport::ImportLine(std::string_view key, std::string_view written,
                                                     const String& language, int& slot, bool checkValues) {
  String text;
  const TValueParse parse = DecodeLanguageValue(written, text);
  if (parse == TValueParse::Broken) return lrFailed;
  const Variant value = parse == TValueParse::Null ? Variant::Null() : Variant(std::move(text));

  if (size_t sharp = key.find(".#"); sharp != std::string_view::npos) {
    const String name = Trim(key.substr(sharp + 2));
    if (name.empty()) return lrFailed;
    TTarget* target = Find(FStrings, name);
    if (target && Seen(target, slot)) return lrFailed;
    if (slot < 0) slot = EnsureSlot(language);
    if (!target) {
      FTargets.push_back(TTarget{FTemp.AddString(name), {}, FTargets.size(), false, false, -1, {}});
      target = &FTargets.back();
      FStrings.emplace(name, target);
    }
    Store(target, slot, value);
    return lrImported;
  }

  if (!FManager->HasOwner()) return lrFailed;
  bool guessed = false;
  // Lines as the export writes them are found at once; others go the way of the paths.
  TTarget* target = FindKey(key);
  if (!target) {
    size_t open, close;
    const String path = LanguageKeyToPath(String(key), open, close);
    target = Lookup(path, false);
    if (!target && open != String::npos) target = Lookup(String(path).insert(open, ".Strings"), true);
    if (!target && open != String::npos) {
      target = Lookup(String(path).insert(close + 1, ".Caption"), false);
      guessed = target != nullptr;
    }
  }
  if (!target || Seen(target, slot)) return lrFailed;
  // A value that the property refuses would fail every switch to the language.
  TConsistentLangPropertyEntry* item = target->Item;
  if (checkValues && !value.IsNull() && !PropertyAccepts(item, value)) return lrFailed;
  if (slot < 0) slot = EnsureSlot(language);
  Store(target, slot, value);
  return guessed ? lrGuessed : lrImported;
}

void TLanguageImport::Read(TExIniFile& file, const TStrings* rows, TStrings* warnings, TStrings* errors,
                           bool checkValues) {
  ++FPass;
  TStringList present;
  file.ReadSections(&present);
  for (int r = 0; r < rows->Count(); ++r) {
    const String section = RowToSection(rows->Strings(r));
    const String language = Trim(SectionLanguage(section));
    if (present.IndexOf(section) < 0) continue;  // names no language of this file
    bool anyLine = false;
    int slot = ExistingSlot(language);
    file.ForEachSectionLine(section, [&](const TIniData::TLine& l) {
      TResult result = lrFailed;
      String shown;
      if (l.Key.empty()) {
        const std::string_view raw = TrimLeftControls(l.Raw);
        if (raw.empty() || raw[0] == ';') return;  // comments of whoever edited the file
        shown = String(raw);
      } else if (!language.empty()) {
        result = ImportLine(TrimLeftControls(l.Key), l.Value, language, slot, checkValues);
        if (result == lrImported) {
          anyLine = true;
          return;
        }
      }
      anyLine = true;
      if (shown.empty()) shown = String(TrimLeftControls(l.Key)) + "=" + ShownLanguageValue(l.Value);
      (result == lrGuessed ? warnings : errors)->Add(Row(section, shown));
    });
    // A section without lines still names a language (one exported without items); one
    // whose lines all failed names none.
    if (!anyLine && !language.empty()) EnsureSlot(language);
  }
}

void TLanguageImport::CheckActiveValues() {
  if (FManager->Mode() != cmInconsistent) return;
  for (const TTarget& t : FTargets) {
    if (!t.Imported) continue;
    TConsistentLangPropertyEntry* item = t.Item;
    const Variant value = item->GetLangValue(0);
    const bool accepted = !value.IsNull() && PropertyAccepts(item, value);
    if (!accepted) {
      TMainEntry* top = item->MainEntry() ? item->MainEntry()->FindFirstMainEntry() : nullptr;
      throw Exception(Format("%s.ImportLanguages failed: %s%s of the first language has no value its property accepts",
                             {FManager->ClassName(), top ? top->Name() + "." : String(), item->Name()}));
    }
  }
}

void TLanguageImport::Finish() {
  // From the last: items leave their collections from the end, which costs nothing.
  for (auto t = FTargets.rbegin(); t != FTargets.rend(); ++t)
    if (!t->Imported) delete t->Item;
  FTemp.Comps()->ValidateAndPack();
  CheckActiveValues();
  FManager->Clear();
  FManager->Assign(&FTemp);
}

}  // namespace

void GetAvailLangSections(const String& fileName, TStrings* list) {
  if (!FileExists(fileName)) return;
  TExIniFile file(fileName, true);
  TStringList sections;
  file.ReadSections(&sections);
  list->BeginUpdate();
  TFinally done([list] { list->EndUpdate(); });
  list->Clear();
  for (int i = 0; i < sections.Count(); ++i) list->Add(SectionToRow(sections[i]));
}

bool ImportLanguages(TLanguageManager* manager, const String& fileName, TObject* settings, TImportMode mode,
                     bool initialise, const TStrings* sections, TStrings* warnings, TStrings* errors) {
  auto* ceSettings = dynamic_cast<TCESettings*>(settings);
  if (settings && !ceSettings)
    throw Exception(manager->ClassName() + ".ImportLanguages: CESettings has not type TCESettings");
  if (!FileExists(fileName)) throw EInOutError("File not found");
  if (GetFileSize(fileName) > MaxLanguageFileSize)
    throw EInOutError(Format("%s is larger than a language file can be", {fileName}));
  TStringList noSections, scratchWarnings, scratchErrors;
  if (!sections) sections = &noSections;
  if (!warnings) warnings = &scratchWarnings;
  if (!errors) errors = &scratchErrors;

  String temp;
  bool completed = false;
  TFinally cleanup([&] {
    if (!temp.empty()) {
      FileSetReadOnly(temp, false);
      DeleteFile(temp);
    }
    if (!completed) {
      warnings->Clear();
      errors->Clear();
    }
  });
  auto file = std::make_unique<TExIniFile>(fileName, true);
  TLanguageImport import(manager, ceSettings, initialise);
  import.Prepare();
  // The present data, set aside in the same format, go in before or after the file.
  if (mode != imClearExisting) {
    CreateTempFile(temp);
    ExportLanguages(manager, temp);
  }
  if (mode == imAddNotExisting) {
    import.Read(*file, sections, warnings, errors, true);
    file.reset();
  }
  if (!temp.empty()) {
    TExIniFile present(temp, true);
    TStringList names, all, reWarnings, reErrors;
    present.ReadSections(&names);  // the file is read once, for its sections and its lines
    for (int i = 0; i < names.Count(); ++i) all.Add(SectionToRow(names[i]));
    import.Read(present, &all, &reWarnings, &reErrors, false);
    if (reWarnings.Count() > 0 || reErrors.Count() > 0)
      throw Exception(manager->ClassName() + ".ImportLanguages failed: Internal error at REIMPORT");
  }
  if (file) {
    import.Read(*file, sections, warnings, errors, true);
    file.reset();
  }
  import.Finish();
  completed = true;
  return true;
}

}  // namespace xel
