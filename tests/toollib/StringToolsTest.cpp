#include <gtest/gtest.h>

#include <cstring>
#include <utility>
#include <vector>

#include "StringTools.h"

namespace xel {
namespace {

TEST(StringToolsTest, PosExCountsForwardWithoutAndBackwardWithOverlaps) {
  struct TCase {
    const char* Sub;
    const char* S;
    int Count;
    bool Forward;
    int Expected;
  } cases[] = {
      {"\\", "a\\b\\c\\d", 1, true, 2},  {"\\", "a\\b\\c\\d", 1, false, 6}, {"\\", "a\\b\\c\\d", 2, true, 4},
      {"\\", "a\\b\\c\\d", 2, false, 4}, {"\\", "a\\b\\c\\d", 3, false, 2}, {"\\", "a\\b\\c\\d", 4, true, 0},
      {"aa", "aaaa", 2, true, 3},        {"aa", "aaaa", 3, true, 0},        {"aa", "aaaa", 2, false, 2},
      {"aa", "aaaa", 3, false, 1},       {"ab", "ab", 1, false, 1},         {"abc", "ab", 1, true, 0},
      {"", "abc", 1, true, 0},           {"", "abc", 1, false, 0},
  };
  for (const TCase& c : cases)
    EXPECT_EQ(PosEx(c.Sub, c.S, c.Count, c.Forward), c.Expected)
        << c.Sub << " in " << c.S << " #" << c.Count << (c.Forward ? " forward" : " backward");
  for (int bad : {0, -1}) {
    try {
      PosEx("a", "a", bad, true);
      ADD_FAILURE() << bad;
    } catch (const Exception& e) {
      EXPECT_EQ(e.Message(), "PosEx failed. Nr must be larger than zero");
    }
  }
}

TEST(StringToolsTest, FillingReplacingAndRepeating) {
  EXPECT_EQ(FillStr("ab", 4), "ab  ");
  EXPECT_EQ(FillStr("abcde", 3), "abcde");
  EXPECT_EQ(FillStrEx("7", '0', 3, true), "007");
  EXPECT_EQ(FillStrEx("7", '0', 3, false), "700");
  EXPECT_EQ(FillStrEx("", '*', -2, true), "");

  struct TCase {
    const char* S;
    const char* Old;
    const char* New;
    const char* First;
    const char* All;
  } cases[] = {
      {"aaa", "a", "aa", "aaaa", "aaaaaa"},  // the inserted text is not searched again
      {"a-b-c", "-", "+", "a+b-c", "a+b+c"},
      {"abab", "ab", "", "ab", ""},
      {"xax", "a", "ba", "xbax", "xbax"},
      {"abc", "", "x", "abc", "abc"},  // nothing to search for
      {"abc", "z", "x", "abc", "abc"},
  };
  for (const TCase& c : cases) {
    EXPECT_EQ(ReplaceStr(c.S, c.Old, c.New), c.First) << c.S << " " << c.Old;
    EXPECT_EQ(ReplaceAll(c.S, c.Old, c.New), c.All) << c.S << " " << c.Old;
  }

  EXPECT_EQ(RemoveChars("a,b,,c,", ','), "abc");
  EXPECT_EQ(StringOfString("ab", 3), "ababab");
  EXPECT_EQ(StringOfString("ab", 0), "");
  EXPECT_EQ(StringOfString("ab", -1), "");
}

TEST(StringToolsTest, TrimInsertReplacesTheWhitespaceAroundTheIndex) {
  struct TCase {
    const char* S;
    int Index;
    const char* Expected;
  } cases[] = {
      {"a   b", 3, "aXb"},
      {"a   b", 2, "aXb"},
      {"a   b", 5, "aXb"},   // from the last blank back to the first
      {"ab", 2, "aXb"},
      {"a\t\r\n b", 3, "aXb"},  // control characters count as whitespace
      {"a  ", 2, "aX"},        // at the very end only the whitespace behind goes
      {"a b ", 4, "a bX"},
      {"ab  ", 5, "ab  X"},    // behind the end: nothing to remove behind, nothing before
      {" b", 1, "Xb"},
      {"a b", 0, "Xa b"},      // indexes outside the string move to its nearest end
      {"a b", 99, "a bX"},
      {"", 1, "X"},
  };
  for (const TCase& c : cases) {
    String s = c.S;
    TrimInsert("X", s, c.Index);
    EXPECT_EQ(s, c.Expected) << '"' << c.S << "\" at " << c.Index;
  }
}

TEST(StringToolsTest, NameValueAndNameIndexValueSplitAtTheFirstEqualsSign) {
  struct TCase {
    const char* S;
    const char* Name;
    const char* Index;
    const char* Value;
  } cases[] = {
      {"Key=Val=ue", "Key", "", "Val=ue"},
      {"NoEquals", "", "", "NoEquals"},
      {" a = b ", " a ", "", " b "},  // no trimming
      {"=x", "", "", "x"},
      {"Item[3]=x", "Item", "3", "x"},
      {"Lines.Strings[2]=a=b", "Lines.Strings", "2", "a=b"},
      {"A]b[=z", "A]b[", "", "z"},  // "]" before "[" is no index
      {"A[]=", "A", "", ""},
      {"A[1]", "", "", "A[1]"},  // the index is looked for in the name only
  };
  for (const TCase& c : cases) {
    String name = "old", index = "old", value = "old";
    ExtractNameIndexValue(c.S, name, index, value);
    EXPECT_EQ(name, c.Name) << c.S;
    EXPECT_EQ(index, c.Index) << c.S;
    EXPECT_EQ(value, c.Value) << c.S;
  }
  String name, value;
  ExtractNameValue("Item[3]=Val=ue", name, value);
  EXPECT_EQ(name, "Item[3]");
  EXPECT_EQ(value, "Val=ue");
  ExtractNameValue("NoEquals", name, value);
  EXPECT_EQ(name, "");
  EXPECT_EQ(value, "NoEquals");
}

TEST(StringToolsTest, PrefixAndSuffixComeOffTheTrimmedStringOnly) {
  struct TCase {
    const char* S;
    bool Removed;
    const char* Result;
  } cases[] = {
      {" 'abc' ", true, "abc"}, {"'", false, "'"}, {"''", true, ""}, {" 'abc ", false, " 'abc "},
      {"abc'", false, "abc'"},   {"", false, ""},   {"' '", true, " "},
  };
  for (const TCase& c : cases) {
    String result = "old";
    EXPECT_EQ(RemovePrefixAndSuffix(c.S, '\'', '\'', result), c.Removed) << c.S;
    EXPECT_EQ(result, c.Result) << c.S;  // when nothing is removed: s as it was, not even trimmed
    EXPECT_EQ(RemoveApostrophes(c.S), result) << c.S;
  }
  String r;
  EXPECT_TRUE(RemovePrefixAndSuffix(" (x) ", '(', ')', r));
  EXPECT_EQ(r, "x");
  EXPECT_FALSE(RemovePrefixAndSuffix(")x(", '(', ')', r));
}

TEST(StringToolsTest, FindWordWalksTheWordsAndEndsBehindTheString) {
  String s = "  alpha\tbeta\r\n\xE4g  ";  // bytes above 127 belong to words
  std::vector<std::pair<String, int>> found;
  int pos = 0;  // below 1 starts at the beginning
  String word;
  while (FindWord(s, pos, word)) found.push_back({word, pos});
  EXPECT_EQ(found, (std::vector<std::pair<String, int>>{{"alpha", 8}, {"beta", 13}, {"\xE4g", 17}}));
  EXPECT_EQ(word, "");
  EXPECT_EQ(pos, static_cast<int>(s.size()) + 1);
  pos = 5;
  ASSERT_TRUE(FindWord(s, pos, word));
  EXPECT_EQ(word, "pha");
  pos = 1;
  EXPECT_FALSE(FindWord("", pos, word));
  EXPECT_EQ(pos, 1);
}

TEST(StringToolsTest, BufferRoutinesStayInsideTheirCounts) {
  char buf[8];
  std::memset(buf, '#', sizeof buf);
  StrToBuf("abc", buf, 2);
  EXPECT_EQ(String(buf, 8), "ab######");
  StrToBuf("abc", buf, 8);
  EXPECT_EQ(String(buf, 8), "abc#####");  // no terminator
  StrToBuf("abc", buf, -1);
  EXPECT_EQ(String(buf, 8), "abc#####");

  String s = "old";
  SetStr(s, "ab\0cd", 5);
  EXPECT_EQ(s, "ab");
  const char unterminated[3] = {'a', 'b', 'c'};
  SetStr(s, unterminated, 3);  // never reads past maxLen
  EXPECT_EQ(s, "abc");
  SetStr(s, "abc", 0);
  EXPECT_EQ(s, "");

  const char data[] = "abc\0\xFF" "abc";
  EXPECT_EQ(FindChar(data, 8, 'c'), 2);
  EXPECT_EQ(FindChar(data, 8, '\xFF'), 4);
  EXPECT_EQ(FindChar(data, 2, 'c'), -1);
  EXPECT_EQ(FindChar(data, 0, 'a'), -1);
  EXPECT_EQ(FindChar(data, 8, 'z'), -1);

  struct TCase {
    String Pattern;
    String Buf;
    int Expected;
  } cases[] = {
      {"bc", "abcbc", 1},
      {"abc", "abc", 0},  // a buffer as long as the pattern can still hold it
      {"bc", "abc", 1},   // at the very end
      {"abcd", "abc", -1},
      {"", "abc", -1},
      {"x", "abc", -1},
      {String("\0b", 2), String("a\0b", 3), 1},
  };
  for (const TCase& c : cases)
    EXPECT_EQ(FindBuffer(c.Pattern.data(), static_cast<int>(c.Pattern.size()), c.Buf.data(),
                         static_cast<int>(c.Buf.size())),
              c.Expected)
        << c.Pattern << " in " << c.Buf;

  EXPECT_TRUE(Compare("abc", "abd", 2));
  EXPECT_FALSE(Compare("abc", "abd", 3));
  EXPECT_TRUE(Compare("a", "b", 0));
}

TEST(StringToolsTest, CompareFilterMatchesTheWholeString) {
  struct TCase {
    const char* Filter;
    const char* S;
    bool Expected;
  } cases[] = {
      {"*.lng", "de.lng", true},
      {"a?c", "abc", true},
      {"a?c", "ac", false},
      {"a*", "abc", true},
      {"*ab", "abab", true},  // a later occurrence is tried when the first one leaves a rest
      {"*.lng", "de.lng.lng", true},
      {"*a?c*", "xab abc", true},
      {"*.lng", "de.lngx", false},
      {"*.LNG", "de.lng", false},  // case-sensitive
      {"a*b*c", "aXbYc", true},
      {"a*b*c", "aXcYb", false},
      {"a?c", "abbc", false},
      {"*?", "", false},
      {"*?", "a", true},
      {"?*", "", false},
      {"*?*?*", "ab", true},
      {"*?*?*", "a", false},
      {"**", "", true},
      {"*", "anything", true},
      {"", "", true},
      {"", "a", false},
      {"abc", "ab", false},
      {"*: TBUTTON", "BUTTON1: TBUTTON", true},
  };
  for (const TCase& c : cases) EXPECT_EQ(CompareFilter(c.Filter, c.S), c.Expected) << c.Filter << " / " << c.S;
}

}  // namespace
}  // namespace xel
