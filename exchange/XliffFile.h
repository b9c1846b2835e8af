// Catalogs as XLIFF files, version 1.2 (what translators' tools import most reliably) or
// 2.0: one target language per file, units in the order of the export, the item's key as
// the unit's name, the language names of the data kept beside the codes.
#pragma once

#include <vector>

#include "TranslationCatalog.h"

namespace xel {

XEL_ENUM(TXliffVersion, xv12, xv20)

// Raises when a text cannot be carried by XML (control characters, bytes that are not UTF-8).
String WriteXliffFile(const TTranslationCatalog& catalog, TXliffVersion version);

// Reads either version: one catalog per <file> element. Raises EReadError
// "file:line:col: message" on text that is no XLIFF file or declares a document type.
// What has no place in the language data (inline codes without text, units without
// source) is left out with a warning row "file:line: warning: ..." each.
std::vector<TTranslationCatalog> ReadXliffFile(std::string_view text, const String& fileName, TStrings* warnings);

}  // namespace xel
