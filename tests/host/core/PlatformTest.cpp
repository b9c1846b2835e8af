#include <gtest/gtest.h>

#include <cstdlib>

#include "Platform.h"

namespace xel {
namespace {

TEST(PlatformTest, LocalesGiveWindowsLanguageIdentifiers) {
  struct Case {
    const char* locale;
    LANGID id;
  };
  const Case cases[] = {
      {"de_DE.UTF-8", 0x0407}, {"de_AT", 0x0C07}, {"en_US.UTF-8", 0x0409}, {"en_GB", 0x0809},
      {"fr_FR@euro", 0x040C},  {"fr_CA", 0x0C0C}, {"vi_VN", 0x042A},       {"ja", 0x0411},
      {"C", 0x0409},           {"POSIX", 0x0409}, {"xx_YY", 0x0400},
  };
  for (const Case& c : cases) EXPECT_EQ(LocaleToLangID(c.locale), c.id) << c.locale;
  EXPECT_EQ(PrimaryLangID(0x0407), 0x07);
  // LC_ALL wins over LC_MESSAGES, which wins over LANG.
  setenv("LANG", "fr_FR.UTF-8", 1);
  setenv("LC_MESSAGES", "de_DE.UTF-8", 1);
  setenv("LC_ALL", "vi_VN", 1);
  EXPECT_EQ(GetUserDefaultLangID(), 0x042A);
  unsetenv("LC_ALL");
  EXPECT_EQ(GetUserDefaultLangID(), 0x0407);
  unsetenv("LC_MESSAGES");
  EXPECT_EQ(GetUserDefaultLangID(), 0x040C);
  unsetenv("LANG");
}

TEST(PlatformTest, GuidsInTheirRegistryForm) {
  TGUID a = CreateGUID(), b = CreateGUID();
  EXPECT_FALSE(a == b);
  String s = GUIDToString(a);
  ASSERT_EQ(s.size(), 38u);
  EXPECT_EQ(s[0], '{');
  EXPECT_EQ(s[15], '4');  // version 4
  EXPECT_EQ(StringToGUID(s), a);
  EXPECT_EQ(UpperCase(s), s);
  EXPECT_THROW(StringToGUID("{not-a-guid}"), EConvertError);
  TGUID fixed = StringToGUID("{01234567-89AB-CDEF-0123-456789ABCDEF}");
  EXPECT_EQ(fixed.Bytes[0], 0x67);  // Data1 is little-endian
  EXPECT_EQ(GUIDToString(fixed), "{01234567-89AB-CDEF-0123-456789ABCDEF}");
}

TEST(PlatformTest, FilesNamesAndSpace) {
  String a = GetTempFileName("", "xel_"), b = GetTempFileName("", "xel_");
  EXPECT_NE(a, b);
  EXPECT_TRUE(FileExists(a));
  EXPECT_EQ(ExtractFileName(a).substr(0, 4), "xel_");
  EXPECT_TRUE(FileSetReadOnly(a, true));
  EXPECT_TRUE(FileIsReadOnly(a));
  EXPECT_TRUE(FileSetReadOnly(a, false));
  EXPECT_FALSE(FileIsReadOnly(a));
  EXPECT_GT(DiskFree(GetTempDir()), 0);
  EXPECT_FALSE(GetUserName().empty());
  EXPECT_FALSE(GetComputerName().empty());
  EXPECT_FALSE(GetModuleFileName().empty());
  DeleteFile(a);
  DeleteFile(b);
  setenv("TMPDIR", "/var/tmp", 1);
  EXPECT_EQ(GetTempDir(), "/var/tmp/");
  unsetenv("TMPDIR");
  EXPECT_EQ(GetTempDir(), "/tmp/");
}

}  // namespace
}  // namespace xel
