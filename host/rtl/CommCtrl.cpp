#include "CommCtrl.h"

#include <algorithm>

#include "TextMetrics.h"

const char* const WC_TABCONTROL = "SysTabControl32";

namespace {

constexpr int kPadding = 12;  // 6 pixels either side of the caption
constexpr int kMargin = 2;

class TNativeTabControl : public TNativeWindow {
 public:
  LRESULT Handle(HWND Wnd, TMessage& M) override;

  std::vector<TCItem> Items;
  int CurSel = -1;
  // The row (in layout order) that sits next to the client area. A
  // multi-line control moves the selected tab's row there.
  int FrontRow = 0;

 private:
  void Select(HWND Wnd, int Index);
};

std::vector<std::vector<int>> LayoutRows(HWND Wnd, const TNativeTabControl& N) {
  std::vector<std::vector<int>> Rows;
  if (N.Items.empty())
    return Rows;
  const bool Multi = (Wnd->Style & TCS_MULTILINE) != 0;
  const int Avail = std::max(1, Wnd->Width - 2 * kMargin);
  Rows.emplace_back();
  int X = 0;
  for (int i = 0; i < static_cast<int>(N.Items.size()); ++i) {
    const int W = TabItemWidth(Wnd->Font, N.Items[static_cast<std::size_t>(i)].Text);
    if (Multi && !Rows.back().empty() && X + W > Avail) {
      Rows.emplace_back();
      X = 0;
    }
    Rows.back().push_back(i);
    X += W;
  }
  return Rows;
}

int RowOf(const std::vector<std::vector<int>>& Rows, int Item) {
  for (int r = 0; r < static_cast<int>(Rows.size()); ++r)
    for (int i : Rows[static_cast<std::size_t>(r)])
      if (i == Item)
        return r;
  return 0;
}

void TNativeTabControl::Select(HWND Wnd, int Index) {
  CurSel = Index;
  if (Index >= 0)
    FrontRow = RowOf(LayoutRows(Wnd, *this), Index);
}

LRESULT TNativeTabControl::Handle(HWND Wnd, TMessage& M) {
  const int Count = static_cast<int>(Items.size());
  const int Index = static_cast<int>(M.WParam);
  switch (M.Msg) {
    case TCM_GETITEMCOUNT:
      return Count;
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
      if (Item->Mask & TCIF_TEXT)
        Dst.Text = Item->Text;
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
      CurSel = -1;
      FrontRow = 0;
      return 1;
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
      return static_cast<LRESULT>(LayoutRows(Wnd, *this).size());
    case TCM_GETITEMRECT: {
      const TTabLayout L = TabControlLayout(Wnd);
      if (Index < 0 || Index >= Count)
        return 0;
      *reinterpret_cast<TRect*>(M.LParam) = L.ItemRects[static_cast<std::size_t>(Index)];
      return 1;
    }
    default:
      return 0;
  }
}

struct TRegistrar {
  TRegistrar() {
    RegisterNativeClass(WC_TABCONTROL,
                        [] { return std::unique_ptr<TNativeWindow>(new TNativeTabControl); });
  }
} Registrar;

}  // namespace

int TabItemWidth(const TFontDesc& Font, const std::string& Caption) {
  return FontTextWidth(Font, Caption) + kPadding;
}

TTabLayout TabControlLayout(HWND Wnd) {
  TTabLayout L;
  auto* N = IsWindow(Wnd) ? dynamic_cast<TNativeTabControl*>(Wnd->Native.get()) : nullptr;
  if (N == nullptr)
    return L;
  L.TabHeight = FontMetrics(Wnd->Font).tmHeight + 5;
  const auto Layout = LayoutRows(Wnd, *N);
  const int n = static_cast<int>(Layout.size());
  const int Front = std::min(N->FrontRow, std::max(0, n - 1));
  // Rows keep their cyclic order; the front row is drawn last, at the bottom.
  for (int k = n - 1; k >= 0; --k)
    L.Rows.push_back(Layout[static_cast<std::size_t>((Front + k) % n)]);
  L.ItemRects.resize(N->Items.size());
  for (int r = 0; r < n; ++r) {
    int X = kMargin;
    for (int i : L.Rows[static_cast<std::size_t>(r)]) {
      const int W = TabItemWidth(Wnd->Font, N->Items[static_cast<std::size_t>(i)].Text);
      L.ItemRects[static_cast<std::size_t>(i)] =
          TRect{X, kMargin + r * L.TabHeight, X + W, kMargin + (r + 1) * L.TabHeight};
      X += W;
    }
  }
  return L;
}
