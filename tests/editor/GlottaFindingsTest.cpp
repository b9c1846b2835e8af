// The editor's marks of the cells that break a check rule, its status line, the rule
// switches in its options and the list of findings: one rule set with `glotta check`.
#include <algorithm>

#include "Application.h"
#include "EditorDialogs.h"
#include "GlottaFindings.h"
#include "GlottaModule.h"
#include "LanguageCheck.h"
#include "RegisterControls.h"

namespace xel::test {
namespace {

constexpr TColor kReadOnly = TColor(0x00D0E0D0);
constexpr int kEnglish = 0, kDeutsch = 1;

// One broken translation per rule the editor applies, on the form of the editor's tests.
// English is the design language; every other item of the form is sound.
struct TBroken {
  const char* Component;
  const char* Path;
  const char* English;  // nullptr: as the form has it
  const char* Deutsch;
  TCheckRules Rules;    // what the German cell breaks
};
const TBroken kBroken[] = {
    {"Button1", "Hint", nullptr, "", {crMissing}},
    {"Glotta", "Resources.Greeting", "Hello %s", "Hallo %d", {crPlaceholders}},
    {"Label1", "Caption", "&File", "Datei", {crAccelerators}},
    {"Memo1", "Lines.Strings[1]", nullptr, "zweite ", {crBlanks}},
    {"Glotta", "Resources.Farewell", "Save.", "Speichern", {crPunctuation}},
    {"Probe", "Count", nullptr, "drei", {crValue}},
    // Too wide for the button, and without the full stop: two findings in one cell.
    {"Button1", "Caption", "OK", "Übernehmen und schließen.", {crFit, crPunctuation}},
};

String CellName(const String& component, const String& path, int language) {
  return component + "." + path + (language == kEnglish ? " English" : " Deutsch");
}

// "key | language | rule | message", sorted: the order of the grid and of the export differ.
std::vector<String> Lines(const std::vector<TCheckFinding>& findings) {
  std::vector<String> lines;
  for (const TCheckFinding& f : findings)
    lines.push_back(f.Key + " | " + f.Language + " | " + CheckRuleName(f.Rule) + " | " + f.Message);
  std::sort(lines.begin(), lines.end());
  return lines;
}

std::vector<TCheckFinding> Listed(TGlottaEditorForm* editor) {
  std::vector<TCheckFinding> findings;
  for (const auto& f : editor->Findings()) findings.push_back(f.Finding);
  return findings;
}

// The editor lists exactly what the check finds in its working copy, with its rules.
void ExpectSameAsCheck(TGlottaEditorForm* editor) {
  EXPECT_EQ(Lines(Listed(editor)), Lines(CheckTranslations(editor->Manager(), editor->CheckRules())));
}

TColor CellColor(TGlottaEditorForm* editor, Integer col, Integer row, TGridDrawState state = {}) {
  TFormatOptions format;
  editor->Grid()->InitializeFormatOptions(format);
  format.Brush->SetColor(clWindow);
  editor->GridGetCellFormat(editor->Grid(), col, row, state, format);
  return format.Brush->GetColor();
}

// Every cell painted in another colour than the plain and the read-only one, by name.
std::vector<String> MarkedCells(TGlottaEditorForm* editor) {
  std::vector<String> cells;
  for (Integer row = 1; row < editor->Grid()->GetRowCount(); ++row)
    for (Integer col = 0; col < editor->Grid()->GetColCount(); ++col) {
      const TColor color = CellColor(editor, col, row);
      if (color == clWindow || color == kReadOnly) continue;
      TMainEntry* main = editor->RowEntry(row)->MainEntry()->FindFirstMainEntry();
      const String descriptor = editor->Rows()->Strings(row - 1);
      cells.push_back(CellName(main->Name(), descriptor.substr(0, descriptor.find(':')), col - editor->FirstLangCol()));
    }
  std::sort(cells.begin(), cells.end());
  return cells;
}

std::vector<String> BrokenCells(TCheckRules rules) {
  std::vector<String> cells;
  for (const TBroken& b : kBroken)
    if (!(b.Rules * rules).Empty()) cells.push_back(CellName(b.Component, b.Path, kDeutsch));
  std::sort(cells.begin(), cells.end());
  return cells;
}

// The last panel's findings; without any it names the product.
String FindingStatus(TGlottaEditorForm* editor) {
  const String text = editor->StatusBar()->GetPanels()->Items(3)->GetText();
  return text.starts_with("Xel Glotta, ") ? String() : text;
}

class FindingsTest : public EditorTest {
protected:
  void BuildBroken() {
    BuildForm();
    TLanguageManager* m = Glotta->LanguageManager();
    TComponentEntries* comps = m->Comps();
    TPropertyEntry::Create(comps->Items(comps->IndexOfName("Button1")), "Caption", "", tkLString);
    m->SyncCount(cmInitAll);
    for (const TBroken& b : kBroken) {
      if (b.English) SetValue(String(b.Component) == "Glotta" ? b.Path : String(b.Component) + "." + b.Path, 0, b.English);
      SetValue(String(b.Component) == "Glotta" ? b.Path : String(b.Component) + "." + b.Path, 1, b.Deutsch);
    }
  }

  static void English(TGlottaEditorForm* editor) { editor->ItemEnglishClick(editor->Item("ItemEnglish")); }
};

TEST_F(FindingsTest, MarksTheCellsThatBreakARuleAndFindsWhatTheCheckFinds) {
  BuildBroken();
  TEditorSession session;
  session.Steps.push_back([&](TGlottaEditorForm* editor) {
    English(editor);
    EXPECT_EQ(editor->CheckRules(), TGlottaEditorForm::EditorCheckRules);
    // The sound form's own items and every design-language cell stay plain.
    EXPECT_EQ(MarkedCells(editor), BrokenCells(AllCheckRules));
    // One rule set, two places: the command line's check of the component finds the same.
    const std::vector<String> listed = Lines(Listed(editor));
    EXPECT_EQ(listed, Lines(CheckTranslations(Glotta->LanguageManager(), TGlottaEditorForm::EditorCheckRules)));
    ExpectSameAsCheck(editor);
    for (const TBroken& b : kBroken) {
      SCOPED_TRACE(CellName(b.Component, b.Path, kDeutsch));
      const Integer row = RowOf(editor, b.Component, b.Path);
      ASSERT_GT(row, 0);
      TCheckRules rules;
      for (const TCheckFinding& f : editor->CellFindings(editor->FirstLangCol() + kDeutsch, row)) rules.Include(f.Rule);
      EXPECT_EQ(rules, b.Rules);
      // The cell under the cursor keeps the colour of the cursor.
      EXPECT_EQ(CellColor(editor, editor->FirstLangCol() + kDeutsch, row, {gdSelected}), clWindow);
    }

    // The status bar names the selected cell's first finding and how many more it has.
    const Integer label = RowOf(editor, "Label1", "Caption"), button = RowOf(editor, "Button1", "Caption");
    editor->Grid()->MoveTo(editor->FirstLangCol() + kDeutsch, label);
    EXPECT_EQ(FindingStatus(editor), "accelerators: accelerator (&) missing");
    editor->Grid()->MoveTo(editor->FirstLangCol() + kDeutsch, button);
    const std::vector<TCheckFinding>& two = editor->CellFindings(editor->FirstLangCol() + kDeutsch, button);
    ASSERT_EQ(two.size(), 2u);
    EXPECT_EQ(FindingStatus(editor), "fit: " + two[0].Message + " (and 1 more)");
    editor->ItemGermanClick(editor->Item("ItemGerman"));
    EXPECT_EQ(FindingStatus(editor), "fit: " + two[0].Message + " (und 1 weitere)");
    editor->Grid()->MoveTo(editor->FirstLangCol() + kEnglish, button);
    EXPECT_EQ(FindingStatus(editor), "");
    editor->Close();
  });
  EXPECT_FALSE(session.Run(Glotta));
  EXPECT_TRUE(session.Messages.empty());
}

TEST_F(FindingsTest, EditsOfARowMarkItsCellsAnew) {
  // A cell typed in, what its German cell breaks afterwards. The design language's text is
  // what the other cells are held against: an edit there changes the German cell's mark.
  struct {
    const char* Component;
    const char* Path;
    int Language;
    const char* Typed;
    TCheckRules After;
  } edits[] = {
      {"Button1", "Hint", kDeutsch, "Drücken ", {crBlanks}},
      {"Button1", "Hint", kDeutsch, "Drücken", {}},
      {"Glotta", "Resources.Greeting", kDeutsch, "Hallo %s", {}},
      {"Label1", "Caption", kEnglish, "File", {}},
      {"Label1", "Caption", kEnglish, "&File", {crAccelerators}},
      {"Memo1", "Lines.Strings[1]", kDeutsch, "zweite", {}},
      {"Glotta", "Resources.Farewell", kEnglish, "Save", {}},
      {"Probe", "Count", kDeutsch, "4", {}},
      {"Button1", "Caption", kDeutsch, "OK.", {crPunctuation}},
      {"Button1", "Caption", kEnglish, "OK.", {}},
  };
  BuildBroken();
  TEditorSession session;
  session.Steps.push_back([&](TGlottaEditorForm* editor) {
    English(editor);
    for (const auto& e : edits) {
      SCOPED_TRACE(CellName(e.Component, e.Path, e.Language) + " <- " + e.Typed);
      const Integer row = RowOf(editor, e.Component, e.Path);
      ASSERT_GT(row, 0);
      const Integer deutsch = editor->FirstLangCol() + kDeutsch;
      TypeInto(editor, editor->FirstLangCol() + e.Language, row, e.Typed);
      TCheckRules rules;
      for (const TCheckFinding& f : editor->CellFindings(deutsch, row)) rules.Include(f.Rule);
      EXPECT_EQ(rules, e.After);
      EXPECT_EQ(CellColor(editor, deutsch, row) != clWindow, !e.After.Empty());
      if (e.Language == kDeutsch) {
        EXPECT_EQ(FindingStatus(editor).empty(), e.After.Empty()) << FindingStatus(editor);
      }
      ExpectSameAsCheck(editor);
    }
    EXPECT_EQ(MarkedCells(editor), (std::vector<String>{CellName("Label1", "Caption", kDeutsch)}));

    // A renamed string is listed by its new name; a removed row leaves the list.
    const Integer label = RowOf(editor, "Label1", "Caption");
    const Integer greeting = RowOf(editor, "Glotta", "Resources.Greeting");
    TypeInto(editor, editor->FirstLangCol() + kDeutsch, greeting, "Hallo");
    TypeInto(editor, editor->DescCol(), greeting, "Welcome");
    std::vector<String> listed = Lines(Listed(editor));
    ASSERT_EQ(listed.size(), 2u);
    EXPECT_TRUE(listed[0].starts_with("Glotta.#Welcome | Deutsch | placeholders")) << listed[0];
    ExpectSameAsCheck(editor);
    editor->Grid()->MoveTo(editor->FirstLangCol(), label);
    editor->ItemDelEntryClick(editor->Item("ItemDelEntry"));
    ASSERT_EQ(RowOf(editor, "Label1", "Caption"), -1);
    EXPECT_EQ(Listed(editor).size(), 1u);
    ExpectSameAsCheck(editor);
    // A new string is empty in every language: nothing is missing.
    editor->ItemAddStrClick(editor->Item("ItemAddStr"));
    EXPECT_EQ(Listed(editor).size(), 1u);
    ExpectSameAsCheck(editor);
    editor->Close();
  });
  session.Answers.push_back(mrNo);  // do not save
  session.Run(Glotta);
}

TEST_F(FindingsTest, SwitchedOffRulesNeitherMarkNorListAndStaySwitchedOff) {
  const std::pair<const char*, TCheckRule> switches[] = {
      {"ItemRuleMissing", crMissing}, {"ItemRulePlaceholders", crPlaceholders}, {"ItemRuleAccelerators", crAccelerators},
      {"ItemRuleBlanks", crBlanks},   {"ItemRulePunctuation", crPunctuation},   {"ItemRuleValue", crValue},
      {"ItemRuleFit", crFit}};
  BuildBroken();
  for (const auto& [item, rule] : switches) {
    SCOPED_TRACE(item);
    TEditorSession session;
    session.Steps.push_back([&, item = item, rule = rule](TGlottaEditorForm* editor) {
      // The rules switched off before this one are still off.
      TCheckRules on = editor->CheckRules();
      for (const auto& s : switches) {
        if (s.second == rule) break;
        EXPECT_FALSE(on.Contains(s.second)) << CheckRuleName(s.second);
        EXPECT_FALSE(editor->Item(s.first)->GetChecked());
      }
      ASSERT_TRUE(on.Contains(rule));
      editor->Item(item)->Click();
      on.Exclude(rule);
      EXPECT_EQ(editor->CheckRules(), on);
      EXPECT_EQ(MarkedCells(editor), BrokenCells(on));
      for (const TCheckFinding& f : Listed(editor)) EXPECT_NE(f.Rule, rule) << f.Key;
      ExpectSameAsCheck(editor);
      editor->Close();
    });
    session.Run(Glotta);
  }
  // Every rule off: nothing marked; the switches back on: everything again.
  TEditorSession session;
  session.Steps.push_back([&](TGlottaEditorForm* editor) {
    EXPECT_TRUE(editor->CheckRules().Empty());
    EXPECT_TRUE(MarkedCells(editor).empty());
    EXPECT_TRUE(editor->Findings().empty());
    editor->SetCheckRules(AllCheckRules);
    EXPECT_EQ(editor->CheckRules(), TGlottaEditorForm::EditorCheckRules);
    EXPECT_EQ(MarkedCells(editor), BrokenCells(AllCheckRules));
    editor->Close();
  });
  session.Run(Glotta);
}

TEST_F(FindingsTest, TheListShowsEveryFindingAndTakesTheCursorToTheChosenCell) {
  BuildBroken();
  // How a user chooses a line of the list.
  const std::function<void(TGlottaFindingsForm*)> choose[] = {
      [](TGlottaFindingsForm* list) { list->Grid()->DblClick(); },
      [](TGlottaFindingsForm* list) {
        char enter = '\r';
        list->Grid()->KeyPress(enter);
      },
      [](TGlottaFindingsForm* list) { Press(list->ButtonPanel(), 0); },
  };
  TEditorDialogs session;
  std::vector<TGlottaEditorForm::TCellFinding> findings;
  session.Steps.push_back([&](TGlottaEditorForm* editor) {
    English(editor);
    findings = editor->Findings();
    ASSERT_EQ(findings.size(), 8u);
    for (size_t i = 0; i < std::size(choose); ++i) {
      const size_t line = findings.size() - 1 - 2 * i;
      editor->Grid()->MoveTo(editor->FirstLangCol(), 1);
      session.Dialogs.push_back([&, i, line](TCustomForm* f) {
        auto* list = dynamic_cast<TGlottaFindingsForm*>(f);
        ASSERT_NE(list, nullptr);
        TSortGrid* grid = list->Grid();
        EXPECT_EQ(list->PanelTop()->GetText(), " Cells that break a check rule: 8");
        EXPECT_EQ(grid->Rows(0)->Strings(2), "Rule");
        ASSERT_EQ(grid->GetRowCount(), 9);
        for (Integer k = 0; k < static_cast<Integer>(findings.size()); ++k) {
          const TCheckFinding& x = findings[k].Finding;
          EXPECT_EQ(grid->Cells(0, k + 1), x.Key);
          EXPECT_EQ(grid->Cells(1, k + 1), x.Language);
          EXPECT_EQ(grid->Cells(2, k + 1), CheckRuleName(x.Rule));
          EXPECT_EQ(grid->Cells(3, k + 1), x.Message);
        }
        grid->MoveTo(0, static_cast<Integer>(line) + 1);
        choose[i](list);
        EXPECT_EQ(list->ModalResult(), mrOk) << i;
      });
      editor->Item("ItemCheckTranslations")->Click();
      EXPECT_TRUE(session.Dialogs.empty());
      EXPECT_EQ(editor->Grid()->Col(), findings[line].Col);
      EXPECT_EQ(editor->Grid()->Row(), findings[line].Row);
      EXPECT_TRUE(FindingStatus(editor).starts_with(CheckRuleName(editor->CellFindings(findings[line].Col,
                                                                                      findings[line].Row)[0].Rule)));
    }
    // Closed without a choice, the cursor stays; sorted by a column, a line still leads to
    // its own cell.
    const Integer col = editor->Grid()->Col(), row = editor->Grid()->Row();
    session.Dialogs.push_back([](TCustomForm* f) { Press(static_cast<TGlottaFindingsForm*>(f)->ButtonPanel(), 1); });
    editor->Item("ItemCheckTranslations")->Click();
    EXPECT_EQ(editor->Grid()->Col(), col);
    EXPECT_EQ(editor->Grid()->Row(), row);
    String chosenRule;
    session.Dialogs.push_back([&](TCustomForm* f) {
      auto* list = static_cast<TGlottaFindingsForm*>(f);
      TSortGrid* grid = list->Grid();
      TSortOptions options;
      grid->SortByColumn(2, options);
      grid->MoveTo(0, 1);
      chosenRule = grid->Cells(2, 1);
      list->Grid()->DblClick();
    });
    editor->Item("ItemCheckTranslations")->Click();
    EXPECT_EQ(chosenRule, "accelerators");
    EXPECT_EQ(editor->Grid()->Row(), RowOf(editor, "Label1", "Caption"));
    EXPECT_EQ(editor->Grid()->Col(), editor->FirstLangCol() + kDeutsch);
    // Without findings the list is empty and offers nothing to show, in either language.
    editor->SetCheckRules({});
    editor->ItemGermanClick(editor->Item("ItemGerman"));
    session.Dialogs.push_back([](TCustomForm* f) {
      auto* list = static_cast<TGlottaFindingsForm*>(f);
      EXPECT_EQ(list->GetText(), "Übersetzungen prüfen");
      EXPECT_EQ(list->PanelTop()->GetText(), " Zellen, die gegen eine Prüfregel verstoßen: 0");
      EXPECT_EQ(list->Grid()->Rows(0)->Strings(3), "Meldung");
      EXPECT_FALSE(list->Grid()->GetEnabled());
      EXPECT_FALSE(list->ButtonPanel()->GetButtons()->Items(0)->GetEnabled());
      list->Grid()->DblClick();
      EXPECT_EQ(list->ModalResult(), mrNone);
      Press(list->ButtonPanel(), 1);
    });
    editor->Item("ItemCheckTranslations")->Click();
    EXPECT_TRUE(session.Dialogs.empty());
    editor->Close();
  });
  session.Run(Glotta);
}

}  // namespace
}  // namespace xel::test
