#pragma once

// An index of the names of a list text, one name a line as the string lists
// split a text: the first entry of every name, letter case ignored as the
// string lists compare names. A caller that looks many names up in a long
// list keeps one, so that each name is found by its hash instead of a scan.
// It keeps the names themselves, in one text of the list's own form (every
// name followed by CR LF), so that the list's text and its names are read
// here instead of from the list.
//
// Building it and looking names up hash each line while they search for its
// end, eight bytes at a time, with the letter case folded through a table
// the index holds. The table of entries is open addressing over entry
// numbers: nothing is allocated per name or per lookup.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "TextScan.h"

class NameIndex {
 public:
  NameIndex();

  // Indexes the names of a list text, as a string list splits it,
  // forgetting those indexed before. A text handed over (moved in) is kept
  // as it is when it has the list's own form, rather than copied.
  void Rebuild(std::string Text);
  // The entry's index, or -1 when the name is not in the list.
  int Find(std::string_view Name) const;
  // Looks up every line of Text, split as a string list splits it, in one
  // pass over the text: Found(Index, First, Last) for each line in order,
  // with the index Find would give for it.
  template <typename F>
  void FindLines(const std::string& Text, F&& Found) const {
    const char* P = Text.c_str();  // a NUL ends the text, as for the lists
    const char* const End = P + Text.size();
    while (*P != '\0') {
      const TScanned Line = ScanLine(P, End);
      const auto Length = static_cast<std::size_t>(Line.Last - P);
      Found(Lookup(P, Length, Finish(Line.Hash, Length)), P, Line.Last);
      P = Line.Last;
      if (*P == '\r')
        ++P;
      if (*P == '\n')
        ++P;
    }
  }

  int Count() const { return static_cast<int>(FEntries.size()); }
  std::string_view Name(int Index) const {
    const TEntry& E = FEntries[static_cast<std::size_t>(Index)];
    return std::string_view(FText).substr(E.Offset, E.Length);
  }
  // The list's text: every name followed by CR LF.
  const std::string& Text() const { return FText; }
  // Whether a list holds exactly these names, in this order, letter case
  // counting (as TStrings::Equals compares).
  template <typename TList>
  bool SameNames(const TList& List) const {
    const int n = List.Count();
    if (n != Count())
      return false;
    for (int i = 0; i < n; ++i)
      if (List.Get(i) != Name(i))
        return false;
    return true;
  }

 private:
  struct TEntry {
    std::uint32_t Offset = 0;
    std::uint32_t Length = 0;
    std::uint32_t Hash = 0;
  };

  // A name's hash: its bytes taken eight at a time from its first, the last
  // few padded with zeros, each word folded (Folded) and mixed in by a
  // multiplication; the top bits of the result choose the slot.
  static constexpr std::uint64_t HashSeed = 0x243F6A8885A308D3ull;
  static constexpr std::uint64_t HashFactor = 0x9E3779B97F4A7C15ull;
  static std::uint64_t Mix(std::uint64_t H, std::uint64_t Word) { return (H ^ Word) * HashFactor; }
  static std::uint32_t Finish(std::uint64_t H, std::size_t Length) {
    H = Mix(H, Length);
    H ^= H >> 32;
    return static_cast<std::uint32_t>((H * HashFactor) >> 32);
  }

  // What a word of eight bytes hashes as: the same for any two words that
  // are the same with letter case folded. A word of ASCII bytes has bit 5
  // of each byte cleared all at once (a small letter becomes its capital,
  // and a few other bytes become other ones, which only names them alike
  // to the hash), any other word is upper-cased byte by byte. Folding
  // keeps bytes below 0x80 below it and the others above, so a word and
  // its folded spellings take the same path.
  std::uint64_t Folded(std::uint64_t W) const {
    using TextScan::Highs;
    using TextScan::Ones;
    if ((W & Highs) != 0)
      return FoldedBytes(W);
    return W & ~(Ones * 0x20);
  }
  std::uint64_t FoldedBytes(std::uint64_t W) const;

  // A line's end (its CR, LF or NUL, or the text's end) and its hash, both
  // handed back in registers rather than through memory: thousands of
  // lines are scanned one after another.
  struct TScanned {
    const char* Last;
    std::uint64_t Hash;
  };
  // Hashes the line that starts at P. The first byte of a word below 0x0E is
  // found at once, and told from the bytes that end a line by a table of
  // bits; the last few bytes of the text, and a line with a control byte
  // inside, are left to ScanRest, a byte at a time.
  TScanned ScanLine(const char* P, const char* End) const {
    constexpr std::uint32_t LineEnds = 1u << '\0' | 1u << '\n' | 1u << '\r';
    std::uint64_t H = HashSeed;
    if constexpr (TextScan::ByWords) {
      for (; End - P >= 8; P += 8) {
        const std::uint64_t W = TextScan::Load(P);
        if (const std::uint64_t Low = TextScan::BytesBelow(W, 0x0E)) {
          const int Before = TextScan::FirstMarked(Low);
          if (((LineEnds >> ((W >> (8 * Before)) & 0xFF)) & 1) == 0)
            break;
          if (Before > 0)
            H = Mix(H, Folded(W & ((std::uint64_t{1} << (8 * Before)) - 1)));
          return {P + Before, H};
        }
        H = Mix(H, Folded(W));
      }
    }
    return ScanRest(P, End, H);
  }
  TScanned ScanRest(const char* P, const char* End, std::uint64_t H) const;

  // The entry of a name of that hash, or -1. Mostly the first entry of the
  // hash and length is the name, byte for byte; otherwise the search goes
  // on from that slot in LookupFolded, with the letter case folded. Made
  // part of the loops that look thousands of lines up (the compiler left
  // it a call of its own, a tenth of each lookup).
  [[gnu::always_inline]] int Lookup(const char* First, std::size_t Length,
                                    std::uint32_t Hash) const {
    if (FSlots.empty())
      return -1;
    const std::size_t Mask = FSlots.size() - 1;
    for (std::size_t Slot = Hash >> FShift;; Slot = (Slot + 1) & Mask) {
      const std::int32_t At = FSlots[Slot];
      if (At < 0)
        return -1;
      const TEntry& E = FEntries[static_cast<std::size_t>(At)];
      if (E.Hash == Hash && E.Length == Length) {
        if (TextScan::SameBytes(First, FText.data() + E.Offset, Length))
          return At;
        return LookupFolded(First, Length, Hash, Slot);
      }
    }
  }
  int LookupFolded(const char* First, std::size_t Length, std::uint32_t Hash,
                   std::size_t Slot) const;
  bool SameFolded(const char* First, const char* Own, std::size_t Length) const;

  std::array<unsigned char, 256> FUpper{};
  std::string FText;
  std::vector<TEntry> FEntries;
  // Entry numbers by hash, -1 for a free slot; a power of two long, the
  // slot of a hash its top bits (32 less FShift of them).
  std::vector<std::int32_t> FSlots;
  int FShift = 32;
};
