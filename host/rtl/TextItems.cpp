#include "TextItems.h"

#include <algorithm>
#include <array>
#include <utility>

#include "SysUtils.h"

namespace {

// Each byte's rank among all bytes under AnsiCompareText, bytes it holds
// equal sharing a rank: texts compare as their sequences of ranks do, so
// that sorting many texts folds each byte once by a lookup rather than at
// every comparison. Written out rather than worked out by sorting the 256
// bytes with AnsiCompareText at the first sort, which cost the first
// dialog of a session 0.1 M instructions; the list box's sort test checks
// the table against AnsiCompareText for every byte.
const std::array<unsigned char, 256>& CompareTextRanks() {
  // Sixteen bytes a row, 0x00 to 0xFF.
  // clang-format off
  static constexpr std::array<unsigned char, 256> Rank = {
      0,   1,   2,   3,   4,   5,   6,   7,   8,   9,  10,  11,  12,  13,  14,  15,
     16,  17,  18,  19,  20,  21,  22,  23,  24,  25,  26,  27,  28,  29,  30,  31,
     32,  33,  34,  35,  36,  37,  38,  39,  40,  41,  42,  43,  44,  45,  46,  47,
     48,  49,  50,  51,  52,  53,  54,  55,  56,  57,  58,  59,  60,  61,  62,  63,
     64,  65,  66,  67,  68,  69,  70,  71,  72,  73,  74,  75,  76,  77,  78,  79,
     80,  81,  82,  83,  84,  85,  86,  87,  88,  89,  90,  91,  92,  93,  94,  95,
     96,  65,  66,  67,  68,  69,  70,  71,  72,  73,  74,  75,  76,  77,  78,  79,
     80,  81,  82,  83,  84,  85,  86,  87,  88,  89,  90,  97,  98,  99, 100, 101,
    102, 103, 104, 103, 105, 106, 107, 108, 109, 110, 111, 112, 113, 114, 115, 116,
    102, 117, 118, 119, 120, 121, 122, 123, 124, 125, 111, 126, 113, 114, 115, 116,
    127, 128, 128, 129, 130, 131, 132, 133, 156, 134, 135, 136, 137, 138, 139, 140,
    141, 142, 143, 143, 131, 144, 145, 146, 156, 147, 135, 148, 129, 149, 149, 140,
    150, 151, 152, 153, 154, 155, 157, 158, 159, 160, 161, 162, 163, 164, 165, 166,
    167, 168, 169, 170, 171, 172, 173, 174, 175, 176, 177, 178, 179, 180, 181, 182,
    150, 151, 152, 153, 154, 155, 157, 158, 159, 160, 161, 162, 163, 164, 165, 166,
    167, 168, 169, 170, 171, 172, 173, 174, 175, 176, 177, 178, 179, 180, 181, 182,
  };
  // clang-format on
  return Rank;
}

// AnsiUpperChar of every byte, looked up here: the library's function is a
// call per byte, and hashing a name folds each of its bytes.
const std::array<unsigned char, 256>& UpperTable() {
  static const std::array<unsigned char, 256> Upper = [] {
    std::array<unsigned char, 256> U{};
    for (int i = 0; i < 256; ++i)
      U[static_cast<std::size_t>(i)] =
          static_cast<unsigned char>(AnsiUpperChar(static_cast<char>(i)));
    return U;
  }();
  return Upper;
}

// FNV-1a of the upper-cased text: texts equal but for letter case hash alike.
std::uint32_t FoldedHash(const std::string& S) {
  const auto& Upper = UpperTable();
  std::uint32_t H = 2166136261u;
  for (char C : S) {
    H ^= Upper[static_cast<unsigned char>(C)];
    H *= 16777619u;
  }
  return H;
}

// Texts equal under AnsiCompareText are the texts whose upper-cased forms
// are equal, so the index finds what a scan with it would find first.
bool SameFolded(const std::string& L, const std::string& R) {
  if (L.size() != R.size())
    return false;
  const auto& Upper = UpperTable();
  for (std::size_t i = 0; i < L.size(); ++i)
    if (Upper[static_cast<unsigned char>(L[i])] != Upper[static_cast<unsigned char>(R[i])])
      return false;
  return true;
}

}  // namespace

std::size_t TTextItems::SortedPlace(const std::string& Text) const {
  return static_cast<std::size_t>(std::upper_bound(FItems.begin(), FItems.end(), Text,
                                                   [](const std::string& L, const TTextItem& R) {
                                                     return AnsiCompareText(L, R.Text) < 0;
                                                   }) -
                                  FItems.begin());
}

int TTextItems::Add(std::string Text, std::intptr_t Data, bool Sorted) {
  const int At = Sorted ? static_cast<int>(SortedPlace(Text)) : Count();
  return Insert(At, std::move(Text), Data);
}

int TTextItems::Insert(int Index, std::string Text, std::intptr_t Data) {
  if (Index < -1 || Index > Count())
    return -1;
  const std::size_t At = Index == -1 ? FItems.size() : static_cast<std::size_t>(Index);
  FItems.insert(FItems.begin() + static_cast<std::ptrdiff_t>(At), TTextItem{std::move(Text), Data});
  if (At + 1 == FItems.size() && FIndexed)
    IndexLast();
  else
    DropIndex();
  const int Result = static_cast<int>(At);
  if (FSelected >= Result)
    ++FSelected;
  return Result;
}

void TTextItems::Delete(int Index) {
  if (Index + 1 == Count() && FIndexed)
    UnindexLast();
  else
    DropIndex();
  FItems.erase(FItems.begin() + Index);
  if (FSelected == Index)
    FSelected = -1;
  else if (FSelected > Index)
    --FSelected;
}

void TTextItems::Clear() {
  FItems.clear();
  FSelected = -1;
  DropIndex();
}

void TTextItems::Assign(std::vector<TTextItem> Items, bool Sorted) {
  FItems = std::move(Items);
  FSelected = -1;
  DropIndex();
  if (Sorted)
    Sort();
}

std::vector<TTextItem> TTextItems::Take() {
  std::vector<TTextItem> Items = std::move(FItems);
  Clear();
  return Items;
}

// Only positions move while sorting, and the items move once, to their
// places. Each text's first eight bytes are held as one number of their
// ranks, in order (shorter texts padded with zeros), and the positions are
// sorted by these numbers a byte at a time from the last, each pass keeping
// the order of the one before (a pass whose byte is the same in every
// number is left out); only a run of texts whose numbers are the same and
// one of which goes on past eight bytes is then sorted by comparing ranks.
// Equal texts keep their order throughout.
void TTextItems::Sort() {
  const auto& Rank = CompareTextRanks();
  const std::size_t n = FItems.size();
  struct TKey {
    std::uint64_t Head;
    std::size_t Index;
  };
  std::vector<TKey> Keys(n), Spare(n);
  std::uint64_t Varies = 0;
  for (std::size_t i = 0; i < n; ++i) {
    const std::string& S = FItems[i].Text;
    const std::size_t Bytes = std::min<std::size_t>(S.size(), 8);
    std::uint64_t Head = 0;
    for (std::size_t b = 0; b < Bytes; ++b)
      Head = Head << 8 | Rank[static_cast<unsigned char>(S[b])];
    // An empty text's number is all padding (a shift by 64 is undefined).
    Keys[i] = {Bytes == 0 ? 0 : Head << (8 * (8 - Bytes)), i};
    Varies |= Keys[i].Head ^ Keys[0].Head;
  }
  for (int Shift = 0; Shift < 64; Shift += 8) {
    if (((Varies >> Shift) & 0xFF) == 0)
      continue;
    std::array<std::size_t, 257> Start{};
    for (const TKey& K : Keys)
      ++Start[((K.Head >> Shift) & 0xFF) + 1];
    for (std::size_t b = 1; b < Start.size(); ++b)
      Start[b] += Start[b - 1];
    for (const TKey& K : Keys)
      Spare[Start[(K.Head >> Shift) & 0xFF]++] = K;
    Keys.swap(Spare);
  }
  const auto Less = [&](const TKey& L, const TKey& R) {
    const std::string& A = FItems[L.Index].Text;
    const std::string& B = FItems[R.Index].Text;
    const std::size_t Common = std::min(A.size(), B.size());
    for (std::size_t b = 8; b < Common; ++b) {
      const unsigned char RA = Rank[static_cast<unsigned char>(A[b])];
      const unsigned char RB = Rank[static_cast<unsigned char>(B[b])];
      if (RA != RB)
        return RA < RB;
    }
    return A.size() < B.size();
  };
  for (std::size_t First = 0; First < n;) {
    // Texts of the same number are equal unless one is longer than eight
    // bytes or their lengths differ (the shorter ends where the longer
    // holds bytes of the padding's rank).
    const std::size_t Size = FItems[Keys[First].Index].Text.size();
    bool Unequal = Size > 8;
    std::size_t Last = First + 1;
    for (; Last < n && Keys[Last].Head == Keys[First].Head; ++Last)
      Unequal = Unequal || FItems[Keys[Last].Index].Text.size() != Size;
    if (Unequal)
      std::stable_sort(Keys.begin() + static_cast<std::ptrdiff_t>(First),
                       Keys.begin() + static_cast<std::ptrdiff_t>(Last), Less);
    First = Last;
  }
  std::vector<TTextItem> Sorted;
  Sorted.reserve(n);
  for (const TKey& K : Keys)
    Sorted.push_back(std::move(FItems[K.Index]));
  FItems.swap(Sorted);
  FSelected = -1;
  DropIndex();
}

int TTextItems::IndexOf(const std::string& Text) const {
  if (!FIndexed)
    BuildIndex();
  const std::size_t Mask = FSlots.size() - 1;
  for (std::size_t i = FoldedHash(Text) & Mask;; i = (i + 1) & Mask) {
    const int Entry = FSlots[i];
    if (Entry < 0 || SameFolded(FItems[static_cast<std::size_t>(Entry)].Text, Text))
      return Entry;
  }
}

void TTextItems::BuildIndex() const {
  std::size_t Size = 16;
  while (Size < 2 * FItems.size())
    Size *= 2;
  FSlots.assign(Size, -1);
  for (std::size_t i = 0; i < FItems.size(); ++i)
    Place(static_cast<int>(i));
  FIndexed = true;
}

// Enters item Index unless an earlier item of the same folded text holds
// its place: the index keeps the first one.
void TTextItems::Place(int Index) const {
  const std::string& S = FItems[static_cast<std::size_t>(Index)].Text;
  const std::size_t Mask = FSlots.size() - 1;
  std::size_t i = FoldedHash(S) & Mask;
  for (; FSlots[i] >= 0; i = (i + 1) & Mask)
    if (SameFolded(FItems[static_cast<std::size_t>(FSlots[i])].Text, S))
      return;
  FSlots[i] = Index;
}

void TTextItems::IndexLast() {
  if (2 * FItems.size() > FSlots.size())
    BuildIndex();
  else
    Place(Count() - 1);
}

// Before the last item goes: its slot, if it holds one, is emptied and the
// items probed past it move up, so that every probe still reaches them.
void TTextItems::UnindexLast() {
  const int Last = Count() - 1;
  const std::size_t Mask = FSlots.size() - 1;
  std::size_t Hole = FoldedHash(FItems.back().Text) & Mask;
  while (FSlots[Hole] >= 0 && FSlots[Hole] != Last)
    Hole = (Hole + 1) & Mask;
  if (FSlots[Hole] < 0)
    return;  // an earlier equal item holds the text's place
  for (std::size_t j = (Hole + 1) & Mask; FSlots[j] >= 0; j = (j + 1) & Mask) {
    const std::size_t Home = FoldedHash(FItems[static_cast<std::size_t>(FSlots[j])].Text) & Mask;
    // The item at j stays unless its home lies cyclically after the hole.
    const bool Stays = Hole < j ? (Home > Hole && Home <= j) : (Home > Hole || Home <= j);
    if (!Stays) {
      FSlots[Hole] = FSlots[j];
      Hole = j;
    }
  }
  FSlots[Hole] = -1;
}

// Frees the index's table too.
void TTextItems::DropIndex() {
  if (!FIndexed)
    return;
  std::vector<int>().swap(FSlots);
  FIndexed = false;
}
