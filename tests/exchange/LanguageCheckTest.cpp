#include <gtest/gtest.h>

#include "ExchangeFixtures.h"
#include "LanguageCheck.h"

namespace xel::test {
namespace {

TEST(LanguageCheckTest, FindsGapsValuesWithoutSlotAndValuesThePropertyRefuses) {
  TFormFixture f({"English", "Deutsch", "Francais"});
  f.Translate(f.Get<TButton>("Button1"), "Caption", {"OK", "", "D'accord"});
  f.Translate(f.Get<TButton>("Button1"), "Hint", {"", "", ""});  // empty everywhere: nothing missing
  f.Translate(f.Get<TCheckBox>("CheckBox1"), "Checked", {"True", "Ja", "False"}, tkEnumeration);
  TConsistentLangPropertyEntry* s = f.TranslateString("Greeting", {"Hello", "Hallo", "Bonjour"});
  s->SetLangValue(2, Variant::Null());

  std::vector<String> lines;
  for (const TLanguageIssue& i : CheckLanguages(f.Manager())) lines.push_back(i.Key + ": " + i.Language + ": " + i.Message);
  EXPECT_EQ(lines, (std::vector<String>{"Button1.Caption: Deutsch: missing translation",
                                        "CheckBox1.Checked: Deutsch: value 'Ja' does not convert to Boolean",
                                        "Glotta1.#Greeting: Francais: no value"}));
  // Checking restored the live value.
  EXPECT_TRUE(f.Get<TCheckBox>("CheckBox1")->GetChecked());

  std::vector<String> percent;
  for (const TLanguageCompleteness& c : LanguageCompleteness(f.Manager()))
    percent.push_back(c.Language + " " + IntToStr(c.Percent()));
  EXPECT_EQ(percent, (std::vector<String>{"English 100", "Deutsch 50", "Francais 75"}));
}

}  // namespace
}  // namespace xel::test

namespace xel::test {
namespace {

// One broken (or sound) German translation per case, each on a fresh window; the
// findings of the German column as "rule: message".
TEST(LanguageCheckTest, EachRuleFindsItsFaultInTheTranslationAndNothingElse) {
  struct TCase {
    const char* Component;  // "" for a named string
    const char* Path;
    const char* English;
    const char* Deutsch;
    const char* Findings;
    TTypeKind Kind = tkLString;
  } cases[] = {
      {"Button1", "Hint", "Accept", "", "missing: missing translation"},
      {"", "Saved", "Saved %s in %d s", "In %d s gespeichert",
       "placeholders: placeholders %d differ from the design language's %s %d"},
      {"", "Of", "%s of %s", "%1:s von %0:s", ""},  // reordered by index: the same arguments
      {"", "Percent", "100%% done", "100 %% fertig", ""},
      {"Button1", "Caption", "&Save", "Speichern", "accelerators: accelerator (&) missing"},
      {"CheckBox1", "Caption", "&Check", "&Prü&fen", "accelerators: 2 accelerators (&) where one is drawn"},
      {"CheckBox1", "Caption", "Save && go", "Los && weg", ""},
      {"", "Tom", "Tom & Jerry", "Tom und Jerry", ""},  // a named string has no accelerator
      {"Memo1", "Lines.Strings[1]", " line", "Zeile", "blanks: leading or trailing blanks differ from the design language's"},
      {"MainForm", "Caption", "Open...", "Öffnen",
       "punctuation: ends with \"\" where the design language ends with \"...\""},
      {"MainForm", "Caption", "Open\xE2\x80\xA6", "Öffnen...", ""},
      {"CheckBox1", "Checked", "True", "Ja", "value: value 'Ja' does not convert to Boolean", tkEnumeration},
      {"Button1", "Caption", "OK", "Übernehmen und schließen", "fit: text is 144 pixels wide, the control has room for 67"},
      {"Button1", "Caption", "&Go...", "&Los\xE2\x80\xA6", ""},
  };
  for (const TCase& c : cases) {
    TFormFixture f;
    if (*c.Component)
      f.Translate(f.Form()->FindComponent(c.Component) ? f.Form()->FindComponent(c.Component) : f.Form(), c.Path,
                  {c.English, c.Deutsch}, c.Kind);
    else
      f.TranslateString(c.Path, {c.English, c.Deutsch});
    String findings;
    for (const TCheckFinding& x : CheckTranslations(f.Manager()))
      findings += (findings.empty() ? "" : "|") + (x.Language == "Deutsch" ? String() : x.Language + " ") +
                  CheckRuleName(x.Rule) + ": " + x.Message;
    EXPECT_EQ(findings, c.Findings) << c.Path << " " << c.Deutsch;
    // Switched off, a rule finds nothing.
    TCheckRules others = AllCheckRules;
    for (const TCheckFinding& x : CheckTranslations(f.Manager())) others.Exclude(x.Rule);
    EXPECT_TRUE(CheckTranslations(f.Manager(), others).empty()) << c.Path;
  }
}

TEST(LanguageCheckTest, TheDesignLanguageIsChosenAndNotHeldAgainstItself) {
  TFormFixture f;
  f.TranslateString("Saved", {"Saved %s", "Gespeichert"});
  std::vector<String> seen;
  for (const TCheckFinding& x : CheckTranslations(f.Manager(), AllCheckRules, "Deutsch"))
    seen.push_back(x.Language + ": " + CheckRuleName(x.Rule));
  EXPECT_EQ(seen, std::vector<String>{"English: placeholders"});
  EXPECT_THROW(CheckTranslations(f.Manager(), AllCheckRules, "Klingonisch"), Exception);
  TCheckRule rule;
  EXPECT_TRUE(CheckRuleOfName("Punctuation", rule));
  EXPECT_EQ(rule, crPunctuation);
  EXPECT_FALSE(CheckRuleOfName("spelling", rule));
}

}  // namespace
}  // namespace xel::test
