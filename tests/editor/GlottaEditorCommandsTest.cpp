// The commands of the translation editor's menu and tool bar, driven headlessly through
// menu items, shortcuts and tool buttons with scripted dialogs.
#include <filesystem>

#include "Application.h"
#include "ComponentExplorerDialog.h"
#include "EditorFixtures.h"
#include "FileTools.h"
#include "GlottaImport.h"
#include "GlottaLanguages.h"
#include "Keys.h"

namespace xel::test {
namespace {

using namespace MsgBox;

// The function key Fn.
constexpr Word FKey(int n) { return static_cast<Word>(VK_F1 + n - 1); }

Integer Rows(TGlottaEditorForm* editor) { return editor->Grid()->GetRowCount() - 1; }

std::vector<String> Header(TGlottaEditorForm* editor) {
  std::vector<String> header;
  for (Integer col = 0; col < editor->Grid()->GetColCount(); ++col) header.push_back(editor->Grid()->Cells(col, 0));
  return header;
}

void English(TGlottaEditorForm* editor) { editor->ItemEnglishClick(editor->Item("ItemEnglish")); }

void Close(TGlottaEditorForm* editor) { editor->Close(); }

// The commands installed by other units, replaced for one test and put back after it.
struct THookScope {
  THookScope() = default;
  ~THookScope() {
    TGlottaEditorForm::OnSearch = Search;
    TGlottaEditorForm::OnSearchAgain = SearchAgain;
    TGlottaEditorForm::OnVerifyStrings = Verify;
    TGlottaEditorForm::OnExecuteSetup = Setup;
    TGlottaEditorForm::OnShowImportStatus = Status;
  }
  decltype(TGlottaEditorForm::OnSearch) Search = TGlottaEditorForm::OnSearch;
  decltype(TGlottaEditorForm::OnSearchAgain) SearchAgain = TGlottaEditorForm::OnSearchAgain;
  decltype(TGlottaEditorForm::OnVerifyStrings) Verify = TGlottaEditorForm::OnVerifyStrings;
  decltype(TGlottaEditorForm::OnExecuteSetup) Setup = TGlottaEditorForm::OnExecuteSetup;
  decltype(TGlottaEditorForm::OnShowImportStatus) Status = TGlottaEditorForm::OnShowImportStatus;
};

TEST_F(EditorTest, MenusAndButtonsSpeakBothLanguages) {
  struct {
    const char* Name;
    const char* English;
    const char* German;
    const char* Keys;
  } items[] = {
      {"MenuFile", "&File", "&Datei", ""},
      {"ItemImport", "I&mport...", "I&mportieren...", ""},
      {"ItemExport", "&Export...", "&Exportieren...", ""},
      {"ItemAutoBackup", "&Auto Backup", "&Automatische Sicherungskopien", ""},
      {"ItemCommit", "&Accept Changes", "Änderungen über&nehmen", "Ctrl+S"},
      {"ItemClose", "E&xit", "&Beenden", "Alt+X"},
      {"MenuEdit", "&Edit", "&Bearbeiten", ""},
      {"ItemAddStr", "&Add String", "&Zeichenkette hinzufügen", "F6"},
      {"ItemVerifyStrings", "String Consistency &Check...", "Konsistenz&prüfung der Zeichenketten...", ""},
      {"ItemVerifyStringsAtStart", "String Consistency Check at Dialog Start",
       "Konsistenzprüfung der Zeichenketten beim Dialogstart", ""},
      {"ItemCheckTranslations", "Check &Translations...", "Übersetzungen p&rüfen...", ""},
      {"ItemDelEntry", "&Remove Entry", "Eintrag &entfernen", "F8"},
      {"MenuSearch", "&Search", "&Suchen", ""},
      {"ItemSearch", "&Search...", "&Suchen...", "Ctrl+F"},
      {"ItemSearchAgain", "Search &Again", "&Weitersuchen", "F3"},
      {"MenuView", "&View", "&Ansicht", ""},
      {"ItemCompName", "&Name of Component", "&Komponentenname", ""},
      {"ItemCompType", "&Type of Component", "&Typ der Komponente", ""},
      {"ItemPropType", "Type of &Property", "&Eigenschaftstyp", ""},
      {"ItemPropDesc", "Property &Descriptor/String ID", "&Beschreibung/String-ID", ""},
      {"ItemStringID", "&String ID", "&String-ID", ""},
      {"ItemAutoSize", "&Auto Size Grid Columns", "Spaltenbreite &anpassen", "F5"},
      {"MenuSettings", "&Options", "&Einstellungen", ""},
      {"ItemLangs", "&Languages...", "&Sprachen...", ""},
      {"ItemProps", "&Properties...", "&Eigenschaften...", "F9"},
      {"ItemSetup", "&Component Setup...", "&Komponenten-Setup...", ""},
      {"ItemInitNewProps", "Initialize &New Property Entries", "&Neue Einträge initialisieren", ""},
      {"ItemCheckRules", "Check &Rules", "Prüf&regeln", ""},
      {"ItemRuleMissing", "&Missing Translations", "&Fehlende Übersetzungen", ""},
      {"ItemRulePlaceholders", "&Placeholders", "&Platzhalter", ""},
      {"ItemRuleAccelerators", "&Accelerators (&&)", "&Zugriffstasten (&&)", ""},
      {"ItemRuleBlanks", "&Leading and Trailing Blanks", "&Leerzeichen am Anfang und Ende", ""},
      {"ItemRulePunctuation", "Closing P&unctuation", "&Satzzeichen am Ende", ""},
      {"ItemRuleValue", "&Values the Property Accepts", "&Gültige Eigenschaftswerte", ""},
      {"ItemRuleFit", "&Text Fits Its Control", "&Text passt in sein Steuerelement", ""},
      {"ItemFont", "&Font...", "Schrift&art...", ""},
      {"ItemDefaultFont", "&Default Font", "Schriftart&vorgabe", ""},
      {"ItemEnglish", "English", "English", ""},
      {"ItemGerman", "Deutsch", "Deutsch", ""},
      {"MenuHelp", "&Help", "&Hilfe", ""},
      {"ItemHelp", "&Help", "&Hilfe", "F1"},
      {"ItemAbout", "&About...", "Inf&o...", ""},
      {"ItemShowSource", "Show Source", "Show Source", "Ctrl+F12"},
  };
  struct {
    const char* Name;
    const char* English;
    const char* German;
  } buttons[] = {
      {"BtnImport", "Import language information...", "Sprachinformationen importieren..."},
      {"BtnAddStr", "Add a new string", "Neue Zeichenkette hinzufügen"},
      {"BtnDelEntry", "Remove current entry", "Aktuellen Eintrag entfernen"},
      {"BtnSearch", "Search entry...", "Eintrag suchen..."},
      {"BtnSearchAgain", "Search entry again", "Eintrag weitersuchen"},
      {"BtnLangs", "Edit languages...", "Sprachen bearbeiten..."},
      {"BtnProps", "Select component properties...", "Eigenschaften von Komponenten auswählen..."},
      {"BtnAutoSize", "Resize grid columns", "Spaltenbreite anpassen"},
      {"BtnAccept", "Accept changes", "Änderungen übernehmen"},
      {"BtnClose", "Close the component editor", "Komponenteneditor schließen"},
  };
  BuildForm();
  TEditorSession session;
  session.Steps.push_back([&](TGlottaEditorForm* editor) {
    for (bool german : {false, true}) {
      SCOPED_TRACE(german ? "Deutsch" : "English");
      if (german) editor->ItemGermanClick(editor->Item("ItemGerman"));
      else English(editor);
      for (const auto& i : items) {
        EXPECT_EQ(editor->Item(i.Name)->GetCaption(), german ? i.German : i.English) << i.Name;
        EXPECT_EQ(ShortCutToText(editor->Item(i.Name)->GetShortCut()), i.Keys) << i.Name;
      }
      for (const auto& b : buttons) {
        EXPECT_EQ(editor->Button(b.Name)->GetHint(), german ? b.German : b.English) << b.Name;
        EXPECT_FALSE(editor->Button(b.Name)->GetGlyph()->Empty()) << b.Name;
      }
      EXPECT_TRUE(editor->Item(german ? "ItemGerman" : "ItemEnglish")->GetChecked());
      EXPECT_FALSE(editor->Item(german ? "ItemEnglish" : "ItemGerman")->GetChecked());
    }
    // The marks a new user starts with, the about item as the default, the hidden debug menu.
    for (const char* name : {"ItemAutoBackup", "ItemVerifyStringsAtStart", "ItemCompName", "ItemPropType", "ItemPropDesc"})
      EXPECT_TRUE(editor->Item(name)->GetChecked()) << name;
    for (const char* name : {"ItemCompType", "ItemInitNewProps"}) EXPECT_FALSE(editor->Item(name)->GetChecked()) << name;
    EXPECT_TRUE(editor->Item("ItemAbout")->GetDefault());
    EXPECT_FALSE(editor->Item("MenuDebug")->GetVisible());
    // The buttons with a disabled look carry it as a second glyph.
    for (const char* name : {"BtnDelEntry", "BtnSearch", "BtnSearchAgain", "BtnAccept"})
      EXPECT_EQ(editor->Button(name)->GetNumGlyphs(), 2) << name;
    Close(editor);
  });
  session.Run(Glotta);
}

// The tool bar's buttons stand in one row, in order, with gaps where the separators are,
// and the hidden properties button leaves no gap.
TEST_F(EditorTest, ToolButtonsStandInARowWithTheirSeparators) {
  BuildForm();
  // A unit's component belongs to the application and has named strings only.
  std::unique_ptr<TGlotta> unit(new TGlotta(Application));
  unit->LanguageManager()->AddString("Title");
  const char* order[] = {"BtnImport", "BtnAddStr", "BtnDelEntry", "BtnSearch", "BtnSearchAgain", "BtnLangs",
                         "BtnProps",  "BtnAutoSize", "BtnAccept", "BtnClose"};
  for (TGlotta* glotta : {Glotta, unit.get()}) {
    TEditorSession session;
    session.Steps.push_back([&](TGlottaEditorForm* editor) {
      const bool comps = glotta == Glotta;
      EXPECT_EQ(editor->Button("BtnProps")->GetVisible(), comps);
      Integer right = 0;
      int gaps = 0;
      for (const char* name : order) {
        TSpeedButton* b = editor->Button(name);
        if (!b->GetVisible()) continue;
        EXPECT_GE(b->Left(), right) << name;
        gaps += b->Left() > right;
        EXPECT_EQ(b->Width(), 32) << name;
        EXPECT_EQ(b->Height(), 32) << name;
        right = b->Left() + b->Width();
      }
      EXPECT_EQ(gaps, comps ? 5 : 4);
      EXPECT_EQ(right, comps ? 10 * 32 + 5 * 8 : 9 * 32 + 4 * 8);
      Close(editor);
    });
    session.Run(glotta);
  }
}

TEST_F(EditorTest, ShortcutsAndButtonsRunTheirCommands) {
  BuildForm();
  TEditorSession session;
  session.Steps.push_back([&](TGlottaEditorForm* editor) {
    English(editor);
    const Integer rows = Rows(editor);
    Headless::PressKey(editor, FKey(6));
    EXPECT_EQ(Rows(editor), rows + 1);
    EXPECT_TRUE(editor->Modified());
    EXPECT_TRUE(editor->Button("BtnAccept")->GetEnabled());
    Headless::PressKey(editor, FKey(8));
    EXPECT_EQ(Rows(editor), rows);
    Headless::Click(editor->Button("BtnAddStr"));
    EXPECT_EQ(Rows(editor), rows + 1);
    editor->Grid()->SetColWidths(editor->FirstLangCol(), 10);
    editor->GridColumnWidthsChanged(editor->Grid());
    EXPECT_TRUE(editor->Item("ItemAutoSize")->GetEnabled());
    Headless::PressKey(editor, FKey(5));
    EXPECT_FALSE(editor->Item("ItemAutoSize")->GetEnabled());
    EXPECT_FALSE(editor->Button("BtnAutoSize")->GetEnabled());
    EXPECT_GT(editor->Grid()->ColWidths(editor->FirstLangCol()), 10);
    Headless::PressKey(editor, 'S', {ssCtrl});
    EXPECT_TRUE(editor->Accepted());
    EXPECT_FALSE(editor->Modified());
    EXPECT_FALSE(editor->Button("BtnAccept")->GetEnabled());
    EXPECT_FALSE(editor->Item("ItemCommit")->GetEnabled());
    Headless::PressKey(editor, 'X', {ssAlt});
  });
  EXPECT_TRUE(session.Run(Glotta));
  EXPECT_TRUE(session.Messages.empty());
  EXPECT_EQ(Glotta->LanguageManager()->Names()->Count(), 3);
}

TEST_F(EditorTest, AddedStringsGoAboveTheCurrentRowOrAfterTheLast) {
  BuildForm();
  TEditorSession session;
  session.Steps.push_back([&](TGlottaEditorForm* editor) {
    English(editor);
    TSortGrid* grid = editor->Grid();
    const Integer last = Rows(editor);
    struct {
      Integer At;
      Integer Expected;
    } cases[] = {{last, last + 1}, {2, 2}};
    for (const auto& c : cases) {
      grid->MoveTo(editor->FirstLangCol(), c.At);
      TConsistentLangPropertyEntry* before = editor->RowEntry(c.At);
      editor->ItemAddStrClick(editor->Item("ItemAddStr"));
      EXPECT_EQ(grid->Row(), c.Expected) << c.At;
      EXPECT_EQ(grid->Col(), editor->DescCol()) << c.At;
      EXPECT_TRUE(editor->IsNamedString(editor->RowEntry(c.Expected))) << c.At;
      if (c.Expected == c.At) {
        EXPECT_EQ(editor->RowEntry(c.At + 1), before);
      }
    }
    EXPECT_EQ(grid->Cells(editor->DescCol(), last + 2), "String1");
    EXPECT_EQ(grid->Cells(editor->DescCol(), 2), "String2");
    EXPECT_EQ(editor->StatusBar()->GetPanels()->Items(0)->GetText(), "Number of entries: 14");
    TypeInto(editor, editor->DescCol(), 2, "Question");
    TypeInto(editor, editor->FirstLangCol(), 2, "Why?");
    editor->ItemAcceptClick(editor->Item("ItemCommit"));
    Close(editor);
  });
  EXPECT_TRUE(session.Run(Glotta));
  EXPECT_TRUE(session.Messages.empty());
  EXPECT_EQ(Glotta->GetString("Question"), "Why?");
  EXPECT_EQ(Glotta->GetString("String1"), "");
}

TEST_F(EditorTest, RemovedEntriesLeaveTheComponentOnAcceptance) {
  BuildForm();
  TEditorSession session;
  session.Steps.push_back([&](TGlottaEditorForm* editor) {
    English(editor);
    TSortGrid* grid = editor->Grid();
    const Integer rows = Rows(editor);
    const Integer caption = RowOf(editor, "Label1", "Caption");
    grid->MoveTo(editor->FirstLangCol() + 1, caption);
    TConsistentLangPropertyEntry* next = editor->RowEntry(caption + 1);
    Headless::Click(editor->Button("BtnDelEntry"));
    EXPECT_EQ(Rows(editor), rows - 1);
    // The cursor stays in its column, on the row that followed.
    EXPECT_EQ(grid->Col(), editor->FirstLangCol() + 1);
    EXPECT_EQ(editor->RowEntry(grid->Row()), next);
    EXPECT_EQ(RowOf(editor, "Label1", "Caption"), -1);
    // The last row: the cursor goes up.
    const Integer last = Rows(editor);
    TConsistentLangPropertyEntry* above = editor->RowEntry(last - 1);
    grid->MoveTo(editor->FirstLangCol(), last);
    editor->ItemDelEntryClick(editor->Item("ItemDelEntry"));
    EXPECT_EQ(editor->RowEntry(grid->Row()), above);
    grid->MoveTo(editor->FirstLangCol(), RowOf(editor, "Glotta", "Resources.Greeting"));
    editor->ItemDelEntryClick(editor->Item("ItemDelEntry"));
    EXPECT_EQ(editor->StatusBar()->GetPanels()->Items(0)->GetText(), "Number of entries: 9");
    editor->ItemAcceptClick(nullptr);
    Close(editor);
  });
  EXPECT_TRUE(session.Run(Glotta));
  EXPECT_EQ(ItemOf("Label1.Caption"), nullptr);
  EXPECT_NE(ItemOf("Label1.Font.Color"), nullptr);
  EXPECT_THROW(Glotta->GetString("Greeting"), EStringNotFound);
  EXPECT_EQ(Glotta->LanguageManager()->Names()->Count(), 0);  // the last row was the other string
  // What is no longer translated keeps its live value when the language changes.
  Glotta->SetLanguage("Deutsch");
  EXPECT_EQ(Label->GetText(), "Name");

  // Removing the only entry leaves an empty, disabled grid.
  TForm other(nullptr, TCreateNew{});
  other.SetName("Form2");
  auto* single = new TGlotta(&other);
  single->SetName("Single");
  single->LanguageManager()->AddString("Only");
  TEditorSession last;
  last.Steps.push_back([&](TGlottaEditorForm* editor) {
    English(editor);
    Headless::PressKey(editor, FKey(8));
    EXPECT_FALSE(editor->Grid()->GetEnabled());
    EXPECT_EQ(editor->Grid()->GetRowCount(), 2);
    EXPECT_EQ(editor->RowEntry(1), nullptr);
    EXPECT_FALSE(editor->Item("ItemDelEntry")->GetEnabled());
    EXPECT_FALSE(editor->Button("BtnDelEntry")->GetEnabled());
    EXPECT_FALSE(editor->Item("ItemSearch")->GetEnabled());
    EXPECT_EQ(editor->StatusBar()->GetPanels()->Items(0)->GetText(), "Number of entries: 0");
    // A string added to the empty grid is its first row, its name ready to be typed.
    Headless::Click(editor->Button("BtnAddStr"));
    EXPECT_TRUE(editor->Grid()->GetEnabled());
    EXPECT_EQ(editor->Grid()->Row(), 1);
    EXPECT_EQ(editor->Grid()->Col(), editor->DescCol());
    editor->ItemAcceptClick(nullptr);
    Close(editor);
  });
  EXPECT_TRUE(last.Run(single));
  EXPECT_EQ(single->LanguageManager()->Names()->CommaText(), "String1");
}

TEST_F(EditorTest, ViewTogglesRebuildTheColumns) {
  BuildForm();
  TEditorSession session;
  session.Steps.push_back([&](TGlottaEditorForm* editor) {
    English(editor);
    editor->ItemViewTypeClick(editor->Item("ItemCompType"));
    EXPECT_EQ(Header(editor), (std::vector<String>{"Name of Component", "Type of Component", "Type of Property",
                                                   "Property Descriptor/String ID", "English [Default]", "Deutsch"}));
    const Integer row = RowOf(editor, "Label1", "Font.Color");
    EXPECT_EQ(editor->Grid()->Cells(1, row), "TLabel");
    EXPECT_EQ(editor->Grid()->Cells(2, row), "TColor");
    editor->ItemViewTypeClick(editor->Item("ItemPropDesc"));
    EXPECT_FALSE(editor->Item("ItemStringID")->GetChecked());
    EXPECT_EQ(editor->DescCol(), -1);
    for (const char* name : {"ItemCompName", "ItemCompType", "ItemPropType"})
      editor->ItemViewTypeClick(editor->Item(name));
    EXPECT_EQ(Header(editor), (std::vector<String>{"English [Default]", "Deutsch"}));
    EXPECT_EQ(editor->FirstLangCol(), 0);
    EXPECT_EQ(editor->Grid()->Cells(0, RowOf(editor, "Glotta", "Resources.Greeting")), "Hello");
    Close(editor);
  });
  session.Run(Glotta);

  // A unit shows its string names under one item, which carries the same mark as the
  // form's descriptor item, and offers no properties to choose.
  std::unique_ptr<TGlotta> unit(new TGlotta(Application));
  unit->LanguageManager()->AddString("Title");
  TEditorSession strings;
  strings.Steps.push_back([&](TGlottaEditorForm* editor) {
    English(editor);
    EXPECT_FALSE(editor->HasComps());
    EXPECT_FALSE(editor->Item("ItemPropDesc")->GetVisible());
    EXPECT_TRUE(editor->Item("ItemStringID")->GetVisible());
    EXPECT_FALSE(editor->Item("ItemStringID")->GetChecked());  // as the form's descriptor was left
    editor->ItemStringIDClick(editor->Item("ItemStringID"));
    EXPECT_TRUE(editor->Item("ItemPropDesc")->GetChecked());
    EXPECT_EQ(Header(editor), (std::vector<String>{"String ID", "[Default]"}));
    EXPECT_FALSE(editor->Item("ItemProps")->GetVisible());
    EXPECT_FALSE(editor->Item("ItemProps")->GetEnabled());
    EXPECT_FALSE(OwnedComponent<TControl>(editor, "ToolButtonProps")->GetVisible());
    Headless::PressKey(editor, VK_F9);  // nothing opens
    Close(editor);
  });
  strings.Run(unit.get());
}

// A value still being typed is checked first by every command that changes data, columns
// or the interface language, and by import and export: refused, the command does nothing.
// Search and the other commands act without looking at the cell.
TEST_F(EditorTest, CommandsThatValidateFirstRefuseAnInvalidCell) {
  THookScope hooks;
  int verified = 0, searched = 0, fileDialogs = 0;
  // Only the command counts, not the check that runs whenever the window is active again.
  TGlottaEditorForm::OnVerifyStrings = [&](TGlottaEditorForm* e, TObject* sender) { verified += sender != e; };
  TGlottaEditorForm::OnSearch = [&](TGlottaEditorForm*) { ++searched; };
  TDialogScript files([&](TCommonDialog*) {
    ++fileDialogs;
    return false;
  });
  struct TCase {
    const char* Name;
    std::function<void(TGlottaEditorForm*)> Command;
    bool Validates;
  };
  auto item = [](const char* name, void (TGlottaEditorForm::*handler)(TObject*)) {
    return [name, handler](TGlottaEditorForm* e) { (e->*handler)(e->Item(name)); };
  };
  const TCase cases[] = {
      {"import", item("ItemImport", &TGlottaEditorForm::ItemImportClick), true},
      {"export", item("ItemExport", &TGlottaEditorForm::ItemExportClick), true},
      {"accept", [](TGlottaEditorForm* e) { Headless::PressKey(e, 'S', {ssCtrl}); }, true},
      {"add string", [](TGlottaEditorForm* e) { Headless::PressKey(e, FKey(6)); }, true},
      {"remove entry", [](TGlottaEditorForm* e) { Headless::PressKey(e, FKey(8)); }, true},
      {"consistency check", item("ItemVerifyStrings", &TGlottaEditorForm::ItemVerifyStringsClick), true},
      {"view", item("ItemCompType", &TGlottaEditorForm::ItemViewTypeClick), true},
      {"languages", [](TGlottaEditorForm* e) { Headless::Click(e->Button("BtnLangs")); }, true},
      {"properties", [](TGlottaEditorForm* e) { Headless::PressKey(e, VK_F9); }, true},
      {"interface language", item("ItemGerman", &TGlottaEditorForm::ItemGermanClick), true},
      {"search", [](TGlottaEditorForm* e) { Headless::PressKey(e, 'F', {ssCtrl}); }, false},
  };
  BuildForm();
  TEditorSession session;
  session.Steps.push_back([&](TGlottaEditorForm* editor) {
    English(editor);
    const Integer lang = editor->FirstLangCol();
    const Integer row = RowOf(editor, "Probe", "Count");
    for (const TCase& c : cases) {
      SCOPED_TRACE(c.Name);
      const size_t messages = session.Messages.size();
      const Integer rows = Rows(editor), cols = editor->Grid()->GetColCount();
      const int dialogs = fileDialogs, checks = verified, searches = searched;
      TypeInto(editor, lang, row, "many", 0);
      c.Command(editor);
      if (c.Validates) {
        ASSERT_EQ(session.Messages.size(), messages + 1);
        EXPECT_EQ(session.Messages.back(), "Invalid value!");
        EXPECT_EQ(editor->Grid()->Cells(lang, row), "3");
        EXPECT_EQ(Rows(editor), rows);
        EXPECT_EQ(editor->Grid()->GetColCount(), cols);
        EXPECT_EQ(fileDialogs, dialogs);
        EXPECT_EQ(verified, checks);
        EXPECT_EQ(editor->Glotta()->GetLanguage(), "English");
        EXPECT_FALSE(editor->Accepted());
      } else {
        EXPECT_EQ(session.Messages.size(), messages);
        EXPECT_EQ(searched, searches + 1);
        editor->Grid()->SetEditorMode(false);
        editor->Grid()->SetCells(lang, row, "3");
        editor->Grid()->SetModified(false);
        editor->Grid()->InitValidate();
      }
    }
    // Once the cell is valid, the same commands act.
    editor->ItemVerifyStringsClick(editor->Item("ItemVerifyStrings"));
    EXPECT_EQ(verified, 1);
    editor->ItemExportClick(editor->Item("ItemExport"));
    EXPECT_EQ(fileDialogs, 1);
    Close(editor);
  });
  for (size_t i = 0; i < std::size(cases) - 1; ++i) session.Answers.push_back(mrNone);
  session.Answers.push_back(mrNo);  // Save changes? The typing marked the data modified.
  EXPECT_FALSE(session.Run(Glotta));
  EXPECT_EQ(Probe->FCount, 3);
}

TEST_F(EditorTest, ExportAsksBeforeReplacingAFile) {
  BuildForm();
  const String target = Dir + "Langs.txt";
  Write("Langs.txt", "old");
  std::filesystem::permissions(target, std::filesystem::perms::owner_read);
  // Each answer of the save dialog: the file chosen, or none (cancelled).
  std::deque<String> chosen;
  int shown = 0;
  TDialogScript files([&](TCommonDialog* d) {
    ++shown;
    auto* dialog = dynamic_cast<TSaveDialog*>(d);
    EXPECT_NE(dialog, nullptr);
    if (chosen.empty()) return false;
    dialog->SetFileName(chosen.front());
    chosen.pop_front();
    return true;
  });
  TEditorSession session;
  session.Steps.push_back([&](TGlottaEditorForm* editor) {
    English(editor);
    TypeInto(editor, editor->FirstLangCol() + 1, RowOf(editor, "Label1", "Caption"), "Nachname");
    chosen = {target, target};  // No, then Cancel: nothing is written
    editor->ItemExportClick(editor->Item("ItemExport"));
    EXPECT_EQ(shown, 2);
    EXPECT_EQ(Read("Langs.txt"), "old");
    chosen = {target};  // Yes replaces the write-protected file, with the edit not yet accepted
    editor->ItemExportClick(editor->Item("ItemExport"));
    EXPECT_EQ(editor->ExportFile(), target);
    chosen = {Dir + "missing/Langs.txt"};  // cannot be written
    editor->ItemExportClick(editor->Item("ItemExport"));
    EXPECT_TRUE(editor->Modified());
    editor->Close();
  });
  session.Answers = {mrNo, mrCancel, mrYes, mrNone, mrNo};
  EXPECT_FALSE(session.Run(Glotta));
  ASSERT_EQ(session.Messages.size(), 5u);
  EXPECT_EQ(session.Messages[0], "Destination file already exists. Overwrite '" + target + "'?");
  EXPECT_EQ(session.MessageButtons[0], (std::vector<String>{"&Yes", "&No", "&Cancel"}));
  EXPECT_EQ(session.Messages[3], "An I/O error has occured.");
  const String text = Read("Langs.txt");
  // The working copy is written, with the edit not yet accepted.
  for (const char* line : {"[TForm.English]", "Label1.Caption='Name'", "[TForm.Deutsch]", "Label1.Caption='Nachname'",
                           "Glotta.#Greeting='Hallo'"})
    EXPECT_NE(text.find(line), String::npos) << line << "\n" << text;
  EXPECT_EQ(Label->GetText(), "Name");
}

TEST_F(EditorTest, ImportStopsAtAMissingFileOrOneWithoutLanguages) {
  BuildForm();
  Write("Empty.txt", "; no sections here\r\n");
  std::deque<String> chosen = {Dir + "Nowhere.txt", Dir + "Empty.txt"};
  TDialogScript files([&](TCommonDialog* d) {
    static_cast<TOpenDialog*>(d)->SetFileName(chosen.front());
    chosen.pop_front();
    return true;
  });
  TEditorSession session;
  session.Steps.push_back([&](TGlottaEditorForm* editor) {
    English(editor);
    for (int i = 0; i < 2; ++i) {
      editor->ItemImportClick(editor->Item("ItemImport"));
      EXPECT_FALSE(editor->Modified());
    }
    EXPECT_EQ(editor->ImportFile(), Dir + "Empty.txt");
    Close(editor);
  });
  EXPECT_FALSE(session.Run(Glotta));
  ASSERT_EQ(session.Messages.size(), 2u);
  EXPECT_EQ(session.Messages[0], "File '" + Dir + "Nowhere.txt' not found.");
  EXPECT_EQ(session.Messages[1], "No entries to import found.");
}

// The property selection of the component explorer, with "initialise new entries" off
// (only the active language takes the live value) and on (every language does).
TEST_F(EditorTest, PropertiesChosenInTheExplorerBecomeRows) {
  for (bool initialise : {false, true}) {
    SCOPED_TRACE(initialise ? "initialised" : "not initialised");
    BuildForm();
    Button->SetText("Go");
    TEditorSession session;
    session.Dialogs.push_back([&](TCustomForm* f) {
      auto* dialog = dynamic_cast<TCEDialogForm*>(f);
      ASSERT_NE(dialog, nullptr);
      EXPECT_TRUE(dialog->HelpButton()->GetVisible());
      TTreeView* tree = dialog->Explorer()->ExplorerForm()->TreeSource();
      TTreeNode* found = nullptr;
      for (TTreeNode* n = tree->GetItems()->GetFirstNode(); n && !found; n = n->GetNext())
        if (n->Text().starts_with("Caption") && n->Parent() &&
            static_cast<TMainEntry*>(n->Parent()->Data())->Name() == "Button1")
          found = n;
      ASSERT_NE(found, nullptr);
      tree->SetSelected(found);
      Headless::Click(dialog->Explorer()->ExplorerForm()->BtnAddProp());
      Headless::Click(dialog->ButtonPanel()->GetButtons()->Items(0)->Button());
    });
    session.Steps.push_back([&](TGlottaEditorForm* editor) {
      English(editor);
      if (initialise) {
        editor->ItemInitNewPropsClick(editor->Item("ItemInitNewProps"));  // No
        EXPECT_FALSE(editor->Item("ItemInitNewProps")->GetChecked());
        editor->ItemInitNewPropsClick(editor->Item("ItemInitNewProps"));  // Yes
        EXPECT_TRUE(editor->Item("ItemInitNewProps")->GetChecked());
      }
      const Integer rows = Rows(editor);
      Headless::PressKey(editor, VK_F9);
      EXPECT_EQ(Rows(editor), rows + 1);
      EXPECT_TRUE(editor->Modified());
      const Integer row = RowOf(editor, "Button1", "Caption");
      ASSERT_GT(row, 0);
      EXPECT_EQ(editor->Grid()->Cells(editor->FirstLangCol(), row), "Go");
      EXPECT_EQ(editor->Grid()->Cells(editor->FirstLangCol() + 1, row), initialise ? "Go" : "");
      // The values that were there before are kept.
      EXPECT_EQ(editor->Grid()->Cells(editor->FirstLangCol() + 1, RowOf(editor, "Glotta", "Resources.Greeting")),
                "Hallo");
      editor->ItemAcceptClick(nullptr);
      Close(editor);
    });
    if (initialise) session.Answers = {mrNo, mrYes};
    EXPECT_TRUE(session.Run(Glotta));
    if (initialise) {
      ASSERT_EQ(session.Messages.size(), 2u);
      EXPECT_EQ(session.Messages[0],
                "If this option is activated, added entries are initialized with the current property value. "
                "Would you like to activate this option?");
      EXPECT_EQ(session.MessageButtons[0], (std::vector<String>{"&Yes", "&No", "&Help"}));
    }
    Glotta->SetLanguage("Deutsch");
    EXPECT_EQ(Button->GetText(), initialise ? "Go" : "");
  }
}

TEST_F(EditorTest, FontsComeFromTheDialogOrTheForm) {
  BuildForm();
  TDialogScript fonts([&](TCommonDialog* d) {
    auto* dialog = dynamic_cast<TFontDialog*>(d);
    EXPECT_NE(dialog, nullptr);
    dialog->GetFont()->SetSize(20);
    return true;
  });
  TEditorSession session;
  Integer height = 0;
  session.Steps.push_back([&](TGlottaEditorForm* editor) {
    TSortGrid* grid = editor->Grid();
    height = grid->GetDefaultRowHeight();
    editor->ItemFontClick(editor->Item("ItemFont"));
    EXPECT_EQ(grid->GetFont()->GetSize(), 20);
    EXPECT_FALSE(grid->GetParentFont());
    EXPECT_GT(grid->GetDefaultRowHeight(), height);
    Close(editor);
  });
  session.Run(Glotta);
  // The font is kept; the default font is the form's again.
  TEditorSession again;
  again.Steps.push_back([&](TGlottaEditorForm* editor) {
    TSortGrid* grid = editor->Grid();
    EXPECT_EQ(grid->GetFont()->GetSize(), 20);
    editor->ItemDefaultFontClick(editor->Item("ItemDefaultFont"));
    EXPECT_TRUE(grid->GetParentFont());
    EXPECT_EQ(grid->GetFont()->GetSize(), editor->GetFont()->GetSize());
    EXPECT_EQ(grid->GetDefaultRowHeight(), height);
    Close(editor);
  });
  again.Run(Glotta);
}

// Search, the consistency check and the setup dialog are other units' windows, reached
// through the editor's hooks; the editor enables them and takes over what they return.
TEST_F(EditorTest, HookedCommandsReachTheirWindows) {
  THookScope hooks;
  std::vector<String> calls;
  TGlottaEditorForm::OnSearch = [&](TGlottaEditorForm* e) {
    calls.push_back("search");
    e->SetSearchPattern("Hello");
  };
  TGlottaEditorForm::OnSearchAgain = [&](TGlottaEditorForm*) { calls.push_back("again"); };
  TGlottaEditorForm::OnVerifyStrings = [&](TGlottaEditorForm* e, TObject* sender) {
    calls.push_back(sender == e ? "check at start" : "check");
  };
  std::vector<String> offered;
  TGlottaEditorForm::OnExecuteSetup = [&](TStrings* domains, String& domain, bool& topLevel) {
    for (int i = 0; i < domains->Count(); ++i) offered.push_back(domains->Strings(i));
    EXPECT_EQ(domain, "");
    domain = "Tools";
    topLevel = false;
    return true;
  };
  TForm tools(nullptr, TCreateNew{});
  auto* member = new TGlotta(&tools);
  member->SetDomain("Orders");
  BuildForm();
  TEditorSession session;
  session.Steps.push_back([&](TGlottaEditorForm* editor) {
    English(editor);
    EXPECT_EQ(calls, std::vector<String>{"check at start"});
    EXPECT_TRUE(editor->Item("ItemSearch")->GetEnabled());
    EXPECT_FALSE(editor->Item("ItemSearchAgain")->GetEnabled());
    EXPECT_FALSE(editor->Button("BtnSearchAgain")->GetEnabled());
    Headless::PressKey(editor, FKey(3));  // disabled: nothing
    Headless::PressKey(editor, 'F', {ssCtrl});
    EXPECT_TRUE(editor->Button("BtnSearchAgain")->GetEnabled());
    Headless::PressKey(editor, FKey(3));
    editor->ItemVerifyStringsClick(editor->Item("ItemVerifyStrings"));
    editor->ItemSetupClick(editor->Item("ItemSetup"));
    EXPECT_TRUE(editor->Modified());
    EXPECT_EQ(editor->StatusBar()->GetPanels()->Items(1)->GetText(), "Domain: 'Tools'");
    EXPECT_EQ(editor->StatusBar()->GetPanels()->Items(2)->GetText(), "TopLevel is ignored");
    editor->ItemOptionClick(editor->Item("ItemVerifyStringsAtStart"));
    editor->ItemAcceptClick(nullptr);
    Close(editor);
  });
  EXPECT_TRUE(session.Run(Glotta));
  EXPECT_EQ(calls, (std::vector<String>{"check at start", "search", "again", "check"}));
  EXPECT_NE(std::find(offered.begin(), offered.end(), "Orders"), offered.end());
  for (const String& d : offered) EXPECT_FALSE(d.starts_with(".")) << d;
  EXPECT_EQ(Glotta->GetDomain(), "Tools");
  // The check at start is an option that is kept.
  calls.clear();
  TEditorSession again;
  again.Steps.push_back([&](TGlottaEditorForm* editor) {
    EXPECT_FALSE(editor->Item("ItemVerifyStringsAtStart")->GetChecked());
    Close(editor);
  });
  again.Run(Glotta);
  EXPECT_TRUE(calls.empty());
}

struct THelpProbe {
  std::vector<Integer> Contexts;
  void Help(Word, Integer data, bool& callHelp) {
    Contexts.push_back(data);
    callHelp = false;
  }
};

TEST_F(EditorTest, HelpAboutAndTheSourceWindow) {
  BuildForm();
  THelpProbe probe;
  Application->OnHelp = MakeMethod<&THelpProbe::Help>(&probe);
  TEditorSession session;
  // About: the product box titled with the editor's caption.
  session.Dialogs.push_back([&](TCustomForm* f) {
    auto* message = dynamic_cast<TLabel*>(f->FindComponent("Message"));
    ASSERT_NE(message, nullptr);
    EXPECT_EQ(message->GetText(), "Xel Glotta 1.31, Xel GbR") << f->GetText();
    f->SetModalResult(mrOk);
  });
  session.Dialogs.push_back([&](TCustomForm* f) {
    EXPECT_EQ(f->GetText(), "[]");
    ASSERT_EQ(f->ControlCount(), 1);
    auto* text = dynamic_cast<TRichEdit*>(f->Controls(0));
    ASSERT_NE(text, nullptr);
    EXPECT_TRUE(text->GetReadOnly());
    EXPECT_EQ(text->GetAlign(), alClient);
    EXPECT_EQ(f->GetClientWidth(), 640);
    f->Close();
  });
  session.Steps.push_back([&](TGlottaEditorForm* editor) {
    English(editor);
    Headless::PressKey(editor, VK_F1);
    editor->ItemAboutClick(editor->Item("ItemAbout"));
    EXPECT_EQ(session.Dialogs.size(), 1u);
    // The debug menu is hidden; its shortcut opens the source window all the same.
    Headless::PressKey(editor, VK_F12, {ssCtrl});
    EXPECT_TRUE(session.Dialogs.empty());
    Close(editor);
  });
  session.Run(Glotta);
  Application->OnHelp = {};
  EXPECT_EQ(probe.Contexts, std::vector<Integer>{1});
  EXPECT_TRUE(session.Messages.empty());
  EXPECT_TRUE(session.Dialogs.empty());
}

}  // namespace
}  // namespace xel::test

namespace xel::test {
namespace {

// Export, a change, and the import of the exported file through the import dialog: the
// working copy is what it was when it was exported.
TEST_F(EditorTest, ExportThenImportRoundTrips) {
  BuildForm();
  const String file = Dir + "Round.txt";
  TDialogScript files([&](TCommonDialog* d) {
    static_cast<TOpenDialog*>(d)->SetFileName(file);
    return true;
  });
  TEditorSession session;
  session.Dialogs.push_back([&](TCustomForm* f) {
    auto* dialog = dynamic_cast<TGlottaImportForm*>(f);
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->IsRowSelected(1));
    dialog->BtnAddAll()->SetChecked(true);
    EXPECT_TRUE(dialog->OKButton()->GetEnabled());
    dialog->OKClick(dialog->OKButton());
    EXPECT_EQ(dialog->ModalResult(), mrOk);
  });
  session.Steps.push_back([&](TGlottaEditorForm* editor) {
    English(editor);
    const Integer de = editor->FirstLangCol() + 1;
    const Integer caption = RowOf(editor, "Label1", "Caption"), greeting = RowOf(editor, "Glotta", "Resources.Greeting");
    TypeInto(editor, de, caption, "Vorname");
    editor->ItemExportClick(editor->Item("ItemExport"));
    TypeInto(editor, de, caption, "Changed");
    TypeInto(editor, de, greeting, "Servus");
    Headless::Click(editor->Button("BtnImport"));
    EXPECT_EQ(editor->ImportFile(), file);
    EXPECT_EQ(editor->Grid()->Cells(de, RowOf(editor, "Label1", "Caption")), "Vorname");
    EXPECT_EQ(editor->Grid()->Cells(de, RowOf(editor, "Glotta", "Resources.Greeting")), "Hallo");
    EXPECT_EQ(Rows(editor), 12);
    editor->ItemAcceptClick(nullptr);
    Close(editor);
  });
  EXPECT_TRUE(session.Run(Glotta));
  EXPECT_TRUE(session.Messages.empty());
  Glotta->SetLanguage("Deutsch");
  EXPECT_EQ(Label->GetText(), "Vorname");
  EXPECT_EQ(Glotta->GetString("Greeting"), "Hallo");
}

// Languages added, renamed, reordered and removed through the language dialog keep every
// value of every other language.
TEST_F(EditorTest, LanguagesChangedInTheDialogKeepTheOtherValues) {
  BuildForm();
  SetValue("Label1.Caption", 1, "Vorname");
  auto type = [](TSortGrid* grid, Integer row, const String& text) {
    grid->MoveTo(0, row);
    grid->ShowEditor();
    grid->InplaceEditor()->SetText(text);
    grid->ValidateCell();
    grid->InitValidate();
    grid->SetEditorMode(false);
  };
  TEditorSession session;
  session.Dialogs.push_back([&](TCustomForm* f) {
    auto* dialog = dynamic_cast<TLanguageSelectForm*>(f);
    ASSERT_NE(dialog, nullptr);
    dialog->AddClick(nullptr);
    type(dialog->Grid(), 3, "Italian");
    type(dialog->Grid(), 2, "German");
    dialog->Grid()->MoveTo(0, 1);
    dialog->MoveDownClick(nullptr);  // English after German
    dialog->ButtonPanelBottomOKClick(nullptr);
    EXPECT_EQ(dialog->ModalResult(), mrOk);
  });
  session.Dialogs.push_back([&](TCustomForm* f) {
    auto* dialog = dynamic_cast<TLanguageSelectForm*>(f);
    ASSERT_NE(dialog, nullptr);
    dialog->Grid()->MoveTo(0, 3);
    dialog->RemoveClick(nullptr);  // Italian, after a question
    dialog->ButtonPanelBottomOKClick(nullptr);
    EXPECT_EQ(dialog->ModalResult(), mrOk);
  });
  session.Steps.push_back([&](TGlottaEditorForm* editor) {
    English(editor);
    editor->ItemLangsClick(editor->Item("ItemLangs"));
    EXPECT_TRUE(editor->Modified());
    EXPECT_EQ(Header(editor).back(), "Italian");
    EXPECT_EQ(editor->Grid()->GetColCount(), editor->FirstLangCol() + 3);
    const Integer caption = RowOf(editor, "Label1", "Caption");
    EXPECT_EQ(editor->Grid()->Cells(editor->FirstLangCol(), caption), "Vorname");
    EXPECT_EQ(editor->Grid()->Cells(editor->FirstLangCol() + 1, caption), "Name");
    TypeInto(editor, editor->FirstLangCol() + 2, caption, "Nome");
    Headless::Click(editor->Button("BtnLangs"));
    EXPECT_EQ(editor->Grid()->GetColCount(), editor->FirstLangCol() + 2);
    editor->ItemAcceptClick(nullptr);
    Close(editor);
  });
  session.Answers = {mrYes};
  EXPECT_TRUE(session.Run(Glotta));
  TLanguageEntries* langs = Glotta->LanguageManager()->Langs();
  ASSERT_EQ(langs->Count(), 2);
  EXPECT_EQ(langs->Items(0)->Name(), "German");
  EXPECT_EQ(langs->Items(1)->Name(), "English");
  Glotta->SetLanguage("German");
  EXPECT_EQ(Label->GetText(), "Vorname");
  EXPECT_EQ(Glotta->GetString("Greeting"), "Hallo");
  Glotta->SetLanguage("English");
  EXPECT_EQ(Label->GetText(), "Name");
  EXPECT_EQ(Glotta->GetString("Greeting"), "Hello");
}

}  // namespace
}  // namespace xel::test
