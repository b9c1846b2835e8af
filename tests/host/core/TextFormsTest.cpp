#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <sstream>

#include "Classes.h"
#include "Fixtures.h"
#include "TextForms.h"

namespace xel::test {
namespace {

String ReadData(const char* name) {
  std::ifstream in(String(XEL_TEST_DATA) + "/" + name, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

// The binary form "object X: TX" with the one property S holding what write writes.
String OneValueForm(const std::function<void(TWriter&)>& write) {
  TStringStream b;
  TWriter w(&b);
  w.WriteSignature();
  w.WriteStr("TX");
  w.WriteStr("X");
  w.WriteStr("S");
  write(w);
  w.WriteListEnd();
  w.WriteListEnd();
  w.FlushBuffer();
  return b.DataString();
}

String OneStringForm(std::string_view value) {
  return OneValueForm([&](TWriter& w) { w.WriteString(value); });
}

// The same form as text, with the value written as given.
String OneValueText(std::string_view value) { return "object X: TX\r\n  S = " + String(value) + "\r\nend\r\n"; }

// Bytes from hexadecimal digits; blanks are ignored.
String HexBytes(std::string_view hex) {
  String out, digits;
  for (char c : hex)
    if (c != ' ') digits += c;
  for (size_t i = 0; i + 1 < digits.size(); i += 2) out += static_cast<char>(std::stoi(digits.substr(i, 2), nullptr, 16));
  return out;
}

// Text that uses every value notation of the format.
const char* const AllValues =
    "object Grid1: TGrid\r\n"
    "  Tag = 7\r\n"
    "  Big = -5000000000\r\n"
    "  Ratio = 1.5\r\n"
    "  Tiny = 2.5E-7\r\n"
    "  Huge = 1E300\r\n"
    "  Whole = 100.0\r\n"
    "  Precise = 3.1415926535897932385\r\n"
    "  Single = 0.1s\r\n"
    "  Money = 123456c\r\n"
    "  When = 36526.75d\r\n"
    "  Flag = False\r\n"
    "  Nothing = nil\r\n"
    "  Align = alClient\r\n"
    "  PopupMenu = Form2.Menu1\r\n"
    "  Options = [goEditing, goTabs]\r\n"
    "  Empty = []\r\n"
    "  Text = ''\r\n"
    "  Control = 'a'#0'b'#127'c'#200\r\n"
    "  Wide = 'x'#937'y'\r\n"
    "  Items.Strings = (\r\n"
    "    'one'\r\n"
    "    2\r\n"
    "    (\r\n"
    "      nested))\r\n"
    "  Data = {\r\n"
    "    000102030405060708090A0B0C0D0E0F101112131415161718191A1B1C1D1E1F\r\n"
    "    FF}\r\n"
    "  NoData = {}\r\n"
    "  Columns = <\r\n"
    "    item\r\n"
    "      Title = 'Name'\r\n"
    "      Width = 120\r\n"
    "    end\r\n"
    "    item [3]\r\n"
    "    end>\r\n"
    "  NoColumns = <>\r\n"
    "  inherited Panel1: TPanel [2]\r\n"
    "    object TLabel\r\n"
    "    end\r\n"
    "  end\r\n"
    "  inline Frame1: TFrame1\r\n"
    "  end\r\n"
    "end\r\n";

TEST(TextFormsTest, CanonicalTextSurvivesTextToBinaryToText) {
  for (String text : {String(AllValues), ReadData("Sample.txt")}) {
    String binary = ObjectTextToBinary(text);
    EXPECT_EQ(ObjectBinaryToText(binary), text);
    // and the binary again, byte for byte
    EXPECT_EQ(ObjectTextToBinary(ObjectBinaryToText(binary)), binary);
  }
}

TEST(TextFormsTest, ReadingAndWritingComponentsKeepsTheCanonicalText) {
  RegisterCoreClasses();
  RegisterFixtureClasses();
  String text = ReadData("Sample.txt");
  ASSERT_FALSE(text.empty());
  TStringStream in(ObjectTextToBinary(text));
  std::unique_ptr<TComponent> root(in.ReadComponent(nullptr));
  auto* w = dynamic_cast<TWidget*>(root->FindComponent("Widget1"));
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(w->FHint, "Tab\tand line\r\nbreak, it's quoted");
  EXPECT_EQ(w->FCaption, "A caption long enough to be split over more than one line of the text form");
  EXPECT_EQ(w->FValue.VarType(), varSingle);
  EXPECT_EQ(w->FWide, u"Grüße, Ωmega, 日本");
  EXPECT_EQ(w->GetLines()->Count(), 3);
  TStringStream out;
  out.WriteComponent(root.get());
  EXPECT_EQ(ObjectBinaryToText(out.DataString()), text);
}

TEST(TextFormsTest, ComponentsGetTheValuesTheTextMeans) {
  RegisterCoreClasses();
  RegisterFixtureClasses();
  auto form = [](std::string_view prop) { return "object Widget1: TWidget\r\n  " + String(prop) + "\r\nend\r\n"; };
  auto read = [](const String& text) {
    TStringStream in(ObjectTextToBinary(text));
    return std::unique_ptr<TWidget>(static_cast<TWidget*>(in.ReadComponent(nullptr)));
  };
  auto write = [](TWidget* w) {
    TStringStream out;
    out.WriteComponent(w);
    return ObjectBinaryToText(out.DataString());
  };
  // A double property gets the double nearest the text, through the extended.
  EXPECT_EQ(read(form("Ratio = 0.1"))->FRatio, 0.1);
  // A variant keeps a wide string wide, and a byte string a byte string, through the text.
  auto w = read(form("Value = 'caf'#233"));
  EXPECT_EQ(w->FValue.VarType(), varOleStr);
  EXPECT_EQ(w->FValue.AsWideString(), u"caf\u00E9");
  EXPECT_NE(write(w.get()).find("  Value = 'caf'#233\r\n"), String::npos);
  auto b = read(form("Value = 'caf\xC3\xA9'"));
  EXPECT_EQ(b->FValue.VarType(), varString);
  EXPECT_NE(write(b.get()).find("  Value = 'caf\xC3\xA9'\r\n"), String::npos);
}

TEST(TextFormsTest, LongStringsSplitAtSixtyFourCharacters) {
  String s(130, 'a');
  String binary = OneStringForm(s);
  String text = ObjectBinaryToText(binary);
  String expected = "object X: TX\r\n  S = \r\n    '" + String(64, 'a') + "' +\r\n    '" + String(64, 'a') +
                    "' +\r\n    'aa'\r\nend\r\n";
  EXPECT_EQ(text, expected);
  // UTF-8 sequences are never cut in two.
  String umlauts;
  for (int i = 0; i < 40; ++i) umlauts += "ä";
  String t2 = ObjectBinaryToText(ObjectTextToBinary("object X: TX\r\n  S = '" + umlauts + "'\r\nend\r\n"));
  EXPECT_NE(t2.find("'" + umlauts.substr(0, 64) + "' +"), String::npos);
}

// The message names the line as it always did; the error also carries the line, the column
// of the token (in characters) and the bare message, for tools that point at the place.
TEST(TextFormsTest, ParserErrorsNameTheLineAndColumn) {
  struct Case {
    const char* text;
    const char* message;
    int column;
  };
  const Case cases[] = {
      {"\xEF\xBB\xBFobjekt X: TX\r\nend\r\n", "object expected on line 1", 1},
      {"objekt X: TX\r\nend\r\n", "object expected on line 1", 1},
      {"object X: TX\r\n  A = 'open\r\nend\r\n", "Unterminated string on line 2", 7},
      {"object X: TX\r\n  A 5\r\nend\r\n", "'=' expected on line 2", 5},
      {"object X: TX\r\n  A = \r\n  ,\r\nend\r\n", "Invalid property value on line 3", 3},
      {"object X: TX\r\n  A = {0G}\r\nend\r\n", "Invalid binary value on line 2", 9},
      {"object X: TX\r\n  A = {012}\r\nend\r\n", "Invalid binary value on line 2", 11},
      {"object X: TX\r\n  A = [a b]\r\nend\r\n", "',' expected on line 2", 10},
      {"object X: TX\r\n  A = <\r\n    thing\r\n  >\r\nend\r\n", "item expected on line 3", 5},
      {"object X: TX\r\n  A = 1\r\n", "end expected on line 3", 1},
      {"object X: TX\r\nend\r\nrest", "End of file expected on line 3", 1},
      {"object X: TX\r\n  A = #99999999\r\nend\r\n", "Invalid string constant on line 2", 7},
      {"object X: TX\r\n  A = 1e99999\r\nend\r\n", "Number out of range: 1e99999 on line 2", 7},
      // What the type cannot hold: beyond the extended range, or nonzero but below it.
      {"object X: TX\r\n  A = 1.2E4932\r\nend\r\n", "Number out of range: 1.2E4932 on line 2", 7},
      {"object X: TX\r\n  A = -1E-5000\r\nend\r\n", "Number out of range: -1E-5000 on line 2", 7},
      {"object X: TX\r\n  A = 1E-50s\r\nend\r\n", "Number out of range: 1E-50 on line 2", 7},
      {"object X: TX\r\n  A = 1E400d\r\nend\r\n", "Number out of range: 1E400 on line 2", 7},
      {"object X: TX\r\n  A = 1E30c\r\nend\r\n", "Number out of range: 1E30 on line 2", 7},
  };
  for (const Case& c : cases) {
    try {
      ObjectTextToBinary(c.text);
      ADD_FAILURE() << c.text;
    } catch (const EParserError& e) {
      EXPECT_STREQ(e.what(), c.message) << c.text;
      EXPECT_EQ(e.Column(), c.column) << c.text;
      EXPECT_EQ(e.ErrorMessage() + " on line " + IntToStr(e.Line()), c.message) << c.text;
    }
  }
}

TEST(TextFormsTest, QuotesAndBytesThatAreNoText) {
  String text = ObjectBinaryToText(ObjectTextToBinary(OneValueText("'it'#39's'")));
  EXPECT_EQ(text, OneValueText("'it''s'"));
  // Bytes that are not UTF-8 stay as they are between the quotes (#195 would be the
  // character U+00C3) and read back as the same bytes.
  String binary = OneStringForm("ok\xC3(\xFF\x80");
  String t = ObjectBinaryToText(binary);
  EXPECT_EQ(t, OneValueText("'ok\xC3(\xFF\x80'"));
  EXPECT_EQ(ObjectTextToBinary(t), binary);
}

TEST(TextFormsTest, StringsKeepTheirCharactersAndTheirKind) {
  auto bytes = [](std::string_view s) { return OneValueForm([&](TWriter& w) { w.WriteString(s); }); };
  auto wide = [](std::u16string_view s) { return OneValueForm([&](TWriter& w) { w.WriteWideString(WideString(s)); }); };
  struct Case {
    const char* text;       // as another tool may write it
    String binary;          // what it means
    const char* canonical;  // as the binary is written
  };
  const Case cases[] = {
      // #n is the character n, written by other tools for any character.
      {"'caf'#233", wide(u"caf\u00E9"), "'caf'#233"},
      {"#$E9", wide(u"\u00E9"), "#233"},
      {"#128512'!'", wide(u"\U0001F600!"), "#55357#56832'!'"},
      // Wide strings write their characters beyond ASCII as #n, UTF-16 units, lone
      // surrogates included; so they read back as wide strings.
      {"'Gr'#252#223'e'", wide(u"Gr\u00FC\u00DFe"), "'Gr'#252#223'e'"},
      {"'x'#55357#0", wide(std::u16string(u"x\xD83D") + u'\0'), "'x'#55357#0"},
      {"'x'#937 + 'y'", wide(u"x\u03A9y"), "'x'#937'y'"},
      // Byte strings are UTF-8 and write their characters as they stand.
      {"'Gr\xC3\xBC\xC3\x9F" "e'", bytes("Gr\xC3\xBC\xC3\x9F" "e"), "'Gr\xC3\xBC\xC3\x9F" "e'"},
      {"'a'#13#10'b'#127", bytes("a\r\nb\x7F"), "'a'#13#10'b'#127"},
      {"#$41'B'", bytes("AB"), "'AB'"},
  };
  for (const Case& c : cases) {
    String binary = ObjectTextToBinary(OneValueText(c.text));
    EXPECT_EQ(binary, c.binary) << c.text;
    EXPECT_EQ(ObjectBinaryToText(c.binary), OneValueText(c.canonical)) << c.text;
    EXPECT_EQ(ObjectTextToBinary(ObjectBinaryToText(c.binary)), c.binary) << c.text;
  }
}

TEST(TextFormsTest, FloatsAreTheExtendedNearestTheTextAndPrintAsTheShortestTextOfIt) {
  struct Case {
    const char* text;
    const char* extended;  // the ten bytes: mantissa, then sign and exponent
    const char* canonical;
  };
  const Case cases[] = {
      // The nearest double widened would be 00d0cccccccccccc fb3f.
      {"0.1", "cdcccccccccccccc fb3f", "0.1"},
      {"0.3", "9a99999999999999 fd3f", "0.3"},
      {"1E23", "00b4570a3f1668a9 4b40", "1E23"},
      // At the edges of the double range and beyond it, both ways.
      {"1.7976931348623157E308", "acf7ffffffffffff fe43", "1.7976931348623157E308"},
      {"1.8E308", "01e60a08910c2a80 ff43", "1.8E308"},
      {"4.9E-324", "d9ce4f19fbb4e4fd cc3b", "4.9E-324"},
      {"1E-330", "79dd854b62e853d9 b63b", "1E-330"},
      {"1E4000", "618c55fe2383bad1 e673", "1E4000"},
      {"-1E-4000", "c005384f86733d9c 178c", "-1E-4000"},
      // The largest extended; values below its normal range, down to the smallest.
      {"1.18973149535723176502E4932", "ffffffffffffffff fe7f", "1.189731495357231765E4932"},
      {"1E-4940", "628e276306000000 0000", "1E-4940"},
      {"3.6451995318824746025E-4951", "0100000000000000 0000", "4E-4951"},
      // Eighteen digits that a double does not hold; a point without digits after it.
      {"123456789012345678.0", "00a77918d3a54ddb 3740", "1.23456789012345678E17"},
      {"12.", "00000000000000c0 0240", "12.0"},
      {"-0.0", "0000000000000000 0080", "-0.0"},
  };
  for (const Case& c : cases) {
    String binary = ObjectTextToBinary(OneValueText(c.text));
    String extended = HexBytes(c.extended);
    EXPECT_EQ(binary, OneValueForm([&](TWriter& w) {
                w.WriteValue(vaExtended);
                w.Write(extended.data(), 10);
              }))
        << c.text;
    EXPECT_EQ(ObjectBinaryToText(binary), OneValueText(c.canonical)) << c.text;
  }
  // Doubles widened, as double properties store them, print with the digits that tell
  // them from the extended nearest their short text, and read back bit for bit.
  const std::pair<double, const char*> doubles[] = {
      {0.1, "0.10000000000000000555"},
      {1.7976931348623157e308, "1.7976931348623157081E308"},
      {4.9406564584124654e-324, "4.940656458412465442E-324"},
  };
  for (auto [d, text] : doubles) {
    String binary = OneValueForm([d](TWriter& w) { w.WriteFloat(d); });
    EXPECT_EQ(ObjectBinaryToText(binary), OneValueText(text));
    EXPECT_EQ(ObjectTextToBinary(OneValueText(text)), binary) << text;
  }
}

TEST(TextFormsTest, ATextWithAByteOrderMarkIsRead) {
  String text = "\xEF\xBB\xBF" + OneValueText("'x'");
  EXPECT_EQ(ObjectTextToBinary(text), OneStringForm("x"));
  TStringStream in(text);
  EXPECT_EQ(TestStreamFormat(&in), sofText);
}

TEST(TextFormsTest, ResourceVariantsAndFormatDetection) {
  String text = "object Sample: TTestModule\r\nend\r\n";
  TStringStream in(text), res;
  ObjectTextToResource(&in, &res);
  EXPECT_EQ(res.DataString().substr(0, 15), String("\xFF\x0A", 2) + String(1, '\0') + "TTESTMODULE" + String(1, '\0'));
  res.SetPosition(0);
  EXPECT_EQ(TestStreamFormat(&res), sofResource);
  TStringStream back;
  ObjectResourceToText(&res, &back);
  EXPECT_EQ(back.DataString(), text);
  TStringStream bin(ObjectTextToBinary(text));
  EXPECT_EQ(TestStreamFormat(&bin), sofBinary);
  TStringStream txt("  \r\ninherited X: TX\r\nend\r\n");
  EXPECT_EQ(TestStreamFormat(&txt), sofText);
  TStringStream junk("hello");
  EXPECT_EQ(TestStreamFormat(&junk), sofUnknown);
}

}  // namespace
TEST(TextFormsTest, ASingleBeyondItsRangeIsRefused) {
  // It would become infinity and not read back as written.
  EXPECT_THROW(ObjectTextToBinary("object A: TWidget\r\n  Ratio = 1.5E41s\r\nend\r\n"), EParserError);
  EXPECT_NO_THROW(ObjectTextToBinary("object A: TWidget\r\n  Ratio = 1.5E38s\r\nend\r\n"));
}

}  // namespace xel::test
