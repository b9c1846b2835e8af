#include <gtest/gtest.h>

#include "Format.h"

namespace xel {
namespace {

TEST(FormatTest, Conversions) {
  int x = 0;
  struct Case {
    String got;
    const char* expected;
  };
  const Case cases[] = {
      {Format("%s.%s='%s'", {"Button1", "Caption", "OK"}), "Button1.Caption='OK'"},
      {Format("%d|%5d|%-5d|%.3d", {42, 42, 42, 7}), "42|   42|42   |007"},
      {Format("%u", {-1}), "4294967295"},
      {Format("%x|%.4x|%X", {255, 255, -1}), "FF|00FF|FFFFFFFF"},
      {Format("%g|%g|%g|%g", {0.1, 1e20, 1.5e-7, 123456.0}), "0.1|1E20|1.5E-7|123456"},
      {Format("%f|%.1f|%.0f|%.2f", {3.14159, 2.25, 2.5, 9.996}), "3.14|2.3|3|10.00"},  // ties round away from zero
      {Format("%e", {1234.5}), "1.23450000000000E+003"},
      {Format("%.3e", {-0.000123}), "-1.23E-004"},
      {Format("%n", {1234567.891}), "1,234,567.89"},
      {Format("%m", {-5.5}), "-$5.50"},
      {Format("%%|%c|%s", {'z', 'y'}), "%|z|y"},
      {Format("%1:s %0:s %s", {"a", "b"}), "b a b"},
      {Format("%*d|%.*s", {4, 7, 2, "abcdef"}), "   7|ab"},
      {Format("%.2s", {"Hello"}), "He"},
      {Format("%p", {static_cast<const void*>(&x)}).size() == 16 ? "16" : "not 16", "16"},
  };
  for (const Case& c : cases) EXPECT_EQ(c.got, c.expected);
}

TEST(FormatTest, MismatchesRaise) {
  try {
    Format("%d", {"text"});
    FAIL();
  } catch (const EConvertError& e) {
    EXPECT_STREQ(e.what(), "Format '%d' invalid or incompatible with argument");
  }
  EXPECT_THROW(Format("%s", {12}), EConvertError);
  EXPECT_THROW(Format("%s %s", {"one"}), EConvertError);
  EXPECT_THROW(Format("%q", {1}), EConvertError);
  EXPECT_THROW(Format("%", {1}), EConvertError);
}

TEST(FormatTest, FloatTextBothWays) {
  struct Case {
    long double value;
    const char* text;
  };
  const Case cases[] = {{0, "0"},        {1, "1"},         {-2.5, "-2.5"},      {0.1, "0.1"},
                        {1e15, "1E15"},  {123456789012345.0, "123456789012345"}, {0.00001, "1E-5"},
                        {0.0001, "0.0001"}, {1.0 / 3, "0.333333333333333"}};
  for (const Case& c : cases) EXPECT_EQ(FloatToStr(c.value), c.text);
  EXPECT_DOUBLE_EQ(static_cast<double>(StrToFloat(" 1.5e3 ")), 1500.0);
  EXPECT_DOUBLE_EQ(static_cast<double>(StrToFloat("-.5")), -0.5);
  try {
    StrToFloat("1,5");
    FAIL();
  } catch (const EConvertError& e) {
    EXPECT_STREQ(e.what(), "'1,5' is not a valid floating point value");
  }
  TFormatSettings de;
  de.DecimalSeparator = ',';
  de.ThousandSeparator = '.';
  EXPECT_DOUBLE_EQ(static_cast<double>(StrToFloat("1,5", de)), 1.5);
  EXPECT_EQ(FloatToStr(2.75, de), "2,75");
  EXPECT_EQ(Format("%n", {1234.5}, de), "1.234,50");
}

}  // namespace
}  // namespace xel
