// The settings dialog as windows, on both platforms: while it is open on
// either sheet, every control that shows has a visible window of its kind
// (its class and style), which holds the caption, the check state, the text
// and the items the dialog was given, and no other window shows in it; the
// same in a dialog opened again after OK. Read through the windows alone
// (their class, style, text and messages), as a window lister sees them.

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "DialogDriver.h"
#include "EngineFixture.h"
#include "ModalUser.h"
#include "NativeButton.h"
#include "NativeLists.h"
#include "uORVFrmMain.h"

namespace {

// The window class a control's window is of, and the style bits (of Mask)
// that make it that kind.
struct TKind {
  std::string Class;
  DWORD Mask = 0, Bits = 0;
};

TKind KindOf(TWinControl* C) {
  if (Is<TBitBtn>(C))
    return {"BUTTON", BS_TYPEMASK, BS_OWNERDRAW};
  if (Is<TButton>(C))
    return {"BUTTON", BS_TYPEMASK & ~BS_DEFPUSHBUTTON, BS_PUSHBUTTON};
  if (Is<TCheckBox>(C))
    return {"BUTTON", BS_TYPEMASK, BS_AUTOCHECKBOX};
  if (Is<TGroupBox>(C))
    return {"BUTTON", BS_TYPEMASK, BS_GROUPBOX};
  if (auto* List = dynamic_cast<TCustomListBox*>(C))
    return {"LISTBOX", LBS_NOTIFY | LBS_OWNERDRAWFIXED,
            LBS_NOTIFY | (List->Style() == lbOwnerDrawFixed ? LBS_OWNERDRAWFIXED : 0)};
  if (Is<TCustomComboBox>(C))
    return {"COMBOBOX", 0x3 | CBS_OWNERDRAWFIXED, CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED};
  if (Is<TCustomEdit>(C))
    return {"EDIT", 0, 0};
  if (Is<TPageControl>(C))
    return {"SysTabControl32", 0, 0};
  return {C->ClassName(), 0, 0};
}

// The captions the dialog gives the controls whose windows show a caption.
const std::map<std::string, std::string> kCaptions = {
    {"BitBtn2", "OK"},
    {"BitBtn1", "&Close"},
    {"TSMain", "Options"},
    {"TSGroupPage", "Groups"},
    {"GroupBoxTimerPageGroup", "Timers"},
    {"GroupBoxDrawGroupPage", "Group tabs"},
    {"GroupBoxMultilinePages", "Rows of tabs"},
    {"CheckBoxTimerKeepSelectPageGroup", "Keep the chosen group"},
    {"CheckBoxTimerRefreshPageGroup", "Return to the first group"},
    {"CheckBoxTimerRefreshPagePalette", "Return to the first page"},
    {"CheckBoxDrawGroupPage_WidthFull", "Bold captions"},
    {"CheckBoxDrawGroupPage", "Draw the group tabs"},
    {"CheckBoxDrawGroupPageShadow", "Shade inactive tabs"},
    {"CheckBoxMultilinePagesGroup", "Groups on several rows"},
    {"CheckBoxMultilinePalette", "Pages on several rows"},
    {"BtnAdd", "Add"},
    {"BtnDelete", "Delete"},
    {"BtnRename", "Rename"},
    {"BtnMoveUp", "Up"},
    {"BtnMoveDown", "Down"},
    {"BtnMoveToLeftOne", "<"},
    {"BtnMoveToRightOne", ">"},
    {"BtnMoveToLeftAll", "<<"},
    {"BtnMoveToRightAll", ">>"},
};

BOOL Collect(HWND Wnd, LPARAM Param) {
  reinterpret_cast<std::vector<HWND>*>(Param)->push_back(Wnd);
  return 1;
}

class DialogWindows : public EngineTest {
 protected:
  // Two groups and the bold captions in the store; the other options keep
  // their defaults (group tabs drawn and shaded).
  void SetUp() override {
    EngineTest::SetUp();
    Write("Timer", "PagesSort", Stored({kAlpha, kBeta}));
    Write("Pages", kAlpha, Stored({"Win32", "Standard"}));
    Write("Pages", kBeta, Stored({"System"}));
    Write("Timer", "PagesGroupWidthFull", "1");
    MakeIde(kPalette);
    ShowIde();
    Load();
  }

  // Every control of the dialog that shows, checked against its window;
  // Checked holds the check boxes that are on.
  void CheckWindows(TCustomForm* Dialog, const std::set<std::string>& Checked) {
    std::set<HWND> Shown;
    std::vector<TWinControl*> Pending{Dialog};
    while (!Pending.empty()) {
      TWinControl* C = Pending.back();
      Pending.pop_back();
      for (int i = 0; i < C->ControlCount(); ++i)
        if (TWinControl* W = C->Controls(i)->AsWinControl())
          Pending.push_back(W);
      if (!C->Showing())
        continue;
      const std::string Name = C->Name().empty() ? C->ClassName() : C->Name();
      SCOPED_TRACE(Name);
      ASSERT_TRUE(C->HandleAllocated());
      const HWND Wnd = C->Handle();
      Shown.insert(Wnd);
      EXPECT_TRUE(IsWindowVisible(Wnd));
      const TKind Kind = KindOf(C);
      // Windows spells its own classes its own way ("Button").
      EXPECT_TRUE(AnsiSameText(GetClassName(Wnd), Kind.Class))
          << GetClassName(Wnd) << " is no " << Kind.Class;
      EXPECT_EQ(GetWindowStyle(Wnd) & Kind.Mask, Kind.Bits);
      if (auto It = kCaptions.find(Name); It != kCaptions.end()) {
        EXPECT_EQ(GetWindowText(Wnd), It->second);
      }
      if (Is<TCheckBox>(C)) {
        EXPECT_EQ(SendMessage(Wnd, BM_GETCHECK, 0, 0),
                  static_cast<LRESULT>(Checked.count(Name) != 0 ? BST_CHECKED : BST_UNCHECKED));
      }
    }
    EXPECT_EQ(GetWindowText(Dialog->Handle()), "ORV Expert");
    // Windows of no control, or of a hidden one, show nowhere in it.
    std::vector<HWND> Windows;
    EnumChildWindows(Dialog->Handle(), &Collect, reinterpret_cast<LPARAM>(&Windows));
    for (HWND Wnd : Windows)
      if (IsWindowVisible(Wnd)) {
        EXPECT_TRUE(Shown.count(Wnd) != 0)
            << GetClassName(Wnd) << " '" << GetWindowText(Wnd) << "'";
      }
  }

  const std::vector<std::string> kPalette = {"Standard", "Additional", "Win32", "System",
                                             "Data Access"};
};

}  // namespace

TEST_F(DialogWindows, EveryShownControlIsAWindowOfItsKindWithItsState) {
  const std::set<std::string> Before = {"CheckBoxDrawGroupPage", "CheckBoxDrawGroupPageShadow",
                                        "CheckBoxDrawGroupPage_WidthFull"};
  std::set<std::string> After = Before;
  After.erase("CheckBoxDrawGroupPageShadow");
  int Opened = 0;
  TModalUser User([&](TCustomForm* Form) {
    auto* F = static_cast<TFrmMainORVExpert*>(Form);
    TDialogDriver D(Form);
    const std::set<std::string>& Checked = Opened++ == 0 ? Before : After;
    {
      SCOPED_TRACE("options sheet, opened " + std::to_string(Opened));
      CheckWindows(Form, Checked);
      EXPECT_EQ(
          GetWindowText(As<TWinControl>(F->FindComponent("SpinTimerInstallRefresh"))->Handle()),
          "50");
      EXPECT_EQ(GetWindowText(
                    As<TWinControl>(F->FindComponent("SpinTimerRefreshPagesInterval"))->Handle()),
                "10000");
      EXPECT_GT(SendMessage(F->ColorBoxPageGroup->Handle(), CB_GETCOUNT, 0, 0), 40);
      // The owner-drawn box asked the dialog for its items' height.
      EXPECT_EQ(SendMessage(F->ColorBoxPageGroup->Handle(), CB_GETITEMHEIGHT, 0, 0), 16);
    }
    D.Sheet("TSGroupPage");
    {
      SCOPED_TRACE("groups sheet, opened " + std::to_string(Opened));
      CheckWindows(Form, Checked);
      EXPECT_EQ(SendMessage(F->LBoxPageGroup->Handle(), LB_GETCOUNT, 0, 0), 2);
      EXPECT_EQ(SendMessage(F->LBoxPagePalette->Handle(), LB_GETCOUNT, 0, 0),
                static_cast<LRESULT>(kPalette.size()));
      EXPECT_EQ(SendMessage(F->LBoxPagePalette->Handle(), LB_GETITEMHEIGHT, 0, 0), 13);
      D.Select("LBoxPageGroup", 0);
      EXPECT_EQ(SendMessage(F->LBoxPagePalettePerPageGroup->Handle(), LB_GETCOUNT, 0, 0), 2);
      EXPECT_EQ(SendMessage(F->LBoxPageGroup->Handle(), LB_GETCURSEL, 0, 0), 0);
    }
    D.Sheet("TSMain");
    if (Opened == 1)
      D.Check("CheckBoxDrawGroupPageShadow", false);
    D.Ok();
  });
  Inspect().ComponentMenuItem()->Click();
  Inspect().ComponentMenuItem()->Click();
  EXPECT_EQ(Opened, 2);
  EXPECT_FALSE(Inspect().Flag("PagesShadow"));
}
