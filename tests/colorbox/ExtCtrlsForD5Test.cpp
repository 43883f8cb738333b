// The add-in's own colour box exists in the Delphi 5 build only.
#if TABULON_HOST == 5

#include "ExtCtrlsForD5.h"

#include <gtest/gtest.h>

#include <set>

#include "Dialogs.h"
#include "Fixture.h"
#include "TextMetrics.h"

namespace {

class TTestColorBox : public TColorBox {
 public:
  explicit TTestColorBox(TComponent* AOwner) : TColorBox(AOwner) {}
  using TCustomComboBox::Items;
  void KeyHandler(TObject*, char& Key) { KeysSeen.push_back(Key); }
  void ChangeHandler(TObject*) { ++Changes; }
  std::vector<char> KeysAfterBox;
  std::vector<char> KeysSeen;
  int Changes = 0;

 protected:
  void KeyPress(char& Key) override {
    TColorBox::KeyPress(Key);
    KeysAfterBox.push_back(Key);
  }
};

const TColorBoxStyle kDialogStyle{cbStandardColors, cbExtendedColors, cbSystemColors,
                                  cbCustomColor};

}  // namespace

class ExtCtrlsForD5 : public ColorBoxFixture {
 protected:
  TTestColorBox* NewBox(TColorBoxStyle Style = kDialogStyle) {
    auto* B = new TTestColorBox(Form);
    B->SetParent(Form);
    B->SetStyle(Style);
    return B;
  }
  int DialogCalls = 0;
  void AnswerDialogWith(TColor Color, bool Ok = true) {
    App->SetColorDriver([this, Color, Ok](Integer& C) {
      ++DialogCalls;
      C = Color;
      return Ok;
    });
  }
};

TEST_F(ExtCtrlsForD5, DialogSettingListsTheHostNamesWithoutNoneAndDefault) {
  auto* B = NewBox();
  EXPECT_TRUE(B->Enabled());
  EXPECT_EQ(B->ItemHeight(), 16);
  EXPECT_EQ(Lines(B->Items()), HostNamesWithout({"clNone"}));
  EXPECT_EQ(B->Items()->Get(0), "clBlack");
  EXPECT_EQ(B->Items()->Get(1), "clMaroon");
  EXPECT_EQ(B->Colors(1), clMaroon);
  EXPECT_EQ(IndexOfText(B->Items(), "clDefault"), -1);
  EXPECT_EQ(B->Items()->Count(), 41);

  // Everything the host names is listed with the flags that allow it.
  B->SetStyle(kDialogStyle + TColorBoxStyle{cbIncludeNone, cbIncludeDefault});
  EXPECT_EQ(Lines(B->Items()), HostNamesWithout({}));
}

TEST_F(ExtCtrlsForD5, SelectedRoundTripsListedUnlistedAndSystemColours) {
  auto* B = NewBox();
  for (TColor C : {clRed, clWindowText, clBtnFace, clInfoBk}) {
    B->SetSelected(C);
    EXPECT_EQ(B->Selected(), C);
    EXPECT_EQ(B->Colors(B->ItemIndex()), C);
    EXPECT_EQ(B->Items()->Get(B->ItemIndex()), ColorToString(C));
  }
  // An unlisted colour takes the custom slot: item 0 keeps its text.
  B->SetSelected(0x00123456);
  EXPECT_EQ(B->ItemIndex(), 0);
  EXPECT_EQ(B->Items()->Get(0), "clBlack");
  EXPECT_EQ(B->Colors(0), 0x00123456);
  EXPECT_EQ(B->Selected(), 0x00123456);
  // Without the custom slot nothing is selected.
  auto* Plain = NewBox({cbStandardColors, cbSystemColors});
  Plain->SetSelected(0x00123456);
  EXPECT_EQ(Plain->ItemIndex(), -1);
  EXPECT_EQ(Plain->Selected(), NoColorSelected);
  EXPECT_EQ(Plain->Colors(0), clBlack);
  // NoColorSelected never goes into the slot.
  B->SetSelected(NoColorSelected);
  EXPECT_EQ(B->ItemIndex(), -1);
  EXPECT_EQ(B->Selected(), NoColorSelected);
}

TEST_F(ExtCtrlsForD5, CustomSlotSharingAListedColourSelectsTheNamedItem) {
  auto* B = NewBox();
  B->SetSelected(0x00123456);
  AnswerDialogWith(clRed);
  std::string CustomColorsSeen;
  TColor StartColor = -1;
  App->SetColorDriver([&](Integer& C) {
    StartColor = C;
    CustomColorsSeen = TColorDialog::Executing()->CustomColors()->Text();
    C = clRed;
    return true;
  });
  EXPECT_TRUE(B->PickCustomColor());
  EXPECT_EQ(StartColor, 0x00123456);
  EXPECT_EQ(CustomColorsSeen, "ColorA=00123456\r\n");
  EXPECT_EQ(B->Colors(0), clRed);
  EXPECT_EQ(B->Items()->Get(0), "clBlack");

  B->SetSelected(clRed);
  EXPECT_EQ(B->ItemIndex(), IndexOfText(B->Items(), "clRed"));
  EXPECT_NE(B->ItemIndex(), 0);
  // A colour only the slot holds selects the slot.
  B->SetSelected(0x00654321);
  B->SetSelected(clRed);
  B->SetSelected(0x00654321);
  EXPECT_EQ(B->ItemIndex(), 0);

  // The dialog opens on the RGB value of a system colour; Cancel keeps it.
  B->SetSelected(clBtnFace);
  B->SetSelected(0x00ABCDEF);
  B->Items()->SetObjects(0, TItemObject::FromInteger(clBtnFace));
  App->SetColorDriver([&](Integer& C) {
    StartColor = C;
    CustomColorsSeen = TColorDialog::Executing()->CustomColors()->Text();
    return false;
  });
  EXPECT_FALSE(B->PickCustomColor());
  EXPECT_EQ(StartColor, 0xC0C0C0);
  EXPECT_EQ(CustomColorsSeen, "ColorA=00C0C0C0\r\n");
  EXPECT_EQ(B->Colors(0), clBtnFace);
}

TEST_F(ExtCtrlsForD5, SelectedBeforeTheWindowIsKeptAndSelectedOnceFilled) {
  auto* B = new TTestColorBox(Form);
  B->SetSelected(clBtnFace);
  EXPECT_FALSE(B->HandleAllocated());
  EXPECT_EQ(B->Items()->Count(), 0);
  EXPECT_EQ(B->Selected(), clBtnFace);
  B->SetSelected(0x00112233);
  EXPECT_EQ(B->Selected(), 0x00112233);
  B->SetSelected(clWindowText);
  B->SetParent(Form);
  ASSERT_TRUE(B->HandleAllocated());
  EXPECT_EQ(B->Items()->Count(), 41);
  EXPECT_EQ(B->Items()->Get(B->ItemIndex()), "clWindowText");

  // A colour streamed into a box whose window exists is selected by Loaded.
  auto* S = NewBox();
  S->Loaded();
  EXPECT_EQ(S->Selected(), clBlack);
  // The selection survives a refill by a style change.
  S->SetSelected(clTeal);
  S->SetStyle(kDialogStyle + TColorBoxStyle{cbPrettyNames});
  EXPECT_EQ(S->Items()->Get(S->ItemIndex()), "Teal");
}

TEST_F(ExtCtrlsForD5, DrawItemPlacesSwatchFrameAndText) {
  auto* B = NewBox(kDialogStyle + TColorBoxStyle{cbIncludeNone, cbIncludeDefault});
  // Delphi 5 does not enumerate clDefault; an item holding it is drawn in
  // DefaultColorColor all the same.
  ASSERT_EQ(B->Colors(B->Items()->Count() - 1), clNone);
  B->Items()->SetObjects(1, TItemObject::FromInteger(clDefault));
  B->SetDefaultColorColor(clRed);
  B->SetNoneColorColor(clLime);
  const int TextH = FontMetrics(B->Font()->Desc()).tmHeight;
  struct Case {
    TColor Color;
    bool Selected;
    TColor Swatch, Frame;
  } Cases[] = {
      {clWhite, false, clWhite, clBlack},
      {clYellow, true, clYellow, clBlack},
      {clInfoBk, false, clInfoBk, clBlack},
      {clNavy, false, clNavy, clNavy},
      // 192 is not above 192: silver counts as dark.
      {clSilver, true, clSilver, clWhite},
      {clBtnFace, false, clBtnFace, clBtnFace},
      {clNavy, true, clNavy, clWhite},
      {clWindowText, false, clWindowText, clWindowText},
      {clDefault, false, clRed, clBlack},
      {clNone, true, clLime, clBlack},
      {clGreen, true, clGreen, clWhite},
  };
  for (const auto& C : Cases) {
    SCOPED_TRACE(ColorToString(C.Color) + (C.Selected ? " selected" : ""));
    int Index = -1;
    for (int i = 1; i < B->Items()->Count() && Index < 0; ++i)
      if (B->Colors(i) == C.Color)
        Index = i;
    ASSERT_GE(Index, 0);
    B->Canvas()->DisplayList().Clear();
    const TRect R{0, 32, 145, 48};
    B->PaintItem(Index, R, C.Selected ? TOwnerDrawState{odSelected} : TOwnerDrawState{});
    const auto& L = B->Canvas()->DisplayList().Items();
    ASSERT_EQ(L.size(), 4u);
    const std::uint32_t Bk = static_cast<std::uint32_t>(C.Selected ? clHighlight : clWindow);
    EXPECT_EQ(L[0].Kind, TDisplayItem::dkFillRect);
    EXPECT_EQ(L[0].Rect, R);
    EXPECT_EQ(L[0].Color, Bk);
    EXPECT_EQ(L[1].Kind, TDisplayItem::dkFillRect);
    EXPECT_EQ(L[1].Rect, (TRect{1, 33, 15, 47}));
    EXPECT_EQ(L[1].Color, static_cast<std::uint32_t>(C.Swatch));
    EXPECT_EQ(L[2].Kind, TDisplayItem::dkFrameRect);
    EXPECT_EQ(L[2].Rect, (TRect{1, 33, 15, 47}));
    EXPECT_EQ(L[2].Color, static_cast<std::uint32_t>(C.Frame));
    EXPECT_EQ(L[3].Kind, TDisplayItem::dkText);
    EXPECT_EQ(L[3].Rect, (TRect{20, 32, 145, 48}));
    EXPECT_EQ(L[3].X, 20);
    EXPECT_EQ(L[3].Y, 32 + (16 - TextH) / 2);
    EXPECT_EQ(L[3].Text, B->Items()->Get(Index));
    EXPECT_EQ(L[3].BkColor, Bk);
    EXPECT_EQ(L[3].Color, static_cast<std::uint32_t>(C.Selected ? clHighlightText : clWindowText));
  }
  // An odd height rounds the text's top toward the item's top.
  B->Canvas()->DisplayList().Clear();
  B->PaintItem(1, {0, 0, 145, 20}, {});
  EXPECT_EQ(B->Canvas()->DisplayList().Items().back().Y, (20 - TextH) / 2);
  EXPECT_EQ(B->Canvas()->DisplayList().Items()[1].Rect, (TRect{1, 1, 19, 19}));
}

TEST_F(ExtCtrlsForD5, StyleWithoutColourFlagsDisablesButStillLists) {
  auto* B = NewBox();
  B->SetSelected(0x00123456);
  B->SetStyle({cbPrettyNames});
  EXPECT_FALSE(B->Enabled());
  EXPECT_EQ(B->Items()->Count(), 41);
  // Without the custom slot the foreign colour is not listed: the box
  // falls back to its first item.
  EXPECT_EQ(B->ItemIndex(), 0);
  B->SetStyle({cbCustomColor});
  EXPECT_TRUE(B->Enabled());
  B->SetStyle({cbSystemColors});
  EXPECT_TRUE(B->Enabled());
  EXPECT_EQ(B->Items()->Get(0), "clBlack") << "the flags do not filter the list";
}

TEST_F(ExtCtrlsForD5, EnterOnTheCustomSlotIsSwallowed) {
  auto* B = NewBox();
  B->SetOnKeyPress(TKeyPressEvent::Of<&TTestColorBox::KeyHandler>(B));
  B->SetOnChange(TNotifyEvent::Of<&TTestColorBox::ChangeHandler>(B));
  AnswerDialogWith(clRed);
  B->SetSelected(0x00123456);
  TypeText(B->Handle(), "\r");
  EXPECT_EQ(B->KeysSeen, std::vector<char>{'\r'});
  EXPECT_EQ(B->KeysAfterBox, std::vector<char>{'\0'});
  EXPECT_EQ(DialogCalls, 0);
  EXPECT_EQ(B->Changes, 0);
  EXPECT_EQ(B->Selected(), 0x00123456);
  // Enter elsewhere, and other keys on the slot, pass.
  TypeText(B->Handle(), "a");
  B->SetSelected(clRed);
  TypeText(B->Handle(), "\r");
  EXPECT_EQ(B->KeysAfterBox, (std::vector<char>{'\0', 'a', '\r'}));
  // Choosing the slot with the mouse opens no dialog either.
  ChooseComboItem(B, 0);
  EXPECT_EQ(DialogCalls, 0);
  EXPECT_EQ(B->Changes, 1);
}

TEST_F(ExtCtrlsForD5, PrettyNamesComeFromTheStringTableOrTheIdentifier) {
  auto* B = NewBox(kDialogStyle + TColorBoxStyle{cbPrettyNames, cbIncludeNone});
  EXPECT_EQ(B->Items()->Get(0), "Black");
  const auto Texts = Lines(B->Items());
  for (const char* Name : {"Scroll Bar", "Menu Background", "Window Background",
                           "Highlight Background", "3D Dark Shadow", "Info Background",
                           "Application Workspace", "None", "Inactive Caption Text"})
    EXPECT_NE(std::find(Texts.begin(), Texts.end(), Name), Texts.end()) << Name;
  EXPECT_EQ(B->Colors(IndexOfText(B->Items(), "Menu Background")), clMenu);

  EXPECT_EQ(ReadableColorName("clMoneyGreen", 0x00C0DCC0), "Money Green");
  EXPECT_EQ(ReadableColorName("clGradientActiveCaption", 0x12), "Gradient Active Caption");
  EXPECT_EQ(ReadableColorName("MyOwnColor", 0x13), "My Own Color");
  EXPECT_EQ(ReadableColorName("cl", 0x13), "");
  EXPECT_EQ(ReadableColorName("anything", clDefault), "Default");

  const auto& Table = ExtCtrlsForD5Strings();
  EXPECT_EQ(Table.size(), 43u);
  std::set<Word> Ids;
  for (const auto& R : Table) {
    EXPECT_GE(R.Id, 65488);
    Ids.insert(R.Id);
    EXPECT_EQ(LoadResString(R.Id), R.Text);
  }
  EXPECT_EQ(Ids.size(), Table.size());
  EXPECT_EQ(LoadResString(1), "");
}

TEST_F(ExtCtrlsForD5, PublishedPropertiesInOrderWithTheirAccess) {
  TTestColorBox* Box = NewBox();
  const auto& P = Box->ClassInfo()->Props;
  ASSERT_EQ(P.size(), 43u);
  EXPECT_STREQ(P[0].Name, "DefaultColorColor");
  EXPECT_STREQ(P[2].Name, "Selected");
  EXPECT_STREQ(P[3].Name, "Style");
  EXPECT_STREQ(P[4].Name, "Anchors");
  EXPECT_STREQ(P[26].Name, "Visible");
  EXPECT_STREQ(P[27].Name, "OnChange");
  EXPECT_STREQ(P.back().Name, "OnStartDrag");
  EXPECT_EQ(P[2].Default, clBlack);
  EXPECT_EQ(P[3].Default, 0x7);  // standard, extended and system colours

  // Selected is read through GetSelected and written through SetSelected:
  // an unlisted colour goes to the custom slot, and reads back as given.
  const TColor Foreign = ColorFromBits(0x123456);
  SetOrdProp(Box, "Selected", Foreign);
  EXPECT_EQ(Box->ItemIndex(), 0);
  EXPECT_EQ(GetOrdProp(Box, "Selected"), Foreign);
  Box->SetItemIndex(-1);
  EXPECT_EQ(GetOrdProp(Box, "Selected"), NoColorSelected);
  EXPECT_EQ(GetSetProp(Box, "Style", true),
            "[cbStandardColors,cbExtendedColors,cbSystemColors,cbCustomColor]");
  SetOrdProp(Box, "Style", 0);
  EXPECT_FALSE(Box->Enabled());
  SetOrdProp(Box, "DefaultColorColor", clRed);
  EXPECT_EQ(Box->DefaultColorColor(), clRed);
}

#endif
