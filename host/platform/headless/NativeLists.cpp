#include "NativeLists.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "SysUtils.h"

// The native list box ("LISTBOX") and the list of the combo box
// ("COMBOBOX"): items with their data and the selection, as the messages of
// Windows' own classes keep them. The VCL's list and combo boxes keep their
// items in the control; these answer whoever talks to the window itself.
// Sorted styles are not kept: nothing here creates them.

namespace {

struct TListItem {
  std::string Text;
  LPARAM Data = 0;
};

// What the two classes share, answering LB_ERR (CB_ERR, the same -1) for an
// index out of range or a text not found.
class TItemList {
 public:
  LRESULT Insert(WPARAM WParam, LPARAM LParam) {
    const auto Index = static_cast<std::intptr_t>(WParam);
    const auto Count = static_cast<std::intptr_t>(FItems.size());
    if (Index < -1 || Index > Count)
      return LB_ERR;
    const std::intptr_t At = Index == -1 ? Count : Index;
    const char* S = reinterpret_cast<const char*>(LParam);
    FItems.insert(FItems.begin() + At, TListItem{S != nullptr ? S : "", 0});
    // The selection moves along with its item.
    if (FSel >= At)
      ++FSel;
    return At;
  }
  LRESULT Delete(WPARAM WParam) {
    const std::intptr_t Index = Valid(WParam);
    if (Index < 0)
      return LB_ERR;
    FItems.erase(FItems.begin() + Index);
    if (FSel == Index)
      FSel = -1;
    else if (FSel > Index)
      --FSel;
    return Count();
  }
  void Reset() {
    FItems.clear();
    FSel = -1;
  }
  LRESULT Count() const { return static_cast<LRESULT>(FItems.size()); }
  LRESULT TextLength(WPARAM WParam) const {
    const std::intptr_t Index = Valid(WParam);
    return Index < 0 ? LB_ERR : static_cast<LRESULT>(Item(Index).Text.size());
  }
  // Copies the item's text with its NUL into the caller's buffer, which
  // the caller sized by the text's length, as for Windows' own.
  LRESULT Text(WPARAM WParam, LPARAM LParam) const {
    const std::intptr_t Index = Valid(WParam);
    auto* Buffer = reinterpret_cast<char*>(LParam);
    if (Index < 0 || Buffer == nullptr)
      return LB_ERR;
    const std::string& S = Item(Index).Text;
    std::memcpy(Buffer, S.c_str(), S.size() + 1);
    return static_cast<LRESULT>(S.size());
  }
  LRESULT Data(WPARAM WParam) const {
    const std::intptr_t Index = Valid(WParam);
    return Index < 0 ? LB_ERR : Item(Index).Data;
  }
  LRESULT SetData(WPARAM WParam, LPARAM LParam) {
    const std::intptr_t Index = Valid(WParam);
    if (Index < 0)
      return LB_ERR;
    FItems[static_cast<std::size_t>(Index)].Data = LParam;
    return 1;
  }
  // The first item after Start equal to the text whole, ignoring letter
  // case, wrapping round to the start; -1 (or any index outside the list)
  // searches from the first item.
  LRESULT FindExact(WPARAM WParam, LPARAM LParam) const {
    const char* S = reinterpret_cast<const char*>(LParam);
    const auto Count = static_cast<std::intptr_t>(FItems.size());
    if (S == nullptr || Count == 0)
      return LB_ERR;
    std::intptr_t Start = Valid(WParam);
    if (Start < 0)
      Start = Count - 1;
    const std::string Text = S;
    for (std::intptr_t n = 1; n <= Count; ++n) {
      const std::intptr_t i = (Start + n) % Count;
      if (AnsiSameText(Item(i).Text, Text))
        return i;
    }
    return LB_ERR;
  }
  LRESULT Selected() const { return FSel; }
  // Selects the item and answers its index; -1 selects nothing and
  // answers LB_ERR. An index out of range answers LB_ERR, and a combo box
  // then selects nothing, as Windows documents it; a list box keeps its
  // selection.
  LRESULT Select(WPARAM WParam, bool ClearOnError) {
    const std::intptr_t Index = Valid(WParam);
    if (Index >= 0 || ClearOnError || static_cast<std::intptr_t>(WParam) == -1)
      FSel = Index;
    return Index < 0 ? LB_ERR : Index;
  }

 private:
  std::intptr_t Valid(WPARAM WParam) const {
    const auto Index = static_cast<std::intptr_t>(WParam);
    return Index >= 0 && Index < static_cast<std::intptr_t>(FItems.size()) ? Index : -1;
  }
  const TListItem& Item(std::intptr_t Index) const {
    return FItems[static_cast<std::size_t>(Index)];
  }

  std::vector<TListItem> FItems;
  std::intptr_t FSel = -1;
};

class TNativeListBox : public TNativeWindow {
 public:
  LRESULT Handle(HWND Wnd, TMessage& M) override {
    (void)Wnd;
    switch (M.Msg) {
      case LB_ADDSTRING:
        return FList.Insert(static_cast<WPARAM>(-1), M.LParam);
      case LB_INSERTSTRING:
        return FList.Insert(M.WParam, M.LParam);
      case LB_DELETESTRING:
        return FList.Delete(M.WParam);
      case LB_RESETCONTENT:
        // Documented as answering nothing: Windows' list box answers 0,
        // its combo box TRUE.
        FList.Reset();
        return 0;
      case LB_GETCOUNT:
        return FList.Count();
      case LB_GETTEXT:
        return FList.Text(M.WParam, M.LParam);
      case LB_GETTEXTLEN:
        return FList.TextLength(M.WParam);
      case LB_GETITEMDATA:
        return FList.Data(M.WParam);
      case LB_SETITEMDATA:
        return FList.SetData(M.WParam, M.LParam);
      case LB_FINDSTRINGEXACT:
        return FList.FindExact(M.WParam, M.LParam);
      case LB_GETCURSEL:
        return FList.Selected();
      case LB_SETCURSEL:
        return FList.Select(M.WParam, false);
      default:
        return 0;
    }
  }

 private:
  TItemList FList;
};

class TNativeComboBox : public TNativeWindow {
 public:
  LRESULT Handle(HWND Wnd, TMessage& M) override {
    (void)Wnd;
    switch (M.Msg) {
      case CB_ADDSTRING:
        return FList.Insert(static_cast<WPARAM>(-1), M.LParam);
      case CB_INSERTSTRING:
        return FList.Insert(M.WParam, M.LParam);
      case CB_DELETESTRING:
        return FList.Delete(M.WParam);
      case CB_RESETCONTENT:
        FList.Reset();
        return 1;
      case CB_GETCOUNT:
        return FList.Count();
      case CB_GETLBTEXT:
        return FList.Text(M.WParam, M.LParam);
      case CB_FINDSTRINGEXACT:
        return FList.FindExact(M.WParam, M.LParam);
      case CB_GETCURSEL:
        return FList.Selected();
      case CB_SETCURSEL:
        return FList.Select(M.WParam, true);
      default:
        return 0;
    }
  }

 private:
  TItemList FList;
};

struct TListRegistrar {
  TListRegistrar() {
    RegisterNativeClass("LISTBOX",
                        [] { return std::unique_ptr<TNativeWindow>(new TNativeListBox); });
    RegisterNativeClass("COMBOBOX",
                        [] { return std::unique_ptr<TNativeWindow>(new TNativeComboBox); });
  }
} ListRegistrar;

}  // namespace
