// Enumeration and set values as texts, on the host's type information.
#pragma once

#include "TypInfo.h"

namespace xel {

XEL_EXCEPTION(ETypeToolError, Exception);

// The value's name; "EnumToStr failed. Not an enumeration" / "... Invalid ordinal value".
// Kinds whose values are texts as they stand: every text is a valid value.
inline bool IsTextKind(TTypeKind kind) {
  return kind == tkString || kind == tkLString || kind == tkWString || kind == tkVariant;
}

String EnumToStr(PTypeInfo type, Int64 value);
// The value of a name (ignoring case); "StrToEnum failed. Not an enumeration" /
// "StrToEnum failed. String value not found in enumeration type".
Int64 StrToEnum(PTypeInfo type, std::string_view text);
// "[" + member names joined by "," + "]"; bit k is the element type's lowest value + k.
String SetToStr(PTypeInfo setType, std::uint32_t bits);
// The bits of a set text; the text is trimmed, the members are not.
std::uint32_t StrToSet(PTypeInfo setType, std::string_view text);
// All value names joined by ","; for a set, those of its element type.
String EnumTypeDecl(PTypeInfo type);
String SetTypeDecl(PTypeInfo setType);

}  // namespace xel
