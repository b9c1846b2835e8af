// Sets over enumerations, the host's "set of" for up to 32 elements.
#pragma once

#include <bit>
#include <cstdint>
#include <initializer_list>

namespace xel {

template <class E>
class SetOf {
public:
  using Element = E;
  constexpr SetOf() = default;
  constexpr SetOf(std::initializer_list<E> items) {
    for (E e : items) FBits |= Bit(e);
  }
  static constexpr SetOf FromBits(std::uint32_t bits) {
    SetOf s;
    s.FBits = bits;
    return s;
  }
  constexpr std::uint32_t Bits() const { return FBits; }
  constexpr bool Contains(E e) const { return (FBits & Bit(e)) != 0; }
  constexpr bool Empty() const { return FBits == 0; }
  constexpr int Count() const { return std::popcount(FBits); }
  constexpr SetOf& Include(E e) { FBits |= Bit(e); return *this; }
  constexpr SetOf& Exclude(E e) { FBits &= ~Bit(e); return *this; }

  friend constexpr SetOf operator+(SetOf a, SetOf b) { return FromBits(a.FBits | b.FBits); }
  friend constexpr SetOf operator-(SetOf a, SetOf b) { return FromBits(a.FBits & ~b.FBits); }
  friend constexpr SetOf operator*(SetOf a, SetOf b) { return FromBits(a.FBits & b.FBits); }
  friend constexpr SetOf operator+(SetOf a, E e) { return FromBits(a.FBits | Bit(e)); }
  friend constexpr SetOf operator-(SetOf a, E e) { return FromBits(a.FBits & ~Bit(e)); }
  friend constexpr bool operator==(SetOf a, SetOf b) = default;
  // a <= b: every member of a is in b.
  friend constexpr bool operator<=(SetOf a, SetOf b) { return (a.FBits & ~b.FBits) == 0; }

private:
  static constexpr std::uint32_t Bit(E e) { return std::uint32_t(1) << static_cast<unsigned>(e); }
  std::uint32_t FBits = 0;
};

}  // namespace xel
