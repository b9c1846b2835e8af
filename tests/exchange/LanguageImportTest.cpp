#include <gtest/gtest.h>

#include "ComponentExplorer.h"
#include "ExchangeFixtures.h"
#include "LanguageExport.h"
#include "LanguageImport.h"

namespace xel::test {
namespace {

// The window in English and Deutsch.
void Translate(TFormFixture& f) {
  f.Get<TListView>("ListView1")->GetColumns()->Items(0)->SetCaption("Name");
  f.Translate(f.Get<TButton>("Button1"), "Caption", {"OK", "Gut"});
  f.Translate(f.Get<TButton>("Button1"), "Hint", {"", "Annehmen"});  // empty just now
  f.Translate(f.Get<TMemo>("Memo1"), "Lines.Strings[1]", {"second line", "zweite Zeile"});
  f.Translate(f.Get<TCheckBox>("CheckBox1"), "Checked", {"False", "True"}, tkEnumeration);
  f.Translate(f.Form(), "Caption", {"Main window", "Hauptfenster"});
  f.TranslateString("Greeting", {"Hello", "Hallo"});
}

class LanguageImportTest : public testing::Test {
protected:
  void SetUp() override { Translate(f); }

  // Imports the text with every section of it; the rows of both lists joined by "|".
  bool Import(const String& text, TImportMode mode, bool initialise = false) { return Import(f, text, mode, initialise); }
  bool Import(TFormFixture& target, const String& text, TImportMode mode, bool initialise = false) {
    const String file = scratch.Write("import.txt", text);
    TStringList sections, w, e;
    GetAvailLangSections(file, &sections);
    bool done = ImportLanguages(target.Manager(), file, nullptr, mode, initialise, &sections, &w, &e);
    warnings = Joined(w);
    errors = Joined(e);
    return done;
  }
  static String Joined(const TStrings& l) {
    String s;
    for (int i = 0; i < l.Count(); ++i) s += (i ? "|" : "") + l[i];
    return s;
  }
  static String Languages(const TFormFixture& target) {
    String s;
    for (int i = 0; i < target.Manager()->Langs()->Count(); ++i)
      s += (i ? "," : "") + target.Manager()->Langs()->Items(i)->Name();
    return s;
  }
  String Languages() const { return Languages(f); }

  TScratch scratch;
  TFormFixture f;
  String warnings, errors;
};

TEST_F(LanguageImportTest, ExportThenClearingImportRestoresEverythingAndReExportsTheSameBytes) {
  f.TranslateString("Two", {"a\r\nb", ""});
  f.Manager()->Langs()->Add()->SetName("Leer");  // a language with a slot of no value
  f.Manager()->Langs()->Items(2)->SetSubIndex(2);
  f.Manager()->SyncCount(cmInitNone);
  FindItem(f.Manager(), "Button1", "Caption")->SetLangValue(2, Variant::Null());
  const String before = ExportLanguagesToText(f.Manager());
  ASSERT_NE(before.find("Button1.Caption=\r\n"), String::npos) << before;

  ASSERT_TRUE(Import(before, imClearExisting));
  EXPECT_EQ(errors, "");
  EXPECT_EQ(warnings, "");
  EXPECT_EQ(ExportLanguagesToText(f.Manager()), before);
  EXPECT_EQ(Languages(), "English,Deutsch,Leer");
  EXPECT_EQ(f.Value("Button1", "Hint", "Deutsch"), "Annehmen");
  EXPECT_EQ(f.Value("Button1", "Caption", "Leer"), "<null>");
  EXPECT_EQ(f.StringValue("Two", "English"), "a\r\nb");
  EXPECT_EQ(f.Get<TMemo>("Memo1")->GetLines()->Strings(1), "second line");
}

TEST_F(LanguageImportTest, MalformedFilesReportTheirLinesAndChangeNothingElse) {
  struct TCase {
    const char* Name;
    const char* File;
    const char* Warnings;
    const char* Errors;
  } cases[] = {
      {"unknown component", "[TMainForm.Deutsch]\r\nOldButton.Caption='Old'\r\n", "",
       "[TMainForm.Deutsch]=OldButton.Caption=Old"},
      {"broken line", "[TMainForm.Deutsch]\r\nButton1.Caption\r\n=nothing\r\n", "",
       "[TMainForm.Deutsch]=Button1.Caption|[TMainForm.Deutsch]==nothing"},
      {"unknown path", "[TMainForm.Deutsch]\r\nButton1.Nonsense='x'\r\nButton1.Font.Nothing='y'\r\n", "",
       "[TMainForm.Deutsch]=Button1.Nonsense=x|[TMainForm.Deutsch]=Button1.Font.Nothing=y"},
      {"wrong value type", "[TMainForm.Deutsch]\r\nCheckBox1.Checked='maybe'\r\n", "",
       "[TMainForm.Deutsch]=CheckBox1.Checked=maybe"},
      {"duplicate key", "[TMainForm.Deutsch]\r\nButton1.Caption='Gut'\r\nbutton1.caption='Schlecht'\r\n", "",
       "[TMainForm.Deutsch]=button1.caption=Schlecht"},
      {"truncated file", "[TMainForm.Deutsch]\r\nButton1.Caption='Gu", "", "[TMainForm.Deutsch]=Button1.Caption='Gu"},
      {"section without language", "[.]\r\nButton1.Caption='Gut'\r\n", "", "[.]=Button1.Caption=Gut"},
      {"unknown section", "[Options]\r\nAutoSave=1\r\n", "", "[Options]=AutoSave=1"},
      {"empty string name", "[TMainForm.Deutsch]\r\nGlotta1.#='x'\r\n", "", "[TMainForm.Deutsch]=Glotta1.#=x"},
      {"comment", "[TMainForm.Deutsch]\r\n; a translator's note\r\n", "", ""},
      {"guessed caption", "[TMainForm.Deutsch]\r\nListView1.Columns%0='Name'\r\n",
       "[TMainForm.Deutsch]=ListView1.Columns%0=Name", ""},
  };
  const String before = ExportLanguagesToText(f.Manager());
  for (const TCase& c : cases) {
    ASSERT_TRUE(Import(c.File, imAddAll)) << c.Name;
    EXPECT_EQ(warnings, c.Warnings) << c.Name;
    EXPECT_EQ(errors, c.Errors) << c.Name;
    String now = ExportLanguagesToText(f.Manager());
    if (String(c.Name) == "guessed caption") {
      EXPECT_EQ(f.Value("ListView1", "Columns[0].Caption", "Deutsch"), "Name");
      continue;
    }
    EXPECT_EQ(now, before) << c.Name;
  }
}

TEST_F(LanguageImportTest, ModesDecideWhichValueWinsAndWhereNewLanguagesGo) {
  const char* file =
      "[TMainForm.Francais]\r\nButton1.Caption='Bien'\r\n\r\n"
      "[TMainForm.Deutsch]\r\nButton1.Caption='Prima'\r\nMemo1.Lines%1='Zeile'\r\n";
  ASSERT_TRUE(Import(file, imAddAll));
  EXPECT_EQ(Languages(), "English,Deutsch,Francais");
  EXPECT_EQ(f.Value("Button1", "Caption", "Deutsch"), "Prima");
  EXPECT_EQ(f.Value("Memo1", "Lines.Strings[1]", "Deutsch"), "Zeile");
  EXPECT_EQ(f.Value("Button1", "Caption", "Francais"), "Bien");
  EXPECT_EQ(f.Value("Button1", "Hint", "Francais"), "");  // not in the file: the empty value
  EXPECT_EQ(f.Get<TButton>("Button1")->GetText(), "OK");  // the first present language stays active

  TFormFixture g;
  Translate(g);
  ASSERT_TRUE(Import(g, file, imAddNotExisting));
  EXPECT_EQ(Languages(g), "Francais,Deutsch,English");
  EXPECT_EQ(g.Value("Button1", "Caption", "Deutsch"), "Gut");
  EXPECT_EQ(g.Value("Memo1", "Lines.Strings[1]", "Deutsch"), "zweite Zeile");
  EXPECT_EQ(g.Value("Button1", "Caption", "Francais"), "Bien");
  EXPECT_EQ(g.Get<TButton>("Button1")->GetText(), "Bien");  // the language read first is active
  EXPECT_EQ(g.Value("Button1", "Hint", "Deutsch"), "Annehmen");

  ASSERT_TRUE(Import(g, file, imClearExisting));
  EXPECT_EQ(Languages(g), "Francais,Deutsch");
  EXPECT_EQ(FindItem(g.Manager(), "TMainForm", "Caption"), nullptr);
  EXPECT_EQ(g.StringValue("Greeting", "Deutsch"), "<none>");
}

TEST_F(LanguageImportTest, InitialiseFillsTheOtherLanguagesOfNewItems) {
  const char* file = "[English]\r\nTMainForm.Caption='Window'\r\n[Deutsch]\r\nButton1.Caption='Gut'\r\n";
  ASSERT_TRUE(Import(file, imClearExisting, true));
  EXPECT_EQ(f.Value("TMainForm", "Caption", "Deutsch"), "Window");
  EXPECT_EQ(f.Value("Button1", "Caption", "English"), "OK");  // the live value
  ASSERT_TRUE(Import(file, imClearExisting, false));
  EXPECT_EQ(f.Value("TMainForm", "Caption", "Deutsch"), "");
  EXPECT_EQ(f.Value("Button1", "Caption", "English"), "");
}

TEST_F(LanguageImportTest, ManagerWithoutOwnerTakesOnlyNamedStrings) {
  TLanguageManager m(nullptr, f.Glotta(), nullptr, cmConsistent);
  const String file = scratch.Write("strings.txt", "[.English]\r\nX.#Title='Hi'\r\nButton1.Caption='OK'\r\n");
  TStringList sections, w, e;
  GetAvailLangSections(file, &sections);
  EXPECT_EQ(sections.GetText(), "=English\r\n");
  ASSERT_TRUE(ImportLanguages(&m, file, nullptr, imClearExisting, false, &sections, &w, &e));
  EXPECT_EQ(Joined(e), "[.English]=Button1.Caption=OK");
  EXPECT_EQ(ExportLanguagesToText(&m), "[.English]\r\nGlotta1.#Title='Hi'\r\n\r\n");
}

TEST_F(LanguageImportTest, FailuresRaiseAndLeaveTheDataAsTheyWere) {
  const String before = ExportLanguagesToText(f.Manager());
  TStringList sections, w, e;
  TComponent notSettings(nullptr);
  const String file = scratch.Write("x.txt", "[TMainForm.English]\r\nButton1.Caption=\r\n");
  try {
    ImportLanguages(f.Manager(), file, &notSettings, imAddAll, false, &sections, &w, &e);
    FAIL();
  } catch (const Exception& x) {
    EXPECT_EQ(x.Message(), "TLanguageManager.ImportLanguages: CESettings has not type TCESettings");
  }
  EXPECT_THROW(ImportLanguages(f.Manager(), scratch.Path("missing.txt"), nullptr, imAddAll, false, &sections, &w, &e),
               EInOutError);
  // A slot without value cannot stand in the live property: the import fails as a whole
  // after it cleared the manager, which gets its data back.
  GetAvailLangSections(file, &sections);
  w.Add("kept?");
  EXPECT_THROW(ImportLanguages(f.Manager(), file, nullptr, imClearExisting, false, &sections, &w, &e), Exception);
  EXPECT_EQ(w.Count(), 0);
  EXPECT_EQ(ExportLanguagesToText(f.Manager()), before);
  EXPECT_EQ(f.Get<TButton>("Button1")->GetText(), "OK");
  TStringList untouched;
  untouched.Add("x");
  GetAvailLangSections(scratch.Path("missing.txt"), &untouched);
  EXPECT_EQ(untouched.Count(), 1);
}

}  // namespace
}  // namespace xel::test
