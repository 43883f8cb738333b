#include "HiveName.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <numeric>

#include "CodePage.h"
#include "SysUtils.h"

namespace {

struct TUpcaseRun {
  char16_t First;
  unsigned short Units;
  unsigned char Stride;
  int Distance;
};

constexpr TUpcaseRun UpcaseRuns[] = {
#include "HiveUpcase.inc"
};

// Every byte's place in the order in which AnsiCompareText sorts single
// characters; letters that differ only in case share a place. Comparing
// names place by place is that comparison without folding each byte again
// in every comparison of a lookup.
std::array<unsigned short, 256> MakePlaces() {
  std::array<int, 256> Bytes;
  std::iota(Bytes.begin(), Bytes.end(), 0);
  const auto Compare = [](int A, int B) {
    return AnsiCompareText(std::string(1, static_cast<char>(A)),
                           std::string(1, static_cast<char>(B)));
  };
  std::stable_sort(Bytes.begin(), Bytes.end(),
                   [&Compare](int A, int B) { return Compare(A, B) < 0; });
  std::array<unsigned short, 256> Places{};
  unsigned short Place = 0;
  for (std::size_t i = 0; i < Bytes.size(); ++i) {
    if (i > 0 && Compare(Bytes[i - 1], Bytes[i]) != 0)
      ++Place;
    Places[static_cast<std::size_t>(Bytes[i])] = Place;
  }
  return Places;
}

const std::array<unsigned short, 256> Places = MakePlaces();

// What a character compares as: a capital that Windows-1251 has a byte for
// by that byte's place, after every character it has none for, which go by
// their capital's unit.
constexpr unsigned NarrowKeys = 0x10000;

unsigned KeyOfUnit(char16_t Unit) {
  const char16_t Upper = HiveUpcase(Unit);
  const int Byte = Upper == 0 ? -1 : UnicodeToWin1251(Upper);
  return Byte < 0 ? Upper : NarrowKeys + Places[static_cast<std::size_t>(Byte)];
}

std::array<unsigned, 256> MakeByteKeys() {
  std::array<unsigned, 256> Keys{};
  for (unsigned B = 0; B < 256; ++B)
    Keys[B] = KeyOfUnit(static_cast<char16_t>(Win1251ToUnicode(static_cast<unsigned char>(B))));
  return Keys;
}

const std::array<unsigned, 256> ByteKeys = MakeByteKeys();

int HexValue(char C) {
  if (C >= '0' && C <= '9')
    return C - '0';
  if (C >= 'A' && C <= 'F')
    return C - 'A' + 10;
  return -1;
}

// The key of the character at S[I], moving I past it: a Windows-1251 byte,
// or a NUL and four hexadecimal digits holding a UTF-16 unit.
unsigned NextKey(const std::string& S, std::size_t& I) {
  const auto B = static_cast<unsigned char>(S[I]);
  if (B == 0 && I + 4 < S.size()) {
    unsigned Unit = 0;
    std::size_t K = 1;
    for (; K <= 4; ++K) {
      const int D = HexValue(S[I + K]);
      if (D < 0)
        break;
      Unit = Unit * 16 + static_cast<unsigned>(D);
    }
    if (K > 4) {
      I += 5;
      return KeyOfUnit(static_cast<char16_t>(Unit));
    }
  }
  ++I;
  return ByteKeys[B];
}

}  // namespace

char16_t HiveUpcase(char16_t Unit) {
  const auto* Run = std::upper_bound(std::begin(UpcaseRuns), std::end(UpcaseRuns), Unit,
                                     [](char16_t U, const TUpcaseRun& R) { return U < R.First; });
  if (Run == std::begin(UpcaseRuns))
    return Unit;
  --Run;
  const unsigned Offset = static_cast<unsigned>(Unit - Run->First);
  if (Offset % Run->Stride != 0 || Offset / Run->Stride >= Run->Units)
    return Unit;
  return static_cast<char16_t>(Unit + Run->Distance);
}

bool HiveNameLess::operator()(const std::string& A, const std::string& B) const {
  std::size_t I = 0, J = 0;
  while (I < A.size() && J < B.size()) {
    const unsigned KA = NextKey(A, I), KB = NextKey(B, J);
    if (KA != KB)
      return KA < KB;
  }
  return I == A.size() && J < B.size();
}

std::size_t HiveNameHash::operator()(const std::string& Name) const {
  // FNV-1a over the keys: names that compare equal hash alike.
  std::size_t H = 14695981039346656037ull;
  for (std::size_t I = 0; I < Name.size();)
    H = (H ^ NextKey(Name, I)) * 1099511628211ull;
  return H;
}

bool HiveNameEqual::operator()(const std::string& A, const std::string& B) const {
  // Mostly a name is looked up as it was written: the same bytes are the
  // same name, without the keys of its characters worked out.
  if (A.size() == B.size() && std::memcmp(A.data(), B.data(), A.size()) == 0)
    return true;
  std::size_t I = 0, J = 0;
  while (I < A.size() && J < B.size())
    if (NextKey(A, I) != NextKey(B, J))
      return false;
  return I == A.size() && J == B.size();
}
