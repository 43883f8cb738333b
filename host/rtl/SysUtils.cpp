#include "SysUtils.h"

#include <cstdio>
#include <limits>

namespace {

// Delphi's Val for a 64-bit target, with the range check of the caller's
// type: decimal values must fit the signed range, hexadecimal ones may use all
// bits of the type (so "$FFFFFFFF" is -1 for a 32-bit integer).
bool ParseInteger(const std::string& S, int Bits, Int64& Value) {
  std::size_t i = 0;
  const std::size_t n = S.size();
  while (i < n && S[i] == ' ')
    ++i;
  bool Negative = false;
  if (i < n && (S[i] == '-' || S[i] == '+')) {
    Negative = S[i] == '-';
    ++i;
  }
  bool Hex = false;
  if (i < n && (S[i] == '$' || S[i] == 'x' || S[i] == 'X')) {
    Hex = true;
    ++i;
  } else if (i + 1 < n && S[i] == '0' && (S[i + 1] == 'x' || S[i + 1] == 'X')) {
    Hex = true;
    i += 2;
  }
  if (i >= n)
    return false;
  const std::uint64_t Mask = Bits == 64 ? ~std::uint64_t{0} : (std::uint64_t{1} << Bits) - 1;
  std::uint64_t Acc = 0;
  for (; i < n; ++i) {
    const char C = S[i];
    unsigned Digit;
    if (C >= '0' && C <= '9') {
      Digit = static_cast<unsigned>(C - '0');
    } else if (Hex && C >= 'a' && C <= 'f') {
      Digit = static_cast<unsigned>(C - 'a' + 10);
    } else if (Hex && C >= 'A' && C <= 'F') {
      Digit = static_cast<unsigned>(C - 'A' + 10);
    } else {
      return false;
    }
    if (Hex) {
      if (Acc > (Mask >> 4))
        return false;
      Acc = (Acc << 4) | Digit;
    } else {
      const std::uint64_t Limit = (std::uint64_t{1} << (Bits - 1)) - (Negative ? 0 : 1);
      if (Acc > (Limit - Digit) / 10)
        return false;
      Acc = Acc * 10 + Digit;
    }
  }
  if (Hex) {
    // The bits are the value; a value with the type's top bit set is negative.
    std::uint64_t Bitsv = Acc;
    if (Bits < 64 && (Bitsv >> (Bits - 1)) & 1)
      Bitsv |= ~Mask;
    auto Signed = static_cast<Int64>(Bitsv);
    Value = Negative ? static_cast<Int64>(0 - static_cast<std::uint64_t>(Signed)) : Signed;
    return true;
  }
  Value = Negative ? static_cast<Int64>(0 - Acc) : static_cast<Int64>(Acc);
  return true;
}

std::string InvalidInteger(const std::string& S) {
  return "'" + S + "' is not a valid integer value";
}

constexpr unsigned char FoldByte(unsigned char C, bool Upper) {
  if (Upper) {
    if (C >= 'a' && C <= 'z')
      return C - 32;
    if (C >= 0xE0)
      return C - 32;
  } else {
    if (C >= 'A' && C <= 'Z')
      return C + 32;
    if (C >= 0xC0 && C <= 0xDF)
      return C + 32;
  }
  // The other letters of the code page, as small/capital pairs.
  constexpr unsigned char Pairs[][2] = {{0xB8, 0xA8}, {0x90, 0x80}, {0x83, 0x81}, {0x9A, 0x8A},
                                        {0x9C, 0x8C}, {0x9D, 0x8D}, {0x9E, 0x8E}, {0x9F, 0x8F},
                                        {0xA2, 0xA1}, {0xB3, 0xB2}, {0xB4, 0xA5}, {0xBA, 0xAA},
                                        {0xBF, 0xAF}, {0xBC, 0xA3}, {0xBE, 0xBD}};
  for (const auto& P : Pairs) {
    if (Upper && C == P[0])
      return P[1];
    if (!Upper && C == P[1])
      return P[0];
  }
  return C;
}

// Sort weight of an upper-cased byte: the code page order, except that Ё sorts
// right after Е, as the Windows-1251 locale orders the alphabet.
constexpr int Weight(unsigned char C) {
  if (C == 0xA8)
    return (0xC5 << 1) | 1;
  return C << 1;
}

// Every case-insensitive comparison folds every byte it looks at, so the
// folding is looked up, not worked out each time.
struct TFoldTables {
  unsigned char Upper[256] = {};
  unsigned char Lower[256] = {};
  int UpperWeight[256] = {};
};

constexpr TFoldTables MakeFoldTables() {
  TFoldTables T;
  for (int C = 0; C < 256; ++C) {
    const auto B = static_cast<unsigned char>(C);
    T.Upper[C] = FoldByte(B, true);
    T.Lower[C] = FoldByte(B, false);
    T.UpperWeight[C] = Weight(T.Upper[C]);
  }
  return T;
}

constexpr TFoldTables Folding = MakeFoldTables();

// Called by the functions below rather than AnsiUpperChar and its kin, which
// a shared library's callers could replace and which are so never inlined.
char Upper(char C) {
  return static_cast<char>(Folding.Upper[static_cast<unsigned char>(C)]);
}

char Lower(char C) {
  return static_cast<char>(Folding.Lower[static_cast<unsigned char>(C)]);
}

int FoldedWeight(char C) {
  return Folding.UpperWeight[static_cast<unsigned char>(C)];
}

}  // namespace

bool TryStrToInt64(const std::string& S, Int64& Value) {
  return ParseInteger(S, 64, Value);
}

bool TryStrToInt(const std::string& S, Integer& Value) {
  Int64 V;
  if (!ParseInteger(S, 32, V))
    return false;
  Value = static_cast<Integer>(V);
  return true;
}

Int64 StrToInt64(const std::string& S) {
  Int64 V;
  if (!TryStrToInt64(S, V))
    throw EConvertError(InvalidInteger(S));
  return V;
}

Integer StrToInt(const std::string& S) {
  Integer V;
  if (!TryStrToInt(S, V))
    throw EConvertError(InvalidInteger(S));
  return V;
}

Int64 StrToInt64Def(const std::string& S, Int64 Default) {
  Int64 V;
  return TryStrToInt64(S, V) ? V : Default;
}

Integer StrToIntDef(const std::string& S, Integer Default) {
  Integer V;
  return TryStrToInt(S, V) ? V : Default;
}

std::string IntToStr(Int64 Value) {
  return std::to_string(Value);
}

std::string IntToHex(Int64 Value, int Digits) {
  char Buf[32];
  std::snprintf(Buf, sizeof Buf, "%0*llX", Digits,
                static_cast<unsigned long long>(static_cast<std::uint64_t>(Value)));
  return Buf;
}

std::string Trim(const std::string& S) {
  std::size_t b = 0, e = S.size();
  while (b < e && static_cast<unsigned char>(S[b]) <= ' ')
    ++b;
  while (e > b && static_cast<unsigned char>(S[e - 1]) <= ' ')
    --e;
  return S.substr(b, e - b);
}

char AnsiUpperChar(char C) {
  return Upper(C);
}
char AnsiLowerChar(char C) {
  return Lower(C);
}

std::string AnsiUpperCase(const std::string& S) {
  std::string R(S);
  for (char& C : R)
    C = Upper(C);
  return R;
}

std::string AnsiLowerCase(const std::string& S) {
  std::string R(S);
  for (char& C : R)
    C = Lower(C);
  return R;
}

int AnsiCompareText(const std::string& S1, const std::string& S2) {
  const std::size_t n = std::min(S1.size(), S2.size());
  for (std::size_t i = 0; i < n; ++i) {
    const int A = FoldedWeight(S1[i]);
    const int B = FoldedWeight(S2[i]);
    if (A != B)
      return A < B ? -1 : 1;
  }
  return S1.size() == S2.size() ? 0 : (S1.size() < S2.size() ? -1 : 1);
}

bool AnsiSameText(const std::string& S1, const std::string& S2) {
  if (S1.size() != S2.size())
    return false;
  for (std::size_t i = 0; i < S1.size(); ++i)
    if (Upper(S1[i]) != Upper(S2[i]))
      return false;
  return true;
}

int AnsiCompareStr(const std::string& S1, const std::string& S2) {
  const int R = S1.compare(S2);
  return R < 0 ? -1 : R > 0 ? 1 : 0;
}

// Defined here, so that the class's table of virtual functions is made
// once, in the host library, not again in every module that uses the class.
Exception::~Exception() = default;
EInvalidCast::~EInvalidCast() = default;
