#include "CommCtrl.h"

#include <algorithm>
#include <cstdint>
#include <numeric>
#include <string>
#include <utility>

#include "NativePaint.h"
#include "Natives.h"
#include "TabWindow.h"
#include "TextMetrics.h"
#include "TextScan.h"

const char* const WC_TABCONTROL = "SysTabControl32";

namespace {
constexpr int kPadding = 12;  // 6 pixels either side of the caption
constexpr int kMargin = 2;

// The selected tab stands out: two pixels wider each side and taller, and
// open to the client area below it.
TRect Raised(TRect R) {
  R.Left -= 2;
  R.Right += 2;
  R.Top -= 2;
  R.Bottom += 1;
  return R;
}

int TabHeight(HWND Wnd) {
  return FontMetrics(WindowRecord(Wnd)->Font).tmHeight + 5;
}
}  // namespace

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
  FLeftsValid = false;
  FRows.clear();
  FRowOfItem.clear();
  if (!Key.Multi && !Items.empty()) {
    // One row of every item in order, laid out at once: a filled palette
    // of thousands of tabs is laid out again after each fill.
    std::vector<int>& Row = FRows.emplace_back(Items.size());
    std::iota(Row.begin(), Row.end(), 0);
    FRowOfItem.assign(Items.size(), 0);
  } else {
    for (int i = 0; i < static_cast<int>(Items.size()); ++i)
      Place(i);
  }
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
  FLeftsValid = false;
}

void TNativeTabControl::Deleting(int Item) {
  FLeftsValid = false;
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
  const int Old = CurSel, OldFront = FrontRow, OldLeftmost = Leftmost;
  CurSel = Index;
  if (Index < 0) {
    InvalidateRect(Wnd, nullptr, 1);
    return;
  }
  // A single row is always the front one: the rows of a hidden list of
  // thousands of tabs are not laid out for a selection.
  if ((WindowRecord(Wnd)->Style & TCS_MULTILINE) != 0) {
    Rows(Wnd);
    FrontRow = FRowOfItem[static_cast<std::size_t>(Index)];
  } else {
    FrontRow = 0;
  }
  ShowTab(Wnd, Index);
  // The two tabs whose look changed are drawn again, as the common controls
  // do, where they are known to lie; a row that scrolled is drawn whole
  // already, and rows that moved are, as is a hidden control when it shows.
  if (Index == Old || Leftmost != OldLeftmost)
    return;
  if (FrontRow != OldFront || KnownLefts(WindowRecord(Wnd)->Font) == nullptr ||
      !IsWindowVisible(Wnd)) {
    InvalidateRect(Wnd, nullptr, 1);
    return;
  }
  // Each raised or lowered tab reaches into its neighbours, which are drawn
  // again whole.
  const int Count = static_cast<int>(Items.size());
  for (const int i : {Old, Index})
    for (int Near = std::max(0, i - 1); i >= 0 && Near <= std::min(i + 1, Count - 1); ++Near) {
      const TRect R = Near == i ? Raised(ItemRect(Wnd, i)) : ItemRect(Wnd, Near);
      InvalidateRect(Wnd, &R, 1);
    }
}

TNativeTabControl::~TNativeTabControl() {
  if (IsWindow(FScroller))
    DestroyWindow(FScroller);
}

bool TNativeTabControl::Overflows(HWND Wnd) {
  const TWindowRecord* W = WindowRecord(Wnd);
  if ((W->Style & TCS_MULTILINE) != 0 || Items.empty())
    return false;
  if (KnownLefts(W->Font) != nullptr)
    return FLefts.back() + TabItemWidth(W->Font, Items.back().Text) > W->Width - kMargin;
  // Measured only up to the first tab past the edge: a palette just filled
  // with thousands of tabs is painted before anything asks where they lie.
  const int Edge = W->Width - kMargin;
  int X = kMargin;
  for (const TCItem& Item : Items)
    if ((X += TabItemWidth(W->Font, Item.Text)) > Edge)
      return true;
  return false;
}

int TNativeTabControl::ShownRight(HWND Wnd) {
  return WindowRecord(Wnd)->Width - kTabScrollerWidth;
}

int TNativeTabControl::LastLeftmost(HWND Wnd) {
  if (!Overflows(Wnd))
    return 0;
  // The first tab whose left edge, brought to the margin, leaves the last
  // tab's right edge within the part that shows tabs: the tabs from it to
  // the end fit in that part. Where every tab's left edge is known (a
  // scrolled row), it is found among them by halving; otherwise the tabs
  // are measured from the end, as far as they fit, rather than every tab
  // from the first.
  const TFontDesc& Font = WindowRecord(Wnd)->Font;
  const int Room = ShownRight(Wnd) - kMargin;
  if (KnownLefts(Font) != nullptr) {
    const int End = FLefts.back() + TabItemWidth(Font, Items.back().Text);
    const auto Fits = std::lower_bound(FLefts.begin(), FLefts.end(), End - Room);
    return std::min(static_cast<int>(Fits - FLefts.begin()), static_cast<int>(Items.size()) - 1);
  }
  int First = static_cast<int>(Items.size());
  for (int Fit = 0; First > 0; --First) {
    Fit += TabItemWidth(Font, Items[static_cast<std::size_t>(First - 1)].Text);
    if (Fit > Room)
      break;
  }
  return std::min(First, static_cast<int>(Items.size()) - 1);
}

void TNativeTabControl::ShowTab(HWND Wnd, int Index) {
  // The first tab of an unscrolled row is in view whatever the row holds;
  // a page control selects it again after each sheet it inserts, and
  // measuring every tab each time made adding sheets quadratic.
  if (Index == 0 && Leftmost == 0)
    return;
  const int Old = Leftmost;
  if (!Overflows(Wnd)) {
    Leftmost = 0;
  } else if (Index < Leftmost) {
    Leftmost = Index;
  } else {
    // Only the tabs from the first in view are measured, up to this one or
    // the edge, and then back from this one as far as they fit: choosing a
    // tab far along a row of thousands does not measure the whole row.
    const TFontDesc& Font = WindowRecord(Wnd)->Font;
    const int Shown = ShownRight(Wnd);
    int Right = kMargin;
    bool Past = false;
    for (int i = Leftmost; i <= Index && !Past; ++i)
      Past = (Right += TabItemWidth(Font, Items[static_cast<std::size_t>(i)].Text)) > Shown;
    if (Past) {
      const int Room = Shown - kMargin;
      int First = Index + 1;
      for (int Fit = 0; First > 0; --First) {
        Fit += TabItemWidth(Font, Items[static_cast<std::size_t>(First - 1)].Text);
        if (Fit > Room)
          break;
      }
      Leftmost = std::min(First, Index);
    }
    Leftmost = std::min(Leftmost, LastLeftmost(Wnd));
  }
  if (Leftmost != Old) {
    UpdateScroller(Wnd);
    InvalidateRect(Wnd, nullptr, 1);
  }
}

void TNativeTabControl::UpdateScroller(HWND Wnd) {
  if (!Overflows(Wnd)) {
    Leftmost = 0;
    if (IsWindow(FScroller))
      DestroyWindow(FScroller);
    FScroller = nullptr;
    return;
  }
  const int Last = LastLeftmost(Wnd);
  Leftmost = std::min(Leftmost, Last);
  const int Width = WindowRecord(Wnd)->Width;
  const int Top = kMargin + std::max(0, TabHeight(Wnd) - kTabScrollerHeight) / 2;
  const TRect R{Width - kTabScrollerWidth, Top, Width, Top + kTabScrollerHeight};
  if (!IsWindow(FScroller) || GetParent(FScroller) != Wnd) {
    FScroller = CreateWindowEx(UPDOWN_CLASS, WS_CHILD | WS_VISIBLE | UDS_HORZ, {}, Wnd, R);
    FScrollerRange = FScrollerPos = -1;
  } else if (const TWindowRecord* S = WindowRecord(FScroller);
             S->Left != R.Left || S->Top != R.Top) {
    MoveWindow(FScroller, R.Left, R.Top, R.Width(), R.Height());
  }
  // The arrows keep their position in a new range, clamped into it.
  if (Last != FScrollerRange) {
    SendMessage(FScroller, UDM_SETRANGE32, 0, Last);
    FScrollerRange = Last;
    FScrollerPos = std::min(FScrollerPos, Last);
  }
  if (Leftmost != FScrollerPos) {
    SendMessage(FScroller, UDM_SETPOS32, 0, Leftmost);
    FScrollerPos = Leftmost;
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
    case TCM_GETITEMRECT:
      if (Index < 0 || Index >= Count || M.LParam == 0)
        return 0;
      *reinterpret_cast<TRect*>(M.LParam) = ItemRect(Wnd, Index);
      return 1;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
      return HandleInput(Wnd, M);
    case WM_HSCROLL:
      // The row goes to the position the arrows name, as far as the rest
      // fill the row. The up-down names the next tab either way, as
      // comctl32's does; comctl32 also takes a message that names a tab
      // further away as one step towards it, which a driver clicking the
      // arrows until a tab is in view meets on both.
      if (LOWORD(M.WParam) == SB_THUMBPOSITION && static_cast<int>(HIWORD(M.WParam)) < Count) {
        // The up-down's own click has moved it already.
        if (M.LParam != 0 && reinterpret_cast<HWND>(M.LParam) == FScroller)
          FScrollerPos = static_cast<int>(HIWORD(M.WParam));
        Leftmost = std::min(static_cast<int>(HIWORD(M.WParam)), LastLeftmost(Wnd));
        UpdateScroller(Wnd);
        InvalidateRect(Wnd, nullptr, 1);
      }
      return 0;
    default:
      return TNativeWindow::Handle(Wnd, M);
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
        FLeftsValid = false;
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
        DropRows();
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
      Leftmost = std::min(Leftmost, std::max(0, Count - 2));
      return 1;
    case TCM_DELETEALLITEMS:
      Items.clear();
      DropRows();
      CurSel = -1;
      FrontRow = 0;
      Leftmost = 0;
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

namespace {
TRect Grown(const TTabLayout& L, int Index, int Selected) {
  const TRect R = L.ItemRects[static_cast<std::size_t>(Index)];
  return Index == Selected ? Raised(R) : R;
}
}  // namespace

void TNativeTabControl::Paint(HWND Wnd, HDC DC) {
  // The up-down control comes and goes with the tabs that overflow.
  UpdateScroller(Wnd);
  // Each tab is drawn in the control's font, as the common controls select
  // it before they ask.
  const TWindowFont Font(Wnd, DC);
  const TCtlColors Colors = CtlColors(Wnd, DC, CN_CTLCOLORSTATIC, COLOR_BTNFACE);
  const TTabLayout L = TabControlLayout(Wnd, true);
  const std::vector<TRect>& Parts = PaintParts(DC);
  if (Parts.empty()) {
    PaintPart(Wnd, DC, L, Colors, ClipBox(DC));
    return;
  }
  // Each part is drawn on its own, clipped to it, as a whole paint draws
  // there: what lies between parts stays as it is.
  for (const TRect& Part : Parts) {
    const int Saved = SaveDC(DC);
    IntersectClipRect(DC, Part.Left, Part.Top, Part.Right, Part.Bottom);
    const bool Alive = PaintPart(Wnd, DC, L, Colors, Part);
    RestoreDC(DC, Saved);
    if (!Alive)
      return;
  }
}

bool TNativeTabControl::PaintPart(HWND Wnd, HDC DC, const TTabLayout& L, const TCtlColors& Colors,
                                  const TRect& Box) {
  const TWindowRecord* W = WindowRecord(Wnd);
  const TRect Client{0, 0, W->Width, W->Height};
  Pixels(DC, Client, Colors.Background);
  const bool Whole = Within(Client, Box);
  // The selected tab's extra margin takes the background too, as the
  // control erases it before the owner draws the tab.
  const int Selected = CurSel;
  const bool SelectedInView = Selected >= 0 && Selected < static_cast<int>(L.ItemRects.size()) &&
                              L.ItemRects[static_cast<std::size_t>(Selected)].Width() > 0;
  if (SelectedInView && (Whole || Meets(Grown(L, Selected, Selected), Box)))
    Pixels(DC, Grown(L, Selected, Selected), Colors.Background);
  const bool OwnerDrawn = (W->Style & TCS_OWNERDRAWFIXED) != 0;
  // Only the tabs that reach into the part are drawn.
  for (const auto& Row : L.Rows)
    for (int i : Row) {
      const TRect R = L.ItemRects[static_cast<std::size_t>(i)];
      if (!Whole && !Meets(Grown(L, i, Selected), Box))
        continue;
      if (!OwnerDrawn) {
        Pixels(DC, R, Colors.Background);
        const TRect Clip = R;
        Write(DC, R.Left + 6, R.Top + 3, Items[static_cast<std::size_t>(i)].Text, Colors.Text,
              &Clip);
        continue;
      }
      DRAWITEMSTRUCT Item;
      Item.CtlType = ODT_TAB;
      Item.itemID = static_cast<UINT>(i);
      Item.itemAction = ODA_DRAWENTIRE;
      Item.itemState = i == CurSel ? ODS_SELECTED : 0;
      Item.hwndItem = Wnd;
      Item.hDC = DC;
      Item.rcItem = R;
      Item.itemData = static_cast<std::uintptr_t>(Items[static_cast<std::size_t>(i)].Param);
      SendMessage(Wnd, CN_DRAWITEM, 0, reinterpret_cast<LPARAM>(&Item));
      // The procedure may have destroyed the control or changed its tabs.
      if (!IsWindow(Wnd) || Items.size() != L.ItemRects.size())
        return false;
    }
  PaintFrames(Wnd, DC, L, Box);
  return true;
}

void TNativeTabControl::PaintFrames(HWND Wnd, HDC DC, const TTabLayout& L, const TRect& Box) {
  const TWindowRecord* W = WindowRecord(Wnd);
  const int Width = W->Width, Height = W->Height;
  // A line outside the part being painted is left as it is.
  const bool Whole = Within({0, 0, Width, Height}, Box);
  const auto Line = [Whole, &Box](HDC To, int X1, int Y1, int X2, int Y2, COLORREF Color) {
    if (Whole || Meets(LinePixels(X1, Y1, X2, Y2), Box))
      ::Line(To, X1, Y1, X2, Y2, Color);
  };
  const int Selected = CurSel;
  const COLORREF Light = GetSysColor(COLOR_BTNHIGHLIGHT), Shadow = GetSysColor(COLOR_BTNSHADOW),
                 Dark = GetSysColor(COLOR_3DDKSHADOW);
  const int Top = L.Rows.empty() ? 0 : 2 + static_cast<int>(L.Rows.size()) * L.TabHeight;
  // The client area's raised frame; the selected tab's gap is left open.
  TRect Gap{0, 0, 0, 0};
  if (Selected >= 0 && Selected < static_cast<int>(L.ItemRects.size()))
    Gap = Grown(L, Selected, Selected);
  if (Gap.Width() > 0) {
    Line(DC, 0, Top, Gap.Left, Top, Light);
    Line(DC, Gap.Right - 1, Top, Width - 2, Top, Light);
  } else {
    Line(DC, 0, Top, Width - 2, Top, Light);
  }
  Line(DC, 0, Top, 0, Height - 2, Light);
  Line(DC, 0, Height - 1, Width - 1, Height - 1, Dark);
  Line(DC, Width - 1, Top, Width - 1, Height - 1, Dark);
  Line(DC, 1, Height - 2, Width - 2, Height - 2, Shadow);
  Line(DC, Width - 2, Top + 1, Width - 2, Height - 2, Shadow);
  for (const auto& Row : L.Rows)
    for (int i : Row) {
      const TRect R = Grown(L, i, Selected);
      if (!Whole && !Meets(R, Box))
        continue;
      const int Bottom = R.Bottom - 1;
      Line(DC, R.Left, R.Top + 2, R.Left, Bottom, Light);
      Line(DC, R.Left + 1, R.Top + 1, R.Left + 1, R.Top + 1, Light);
      Line(DC, R.Left + 2, R.Top, R.Right - 3, R.Top, Light);
      Line(DC, R.Right - 2, R.Top + 1, R.Right - 2, Bottom, Shadow);
      Line(DC, R.Right - 1, R.Top + 2, R.Right - 1, Bottom, Dark);
    }
}

LRESULT TNativeTabControl::HandleInput(HWND Wnd, TMessage& M) {
  if (M.Msg == WM_LBUTTONUP) {
    Notify(Wnd, NM_CLICK);
    return 0;
  }
  const int Hit = ItemAt(Wnd, PointOf(M.LParam));
  if (Hit < 0 || Hit == CurSel || Notify(Wnd, TCN_SELCHANGING) != 0)
    return 0;
  // The procedure may have changed the tabs while it was asked.
  if (!IsWindow(Wnd) || Hit >= static_cast<int>(Items.size()))
    return 0;
  Select(Wnd, Hit);
  Notify(Wnd, TCN_SELCHANGE);
  return 0;
}

const std::vector<int>& TNativeTabControl::Lefts(HWND Wnd) {
  const auto& Layout = Rows(Wnd);
  const TFontDesc& Font = WindowRecord(Wnd)->Font;
  if (KnownLefts(Font) != nullptr)
    return FLefts;
  FLefts.assign(Items.size(), 0);
  for (const auto& Row : Layout) {
    int X = kMargin;
    for (int i : Row) {
      FLefts[static_cast<std::size_t>(i)] = X;
      X += TabItemWidth(Font, Items[static_cast<std::size_t>(i)].Text);
    }
  }
  FLeftsFont = Font;
  FLeftsValid = true;
  return FLefts;
}

int TNativeTabControl::ScrollOffset(HWND Wnd) {
  if (Leftmost <= 0 || Leftmost >= static_cast<int>(Items.size()) || Rows(Wnd).size() != 1)
    return 0;
  return Lefts(Wnd)[static_cast<std::size_t>(Leftmost)] - kMargin;
}

TRect TNativeTabControl::ItemRect(HWND Wnd, int Index) {
  if (Index < 0 || Index >= static_cast<int>(Items.size()))
    return {};
  const int Left = Lefts(Wnd)[static_cast<std::size_t>(Index)] - ScrollOffset(Wnd);
  const int n = static_cast<int>(FRows.size());
  const int Front = std::min(FrontRow, std::max(0, n - 1));
  // Rows keep their cyclic order; the front row is drawn last, at the bottom.
  const int Row = ((Front + n - 1 - FRowOfItem[static_cast<std::size_t>(Index)]) % n + n) % n;
  const int H = TabHeight(Wnd);
  return {Left, kMargin + Row * H,
          Left + TabItemWidth(WindowRecord(Wnd)->Font, Items[static_cast<std::size_t>(Index)].Text),
          kMargin + (Row + 1) * H};
}

int TNativeTabControl::ItemAt(HWND Wnd, TPoint Point) {
  Point.X += ScrollOffset(Wnd);
  const std::vector<int>& Left = Lefts(Wnd);
  const int n = static_cast<int>(FRows.size());
  const int H = TabHeight(Wnd);
  if (n == 0 || Point.Y < kMargin || Point.Y >= kMargin + n * H || Point.X < kMargin)
    return -1;
  const int Front = std::min(FrontRow, std::max(0, n - 1));
  const auto& Row = FRows[static_cast<std::size_t>((Front + n - 1 - (Point.Y - kMargin) / H) % n)];
  // The last tab of the row that starts at or before the point.
  const auto It = std::upper_bound(Row.begin(), Row.end(), Point.X, [&Left](int X, int Item) {
    return X < Left[static_cast<std::size_t>(Item)];
  });
  if (It == Row.begin())
    return -1;
  const int Item = *(It - 1);
  const int Right =
      Left[static_cast<std::size_t>(Item)] +
      TabItemWidth(WindowRecord(Wnd)->Font, Items[static_cast<std::size_t>(Item)].Text);
  return Point.X < Right ? Item : -1;
}

std::string TNativeTabControl::Texts() const {
  std::size_t Size = 0;
  for (const TCItem& Item : Items)
    Size += Item.Text.size() + 2;
  // Sized once and written in place: an append per tab costs more than the
  // copy of its text.
  std::string Text(Size, '\0');
  char* Out = Text.data();
  for (const TCItem& Item : Items) {
    Out = TextScan::CopyBytes(Out, Item.Text.data(), Item.Text.size());
    *Out++ = '\r';
    *Out++ = '\n';
  }
  return Text;
}

int TNativeTabControl::SetItems(std::vector<TCItem> NewItems) {
  Items = std::move(NewItems);
  DropRows();
  CurSel = Items.empty() ? -1 : 0;
  FrontRow = 0;
  Leftmost = 0;
  return static_cast<int>(Items.size());
}

namespace {

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
  return NativeOf<TNativeTabControl>(Wnd);
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
  // A scrolled control shows its tabs from the first one in view; those
  // before it lie left of its edge.
  const int Offset = N->ScrollOffset(Wnd);
  const bool Skip = InView && Offset > 0;
  const std::vector<int>* Lefts = N->KnownLefts(W.Font);
  const auto LeftOf = [Lefts](int Item) { return (*Lefts)[static_cast<std::size_t>(Item)]; };
  // Rows keep their cyclic order; the front row is drawn last, at the bottom.
  L.Rows.reserve(static_cast<std::size_t>(n));
  for (int r = 0; r < n; ++r) {
    const auto& Row = Layout[static_cast<std::size_t>((Front + n - 1 - r) % n)];
    std::vector<int>& Out = L.Rows.emplace_back();
    int X = Skip ? kMargin : kMargin - Offset;
    // The one row of a single-line control lists its tabs in order.
    const auto First = Skip ? std::lower_bound(Row.begin(), Row.end(), N->Leftmost) : Row.begin();
    for (auto It = First; It != Row.end(); ++It) {
      const int i = *It;
      if (InView && X >= W.Width)
        break;
      // Where the left edges are known (a control clicked since its tabs
      // changed), a tab's width is the step to the next one in its row: a
      // paint measures only the last tab of each row.
      const int Width = Lefts != nullptr && It + 1 != Row.end()
                            ? LeftOf(*(It + 1)) - LeftOf(i)
                            : TabItemWidth(W.Font, N->Items[static_cast<std::size_t>(i)].Text);
      L.ItemRects[static_cast<std::size_t>(i)] =
          TRect{X, kMargin + r * L.TabHeight, X + Width, kMargin + (r + 1) * L.TabHeight};
      Out.push_back(i);
      X += Width;
    }
  }
  return L;
}
