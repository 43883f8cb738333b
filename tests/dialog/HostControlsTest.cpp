// The host controls the dialog is built from, where their VCL behaviour is
// easy to get wrong: which changes raise OnClick, what a sorted list does to
// item objects and the selection, how the dialog buttons end a modal loop.

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "ApplicationTest.h"
#include "Buttons.h"
#include "EventSpy.h"
#include "Forms.h"
#include "ModalUser.h"
#include "Seed.h"
#include "StdCtrls.h"
#include "UserInput.h"
#include "WindowCapture.h"

namespace {
class HostControls : public ApplicationTest {
 protected:
  void SetUp() override {
    ApplicationTest::SetUp();
    Form = new TForm(nullptr);
  }
  void TearDown() override {
    delete Form;
    ApplicationTest::TearDown();
  }
  TForm* Form = nullptr;
  TEventSpy C;
};
}  // namespace

TEST_F(HostControls, CheckBoxClicksOnEveryChangeAndOnlyThen) {
  auto* Box = new TCheckBox(Form);
  Box->SetParent(Form);
  Box->SetOnClick(C.Event());
  Box->SetChecked(false);
  EXPECT_EQ(C.Count(), 0);
  Box->SetChecked(true);
  Box->SetChecked(true);
  EXPECT_EQ(C.Count(), 1);
  Form->Show();
  ClickControl(Box);
  EXPECT_FALSE(Box->Checked());
  EXPECT_EQ(C.Count(), 2);
  EXPECT_EQ(Form->ActiveControl(), Box);
}

TEST_F(HostControls, ListBoxSortsWithObjectsAndClicksForUsersOnly) {
  auto* List = new TListBox(Form);
  List->SetParent(Form);
  List->SetOnClick(C.Event());
  TStrings* Items = List->Items();
  Items->AddObject("b", TItemObject::FromInteger(2));
  Items->AddObject("C", TItemObject::FromInteger(3));
  Items->AddObject("a", TItemObject::FromInteger(1));
  List->SetItemIndex(1);
  EXPECT_EQ(C.Count(), 0);
  List->SetSorted(true);
  EXPECT_EQ(Items->Text(), "a\r\nb\r\nC\r\n");
  EXPECT_EQ(Items->Objects(2).AsInteger(), 3);
  // A new item goes to its sorted place; the selection follows its item.
  List->SetItemIndex(2);
  Items->Add("B");
  EXPECT_EQ(Items->Text(), "a\r\nb\r\nB\r\nC\r\n");
  EXPECT_EQ(List->ItemIndex(), 3);
  EXPECT_EQ(List->FindExact("c"), 3);
  EXPECT_EQ(List->FindExact("c "), -1);
  // Renaming keeps the object and the selection in place.
  List->SetItemIndex(0);
  Items->SetStrings(0, "z");
  EXPECT_EQ(Items->Get(0), "z");
  EXPECT_EQ(Items->Objects(0).AsInteger(), 1);
  EXPECT_EQ(List->ItemIndex(), 0);
  Form->Show();
  ClickListItem(List, 1);
  EXPECT_EQ(C.Count(), 1);
  EXPECT_EQ(Form->ActiveControl(), List);
  PressKey(List->Handle(), VK_UP);
  // Already at the top: no change, no click. Windows' own list box tells of
  // the key all the same (Wine's does), and the box clicks for it.
  PressKey(List->Handle(), VK_UP);
  EXPECT_EQ(List->ItemIndex(), 0);
  EXPECT_EQ(C.Count(), WindowCaptureAvailable() ? 3 : 2);
}

// The list box finds items through an index that lives across changes; after
// every kind of change it must find what a plain scan finds first: whole
// text, letter case ignored (Latin and Cyrillic, Ё with ё), first match.
TEST_F(HostControls, ListBoxLookupsFindTheFirstEqualItemAfterEveryChange) {
  auto* List = new TListBox(Form);
  TStrings* Items = List->Items();
  // "ab", "AB", "аб", "АБ", "ё", "Ё", "е", "a", "ab " and the empty text.
  const std::string Texts[] = {"ab",   "AB",   "\xE0\xE1", "\xC0\xC1", "\xB8",
                               "\xA8", "\xE5", "a",        "ab ",      ""};
  const std::uint64_t Seed = TestSeed(17);
  SCOPED_TRACE(SeedNote(Seed));
  std::mt19937 Random(static_cast<std::uint32_t>(Seed));
  auto Pick = [&](int N) { return static_cast<int>(Random() % static_cast<unsigned>(N)); };
  auto AnyText = [&] { return Texts[Pick(static_cast<int>(std::size(Texts)))]; };
  for (int Step = 0; Step < 3000; ++Step) {
    const int Count = Items->Count();
    switch (Pick(Count == 0 ? 2 : 9)) {
      case 0:
      case 1:
        Items->Add(AnyText());
        break;
      case 2:
        Items->Insert(Pick(Count + 1), AnyText());
        break;
      case 3:
        Items->Delete(Count - 1);
        break;
      case 4:
        Items->Delete(Pick(Count));
        break;
      case 5:
        Items->SetStrings(Pick(Count), AnyText());
        break;
      case 6:
        Items->Move(Pick(Count), Pick(Count));
        break;
      case 7:
        if (Pick(8) == 0)
          Items->Clear();
        else
          Items->SetObjects(Pick(Count), TItemObject::FromInteger(Step));
        break;
      case 8:
        // Sorted lists insert in the middle; switching sorting on reorders.
        List->SetSorted(!List->Sorted());
        break;
    }
    for (const std::string& Probe : Texts) {
      int First = -1;
      for (int i = 0; i < Items->Count() && First < 0; ++i)
        if (AnsiCompareText(Items->Get(i), Probe) == 0)
          First = i;
      ASSERT_EQ(List->FindExact(Probe), First) << "step " << Step << ", probe '" << Probe << "'";
      ASSERT_EQ(Items->IndexOf(Probe), First) << "step " << Step;
    }
  }
}

// Sorting ranks each text's first eight bytes as one number: the order must
// stay AnsiCompareText's (Ё right after Е, either case equal) past those
// bytes and between a text and its prefixes, and equal texts keep their
// order, their objects travelling with them.
TEST_F(HostControls, ListBoxSortKeepsCompareTextOrderAndEqualItemsInPlace) {
  auto* List = new TListBox(Form);
  const std::vector<std::string> Texts = {"\xC6",
                                          "\xA8",
                                          "\xC5",
                                          "\xB8",
                                          "\xE5",
                                          "e",
                                          "E",
                                          "ab",
                                          "\xFF",
                                          "a",
                                          "",
                                          "Ab",
                                          "abcdefghij",
                                          "abcdefgh",
                                          "ABCDEFGHIJ",
                                          "abcdefgh\xE0",
                                          "abcdefghZ",
                                          "abcdefghi",
                                          std::string("a\0", 2),
                                          "ABCDEFGH"};
  std::vector<int> Expected(Texts.size());
  for (std::size_t i = 0; i < Texts.size(); ++i) {
    List->Items()->AddObject(Texts[i], TItemObject::FromInteger(static_cast<NativeInt>(i)));
    Expected[i] = static_cast<int>(i);
  }
  std::stable_sort(Expected.begin(), Expected.end(), [&](int L, int R) {
    return AnsiCompareText(Texts[static_cast<std::size_t>(L)], Texts[static_cast<std::size_t>(R)]) <
           0;
  });
  List->SetSorted(true);
  for (int i = 0; i < List->Items()->Count(); ++i)
    EXPECT_EQ(List->Items()->Objects(i).AsInteger(), Expected[static_cast<std::size_t>(i)]) << i;
  EXPECT_EQ(List->Items()->Get(14), "\xC5");
  EXPECT_EQ(List->Items()->Get(16), "\xA8");

  // Every byte on its own, added from the last: the ranks the sort gives
  // the bytes are a table, which must order them as AnsiCompareText does
  // and keep those it holds equal in the order they came.
  auto* Bytes = new TListBox(Form);
  for (int B = 255; B >= 0; --B)
    Bytes->Items()->AddObject(std::string(1, static_cast<char>(B)), TItemObject::FromInteger(B));
  Bytes->SetSorted(true);
  for (int i = 1; i < Bytes->Items()->Count(); ++i) {
    const int Order = AnsiCompareText(Bytes->Items()->Get(i - 1), Bytes->Items()->Get(i));
    const NativeInt Before = Bytes->Items()->Objects(i - 1).AsInteger();
    const NativeInt After = Bytes->Items()->Objects(i).AsInteger();
    EXPECT_TRUE(Order < 0 || (Order == 0 && Before > After)) << Before << " before " << After;
  }
}

TEST_F(HostControls, DialogButtonsEndTheModalLoop) {
  auto* Ok = new TBitBtn(Form);
  Ok->SetParent(Form);
  Ok->SetKind(bkOK);
  auto* Close = new TBitBtn(Form);
  Close->SetParent(Form);
  Close->SetKind(bkClose);
  Close->SetOnClick(C.Event());
  auto* Plain = new TButton(Form);
  Plain->SetParent(Form);
  Plain->SetTag(7);
  EXPECT_EQ(Ok->Caption(), "OK");
  EXPECT_TRUE(Ok->Default());
  TButton* Press = Ok;
  TModalUser User([&](TCustomForm*) {
    ClickControl(Plain);
    EXPECT_EQ(Form->ModalResult(), mrNone);
    ClickControl(Press);
  });
  EXPECT_EQ(Form->ShowModal(), mrOk);
  Press = Close;
  EXPECT_EQ(Form->ShowModal(), mrCancel);
  // bkClose closes instead of running OnClick.
  EXPECT_EQ(C.Count(), 0);
  EXPECT_EQ(Plain->Tag(), 7);
}

TEST_F(HostControls, AutoSizedLabelFollowsItsCaption) {
  auto* Label = new TLabel(Form);
  Label->SetParent(Form);
  Label->SetCaption("MSec");
  const int Short = Label->Width();
  Label->SetCaption("MSec MSec");
  EXPECT_GT(Label->Width(), Short);
  Label->SetAutoSize(false);
  Label->SetBounds(0, 0, 28, 13);
  Label->SetCaption("a much longer caption");
  EXPECT_EQ(Label->Width(), 28);
}
