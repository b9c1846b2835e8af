// The table of the 42 languages the system knows by name, and the lookups on it: the
// user's language, the known names, English and native names, and the comparison of two
// language names used whenever a requested language is matched.
#pragma once

#include "Classes.h"

namespace xel {

XEL_ENUM(TLanguageNameType, lnEnglish, lnOriginal)
XEL_SET(TLanguageNames, TLanguageNameType)

struct TDefaultLanguage {
  Integer LanguageID;  // the primary language identifier of the operating system
  const char* Names[2];  // English, native (empty when the table has none)
};

inline constexpr int DefaultLanguageCount = 42;
extern const TDefaultLanguage DefaultLanguages[DefaultLanguageCount];

// The user's language (the low byte of the user's default language identifier).
bool GetDefaultLanguage(String& englishName, String& nativeName);
// Trims the name; true when it is in one of the columns, and then spelled as the table does.
bool IsDefaultLanguage(TLanguageNames types, String& name);
// The names of one kind, in table order, without the empty ones.
void GetDefaultLanguages(TLanguageNameType nameType, TStrings* list);
// Replaces a name of the given kind by the other name of its row.
bool TranslateLanguage(TLanguageNameType nameType, String& name);
// Equal ignoring case, or the English and the native name of one row.
bool CompareLanguages(const String& a, const String& b);

// CompareLanguages(name, language) for many names against one language: the language's
// rows in the table are looked up once, and a language the table does not know is only
// compared by text.
class TLanguageMatch {
public:
  explicit TLanguageMatch(const String& language);
  bool Matches(const String& name) const;

private:
  String FLanguage;
  int FEnglishRow, FOriginalRow;
};

}  // namespace xel
