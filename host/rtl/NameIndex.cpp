#include "NameIndex.h"

#include <utility>

#include "SysUtils.h"

NameIndex::NameIndex() {
  for (int C = 0; C < 256; ++C)
    FUpper[static_cast<std::size_t>(C)] =
        static_cast<unsigned char>(AnsiUpperChar(static_cast<char>(C)));
}

void NameIndex::Rebuild(std::string Text) {
  FEntries.clear();
  // Room for the entries at once, rather than the table copied over and
  // over as it grows by doubling: a name takes a few bytes and its line
  // break two, so an entry per eight bytes of text is mostly room enough,
  // and is no more than half again the text's own size.
  FEntries.reserve(Text.size() / 8 + 1);
  // The kept text has every name followed by CR LF. A list's own text has
  // that form already and is kept whole (up to a NUL, where the lists end
  // a text), without a copy; any other is written out from its first line
  // that ends otherwise, the lines before it being their own kept form.
  const char* const Begin = Text.c_str();
  const char* const End = Begin + Text.size();
  const char* P = Begin;
  bool Written = false;
  std::size_t Kept = 0;
  while (*P != '\0') {
    const char* const First = P;
    const TScanned Line = ScanLine(P, End);
    P = Line.Last;
    const auto Length = static_cast<std::size_t>(P - First);
    FEntries.push_back({static_cast<std::uint32_t>(Kept), static_cast<std::uint32_t>(Length),
                        Finish(Line.Hash, Length)});
    Kept += Length + 2;
    if (!Written && !(P[0] == '\r' && P[1] == '\n')) {
      Written = true;
      FText.assign(Begin, First);
    }
    if (Written) {
      FText.append(First, P);
      FText += "\r\n";
    }
    if (*P == '\r')
      ++P;
    if (*P == '\n')
      ++P;
  }
  if (!Written) {
    Text.resize(static_cast<std::size_t>(P - Begin));
    FText = std::move(Text);
  }

  std::size_t Size = 16;
  int Bits = 4;
  while (Size < 2 * FEntries.size()) {
    Size *= 2;
    ++Bits;
  }
  FSlots.assign(Size, -1);
  FShift = 32 - Bits;
  const std::size_t Mask = Size - 1;
  for (std::size_t i = 0; i < FEntries.size(); ++i) {
    const TEntry& E = FEntries[i];
    // The first entry of a name is the one found; later ones are not indexed.
    for (std::size_t Slot = E.Hash >> FShift;; Slot = (Slot + 1) & Mask) {
      const std::int32_t At = FSlots[Slot];
      if (At < 0) {
        FSlots[Slot] = static_cast<std::int32_t>(i);
        break;
      }
      const TEntry& Other = FEntries[static_cast<std::size_t>(At)];
      if (Other.Hash == E.Hash && Other.Length == E.Length &&
          SameFolded(FText.data() + E.Offset, FText.data() + Other.Offset, E.Length))
        break;
    }
  }
}

std::uint64_t NameIndex::FoldedBytes(std::uint64_t W) const {
  std::uint64_t R = 0;
  for (int i = 0; i < 64; i += 8)
    R |= std::uint64_t{FUpper[(W >> i) & 0xFF]} << i;
  return R;
}

NameIndex::TScanned NameIndex::ScanRest(const char* P, const char* End, std::uint64_t H) const {
  std::uint64_t W = 0;
  int Bytes = 0;
  for (; P != End && !TextScan::EndsLine(*P); ++P) {
    W |= std::uint64_t{static_cast<unsigned char>(*P)} << (8 * Bytes);
    if (++Bytes == 8) {
      H = Mix(H, Folded(W));
      W = 0;
      Bytes = 0;
    }
  }
  return {P, Bytes > 0 ? Mix(H, Folded(W)) : H};
}

int NameIndex::Find(std::string_view Name) const {
  // The bytes as ScanLine takes them, CR, LF and NUL included: no entry
  // holds those, so a name with them is not found either way.
  std::uint64_t H = HashSeed;
  const char* P = Name.data();
  std::size_t Left = Name.size();
  if constexpr (TextScan::ByWords)
    for (; Left >= 8; P += 8, Left -= 8)
      H = Mix(H, Folded(TextScan::Load(P)));
  std::uint64_t W = 0;
  int Bytes = 0;
  for (; Left > 0; ++P, --Left) {
    W |= std::uint64_t{static_cast<unsigned char>(*P)} << (8 * Bytes);
    if (++Bytes == 8) {
      H = Mix(H, Folded(W));
      W = 0;
      Bytes = 0;
    }
  }
  if (Bytes > 0)
    H = Mix(H, Folded(W));
  return Lookup(Name.data(), Name.size(), Finish(H, Name.size()));
}

int NameIndex::LookupFolded(const char* First, std::size_t Length, std::uint32_t Hash,
                            std::size_t Slot) const {
  const std::size_t Mask = FSlots.size() - 1;
  for (;; Slot = (Slot + 1) & Mask) {
    const std::int32_t At = FSlots[Slot];
    if (At < 0)
      return -1;
    const TEntry& E = FEntries[static_cast<std::size_t>(At)];
    if (E.Hash == Hash && E.Length == Length && SameFolded(First, FText.data() + E.Offset, Length))
      return At;
  }
}

// Whether the bytes are the same with letter case folded.
bool NameIndex::SameFolded(const char* First, const char* Own, std::size_t Length) const {
  for (std::size_t i = 0; i < Length; ++i)
    if (FUpper[static_cast<unsigned char>(First[i])] != FUpper[static_cast<unsigned char>(Own[i])])
      return false;
  return true;
}
