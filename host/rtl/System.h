#pragma once

// The basic types of the Delphi RTL's System unit, as the VCL-shaped code uses
// them. Text is 8-bit Windows-1251 in std::string (Delphi's AnsiString).

#include <cstdint>
#include <initializer_list>
#include <string>

using AnsiString = std::string;
using Integer = std::int32_t;
using Cardinal = std::uint32_t;
using Int64 = std::int64_t;
using Word = std::uint16_t;
using Byte = std::uint8_t;
using NativeInt = std::intptr_t;

// A Delphi set of a small enumeration: [fsBold], Include, Exclude, "in".
template <class E>
class TSet {
 public:
  constexpr TSet() = default;
  constexpr TSet(std::initializer_list<E> Items) {
    for (E Item : Items)
      FBits |= Bit(Item);
  }
  constexpr bool Contains(E Item) const { return (FBits & Bit(Item)) != 0; }
  constexpr TSet& Include(E Item) {
    FBits |= Bit(Item);
    return *this;
  }
  constexpr TSet& Exclude(E Item) {
    FBits &= ~Bit(Item);
    return *this;
  }
  constexpr bool Empty() const { return FBits == 0; }
  constexpr std::uint64_t Bits() const { return FBits; }
  friend constexpr TSet operator+(TSet L, TSet R) { return FromBits(L.FBits | R.FBits); }
  friend constexpr TSet operator-(TSet L, TSet R) { return FromBits(L.FBits & ~R.FBits); }
  friend constexpr TSet operator*(TSet L, TSet R) { return FromBits(L.FBits & R.FBits); }
  friend constexpr bool operator==(TSet L, TSet R) { return L.FBits == R.FBits; }

 private:
  static constexpr std::uint64_t Bit(E Item) { return std::uint64_t{1} << static_cast<int>(Item); }
  static constexpr TSet FromBits(std::uint64_t B) {
    TSet S;
    S.FBits = B;
    return S;
  }
  std::uint64_t FBits = 0;
};

// The host version this build stands for (5, 6 or 7), set by the build.
// What is the same in every host build (the runtime library, the platform,
// the registry) is compiled once, with TABULON_HOST_INDEPENDENT instead:
// there HostVersion does not exist, so code that would differ between the
// builds does not compile in a library that all three share.
#if defined(TABULON_HOST)
constexpr int HostVersion = TABULON_HOST;
#elif !defined(TABULON_HOST_INDEPENDENT)
#error "TABULON_HOST must be defined to 5, 6 or 7"
#endif
