#include <algorithm>

#include "CommCtrl.h"
#include "ListWindows.h"
#include "Natives.h"
#include "TabWindow.h"
#include "WSComCtrls.h"
#include "WSStdCtrls.h"

// The headless platform's entry for each control class. The window itself
// holds what the entry reads and writes: a list's items and a tab control's
// tabs are reached in the window's own store, a whole list in one call,
// where messages would copy them one at a time. What the entry is asked of
// a window of another class (a handle that names none) is answered as
// Windows answers messages to it: with nothing.

namespace {

class THeadlessListBox : public TWSCustomListBox {
 public:
  int GetCount(HWND Wnd) const override { return Items(Wnd).Count(); }
  std::string GetItem(HWND Wnd, int Index) const override { return Items(Wnd)[Index].Text; }
  std::intptr_t GetItemData(HWND Wnd, int Index) const override { return Items(Wnd)[Index].Data; }
  void SetItemData(HWND Wnd, int Index, std::intptr_t Data) const override {
    Items(Wnd).SetData(Index, Data);
  }
  int AddItem(HWND Wnd, const std::string& Text) const override {
    const TNativeListBox* List = NativeOf<TNativeListBox>(Wnd);
    return Items(Wnd).Add(Text, 0, List != nullptr && List->Sorted(Wnd));
  }
  int InsertItem(HWND Wnd, int Index, const std::string& Text) const override {
    return Items(Wnd).Insert(Index, Text);
  }
  void DeleteItem(HWND Wnd, int Index) const override { Items(Wnd).Delete(Index); }
  void Clear(HWND Wnd) const override { SendMessage(Wnd, LB_RESETCONTENT, 0, 0); }
  std::vector<TTextItem> GetItems(HWND Wnd) const override { return Items(Wnd).Items(); }
  void SetItems(HWND Wnd, std::vector<TTextItem> New) const override {
    const TNativeListBox* List = NativeOf<TNativeListBox>(Wnd);
    Items(Wnd).Assign(std::move(New), List != nullptr && List->Sorted(Wnd));
  }
  int FindExact(HWND Wnd, const std::string& Text) const override {
    return Items(Wnd).IndexOf(Text);
  }
  int GetItemIndex(HWND Wnd) const override { return Items(Wnd).Selected(); }
  void SetItemIndex(HWND Wnd, int Index) const override { Items(Wnd).Select(Index); }
  void SetItemHeight(HWND Wnd, int Height) const override {
    SendMessage(Wnd, LB_SETITEMHEIGHT, 0, Height);
  }
  TRect GetItemRect(HWND Wnd, int Index) const override {
    const TNativeListBox* List = NativeOf<TNativeListBox>(Wnd);
    return List != nullptr ? List->ItemRect(Wnd, Index) : TRect{};
  }

 private:
  static TTextItems& Items(HWND Wnd) {
    TNativeListBox* List = NativeOf<TNativeListBox>(Wnd);
    static TTextItems None;
    return List != nullptr ? List->Items : None;
  }
};

class THeadlessComboBox : public TWSCustomComboBox {
 public:
  int GetCount(HWND Wnd) const override { return Items(Wnd).Count(); }
  std::string GetItem(HWND Wnd, int Index) const override { return Items(Wnd)[Index].Text; }
  std::intptr_t GetItemData(HWND Wnd, int Index) const override { return Items(Wnd)[Index].Data; }
  void SetItemData(HWND Wnd, int Index, std::intptr_t Data) const override {
    Items(Wnd).SetData(Index, Data);
  }
  int AddItem(HWND Wnd, const std::string& Text) const override {
    return Items(Wnd).Add(Text, 0, false);
  }
  int InsertItem(HWND Wnd, int Index, const std::string& Text) const override {
    return Items(Wnd).Insert(Index, Text);
  }
  void DeleteItem(HWND Wnd, int Index) const override { Items(Wnd).Delete(Index); }
  void Clear(HWND Wnd) const override { Items(Wnd).Clear(); }
  std::vector<TTextItem> GetItems(HWND Wnd) const override { return Items(Wnd).Items(); }
  void SetItems(HWND Wnd, std::vector<TTextItem> New) const override {
    Items(Wnd).Assign(std::move(New), false);
  }
  int FindExact(HWND Wnd, const std::string& Text) const override {
    return Items(Wnd).IndexOf(Text);
  }
  int GetItemIndex(HWND Wnd) const override { return Items(Wnd).Selected(); }
  void SetItemIndex(HWND Wnd, int Index) const override { Items(Wnd).Select(Index); }
  // The selection field and the list's items alike, as the VCL measures
  // an owner-drawn combo box's items.
  void SetItemHeight(HWND Wnd, int Height) const override {
    SendMessage(Wnd, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), Height);
    SendMessage(Wnd, CB_SETITEMHEIGHT, 0, Height);
  }
  bool GetDroppedDown(HWND Wnd) const override {
    const TNativeComboBox* Box = NativeOf<TNativeComboBox>(Wnd);
    return Box != nullptr && Box->DroppedDown();
  }

 private:
  static TTextItems& Items(HWND Wnd) {
    TNativeComboBox* Box = NativeOf<TNativeComboBox>(Wnd);
    static TTextItems None;
    return Box != nullptr ? Box->List().Items : None;
  }
};

// The tab messages go to the window's class straight: the control that
// asks has nothing to add to them.
class THeadlessTabControl : public TWSCustomTabControl {
 public:
  int GetTabCount(HWND Wnd) const override {
    const TNativeTabControl* Tabs = NativeOf<TNativeTabControl>(Wnd);
    return Tabs != nullptr ? static_cast<int>(Tabs->Items.size()) : 0;
  }
  bool GetTab(HWND Wnd, int Index, TCItem& Item) const override {
    return Class(Wnd, TCM_GETITEM, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(&Item)) !=
           0;
  }
  bool SetTab(HWND Wnd, int Index, const TCItem& Item) const override {
    return Class(Wnd, TCM_SETITEM, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(&Item)) !=
           0;
  }
  int InsertTab(HWND Wnd, int Index, const TCItem& Item) const override {
    return static_cast<int>(
        Class(Wnd, TCM_INSERTITEM, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(&Item)));
  }
  bool DeleteTab(HWND Wnd, int Index) const override {
    return Class(Wnd, TCM_DELETEITEM, static_cast<WPARAM>(Index), 0) != 0;
  }
  void DeleteAllTabs(HWND Wnd) const override { Class(Wnd, TCM_DELETEALLITEMS, 0, 0); }
  std::string GetTabTexts(HWND Wnd) const override {
    const TNativeTabControl* Tabs = NativeOf<TNativeTabControl>(Wnd);
    return Tabs != nullptr ? Tabs->Texts() : std::string();
  }
  std::vector<TCItem> GetTabs(HWND Wnd) const override {
    const TNativeTabControl* Tabs = NativeOf<TNativeTabControl>(Wnd);
    return Tabs != nullptr ? Tabs->Items : std::vector<TCItem>();
  }
  bool SameTabs(HWND Wnd, const std::vector<TCItem>& Items) const override {
    const TNativeTabControl* Tabs = NativeOf<TNativeTabControl>(Wnd);
    if (Tabs == nullptr)
      return Items.empty();
    return std::equal(Items.begin(), Items.end(), Tabs->Items.begin(), Tabs->Items.end(), SameTab);
  }
  int SetTabs(HWND Wnd, std::vector<TCItem> Items) const override {
    TNativeTabControl* Tabs = NativeOf<TNativeTabControl>(Wnd);
    return Tabs != nullptr ? Tabs->SetItems(std::move(Items)) : 0;
  }
  int GetTabIndex(HWND Wnd) const override {
    const TNativeTabControl* Tabs = NativeOf<TNativeTabControl>(Wnd);
    return Tabs != nullptr ? Tabs->CurSel : -1;
  }
  int SetTabIndex(HWND Wnd, int Index) const override {
    return static_cast<int>(Class(Wnd, TCM_SETCURSEL, static_cast<WPARAM>(Index), 0));
  }
  int GetRowCount(HWND Wnd) const override {
    return static_cast<int>(Class(Wnd, TCM_GETROWCOUNT, 0, 0));
  }
  TRect GetTabRect(HWND Wnd, int Index) const override {
    TNativeTabControl* Tabs = NativeOf<TNativeTabControl>(Wnd);
    return Tabs != nullptr ? Tabs->ItemRect(Wnd, Index) : TRect{};
  }

 private:
  static LRESULT Class(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam) {
    TMessage Message{Msg, WParam, LParam, 0};
    return CallDefWindowProc(Wnd, Message);
  }
};

}  // namespace

const TWSWinControl& WSWinControl() {
  static const TWSWinControl Entry;
  return Entry;
}

const TWSButton& WSButton() {
  static const TWSButton Entry;
  return Entry;
}

const TWSCustomCheckBox& WSCustomCheckBox() {
  static const TWSCustomCheckBox Entry;
  return Entry;
}

const TWSCustomEdit& WSCustomEdit() {
  static const TWSCustomEdit Entry;
  return Entry;
}

const TWSCustomListBox& WSCustomListBox() {
  static const THeadlessListBox Entry;
  return Entry;
}

const TWSCustomComboBox& WSCustomComboBox() {
  static const THeadlessComboBox Entry;
  return Entry;
}

const TWSCustomTabControl& WSCustomTabControl() {
  static const THeadlessTabControl Entry;
  return Entry;
}
