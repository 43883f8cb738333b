#include "NativeLists.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "ListWindows.h"
#include "Natives.h"
#include "SysUtils.h"
#include "TextMetrics.h"

// The list box, the combo box and its dropped-down list, as Windows' own
// classes keep their items and answer their messages. Both keep their items
// in TTextItems, which also keeps the selection with its item.

namespace {

// The index a message names; -1 for one outside the list.
int IndexIn(const TTextItems& Items, WPARAM WParam) {
  const auto Index = static_cast<std::intptr_t>(WParam);
  return Index >= 0 && Index < Items.Count() ? static_cast<int>(Index) : -1;
}

const char* TextOf(LPARAM LParam) {
  const char* S = reinterpret_cast<const char*>(LParam);
  return S != nullptr ? S : "";
}

// Copies the item's text with its NUL into the caller's buffer, which the
// caller sized by the text's length, as for Windows' own.
LRESULT CopyText(const TTextItems& Items, WPARAM WParam, LPARAM LParam) {
  const int Index = IndexIn(Items, WParam);
  auto* Buffer = reinterpret_cast<char*>(LParam);
  if (Index < 0 || Buffer == nullptr)
    return LB_ERR;
  const std::string& S = Items[Index].Text;
  std::memcpy(Buffer, S.c_str(), S.size() + 1);
  return static_cast<LRESULT>(S.size());
}

// The first item after Start equal to the text whole, ignoring letter case,
// wrapping round to the start; -1 (or any index outside the list) searches
// from the first item, through the items' index.
LRESULT FindExact(const TTextItems& Items, WPARAM WParam, LPARAM LParam) {
  const int Count = Items.Count();
  if (LParam == 0 || Count == 0)
    return LB_ERR;
  const std::string Text = TextOf(LParam);
  const int Start = IndexIn(Items, WParam);
  if (Start < 0)
    return Items.IndexOf(Text);
  for (int n = 1; n <= Count; ++n) {
    const int i = (Start + n) % Count;
    if (AnsiSameText(Items[i].Text, Text))
      return i;
  }
  return LB_ERR;
}

int BorderOf(HWND Wnd) {
  return (GetWindowStyle(Wnd) & WS_BORDER) != 0 ? 1 : 2;
}

}  // namespace

void NotifyOwner(HWND Wnd, UINT Code) {
  SendMessage(Wnd, CN_COMMAND, MAKEWPARAM(0, Code), reinterpret_cast<LPARAM>(Wnd));
}

UINT MeasureItem(HWND Wnd, UINT CtlType, UINT ItemId, UINT Height) {
  MEASUREITEMSTRUCT Item;
  Item.CtlType = CtlType;
  Item.itemID = ItemId;
  Item.itemHeight = Height;
  SendMessage(Wnd, CN_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&Item));
  return Item.itemHeight;
}

void TNativeListBox::Created(HWND Wnd, const std::string& WindowName) {
  TNativeWindow::Created(Wnd, WindowName);
  if ((GetWindowStyle(Wnd) & LBS_OWNERDRAWFIXED) != 0)
    FItemHeight =
        static_cast<int>(MeasureItem(Wnd, ODT_LISTBOX, 0, static_cast<UINT>(ItemHeight(Wnd))));
}

int TNativeListBox::ItemHeight(HWND Wnd) const {
  if (FItemHeight > 0)
    return FItemHeight;
  const TWindowRecord* Record = WindowRecord(Wnd);
  return Record != nullptr ? FontMetrics(Record->Font).tmHeight : 13;
}

TRect TNativeListBox::ItemRect(HWND Wnd, int Index) const {
  const TWindowRecord* Record = WindowRecord(Wnd);
  const int Width = Record != nullptr ? std::max(0, Record->Width - 2 * BorderOf(Wnd)) : 0;
  const int H = ItemHeight(Wnd);
  return {0, (Index - TopIndex) * H, Width, (Index - TopIndex + 1) * H};
}

int TNativeListBox::ItemAt(HWND Wnd, TPoint Point) const {
  if (Point.Y < 0 || Point.X < 0)
    return -1;
  const int Index = TopIndex + Point.Y / std::max(1, ItemHeight(Wnd));
  return Items.Valid(Index) ? Index : -1;
}

LRESULT TNativeListBox::Handle(HWND Wnd, TMessage& M) {
  if (M.Msg >= LB_ADDSTRING && M.Msg <= LB_FINDSTRINGEXACT)
    return ItemMessage(Wnd, M);
  switch (M.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_KEYDOWN:
      return InputMessage(Wnd, M);
    case WM_VSCROLL: {
      // The list's scroll bar moves the first item in view.
      int Top = TopIndex;
      switch (LOWORD(M.WParam)) {
        case SB_LINEUP:
          --Top;
          break;
        case SB_LINEDOWN:
          ++Top;
          break;
        case SB_THUMBPOSITION:
          Top = static_cast<int>(HIWORD(M.WParam));
          break;
        default:
          break;
      }
      TopIndex = std::clamp(Top, 0, std::max(0, Items.Count() - 1));
      return 0;
    }
    default:
      return TNativeWindow::Handle(Wnd, M);
  }
}

LRESULT TNativeListBox::ItemMessage(HWND Wnd, TMessage& M) {
  switch (M.Msg) {
    case LB_ADDSTRING:
      return Items.Add(TextOf(M.LParam), 0, Sorted(Wnd));
    case LB_INSERTSTRING: {
      const int At =
          Items.Insert(static_cast<int>(static_cast<std::intptr_t>(M.WParam)), TextOf(M.LParam));
      return At < 0 ? LB_ERR : At;
    }
    case LB_DELETESTRING: {
      const int Index = IndexIn(Items, M.WParam);
      if (Index < 0)
        return LB_ERR;
      Items.Delete(Index);
      return Items.Count();
    }
    case LB_RESETCONTENT:
      // Documented as answering nothing: Windows' list box answers 0, its
      // combo box TRUE.
      Items.Clear();
      TopIndex = 0;
      return 0;
    case LB_GETCOUNT:
      return Items.Count();
    case LB_GETTEXT:
      return CopyText(Items, M.WParam, M.LParam);
    case LB_GETTEXTLEN: {
      const int Index = IndexIn(Items, M.WParam);
      return Index < 0 ? LB_ERR : static_cast<LRESULT>(Items[Index].Text.size());
    }
    case LB_GETITEMDATA: {
      const int Index = IndexIn(Items, M.WParam);
      return Index < 0 ? LB_ERR : Items[Index].Data;
    }
    case LB_SETITEMDATA: {
      const int Index = IndexIn(Items, M.WParam);
      if (Index < 0)
        return LB_ERR;
      Items.SetData(Index, M.LParam);
      return 1;
    }
    case LB_FINDSTRINGEXACT:
      return FindExact(Items, M.WParam, M.LParam);
    case LB_GETCURSEL:
      return Items.Selected();
    case LB_SETCURSEL: {
      // An index out of range answers LB_ERR and leaves the selection; -1
      // removes it and answers LB_ERR too.
      const int Index = IndexIn(Items, M.WParam);
      if (Index >= 0 || static_cast<std::intptr_t>(M.WParam) == -1)
        Items.Select(Index);
      return Index < 0 ? LB_ERR : Index;
    }
    case LB_GETTOPINDEX:
      return TopIndex;
    case LB_SETTOPINDEX: {
      const int Index = IndexIn(Items, M.WParam);
      if (Index < 0)
        return LB_ERR;
      TopIndex = Index;
      return 0;
    }
    case LB_GETITEMRECT: {
      const int Index = IndexIn(Items, M.WParam);
      auto* R = reinterpret_cast<TRect*>(M.LParam);
      if (Index < 0 || R == nullptr)
        return LB_ERR;
      *R = ItemRect(Wnd, Index);
      return 1;
    }
    case LB_SETITEMHEIGHT:
      if (M.LParam <= 0 || M.LParam > 255)
        return LB_ERR;
      FItemHeight = static_cast<int>(M.LParam);
      return 0;
    case LB_GETITEMHEIGHT:
      return ItemHeight(Wnd);
    default:
      return 0;
  }
}

bool TNativeListBox::KeySelect(int Key) {
  const int Count = Items.Count();
  if (Count == 0)
    return false;
  const int Now = Items.Selected();
  int Next = Now;
  switch (Key) {
    case VK_UP:
      Next = Now < 0 ? 0 : Now - 1;
      break;
    case VK_DOWN:
      Next = Now < 0 ? 0 : Now + 1;
      break;
    case VK_HOME:
      Next = 0;
      break;
    case VK_END:
      Next = Count - 1;
      break;
    default:
      return false;
  }
  Next = std::clamp(Next, 0, Count - 1);
  if (Next == Now)
    return false;
  Items.Select(Next);
  return true;
}

LRESULT TNativeListBox::InputMessage(HWND Wnd, TMessage& M) {
  const bool Notify = (GetWindowStyle(Wnd) & LBS_NOTIFY) != 0;
  switch (M.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
      // The item under the button is selected as it goes down; the owner
      // hears of it when the button comes up.
      if (const int Index = ItemAt(Wnd, PointOf(M.LParam)); Index >= 0)
        Items.Select(Index);
      FPressed = true;
      if (M.Msg == WM_LBUTTONDBLCLK && Notify)
        NotifyOwner(Wnd, LBN_DBLCLK);
      return 0;
    }
    case WM_LBUTTONUP:
      if (FPressed) {
        FPressed = false;
        Released(Wnd);
      }
      return 0;
    case WM_KEYDOWN:
      if (KeySelect(static_cast<int>(M.WParam)) && Notify)
        NotifyOwner(Wnd, LBN_SELCHANGE);
      return 0;
    default:
      return 0;
  }
}

// Every click on a list with items is a selection to its owner, the
// selected item's too, as Windows' list box tells it.
void TNativeListBox::Released(HWND Wnd) {
  if ((GetWindowStyle(Wnd) & LBS_NOTIFY) != 0 && Items.Count() > 0)
    NotifyOwner(Wnd, LBN_SELCHANGE);
}

void TNativeComboList::Released(HWND Wnd) {
  (void)Wnd;
  if (auto* Box = NativeOf<TNativeComboBox>(Combo))
    Box->CloseUp(Combo, true);
}

TNativeComboBox::~TNativeComboBox() {
  if (IsWindow(FList))
    DestroyWindow(FList);
}

void TNativeComboBox::Created(HWND Wnd, const std::string& WindowName) {
  TNativeWindow::Created(Wnd, WindowName);
  // The list is a window of its own from the start, hidden until it drops
  // down, as Windows makes it.
  FList = CreateWindowEx("ComboLBox", WS_POPUP | WS_BORDER | LBS_NOTIFY, {});
  if (auto* List = NativeOf<TNativeComboList>(FList))
    List->Combo = Wnd;
  // An owner-drawn box asks for the selection field's height, then its
  // items'.
  if ((GetWindowStyle(Wnd) & CBS_OWNERDRAWFIXED) != 0) {
    const auto Height = static_cast<UINT>(List().ItemHeight(FList));
    FEditHeight = static_cast<int>(MeasureItem(Wnd, ODT_COMBOBOX, static_cast<UINT>(-1), Height));
    SendMessage(FList, LB_SETITEMHEIGHT, 0,
                static_cast<LPARAM>(MeasureItem(Wnd, ODT_COMBOBOX, 0, Height)));
  }
}

TNativeComboList& TNativeComboBox::List() const {
  return *NativeOf<TNativeComboList>(FList);
}

TRect TNativeComboBox::ButtonRect(HWND Wnd) const {
  const TWindowRecord* Record = WindowRecord(Wnd);
  const int W = Record != nullptr ? Record->Width : 0, H = Record != nullptr ? Record->Height : 0;
  return {W - 20, 2, W - 2, H - 2};
}

void TNativeComboBox::DropDown(HWND Wnd) {
  if (FDropped)
    return;
  FDropped = true;
  FDropSelected = List().Items.Selected();
  if (const TWindowRecord* Record = WindowRecord(Wnd)) {
    const int Shown = std::clamp(List().Items.Count(), 1, 8);
    SetWindowPos(FList, nullptr, 0, 0, Record->Width, Shown * List().ItemHeight(FList) + 2,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_SHOWWINDOW);
  }
  NotifyOwner(Wnd, CBN_DROPDOWN);
}

// The list closes first; a choice is told after that, as Windows tells a
// choice made with the mouse.
void TNativeComboBox::CloseUp(HWND Wnd, bool Choose) {
  if (!FDropped)
    return;
  FDropped = false;
  ShowWindow(FList, SW_HIDE);
  if (!Choose)
    List().Items.Select(FDropSelected);
  NotifyOwner(Wnd, CBN_CLOSEUP);
  if (Choose && IsWindow(Wnd))
    NotifyOwner(Wnd, CBN_SELCHANGE);
}

LRESULT TNativeComboBox::Handle(HWND Wnd, TMessage& M) {
  if (M.Msg >= CB_ADDSTRING && M.Msg <= CB_FINDSTRINGEXACT)
    return ItemMessage(Wnd, M);
  switch (M.Msg) {
    case WM_LBUTTONDOWN: {
      // A drop-down list drops at a click anywhere on it; the other
      // kinds at a click on the button.
      const TPoint P = PointOf(M.LParam);
      const TRect B = ButtonRect(Wnd);
      const bool OnButton = P.X >= B.Left && P.X < B.Right && P.Y >= B.Top && P.Y < B.Bottom;
      if (FDropped)
        CloseUp(Wnd, false);
      else if (OnButton || (GetWindowStyle(Wnd) & 0x3) == CBS_DROPDOWNLIST)
        DropDown(Wnd);
      return 0;
    }
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      FFocused = M.Msg == WM_SETFOCUS;
      InvalidateRect(Wnd, nullptr, 1);
      return 0;
    case WM_KEYDOWN: {
      const auto Key = static_cast<int>(M.WParam);
      if (Key == VK_F4) {
        if (FDropped)
          CloseUp(Wnd, false);
        else
          DropDown(Wnd);
      } else if (FDropped && (Key == VK_RETURN || Key == VK_ESCAPE)) {
        CloseUp(Wnd, Key == VK_RETURN);
      } else if (List().KeySelect(Key) && !FDropped) {
        NotifyOwner(Wnd, CBN_SELCHANGE);
      }
      return 0;
    }
    default:
      return TNativeWindow::Handle(Wnd, M);
  }
}

LRESULT TNativeComboBox::ItemMessage(HWND Wnd, TMessage& M) {
  (void)Wnd;
  TTextItems& Items = List().Items;
  switch (M.Msg) {
    case CB_ADDSTRING:
      return Items.Add(TextOf(M.LParam), 0, false);
    case CB_INSERTSTRING: {
      const int At =
          Items.Insert(static_cast<int>(static_cast<std::intptr_t>(M.WParam)), TextOf(M.LParam));
      return At < 0 ? CB_ERR : At;
    }
    case CB_DELETESTRING: {
      const int Index = IndexIn(Items, M.WParam);
      if (Index < 0)
        return CB_ERR;
      Items.Delete(Index);
      return Items.Count();
    }
    case CB_RESETCONTENT:
      Items.Clear();
      return 1;
    case CB_GETCOUNT:
      return Items.Count();
    case CB_GETLBTEXT:
      return CopyText(Items, M.WParam, M.LParam);
    case CB_GETLBTEXTLEN: {
      const int Index = IndexIn(Items, M.WParam);
      return Index < 0 ? CB_ERR : static_cast<LRESULT>(Items[Index].Text.size());
    }
    case CB_GETITEMDATA: {
      const int Index = IndexIn(Items, M.WParam);
      return Index < 0 ? CB_ERR : Items[Index].Data;
    }
    case CB_SETITEMDATA: {
      const int Index = IndexIn(Items, M.WParam);
      if (Index < 0)
        return CB_ERR;
      Items.SetData(Index, M.LParam);
      return 1;
    }
    case CB_FINDSTRINGEXACT:
      return FindExact(Items, M.WParam, M.LParam);
    case CB_GETCURSEL:
      return Items.Selected();
    case CB_SETCURSEL: {
      // An index out of range selects nothing and answers CB_ERR, as
      // Windows documents it.
      const int Index = IndexIn(Items, M.WParam);
      Items.Select(Index);
      return Index < 0 ? CB_ERR : Index;
    }
    case CB_SHOWDROPDOWN:
      if (M.WParam != 0)
        DropDown(Wnd);
      else
        CloseUp(Wnd, false);
      return 1;
    case CB_GETDROPPEDSTATE:
      return FDropped ? 1 : 0;
    case CB_SETITEMHEIGHT:
      if (M.LParam <= 0 || M.LParam > 255)
        return CB_ERR;
      // -1 is the selection field's height, any other index the list's.
      if (static_cast<std::intptr_t>(M.WParam) == -1)
        FEditHeight = static_cast<int>(M.LParam);
      else
        SendMessage(FList, LB_SETITEMHEIGHT, 0, M.LParam);
      return 0;
    case CB_GETITEMHEIGHT:
      if (static_cast<std::intptr_t>(M.WParam) == -1)
        return FEditHeight > 0 ? FEditHeight : List().ItemHeight(FList);
      return List().ItemHeight(FList);
    default:
      return 0;
  }
}

BOOL GetComboBoxInfo(HWND Combo, COMBOBOXINFO& Info) {
  auto* Box = NativeOf<TNativeComboBox>(Combo);
  const TWindowRecord* Record = WindowRecord(Combo);
  if (Box == nullptr || Record == nullptr)
    return 0;
  Info.hwndCombo = Combo;
  Info.hwndItem = nullptr;
  Info.hwndList = Box->ListWindow();
  Info.rcButton = Box->ButtonRect(Combo);
  Info.rcItem = TRect{3, 3, Info.rcButton.Left, Record->Height - 3};
  return 1;
}

namespace {
struct TListRegistrar {
  TListRegistrar() {
    RegisterNativeClass("LISTBOX",
                        [] { return std::unique_ptr<TNativeWindow>(new TNativeListBox); });
    RegisterNativeClass("ComboLBox",
                        [] { return std::unique_ptr<TNativeWindow>(new TNativeComboList); });
    RegisterNativeClass("COMBOBOX",
                        [] { return std::unique_ptr<TNativeWindow>(new TNativeComboBox); });
  }
} ListRegistrar;
}  // namespace
