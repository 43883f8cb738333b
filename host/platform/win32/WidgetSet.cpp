#include "CommCtrl.h"
#include "NativeLists.h"
#include "WSComCtrls.h"
#include "WSStdCtrls.h"

// The real platform's entry for each control class: Windows' own classes
// hold the items, the selection and the tabs, and are asked through their
// messages, one item or tab at a time where Windows has no message for a
// whole list.

namespace {

// The list box's and the combo box's messages, which differ only in their
// numbers.
struct TListMessages {
  UINT AddString, InsertString, DeleteString, ResetContent, GetCount, GetText, GetTextLen,
      GetItemData, SetItemData, FindStringExact, GetCurSel, SetCurSel;
};
constexpr TListMessages kListBox{LB_ADDSTRING,       LB_INSERTSTRING, LB_DELETESTRING,
                                 LB_RESETCONTENT,    LB_GETCOUNT,     LB_GETTEXT,
                                 LB_GETTEXTLEN,      LB_GETITEMDATA,  LB_SETITEMDATA,
                                 LB_FINDSTRINGEXACT, LB_GETCURSEL,    LB_SETCURSEL};
constexpr TListMessages kComboBox{CB_ADDSTRING,       CB_INSERTSTRING, CB_DELETESTRING,
                                  CB_RESETCONTENT,    CB_GETCOUNT,     CB_GETLBTEXT,
                                  CB_GETLBTEXTLEN,    CB_GETITEMDATA,  CB_SETITEMDATA,
                                  CB_FINDSTRINGEXACT, CB_GETCURSEL,    CB_SETCURSEL};

LPARAM TextParam(const std::string& Text) {
  return reinterpret_cast<LPARAM>(Text.c_str());
}

template <class TBase>
class TRealList : public TBase {
 public:
  explicit TRealList(const TListMessages& Messages) : M(Messages) {}

  int GetCount(HWND Wnd) const override {
    return static_cast<int>(SendMessage(Wnd, M.GetCount, 0, 0));
  }
  std::string GetItem(HWND Wnd, int Index) const override {
    const LRESULT Length = SendMessage(Wnd, M.GetTextLen, static_cast<WPARAM>(Index), 0);
    if (Length < 0)
      return {};
    std::string Text(static_cast<std::size_t>(Length) + 1, '\0');
    const LRESULT Copied = SendMessage(Wnd, M.GetText, static_cast<WPARAM>(Index),
                                       reinterpret_cast<LPARAM>(Text.data()));
    Text.resize(Copied < 0 ? 0 : static_cast<std::size_t>(Copied));
    return Text;
  }
  std::intptr_t GetItemData(HWND Wnd, int Index) const override {
    return SendMessage(Wnd, M.GetItemData, static_cast<WPARAM>(Index), 0);
  }
  void SetItemData(HWND Wnd, int Index, std::intptr_t Data) const override {
    SendMessage(Wnd, M.SetItemData, static_cast<WPARAM>(Index), Data);
  }
  int AddItem(HWND Wnd, const std::string& Text) const override {
    return static_cast<int>(SendMessage(Wnd, M.AddString, 0, TextParam(Text)));
  }
  int InsertItem(HWND Wnd, int Index, const std::string& Text) const override {
    return static_cast<int>(
        SendMessage(Wnd, M.InsertString, static_cast<WPARAM>(Index), TextParam(Text)));
  }
  void DeleteItem(HWND Wnd, int Index) const override {
    SendMessage(Wnd, M.DeleteString, static_cast<WPARAM>(Index), 0);
  }
  void Clear(HWND Wnd) const override { SendMessage(Wnd, M.ResetContent, 0, 0); }
  std::vector<TTextItem> GetItems(HWND Wnd) const override {
    std::vector<TTextItem> Items(static_cast<std::size_t>(GetCount(Wnd)));
    for (std::size_t i = 0; i < Items.size(); ++i) {
      Items[i].Text = GetItem(Wnd, static_cast<int>(i));
      Items[i].Data = GetItemData(Wnd, static_cast<int>(i));
    }
    return Items;
  }
  // One message per item, with the window's drawing held off meanwhile; a
  // sorted window puts each where it belongs.
  void SetItems(HWND Wnd, std::vector<TTextItem> Items) const override {
    SendMessage(Wnd, WM_SETREDRAW, 0, 0);
    Clear(Wnd);
    for (const TTextItem& Item : Items) {
      const int At = AddItem(Wnd, Item.Text);
      if (At >= 0 && Item.Data != 0)
        SetItemData(Wnd, At, Item.Data);
    }
    SendMessage(Wnd, WM_SETREDRAW, 1, 0);
  }
  int FindExact(HWND Wnd, const std::string& Text) const override {
    const LRESULT Found =
        SendMessage(Wnd, M.FindStringExact, static_cast<WPARAM>(-1), TextParam(Text));
    return Found < 0 ? -1 : static_cast<int>(Found);
  }
  int GetItemIndex(HWND Wnd) const override {
    const LRESULT Index = SendMessage(Wnd, M.GetCurSel, 0, 0);
    return Index < 0 ? -1 : static_cast<int>(Index);
  }
  void SetItemIndex(HWND Wnd, int Index) const override {
    SendMessage(Wnd, M.SetCurSel, static_cast<WPARAM>(Index), 0);
  }

 protected:
  const TListMessages& M;
};

class TRealListBox : public TRealList<TWSCustomListBox> {
 public:
  TRealListBox() : TRealList(kListBox) {}
  void SetItemHeight(HWND Wnd, int Height) const override {
    SendMessage(Wnd, LB_SETITEMHEIGHT, 0, Height);
  }
  TRect GetItemRect(HWND Wnd, int Index) const override {
    TRect R;
    SendMessage(Wnd, LB_GETITEMRECT, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(&R));
    return R;
  }
};

// Windows takes a combo box's height as the height of the box with its
// list dropped down, and makes the box itself as high as its selection
// field: the window is given room for the list below the box, eight items
// of the VCL's default height, as the VCL's DropDownCount is eight.
constexpr int kDroppedHeight = 8 * 16 + 2;

class TRealComboBox : public TRealList<TWSCustomComboBox> {
 public:
  TRealComboBox() : TRealList(kComboBox) {}
  HWND CreateHandle(const TWSCreateParams& Params) const override {
    TWSCreateParams WithList = Params;
    WithList.Bounds.Bottom += kDroppedHeight;
    return TRealList::CreateHandle(WithList);
  }
  void SetBounds(HWND Wnd, const TRect& Bounds) const override {
    TRect WithList = Bounds;
    WithList.Bottom += kDroppedHeight;
    TRealList::SetBounds(Wnd, WithList);
  }
  // The selection field and the list's items alike, as the VCL measures
  // an owner-drawn combo box's items.
  void SetItemHeight(HWND Wnd, int Height) const override {
    SendMessage(Wnd, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), Height);
    SendMessage(Wnd, CB_SETITEMHEIGHT, 0, Height);
  }
  bool GetDroppedDown(HWND Wnd) const override {
    return SendMessage(Wnd, CB_GETDROPPEDSTATE, 0, 0) != 0;
  }
};

// The common controls' tab control has no message for a whole list: the
// entry reads and writes one tab at a time.
class TRealTabControl : public TWSCustomTabControl {
 public:
  int GetTabCount(HWND Wnd) const override {
    return static_cast<int>(SendMessage(Wnd, TCM_GETITEMCOUNT, 0, 0));
  }
  bool GetTab(HWND Wnd, int Index, TCItem& Item) const override {
    return SendMessage(Wnd, TCM_GETITEM, static_cast<WPARAM>(Index),
                       reinterpret_cast<LPARAM>(&Item)) != 0;
  }
  bool SetTab(HWND Wnd, int Index, const TCItem& Item) const override {
    return SendMessage(Wnd, TCM_SETITEM, static_cast<WPARAM>(Index),
                       reinterpret_cast<LPARAM>(&Item)) != 0;
  }
  int InsertTab(HWND Wnd, int Index, const TCItem& Item) const override {
    return static_cast<int>(SendMessage(Wnd, TCM_INSERTITEM, static_cast<WPARAM>(Index),
                                        reinterpret_cast<LPARAM>(&Item)));
  }
  bool DeleteTab(HWND Wnd, int Index) const override {
    return SendMessage(Wnd, TCM_DELETEITEM, static_cast<WPARAM>(Index), 0) != 0;
  }
  void DeleteAllTabs(HWND Wnd) const override { SendMessage(Wnd, TCM_DELETEALLITEMS, 0, 0); }
  std::string GetTabTexts(HWND Wnd) const override {
    std::string Text;
    const int Count = GetTabCount(Wnd);
    for (int i = 0; i < Count; ++i) {
      TCItem Item;
      Item.Mask = TCIF_TEXT;
      GetTab(Wnd, i, Item);
      Text += Item.Text;
      Text += "\r\n";
    }
    return Text;
  }
  std::vector<TCItem> GetTabs(HWND Wnd) const override {
    std::vector<TCItem> Items(static_cast<std::size_t>(GetTabCount(Wnd)));
    for (std::size_t i = 0; i < Items.size(); ++i) {
      Items[i].Mask = TCIF_TEXT | TCIF_IMAGE | TCIF_PARAM;
      GetTab(Wnd, static_cast<int>(i), Items[i]);
    }
    return Items;
  }
  // The count first, then a message per tab until one differs.
  bool SameTabs(HWND Wnd, const std::vector<TCItem>& Items) const override {
    if (GetTabCount(Wnd) != static_cast<int>(Items.size()))
      return false;
    for (std::size_t i = 0; i < Items.size(); ++i) {
      TCItem Tab;
      Tab.Mask = TCIF_TEXT | TCIF_PARAM;
      if (!GetTab(Wnd, static_cast<int>(i), Tab) || !SameTab(Tab, Items[i]))
        return false;
    }
    return true;
  }
  // One message per tab, with the window's drawing held off meanwhile.
  int SetTabs(HWND Wnd, std::vector<TCItem> Items) const override {
    SendMessage(Wnd, WM_SETREDRAW, 0, 0);
    DeleteAllTabs(Wnd);
    int Count = 0;
    for (const TCItem& Item : Items)
      if (InsertTab(Wnd, Count, Item) >= 0)
        ++Count;
    if (Count > 0)
      SetTabIndex(Wnd, 0);
    SendMessage(Wnd, WM_SETREDRAW, 1, 0);
    return Count;
  }
  int GetTabIndex(HWND Wnd) const override {
    return static_cast<int>(SendMessage(Wnd, TCM_GETCURSEL, 0, 0));
  }
  int SetTabIndex(HWND Wnd, int Index) const override {
    return static_cast<int>(SendMessage(Wnd, TCM_SETCURSEL, static_cast<WPARAM>(Index), 0));
  }
  int GetRowCount(HWND Wnd) const override {
    return static_cast<int>(SendMessage(Wnd, TCM_GETROWCOUNT, 0, 0));
  }
  TRect GetTabRect(HWND Wnd, int Index) const override {
    TRect R;
    SendMessage(Wnd, TCM_GETITEMRECT, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(&R));
    return R;
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
  static const TRealListBox Entry;
  return Entry;
}

const TWSCustomComboBox& WSCustomComboBox() {
  static const TRealComboBox Entry;
  return Entry;
}

const TWSCustomTabControl& WSCustomTabControl() {
  static const TRealTabControl Entry;
  return Entry;
}
