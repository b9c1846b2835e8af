#include "DemoTexts.h"

#include "DemoForms.h"
#include "Resources.h"

namespace xel::demo {

String SaveDemoTexts(const TDemoTexts& texts) {
  String out;
  for (const TDemoText& t : texts) {
    out += t.Window + '\t' + t.Component + '\t' + t.Path;
    for (const String& text : t.Texts) out += '\t' + text;
    out += '\n';
  }
  return out;
}

TDemoTexts LoadDemoTexts(std::string_view data) {
  TDemoTexts texts;
  size_t start = 0;
  while (start < data.size()) {
    size_t end = data.find('\n', start);
    if (end == std::string_view::npos) end = data.size();
    std::vector<String> fields;
    size_t from = start;
    for (;;) {
      size_t tab = data.find('\t', from);
      if (tab == std::string_view::npos || tab > end) tab = end;
      fields.emplace_back(data.substr(from, tab - from));
      if (tab == end) break;
      from = tab + 1;
    }
    if (fields.size() != 6) throw Exception("Damaged demo texts: " + String(data.substr(start, end - start)));
    texts.push_back({fields[0], fields[1], fields[2], {fields[3], fields[4], fields[5]}});
    start = end + 1;
  }
  return texts;
}

const TDemoTexts& EnteredDemoTexts() {
  static const TDemoTexts texts = [] {
    const TResourceEntry* r = FindResource(nullptr, "DEMOTEXTS", RT_RCDATA);
    if (!r) throw Exception("The program carries no DEMOTEXTS resource");
    return LoadDemoTexts(std::string_view(reinterpret_cast<const char*>(r->Data), r->Size));
  }();
  return texts;
}

namespace {
// Every item of the manager as "Component.Path" (the path below its component entry).
void ListItems(TLanguageManager* manager, TStringList& items) {
  TComponentEntries* comps = manager->Comps();
  for (int i = 0; i < comps->Count(); ++i) {
    TStringList lines;
    comps->Items(i)->MoveSubItemsToStrings(mmNameOnly, &lines);
    for (int k = 0; k < lines.Count(); ++k) items.AddObject(comps->Items(i)->Name() + "." + lines[k], lines.Objects(k));
  }
}
}  // namespace

std::vector<String> CompareDemoTexts(const TForm* window, const TDemoTexts& texts) {
  std::vector<String> differences;
  auto* glotta = OwnedComponent<TGlotta>(window, "Glotta");
  if (!glotta) return {window->GetName() + ": no language component"};
  const String language = glotta->GetLanguage();
  const auto& languages = DemoLanguages();
  size_t slot = 0;
  while (slot < languages.size() && languages[slot] != language) ++slot;
  if (slot == languages.size()) return {window->GetName() + ": unknown language " + language};
  TStringList items;
  ListItems(glotta->LanguageManager(), items);
  items.SetSorted(true);  // looked up once per text
  for (const TDemoText& t : texts) {
    if (!SameText(t.Window, window->GetName())) continue;
    String shown;
    bool found;
    if (t.Component.empty()) {
      found = glotta->LanguageManager()->GetString(t.Path, shown);
    } else {
      int line = items.IndexOf(t.Component + "." + t.Path);
      found = line >= 0;
      if (found) shown = VarToStr(static_cast<TPropertyEntry*>(items.Objects(line))->GetValue());
    }
    const String where = t.Window + "." + (t.Component.empty() ? "" : t.Component + ".") + t.Path;
    if (!found) differences.push_back(where + " is missing");
    else if (shown != t.Texts[slot])
      differences.push_back(where + " shows \"" + shown + "\" in " + language + ", not \"" + t.Texts[slot] + "\"");
  }
  return differences;
}

}  // namespace xel::demo
