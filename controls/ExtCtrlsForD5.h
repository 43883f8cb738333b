#pragma once

// Unit ExtCtrlsForD5: the colour box that the settings dialog uses in the
// Delphi 5 build, where the host's ExtCtrls has none. An owner-drawn,
// fixed-height drop-down list of the host's named colours, each item a small
// swatch and the colour's name; with cbCustomColor the first item doubles as
// the slot for a colour that is not listed.
//
// Keep it in step with the host's TCustomColorBox (host/vcl/ColorBox.h): the
// two are separate on purpose (Delphi 5's VCL has no colour box, so the
// add-in brings its own), but the dialog treats them as one control, and a
// change in how either draws, reads or streams a colour belongs in both.

#include <cstdint>
#include <string>
#include <vector>

#include "CustomComboBox.h"
#include "Graphics.h"
#include "TypInfo.h"

enum TColorBoxStyles : std::uint8_t {
  cbStandardColors,
  cbExtendedColors,
  cbSystemColors,
  cbIncludeNone,
  cbIncludeDefault,
  cbCustomColor,
  cbPrettyNames
};
using TColorBoxStyle = TSet<TColorBoxStyles>;
// The seven flags fit the one byte that the streamed set takes.
static_assert(cbPrettyNames < 8);

// What Selected reads while the window exists and no item is selected.
constexpr TColor NoColorSelected = ColorFromBits(0xFF000000u);

// The unit's resource strings: the readable colour names, so that they can be
// translated like any other string table of the package.
struct TResStringRec {
  Word Id;
  const char* Text;
};
const std::vector<TResStringRec>& ExtCtrlsForD5Strings();
// The text of a resource string of the unit; "" for an id it does not have.
std::string LoadResString(Word Id);

// The readable name of a colour that the host names Ident: the name from the
// string table when Value has one, else Ident without its "cl" prefix, a
// new word at every capital letter ("clMoneyGreen" is "Money Green").
std::string ReadableColorName(const std::string& Ident, TColor Value);

class TCustomColorBox : public TCustomComboBox {
 public:
  explicit TCustomColorBox(TComponent* AOwner);
  ~TCustomColorBox() override;

  void Loaded() override;

  TColor Selected() const { return GetSelected(); }
  void SetSelected(TColor AColor);
  TColorBoxStyle Style() const { return FStyle; }
  void SetStyle(TColorBoxStyle AStyle);
  TColor DefaultColorColor() const { return FDefaultColorColor; }
  void SetDefaultColorColor(TColor Value);
  TColor NoneColorColor() const { return FNoneColorColor; }
  void SetNoneColorColor(TColor Value);
  TColor Colors(int Index) const { return GetColor(Index); }
  std::string ColorNames(int Index) const { return GetColorName(Index); }

  // Opens the colour dialog on the colour of item 0; OK makes the chosen
  // colour item 0's colour. True when the user confirmed. Nothing in the
  // control itself calls it.
  virtual bool PickCustomColor();

 protected:
  void CreateWnd() override;
  void DrawItem(int Index, const TRect& Rect, TOwnerDrawState State) override;
  void KeyPress(char& Key) override;
  void PopulateList();

 private:
  void ColorCallBack(const std::string& AName);
  TColor GetColor(int Index) const;
  std::string GetColorName(int Index) const;
  TColor GetSelected() const;

  TColorBoxStyle FStyle;
  bool FNeedToPopulate = true;
  TColor FDefaultColorColor = clBlack;
  TColor FNoneColorColor = clBlack;
  TColor FSelectedColor = clBlack;
};

class TColorBox : public TCustomColorBox {
 public:
  explicit TColorBox(TComponent* AOwner) : TCustomColorBox(AOwner) {}
  // The published properties in their published order; the box's own four
  // with their declared defaults and access.
  const TTypeInfo* ClassInfo() const override;
};
