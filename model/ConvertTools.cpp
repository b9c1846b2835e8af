#include "ConvertTools.h"

#include <cstring>

#include "Format.h"
#include "VersionControl.h"

XEL_UNIT_VERSION("$Header: /model/ConvertTools.cpp 1 10.12.26 15:20 XG $")

namespace xel {

namespace {

// Appends raw bytes; resize and copy keep GCC 12's overflow warnings quiet.
void PutBytes(std::vector<Byte>& b, const void* p, size_t n) {
  size_t at = b.size();
  b.resize(at + n);
  if (n) std::memcpy(b.data() + at, p, n);
}

void PutCode(std::vector<Byte>& b, std::uint32_t code) {
  Byte le[4] = {static_cast<Byte>(code), static_cast<Byte>(code >> 8), static_cast<Byte>(code >> 16),
                static_cast<Byte>(code >> 24)};
  PutBytes(b, le, 4);
}

template <class T>
void PutRaw(std::vector<Byte>& b, const T& v) {
  PutBytes(b, &v, sizeof(T));
}

template <class T>
T GetRaw(const Byte* p) {
  T v;
  std::memcpy(&v, p, sizeof(T));
  return v;
}

}  // namespace

std::vector<Byte> VariantToBuffer(const Variant& value) {
  std::vector<Byte> b;
  TVarType type = value.VarType() & varTypeMask;
  switch (type) {
    case varEmpty:
    case varNull:
      PutCode(b, type);
      break;
    case varSmallint:
      PutCode(b, type);
      PutRaw(b, static_cast<std::int16_t>(value.RawInt()));
      break;
    case varInteger:
      PutCode(b, type);
      PutRaw(b, static_cast<std::int32_t>(value.RawInt()));
      break;
    case varSingle:
      PutCode(b, type);
      PutRaw(b, static_cast<float>(value.RawFloat()));
      break;
    case varDouble:
    case varDate:
      PutCode(b, type);
      PutRaw(b, value.RawFloat());
      break;
    case varCurrency:
      PutCode(b, type);
      PutRaw(b, static_cast<std::int64_t>(value.RawInt()));
      break;
    case varOleStr:
    case varString:
      PutCode(b, type);
      PutBytes(b, value.RawString().data(), value.RawString().size());
      break;
    case varBoolean:
      PutCode(b, type);
      PutRaw(b, static_cast<Byte>(value.RawInt() ? 1 : 0));
      break;
    case varByte:
      PutCode(b, type);
      PutRaw(b, static_cast<Byte>(value.RawInt()));
      break;
    default:
      throw Exception("Variant type not supported");
  }
  return b;
}

Variant BufferToVariant(const Byte* buffer, size_t size) {
  if (!buffer || size < 4) throw Exception("Invalid buffer size");
  std::uint32_t code = GetRaw<std::uint32_t>(buffer);
  const Byte* p = buffer + 4;
  size_t n = size - 4;
  auto need = [&](size_t want) {
    if (n != want) throw Exception("Invalid buffer");
  };
  switch (code) {
    case varEmpty: need(0); return Variant();
    case varNull: need(0); return Variant::Null();
    case varSmallint: need(2); return Variant(static_cast<Integer>(GetRaw<std::int16_t>(p)));
    case varInteger: need(4); return Variant(GetRaw<std::int32_t>(p));
    case varSingle: need(4); return Variant(static_cast<double>(GetRaw<float>(p)));
    case varDouble: need(8); return Variant(GetRaw<double>(p));
    case varCurrency: need(8); return Variant(Currency::FromScaled(GetRaw<std::int64_t>(p)));
    case varDate: need(8); return Variant(TDateTime(GetRaw<double>(p)));
    case varOleStr:
    case varString: return Variant(String(reinterpret_cast<const char*>(p), n));
    case varBoolean: need(1); return Variant(p[0] != 0);
    case varByte: need(1); return Variant(static_cast<Integer>(p[0]));
    default: throw Exception("Invalid buffer entry");
  }
}

String IntToString(Int64 value, int width) {
  String s = IntToStr(value < 0 ? -value : value);
  int pad = width - static_cast<int>(s.size()) - (value < 0 ? 1 : 0);
  if (pad > 0) s.insert(s.begin(), static_cast<size_t>(pad), '0');
  return value < 0 ? "-" + s : s;
}

String IntToSys(std::uint64_t value, int base) {
  if (base < 2 || base > 36) throw EConvertError(Format("IntToSys failed. Invalid base %d", {base}));
  static const char digits[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";
  String r;
  do {
    r.insert(r.begin(), digits[value % static_cast<unsigned>(base)]);
    value /= static_cast<unsigned>(base);
  } while (value);
  return r;
}

std::uint64_t SysToInt(std::string_view text, int base) {
  if (base < 2 || base > 36) throw EConvertError(Format("SysToInt failed. Invalid base %d", {base}));
  String t = Trim(text);
  if (t.empty()) throw EConvertError(Format("'%s' is not a valid number of base %d", {String(text), base}));
  std::uint64_t v = 0;
  for (char c : t) {
    int d = (c >= '0' && c <= '9') ? c - '0' : (UpCase(c) >= 'A' && UpCase(c) <= 'Z') ? UpCase(c) - 'A' + 10 : 99;
    if (d >= base) throw EConvertError(Format("'%s' is not a valid number of base %d", {String(text), base}));
    if (v > (UINT64_MAX - static_cast<std::uint64_t>(d)) / static_cast<std::uint64_t>(base))
      throw EConvertError(Format("'%s' is out of range", {String(text)}));
    v = v * static_cast<std::uint64_t>(base) + static_cast<std::uint64_t>(d);
  }
  return v;
}

std::uint64_t HexToInt(std::string_view text) {
  String t = Trim(text);
  if (!t.empty() && t[0] == '$') t.erase(0, 1);
  if (!t.empty() && (t.back() == 'h' || t.back() == 'H')) t.pop_back();
  return SysToInt(t, 16);
}

String BoolToStr(bool value) { return value ? "True" : "False"; }

Int64 StringToInt(std::string_view text) {
  String t = Trim(text);
  bool neg = false;
  String body = t;
  if (!body.empty() && (body[0] == '-' || body[0] == '+')) {
    neg = body[0] == '-';
    body.erase(0, 1);
  }
  std::uint64_t v;
  try {
    if (!body.empty() && body[0] == '$') v = SysToInt(body.substr(1), 16);
    else if (body.size() > 2 && body[0] == '0' && (body[1] == 'x' || body[1] == 'X')) v = SysToInt(body.substr(2), 16);
    else if (body.size() > 1 && (body.back() == 'h' || body.back() == 'H')) v = SysToInt(body.substr(0, body.size() - 1), 16);
    else v = SysToInt(body, 10);
  } catch (const EConvertError&) {
    throw EConvertError(Format(SConst::InvalidInteger, {String(text)}));
  }
  if (v > static_cast<std::uint64_t>(INT64_MAX) + (neg ? 1 : 0)) throw EConvertError(Format(SConst::InvalidInteger, {String(text)}));
  return neg ? static_cast<Int64>(0 - v) : static_cast<Int64>(v);
}

Int64 StringToIntDef(std::string_view text, Int64 def) {
  try {
    return StringToInt(text);
  } catch (const EConvertError&) {
    return def;
  }
}

}  // namespace xel
