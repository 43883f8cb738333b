#include <gtest/gtest.h>

#include <string>

#include "Classes.h"
#include "NativeEdit.h"
#include "Windows.h"

// The edit control's answers to the messages the VCL's edits send (text,
// selection, paste as EM_REPLACESEL, the length limit), checked alike on
// every platform backend.

namespace {

struct TEditWindow : TObject {
  explicit TEditWindow(DWORD Style) {
    Wnd = CreateWindowEx("EDIT", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL | Style,
                         TWindowProcedure::Of<&TEditWindow::Proc>(this));
    MoveWindow(Wnd, 0, 0, 200, 80);
  }
  ~TEditWindow() override { DestroyWindow(Wnd); }
  void Proc(TMessage& M) {
    if (M.Msg == CN_COMMAND && HIWORD(M.WParam) == EN_CHANGE)
      ++Changes;
    CallDefWindowProc(Wnd, M);
  }

  LRESULT Send(UINT Msg, WPARAM WParam = 0, LPARAM LParam = 0) {
    return SendMessage(Wnd, Msg, WParam, LParam);
  }
  LRESULT SetText(const char* S) { return Send(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(S)); }
  std::string Text() {
    char Buffer[256] = {};
    Send(WM_GETTEXT, sizeof Buffer, reinterpret_cast<LPARAM>(Buffer));
    return Buffer;
  }
  LRESULT Replace(const char* S) { return Send(EM_REPLACESEL, 1, reinterpret_cast<LPARAM>(S)); }
  // The selection as EM_GETSEL gives it, start and end.
  std::pair<DWORD, DWORD> Sel() {
    DWORD Start = 99, End = 99;
    const LRESULT Packed =
        Send(EM_GETSEL, reinterpret_cast<WPARAM>(&Start), reinterpret_cast<LPARAM>(&End));
    EXPECT_EQ(LOWORD(static_cast<std::uintptr_t>(Packed)), Start);
    EXPECT_EQ(HIWORD(static_cast<std::uintptr_t>(Packed)), End);
    return {Start, End};
  }
  void Select(std::intptr_t Start, std::intptr_t End) {
    Send(EM_SETSEL, static_cast<WPARAM>(Start), static_cast<LPARAM>(End));
  }

  HWND Wnd = nullptr;
  int Changes = 0;
};

using TSel = std::pair<DWORD, DWORD>;

TEST(EditMessages, TextSelectionAndPaste) {
  TEditWindow Edit(0);
  ASSERT_TRUE(IsWindow(Edit.Wnd));
  EXPECT_EQ(Edit.SetText("Standard pages"), 1);
  EXPECT_EQ(Edit.Send(WM_GETTEXTLENGTH), 14);
  EXPECT_EQ(Edit.Sel(), TSel(0, 0)) << "new text puts the caret at the start";
  // WM_GETTEXT copies what fits with its NUL and answers the count copied.
  char Small[6] = "xxxxx";
  EXPECT_EQ(Edit.Send(WM_GETTEXT, sizeof Small, reinterpret_cast<LPARAM>(Small)), 5);
  EXPECT_STREQ(Small, "Stand");

  // A selection made backwards reads as start and end; -1 as the end is the
  // end of the text, an end past it is clamped; a start of -1 only removes
  // the selection.
  Edit.Select(8, 0);
  EXPECT_EQ(Edit.Sel(), TSel(0, 8));
  Edit.Select(9, -1);
  EXPECT_EQ(Edit.Sel(), TSel(9, 14));
  Edit.Select(3, 500);
  EXPECT_EQ(Edit.Sel(), TSel(3, 14));
  Edit.Select(2, 5);
  Edit.Select(-1, 0);
  const TSel Collapsed = Edit.Sel();
  EXPECT_EQ(Collapsed.first, Collapsed.second);

  // Paste is EM_REPLACESEL: the selection is replaced and the caret ends
  // after the new text; with nothing selected it is inserted at the caret.
  Edit.Select(9, 14);
  Edit.Changes = 0;
  EXPECT_EQ(Edit.Replace("tabs"), 1);
  EXPECT_EQ(Edit.Text(), "Standard tabs");
  EXPECT_EQ(Edit.Sel(), TSel(13, 13));
  Edit.Select(0, 0);
  Edit.Replace("My ");
  EXPECT_EQ(Edit.Text(), "My Standard tabs");
  EXPECT_EQ(Edit.Sel(), TSel(3, 3));
  EXPECT_EQ(Edit.Changes, 2) << "each paste tells the control of the change";
  // New text set whole is a change for a single-line edit only.
  Edit.SetText("Win32");
  EXPECT_EQ(Edit.Changes, 3);
  TEditWindow Memo(ES_MULTILINE);
  Memo.SetText("Win32\r\nSystem");
  EXPECT_EQ(Memo.Changes, 0);
  EXPECT_EQ(Memo.Text(), "Win32\r\nSystem");
}

// EM_LIMITTEXT stops what is pasted or typed, never text set whole.
TEST(EditMessages, LengthLimit) {
  TEditWindow Edit(0);
  Edit.Send(EM_LIMITTEXT, 8);
  Edit.SetText("Data Controls");
  EXPECT_EQ(Edit.Text(), "Data Controls") << "WM_SETTEXT is not cut to the limit";
  Edit.SetText("Data");
  Edit.Select(4, 4);
  Edit.Replace(" Access");
  EXPECT_EQ(Edit.Text(), "Data Acc") << "a paste is cut to what the limit leaves room for";
  Edit.Select(0, 4);
  Edit.Replace("dbExpress");
  EXPECT_EQ(Edit.Text(), "dbEx Acc");
  Edit.Send(EM_LIMITTEXT, 0);
  Edit.Select(-2, -1);
  Edit.Replace(" and more than eight");
  EXPECT_EQ(Edit.Text(), "dbEx Acc and more than eight") << "0 lifts the limit";
}

}  // namespace
