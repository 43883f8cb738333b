#include "MasterIndex.h"

#include <array>
#include <cstring>

#include "Classes.h"
#include "SysUtils.h"

namespace {

// The host's letter case folding, byte by byte, asked once: two names are
// the same to a string list when their upper-cased bytes are.
const std::array<unsigned char, 256>& UpperTable() {
  static const std::array<unsigned char, 256> Table = [] {
    std::array<unsigned char, 256> T{};
    for (int C = 0; C < 256; ++C)
      T[static_cast<std::size_t>(C)] =
          static_cast<unsigned char>(AnsiUpperChar(static_cast<char>(C)));
    return T;
  }();
  return Table;
}

// FNV-1a over the folded bytes.
std::uint32_t FoldedHash(std::string_view Name, const std::array<unsigned char, 256>& Upper) {
  std::uint32_t H = 2166136261u;
  for (char C : Name) {
    H ^= Upper[static_cast<unsigned char>(C)];
    H *= 16777619u;
  }
  return H;
}

}  // namespace

void TMasterIndex::Rebuild(const std::string& Text) {
  const auto& Upper = UpperTable();
  FEntries.clear();
  // The entries' places in the kept text, every name followed by CR LF. A
  // list's own text already has that form (each line starts where the kept
  // form puts it and the text ends after the last CR LF), and is then kept
  // as one copy rather than written again name by name.
  std::size_t Kept = 0;
  bool SameForm = true;
  TStrings::ForEachTextLine(Text, [&](const char* First, const char* End) {
    const std::string_view Line(First, static_cast<std::size_t>(End - First));
    SameForm = SameForm && static_cast<std::size_t>(Line.data() - Text.data()) == Kept;
    TEntry E;
    E.Offset = static_cast<std::uint32_t>(Kept);
    E.Length = static_cast<std::uint32_t>(Line.size());
    E.Hash = FoldedHash(Line, Upper);
    FEntries.push_back(E);
    Kept += Line.size() + 2;
  });
  if (SameForm && Kept == Text.size()) {
    FText.assign(Text);
  } else {
    FText.clear();
    FText.reserve(Kept);
    TStrings::ForEachTextLine(Text, [&](const char* First, const char* End) {
      FText.append(First, End);
      FText += "\r\n";
    });
  }

  std::size_t Size = 16;
  while (Size < 2 * FEntries.size())
    Size *= 2;
  FSlots.assign(Size, -1);
  const std::size_t Mask = Size - 1;
  for (std::size_t i = 0; i < FEntries.size(); ++i) {
    const TEntry& E = FEntries[i];
    // The first entry of a name is the one found; later ones are not indexed.
    for (std::size_t Slot = E.Hash & Mask;; Slot = (Slot + 1) & Mask) {
      const std::int32_t At = FSlots[Slot];
      if (At < 0) {
        FSlots[Slot] = static_cast<std::int32_t>(i);
        break;
      }
      const TEntry& Other = FEntries[static_cast<std::size_t>(At)];
      if (Other.Hash == E.Hash && SameFolded(Name(static_cast<int>(i)), Other))
        break;
    }
  }
}

int TMasterIndex::Find(std::string_view Name) const {
  if (FSlots.empty())
    return -1;
  const std::uint32_t Hash = FoldedHash(Name, UpperTable());
  const std::size_t Mask = FSlots.size() - 1;
  for (std::size_t Slot = Hash & Mask;; Slot = (Slot + 1) & Mask) {
    const std::int32_t At = FSlots[Slot];
    if (At < 0)
      return -1;
    const TEntry& E = FEntries[static_cast<std::size_t>(At)];
    if (E.Hash == Hash && SameFolded(Name, E))
      return At;
  }
}

bool TMasterIndex::SameFolded(std::string_view Name, const TEntry& E) const {
  if (Name.size() != E.Length)
    return false;
  if (Name.empty())
    return true;
  const char* Own = FText.data() + E.Offset;
  // Mostly the same spelling: the bytes first, folding only when they differ.
  if (std::memcmp(Name.data(), Own, Name.size()) == 0)
    return true;
  const auto& Upper = UpperTable();
  for (std::size_t i = 0; i < Name.size(); ++i)
    if (Upper[static_cast<unsigned char>(Name[i])] != Upper[static_cast<unsigned char>(Own[i])])
      return false;
  return true;
}
