// What differs between the host-5, -6 and -7 builds, checked in each build
// against the values that build must have.

#include "EngineFixture.h"
#include "Forms.h"
#include "WindowDrawing.h"

namespace {

// The colours of the texts the bar's device context recorded: the headless
// platform's display list. On the real platform the tab's pixels are
// GroupTabPixelsTest's.
[[maybe_unused]] std::vector<std::uint32_t> GroupTextColours(TPageControl* Bar) {
  std::vector<std::uint32_t> Colours;
  const TDisplayList* Drawn = WindowDrawing(Bar->Handle());
  if (Drawn == nullptr)
    return Colours;
  for (const TDisplayItem& Item : Drawn->Items())
    if (Item.Kind == TDisplayItem::dkText)
      Colours.push_back(Item.Color);
  return Colours;
}

}  // namespace

class Builds : public EngineTest {};

TEST_F(Builds, EachBuildHasItsOwnRootAndColours) {
  struct TBuild {
    const char* Root;
    std::uint32_t GroupFont, GrayText, InactiveCaption, InactiveCaptionText;
    Integer GroupFontRgb;  // as the screen shows it
  };
  // COLOR_HOTLIGHT (26) on the screen; host 5 has no constant for it.
  const Integer HotLight = ColorToRGB(static_cast<TColor>(0x8000001Au));
  const TBuild Builds[] = {
      {"Software\\Borland\\Delphi\\5.0", 26, 0x80000011, 0x80000003, 0x80000013, 0x00001A},
      {"Software\\Borland\\Delphi\\6.0", 0x8000001A, 0x80000011, 0x80000003, 0x80000013, HotLight},
      {"Software\\Borland\\Delphi\\7.0", 0xFF00001A, 0xFF000011, 0xFF000003, 0xFF000013, HotLight},
  };
  const TBuild& B = Builds[HostVersion - 5];
  EXPECT_EQ(Const_sKeyNameDelphi, B.Root);
  EXPECT_EQ(static_cast<std::uint32_t>(clGrayText), B.GrayText);
  EXPECT_EQ(static_cast<std::uint32_t>(clInactiveCaption), B.InactiveCaption);
  EXPECT_EQ(static_cast<std::uint32_t>(clInactiveCaptionText), B.InactiveCaptionText);
  // The hot-light colour is a system colour, not the dark red of host 5.
  EXPECT_NE(HotLight, 0x00001A);

  // A fresh registry: the group tabs are written in the build's colour.
  MakeIde();
  ShowIde();
  Load();
  App->ProcessMessages();
  TPageControl* Bar = Inspect().GroupBar();
  EXPECT_EQ(static_cast<std::uint32_t>(Bar->Font()->Color()), B.GroupFont);
#ifndef _WIN32
  const std::vector<std::uint32_t> Colours = GroupTextColours(Bar);
  ASSERT_FALSE(Colours.empty()) << "the group bar painted no caption";
  for (std::uint32_t C : Colours) {
    EXPECT_EQ(C, B.GroupFont);
    EXPECT_EQ(ColorToRGB(static_cast<TColor>(C)), B.GroupFontRgb);
  }
#endif
}

TEST_F(Builds, GroupBarSizingInAPanelFollowsTheBuild) {
  MakeIde({"Standard", "Additional", "Win32", "System", "Data Access", "Samples"},
          TPaletteLayout::Panel);
  std::vector<std::string> Names;
  std::string Name = kAlpha;
  for (int i = 0; i < 10; ++i) {
    Name += "\xE0\xE1\xE2";
    Names.push_back(Name);
    WritePages(Name, {"Win32"});
  }
  WriteTimer("PagesSort", Stored(Names));
  ShowIde();
  Load();
  TPageControl* Bar = Inspect().GroupBar();
  TWinControl* Container = Bar->Parent();
  TWinControl* Outer = Container->Parent();
  ASSERT_NE(Outer, nullptr);
  ASSERT_EQ(dynamic_cast<TControlBar*>(Outer), nullptr);
  const int SizeMessages = Ide->SizeMessages();

  Bar->SetMultiLine(true);
  ASSERT_EQ(Bar->RowCount(), 2);
  Bar->Perform(WM_SIZE, 0, 0);
  const int H = 98;  // one more group row of an 8-point font
  // Host 6 lays the container out one pixel higher per group row, and the
  // group bar fills its container.
  const int Held = HostVersion == 6 ? H + 2 : H;
  EXPECT_EQ(Bar->Constraints()->MinHeight(), H);
  EXPECT_EQ(Bar->Height(), Held);
  EXPECT_EQ(Outer->Constraints()->MinHeight(), Held);
  EXPECT_EQ(Outer->Constraints()->MaxHeight(), Held);
  EXPECT_EQ(Outer->Height(), Held);
  if (HostVersion == 6) {
    EXPECT_EQ(Container->Height(), H + 2);
  }
  EXPECT_EQ(Ide->SizeMessages(), SizeMessages) << "no WM_SIZE reaches the main form";
}
