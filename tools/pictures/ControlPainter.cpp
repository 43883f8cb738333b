#include "ControlPainter.h"

#include <algorithm>
#include <cstring>

#include "Buttons.h"
#include "Chrome.h"
#include "ComCtrls.h"
#include "ControlClass.h"
#include "DescribedPicture.h"
#include "ExtCtrls.h"
#include "Forms.h"
#include "Image.h"
#include "Spin.h"
#include "StdCtrls.h"
#include "TextMetrics.h"

std::string StripAccelerator(const std::string& Text) {
  std::string Out;
  for (std::size_t i = 0; i < Text.size(); ++i) {
    if (Text[i] == '&' && i + 1 < Text.size())
      ++i;
    else if (Text[i] == '&')
      continue;
    Out += Text[i];
  }
  return Out;
}

namespace {

// TextOut records the whole plane as its clip; such text needs no clip of
// its own beyond its control's.
bool Unclipped(const TRect& R) {
  return R.Left <= -100000 && R.Right >= 100000;
}

bool OnScreen(TControl* C) {
  if (auto* W = dynamic_cast<TWinControl*>(C))
    return W->Showing();
  return C->IsShown();
}

// The height of a line of text in the control's font.
int TextHeight(TControl* C) {
  return FontMetrics(C->Font()->Desc()).tmHeight;
}

TPictureFont FontOf(TControl* C) {
  return {C->Font()->Desc(), C->Font()->Style().Contains(fsUnderline)};
}

bool Has(const char* Text, const char* Word) {
  return std::strstr(Text, Word) != nullptr;
}

// Where a windowed control's client area begins: inside its border, which
// is as wide on every side.
TPoint ClientOrigin(TControl* C) {
  if (dynamic_cast<TWinControl*>(C) == nullptr)
    return {0, 0};
  return {(C->Width() - C->ClientWidth()) / 2, (C->Height() - C->ClientHeight()) / 2};
}

}  // namespace

void TControlPainter::Paint(TControl* Control, int X, int Y) {
  if (!OnScreen(Control))
    return;
  FPic.Begin(X, Y, {0, 0, Control->Width(), Control->Height()});
  Chrome(Control);
  if (FExtra)
    FExtra(Control);
  if (auto* W = dynamic_cast<TWinControl*>(Control)) {
    // Children are placed in the client area and clipped to it.
    const TPoint Origin = ClientOrigin(W);
    const bool Inset = Origin.X != 0 || Origin.Y != 0;
    if (Inset)
      FPic.Begin(Origin.X, Origin.Y, {0, 0, W->ClientWidth(), W->ClientHeight()});
    Children(W);
    if (Inset)
      FPic.End();
  }
  FPic.End();
}

void TControlPainter::Children(TWinControl* Control) {
  // Graphic controls are drawn on the parent's own surface, so every
  // windowed child covers them.
  for (int Pass = 0; Pass < 2; ++Pass)
    for (int i = 0; i < Control->ControlCount(); ++i) {
      TControl* C = Control->Controls(i);
      if ((dynamic_cast<TWinControl*>(C) != nullptr) == (Pass == 1))
        Paint(C, C->Left(), C->Top());
    }
}

void TControlPainter::Items(TControl* Control, const TDisplayList& List, int DX, int DY) {
  // The state a DC save keeps (font, colours) is in every item already, so
  // saves and restores draw nothing. Text is drawn without its background:
  // every drawing here fills the cell first with the brush the text would
  // use, except the host's labels, whose canvases keep the VCL's default
  // white brush that a real label never paints with.
  const bool Disabled = !Control->Enabled();
  for (const TDisplayItem& I : List.Items()) {
    TRect R = I.Rect;
    R.Left += DX;
    R.Right += DX;
    R.Top += DY;
    R.Bottom += DY;
    switch (I.Kind) {
      case TDisplayItem::dkFillRect:
        FPic.FillRect(R, static_cast<TColor>(I.Color));
        break;
      case TDisplayItem::dkFrameRect:
        FPic.FrameRect(R, static_cast<TColor>(I.Color));
        break;
      case TDisplayItem::dkText: {
        const bool Clip = !Unclipped(I.Rect);
        if (Clip)
          FPic.BeginClip(R);
        FPic.Text(I.X + DX, I.Y + DY, I.Text, {I.Font, false},
                  Disabled ? clGrayText : static_cast<TColor>(I.Color));
        if (Clip)
          FPic.End();
        break;
      }
      case TDisplayItem::dkImage: {
        TDisplayItem Moved = I;
        Moved.Rect = R;
        Image(Moved, Disabled || !I.Enabled);
        break;
      }
      case TDisplayItem::dkSaveDC:
      case TDisplayItem::dkRestoreDC:
        break;
    }
  }
}

void TControlPainter::Image(const TDisplayItem& Item, bool Disabled) {
  const TRect& R = Item.Rect;
  const char* What = Item.Text.c_str();
  const auto Ink = [Disabled](TColor C) { return Disabled ? clGray : C; };
  const int W = R.Width(), H = R.Height();
  if (Has(What, "prohibition")) {
    const int CX = R.Left + W / 2, CY = R.Top + H / 2, Radius = std::min(W, H) / 2 - 2;
    FPic.Circle(CX, CY, Radius, clWhite, Ink(clRed));
    FPic.Polyline(
        {{CX - Radius / 2 - 1, CY - Radius / 2 - 1}, {CX + Radius / 2 + 1, CY + Radius / 2 + 1}},
        Ink(clRed), 2);
  } else if (Has(What, "tick")) {
    FPic.Polyline(
        {{R.Left + 3, R.Top + H / 2}, {R.Left + W / 2 - 1, R.Bottom - 4}, {R.Right - 3, R.Top + 3}},
        Ink(clGreen), 3);
  } else if (Has(What, "hand")) {
    // A hand over a bar: the hand's colour says which way it moves a page.
    FPic.FillRect({R.Left + 1, R.Bottom - 4, R.Right - 1, R.Bottom - 1}, Ink(clAqua));
    FPic.FrameRect({R.Left + 1, R.Bottom - 4, R.Right - 1, R.Bottom - 1}, Ink(clTeal));
    const TRect Hand{R.Left + W / 4, R.Top + 2, R.Right - W / 4, R.Bottom - 6};
    FPic.FillRect(Hand, Ink(Has(What, "red") ? clRed : clYellow));
    FPic.FrameRect(Hand, Ink(clMaroon));
  } else {
    FPic.FillRect(R, clSilver);
    FPic.FrameRect(R, clGray);
  }
}

void TControlPainter::Edge(const TRect& R, TColor OuterLit, TColor OuterShade, TColor InnerLit,
                           TColor InnerShade) {
  DrawEdge(FPic, R, OuterLit, OuterShade, InnerLit, InnerShade);
}

void TControlPainter::Raised(const TRect& R) {
  Edge(R, clBtnHighlight, cl3DDkShadow, cl3DLight, clBtnShadow);
}

void TControlPainter::Sunken(const TRect& R) {
  Edge(R, clBtnShadow, clBtnHighlight, cl3DDkShadow, cl3DLight);
}

void TControlPainter::Etched(const TRect& R) {
  FPic.FrameRect({R.Left, R.Top, R.Right - 1, R.Bottom - 1}, clBtnShadow);
  FPic.Line(R.Left + 1, R.Top + 1, R.Right - 3, R.Top + 1, clBtnHighlight);
  FPic.Line(R.Left + 1, R.Top + 1, R.Left + 1, R.Bottom - 3, clBtnHighlight);
  FPic.Line(R.Left, R.Bottom - 1, R.Right - 1, R.Bottom - 1, clBtnHighlight);
  FPic.Line(R.Right - 1, R.Top, R.Right - 1, R.Bottom - 1, clBtnHighlight);
}

void TControlPainter::Caption(const std::string& Text, int X, int Y, TControl* Control,
                              TColor Color) {
  const std::string Shown = StripAccelerator(Text);
  if (!Control->Enabled()) {
    // Windows etches a disabled caption: a white copy under a grey one.
    FPic.Text(X + 1, Y + 1, Shown, FontOf(Control), clBtnHighlight);
    FPic.Text(X, Y, Shown, FontOf(Control), clGrayText);
    return;
  }
  FPic.Text(X, Y, Shown, FontOf(Control), Color);
}

void TControlPainter::TabFrames(TCustomTabControl* Tabs) {
  const int W = Tabs->Width(), H = Tabs->Height();
  const TTabLayout L = TabControlLayout(Tabs->Handle());
  const int Selected = Tabs->TabIndex();
  const auto Grown = [&L, Selected](int i) {
    TRect R = L.ItemRects[static_cast<std::size_t>(i)];
    // The selected tab stands out: two pixels wider each side and taller,
    // and open to the client area below it.
    if (i == Selected) {
      R.Left -= 2;
      R.Right += 2;
      R.Top -= 2;
      R.Bottom += 1;
    }
    return R;
  };
  const int Client = L.Rows.empty() ? 0 : 2 + static_cast<int>(L.Rows.size()) * L.TabHeight;
  // The client area's raised frame; the selected tab's gap is left open.
  TRect Gap{0, 0, 0, 0};
  if (Selected >= 0 && Selected < static_cast<int>(L.ItemRects.size()))
    Gap = Grown(Selected);
  const int Top = Client;
  if (Gap.Width() > 0) {
    FPic.Line(0, Top, Gap.Left, Top, clBtnHighlight);
    FPic.Line(Gap.Right - 1, Top, W - 2, Top, clBtnHighlight);
  } else {
    FPic.Line(0, Top, W - 2, Top, clBtnHighlight);
  }
  FPic.Line(0, Top, 0, H - 2, clBtnHighlight);
  FPic.Line(0, H - 1, W - 1, H - 1, cl3DDkShadow);
  FPic.Line(W - 1, Top, W - 1, H - 1, cl3DDkShadow);
  FPic.Line(1, H - 2, W - 2, H - 2, clBtnShadow);
  FPic.Line(W - 2, Top + 1, W - 2, H - 2, clBtnShadow);
  for (const auto& Row : L.Rows)
    for (int i : Row) {
      const TRect R = Grown(i);
      const int Bottom = R.Bottom - 1;
      FPic.Line(R.Left, R.Top + 2, R.Left, Bottom, clBtnHighlight);
      FPic.Line(R.Left + 1, R.Top + 1, R.Left + 1, R.Top + 1, clBtnHighlight);
      FPic.Line(R.Left + 2, R.Top, R.Right - 3, R.Top, clBtnHighlight);
      FPic.Line(R.Right - 2, R.Top + 1, R.Right - 2, Bottom, clBtnShadow);
      FPic.Line(R.Right - 1, R.Top + 2, R.Right - 1, Bottom, cl3DDkShadow);
    }
}

void TControlPainter::Chrome(TControl* C) {
  // How Windows draws a control of one host class around what its canvas
  // recorded: one entry per class. The first entry whose class the control
  // is of draws it, so a class comes before its ancestors; the last entry
  // takes any control and draws nothing.
  struct TDrawnClass {
    bool (*Is)(const TControl* C);
    void (TControlPainter::*Draw)(TControl* C);
  };
  static const TDrawnClass kDrawnClasses[] = {
      {IsA<TCustomForm>, &TControlPainter::DrawFace},
      {IsA<TTabSheet>, &TControlPainter::DrawFace},
      {IsA<TCustomTabControl>, &TControlPainter::DrawTabControl},
      {IsA<TCustomListBox>, &TControlPainter::DrawListBox},
      {IsA<TCustomComboBox>, &TControlPainter::DrawComboBox},
      {IsA<TCustomEdit>, &TControlPainter::DrawEdit},
      {IsA<TSpinButton>, &TControlPainter::DrawSpinButton},
      {IsA<TBitBtn>, &TControlPainter::DrawBitBtn},
      {IsA<TButton>, &TControlPainter::DrawButton},
      {IsA<TCheckBox>, &TControlPainter::DrawCheckBox},
      {IsA<TGroupBox>, &TControlPainter::DrawGroupBox},
      {IsA<TCustomPanel>, &TControlPainter::DrawPanel},
      {IsA<TCustomControlBar>, &TControlPainter::DrawControlBar},
      {IsA<TImage>, &TControlPainter::DrawImage},
      // Other controls with a canvas of their own (labels, the add-in's own
      // custom controls) show what they painted, and Windows adds nothing.
      {IsA<TGraphicControl>, &TControlPainter::DrawRecorded},
      {IsA<TCustomControl>, &TControlPainter::DrawRecorded},
      {AnyControl, nullptr},
  };
  for (const TDrawnClass& Entry : kDrawnClasses)
    if (Entry.Is(C)) {
      if (Entry.Draw != nullptr)
        (this->*Entry.Draw)(C);
      return;
    }
}

void TControlPainter::DrawFace(TControl* C) {
  FPic.FillRect({0, 0, C->Width(), C->Height()}, C->Color());
}

void TControlPainter::DrawRecorded(TControl* C) {
  const TCanvas* Canvas =
      IsA<TGraphicControl>(C) ? Of<TGraphicControl>(C)->Canvas() : Of<TCustomControl>(C)->Canvas();
  if (Canvas != nullptr)
    Items(C, Canvas->DisplayList(), 0, 0);
}

void TControlPainter::DrawTabControl(TControl* C) {
  auto* Tabs = Of<TCustomTabControl>(C);
  DrawFace(C);
  if (!Tabs->HandleAllocated())
    return;
  // The selected tab's extra margin has the control's brush, as the
  // native control erases it before the owner draws the tab.
  const TTabLayout L = TabControlLayout(Tabs->Handle());
  const int Selected = Tabs->TabIndex();
  if (Selected >= 0 && Selected < static_cast<int>(L.ItemRects.size())) {
    TRect R = L.ItemRects[static_cast<std::size_t>(Selected)];
    FPic.FillRect({R.Left - 2, R.Top - 2, R.Right + 2, R.Bottom + 1}, Tabs->Brush()->Color());
  }
  Items(C, Tabs->Canvas()->DisplayList(), 0, 0);
  TabFrames(Tabs);
}

void TControlPainter::DrawListBox(TControl* C) {
  auto* List = Of<TCustomListBox>(C);
  const int W = C->Width(), H = C->Height();
  DrawFace(C);
  // The items lie inside the sunken border, whole rows only; a list that
  // holds more than it shows has a scroll bar at its right.
  const int Count = List->Items()->Count(), Row = std::max(1, List->ItemHeight());
  const int Shown = (H - 4) / Row;
  const bool Bar = Count > Shown;
  const int Right = W - 4 - (Bar ? kScrollBarWidth : 0);
  // Windows scrolls the selected item into view.
  const int First = std::clamp(List->ItemIndex() - Shown + 1, 0, std::max(0, Count - Shown));
  FPic.Begin(2, 2, {0, 0, Right, Shown * Row});
  Items(C, List->Canvas()->DisplayList(), 0, -First * Row);
  FPic.End();
  if (Bar)
    DrawVerticalScrollBar(FPic, {W - 2 - kScrollBarWidth, 2, W - 2, H - 2}, First, Shown, Count);
  Sunken({0, 0, W, H});
}

void TControlPainter::DrawComboBox(TControl* C) {
  auto* Combo = Of<TCustomComboBox>(C);
  const int W = C->Width(), H = C->Height();
  Items(C, Combo->Canvas()->DisplayList(), 0, 0);
  Sunken({0, 0, W, H});
  const TRect Button{Combo->EditRect().Right, 2, W - 2, H - 2};
  FPic.FillRect(Button, clBtnFace);
  Raised(Button);
  const int CX = (Button.Left + Button.Right) / 2, CY = (Button.Top + Button.Bottom) / 2;
  for (int i = 0; i < 4; ++i)
    FPic.Line(CX - 3 + i, CY - 1 + i, CX + 3 - i, CY - 1 + i,
              C->Enabled() ? clBtnText : clGrayText);
}

void TControlPainter::DrawEdit(TControl* C) {
  auto* Edit = Of<TCustomEdit>(C);
  const int W = C->Width(), H = C->Height();
  FPic.FillRect({0, 0, W, H}, C->Enabled() ? C->Color() : clBtnFace);
  Sunken({0, 0, W, H});
  // The edit window writes its text inside its formatting rectangle, which
  // a control narrows to keep the text clear of children such as arrow
  // buttons, aligned as the window's style says.
  TRect Format = Edit->ClientRect();
  DWORD Style = 0;
  if (Edit->HandleAllocated()) {
    SendMessage(Edit->Handle(), EM_GETRECT, 0, reinterpret_cast<LPARAM>(&Format));
    Style = GetWindowStyle(Edit->Handle());
  }
  const TPoint Origin = ClientOrigin(C);
  const int Left = Origin.X + Format.Left + 1;
  const int Right = std::min(W - 3, Origin.X + Format.Right - 1);
  const std::string Text = Edit->Text();
  const int TW = FontTextWidth(C->Font()->Desc(), Text);
  const int X = (Style & ES_RIGHT) != 0    ? Right - TW
                : (Style & ES_CENTER) != 0 ? (Left + Right - TW) / 2
                                           : Left;
  FPic.BeginClip({2, 2, Right, H - 2});
  FPic.Text(X, (H - TextHeight(C)) / 2, Text, FontOf(C),
            C->Enabled() ? C->Font()->Color() : clGrayText);
  FPic.End();
}

void TControlPainter::DrawSpinButton(TControl* C) {
  auto* Spin = Of<TSpinButton>(C);
  for (const TRect& Half : {Spin->UpButtonRect(), Spin->DownButtonRect()}) {
    FPic.FillRect(Half, clBtnFace);
    Raised(Half);
  }
  const TColor Ink = C->Enabled() ? clBtnText : clGrayText;
  const int CX = C->Width() / 2;
  const TRect Up = Spin->UpButtonRect(), Down = Spin->DownButtonRect();
  const int UY = (Up.Top + Up.Bottom) / 2 - 1, DY = (Down.Top + Down.Bottom) / 2 - 1;
  for (int i = 0; i < 3; ++i) {
    FPic.Line(CX - i, UY + i, CX + i, UY + i, Ink);
    FPic.Line(CX - 2 + i, DY + i, CX + 2 - i, DY + i, Ink);
  }
}

void TControlPainter::DrawButton(TControl* C) {
  ButtonFace(C, nullptr);
}

void TControlPainter::DrawBitBtn(TControl* C) {
  auto* Bit = Of<TBitBtn>(C);
  // Only the kinds the dialog uses have a glyph drawn here.
  ButtonFace(C, Bit->Kind() == bkOK || Bit->Kind() == bkClose ? Bit : nullptr);
}

void TControlPainter::ButtonFace(TControl* C, TBitBtn* WithGlyph) {
  const int W = C->Width(), H = C->Height();
  FPic.FillRect({0, 0, W, H}, clBtnFace);
  Raised({0, 0, W, H});
  const std::string Text = StripAccelerator(C->Caption());
  const int TW = FontTextWidth(C->Font()->Desc(), Text);
  // A glyph of 16 pixels and a gap of 4 go before the caption, the two
  // centred together.
  const int Glyph = WithGlyph != nullptr ? 16 + 4 : 0;
  const int X = (W - TW - Glyph) / 2;
  if (WithGlyph != nullptr) {
    const TRect G{X, (H - 16) / 2, X + 16, (H - 16) / 2 + 16};
    const bool On = C->Enabled();
    if (WithGlyph->Kind() == bkOK) {
      FPic.Polyline({{G.Left + 2, G.Top + 8}, {G.Left + 6, G.Top + 12}, {G.Left + 14, G.Top + 3}},
                    On ? clGreen : clGray, 3);
    } else {
      // A door standing open.
      FPic.FillRect({G.Left + 3, G.Top + 1, G.Left + 13, G.Bottom - 1}, On ? clTeal : clSilver);
      FPic.FrameRect({G.Left + 3, G.Top + 1, G.Left + 13, G.Bottom - 1}, On ? clBlack : clGray);
      FPic.FillRect({G.Left + 10, G.Top + 7, G.Left + 12, G.Top + 9}, On ? clYellow : clGray);
    }
  }
  Caption(C->Caption(), X + Glyph, (H - TextHeight(C)) / 2, C, C->Font()->Color());
}

void TControlPainter::DrawCheckBox(TControl* C) {
  const int Y = (C->Height() - 13) / 2;
  const TRect Box{0, Y, 13, Y + 13};
  FPic.FillRect(Box, C->Enabled() ? clWindow : clBtnFace);
  Sunken(Box);
  if (Of<TCheckBox>(C)->Checked())
    FPic.Polyline({{3, Y + 6}, {5, Y + 8}, {9, Y + 4}}, C->Enabled() ? clWindowText : clGrayText,
                  2);
  Caption(C->Caption(), 17, (C->Height() - TextHeight(C)) / 2, C, C->Font()->Color());
}

void TControlPainter::DrawGroupBox(TControl* C) {
  // The etched frame runs through the middle of the caption's line; the
  // caption sits on it, eight pixels in, with the face colour behind it.
  const int TH = TextHeight(C);
  DrawFace(C);
  Etched({0, TH / 2, C->Width(), C->Height()});
  const std::string Text = StripAccelerator(C->Caption());
  if (!Text.empty()) {
    FPic.FillRect({6, 0, 8 + FontTextWidth(C->Font()->Desc(), Text) + 2, TH}, C->Color());
    Caption(C->Caption(), 8, 0, C, C->Font()->Color());
  }
}

void TControlPainter::DrawPanel(TControl* C) {
  auto* Panel = Of<TCustomPanel>(C);
  const int W = C->Width(), H = C->Height();
  const TPoint Origin = ClientOrigin(C);
  Items(C, Panel->Canvas()->DisplayList(), Origin.X, Origin.Y);
  if (Panel->BorderStyle() == bsSingleBorder)
    Sunken({0, 0, W, H});
  // A single bevel: one pixel lit and one shaded, the other way round for
  // a lowered one.
  if (Panel->BevelOuter() == bvRaised || Panel->BevelOuter() == bvLowered) {
    const bool Up = Panel->BevelOuter() == bvRaised;
    const TColor Lit = Up ? clBtnHighlight : clBtnShadow;
    const TColor Shade = Up ? clBtnShadow : clBtnHighlight;
    FPic.Line(0, 0, W - 2, 0, Lit);
    FPic.Line(0, 0, 0, H - 2, Lit);
    FPic.Line(0, H - 1, W - 1, H - 1, Shade);
    FPic.Line(W - 1, 0, W - 1, H - 1, Shade);
  }
}

void TControlPainter::DrawControlBar(TControl* C) {
  auto* Bar = Of<TCustomControlBar>(C);
  DrawFace(C);
  // Each band has two raised grab lines in the strip left of its control.
  for (int i = 0; i < Bar->ControlCount(); ++i) {
    TControl* Band = Bar->Controls(i);
    if (!Band->Visible())
      continue;
    const int Top = Band->Top() + 1, Bottom = Band->Top() + Band->Height() - 2;
    for (int X : {Band->Left() - 9, Band->Left() - 6}) {
      FPic.Line(X, Top, X, Bottom, clBtnHighlight);
      FPic.Line(X + 1, Top, X + 1, Bottom, clBtnShadow);
    }
  }
}

void TControlPainter::DrawImage(TControl* C) {
  auto* Picture = Of<TImage>(C);
  const int W = C->Width(), H = C->Height();
  // Only the picture's description is known: a small picture of what it
  // names, or, for anything else, a framed box that names it.
  if (Picture->Picture().empty())
    return;
  const int PW = Picture->Stretch() ? W : std::min(W, Picture->PictureWidth());
  const int PH = Picture->Stretch() ? H : std::min(H, Picture->PictureHeight());
  if (DrawDescribedPicture(FPic, {0, 0, PW, PH}, Picture->Picture()))
    return;
  if (!Picture->Transparent())
    FPic.FillRect({0, 0, PW, PH}, clWindow);
  FPic.FrameRect({0, 0, PW, PH}, clGray);
  FPic.Text(2, 1, Picture->Picture(), {{"Small Fonts", 5, false}, false}, clGray);
}
