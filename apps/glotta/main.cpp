// glotta: the language data of form files and language files for translators and build
// scripts. Lists, exports, imports and checks them through the package's own exchange
// code, so that the editor and a build apply one rule set.
#include <cstdio>
#include <vector>

#include "ComponentExplorer.h"
#include "GlottaDocument.h"
#include "HeadlessWidgetSet.h"
#include "LanguageCheck.h"
#include "LanguageExport.h"
#include "LanguageImport.h"
#include "LogFile.h"
#include "RegisterControls.h"

using namespace xel;

namespace {

const char* const Usage =
    "usage: glotta COMMAND ...\n"
    "\n"
    "  list FILE...                      languages, items, named strings and how complete each\n"
    "                                    language is\n"
    "  export FILE [-o OUTPUT]           the language data as an export file (stdout without -o)\n"
    "  import FILE LANGFILE --mode MODE [--init]\n"
    "                                    reads an export file into the form or language file and\n"
    "                                    writes it back in its own format; MODE is add-all (the\n"
    "                                    file's values win), add-missing (present values win) or\n"
    "                                    clear (only what the file holds); --init fills the other\n"
    "                                    languages of new items with the active language's value\n"
    "  check FILE...                     missing translations, values that do not convert to their\n"
    "                                    property's type, items whose component or property is gone\n"
    "\n"
    "FILE is a text or binary form file, a component resource file or a language file (.lng).\n"
    "Exit codes: 0 ok, 1 a check failed or lines could not be imported, 2 usage or unreadable input.\n";

enum { ExitOk = 0, ExitFailed = 1, ExitUsage = 2 };

struct TUsageError {};

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

int Export(std::vector<String> args) {
  String output;
  for (size_t i = 0; i < args.size(); ++i)
    if (args[i] == "-o" && i + 1 < args.size()) {
      output = args[i + 1];
      args.erase(args.begin() + static_cast<std::ptrdiff_t>(i), args.begin() + static_cast<std::ptrdiff_t>(i) + 2);
      break;
    }
  if (args.size() != 1) throw TUsageError{};
  TGlottaDocument doc(args[0]);
  TLanguageManager* m = GlottaOf(doc)->LanguageManager();
  if (output.empty()) {
    String text = ExportLanguagesToText(m);
    std::fwrite(text.data(), 1, text.size(), stdout);
  } else {
    ExportLanguages(m, output);
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
  if (files.size() != 2) throw TUsageError{};
  const String& form = files[0];
  const String& languageFile = files[1];

  TGlottaDocument doc(form);
  TLanguageManager* m = GlottaOf(doc)->LanguageManager();
  if (!FileExists(languageFile)) throw EReadError(languageFile + ": file not found");
  TStringList sections, warnings, errors;
  GetAvailLangSections(languageFile, &sections);
  // Every published property is a target: the file names what it translates.
  TCESettings settings;
  settings.SetPropFilter({pfAll});
  ImportLanguages(m, languageFile, &settings, importMode, init, &sections, &warnings, &errors);
  for (int i = 0; i < warnings.Count(); ++i)
    std::fprintf(stderr, "%s: warning: guessed property: %s\n", languageFile.c_str(), warnings[i].c_str());
  for (int i = 0; i < errors.Count(); ++i)
    std::fprintf(stderr, "%s: error: not imported: %s\n", languageFile.c_str(), errors[i].c_str());
  if (errors.Count() > 0) {
    std::fprintf(stderr, "%s: left unchanged\n", form.c_str());
    return ExitFailed;
  }
  doc.SaveToFile(form);
  return ExitOk;
}

int Check(const std::vector<String>& files) {
  int result = ExitOk;
  for (const String& file : files) {
    try {
      TGlottaDocument doc(file);
      TLanguageManager* m = GlottaOf(doc)->LanguageManager();
      for (const String& lost : doc.LostItems()) {
        std::printf("%s: %s: *: component or property no longer exists\n", file.c_str(), lost.c_str());
        result = ExitFailed;
      }
      for (const TLanguageIssue& issue : CheckLanguages(m)) {
        std::printf("%s: %s: %s: %s\n", file.c_str(), issue.Key.c_str(), issue.Language.c_str(), issue.Message.c_str());
        result = ExitFailed;
      }
    } catch (const Exception& e) {
      std::fprintf(stderr, "%s: %s\n", file.c_str(), e.Message().c_str());
      result = ExitUsage;
    }
  }
  return result;
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
  throw TUsageError{};
}

}  // namespace

int main(int argc, char** argv) {
  try {
    RegisterCoreClasses();
    RegisterControlClasses();
    RegisterGlottaClasses();
    RegisterLogFileClasses();
    InstallHeadlessWidgetSet();
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
