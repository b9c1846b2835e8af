// Value conversions of the tool library: the value buffers that hold every stored
// language value, number bases, and lenient integer texts.
#pragma once

#include <vector>

#include "Variants.h"

namespace xel {

// A value as one block of bytes: the Int32 type code (little-endian), then the payload.
// Types outside the buffer table raise "Variant type not supported".
std::vector<Byte> VariantToBuffer(const Variant& value);
// Reads a buffer back: 16-bit integers and bytes as 32-bit integers, singles as doubles,
// wide strings as byte strings. "Invalid buffer size" (under 4 bytes), "Invalid buffer"
// (a fixed payload of the wrong size), "Invalid buffer entry" (an unknown code).
Variant BufferToVariant(const Byte* buffer, size_t size);
inline Variant BufferToVariant(const std::vector<Byte>& buffer) { return BufferToVariant(buffer.data(), buffer.size()); }

// Decimal text left-padded with "0" to at least width characters.
String IntToString(Int64 value, int width);
// Number bases 2 to 36, upper-case digits; SysToInt raises EConvertError on a bad digit.
String IntToSys(std::uint64_t value, int base);
std::uint64_t SysToInt(std::string_view text, int base);
// Hexadecimal, with an optional "$" in front and "h"/"H" behind (as the address texts).
std::uint64_t HexToInt(std::string_view text);
String BoolToStr(bool value);
// Decimal, "$" hexadecimal, hexadecimal with a trailing "H"/"h", or "0x"/"0X"
// hexadecimal, with an optional sign; blanks around are ignored.
Int64 StringToInt(std::string_view text);
Int64 StringToIntDef(std::string_view text, Int64 def);

}  // namespace xel
