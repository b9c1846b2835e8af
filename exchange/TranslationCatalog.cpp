#include "TranslationCatalog.h"

#include <unordered_map>

#include "FileTools.h"
#include "Format.h"
#include "GlottaSystem.h"
#include "LanguageExport.h"
#include "LanguageFile.h"
#include "LanguageImport.h"
#include "VersionControl.h"

XEL_UNIT_VERSION("$Header: /exchange/TranslationCatalog.cpp 1 10.12.26 0:25 XG $")

namespace xel {

namespace {

// The codes of the language table's rows, by English name.
const std::pair<const char*, const char*> LanguageCodes[] = {
    {"Afrikaans", "af"}, {"Albanian", "sq"},  {"Arabic", "ar"},     {"Basque", "eu"},     {"Belarusian", "be"},
    {"Bulgarian", "bg"}, {"Catalan", "ca"},   {"Chinese", "zh"},    {"Croatian", "hr"},   {"Czech", "cs"},
    {"Danish", "da"},    {"Dutch", "nl"},     {"English", "en"},    {"Estonian", "et"},   {"Faeroese", "fo"},
    {"Farsi", "fa"},     {"Finnish", "fi"},   {"French", "fr"},     {"German", "de"},     {"Greek", "el"},
    {"Hebrew", "he"},    {"Hungarian", "hu"}, {"Icelandic", "is"},  {"Indonesian", "id"}, {"Italian", "it"},
    {"Japanese", "ja"},  {"Korean", "ko"},    {"Latvian", "lv"},    {"Lithuanian", "lt"}, {"Norwegian", "no"},
    {"Polish", "pl"},    {"Portuguese", "pt"}, {"Romanian", "ro"},  {"Russian", "ru"},    {"Slovak", "sk"},
    {"Slovenian", "sl"}, {"Spanish", "es"},   {"Swedish", "sv"},    {"Thai", "th"},       {"Turkish", "tr"},
    {"Ukrainian", "uk"}, {"Vietnamese", "vi"}};

int LanguageIndex(TLanguageManager* manager, const String& language) {
  const int i = manager->Langs()->IndexOfName(language);
  if (i < 0) throw Exception(Format("The language data hold no language %s", {language}));
  return i;
}

String SlotText(TConsistentLangPropertyEntry* item, int slot, bool& hasValue) {
  const Variant v = item->GetLangValue(slot);
  hasValue = !v.IsNull();
  return hasValue ? VarToStr(v) : String();
}

String NoteOf(const TLanguageItemRef& ref) {
  if (ref.Item->IndexValue() >= 0) return "named string";
  const String& cls = ref.Entry->TypeName();
  const String& type = ref.Item->TypeName();
  if (cls.empty()) return type;
  return type.empty() ? cls : cls + ", " + type;
}

}  // namespace

String DefaultSourceLanguage(TLanguageManager* manager) {
  TLanguageEntries* langs = manager->Langs();
  for (int i = 0; i < langs->Count(); ++i)
    if (langs->Items(i)->IsActive()) return langs->Items(i)->Name();
  if (langs->Count() == 0) throw Exception("The language data hold no language");
  return langs->Items(0)->Name();
}

TTranslationCatalog CatalogFromManager(TLanguageManager* manager, const String& sourceLanguage,
                                       const String& targetLanguage) {
  TLanguageEntries* langs = manager->Langs();
  const TLanguageEntry* source = langs->Items(LanguageIndex(manager, sourceLanguage));
  const TLanguageEntry* target = langs->Items(LanguageIndex(manager, targetLanguage));
  TTranslationCatalog catalog;
  TComponent* owner = manager->Owner();
  catalog.Original = manager->HasOwner() && owner ? owner->ClassName()
                     : manager->Control()       ? manager->Control()->Name()
                                                : String();
  catalog.SourceLanguage = source->Name();
  catalog.TargetLanguage = target->Name();
  catalog.SourceCode = LanguageCode(catalog.SourceLanguage);
  catalog.TargetCode = LanguageCode(catalog.TargetLanguage);
  for (const TLanguageItemRef& ref : LanguageItems(manager)) {
    TTranslationUnit u;
    u.Key = ref.Key;
    u.Note = NoteOf(ref);
    bool hasSource;
    u.Source = SlotText(ref.Item, source->SubIndex(), hasSource);
    u.Target = SlotText(ref.Item, target->SubIndex(), u.HasTarget);
    // An empty text is a translation only where the design language has none either.
    if (u.Target.empty() && !u.Source.empty()) u.HasTarget = false;
    u.State = u.HasTarget ? tsTranslated : tsUntranslated;
    catalog.Units.push_back(std::move(u));
  }
  return catalog;
}

void ResolveCatalogLanguages(TLanguageManager* manager, TTranslationCatalog& catalog, const String& fileName) {
  if (catalog.TargetLanguage.empty() && !catalog.TargetCode.empty())
    catalog.TargetLanguage = LanguageOfCode(manager, catalog.TargetCode);
  if (catalog.TargetLanguage.empty()) throw EReadError(fileName + ": the file names no target language");
  if (catalog.SourceLanguage.empty())
    catalog.SourceLanguage =
        catalog.SourceCode.empty() ? DefaultSourceLanguage(manager) : LanguageOfCode(manager, catalog.SourceCode);
}

void MergePreviousCatalog(TTranslationCatalog& catalog, const TTranslationCatalog& previous) {
  std::unordered_map<String, const TTranslationUnit*, TTextHash, TTextEqual> before;
  for (const TTranslationUnit& u : previous.Units) before.emplace(u.Key, &u);
  for (TTranslationUnit& u : catalog.Units) {
    auto found = before.find(u.Key);
    if (found == before.end() || !u.HasTarget) continue;
    const TTranslationUnit& old = *found->second;
    if (old.Source != u.Source) {
      u.State = tsFuzzy;
      // The text the translation was made for: the oldest one known.
      u.PreviousSource = old.HasPreviousSource ? old.PreviousSource : old.Source;
      u.HasPreviousSource = u.PreviousSource != u.Source;
    } else if (old.HasTarget && old.Target == u.Target && (old.State == tsFuzzy || old.State == tsFinal)) {
      u.State = old.State;
      u.PreviousSource = old.PreviousSource;
      u.HasPreviousSource = old.HasPreviousSource;
    }
  }
}

bool ImportCatalogs(TLanguageManager* manager, const std::vector<TTranslationCatalog>& catalogs, TObject* settings,
                    TImportMode mode, bool initialise, TStrings* warnings, TStrings* errors) {
  // The catalogs as one export file: the design language first (the language read first
  // becomes the active one), then each target language.
  const bool withSource = mode != imAddAll && !catalogs.empty();
  String text;
  TStringList sections;
  auto section = [&](const String& language) {
    const String name = LanguageSectionName(manager, language);
    if (sections.IndexOf(SectionToRow(name)) >= 0)
      throw Exception(Format("Two files hold the language %s", {language}));
    sections.Add(SectionToRow(name));
    text += "[" + name + "]\r\n";
  };
  if (withSource) {
    section(catalogs.front().SourceLanguage);
    std::unordered_map<String, bool, TTextHash, TTextEqual> seen;
    for (const TTranslationCatalog& c : catalogs)
      for (const TTranslationUnit& u : c.Units)
        if (seen.emplace(u.Key, true).second) text += u.Key + "=" + EncodeLanguageValue(Variant(u.Source)) + "\r\n";
    text += "\r\n";
  }
  for (const TTranslationCatalog& c : catalogs) {
    section(c.TargetLanguage);
    for (const TTranslationUnit& u : c.Units)
      if (u.HasTarget) text += u.Key + "=" + EncodeLanguageValue(Variant(u.Target)) + "\r\n";
    text += "\r\n";
  }
  String temp;
  CreateTempFile(temp);
  TFinally remove([&] {
    FileSetReadOnly(temp, false);
    DeleteFile(temp);
  });
  WriteFileAtomically(temp, text);
  const bool done = ImportLanguages(manager, temp, settings, mode, initialise, &sections, warnings, errors);

  // The rows name the lines of the temporary file; translators look for their own files.
  std::unordered_map<String, String, TTextHash, TTextEqual> places;
  for (const TTranslationCatalog& c : catalogs)
    for (const TTranslationUnit& u : c.Units)
      if (u.Line > 0 && !c.FileName.empty())
        places.emplace(c.TargetLanguage + "\n" + u.Key, c.FileName + ":" + IntToStr(u.Line) + ": ");
  for (TStrings* rows : {warnings, errors})
    for (int i = 0; rows && i < rows->Count(); ++i) {
      const String& row = rows->Strings(i);
      const size_t close = row.find("]=");
      const size_t eq = close == String::npos ? String::npos : row.find('=', close + 2);
      if (row.empty() || row[0] != '[' || eq == String::npos) continue;
      const String language = SectionLanguage(row.substr(1, close - 1));
      auto found = places.find(language + "\n" + row.substr(close + 2, eq - close - 2));
      if (found != places.end()) rows->Put(i, found->second + row);
    }
  return done;
}

String LanguageCode(const String& language) {
  String english = Trim(language);
  if (!IsDefaultLanguage({lnEnglish}, english)) {
    String native = Trim(language);
    if (IsDefaultLanguage({lnOriginal}, native) && TranslateLanguage(lnOriginal, native)) english = native;
  }
  for (const auto& [name, code] : LanguageCodes)
    if (SameText(english, name)) return code;
  String code = "x-";
  for (char c : language)
    if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')) code += c;
    else if (c >= 'A' && c <= 'Z') code += static_cast<char>(c - 'A' + 'a');
  return code.size() > 2 ? code : code + "language";
}

String LanguageOfCode(TLanguageManager* manager, const String& code) {
  const String primary = code.substr(0, code.find_first_of("-_"));
  TLanguageEntries* langs = manager->Langs();
  for (int i = 0; i < langs->Count(); ++i)
    if (SameText(LanguageCode(langs->Items(i)->Name()), code)) return langs->Items(i)->Name();
  for (int i = 0; i < langs->Count(); ++i)
    if (SameText(LanguageCode(langs->Items(i)->Name()), primary)) return langs->Items(i)->Name();
  for (const auto& [name, c] : LanguageCodes)
    if (SameText(primary, c)) return name;
  return code;
}

}  // namespace xel
