#pragma once

// An owner-drawn multi-line tab control whose procedure paints each tab's
// caption through the platform's GDI calls: in kCaption (kSelected on the
// selected tab) and, while Shadow is set, first the same text one pixel
// right and down in kShadow. Both backends' tests paint it and look at what
// came out: the display list on the headless platform, the pixels on the
// real one.

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "Classes.h"
#include "CommCtrl.h"
#include "Windows.h"

struct TOwnerDrawnTabs : TObject {
  static constexpr COLORREF kCaption = 0x0000FF;   // red
  static constexpr COLORREF kSelected = 0x00A000;  // green
  static constexpr COLORREF kShadow = 0xFF0000;    // blue
  static constexpr UINT kFormat = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
  static constexpr int kSelectedTab = 1;

  explicit TOwnerDrawnTabs(bool WithShadow) : Shadow(WithShadow) {
    Wnd = CreateWindowEx(WC_TABCONTROL, WS_CHILD | WS_VISIBLE | TCS_MULTILINE | TCS_OWNERDRAWFIXED,
                         TWindowProcedure::Of<&TOwnerDrawnTabs::Proc>(this));
    SendMessage(Wnd, WM_SETFONT, reinterpret_cast<WPARAM>(&Font), 0);
    MoveWindow(Wnd, 0, 0, 240, 120);
    for (std::size_t i = 0; i < Captions.size(); ++i) {
      TCItem Item;
      Item.Mask = TCIF_TEXT | TCIF_PARAM;
      Item.Text = Captions[i];
      Item.Param = static_cast<LPARAM>(100 + i);
      SendMessage(Wnd, TCM_INSERTITEM, i, reinterpret_cast<LPARAM>(&Item));
    }
    SendMessage(Wnd, TCM_SETCURSEL, kSelectedTab, 0);
  }
  ~TOwnerDrawnTabs() override { DestroyWindow(Wnd); }

  void Proc(TMessage& M) {
    if (M.Msg != CN_DRAWITEM) {
      CallDefWindowProc(Wnd, M);
      return;
    }
    const auto& Item = *reinterpret_cast<const DRAWITEMSTRUCT*>(M.LParam);
    Drawn.push_back(Item);
    const std::string& Text = Captions.at(Item.itemID);
    SetBkMode(Item.hDC, TRANSPARENT);
    if (Shadow) {
      SetTextColor(Item.hDC, kShadow);
      TRect R = Item.rcItem;
      R.Left += 1, R.Right += 1, R.Top += 1, R.Bottom += 1;
      DrawTextA(Item.hDC, Text.c_str(), -1, R, kFormat);
    }
    SetTextColor(Item.hDC, (Item.itemState & ODS_SELECTED) != 0 ? kSelected : kCaption);
    TRect R = Item.rcItem;
    DrawTextA(Item.hDC, Text.c_str(), -1, R, kFormat);
    M.Result = 1;
  }

  TRect ItemRect(int Index) const {
    TRect R;
    SendMessage(Wnd, TCM_GETITEMRECT, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(&R));
    return R;
  }

  // Every tab was asked for once, as a tab of this control, with its lParam
  // as the item's data and its place inside the tab's rectangle (the
  // selected tab stands out by a few pixels); only the selected one is
  // drawn as selected.
  void CheckDrawn() const {
    std::set<UINT> Seen;
    for (const DRAWITEMSTRUCT& Item : Drawn) {
      SCOPED_TRACE(Item.itemID);
      EXPECT_TRUE(Seen.insert(Item.itemID).second) << "asked for twice";
      ASSERT_LT(Item.itemID, Captions.size());
      EXPECT_EQ(Item.CtlType, ODT_TAB);
      EXPECT_EQ(Item.itemAction, ODA_DRAWENTIRE);
      EXPECT_EQ(Item.hwndItem, Wnd);
      EXPECT_NE(Item.hDC, nullptr);
      EXPECT_EQ(Item.itemData, 100 + Item.itemID);
      EXPECT_EQ((Item.itemState & ODS_SELECTED) != 0, Item.itemID == kSelectedTab);
      TRect Outer = ItemRect(static_cast<int>(Item.itemID));
      InflateRect(Outer, 3, 3);
      const TRect& R = Item.rcItem;
      EXPECT_TRUE(R.Left >= Outer.Left && R.Right <= Outer.Right && R.Top >= Outer.Top &&
                  R.Bottom <= Outer.Bottom && R.Width() > 0 && R.Height() > 0);
    }
    EXPECT_EQ(Seen.size(), Captions.size());
  }

  const std::vector<std::string> Captions = {"Standard", "Additional", "Win32",
                                             "System",   "Samples",    "ActiveX"};
  TFontRecord Font{TFontDesc{"MS Sans Serif", 8, true}};
  bool Shadow = false;
  HWND Wnd = nullptr;
  std::vector<DRAWITEMSTRUCT> Drawn;
};
