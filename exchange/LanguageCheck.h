// Checks of a manager's language data, for translators and build scripts: values missing in
// a language, slots without value, and values that their property does not accept.
#pragma once

#include <vector>

#include "GlottaTools.h"

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

}  // namespace xel
