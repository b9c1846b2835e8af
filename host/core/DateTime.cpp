#include "DateTime.h"

#include <chrono>
#include <cmath>
#include <ctime>
#include <vector>

#include "Format.h"

namespace xel {

namespace {

constexpr int DateDelta = 693594;  // days from 0001-01-01 to 1899-12-30
constexpr Word MonthDays[2][12] = {{31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31},
                                   {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31}};

struct TTimeStamp {
  Int64 Time;  // milliseconds since midnight
  Int64 Date;  // days since 0001-01-01, plus one
};

TTimeStamp ToTimeStamp(TDateTime dt) {
  auto t = static_cast<Int64>(std::llround(std::fabs(dt.Value()) * MSecsPerDay));
  TTimeStamp ts{t % 86400000, t / 86400000};
  if (dt.Value() < 0) ts.Date = -ts.Date;
  ts.Date += DateDelta;
  return ts;
}

void AppendNumber(String& out, int value, int digits) {
  String n = std::to_string(value);
  while (static_cast<int>(n.size()) < digits) n.insert(n.begin(), '0');
  out += n;
}

void FormatInto(String& out, std::string_view fmt, TDateTime dt, const TFormatSettings& fs, int depth) {
  if (depth > 2) return;
  Word year, month, day, hour, min, sec, msec;
  DecodeDate(dt, year, month, day);
  DecodeTime(dt, hour, min, sec, msec);
  char lastToken = ' ';
  size_t i = 0;
  auto count = [&](char c) {
    int n = 1;
    while (i < fmt.size() && UpCase(fmt[i]) == UpCase(c)) {
      ++i;
      ++n;
    }
    return n;
  };
  while (i < fmt.size()) {
    char raw = fmt[i++];
    char token = UpCase(raw);
    if (token >= 'A' && token <= 'Z') {
      if (token == 'M' && lastToken == 'H') token = 'N';
      lastToken = token;
    }
    switch (token) {
      case 'Y': {
        int n = count(raw);
        if (n <= 2) AppendNumber(out, year % 100, 2);
        else AppendNumber(out, year, 4);
        break;
      }
      case 'M': {
        int n = count(raw);
        if (n <= 2) AppendNumber(out, month, n);
        else if (n == 3) out += fs.ShortMonthNames[month - 1];
        else out += fs.LongMonthNames[month - 1];
        break;
      }
      case 'D': {
        int n = count(raw);
        int dow = DayOfWeek(dt) - 1;
        if (n <= 2) AppendNumber(out, day, n);
        else if (n == 3) out += fs.ShortDayNames[dow];
        else if (n == 4) out += fs.LongDayNames[dow];
        else if (n == 5) FormatInto(out, fs.ShortDateFormat, dt, fs, depth + 1);
        else FormatInto(out, fs.LongDateFormat, dt, fs, depth + 1);
        break;
      }
      case 'H': {
        int n = count(raw);
        // The 12-hour clock applies when the next "a" token after the hour is an AM/PM marker.
        bool use12 = false, quoted = false;
        for (size_t k = i; k < fmt.size(); ++k) {
          char c = fmt[k];
          if (c == '\'' || c == '"') quoted = !quoted;
          else if (!quoted && (c == 'h' || c == 'H')) break;
          else if (!quoted && (c == 'a' || c == 'A')) {
            std::string_view rest = fmt.substr(k);
            use12 = (rest.size() >= 5 && SameText(rest.substr(0, 5), "am/pm")) ||
                    (rest.size() >= 3 && SameText(rest.substr(0, 3), "a/p")) ||
                    (rest.size() >= 4 && SameText(rest.substr(0, 4), "ampm"));
            break;
          }
        }
        int h = hour;
        if (use12) {
          h %= 12;
          if (h == 0) h = 12;
        }
        AppendNumber(out, h, n > 2 ? 2 : n);
        break;
      }
      case 'N': {
        int n = count(raw);
        AppendNumber(out, min, n > 2 ? 2 : n);
        break;
      }
      case 'S': {
        int n = count(raw);
        AppendNumber(out, sec, n > 2 ? 2 : n);
        break;
      }
      case 'Z': {
        int n = count(raw);
        AppendNumber(out, msec, n == 1 ? 1 : 3);
        break;
      }
      case 'T': {
        int n = count(raw);
        FormatInto(out, n == 1 ? fs.ShortTimeFormat : fs.LongTimeFormat, dt, fs, depth + 1);
        break;
      }
      case 'C':
        count(raw);
        FormatInto(out, fs.ShortDateFormat, dt, fs, depth + 1);
        if (hour != 0 || min != 0 || sec != 0 || msec != 0) {
          out += ' ';
          FormatInto(out, fs.LongTimeFormat, dt, fs, depth + 1);
        }
        break;
      case 'A': {
        std::string_view rest = fmt.substr(i - 1);
        bool pm = hour >= 12;
        if (rest.size() >= 5 && SameText(rest.substr(0, 5), "am/pm")) {
          String t(rest.substr(pm ? 3 : 0, 2));
          out += t;
          i += 4;
        } else if (rest.size() >= 3 && SameText(rest.substr(0, 3), "a/p")) {
          out += rest[pm ? 2 : 0];
          i += 2;
        } else if (rest.size() >= 4 && SameText(rest.substr(0, 4), "ampm")) {
          out += pm ? fs.TimePMString : fs.TimeAMString;
          i += 3;
        } else {
          out += raw;
        }
        break;
      }
      case '/':
        out += fs.DateSeparator;
        break;
      case ':':
        out += fs.TimeSeparator;
        break;
      case '\'':
      case '"': {
        size_t end = fmt.find(raw, i);
        if (end == std::string_view::npos) end = fmt.size();
        out += fmt.substr(i, end - i);
        i = end < fmt.size() ? end + 1 : end;
        break;
      }
      default:
        out += raw;
    }
  }
}

// Reads an unsigned decimal number; false when none is there.
bool ScanNumber(std::string_view s, size_t& i, int& value, int& digits) {
  digits = 0;
  value = 0;
  while (i < s.size() && s[i] >= '0' && s[i] <= '9' && digits < 9) {
    value = value * 10 + (s[i++] - '0');
    ++digits;
  }
  return digits > 0;
}

void SkipBlanks(std::string_view s, size_t& i) {
  while (i < s.size() && s[i] == ' ') ++i;
}

bool ScanChar(std::string_view s, size_t& i, char c) {
  SkipBlanks(s, i);
  if (i < s.size() && s[i] == c) {
    ++i;
    return true;
  }
  return false;
}

bool ScanDate(std::string_view s, size_t& i, TDateTime& date, const TFormatSettings& fs) {
  enum { doMDY, doDMY, doYMD } order = doMDY;
  for (char c : fs.ShortDateFormat) {
    char u = UpCase(c);
    if (u == 'E' || u == 'Y') { order = doYMD; break; }
    if (u == 'M') { order = doMDY; break; }
    if (u == 'D') { order = doDMY; break; }
  }
  int n1, n2, n3 = 0, d1, d2, d3 = 0;
  SkipBlanks(s, i);
  if (!ScanNumber(s, i, n1, d1) || !ScanChar(s, i, fs.DateSeparator)) return false;
  SkipBlanks(s, i);
  if (!ScanNumber(s, i, n2, d2)) return false;
  bool three = false;
  size_t save = i;
  if (ScanChar(s, i, fs.DateSeparator)) {
    SkipBlanks(s, i);
    if (!ScanNumber(s, i, n3, d3)) return false;
    three = true;
  } else {
    i = save;
  }
  Word y, m, d;
  TDateTime today = Now();
  Word cy, cm, cd;
  DecodeDate(today, cy, cm, cd);
  int yearDigits = 4;
  if (!three) {
    y = cy;
    if (order == doMDY) { m = static_cast<Word>(n1); d = static_cast<Word>(n2); }
    else if (order == doDMY) { d = static_cast<Word>(n1); m = static_cast<Word>(n2); }
    else { m = static_cast<Word>(n1); d = static_cast<Word>(n2); }
  } else if (order == doMDY) {
    m = static_cast<Word>(n1); d = static_cast<Word>(n2); y = static_cast<Word>(n3); yearDigits = d3;
  } else if (order == doDMY) {
    d = static_cast<Word>(n1); m = static_cast<Word>(n2); y = static_cast<Word>(n3); yearDigits = d3;
  } else {
    y = static_cast<Word>(n1); m = static_cast<Word>(n2); d = static_cast<Word>(n3); yearDigits = d1;
  }
  if (yearDigits <= 2) {
    int century = cy - fs.TwoDigitYearCenturyWindow;
    int base = century - century % 100;
    int full = base + y;
    if (fs.TwoDigitYearCenturyWindow > 0 && full < century) full += 100;
    y = static_cast<Word>(full);
  }
  SkipBlanks(s, i);
  return TryEncodeDate(y, m, d, date);
}

bool ScanTime(std::string_view s, size_t& i, TDateTime& time, const TFormatSettings& fs) {
  int h, m = 0, sec = 0, ms = 0, dg;
  SkipBlanks(s, i);
  if (!ScanNumber(s, i, h, dg)) return false;
  bool haveMin = false;
  if (ScanChar(s, i, fs.TimeSeparator)) {
    SkipBlanks(s, i);
    if (!ScanNumber(s, i, m, dg)) return false;
    haveMin = true;
    if (ScanChar(s, i, fs.TimeSeparator)) {
      SkipBlanks(s, i);
      if (!ScanNumber(s, i, sec, dg)) return false;
      if (ScanChar(s, i, fs.DecimalSeparator) && !ScanNumber(s, i, ms, dg)) return false;
    }
  }
  SkipBlanks(s, i);
  int ampm = -1;
  std::string_view rest = s.substr(i);
  auto match = [&](std::string_view word) {
    if (!word.empty() && rest.size() >= word.size() && SameText(rest.substr(0, word.size()), word)) {
      i += word.size();
      return true;
    }
    return false;
  };
  if (match(fs.TimeAMString) || match("AM")) ampm = 0;
  else if (match(fs.TimePMString) || match("PM")) ampm = 1;
  if (!haveMin && ampm < 0) return false;
  if (ampm >= 0) {
    if (h == 0 || h > 12) return false;
    if (h == 12) h = 0;
    h += 12 * ampm;
  }
  SkipBlanks(s, i);
  return TryEncodeTime(static_cast<Word>(h), static_cast<Word>(m), static_cast<Word>(sec), static_cast<Word>(ms), time);
}

}  // namespace

bool IsLeapYear(Word year) { return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0); }

Word DaysInMonth(Word year, Word month) { return MonthDays[IsLeapYear(year)][month - 1]; }

bool TryEncodeDate(Word year, Word month, Word day, TDateTime& date) {
  if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month)) return false;
  int days = day;
  for (int m = 1; m < month; ++m) days += MonthDays[IsLeapYear(year)][m - 1];
  int y = year - 1;
  date = TDateTime(static_cast<double>(y * 365 + y / 4 - y / 100 + y / 400 + days - DateDelta));
  return true;
}

bool TryEncodeTime(Word hour, Word min, Word sec, Word msec, TDateTime& time) {
  if (hour >= 24 || min >= 60 || sec >= 60 || msec >= 1000) return false;
  time = TDateTime((hour * 3600000.0 + min * 60000.0 + sec * 1000.0 + msec) / MSecsPerDay);
  return true;
}

TDateTime EncodeDate(Word year, Word month, Word day) {
  TDateTime d;
  if (!TryEncodeDate(year, month, day, d)) throw EConvertError("Invalid argument to date encode");
  return d;
}

TDateTime EncodeTime(Word hour, Word min, Word sec, Word msec) {
  TDateTime t;
  if (!TryEncodeTime(hour, min, sec, msec, t)) throw EConvertError("Invalid argument to time encode");
  return t;
}

void DecodeDate(TDateTime date, Word& year, Word& month, Word& day) {
  Int64 t = ToTimeStamp(date).Date;  // days since 0001-01-01, 1-based
  if (t <= 0) {
    year = month = day = 0;
    return;
  }
  constexpr int D1 = 365, D4 = D1 * 4 + 1, D100 = D4 * 25 - 1, D400 = D100 * 4 + 1;
  Int64 n = t - 1;
  int y = 1;
  y += static_cast<int>(n / D400) * 400;
  n %= D400;
  Int64 i = n / D100;
  Int64 d = n % D100;
  if (i == 4) { --i; d += D100; }
  y += static_cast<int>(i) * 100;
  i = d / D4;
  d %= D4;
  y += static_cast<int>(i) * 4;
  i = d / D1;
  d %= D1;
  if (i == 4) { --i; d += D1; }
  y += static_cast<int>(i);
  bool leap = IsLeapYear(static_cast<Word>(y));
  int m = 1;
  while (d >= MonthDays[leap][m - 1]) {
    d -= MonthDays[leap][m - 1];
    ++m;
  }
  year = static_cast<Word>(y);
  month = static_cast<Word>(m);
  day = static_cast<Word>(d + 1);
}

void DecodeTime(TDateTime time, Word& hour, Word& min, Word& sec, Word& msec) {
  Int64 t = ToTimeStamp(time).Time;
  hour = static_cast<Word>(t / 3600000);
  min = static_cast<Word>(t / 60000 % 60);
  sec = static_cast<Word>(t / 1000 % 60);
  msec = static_cast<Word>(t % 1000);
}

int DayOfWeek(TDateTime date) {
  Int64 d = ToTimeStamp(date).Date;
  return static_cast<int>(d % 7) + 1;
}

TDateTime Now() {
  using namespace std::chrono;
  auto now = system_clock::now();
  std::time_t tt = system_clock::to_time_t(now);
  std::tm lt{};
  localtime_r(&tt, &lt);
  auto ms = duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000;
  return TDateTime(EncodeDate(static_cast<Word>(lt.tm_year + 1900), static_cast<Word>(lt.tm_mon + 1),
                              static_cast<Word>(lt.tm_mday)) +
                   EncodeTime(static_cast<Word>(lt.tm_hour), static_cast<Word>(lt.tm_min),
                              static_cast<Word>(lt.tm_sec > 59 ? 59 : lt.tm_sec), static_cast<Word>(ms)));
}

TDateTime Date() { return TDateTime(std::floor(Now().Value())); }
TDateTime Time() {
  double now = Now().Value();
  return TDateTime(now - std::floor(now));
}

String FormatDateTime(std::string_view format, TDateTime dt, const TFormatSettings& fs) {
  String out;
  FormatInto(out, format.empty() ? std::string_view("c") : format, dt, fs, 0);
  return out;
}

String FormatDateTime(std::string_view format, TDateTime dt) { return FormatDateTime(format, dt, FormatSettings); }
String DateToStr(TDateTime dt) { return FormatDateTime("ddddd", dt); }
String TimeToStr(TDateTime dt) { return FormatDateTime("tt", dt); }
String DateTimeToStr(TDateTime dt) { return FormatDateTime("c", dt); }

bool TryStrToDate(std::string_view s, TDateTime& value, const TFormatSettings& fs) {
  size_t i = 0;
  return ScanDate(s, i, value, fs) && i == s.size();
}

bool TryStrToTime(std::string_view s, TDateTime& value, const TFormatSettings& fs) {
  size_t i = 0;
  return ScanTime(s, i, value, fs) && i == s.size();
}

TDateTime StrToDate(std::string_view s, const TFormatSettings& fs) {
  TDateTime d;
  if (!TryStrToDate(s, d, fs)) throw EConvertError(Format(SConst::InvalidDate, {String(s)}));
  return d;
}

TDateTime StrToTime(std::string_view s, const TFormatSettings& fs) {
  TDateTime t;
  if (!TryStrToTime(s, t, fs)) throw EConvertError(Format(SConst::InvalidTime, {String(s)}));
  return t;
}

bool TryStrToDateTime(std::string_view s, TDateTime& value, const TFormatSettings& fs) {
  size_t i = 0;
  TDateTime d, t;
  if (!ScanDate(s, i, d, fs)) {
    i = 0;
    if (!ScanTime(s, i, t, fs) || i != s.size()) return false;
    value = t;
    return true;
  }
  if (i == s.size()) {
    value = d;
    return true;
  }
  if (!ScanTime(s, i, t, fs) || i != s.size()) return false;
  value = TDateTime(d.Value() < 0 ? d.Value() - t.Value() : d.Value() + t.Value());
  return true;
}

TDateTime StrToDateTime(std::string_view s, const TFormatSettings& fs) {
  TDateTime dt;
  if (!TryStrToDateTime(s, dt, fs)) throw EConvertError(Format(SConst::InvalidDateTime, {String(s)}));
  return dt;
}

TDateTime StrToDate(std::string_view s) { return StrToDate(s, FormatSettings); }
TDateTime StrToTime(std::string_view s) { return StrToTime(s, FormatSettings); }
TDateTime StrToDateTime(std::string_view s) { return StrToDateTime(s, FormatSettings); }

}  // namespace xel
