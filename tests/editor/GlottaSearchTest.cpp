// Search in the translation editor: the dialog's choices and their persistence, and where
// the cursor goes for each pattern, area, option and start.
#include "EditorDialogs.h"
#include "EditorFormsEnv.h"
#include "GlottaModule.h"
#include "GlottaSearch.h"
#include "RegisterControls.h"

namespace xel::test {
namespace {

// Answers the search dialog with the pattern and choices given, or cancels it.
void AnswerSearch(TEditorDialogs& run, const String& pattern, TSearchIn in, TSearchOptions options, bool ok = true) {
  run.Dialogs.push_back([=](TCustomForm* f) {
    auto* dialog = dynamic_cast<TGlottaSearchForm*>(f);
    ASSERT_NE(dialog, nullptr);
    dialog->EditPattern()->SetFieldText(pattern);
    (in == siValues ? dialog->BtnInValues() : in == siDescs ? dialog->BtnInDescs() : dialog->BtnInNames())
        ->SetChecked(true);
    dialog->BtnCaseSensitive()->SetChecked(options.Contains(soCaseSensitive));
    dialog->BtnFromCursor()->SetChecked(options.Contains(soFromCursor));
    dialog->BtnBackward()->SetChecked(options.Contains(soBackward));
    Press(dialog->ButtonPanel(), ok ? 0 : 1);
  });
}

class SearchTest : public EditorTest {
protected:
  void SetUp() override {
    EditorTest::SetUp();
    BuildForm();
    SetValue("Label1.Caption", 1, "&Datei");
  }
};

TEST_F(SearchTest, MovesTheCursorToTheHitOfEachPatternAreaAndStart) {
  struct TCase {
    const char* Name;
    const char* Pattern;
    TSearchIn In;
    TSearchOptions Options;
    const char* StartComponent;  // nullptr: the cursor stays where the grid put it
    const char* StartPath;
    int StartLang;
    int Again;  // further searches (search again) after the dialog's
    const char* Component;  // nullptr: no hit, the cursor stays
    const char* Path;
    int Lang;  // the language column of the hit; -1: the first language column
  };
  const TCase cases[] = {
      {"ampersand ignored", "Datei", siValues, {}, nullptr, nullptr, 0, 0, "Label1", "Caption", 1},
      {"ampersand compared", "&Dat", siValues, {}, nullptr, nullptr, 0, 0, "Label1", "Caption", 1},
      {"ampersand elsewhere", "D&atei", siValues, {}, nullptr, nullptr, 0, 0, nullptr, nullptr, 0},
      {"any case", "hallo", siValues, {}, nullptr, nullptr, 0, 0, "Glotta", "Resources.Greeting", 1},
      {"case sensitive", "hallo", siValues, {soCaseSensitive}, nullptr, nullptr, 0, 0, nullptr, nullptr, 0},
      {"one character", "H?llo", siValues, {soCaseSensitive}, nullptr, nullptr, 0, 0, "Glotta", "Resources.Greeting", 0},
      {"two characters", "H??llo", siValues, {}, nullptr, nullptr, 0, 0, nullptr, nullptr, 0},
      {"forward", "press", siValues, {}, nullptr, nullptr, 0, 0, "Button1", "Hint", 0},
      {"backward", "press", siValues, {soBackward}, nullptr, nullptr, 0, 0, "Button1", "Hint", 1},
      {"again in the row", "press", siValues, {}, nullptr, nullptr, 0, 1, "Button1", "Hint", 1},
      {"again past the last", "press", siValues, {}, nullptr, nullptr, 0, 2, "Button1", "Hint", 1},
      {"from the cursor", "hello", siValues, {soFromCursor}, "Label1", "Caption", 0, 0, "Glotta", "Resources.Greeting", 0},
      {"cursor cell first", "name", siValues, {soFromCursor}, "Label1", "Caption", 0, 0, "Label1", "Caption", 0},
      {"from the cursor, backward", "hello", siValues, {soFromCursor, soBackward}, "Label1", "Caption", 0, 0,
       nullptr, nullptr, 0},
      {"component and type", "*: tbutton", siNames, {}, nullptr, nullptr, 0, 0, "Button1", "Hint", -1},
      {"names, next row again", "*: tlabel", siNames, {}, nullptr, nullptr, 0, 1, "Label1", "Alignment", -1},
      {"names, case sensitive", "tlabel", siNames, {soCaseSensitive}, nullptr, nullptr, 0, 0, nullptr, nullptr, 0},
      {"descriptor", "strings[1]", siDescs, {}, nullptr, nullptr, 0, 0, "Memo1", "Lines.Strings[1]", -1},
      {"string name", "farewell", siDescs, {}, nullptr, nullptr, 0, 0, "Glotta", "Resources.Farewell", -1},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TEditorDialogs run;
    run.Steps.push_back([&](TGlottaEditorForm* editor) {
      TSortGrid* grid = editor->Grid();
      const Integer first = editor->FirstLangCol();
      if (c.StartComponent) grid->MoveTo(first + c.StartLang, RowOf(editor, c.StartComponent, c.StartPath));
      // The order of the rows that the cases count on.
      ASSERT_LT(RowOf(editor, "Label1", "Caption"), RowOf(editor, "Button1", "Hint"));
      ASSERT_LT(RowOf(editor, "Button1", "Hint"), RowOf(editor, "Glotta", "Resources.Greeting"));
      AnswerSearch(run, c.Pattern, c.In, c.Options);
      const Integer startCol = grid->Col(), startRow = grid->Row();
      const int beeps = SystemBeeps();
      ASSERT_TRUE(GlottaSearch(editor));
      for (int i = 0; i < c.Again; ++i) GlottaSearchAgain(editor, editor->Grid());
      if (c.Component) {
        EXPECT_EQ(grid->Row(), RowOf(editor, c.Component, c.Path));
        EXPECT_EQ(grid->Col(), c.Lang < 0 ? first : first + c.Lang);
      } else {
        EXPECT_EQ(grid->Col(), startCol);
        EXPECT_EQ(grid->Row(), startRow);
        EXPECT_EQ(SystemBeeps(), beeps + 1);
      }
      EXPECT_FALSE(editor->Modified());
      editor->Close();
    });
    run.Run(Glotta);
  }
}

TEST_F(SearchTest, BackwardFromTheFirstRowBeepsWithoutMoving) {
  TEditorDialogs run;
  run.Steps.push_back([&](TGlottaEditorForm* editor) {
    TSortGrid* grid = editor->Grid();
    AnswerSearch(run, "name", siValues, {soBackward});
    ASSERT_TRUE(GlottaSearch(editor));
    ASSERT_EQ(grid->Row(), RowOf(editor, "Label1", "Caption"));
    ASSERT_EQ(grid->Row(), 1);
    const Integer col = grid->Col();
    const int beeps = SystemBeeps();
    EXPECT_FALSE(GlottaSearchAgain(editor, grid));
    EXPECT_EQ(SystemBeeps(), beeps + 1);
    EXPECT_EQ(grid->Row(), 1);
    EXPECT_EQ(grid->Col(), col);
    editor->Close();
  });
  run.Run(Glotta);
}

// The dialog keeps its choices and the pattern's history in the editor's configuration;
// Cancel leaves the search as it was.
TEST_F(SearchTest, DialogChoicesPersistAndCancelChangesNothing) {
  TEditorDialogs run;
  run.Steps.push_back([&](TGlottaEditorForm* editor) {
    AnswerSearch(run, "Press", siNames, {soCaseSensitive, soBackward});
    ASSERT_TRUE(GlottaSearch(editor));
    EXPECT_EQ(editor->SearchState().Pattern, "*Press*");
    EXPECT_EQ(editor->SearchState().In, siNames);
    run.Dialogs.push_back([](TCustomForm* f) {
      auto* dialog = dynamic_cast<TGlottaSearchForm*>(f);
      ASSERT_NE(dialog, nullptr);
      EXPECT_TRUE(dialog->BtnInNames()->GetChecked());
      EXPECT_FALSE(dialog->BtnInValues()->GetChecked());
      EXPECT_TRUE(dialog->BtnCaseSensitive()->GetChecked());
      EXPECT_TRUE(dialog->BtnBackward()->GetChecked());
      EXPECT_FALSE(dialog->BtnFromCursor()->GetChecked());
      EXPECT_EQ(dialog->EditPattern()->GetHistoryList()->Strings(0), "Press");
      dialog->EditPattern()->SetFieldText("other");
      dialog->BtnInValues()->SetChecked(true);
      Press(dialog->ButtonPanel(), 1);
    });
    EXPECT_FALSE(GlottaSearch(editor));
    EXPECT_EQ(editor->SearchState().Pattern, "*Press*");
    EXPECT_EQ(editor->SearchState().In, siNames);
    EXPECT_TRUE(editor->SearchState().Options.Contains(soBackward));
    editor->Close();
  });
  run.Run(Glotta);
}

}  // namespace
}  // namespace xel::test
