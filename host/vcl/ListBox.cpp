#include "ListBox.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <utility>

#include "ListItems.h"

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

// The list of a list box. It keeps the list sorted while the control is, and
// tells the control about every insertion and deletion so that the selection
// follows its item as the native list's does.
//
// Lookups by whole text, letter case ignored, go through an index of the
// first item of every upper-cased text: the settings dialog looks up every
// page of every group in a list of every palette page, which would be a
// quadratic scan. The index is built at the first lookup after a change and
// survives items added at the end and taken from the end (how lists are
// filled and emptied) and changes of item objects; any other change of the
// texts drops it. It is a table of item numbers by the folded text's hash,
// open addressing with linear probing, so that neither building it nor a
// lookup allocates or copies a text.
class TCustomListBox::TListBoxStrings : public TListItems {
 public:
  explicit TListBoxStrings(TCustomListBox* ListBox) : FListBox(ListBox) {}

  void Put(int Index, const std::string& S) override {
    // LB has no "set text": the VCL deletes the item and inserts the new
    // text at the same place, keeping the object and the selection.
    const TItemObject Obj = At(Index).Obj;
    const bool WasSelected = FListBox->FItemIndex == Index;
    Delete(Index);
    InsertObject(Index, S, Obj);
    if (WasSelected)
      FListBox->FItemIndex = Index;
  }
  void PutObject(int Index, TItemObject AObject) override { At(Index).Obj = AObject; }
  int Add(const std::string& S) override {
    if (!FListBox->FSorted) {
      Insert(Count(), S);
      return Count() - 1;
    }
    // LBS_SORT places a new item after the equal ones already there.
    auto It = std::upper_bound(
        FItems.begin(), FItems.end(), S,
        [](const std::string& L, const Item& R) { return AnsiCompareText(L, R.S) < 0; });
    const int Index = static_cast<int>(It - FItems.begin());
    Insert(Index, S);
    return Index;
  }
  void Insert(int Index, const std::string& S) override {
    if (Index < 0 || Index > Count())
      Error("List index out of bounds", Index);
    FItems.insert(FItems.begin() + Index, Item{S, {}});
    if (Index + 1 == Count() && FIndexed)
      IndexLast();
    else
      DropIndex();
    FListBox->ItemInserted(Index);
  }
  void Delete(int Index) override {
    (void)At(Index);
    if (Index + 1 == Count() && FIndexed)
      UnindexLast();
    else
      DropIndex();
    FItems.erase(FItems.begin() + Index);
    FListBox->ItemDeleted(Index);
  }
  void Clear() override {
    FItems.clear();
    DropIndex();
    FListBox->ItemsCleared();
  }
  // An unsorted list ends as Clear and an Add of each line leave it, the
  // lines taken straight from the text into room reserved for them all: the
  // settings dialog fills its list of every palette page so.
  void SetText(const std::string& Value) override {
    if (FListBox->FSorted) {
      TStrings::SetText(Value);
      return;
    }
    Clear();
    AppendTextLines(Value, FItems);
    FListBox->Invalidate();
  }
  // Each text is folded once into a key, and only positions move while
  // sorting; the items move once, to their places.
  // The first eight bytes of each key are also held as one number whose
  // order is theirs (shorter keys padded with zeros), so that most
  // comparisons are one of numbers; only keys whose first eight bytes are
  // the same compare as texts.
  void Sort() {
    std::vector<std::string> Keys;
    std::vector<std::uint64_t> Heads;
    Keys.reserve(FItems.size());
    Heads.reserve(FItems.size());
    for (const Item& I : FItems) {
      Keys.push_back(CompareTextKey(I.S));
      std::uint64_t Head = 0;
      for (std::size_t i = 0; i < 8; ++i)
        Head =
            Head << 8 | (i < Keys.back().size() ? static_cast<unsigned char>(Keys.back()[i]) : 0u);
      Heads.push_back(Head);
    }
    std::vector<std::size_t> Order(FItems.size());
    for (std::size_t i = 0; i < Order.size(); ++i)
      Order[i] = i;
    std::stable_sort(Order.begin(), Order.end(), [&](std::size_t L, std::size_t R) {
      return Heads[L] != Heads[R] ? Heads[L] < Heads[R] : Keys[L] < Keys[R];
    });
    std::vector<Item> Sorted;
    Sorted.reserve(FItems.size());
    for (std::size_t i : Order)
      Sorted.push_back(std::move(FItems[i]));
    FItems.swap(Sorted);
    DropIndex();
  }
  // Texts equal under AnsiCompareText are the texts whose upper-cased forms
  // are equal, so the index finds what a scan with it would find first.
  int IndexOf(const std::string& S) const override {
    if (!FIndexed)
      BuildIndex();
    const std::size_t Mask = FSlots.size() - 1;
    for (std::size_t i = FoldedHash(S) & Mask;; i = (i + 1) & Mask) {
      const int Entry = FSlots[i];
      if (Entry < 0 || SameFolded(FItems[static_cast<std::size_t>(Entry)].S, S))
        return Entry;
    }
  }

 private:
  // The table holds at most half as many items as it has slots, so that
  // probes stay short and always reach a free slot.
  void BuildIndex() const {
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
  void Place(int Index) const {
    const std::string& S = FItems[static_cast<std::size_t>(Index)].S;
    const std::size_t Mask = FSlots.size() - 1;
    std::size_t i = FoldedHash(S) & Mask;
    for (; FSlots[i] >= 0; i = (i + 1) & Mask)
      if (SameFolded(FItems[static_cast<std::size_t>(FSlots[i])].S, S))
        return;
    FSlots[i] = Index;
  }
  void IndexLast() {
    if (2 * FItems.size() > FSlots.size())
      BuildIndex();
    else
      Place(Count() - 1);
  }
  // Before the last item goes: its slot, if it holds one, is emptied and the
  // items probed past it move up, so that every probe still reaches them.
  void UnindexLast() {
    const int Last = Count() - 1;
    const std::size_t Mask = FSlots.size() - 1;
    std::size_t Hole = FoldedHash(FItems.back().S) & Mask;
    while (FSlots[Hole] >= 0 && FSlots[Hole] != Last)
      Hole = (Hole + 1) & Mask;
    if (FSlots[Hole] < 0)
      return;  // an earlier equal item holds the text's place
    for (std::size_t j = (Hole + 1) & Mask; FSlots[j] >= 0; j = (j + 1) & Mask) {
      const std::size_t Home = FoldedHash(FItems[static_cast<std::size_t>(FSlots[j])].S) & Mask;
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
  void DropIndex() {
    if (!FIndexed)
      return;
    std::vector<int>().swap(FSlots);
    FIndexed = false;
  }

  TCustomListBox* FListBox;
  // Item numbers by folded hash, -1 for a free slot; a power of two long.
  mutable std::vector<int> FSlots;
  mutable bool FIndexed = false;
};

TCustomListBox::TCustomListBox(TComponent* AOwner)
    : TWinControl(AOwner),
      FItems(std::make_unique<TListBoxStrings>(this)),
      FCanvas(std::make_unique<TCanvas>()) {
  SetBounds(0, 0, 121, 97);
  SetColor(clWindow);
  SetTabStop(true);
}

TCustomListBox::~TCustomListBox() {
  Destroying();
}

TStrings* TCustomListBox::Items() const {
  return FItems.get();
}

void TCustomListBox::SetItems(TStrings* Value) {
  FItems->Assign(Value);
}

void TCustomListBox::SetItemIndex(int Value) {
  Value = TListItems::ValidItemIndex(Value, FItems->Count());
  if (Value == FItemIndex)
    return;
  FItemIndex = Value;
  Invalidate();
}

void TCustomListBox::SetSorted(bool Value) {
  if (Value == FSorted)
    return;
  FSorted = Value;
  if (!FSorted)
    return;
  // The VCL recreates the window with LBS_SORT and adds the items again;
  // the selection does not survive that.
  FItems->Sort();
  FItemIndex = -1;
  Invalidate();
}

void TCustomListBox::SetStyle(TListBoxStyle Value) {
  if (Value == FStyle)
    return;
  FStyle = Value;
  RecreateWnd();
  Invalidate();
}

void TCustomListBox::SetItemHeight(int Value) {
  if (Value <= 0 || Value == FItemHeight)
    return;
  FItemHeight = Value;
  Invalidate();
}

int TCustomListBox::FindExact(const std::string& S) const {
  return FItems->IndexOf(S);
}

void TCustomListBox::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  Params.WinClassName = "LISTBOX";
}

void TCustomListBox::ItemInserted(int Index) {
  FItemIndex = TListItems::ItemIndexAfterInsert(FItemIndex, Index);
  Invalidate();
}

void TCustomListBox::ItemDeleted(int Index) {
  FItemIndex = TListItems::ItemIndexAfterDelete(FItemIndex, Index);
  Invalidate();
}

void TCustomListBox::ItemsCleared() {
  FItemIndex = -1;
  Invalidate();
}

void TCustomListBox::SelectItemByUser(int Index) {
  if (Index < 0 || Index >= FItems->Count())
    throw EListError("List index out of bounds (" + IntToStr(Index) + ")");
  if (CanFocus())
    SetFocus();
  SetItemIndex(Index);
  // LBN_SELCHANGE comes with every click on an item, the selected one too.
  TWinControl::Click();
}

void TCustomListBox::KeyDown(Word& Key, TShiftState Shift) {
  TWinControl::KeyDown(Key, Shift);
  if (Key != VK_UP && Key != VK_DOWN)
    return;
  const int Count = FItems->Count();
  if (Count == 0)
    return;
  int Next = FItemIndex < 0 ? 0 : FItemIndex + (Key == VK_DOWN ? 1 : -1);
  Next = std::clamp(Next, 0, Count - 1);
  if (Next == FItemIndex)
    return;
  SetItemIndex(Next);
  TWinControl::Click();
}

void TCustomListBox::PaintItem(int Index, const TRect& Rect, TOwnerDrawState State) {
  FCanvas->Font()->Assign(Font());
  FCanvas->Brush()->SetStyle(bsSolid);
  FCanvas->Brush()->SetColor(Color());
  if (State.Contains(odSelected)) {
    FCanvas->Brush()->SetColor(clHighlight);
    FCanvas->Font()->SetColor(clHighlightText);
  }
  DrawItem(Index, Rect, State);
}

void TCustomListBox::DrawItem(int Index, const TRect& Rect, TOwnerDrawState State) {
  if (FStyle != lbStandard && FOnDrawItem.Assigned()) {
    FOnDrawItem(this, Index, Rect, State);
    return;
  }
  FCanvas->FillRect(Rect);
  FCanvas->TextOut(Rect.Left + 2, Rect.Top, FItems->Get(Index));
}

void TCustomListBox::Paint() {
  FCanvas->DisplayList().Clear();
  const int H = FItemHeight;
  for (int i = 0; i < FItems->Count(); ++i) {
    const TRect R{0, i * H, Width(), (i + 1) * H};
    PaintItem(i, R, i == FItemIndex ? TOwnerDrawState{odSelected} : TOwnerDrawState{});
  }
}
