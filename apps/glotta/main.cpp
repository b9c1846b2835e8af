// glotta: the language data of form files and language files for translators and build
// scripts. Lists, exports, imports and checks them through the package's own exchange
// code, so that the editor and a build apply one rule set.
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

#include "ComponentExplorer.h"
#include "GlottaDocument.h"
#include "GlottaParser.h"
#include "HeadlessWidgetSet.h"
#include "LanguageCheck.h"
#include "LanguageExport.h"
#include "LanguageImport.h"
#include "LogFile.h"
#include "PoFile.h"
#include "PseudoLanguage.h"
#include "XliffFile.h"
#include "RegisterControls.h"
#ifdef XEL_GLOTTA_QT
#include <cstdlib>

#include "QtWidgetSet.h"
#endif

using namespace xel;

namespace {

const char* const Usage =
    "usage: glotta COMMAND ...\n"
    "\n"
    "  list FILE...                      languages, items, named strings and how complete each\n"
    "                                    language is\n"
    "  export FILE [--format FORMAT] [--source LANG] [--language LANG] [-o OUTPUT]\n"
    "                                    the language data as an export file (FORMAT text, the\n"
    "                                    default; stdout without -o) or for translators' tools:\n"
    "                                    po, xliff (1.2) or xliff2, one file per language other\n"
    "                                    than the design language (--source, default the active\n"
    "                                    one); OUTPUT is a folder for several languages, a file\n"
    "                                    for one (--language); a file that is there already gives\n"
    "                                    the states: a translation whose source text changed is\n"
    "                                    marked fuzzy\n"
    "  import FILE LANGFILE... --mode MODE [--init]\n"
    "                                    reads an export file, or PO and XLIFF files, into the\n"
    "                                    form or language file and writes it back in its own\n"
    "                                    format; MODE is add-all (the file's values win),\n"
    "                                    add-missing (present values win) or clear (only what\n"
    "                                    the files hold); --init fills the other languages of new\n"
    "                                    items with the active language's value\n"
    "  check FILE... [--format text|json] [--disable RULE,...] [--source LANG]\n"
    "        [--sources UNIT,...]        checks every translation against the design language;\n"
    "                                    rules: missing, placeholders, accelerators, blanks,\n"
    "                                    punctuation, value, fit, lost, source (the GetString\n"
    "                                    calls of Pascal units or C++ sources against the named\n"
    "                                    strings); lines \"file: item: language: rule: message\"\n"
    "  pseudo FILE [--language NAME] [--source LANG]\n"
    "                                    adds a pseudo-language (default \"Pseudo\"): the design\n"
    "                                    language's texts accented, bracketed and 40 % longer\n"
    "\n"
    "FILE is a text or binary form file, a component resource file or a language file (.lng).\n"
    "The fit rule measures with Qt's fonts; --widgetset=headless measures with fixed metrics.\n"
    "Exit codes: 0 ok, 1 a check failed or lines could not be imported, 2 usage or unreadable input.\n";

enum { ExitOk = 0, ExitFailed = 1, ExitUsage = 2 };

struct TUsageError {};

// Takes "--name VALUE" or "--name=VALUE" out of the arguments; true when it was there.
bool TakeOption(std::vector<String>& args, const String& name, String& value) {
  for (size_t i = 0; i < args.size(); ++i) {
    const auto at = args.begin() + static_cast<std::ptrdiff_t>(i);
    if (args[i] == name) {
      if (i + 1 >= args.size()) throw TUsageError{};
      value = args[i + 1];
      args.erase(at, at + 2);
      return true;
    }
    if (args[i].rfind(name + "=", 0) == 0) {
      value = args[i].substr(name.size() + 1);
      args.erase(at);
      return true;
    }
  }
  return false;
}

void RefuseOptions(const std::vector<String>& args) {
  for (const String& a : args)
    if (a.rfind("--", 0) == 0 || a == "-o") throw TUsageError{};
}

void PrintRows(const char* label, const TStrings& rows) {
  for (int i = 0; i < rows.Count(); ++i) std::fprintf(stderr, "%s%s\n", label, rows[i].c_str());
}

enum TFileKind { fkText, fkPo, fkXliff };

TFileKind KindOfFile(const String& fileName) {
  const String ext = LowerCase(ExtractFileExt(fileName));
  if (ext == ".po" || ext == ".pot") return fkPo;
  if (ext == ".xlf" || ext == ".xliff") return fkXliff;
  const String head = ReadTextFile(fileName).substr(0, 256);
  if (head.find("<xliff") != String::npos || head.rfind("<?xml", 0) == 0) return fkXliff;
  if (head.rfind("msgid", 0) == 0 || head.rfind("msgctxt", 0) == 0 || head.find("\nmsgid ") != String::npos)
    return fkPo;
  return fkText;
}

std::vector<TTranslationCatalog> ReadCatalogs(const String& fileName, TFileKind kind, TStrings* warnings) {
  if (GetFileSize(fileName) > MaxLanguageFileSize)
    throw EReadError(fileName + " is larger than a language file can be");
  const String text = ReadTextFile(fileName, true);
  if (kind == fkPo) return {ReadPoFile(text, fileName, warnings)};
  return ReadXliffFile(text, fileName, warnings);
}

TGlotta* GlottaOf(const TGlottaDocument& doc) {
  TGlotta* g = doc.Glotta();
  if (!g) throw EReadError(doc.FileName() + " has no language component");
  return g;
}

int List(const std::vector<String>& files) {
  for (const String& file : files) {
    TGlottaDocument doc(file);
    TLanguageManager* m = GlottaOf(doc)->LanguageManager();
    std::printf("%s\n  languages:", file.c_str());
    for (int i = 0; i < m->Langs()->Count(); ++i)
      std::printf(" %s%s", m->Langs()->Items(i)->Name().c_str(), m->Langs()->Items(i)->IsActive() ? " (active)" : "");
    std::vector<String> items, strings;
    for (const TLanguageItemRef& ref : LanguageItems(m)) (ref.Item->IndexValue() >= 0 ? strings : items).push_back(ref.Key);
    std::printf("\n  items: %d\n", static_cast<int>(items.size()));
    for (const String& k : items) std::printf("    %s\n", k.c_str());
    std::printf("  named strings: %d\n", static_cast<int>(strings.size()));
    for (const String& k : strings) std::printf("    %s\n", k.c_str());
    std::printf("  complete:\n");
    for (const TLanguageCompleteness& c : LanguageCompleteness(m))
      std::printf("    %s: %d%% (%d of %d)\n", c.Language.c_str(), c.Percent(), c.Translated, c.Total);
  }
  return ExitOk;
}

String WriteCatalog(const TTranslationCatalog& catalog, const String& format) {
  if (format == "po") return WritePoFile(catalog);
  return WriteXliffFile(catalog, format == "xliff2" ? xv20 : xv12);
}

// One language for translators' tools, over the file that may be there from before.
void ExportCatalog(TLanguageManager* m, const String& source, const String& target, const String& format,
                   const String& output) {
  TTranslationCatalog catalog = CatalogFromManager(m, source, target);
  if (!output.empty() && FileExists(output)) {
    TStringList ignored;
    for (const TTranslationCatalog& previous : ReadCatalogs(output, format == "po" ? fkPo : fkXliff, &ignored))
      if (SameText(previous.TargetLanguage, target) || previous.TargetLanguage.empty())
        MergePreviousCatalog(catalog, previous);
  }
  const String text = WriteCatalog(catalog, format);
  if (output.empty()) std::fwrite(text.data(), 1, text.size(), stdout);
  else WriteFileAtomically(output, text);
}

int Export(std::vector<String> args) {
  String output, format = "text", source, language;
  TakeOption(args, "-o", output);
  TakeOption(args, "--format", format);
  TakeOption(args, "--source", source);
  const bool one = TakeOption(args, "--language", language);
  RefuseOptions(args);
  if (args.size() != 1) throw TUsageError{};
  if (format != "text" && format != "po" && format != "xliff" && format != "xliff2") throw TUsageError{};
  TGlottaDocument doc(args[0]);
  TLanguageManager* m = GlottaOf(doc)->LanguageManager();
  if (format == "text") {
    if (one || !source.empty()) throw TUsageError{};
    if (output.empty()) {
      String text = ExportLanguagesToText(m);
      std::fwrite(text.data(), 1, text.size(), stdout);
    } else {
      ExportLanguages(m, output);
    }
    return ExitOk;
  }
  if (source.empty()) source = DefaultSourceLanguage(m);
  if (one) {
    ExportCatalog(m, source, language, format, output);
    return ExitOk;
  }
  // Every other language into a folder: FormName.Language.po
  if (output.empty()) throw TUsageError{};
  if (!ForceDirectories(output)) throw EInOutError(output + ": the folder cannot be made");
  const String stem = ChangeFileExt(ExtractFileName(args[0]), "");
  const String ext = format == "po" ? ".po" : ".xlf";
  for (int i = 0; i < m->Langs()->Count(); ++i) {
    const String& target = m->Langs()->Items(i)->Name();
    if (SameText(target, source)) continue;
    const String file = IncludeTrailingPathDelimiter(output) + stem + "." + target + ext;
    ExportCatalog(m, source, target, format, file);
    std::printf("%s\n", file.c_str());
  }
  return ExitOk;
}

int Import(const std::vector<String>& args) {
  std::vector<String> files;
  String mode;
  bool init = false;
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--mode" && i + 1 < args.size()) mode = args[++i];
    else if (args[i].rfind("--mode=", 0) == 0) mode = args[i].substr(7);
    else if (args[i] == "--init") init = true;
    else if (args[i].rfind("--", 0) == 0) throw TUsageError{};
    else files.push_back(args[i]);
  }
  TImportMode importMode;
  if (mode == "add-all") importMode = imAddAll;
  else if (mode == "add-missing") importMode = imAddNotExisting;
  else if (mode == "clear") importMode = imClearExisting;
  else throw TUsageError{};
  if (files.size() < 2) throw TUsageError{};
  const String& form = files[0];
  const std::vector<String> languageFiles(files.begin() + 1, files.end());
  for (const String& f : languageFiles)
    if (!FileExists(f)) throw EReadError(f + ": file not found");
  const TFileKind kind = KindOfFile(languageFiles[0]);
  for (const String& f : languageFiles)
    if ((KindOfFile(f) == fkText) != (kind == fkText)) throw TUsageError{};
  if (kind == fkText && languageFiles.size() != 1) throw TUsageError{};
  const String& languageFile = languageFiles[0];

  TGlottaDocument doc(form);
  TLanguageManager* m = GlottaOf(doc)->LanguageManager();
  TStringList warnings, errors;
  // Every published property is a target: the file names what it translates.
  TCESettings settings;
  settings.SetPropFilter({pfAll});
  if (kind == fkText) {
    TStringList sections;
    GetAvailLangSections(languageFile, &sections);
    ImportLanguages(m, languageFile, &settings, importMode, init, &sections, &warnings, &errors);
  } else {
    std::vector<TTranslationCatalog> catalogs;
    TStringList readerWarnings;
    for (const String& f : languageFiles)
      for (TTranslationCatalog& c : ReadCatalogs(f, KindOfFile(f), &readerWarnings)) {
        ResolveCatalogLanguages(m, c, f);
        catalogs.push_back(std::move(c));
      }
    PrintRows("", readerWarnings);
    ImportCatalogs(m, catalogs, &settings, importMode, init, &warnings, &errors);
  }
  // Rows of PO and XLIFF files start with their place: "de.po:12: [section]=line".
  auto print = [&](const TStrings& rows, const char* what) {
    for (int i = 0; i < rows.Count(); ++i) {
      const String& row = rows[i];
      const size_t at = kind == fkText ? String::npos : row.find(": [");
      const String place = at == String::npos ? languageFile : row.substr(0, at);
      const String rest = at == String::npos ? row : row.substr(at + 2);
      std::fprintf(stderr, "%s: %s%s\n", place.c_str(), what, rest.c_str());
    }
  };
  print(warnings, "warning: guessed property: ");
  print(errors, "error: not imported: ");
  if (errors.Count() > 0) {
    std::fprintf(stderr, "%s: left unchanged\n", form.c_str());
    return ExitFailed;
  }
  doc.SaveToFile(form);
  return ExitOk;
}

String JsonString(const String& s) {
  String out = "\"";
  for (char c : s) {
    if (c == '"' || c == '\\') out += {'\\', c};
    else if (static_cast<unsigned char>(c) < 32) out += {'\\', 'u', '0', '0', "01"[c >> 4], "0123456789abcdef"[c & 15]};
    else out += c;
  }
  return out + "\"";
}

// The named strings against the GetString calls of the sources: calls without one
// literal, names that no string has, strings that no call uses.
void CheckSources(TGlotta* glotta, const String& sources, const std::function<void(const TCheckFinding&)>& report) {
  TLanguageManager* m = glotta->LanguageManager();
  const String owner = m->Control() ? m->Control()->Name() : String();
  TStringList used;
  used.SetSorted(true);
  used.SetDuplicates(dupIgnore);
  for (size_t start = 0; start < sources.size();) {
    size_t comma = sources.find(',', start);
    if (comma == String::npos) comma = sources.size();
    const String file = sources.substr(start, comma - start);
    start = comma + 1;
    const String text = ReadTextFile(file, true);
    const String ext = LowerCase(ExtractFileExt(file));
    const bool pascal = ext == ".pas" || ext == ".dpr" || ext == ".inc";
    TGlottaParser parser(glotta, m->Names(), text);
    if (!parser.Check(false, pascal ? ctPascal : ctC)) throw EReadError(file + ": the unit has no final \"end.\"");
    auto where = [&](const TObject* offset) {
      const auto at = static_cast<size_t>(TGlottaParser::OffsetOf(offset));
      return file + ":" + IntToStr(static_cast<Integer>(std::count(text.begin(), text.begin() + at, '\n') + 1));
    };
    for (int i = 0; i < parser.InvalidCalls()->Count(); ++i)
      report({where(parser.InvalidCalls()->Objects(i)), "*", crSource,
              "the name is no single literal: " + parser.InvalidCalls()->Get(i)});
    for (int i = 0; i < parser.UnknownNames()->Count(); ++i)
      report({owner + ".#" + parser.UnknownNames()->Get(i), "*", crSource,
              "used at " + where(parser.UnknownNames()->Objects(i)) + " but not defined"});
    for (int i = 0; i < parser.UsedNames()->Count(); ++i) used.Add(parser.UsedNames()->Get(i));
  }
  for (int i = 0; i < m->Names()->Count(); ++i)
    if (used.IndexOf(m->Names()->Get(i)) < 0)
      report({owner + ".#" + m->Names()->Get(i), "*", crSource, "defined but used by none of the sources"});
}

int Check(std::vector<String> args) {
  String format = "text", disabled, source, sources;
  TakeOption(args, "--sources", sources);
  TakeOption(args, "--format", format);
  TakeOption(args, "--disable", disabled);
  TakeOption(args, "--source", source);
  RefuseOptions(args);
  if (args.empty() || (format != "text" && format != "json")) throw TUsageError{};
  TCheckRules rules = AllCheckRules;
  for (size_t start = 0; !disabled.empty() && start <= disabled.size();) {
    size_t comma = disabled.find(',', start);
    if (comma == String::npos) comma = disabled.size();
    TCheckRule rule;
    if (!CheckRuleOfName(Trim(disabled.substr(start, comma - start)), rule)) throw TUsageError{};
    rules.Exclude(rule);
    start = comma + 1;
  }
  const bool json = format == "json";
  int result = ExitOk;
  bool first = true;
  if (json) std::printf("[");
  auto report = [&](const String& file, const TCheckFinding& f) {
    result = ExitFailed;
    if (!json) {
      std::printf("%s: %s: %s: %s: %s\n", file.c_str(), f.Key.c_str(), f.Language.c_str(),
                  CheckRuleName(f.Rule).c_str(), f.Message.c_str());
      return;
    }
    std::printf("%s\n  {\"file\": %s, \"item\": %s, \"language\": %s, \"rule\": %s, \"message\": %s}",
                first ? "" : ",", JsonString(file).c_str(), JsonString(f.Key).c_str(), JsonString(f.Language).c_str(),
                JsonString(CheckRuleName(f.Rule)).c_str(), JsonString(f.Message).c_str());
    first = false;
  };
  for (const String& file : args) {
    try {
      TGlottaDocument doc(file);
      TLanguageManager* m = GlottaOf(doc)->LanguageManager();
      if (rules.Contains(crLost))
        for (const String& lost : doc.LostItems())
          report(file, TCheckFinding{lost, "*", crLost, "component or property no longer exists"});
      for (const TCheckFinding& f : CheckTranslations(m, rules, source)) report(file, f);
      if (!sources.empty() && rules.Contains(crSource))
        CheckSources(GlottaOf(doc), sources, [&](const TCheckFinding& f) { report(file, f); });
    } catch (const Exception& e) {
      std::fprintf(stderr, "%s: %s\n", file.c_str(), e.Message().c_str());
      result = ExitUsage;
    }
  }
  if (json) std::printf("%s]\n", first ? "" : "\n");
  return result;
}

int Pseudo(std::vector<String> args) {
  String language = "Pseudo", source;
  TakeOption(args, "--language", language);
  TakeOption(args, "--source", source);
  RefuseOptions(args);
  if (args.size() != 1) throw TUsageError{};
  TGlottaDocument doc(args[0]);
  AddPseudoLanguage(GlottaOf(doc)->LanguageManager(), language, source);
  doc.SaveToFile(args[0]);
  return ExitOk;
}

int Run(std::vector<String> args) {
  if (args.empty()) throw TUsageError{};
  if (args[0] == "--help" || args[0] == "-h") {
    std::printf("%s", Usage);
    return ExitOk;
  }
  const String command = args[0];
  args.erase(args.begin());
  if (command == "list" && !args.empty()) return List(args);
  if (command == "export") return Export(args);
  if (command == "import") return Import(args);
  if (command == "check" && !args.empty()) return Check(args);
  if (command == "pseudo") return Pseudo(args);
  throw TUsageError{};
}

// The fit rule measures a text with the font its window draws it in, so the widget set is
// Qt's, on the offscreen platform: a build has no display and glotta shows no window.
// "--widgetset=headless" (or XEL_WIDGETSET) measures with the headless set's fixed metrics.
struct TMeasuringWidgetSet {
  TMeasuringWidgetSet(int& argc, char** argv) {
#ifdef XEL_GLOTTA_QT
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    InstallChosenWidgetSet(argc, argv);
#else
    (void)argc, (void)argv;
    InstallHeadlessWidgetSet();
#endif
  }
  ~TMeasuringWidgetSet() {
#ifdef XEL_GLOTTA_QT
    FinalizeQtWidgetSet();
#endif
  }
};

}  // namespace

int main(int argc, char** argv) {
  try {
    RegisterCoreClasses();
    RegisterControlClasses();
    RegisterGlottaClasses();
    RegisterLogFileClasses();
    TMeasuringWidgetSet widgetSet(argc, argv);
    return Run(std::vector<String>(argv + 1, argv + argc));
  } catch (const TUsageError&) {
    std::fprintf(stderr, "%s", Usage);
    return ExitUsage;
  } catch (const Exception& e) {
    std::fprintf(stderr, "glotta: %s\n", e.Message().c_str());
    return ExitUsage;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "glotta: %s\n", e.what());
    return ExitUsage;
  }
}
