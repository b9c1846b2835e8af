#include <gtest/gtest.h>

#include "DateTime.h"

namespace xel {
namespace {

TEST(DateTimeTest, DaysCountFromTheEndOf1899) {
  EXPECT_EQ(EncodeDate(1899, 12, 30).Value(), 0);
  EXPECT_EQ(EncodeDate(1900, 1, 1).Value(), 2);
  EXPECT_EQ(EncodeDate(2000, 1, 1).Value(), 36526);
  EXPECT_EQ(EncodeDate(1899, 12, 29).Value(), -1);
  Word y, m, d;
  DecodeDate(TDateTime(36526.75), y, m, d);
  EXPECT_EQ(std::vector<int>({y, m, d}), std::vector<int>({2000, 1, 1}));
  DecodeDate(EncodeDate(2024, 2, 29), y, m, d);
  EXPECT_EQ(std::vector<int>({y, m, d}), std::vector<int>({2024, 2, 29}));
  Word h, n, s, ms;
  DecodeTime(EncodeTime(23, 59, 58, 999), h, n, s, ms);
  EXPECT_EQ(std::vector<int>({h, n, s, ms}), std::vector<int>({23, 59, 58, 999}));
  EXPECT_EQ(DayOfWeek(EncodeDate(2026, 12, 10)), 5);  // a Thursday
  EXPECT_THROW(EncodeDate(2023, 2, 29), EConvertError);
  EXPECT_THROW(EncodeTime(24, 0, 0, 0), EConvertError);
}

TEST(DateTimeTest, FormatPatterns) {
  TDateTime dt(EncodeDate(2026, 3, 7).Value() + EncodeTime(14, 5, 9, 42).Value());
  struct Case {
    const char* pattern;
    const char* expected;
  };
  const Case cases[] = {
      {"yy\"-\"mm\"-\"dd hh\".\"nn\".\"ss", "26-03-07 14.05.09"},
      {"yyyy/m/d", "2026/3/7"},
      {"dddd, mmmm d", "Saturday, March 7"},
      {"ddd mmm", "Sat Mar"},
      {"h:nn am/pm", "2:05 pm"},
      {"hh:mm AMPM", "02:05 PM"},
      {"hh:mm", "14:05"},  // m right after an hour means minutes
      {"s.zzz|z", "9.042|42"},
      {"'literal d' d", "literal d 7"},
      {"c", "3/7/2026 2:05:09 PM"},
      {"ddddd tt", "3/7/2026 2:05:09 PM"},
  };
  for (const Case& c : cases) EXPECT_EQ(FormatDateTime(c.pattern, dt), c.expected) << c.pattern;
  EXPECT_EQ(DateTimeToStr(EncodeDate(2026, 3, 7)), "3/7/2026");  // midnight: no time part
}

TEST(DateTimeTest, ParsingFollowsTheSettings) {
  TFormatSettings de;
  de.DateSeparator = '.';
  de.ShortDateFormat = "dd.mm.yyyy";
  de.LongTimeFormat = "hh:nn:ss";
  EXPECT_EQ(StrToDate("24.12.2026", de).Value(), EncodeDate(2026, 12, 24).Value());
  EXPECT_EQ(FormatDateTime("ddddd", EncodeDate(2026, 12, 24), de), "24.12.2026");
  EXPECT_EQ(StrToDate("12/24/2026").Value(), EncodeDate(2026, 12, 24).Value());
  EXPECT_EQ(StrToDate("1/2/05").Value(), EncodeDate(2005, 1, 2).Value());
  TFormatSettings iso;
  iso.DateSeparator = '-';
  iso.ShortDateFormat = "yyyy-mm-dd";
  EXPECT_EQ(StrToDate("2026-12-10", iso).Value(), EncodeDate(2026, 12, 10).Value());
  EXPECT_DOUBLE_EQ(StrToTime("14:30").Value(), EncodeTime(14, 30, 0, 0).Value());
  EXPECT_DOUBLE_EQ(StrToTime("2:30:15 PM").Value(), EncodeTime(14, 30, 15, 0).Value());
  EXPECT_DOUBLE_EQ(StrToTime("12:00 am").Value(), 0.0);
  EXPECT_DOUBLE_EQ(StrToDateTime("24.12.2026 18:00", de).Value(),
                   EncodeDate(2026, 12, 24).Value() + EncodeTime(18, 0, 0, 0).Value());
  try {
    StrToDate("31.02.2026", de);
    FAIL();
  } catch (const EConvertError& e) {
    EXPECT_STREQ(e.what(), "'31.02.2026' is not a valid date");
  }
  EXPECT_THROW(StrToTime("25:00"), EConvertError);
  EXPECT_THROW(StrToTime("13:00 PM"), EConvertError);
  EXPECT_THROW(StrToDate("24/12"), EConvertError);  // day 24 is no month
}

}  // namespace
}  // namespace xel
