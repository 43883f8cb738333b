#include <algorithm>

#include "DisplayList.h"
#include "TextMetrics.h"
#include "Windows.h"

struct TDeviceContext {
  struct TState {
    HFONT Font = nullptr;
    COLORREF TextColor = 0;
    COLORREF BkColor = 0xFFFFFF;
    int BkMode = OPAQUE;
  };
  TState State;
  std::vector<TState> Saved;
  TDisplayList* List = nullptr;
};

namespace {
void Record(HDC DC, TDisplayItem Item) {
  if (DC->List != nullptr)
    DC->List->Add(Item);
}
const TFontDesc& DescOf(HDC DC) {
  return DC->State.Font->Desc;
}
}  // namespace

int GetSystemMetrics(int Index) {
  switch (Index) {
    case SM_CXBORDER:
    case SM_CYBORDER:
      return 1;
    default:
      return 0;
  }
}

HFONT SystemFont() {
  static TFontRecord Font{TFontDesc{"System", 10, true}};
  return &Font;
}

HDC GetDC(HWND Wnd) {
  (void)Wnd;
  auto* DC = new TDeviceContext;
  DC->State.Font = SystemFont();
  return DC;
}

int ReleaseDC(HWND Wnd, HDC DC) {
  (void)Wnd;
  delete DC;
  return 1;
}

HDC CreateRecordingDC(TDisplayList* List, HFONT Font) {
  auto* DC = new TDeviceContext;
  DC->List = List;
  DC->State.Font = Font != nullptr ? Font : SystemFont();
  return DC;
}

void DeleteDC(HDC DC) {
  delete DC;
}

HGDIOBJ SelectObject(HDC DC, HGDIOBJ Obj) {
  // Only fonts are selected into a DC here.
  HFONT Old = DC->State.Font;
  if (Obj != nullptr)
    DC->State.Font = static_cast<HFONT>(Obj);
  return Old;
}

BOOL GetTextMetricsA(HDC DC, TEXTMETRIC& Metrics) {
  Metrics = FontMetrics(DescOf(DC));
  return 1;
}

int SaveDC(HDC DC) {
  DC->Saved.push_back(DC->State);
  Record(DC, TDisplayItem::Of(TDisplayItem::dkSaveDC));
  return static_cast<int>(DC->Saved.size());
}

BOOL RestoreDC(HDC DC, int SavedDC) {
  // A negative number counts back from the most recent save; a positive one
  // names a save by its number.
  const int Depth = static_cast<int>(DC->Saved.size());
  const int Target = SavedDC < 0 ? Depth + SavedDC + 1 : SavedDC;
  if (Target < 1 || Target > Depth)
    return 0;
  DC->State = DC->Saved[static_cast<std::size_t>(Target - 1)];
  DC->Saved.resize(static_cast<std::size_t>(Target - 1));
  Record(DC, TDisplayItem::Of(TDisplayItem::dkRestoreDC));
  return 1;
}

COLORREF SetTextColor(HDC DC, COLORREF Color) {
  return std::exchange(DC->State.TextColor, Color);
}

COLORREF SetBkColor(HDC DC, COLORREF Color) {
  return std::exchange(DC->State.BkColor, Color);
}

int SetBkMode(HDC DC, int Mode) {
  return std::exchange(DC->State.BkMode, Mode);
}

int DrawTextA(HDC DC, const char* Text, int Count, TRect& R, UINT Format) {
  std::string S =
      Count < 0 ? std::string(Text) : std::string(Text, static_cast<std::size_t>(Count));
  if ((Format & DT_SINGLELINE) != 0) {
    // One line: the text stops at the first line break.
    const auto Break = S.find_first_of("\r\n");
    if (Break != std::string::npos)
      S.resize(Break);
  }
  const TEXTMETRIC M = FontMetrics(DescOf(DC));
  const int Width = FontTextWidth(DescOf(DC), S);
  TDisplayItem Item = TDisplayItem::Of(TDisplayItem::dkText);
  Item.Rect = (Format & DT_NOCLIP) != 0 ? TRect{-100000, -100000, 100000, 100000} : R;
  Item.X = (Format & DT_CENTER) != 0  ? R.Left + (R.Width() - Width) / 2
           : (Format & DT_RIGHT) != 0 ? R.Right - Width
                                      : R.Left;
  Item.Y = (Format & DT_VCENTER) != 0 && (Format & DT_SINGLELINE) != 0
               ? R.Top + (R.Height() - M.tmHeight) / 2
               : R.Top;
  Item.Color = DC->State.TextColor;
  Item.BkColor = DC->State.BkColor;
  Item.Opaque = DC->State.BkMode == OPAQUE;
  Item.Format = Format;
  Item.Font = DescOf(DC);
  Item.Text = S;
  if (!S.empty())
    Record(DC, Item);
  return M.tmHeight;
}

// Recorded as a canvas records its own fills and texts, so that a canvas
// drawing on a lent DC leaves the same picture.
BOOL ExtTextOutA(HDC DC, int X, int Y, UINT Options, const TRect* R, const char* Text, int Count) {
  if (DC == nullptr)
    return 0;
  const bool Fill = (Options & ETO_OPAQUE) != 0 && R != nullptr;
  if (Text == nullptr || Count <= 0) {
    if (Fill) {
      TDisplayItem Item = TDisplayItem::Of(TDisplayItem::dkFillRect);
      Item.Rect = *R;
      Item.Color = DC->State.BkColor;
      Record(DC, Item);
    }
    return 1;
  }
  // A text on a filled rectangle is one opaque text item, as a canvas
  // records its TextRect.
  TDisplayItem Item = TDisplayItem::Of(TDisplayItem::dkText);
  Item.Rect =
      (Options & ETO_CLIPPED) != 0 && R != nullptr ? *R : TRect{-100000, -100000, 100000, 100000};
  Item.X = X;
  Item.Y = Y;
  Item.Color = DC->State.TextColor;
  Item.BkColor = DC->State.BkColor;
  Item.Opaque = Fill || DC->State.BkMode == OPAQUE;
  Item.Font = DescOf(DC);
  Item.Text.assign(Text, static_cast<std::size_t>(Count));
  Record(DC, Item);
  return 1;
}

BOOL GetTextExtentPoint32A(HDC DC, const char* Text, int Count, TPoint& Size) {
  const std::string S(Text, static_cast<std::size_t>(std::max(Count, 0)));
  Size.X = FontTextWidth(DescOf(DC), S);
  Size.Y = FontMetrics(DescOf(DC)).tmHeight;
  return 1;
}

BOOL PrintWindow(HWND Wnd, HDC DC, UINT Flags) {
  (void)Flags;
  if (!IsWindow(Wnd) || DC == nullptr)
    return 0;
  SendMessage(Wnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(DC), 0);
  return 1;
}
