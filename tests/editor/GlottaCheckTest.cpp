// The consistency check of named strings: what it reports for each kind of GetString call
// in a unit, the repairs chosen in its dialog, and the check when the editor is activated.
#include "EditorDialogs.h"
#include "Application.h"
#include "GlottaCheck.h"
#include "GlottaModule.h"
#include "RegisterControls.h"

namespace xel::test {
namespace {

String UnitWith(const String& body) {
  return "unit Unit1;\r\n\r\ninterface\r\n\r\nimplementation\r\n\r\nprocedure TForm1.Show;\r\nbegin\r\n" + body +
         "end;\r\n\r\nend.\r\n";
}

void English(TGlottaEditorForm* editor) { editor->ItemEnglishClick(editor->Item("ItemEnglish")); }

// The error list as shown: message, then the name or call.
std::vector<String> ErrRows(TGlottaVerifyForm* dialog) {
  std::vector<String> rows;
  TListView* list = dialog->ListErr();
  for (int i = 0; i < list->ItemCount(); ++i)
    rows.push_back(list->Item(i)->Caption() + " | " + list->Item(i)->SubItems()->Strings(0));
  return rows;
}

class CheckTest : public EditorTest {
protected:
  void SetUp() override {
    EditorTest::SetUp();
    BuildForm();
  }
  // A unit without form: its strings come from a language file, and its calls are global.
  void BuildUnit(const char* name) {
    UnitGlotta.reset(new TGlotta(Application));
    TLanguageManager* m = UnitGlotta->LanguageManager();
    TLanguageEntry* l = m->Langs()->Add();
    l->SetName("English");
    l->SetSubIndex(0);
    m->AddString(name);
    m->Init(cmInitAll);
  }
  void TearDown() override {
    UnitGlotta.reset();
    EditorTest::TearDown();
  }
  std::unique_ptr<TGlotta> UnitGlotta;
};

TEST_F(CheckTest, ReportsUnknownNamesAndUncheckedCallsOfEachKindOfSource) {
  const String syntaxError = "Syntax error in source code. Consistency check aborted.";
  const String clean = "There are no warnings or errors.";
  struct TCase {
    const char* Name;
    bool Unit;  // a unit without form: global GetString calls count
    String Source;
    std::vector<String> Rows;  // the dialog's error list; empty: no dialog
    String Message;            // the message instead of the dialog
  };
  const TCase cases[] = {
      {"known names", false, UnitWith("  A := Glotta.GetString('Greeting') + Glotta.GetString('Farewell');\r\n"), {}, clean},
      {"unknown name", false, UnitWith("  A := Glotta.GetString('Missing');\r\n"),
       {"Error: Not found | Missing"}, ""},
      {"name built at run time", false, UnitWith("  A := Glotta.GetString('Gr' + 'eeting');\r\n"),
       {"Warning: Not checked | Glotta.GetString('Gr' + 'eeting'..."}, ""},
      {"errors before warnings", false,
       UnitWith("  A := Glotta.GetString(Key);\r\n  B := Glotta.GetString('Lost');\r\n"),
       {"Error: Not found | Lost", "Warning: Not checked | Glotta.GetString(Key);"}, ""},
      {"inside strings and comments", false,
       UnitWith("  A := 'Glotta.GetString(''Missing'')';\r\n  { Glotta.GetString('Missing') }\r\n"
                "  // Glotta.GetString('Missing')\r\n"),
       {}, clean},
      {"global call in a form unit", false, UnitWith("  A := GetString('Missing');\r\n"), {}, clean},
      {"other object in a form unit", false, UnitWith("  A := Other.GetString('Missing');\r\n"), {}, clean},
      {"global call in a unit", true, UnitWith("  A := GetString('Missing') + GetString('Greeting');\r\n"),
       {"Error: Not found | Missing"}, ""},
      {"method call in a unit", true, UnitWith("  A := Other.GetString('Missing');\r\n"), {}, clean},
      {"syntax error", false, "unit Unit1;\r\ninterface\r\nimplementation\r\nbegin\r\n  Glotta.GetString('Missing');\r\n",
       {}, syntaxError},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    if (c.Unit) BuildUnit("Greeting");
    TEditorDialogs run;
    if (!c.Message.empty()) run.Answers.push_back(mrOk);
    std::vector<String> shown;
    run.Steps.push_back([&](TGlottaEditorForm* editor) {
      English(editor);
      editor->InitSource(c.Source);
      if (!c.Rows.empty())
        run.Dialogs.push_back([&](TCustomForm* f) {
          auto* dialog = dynamic_cast<TGlottaVerifyForm*>(f);
          ASSERT_NE(dialog, nullptr);
          shown = ErrRows(dialog);
          Press(dialog->ButtonPanel(), 1);
        });
      VerifyGlottaStrings(editor, nullptr);
      EXPECT_TRUE(run.Dialogs.empty());
      EXPECT_EQ(editor->Source(), c.Source);
      EXPECT_FALSE(editor->Modified());
      editor->Close();
    });
    run.Run(c.Unit ? UnitGlotta.get() : Glotta);
    EXPECT_EQ(shown, c.Rows);
    EXPECT_EQ(run.Messages, c.Message.empty() ? std::vector<String>{} : std::vector<String>{c.Message});
  }
}

// Each button sets its action on the selected row (a second press clears it) and moves on;
// OK applies them all: literals replaced from the end of the source, a comment inserted,
// names created (the second one numbered).
TEST_F(CheckTest, AppliesTheChosenRepairs) {
  const String source = UnitWith(
      "A:=Glotta.GetString('Missing ');\r\n"
      "  B := Glotta.GetString(Key);\r\n"
      "  { a comment that puts the next calls far enough from the start }\r\n"
      "  C := Glotta.GetString('Lost');\r\n"
      "  D := Glotta.GetString('Lost');\r\n"
      "  E := Glotta.GetString('Lost');\r\n"
      "  F := Glotta.GetString('Gone');\r\n");
  ASSERT_LT(source.find("'Missing"), 100u);
  ASSERT_GT(source.find("'Lost'"), 100u);
  const String expected = UnitWith(
      "A:=Glotta.GetString('Greeting');\r\n"
      "  B := Glotta.GetString( (* ??? TGlotta *) Key);\r\n"
      "  { a comment that puts the next calls far enough from the start }\r\n"
      "  C := Glotta.GetString('Farewell');\r\n"
      "  D := Glotta.GetString('Lost');\r\n"
      "  E := Glotta.GetString('Lost');\r\n"
      "  F := Glotta.GetString('Gone');\r\n");
  TEditorDialogs run;
  run.Steps.push_back([&](TGlottaEditorForm* editor) {
    English(editor);
    editor->InitSource(source);
    const Integer rows = editor->Grid()->GetRowCount();
    run.Dialogs.push_back([&](TCustomForm* f) {
      auto* dialog = dynamic_cast<TGlottaVerifyForm*>(f);
      ASSERT_NE(dialog, nullptr);
      EXPECT_EQ(dialog->PanelTop()->GetText(), " Number of invalid string references of the source code: 5");
      TListView* err = dialog->ListErr();
      TListView* avail = dialog->ListAvail();
      ASSERT_EQ(err->ItemCount(), 6);
      ASSERT_EQ(avail->ItemCount(), 2);
      auto action = [&](int row) { return err->Item(row)->SubItems()->Strings(1); };
      auto pick = [&](const char* name) {
        for (int i = 0; i < avail->ItemCount(); ++i)
          if (avail->Item(i)->Caption() == name) avail->SetSelected(avail->Item(i));
      };
      EXPECT_EQ(err->ItemIndex(), 0);
      pick("Greeting");
      dialog->BtnUse()->Click();
      EXPECT_EQ(action(0), "-> Greeting");
      EXPECT_EQ(err->ItemIndex(), 1);
      pick("Farewell");
      dialog->BtnUse()->Click();
      dialog->BtnAdd()->Click();
      dialog->BtnAdd()->Click();
      EXPECT_EQ(action(1), "-> Farewell");
      EXPECT_EQ(action(2), "-> +");
      EXPECT_EQ(action(3), "-> +");
      dialog->BtnInsHint()->Click();  // "Gone" gets a comment, and the selection moves on
      ASSERT_EQ(err->ItemIndex(), 5);
      // An unchecked call can only be marked.
      EXPECT_FALSE(dialog->BtnUse()->GetEnabled());
      EXPECT_FALSE(dialog->BtnAdd()->GetEnabled());
      EXPECT_TRUE(dialog->BtnInsHint()->GetEnabled());
      dialog->BtnInsHint()->Click();
      EXPECT_EQ(action(5), "->  (* ??? TGlotta *) ");
      // Chosen by hand, the row stays selected; the second press clears its action.
      err->SetSelected(err->Item(4));
      EXPECT_EQ(action(4), "->  (* ??? TGlotta *) ");
      dialog->BtnInsHint()->Click();
      EXPECT_EQ(action(4), "");
      EXPECT_EQ(err->ItemIndex(), 4);
      Press(dialog->ButtonPanel(), 0);
    });
    VerifyGlottaStrings(editor, nullptr);
    EXPECT_EQ(editor->Source(), expected);
    EXPECT_TRUE(editor->SourceModified());
    EXPECT_TRUE(editor->Modified());
    TStrings* names = editor->Manager()->Names();
    ASSERT_EQ(names->Count(), 4);
    EXPECT_EQ(names->Strings(2), "Lost");
    EXPECT_NE(names->Strings(3), "Lost");
    EXPECT_TRUE(names->Strings(3).starts_with("Lost"));
    EXPECT_EQ(editor->Grid()->GetRowCount(), rows + 2);
    editor->Close();
  });
  run.Answers.push_back(mrNo);  // the close asks to save
  run.Run(Glotta);
  EXPECT_TRUE(run.Dialogs.empty());
  EXPECT_EQ(Glotta->LanguageManager()->Names()->Count(), 2);
}

// Outside the designer the editor reads the unit's file; the check runs when the window is
// activated (a clean result without message, a syntax error once), and the acceptance
// writes the repaired source back.
TEST_F(CheckTest, ChecksTheUnitFileAtActivationAndWritesItBackOnAcceptance) {
  BuildUnit("Greeting");
  const String file = Dir + "Unit1.pas";
  WriteFileAtomically(file, UnitWith("  A := GetString('Hello');\r\n"));
  TEditorDialogs run;
  run.Dialogs.push_back([&](TCustomForm* f) {
    auto* dialog = dynamic_cast<TGlottaVerifyForm*>(f);
    ASSERT_NE(dialog, nullptr);
    dialog->ListAvail()->SetSelected(dialog->ListAvail()->Item(0));
    dialog->BtnUse()->Click();
    Press(dialog->ButtonPanel(), 0);
  });
  run.Steps.push_back([&](TGlottaEditorForm* editor) {
    EXPECT_TRUE(run.Dialogs.empty());
    EXPECT_EQ(ReadTextFile(file), UnitWith("  A := GetString('Hello');\r\n"));
    editor->ItemAcceptClick(nullptr);
    EXPECT_EQ(ReadTextFile(file), UnitWith("  A := GetString('Greeting');\r\n"));
    // Clean now: activated again, the check is silent.
    editor->Deactivate();
    editor->Activate();
    editor->Close();
  });
  EXPECT_TRUE(run.Run(UnitGlotta.get(), Dir + "Unit1"));
  EXPECT_TRUE(run.Messages.empty());

  WriteFileAtomically(file, "unit Unit1;\r\ninterface\r\n");
  TEditorDialogs broken;
  broken.Answers.push_back(mrOk);
  broken.Steps.push_back([](TGlottaEditorForm* editor) { editor->Close(); });
  broken.Run(UnitGlotta.get(), file);
  ASSERT_EQ(broken.Messages.size(), 1u);
  EXPECT_NE(broken.Messages[0].find("Syntax"), String::npos);
}

}  // namespace
}  // namespace xel::test
