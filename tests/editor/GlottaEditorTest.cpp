// The translation editor driven headlessly through ExecuteGlottaEditor: what it shows,
// which typed values it takes, what acceptance writes, and what a cancelled close keeps.
#include <filesystem>

#include "Application.h"
#include "EditorFixtures.h"
#include "FileTools.h"
#include "GlottaModule.h"
#include "RegisterControls.h"

namespace xel::test {
namespace {

using namespace MsgBox;

std::vector<String> Header(TGlottaEditorForm* editor) {
  std::vector<String> header;
  for (Integer col = 0; col < editor->Grid()->GetColCount(); ++col) header.push_back(editor->Grid()->Cells(col, 0));
  return header;
}

void Close(TGlottaEditorForm* editor) { editor->Close(); }

void English(TGlottaEditorForm* editor) {
  editor->ItemEnglishClick(editor->Item("ItemEnglish"));
  ASSERT_EQ(editor->Glotta()->GetLanguage(), "English");
}

std::vector<String> BackupFiles(const String& dir) {
  std::vector<String> files;
  std::error_code ec;
  for (auto& e : std::filesystem::directory_iterator(dir + "XelGlotta", ec))
    if (e.path().filename() != "Index.txt") files.push_back(e.path().string());
  std::sort(files.begin(), files.end());
  return files;
}

TEST_F(EditorTest, ShowsOneRowPerItemWithReadOnlyCellsShaded) {
  BuildForm();
  Label->GetFont()->SetColor(TColor(255));
  TEditorSession session;
  session.Steps.push_back([&](TGlottaEditorForm* editor) {
    English(editor);
    EXPECT_EQ(Header(editor),
              (std::vector<String>{"Name of Component", "Type of Property", "Property Descriptor/String ID",
                                   "English [Default]", "Deutsch"}));
    EXPECT_EQ(editor->Grid()->GetRowCount(), 13);  // the header and twelve items
    const Integer lang = editor->FirstLangCol();
    const Integer color = RowOf(editor, "Label1", "Font.Color");
    ASSERT_GT(color, 0);
    EXPECT_EQ(editor->Grid()->Cells(lang, color), "$000000FF");
    const Integer greeting = RowOf(editor, "Glotta", "Resources.Greeting");
    ASSERT_GT(greeting, 0);
    EXPECT_EQ(editor->Grid()->Cells(editor->DescCol(), greeting), "Greeting");
    EXPECT_EQ(editor->Grid()->Cells(lang, greeting), "Hello");
    EXPECT_EQ(editor->Grid()->Cells(lang + 1, greeting), "Hallo");
    const Integer line = RowOf(editor, "Memo1", "Lines.Strings[1]");
    ASSERT_GT(line, 0);
    EXPECT_EQ(editor->Grid()->Cells(lang, line), "second");
    // Only language cells and the names of named strings take the cursor; the rest is shaded.
    struct {
      Integer Col, Row;
      bool Editable;
    } cells[] = {{0, color, false}, {editor->DescCol(), color, false}, {lang, color, true},
                 {editor->DescCol(), greeting, true}, {0, greeting, false}, {editor->DescCol(), line, false}};
    for (const auto& c : cells) {
      EXPECT_EQ(editor->IsCellEditable(c.Col, c.Row), c.Editable) << c.Col << "," << c.Row;
      TFormatOptions format;
      editor->Grid()->InitializeFormatOptions(format);
      format.Brush->SetColor(clWindow);
      editor->GridGetCellFormat(editor->Grid(), c.Col, c.Row, {}, format);
      EXPECT_EQ(format.Brush->GetColor() == TColor(0x00D0E0D0), !c.Editable) << c.Col << "," << c.Row;
    }
    editor->Grid()->MoveTo(editor->DescCol(), color);
    EXPECT_NE(editor->Grid()->Col(), editor->DescCol());
    EXPECT_EQ(editor->StatusBar()->GetPanels()->Items(0)->GetText(), "Number of entries: 12");
    EXPECT_EQ(editor->StatusBar()->GetPanels()->Items(1)->GetText(), "Domain: None");
    EXPECT_EQ(editor->StatusBar()->GetPanels()->Items(2)->GetText(), "TopLevel: False");
    Close(editor);
  });
  EXPECT_FALSE(session.Run(Glotta));
  EXPECT_TRUE(session.Messages.empty());
}

TEST_F(EditorTest, TypedValuesAreCheckedAgainstThePropertyType) {
  struct {
    const char* Component;
    const char* Path;
    const char* Typed;
    const char* Shown;  // nullptr: refused, the old text comes back
  } cases[] = {
      {"Probe", "Count", "10h", "16"},          {"Probe", "Count", "$10", "16"},
      {"Probe", "Count", "0x10", "16"},         {"Probe", "Count", "ten", nullptr},
      {"Label1", "Font.Color", "$FF", "$000000FF"},
      {"Label1", "Alignment", "taCenter", "taCenter"}, {"Label1", "Alignment", "taNowhere", nullptr},
      {"Label1", "Font.Style", "[fsBold]", "[fsBold]"}, {"Label1", "Font.Style", "[fsHeavy]", nullptr},
      {"Probe", "Active", "True", "True"},       {"Probe", "Active", "perhaps", nullptr},
      {"Probe", "Letter", "z", "z"},             {"Probe", "Ratio", "1.25", "1.25"},
      {"Probe", "Ratio", "one", nullptr},        {"Label1", "Caption", "any text", "any text"},
      {"Memo1", "Lines.Strings[1]", "a line", "a line"},
  };
  BuildForm();
  TEditorSession session;
  session.Steps.push_back([&](TGlottaEditorForm* editor) {
    English(editor);
    const Integer col = editor->FirstLangCol() + 1;  // Deutsch: the live values stay as they are
    for (const auto& c : cases) {
      const Integer row = RowOf(editor, c.Component, c.Path);
      ASSERT_GT(row, 0) << c.Path;
      const String before = editor->Grid()->Cells(col, row);
      const size_t shown = session.Messages.size();
      TypeInto(editor, col, row, c.Typed);
      if (c.Shown) {
        EXPECT_EQ(editor->Grid()->Cells(col, row), c.Shown) << c.Typed;
        EXPECT_EQ(editor->TranslateValue(editor->RowEntry(row), editor->ColToLangIndex(col)), c.Shown) << c.Typed;
        EXPECT_EQ(session.Messages.size(), shown) << c.Typed;
      } else {
        EXPECT_EQ(editor->Grid()->Cells(col, row), before) << c.Typed;
        ASSERT_EQ(session.Messages.size(), shown + 1) << c.Typed;
        EXPECT_EQ(session.Messages.back(), "Invalid value!") << c.Typed;
      }
    }
    EXPECT_TRUE(editor->Modified());
    editor->Close();
  });
  session.Steps.push_back(Close);  // after "No"
  // The refusals are closed with the close box; the final question is answered No.
  const size_t refusals = 6;
  for (size_t i = 0; i < refusals; ++i) session.Answers.push_back(mrNone);
  session.Answers.push_back(mrNo);
  EXPECT_FALSE(session.Run(Glotta));
  EXPECT_EQ(session.Messages.size(), refusals + 1);
  // Nothing reached the component: No closes without writing.
  EXPECT_EQ(Probe->FCount, 3);
  EXPECT_EQ(Value("Probe.Count", 1), "3");
  EXPECT_EQ(Label->GetText(), "Name");
}

TEST_F(EditorTest, NamedStringsAreRenamedOnlyToFreeValidNames) {
  BuildForm();
  TEditorSession session;
  session.Steps.push_back([&](TGlottaEditorForm* editor) {
    English(editor);
    const Integer row = RowOf(editor, "Glotta", "Resources.Greeting");
    const Integer col = editor->DescCol();
    struct {
      const char* Typed;
      const char* Shown;
      const char* Message;  // nullptr: none
    } cases[] = {
        {"Greeting", "Greeting", nullptr},
        {"farewell", "Greeting", "String identifier already used!"},
        {"Not-valid", "Greeting", "String identifier is invalid!"},
        {"  Welcome  ", "Welcome", nullptr},
    };
    for (const auto& c : cases) {
      const size_t shown = session.Messages.size();
      TypeInto(editor, col, row, c.Typed);
      EXPECT_EQ(editor->Grid()->Cells(col, row), c.Shown) << c.Typed;
      if (c.Message) {
        ASSERT_EQ(session.Messages.size(), shown + 1) << c.Typed;
        EXPECT_EQ(session.Messages.back(), c.Message);
      } else {
        EXPECT_EQ(session.Messages.size(), shown) << c.Typed;
      }
    }
    EXPECT_EQ(editor->Manager()->Names()->Strings(editor->RowEntry(row)->IndexValue()), "Welcome");
    editor->ItemAcceptClick(nullptr);
    Close(editor);
  });
  EXPECT_TRUE(session.Run(Glotta));
  EXPECT_EQ(Glotta->GetString("Welcome"), "Hello");
  EXPECT_THROW(Glotta->GetString("Greeting"), EStringNotFound);
}

TEST_F(EditorTest, EscapeRestoresTheCellWithoutAMessage) {
  BuildForm();
  TEditorSession session;
  session.Steps.push_back([&](TGlottaEditorForm* editor) {
    const Integer row = RowOf(editor, "Probe", "Count");
    const Integer col = editor->FirstLangCol();
    TypeInto(editor, col, row, "not a number", 27);
    EXPECT_EQ(editor->Grid()->Cells(col, row), "3");
    EXPECT_FALSE(editor->Grid()->GetEditorMode());
    EXPECT_TRUE(editor->CellValid());
    Close(editor);
  });
  session.Answers = {mrNo};  // the edit marked the data modified
  EXPECT_FALSE(session.Run(Glotta));
  EXPECT_EQ(session.Messages.size(), 1u);  // only the question when closing
  EXPECT_EQ(Probe->FCount, 3);
}

TEST_F(EditorTest, AcceptingWritesTheComponentTheBackupAndTheLog) {
  BuildForm();
  TEditorSession session;
  session.Steps.push_back([&](TGlottaEditorForm* editor) {
    const Integer caption = RowOf(editor, "Label1", "Caption");
    const Integer greeting = RowOf(editor, "Glotta", "Resources.Greeting");
    const Integer lang = editor->FirstLangCol();
    TypeInto(editor, lang, caption, "First name");
    TypeInto(editor, lang + 1, caption, "Vorname");
    TypeInto(editor, lang + 1, greeting, "Guten Tag");
    EXPECT_EQ(Label->GetText(), "Name");  // nothing reaches the component before acceptance
    editor->ItemAcceptClick(nullptr);
    EXPECT_FALSE(editor->Modified());
    EXPECT_EQ(Label->GetText(), "First name");
    TypeInto(editor, lang, caption, "Given name");
    editor->ItemAcceptClick(nullptr);
    Close(editor);
  });
  EXPECT_TRUE(session.Run(Glotta));
  EXPECT_TRUE(session.Messages.empty());
  EXPECT_EQ(Label->GetText(), "Given name");
  Glotta->SetLanguage("Deutsch");
  EXPECT_EQ(Label->GetText(), "Vorname");
  EXPECT_EQ(Glotta->GetString("Greeting"), "Guten Tag");

  // Two acceptances, two backups: each holds the data as they were before it.
  const std::vector<String> backups = BackupFiles(Dir);
  ASSERT_EQ(backups.size(), 2u);
  for (const String& b : backups)
    EXPECT_TRUE(HasShape(ExtractFileName(b).substr(0, 17), "99-99-99 99.99.99")) << b;
  const String first = ReadTextFile(backups[0], true), second = ReadTextFile(backups[1], true);
  const bool ordered = first.find("Label1.Caption='Name'") != String::npos;
  const String& older = ordered ? first : second;
  const String& newer = ordered ? second : first;
  EXPECT_NE(older.find("Label1.Caption='Name'"), String::npos) << older;
  EXPECT_NE(newer.find("Label1.Caption='First name'"), String::npos) << newer;
  EXPECT_NE(newer.find("Label1.Caption='Vorname'"), String::npos) << newer;

  const String log = Read("XelGlotta/Index.txt");
  for (const char* line : {"Language editor started by: ", "Multilingual form: '' (TForm)", "Backup saved to: '",
                           "Language data saved"})
    EXPECT_NE(log.find(line), String::npos) << line << "\n" << log;
  size_t saved = 0;
  for (size_t at = log.find("Language data saved"); at != String::npos; at = log.find("Language data saved", at + 1))
    ++saved;
  EXPECT_EQ(saved, 2u);
  EXPECT_NE(log.rfind(" .\r\n"), String::npos) << log;
}

// A value still being typed is checked before a command acts on the data: refused, it
// stops the acceptance, and the component keeps what it had.
TEST_F(EditorTest, AnOpenInvalidEditStopsTheAcceptance) {
  BuildForm();
  TEditorSession session;
  session.Steps.push_back([&](TGlottaEditorForm* editor) {
    English(editor);
    const Integer lang = editor->FirstLangCol();
    TypeInto(editor, lang, RowOf(editor, "Label1", "Caption"), "Surname");
    TypeInto(editor, lang, RowOf(editor, "Probe", "Count"), "many", 0);
    ASSERT_TRUE(editor->Grid()->GetEditorMode());
    editor->ItemAcceptClick(nullptr);
    EXPECT_FALSE(editor->Accepted());
    EXPECT_TRUE(editor->Modified());
    EXPECT_EQ(editor->Grid()->Cells(lang, RowOf(editor, "Probe", "Count")), "3");
    editor->ItemAcceptClick(nullptr);  // the cell is valid again: now it is accepted
    EXPECT_TRUE(editor->Accepted());
    Close(editor);
  });
  session.Answers = {mrNone};
  EXPECT_TRUE(session.Run(Glotta));
  ASSERT_EQ(session.Messages.size(), 1u);
  EXPECT_EQ(session.Messages[0], "Invalid value!");
  EXPECT_EQ(Label->GetText(), "Surname");
  EXPECT_EQ(Probe->FCount, 3);
}

TEST_F(EditorTest, ACancelledCloseOrRefusedBackupChangesNothing) {
  BuildForm();
  // A file where the backup folder should be: the backup cannot be written.
  Write("XelGlotta", "in the way");
  TEditorSession session;
  Integer caption = -1, col = -1;
  session.Steps.push_back([&](TGlottaEditorForm* editor) {
    caption = RowOf(editor, "Label1", "Caption");
    col = editor->FirstLangCol();
    TypeInto(editor, col, caption, "Changed");
    editor->Close();  // Save changes? Cancel
  });
  session.Steps.push_back([&](TGlottaEditorForm* editor) {
    EXPECT_TRUE(editor->Modified());
    EXPECT_EQ(editor->Grid()->Cells(col, caption), "Changed");
    editor->Close();  // Save changes? Yes; the backup fails: continue? No
  });
  session.Steps.push_back([&](TGlottaEditorForm* editor) {
    EXPECT_TRUE(editor->Modified());
    EXPECT_FALSE(editor->Accepted());
    editor->Close();  // Save changes? No
  });
  session.Answers = {mrCancel, mrYes, mrNo, mrNo};
  EXPECT_FALSE(session.Run(Glotta));
  ASSERT_EQ(session.Messages.size(), 4u);
  EXPECT_EQ(session.Messages[0], "Save changes?");
  EXPECT_EQ(session.Messages[2], "The backup file could not be created. Continue?");
  EXPECT_EQ(Label->GetText(), "Name");
  EXPECT_EQ(Value("Label1.Caption", 0), "Name");
  EXPECT_EQ(Read("XelGlotta"), "in the way");
}

TEST_F(EditorTest, TheInterfaceLanguageReachesHeadersStatusAndMessages) {
  BuildForm();
  Glotta->SetDomain("Tools");
  Application->SetHelpFile("Orders.hlp");
  TEditorSession session;
  session.Steps.push_back([&](TGlottaEditorForm* editor) {
    editor->ItemGermanClick(editor->Item("ItemGerman"));
    EXPECT_EQ(ExtractFileName(Application->HelpFile()), "XelGlottaGer.hlp");
    EXPECT_TRUE(editor->Item("ItemGerman")->GetChecked());
    EXPECT_FALSE(editor->Item("ItemEnglish")->GetChecked());
    EXPECT_EQ(Header(editor),
              (std::vector<String>{"Komponentenname", "Eigenschaftstyp", "Beschreibung/String-ID", "English [Vorgabe]",
                                   "Deutsch"}));
    EXPECT_EQ(editor->StatusBar()->GetPanels()->Items(0)->GetText(), "Anzahl der Einträge: 12");
    EXPECT_EQ(editor->StatusBar()->GetPanels()->Items(1)->GetText(), "Domäne: 'Tools'");
    EXPECT_EQ(editor->StatusBar()->GetPanels()->Items(2)->GetText(), "TopLevel wird ignoriert");
    EXPECT_EQ(editor->Item("MenuFile")->GetCaption(), "&Datei");
    TypeInto(editor, editor->FirstLangCol(), RowOf(editor, "Probe", "Count"), "zehn");
    editor->Close();
  });
  session.Answers = {mrNone, mrNo};
  EXPECT_FALSE(session.Run(Glotta));
  ASSERT_EQ(session.Messages.size(), 2u);
  EXPECT_EQ(session.Messages[0], "Ungültiger Wert!");
  EXPECT_EQ(session.Messages[1], "Änderungen speichern?");
  EXPECT_EQ(session.MessageButtons[1], (std::vector<String>{"&Ja", "&Nein", "&Abbruch"}));
  EXPECT_EQ(Application->HelpFile(), "Orders.hlp");  // the application's own again

  // The choice is kept: the next editor opens in German.
  TEditorSession again;
  again.Steps.push_back([&](TGlottaEditorForm* editor) {
    EXPECT_EQ(editor->Glotta()->GetLanguage(), "Deutsch");
    Close(editor);
  });
  again.Run(Glotta);
}

TEST_F(EditorTest, WithoutLanguagesOrItemsTheGridStaysUsable) {
  BuildForm(false);
  TEditorSession session;
  session.Steps.push_back([&](TGlottaEditorForm* editor) {
    English(editor);
    EXPECT_EQ(Header(editor).back(), "[Default]");
    EXPECT_EQ(editor->Grid()->GetColCount(), editor->FirstLangCol() + 1);
    const Integer greeting = RowOf(editor, "Glotta", "Resources.Greeting");
    EXPECT_EQ(editor->Grid()->Cells(editor->FirstLangCol(), greeting), "Hello");
    Close(editor);
  });
  EXPECT_FALSE(session.Run(Glotta));

  // A component without items: one empty row, the grid disabled, no entries counted.
  TForm other(nullptr, TCreateNew{});
  other.SetName("Form2");
  auto* empty = new TGlotta(&other);
  empty->SetName("Empty");
  TEditorSession none;
  none.Steps.push_back([&](TGlottaEditorForm* editor) {
    English(editor);
    EXPECT_EQ(editor->Grid()->GetRowCount(), 2);
    EXPECT_FALSE(editor->Grid()->GetEnabled());
    EXPECT_EQ(editor->RowEntry(1), nullptr);
    EXPECT_EQ(editor->StatusBar()->GetPanels()->Items(0)->GetText(), "Number of entries: 0");
    Close(editor);
  });
  EXPECT_FALSE(none.Run(empty));
}

}  // namespace
}  // namespace xel::test
