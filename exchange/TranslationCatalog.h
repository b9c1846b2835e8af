// One target language of a language manager as translators' tools see it: for every
// translated item and named string the design language's text, the translation and its
// state. The PO and XLIFF files are written from catalogs and read into them; catalogs go
// into a manager through the import of the export file, so that lines find their items
// the same way whichever format they came in.
#pragma once

#include <vector>

#include "GlottaTools.h"

namespace xel {

XEL_ENUM(TTranslationState, tsUntranslated, tsFuzzy, tsTranslated, tsFinal)

struct TTranslationUnit {
  String Key;   // the item as the export file names it: "Button1.Caption", "Glotta1.#Greeting"
  String Note;  // the component's class and the property's type: "TButton, string"
  String Source;
  String Target;
  bool HasTarget = false;
  TTranslationState State = tsUntranslated;
  // The design language's text that the translation was made for, when it has changed
  // since (a PO file's "#| msgid").
  String PreviousSource;
  bool HasPreviousSource = false;
  int Line = 0;  // where a reader found it
};

struct TTranslationCatalog {
  String Original;        // the class of the form the data belong to
  String FileName;        // the file a reader read it from
  String SourceLanguage;  // language names as the manager has them; empty when a file
  String TargetLanguage;  // gave only codes
  String SourceCode;      // the languages' codes in the file ("en", "de")
  String TargetCode;
  std::vector<TTranslationUnit> Units;
};

// The manager's items in the order of the export. source and target name languages of the
// manager; raises when one is missing. A non-empty translation is tsTranslated.
TTranslationCatalog CatalogFromManager(TLanguageManager* manager, const String& sourceLanguage,
                                       const String& targetLanguage);
// The design language of a manager unless one is named: its active language.
String DefaultSourceLanguage(TLanguageManager* manager);

// Fills the names of a read catalog's languages that its file gave only as codes: the
// source falls back to the manager's design language. Raises when the target has neither.
void ResolveCatalogLanguages(TLanguageManager* manager, TTranslationCatalog& catalog, const String& fileName);

// Takes over what the previous export of the same language knew: a translation whose
// design-language text has changed since becomes fuzzy (keeping the old text); one whose
// text and translation are unchanged keeps its state (fuzzy or final).
void MergePreviousCatalog(TTranslationCatalog& catalog, const TTranslationCatalog& previous);

// Reads catalogs into the manager through ImportLanguages. The design language's texts
// are taken too in the modes imClearExisting and imAddNotExisting (where they replace
// everything or only fill gaps), never with imAddAll: a translator's file does not
// overwrite the developer's texts. Untranslated units bring nothing. Rows of warnings
// and errors as ImportLanguages gives them, each after the place of its unit in a file
// that was read ("de.po:12: [TMainForm.Deutsch]=Button9.Caption=Neu").
bool ImportCatalogs(TLanguageManager* manager, const std::vector<TTranslationCatalog>& catalogs, TObject* settings,
                    TImportMode mode, bool initialise, TStrings* warnings, TStrings* errors);

// A short code for a language name where the language table knows one ("de" for Deutsch
// or German), else "x-" and the name's letters and digits in lower case.
String LanguageCode(const String& language);
// The language a code of another tool's file stands for: one of the manager's languages
// whose code it is (the code's first subtag decides), else the language table's English
// name, else the code itself.
String LanguageOfCode(TLanguageManager* manager, const String& code);

}  // namespace xel
