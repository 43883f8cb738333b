#include "Graphics.h"

#include "TextMetrics.h"

void TGraphicsObject::Changed() {
  if (FOnChange.Assigned())
    FOnChange(this);
}

TFont::TFont() = default;
TFont::~TFont() = default;

void TFont::SetName(const std::string& Value) {
  if (Value == FName)
    return;
  FName = Value;
  Changed();
}

void TFont::SetSize(int Value) {
  if (Value == FSize)
    return;
  FSize = Value;
  Changed();
}

int TFont::Height() const {
  return -((FSize * 96 + 36) / 72);
}

void TFont::SetHeight(int Value) {
  const int Pixels = Value < 0 ? -Value : Value;
  SetSize((Pixels * 72 + 48) / 96);
}

void TFont::SetColor(TColor Value) {
  if (Value == FColor)
    return;
  FColor = Value;
  Changed();
}

void TFont::SetStyle(TFontStyles Value) {
  if (Value == FStyle)
    return;
  FStyle = Value;
  Changed();
}

void TFont::Assign(TPersistent* Source) {
  if (auto* F = dynamic_cast<TFont*>(Source)) {
    Assign(*F);
    return;
  }
  TGraphicsObject::Assign(Source);
}

void TFont::Assign(const TFont& Source) {
  if (&Source == this)
    return;
  FName = Source.FName;
  FSize = Source.FSize;
  FColor = Source.FColor;
  FStyle = Source.FStyle;
  FCharset = Source.FCharset;
  Changed();
}

HFONT TFont::Handle() {
  if (!FHandle)
    FHandle = std::make_unique<TFontRecord>();
  FHandle->Desc = Desc();
  return FHandle.get();
}

TBrush::~TBrush() {
  FreeHandle();
}

void TBrush::FreeHandle() {
  if (FHandle != nullptr)
    DeleteObject(std::exchange(FHandle, nullptr));
}

void TBrush::SetColor(TColor Value) {
  if (Value == FColor && FStyle == bsSolid)
    return;
  FColor = Value;
  // Giving a clear brush a colour makes it solid, as in the VCL.
  if (FStyle == bsClear)
    FStyle = bsSolid;
  UpdateHandle();
  Changed();
}

void TBrush::SetStyle(TBrushStyle Value) {
  if (Value == FStyle)
    return;
  FStyle = Value;
  UpdateHandle();
  Changed();
}

void TBrush::UpdateHandle() {
  // The handle is the brush's description, not a brush of its own on
  // either platform: a change of colour rewrites it where it is, so that
  // an owner-drawn tab's brush, set and reset for each tab, is not freed
  // and made again each time.
  if (FHandle == nullptr)
    return;
  if (FStyle == bsClear)
    FreeHandle();
  else
    FHandle->Color = static_cast<COLORREF>(FColor);
}

void TBrush::Assign(TPersistent* Source) {
  if (auto* B = dynamic_cast<TBrush*>(Source)) {
    Assign(*B);
    return;
  }
  TGraphicsObject::Assign(Source);
}

void TBrush::Assign(const TBrush& Source) {
  if (&Source == this)
    return;
  FColor = Source.FColor;
  FStyle = Source.FStyle;
  UpdateHandle();
  Changed();
}

HBRUSH TBrush::Handle() {
  if (FStyle == bsClear)
    return nullptr;
  // The DC keeps host colour values unresolved, so that what it records can
  // be compared with the colour constants; the real one resolves them.
  if (FHandle == nullptr)
    FHandle = CreateSolidBrush(static_cast<COLORREF>(FColor));
  return FHandle;
}

TPen::~TPen() {
  FreeHandle();
}

void TPen::FreeHandle() {
  if (FHandle != nullptr)
    DeleteObject(std::exchange(FHandle, nullptr));
}

void TPen::SetColor(TColor Value) {
  if (Value == FColor)
    return;
  FColor = Value;
  FreeHandle();
  Changed();
}

void TPen::SetWidth(int Value) {
  if (Value == FWidth)
    return;
  FWidth = Value;
  FreeHandle();
  Changed();
}

HPEN TPen::Handle() {
  if (FHandle == nullptr)
    FHandle = CreatePen(PS_SOLID, FWidth, static_cast<COLORREF>(FColor));
  return FHandle;
}

TCanvas::TCanvas()
    : FFont(std::make_unique<TFont>()),
      FBrush(std::make_unique<TBrush>()),
      FPen(std::make_unique<TPen>()) {
  FFont->SetOnChange(TNotifyEvent::Of<&TCanvas::FontChanged>(this));
  FBrush->SetOnChange(TNotifyEvent::Of<&TCanvas::BrushChanged>(this));
  FPen->SetOnChange(TNotifyEvent::Of<&TCanvas::PenChanged>(this));
}

void TCanvas::FontChanged(TObject* Sender) {
  (void)Sender;
  // The font's record stays while the font does: the DC may keep it.
  FState &= ~csFontValid;
}

// A pen that changes, or a brush made clear, has let its handle go: the DC
// gives up what it holds at once, as the VCL's canvas selects a stock
// object instead.
template <typename THandle>
void TCanvas::GiveUp(unsigned Valid) {
  if ((FState & Valid) == 0)
    return;
  FState &= ~Valid;
  SelectObject(CurrentDC(), static_cast<THandle>(nullptr));
}

void TCanvas::BrushChanged(TObject* Sender) {
  (void)Sender;
  GiveUp<HBRUSH>(csBrushValid);
}

void TCanvas::PenChanged(TObject* Sender) {
  (void)Sender;
  GiveUp<HPEN>(csPenValid);
}

TCanvas::~TCanvas() {
  // The objects go before the DC that may hold them selected.
  if (FHandle != nullptr)
    DeleteDC(FHandle);
}

void TCanvas::Sync() {
  if (FHandle == nullptr)
    FHandle = CreateRecordingDC(&FList, nullptr);
  if (FState == (csFontValid | csBrushValid | csPenValid))
    return;
  const HDC DC = CurrentDC();
  if ((FState & csFontValid) == 0) {
    SelectObject(DC, static_cast<HGDIOBJ>(FFont->Handle()));
    SetTextColor(DC, static_cast<COLORREF>(FFont->Color()));
  }
  if ((FState & csBrushValid) == 0) {
    SelectObject(DC, FBrush->Handle());
    SetBkColor(DC, static_cast<COLORREF>(FBrush->Color()));
    SetBkMode(DC, FBrush->Style() == bsClear ? TRANSPARENT : OPAQUE);
  }
  if ((FState & csPenValid) == 0)
    SelectObject(DC, FPen->Handle());
  FState = csFontValid | csBrushValid | csPenValid;
}

HDC TCanvas::Handle() {
  Sync();
  return CurrentDC();
}

void TCanvas::SetHandle(HDC Value) {
  // A DC given back must not keep this canvas's objects selected, which
  // may go before it does.
  if (Value == nullptr && FLent != nullptr) {
    SelectObject(FLent, static_cast<HBRUSH>(nullptr));
    SelectObject(FLent, static_cast<HPEN>(nullptr));
  }
  FLent = Value;
  // Another DC holds none of the canvas's objects yet.
  FState = 0;
}

void TCanvas::FillRect(const TRect& R) {
  if (FBrush->Style() == bsClear)
    return;
  // A fill in the background colour: the brush's, which Sync selects.
  const HDC DC = Handle();
  ExtTextOutA(DC, R.Left, R.Top, ETO_OPAQUE, &R, nullptr, 0);
}

void TCanvas::FrameRect(const TRect& R) {
  const HDC DC = Handle();
  ::FrameRect(DC, R, FBrush->Handle());
}

void TCanvas::TextRect(const TRect& R, int X, int Y, const std::string& Text) {
  const HDC DC = Handle();
  const UINT Options = ETO_CLIPPED | (FBrush->Style() != bsClear ? ETO_OPAQUE : 0);
  ExtTextOutA(DC, X, Y, Options, &R, Text.c_str(), static_cast<int>(Text.size()));
}

void TCanvas::TextOut(int X, int Y, const std::string& Text) {
  // The text's own cell takes the background (the DC's mode), not a
  // rectangle.
  const HDC DC = Handle();
  ExtTextOutA(DC, X, Y, 0, nullptr, Text.c_str(), static_cast<int>(Text.size()));
}

int TCanvas::TextWidth(const std::string& Text) const {
  return FontTextWidth(FFont->Desc(), Text);
}

int TCanvas::TextHeight(const std::string& Text) const {
  (void)Text;
  return FontMetrics(FFont->Desc()).tmHeight;
}

void TCanvas::Polyline(const std::vector<TPoint>& Points) {
  const HDC DC = Handle();
  ::Polyline(DC, Points.data(), static_cast<int>(Points.size()));
}

void TCanvas::Ellipse(const TRect& R) {
  const HDC DC = Handle();
  ::Ellipse(DC, R.Left, R.Top, R.Right, R.Bottom);
}

void TCanvas::DrawEdge(const TRect& R, UINT Edge, UINT Flags) {
  TRect Edges = R;
  ::DrawEdge(Handle(), Edges, Edge, Flags);
}

void TCanvas::IntersectClip(const TRect& R) {
  IntersectClipRect(Handle(), R.Left, R.Top, R.Right, R.Bottom);
}

void TCanvas::NoteImage(int X, int Y, int Index, bool Enabled, int Width, int Height,
                        const std::string& Description) {
  GdiComment(Handle(), X, Y, TImageNote{Index, Enabled, Width, Height, Description});
}
