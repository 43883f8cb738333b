#include "CommCtrl.h"

#include <algorithm>
#include <map>

#include "NativeEdit.h"
#include "TextMetrics.h"

// The common controls' own tab control lays its tabs out; the layout that
// painting and pictures use is read back from it, one item rectangle at a
// time.

const char* const WC_TABCONTROL = "SysTabControl32";
// The class of the arrows comctl32 gives a tab row that overflows.
const char* const UPDOWN_CLASS = "msctls_updown32";
const char* const WC_EDIT = "EDIT";

int EditBorderWidth(DWORD Style) {
  return (Style & WS_BORDER) != 0 ? 1 : 2;
}

int TabItemWidth(const TFontDesc& Font, const std::string& Caption) {
  // 6 pixels either side of the caption; the control may widen a short one.
  return FontTextWidth(Font, Caption) + 12;
}

namespace {

TRect ItemRect(HWND Wnd, int Index) {
  TRect R;
  SendMessage(Wnd, TCM_GETITEMRECT, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(&R));
  return R;
}

}  // namespace

int TabControlRowsHeight(HWND Wnd) {
  const auto Rows = static_cast<int>(SendMessage(Wnd, TCM_GETROWCOUNT, 0, 0));
  return Rows == 0 ? 0 : Rows * ItemRect(Wnd, 0).Height();
}

TTabLayout TabControlLayout(HWND Wnd, bool InView) {
  TTabLayout L;
  const TWindowRecord* Window = WindowRecord(Wnd);
  if (Window == nullptr)
    return L;
  const auto Count = static_cast<int>(SendMessage(Wnd, TCM_GETITEMCOUNT, 0, 0));
  L.ItemRects.resize(static_cast<std::size_t>(Count));
  // Rows from the top down: the items of one row share their top edge.
  std::map<int, std::vector<int>> ByTop;
  for (int i = 0; i < Count; ++i) {
    const TRect R = ItemRect(Wnd, i);
    if (InView && R.Left >= Window->Width)
      continue;
    L.ItemRects[static_cast<std::size_t>(i)] = R;
    L.TabHeight = R.Height();
    ByTop[R.Top].push_back(i);
  }
  for (auto& [Top, Row] : ByTop) {
    std::sort(Row.begin(), Row.end(), [&](int A, int B) {
      return L.ItemRects[static_cast<std::size_t>(A)].Left <
             L.ItemRects[static_cast<std::size_t>(B)].Left;
    });
    L.Rows.push_back(Row);
  }
  return L;
}
