// TDateTime arithmetic, formatting and parsing of the host's SysUtils.
#pragma once

#include "SysUtils.h"

namespace xel {

inline constexpr double MSecsPerDay = 86400000.0;

bool IsLeapYear(Word year);
Word DaysInMonth(Word year, Word month);
bool TryEncodeDate(Word year, Word month, Word day, TDateTime& date);
bool TryEncodeTime(Word hour, Word min, Word sec, Word msec, TDateTime& time);
TDateTime EncodeDate(Word year, Word month, Word day);  // EConvertError when invalid
TDateTime EncodeTime(Word hour, Word min, Word sec, Word msec);
void DecodeDate(TDateTime date, Word& year, Word& month, Word& day);
void DecodeTime(TDateTime time, Word& hour, Word& min, Word& sec, Word& msec);
int DayOfWeek(TDateTime date);  // 1 = Sunday, as the host counts

TDateTime Now();
TDateTime Date();
TDateTime Time();

// Patterns: c d dd ddd dddd ddddd dddddd m mm mmm mmmm yy yyyy h hh n nn s ss z zzz
// t tt am/pm a/p ampm / : and literal text in '...' or "...".
String FormatDateTime(std::string_view format, TDateTime dt);
String FormatDateTime(std::string_view format, TDateTime dt, const TFormatSettings& fs);
String DateToStr(TDateTime dt);
String TimeToStr(TDateTime dt);
String DateTimeToStr(TDateTime dt);

// Parsing under the settings' ShortDateFormat order and separators.
TDateTime StrToDate(std::string_view s);
TDateTime StrToDate(std::string_view s, const TFormatSettings& fs);
TDateTime StrToTime(std::string_view s);
TDateTime StrToTime(std::string_view s, const TFormatSettings& fs);
TDateTime StrToDateTime(std::string_view s);
TDateTime StrToDateTime(std::string_view s, const TFormatSettings& fs);
bool TryStrToDate(std::string_view s, TDateTime& value, const TFormatSettings& fs);
bool TryStrToTime(std::string_view s, TDateTime& value, const TFormatSettings& fs);
bool TryStrToDateTime(std::string_view s, TDateTime& value, const TFormatSettings& fs);

}  // namespace xel
