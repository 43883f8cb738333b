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
    if (F == this)
      return;
    FName = F->FName;
    FSize = F->FSize;
    FColor = F->FColor;
    FStyle = F->FStyle;
    FCharset = F->FCharset;
    Changed();
    return;
  }
  TGraphicsObject::Assign(Source);
}

HFONT TFont::Handle() {
  if (!FHandle)
    FHandle = std::make_unique<TFontRecord>();
  FHandle->Desc = Desc();
  return FHandle.get();
}

void TBrush::SetColor(TColor Value) {
  if (Value == FColor && FStyle == bsSolid)
    return;
  FColor = Value;
  // Giving a clear brush a colour makes it solid, as in the VCL.
  if (FStyle == bsClear)
    FStyle = bsSolid;
  Changed();
}

void TBrush::SetStyle(TBrushStyle Value) {
  if (Value == FStyle)
    return;
  FStyle = Value;
  Changed();
}

void TBrush::Assign(TPersistent* Source) {
  if (auto* B = dynamic_cast<TBrush*>(Source)) {
    FColor = B->FColor;
    FStyle = B->FStyle;
    Changed();
    return;
  }
  TGraphicsObject::Assign(Source);
}

TCanvas::TCanvas() : FFont(std::make_unique<TFont>()), FBrush(std::make_unique<TBrush>()) {}

TCanvas::~TCanvas() {
  if (FHandle != nullptr)
    DeleteDC(FHandle);
}

void TCanvas::Sync() {
  if (FHandle == nullptr)
    FHandle = CreateRecordingDC(&FList, nullptr);
  const HDC DC = FLent != nullptr ? FLent : FHandle;
  SelectObject(DC, FFont->Handle());
  // The DC keeps host colour values unresolved, so that what it records can
  // be compared with the colour constants.
  SetTextColor(DC, static_cast<COLORREF>(FFont->Color()));
  SetBkColor(DC, static_cast<COLORREF>(FBrush->Color()));
  SetBkMode(DC, FBrush->Style() == bsClear ? TRANSPARENT : OPAQUE);
}

HDC TCanvas::Handle() {
  Sync();
  return FLent != nullptr ? FLent : FHandle;
}

void TCanvas::SetHandle(HDC Value) {
  FLent = Value;
}

void TCanvas::FillRect(const TRect& R) {
  if (FBrush->Style() == bsClear)
    return;
  if (FLent != nullptr) {
    // A fill in the background colour: the brush's, which Sync selects.
    Sync();
    ExtTextOutA(FLent, R.Left, R.Top, ETO_OPAQUE, &R, nullptr, 0);
    return;
  }
  TDisplayItem Item = TDisplayItem::Of(TDisplayItem::dkFillRect);
  Item.Rect = R;
  Item.Color = static_cast<std::uint32_t>(FBrush->Color());
  FList.Add(Item);
}

void TCanvas::FrameRect(const TRect& R) {
  if (FLent != nullptr) {
    Sync();
    // Each edge a pixel wide, in the brush's colour.
    const TRect Edges[] = {{R.Left, R.Top, R.Right, R.Top + 1},
                           {R.Left, R.Bottom - 1, R.Right, R.Bottom},
                           {R.Left, R.Top, R.Left + 1, R.Bottom},
                           {R.Right - 1, R.Top, R.Right, R.Bottom}};
    for (const TRect& E : Edges)
      ExtTextOutA(FLent, E.Left, E.Top, ETO_OPAQUE, &E, nullptr, 0);
    return;
  }
  TDisplayItem Item = TDisplayItem::Of(TDisplayItem::dkFrameRect);
  Item.Rect = R;
  Item.Color = static_cast<std::uint32_t>(FBrush->Color());
  FList.Add(Item);
}

void TCanvas::TextRect(const TRect& R, int X, int Y, const std::string& Text) {
  if (FLent != nullptr) {
    Sync();
    const UINT Options = ETO_CLIPPED | (FBrush->Style() != bsClear ? ETO_OPAQUE : 0);
    ExtTextOutA(FLent, X, Y, Options, &R, Text.c_str(), static_cast<int>(Text.size()));
    return;
  }
  TDisplayItem Item = TDisplayItem::Of(TDisplayItem::dkText);
  Item.Rect = R;
  Item.X = X;
  Item.Y = Y;
  Item.Color = static_cast<std::uint32_t>(FFont->Color());
  Item.BkColor = static_cast<std::uint32_t>(FBrush->Color());
  Item.Opaque = FBrush->Style() != bsClear;
  Item.Font = FFont->Desc();
  Item.Text = Text;
  FList.Add(Item);
}

void TCanvas::TextOut(int X, int Y, const std::string& Text) {
  if (FLent != nullptr) {
    // The text's own cell takes the background (the DC's mode), not a
    // rectangle: a DC lent for one item is not to be filled whole.
    Sync();
    ExtTextOutA(FLent, X, Y, 0, nullptr, Text.c_str(), static_cast<int>(Text.size()));
    return;
  }
  TextRect(TRect{-100000, -100000, 100000, 100000}, X, Y, Text);
}

int TCanvas::TextWidth(const std::string& Text) const {
  return FontTextWidth(FFont->Desc(), Text);
}

int TCanvas::TextHeight(const std::string& Text) const {
  (void)Text;
  return FontMetrics(FFont->Desc()).tmHeight;
}

void TCanvas::DrawImage(int X, int Y, int Index, bool Enabled, int Width, int Height,
                        const std::string& Description) {
  // An image list's images are known by their description alone, which a
  // lent DC has no way to show; the canvas's own recording stays as it was.
  if (FLent != nullptr)
    return;
  TDisplayItem Item = TDisplayItem::Of(TDisplayItem::dkImage);
  Item.X = X;
  Item.Y = Y;
  Item.Rect = TRect{X, Y, X + Width, Y + Height};
  Item.ImageIndex = Index;
  Item.Enabled = Enabled;
  Item.ImageWidth = Width;
  Item.ImageHeight = Height;
  Item.Text = Description;
  FList.Add(Item);
}
