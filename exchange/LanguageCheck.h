// Checks of a manager's language data, for translators and build scripts: values missing in
// a language, slots without value, and values that their property does not accept.
#pragma once

#include <vector>

#include "GlottaTools.h"
#include "LanguageExport.h"

namespace xel {

enum class TValueState {
  Translated,
  NoValue,      // the slot holds nothing (Null)
  Missing,      // an empty text where another language has one
  Unreadable,   // the stored value cannot be read back
  Invalid       // the property does not accept the value
};

struct TLanguageIssue {
  String Key;       // the item as the export file names it
  String Language;
  TValueState State;
  String Message;
};

// The state of one item in the language with the given slot. Checking a value against its
// property sets the live property and restores it.
TValueState LanguageValueState(TConsistentLangPropertyEntry* item, int slot, String* message = nullptr);

// Every item and language that is not translated, in the order of the export.
std::vector<TLanguageIssue> CheckLanguages(TLanguageManager* manager);

struct TLanguageCompleteness {
  String Language;
  int Translated = 0;
  int Total = 0;
  // 100 for a language of a manager without items.
  int Percent() const { return Total == 0 ? 100 : static_cast<int>(Int64(Translated) * 100 / Total); }
};
std::vector<TLanguageCompleteness> LanguageCompleteness(TLanguageManager* manager);

// The rules of a translation check, each of which can be switched off. The rules that
// compare (placeholders, accelerators, blanks, punctuation) hold a translation against
// the design language's text of the same item and do not apply to that language itself.
XEL_ENUM(TCheckRule, crMissing, crPlaceholders, crAccelerators, crBlanks, crPunctuation, crValue, crFit, crLost,
         crSource)
XEL_SET(TCheckRules, TCheckRule)
inline const TCheckRules AllCheckRules{crMissing, crPlaceholders, crAccelerators, crBlanks, crPunctuation,
                                       crValue,   crFit,          crLost,         crSource};
// The rule's name in reports: "missing", "placeholders", "accelerators", "blanks",
// "punctuation", "value", "fit", "lost", "source". The last two need more than the
// language data (the form's components, the program's sources): their callers report them.
String CheckRuleName(TCheckRule rule);
bool CheckRuleOfName(std::string_view name, TCheckRule& rule);

struct TCheckFinding {
  String Key;  // the item as the export file names it
  String Language;
  TCheckRule Rule;
  String Message;
};

// One cell, as the editor marks it: the item in the language at index `language` of the
// manager's list, held against the language at index `source`.
std::vector<TCheckFinding> CheckTranslation(TLanguageManager* manager, const TLanguageItemRef& item, int language,
                                            int source, TCheckRules rules = AllCheckRules);
// The index of the language the comparing rules hold the others against: the one named
// sourceLanguage, or with an empty name the active language (the first without one).
// Raises Exception for a name the manager has no language of.
int CheckSourceLanguage(TLanguageManager* manager, const String& sourceLanguage = String());
// Every item in every language, in the order of the export, language by language inside
// an item. sourceLanguage: the design language; empty for the active one.
std::vector<TCheckFinding> CheckTranslations(TLanguageManager* manager, TCheckRules rules = AllCheckRules,
                                             const String& sourceLanguage = String());

}  // namespace xel
