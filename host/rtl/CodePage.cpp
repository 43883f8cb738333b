#include "CodePage.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "TextScan.h"

namespace {

// Unicode code points of the bytes 0x80 to 0xBF; 0xC0 to 0xFF are U+0410 to
// U+044F in order.
constexpr std::array<char32_t, 64> kHigh = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, 0x20AC, 0x2030, 0x0409,
    0x2039, 0x040A, 0x040C, 0x040B, 0x040F, 0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x0098, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, 0x00A0,
    0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7, 0x0401, 0x00A9, 0x0404, 0x00AB,
    0x00AC, 0x00AD, 0x00AE, 0x0407, 0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6,
    0x00B7, 0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457};

void AppendUtf8(std::string& Out, char32_t C) {
  if (C < 0x80) {
    Out += static_cast<char>(C);
  } else if (C < 0x800) {
    Out += static_cast<char>(0xC0 | (C >> 6));
    Out += static_cast<char>(0x80 | (C & 0x3F));
  } else if (C < 0x10000) {
    Out += static_cast<char>(0xE0 | (C >> 12));
    Out += static_cast<char>(0x80 | ((C >> 6) & 0x3F));
    Out += static_cast<char>(0x80 | (C & 0x3F));
  } else {
    Out += static_cast<char>(0xF0 | (C >> 18));
    Out += static_cast<char>(0x80 | ((C >> 12) & 0x3F));
    Out += static_cast<char>(0x80 | ((C >> 6) & 0x3F));
    Out += static_cast<char>(0x80 | (C & 0x3F));
  }
}

int HexValue(char C) {
  if (C >= '0' && C <= '9')
    return C - '0';
  if (C >= 'A' && C <= 'F')
    return C - 'A' + 10;
  return -1;
}

// The unit held at Text[i] when a wide unit starts there, or -1.
long WideUnitAt(const std::string& Text, std::size_t i) {
  if (Text[i] != '\0' || i + 4 >= Text.size())
    return -1;
  long Unit = 0;
  for (std::size_t k = 1; k <= 4; ++k) {
    const int D = HexValue(Text[i + k]);
    if (D < 0)
      return -1;
    Unit = Unit * 16 + D;
  }
  return Unit;
}

// Calls Unit for each UTF-16 code unit of hive text, and Byte for each
// Windows-1251 byte.
template <typename FUnit, typename FByte>
void WalkHiveText(const std::string& Text, FUnit Unit, FByte Byte) {
  for (std::size_t i = 0; i < Text.size(); ++i) {
    if (const long U = WideUnitAt(Text, i); U >= 0) {
      Unit(static_cast<char32_t>(U));
      i += 4;
    } else {
      Byte(static_cast<unsigned char>(Text[i]));
    }
  }
}

}  // namespace

char32_t Win1251ToUnicode(unsigned char B) {
  if (B < 0x80)
    return B;
  if (B < 0xC0)
    return kHigh[B - 0x80];
  return 0x0410 + (B - 0xC0);
}

int UnicodeToWin1251(char32_t C) {
  if (C < 0x80)
    return static_cast<int>(C);
  if (C >= 0x0410 && C <= 0x044F)
    return static_cast<int>(0xC0 + (C - 0x0410));
  for (std::size_t i = 0; i < kHigh.size(); ++i)
    if (kHigh[i] == C)
      return static_cast<int>(0x80 + i);
  return -1;
}

namespace {

// The UTF-8 form of each byte from 0x80: two or three bytes.
struct TUtf8Form {
  unsigned char Length;
  char Bytes[3];
};

constexpr std::array<TUtf8Form, 128> MakeHighForms() {
  std::array<TUtf8Form, 128> Forms{};
  for (int B = 0x80; B <= 0xFF; ++B) {
    const char32_t C = B < 0xC0 ? kHigh[static_cast<std::size_t>(B - 0x80)] : 0x0410 + (B - 0xC0);
    TUtf8Form& F = Forms[static_cast<std::size_t>(B - 0x80)];
    if (C < 0x800) {
      F = {2, {static_cast<char>(0xC0 | (C >> 6)), static_cast<char>(0x80 | (C & 0x3F)), 0}};
    } else {
      F = {3,
           {static_cast<char>(0xE0 | (C >> 12)), static_cast<char>(0x80 | ((C >> 6) & 0x3F)),
            static_cast<char>(0x80 | (C & 0x3F))}};
    }
  }
  return Forms;
}

constexpr std::array<TUtf8Form, 128> kHighUtf8 = MakeHighForms();

// Whether the eight bytes from P (P at least eight before End) are ASCII:
// text that is ASCII throughout is the same in both encodings and is taken
// over a word at a time.
bool AsciiWord(const char* P, const char* End) {
  return TextScan::ByWords && End - P >= 8 && (TextScan::Load(P) & TextScan::Highs) == 0;
}

}  // namespace

std::string Win1251ToUtf8(const std::string& Text) {
  // No byte takes more than three; each is written with room for three.
  std::string Out(Text.size() * 3, '\0');
  char* O = Out.data();
  const char* P = Text.data();
  const char* const End = P + Text.size();
  while (P != End) {
    if (AsciiWord(P, End)) {
      std::memcpy(O, P, 8);
      O += 8;
      P += 8;
      continue;
    }
    const auto B = static_cast<unsigned char>(*P++);
    if (B < 0x80) {
      *O++ = static_cast<char>(B);
      continue;
    }
    const TUtf8Form& F = kHighUtf8[B - 0x80];
    O[0] = F.Bytes[0];
    O[1] = F.Bytes[1];
    O[2] = F.Bytes[2];
    O += F.Length;
  }
  Out.resize(static_cast<std::size_t>(O - Out.data()));
  return Out;
}

std::string Utf8ToWin1251(const std::string& Text) {
  // Every character takes one byte, and at least one byte of the text.
  std::string Out(Text.size(), '\0');
  char* O = Out.data();
  const char* const End = Text.data() + Text.size();
  std::size_t i = 0;
  while (i < Text.size()) {
    if (AsciiWord(Text.data() + i, End)) {
      std::memcpy(O, Text.data() + i, 8);
      O += 8;
      i += 8;
      continue;
    }
    auto B = static_cast<unsigned char>(Text[i]);
    int Len = B < 0x80 ? 1 : (B >> 5) == 0x6 ? 2 : (B >> 4) == 0xE ? 3 : (B >> 3) == 0x1E ? 4 : 0;
    char32_t C = 0;
    bool Ok = Len > 0 && i + Len <= Text.size();
    if (Ok) {
      C = Len == 1 ? B : B & (0x7F >> Len);
      for (int k = 1; k < Len; ++k) {
        auto Next = static_cast<unsigned char>(Text[i + k]);
        if ((Next & 0xC0) != 0x80) {
          Ok = false;
          break;
        }
        C = (C << 6) | (Next & 0x3F);
      }
    }
    if (!Ok) {
      *O++ = '?';
      ++i;
      continue;
    }
    // An overlong form or a surrogate is malformed, not another spelling of
    // a character: it must not slip a '/' or a NUL past a check on bytes.
    static constexpr char32_t kShortest[] = {0, 0, 0x80, 0x800, 0x10000};
    const bool Malformed = C < kShortest[Len] || (C >= 0xD800 && C <= 0xDFFF);
    int Byte = Malformed ? -1 : UnicodeToWin1251(C);
    *O++ = Byte < 0 ? '?' : static_cast<char>(Byte);
    i += Len;
  }
  Out.resize(static_cast<std::size_t>(O - Out.data()));
  return Out;
}

std::string Win1251ToUtf16LE(const std::string& Text) {
  std::string Out(Text.size() * 2, '\0');
  for (std::size_t i = 0; i < Text.size(); ++i) {
    const char32_t C = Win1251ToUnicode(static_cast<unsigned char>(Text[i]));
    Out[2 * i] = static_cast<char>(C & 0xFF);
    Out[2 * i + 1] = static_cast<char>(C >> 8);
  }
  return Out;
}

bool Utf16LEToWin1251(const std::string& Bytes, std::string& Out, char32_t& Refused) {
  Out.clear();
  Out.reserve(Bytes.size() / 2);
  auto Unit = [&Bytes](std::size_t i) -> char32_t {
    return static_cast<unsigned char>(Bytes[i]) | (static_cast<unsigned char>(Bytes[i + 1]) << 8);
  };
  for (std::size_t i = 0; i + 1 < Bytes.size(); i += 2) {
    const char32_t C = Unit(i);
    const int Byte = UnicodeToWin1251(C);
    if (Byte >= 0) {
      Out += static_cast<char>(Byte);
      continue;
    }
    Refused = C;
    if (C >= 0xD800 && C <= 0xDBFF && i + 3 < Bytes.size()) {
      const char32_t Low = Unit(i + 2);
      if (Low >= 0xDC00 && Low <= 0xDFFF)
        Refused = 0x10000 + ((C - 0xD800) << 10) + (Low - 0xDC00);
    }
    return false;
  }
  return true;
}

std::string Utf16LEToHiveText(const std::string& Bytes) {
  std::string Out;
  Out.reserve(Bytes.size() / 2);
  for (std::size_t i = 0; i + 1 < Bytes.size(); i += 2) {
    const char32_t C =
        static_cast<unsigned char>(Bytes[i]) | (static_cast<unsigned char>(Bytes[i + 1]) << 8);
    const int Byte = C == 0 ? -1 : UnicodeToWin1251(C);
    if (Byte >= 0) {
      Out += static_cast<char>(Byte);
      continue;
    }
    char Buf[8];
    std::snprintf(Buf, sizeof Buf, "%04X", static_cast<unsigned>(C));
    Out += '\0';
    Out += Buf;
  }
  return Out;
}

std::string HiveTextToUtf16LE(const std::string& Text) {
  std::string Out;
  Out.reserve(Text.size() * 2);
  auto Put = [&Out](char32_t C) {
    Out += static_cast<char>(C & 0xFF);
    Out += static_cast<char>(C >> 8);
  };
  WalkHiveText(Text, Put, [&Put](unsigned char B) { Put(Win1251ToUnicode(B)); });
  return Out;
}

std::string HiveTextToAnsi(const std::string& Text) {
  // Nearly all text holds no wide unit, and is its own 8-bit form.
  if (Text.find('\0') == std::string::npos)
    return Text;
  std::string Out;
  Out.reserve(Text.size());
  WalkHiveText(
      Text, [&Out](char32_t C) { Out += C == 0 ? '\0' : '?'; },
      [&Out](unsigned char B) { Out += static_cast<char>(B); });
  return Out;
}

bool HiveTextIsWide(const std::string& Text) {
  if (Text.find('\0') == std::string::npos)
    return false;
  bool Wide = false;
  WalkHiveText(
      Text, [&Wide](char32_t C) { Wide = Wide || C != 0; }, [](unsigned char) {});
  return Wide;
}

std::size_t HiveTextLength(const std::string& Text) {
  std::size_t N = 0;
  WalkHiveText(
      Text, [&N](char32_t) { ++N; }, [&N](unsigned char) { ++N; });
  return N;
}

std::string HiveTextToUtf8(const std::string& Text) {
  std::string Out;
  Out.reserve(Text.size() * 2);
  // A high surrogate waits for the low one that makes a character with it.
  char32_t High = 0;
  auto Flush = [&Out, &High] {
    if (High != 0)
      AppendUtf8(Out, 0xFFFD);
    High = 0;
  };
  WalkHiveText(
      Text,
      [&](char32_t C) {
        if (High != 0 && C >= 0xDC00 && C <= 0xDFFF) {
          AppendUtf8(Out, 0x10000 + ((High - 0xD800) << 10) + (C - 0xDC00));
          High = 0;
          return;
        }
        Flush();
        if (C >= 0xD800 && C <= 0xDBFF)
          High = C;
        else
          AppendUtf8(Out, C >= 0xDC00 && C <= 0xDFFF ? 0xFFFD : C);
      },
      [&](unsigned char B) {
        Flush();
        AppendUtf8(Out, Win1251ToUnicode(B));
      });
  Flush();
  return Out;
}
