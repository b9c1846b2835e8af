// A unit of the demo without a form: its strings come from a language file linked into
// the program, and it follows the language of the program's frame.
#pragma once

#include "Glotta.h"

namespace xel::demo {

// Reads the unit's language data (once); later switches reach it by themselves.
void InitDemoUnit();
// The unit's status text ("Ready" in the current language).
String UnitStatusText();
// One of the unit's named strings in its current language.
String UnitString(const String& name);
// The unit's language component (none before InitDemoUnit).
TGlotta* UnitGlotta();
// The language the unit heard last.
const String& UnitLanguage();

}  // namespace xel::demo
