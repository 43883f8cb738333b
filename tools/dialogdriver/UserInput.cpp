#include "UserInput.h"

#include "Forms.h"
#include "MessageLoop.h"
#include "NativeLists.h"

namespace {

// The loop takes what was posted and what that caused; the windows paint
// when the loop next idles, after the user's action.
void Post(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam) {
  PostMessage(Wnd, Msg, WParam, LParam);
  if (Application != nullptr)
    Application->DispatchQueuedMessages();
}

TPoint Centre(const TRect& R) {
  return {(R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2};
}

void CheckItem(const char* What, int Index, int Count) {
  if (Index < 0 || Index >= Count)
    throw EListError(std::string(What) + " index out of bounds (" + IntToStr(Index) + ")");
}

// Item Index of the list window, moved into view with the list's scroll bar
// first when it lies outside the list's client area of height Visible (0:
// whenever it is not the first item in view).
TRect ItemInView(HWND List, int Index, int Visible) {
  TRect R;
  SendMessage(List, LB_GETITEMRECT, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(&R));
  if (R.Top == 0 || (R.Top >= 0 && R.Bottom <= Visible))
    return R;
  Post(List, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, static_cast<unsigned>(Index)), 0);
  SendMessage(List, LB_GETITEMRECT, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(&R));
  return R;
}

// Tab Index's rectangle once the control's arrows have brought it into
// view. comctl32 moves the row by one tab towards the position an arrow
// names, so the arrow is clicked until the tab is in view; a tab left of
// the first in view has an empty rectangle there.
TRect ScrolledIntoView(TCustomTabControl* Tabs, int Index) {
  CheckItem("Tab", Index, Tabs->Tabs()->Count());
  TRect R = Tabs->TabRect(Index);
  const auto OutOfView = [&] { return R.Right <= R.Left || R.Left < 0 || R.Right > Tabs->Width(); };
  for (int Clicks = Tabs->Tabs()->Count(); Clicks > 0 && OutOfView(); --Clicks) {
    Post(Tabs->Handle(), WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, static_cast<unsigned>(Index)), 0);
    R = Tabs->TabRect(Index);
  }
  return R;
}

}  // namespace

void ClickAt(HWND Wnd, TPoint Point) {
  const LPARAM At = MAKELPARAM(Point.X, Point.Y);
  Post(Wnd, WM_LBUTTONDOWN, MK_LBUTTON, At);
  Post(Wnd, WM_LBUTTONUP, 0, At);
}

void ClickControl(TControl* Control) {
  const TPoint Middle{Control->Width() / 2, Control->Height() / 2};
  if (TWinControl* W = Control->AsWinControl()) {
    ClickAt(W->Handle(), Middle);
    return;
  }
  if (Control->Parent() != nullptr)
    ClickAt(Control->Parent()->Handle(), {Control->Left() + Middle.X, Control->Top() + Middle.Y});
}

void ClickTab(TCustomTabControl* Tabs, int Index) {
  ClickAt(Tabs->Handle(), Centre(ScrolledIntoView(Tabs, Index)));
}

void ScrollTabIntoView(TCustomTabControl* Tabs, int Index) {
  ScrolledIntoView(Tabs, Index);
}

HWND TabArrows(TWinControl* Tabs) {
  struct TFound {
    HWND Parent;
    HWND Wnd = nullptr;
  } Found{Tabs->Handle()};
  EnumChildWindows(
      Tabs->Handle(),
      [](HWND Wnd, LPARAM Param) -> BOOL {
        auto& F = *reinterpret_cast<TFound*>(Param);
        if (GetParent(Wnd) == F.Parent && GetClassName(Wnd) == UPDOWN_CLASS && IsWindowVisible(Wnd))
          F.Wnd = Wnd;
        return 1;
      },
      reinterpret_cast<LPARAM>(&Found));
  return Found.Wnd;
}

void ClickArrow(HWND Arrows, bool Back) {
  TRect R;
  GetClientRect(Arrows, R);
  ClickAt(Arrows, {Back ? R.Width() / 4 : R.Width() * 3 / 4, R.Height() / 2});
}

void ClickListItem(TCustomListBox* List, int Index) {
  CheckItem("List", Index, List->Items()->Count());
  const HWND Wnd = List->Handle();
  ClickAt(Wnd, Centre(ItemInView(Wnd, Index, List->ClientHeight() - 4)));
}

void ChooseComboItem(TCustomComboBox* Box, int Index) {
  CheckItem("List", Index, Box->Items()->Count());
  const HWND Wnd = Box->Handle();
  COMBOBOXINFO Info;
  if (!GetComboBoxInfo(Wnd, Info))
    throw EInvalidOperation("the combo box has no list to drop down");
  ClickAt(Wnd, Centre(Info.rcButton));
  ClickAt(Info.hwndList, Centre(ItemInView(Info.hwndList, Index, 0)));
}

void PressKey(HWND Wnd, Word Key) {
  Post(Wnd, WM_KEYDOWN, Key, 1);
  // The key's transition state: released, and down before.
  Post(Wnd, WM_KEYUP, Key, static_cast<LPARAM>(0xC0000001u));
}

void TypeText(HWND Wnd, const std::string& Text) {
  for (char Ch : Text)
    Post(Wnd, WM_CHAR, static_cast<unsigned char>(Ch), 1);
}
