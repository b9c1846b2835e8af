// Reads a language export file back into a language manager: the chosen sections, in one
// of three modes, onto the items that the owner form offers now.
#pragma once

#include "GlottaTools.h"

namespace xel {

// Import files beyond this size are refused before they are read.
inline constexpr Int64 MaxLanguageFileSize = Int64(256) << 20;

// sections: rows "class=language" (GetAvailLangSections) to read, in this order. settings:
// a TCESettings or none (the explorer's defaults). Warnings receives "[section]=line" for
// every line placed on a guessed property, errors for every line not imported. Raises
// before anything changes when settings or file are wrong; when it raises later, the
// manager keeps what it held and both lists are cleared. True when it completed.
bool ImportLanguages(TLanguageManager* manager, const String& fileName, TObject* settings, TImportMode mode,
                     bool initialise, const TStrings* sections, TStrings* warnings, TStrings* errors);
// The file's sections as rows "class=language"; a missing file leaves the list unchanged.
void GetAvailLangSections(const String& fileName, TStrings* list);

}  // namespace xel
