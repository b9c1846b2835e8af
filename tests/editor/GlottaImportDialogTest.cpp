// The import dialog (the sections chosen, the mode and options, the choices kept as the
// defaults) and the editor's import command around it: the report of warnings and errors
// and a file that cannot be read.
#include <filesystem>

#include "Application.h"
#include "ListView.h"
#include "ConfigFile.h"
#include "EditorDialogs.h"
#include "GlottaImport.h"

namespace xel::test {
namespace {

class ImportDialogTest : public EditorTest {
protected:
  std::unique_ptr<TGlottaImportForm> Open(TStrings* sections, bool matchClass, TComponent* owner,
                                          TConfigFile* config = nullptr) {
    std::unique_ptr<TGlottaImportForm> dialog(New<TGlottaImportForm>(Application));
    dialog->Init(Dir + "Langs.txt", sections, matchClass, owner, nullptr, config);
    return dialog;
  }
  std::unique_ptr<TConfigFile> Config() {
    auto config = std::make_unique<TConfigFile>(nullptr);
    config->SetMode(cmFile);
    config->SetFileNameProp(Dir + "Dialogs.cfg");
    return config;
  }
  static std::vector<bool> Chosen(TGlottaImportForm* dialog) {
    std::vector<bool> chosen;
    for (Integer row = 1; row < dialog->Grid()->GetRowCount(); ++row) chosen.push_back(dialog->IsRowSelected(row));
    return chosen;
  }
  // The space bar on a data row toggles its choice.
  static void Toggle(TGlottaImportForm* dialog, Integer row) {
    dialog->Grid()->MoveTo(0, row);
    char key = ' ';
    dialog->GridKeyPress(dialog->Grid(), key);
  }
};

TEST_F(ImportDialogTest, RowsArePreselectedByClassAndOKWaitsForAChoice) {
  BuildForm();
  TStringList sections;
  sections.SetText("TForm=English\nTOther=Deutsch\n=Italian\nTForm=French");
  struct TCase {
    const char* Name;
    bool MatchClass;
    TComponent* Owner;
    std::vector<bool> Chosen;
  } cases[] = {
      {"the owner's class", true, Form.get(), {true, false, false, true}},
      {"without class", false, Form.get(), {false, false, true, false}},
      {"no owner", true, nullptr, {false, false, false, false}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    auto dialog = Open(&sections, c.MatchClass, c.Owner);
    EXPECT_EQ(dialog->Grid()->Cells(1, 2), "TOther");
    EXPECT_EQ(dialog->Grid()->Cells(2, 2), "Deutsch");
    EXPECT_EQ(dialog->Grid()->Cells(1, 3), "");
    EXPECT_EQ(Chosen(dialog.get()), c.Chosen);
    const bool any = std::find(c.Chosen.begin(), c.Chosen.end(), true) != c.Chosen.end();
    EXPECT_EQ(dialog->OKButton()->GetEnabled(), any);
    // Only the first column of data rows takes a choice.
    bool can = true;
    dialog->GridSelectCell(nullptr, 1, 2, can);
    EXPECT_FALSE(can);
    Toggle(dialog.get(), 2);
    EXPECT_TRUE(dialog->IsRowSelected(2));
    EXPECT_TRUE(dialog->OKButton()->GetEnabled());
    Toggle(dialog.get(), 2);
    EXPECT_EQ(dialog->OKButton()->GetEnabled(), any);
    if (!any) {
      dialog->OKClick(nullptr);
      EXPECT_EQ(dialog->ModalResult(), mrNone);
    }
  }
  EXPECT_EQ(sections.Count(), 4);
}

TEST_F(ImportDialogTest, OKKeepsOnlyTheChosenSectionsAndTheModeOfItsButton) {
  BuildForm();
  struct TCase {
    TRadioButton* (TGlottaImportForm::*Button)() const;
    TImportMode Mode;
  } cases[] = {
      {&TGlottaImportForm::BtnClearExisting, imClearExisting},
      {&TGlottaImportForm::BtnAddAll, imAddAll},
      {&TGlottaImportForm::BtnAddNotExisting, imAddNotExisting},
  };
  {
    TStringList sections;
    auto dialog = Open(&sections, true, Form.get());
    EXPECT_EQ(dialog->GetImportMode(), imAddNotExisting);
    EXPECT_FALSE(dialog->GetInitNewProps());
    EXPECT_TRUE(dialog->GetWarningsEnabled());
    EXPECT_FALSE(dialog->BtnAsDefault()->GetEnabled());
    EXPECT_FALSE(dialog->OKButton()->GetEnabled());
  }
  for (const TCase& c : cases) {
    SCOPED_TRACE(int(c.Mode));
    TStringList sections;
    sections.SetText("TForm=English\nTOther=Deutsch\nTForm=Deutsch\n=Italian");
    auto dialog = Open(&sections, true, Form.get());
    (dialog.get()->*c.Button)()->SetChecked(true);
    EXPECT_EQ(dialog->GetImportMode(), c.Mode);
    Toggle(dialog.get(), 1);
    Toggle(dialog.get(), 4);
    dialog->OKClick(dialog->OKButton());
    EXPECT_EQ(dialog->ModalResult(), mrOk);
    EXPECT_EQ(sections.CommaText(), "TForm=Deutsch,=Italian");
  }
}

// The choices are kept only when a configuration was handed in and the box asks for it;
// the next dialog on that configuration starts from them.
TEST_F(ImportDialogTest, TheseSettingsAsDefaultAreKeptInTheConfigurationHandedIn) {
  BuildForm();
  auto config = Config();
  struct TChoice {
    TImportMode Mode;
    bool Initialise, Warnings;
  };
  auto choose = [](TGlottaImportForm* dialog, const TChoice& c) {
    TRadioButton* buttons[] = {dialog->BtnClearExisting(), dialog->BtnAddAll(), dialog->BtnAddNotExisting()};
    buttons[c.Mode]->SetChecked(true);
    dialog->BtnInitNewProps()->SetChecked(c.Initialise);
    dialog->BtnShowWarnings()->SetChecked(c.Warnings);
  };
  const TChoice designed{imAddNotExisting, false, true};
  struct TCase {
    const char* Name;
    bool WithConfig, AsDefault;
    TChoice Chosen;
    TChoice NextWithConfig, NextWithout;
  } cases[] = {
      {"kept", true, true, {imAddAll, true, false}, {imAddAll, true, false}, designed},
      {"not asked for", true, false, {imClearExisting, false, false}, {imAddAll, true, false}, designed},
      {"nowhere to keep them", false, true, {imClearExisting, true, true}, {imAddAll, true, false}, designed},
      {"kept again", true, true, {imClearExisting, false, true}, {imClearExisting, false, true}, designed},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TStringList sections;
    sections.SetText("TForm=Deutsch");
    {
      auto dialog = Open(&sections, true, Form.get(), c.WithConfig ? config.get() : nullptr);
      EXPECT_EQ(dialog->BtnAsDefault()->GetEnabled(), c.WithConfig);
      choose(dialog.get(), c.Chosen);
      dialog->BtnAsDefault()->SetChecked(c.AsDefault);
      dialog->OKClick(dialog->OKButton());
      ASSERT_EQ(dialog->ModalResult(), mrOk);
    }
    for (bool withConfig : {true, false}) {
      SCOPED_TRACE(withConfig ? "next with configuration" : "next without");
      const TChoice& next = withConfig ? c.NextWithConfig : c.NextWithout;
      auto dialog = Open(&sections, true, Form.get(), withConfig ? config.get() : nullptr);
      EXPECT_EQ(dialog->GetImportMode(), next.Mode);
      EXPECT_EQ(dialog->GetInitNewProps(), next.Initialise);
      EXPECT_EQ(dialog->GetWarningsEnabled(), next.Warnings);
    }
  }
}

// ---- the editor's import command ------------------------------------------------------------------

// The report hook replaced for one test and put back after it.
struct TStatusHook {
  TStatusHook() {
    TGlottaEditorForm::OnShowImportStatus = [this](TStrings* warnings, TStrings* errors, TFont*) {
      ++Shown;
      Warnings = warnings->Count();
      Errors = errors->Count();
    };
  }
  ~TStatusHook() { TGlottaEditorForm::OnShowImportStatus = Saved; }
  decltype(TGlottaEditorForm::OnShowImportStatus) Saved = TGlottaEditorForm::OnShowImportStatus;
  int Shown = 0, Warnings = 0, Errors = 0;
};

void English(TGlottaEditorForm* editor) { editor->ItemEnglishClick(editor->Item("ItemEnglish")); }

class EditorImportTest : public EditorTest {
protected:
  // The form with a list view, whose column a line names the way older files did (a warning).
  void BuildFormWithList() {
    BuildForm();
    auto* list = new TListView(Form.get());
    list->SetName("ListView1");
    list->SetParent(Form.get());
    list->GetColumns()->Add();
    TLanguageManager* m = Glotta->LanguageManager();
    TMainEntry* entry = TMainEntry::Create(m->Comps(), list, "ListView1", "TListView", {stPubPropObject});
    TMainEntry* column =
        TMainEntry::Create(entry->GetItems(), nullptr, "Columns[0]", "", {stPubPropObject, stCollectionObject});
    TPropertyEntry::Create(column, "Caption", "", tkLString);
    m->Init(cmInitAll);
  }
};

TEST_F(EditorImportTest, TheReportOpensForErrorsAndForWarningsWhenAskedFor) {
  const String good = "Label1.Caption='Vorname'\r\n";
  const String warning = "ListView1.Columns%0='Spalte'\r\n";
  const String error = "OldButton.Caption='Alt'\r\n";
  struct TCase {
    const char* Name;
    String Lines;
    bool ShowWarnings;
    int Shown, Warnings, Errors;
  } cases[] = {
      {"clean", good, true, 0, 0, 0},
      {"a warning, shown", good + warning, true, 1, 1, 0},
      {"a warning, not wanted", good + warning, false, 0, 0, 0},
      {"an error", good + error, false, 1, 0, 1},
      {"both", good + warning + error, false, 1, 1, 1},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    BuildFormWithList();
    Write("Import.txt", "[TForm.Deutsch]\r\n" + c.Lines);
    TDialogScript files([&](TCommonDialog* d) {
      static_cast<TOpenDialog*>(d)->SetFileName(Dir + "Import.txt");
      return true;
    });
    TStatusHook status;
    TEditorSession session;
    session.Dialogs.push_back([&](TCustomForm* f) {
      auto* dialog = dynamic_cast<TGlottaImportForm*>(f);
      ASSERT_NE(dialog, nullptr);
      dialog->BtnAddAll()->SetChecked(true);
      dialog->BtnShowWarnings()->SetChecked(c.ShowWarnings);
      dialog->OKClick(dialog->OKButton());
    });
    session.Steps.push_back([&](TGlottaEditorForm* editor) {
      English(editor);
      editor->ItemImportClick(editor->Item("ItemImport"));
      EXPECT_TRUE(editor->Modified());
      EXPECT_EQ(editor->Grid()->Cells(editor->FirstLangCol() + 1, RowOf(editor, "Label1", "Caption")), "Vorname");
      editor->Close();
    });
    session.Answers = {mrNo};  // the question about the unaccepted changes
    EXPECT_FALSE(session.Run(Glotta));
    EXPECT_EQ(status.Shown, c.Shown);
    if (c.Shown) {
      EXPECT_EQ(status.Warnings, c.Warnings);
      EXPECT_EQ(status.Errors, c.Errors);
    }
  }
}

// A file gone between the choice and the import: the I/O error is reported, the editor
// goes on with its working copy.
TEST_F(EditorImportTest, AnImportThatFailsShowsTheIOError) {
  BuildForm();
  const String file = Dir + "Import.txt";
  Write("Import.txt", "[TForm.Deutsch]\r\nLabel1.Caption='Vorname'\r\n");
  TDialogScript files([&](TCommonDialog* d) {
    static_cast<TOpenDialog*>(d)->SetFileName(file);
    return true;
  });
  TStatusHook status;
  TEditorSession session;
  session.Dialogs.push_back([&](TCustomForm* f) {
    auto* dialog = dynamic_cast<TGlottaImportForm*>(f);
    ASSERT_NE(dialog, nullptr);
    std::filesystem::remove(file);
    dialog->OKClick(dialog->OKButton());
  });
  session.Steps.push_back([&](TGlottaEditorForm* editor) {
    English(editor);
    editor->ItemImportClick(editor->Item("ItemImport"));
    EXPECT_EQ(editor->Grid()->Cells(editor->FirstLangCol() + 1, RowOf(editor, "Label1", "Caption")), "Name");
    EXPECT_EQ(editor->Grid()->Cells(editor->FirstLangCol() + 1, RowOf(editor, "Glotta", "Resources.Greeting")),
              "Hallo");
    editor->Close();
  });
  session.Answers = {mrNone, mrNo};
  EXPECT_FALSE(session.Run(Glotta));
  ASSERT_GE(session.Messages.size(), 1u);
  EXPECT_EQ(session.Messages[0], "An I/O error has occured.");
  EXPECT_EQ(status.Shown, 0);
}

}  // namespace
}  // namespace xel::test
