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
