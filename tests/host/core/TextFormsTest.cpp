#include <gtest/gtest.h>

#include <fstream>
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

// The binary form "object X: TX" with the one property S holding value.
String OneStringForm(std::string_view value) {
  TStringStream b;
  TWriter w(&b);
  w.WriteSignature();
  w.WriteStr("TX");
  w.WriteStr("X");
  w.WriteStr("S");
  w.WriteString(value);
  w.WriteListEnd();
  w.WriteListEnd();
  w.FlushBuffer();
  return b.DataString();
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

TEST(TextFormsTest, ParserErrorsNameTheLine) {
  struct Case {
    const char* text;
    const char* message;
  };
  const Case cases[] = {
      {"objekt X: TX\r\nend\r\n", "object expected on line 1"},
      {"object X: TX\r\n  A = 'open\r\nend\r\n", "Unterminated string on line 2"},
      {"object X: TX\r\n  A 5\r\nend\r\n", "'=' expected on line 2"},
      {"object X: TX\r\n  A = \r\n  ,\r\nend\r\n", "Invalid property value on line 3"},
      {"object X: TX\r\n  A = {0G}\r\nend\r\n", "Invalid binary value on line 2"},
      {"object X: TX\r\n  A = {012}\r\nend\r\n", "Invalid binary value on line 2"},
      {"object X: TX\r\n  A = [a b]\r\nend\r\n", "',' expected on line 2"},
      {"object X: TX\r\n  A = <\r\n    thing\r\n  >\r\nend\r\n", "item expected on line 3"},
      {"object X: TX\r\n  A = 1\r\n", "end expected on line 3"},
      {"object X: TX\r\nend\r\nrest", "End of file expected on line 3"},
      {"object X: TX\r\n  A = #99999999\r\nend\r\n", "Invalid string constant on line 2"},
      {"object X: TX\r\n  A = 1e99999\r\nend\r\n", "Number out of range: 1e99999 on line 2"},
  };
  for (const Case& c : cases) {
    try {
      ObjectTextToBinary(c.text);
      ADD_FAILURE() << c.text;
    } catch (const EParserError& e) {
      EXPECT_STREQ(e.what(), c.message) << c.text;
    }
  }
}

TEST(TextFormsTest, QuotesAndUnprintableBytes) {
  String text = ObjectBinaryToText(ObjectTextToBinary("object X: TX\r\n  S = 'it'#39's'\r\nend\r\n"));
  EXPECT_EQ(text, "object X: TX\r\n  S = 'it''s'\r\nend\r\n");
  // An invalid UTF-8 byte is written as its code and reads back as the same byte.
  String binary = OneStringForm("ok\xC3(\xFF");
  String t = ObjectBinaryToText(binary);
  EXPECT_EQ(t, "object X: TX\r\n  S = 'ok'#195'('#255\r\nend\r\n");
  EXPECT_EQ(ObjectTextToBinary(t), binary);
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
