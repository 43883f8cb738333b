// The options page: the form as built, the click rules with their enabled
// states, and the accessors' conversions.

#include "CodePage.h"
#include "DialogFixture.h"

class OptionsPage : public DialogTest {};

TEST_F(OptionsPage, OpensOnTheOptionsPageWithItsCaptionsAndTabOrder) {
  Make();
  // The form resource names the group editor; FormCreate overrides it.
  EXPECT_EQ(Form->PageControlMain->ActivePage(), Form->TSMain);
  EXPECT_EQ(Form->Tag(), -1);
  EXPECT_EQ(Form->MoveTarget(), 0);
  EXPECT_EQ(Form->ClientWidth(), 532);
  EXPECT_EQ(Form->BorderStyle(), bsDialog);
  EXPECT_EQ(Form->CheckBoxDrawGroupPage->Caption(), "X");
  // The spin edits come after the group box's check boxes, level with their
  // "MSec" labels by the height they have when the form is created.
  auto* Spin = As<TORVExpert_CORVSpin>(Form->FindComponent("SpinTimerRefreshPagesInterval"));
  EXPECT_EQ(Spin->TabOrder(), 4);
  EXPECT_EQ(Form->CheckBoxTimerRefreshPageGroup->TabOrder(), 0);
  EXPECT_EQ(Form->CheckBoxTimerKeepSelectPageGroup->TabOrder(), 2);
  EXPECT_EQ(Spin->Left(), 20);
  EXPECT_EQ(Spin->Width(), 109);
  EXPECT_EQ(Spin->Top(), 204 - Spin->Height() / 4);
  Run([&](TDialogDriver& D) {
    // Still level once the window has given the spin edit its own height.
    EXPECT_TRUE(Spin->HandleAllocated());
    EXPECT_EQ(Spin->Top(), 204 - Spin->Height() / 4);
    EXPECT_EQ(D.Dump()["activeSheet"], "TSMain");
    // FormShow named every placeholder.
    for (int i = 0; i < Form->ComponentCount(); ++i)
      if (auto* C = dynamic_cast<TControl*>(Form->Components(i))) {
        EXPECT_NE(C->Caption(), "X") << C->Name();
      }
  });
  EXPECT_EQ(Form->BitBtn2->ModalResult(), mrOk);
  EXPECT_TRUE(Form->BitBtn2->Default());
}

TEST_F(OptionsPage, TimerBoxesEnableThePeriodOnlyOnceARuleRan) {
  Make();
  auto* Spin = As<TWinControl>(Form->FindComponent("SpinTimerRefreshPagesInterval"));
  // Both boxes left unchecked: no rule ran, FormShow disables the spin edit
  // only and the labels stay as loaded.
  Form->SetFrmGetTimerRefreshGroupPage(false);
  Form->SetFrmTimerRefreshPagePalette(false);
  Run([&](TDialogDriver& D) {
    EXPECT_FALSE(Spin->Enabled());
    EXPECT_TRUE(Form->Lbl_PeriodSortGroup->Enabled());
    EXPECT_TRUE(Form->Lbl_PeriodMS->Enabled());
    D.Check("CheckBoxTimerRefreshPagePalette", true);
    EXPECT_TRUE(Spin->Enabled());
    EXPECT_TRUE(Form->Lbl_PeriodSortGroup->Enabled());
    D.Check("CheckBoxTimerRefreshPagePalette", false);
    EXPECT_FALSE(Spin->Enabled());
    EXPECT_FALSE(Form->Lbl_PeriodSortGroup->Enabled());
    EXPECT_FALSE(Form->Lbl_PeriodMS->Enabled());
    // A disabled spin edit is out of the user's reach.
    EXPECT_THROW(D.Type("SpinTimerRefreshPagesInterval", "5"), Exception);
    // Group refresh includes palette refresh: unchecking the palette box
    // while the group box is checked is undone at once.
    D.Check("CheckBoxTimerRefreshPageGroup", true);
    EXPECT_TRUE(Form->CheckBoxTimerRefreshPagePalette->Checked());
    D.Click("CheckBoxTimerRefreshPagePalette");
    EXPECT_TRUE(Form->CheckBoxTimerRefreshPagePalette->Checked());
    D.Cancel();
  });
}

TEST_F(OptionsPage, CallerOrderDecidesTheCoupledBoxes) {
  struct TCase {
    const char* Name;
    bool Group, Palette, Keep;
    bool GroupChecked, GroupEnabled, PaletteChecked;
  };
  const TCase Cases[] = {
      {"group forces palette", true, false, false, true, true, true},
      {"keep excludes group, palette stays", true, false, true, false, false, true},
      {"keep alone", false, false, true, false, false, false},
      {"nothing", false, false, false, false, true, false},
  };
  for (const auto& C : Cases) {
    SCOPED_TRACE(C.Name);
    Make();
    Form->SetFrmGetTimerRefreshGroupPage(C.Group);
    Form->SetFrmTimerRefreshPagePalette(C.Palette);
    Form->CheckBoxTimerKeepSelectPageGroup->SetChecked(C.Keep);
    EXPECT_EQ(Form->GetFrmGetTimerRefreshGroupPage(), C.GroupChecked);
    EXPECT_EQ(Form->CheckBoxTimerRefreshPageGroup->Enabled(), C.GroupEnabled);
    EXPECT_EQ(Form->GetFrmTimerRefreshPagePalette(), C.PaletteChecked);
    // Either timer box set by the caller: the period and its labels are on.
    auto* Spin = As<TWinControl>(Form->FindComponent("SpinTimerRefreshPagesInterval"));
    Run([&](TDialogDriver& D) {
      EXPECT_EQ(Spin->Enabled(), C.GroupChecked || C.PaletteChecked);
      if (C.Keep) {
        EXPECT_THROW(D.Click("CheckBoxTimerRefreshPageGroup"), Exception);
        // Unchecking keep enables the group box without checking it.
        D.Check("CheckBoxTimerKeepSelectPageGroup", false);
        EXPECT_TRUE(Form->CheckBoxTimerRefreshPageGroup->Enabled());
        EXPECT_FALSE(Form->CheckBoxTimerRefreshPageGroup->Checked());
      }
    });
    delete Form;
    Form = nullptr;
  }
}

TEST_F(OptionsPage, ShadowBoxKeepsItsStateWhileDisabled) {
  Make();
  Form->SetFrmPageGroup_OwnerDraw(true);
  Form->SetFrmPageGroup_DrawTabShadow(true);
  Form->SetFrmPageGroup_OwnerDraw(false);
  EXPECT_FALSE(Form->CheckBoxDrawGroupPageShadow->Enabled());
  EXPECT_TRUE(Form->GetFrmPageGroup_DrawTabShadow());
  // Without a rule having run, FormShow decides alone.
  delete Form;
  Make();
  Form->SetFrmPageGroup_DrawTabShadow(true);
  Run([&](TDialogDriver& D) {
    EXPECT_FALSE(Form->CheckBoxDrawGroupPageShadow->Enabled());
    EXPECT_THROW(D.Click("CheckBoxDrawGroupPageShadow"), Exception);
    // Any box of the drawing rule re-evaluates it.
    D.Click("CheckBoxMultilinePalette");
    EXPECT_FALSE(Form->CheckBoxDrawGroupPageShadow->Enabled());
    D.Click("CheckBoxDrawGroupPage");
    EXPECT_TRUE(Form->CheckBoxDrawGroupPageShadow->Enabled());
    D.Ok();
  });
  EXPECT_TRUE(Form->GetFrmPageGroup_DrawTabShadow());
  EXPECT_TRUE(Form->GetFrmPagePalette_Multiline());
}

TEST_F(OptionsPage, SpinAccessorsConvertBetween32And64Bits) {
  Make();
  Form->SetFrmGetTimerInstallRefresh(50);
  EXPECT_EQ(Form->GetFrmGetTimerInstallRefresh(), 50);
  Form->SetFrmGetTimerRefreshPagesInterval(10000);
  EXPECT_EQ(Form->GetFrmGetTimerRefreshPagesInterval(), 10000);
  Form->SetFrmGetTimerRefreshGroupPage(true);
  EXPECT_EQ(Run([&](TDialogDriver& D) {
              // Beyond what a timer holds: 2^32 + 50 and 2^31 are held at
              // 2^31 - 1, never cut to their low 32 bits (50 and negative).
              D.Type("SpinTimerInstallRefresh", "4294967346");
              D.Type("SpinTimerRefreshPagesInterval", "2147483648");
              D.Ok();
            }),
            mrOk);
  auto* Spin = As<TORVExpert_CORVSpin>(Form->FindComponent("SpinTimerInstallRefresh"));
  EXPECT_EQ(Spin->Value(), 4294967346LL);
  EXPECT_EQ(Form->GetFrmGetTimerInstallRefresh(), INT32_MAX);
  EXPECT_EQ(Form->GetFrmGetTimerRefreshPagesInterval(), INT32_MAX);
}

TEST_F(OptionsPage, ColourAndLinkAndClosing) {
  Make();
  Form->SetFrmColorPageGroup(clWindowText);
  App->SetColorDriver([](Integer& C) {
    C = 0x123456;
    return true;
  });
  Run([&](TDialogDriver& D) {
    D.Color("clRed");
    EXPECT_EQ(Form->GetFrmColorPageGroup(), clRed);
    // Black is listed first; in the host-5 box that item doubles as the
    // custom slot, and a user chooses it all the same.
    D.Color("0");
    EXPECT_EQ(Form->GetFrmColorPageGroup(), clBlack);
    EXPECT_EQ(Form->ColorBoxPageGroup->ItemIndex(), HostVersion >= 6 ? 1 : 0);
    D.Click("LabelUrl");
    EXPECT_THROW(D.Click("Image1"), Exception);
    EXPECT_THROW(D.Click("NoSuchControl"), Exception);
    EXPECT_THROW(D.Select("LBoxPageGroup", 0), Exception);  // on the other sheet
#if TABULON_HOST >= 6
    D.Color("0x123456");
    EXPECT_EQ(Form->GetFrmColorPageGroup(), 0x123456);
#else
    EXPECT_THROW(D.Color("0x123456"), Exception);
#endif
    D.CloseBox();
    EXPECT_TRUE(D.Closed());
    EXPECT_THROW(D.Ok(), Exception);
  });
  EXPECT_EQ(Form->ModalResult(), mrCancel);
  ASSERT_EQ(ShellRequests().size(), 1u);
  EXPECT_EQ(ShellRequests()[0].File, Form->LabelUrl->Caption());
  EXPECT_EQ(ShellRequests()[0].Operation, "");
  EXPECT_EQ(ShellRequests()[0].ShowCmd, SW_SHOWNORMAL);
}

// The driver knows each control by its host class: what a block can do with
// it (the `controls` listing and the refusals) and what the dump shows of it.
TEST_F(OptionsPage, DriverTreatsEachControlAsItsClass) {
  Make({{kAlpha, {"Samples"}}});
  Run([&](TDialogDriver& D) {
    // A listing row with its columns' padding as " | ".
    std::string Listing = D.Controls();
    for (std::size_t At; (At = Listing.find("   ")) != std::string::npos;)
      Listing.replace(At, Listing.find_first_not_of(' ', At) - At, "  ");
    const std::string Colour = Form->FindComponent("ColorBoxPageGroup")->ClassName();
    for (const std::string& Row :
         {std::string("CheckBoxMultilinePalette  TCheckBox  check, click, focus, keydown  "
                      "'Pages on several rows'\n"),
          "ColorBoxPageGroup  " + Colour + "  select, color, focus, keydown\n",
          std::string("SpinTimerInstallRefresh  TORVExpert_CORVSpin  type, focus, keydown\n"),
          std::string("LBoxPageGroup  TListBox  select, focus, keydown\n"),
          std::string("BitBtn2  TBitBtn  click, focus, keydown  'OK'\n"),
          "LabelUrl  TLabel  click  '" + Form->LabelUrl->Caption() + "'\n",
          std::string("TSGroupPage  TTabSheet  sheet  'Groups'\n")})
      EXPECT_NE(Listing.find("  " + Row), std::string::npos) << Row << "in\n" << Listing;
    EXPECT_EQ(Listing.find("Lbl_PeriodMS"), std::string::npos) << "a label without a handler";

    const auto Refusal = [](const std::function<void()>& Act) {
      try {
        Act();
      } catch (const Exception& E) {
        return E.Message();
      }
      return std::string("nothing refused");
    };
    EXPECT_EQ(Refusal([&] { D.Select("CheckBoxMultilinePalette", 0); }),
              "control 'CheckBoxMultilinePalette' is not a list");
    EXPECT_EQ(Refusal([&] { D.Type("ColorBoxPageGroup", "1"); }),
              "control 'ColorBoxPageGroup' takes no typed text");
    EXPECT_EQ(Refusal([&] { D.Check("BitBtn2", true); }), "control 'BitBtn2' is not a check box");
    // What the user wrote reaches the message as host text, like the rest.
    EXPECT_EQ(Win1251ToUtf8(Refusal([&] { D.Click("Кнопка"); })),
              "the settings dialog has no control 'Кнопка'");
    EXPECT_EQ(Refusal([&] { D.Click("Lbl_PeriodMS"); }),
              "control 'Lbl_PeriodMS' is not a button, check box or link: use select, type or "
              "color");

    const TJson Controls = D.Dump()["controls"];
    const auto Keys = [&](const char* Name) {
      std::string K;
      for (const auto& [Key, Value] : Controls[Name].items())
        K += Key + " ";
      return K;
    };
    EXPECT_EQ(Keys("CheckBoxMultilinePalette"), "enabled visible caption checked ");
    EXPECT_EQ(Keys("SpinTimerInstallRefresh"), "enabled visible text value ");
    EXPECT_EQ(Keys("ColorBoxPageGroup"), "enabled visible items objects itemIndex selected ");
    EXPECT_EQ(Keys("GroupBoxDrawGroupPage"), "enabled visible caption ");
    EXPECT_EQ(Keys("TSMain"), "enabled visible caption ");
    EXPECT_EQ(Controls["LBoxPageGroup"]["objects"], TJson::parse(R"([["Samples"]])"));
  });
}
