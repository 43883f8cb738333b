#include "CommCtrl.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <utility>

#include "TextMetrics.h"

const char* const WC_TABCONTROL = "SysTabControl32";

namespace {

constexpr int kPadding = 12;  // 6 pixels either side of the caption
constexpr int kMargin = 2;

class TNativeTabControl : public TNativeWindow {
 public:
  LRESULT Handle(HWND Wnd, TMessage& M) override;
  // TCM_GETITEMTEXTS and TCM_SETITEMS, kept out of Handle's switch: their
  // numbers lie far from the common controls' own, and would turn its table
  // of cases into a chain of comparisons for every message.
  LRESULT HandleWhole(TMessage& M);
  // The user's input: a press on a tab other than the selected one selects
  // it (unless TCN_SELCHANGING is refused), a release reports NM_CLICK.
  LRESULT HandleInput(HWND Wnd, TMessage& M);
  // The messages that read, change, add and remove tabs.
  LRESULT HandleItems(TMessage& M);
  // Paints into DC. Only an owner-drawn control draws here, through its
  // procedure; the host's controls paint their own tabs.
  void Print(HWND Wnd, HDC DC);

  // The rows in layout order, each listing item indexes left to right. A
  // single-line control has all its items in one row; a multi-line one
  // wraps them by the window's width. A control with thousands of tabs is
  // asked for them on every selection and every layout pass, and gets its
  // tabs one by one, so the rows are kept: a tab added or taken away at the
  // end is laid out in place, and they are worked out afresh only after
  // another change of the tabs, or of the style or (for a multi-line
  // control, where texts matter) a text, the width or the font.
  const std::vector<std::vector<int>>& Rows(HWND Wnd);

  std::vector<TCItem> Items;
  int CurSel = -1;
  // The row (in layout order) that sits next to the client area. A
  // multi-line control moves the selected tab's row there.
  int FrontRow = 0;

 private:
  void Select(HWND Wnd, int Index);
  int Width(int Item) const {
    return TabItemWidth(FRowsKey.Font, Items[static_cast<std::size_t>(Item)].Text);
  }
  // Lays the item out after the last one laid out.
  void Place(int Item);
  // Before the item goes: the rows follow when it is the last one, and are
  // dropped otherwise.
  void Deleting(int Item);

  // What the rows depend on besides the texts.
  struct TRowsKey {
    bool Multi = false;
    int Width = 0;
    TFontDesc Font;
    friend bool operator==(const TRowsKey&, const TRowsKey&) = default;
  };
  bool FRowsValid = false;
  TRowsKey FRowsKey;
  std::vector<std::vector<int>> FRows;
  std::vector<int> FRowOfItem;
  int FLastRowWidth = 0;
};

const std::vector<std::vector<int>>& TNativeTabControl::Rows(HWND Wnd) {
  const TWindowRecord& W = *WindowRecord(Wnd);
  TRowsKey Key;
  Key.Multi = (W.Style & TCS_MULTILINE) != 0;
  if (Key.Multi) {
    Key.Width = W.Width;
    Key.Font = W.Font;
  }
  if (FRowsValid && Key == FRowsKey)
    return FRows;
  FRowsKey = Key;
  FRows.clear();
  FRowOfItem.clear();
  for (int i = 0; i < static_cast<int>(Items.size()); ++i)
    Place(i);
  FRowsValid = true;
  return FRows;
}

void TNativeTabControl::Place(int Item) {
  if (FRowsKey.Multi) {
    const int W = Width(Item);
    const int Avail = std::max(1, FRowsKey.Width - 2 * kMargin);
    if (FRows.empty() || (!FRows.back().empty() && FLastRowWidth + W > Avail)) {
      FRows.emplace_back();
      FLastRowWidth = 0;
    }
    FLastRowWidth += W;
  } else if (FRows.empty()) {
    FRows.emplace_back();
  }
  FRows.back().push_back(Item);
  FRowOfItem.push_back(static_cast<int>(FRows.size()) - 1);
}

void TNativeTabControl::Deleting(int Item) {
  if (!FRowsValid || Item + 1 != static_cast<int>(Items.size())) {
    FRowsValid = false;
    return;
  }
  FRows.back().pop_back();
  FRowOfItem.pop_back();
  if (FRowsKey.Multi)
    FLastRowWidth -= Width(Item);
  if (!FRows.back().empty())
    return;
  FRows.pop_back();
  FLastRowWidth = 0;
  if (FRowsKey.Multi && !FRows.empty())
    for (int i : FRows.back())
      FLastRowWidth += Width(i);
}

void TNativeTabControl::Select(HWND Wnd, int Index) {
  CurSel = Index;
  if (Index >= 0) {
    Rows(Wnd);
    FrontRow = FRowOfItem[static_cast<std::size_t>(Index)];
  }
}

LRESULT TNativeTabControl::Handle(HWND Wnd, TMessage& M) {
  const int Count = static_cast<int>(Items.size());
  const int Index = static_cast<int>(M.WParam);
  switch (M.Msg) {
    case TCM_GETITEMCOUNT:
      return Count;
    case TCM_GETITEM:
    case TCM_SETITEM:
    case TCM_INSERTITEM:
    case TCM_DELETEITEM:
    case TCM_DELETEALLITEMS:
      return HandleItems(M);
    case TCM_GETCURSEL:
      return CurSel;
    case TCM_SETCURSEL: {
      if (Index >= Count || Index < -1)
        return -1;
      const int Old = CurSel;
      Select(Wnd, Index);
      return Old;
    }
    case TCM_GETROWCOUNT:
      return static_cast<LRESULT>(Rows(Wnd).size());
    case TCM_ADJUSTRECT: {
      // The display area lies inside a frame of 4 pixels and below the rows
      // of tabs; WParam non-zero asks the other way round, for the window
      // rectangle around a display area.
      auto* R = reinterpret_cast<TRect*>(M.LParam);
      if (R == nullptr)
        return 0;
      const int Sign = M.WParam != 0 ? -1 : 1;
      const int Top = 4 + TabControlRowsHeight(Wnd);
      *R =
          TRect{R->Left + Sign * 4, R->Top + Sign * Top, R->Right - Sign * 4, R->Bottom - Sign * 4};
      return 0;
    }
    case TCM_GETITEMRECT: {
      const TTabLayout L = TabControlLayout(Wnd);
      if (Index < 0 || Index >= Count)
        return 0;
      *reinterpret_cast<TRect*>(M.LParam) = L.ItemRects[static_cast<std::size_t>(Index)];
      return 1;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
      return HandleInput(Wnd, M);
    case WM_PRINTCLIENT:
      Print(Wnd, reinterpret_cast<HDC>(M.WParam));
      return 0;
    default:
      return HandleWhole(M);
  }
}

LRESULT TNativeTabControl::HandleItems(TMessage& M) {
  const int Count = static_cast<int>(Items.size());
  const int Index = static_cast<int>(M.WParam);
  switch (M.Msg) {
    case TCM_GETITEM: {
      if (Index < 0 || Index >= Count)
        return 0;
      auto* Item = reinterpret_cast<TCItem*>(M.LParam);
      const TCItem& Src = Items[static_cast<std::size_t>(Index)];
      if (Item->Mask & TCIF_TEXT)
        Item->Text = Src.Text;
      if (Item->Mask & TCIF_IMAGE)
        Item->Image = Src.Image;
      if (Item->Mask & TCIF_PARAM)
        Item->Param = Src.Param;
      return 1;
    }
    case TCM_SETITEM: {
      if (Index < 0 || Index >= Count)
        return 0;
      const auto* Item = reinterpret_cast<const TCItem*>(M.LParam);
      TCItem& Dst = Items[static_cast<std::size_t>(Index)];
      if ((Item->Mask & TCIF_TEXT) && Dst.Text != Item->Text) {
        Dst.Text = Item->Text;
        FRowsValid = FRowsValid && !FRowsKey.Multi;
      }
      if (Item->Mask & TCIF_IMAGE)
        Dst.Image = Item->Image;
      if (Item->Mask & TCIF_PARAM)
        Dst.Param = Item->Param;
      return 1;
    }
    case TCM_INSERTITEM: {
      if (Index < 0)
        return -1;
      const int At = std::min(Index, Count);
      Items.insert(Items.begin() + At, *reinterpret_cast<const TCItem*>(M.LParam));
      if (FRowsValid && At == Count)
        Place(At);
      else
        FRowsValid = false;
      // The first tab of an empty control becomes the selected one, as the
      // common controls do; later inserts move the selection with its tab.
      if (Count == 0)
        CurSel = 0;
      else if (CurSel >= At)
        ++CurSel;
      return At;
    }
    case TCM_DELETEITEM:
      if (Index < 0 || Index >= Count)
        return 0;
      Deleting(Index);
      Items.erase(Items.begin() + Index);
      // Deleting the selected tab leaves none selected; deleting one before
      // it moves the selection along with its tab.
      if (CurSel == Index)
        CurSel = -1;
      else if (CurSel > Index)
        --CurSel;
      return 1;
    case TCM_DELETEALLITEMS:
      Items.clear();
      FRowsValid = false;
      CurSel = -1;
      FrontRow = 0;
      return 1;
    default:
      return 0;
  }
}

namespace {

// The parent's WM_NOTIFY, which the VCL reflects to the control as
// CN_NOTIFY: here the control's own procedure gets it straight away.
LRESULT Notify(HWND Wnd, UINT Code) {
  NMHDR Header{Wnd, 0, Code};
  return SendMessage(Wnd, CN_NOTIFY, 0, reinterpret_cast<LPARAM>(&Header));
}

}  // namespace

void TNativeTabControl::Print(HWND Wnd, HDC DC) {
  if (DC == nullptr || (GetWindowStyle(Wnd) & TCS_OWNERDRAWFIXED) == 0)
    return;
  // Each tab is drawn in the control's font, as the common controls select
  // it before they ask.
  TFontRecord Font{WindowRecord(Wnd)->Font};
  // The caller's DC gets its own font back on every path, also when the
  // procedure destroys the control.
  struct TKeepFont {
    HDC DC;
    HGDIOBJ Old;
    ~TKeepFont() { SelectObject(DC, Old); }
  } Keep{DC, SelectObject(DC, &Font)};
  const TTabLayout L = TabControlLayout(Wnd, true);
  for (const auto& Row : L.Rows)
    for (int i : Row) {
      DRAWITEMSTRUCT Item;
      Item.CtlType = ODT_TAB;
      Item.itemID = static_cast<UINT>(i);
      Item.itemAction = ODA_DRAWENTIRE;
      Item.itemState = i == CurSel ? ODS_SELECTED : 0;
      Item.hwndItem = Wnd;
      Item.hDC = DC;
      Item.rcItem = L.ItemRects[static_cast<std::size_t>(i)];
      Item.itemData = static_cast<std::uintptr_t>(Items[static_cast<std::size_t>(i)].Param);
      SendMessage(Wnd, CN_DRAWITEM, 0, reinterpret_cast<LPARAM>(&Item));
      // The procedure may have destroyed the control or changed its tabs.
      if (!IsWindow(Wnd) || Items.size() != L.ItemRects.size())
        return;
    }
}

LRESULT TNativeTabControl::HandleInput(HWND Wnd, TMessage& M) {
  if (M.Msg == WM_LBUTTONUP) {
    Notify(Wnd, NM_CLICK);
    return 0;
  }
  // The point's coordinates are signed 16-bit values.
  const int X = static_cast<std::int16_t>(LOWORD(static_cast<std::uintptr_t>(M.LParam)));
  const int Y = static_cast<std::int16_t>(HIWORD(static_cast<std::uintptr_t>(M.LParam)));
  const TTabLayout L = TabControlLayout(Wnd, true);
  int Hit = -1;
  for (const auto& Row : L.Rows)
    for (int i : Row) {
      const TRect& R = L.ItemRects[static_cast<std::size_t>(i)];
      if (X >= R.Left && X < R.Right && Y >= R.Top && Y < R.Bottom)
        Hit = i;
    }
  if (Hit < 0 || Hit == CurSel || Notify(Wnd, TCN_SELCHANGING) != 0)
    return 0;
  // The procedure may have changed the tabs while it was asked.
  if (!IsWindow(Wnd) || Hit >= static_cast<int>(Items.size()))
    return 0;
  Select(Wnd, Hit);
  Notify(Wnd, TCN_SELCHANGE);
  return 0;
}

LRESULT TNativeTabControl::HandleWhole(TMessage& M) {
  const int Count = static_cast<int>(Items.size());
  switch (M.Msg) {
    case TCM_GETITEMTEXTS: {
      auto& Text = *reinterpret_cast<std::string*>(M.LParam);
      std::size_t Size = 0;
      for (const TCItem& Item : Items)
        Size += Item.Text.size() + 2;
      // Sized once and written in place: an append per tab costs more than
      // the copy of its text.
      Text.resize(Size);
      char* Out = Text.data();
      for (const TCItem& Item : Items) {
        Out = std::copy(Item.Text.begin(), Item.Text.end(), Out);
        *Out++ = '\r';
        *Out++ = '\n';
      }
      return Count;
    }
    case TCM_SETITEMS:
      Items = std::move(*reinterpret_cast<std::vector<TCItem>*>(M.LParam));
      FRowsValid = false;
      CurSel = Items.empty() ? -1 : 0;
      FrontRow = 0;
      return static_cast<LRESULT>(Items.size());
    default:
      return 0;
  }
}

struct TTabControlRegistrar {
  TTabControlRegistrar() {
    RegisterNativeClass(WC_TABCONTROL,
                        [] { return std::unique_ptr<TNativeWindow>(new TNativeTabControl); });
  }
} TabControlRegistrar;

}  // namespace

int TabItemWidth(const TFontDesc& Font, const std::string& Caption) {
  return FontTextWidth(Font, Caption) + kPadding;
}

namespace {

TNativeTabControl* NativeTabControl(HWND Wnd) {
  TWindowRecord* W = WindowRecord(Wnd);
  return W != nullptr ? dynamic_cast<TNativeTabControl*>(W->Native.get()) : nullptr;
}

int TabHeight(HWND Wnd) {
  return FontMetrics(WindowRecord(Wnd)->Font).tmHeight + 5;
}

}  // namespace

int TabControlRowsHeight(HWND Wnd) {
  TNativeTabControl* N = NativeTabControl(Wnd);
  return N == nullptr ? 0 : static_cast<int>(N->Rows(Wnd).size()) * TabHeight(Wnd);
}

TTabLayout TabControlLayout(HWND Wnd, bool InView) {
  TTabLayout L;
  TNativeTabControl* N = NativeTabControl(Wnd);
  if (N == nullptr)
    return L;
  const TWindowRecord& W = *WindowRecord(Wnd);
  L.TabHeight = TabHeight(Wnd);
  const auto& Layout = N->Rows(Wnd);
  const int n = static_cast<int>(Layout.size());
  const int Front = std::min(N->FrontRow, std::max(0, n - 1));
  L.ItemRects.resize(N->Items.size());
  // Rows keep their cyclic order; the front row is drawn last, at the bottom.
  L.Rows.reserve(static_cast<std::size_t>(n));
  for (int r = 0; r < n; ++r) {
    const auto& Row = Layout[static_cast<std::size_t>((Front + n - 1 - r) % n)];
    std::vector<int>& Out = L.Rows.emplace_back();
    int X = kMargin;
    for (int i : Row) {
      if (InView && X >= W.Width)
        break;
      const int Width = TabItemWidth(W.Font, N->Items[static_cast<std::size_t>(i)].Text);
      L.ItemRects[static_cast<std::size_t>(i)] =
          TRect{X, kMargin + r * L.TabHeight, X + Width, kMargin + (r + 1) * L.TabHeight};
      Out.push_back(i);
      X += Width;
    }
  }
  return L;
}
