// Catalogs as gettext PO files: one file per target language. msgctxt is the item's key,
// so that equal design-language texts of different items stay apart; msgid is the design
// language's text; "#." holds the component's class and the property's type. The header
// has no dates, so that a re-export of unchanged data is the same file.
#pragma once

#include "TranslationCatalog.h"

namespace xel {

// The file's text, UTF-8, LF line ends as gettext's tools write them.
String WritePoFile(const TTranslationCatalog& catalog);

// Reads a PO file. Raises EReadError "file:line:col: message" on text that is no PO file
// (or a charset other than UTF-8). Entries that have no place in the language data (no
// msgctxt, plural forms, obsolete entries) are left out with a warning row
// "file:line: warning: ..." each.
TTranslationCatalog ReadPoFile(std::string_view text, const String& fileName, TStrings* warnings);

}  // namespace xel
