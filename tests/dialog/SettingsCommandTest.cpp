// The settings command inside a simulated IDE with the expert loaded on a
// memory hive: what goes into the dialog, what OK applies and stores, and
// that nothing else is written or leaked.

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "DialogDriver.h"
#include "EngineFixture.h"
#include "IdeMainForm.h"
#include "ModalUser.h"
#include "Registry.h"
#include "RegistryHive.h"
#include "uConstORVExpertMPage.h"
#include "uORVExpertPageGroup.h"
#include "uORVExpertProbe.h"
#include "uORVFrmMain.h"

namespace {

class SettingsCommand : public EngineTest {
 protected:
  // An IDE whose store holds two groups and the keep option, started with
  // the expert loaded.
  void Start() {
    Write("Timer", "PagesSort", Stored({kAlpha, kBeta}));
    Write("Pages", kAlpha, Stored({"Win32", "Standard"}));
    Write("Pages", kBeta, Stored({"System", "Servers"}));
    Write("Timer", "PageGroupKeep", "1");
    Write("Timer", "PageGroupTimerRun", "1");
    MakeIde({"Standard", "Additional", "Win32", "System", "Data Access"});
    ShowIde();
    Load();
  }
  // Runs the settings command with Body acting as the user in the dialog.
  void Execute(const std::function<void(TDialogDriver&, TFrmMainORVExpert*)>& Body) {
    TModalUser User(
        [&](TCustomForm* F) {
          ++Dialogs;
          TDialogDriver D(F);
          Body(D, static_cast<TFrmMainORVExpert*>(F));
        },
        InputAnswer);
    Expert->Execute();
  }
  TORVExpertProbe X() const { return Inspect(); }

  int Dialogs = 0;
  // Answers the input boxes the dialog opens; none: the user cancels them.
  TModalUser::TAnswer InputAnswer;
};

}  // namespace

TEST_F(SettingsCommand, TheDialogIsFilledFromTheLiveState) {
  Start();
  Execute([&](TDialogDriver& D, TFrmMainORVExpert* F) {
    EXPECT_FALSE(X().PaletteChangeTimer()->Enabled());
    EXPECT_EQ(Lines(F->LBoxPageGroup->Items()), (std::vector<std::string>{kAlpha, kBeta}));
    EXPECT_EQ(Lines(F->GroupPages(1)), (std::vector<std::string>{"System", "Servers"}));
    EXPECT_EQ(
        Lines(F->LBoxPagePalette->Items()),
        (std::vector<std::string>{"Additional", "Data Access", "Standard", "System", "Win32"}));
    EXPECT_EQ(F->LBoxPagePalette->Items()->Objects(3).AsInteger(), 1);
    EXPECT_EQ(F->GetFrmGetTimerInstallRefresh(), 50);
    EXPECT_EQ(F->GetFrmGetTimerRefreshPagesInterval(), 10000);
    // The keep box comes last: the group-refresh box ends unchecked and
    // disabled, the palette box keeps what the group box gave it.
    EXPECT_TRUE(F->CheckBoxTimerKeepSelectPageGroup->Checked());
    EXPECT_FALSE(F->CheckBoxTimerRefreshPageGroup->Checked());
    EXPECT_FALSE(F->CheckBoxTimerRefreshPageGroup->Enabled());
    EXPECT_TRUE(F->CheckBoxTimerRefreshPagePalette->Checked());
    D.Cancel();
  });
  EXPECT_EQ(Dialogs, 1);
  EXPECT_TRUE(X().PaletteChangeTimer()->Enabled());
  EXPECT_EQ(App->FormCount(), 1);
}

TEST_F(SettingsCommand, QuickSwitchesWriteNothingAndOpenNoDialog) {
  Start();
  const std::string Before = Hive->Text();
  struct TCase {
    std::vector<int> Keys;
    bool Expected;
  };
  const TCase Cases[] = {
      {{VK_LSHIFT}, false}, {{VK_LCONTROL}, true}, {{VK_LSHIFT, VK_LCONTROL}, false}};
  for (const auto& C : Cases) {
    for (int K : C.Keys)
      KeyboardState().Press(K);
    Execute([](TDialogDriver&, TFrmMainORVExpert*) {});
    KeyboardState().ReleaseAll();
    EXPECT_EQ(X().Flag("PageGroupTimerRun"), C.Expected);
    EXPECT_EQ(X().Flag("PagePaletteTimerRun"), C.Expected);
  }
  EXPECT_EQ(Dialogs, 0);
  EXPECT_EQ(Hive->Text(), Before);
  // With A held too, the shortcut opens the dialog.
  KeyboardState().Press(VK_LSHIFT);
  KeyboardState().Press(0x41);  // the letter A
  Execute([](TDialogDriver& D, TFrmMainORVExpert*) { D.Cancel(); });
  EXPECT_EQ(Dialogs, 1);
}

TEST_F(SettingsCommand, OkWithoutChangesWritesTheSameBytesAndCancelNothing) {
  Start();
  Execute([](TDialogDriver& D, TFrmMainORVExpert*) { D.Ok(); });
  const std::string First = Hive->Text();
  EXPECT_EQ(Read("Timer", "PageTimerRefreshInstallMSec"), "50");
  EXPECT_EQ(Read("Timer", "PageGroupKeep"), "1");
  Execute([](TDialogDriver& D, TFrmMainORVExpert*) { D.Ok(); });
  EXPECT_EQ(Hive->Text(), First);
  EXPECT_EQ(GroupTabs()[0], kAlpha);
  // Cancel after edits: nothing applied, nothing written.
  Execute([](TDialogDriver& D, TFrmMainORVExpert*) {
    D.Check("CheckBoxMultilinePalette", true);
    D.Sheet("TSGroupPage");
    D.Select("LBoxPageGroup", 0);
    D.Click("BtnDelete");
    D.Cancel();
  });
  EXPECT_EQ(Hive->Text(), First);
  EXPECT_FALSE(X().Palette()->MultiLine());
  EXPECT_EQ(GroupTabs().size(), 3u);
  EXPECT_TRUE(X().PaletteChangeTimer()->Enabled());
}

TEST_F(SettingsCommand, OkAppliesTheOptionsAndRebuildsTheGroupsFromTheStore) {
  Start();
  Execute([](TDialogDriver& D, TFrmMainORVExpert*) {
    D.Check("CheckBoxMultilinePalette", true);
    D.Check("CheckBoxDrawGroupPage_WidthFull", true);
    D.Check("CheckBoxTimerKeepSelectPageGroup", false);
    D.Check("CheckBoxTimerRefreshPageGroup", true);
    D.Type("SpinTimerInstallRefresh", "75");
    D.Sheet("TSGroupPage");
    D.Select("LBoxPageGroup", 1);
    D.Select("LBoxPagePalette", "additional");
    D.Click("BtnMoveToLeftOne");
    D.Focus("LBoxPageGroup");
    D.Click("BtnMoveUp");
    D.Ok();
  });
  auto V = X();
  EXPECT_TRUE(V.Palette()->MultiLine());
  EXPECT_EQ(V.GroupBar()->Font()->Style(), TFontStyles{fsBold});
  EXPECT_FALSE(V.Flag("PageGroupKeep"));
  EXPECT_TRUE(V.Flag("PageGroupTimerRun"));
  EXPECT_EQ(V.PaletteChangeTimer()->Interval(), 75);
  EXPECT_TRUE(V.PaletteChangeTimer()->Enabled());
  EXPECT_EQ(Read("Timer", "PagesPaletteMultiLine"), "1");
  EXPECT_EQ(Read("Timer", "PageTimerRefreshInstallMSec"), "75");
  EXPECT_EQ(GroupTabs()[0], kBeta);
  EXPECT_EQ(V.PageGroupPages()[0], "System\r\nServers\r\nAdditional\r\n");
}

// OK reads back the groups it wrote: the sheets of groups that are still
// there are the same objects afterwards, in the new order; only the sheet of
// a deleted group goes, and an OK without changes keeps every sheet.
TEST_F(SettingsCommand, OkKeepsTheSheetsOfTheGroupsThatStay) {
  Write("Timer", "PagesSort", Stored({kAlpha, kBeta, kGamma}));
  Write("Pages", kAlpha, Stored({"Win32", "Standard"}));
  Write("Pages", kBeta, Stored({"System"}));
  Write("Pages", kGamma, Stored({"Data Access"}));
  MakeIde({"Standard", "Additional", "Win32", "System", "Data Access"});
  ShowIde();
  Load();
  TPageControl* Bar = X().GroupBar();
  ASSERT_EQ(Bar->PageCount(), 4);
  std::vector<TTabSheet*> Before;
  for (int i = 0; i < Bar->PageCount(); ++i)
    Before.push_back(Bar->Pages(i));
  Execute([](TDialogDriver& D, TFrmMainORVExpert*) { D.Ok(); });
  for (int i = 0; i < Bar->PageCount(); ++i)
    EXPECT_EQ(Bar->Pages(i), Before[static_cast<std::size_t>(i)]) << i;

  Execute([](TDialogDriver& D, TFrmMainORVExpert*) {
    D.Sheet("TSGroupPage");
    D.Select("LBoxPageGroup", 0);
    D.Click("BtnDelete");
    D.Select("LBoxPageGroup", 1);
    D.Click("BtnMoveUp");
    D.Ok();
  });
  ASSERT_EQ(Bar->PageCount(), 3);
  EXPECT_EQ(Bar->Pages(0), Before[2]);
  EXPECT_EQ(Bar->Pages(1), Before[1]);
  EXPECT_EQ(Bar->Pages(2), Before[3]);
  EXPECT_EQ(GroupTabs(), (std::vector<std::string>{kGamma, kBeta, kUngrouped}));
  EXPECT_EQ(X().PageGroupPages()[0], "Data Access\r\n");
  EXPECT_EQ(X().PageGroupPages()[2], "Standard\r\nAdditional\r\nWin32\r\n");
  EXPECT_EQ(Ide->Palette()->Parent(), Bar->ActivePage());

  // A kept sheet's tab hides when its group loses every page, and shows
  // again when the group gets one back.
  auto EditFirstGroup = [this](const char* Button, const char* Page) {
    Execute([&](TDialogDriver& D, TFrmMainORVExpert*) {
      D.Sheet("TSGroupPage");
      D.Select("LBoxPageGroup", 0);
      if (Page != nullptr)
        D.Select("LBoxPagePalette", Page);
      D.Click(Button);
      D.Ok();
    });
  };
  EditFirstGroup("BtnMoveToRightAll", nullptr);
  EXPECT_EQ(Bar->Pages(0), Before[2]);
  EXPECT_FALSE(Bar->Pages(0)->TabVisible());
  EditFirstGroup("BtnMoveToLeftOne", "Additional");
  EXPECT_EQ(Bar->Pages(0), Before[2]);
  EXPECT_TRUE(Bar->Pages(0)->TabVisible());
}

// CR, LF and 0x1F part the names of the stored group order, so a typed name
// that kept one would come back from OK as two empty groups. The dialog
// drops them as it drops any other character that is no letter, and refuses
// a name made of nothing else.
TEST_F(SettingsCommand, ATypedNameKeepsNoLineBreakAndNoSeparator) {
  Start();
  std::vector<std::string> Answers = {kGamma + "\r" + kDelta, "\r\n\x1F", kDelta + "\n" + kEcho};
  InputAnswer = [&](const std::string&, const std::string&, std::string& V) {
    if (Answers.empty())
      return false;
    V = Answers.front();
    Answers.erase(Answers.begin());
    return true;
  };
  const int Beeps = MessageBeepCount();
  Execute([](TDialogDriver& D, TFrmMainORVExpert*) {
    D.Sheet("TSGroupPage");
    D.Click("BtnAdd");
    D.Click("BtnAdd");
    D.Select("LBoxPageGroup", 2);
    D.Select("LBoxPagePalette", "Additional");
    D.Click("BtnMoveToLeftOne");
    D.Select("LBoxPageGroup", 1);
    D.Click("BtnRename");
    D.Ok();
  });
  EXPECT_TRUE(Answers.empty());
  EXPECT_EQ(MessageBeepCount(), Beeps + 1);
  Execute([](TDialogDriver& D, TFrmMainORVExpert* F) {
    EXPECT_EQ(Lines(F->LBoxPageGroup->Items()),
              (std::vector<std::string>{kAlpha, kDelta + kEcho, kGamma + kDelta}));
    EXPECT_EQ(Lines(F->GroupPages(1)), (std::vector<std::string>{"System", "Servers"}));
    EXPECT_EQ(Lines(F->GroupPages(2)), std::vector<std::string>{"Additional"});
    D.Cancel();
  });
}

// Windows' own registry cannot be taken away from a run; the hive can.
#ifndef _WIN32
TEST_F(SettingsCommand, AnExportThatCannotOpenTheKeyAppliesInMemoryOnly) {
  Start();
  const auto GroupsBefore = GroupTabs();
  const auto PagesBefore = X().PageGroupPages();
  // Without a current hive the registry opens no key.
  Hive.reset();
  Execute([](TDialogDriver& D, TFrmMainORVExpert*) {
    D.Check("CheckBoxMultilinePagesGroup", true);
    D.Sheet("TSGroupPage");
    D.Select("LBoxPageGroup", 0);
    D.Click("BtnDelete");
    D.Ok();
  });
  EXPECT_TRUE(X().GroupBar()->MultiLine());
  EXPECT_EQ(GroupTabs(), GroupsBefore);
  EXPECT_EQ(X().PageGroupPages(), PagesBefore);
  EXPECT_TRUE(X().GroupsActive());
}
#endif

TEST_F(SettingsCommand, AnErrorInsideTheExchangeFreesTheDialogAndRestartsTheTimer) {
  Start();
  EXPECT_THROW(Execute([](TDialogDriver& D, TFrmMainORVExpert*) { D.Click("NoSuchButton"); }),
               Exception);
  EXPECT_EQ(App->FormCount(), 1);
  EXPECT_TRUE(X().PaletteChangeTimer()->Enabled());
  EXPECT_EQ(X().PaletteChangeTimer()->Interval(), 50);
}

// Every option, each away from its default, goes from the store into the
// expert, through the dialog and back into the store unchanged: an option
// read into one place and written from another, or put into one control and
// taken from another, changes a value here. Keeping the chosen group and
// returning to the first group exclude each other, so each is tried once.
TEST_F(SettingsCommand, EveryOptionTravelsStoreDialogStoreUnchanged) {
  MakeIde({"Standard", "Win32"});
  ShowIde();
  for (const bool Keep : {false, true}) {
    const std::vector<std::pair<const char*, std::string>> Stored = {
        {"PageTimerRefreshInstallMSec", "75"},
        {"PageGroupTimerRun", Keep ? "0" : "1"},
        {"PagePaletteTimerRun", "1"},
        {"PageTimerRefreshMSec", "2500"},
        {"PagesDraw", "0"},
        {"PagesShadow", "0"},
        {"PagesGroupColorFont", "255"},
        {"PagesGroupWidthFull", "1"},
        {"PagesGroupMultiLine", "1"},
        {"PagesPaletteMultiLine", "1"},
        {"PageGroupKeep", Keep ? "1" : "0"}};
    for (const auto& [Name, Text] : Stored)
      Write("Timer", Name, Text);
    Load();
    for (const auto& [Name, Text] : Stored)
      EXPECT_EQ(std::to_string(X().Option(Name)), Text) << Name;
    Execute([](TDialogDriver& D, TFrmMainORVExpert*) { D.Ok(); });
    for (const auto& [Name, Text] : Stored)
      EXPECT_EQ(Read("Timer", Name), Text) << Name;
    Unload();
  }
}
