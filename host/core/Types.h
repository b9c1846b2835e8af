// Basic types of the host framework: the classic library's names over C++ types.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace xel {

// Strings are byte strings in the system code page (UTF-8 on this platform).
using String = std::string;
using WideString = std::u16string;
using Char = char;
using WideChar = char16_t;

using Integer = std::int32_t;
using Cardinal = std::uint32_t;
using ShortInt = std::int8_t;
using SmallInt = std::int16_t;
using Byte = std::uint8_t;
using Word = std::uint16_t;
using LongWord = std::uint32_t;
using Int64 = std::int64_t;
using Single = float;
using Double = double;
using Extended = long double;

struct TPoint {
  Integer X = 0;
  Integer Y = 0;
  bool operator==(const TPoint&) const = default;
};

// A rectangle with the right and bottom edges outside it, as the host's.
struct TRect {
  Integer Left = 0;
  Integer Top = 0;
  Integer Right = 0;
  Integer Bottom = 0;
  Integer Width() const { return Right - Left; }
  Integer Height() const { return Bottom - Top; }
  bool Contains(TPoint p) const { return p.X >= Left && p.X < Right && p.Y >= Top && p.Y < Bottom; }
  bool operator==(const TRect&) const = default;
};

inline TPoint Point(Integer x, Integer y) { return {x, y}; }
inline TRect Rect(Integer left, Integer top, Integer right, Integer bottom) { return {left, top, right, bottom}; }
inline TRect Bounds(Integer left, Integer top, Integer width, Integer height) {
  return {left, top, left + width, top + height};
}
inline bool PtInRect(const TRect& r, TPoint p) { return r.Contains(p); }

// Fixed-point amount with four decimals, stored scaled by 10000 as the host does.
struct Currency {
  Int64 Scaled = 0;
  constexpr Currency() = default;
  static constexpr Currency FromScaled(Int64 s) { Currency c; c.Scaled = s; return c; }
  static Currency FromDouble(double v);
  double ToDouble() const { return static_cast<double>(Scaled) / 10000.0; }
  friend constexpr bool operator==(Currency a, Currency b) { return a.Scaled == b.Scaled; }
  friend constexpr auto operator<=>(Currency a, Currency b) { return a.Scaled <=> b.Scaled; }
};

// Days since 1899-12-30; the fraction is the time of day. A distinct type so that
// run-time type information and variants can tell a date from a plain double.
class TDateTime {
public:
  constexpr TDateTime() = default;
  constexpr explicit TDateTime(double v) : FValue(v) {}
  constexpr operator double() const { return FValue; }
  constexpr double Value() const { return FValue; }
private:
  double FValue = 0.0;
};

// UTF-8 <-> UTF-16 conversions for WideString values. Invalid UTF-8 bytes map to U+FFFD.
WideString Utf8ToWide(std::string_view s);
String WideToUtf8(std::u16string_view s);

}  // namespace xel
