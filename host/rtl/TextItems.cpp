#include "TextItems.h"

#include <algorithm>
#include <array>
#include <utility>

#include "SysUtils.h"

namespace {

// A key whose byte order (std::string's compare) is AnsiCompareText's order
// of the texts: each byte becomes its rank among all bytes under that
// comparison, bytes it holds equal sharing a rank. To sort many texts, each
// is folded once rather than at every comparison.
std::string CompareTextKey(const std::string& S) {
  static const std::array<unsigned char, 256> Rank = [] {
    std::array<int, 256> Bytes{};
    for (int i = 0; i < 256; ++i)
      Bytes[static_cast<std::size_t>(i)] = i;
    auto Text = [](int B) { return std::string(1, static_cast<char>(B)); };
    std::stable_sort(Bytes.begin(), Bytes.end(),
                     [&](int L, int R) { return AnsiCompareText(Text(L), Text(R)) < 0; });
    std::array<unsigned char, 256> R{};
    int Next = 0;
    for (std::size_t i = 0; i < Bytes.size(); ++i) {
      if (i > 0 && AnsiCompareText(Text(Bytes[i - 1]), Text(Bytes[i])) != 0)
        ++Next;
      R[static_cast<std::size_t>(Bytes[i])] = static_cast<unsigned char>(Next);
    }
    return R;
  }();
  std::string Key(S);
  for (char& C : Key)
    C = static_cast<char>(Rank[static_cast<unsigned char>(C)]);
  return Key;
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

// Each text is folded once into a key, and only positions move while
// sorting; the items move once, to their places. The first eight bytes of
// each key are also held as one number whose order is theirs (shorter keys
// padded with zeros), so that most comparisons are one of numbers; only
// keys whose first eight bytes are the same compare as texts.
void TTextItems::Sort() {
  std::vector<std::string> Keys;
  std::vector<std::uint64_t> Heads;
  Keys.reserve(FItems.size());
  Heads.reserve(FItems.size());
  for (const TTextItem& I : FItems) {
    Keys.push_back(CompareTextKey(I.Text));
    std::uint64_t Head = 0;
    for (std::size_t i = 0; i < 8; ++i)
      Head = Head << 8 | (i < Keys.back().size() ? static_cast<unsigned char>(Keys.back()[i]) : 0u);
    Heads.push_back(Head);
  }
  std::vector<std::size_t> Order(FItems.size());
  for (std::size_t i = 0; i < Order.size(); ++i)
    Order[i] = i;
  std::stable_sort(Order.begin(), Order.end(), [&](std::size_t L, std::size_t R) {
    return Heads[L] != Heads[R] ? Heads[L] < Heads[R] : Keys[L] < Keys[R];
  });
  std::vector<TTextItem> Sorted;
  Sorted.reserve(FItems.size());
  for (std::size_t i : Order)
    Sorted.push_back(std::move(FItems[i]));
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
