// The host's own colour box exists from Delphi 6 on.
#if TABULON_HOST >= 6

#include "ColorBox.h"

#include <gtest/gtest.h>

#include "Dialogs.h"
#include "Fixture.h"
#include "TextMetrics.h"

namespace {

class TTestColorBox : public TColorBox {
 public:
  explicit TTestColorBox(TComponent* AOwner) : TColorBox(AOwner) {}
  void ChangeHandler(TObject*) { ++Changes; }
  int Changes = 0;
  std::vector<char> KeysAfterBox;

 protected:
  void KeyPress(char& Key) override {
    TColorBox::KeyPress(Key);
    KeysAfterBox.push_back(Key);
  }
};

const TColorBoxStyle kDialogStyle{cbStandardColors, cbExtendedColors, cbSystemColors,
                                  cbCustomColor};

}  // namespace

class ColorBox : public ColorBoxFixture {
 protected:
  TTestColorBox* NewBox(TColorBoxStyle Style = kDialogStyle) {
    auto* B = new TTestColorBox(Form);
    B->SetParent(Form);
    B->SetStyle(Style);
    B->SetOnChange(TNotifyEvent::Of<&TTestColorBox::ChangeHandler>(B));
    return B;
  }
  // The user's answer to the colour dialog, and what the dialog was opened
  // with.
  void AnswerDialogWith(TColor Color, bool Ok) {
    App->SetColorDriver([this, Color, Ok](Integer& C) {
      ++DialogCalls;
      OpenedWith = C;
      OpenedCustomColors = TColorDialog::Executing()->CustomColors()->Text();
      C = Color;
      return Ok;
    });
  }
  int DialogCalls = 0;
  TColor OpenedWith = -1;
  std::string OpenedCustomColors;
};

TEST_F(ColorBox, CustomItemComesFirstThenTheHostColours) {
  auto* B = NewBox();
  auto Expected = HostNamesWithout({"clNone", "clDefault"});
  Expected.insert(Expected.begin(), "Custom...");
  EXPECT_EQ(Lines(B->Items()), Expected);
  EXPECT_EQ(B->Colors(0), clBlack);
  EXPECT_EQ(B->Items()->Count(), HostVersion >= 7 ? 51 : 49);

  // The flags choose the ranges of the list.
  B->SetStyle({cbStandardColors});
  EXPECT_EQ(B->Items()->Count(), 16);
  B->SetStyle({cbExtendedColors, cbPrettyNames});
  EXPECT_EQ(Lines(B->Items()),
            (std::vector<std::string>{"Money Green", "Sky Blue", "Cream", "Med Gray"}));
  B->SetStyle({cbSystemColors, cbIncludeNone, cbIncludeDefault});
  EXPECT_EQ(B->Items()->Get(0), "clActiveBorder");
  EXPECT_NE(IndexOfText(B->Items(), "clDefault"), -1);
  EXPECT_NE(IndexOfText(B->Items(), "clNone"), -1);
  B->SetStyle({cbPrettyNames});
  EXPECT_FALSE(B->Enabled());
  EXPECT_EQ(B->Items()->Count(), 0);
}

TEST_F(ColorBox, SelectedRoundTripsListedUnlistedAndSystemColours) {
  auto* B = NewBox();
  for (TColor C : {clRed, clWindowText, clHotLight, clMoneyGreen}) {
    B->SetSelected(C);
    EXPECT_EQ(B->Selected(), C);
    EXPECT_EQ(B->Items()->Get(B->ItemIndex()), ColorToString(C));
  }
  B->SetSelected(0x00123456);
  EXPECT_EQ(B->ItemIndex(), 0);
  EXPECT_EQ(B->Items()->Get(0), "Custom...");
  EXPECT_EQ(B->Selected(), 0x00123456);
  // Black is listed: it selects clBlack, not the custom item that starts
  // out black too.
  auto* Fresh = NewBox();
  Fresh->SetSelected(clBlack);
  EXPECT_EQ(Fresh->Items()->Get(Fresh->ItemIndex()), "clBlack");

  auto* Plain = NewBox({cbStandardColors, cbSystemColors});
  Plain->SetSelected(0x00123456);
  EXPECT_EQ(Plain->ItemIndex(), -1);
  EXPECT_EQ(Plain->Selected(), NoColorSelected);

  // Before the window exists the value is kept and selected later; the
  // custom colour survives a refill.
  auto* Early = new TTestColorBox(Form);
  Early->SetSelected(0x00ABCDEF);
  EXPECT_EQ(Early->Selected(), 0x00ABCDEF);
  Early->SetParent(Form);
  EXPECT_EQ(Early->Items()->Count(), HostVersion >= 7 ? 50 : 48) << "no custom item by default";
  EXPECT_EQ(Early->Selected(), NoColorSelected);
  Early->SetStyle(kDialogStyle);
  EXPECT_EQ(Early->Selected(), 0x00ABCDEF);
  Early->SetStyle(kDialogStyle + TColorBoxStyle{cbPrettyNames});
  EXPECT_EQ(Early->ItemIndex(), 0);
  EXPECT_EQ(Early->Colors(0), 0x00ABCDEF);
}

TEST_F(ColorBox, ChoosingCustomOpensTheColourDialog) {
  auto* B = NewBox();
  B->SetSelected(clRed);
  const int RedIndex = B->ItemIndex();

  AnswerDialogWith(0x00ABCDEF, false);
  ChooseComboItem(B, 0);
  EXPECT_EQ(DialogCalls, 1);
  EXPECT_EQ(OpenedWith, clBlack);
  EXPECT_EQ(OpenedCustomColors, "ColorA=00000000\r\n");
  EXPECT_EQ(B->ItemIndex(), RedIndex) << "Cancel keeps the colour chosen before";
  EXPECT_EQ(B->Selected(), clRed);
  EXPECT_EQ(B->Changes, 0);

  AnswerDialogWith(0x00ABCDEF, true);
  ChooseComboItem(B, 0);
  EXPECT_EQ(DialogCalls, 2);
  EXPECT_EQ(B->ItemIndex(), 0);
  EXPECT_EQ(B->Selected(), 0x00ABCDEF);
  EXPECT_EQ(B->Changes, 1);

  // A system colour in the custom item opens the dialog on its RGB value.
  B->SetSelected(clInfoBk);
  B->Items()->SetObjects(0, TItemObject::FromInteger(clInfoBk));
  AnswerDialogWith(0, false);
  ChooseComboItem(B, 0);
  EXPECT_EQ(OpenedWith, 0xE1FFFF);
  EXPECT_EQ(OpenedCustomColors, "ColorA=00E1FFFF\r\n");

  // Choosing a named colour opens nothing; Enter on the custom item does.
  ChooseComboItem(B, RedIndex);
  EXPECT_EQ(DialogCalls, 3);
  EXPECT_EQ(B->Changes, 2);
  B->SetSelected(0x00101010);
  AnswerDialogWith(0x00202020, true);
  TypeText(B->Handle(), "\r");
  EXPECT_EQ(DialogCalls, 4);
  EXPECT_EQ(B->KeysAfterBox, std::vector<char>{'\0'});
  EXPECT_EQ(B->Selected(), 0x00202020);
}

TEST_F(ColorBox, DrawItemPlacesSwatchFrameAndText) {
  auto* B = NewBox(kDialogStyle + TColorBoxStyle{cbIncludeDefault});
  B->SetDefaultColorColor(clRed);
  const int Index = IndexOfText(B->Items(), "clDefault");
  ASSERT_NE(Index, -1);
  B->PaintItem(Index, {0, 16, 145, 32}, {odSelected});
  const auto& L = B->Canvas()->DisplayList().Items();
  ASSERT_EQ(L.size(), 4u);
  EXPECT_EQ(L[0].Color, static_cast<std::uint32_t>(clHighlight));
  EXPECT_EQ(L[1].Rect, (TRect{1, 17, 15, 31}));
  EXPECT_EQ(L[1].Color, static_cast<std::uint32_t>(clRed));
  EXPECT_EQ(L[2].Color, static_cast<std::uint32_t>(clBlack)) << "red is above 192";
  EXPECT_EQ(L[3].X, 20);
  EXPECT_EQ(L[3].Y, 16 + (16 - FontMetrics(B->Font()->Desc()).tmHeight) / 2);
  EXPECT_EQ(L[3].Text, "clDefault");
}

#endif
