// A pseudo-language for developers: every text of the design language accented,
// bracketed and about 40 % longer, placeholders and accelerators kept, so that one look at
// a window shows texts that were never translated and controls too small for longer
// languages.
#pragma once

#include "GlottaTools.h"

namespace xel {

// "&Open %s" gives "[&Öþéñ %s ~~~]": letters accented, marks untouched, line breaks kept.
String PseudoText(std::string_view text);

// Adds the language (or replaces its values when the manager has it) with the pseudo
// texts of the source language (empty: the active one); items that are no texts, and
// font names, keep the source language's value. Returns the language's index.
int AddPseudoLanguage(TLanguageManager* manager, const String& language, const String& sourceLanguage = String());

}  // namespace xel
