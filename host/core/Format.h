// Format and the floating-point conversions of the host's SysUtils.
#pragma once

#include <initializer_list>
#include <string_view>
#include <type_traits>

#include "SysUtils.h"

namespace xel {

// One argument of Format, the host's "array of const" element.
class TVarRec {
public:
  enum TKind { vtInteger, vtBoolean, vtChar, vtExtended, vtString, vtPointer, vtCurrency };
  template <class T>
    requires(std::is_integral_v<T> && !std::is_same_v<T, bool> && !std::is_same_v<T, char>)
  TVarRec(T v) : FKind(vtInteger), FInt(static_cast<Int64>(v)) {}
  TVarRec(bool v) : FKind(vtBoolean), FInt(v) {}
  TVarRec(char v) : FKind(vtChar), FInt(static_cast<unsigned char>(v)) {}
  TVarRec(float v) : FKind(vtExtended), FFloat(v) {}
  TVarRec(double v) : FKind(vtExtended), FFloat(v) {}
  TVarRec(long double v) : FKind(vtExtended), FFloat(v) {}
  TVarRec(TDateTime v) : FKind(vtExtended), FFloat(v.Value()) {}
  TVarRec(Currency v) : FKind(vtCurrency), FFloat(static_cast<long double>(v.Scaled) / 10000.0L) {}
  TVarRec(std::string_view v) : FKind(vtString), FStr(v) {}
  TVarRec(const String& v) : FKind(vtString), FStr(v) {}
  TVarRec(const char* v) : FKind(vtString), FStr(v ? v : "") {}
  TVarRec(const void* v) : FKind(vtPointer), FPtr(v) {}
  TVarRec(std::nullptr_t) : FKind(vtPointer), FPtr(nullptr) {}

  TKind Kind() const { return FKind; }
  Int64 AsInt() const { return FInt; }
  long double AsFloat() const { return FFloat; }
  std::string_view AsString() const { return FStr; }
  const void* AsPointer() const { return FPtr; }

private:
  TKind FKind;
  Int64 FInt = 0;
  long double FFloat = 0;
  std::string_view FStr;
  const void* FPtr = nullptr;
};

// Format(fmt, {args}): %[index:][-][width][.precision]type with the types
// d u x s g f e n m p c and %%; "*" takes a width or precision from the arguments.
String Format(std::string_view fmt, std::initializer_list<TVarRec> args);
String Format(std::string_view fmt, std::initializer_list<TVarRec> args, const TFormatSettings& fs);

enum TFloatFormat { ffGeneral, ffExponent, ffFixed, ffNumber, ffCurrency };

String FloatToStr(long double value);
String FloatToStr(long double value, const TFormatSettings& fs);
String FloatToStrF(long double value, TFloatFormat format, int precision, int digits);
String FloatToStrF(long double value, TFloatFormat format, int precision, int digits, const TFormatSettings& fs);
String CurrToStr(Currency value);
long double StrToFloat(std::string_view s);
long double StrToFloat(std::string_view s, const TFormatSettings& fs);
long double StrToFloatDef(std::string_view s, long double def);
bool TryStrToFloat(std::string_view s, long double& value);
bool TryStrToFloat(std::string_view s, long double& value, const TFormatSettings& fs);

}  // namespace xel
