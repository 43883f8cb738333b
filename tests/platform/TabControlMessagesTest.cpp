#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Classes.h"
#include "CommCtrl.h"
#include "TextMetrics.h"
#include "WSComCtrls.h"
#include "Windows.h"

// The tab control's answers to the messages the VCL and the add-in send,
// checked alike on every platform backend: the same expectations hold for
// the headless control and for the common controls' own under Wine. Where
// the answers rest on the font's pixel metrics (tab height and width), the
// checks are of consistency between the answers instead of their figures.

namespace {

// A window procedure as the VCL installs one: everything goes on to the
// window class.
struct TTabWindow : TObject {
  explicit TTabWindow(DWORD Style) {
    Wnd = CreateWindowEx("SysTabControl32", WS_CHILD | WS_VISIBLE | Style,
                         TWindowProcedure::Of<&TTabWindow::Proc>(this));
    SendMessage(Wnd, WM_SETFONT, reinterpret_cast<WPARAM>(&Font), 0);
  }
  ~TTabWindow() override { DestroyWindow(Wnd); }
  // Notifications are logged with the selection seen when each arrives;
  // TCN_SELCHANGING is refused while Veto is set.
  void Proc(TMessage& M) {
    if (M.Msg != CN_NOTIFY) {
      CallDefWindowProc(Wnd, M);
      return;
    }
    const auto& Header = *reinterpret_cast<const NMHDR*>(M.LParam);
    EXPECT_EQ(Header.hwndFrom, Wnd);
    Notes.push_back({Header.code, Sel()});
    M.Result = Veto && Header.code == TCN_SELCHANGING ? 1 : 0;
  }

  LRESULT Send(UINT Msg, WPARAM WParam = 0, LPARAM LParam = 0) {
    return SendMessage(Wnd, Msg, WParam, LParam);
  }
  int Insert(int Index, const std::string& Text, LPARAM Param = 0) {
    TCItem Item;
    Item.Mask = TCIF_TEXT | TCIF_PARAM;
    Item.Text = Text;
    Item.Param = Param;
    return static_cast<int>(
        Send(TCM_INSERTITEM, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(&Item)));
  }
  int Sel() { return static_cast<int>(Send(TCM_GETCURSEL)); }
  int Select(int Index) {
    return static_cast<int>(Send(TCM_SETCURSEL, static_cast<WPARAM>(Index)));
  }
  int Rows() { return static_cast<int>(Send(TCM_GETROWCOUNT)); }
  TRect ItemRect(int Index) {
    TRect R;
    Send(TCM_GETITEMRECT, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(&R));
    return R;
  }
  TRect Adjust(TRect R, bool Larger) {
    Send(TCM_ADJUSTRECT, Larger ? 1 : 0, reinterpret_cast<LPARAM>(&R));
    return R;
  }

  // A click as the user makes it: press and release at the tab's centre.
  void Click(int Index) {
    const TRect R = ItemRect(Index);
    const LPARAM At = MAKELPARAM((R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2);
    Send(WM_LBUTTONDOWN, MK_LBUTTON, At);
    Send(WM_LBUTTONUP, 0, At);
  }

  TFontRecord Font{TFontDesc{"MS Sans Serif", 8, false}};
  HWND Wnd = nullptr;
  struct TNote {
    UINT Code;
    int Sel;
    friend bool operator==(const TNote&, const TNote&) = default;
  };
  std::vector<TNote> Notes;
  bool Veto = false;
};

const std::vector<std::string> kPages = {"Standard",    "Additional",    "Win32",     "System",
                                         "Data Access", "Data Controls", "dbExpress", "BDE"};

TEST(TabControlMessages, ItemsAndSelectionFollowInsertsAndDeletes) {
  TTabWindow Tab(0);
  ASSERT_TRUE(IsWindow(Tab.Wnd));
  EXPECT_EQ(Tab.Sel(), -1);
  EXPECT_EQ(Tab.Insert(0, "Standard"), 0);
  EXPECT_EQ(Tab.Sel(), 0) << "the first tab of an empty control is selected";
  // Past the end appends; a negative index is refused. The item's lParam
  // holds a whole pointer-sized value, as the VCL's tab objects need.
  const LPARAM Wide = static_cast<LPARAM>(0x123456789ABll);
  EXPECT_EQ(Tab.Insert(99, "Additional", Wide), 1);
  EXPECT_EQ(Tab.Insert(-1, "Refused"), -1);
  for (std::size_t i = 2; i < kPages.size(); ++i)
    Tab.Insert(100, kPages[i]);
  EXPECT_EQ(Tab.Send(TCM_GETITEMCOUNT), 8);

  TCItem Item;
  Item.Mask = TCIF_TEXT | TCIF_PARAM;
  EXPECT_EQ(Tab.Send(TCM_GETITEM, 1, reinterpret_cast<LPARAM>(&Item)), 1);
  EXPECT_EQ(Item.Text, "Additional");
  EXPECT_EQ(Item.Param, Wide);
  TCItem Missing;
  Missing.Mask = TCIF_TEXT;
  Missing.Text = "untouched";
  EXPECT_EQ(Tab.Send(TCM_GETITEM, 50, reinterpret_cast<LPARAM>(&Missing)), 0);
  EXPECT_EQ(Missing.Text, "untouched");
  TCItem Rename;
  Rename.Mask = TCIF_TEXT;
  Rename.Text = "Win32!";
  EXPECT_EQ(Tab.Send(TCM_SETITEM, 2, reinterpret_cast<LPARAM>(&Rename)), 1);
  EXPECT_EQ(Tab.Send(TCM_SETITEM, 20, reinterpret_cast<LPARAM>(&Rename)), 0);
  Item.Mask = TCIF_TEXT | TCIF_PARAM;
  Tab.Send(TCM_GETITEM, 2, reinterpret_cast<LPARAM>(&Item));
  EXPECT_EQ(Item.Text, "Win32!");
  EXPECT_EQ(Item.Param, 0) << "a text-only change keeps the item's lParam";

  // TCM_SETCURSEL answers the previous selection, or -1 for an index out of
  // range, which leaves the selection as it was; -1 selects nothing.
  EXPECT_EQ(Tab.Select(3), 0);
  EXPECT_EQ(Tab.Select(99), -1);
  EXPECT_EQ(Tab.Sel(), 3);
  EXPECT_EQ(Tab.Select(-1), 3);
  EXPECT_EQ(Tab.Sel(), -1);
  EXPECT_EQ(Tab.Select(-2), -1);
  EXPECT_EQ(Tab.Sel(), -1);

  // The selection moves with its tab when one is inserted or deleted before
  // it, and deleting the selected tab leaves none selected.
  Tab.Select(3);
  EXPECT_EQ(Tab.Insert(0, "Front"), 0);
  EXPECT_EQ(Tab.Sel(), 4);
  EXPECT_EQ(Tab.Send(TCM_DELETEITEM, 0), 1);
  EXPECT_EQ(Tab.Sel(), 3);
  EXPECT_EQ(Tab.Send(TCM_DELETEITEM, 3), 1);
  EXPECT_EQ(Tab.Sel(), -1);
  EXPECT_EQ(Tab.Send(TCM_DELETEITEM, 40), 0);
  Tab.Select(5);
  EXPECT_EQ(Tab.Send(TCM_DELETEITEM, 6), 1);
  EXPECT_EQ(Tab.Sel(), 5) << "deleting a tab after the selection keeps it";

  EXPECT_EQ(Tab.Send(TCM_DELETEALLITEMS), 1);
  EXPECT_EQ(Tab.Send(TCM_GETITEMCOUNT), 0);
  EXPECT_EQ(Tab.Sel(), -1);
  EXPECT_EQ(Tab.Rows(), 0);
  EXPECT_EQ(Tab.Insert(0, "Again"), 0);
  EXPECT_EQ(Tab.Sel(), 0) << "an emptied control selects its first tab again";
}

// The tab control's entry reads and writes the whole list at once (on the
// real control through its per-tab messages), and must leave the same items,
// lParams and selection as inserting and reading tab by tab.
TEST(TabControlMessages, WholeListCallsAgreeWithPerTabMessages) {
  TTabWindow Tab(0);
  Tab.Insert(0, "Old");
  Tab.Select(0);
  std::vector<TCItem> Items(kPages.size());
  for (std::size_t i = 0; i < kPages.size(); ++i) {
    Items[i].Mask = TCIF_TEXT | TCIF_PARAM;
    Items[i].Text = kPages[i];
    Items[i].Param = static_cast<LPARAM>(1000 + i);
  }
  Items[2].Text.clear();  // an empty caption keeps its place
  EXPECT_EQ(WSCustomTabControl().SetTabs(Tab.Wnd, std::move(Items)), 8);
  EXPECT_EQ(Tab.Send(TCM_GETITEMCOUNT), 8);
  EXPECT_EQ(Tab.Sel(), 0);
  std::string Expected;
  for (std::size_t i = 0; i < kPages.size(); ++i) {
    TCItem Item;
    Item.Mask = TCIF_TEXT | TCIF_PARAM;
    EXPECT_EQ(Tab.Send(TCM_GETITEM, i, reinterpret_cast<LPARAM>(&Item)), 1);
    EXPECT_EQ(Item.Text, i == 2 ? "" : kPages[i]) << i;
    EXPECT_EQ(Item.Param, static_cast<LPARAM>(1000 + i)) << i;
    Expected += Item.Text + "\r\n";
  }
  EXPECT_EQ(WSCustomTabControl().GetTabTexts(Tab.Wnd), Expected);

  EXPECT_EQ(WSCustomTabControl().SetTabs(Tab.Wnd, {}), 0);
  EXPECT_EQ(Tab.Send(TCM_GETITEMCOUNT), 0);
  EXPECT_EQ(Tab.Sel(), -1);
  EXPECT_EQ(WSCustomTabControl().GetTabTexts(Tab.Wnd), "");
}

// Greedy wrapping into rows of the given width, as the control lays its tabs
// out: a row takes tabs while they fit, and a tab too wide for any row has
// one of its own.
int WrappedRows(const std::vector<int>& TabWidths, int RowWidth) {
  int Rows = 0, Used = 0;
  for (int W : TabWidths) {
    if (Rows == 0 || (Used > 0 && Used + W > RowWidth)) {
      ++Rows;
      Used = 0;
    }
    Used += W;
  }
  return Rows;
}

// Rows of a multi-line control by its width, in the IDE's font, and the
// display area that TCM_ADJUSTRECT gives below them. The tabs' widths come
// from the font's metrics (and the real control gives short captions a
// minimum width), so the rows are checked against the wrapping of the
// control's own tab widths, read where all tabs fit in one row.
TEST(TabControlMessages, MultiLineRowsAndDisplayArea) {
  TTabWindow Tab(TCS_MULTILINE);
  for (const std::string& Page : kPages)
    Tab.Insert(100, Page);
  MoveWindow(Tab.Wnd, 0, 0, 1000, 300);
  ASSERT_EQ(Tab.Rows(), 1);
  std::vector<int> Widths;
  for (int i = 0; i < static_cast<int>(kPages.size()); ++i)
    Widths.push_back(Tab.ItemRect(i).Width());
  int LastRows = 1;
  for (const int Width : {600, 400, 300, 200, 120, 60}) {
    SCOPED_TRACE(Width);
    MoveWindow(Tab.Wnd, 0, 0, Width, 300);
    // Two pixels of margin either side of the rows.
    const int Rows = Tab.Rows();
    EXPECT_EQ(Rows, WrappedRows(Widths, Width - 4));
    EXPECT_GE(Rows, LastRows);
    LastRows = Rows;
    // Every tab is as high as one row, and the display area starts below
    // all rows inside the control's frame; asked the other way round, the
    // window's rectangle comes back.
    const int TabHeight = Tab.ItemRect(0).Height();
    EXPECT_GT(TabHeight, 0);
    // The layout that painting uses is the control's own.
    const TTabLayout Layout = TabControlLayout(Tab.Wnd);
    EXPECT_EQ(static_cast<int>(Layout.Rows.size()), Rows);
    EXPECT_EQ(TabControlRowsHeight(Tab.Wnd), Rows * TabHeight);
    for (int i = 0; i < static_cast<int>(kPages.size()); ++i)
      EXPECT_EQ(Layout.ItemRects[static_cast<std::size_t>(i)], Tab.ItemRect(i)) << i;
    const TRect Display = Tab.Adjust(TRect{0, 0, Width, 300}, false);
    EXPECT_EQ(Display, (TRect{4, 4 + Rows * TabHeight, Width - 4, 296}));
    EXPECT_EQ(Tab.Adjust(Display, true), (TRect{0, 0, Width, 300}));
  }
  EXPECT_EQ(LastRows, static_cast<int>(kPages.size())) << "at 60 pixels each tab has a row";
}

TEST(TabControlMessages, SingleLineKeepsOneRowWhateverItsWidth) {
  TTabWindow Tab(0);
  MoveWindow(Tab.Wnd, 0, 0, 100, 50);
  EXPECT_EQ(Tab.Rows(), 0);
  for (const std::string& Page : kPages)
    Tab.Insert(100, Page);
  EXPECT_EQ(Tab.Rows(), 1);
  // The tabs lie side by side in the order of their items, beyond the
  // control's right edge where they do not fit.
  int Right = Tab.ItemRect(0).Left;
  for (int i = 0; i < static_cast<int>(kPages.size()); ++i) {
    const TRect R = Tab.ItemRect(i);
    EXPECT_EQ(R.Left, Right) << i;
    EXPECT_EQ(R.Top, Tab.ItemRect(0).Top) << i;
    Right = R.Right;
  }
  EXPECT_GT(Right, 100);
  // A tab is its caption in the control's font with 6 pixels either side
  // and a row is the font's height and 5 pixels, whatever the font; the
  // real control also gives short captions a minimum width.
  const TFontDesc& Font = Tab.Font.Desc;
  for (int i = 0; i < static_cast<int>(kPages.size()); ++i) {
    const int Caption = FontTextWidth(Font, kPages[static_cast<std::size_t>(i)]) + 12;
    EXPECT_GE(Tab.ItemRect(i).Width(), Caption) << i;
    if (Caption >= 60) {
      EXPECT_EQ(Tab.ItemRect(i).Width(), Caption) << i;
    }
  }
  const int TabHeight = Tab.ItemRect(0).Height();
  EXPECT_EQ(TabHeight, FontMetrics(Font).tmHeight + 5);
  EXPECT_EQ(Tab.Adjust(TRect{0, 0, 100, 50}, false), (TRect{4, 4 + TabHeight, 96, 46}));
}

// The VCL's tab control raises OnChange for the user's choice only: the
// control announces a click's selection, before and after, and is silent
// about TCM_SETCURSEL.
TEST(TabControlMessages, OnlyTheUsersSelectionIsAnnounced) {
  using TNote = TTabWindow::TNote;
  TTabWindow Tab(TCS_MULTILINE);
  MoveWindow(Tab.Wnd, 0, 0, 200, 120);
  for (const std::string& Page : kPages)
    Tab.Insert(100, Page);
  EXPECT_EQ(Tab.Select(2), 0);
  Tab.Send(TCM_DELETEITEM, 7);
  EXPECT_EQ(Tab.Notes, std::vector<TNote>{}) << "code's changes are not announced";

  Tab.Click(5);
  EXPECT_EQ(Tab.Notes,
            (std::vector<TNote>{{TCN_SELCHANGING, 2}, {TCN_SELCHANGE, 5}, {NM_CLICK, 5}}));
  Tab.Notes.clear();
  Tab.Click(5);
  EXPECT_EQ(Tab.Notes, (std::vector<TNote>{{NM_CLICK, 5}})) << "the selected tab stays as it is";

  Tab.Notes.clear();
  Tab.Veto = true;
  Tab.Click(0);
  EXPECT_EQ(Tab.Sel(), 5) << "a refused change keeps the old tab";
  EXPECT_EQ(Tab.Notes, (std::vector<TNote>{{TCN_SELCHANGING, 5}, {NM_CLICK, 5}}));
}

}  // namespace
