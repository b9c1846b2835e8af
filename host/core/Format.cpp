#include "Format.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace xel {

namespace {

// Decimal digits of |value| rounded to `precision` significant digits, and the decimal
// exponent of the first digit (value = 0.d1d2d3... * 10^(exp+1)).
struct TDecimal {
  String Digits;
  int Exponent = 0;
  bool Negative = false;
};

// Rounds half away from zero, on the decimal digits, as the host's float conversion does
// (printf would round exact ties such as 2.5 to even).
void RoundDigits(TDecimal& d, int keep) {
  if (keep < 0) {
    d.Digits.clear();
    return;
  }
  if (static_cast<size_t>(keep) >= d.Digits.size()) {
    d.Digits.resize(static_cast<size_t>(keep), '0');
    return;
  }
  bool up = d.Digits[static_cast<size_t>(keep)] >= '5';
  d.Digits.resize(static_cast<size_t>(keep));
  if (!up) return;
  int i = keep - 1;
  while (i >= 0 && d.Digits[static_cast<size_t>(i)] == '9') d.Digits[static_cast<size_t>(i--)] = '0';
  if (i >= 0) {
    ++d.Digits[static_cast<size_t>(i)];
  } else {
    d.Digits.insert(d.Digits.begin(), '1');
    d.Digits.pop_back();
    ++d.Exponent;
    if (keep == 0) d.Digits = "1";
  }
}

// The first 18 significant digits, then rounded to `precision` of them.
TDecimal ToDecimal(long double value, int precision) {
  TDecimal d;
  d.Negative = std::signbit(value) && value != 0;
  if (value == 0) {
    d.Digits = String(static_cast<size_t>(precision), '0');
    return d;
  }
  char buf[128];
  std::snprintf(buf, sizeof buf, "%.17Le", std::fabs(value));
  String s(buf);
  size_t e = s.find('e');
  for (size_t i = 0; i < e; ++i)
    if (s[i] != '.') d.Digits += s[i];
  d.Exponent = std::atoi(s.c_str() + e + 1);
  RoundDigits(d, precision);
  return d;
}

String Exponent(int exp, int minDigits, bool alwaysSign) {
  String r = "E";
  if (exp < 0) r += '-';
  else if (alwaysSign) r += '+';
  String n = std::to_string(exp < 0 ? -exp : exp);
  while (static_cast<int>(n.size()) < minDigits) n.insert(n.begin(), '0');
  return r + n;
}

String GroupThousands(const String& intPart, char sep) {
  if (sep == 0) return intPart;
  String r;
  int n = static_cast<int>(intPart.size());
  for (int i = 0; i < n; ++i) {
    r += intPart[static_cast<size_t>(i)];
    int left = n - 1 - i;
    if (left > 0 && left % 3 == 0) r += sep;
  }
  return r;
}

// Fixed notation with exactly `decimals` digits after the separator.
String FixedText(long double value, int decimals, bool group, const TFormatSettings& fs) {
  TDecimal d = ToDecimal(value, 18);
  if (value == 0) d.Digits.clear();
  else RoundDigits(d, d.Exponent + 1 + decimals);
  // Lay the digits out around the decimal point.
  String ip, fp;
  int intDigits = d.Exponent + 1;
  for (int i = 0; i < intDigits; ++i) ip += i < static_cast<int>(d.Digits.size()) ? d.Digits[static_cast<size_t>(i)] : '0';
  for (int i = 0; i < decimals; ++i) {
    int k = intDigits + i;
    fp += (k >= 0 && k < static_cast<int>(d.Digits.size())) ? d.Digits[static_cast<size_t>(k)] : '0';
  }
  if (ip.empty()) ip = "0";
  bool zero = true;
  for (char c : ip + fp)
    if (c != '0') zero = false;
  String r = (d.Negative && !zero) ? "-" : "";
  r += group ? GroupThousands(ip, fs.ThousandSeparator) : ip;
  if (decimals > 0) r += fs.DecimalSeparator + fp;
  return r;
}

}  // namespace

String FloatToStrF(long double value, TFloatFormat format, int precision, int digits, const TFormatSettings& fs) {
  if (std::isnan(value)) return "NAN";
  if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
  if (precision < 1) precision = 1;
  if (precision > 18) precision = 18;
  switch (format) {
    case ffGeneral: {
      TDecimal d = ToDecimal(value, precision);
      if (value == 0) return "0";
      while (d.Digits.size() > 1 && d.Digits.back() == '0') d.Digits.pop_back();
      String r = d.Negative ? "-" : "";
      int nd = static_cast<int>(d.Digits.size());
      if (d.Exponent >= precision || d.Exponent < -4) {
        r += d.Digits[0];
        if (nd > 1) r += fs.DecimalSeparator + d.Digits.substr(1);
        return r + Exponent(d.Exponent, digits, false);
      }
      if (d.Exponent < 0) {
        r += "0";
        r += fs.DecimalSeparator;
        r += String(static_cast<size_t>(-d.Exponent - 1), '0') + d.Digits;
        return r;
      }
      int intDigits = d.Exponent + 1;
      if (nd <= intDigits) return r + d.Digits + String(static_cast<size_t>(intDigits - nd), '0');
      return r + d.Digits.substr(0, static_cast<size_t>(intDigits)) + fs.DecimalSeparator +
             d.Digits.substr(static_cast<size_t>(intDigits));
    }
    case ffExponent: {
      TDecimal d = ToDecimal(value, precision);
      String r = d.Negative ? "-" : "";
      r += d.Digits[0];
      if (d.Digits.size() > 1) r += fs.DecimalSeparator + d.Digits.substr(1);
      return r + Exponent(d.Exponent, digits, true);
    }
    case ffFixed:
    case ffNumber:
    case ffCurrency: {
      if (std::fabs(value) >= std::pow(10.0L, precision)) return FloatToStrF(value, ffExponent, precision, 3, fs);
      if (digits < 0) digits = 0;
      if (digits > 18) digits = 18;
      String r = FixedText(value, digits, format != ffFixed, fs);
      if (format == ffCurrency) {
        if (!r.empty() && r[0] == '-') return "-" + fs.CurrencyString + r.substr(1);
        return fs.CurrencyString + r;
      }
      return r;
    }
  }
  return {};
}

String FloatToStrF(long double value, TFloatFormat format, int precision, int digits) {
  return FloatToStrF(value, format, precision, digits, FormatSettings);
}

String FloatToStr(long double value, const TFormatSettings& fs) { return FloatToStrF(value, ffGeneral, 15, 0, fs); }
String FloatToStr(long double value) { return FloatToStr(value, FormatSettings); }

String CurrToStr(Currency value) {
  return FloatToStrF(static_cast<long double>(value.Scaled) / 10000.0L, ffGeneral, 19, 0);
}

bool TryStrToFloat(std::string_view s, long double& value, const TFormatSettings& fs) {
  String t = Trim(s);
  if (t.empty()) return false;
  String c;
  size_t i = 0;
  if (t[i] == '+' || t[i] == '-') c += t[i++];
  bool digits = false, sep = false;
  for (; i < t.size(); ++i) {
    char ch = t[i];
    if (ch >= '0' && ch <= '9') {
      c += ch;
      digits = true;
    } else if (ch == fs.DecimalSeparator && !sep) {
      c += '.';
      sep = true;
    } else {
      break;
    }
  }
  if (!digits) return false;
  if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
    c += 'e';
    ++i;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) c += t[i++];
    bool ed = false;
    for (; i < t.size() && t[i] >= '0' && t[i] <= '9'; ++i) {
      c += t[i];
      ed = true;
    }
    if (!ed) return false;
  }
  if (i != t.size()) return false;
  value = std::strtold(c.c_str(), nullptr);
  return true;
}

bool TryStrToFloat(std::string_view s, long double& value) { return TryStrToFloat(s, value, FormatSettings); }

long double StrToFloat(std::string_view s, const TFormatSettings& fs) {
  long double v;
  if (!TryStrToFloat(s, v, fs)) throw EConvertError(Format(SConst::InvalidFloat, {String(s)}));
  return v;
}

long double StrToFloat(std::string_view s) { return StrToFloat(s, FormatSettings); }

long double StrToFloatDef(std::string_view s, long double def) {
  long double v;
  return TryStrToFloat(s, v) ? v : def;
}

String Format(std::string_view fmt, std::initializer_list<TVarRec> args) { return Format(fmt, args, FormatSettings); }

String Format(std::string_view fmt, std::initializer_list<TVarRec> args, const TFormatSettings& fs) {
  const TVarRec* argv = args.begin();
  const int argc = static_cast<int>(args.size());
  String out;
  int next = 0;
  auto invalid = [&]() { return EConvertError(Format(SConst::InvalidFormat, {String(fmt)}, fs)); };
  auto takeArg = [&]() -> const TVarRec& {
    if (next >= argc) throw EConvertError(Format(SConst::ArgumentMissing, {String(fmt)}, fs));
    return argv[next++];
  };
  size_t i = 0;
  while (i < fmt.size()) {
    char ch = fmt[i++];
    if (ch != '%') {
      out += ch;
      continue;
    }
    if (i < fmt.size() && fmt[i] == '%') {
      out += '%';
      ++i;
      continue;
    }
    // Optional index "n:", left-justification, width, precision.
    auto number = [&](int& value) -> bool {
      if (i < fmt.size() && fmt[i] == '*') {
        const TVarRec& a = takeArg();
        if (a.Kind() != TVarRec::vtInteger) throw invalid();
        value = static_cast<int>(a.AsInt());
        ++i;
        return true;
      }
      bool any = false;
      value = 0;
      while (i < fmt.size() && fmt[i] >= '0' && fmt[i] <= '9') {
        value = value * 10 + (fmt[i++] - '0');
        any = true;
      }
      return any;
    };
    // An argument index "n:" (digits only; "*" belongs to the width).
    size_t save = i;
    int n = 0;
    bool digits = false;
    while (i < fmt.size() && fmt[i] >= '0' && fmt[i] <= '9') {
      n = n * 10 + (fmt[i++] - '0');
      digits = true;
    }
    if (digits && i < fmt.size() && fmt[i] == ':') {
      next = n;
      ++i;
    } else {
      i = save;
    }
    bool left = false;
    if (i < fmt.size() && fmt[i] == '-') {
      left = true;
      ++i;
    }
    int width = 0;
    number(width);
    int prec = -1;
    if (i < fmt.size() && fmt[i] == '.') {
      ++i;
      if (!number(prec)) prec = 0;
    }
    if (i >= fmt.size()) throw invalid();
    char type = UpCase(fmt[i++]);
    const TVarRec& a = takeArg();
    String s;
    switch (type) {
      case 'D':
      case 'U': {
        if (a.Kind() != TVarRec::vtInteger) throw invalid();
        Int64 v = a.AsInt();
        if (type == 'U') s = std::to_string(static_cast<std::uint32_t>(v));
        else s = std::to_string(v < 0 ? -v : v);
        while (prec > 0 && static_cast<int>(s.size()) < prec) s.insert(s.begin(), '0');
        if (type == 'D' && v < 0) s.insert(s.begin(), '-');
        break;
      }
      case 'X': {
        if (a.Kind() != TVarRec::vtInteger) throw invalid();
        Int64 v = a.AsInt();
        bool narrow = v >= INT32_MIN && v <= INT32_MAX;
        s = IntToHex(narrow ? static_cast<Int64>(static_cast<std::uint32_t>(v)) : v, prec > 0 ? prec : 0);
        break;
      }
      case 'S': {
        if (a.Kind() == TVarRec::vtString) s = String(a.AsString());
        else if (a.Kind() == TVarRec::vtChar) s = String(1, static_cast<char>(a.AsInt()));
        else throw invalid();
        if (prec >= 0 && static_cast<int>(s.size()) > prec) s.resize(static_cast<size_t>(prec));
        break;
      }
      case 'C': {
        if (a.Kind() != TVarRec::vtChar) throw invalid();
        s = String(1, static_cast<char>(a.AsInt()));
        break;
      }
      case 'P': {
        if (a.Kind() != TVarRec::vtPointer) throw invalid();
        s = IntToHex(static_cast<Int64>(reinterpret_cast<std::uintptr_t>(a.AsPointer())),
                     static_cast<int>(2 * sizeof(void*)));
        break;
      }
      case 'G':
      case 'E':
      case 'F':
      case 'N':
      case 'M': {
        if (a.Kind() != TVarRec::vtExtended && a.Kind() != TVarRec::vtCurrency) throw invalid();
        long double v = a.AsFloat();
        if (type == 'G') s = FloatToStrF(v, ffGeneral, prec < 0 ? 15 : prec, 0, fs);
        else if (type == 'E') s = FloatToStrF(v, ffExponent, prec < 0 ? 15 : prec, 3, fs);
        else if (type == 'F') s = FloatToStrF(v, ffFixed, 18, prec < 0 ? 2 : prec, fs);
        else if (type == 'N') s = FloatToStrF(v, ffNumber, 18, prec < 0 ? 2 : prec, fs);
        else s = FloatToStrF(v, ffCurrency, 18, prec < 0 ? fs.CurrencyDecimals : prec, fs);
        break;
      }
      default:
        throw invalid();
    }
    if (static_cast<int>(s.size()) < width) {
      String pad(static_cast<size_t>(width) - s.size(), ' ');
      s = left ? s + pad : pad + s;
    }
    out += s;
  }
  return out;
}

}  // namespace xel
