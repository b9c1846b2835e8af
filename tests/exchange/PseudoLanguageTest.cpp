#include <gtest/gtest.h>

#include "ExchangeFixtures.h"
#include "LanguageCheck.h"
#include "PseudoLanguage.h"

namespace xel::test {
namespace {

TEST(PseudoLanguageTest, TextsAreAccentedBracketedAndLongerWithTheirMarksKept) {
  struct TCase {
    const char* Text;
    const char* Pseudo;
  } cases[] = {
      {"&Open %s", "[&Oþéñ %s ~~~~]"},
      {"Save && exit", "[Šåṽé && éẋîţ ~~~~~]"},
      {"%1:s of %-8.2f, 100%%", "[%1:s öƒ %-8.2f, 100%% ~~~~~~~~~]"},
      {"one\r\ntwo\n", "[öñé ~~]\r\n[ţŵö ~~]\n"},
      {"Über", "[Üƀéŕ ~~]"},
      {"", ""},
  };
  for (const TCase& c : cases) EXPECT_EQ(PseudoText(c.Text), c.Pseudo) << c.Text;
}

TEST(PseudoLanguageTest, AddsALanguageThatPassesTheChecksThatMatter) {
  TFormFixture f;
  f.Translate(f.Get<TButton>("Button1"), "Caption", {"&OK", "&Gut"});
  f.Translate(f.Get<TButton>("Button1"), "Font.Name", {"Arial", "Arial"});
  f.Translate(f.Get<TCheckBox>("CheckBox1"), "Checked", {"True", "False"}, tkEnumeration);
  f.TranslateString("Saved", {"Saved %s.", "%s gespeichert."});

  EXPECT_EQ(AddPseudoLanguage(f.Manager(), "Pseudo"), 2);
  EXPECT_EQ(f.Value("Button1", "Caption", "Pseudo"), "[&OĶ ~~]");
  EXPECT_EQ(f.Value("Button1", "Font.Name", "Pseudo"), "Arial");
  EXPECT_EQ(f.Value("CheckBox1", "Checked", "Pseudo"), "True");
  EXPECT_EQ(f.StringValue("Saved", "Pseudo"), "[Šåṽéð %s. ~~~~]");
  // Placeholders and accelerators are kept; only the brackets change the ending.
  for (const TCheckFinding& x : CheckTranslations(f.Manager(), {crMissing, crPlaceholders, crAccelerators, crValue}))
    ADD_FAILURE() << x.Key << ": " << x.Language << ": " << x.Message;

  // A second run renews the values of the same language.
  FindItem(f.Manager(), "Button1", "Caption")->SetLangValue(0, Variant("&No"));
  EXPECT_EQ(AddPseudoLanguage(f.Manager(), "pseudo"), 2);
  EXPECT_EQ(f.Manager()->Langs()->Count(), 3);
  EXPECT_EQ(f.Value("Button1", "Caption", "Pseudo"), "[&Nö ~~]");
  EXPECT_THROW(AddPseudoLanguage(f.Manager(), "English"), Exception);
  EXPECT_THROW(AddPseudoLanguage(f.Manager(), "Pseudo", "Klingonisch"), Exception);
}

}  // namespace
}  // namespace xel::test
