#include <gtest/gtest.h>

#include <algorithm>
#include <unordered_set>
#include <vector>

#include "SysUtils.h"

namespace xel {
namespace {

TEST(SysUtilsTest, TrimRemovesBlanksAndControlCharacters) {
  EXPECT_EQ(Trim(" \t\r\n a b \x01"), "a b");
  EXPECT_EQ(TrimLeft("  x "), "x ");
  EXPECT_EQ(TrimRight("  x \n"), "  x");
  EXPECT_EQ(Trim("   "), "");
  EXPECT_EQ(Trim("äö "), "äö");  // bytes above 127 are text, not blanks
}

TEST(SysUtilsTest, CaseFoldingCoversAsciiLettersOnly) {
  EXPECT_EQ(UpperCase("abc-xyzäö"), "ABC-XYZäö");
  EXPECT_EQ(LowerCase("ÄBC"), "Äbc");
  EXPECT_EQ(CompareText("Apple", "APPLE"), 0);
  EXPECT_LT(CompareText("apple", "Banana"), 0);
  EXPECT_GT(CompareText("abc", "ab"), 0);
  EXPECT_LT(CompareStr("Apple", "apple"), 0);
  EXPECT_TRUE(SameText("Caption", "CAPTION"));
  EXPECT_FALSE(SameText("Straße", "STRASSE"));
}

TEST(SysUtilsTest, HashTextAgreesWithSameTextAndSpreadsNumberedNames) {
  // Every length up to three words, so that each way of reading the tail is covered.
  String lower = "abcdefghijklmnopqrstuvwx", upper = UpperCase(lower);
  for (size_t n = 0; n <= lower.size(); ++n)
    EXPECT_EQ(HashText(lower.substr(0, n)), HashText(upper.substr(0, n))) << n;
  EXPECT_NE(HashText("Item1"), HashText("Item2"));
  EXPECT_NE(HashText("Button12"), HashText("Button21"));
  // Names that differ only inside, as a form's generated names do, must not crowd into a
  // few buckets: an index of them would degrade into lists.
  constexpr size_t Names = 20000, Buckets = 1 << 15;
  std::vector<int> load(Buckets);
  std::unordered_set<size_t> distinct;
  for (size_t i = 0; i < Names; ++i) {
    size_t h = HashText("Item" + std::to_string(i));
    distinct.insert(h);
    ++load[h % Buckets];
  }
  EXPECT_EQ(distinct.size(), Names);
  EXPECT_LE(*std::max_element(load.begin(), load.end()), 8);
}

TEST(SysUtilsTest, IntegerTextConversions) {
  struct Case {
    const char* text;
    bool ok;
    Integer value;
  };
  const Case cases[] = {
      {"42", true, 42},          {"-17", true, -17},  {"+5", true, 5},          {"  8", true, 8},
      {"$FF", true, 255},        {"0x1f", true, 31},  {"$FFFFFFFF", true, -1},  {"2147483647", true, INT32_MAX},
      {"2147483648", false, 0},  {"12 ", false, 0},   {"", false, 0},           {"1e3", false, 0},
      {"-", false, 0},           {"0x", false, 0},
  };
  for (const Case& c : cases) {
    Integer v = 0;
    EXPECT_EQ(TryStrToInt(c.text, v), c.ok) << c.text;
    if (c.ok) {
      EXPECT_EQ(v, c.value) << c.text;
    }
  }
  try {
    StrToInt("abc");
    FAIL();
  } catch (const EConvertError& e) {
    EXPECT_STREQ(e.what(), "'abc' is not a valid integer value");
  }
  EXPECT_EQ(StrToIntDef("x", 7), 7);
  EXPECT_EQ(StrToInt64("-9223372036854775808"), INT64_MIN);
  EXPECT_EQ(IntToHex(255, 4), "00FF");
  EXPECT_EQ(IntToHex(-1, 2), "FFFFFFFFFFFFFFFF");
  EXPECT_EQ(IntToStr(-12), "-12");
}

TEST(SysUtilsTest, FileNameHelpers) {
  struct Case {
    const char* name;
    const char* path;
    const char* file;
    const char* ext;
  };
  const Case cases[] = {
      {"/home/u/form.dfm", "/home/u/", "form.dfm", ".dfm"},
      {"form", "", "form", ""},
      {"/a.b/c", "/a.b/", "c", ""},
      {"archive.tar.gz", "", "archive.tar.gz", ".gz"},
      {"/", "/", "", ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ExtractFilePath(c.name), c.path) << c.name;
    EXPECT_EQ(ExtractFileName(c.name), c.file) << c.name;
    EXPECT_EQ(ExtractFileExt(c.name), c.ext) << c.name;
  }
  EXPECT_EQ(ChangeFileExt("/x/unit.pas", ".lng"), "/x/unit.lng");
  EXPECT_EQ(ChangeFileExt("/x.y/unit", ".lng"), "/x.y/unit.lng");
  EXPECT_EQ(ExtractFileDir("/x/y/z.txt"), "/x/y");
  EXPECT_EQ(IncludeTrailingPathDelimiter("/tmp"), "/tmp/");
  EXPECT_EQ(ExpandFileName("/a/b/../c/./d"), "/a/c/d");
  String dir = ::testing::TempDir() + "xel_sysutils/deep/er";
  EXPECT_TRUE(ForceDirectories(dir));
  EXPECT_TRUE(DirectoryExists(dir));
  EXPECT_FALSE(FileExists(dir));
}

TEST(SysUtilsTest, StringHelpers) {
  EXPECT_EQ(QuotedStr("it's"), "'it''s'");
  EXPECT_EQ(AnsiDequotedStr("'it''s'", '\''), "it's");
  EXPECT_EQ(StringReplace("a.b.c", ".", "::", rfReplaceAll), "a::b::c");
  EXPECT_EQ(StringReplace("aXbx", "x", "-", rfIgnoreCase), "a-bx");
  EXPECT_EQ(Pos("lo", "hello"), 4);
  EXPECT_EQ(Pos("z", "hello"), 0);
  EXPECT_EQ(Copy("hello", 2, 3), "ell");
  EXPECT_EQ(Copy("hello", 9, 3), "");
  EXPECT_TRUE(IsValidIdent("_a1"));
  EXPECT_FALSE(IsValidIdent("a-b"));
}

}  // namespace
}  // namespace xel
