#pragma once

// Scanning 8-bit text eight bytes at a time. A list text (page names, one a
// line) is mostly short names between line breaks: looking at a byte at a
// time costs several instructions per byte, a word of eight bytes at a time
// a few per word. The words are read unaligned and never past the text's
// end; the last few bytes are looked at one by one.
//
// The masks below hold the high bit of each byte they mark. On a machine
// that is not little-endian the lowest byte of a word is not its first, and
// the scans fall back to a byte at a time.

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace TextScan {

constexpr std::uint64_t Ones = 0x0101010101010101ull;
constexpr std::uint64_t Highs = Ones * 0x80;
constexpr bool ByWords = std::endian::native == std::endian::little;

// Eight bytes from P, the byte at P lowest.
inline std::uint64_t Load(const char* P) {
  std::uint64_t W;
  std::memcpy(&W, P, sizeof W);
  return W;
}

// The bytes of W that are zero, and no others.
inline std::uint64_t ZeroBytes(std::uint64_t W) {
  constexpr std::uint64_t Low = ~Highs;
  return ~(((W & Low) + Low) | W | Low);
}

inline std::uint64_t BytesEqual(std::uint64_t W, unsigned char C) {
  return ZeroBytes(W ^ (Ones * C));
}

// The bytes of W below N (at most 0x80): exact for the first one, while a
// byte after it may be marked as well.
inline std::uint64_t BytesBelow(std::uint64_t W, unsigned char N) {
  return (W - Ones * N) & ~W & Highs;
}

// The bytes of W that end a line of a list text: CR, LF and NUL.
inline std::uint64_t LineEndBytes(std::uint64_t W) {
  return ZeroBytes(W) | BytesEqual(W, '\r') | BytesEqual(W, '\n');
}

// The index of the first byte a mask marks.
inline int FirstMarked(std::uint64_t Mask) {
  return std::countr_zero(Mask) / 8;
}

inline bool EndsLine(char C) {
  return C == '\0' || C == '\r' || C == '\n';
}

// Whether the Length bytes at A and at B are the same. Names are short: a
// word or two from each end is compared rather than calling memcmp.
inline bool SameBytes(const char* A, const char* B, std::size_t Length) {
  auto Same = [A, B]<typename T>(T, std::size_t At) {
    T X, Y;
    std::memcpy(&X, A + At, sizeof X);
    std::memcpy(&Y, B + At, sizeof Y);
    return X == Y;
  };
  if (Length >= 8) {
    for (std::size_t At = 0; At + 8 < Length; At += 8)
      if (!Same(std::uint64_t{}, At))
        return false;
    return Same(std::uint64_t{}, Length - 8);
  }
  if (Length >= 4)
    return Same(std::uint32_t{}, 0) && Same(std::uint32_t{}, Length - 4);
  if (Length >= 2)
    return Same(std::uint16_t{}, 0) && Same(std::uint16_t{}, Length - 2);
  return Length == 0 || *A == *B;
}

// Copies Length bytes from From to To (not overlapping) and returns the end
// of the copy. A name of up to sixteen bytes is copied as a word or two from
// each end rather than by a call of memcpy, which costs more than the copy.
inline char* CopyBytes(char* To, const char* From, std::size_t Length) {
  auto Copy = [To, From]<typename T>(T, std::size_t At) {
    T X;
    std::memcpy(&X, From + At, sizeof X);
    std::memcpy(To + At, &X, sizeof X);
  };
  if (Length > 16) {
    std::memcpy(To, From, Length);
  } else if (Length >= 8) {
    Copy(std::uint64_t{}, 0);
    Copy(std::uint64_t{}, Length - 8);
  } else if (Length >= 4) {
    Copy(std::uint32_t{}, 0);
    Copy(std::uint32_t{}, Length - 4);
  } else if (Length >= 2) {
    Copy(std::uint16_t{}, 0);
    Copy(std::uint16_t{}, Length - 2);
  } else if (Length == 1) {
    *To = *From;
  }
  return To + Length;
}

// The first byte B at or after P, or End when there is none before it.
// Lines are mostly shorter than sixteen bytes: a call of memchr for each
// costs more than the search itself, so where the processor compares
// sixteen bytes at once (SSE2, on every x86-64) the search is made here,
// and memchr looks only at the last few bytes.
inline const char* FindByte(const char* P, const char* End, char B) {
#if defined(__SSE2__)
  const __m128i Wanted = _mm_set1_epi8(B);
  for (; End - P >= 16; P += 16) {
    const __m128i Block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(P));
    if (const int Marked = _mm_movemask_epi8(_mm_cmpeq_epi8(Block, Wanted)); Marked != 0)
      return P + std::countr_zero(static_cast<unsigned>(Marked));
  }
#endif
  const void* Found = std::memchr(P, B, static_cast<std::size_t>(End - P));
  return Found != nullptr ? static_cast<const char*>(Found) : End;
}

}  // namespace TextScan

// The first CR, LF or NUL at or after P, or End when there is none before it.
inline const char* FindLineEnd(const char* P, const char* End) {
  if constexpr (TextScan::ByWords) {
    for (; End - P >= 8; P += 8) {
      const std::uint64_t W = TextScan::Load(P);
      if (const std::uint64_t Low = TextScan::BytesBelow(W, 0x0E)) {
        // Mostly the first byte below 0x0E ends the line; a control byte
        // inside it makes the exact test of the word's bytes.
        if (const char* At = P + TextScan::FirstMarked(Low); TextScan::EndsLine(*At))
          return At;
        if (const std::uint64_t Marked = TextScan::LineEndBytes(W))
          return P + TextScan::FirstMarked(Marked);
      }
    }
  }
  while (P != End && !TextScan::EndsLine(*P))
    ++P;
  return P;
}

// The number of LF bytes from First up to Last: a list text of lines that
// end in CR LF or LF has at most one line more, which is the room reserved
// for its lines before it is split (a text of lone CRs only makes the room
// grow as it is filled). The lines are short: FindByte finds each LF in
// fewer instructions than a scan of words that counts the breaks in each.
inline std::size_t CountLineFeeds(const char* First, const char* Last) {
  std::size_t Count = 0;
  for (; (First = TextScan::FindByte(First, Last, '\n')) != Last; ++First)
    ++Count;
  return Count;
}
