// Writes every language of a language manager as a text file: one section per language,
// one line per translated item and named string, in the notation of LanguageFile.h.
#pragma once

#include "GlottaTools.h"
#include "LogFile.h"

namespace xel {

// The text of the export file (CR LF line ends). The log, when given, receives a BEGIN and
// an END line around every item and the error, if any, which is raised again.
String ExportLanguagesToText(TLanguageManager* manager, TLogFile* log = nullptr);
// The same into a file, replaced as a whole: a failure leaves the file as it was.
void ExportLanguages(TLanguageManager* manager, const String& fileName, TLogFile* log = nullptr);

// One translated item or named string in the order of the export: the component entries
// in collection order, inside each the paths sorted ignoring case.
struct TLanguageItemRef {
  String Key;   // as the export writes it
  String Path;  // relative to the component entry, "Lines.Strings[2]"
  const TComponentEntry* Entry;
  TConsistentLangPropertyEntry* Item;
  bool Live;  // slot 0 is the live property (an item of a language component)
};
std::vector<TLanguageItemRef> LanguageItems(TLanguageManager* manager);

// The section line's name of a language: class of the owner (or nothing) "." language.
String LanguageSectionName(const TLanguageManager* manager, const String& language);
// The key of a translated item as the export writes it: "Button1.Caption",
// "TMainForm.Caption" for the owner form itself, "Glotta1.#Greeting" for a named string.
String LanguageItemKey(const TLanguageManager* manager, const TComponentEntry* entry, const String& path,
                       const TConsistentLangPropertyEntry* item);

}  // namespace xel
