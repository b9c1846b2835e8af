// The dialogs that define a manager's languages, driven headlessly: the checks of the names
// at OK, the remembered names, removing, reordering and renaming languages, and the table
// dialog with its two name forms.
#include "Application.h"
#include "ConfigFile.h"
#include "EditorDialogs.h"
#include "GlottaLanguages.h"
#include "GlottaList.h"

namespace xel::test {
namespace {

// Message dialogs answered in order with the buttons given (mrNone: the close box).
struct TScriptedMessages : TEditorSession {
  TModalScript Script{[this](TCustomForm* f) {
    auto* dialog = dynamic_cast<TMyMsgForm*>(f);
    ASSERT_NE(dialog, nullptr) << "an unexpected window: " << f->ClassName();
    Answer(dialog);
  }};
};

class LanguageDialogTest : public EditorTest {
protected:
  std::unique_ptr<TLanguageSelectForm> Open(TLanguageManager* manager, bool initAll = false,
                                            TConfigFile* config = nullptr) {
    std::unique_ptr<TLanguageSelectForm> dialog(New<TLanguageSelectForm>(Application));
    dialog->Init(manager, initAll, config, nullptr);
    return dialog;
  }
  // A configuration file of the test's folder, as the editor hands its own over.
  std::unique_ptr<TConfigFile> Config() {
    auto config = std::make_unique<TConfigFile>(nullptr);
    config->SetMode(cmFile);
    config->SetFileNameProp(Dir + "Dialogs.cfg");
    return config;
  }
  static std::vector<String> Names(const TLanguageEntries* langs) {
    std::vector<String> names;
    for (int i = 0; i < langs->Count(); ++i) names.push_back(langs->Items(i)->Name());
    return names;
  }
  static std::vector<String> Column(TSortGrid* grid, Integer col) {
    std::vector<String> cells;
    for (Integer row = 1; row < grid->GetRowCount(); ++row) cells.push_back(grid->Cells(col, row));
    return cells;
  }
};

// Types into a cell of the language grid and ends with Return or Escape.
void Type(TLanguageSelectForm* dialog, Integer col, Integer row, const String& text, char finish = '\r') {
  TSortGrid* grid = dialog->Grid();
  grid->MoveTo(col, row);
  ASSERT_EQ(grid->Row(), row);
  grid->ShowEditor();
  ASSERT_TRUE(grid->GetEditorMode());
  grid->InplaceEditor()->SetText(text);
  grid->InplaceEditor()->KeyPress(finish);
}

TEST_F(LanguageDialogTest, OKChecksTheNamesBeforeTheManagerTakesThem) {
  const String nameError = "Language names must not be multiple available or empty.";
  struct TCase {
    const char* Name;
    std::vector<String> Typed;  // the two languages' names
    TModalResult Answer;        // to the warning about unknown names
    String Message;             // none: nothing is asked
    std::vector<String> Taken;  // the manager's names afterwards; empty: unchanged
  } cases[] = {
      {"one language in both name forms", {"German", "Deutsch"}, mrNone, nameError, {}},
      {"one name in two spellings", {"German", " german"}, mrNone, nameError, {}},
      {"an empty name", {"German", "  "}, mrNone, nameError, {}},
      {"an unknown name, aborted",
       {"Klingon", "Deutsch"},
       mrAbort,
       "The following language names are not known or not in English: Klingon.",
       {}},
      {"unknown names, ignored",
       {"Klingon", "Elvish"},
       mrIgnore,
       "The following language names are not known or not in English: Klingon, Elvish.",
       {"Klingon", "Elvish"}},
      {"known names in either form, trimmed", {" Italian ", "Deutsch"}, mrNone, "", {"Italian", "Deutsch"}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    BuildForm();
    TLanguageManager* manager = Glotta->LanguageManager();
    auto dialog = Open(manager);
    TScriptedMessages messages;
    messages.Answers = {c.Answer};
    for (Integer row : {1, 2}) Type(dialog.get(), 0, row, c.Typed[row - 1]);
    dialog->ButtonPanelBottomOKClick(nullptr);
    if (!c.Message.empty()) {
      ASSERT_EQ(messages.Messages.size(), 1u);
      EXPECT_EQ(messages.Messages[0], c.Message);
    }
    if (c.Answer != mrNone) EXPECT_EQ(messages.MessageButtons[0], (std::vector<String>{"&Abort", "&Ignore"}));
    if (c.Taken.empty()) {
      EXPECT_EQ(dialog->ModalResult(), mrNone);
      EXPECT_EQ(Names(manager->Langs()), (std::vector<String>{"English", "Deutsch"}));
      // Back in the grid with every typed name, to be corrected.
      EXPECT_EQ(Column(dialog->Grid(), 0)[0], Trim(c.Typed[0]));
      continue;
    }
    if (c.Message.empty()) EXPECT_TRUE(messages.Messages.empty());
    EXPECT_EQ(dialog->ModalResult(), mrOk);
    EXPECT_EQ(Names(manager->Langs()), c.Taken);
    EXPECT_EQ(Value("Resources.Greeting", manager->Langs()->Items(1)->SubIndex()), "Hallo");
  }
}

// A manager without languages is offered the names entered last, when the dialog has a
// configuration to remember them in, or one empty row to type into.
TEST_F(LanguageDialogTest, AnEmptyManagerIsOfferedTheNamesEnteredLast) {
  BuildForm();
  auto config = Config();
  {
    auto dialog = Open(Glotta->LanguageManager(), false, config.get());
    EXPECT_TRUE(dialog->ConfigLoaded());
    // Informations with the list separator and quotes, and an empty last one.
    Type(dialog.get(), 1, 1, "Main; \"first\"");
    Type(dialog.get(), 1, 2, "");
    dialog->ButtonPanelBottomOKClick(nullptr);
    ASSERT_EQ(dialog->ModalResult(), mrOk);
  }
  TForm bare(nullptr, TCreateNew{});
  auto* empty = new TGlotta(&bare);
  for (bool withConfig : {true, false}) {
    SCOPED_TRACE(withConfig ? "remembered" : "without configuration");
    auto dialog = Open(empty->LanguageManager(), false, withConfig ? config.get() : nullptr);
    TSortGrid* grid = dialog->Grid();
    EXPECT_TRUE(grid->GetEnabled());
    EXPECT_EQ(grid->Row(), 1);
    if (withConfig) {
      EXPECT_EQ(Column(grid, 0), (std::vector<String>{"English", "Deutsch"}));
      EXPECT_EQ(Column(grid, 1), (std::vector<String>{"Main; \"first\"", ""}));
      EXPECT_EQ(Column(grid, 2), (std::vector<String>{"[Default]", ""}));
      EXPECT_FALSE(grid->GetEditorMode());
    } else {
      EXPECT_EQ(Column(grid, 0), (std::vector<String>{""}));
      EXPECT_EQ(Column(grid, 2), (std::vector<String>{"[Default]"}));
      EXPECT_TRUE(grid->GetEditorMode());
      EXPECT_EQ(grid->Col(), 0);
    }
  }
}

// Removing asks first; the default goes to the first language left. Escape takes back a
// name being typed. The manager then holds the languages left, each with its own values,
// whatever place they moved to, and the default is the active one.
TEST_F(LanguageDialogTest, RemovedReorderedAndRenamedLanguagesKeepTheirValues) {
  for (bool initAll : {false, true}) {
    SCOPED_TRACE(initAll ? "new languages take the current values" : "new languages by default");
    BuildForm();
    SetValue("Label1.Caption", 1, "Vorname");
    TLanguageManager* manager = Glotta->LanguageManager();
    auto dialog = Open(manager, initAll);
    TSortGrid* grid = dialog->Grid();
    TScriptedMessages messages;
    messages.Answers = {mrNo, mrYes};

    dialog->AddClick(nullptr);
    EXPECT_TRUE(grid->GetEditorMode());
    EXPECT_EQ(grid->Row(), 3);
    Type(dialog.get(), 0, 3, "Italian");
    Type(dialog.get(), 1, 3, "new");
    Type(dialog.get(), 0, 2, "Klingon", 27);  // Escape: still Deutsch
    EXPECT_EQ(grid->Cells(0, 2), "Deutsch");
    EXPECT_EQ(dialog->Langs()->Items(1)->Name(), "Deutsch");
    Type(dialog.get(), 0, 2, "German");

    grid->MoveTo(0, 3);
    dialog->MoveUpClick(nullptr);
    dialog->MoveUpClick(nullptr);  // Italian first, the moved one stays selected
    EXPECT_EQ(grid->Row(), 1);
    EXPECT_FALSE(dialog->RightButton(3)->GetEnabled());
    EXPECT_EQ(Column(grid, 0), (std::vector<String>{"Italian", "English", "German"}));

    grid->MoveTo(0, 2);
    dialog->RemoveClick(nullptr);  // No
    EXPECT_EQ(dialog->Langs()->Count(), 3);
    dialog->RemoveClick(nullptr);  // Yes: the default language goes
    EXPECT_EQ(Column(grid, 0), (std::vector<String>{"Italian", "German"}));
    EXPECT_EQ(Column(grid, 2), (std::vector<String>{"[Default]", ""}));
    ASSERT_EQ(messages.Messages.size(), 2u);
    EXPECT_EQ(messages.Messages[0],
              "Do you really want to delete this language and all translated properties of this language?");

    grid->MoveTo(0, 2);
    dialog->AsDefaultClick(nullptr);
    EXPECT_EQ(Column(grid, 2), (std::vector<String>{"", "[Default]"}));
    EXPECT_FALSE(dialog->RightButton(2)->GetEnabled());
    dialog->ButtonPanelBottomOKClick(nullptr);
    ASSERT_EQ(dialog->ModalResult(), mrOk);

    TLanguageEntries* langs = manager->Langs();
    EXPECT_EQ(Names(langs), (std::vector<String>{"Italian", "German"}));
    EXPECT_EQ(langs->Items(0)->Hint(), "new");
    EXPECT_EQ(Glotta->GetLanguage(), "German");
    EXPECT_EQ(Label->GetText(), "Vorname");
    EXPECT_EQ(Glotta->GetString("Greeting"), "Hallo");
    Glotta->SetLanguage("Italian");
    // A new language starts from the active values only when asked to.
    EXPECT_EQ(Label->GetText(), initAll ? "Vorname" : "");
    Glotta->SetLanguage("German");
    EXPECT_EQ(Label->GetText(), "Vorname");
    EXPECT_EQ(Glotta->GetString("Greeting"), "Hallo");
  }
}

// The table dialog finds a name in either form and shows it in the form asked for; OK
// hands back the chosen name, the form shown and whether the name changed.
TEST_F(LanguageDialogTest, TheTableDialogFindsANameInEitherForm) {
  struct TCase {
    const char* Given;
    bool English;
    const char* Selected;  // first, then after switching the box
    const char* Switched;
    bool Ok;
    bool Changed;
  } cases[] = {
      {"Deutsch", true, "German", "Deutsch", true, false},
      {"Deutsch", false, "Deutsch", "German", true, true},
      {" German ", false, "Deutsch", "German", true, false},
      {"german", true, "German", "Deutsch", false, false},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Given);
    TModalScript script([&](TCustomForm* f) {
      auto* dialog = dynamic_cast<TLanguageListForm*>(f);
      ASSERT_NE(dialog, nullptr);
      TListBox* list = dialog->ListBox();
      ASSERT_GE(list->GetItemIndex(), 0);
      EXPECT_EQ(list->GetItems()->Get(list->GetItemIndex()), c.Selected);
      EXPECT_EQ(dialog->SelectedName(), c.Selected);
      dialog->BtnEnglishLangNames()->SetChecked(!c.English);
      ASSERT_GE(list->GetItemIndex(), 0);
      EXPECT_EQ(list->GetItems()->Get(list->GetItemIndex()), c.Switched);
      Press(dialog->ButtonPanel(), c.Ok ? 0 : 1);
    });
    String name = c.Given;
    bool changed = false, english = c.English;
    EXPECT_EQ(TLanguageListForm::Execute(nullptr, name, changed, nullptr, english), c.Ok);
    EXPECT_EQ(name, c.Ok ? c.Switched : c.Given);
    EXPECT_EQ(english, c.Ok ? !c.English : c.English);
    EXPECT_EQ(changed, c.Changed);
  }
  // Double click on the name cell brings the chosen name into the grid and the working copy.
  BuildForm();
  auto dialog = Open(Glotta->LanguageManager());
  TModalScript script([&](TCustomForm* f) {
    auto* list = dynamic_cast<TLanguageListForm*>(f);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->SelectedName(), "German");
    list->ListBox()->SetItemIndex(list->ListBox()->GetItems()->IndexOf("Italian"));
    list->ListBoxDblClick(nullptr);
  });
  dialog->Grid()->MoveTo(0, 2);
  dialog->GridDblClick(nullptr);
  EXPECT_EQ(dialog->Grid()->Cells(0, 2), "Italian");
  EXPECT_EQ(dialog->Langs()->Items(1)->Name(), "Italian");
}

}  // namespace
}  // namespace xel::test
