#pragma once

// The colour box of Delphi 6 and 7 (unit ExtCtrls): an owner-drawn list of
// the host's named colours, each item a swatch and the colour's name. With
// cbCustomColor the first item is "Custom...": choosing it opens the colour
// dialog, and a colour that is not listed is kept there. Delphi 5 has no
// colour box, so this header declares nothing in that build.
//
// The add-in's own colour box for Delphi 5 (controls/ExtCtrlsForD5.h) is a
// second copy on purpose and must be kept in step with this one: the
// settings dialog uses whichever the build has as the same control.

#include "Graphics.h"

#if TABULON_HOST >= 6

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "CustomComboBox.h"
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

// What Selected reads while the window exists and no item is selected.
constexpr TColor NoColorSelected = ColorFromBits(0xFF000000u);
// The caption of the custom colour item.
extern const char* const SColorBoxCustomCaption;

class TCustomColorBox : public TCustomComboBox {
 public:
  explicit TCustomColorBox(TComponent* AOwner);
  ~TCustomColorBox() override;

  void Loaded() override;

  TColor Selected() const;
  void SetSelected(TColor AColor);
  TColorBoxStyle Style() const { return FStyle; }
  void SetStyle(TColorBoxStyle AStyle);
  TColor DefaultColorColor() const { return FDefaultColorColor; }
  void SetDefaultColorColor(TColor Value);
  TColor NoneColorColor() const { return FNoneColorColor; }
  void SetNoneColorColor(TColor Value);
  TColor Colors(int Index) const;
  std::string ColorNames(int Index) const { return Items()->Strings(Index); }

  // Opens the colour dialog on the colour of the custom item; OK stores the
  // chosen colour there. True when the user confirmed.
  virtual bool PickCustomColor();

 protected:
  void CreateWnd() override;
  void DrawItem(int Index, const TRect& Rect, TOwnerDrawState State) override;
  void KeyDown(Word& Key, TShiftState Shift) override;
  void KeyPress(char& Key) override;
  void DropDown() override;
  void CloseUp() override;
  void Select() override;
  void PopulateList();

 private:
  void ColorCallBack(const std::string& AName);
  int IndexOfColor(TColor AColor, int From) const;

  TColorBoxStyle FStyle;
  // While PopulateList runs: the colours gathered so far, named as listed.
  std::vector<std::pair<std::string, TColor>>* FGathered = nullptr;
  bool FNeedToPopulate = true;
  // Whether the last selection came from the dropped-down list, where a
  // choice of the custom item asks for a colour.
  bool FListSelected = false;
  int FDropDownIndex = -1;
  TColor FDefaultColorColor = clBlack;
  TColor FNoneColorColor = clBlack;
  TColor FSelectedColor = clBlack;
};

class TColorBox : public TCustomColorBox {
 public:
  explicit TColorBox(TComponent* AOwner) : TCustomColorBox(AOwner) {}
  // The box's own published properties, with their access: an object
  // inspector reads and sets Selected and Style through them.
  const TTypeInfo* ClassInfo() const override;
};

#endif
