#include "LanguageImport.h"

#include <set>
#include <unordered_map>
#include <unordered_set>

#include "ComponentExplorer.h"
#include "ExIniFile.h"
#include "FileTools.h"
#include "Format.h"
#include "LanguageExport.h"
#include "LanguageFile.h"
#include "VersionControl.h"

XEL_UNIT_VERSION("$Header: /exchange/LanguageImport.cpp 1 10.12.26 18:10 XG $")

namespace xel {

namespace {

String TrimLeftControls(const String& s) {
  size_t i = 0;
  while (i < s.size() && static_cast<unsigned char>(s[i]) <= 32) ++i;
  return s.substr(i);
}

String Row(const String& section, const String& line) { return "[" + section + "]=" + line; }

// The line as the lists show it: key, "=", the value without its quotes.
String ShownLine(const String& line) {
  size_t eq = line.find('=');
  if (eq == String::npos) return line;
  return line.substr(0, eq + 1) + ShownLanguageValue(std::string_view(line).substr(eq + 1));
}

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
  // Frees what received no value and hands the result to the manager; should that fail,
  // the manager gets its former data back.
  void Finish();

private:
  struct TTag {
    bool Imported = false;
    bool Initialised = false;
  };

  TResult ImportLine(const String& line, const String& language, bool checkValues);
  TConsistentLangPropertyEntry* Lookup(const String& path, bool stringsOnly) const;
  int ExistingSlot(const String& language) const;
  int EnsureSlot(const String& language);
  bool Seen(const TConsistentLangPropertyEntry* item, int slot) const {
    return slot >= 0 && FSeen.count({item, slot}) > 0;
  }
  void Store(TConsistentLangPropertyEntry* item, int slot, const Variant& value);
  void AddPath(const String& component, const String& path, TConsistentLangPropertyEntry* item);
  void AddPresentItem(const TComponentEntry* entry, const String& path, const TConsistentLangPropertyEntry* source);
  void Prune(TMainEntries* entries);

  TLanguageManager* FManager;
  TLanguageManager FTemp;
  const TCESettings* FSettings;
  bool FInitialise;
  std::unordered_set<String> FComponents;                                 // upper-case names
  std::unordered_map<String, TConsistentLangPropertyEntry*> FPaths;       // "COMPONENT.PATH"
  std::unordered_map<String, TConsistentLangPropertyEntry*> FStrings;     // upper-case names
  std::unordered_map<const TConsistentLangPropertyEntry*, TTag> FTags;
  std::set<std::pair<const TConsistentLangPropertyEntry*, int>> FSeen;   // of the current read
};

void TLanguageImport::AddPath(const String& component, const String& path, TConsistentLangPropertyEntry* item) {
  String upper = UpperCase(component);
  FPaths.emplace(upper + "." + UpperCase(path), item);
  FComponents.insert(std::move(upper));
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
    target = level->FindItem(*it);
    if (!target) {
      target = static_cast<TMainEntry*>(level->Add());
      target->AssignThis(*it);
    }
    level = target->GetItems();
  }
  if (!target) return;
  auto* item = static_cast<TConsistentLangPropertyEntry*>(
      TConsistentLangPropertyEntry::StaticClass()->Create(target->GetProps()));
  item->TPropertyEntry::Assign(const_cast<TConsistentLangPropertyEntry*>(source));
  AddPath(entry->Name(), path, item);
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
      if (auto* item = ClassCast<TConsistentLangPropertyEntry>(paths.Objects(k))) AddPath(entry->Name(), paths[k], item);
  }
  if (!FManager->HasOwner() || !FManager->Comps()) return;
  for (int i = 0; i < FManager->Comps()->Count(); ++i) {
    TComponentEntry* entry = FManager->Comps()->Items(i);
    paths.Clear();
    entry->MoveSubItemsToStrings(mmNameOnly, &paths);
    for (int k = 0; k < paths.Count(); ++k) {
      auto* item = ClassCast<TConsistentLangPropertyEntry>(paths.Objects(k));
      if (!item || item->IndexValue() >= 0 || !entry->Object()) continue;
      if (!FPaths.count(UpperCase(entry->Name()) + "." + UpperCase(paths[k]))) AddPresentItem(entry, paths[k], item);
    }
  }
}

TConsistentLangPropertyEntry* TLanguageImport::Lookup(const String& path, bool stringsOnly) const {
  const size_t dot = path.find('.');
  if (dot == String::npos) return nullptr;
  const String first = path.substr(0, dot);
  String key;
  TComponent* owner = FManager->Owner();
  if (FComponents.count(UpperCase(first))) key = UpperCase(path);
  else if (owner && first == owner->ClassName()) key = UpperCase(owner->Name() + path.substr(dot));
  else return nullptr;
  auto found = FPaths.find(key);
  if (found == FPaths.end()) return nullptr;
  if (stringsOnly) {
    TMainEntry* main = found->second->MainEntry();
    if (!main || !main->SubType().Contains(stTStringsObject)) return nullptr;
  }
  return found->second;
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

void TLanguageImport::Store(TConsistentLangPropertyEntry* item, int slot, const Variant& value) {
  item->SetLangValue(slot, value);
  TTag& tag = FTags[item];
  if (FInitialise && !tag.Initialised) {
    const Variant first = item->GetLangValue(0);
    for (int i = 0; i < item->Count(); ++i)
      if (i != slot) item->SetLangValue(i, first);
    tag.Initialised = true;
  }
  tag.Imported = true;
  FSeen.insert({item, slot});
}

TLanguageImport::TResult TLanguageImport::ImportLine(const String& line, const String& language, bool checkValues) {
  const size_t eq = line.find('=');
  if (eq == String::npos || eq == 0) return lrFailed;
  const String key = Trim(std::string_view(line).substr(0, eq));
  String text;
  const TValueParse parse = DecodeLanguageValue(std::string_view(line).substr(eq + 1), text);
  if (parse == TValueParse::Broken) return lrFailed;
  const Variant value = parse == TValueParse::Null ? Variant::Null() : Variant(std::move(text));

  if (size_t sharp = key.find(".#"); sharp != String::npos) {
    const String name = Trim(std::string_view(key).substr(sharp + 2));
    if (name.empty()) return lrFailed;
    const String upper = UpperCase(name);
    auto found = FStrings.find(upper);
    if (found != FStrings.end() && Seen(found->second, ExistingSlot(language))) return lrFailed;
    const int slot = EnsureSlot(language);
    if (found == FStrings.end()) found = FStrings.emplace(upper, FTemp.AddString(name)).first;
    Store(found->second, slot, value);
    return lrImported;
  }

  if (!FManager->HasOwner()) return lrFailed;
  size_t open, close;
  const String path = LanguageKeyToPath(key, open, close);
  bool guessed = false;
  TConsistentLangPropertyEntry* item = Lookup(path, false);
  if (!item && open != String::npos) item = Lookup(String(path).insert(open, ".Strings"), true);
  if (!item && open != String::npos) {
    item = Lookup(String(path).insert(close + 1, ".Caption"), false);
    guessed = item != nullptr;
  }
  if (!item || Seen(item, ExistingSlot(language))) return lrFailed;
  // A value that the property refuses would fail every switch to the language.
  if (checkValues && !value.IsNull() && item->Descriptor()) {
    const TTypeKind kind = item->Descriptor()->Kind();
    const bool text = kind == tkString || kind == tkLString || kind == tkWString || kind == tkVariant;
    if (!text && !item->IsValueValid(value.AsString())) return lrFailed;
  }
  Store(item, EnsureSlot(language), value);
  return guessed ? lrGuessed : lrImported;
}

void TLanguageImport::Read(TExIniFile& file, const TStrings* rows, TStrings* warnings, TStrings* errors,
                           bool checkValues) {
  FSeen.clear();
  TStringList lines, present;
  file.ReadSections(&present);
  for (int r = 0; r < rows->Count(); ++r) {
    const String section = RowToSection(rows->Strings(r));
    const String language = Trim(SectionLanguage(section));
    if (present.IndexOf(section) < 0) continue;  // names no language of this file
    file.ReadSectionLines(section, &lines);
    bool anyLine = false;
    for (int i = 0; i < lines.Count(); ++i) {
      const String line = TrimLeftControls(lines[i]);
      if (line.empty() || line[0] == ';') continue;  // comments of whoever edited the file
      anyLine = true;
      const TResult result = language.empty() ? lrFailed : ImportLine(line, language, checkValues);
      if (result == lrFailed) errors->Add(Row(section, ShownLine(line)));
      else if (result == lrGuessed) warnings->Add(Row(section, ShownLine(line)));
    }
    // A section without lines still names a language (one exported without items); one
    // whose lines all failed names none.
    if (!anyLine && !language.empty()) EnsureSlot(language);
  }
}

void TLanguageImport::Prune(TMainEntries* entries) {
  for (int i = entries->Count() - 1; i >= 0; --i) {
    TMainEntry* e = entries->Items(i);
    TPropertyEntries* props = e->GetProps();
    for (int k = props->Count() - 1; k >= 0; --k) {
      auto* item = ClassCast<TConsistentLangPropertyEntry>(props->Items(k));
      if (!item) continue;
      auto tag = FTags.find(item);
      if (tag == FTags.end() || !tag->second.Imported) delete item;
    }
    Prune(e->GetItems());
  }
}

void TLanguageImport::Finish() {
  Prune(FTemp.Comps());
  FTemp.Comps()->ValidateAndPack();
  TLanguageManager backup(FManager->Owner(), FManager->Control(), nullptr, cmConsistent);
  backup.Assign(FManager);
  FManager->Clear();
  try {
    FManager->Assign(&FTemp);
  } catch (...) {
    try {
      FManager->Clear();
      FManager->Assign(&backup);
    } catch (...) {
    }
    throw;
  }
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
    TStringList all, reWarnings, reErrors;
    GetAvailLangSections(temp, &all);
    TExIniFile present(temp, true);
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
