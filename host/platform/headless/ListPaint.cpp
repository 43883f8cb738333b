#include <algorithm>
#include <cstdint>

#include "ListWindows.h"
#include "NativePaint.h"
#include "Natives.h"

// How the headless list box and combo box draw themselves, as user32's do:
// the background in the owner's colour, the items a row each (the owner
// draws each item of an owner-drawn one, CN_DRAWITEM), the edges and the
// buttons.

namespace {

// Asks the owner to draw one item on DC, as the parent's WM_DRAWITEM does.
void DrawOwnerItem(HWND Wnd, HDC DC, UINT CtlType, int Index, const TRect& R, UINT State,
                   std::intptr_t Data) {
  DRAWITEMSTRUCT Item;
  Item.CtlType = CtlType;
  Item.itemID = static_cast<UINT>(Index);
  Item.itemAction = ODA_DRAWENTIRE;
  Item.itemState = State;
  Item.hwndItem = Wnd;
  Item.hDC = DC;
  Item.rcItem = R;
  Item.itemData = static_cast<std::uintptr_t>(Data);
  SendMessage(Wnd, CN_DRAWITEM, 0, reinterpret_cast<LPARAM>(&Item));
}

// An item of a list that is not owner-drawn: its text on the background,
// highlighted when selected.
void DrawPlainItem(HDC DC, const TRect& R, const std::string& Text, bool Selected,
                   const TCtlColors& Colors) {
  Pixels(DC, R, Selected ? GetSysColor(COLOR_HIGHLIGHT) : Colors.Background);
  Write(DC, R.Left + 2, R.Top, Text, Selected ? GetSysColor(COLOR_HIGHLIGHTTEXT) : Colors.Text);
}

// A raised button face with a small triangle pointing up or down (grey
// when disabled), as scroll bars show.
void ArrowButton(HDC DC, const TRect& R, bool Up, bool Enabled) {
  TRect Edge = R;
  Pixels(DC, R, GetSysColor(COLOR_BTNFACE));
  DrawEdge(DC, Edge, EDGE_RAISED, BF_RECT);
  const COLORREF Ink = GetSysColor(Enabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT);
  const int CX = (R.Left + R.Right - 1) / 2, CY = (R.Top + R.Bottom - 1) / 2;
  for (int i = 0; i < 4; ++i) {
    if (Up)
      Line(DC, CX - i, CY - 2 + i, CX + i, CY - 2 + i, Ink);
    else
      Line(DC, CX - 3 + i, CY - 1 + i, CX + 3 - i, CY - 1 + i, Ink);
  }
}

// A vertical scroll bar over R for a list of Count rows that shows Shown of
// them from First: the two arrow buttons, the track and the thumb.
void VerticalScrollBar(HDC DC, const TRect& R, int First, int Shown, int Count) {
  const int W = R.Width();
  const TRect Up{R.Left, R.Top, R.Right, R.Top + W};
  const TRect Down{R.Left, R.Bottom - W, R.Right, R.Bottom};
  // The track: Windows dithers the face and highlight colours, which looks
  // from a step back like the grey between them.
  const TRect Track{R.Left, Up.Bottom, R.Right, Down.Top};
  Pixels(DC, Track, 0xE0E0E0);
  const bool Scrolls = Count > Shown && Shown > 0;
  ArrowButton(DC, Up, true, Scrolls && First > 0);
  ArrowButton(DC, Down, false, Scrolls && First + Shown < Count);
  if (!Scrolls || Track.Height() < 8)
    return;
  const int Size = std::max(8, Track.Height() * Shown / Count);
  const int Top = Track.Top + (Track.Height() - Size) * First / std::max(1, Count - Shown);
  TRect Thumb{R.Left, Top, R.Right, Top + Size};
  DrawEdge(DC, Thumb, EDGE_RAISED, BF_RECT | BF_MIDDLE);
}

}  // namespace

int TNativeListBox::RowsShown(HWND Wnd) {
  TWindowRecord* W = WindowRecord(Wnd);
  const TPoint Edge = WindowClientOffset(Wnd);
  const int Row = std::max(1, ItemHeight(Wnd));
  const int Shown = std::max(0, (W->Height - 2 * Edge.Y) / Row);
  // The scroll bar shows while the items do not fit, and takes its width
  // from the client area.
  if (Items.Count() > Shown)
    W->Style |= WS_VSCROLL;
  else
    W->Style &= ~WS_VSCROLL;
  // The selection is scrolled into view.
  const int Selected = Items.Selected();
  int Top = TopIndex;
  if (Selected >= 0 && Selected < Top)
    Top = Selected;
  else if (Selected >= Top + Shown)
    Top = Selected - Shown + 1;
  TopIndex = std::clamp(Top, 0, std::max(0, Items.Count() - Shown));
  return Shown;
}

void TNativeListBox::PaintFrame(HWND Wnd, HDC DC) {
  const int Shown = RowsShown(Wnd);
  const TWindowRecord* W = WindowRecord(Wnd);
  if ((W->Style & WS_VSCROLL) == 0)
    return;
  const TPoint Edge = WindowClientOffset(Wnd);
  VerticalScrollBar(
      DC, {W->Width - Edge.X - kScrollBarWidth, Edge.Y, W->Width - Edge.X, W->Height - Edge.Y},
      TopIndex, Shown, Items.Count());
}

void TNativeListBox::Paint(HWND Wnd, HDC DC) {
  const int Shown = RowsShown(Wnd);
  const int Row = std::max(1, ItemHeight(Wnd));
  TRect Client;
  GetClientRect(Wnd, Client);
  const TWindowFont Font(Wnd, DC);
  const TCtlColors Colors = CtlColors(Wnd, DC, CN_CTLCOLORLISTBOX, COLOR_WINDOW);
  Pixels(DC, Client, Colors.Background);
  const bool OwnerDrawn = (GetWindowStyle(Wnd) & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE)) != 0;
  const UINT Disabled = IsWindowEnabled(Wnd) != 0 ? 0 : ODS_DISABLED;
  const int Saved = SaveDC(DC);
  IntersectClipRect(DC, 0, 0, Client.Right, Shown * Row);
  const int First = TopIndex;
  for (int i = First; i < std::min(Items.Count(), First + Shown) && IsWindow(Wnd); ++i) {
    const TRect R{0, (i - First) * Row, Client.Right, (i - First + 1) * Row};
    const bool Selected = i == Items.Selected();
    if (OwnerDrawn)
      DrawOwnerItem(Wnd, DC, ODT_LISTBOX, i, R, (Selected ? ODS_SELECTED : 0) | Disabled,
                    Items[i].Data);
    else
      DrawPlainItem(DC, R, Items[i].Text, Selected, Colors);
    // The owner may have changed the items while it drew.
    if (i + 1 < First + Shown && i + 1 >= Items.Count())
      break;
  }
  RestoreDC(DC, Saved);
}

void TNativeComboBox::Paint(HWND Wnd, HDC DC) {
  const TWindowRecord* W = WindowRecord(Wnd);
  const TWindowFont Font(Wnd, DC);
  const TCtlColors Colors = CtlColors(Wnd, DC, CN_CTLCOLOREDIT, COLOR_WINDOW);
  const bool Enabled = IsWindowEnabled(Wnd) != 0;
  const TRect All{0, 0, W->Width, W->Height};
  Pixels(DC, All, Colors.Background);
  const bool OwnerDrawn = (W->Style & CBS_OWNERDRAWFIXED) != 0;
  const TRect Edit{3, 3, W->Width - 20, OwnerDrawn ? 3 + FEditHeight : W->Height - 3};
  const TTextItems& Items = List().Items;
  const int Selected = Items.Selected();
  if (Selected >= 0 && Selected < Items.Count()) {
    if (OwnerDrawn)
      DrawOwnerItem(Wnd, DC, ODT_COMBOBOX, Selected, Edit,
                    ODS_COMBOBOXEDIT | (FFocused ? ODS_SELECTED | ODS_FOCUS : 0) |
                        (Enabled ? 0 : ODS_DISABLED),
                    Items[Selected].Data);
    else
      Write(DC, Edit.Left + 2, Edit.Top, Items[Selected].Text, Colors.Text, &Edit);
  }
  if (!IsWindow(Wnd))
    return;
  TRect Edge = All;
  DrawEdge(DC, Edge, EDGE_SUNKEN, BF_RECT);
  const TRect Button = ButtonRect(Wnd);
  Pixels(DC, Button, GetSysColor(COLOR_BTNFACE));
  TRect ButtonEdge = Button;
  DrawEdge(DC, ButtonEdge, EDGE_RAISED, BF_RECT | BF_SOFT);
  const int CX = (Button.Left + Button.Right) / 2, CY = (Button.Top + Button.Bottom) / 2;
  for (int i = 0; i < 4; ++i)
    Line(DC, CX - 3 + i, CY - 1 + i, CX + 3 - i, CY - 1 + i,
         GetSysColor(Enabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
}
