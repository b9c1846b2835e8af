#include <gtest/gtest.h>

#include "ExchangeFixtures.h"
#include "LanguageExport.h"
#include "LanguageFile.h"
#include "LogFile.h"

namespace xel::test {
namespace {

// The window translated into English and Deutsch, in the order the items were chosen.
void TranslateWindow(TFormFixture& f) {
  auto* button = f.Get<TButton>("Button1");
  f.Translate(button, "Hint", {"Accept", "Annehmen"});
  f.Translate(button, "Caption", {"OK", "OK"});
  f.Translate(button, "Font.Name", {"Arial", "Arial"});
  auto* memo = f.Get<TMemo>("Memo1");
  f.Translate(memo, "Lines.Strings[3]", {"fourth line", "vierte Zeile"});
  f.Translate(memo, "Lines.Strings[1]", {"second line", "zweite Zeile"});
  f.Translate(f.Get<TStatusBar>("StatusBar1"), "Panels[0].Text", {"Ready", "Bereit"});
  f.Translate(f.Form(), "Caption", {"Main window", "Hauptfenster"});
  f.TranslateString("Quote", {"It's 'quoted'", "Es ist's"});
  f.TranslateString("Greeting", {"Hello", ""});
  f.TranslateString("TwoLines", {"a\r\nb", "c\nd"});
}

const char* const WindowExport =
    "[TMainForm.English]\r\n"
    "Button1.Caption='OK'\r\n"
    "Button1.Font.Name='Arial'\r\n"
    "Button1.Hint='Accept'\r\n"
    "Memo1.Lines%1='second line'\r\n"
    "Memo1.Lines%3='fourth line'\r\n"
    "StatusBar1.Panels%0.Text='Ready'\r\n"
    "TMainForm.Caption='Main window'\r\n"
    "Glotta1.#Greeting='Hello'\r\n"
    "Glotta1.#Quote='It's 'quoted''\r\n"
    "Glotta1.#TwoLines=('a'#13#10'b')\r\n"
    "\r\n"
    "[TMainForm.Deutsch]\r\n"
    "Button1.Caption='OK'\r\n"
    "Button1.Font.Name='Arial'\r\n"
    "Button1.Hint='Annehmen'\r\n"
    "Memo1.Lines%1='zweite Zeile'\r\n"
    "Memo1.Lines%3='vierte Zeile'\r\n"
    "StatusBar1.Panels%0.Text='Bereit'\r\n"
    "TMainForm.Caption='Hauptfenster'\r\n"
    "Glotta1.#Greeting=''\r\n"
    "Glotta1.#Quote='Es ist's'\r\n"
    "Glotta1.#TwoLines=('c'#10'd')\r\n"
    "\r\n";

TEST(LanguageExportTest, WritesOneSectionPerLanguageWithSortedItemLines) {
  TFormFixture f;
  TranslateWindow(f);
  EXPECT_EQ(ExportLanguagesToText(f.Manager()), WindowExport);
}

TEST(LanguageExportTest, ManagerWithoutOwnerOrItemsWritesBareSections) {
  TComponent holder(nullptr);
  holder.SetName("Holder");
  TLanguageManager m(nullptr, &holder, nullptr, cmConsistent);
  for (const char* name : {"English", "Deutsch"}) m.Langs()->Add()->SetName(name);
  EXPECT_EQ(ExportLanguagesToText(&m), "[.English]\r\n\r\n[.Deutsch]\r\n\r\n");
  m.Langs()->Items(0)->SetSubIndex(0);
  m.Langs()->Items(1)->SetSubIndex(1);
  TConsistentLangPropertyEntry* s = m.AddString("Title");
  s->SetLangValue(0, Variant("Hi"));
  // A slot without value has no quotes; an empty text has two.
  s->SetCount(3);
  m.Langs()->Add()->SetName("Francais");
  m.Langs()->Items(2)->SetSubIndex(2);
  m.Langs()->Items(1)->SetSubIndex(1);
  s->SetLangValue(1, Variant(""));
  EXPECT_EQ(ExportLanguagesToText(&m),
            "[.English]\r\nHolder.#Title='Hi'\r\n\r\n[.Deutsch]\r\nHolder.#Title=''\r\n\r\n"
            "[.Francais]\r\nHolder.#Title=\r\n\r\n");
}

TEST(LanguageExportTest, LogsEveryItemAndTheErrorAndKeepsTheOldFile) {
  TScratch scratch;
  TFormFixture f;
  f.Translate(f.Get<TButton>("Button1"), "Caption", {"OK", "Gut"});
  auto* log = new TLogFile(f.Form());
  log->SetFileName(scratch.Path("export.log"));
  const String target = scratch.Write("out.txt", "old");
  ExportLanguages(f.Manager(), target, log);
  log->CloseFile();
  String lines = ReadFile(scratch.Path("export.log"));
  EXPECT_NE(lines.find("BEGIN Button1.Caption\r\n  END Button1.Caption\r\nBEGIN Button1.Caption"), String::npos) << lines;
  EXPECT_EQ(ReadFile(target), "[TMainForm.English]\r\nButton1.Caption='OK'\r\n\r\n[TMainForm.Deutsch]\r\nButton1.Caption='Gut'\r\n\r\n");

  // A language whose slot the items lack: the export fails, the file stays.
  f.Manager()->Langs()->Add()->SetName("Broken");
  f.Manager()->Langs()->Items(2)->SetSubIndex(7);
  WriteFileAtomically(target, "old");
  EXPECT_THROW(ExportLanguages(f.Manager(), target, log), Exception);
  log->CloseFile();
  EXPECT_EQ(ReadFile(target), "old");
  lines = ReadFile(scratch.Path("export.log"));
  EXPECT_NE(lines.find("Export error: Exception.Message = TInconsistentLangPropertyEntry.GetLangValue: Invalid index"),
            String::npos)
      << lines;
}

TEST(LanguageFileTest, ValuesAndKeysConvertBothWays) {
  struct TCase {
    const char* Written;
    TValueParse Parse;
    const char* Value;
  } cases[] = {
      {"'OK'", TValueParse::Value, "OK"},
      {"  'It''s'  ", TValueParse::Value, "It''s"},
      {"''", TValueParse::Value, ""},
      {"unquoted text", TValueParse::Value, "unquoted text"},
      {"", TValueParse::Null, ""},
      {"   ", TValueParse::Null, ""},
      {"'cut off", TValueParse::Broken, ""},
      {"'", TValueParse::Broken, ""},
      {"('a'#13#10'b''c')", TValueParse::Value, "a\r\nb'c"},
      {"(#10)", TValueParse::Value, "\n"},
      {"('no break')", TValueParse::Value, "('no break')"},
      {"('open", TValueParse::Value, "('open"},
  };
  for (const TCase& c : cases) {
    String value;
    EXPECT_EQ(DecodeLanguageValue(c.Written, value), c.Parse) << c.Written;
    EXPECT_EQ(value, c.Value) << c.Written;
  }
  for (const char* text : {"plain", "It's", "a\r\nb", "\n", "'\r'", "x\n'"}) {
    String back;
    EXPECT_EQ(DecodeLanguageValue(EncodeLanguageValue(Variant(text)), back), TValueParse::Value) << text;
    EXPECT_EQ(back, text);
  }
  size_t open, close;
  EXPECT_EQ(LanguageKeyToPath("Columns%1.Title.Caption", open, close), "Columns[1].Title.Caption");
  EXPECT_EQ(open, 7u);
  EXPECT_EQ(close, 9u);
  EXPECT_EQ(LanguageKeyToPath("Memo1.Lines%10", open, close), "Memo1.Lines[10]");
  EXPECT_EQ(PathToLanguageKey("Lines.Strings[10]", true), "Lines%10");
  EXPECT_EQ(PathToLanguageKey("Columns[1].Items.Strings[0]", true), "Columns%1.Items%0");
  EXPECT_EQ(SectionLanguage("TMainForm.English"), "English");
  EXPECT_EQ(SectionLanguage("English"), "English");
  EXPECT_EQ(SectionLanguage("TMainForm."), "TMainForm");
  EXPECT_EQ(SectionToRow(".English"), "=English");
  EXPECT_EQ(RowToSection("TMainForm=English"), "TMainForm.English");
}

}  // namespace
}  // namespace xel::test
