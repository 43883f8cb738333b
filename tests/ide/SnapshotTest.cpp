#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <map>
#include <sstream>

#include "PaletteButtons.h"
#include "SnapshotRun.h"
#include "StockPalette.h"
#include "WindowCapture.h"

using ::testing::HasSubstr;

namespace {

TEST_F(Snapshot, PaletteAreaShowsEveryTabAsTheAddinDrewIt) {
  std::map<bool, std::string> InactiveFill, InactiveText;
  for (bool Shadow : {true, false}) {
    SCOPED_TRACE(Shadow ? "shadow" : "plain");
    const std::string First = File("first.svg"), Second = File("second.png");
    const TSnapshotRun R =
        RunSnapshots({"--hive", Hive(Shadow), "-e", "show", "-e", "load", "-e", "snapshot " + First,
                      "-e", "group Данные", "-e", "snapshot " + Second, "-e", "dump"});
    ASSERT_EQ(R.Status, 0) << R.Err;
    EXPECT_THAT(R.Out, HasSubstr("written to " + Second)) << R.Out;
    const TJson State = LastJson(R.Out);

    // After the switch: every group tab, the data group's pages and nothing
    // left over from the first group's pages.
    ASSERT_EQ(R.Pictures.size(), 2u);
    for (const auto& [P, Active, Pages, Gone] :
         {std::tuple{R.Pictures[0], "Основные",
                     std::vector<std::string>{"Standard", "Additional", "Win32", "System"},
                     "Data Access"},
          std::tuple{R.Pictures[1], "Данные",
                     std::vector<std::string>{"Data Access", "Data Controls"}, "Standard"}}) {
      SCOPED_TRACE(Active);
      EXPECT_TRUE(std::filesystem::file_size(First) > 0 && std::filesystem::file_size(Second) > 0);
      EXPECT_EQ(P.P.Width(), 1024);
      for (const std::string& Page : Pages)
        EXPECT_EQ(P.Texts(Page).size(), 1u) << Page;
      EXPECT_FALSE(P.HasText(Gone));
      const TJson& Sheets = State.at("/groupBar/sheets"_json_pointer);
      ASSERT_EQ(Sheets.size(), 4u);  // three groups and the ungrouped pages
      for (std::size_t i = 0; i < Sheets.size(); ++i) {
        const std::string Caption = Sheets[i].at("caption").get<std::string>();
        const auto Found = P.Texts(Caption);
        ASSERT_EQ(Found.size(), 1u) << Caption;
        // Bold on the active tab only; the inactive ones in the style's colours.
        EXPECT_EQ(Found[0]->Font.Desc.Bold, Caption == Active) << Caption;
        if (Caption != Active) {
          const std::string Fill = P.FillUnder(Found[0]);
          EXPECT_TRUE(InactiveFill[Shadow].empty() || InactiveFill[Shadow] == Fill) << Caption;
          InactiveFill[Shadow] = Fill;
          InactiveText[Shadow] = Hex(Found[0]->Color);
        } else {
          // The group bar's font colour: clHotLight by default, in Delphi 5
          // (which has no such system colour) RGB 26, 0, 0.
          EXPECT_EQ(Hex(Found[0]->Color), HostVersion >= 6 ? "#000080" : "#1a0000");
          EXPECT_EQ(P.FillUnder(Found[0]), "#c0c0c0");
        }
      }
      // The palette's row lies below the group tabs.
      EXPECT_GT(P.Texts(Pages[0])[0]->Rect.Top, P.Texts(Active)[0]->Rect.Top + 10);
    }
  }
  // The shadow style shades inactive group tabs (clInactiveCaption, text in
  // clInactiveCaptionText); the plain style leaves them in the face colour.
  EXPECT_EQ(InactiveFill[true], "#808080");
  EXPECT_EQ(InactiveText[true], "#c0c0c0");
  EXPECT_EQ(InactiveFill[false], "#c0c0c0");
  EXPECT_NE(InactiveText[false], "#c0c0c0");
}

TEST_F(Snapshot, WithoutTheAddinThePaletteAlone) {
  const std::string Path = File("ide.svg");
  const TSnapshotRun R =
      RunSnapshots({"--hive", ":memory:", "--palette", "Standard\nДополнительно\nA&B <x>", "-e",
                    "show", "-e", "page #1", "-e", "snapshot " + Path});
  ASSERT_EQ(R.Status, 0) << R.Err;
  ASSERT_EQ(R.Pictures.size(), 1u);
  const TShown& P = R.Pictures[0];
  std::vector<std::string> Texts;
  for (const TPictureItem& S : P.P.Items())
    if (S.Kind == TPictureItem::pkText)
      Texts.push_back(Win1251ToUtf8(S.Text));
  // Exactly the palette's tabs, escaped text read back whole, and none bold.
  EXPECT_EQ(Texts, (std::vector<std::string>{"Standard", "Дополнительно", "A&B <x>"}));
  for (const std::string& T : Texts)
    EXPECT_FALSE(P.Texts(T)[0]->Font.Desc.Bold);
  // One row, left to right.
  EXPECT_EQ(P.Texts("Standard")[0]->Rect.Top, P.Texts("A&B <x>")[0]->Rect.Top);
  EXPECT_LT(P.Texts("Standard")[0]->Rect.Left, P.Texts("Дополнительно")[0]->Rect.Left);
}

TEST_F(Snapshot, ErrorsNameTheProblem) {
  struct TCase {
    std::vector<std::string> Args;
    const char* Err;
  };
  const std::string Unwritable = File("no/such/folder/x.svg");
  std::vector<TCase> Cases = {
      {{"-e", "snapshot " + File("a.svg")}, "the main form is not on the screen"},
      {{"-e", "show", "-e", "snapshot " + Unwritable}, "cannot write "},
      {{"-e", "show", "-e", "snapshot"}, "usage: snapshot FILE.svg"},
      {{"-e", "show", "-e", "snapshot a.svg b.svg"}, "usage: snapshot FILE.svg"},
      {{"-e", "show", "-e", "snapshot " + File("a.gif")}, "must end in .svg, .png or .pdf"},
      {{"-e", "dialog", "-e", "snapshot", "-e", "end"}, "usage: snapshot FILE.svg"},
  };
  // A build without the real window's pixels says which build has them.
  if (!WindowCaptureAvailable())
    Cases.push_back({{"-e", "show", "-e", "snapshot " + File("a.bmp")},
                     "needs the win32 build; this build writes SVG, PNG or PDF"});
  for (const TCase& C : Cases) {
    const TSnapshotRun R = RunSnapshots(C.Args);
    EXPECT_EQ(R.Status, 2) << C.Args.back();
    EXPECT_THAT(R.Err, HasSubstr(C.Err)) << R.Err;
  }
  const TSnapshotRun R = RunSnapshots({"-e", "show", "-e", "snapshot " + Unwritable});
  EXPECT_THAT(R.Err, HasSubstr(Unwritable)) << R.Err;
  EXPECT_FALSE(std::filesystem::exists(File("a.svg")));
}

TEST_F(Snapshot, DialogShowsTheActiveSheetInItsState) {
  const std::string Main = File("main.svg"), Groups = File("groups.svg");
  // Two runs, one picture each, both with the same steps.
  const auto Run = [this, &Main, &Groups](const std::string& Skip) {
    std::vector<std::string> Args = {"--hive", Hive(true),
                                     "-e",     "show",
                                     "-e",     "load",
                                     "-e",     "dialog",
                                     "-e",     "check CheckBoxDrawGroupPage_WidthFull on",
                                     "-e",     "dump",
                                     "-e",     "snapshot " + Main,
                                     "-e",     "sheet TSGroupPage",
                                     "-e",     "select LBoxPageGroup 1",
                                     "-e",     "snapshot " + Groups,
                                     "-e",     "dump",
                                     "-e",     "cancel",
                                     "-e",     "end",
                                     "-e",     "menu palette"};
    Args.erase(std::find(Args.begin(), Args.end(), "snapshot " + Skip) - 1);
    Args.erase(std::find(Args.begin(), Args.end(), "snapshot " + Skip));
    return RunSnapshots(Args);
  };
  const TSnapshotRun R = Run(Groups), R2 = Run(Main);
  ASSERT_EQ(R2.Status, 0) << R2.Err;
  ASSERT_EQ(R.Status, 0) << R.Err;
  EXPECT_THAT(R.Out, HasSubstr("the settings dialog written to " + Main));
  std::istringstream Lines(R.Out);
  std::vector<TJson> Dumps;
  for (std::string L; std::getline(Lines, L);)
    if (!L.empty() && L[0] == '{')
      Dumps.push_back(ParseJson(L).at("/dialog/controls"_json_pointer));
  ASSERT_EQ(Dumps.size(), 2u);

  ASSERT_EQ(R.Pictures.size(), 1u);
  ASSERT_EQ(R2.Pictures.size(), 1u);
  const TShown &M = R.Pictures[0], &G = R2.Pictures[0];
  // The window: the layout's client size inside the frame and title bar.
  const TFormLayoutRow& Form = FrmMainORVExpertLayout().front();
  EXPECT_EQ(M.P.Width(), Form.Width + 6);
  EXPECT_EQ(M.P.Height(), Form.Height + 25);
  for (const TShown* P : {&M, &G}) {
    EXPECT_TRUE(P->HasText("ORV Expert"));  // the title bar
    EXPECT_TRUE(P->HasText("Options"));
    EXPECT_TRUE(P->HasText("Groups"));
  }

  // The options sheet: captions where the layout puts them, relative to the
  // group box they sit in; check marks exactly on the checked boxes; greyed
  // captions exactly for the disabled ones; the spin edits' values.
  // A caption's baseline lies 11 pixels below its top in the dialog's font;
  // a group box's caption is 8 pixels in.
  const auto Origin = [](const TShown& P, const std::string& Caption, const char* Name,
                         int Indent) {
    // The last one drawn: a sheet's tab may have the same caption.
    const auto Found = P.Texts(Caption);
    EXPECT_FALSE(Found.empty()) << Caption;
    const TPoint At = LayoutPlace(Name);
    return Found.empty()
               ? TPoint{}
               : TPoint{Found.back()->Rect.Left - At.X - Indent, Found.back()->Rect.Top - At.Y};
  };
  const TPoint Sheet = Origin(M, "Timers", "GroupBoxTimerPageGroup", 8);
  const TJson& Before = Dumps[0];
  int Checked = 0;
  for (const TFormLayoutRow& Row : FrmMainORVExpertLayout()) {
    std::string SheetName;
    const TPoint At = LayoutPlace(Row.Name, &SheetName);
    if (std::string(Row.ClassName) != "TCheckBox")
      continue;
    SCOPED_TRACE(Row.Name);
    const TJson& C = Before.at(Row.Name);
    const auto Found = M.Texts(C.at("caption").get<std::string>());
    ASSERT_EQ(Found.size(), 1u);
    // The caption follows the 13-pixel box; its baseline lies in the row.
    EXPECT_EQ(Found[0]->Rect.Left, Sheet.X + At.X + 17);
    EXPECT_GT(Found[0]->Rect.Top + 11, Sheet.Y + At.Y);
    EXPECT_LT(Found[0]->Rect.Top + 11, Sheet.Y + At.Y + Row.Height);
    EXPECT_EQ(Hex(Found[0]->Color) == "#808080", !C.at("enabled").get<bool>());
    bool Ticked = false;
    for (const TPictureItem& S : M.P.Items())
      Ticked = Ticked || (S.Kind == TPictureItem::pkPolyline && S.Rect.Left >= Sheet.X + At.X &&
                          S.Rect.Left < Sheet.X + At.X + 13 && S.Rect.Top >= Sheet.Y + At.Y &&
                          S.Rect.Top < Sheet.Y + At.Y + Row.Height);
    EXPECT_EQ(Ticked, C.at("checked").get<bool>());
    Checked += Ticked;
  }
  EXPECT_GE(Checked, 2);
  EXPECT_EQ(Before.at("/CheckBoxDrawGroupPage_WidthFull/checked"_json_pointer), true);
  EXPECT_TRUE(M.HasText(Before.at("/SpinTimerInstallRefresh/text"_json_pointer)));
  EXPECT_TRUE(M.HasText(Before.at("/SpinTimerRefreshPagesInterval/text"_json_pointer)));
  // The colour box shows a swatch of its colour.
  const std::string Swatch =
      Hex(Before.at("/ColorBoxPageGroup/selected"_json_pointer).get<TColor>());
  const TPoint Box = LayoutPlace("ColorBoxPageGroup");
  bool SwatchFound = false;
  for (const TPictureItem& S : M.P.Items())
    SwatchFound =
        SwatchFound ||
        (S.Kind == TPictureItem::pkFill && Hex(S.Color) == Swatch && S.Rect.Width() < 20 &&
         S.Rect.Left > Sheet.X + Box.X && S.Rect.Left < Sheet.X + Box.X + 20 &&
         S.Rect.Top > Sheet.Y + Box.Y && S.Rect.Top < Sheet.Y + Box.Y + 22);
  EXPECT_TRUE(SwatchFound) << Swatch;
  // The other sheet's controls are not drawn.
  EXPECT_FALSE(M.HasText(Dumps[0].at("/lblGP_1/caption"_json_pointer)));
  EXPECT_FALSE(M.HasText("Add"));

  // The group editor: the groups with the selected one highlighted, that
  // group's pages, the buttons; the options sheet gone.
  const TJson& After = Dumps[1];
  EXPECT_FALSE(G.HasText("Timers"));
  const TPoint Editor = Origin(G, After.at("/lblGP_0/caption"_json_pointer), "lblGP_0", 0);
  const TJson& GroupItems = After.at("/LBoxPageGroup/items"_json_pointer);
  ASSERT_EQ(GroupItems.size(), 3u);
  for (std::size_t i = 0; i < GroupItems.size(); ++i) {
    const auto Found = G.Texts(GroupItems[i]);
    ASSERT_FALSE(Found.empty());
    // Inside the list box, one item height (13) below the one before, past
    // the list's two-pixel border.
    const TPoint List = LayoutPlace("LBoxPageGroup");
    EXPECT_EQ(Found.back()->Rect.Left, Editor.X + List.X + 2 + 2);
    EXPECT_GT(Found.back()->Rect.Top + 11, Editor.Y + List.Y + 2 + 13 * int(i));
    EXPECT_LE(Found.back()->Rect.Top + 11, Editor.Y + List.Y + 2 + 13 * int(i + 1));
    EXPECT_EQ(G.FillUnder(Found.back()), i == 1 ? "#000080" : "#ffffff");
  }
  for (const char* Page : {"Data Access", "Data Controls"})
    EXPECT_FALSE(G.Texts(Page).empty()) << Page;
  for (const char* Button : {"BtnAdd", "BtnDelete", "BtnRename", "BtnMoveUp", "BtnMoveDown"})
    EXPECT_TRUE(G.HasText(After.at(Button).at("caption").get<std::string>())) << Button;
  EXPECT_TRUE(G.HasText(">>"));
}

// The palette shows the loaded page's components as buttons, each glyph
// with its initials; a row longer than the palette gets scroll arrows, the
// left one grey at the row's start.
TEST_F(Snapshot, PaletteShowsTheLoadedPagesComponents) {
  for (const auto& [Name, Initials] : {std::pair{"TMainMenu", "MM"},
                                       {"TADOConnection", "AC"},
                                       {"TDBGrid", "DG"},
                                       {"TFrames", "F"},
                                       {"Tx", "T"}})
    EXPECT_EQ(ComponentInitials(Name), Initials) << Name;
  std::string Many = "install Many=";
  for (int i = 0; i < 60; ++i)
    Many += (i > 0 ? ",TComp" : "TComp") + std::to_string(i);
  const TSnapshotRun R = RunSnapshots({"-e", "show", "-e", "snapshot " + File("a.svg"), "-e", Many,
                                       "-e", "page Many", "-e", "snapshot " + File("b.svg")});
  ASSERT_EQ(R.Status, 0) << R.Err;
  ASSERT_EQ(R.Pictures.size(), 2u);
  // Every button of the first page is shown, left to right, with its
  // initials (or the first, where a small glyph has no room for two).
  const std::vector<std::string> Standard = StockComponents(HostVersion, "Standard");
  const int Tabs = R.Pictures[0].Texts("Standard").at(0)->Rect.Top;
  std::vector<const TPictureItem*> Glyphs;
  for (const TPictureItem& I : R.Pictures[0].P.Items())
    if (I.Kind == TPictureItem::pkText && I.Rect.Top > Tabs + 10)
      Glyphs.push_back(&I);
  ASSERT_EQ(Glyphs.size(), Standard.size());
  for (std::size_t i = 0; i < Glyphs.size(); ++i) {
    EXPECT_EQ(ComponentInitials(Standard[i]).rfind(Glyphs[i]->Text, 0), 0u) << Standard[i];
    EXPECT_TRUE(i == 0 || Glyphs[i]->Rect.Left > Glyphs[i - 1]->Rect.Left);
  }
  const TShown& P = R.Pictures[1];
  const auto Shown = P.Texts("C");
  EXPECT_GT(Shown.size(), 20u);
  EXPECT_LT(Shown.size(), 60u);
  const int Left = Shown.front()->Rect.Left, Right = Shown.back()->Rect.Right;
  bool Grey = false, Black = false;
  for (const TPictureItem& I : P.P.Items()) {
    if (I.Kind != TPictureItem::pkFill || I.Rect.Top < Shown.front()->Rect.Top - 8)
      continue;
    Grey = Grey || (I.Color == clGrayText && I.Rect.Right <= Left && I.Rect.Left > Left - 24);
    Black = Black || (I.Color == clBtnText && I.Rect.Left >= Right && I.Rect.Right < Right + 24);
  }
  EXPECT_TRUE(Grey);
  EXPECT_TRUE(Black);
}

}  // namespace
