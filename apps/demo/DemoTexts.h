// What the demo's build step entered: every translated text of every window and every
// named string, in each language. The build step checks the stored windows against it and
// the tour checks what the running windows show, so a text in a wrong slot fails both.
#pragma once

#include <array>
#include <vector>

#include "Forms.h"

namespace xel::demo {

using TTexts = std::array<String, 3>;  // English, Deutsch, Français

struct TDemoText {
  String Window;     // the form's name, or the name of a unit's language component
  String Component;  // empty for a named string
  String Path;       // "Caption", "Lines.Strings[1]", "Panels[0].Text", or the string's name
  TTexts Texts;
};
using TDemoTexts = std::vector<TDemoText>;

// One line a text, its fields separated by tabs.
String SaveDemoTexts(const TDemoTexts& texts);
TDemoTexts LoadDemoTexts(std::string_view data);
// The texts of the program's resource "DEMOTEXTS".
const TDemoTexts& EnteredDemoTexts();

// What the window shows in its current language against what was entered for it: one
// line for each difference.
std::vector<String> CompareDemoTexts(const TForm* window, const TDemoTexts& texts);

}  // namespace xel::demo
