// The notation of the language export file, shared by its writer and its reader: section
// names, item keys ("Memo1.Lines%2", "Glotta1.#Greeting") and values between quotes.
//
// Values stand between single quotes exactly as they are. Two cases have no place in that
// notation and get one of their own, which the writer never produces otherwise:
// - a slot without value (Null) is written as nothing at all after "=" (no quotes);
// - a value with a line break is written without the outer quotes as a string constant of
//   quoted runs (quotes doubled inside) and character codes, in parentheses:
//   Memo1.Text=('first'#13#10'second').
#pragma once

#include "Variants.h"

namespace xel {

// The value as it is written after "=".
String EncodeLanguageValue(const Variant& value);

enum class TValueParse { Value, Null, Broken };
// Reads a value as written after "=" (blanks around it are ignored): quoted text without
// its quotes (inner quotes stay), the two notations above, or an unquoted text as it
// stands. Broken: a value that opens a quote and does not close it (a cut or broken line).
TValueParse DecodeLanguageValue(std::string_view text, String& value);
// The value as error rows show it: the text without its outer quotes.
String ShownLanguageValue(std::string_view text);

// The key of an item path relative to its component ("Lines.Strings[2]" of a string list
// gives "Lines%2", "Columns[1].Title.Caption" gives "Columns%1.Title.Caption").
String PathToLanguageKey(const String& path, bool stringList);
// The reverse of the index notation: each "%" followed by digits becomes "[" digits "]".
// lastOpen/lastClose: the positions of the rightmost "[" and its "]", npos when none.
String LanguageKeyToPath(const String& key, size_t& lastOpen, size_t& lastClose);

// The language of a section name: the text after the first "."; the whole name when it has
// none; the text before a "." that is the only one and the last character.
String SectionLanguage(const String& section);
// Section name and section-list row convert at the first "." and "=" respectively.
String SectionToRow(const String& section);
String RowToSection(const String& row);

}  // namespace xel
