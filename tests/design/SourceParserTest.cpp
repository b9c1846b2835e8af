// The scanner: masks and blocks of every comment and string form, unterminated blocks,
// lines and columns after each kind of line break, code type detection, block edits.
#include <gtest/gtest.h>

#include "../UnitVersionsCheck.h"

#include "SourceParser.h"

namespace xel {
namespace {

struct TBlockCase {
  TBlockType Type;
  int Offset, Length, Line, Column;
};

struct TScanCase {
  const char* Name;
  TCodeType Type;
  String Text;
  String Mask;
  std::vector<TBlockCase> Blocks;
};

std::vector<TBlockCase> BlocksOf(const TSourceParser& p) {
  std::vector<TBlockCase> r;
  for (int i = 0; i < p.Blocks()->Count(); ++i) {
    const TSourceCodeBlock* b = p.Blocks()->Items(i);
    EXPECT_EQ(b->Parser(), &p);
    r.push_back({b->BlockType(), b->Offset(), b->Length(), b->Line(), b->Column()});
  }
  return r;
}

bool operator==(const TBlockCase& a, const TBlockCase& b) {
  return a.Type == b.Type && a.Offset == b.Offset && a.Length == b.Length && a.Line == b.Line &&
         a.Column == b.Column;
}

void PrintTo(const TBlockCase& b, std::ostream* os) {
  *os << (b.Type == btString ? "string" : "comment") << " @" << b.Offset << " len " << b.Length << " line "
      << b.Line << " col " << b.Column;
}

TEST(SourceParserTest, ScannerMarksEveryStringAndCommentForm) {
  const TScanCase cases[] = {
      // Pascal strings: doubled quotes stay inside, character codes stand between literals.
      {"doubled quote", ctPascal, "x := 'it''s';", "     [sssss] ", {{btString, 5, 7, 0, 6}}},
      {"only a quote", ctPascal, "''''", "[ss]", {{btString, 0, 4, 0, 1}}},
      {"empty string", ctPascal, "a('')", "  [] ", {{btString, 2, 2, 0, 3}}},
      {"character codes", ctPascal, "'a'#13#10'b'", "[s]      [s]", {{btString, 0, 3, 0, 1}, {btString, 9, 3, 0, 10}}},
      {"code before quote", ctPascal, "#39'x'", "   [s]", {{btString, 3, 3, 0, 4}}},
      {"comment after string", ctPascal, "'abc'{x}", "[sss]{c}", {{btString, 0, 5, 0, 1}, {btComment, 5, 3, 0, 6}}},
      {"slashes in a string", ctPascal, "'//'", "[ss]", {{btString, 0, 4, 0, 1}}},
      {"double quote is code", ctPascal, "\"a\"", "   ", {}},
      // Comments of each form; directives are comments too.
      {"brace", ctPascal, "a{b}c", " {c} ", {{btComment, 1, 3, 0, 2}}},
      {"directive", ctPascal, "{$IFDEF X}'a'{$ENDIF}", "{cccccccc}[s]{cccccc}",
       {{btComment, 0, 10, 0, 1}, {btString, 10, 3, 0, 11}, {btComment, 13, 8, 0, 14}}},
      {"paren star", ctPascal, "(* a *)", "{ccccc}", {{btComment, 0, 7, 0, 1}}},
      {"empty paren star", ctPascal, "(**)", "{cc}", {{btComment, 0, 4, 0, 1}}},
      {"stars inside", ctPascal, "(* ** *)x", "{cccccc} ", {{btComment, 0, 8, 0, 1}}},
      {"paren star in brace", ctPascal, "{ (* }x", "{cccc} ", {{btComment, 0, 6, 0, 1}}},
      {"brace in paren star", ctPascal, "(* { *)x", "{ccccc} ", {{btComment, 0, 7, 0, 1}}},
      {"slashes in brace", ctPascal, "{ // }x", "{cccc} ", {{btComment, 0, 6, 0, 1}}},
      {"paren before paren star", ctPascal, "((*c*)", " {ccc}", {{btComment, 1, 5, 0, 2}}},
      {"paren then quote", ctPascal, "('x')", " [s] ", {{btString, 1, 3, 0, 2}}},
      {"line comment", ctPascal, "a // x", "  {cc}", {{btComment, 2, 4, 0, 3}}},
      {"bare line comment", ctPascal, "//", "{}", {{btComment, 0, 2, 0, 1}}},
      {"line comment ends with line", ctPascal, "// {\r\nx", "{cc}\r\n ", {{btComment, 0, 4, 0, 1}}},
      {"nothing special", ctPascal, "a / b * c", "         ", {}},
      // Unterminated blocks: a string ends with its line, a comment with the text.
      {"open string", ctPascal, "s := 'abc\r\nx", "     [ss]\r\n ", {{btString, 5, 4, 0, 6}}},
      {"quote at line end", ctPascal, "a '\nb", "  ]\n ", {{btString, 2, 1, 0, 3}}},
      {"quote at the end", ctPascal, "a '", "  ]", {{btString, 2, 1, 0, 3}}},
      {"paren star does not close", ctPascal, "(*)", "{cc", {{btComment, 0, 3, 0, 1}}},
      {"open paren star", ctPascal, "x (* a\r\nb", "  {ccc\r\nc", {{btComment, 2, 7, 0, 3}}},
      {"open brace", ctPascal, "x { a", "  {cc", {{btComment, 2, 3, 0, 3}}},
      {"star then break", ctPascal, "(* *\r\n)", "{ccc\r\nc", {{btComment, 0, 7, 0, 1}}},
      {"open brace with final break", ctPascal, "{\r\n", "{\r\n", {{btComment, 0, 3, 0, 1}}},
      // Blocks over several lines count their line breaks as they stand.
      {"brace over CR LF", ctPascal, "{ a\r\nb }", "{cc\r\ncc}", {{btComment, 0, 8, 0, 1}}},
      {"brace over LF", ctPascal, "{ a\nb }", "{cc\ncc}", {{btComment, 0, 7, 0, 1}}},
      {"paren star over CR", ctPascal, "(*\r*)", "{c\rc}", {{btComment, 0, 5, 0, 1}}},
      {"columns after CR LF", ctPascal, "a\r\n  'x' {y}", " \r\n  [s] {c}", {{btString, 5, 3, 1, 3}, {btComment, 9, 3, 1, 7}}},
      {"columns after LF", ctPascal, "a\n\n  'x'", " \n\n  [s]", {{btString, 5, 3, 2, 3}}},
      {"columns after CR", ctPascal, "a\r  'x'", " \r  [s]", {{btString, 4, 3, 1, 3}}},
      {"columns after mixed breaks", ctPascal, "{\n}\r\n\r'x'", "{\n}\r\n\r[s]",
       {{btComment, 0, 3, 0, 1}, {btString, 6, 3, 3, 1}}},
      // C, to a lesser degree.
      {"c block comment", ctC, "a /* x */ b", "  {ccccc}  ", {{btComment, 2, 7, 0, 3}}},
      {"c line comment", ctC, "a // x", "  {cc}", {{btComment, 2, 4, 0, 3}}},
      {"c division", ctC, "a / b", "     ", {}},
      {"c both quotes", ctC, "'\"' \"it's\"", "[s] [ssss]", {{btString, 0, 3, 0, 1}, {btString, 4, 6, 0, 5}}},
      {"c escaped quotes", ctC, "'\\'' \"a\\\"b\"", "[ss] [ssss]", {{btString, 0, 4, 0, 1}, {btString, 5, 6, 0, 6}}},
      {"c continuation", ctC, "\"a\\\r\nb\" x", "[s\\\r\ns]  ", {{btString, 0, 7, 0, 1}}},
      {"c continuation then empty line", ctC, "\"a\\\n\nx", "[s\\\n\n ", {{btString, 0, 4, 0, 1}}},
      {"c continuation at the end", ctC, "\"a\\", "[s\\", {{btString, 0, 3, 0, 1}}},
      {"c open string", ctC, "\"abc\nx", "[ss]\n ", {{btString, 0, 4, 0, 1}}},
      {"c quote at the end", ctC, "x\n\"", " \n]", {{btString, 2, 1, 1, 1}}},
      {"c has no brace comments", ctC, "{ (* x *) }", "           ", {}},
      {"c open block comment", ctC, "/* a\n", "{ccc\n", {{btComment, 0, 5, 0, 1}}},
  };
  for (const TScanCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TSourceParser p(c.Text);
    p.ParseLines(c.Type);
    EXPECT_EQ(p.Mask(), c.Mask);
    EXPECT_EQ(BlocksOf(p), c.Blocks);
    for (int i = 0; i < p.Blocks()->Count(); ++i) {
      const TSourceCodeBlock* b = p.Blocks()->Items(i);
      EXPECT_EQ(b->BlockText(), c.Text.substr(b->Offset(), b->Length()));
    }
  }
}

TEST(SourceParserTest, SecondScanReplacesTheBlocksOfTheFirst) {
  TSourceParser p("unit a; {x} 'y' end.");
  p.ParseLines(ctAutoDetect);
  p.SetText("unit a; 'y' end.");
  p.ParseLines(ctPascal);
  ASSERT_EQ(p.Blocks()->Count(), 1);
  EXPECT_EQ(p.Blocks()->Items(0)->BlockText(), "'y'");
  EXPECT_EQ(p.Mask().size(), p.Text().size());
}

TEST(SourceParserTest, CodeTypeComesFromTheFirstWord) {
  const struct {
    const char* Text;
    TCodeType Type;
  } cases[] = {{"unit A;", ctPascal},        {"  \r\n\tPROGRAM x;", ctPascal}, {"Unit", ctPascal},
               {"#include <a.h>", ctC},      {"int main() {}", ctC},          {"void f();", ctC},
               {"{ header } unit A;", ctUnknown}, {"library L;", ctUnknown}, {"", ctUnknown},
               {"   ", ctUnknown}};
  for (const auto& c : cases) EXPECT_EQ(TSourceParser(c.Text).CodeType(), c.Type) << c.Text;

  TSourceParser unknown("library L; begin end.");
  EXPECT_TRUE(unknown.Mask().empty());
  for (TCodeType t : {ctAutoDetect, ctUnknown}) {
    try {
      unknown.ParseLines(t);
      ADD_FAILURE() << "no exception";
    } catch (const ESourceParserError& e) {
      EXPECT_EQ(e.Message(), "TSourceParser.ParseLines: Invalid CodeType");
    }
  }
  // The caller's type wins over the detected one.
  unknown.ParseLines(ctPascal);
  EXPECT_EQ(unknown.Blocks()->Count(), 0);
  EXPECT_EQ(unknown.Mask().size(), unknown.Text().size());
}

TEST(SourceParserTest, InvalidateStatusForgetsTheScan) {
  TSourceParser p("unit a; {x}");
  p.ParseLines(ctAutoDetect);
  ASSERT_EQ(p.Blocks()->Count(), 1);
  p.InvalidateStatus();
  EXPECT_EQ(p.Blocks()->Count(), 0);
  EXPECT_TRUE(p.Mask().empty());
  EXPECT_EQ(p.CodeType(), ctUnknown);
  // Searches on a text without mask treat everything as code and stay inside the text.
  int found, next;
  EXPECT_TRUE(p.FindSymbol(0, -1, "x", found, next, {}));
  EXPECT_EQ(found, 9);
}

TEST(SourceParserTest, BlocksAreFoundByOffsetAndReplaced) {
  TSourceParser p("unit a; const S = 'old'; {c} T = 'two';");
  p.ParseLines(ctPascal);
  int index = 7;
  EXPECT_TRUE(p.GetBlockIndex(btString, 18, index));
  EXPECT_EQ(index, 0);
  EXPECT_FALSE(p.GetBlockIndex(btComment, 18, index));  // a string starts there
  EXPECT_EQ(index, -1);
  EXPECT_FALSE(p.GetBlockIndex(btString, 19, index));   // inside, not at the start
  EXPECT_TRUE(p.GetBlockIndex(btComment, 25, index));
  EXPECT_EQ(index, 1);
  EXPECT_TRUE(p.GetBlockIndex(btString, 33, index));
  EXPECT_EQ(index, 2);

  String copy = p.Text();
  p.ReplaceBlockTextEx(0, "'x'", copy);
  EXPECT_EQ(copy, "unit a; const S = 'x'; {c} T = 'two';");
  EXPECT_EQ(p.Text(), "unit a; const S = 'old'; {c} T = 'two';");

  // Only one block per scan: the mask and the later blocks keep the old places.
  const String mask = p.Mask();
  p.ReplaceBlockText(2, "'three'");
  EXPECT_EQ(p.Text(), "unit a; const S = 'old'; {c} T = 'three';");
  EXPECT_EQ(p.Mask(), mask);
  EXPECT_EQ(p.Blocks()->Items(2)->Offset(), 33);
}

TEST(SourceParserTest, PascalStringsConvert) {
  EXPECT_EQ(PascalStringToString("It''s ''''"), "It's ''");
  EXPECT_EQ(StringToPascalString("It's ''"), "It''s ''''");
  EXPECT_EQ(PascalStringToString(StringToPascalString("'a''")), "'a''");
}

TEST(SourceParserTest, UnitsRegisterTheirVersionHeaders) {
  for (const char* unit : {"/design/SourceParser.cpp", "/design/GlottaParser.cpp"})
    EXPECT_TRUE(test::UnitVersionRegistered(unit)) << unit;
}

}  // namespace
}  // namespace xel
