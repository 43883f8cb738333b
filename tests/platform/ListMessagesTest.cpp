#include <gtest/gtest.h>

#include <string>

#include "Classes.h"
#include "NativeButton.h"
#include "NativeLists.h"
#include "Windows.h"

// The list box's, the combo box's and the check box's answers to the
// messages the VCL's controls send, checked alike on every platform backend.

namespace {

struct TNativeWindowOf : TObject {
  TNativeWindowOf(const char* ClassName, DWORD Style) {
    Wnd = CreateWindowEx(ClassName, WS_CHILD | WS_VISIBLE | Style,
                         TWindowProcedure::Of<&TNativeWindowOf::Proc>(this));
    MoveWindow(Wnd, 0, 0, 150, 120);
  }
  ~TNativeWindowOf() override { DestroyWindow(Wnd); }
  void Proc(TMessage& M) { CallDefWindowProc(Wnd, M); }

  LRESULT Send(UINT Msg, WPARAM WParam = 0, LPARAM LParam = 0) {
    return SendMessage(Wnd, Msg, WParam, LParam);
  }
  LRESULT SendText(UINT Msg, WPARAM WParam, const char* S) {
    return Send(Msg, WParam, reinterpret_cast<LPARAM>(S));
  }
  std::string Text(UINT Msg, int Index) {
    char Buffer[256] = {};
    const LRESULT Length = Send(Msg, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(Buffer));
    return Length < 0 ? "<err>" : Buffer;
  }

  HWND Wnd = nullptr;
};

constexpr auto Any = static_cast<WPARAM>(-1);

TEST(ListMessages, ListBoxItemsLookupAndSelection) {
  TNativeWindowOf List("LISTBOX", 0);
  ASSERT_TRUE(IsWindow(List.Wnd));
  EXPECT_EQ(List.Send(LB_GETCURSEL), LB_ERR);
  EXPECT_EQ(List.SendText(LB_ADDSTRING, 0, "Standard"), 0);
  EXPECT_EQ(List.SendText(LB_ADDSTRING, 0, "Win32"), 1);
  EXPECT_EQ(List.SendText(LB_INSERTSTRING, 1, "Additional"), 1);
  EXPECT_EQ(List.SendText(LB_INSERTSTRING, Any, "win32"), 3) << "-1 appends";
  EXPECT_EQ(List.SendText(LB_INSERTSTRING, 9, "Beyond"), LB_ERR);
  EXPECT_EQ(List.Send(LB_GETCOUNT), 4);
  EXPECT_EQ(List.Text(LB_GETTEXT, 1), "Additional");
  EXPECT_EQ(List.Send(LB_GETTEXTLEN, 1), 10);
  EXPECT_EQ(List.Send(LB_GETTEXTLEN, 7), LB_ERR);
  EXPECT_EQ(List.Send(LB_GETCURSEL), LB_ERR) << "adding selects nothing";

  // Exact match ignores letter case, but not a prefix; the search starts
  // after the given index and wraps round to the start.
  EXPECT_EQ(List.SendText(LB_FINDSTRINGEXACT, Any, "WIN32"), 2);
  EXPECT_EQ(List.SendText(LB_FINDSTRINGEXACT, 2, "Win32"), 3);
  EXPECT_EQ(List.SendText(LB_FINDSTRINGEXACT, 3, "win32"), 2);
  EXPECT_EQ(List.SendText(LB_FINDSTRINGEXACT, 1, "standard"), 0);
  EXPECT_EQ(List.SendText(LB_FINDSTRINGEXACT, Any, "Stand"), LB_ERR);

  // Item data travels with its item.
  const LPARAM Data = static_cast<LPARAM>(0x12345678ABll);
  EXPECT_EQ(List.Send(LB_SETITEMDATA, 2, Data), 1);
  EXPECT_EQ(List.Send(LB_SETITEMDATA, 8, Data), LB_ERR);
  EXPECT_EQ(List.Send(LB_GETITEMDATA, 2), Data);

  // LB_SETCURSEL answers the index, LB_ERR for one out of range (which
  // leaves the selection) and for -1 (which removes it).
  EXPECT_EQ(List.Send(LB_SETCURSEL, 2), 2);
  EXPECT_EQ(List.Send(LB_GETCURSEL), 2);
  EXPECT_EQ(List.Send(LB_SETCURSEL, 9), LB_ERR);
  EXPECT_EQ(List.Send(LB_GETCURSEL), 2);
  EXPECT_EQ(List.SendText(LB_INSERTSTRING, 0, "Front"), 0);
  EXPECT_EQ(List.Send(LB_GETCURSEL), 3) << "the selection moves with its item";
  EXPECT_EQ(List.Send(LB_GETITEMDATA, 3), Data);
  EXPECT_EQ(List.Send(LB_DELETESTRING, 0), 4) << "answers the items left";
  EXPECT_EQ(List.Send(LB_DELETESTRING, 9), LB_ERR);
  EXPECT_EQ(List.Send(LB_GETCURSEL), 2);
  EXPECT_EQ(List.Send(LB_SETCURSEL, Any), LB_ERR);
  EXPECT_EQ(List.Send(LB_GETCURSEL), LB_ERR);
  List.Send(LB_SETCURSEL, 3);
  List.Send(LB_DELETESTRING, 3);
  EXPECT_EQ(List.Send(LB_GETCURSEL), LB_ERR) << "deleting the selected item";
  EXPECT_EQ(List.Text(LB_GETTEXT, 2), "Win32");
  EXPECT_EQ(List.Send(LB_RESETCONTENT), 0);
  EXPECT_EQ(List.Send(LB_GETCOUNT), 0);
  EXPECT_EQ(List.SendText(LB_FINDSTRINGEXACT, Any, "Win32"), LB_ERR);
}

TEST(ListMessages, ComboBoxItemsLookupAndSelection) {
  TNativeWindowOf Combo("COMBOBOX", CBS_DROPDOWNLIST);
  ASSERT_TRUE(IsWindow(Combo.Wnd));
  EXPECT_EQ(Combo.SendText(CB_ADDSTRING, 0, "Standard"), 0);
  EXPECT_EQ(Combo.SendText(CB_ADDSTRING, 0, "System"), 1);
  EXPECT_EQ(Combo.SendText(CB_ADDSTRING, 0, "system"), 2);
  EXPECT_EQ(Combo.Send(CB_GETCOUNT), 3);
  EXPECT_EQ(Combo.Send(CB_GETCURSEL), CB_ERR);
  EXPECT_EQ(Combo.SendText(CB_FINDSTRINGEXACT, Any, "SYSTEM"), 1);
  EXPECT_EQ(Combo.SendText(CB_FINDSTRINGEXACT, 1, "SYSTEM"), 2);
  EXPECT_EQ(Combo.SendText(CB_FINDSTRINGEXACT, 2, "SYSTEM"), 1);
  EXPECT_EQ(Combo.SendText(CB_FINDSTRINGEXACT, Any, "Sys"), CB_ERR);
  EXPECT_EQ(Combo.Send(CB_SETCURSEL, 1), 1);
  EXPECT_EQ(Combo.Send(CB_GETCURSEL), 1);
  // Out of range and -1 answer CB_ERR; only -1 is relied on to clear the
  // selection (Windows clears it for both, Wine keeps it for the former).
  EXPECT_EQ(Combo.Send(CB_SETCURSEL, 5), CB_ERR);
  EXPECT_EQ(Combo.Send(CB_SETCURSEL, Any), CB_ERR);
  EXPECT_EQ(Combo.Send(CB_GETCURSEL), CB_ERR);
  EXPECT_EQ(Combo.Text(CB_GETLBTEXT, 2), "system");
  EXPECT_EQ(Combo.Send(CB_DELETESTRING, 0), 2);
  EXPECT_EQ(Combo.Send(CB_RESETCONTENT), 1);
  EXPECT_EQ(Combo.Send(CB_GETCOUNT), 0);
}

TEST(ListMessages, CheckBoxStates) {
  // The check box as two-state and three-state kinds; a push button has no
  // check state.
  TNativeWindowOf Two("BUTTON", BS_AUTOCHECKBOX);
  EXPECT_EQ(Two.Send(BM_GETCHECK), static_cast<LRESULT>(BST_UNCHECKED));
  EXPECT_EQ(Two.Send(BM_SETCHECK, BST_CHECKED), 0);
  EXPECT_EQ(Two.Send(BM_GETCHECK), static_cast<LRESULT>(BST_CHECKED));
  Two.Send(BM_SETCHECK, BST_INDETERMINATE);
  EXPECT_EQ(Two.Send(BM_GETCHECK), static_cast<LRESULT>(BST_CHECKED)) << "a two-state box";
  TNativeWindowOf Three("BUTTON", BS_3STATE);
  Three.Send(BM_SETCHECK, BST_INDETERMINATE);
  EXPECT_EQ(Three.Send(BM_GETCHECK), static_cast<LRESULT>(BST_INDETERMINATE));
  Three.Send(BM_SETCHECK, BST_UNCHECKED);
  EXPECT_EQ(Three.Send(BM_GETCHECK), static_cast<LRESULT>(BST_UNCHECKED));
  TNativeWindowOf Push("BUTTON", BS_PUSHBUTTON);
  Push.Send(BM_SETCHECK, BST_CHECKED);
  EXPECT_EQ(Push.Send(BM_GETCHECK), static_cast<LRESULT>(BST_UNCHECKED));
}

}  // namespace
