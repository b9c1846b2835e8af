#include "TypeTools.h"

#include "VersionControl.h"

XEL_UNIT_VERSION("$Header: /model/TypeTools.cpp 1 10.12.26 15:20 XG $")

namespace xel {

namespace {
PTypeInfo ElementType(PTypeInfo setType, const char* op) {
  if (!setType || setType->Kind != tkSet || !setType->Data.CompType)
    throw ETypeToolError(String(op) + " failed. Not a set");
  return setType->Data.CompType;
}
}  // namespace

String EnumToStr(PTypeInfo type, Int64 value) {
  if (!type || type->Kind != tkEnumeration) throw ETypeToolError("EnumToStr failed. Not an enumeration");
  const TTypeData& d = type->Data;
  if (value < d.MinValue || value > d.MaxValue) throw ETypeToolError("EnumToStr failed. Invalid ordinal value");
  return d.NameList[static_cast<size_t>(value - d.MinValue)];
}

Int64 StrToEnum(PTypeInfo type, std::string_view text) {
  if (!type || type->Kind != tkEnumeration) throw ETypeToolError("StrToEnum failed. Not an enumeration");
  Int64 v = GetEnumValue(type, text);
  if (v < 0) throw ETypeToolError("StrToEnum failed. String value not found in enumeration type");
  return v;
}

String SetToStr(PTypeInfo setType, std::uint32_t bits) {
  PTypeInfo elem = ElementType(setType, "SetToStr");
  String r = "[";
  bool first = true;
  for (int k = 0; k < 32; ++k)
    if (bits & (1u << k)) {
      if (!first) r += ',';
      r += EnumToStr(elem, elem->Data.MinValue + k);
      first = false;
    }
  return r + "]";
}

std::uint32_t StrToSet(PTypeInfo setType, std::string_view text) {
  PTypeInfo elem = ElementType(setType, "StrToSet");
  String t = Trim(text);
  if (t.empty() || t[0] != '[') throw ETypeToolError("StrToSet failed. Set text must begin with [");
  if (t == "[]") return 0;
  std::uint32_t bits = 0;
  size_t i = 1;
  for (;;) {
    size_t end = t.find_first_of(",]", i);
    if (end == String::npos) throw ETypeToolError("StrToSet failed. Empty member or unexpected end of set text");
    String member = t.substr(i, end - i);
    if (member.empty()) throw ETypeToolError("StrToSet failed. Empty member or unexpected end of set text");
    Int64 v = StrToEnum(elem, member) - elem->Data.MinValue;
    if (v < 0 || v > 31) throw ETypeToolError("StrToSet failed. Set member out of range");
    bits |= 1u << v;
    if (t[end] == ']') {
      if (end + 1 != t.size()) throw ETypeToolError("StrToSet failed. Missing ] or misplaced separator");
      return bits;
    }
    i = end + 1;
    if (i >= t.size()) throw ETypeToolError("StrToSet failed. Empty member or unexpected end of set text");
  }
}

String EnumTypeDecl(PTypeInfo type) {
  if (!type || type->Kind != tkEnumeration) throw ETypeToolError("EnumTypeDecl failed. Not an enumeration");
  String r;
  for (size_t i = 0; i < type->Data.NameList.size(); ++i) {
    if (i) r += ',';
    r += type->Data.NameList[i];
  }
  return r;
}

String SetTypeDecl(PTypeInfo setType) { return EnumTypeDecl(ElementType(setType, "SetTypeDecl")); }

}  // namespace xel
