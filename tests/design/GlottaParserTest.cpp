// The string check: which GetString calls of a unit it finds, the names it takes from
// them, and the calls it must pass over (in comments, in strings, on other objects).
#include <gtest/gtest.h>

#include "Glotta.h"
#include "GlottaParser.h"

namespace xel {
namespace {

String UnitWith(const String& body) {
  return "unit U;\r\n\r\ninterface\r\n\r\nimplementation\r\n\r\nprocedure P;\r\nbegin\r\n  " + body +
         "\r\nend;\r\n\r\nend.\r\n";
}

std::vector<String> Texts(const TStrings* list) {
  std::vector<String> r;
  for (int i = 0; i < list->Count(); ++i) r.push_back(list->Get(i));
  return r;
}

String CppWith(const String& body) { return "#include \"Unit.h\"\n\nvoid P() {\n  " + body + "\n}\n"; }

struct TLookUpCase {
  const char* Body;
  bool Qualified;
  std::vector<String> Used, Invalid, Unknown;
};

class GlottaParserTest : public testing::Test {
protected:
  void SetUp() override {
    FGlotta = new TGlotta(&FOwner);
    FGlotta->SetName("Glotta1");
    FNames.SetText("Hello\r\nIt's\r\nNever");
  }
  // Each body in its unit: the names used, the calls without one literal, the unknown names.
  void ExpectLookUps(const std::vector<TLookUpCase>& cases, String (*unit)(const String&), TCodeType type) {
    for (const TLookUpCase& c : cases) {
      SCOPED_TRACE(c.Body);
      TGlottaParser p(FGlotta, &FNames, unit(c.Body));
      EXPECT_TRUE(p.Check(c.Qualified, type));
      EXPECT_EQ(Texts(p.UsedNames()), c.Used);
      EXPECT_EQ(Texts(p.InvalidCalls()), c.Invalid);
      EXPECT_EQ(Texts(p.UnknownNames()), c.Unknown);
      // Every used name points at the opening quote of its literal.
      for (int i = 0; i < p.UsedNames()->Count(); ++i) {
        int offset = TGlottaParser::OffsetOf(p.UsedNames()->Objects(i));
        int index;
        EXPECT_TRUE(p.GetBlockIndex(btString, offset, index)) << offset;
      }
    }
  }
  TComponent FOwner{nullptr};
  TGlotta* FGlotta = nullptr;
  TStringList FNames;
};

TEST_F(GlottaParserTest, FindsTheLookUpsOfEachSnippet) {
  ExpectLookUps(
    {
      {"S := GetString('Hello');", false, {"Hello"}, {}, {}},
      {"S := GetString( ' Hello ' );", false, {"Hello"}, {}, {}},
      {"S := GetString('It''s');", false, {"It's"}, {}, {}},
      {"S := getstring ('Hello');", false, {"Hello"}, {}, {}},
      {"S := GetString('');", false, {""}, {}, {""}},
      {"S := GetString('Unknown') + GetString('Unknown');", false, {"Unknown", "Unknown"}, {}, {"Unknown", "Unknown"}},
      {"S := GetString(\r\n    'Split');", false, {"Split"}, {}, {"Split"}},
      // Arguments other than one literal.
      {"S := GetString(SName); // a name from a constant", false, {}, {"GetString(SName); // a na..."}, {}},
      {"S := GetString('a' + 'b'); // joined", false, {}, {"GetString('a' + 'b'); // ..."}, {}},
      {"S := GetString('a'#13); // with a code", false, {}, {"GetString('a'#13); // wit..."}, {}},
      {"S := GetString('Hello', 1); // two arguments", false, {}, {"GetString('Hello', 1); //..."}, {}},
      {"S := GetString(SName\r\n  );", false, {}, {"GetString(SName"}, {}},
      {"S := GetString('open\r\n  );", false, {}, {"GetString('open"}, {}},
      // Not look-ups at all.
      {"S := Form1.GetString('Hello');", false, {}, {}, {}},
      {"S := Glotta1.GetString('Hello');", false, {}, {}, {}},
      {"S := GetString; P(GetString);", false, {}, {}, {}},
      {"{ GetString('Hello') } (* GetString('Hello') *) // GetString('Hello')", false, {}, {}, {}},
      {"S := 'GetString(''Hello'')';", false, {}, {}, {}},
      {"S := MyGetString('Hello') + GetStrings('Hello');", false, {}, {}, {}},
      // Only the component's own calls when qualified.
      {"S := Glotta1.GetString('Hello'); S := GetString('It''s'); S := Form1.GetString('x');", true, {"Hello"}, {},
       {}},
      {"S := glotta1 . GETSTRING('Other');", true, {"Other"}, {}, {"Other"}},
      {"S := Glotta1.GetString(Name); // not a literal", true, {}, {"Glotta1.GetString(Name); // not a..."}, {}},
      {"{ Glotta1.GetString('Hello') } S := 'Glotta1.GetString(''x'')';", true, {}, {}, {}},
    },
    UnitWith, ctPascal);
}

TEST_F(GlottaParserTest, FindsTheLookUpsOfCppSources) {
  ExpectLookUps(
    {
      {"s = Glotta1->GetString(\"Hello\");", false, {"Hello"}, {}, {}},
      {"s = glotta.GetString( \" It's \" );", false, {"It's"}, {}, {}},
      {"s = Glotta()->GetString(\"Never\") + GetString(\"Other\");", false, {"Never", "Other"}, {}, {"Other"}},
      {"s = g->GetString(\"a\\\"b\");", false, {"a\"b"}, {}, {"a\"b"}},
      {"s = g->GetString(kName);", false, {}, {"GetString(kName);"}, {}},
      {"s = g->GetString(\"a\" \"b\");", false, {}, {"GetString(\"a\" \"b\");"}, {}},
      {"// GetString(\"Hello\")\n/* GetString(\"Hello\") */ s = \"GetString(\\\"Hello\\\")\";", false, {}, {}, {}},
      // Only the component's own calls when qualified, also through its accessor.
      {"a = Glotta1->GetString(\"Hello\"); b = Glotta1.GetString(\"Never\"); c = Glotta1()->GetString(\"It's\");"
       " d = other->GetString(\"x\"); e = GetString(\"y\");",
       true, {"Hello", "Never", "It's"}, {}, {}},
    },
    CppWith, ctC);
}

TEST_F(GlottaParserTest, ResultListsOfAWholeUnit) {
  const String text = UnitWith(
                          "S := GetString('hello');\r\n"
                          "  T := GetString(Name); // from a variable\r\n"
                          "  U := GetString('Unknown');") +
                      "GetString('AfterTheEnd');\r\n";
  TGlottaParser p(FGlotta, &FNames, text);
  ASSERT_TRUE(p.Check(false));
  // The names list decides about case: a string list compares ignoring it.
  EXPECT_EQ(Texts(p.UsedNames()), (std::vector<String>{"hello", "Unknown"}));
  EXPECT_EQ(TGlottaParser::OffsetOf(p.UsedNames()->Objects(0)), static_cast<int>(text.find("'hello'")));
  EXPECT_EQ(TGlottaParser::OffsetOf(p.UsedNames()->Objects(1)), static_cast<int>(text.find("'Unknown'")));
  EXPECT_EQ(Texts(p.UnknownNames()), std::vector<String>{"Unknown"});
  EXPECT_EQ(TGlottaParser::OffsetOf(p.UnknownNames()->Objects(0)), static_cast<int>(text.find("'Unknown'")));
  EXPECT_EQ(Texts(p.UnusedNames()), (std::vector<String>{"It's", "Never"}));
  ASSERT_EQ(p.InvalidCalls()->Count(), 1);
  // The object of an invalid call is its argument's place.
  EXPECT_EQ(TGlottaParser::OffsetOf(p.InvalidCalls()->Objects(0)), static_cast<int>(text.find("Name)")));

  FNames.SetCaseSensitive(true);
  ASSERT_TRUE(p.Check(false));  // a second check starts from empty lists
  EXPECT_EQ(Texts(p.UsedNames()), (std::vector<String>{"hello", "Unknown"}));
  EXPECT_EQ(Texts(p.UnknownNames()), (std::vector<String>{"hello", "Unknown"}));
  EXPECT_EQ(Texts(p.UnusedNames()), (std::vector<String>{"Hello", "It's", "Never"}));
}

TEST_F(GlottaParserTest, TextWithoutFinalEndFails) {
  TGlottaParser p(FGlotta, &FNames, "unit U; implementation procedure P; begin S := GetString('Hello'); end;");
  EXPECT_FALSE(p.Check(false));
  EXPECT_EQ(p.UsedNames()->Count(), 0);
  // Any text is read as Pascal, whatever its first word.
  TGlottaParser q(FGlotta, &FNames, "{ no unit header }\r\nbegin GetString('Hello') end.");
  EXPECT_EQ(q.CodeType(), ctUnknown);
  EXPECT_TRUE(q.Check(false));
  EXPECT_EQ(Texts(q.UsedNames()), std::vector<String>{"Hello"});
  EXPECT_EQ(Texts(q.UnusedNames()), (std::vector<String>{"It's", "Never"}));
}

}  // namespace
}  // namespace xel
