#include <gtest/gtest.h>

#include "ExchangeFixtures.h"
#include "LanguageExport.h"
#include "PoFile.h"
#include "TranslationCatalog.h"
#include "XliffFile.h"

namespace xel::test {
namespace {

// The window in English, Deutsch and Francais with what makes formats hard: a quote and a
// backslash, line breaks, a placeholder, blanks at the ends, equal source texts of two
// items, non-ASCII letters, an item without translation.
void Translate(TFormFixture& f) {
  auto* button = f.Get<TButton>("Button1");
  f.Translate(button, "Caption", {"&OK", "&Gut", "&D'accord"});
  f.Translate(button, "Hint", {"Say \"yes\" \\ no", "Sag \"ja\" \\ nein", "Dis \"oui\""});
  f.Translate(f.Get<TMemo>("Memo1"), "Lines.Strings[1]", {" second line ", " zweite Zeile ", " deuxième ligne "});
  f.Translate(f.Get<TCheckBox>("CheckBox1"), "Caption", {"OK", "Gut", "Bien"});
  f.Translate(f.Form(), "Caption", {"Main window", "Hauptfenster", "Fenêtre"});
  f.TranslateString("Saved", {"Saved %s.\r\nDone", "%s gespeichert.\r\nFertig", ""});
  f.TranslateString("Tab", {"a\tb", "a\tb", "a\tb"});
}

String Write(const TTranslationCatalog& c, const String& format) {
  if (format == "po") return WritePoFile(c);
  return WriteXliffFile(c, format == "xliff2" ? xv20 : xv12);
}

std::vector<TTranslationCatalog> Read(const String& text, const String& format, TStrings* warnings) {
  if (format == "po") return {ReadPoFile(text, "file.po", warnings)};
  return ReadXliffFile(text, "file.xlf", warnings);
}

String Joined(const TStrings& l) {
  String s;
  for (int i = 0; i < l.Count(); ++i) s += (i ? "|" : "") + l[i];
  return s;
}

TEST(TranslationFormatsTest, EachFormatRoundTripsEveryLanguageWithoutLoss) {
  for (const String format : {"po", "xliff", "xliff2"}) {
    TFormFixture f({"English", "Deutsch", "Francais"});
    Translate(f);
    const String before = ExportLanguagesToText(f.Manager());
    std::vector<TTranslationCatalog> catalogs;
    for (const char* language : {"Deutsch", "Francais"}) {
      const String text = Write(CatalogFromManager(f.Manager(), "English", language), format);
      EXPECT_EQ(Write(CatalogFromManager(f.Manager(), "English", language), format), text) << format << ": stable";
      TStringList warnings;
      for (TTranslationCatalog& c : Read(text, format, &warnings)) {
        ResolveCatalogLanguages(f.Manager(), c, "file");
        EXPECT_EQ(c.TargetLanguage, language) << format;
        catalogs.push_back(std::move(c));
      }
      EXPECT_EQ(Joined(warnings), "") << format;
    }
    TStringList warnings, errors;
    ASSERT_TRUE(ImportCatalogs(f.Manager(), catalogs, nullptr, imClearExisting, false, &warnings, &errors));
    EXPECT_EQ(Joined(warnings), "") << format;
    EXPECT_EQ(Joined(errors), "") << format;
    const String after = ExportLanguagesToText(f.Manager());
    EXPECT_EQ(after, before) << format;
  }
}

TEST(TranslationFormatsTest, PoFileHasContextsCommentsAndAStableHeader) {
  TFormFixture f({"English", "Deutsch", "Francais"});
  Translate(f);
  const String po = WritePoFile(CatalogFromManager(f.Manager(), "English", "Deutsch"));
  EXPECT_EQ(po.substr(0, po.find("\n\n")),
            "# Translation of TMainForm into Deutsch.\n"
            "msgid \"\"\n"
            "msgstr \"\"\n"
            "\"Project-Id-Version: TMainForm\\n\"\n"
            "\"Language: de\\n\"\n"
            "\"MIME-Version: 1.0\\n\"\n"
            "\"Content-Type: text/plain; charset=UTF-8\\n\"\n"
            "\"Content-Transfer-Encoding: 8bit\\n\"\n"
            "\"X-Glotta-Source-Language: English\\n\"\n"
            "\"X-Glotta-Language: Deutsch\\n\"");
  EXPECT_NE(po.find("#. TCheckBox, String\nmsgctxt \"CheckBox1.Caption\"\nmsgid \"OK\"\nmsgstr \"Gut\"\n"), String::npos)
      << po;
  EXPECT_NE(po.find("msgctxt \"Button1.Hint\"\nmsgid \"Say \\\"yes\\\" \\\\ no\"\n"), String::npos) << po;
  EXPECT_NE(po.find("#. named string\nmsgctxt \"Glotta1.#Saved\"\nmsgid \"\"\n\"Saved %s.\\r\\n\"\n\"Done\"\n"),
            String::npos)
      << po;
}

TEST(TranslationFormatsTest, ChangedSourceTextsMarkTheirTranslationsFuzzyUntilTheyAreTranslatedAgain) {
  TFormFixture f({"English", "Deutsch", "Francais"});
  Translate(f);
  const TTranslationCatalog first = ReadPoFile(WritePoFile(CatalogFromManager(f.Manager(), "English", "Deutsch")), "a", nullptr);
  FindItem(f.Manager(), "Button1", "Hint")->SetLangValue(0, Variant("Say yes"));

  for (const String format : {"po", "xliff", "xliff2"}) {
    TTranslationCatalog second = CatalogFromManager(f.Manager(), "English", "Deutsch");
    MergePreviousCatalog(second, first);
    const String text = Write(second, format);
    TTranslationCatalog read = Read(text, format, nullptr).front();
    // A third export over the second keeps the flag while nothing changes.
    TTranslationCatalog third = CatalogFromManager(f.Manager(), "English", "Deutsch");
    MergePreviousCatalog(third, read);
    for (const TTranslationCatalog* c : {&read, &third}) {
      for (const TTranslationUnit& u : c->Units)
        EXPECT_EQ(u.State, u.Key == "Button1.Hint" ? tsFuzzy : u.HasTarget ? tsTranslated : tsUntranslated)
            << format << " " << u.Key;
    }
    if (format == "po") {
      EXPECT_NE(text.find("#, fuzzy\n#| msgid \"Say \\\"yes\\\" \\\\ no\"\nmsgctxt \"Button1.Hint\""), String::npos) << text;
    }
  }
  // A translation made anew for the changed text is no longer fuzzy.
  TTranslationCatalog fuzzy = CatalogFromManager(f.Manager(), "English", "Deutsch");
  MergePreviousCatalog(fuzzy, first);
  FindItem(f.Manager(), "Button1", "Hint")->SetLangValue(1, Variant("Sag ja"));
  TTranslationCatalog fixed = CatalogFromManager(f.Manager(), "English", "Deutsch");
  MergePreviousCatalog(fixed, fuzzy);
  for (const TTranslationUnit& u : fixed.Units) {
    if (u.Key == "Button1.Hint") {
      EXPECT_EQ(u.State, tsTranslated);
    }
  }
}

// Files as other tools write them, following the formats' documentation.
TEST(TranslationFormatsTest, FilesOfOtherToolsImportWithWarningsForWhatDoesNotApply) {
  struct TCase {
    const char* Format;
    const char* Text;
    const char* Units;     // key=target|... of what is read, "*" after a fuzzy one
    const char* Warnings;  // the warning rows without their file name
  } cases[] = {
      {"po",
       "# translator's comment\n"
       "msgid \"\"\n"
       "msgstr \"Language: de_DE\\n\"\n"
       "\"Plural-Forms: nplurals=2; plural=(n != 1);\\n\"\n"
       "\n"
       "#: MainForm.pas:12\n"
       "#, c-format, fuzzy\n"
       "msgctxt \"Glotta1.#Saved\"\n"
       "msgid \"Saved %s\"\n"
       "msgstr \"\"\n"
       "\"%s \"\n"
       "\"gespeichert\\n\\tfertig \\101\\x42\"\n"
       "\n"
       "msgctxt \"Glotta1.#Files\"\n"
       "msgid \"one file\"\n"
       "msgid_plural \"%d files\"\n"
       "msgstr[0] \"eine Datei\"\n"
       "msgstr[1] \"%d Dateien\"\n"
       "\n"
       "msgid \"No context\"\n"
       "msgstr \"Kein Kontext\"\n"
       "\n"
       "msgctxt \"Button1.Caption\"\n"
       "msgid \"OK\"\n"
       "msgstr \"\"\n"
       "\n"
       "#~ msgctxt \"Button2.Caption\"\n"
       "#~ msgid \"Old\"\n"
       "#~ msgstr \"Alt\"\n",
       "Glotta1.#Saved=%s gespeichert\n\tfertig AB*|Button1.Caption=",
       "file.po:8: warning: Glotta1.#Saved: translation marked fuzzy (needs review), imported|"
       "file.po:14: warning: plural forms do not apply to the language data: entry left out|"
       "file.po:20: warning: entry without msgctxt names no item: \"No context\" left out|"
       "file.po:27: warning: obsolete entry left out"},
      {"xliff",
       "<?xml version=\"1.0\"?>\n"
       "<xliff version=\"1.2\" xmlns=\"urn:oasis:names:tc:xliff:document:1.2\">\n"
       " <file original=\"MainForm\" source-language=\"en-US\" target-language=\"de-DE\" datatype=\"plaintext\">\n"
       "  <header><tool tool-id=\"t\" tool-name=\"Tool\"/></header>\n"
       "  <body>\n"
       "   <group id=\"g\">\n"
       "    <trans-unit id=\"1\" resname=\"Button1.Caption\"><source>OK</source>"
       "<target state=\"signed-off\">Gut</target></trans-unit>\n"
       "    <trans-unit id=\"Button1.Hint\"><source>Say <g id=\"1\">yes</g><x id=\"2\"/></source>"
       "<target state=\"needs-review-translation\">Sag <g id=\"1\">ja</g><x id=\"2\"/></target></trans-unit>\n"
       "   </group>\n"
       "   <trans-unit id=\"TMainForm.Caption\" translate=\"no\"><source>Main</source></trans-unit>\n"
       "   <trans-unit id=\"Memo1.Lines%1\"><source>line</source><target state=\"new\"></target></trans-unit>\n"
       "   <bin-unit id=\"b\" mime-type=\"image/png\"><bin-source/></bin-unit>\n"
       "  </body>\n"
       " </file>\n"
       "</xliff>\n",
       "Button1.Caption=Gut|Button1.Hint=Sag ja*|Memo1.Lines%1=",
       "file.xlf:8: warning: Button1.Hint: inline code <x> has no text here: left out|"
       "file.xlf:8: warning: Button1.Hint: inline code <x> has no text here: left out|"
       "file.xlf:8: warning: Button1.Hint: translation needs review, imported|"
       "file.xlf:12: warning: binary unit left out"},
      {"xliff2",
       "<xliff xmlns=\"urn:oasis:names:tc:xliff:document:2.0\" version=\"2.0\" srcLang=\"en\" trgLang=\"fr\">\n"
       " <file id=\"f\">\n"
       "  <unit id=\"u1\" name=\"Glotta1.#Saved\">\n"
       "   <segment state=\"reviewed\"><source>Saved. </source><target>Enregistré. </target></segment>\n"
       "   <ignorable><source> </source><target> </target></ignorable>\n"
       "   <segment><source>Done<cp hex=\"0007\"/></source><target>Fini<cp hex=\"0007\"/></target></segment>\n"
       "  </unit>\n"
       "  <group id=\"g\"><unit id=\"Button1.Caption\"><segment state=\"initial\"><source>OK</source>"
       "<target>Bon</target></segment></unit></group>\n"
       "  <unit id=\"u3\" name=\"Button1.Hint\"><segment><source>a</source><target>b</target></segment>"
       "<segment><source>c</source></segment></unit>\n"
       " </file>\n"
       "</xliff>\n",
       "Glotta1.#Saved=Enregistré.  Fini\a|Button1.Caption=Bon*",
       "file.xlf:8: warning: Button1.Caption: translation needs review, imported|"
       "file.xlf:9: warning: Button1.Hint: some segments are not translated: left out"},
  };
  for (const TCase& c : cases) {
    TStringList warnings;
    std::vector<TTranslationCatalog> read = Read(c.Text, c.Format, &warnings);
    ASSERT_EQ(read.size(), 1u) << c.Format;
    String units;
    for (const TTranslationUnit& u : read[0].Units)
      units += (units.empty() ? "" : "|") + u.Key + "=" + u.Target + (u.State == tsFuzzy ? "*" : "");
    EXPECT_EQ(units, c.Units) << c.Format;
    EXPECT_EQ(Joined(warnings), c.Warnings) << c.Format;

    // The languages come from the codes; the read units go onto the window's items.
    TFormFixture f({"English", "Deutsch", "Francais"});
    Translate(f);
    ResolveCatalogLanguages(f.Manager(), read[0], "file");
    EXPECT_EQ(read[0].TargetLanguage, String(c.Format) == "xliff2" ? "Francais" : "Deutsch") << c.Format;
    TStringList importWarnings, errors;
    ASSERT_TRUE(ImportCatalogs(f.Manager(), read, nullptr, imAddAll, false, &importWarnings, &errors));
    EXPECT_EQ(Joined(errors), "") << c.Format;
  }
}

TEST(TranslationFormatsTest, BrokenFilesNameTheirPlace) {
  struct TCase {
    const char* Format;
    const char* Text;
    const char* Error;
  } cases[] = {
      {"po", "msgctxt \"a\"\nmsgid \"b\nmsgstr \"\"\n", "file.po:2:7: the string does not end on its line"},
      {"po", "msgctxt \"a\"\nmsgid \"b\"\nmsgstr \"\\q\"\n", "file.po:3:9: unknown escape \\q"},
      {"po", "msgctxt \"a\"\nmsgid \"b\"\n\nmsgctxt \"c\"\n", "file.po:1:1: entry without msgstr"},
      {"po", "msgstr \"x\"\n", "file.po:1:1: msgstr without msgid"},
      {"po", "msgid \"\"\nmsgstr \"Content-Type: text/plain; charset=ISO-8859-1\\n\"\n",
       "file.po:1:1: charset ISO-8859-1: only UTF-8 files are read (convert the file with iconv)"},
      {"po", "msgctxt \"a\"\nmsgid \"b\"\nmsgstr \"c\"\n\nmsgctxt \"a\"\nmsgid \"d\"\nmsgstr \"e\"\n",
       "file.po:5:1: msgctxt \"a\" occurs twice"},
      {"po", "msgid \"a\" x\n", "file.po:1:11: text after the string"},
      {"po", "\"lost\"\n", "file.po:1:1: a continued string without keyword"},
      {"xliff", "<xliff version=\"1.2\"><file><body><trans-unit id=\"a\"></body></file></xliff>",
       "file.xlf:1:"},
      {"xliff", "<?xml version=\"1.0\"?>\n<!DOCTYPE x [<!ENTITY a \"aaaa\">]>\n<xliff version=\"1.2\"/>",
       "file.xlf:1:1: a document type declaration is not read (entities could expand without bound)"},
      {"xliff", "<xlf version=\"1.2\"/>", "file.xlf:1:1: the root element is not <xliff>"},
      {"xliff", "<xliff version=\"3.0\"/>", "file.xlf:1:1: XLIFF version \"3.0\" is not read"},
      {"xliff", "<xliff version=\"1.2\"><file><body><trans-unit id=\"a\"/></body></file></xliff>",
       "file.xlf:1:1: trans-unit a without source"},
  };
  for (const TCase& c : cases) {
    try {
      Read(c.Text, c.Format, nullptr);
      ADD_FAILURE() << "read: " << c.Text;
    } catch (const EReadError& e) {
      EXPECT_EQ(e.Message().substr(0, std::strlen(c.Error)), c.Error) << c.Text;
    }
  }
}

TEST(TranslationFormatsTest, XliffRefusesTextsThatXmlCannotCarry) {
  TTranslationCatalog c;
  c.Units.push_back({});
  c.Units[0].Key = "Button1.Caption";
  c.Units[0].Source = "bell\a";
  EXPECT_THROW(WriteXliffFile(c, xv12), Exception);
  c.Units[0].Source = "\xFF\xFE";
  EXPECT_THROW(WriteXliffFile(c, xv20), Exception);
  // Notes and the file's own attributes are texts as well; a bell there made a file nobody could read.
  c.Units[0].Source = "ok";
  c.Units[0].Note = "see\a";
  EXPECT_THROW(WriteXliffFile(c, xv12), Exception);
  c.Units[0].Note.clear();
  c.TargetLanguage = "Fran\aais";
  EXPECT_THROW(WriteXliffFile(c, xv20), Exception);
  c.TargetLanguage.clear();
  // Carriage returns survive the XML reader, which would turn a plain one into a line feed.
  c.Units[0].Source = "a\r\nb";
  const std::vector<TTranslationCatalog> read = ReadXliffFile(WriteXliffFile(c, xv12), "f", nullptr);
  EXPECT_EQ(read[0].Units[0].Source, "a\r\nb");
}

}  // namespace
}  // namespace xel::test
