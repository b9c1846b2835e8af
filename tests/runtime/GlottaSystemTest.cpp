// The language table and its lookups.
#include <gtest/gtest.h>

#include "../host/core/RegistryCheck.h"

#include <cstdlib>

#include "Expand.h"
#include "GlottaSystem.h"

namespace xel {
namespace {

TEST(LanguageTableTest, CompareLanguages) {
  const struct {
    const char* A;
    const char* B;
    bool Same;
  } cases[] = {{"Deutsch", "  german ", true}, {"German", "Deutsch", true}, {"english", "English ", true},
               {"GERMAN", "german", true},     {"Deutsch", "", false},       {"", "", false},
               {"English", "Dansk", false},    {"German", "Francais", false}, {"German", "French", false},
               {"Klingon", "klingon", true},   {"Klingon", "Deutsch", false}};
  for (const auto& c : cases) {
    EXPECT_EQ(CompareLanguages(c.A, c.B), c.Same) << c.A << " / " << c.B;
    EXPECT_EQ(CompareLanguages(c.B, c.A), c.Same) << c.B << " / " << c.A;
    // The matcher of a language switch answers the same.
    EXPECT_EQ(TLanguageMatch(c.B).Matches(c.A), c.Same) << c.A << " / " << c.B;
    EXPECT_EQ(TLanguageMatch(c.A).Matches(c.B), c.Same) << c.B << " / " << c.A;
  }
}

TEST(LanguageTableTest, TranslateAndRecognise) {
  String name = "Español";
  EXPECT_TRUE(TranslateLanguage(lnOriginal, name));
  EXPECT_EQ(name, "Spanish");
  name = "greek";
  EXPECT_TRUE(TranslateLanguage(lnEnglish, name));  // a row without native name
  EXPECT_EQ(name, "");
  name = "Deutsch";
  EXPECT_FALSE(TranslateLanguage(lnEnglish, name));  // a native name, asked as English
  EXPECT_EQ(name, "Deutsch");

  name = "  french";
  EXPECT_TRUE(IsDefaultLanguage({lnEnglish}, name));
  EXPECT_EQ(name, "French");
  name = " suomi ";
  EXPECT_FALSE(IsDefaultLanguage({lnEnglish}, name));
  EXPECT_EQ(name, "suomi");  // trimmed all the same
  EXPECT_TRUE(IsDefaultLanguage({lnEnglish, lnOriginal}, name));
  EXPECT_EQ(name, "Suomi");
}

TEST(LanguageTableTest, KnownNamesAndTheUsersLanguage) {
  TStringList list;
  GetDefaultLanguages(lnEnglish, &list);
  EXPECT_EQ(list.Count(), 42);
  GetDefaultLanguages(lnOriginal, &list);
  ASSERT_EQ(list.Count(), 21);
  EXPECT_EQ(list.Strings(0), "Afrikaans");
  EXPECT_EQ(list.Strings(20), "Türkçe");
  EXPECT_THROW(GetDefaultLanguages(static_cast<TLanguageNameType>(7), &list), ECaseError);

  const struct {
    const char* Locale;
    bool Found;
    const char* English;
    const char* Native;
  } cases[] = {{"de_DE.UTF-8", true, "German", "Deutsch"},
               {"de_AT", true, "German", "Deutsch"},
               {"vi_VN", true, "Vietnamese", ""},
               {"pt_BR.UTF-8", true, "Portuguese", "Português"},
               {"ka_GE", false, "", ""}};
  for (const auto& c : cases) {
    setenv("LC_ALL", c.Locale, 1);
    String english = "x", native = "y";
    EXPECT_EQ(GetDefaultLanguage(english, native), c.Found) << c.Locale;
    EXPECT_EQ(english, c.English);
    EXPECT_EQ(native, c.Native);
  }
  unsetenv("LC_ALL");
}


TEST(RegistryWideTest, EveryRegisteredClassHasSoundProperties) { EXPECT_GT(test::CheckRegisteredClasses(), 100); }

}  // namespace
}  // namespace xel
