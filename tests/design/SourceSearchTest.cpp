// The searches over the scanned text: tokens in both directions, symbols with their
// boundary options, token sequences, and the Pascal block helpers built on them.
#include <gtest/gtest.h>

#include "SourceParser.h"

namespace xel {
namespace {

struct TTok {
  String Token;
  int Pos, Next;
  bool operator==(const TTok&) const = default;
};

void PrintTo(const TTok& t, std::ostream* os) { *os << "'" << t.Token << "' @" << t.Pos << " next " << t.Next; }

// Every token from offset towards toOffset, as FindNextToken hands them out.
std::vector<TTok> Walk(const TSourceParser& p, int offset, int toOffset) {
  std::vector<TTok> r;
  String t;
  int pos, next;
  while (p.FindNextToken(offset, toOffset, t, pos, next)) {
    r.push_back({t, pos, next});
    if (next < 0 || r.size() > 100) break;
    offset = next;
  }
  return r;
}

std::unique_ptr<TSourceParser> Scanned(const String& text, TCodeType type = ctPascal) {
  auto p = std::make_unique<TSourceParser>(text);
  p->ParseLines(type);
  return p;
}

TEST(SourceSearchTest, TokensForwardsAndBackwards) {
  const struct {
    const char* Name;
    String Text;
    int Offset, ToOffset;
    std::vector<TTok> Tokens;
  } cases[] = {
      {"forwards", "x := 123abc;", 0, -1,
       {{"x", 0, 1}, {":", 2, 3}, {"=", 3, 4}, {"123", 5, 8}, {"abc", 8, 11}, {";", 11, -1}}},
      {"backwards from a word's end", "x := 123abc;", 10, 0,
       {{"abc", 8, 7}, {"123", 5, 4}, {"=", 3, 2}, {":", 2, 1}, {"x", 0, -1}}},
      {"letters take digits", "abc123 1a2b", 0, -1, {{"abc123", 0, 6}, {"1", 7, 8}, {"a2b", 8, -1}}},
      {"backwards after the last digit", "1a2b", 3, 0, {{"b", 3, 2}, {"1a2", 0, -1}}},
      {"backwards a letter first", "a1b", -1, 0, {{"a1b", 0, -1}}},
      {"backwards a digit last", "12ab3", -1, 0, {{"12ab3", 0, -1}}},
      // Strings show their quotes only; comments nothing.
      {"past strings and comments", "a {b} 'c' (*d*) e // f\r\ng", 0, -1,
       {{"a", 0, 1}, {"'", 6, 7}, {"'", 8, 9}, {"e", 16, 17}, {"g", 24, -1}}},
      {"a word ends at a comment", "ab{c}d", 0, -1, {{"ab", 0, 2}, {"d", 5, -1}}},
      {"backwards a word ends at a comment", "ab{c}d", -1, 0, {{"d", 5, 4}, {"ab", 0, -1}}},
      {"doubled quote unseen", "'it''s'x", 0, -1, {{"'", 0, 1}, {"'", 6, 7}, {"x", 7, -1}}},
      // The range bounds the words and the next offset.
      {"range cuts a word", "abc def", 4, 5, {{"de", 4, -1}}},
      {"range ends after a word", "abc def", 0, 3, {{"abc", 0, 3}}},
      {"negative offset is the last", "abc def", -1, 0, {{"def", 4, 3}, {"abc", 0, -1}}},
      {"start beyond the text", "abc def", 100, 0, {{"def", 4, 3}, {"abc", 0, -1}}},
      {"both beyond the text", "abc", 5, 9, {}},
      {"empty text", "", -1, -1, {}},
      {"only blanks", " \r\n\t ", 0, -1, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    EXPECT_EQ(Walk(*Scanned(c.Text), c.Offset, c.ToOffset), c.Tokens);
  }
}

TEST(SourceSearchTest, StringTokensAreWholeLiteralsBothWays) {
  auto p = Scanned("a 'b''c' d '");
  p->SetStringTokens(true);
  EXPECT_EQ(Walk(*p, 0, -1), (std::vector<TTok>{{"a", 0, 1}, {"'b''c'", 2, 8}, {"d", 9, 10}, {"'", 11, -1}}));
  EXPECT_EQ(Walk(*p, -1, 0), (std::vector<TTok>{{"'", 11, 10}, {"d", 9, 8}, {"'b''c'", 2, 1}, {"a", 0, -1}}));
}

TEST(SourceSearchTest, SymbolsWithTheirBoundaries) {
  // 0         1         2         3
  // 0123456789012345678901234567890123
  // append end; {end} 'end' Ends end.
  auto p = Scanned("append end; {end} 'end' Ends end.");
  const TFindSymbolOptions word{fsNoIdentifierBefore, fsNoIdentifierAfter};
  const struct {
    const char* Name;
    int From, To;
    String Symbol;
    TFindSymbolOptions Options;
    int Found, Next;
  } cases[] = {
      {"inside a word", 0, -1, "end", {}, 3, 6},
      {"whole word", 0, -1, "end", word, 7, 10},
      {"case-insensitive", 20, -1, "END", {}, 24, 27},
      {"case-sensitive", 0, -1, "End", {fsCaseSensitive}, 24, 27},
      {"case-sensitive whole word", 0, -1, "End", {fsCaseSensitive, fsNoIdentifierAfter}, -1, -1},
      {"never in comments or strings", 11, 23, "end", {}, -1, -1},
      {"backwards", -1, 0, "end", word, 29, 28},
      {"backwards inside the range", 28, 0, "end", word, 7, 6},
      {"backwards the match must end by from", 30, 0, "end", word, 7, 6},
      {"match at the range end", 29, 31, "end", {}, 29, -1},
      {"range shorter than the symbol", 0, 1, "end", {}, -1, -1},
      {"empty symbol", 0, -1, "", {}, -1, -1},
      {"beyond the text", 40, 50, "end", {}, -1, -1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    int found = 99, next = 99;
    EXPECT_EQ(p->FindSymbol(c.From, c.To, c.Symbol, found, next, c.Options), c.Found >= 0);
    EXPECT_EQ(found, c.Found);
    EXPECT_EQ(next, c.Next);
  }

  // 0123456789
  // a.end end\r\n
  auto q = Scanned("a.end end\r\n");
  const struct {
    TFindSymbolOptions Options;
    int Found;
  } flags[] = {
      {{fsNoIdentifierBefore}, 2},
      {{fsControlCharBefore}, 6},
      {{fsControlCharBefore, fsNoIdentifierBefore}, 6},  // the control character wins
      {{fsControlCharAfter}, 2},
      {{fsNoIdentifierBefore, fsControlCharAfter}, 2},
      {{fsControlCharBefore, fsControlCharAfter}, 6},
  };
  for (const auto& f : flags) {
    int found, next;
    q->FindSymbol(0, -1, "end", found, next, f.Options);
    EXPECT_EQ(found, f.Found) << f.Options.Bits();
  }
  // At the ends of the text nothing stands before or after.
  auto r = Scanned("end");
  int found, next;
  EXPECT_TRUE(r->FindSymbol(0, -1, "end", found, next, {fsControlCharBefore, fsControlCharAfter}));
  EXPECT_EQ(next, -1);
}

TEST(SourceSearchTest, TokensAndSequences) {
  // 0         1         2
  // 012345678901234567890123456
  // end; a := b.c; end {x}\r\n. z
  auto p = Scanned("end; a := b.c; end {x}\r\n. z");
  const struct {
    const char* Name;
    int From, To;
    std::vector<String> Tokens;
    TFindSymbolOptions Options;
    int Found, Next;
  } cases[] = {
      {"token", 0, -1, {"END"}, {}, 0, 3},
      {"token case-sensitive", 1, -1, {"end"}, {fsCaseSensitive}, 15, 18},
      {"token not there", 0, -1, {"begin"}, {}, -1, -1},
      {"last token", 0, -1, {"z"}, {}, 26, -1},
      {"token backwards", -1, 0, {"end"}, {}, 15, 14},
      {"sequence over a comment and a line break", 0, -1, {"end", "."}, {}, 15, 25},
      {"sequence of three", 0, -1, {"a", ":", "="}, {}, 5, 9},
      {"sequence case-sensitive", 0, -1, {"END", "."}, {fsCaseSensitive}, -1, -1},
      {"sequence cut by the range", 0, 20, {"end", "."}, {}, -1, -1},
      {"sequence runs out", 0, -1, {"z", "y"}, {}, -1, -1},
      {"sequence backwards in travel order", -1, 0, {".", "end"}, {}, 24, 14},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    int found = 99, next = 99;
    bool ok = c.Tokens.size() == 1 ? p->FindToken(c.From, c.To, c.Tokens[0], found, next, c.Options)
                                   : p->FindTokenSequence(c.From, c.To, c.Tokens, found, next, c.Options);
    EXPECT_EQ(ok, c.Found >= 0);
    EXPECT_EQ(found, c.Found);
    EXPECT_EQ(next, c.Next);
  }
  int found, next;
  EXPECT_FALSE(p->FindTokenSequence(0, -1, {"end"}, found, next, {}));  // one token never matches
  // After a failed try the search goes on after the first token it tried.
  auto q = Scanned("a a b");
  EXPECT_TRUE(q->FindTokenSequence(0, -1, {"a", "b"}, found, next, {}));
  EXPECT_EQ(found, 2);
}

TEST(SourceSearchTest, NextOffsetStaysBetweenTheEnds) {
  EXPECT_EQ(TSourceParser::GetNextOffset(2, 5, 2), 2);
  EXPECT_EQ(TSourceParser::GetNextOffset(5, 2, 5), 5);
  EXPECT_EQ(TSourceParser::GetNextOffset(5, 2, 6), -1);
  EXPECT_EQ(TSourceParser::GetNextOffset(2, 5, 1), -1);
}

TEST(SourceSearchTest, BeginTokensAndClassBodies) {
  const struct {
    String Prev, Token, After;  // After: the text that follows the token
    bool Result, IsBegin;
  } cases[] = {
      {"", "begin", "", true, true},       {";", "BEGIN", "", true, true},
      {"", "asm", "", true, true},          {"", "try", "", true, true},
      {"", "case", "", true, true},         {"packed", "record", "", true, true},
      {"=", "object", "", true, true},      {"of", "object", ";", true, false},
      {"", "end", "", true, false},         {"", "if", "", true, false},
      {"", "implementation", "", true, false},
      {"", "class", " function F: Integer;", true, false},  // not after "="
      {"=", "class", "(TObject) end;", true, true},
      {"=", "class", "(TObject);", true, false},
      {"=", "class", ";", true, false},
      {"=", "class", " of TFoo;", true, false},
      {"=", "class", " private X: Integer; end;", true, true},
      {"=", "Interface", "['{00000000-0000-0000-0000-000000000000}'] end;", true, true},
      {"=", "interface", "(IUnknown) procedure P; end;", true, true},
      {"=", "interface", "(IUnknown)", false, false},  // undecided: the text ends
      {"=", "class", "(TObject", false, false},
      {"=", "class", "", false, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Prev + " " + c.Token + c.After);
    auto p = Scanned(c.After);
    bool isBegin = !c.IsBegin;
    EXPECT_EQ(p->Pas_IsBeginToken(c.Prev, c.Token, 0, -1, isBegin), c.Result);
    EXPECT_EQ(isBegin, c.IsBegin);
  }
}

TEST(SourceSearchTest, MainProgramOfUnitsAndPrograms) {
  const String classes =
      "unit A;\r\ninterface\r\ntype\r\n"
      "  TA = class(TObject)\r\n    procedure P;\r\n  end;\r\n"
      "  TB = class;\r\n  TC = class of TA;\r\n  TD = class(TA);\r\n"
      "  TE = packed record\r\n    case Integer of\r\n      0: (A: Integer);\r\n"
      "      1: (B: record X, Y: Byte; end; case Byte of 0: (C: Byte));\r\n  end;\r\n"
      "  TF = procedure of object;\r\n  TG = object X: Integer; end;\r\n"
      "  IH = interface(IUnknown) ['{00000000-0000-0000-0000-000000000000}'] end;\r\n"
      "implementation\r\n"
      "procedure TA.P;\r\nbegin\r\n  try\r\n    case 1 of 1: ; end;\r\n  except\r\n  end;\r\n"
      "  asm nop end;\r\nend;\r\n";
  const struct {
    const char* Name;
    String Text;
    bool Result, HasMain;
    const char* MainBefore;  // the main "begin" is the last one before this text
  } cases[] = {
      {"unit without main", "unit A;\r\ninterface\r\nimplementation\r\nend.", true, false, nullptr},
      {"unit with initialization", "unit A;\r\ninterface\r\nimplementation\r\ninitialization\r\n  X;\r\nend.", true,
       false, nullptr},
      {"unit with begin", "unit A; interface implementation begin X; end.", true, true, " X;"},
      {"program", "program P; procedure Q; begin end; begin Q; end.", true, true, " Q; end."},
      {"keywords in comments and strings", "program P; { begin } const S = 'begin'; begin end.", true, true,
       " end."},
      {"declarations of every kind", classes + "end.", true, false, nullptr},
      {"declarations and a main begin", classes + "begin\r\n  X;\r\nend.", true, true, "\r\n  X;"},
      {"no final end", "unit A; interface implementation", false, false, nullptr},
      {"a begin too many", "program P; begin begin end.", false, false, nullptr},
      {"an end too many", "program P; end; end.", false, false, nullptr},
      {"class not decided", "program P; type T = class end.", false, false, nullptr},
      {"only the end", "end.", true, false, nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    auto p = Scanned(c.Text);
    bool hasMain = !c.HasMain;
    int mainOffset = 99;
    EXPECT_EQ(p->Pas_HasUnitMainProgram(hasMain, mainOffset), c.Result);
    EXPECT_EQ(hasMain, c.HasMain);
    EXPECT_EQ(mainOffset, c.MainBefore ? static_cast<int>(c.Text.rfind(c.MainBefore)) : -1);
  }
}

}  // namespace
}  // namespace xel
