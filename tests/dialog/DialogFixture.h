#pragma once

// The settings dialog on its own, filled the way the settings command fills
// it, and run modally with a test acting as the user through the driver.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "ApplicationTest.h"
#include "DialogDriver.h"
#include "ModalUser.h"
#include "TestText.h"
#include "uORVFrmMain.h"

using TGroups = std::vector<std::pair<std::string, std::vector<std::string>>>;

class DialogTest : public ApplicationTest {
 protected:
  void TearDown() override {
    delete Form;
    ApplicationTest::TearDown();
  }

  TFrmMainORVExpert* Make(const TGroups& Groups = {},
                          const std::vector<std::string>& Palette = {}) {
    Form = new TFrmMainORVExpert(nullptr);
    for (const auto& G : Groups)
      Form->LBoxPageGroup->Items()->Add(G.first);
    Form->FrmInit_Create();
    for (std::size_t i = 0; i < Groups.size(); ++i)
      for (const auto& P : Groups[i].second)
        Form->GroupPages(static_cast<int>(i))->Add(P);
    for (const auto& P : Palette)
      Form->LBoxPagePalette->Items()->Add(P);
    Form->LBoxPagePalette->SetSorted(true);
    return Form;
  }

  // Shows the dialog modally; Body acts as the user, and InputAnswer answers
  // the input boxes it opens (none: the user cancels them). Returns the
  // modal result.
  TModalResult Run(const std::function<void(TDialogDriver&)>& Body) {
    TModalUser User(
        [&](TCustomForm* F) {
          TDialogDriver D(F);
          Body(D);
        },
        [this](const std::string& Caption, const std::string& Prompt, std::string& Value) {
          return InputAnswer && InputAnswer(Caption, Prompt, Value);
        });
    return Form->ShowModal();
  }
  TModalUser::TAnswer InputAnswer;

  static std::vector<long> Objects(const TStrings* S) {
    std::vector<long> R;
    for (int i = 0; i < S->Count(); ++i)
      R.push_back(static_cast<long>(S->Objects(i).AsInteger()));
    return R;
  }
  // The icons the list draws for its items, one per item, in order: each
  // item asked for as its window asks, on a DC that records.
  static std::vector<int> Icons(TListBox* List) {
    TDisplayList Drawn;
    const HDC DC = CreateRecordingDC(&Drawn, nullptr);
    for (int i = 0; i < List->Items()->Count(); ++i) {
      DRAWITEMSTRUCT Item;
      Item.CtlType = ODT_LISTBOX;
      Item.itemID = static_cast<UINT>(i);
      Item.itemAction = ODA_DRAWENTIRE;
      Item.hwndItem = List->Handle();
      Item.hDC = DC;
      Item.rcItem = TRect{0, 0, List->ClientWidth(), List->ItemHeight()};
      List->Perform(CN_DRAWITEM, 0, reinterpret_cast<LPARAM>(&Item));
    }
    DeleteDC(DC);
    std::vector<int> R;
    for (const auto& Item : Drawn.Items())
      if (Item.Kind == TDisplayItem::dkImage)
        R.push_back(Item.ImageIndex);
    return R;
  }
  std::vector<long> Counts() const { return Objects(Form->LBoxPagePalette->Items()); }
  std::vector<std::string> Middle() const {
    return Lines(Form->LBoxPagePalettePerPageGroup->Items());
  }
  std::vector<std::string> Pages(int Group) const { return Lines(Form->GroupPages(Group)); }

  TFrmMainORVExpert* Form = nullptr;
};
