// The host's Variant: a value of one of the types the language data can hold.
#pragma once

#include <type_traits>

#include "SysUtils.h"

namespace xel {

using TVarType = Word;
inline constexpr TVarType varEmpty = 0x0000;
inline constexpr TVarType varNull = 0x0001;
inline constexpr TVarType varSmallint = 0x0002;
inline constexpr TVarType varInteger = 0x0003;
inline constexpr TVarType varSingle = 0x0004;
inline constexpr TVarType varDouble = 0x0005;
inline constexpr TVarType varCurrency = 0x0006;
inline constexpr TVarType varDate = 0x0007;
inline constexpr TVarType varOleStr = 0x0008;
inline constexpr TVarType varError = 0x000A;  // an error code, as the host's EmptyParam carries
inline constexpr TVarType varBoolean = 0x000B;
inline constexpr TVarType varByte = 0x0011;
inline constexpr TVarType varString = 0x0100;
inline constexpr TVarType varTypeMask = 0x0FFF;

class Variant {
public:
  Variant() = default;
  static Variant Null();
  static Variant Error(Integer code);

  Variant(bool v) : FType(varBoolean) { FInt = v; }
  template <class T>
    requires(std::is_integral_v<T> && !std::is_same_v<T, bool> && !std::is_same_v<T, char> &&
             !std::is_same_v<T, char16_t>)
  Variant(T v) {
    if constexpr (std::is_same_v<T, Byte>) FType = varByte;
    else if constexpr (std::is_same_v<T, ShortInt> || std::is_same_v<T, SmallInt>) FType = varSmallint;
    else if constexpr (sizeof(T) <= 2 || (sizeof(T) == 4 && std::is_signed_v<T>)) FType = varInteger;
    else if (static_cast<long double>(v) >= INT32_MIN && static_cast<long double>(v) <= INT32_MAX) FType = varInteger;
    else { FType = varDouble; FFloat = static_cast<double>(v); return; }
    FInt = static_cast<Int64>(v);
  }
  Variant(char v) : FType(varString), FStr(1, v) {}
  Variant(float v) : FType(varSingle) { FFloat = v; }
  Variant(double v) : FType(varDouble) { FFloat = v; }
  Variant(long double v) : FType(varDouble) { FFloat = static_cast<double>(v); }
  Variant(Currency v) : FType(varCurrency) { FInt = v.Scaled; }
  Variant(TDateTime v) : FType(varDate) { FFloat = v.Value(); }
  Variant(const String& v) : FType(varString), FStr(v) {}
  Variant(String&& v) : FType(varString), FStr(std::move(v)) {}
  Variant(std::string_view v) : FType(varString), FStr(v) {}
  Variant(const char* v) : FType(varString), FStr(v ? v : "") {}
  Variant(const WideString& v);  // held as UTF-8, with the wide type code

  TVarType VarType() const { return FType; }
  bool IsEmpty() const { return FType == varEmpty; }
  bool IsNull() const { return FType == varNull; }
  bool IsNumeric() const;  // integer, float, currency or date types
  bool IsStringType() const { return FType == varString || FType == varOleStr; }

  // Conversions with the host's rules; EVariantError when the value does not convert.
  String AsString() const;
  WideString AsWideString() const { return Utf8ToWide(AsString()); }
  Integer AsInteger() const;
  Int64 AsInt64() const;
  double AsFloat() const;
  bool AsBoolean() const;
  TDateTime AsDateTime() const;
  Currency AsCurrency() const;
  Integer AsError() const;

  explicit operator String() const { return AsString(); }
  explicit operator Integer() const { return AsInteger(); }
  explicit operator double() const { return AsFloat(); }
  explicit operator bool() const { return AsBoolean(); }

  // Raw access for encoders that need the stored representation.
  Int64 RawInt() const { return FInt; }
  double RawFloat() const { return FFloat; }
  const String& RawString() const { return FStr; }

  // -1, 0, 1; Null is only equal to Null and cannot be ordered.
  static int Compare(const Variant& a, const Variant& b);
  friend bool operator==(const Variant& a, const Variant& b);
  friend bool operator<(const Variant& a, const Variant& b) { return Compare(a, b) < 0; }

private:
  TVarType FType = varEmpty;
  Int64 FInt = 0;
  double FFloat = 0.0;
  String FStr;
};

inline TVarType VarType(const Variant& v) { return v.VarType(); }
inline bool VarIsNull(const Variant& v) { return v.IsNull(); }
inline bool VarIsEmpty(const Variant& v) { return v.IsEmpty(); }
String VarToStr(const Variant& v);  // Null gives the empty string
Variant VarAsType(const Variant& v, TVarType type);
String VarTypeName(TVarType type);

}  // namespace xel
