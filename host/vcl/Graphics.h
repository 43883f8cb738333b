#pragma once

// Delphi's Graphics unit: colours, fonts, brushes, pens and the canvas. The
// canvas draws through a device context: one that a paint lends it, or, outside
// a paint, one of its own that records into the canvas's display list.

#include <memory>
#include <string>
#include <vector>

#include "Classes.h"
#include "DisplayList.h"
#include "Windows.h"
#include "WindowsGdi.h"

// A host colour: 0x00BBGGRR for a plain colour, or the build's system colour
// base plus a Windows system colour index.
using TColor = Integer;

constexpr TColor ColorFromBits(std::uint32_t Bits) {
  return static_cast<TColor>(Bits);
}

// Delphi 5 and 6 mark system colours with the high byte 0x80, Delphi 7 with 0xFF.
constexpr std::uint32_t clSystemColorBase = HostVersion >= 7 ? 0xFF000000u : 0x80000000u;
constexpr TColor clSystemColor = ColorFromBits(clSystemColorBase);
constexpr TColor SystemColor(int Index) {
  return ColorFromBits(clSystemColorBase + static_cast<std::uint32_t>(Index));
}

constexpr TColor clScrollBar = SystemColor(0);
constexpr TColor clBackground = SystemColor(1);
constexpr TColor clActiveCaption = SystemColor(2);
constexpr TColor clInactiveCaption = SystemColor(3);
constexpr TColor clMenu = SystemColor(4);
constexpr TColor clWindow = SystemColor(5);
constexpr TColor clWindowFrame = SystemColor(6);
constexpr TColor clMenuText = SystemColor(7);
constexpr TColor clWindowText = SystemColor(8);
constexpr TColor clCaptionText = SystemColor(9);
constexpr TColor clActiveBorder = SystemColor(10);
constexpr TColor clInactiveBorder = SystemColor(11);
constexpr TColor clAppWorkSpace = SystemColor(12);
constexpr TColor clHighlight = SystemColor(13);
constexpr TColor clHighlightText = SystemColor(14);
constexpr TColor clBtnFace = SystemColor(15);
constexpr TColor clBtnShadow = SystemColor(16);
constexpr TColor clGrayText = SystemColor(17);
constexpr TColor clBtnText = SystemColor(18);
constexpr TColor clInactiveCaptionText = SystemColor(19);
constexpr TColor clBtnHighlight = SystemColor(20);
constexpr TColor cl3DDkShadow = SystemColor(21);
constexpr TColor cl3DLight = SystemColor(22);
constexpr TColor clInfoText = SystemColor(23);
constexpr TColor clInfoBk = SystemColor(24);
#if TABULON_HOST >= 6
constexpr TColor clHotLight = SystemColor(26);
constexpr TColor clGradientActiveCaption = SystemColor(27);
constexpr TColor clGradientInactiveCaption = SystemColor(28);
#endif
#if TABULON_HOST >= 7
constexpr TColor clMenuHighlight = SystemColor(29);
constexpr TColor clMenuBar = SystemColor(30);
#endif

constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clOlive = 0x008080;
constexpr TColor clNavy = 0x800000;
constexpr TColor clPurple = 0x800080;
constexpr TColor clTeal = 0x808000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clAqua = 0xFFFF00;
constexpr TColor clLtGray = 0xC0C0C0;
constexpr TColor clDkGray = 0x808080;
constexpr TColor clWhite = 0xFFFFFF;
#if TABULON_HOST >= 6
constexpr int StandardColorsCount = 16;
constexpr TColor clMoneyGreen = 0xC0DCC0;
constexpr TColor clSkyBlue = 0xF0CAA6;
constexpr TColor clCream = 0xF0FBFF;
constexpr TColor clMedGray = 0xA4A0A0;
constexpr int ExtendedColorsCount = 4;
#endif
constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clDefault = 0x20000000;

// A system colour resolved through the classic Windows scheme; a plain colour
// as it is.
Integer ColorToRGB(TColor Color);
std::string ColorToString(TColor Color);
TColor StringToColor(const std::string& S);
bool ColorToIdent(Integer Color, std::string& Ident);
bool IdentToColor(const std::string& Ident, Integer& Color);
// Calls Proc with the identifier of every named colour of this host version,
// in the host's order.
using TGetStrProc = TEvent<const std::string&>;
void GetColorValues(TGetStrProc Proc);

enum TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };
using TFontStyles = TSet<TFontStyle>;
enum TFontPitch { fpDefault, fpVariable, fpFixed };
constexpr int DEFAULT_CHARSET = 1;

class TGraphicsObject : public TPersistent {
 public:
  TNotifyEvent OnChange() const { return FOnChange; }
  void SetOnChange(TNotifyEvent Value) { FOnChange = Value; }

 protected:
  void Changed();

 private:
  TNotifyEvent FOnChange;
};

class TFont : public TGraphicsObject {
 public:
  TFont();
  ~TFont() override;

  const std::string& Name() const { return FName; }
  void SetName(const std::string& Value);
  // Size in points; Height in pixels, negative for the character height, at
  // 96 pixels per inch.
  int Size() const { return FSize; }
  void SetSize(int Value);
  int Height() const;
  void SetHeight(int Value);
  TColor Color() const { return FColor; }
  void SetColor(TColor Value);
  TFontStyles Style() const { return FStyle; }
  void SetStyle(TFontStyles Value);
  void SetCharset(int Value) { FCharset = Value; }

  void Assign(TPersistent* Source) override;
  // Assign of a font known to be one, without asking its class: every
  // control takes its parent's font so.
  void Assign(const TFont& Source);
  HFONT Handle();
  TFontDesc Desc() const { return {FName, FSize, FStyle.Contains(fsBold)}; }

 private:
  std::string FName = "MS Sans Serif";
  int FSize = 8;
  TColor FColor = clWindowText;
  TFontStyles FStyle;
  int FCharset = DEFAULT_CHARSET;
  std::unique_ptr<TFontRecord> FHandle;
};

enum TBrushStyle { bsSolid, bsClear };

class TBrush : public TGraphicsObject {
 public:
  TBrush() = default;
  ~TBrush() override;
  TColor Color() const { return FColor; }
  void SetColor(TColor Value);
  TBrushStyle Style() const { return FStyle; }
  void SetStyle(TBrushStyle Value);
  void Assign(TPersistent* Source) override;
  // Assign of a brush known to be one, without asking its class: every
  // owner-drawn tab starts from its control's brush.
  void Assign(const TBrush& Source);
  // A solid brush of the colour; nullptr for a clear one.
  HBRUSH Handle();

 private:
  void FreeHandle();
  void UpdateHandle();
  TColor FColor = clWhite;
  TBrushStyle FStyle = bsSolid;
  HBRUSH FHandle = nullptr;
};

class TPen : public TGraphicsObject {
 public:
  TPen() = default;
  ~TPen() override;
  TColor Color() const { return FColor; }
  void SetColor(TColor Value);
  int Width() const { return FWidth; }
  void SetWidth(int Value);
  HPEN Handle();

 private:
  void FreeHandle();
  TColor FColor = clBlack;
  int FWidth = 1;
  HPEN FHandle = nullptr;
};

// The canvas draws through a device context. Its Handle carries the canvas's
// font, pen, brush and colours, as the VCL's canvas selects them before
// handing the handle out: a DC lent for a paint or an owner-drawn item, or
// its own, which records into the canvas's display list.
class TCanvas : public TPersistent {
 public:
  TCanvas();
  ~TCanvas() override;

  TFont* Font() const { return FFont.get(); }
  TBrush* Brush() const { return FBrush.get(); }
  TPen* Pen() const { return FPen.get(); }
  HDC Handle();
  // Lends the canvas a DC to draw on, as Windows lends one for a paint or a
  // single owner-drawn item: everything goes to it until nullptr gives it
  // back, and the canvas records its own display list again.
  void SetHandle(HDC Value);

  void FillRect(const TRect& R);
  void FrameRect(const TRect& R);
  void TextRect(const TRect& R, int X, int Y, const std::string& Text);
  void TextOut(int X, int Y, const std::string& Text);
  int TextWidth(const std::string& Text) const;
  int TextHeight(const std::string& Text) const;
  // Lines through the points, and an ellipse in R, with the pen and brush.
  void Polyline(const std::vector<TPoint>& Points);
  void Ellipse(const TRect& R);
  // The 3-D edge of user32's DrawEdge around R.
  void DrawEdge(const TRect& R, UINT Edge, UINT Flags);
  // Narrows what the canvas draws to R until the DC's state is restored.
  void IntersectClip(const TRect& R);
  // Notes an image of an image list, with what the image shows; the image
  // list draws the image itself after it.
  void NoteImage(int X, int Y, int Index, bool Enabled, int Width, int Height,
                 const std::string& Description);

  TDisplayList& DisplayList() { return FList; }
  const TDisplayList& DisplayList() const { return FList; }

 private:
  // Which of the canvas's objects the DC holds as they are now, as the
  // VCL's canvas state: a change of one, or another DC, makes it selected
  // again at the next use, not at every use.
  enum : unsigned { csFontValid = 1, csBrushValid = 2, csPenValid = 4 };
  void Sync();
  HDC CurrentDC() const { return FLent != nullptr ? FLent : FHandle; }
  void FontChanged(TObject* Sender);
  // Takes the brush or pen (THandle) out of the DC that holds it as Valid.
  template <typename THandle>
  void GiveUp(unsigned Valid);
  void BrushChanged(TObject* Sender);
  void PenChanged(TObject* Sender);

  std::unique_ptr<TFont> FFont;
  std::unique_ptr<TBrush> FBrush;
  std::unique_ptr<TPen> FPen;
  TDisplayList FList;
  HDC FHandle = nullptr;
  HDC FLent = nullptr;
  unsigned FState = 0;
};
