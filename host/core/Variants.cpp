#include "Variants.h"

#include <cmath>

#include "DateTime.h"
#include "Format.h"

namespace xel {

namespace {

[[noreturn]] void CastError() { throw EVariantError(SConst::InvalidVarCast); }

// Rounds half to even, as the host's variant conversions do.
Int64 RoundToInt(double v) {
  double r = std::nearbyint(v);
  if (!(r >= -9.2233720368547758e18 && r < 9.2233720368547758e18)) CastError();
  return static_cast<Int64>(r);
}

}  // namespace

Variant Variant::Null() {
  Variant v;
  v.FType = varNull;
  return v;
}

Variant Variant::Error(Integer code) {
  Variant v;
  v.FType = varError;
  v.FInt = code;
  return v;
}

Variant::Variant(const WideString& v) : FType(varOleStr), FStr(WideToUtf8(v)) {}

bool Variant::IsNumeric() const {
  switch (FType) {
    case varSmallint: case varInteger: case varByte: case varSingle: case varDouble:
    case varCurrency: case varDate:
      return true;
    default:
      return false;
  }
}

String Variant::AsString() const {
  switch (FType) {
    case varEmpty: return {};
    case varSmallint: case varInteger: case varByte: return IntToStr(FInt);
    case varSingle: return FloatToStrF(FFloat, ffGeneral, 7, 0);
    case varDouble: return FloatToStr(FFloat);
    case varCurrency: return CurrToStr(Currency::FromScaled(FInt));
    case varDate: return DateTimeToStr(TDateTime(FFloat));
    case varOleStr: case varString: return FStr;
    case varBoolean: return FInt ? "True" : "False";
    default: CastError();
  }
}

Int64 Variant::AsInt64() const {
  switch (FType) {
    case varEmpty: return 0;
    case varSmallint: case varInteger: case varByte: return FInt;
    case varSingle: case varDouble: case varDate: return RoundToInt(FFloat);
    case varCurrency: return RoundToInt(static_cast<double>(FInt) / 10000.0);
    case varBoolean: return FInt ? -1 : 0;
    case varOleStr: case varString: {
      Int64 v;
      if (TryStrToInt64(Trim(FStr), v)) return v;
      long double f;
      if (TryStrToFloat(FStr, f)) return RoundToInt(static_cast<double>(f));
      CastError();
    }
    default: CastError();
  }
}

Integer Variant::AsInteger() const {
  Int64 v = AsInt64();
  if (v < INT32_MIN || v > INT32_MAX) CastError();
  return static_cast<Integer>(v);
}

double Variant::AsFloat() const {
  switch (FType) {
    case varEmpty: return 0;
    case varSmallint: case varInteger: case varByte: return static_cast<double>(FInt);
    case varSingle: case varDouble: case varDate: return FFloat;
    case varCurrency: return static_cast<double>(FInt) / 10000.0;
    case varBoolean: return FInt ? -1 : 0;
    case varOleStr: case varString: {
      long double f;
      if (!TryStrToFloat(FStr, f)) CastError();
      return static_cast<double>(f);
    }
    default: CastError();
  }
}

bool Variant::AsBoolean() const {
  switch (FType) {
    case varEmpty: return false;
    case varBoolean: case varSmallint: case varInteger: case varByte: case varCurrency: return FInt != 0;
    case varSingle: case varDouble: case varDate: return FFloat != 0;
    case varOleStr: case varString: {
      String t = Trim(FStr);
      if (SameText(t, "True")) return true;
      if (SameText(t, "False")) return false;
      long double f;
      if (TryStrToFloat(t, f)) return f != 0;
      CastError();
    }
    default: CastError();
  }
}

TDateTime Variant::AsDateTime() const {
  switch (FType) {
    case varOleStr: case varString:
      try {
        return StrToDateTime(FStr);
      } catch (const EConvertError&) {
        CastError();
      }
    case varNull: case varError: CastError();
    default: return TDateTime(AsFloat());
  }
}

Currency Variant::AsCurrency() const {
  if (FType == varCurrency) return Currency::FromScaled(FInt);
  if (FType == varSmallint || FType == varInteger || FType == varByte) return Currency::FromScaled(FInt * 10000);
  return Currency::FromDouble(AsFloat());
}

Integer Variant::AsError() const {
  if (FType != varError) CastError();
  return static_cast<Integer>(FInt);
}

int Variant::Compare(const Variant& a, const Variant& b) {
  if (a.IsNull() || b.IsNull()) {
    if (a.IsNull() && b.IsNull()) return 0;
    throw EVariantError(SConst::InvalidVarOp);
  }
  auto sign = [](auto x, auto y) { return x < y ? -1 : (x > y ? 1 : 0); };
  if (a.IsStringType() && b.IsStringType()) return sign(CompareStr(a.FStr, b.FStr), 0);
  if (a.IsEmpty() && b.IsEmpty()) return 0;
  if ((a.IsStringType() || a.IsEmpty()) && (b.IsStringType() || b.IsEmpty()))
    return sign(CompareStr(a.AsString(), b.AsString()), 0);
  bool intA = a.FType == varSmallint || a.FType == varInteger || a.FType == varByte || a.FType == varBoolean;
  bool intB = b.FType == varSmallint || b.FType == varInteger || b.FType == varByte || b.FType == varBoolean;
  if (intA && intB) return sign(a.AsInt64(), b.AsInt64());
  try {
    return sign(a.AsFloat(), b.AsFloat());
  } catch (const EVariantError&) {
    return sign(CompareStr(a.AsString(), b.AsString()), 0);
  }
}

bool operator==(const Variant& a, const Variant& b) {
  if (a.IsNull() || b.IsNull()) return a.IsNull() && b.IsNull();
  if (a.FType == varError || b.FType == varError) return a.FType == b.FType && a.FInt == b.FInt;
  return Variant::Compare(a, b) == 0;
}

String VarToStr(const Variant& v) { return v.IsNull() ? String() : v.AsString(); }

Variant VarAsType(const Variant& v, TVarType type) {
  switch (type) {
    case varEmpty: return Variant();
    case varNull: return Variant::Null();
    case varSmallint: {
      Integer i = v.AsInteger();
      if (i < INT16_MIN || i > INT16_MAX) CastError();
      return Variant(static_cast<SmallInt>(i));
    }
    case varInteger: return Variant(v.AsInteger());
    case varByte: {
      Integer i = v.AsInteger();
      if (i < 0 || i > 255) CastError();
      return Variant(static_cast<Byte>(i));
    }
    case varSingle: return Variant(static_cast<float>(v.AsFloat()));
    case varDouble: return Variant(v.AsFloat());
    case varCurrency: return Variant(v.AsCurrency());
    case varDate: return Variant(v.AsDateTime());
    case varOleStr: return Variant(v.AsWideString());
    case varString: return Variant(v.AsString());
    case varBoolean: return Variant(v.AsBoolean());
    default: CastError();
  }
}

String VarTypeName(TVarType type) {
  switch (type) {
    case varEmpty: return "Empty";
    case varNull: return "Null";
    case varSmallint: return "Smallint";
    case varInteger: return "Integer";
    case varSingle: return "Single";
    case varDouble: return "Double";
    case varCurrency: return "Currency";
    case varDate: return "Date";
    case varOleStr: return "OleStr";
    case varError: return "Error";
    case varBoolean: return "Boolean";
    case varByte: return "Byte";
    case varString: return "String";
    default: return "$" + IntToHex(type, 4);
  }
}

}  // namespace xel
