// The group editor: usage counts, presence flags and icons after each
// command, preconditions, the input boxes and the two move targets.

#include "DialogFixture.h"

namespace {
const std::vector<std::string> kPalette = {"Additional", "Standard", "System", "Win32"};
}

class GroupEditor : public DialogTest {};

TEST_F(GroupEditor, MovingOnePageInAndOutKeepsCountsAndIcons) {
  Make({{kAlpha, {"standard", "Servers"}}, {kBeta, {"Win32"}}}, kPalette);
  Run([&](TDialogDriver& D) {
    // FormShow counted: "standard" names Standard regardless of case.
    EXPECT_EQ(Counts(), (std::vector<long>{0, 1, 0, 1}));
    D.Sheet("TSGroupPage");
    D.Select("LBoxPageGroup", 0);
    EXPECT_EQ(Form->Tag(), 0);
    EXPECT_EQ(Middle(), (std::vector<std::string>{"standard", "Servers"}));
    EXPECT_EQ(Objects(Form->LBoxPagePalettePerPageGroup->Items()), (std::vector<long>{1, 0}));
    EXPECT_EQ(Icons(Form->LBoxPagePalettePerPageGroup), (std::vector<int>{1, 0}));
    EXPECT_EQ(Form->LBoxPagePalettePerPageGroup->ItemIndex(), -1);
    // ">" with nothing selected in the middle list does nothing.
    D.Click("BtnMoveToRightOne");
    EXPECT_EQ(Middle().size(), 2u);
    // "<" twice on the same page lists it twice.
    D.Select("LBoxPagePalette", "Additional");
    D.Click("BtnMoveToLeftOne");
    D.Click("BtnMoveToLeftOne");
    EXPECT_EQ(Pages(0),
              (std::vector<std::string>{"standard", "Servers", "Additional", "Additional"}));
    EXPECT_EQ(Counts(), (std::vector<long>{2, 1, 0, 1}));
    EXPECT_EQ(Icons(Form->LBoxPagePalette), (std::vector<int>{3, 3, 2, 3}));
    // ">" on one of them: the group still lists the page once.
    D.Select("LBoxPagePalettePerPageGroup", 3);
    EXPECT_EQ(Form->MoveTarget(), 1);
    D.Click("BtnMoveToRightOne");
    EXPECT_EQ(Pages(0), (std::vector<std::string>{"standard", "Servers", "Additional"}));
    EXPECT_EQ(Counts(), (std::vector<long>{1, 1, 0, 1}));
    EXPECT_EQ(Icons(Form->LBoxPagePalette), (std::vector<int>{3, 3, 2, 3}));
    EXPECT_EQ(Form->LBoxPagePalettePerPageGroup->ItemIndex(), -1);
    D.Ok();
  });
}

// FormShow counts each entry of every group for the first palette item
// that the list's exact-match search finds for it: names of another letter
// case count for the first of them, entries not on the palette nowhere,
// and an item's count from before is not kept. An item or an entry that
// holds a line break is still found whole, in either list.
TEST_F(GroupEditor, FormShowCountsEveryEntryForTheFirstItemFound) {
  const TGroups Groups = {{kAlpha, {"SYSTEM", "system", "Servers", "a\rb"}},
                          {kBeta, {"win32", "x\r\ny", "Win32"}}};
  Make(Groups, {"System", "Win32", "SYSTEM"});
  Form->LBoxPagePalette->Items()->SetObjects(2, TItemObject::FromInteger(7));
  Run([&](TDialogDriver& D) {
    EXPECT_EQ(Lines(Form->LBoxPagePalette->Items()),
              (std::vector<std::string>{"System", "SYSTEM", "Win32"}));
    EXPECT_EQ(Counts(), (std::vector<long>{2, 0, 2}));
    D.Cancel();
  });
  delete Form;
  Make(Groups, {"System", "Win32", "SYSTEM", "a\rb"});
  Run([&](TDialogDriver& D) {
    EXPECT_EQ(Counts(), (std::vector<long>{1, 2, 0, 2}));
    D.Cancel();
  });
}

TEST_F(GroupEditor, AllInAndAllOut) {
  Make({{kAlpha, {"Servers", "win32"}}, {kBeta, {"Win32", "System", "System"}}}, kPalette);
  Run([&](TDialogDriver& D) {
    D.Sheet("TSGroupPage");
    D.Select("LBoxPageGroup", 0);
    // "<<": every palette page once, in palette order; the foreign entry goes.
    D.Click("BtnMoveToLeftAll");
    EXPECT_EQ(Pages(0), kPalette);
    EXPECT_EQ(Middle(), kPalette);
    EXPECT_EQ(Icons(Form->LBoxPagePalettePerPageGroup), (std::vector<int>{1, 1, 1, 1}));
    EXPECT_EQ(Counts(), (std::vector<long>{1, 1, 3, 2}));
    // ">>" on the group listing System twice drops its count by 2.
    D.Select("LBoxPageGroup", 1);
    D.Click("BtnMoveToRightAll");
    EXPECT_TRUE(Pages(1).empty());
    EXPECT_TRUE(Middle().empty());
    EXPECT_EQ(Counts(), (std::vector<long>{1, 1, 1, 1}));
    // ">>" on an empty group does nothing.
    D.Click("BtnMoveToRightAll");
    EXPECT_EQ(Counts(), (std::vector<long>{1, 1, 1, 1}));
    D.Cancel();
  });
}

TEST_F(GroupEditor, WithoutASelectedGroupOnlyAddActs) {
  Make({{kAlpha, {"Standard"}}, {kBeta, {}}}, kPalette);
  Run([&](TDialogDriver& D) {
    D.Sheet("TSGroupPage");
    D.Select("LBoxPagePalette", 0);
    const TJson Before = D.Dump();
    for (const char* Button :
         {"BtnDelete", "BtnRename", "BtnMoveUp", "BtnMoveDown", "BtnMoveToLeftOne",
          "BtnMoveToRightOne", "BtnMoveToLeftAll", "BtnMoveToRightAll"})
      D.Click(Button);
    // The clicks moved the focus, nothing else.
    EXPECT_EQ(D.Dump(), Before);
    D.Focus("LBoxPagePalettePerPageGroup");
    D.Click("BtnMoveUp");
    D.Click("BtnMoveDown");
    EXPECT_EQ(Lines(Form->LBoxPageGroup->Items()), (std::vector<std::string>{kAlpha, kBeta}));
    EXPECT_EQ(Counts(), (std::vector<long>{0, 1, 0, 0}));
    // "<" needs a palette page too.
    Form->LBoxPagePalette->SetItemIndex(-1);
    D.Select("LBoxPageGroup", 0);
    D.Click("BtnMoveToLeftOne");
    EXPECT_EQ(Pages(0), std::vector<std::string>{"Standard"});
  });
}

TEST_F(GroupEditor, AddRenameAndDeleteGroups) {
  Make({{kAlpha, {"Standard", "System"}}, {kBeta, {"System"}}}, kPalette);
  std::vector<std::string> Asked;
  // "Нов ая 1" typed: the blank and the digit are dropped.
  std::string Answer = "\xCD\xEE\xE2 \xE0\xFF 1";
  bool Confirm = true;
  InputAnswer = [&](const std::string& Caption, const std::string& Prompt, std::string& V) {
    Asked.push_back(Caption + "|" + Prompt + "|" + V);
    if (!Confirm)
      return false;
    V = Answer;
    return true;
  };
  Run([&](TDialogDriver& D) {
    D.Sheet("TSGroupPage");
    D.Select("LBoxPageGroup", 1);
    D.Click("BtnAdd");
    EXPECT_EQ(Lines(Form->LBoxPageGroup->Items()),
              (std::vector<std::string>{kAlpha, kBeta, "\xCD\xEE\xE2\xE0\xFF"}));
    EXPECT_EQ(Form->Tag(), -1);
    EXPECT_EQ(Form->LBoxPageGroup->ItemIndex(), 1);
    ASSERT_NE(Form->GroupPages(2), nullptr);
    // Add with Cancel takes the initial text, whose English filters to an
    // empty name: refused.
    Confirm = false;
    D.Click("BtnAdd");
    EXPECT_EQ(Form->LBoxPageGroup->Items()->Count(), 3);
    // Rename with Cancel keeps the name, filtered.
    Form->LBoxPageGroup->Items()->SetStrings(1, "x" + kBeta + " 7");
    D.Click("BtnRename");
    EXPECT_EQ(Form->LBoxPageGroup->Items()->Get(1), kBeta);
    EXPECT_EQ(Asked.back(), "Rename group|Rename group|" + kBeta);
    EXPECT_EQ(Form->LBoxPageGroup->ItemIndex(), 1);
    EXPECT_EQ(Pages(1), std::vector<std::string>{"System"});
    // Delete asks nothing; Standard, listed by no other group, shows icon 2.
    const auto AskedBefore = Asked.size();
    D.Select("LBoxPageGroup", 0);
    D.Click("BtnDelete");
    EXPECT_EQ(Asked.size(), AskedBefore);
    EXPECT_EQ(Form->LBoxPageGroup->Items()->Count(), 2);
    EXPECT_EQ(Form->LBoxPageGroup->ItemIndex(), -1);
    EXPECT_EQ(Form->Tag(), -1);
    EXPECT_EQ(Counts(), (std::vector<long>{0, 0, 1, 0}));
    EXPECT_EQ(Icons(Form->LBoxPagePalette), (std::vector<int>{2, 2, 3, 2}));
    D.Ok();
  });
}

TEST_F(GroupEditor, NamesTheStoreCannotTellApartAreRefusedWithABeep) {
  Make({{kAlpha, {"Standard"}}, {kBeta, {"System"}}}, kPalette);
  std::string Answer;
  InputAnswer = [&](const std::string&, const std::string&, std::string& V) {
    V = Answer;
    return true;
  };
  Run([&](TDialogDriver& D) {
    D.Sheet("TSGroupPage");
    D.Select("LBoxPageGroup", 1);
    const TJson Before = D.Dump();
    const int Beeps = MessageBeepCount();
    struct TCase {
      const char* Button;
      std::string Name;
    };
    const TCase Refused[] = {
        {"BtnRename", kAlpha},
        {"BtnRename", "\xE0\xCB\xD4\xC0"},  // "аЛФА": the registry ignores case
        {"BtnRename", "Beta 2"},            // nothing left after the filter
        {"BtnAdd", kBeta},
        {"BtnAdd", "\xC1\xC5\xD2\xC0 2"},  // "БЕТА 2"
        {"BtnAdd", ""},
    };
    for (const auto& C : Refused) {
      SCOPED_TRACE(C.Name);
      Answer = C.Name;
      D.Click(C.Button);
      // Nothing changed: names, page lists, selection, shown group.
      EXPECT_EQ(D.Dump(), Before);
    }
    EXPECT_EQ(MessageBeepCount(), Beeps + 6);
    // The group's own name in another case is no other group's.
    Answer = "\xE1\xE5\xF2\xE0";  // "бета"
    D.Click("BtnRename");
    EXPECT_EQ(Lines(Form->LBoxPageGroup->Items()),
              (std::vector<std::string>{kAlpha, "\xE1\xE5\xF2\xE0"}));
    Answer = kGamma;
    D.Click("BtnAdd");
    EXPECT_EQ(Form->LBoxPageGroup->Items()->Count(), 3);
    EXPECT_EQ(MessageBeepCount(), Beeps + 6);
    D.Ok();
  });
}

TEST_F(GroupEditor, MoveUpAndDownInBothTargets) {
  Make({{kAlpha, {"Standard", "System", "Win32"}}, {kBeta, {}}, {kGamma, {"System"}}}, kPalette);
  Run([&](TDialogDriver& D) {
    D.Sheet("TSGroupPage");
    D.Select("LBoxPageGroup", 0);
    EXPECT_EQ(Form->MoveTarget(), 0);
    D.Click("BtnMoveUp");  // the first group stays
    EXPECT_EQ(Form->LBoxPageGroup->Items()->Get(0), kAlpha);
    D.Click("BtnMoveDown");
    EXPECT_EQ(Lines(Form->LBoxPageGroup->Items()),
              (std::vector<std::string>{kBeta, kAlpha, kGamma}));
    EXPECT_EQ(Form->LBoxPageGroup->ItemIndex(), 1);
    EXPECT_EQ(Form->Tag(), -1);
    EXPECT_EQ(Pages(1), (std::vector<std::string>{"Standard", "System", "Win32"}));
    // The keyboard moves the selection and reloads the middle list.
    D.KeyDown("LBoxPageGroup", "Down");
    EXPECT_EQ(Middle(), std::vector<std::string>{"System"});
    D.Click("BtnMoveDown");  // the last group stays
    EXPECT_EQ(Form->LBoxPageGroup->ItemIndex(), 2);
    // Clicking the moved group again reloads it.
    D.Select("LBoxPageGroup", 1);
    EXPECT_EQ(Middle(), (std::vector<std::string>{"Standard", "System", "Win32"}));
    // Focus on the middle list: the buttons move pages and write back.
    D.Focus("LBoxPagePalettePerPageGroup");
    EXPECT_EQ(Form->MoveTarget(), 1);
    D.Click("BtnMoveUp");  // no page selected
    EXPECT_EQ(Pages(1), (std::vector<std::string>{"Standard", "System", "Win32"}));
    D.Select("LBoxPagePalettePerPageGroup", 2);
    D.Click("BtnMoveDown");  // the last page stays
    D.Click("BtnMoveUp");
    EXPECT_EQ(Pages(1), (std::vector<std::string>{"Standard", "Win32", "System"}));
    EXPECT_EQ(Form->LBoxPagePalettePerPageGroup->ItemIndex(), 1);
    D.Click("BtnMoveUp");
    D.Click("BtnMoveUp");  // the first page stays
    EXPECT_EQ(Pages(1), (std::vector<std::string>{"Win32", "Standard", "System"}));
    // Focusing the palette list or a button keeps the target.
    D.Focus("LBoxPagePalette");
    EXPECT_EQ(Form->MoveTarget(), 1);
    D.Focus("LBoxPageGroup");
    EXPECT_EQ(Form->MoveTarget(), 0);
    D.Ok();
  });
}

TEST_F(GroupEditor, RusToRusKeepsCyrillicLettersAndLineBytesOnly) {
  struct TCase {
    std::string In, Out;
  };
  const TCase Cases[] = {
      {"", ""},
      {"Group 12", ""},
      {"\xC0\xEB\xF4\xE0 \xC1\xE5\xF2\xE0", "\xC0\xEB\xF4\xE0\xC1\xE5\xF2\xE0"},
      {"\xA8\xEB\xEA\xE0\xB8", "\xEB\xEA\xE0"},  // Ё and ё go
      {"a\r\nb\x1F\xFF\xC0", "\r\n\x1F\xFF\xC0"},
  };
  for (const auto& C : Cases)
    EXPECT_EQ(RusToRus(C.In), C.Out) << C.In;
}
