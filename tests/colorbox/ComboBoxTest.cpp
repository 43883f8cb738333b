#include <gtest/gtest.h>

#include <algorithm>

#include <string>
#include <vector>

#include "CustomComboBox.h"
#include "Dialogs.h"
#include "Fixture.h"
#include "ModalUser.h"
#include "StdCtrls.h"
#include "TextMetrics.h"
#include "WindowCapture.h"
#include "WindowDrawing.h"

namespace {

class TRecordingCombo : public TCustomComboBox {
 public:
  explicit TRecordingCombo(TWinControl* AParent) : TCustomComboBox(AParent) {
    if (AParent != nullptr)
      SetParent(AParent);
  }
  void OnChangeHandler(TObject*) { Log.push_back("OnChange"); }
  void OnClickHandler(TObject*) { Log.push_back("OnClick"); }
  void OnSelectHandler(TObject*) { Log.push_back("OnSelect"); }
  void OnDropDownHandler(TObject*) { Log.push_back("OnDropDown"); }
  void OnCloseUpHandler(TObject*) { Log.push_back("OnCloseUp:" + std::to_string(ItemIndex())); }
  int WindowsCreated = 0;
  std::vector<std::string> Log;

 protected:
  void CreateWnd() override {
    TCustomComboBox::CreateWnd();
    ++WindowsCreated;
  }
};

}  // namespace

using ComboBox = ColorBoxFixture;

TEST_F(ComboBox, SelectionFollowsTheItemsAsTheNativeListDoes) {
  auto* C = new TRecordingCombo(Form);
  C->Items()->AddObject("a", TItemObject::FromInteger(-5));
  C->Items()->Add("b");
  C->Items()->Add("c");
  EXPECT_EQ(C->Items()->Objects(0).AsInteger(), -5);
  C->SetItemIndex(1);
  C->Items()->Insert(0, "z");
  EXPECT_EQ(C->ItemIndex(), 2);
  C->Items()->Delete(0);
  EXPECT_EQ(C->ItemIndex(), 1);
  C->Items()->Delete(2);
  EXPECT_EQ(C->ItemIndex(), 1);
  C->Items()->Delete(1);
  EXPECT_EQ(C->ItemIndex(), -1);
  C->SetItemIndex(7);
  EXPECT_EQ(C->ItemIndex(), -1);
  C->SetItemIndex(0);
  C->Items()->Clear();
  EXPECT_EQ(C->ItemIndex(), -1);
  EXPECT_THROW(C->Items()->Get(0), EStringListError);
  EXPECT_THROW(ChooseComboItem(C, 0), EListError);
}

TEST_F(ComboBox, WindowIsMadeOnDemandAndWhenShown) {
  auto* C = new TRecordingCombo(nullptr);
  EXPECT_FALSE(C->HandleAllocated());
  C->SetParent(Form);
  EXPECT_TRUE(C->HandleAllocated());
  EXPECT_EQ(C->WindowsCreated, 1);
  C->SetItemIndex(-1);
  C->Items()->Add("kept");
  C->SetItemIndex(0);
  C->SetStyle(csOwnerDrawFixed);
  EXPECT_EQ(C->WindowsCreated, 2);
  EXPECT_EQ(C->Text(), "kept");
  EXPECT_EQ(C->Height(), 16 + 6);
  delete C;
}

TEST_F(ComboBox, UserChoiceRaisesTheEventsOfTheHostVersion) {
  auto* C = new TRecordingCombo(Form);
  C->Items()->SetText("one\r\ntwo\r\n");
  C->SetOnChange(TNotifyEvent::Of<&TRecordingCombo::OnChangeHandler>(C));
  C->SetOnClick(TNotifyEvent::Of<&TRecordingCombo::OnClickHandler>(C));
  C->SetOnDropDown(TNotifyEvent::Of<&TRecordingCombo::OnDropDownHandler>(C));
  C->SetItemIndex(0);
  EXPECT_TRUE(C->Log.empty()) << "selecting from code raises nothing";
  ChooseComboItem(C, 1);
  EXPECT_EQ(C->ItemIndex(), 1);
  EXPECT_EQ(C->Text(), "two");
  EXPECT_EQ(Form->ActiveControl(), C);
  // The edit's text is the window's, which the user changes without the
  // control.
  SetWindowText(C->Handle(), "typed");
  EXPECT_EQ(C->Text(), "typed");
#if TABULON_HOST == 5
  EXPECT_EQ(C->Log, (std::vector<std::string>{"OnDropDown", "OnClick", "OnChange"}));
#else
  EXPECT_EQ(C->Log, (std::vector<std::string>{"OnDropDown", "OnClick", "OnChange"}));
  // With OnSelect assigned, Select raises it instead of OnChange; the list
  // closes after the item is selected.
  C->Log.clear();
  C->SetOnSelect(TNotifyEvent::Of<&TRecordingCombo::OnSelectHandler>(C));
  C->SetOnCloseUp(TNotifyEvent::Of<&TRecordingCombo::OnCloseUpHandler>(C));
  ChooseComboItem(C, 0);
  EXPECT_EQ(C->Log, (std::vector<std::string>{"OnDropDown", "OnCloseUp:0", "OnClick", "OnSelect"}));
#endif
}

TEST_F(ComboBox, ItemUpdatesInABatchPaintOnce) {
  auto* C = new TRecordingCombo(Form);
  App->ProcessMessages();
  const int Before = C->PaintCount();
  C->Items()->BeginUpdate();
  for (int i = 0; i < 5; ++i)
    C->Items()->Add("item");
  EXPECT_FALSE(C->NeedsPaint());
  C->Items()->EndUpdate();
  EXPECT_TRUE(C->NeedsPaint());
  App->ProcessMessages();
  EXPECT_EQ(C->PaintCount(), Before + 1);
}

// The fill of the edit part in what the control's window drew at its last
// paint, which the headless platform records; nullptr when there is none.
const TDisplayItem* EditFill(TCustomComboBox* C) {
  const TDisplayList* Drawn = WindowDrawing(C->Handle());
  if (Drawn == nullptr)
    return nullptr;
  const TDisplayItem* Found = nullptr;
  for (const TDisplayItem& I : Drawn->Items())
    if (I.Kind == TDisplayItem::dkFillRect && I.Rect == C->EditRect())
      Found = &I;
  return Found;
}

TEST_F(ComboBox, OwnerDrawCanvasIsPreparedPerItem) {
  auto* C = new TRecordingCombo(Form);
  C->SetStyle(csOwnerDrawFixed);
  C->Items()->SetText("first\r\nsecond\r\n");
  C->SetItemIndex(1);
  C->PaintList();
  const auto& Items = C->Canvas()->DisplayList().Items();
  // The default drawing: fill, then the text 2 pixels in, per item.
  ASSERT_EQ(Items.size(), 4u);
  EXPECT_EQ(Items[0].Kind, TDisplayItem::dkFillRect);
  EXPECT_EQ(Items[0].Rect, (TRect{0, 0, 145, 16}));
  EXPECT_EQ(Items[0].Color, static_cast<std::uint32_t>(clWindow));
  EXPECT_EQ(Items[1].Text, "first");
  EXPECT_EQ(Items[1].Color, static_cast<std::uint32_t>(clWindowText));
  EXPECT_EQ(Items[1].X, 2);
  EXPECT_EQ(Items[2].Rect, (TRect{0, 16, 145, 32}));
  EXPECT_EQ(Items[2].Color, static_cast<std::uint32_t>(clHighlight));
  EXPECT_EQ(Items[3].Color, static_cast<std::uint32_t>(clHighlightText));
  EXPECT_EQ(Items[3].BkColor, static_cast<std::uint32_t>(clHighlight));

  // The closed control's window asks for its selected item in the edit
  // part, drawn on the paint's DC.
  if (WindowCaptureAvailable())
    return;
  App->ProcessMessages();
  const TDisplayItem* Fill = EditFill(C);
  ASSERT_NE(Fill, nullptr);
  EXPECT_EQ(Fill->Color, static_cast<std::uint32_t>(clWindow));
  const TDisplayList* Face = WindowDrawing(C->Handle());
  EXPECT_TRUE(std::any_of(Face->Items().begin(), Face->Items().end(),
                          [](const TDisplayItem& I) { return I.Text == "second"; }));
}

TEST_F(ComboBox, ClosedControlHighlightsItsItemWhileFocusedOnly) {
  auto* C = new TRecordingCombo(Form);
  auto* Other = new TRecordingCombo(Form);
  C->SetStyle(csOwnerDrawFixed);
  C->Items()->SetText("first\r\nsecond\r\n");
  C->SetItemIndex(1);
  if (WindowCaptureAvailable())
    GTEST_SKIP() << "the real platform keeps no recording of a paint";
  // The colour the closed control's item was last filled with.
  const auto Fill = [C] {
    const TDisplayItem* Item = EditFill(C);
    return Item != nullptr ? Item->Color : 0u;
  };
  App->ProcessMessages();
  EXPECT_EQ(Fill(), static_cast<std::uint32_t>(clWindow));
  Form->FocusControl(C);
  App->ProcessMessages();
  EXPECT_EQ(Fill(), static_cast<std::uint32_t>(clHighlight));
  Form->FocusControl(Other);
  App->ProcessMessages();
  EXPECT_EQ(Fill(), static_cast<std::uint32_t>(clWindow));
}

TEST_F(ComboBox, CanvasRecordsWhatTheColourBoxDrawsWith) {
  TCanvas C;
  C.Brush()->SetColor(clRed);
  C.FillRect({1, 1, 15, 15});
  C.Brush()->SetColor(clBlack);
  C.FrameRect({1, 1, 15, 15});
  C.Brush()->SetColor(clWindow);
  C.Font()->SetColor(clWindowText);
  C.TextRect({20, 0, 145, 16}, 20, 1, "clRed");
  const auto& L = C.DisplayList().Items();
  ASSERT_EQ(L.size(), 3u);
  EXPECT_EQ(L[0].Color, static_cast<std::uint32_t>(clRed));
  EXPECT_EQ(L[1].Kind, TDisplayItem::dkFrameRect);
  EXPECT_EQ(L[1].Color, static_cast<std::uint32_t>(clBlack));
  EXPECT_EQ(L[2].Rect, (TRect{20, 0, 145, 16}));
  EXPECT_EQ(L[2].BkColor, static_cast<std::uint32_t>(clWindow));
  EXPECT_TRUE(L[2].Opaque);
  EXPECT_EQ(C.TextHeight("clRed"), FontMetrics(TFontDesc{}).tmHeight);
}

TEST_F(ComboBox, ColourDialogAndInputBoxAskTheirDrivers) {
  TColorDialog D(nullptr);
  D.SetColor(clGreen);
  EXPECT_FALSE(D.Execute()) << "no driver: the user cancels";
  EXPECT_EQ(D.Color(), clGreen);
  EXPECT_EQ(TColorDialog::Executing(), nullptr);

  TColor SeenColor = -1;
  bool Answer = false;
  App->SetColorDriver([&](Integer& Color) {
    SeenColor = Color;
    EXPECT_EQ(TColorDialog::Executing(), &D);
    Color = 0x00ABCDEF;
    return Answer;
  });
  EXPECT_FALSE(D.Execute());
  EXPECT_EQ(SeenColor, clGreen);
  EXPECT_EQ(D.Color(), clGreen) << "Cancel keeps the colour";
  Answer = true;
  EXPECT_TRUE(D.Execute());
  EXPECT_EQ(D.Color(), 0x00ABCDEF);
  EXPECT_EQ(TColorDialog::Executing(), nullptr);

  {
    TModalUser Idle(nullptr);
    EXPECT_EQ(InputBox("Caption", "Prompt", "default"), "default") << "nothing typed: cancelled";
  }
  // The input box is a modal form: its caption, its prompt, and its edit
  // with the initial text, which the user types over, then OK or Cancel.
  TModalUser User([](TCustomForm* Box) {
    std::string Prompt, Value;
    for (int i = 0; i < Box->ControlCount(); ++i) {
      if (const auto* Label = dynamic_cast<const TLabel*>(Box->Controls(i)))
        Prompt = Label->Caption();
      if (const auto* Edit = dynamic_cast<const TEdit*>(Box->Controls(i)))
        Value = Edit->Text();
    }
    EXPECT_EQ(Box->Caption(), "Caption");
    EXPECT_EQ(Prompt, "Prompt");
    const std::string Typed = Value + "!";
    AnswerInputBox(Box, Value == "cancel me" ? nullptr : &Typed);
  });
  EXPECT_EQ(InputBox("Caption", "Prompt", "default"), "default!");
  EXPECT_EQ(InputBox("Caption", "Prompt", "cancel me"), "cancel me");
}
