#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>

#include "Classes.h"
#include "Fixtures.h"

namespace xel::test {
namespace {

std::vector<String> Lines(const TStrings& s) {
  std::vector<String> r;
  for (int i = 0; i < s.Count(); ++i) r.push_back(s[i]);
  return r;
}

TEST(StringListTest, TextSplitsAtCrLfCrOrLfAndJoinsWithCrLf) {
  struct Case {
    const char* text;
    std::vector<String> lines;
  };
  const Case cases[] = {
      {"", {}},
      {"a", {"a"}},
      {"a\r\nb", {"a", "b"}},
      {"a\nb\n", {"a", "b"}},
      {"a\rb\r", {"a", "b"}},
      {"a\r\n\r\nb", {"a", "", "b"}},
      {"a\n\rb", {"a", "", "b"}},  // LF then CR are two breaks
      {"\r\n", {""}},
  };
  TStringList list;
  for (const Case& c : cases) {
    list.SetText(c.text);
    EXPECT_EQ(Lines(list), c.lines) << c.text;
  }
  list.SetText("x\ny");
  EXPECT_EQ(list.Text(), "x\r\ny\r\n");
}

TEST(StringListTest, CommaTextQuotesWhatNeedsItAndReadsItBack) {
  struct Case {
    std::vector<String> lines;
    const char* text;
  };
  const Case cases[] = {
      {{"a", "b"}, "a,b"},
      {{"two words", "x"}, "\"two words\",x"},
      {{"say \"hi\"", "c,d"}, "\"say \"\"hi\"\"\",\"c,d\""},
      {{""}, "\"\""},
      {{"a", "", "b"}, "a,,b"},
  };
  for (const Case& c : cases) {
    TStringList list;
    for (auto& l : c.lines) list.Add(l);
    EXPECT_EQ(list.CommaText(), c.text);
    TStringList back;
    back.SetCommaText(c.text);
    EXPECT_EQ(Lines(back), c.lines) << c.text;
  }
  TStringList blanks;
  blanks.SetCommaText("one two, three  ");  // an unquoted blank separates too
  EXPECT_EQ(Lines(blanks), (std::vector<String>{"one", "two", "three"}));
  TStringList semi;
  semi.SetDelimiter(';');
  semi.SetQuoteChar('\'');
  semi.SetDelimitedText("a;'b;c';d");
  EXPECT_EQ(Lines(semi), (std::vector<String>{"a", "b;c", "d"}));
  EXPECT_EQ(semi.DelimitedText(), "a;'b;c';d");
}

TEST(StringListTest, SortedListsKeepOrderAndApplyTheDuplicateRule) {
  TStringList list;
  list.SetSorted(true);
  for (const char* s : {"pear", "Apple", "banana", "apple"}) list.Add(s);
  EXPECT_EQ(Lines(list), (std::vector<String>{"Apple", "banana", "pear"}));  // case-insensitive, dupIgnore
  int index;
  EXPECT_TRUE(list.Find("BANANA", index));
  EXPECT_EQ(index, 1);
  EXPECT_FALSE(list.Find("cherry", index));
  EXPECT_EQ(index, 2);
  EXPECT_EQ(list.IndexOf("PEAR"), 2);
  EXPECT_THROW(list.Insert(0, "x"), EStringListError);
  EXPECT_THROW(list.Put(0, "x"), EStringListError);

  list.SetDuplicates(dupError);
  try {
    list.Add("pear");
    FAIL();
  } catch (const EStringListError& e) {
    EXPECT_STREQ(e.what(), "String list does not allow duplicates");
  }
  list.SetDuplicates(dupAccept);
  list.Add("PEAR");
  EXPECT_EQ(list.Count(), 4);

  TStringList cs;
  cs.SetCaseSensitive(true);
  for (const char* s : {"b", "B", "a", "A"}) cs.Add(s);
  cs.Sort();
  EXPECT_EQ(Lines(cs), (std::vector<String>{"A", "B", "a", "b"}));
  EXPECT_EQ(cs.IndexOf("b"), 3);
}

TEST(StringListTest, CustomSortComparesByIndexAndKeepsObjects) {
  TStringList list;
  TObject one, two, three;
  list.AddObject("10", &one);
  list.AddObject("9", &two);
  list.AddObject("100", &three);
  list.CustomSort([](TStringList* l, int a, int b) { return StrToInt(l->Strings(a)) - StrToInt(l->Strings(b)); });
  EXPECT_EQ(Lines(list), (std::vector<String>{"9", "10", "100"}));
  EXPECT_EQ(list.Objects(0), &two);
  EXPECT_EQ(list.Objects(2), &three);
}

TEST(StringListTest, NamesAndValues) {
  TStringList list;
  list.SetText("Left=10\nTop=20\nnovalue\nTOP=30");
  EXPECT_EQ(list.Names(0), "Left");
  EXPECT_EQ(list.Names(2), "");
  EXPECT_EQ(list.Values("top"), "20");
  EXPECT_EQ(list.IndexOfName("TOP"), 1);
  list.SetValues("Width", "5");
  EXPECT_EQ(list.Strings(4), "Width=5");
  list.SetValues("left", "11");
  EXPECT_EQ(list.Strings(0), "left=11");
  list.SetValues("Top", "");
  EXPECT_EQ(list.Values("Top"), "30");  // the first Top went, the second is found now
}

TEST(StringListTest, ChangeEventsFireOncePerUpdateBlock) {
  struct TCounter : TObject {
    int changes = 0, changings = 0;
    void Changed(TObject*) { ++changes; }
    void Changing(TObject*) { ++changings; }
  } counter;
  TStringList list;
  list.OnChange = MakeMethod<&TCounter::Changed>(&counter);
  list.OnChanging = MakeMethod<&TCounter::Changing>(&counter);
  list.Add("a");
  EXPECT_EQ(counter.changes, 1);
  EXPECT_EQ(counter.changings, 1);
  list.BeginUpdate();
  list.Add("b");
  list.Add("c");
  list.Delete(0);
  EXPECT_EQ(counter.changes, 1);
  list.EndUpdate();
  EXPECT_EQ(counter.changes, 2);
  EXPECT_EQ(counter.changings, 2);
  list.SetText("x\ny\nz");
  EXPECT_EQ(counter.changes, 3);
}

TEST(StringListTest, ErrorsAndAssignment) {
  TStringList list;
  list.Add("a");
  try {
    list.Delete(5);
    FAIL();
  } catch (const EStringListError& e) {
    EXPECT_STREQ(e.what(), "List index out of bounds (5)");
  }
  EXPECT_THROW(list.Get(-1), EStringListError);
  TObject tag;
  TStringList src;
  src.AddObject("one", &tag);
  src.Add("two");
  list.Assign(&src);
  EXPECT_EQ(Lines(list), Lines(src));
  EXPECT_EQ(list.Objects(0), &tag);
  EXPECT_TRUE(list.Equals(&src));
  TComponent c(nullptr);
  try {
    list.Assign(&c);
    FAIL();
  } catch (const EConvertError& e) {
    EXPECT_STREQ(e.what(), "Cannot assign a TComponent to a TStringList");
  }
  list.Move(0, 1);
  EXPECT_EQ(Lines(list), (std::vector<String>{"two", "one"}));
  EXPECT_EQ(list.Objects(1), &tag);
}

TEST(StringListTest, FilesAreWrittenWithCrLfAndReadWithAnyLineEnd) {
  String path = ::testing::TempDir() + "xel_strings_test.txt";
  TStringList list;
  list.Add("first");
  list.Add("zweite Zeile äöü");
  list.SaveToFile(path);
  std::ifstream in(path, std::ios::binary);
  std::stringstream raw;
  raw << in.rdbuf();
  EXPECT_EQ(raw.str(), "first\r\nzweite Zeile äöü\r\n");
  std::ofstream(path, std::ios::binary) << "unix\nlines\n";
  list.LoadFromFile(path);
  EXPECT_EQ(Lines(list), (std::vector<String>{"unix", "lines"}));
  std::remove(path.c_str());
  EXPECT_THROW(list.LoadFromFile(path), EFOpenError);
  EXPECT_EQ(list.Count(), 2);  // a failed load loses nothing
}

}  // namespace
}  // namespace xel::test
