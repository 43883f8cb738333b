#include <gtest/gtest.h>

#ifdef TABULON_HAVE_CAIRO
#include <cairo.h>
#endif

#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include "CodePage.h"
#include "Hive.h"
#include "Json.h"
#include "Package.h"
#include "PaletteButtons.h"
#include "Picture.h"
#include "PictureFile.h"
#include "Program.h"
#include "Simulator.h"
#include "StockPalette.h"
#include "uORVFrmMainLayout.h"

namespace {

// A host colour as the picture shows it: "#rrggbb".
std::string Hex(TColor Color) {
  const auto RGB = static_cast<std::uint32_t>(ColorToRGB(Color));
  char Buf[8];
  std::snprintf(Buf, sizeof Buf, "#%02x%02x%02x", RGB & 0xFF, (RGB >> 8) & 0xFF,
                (RGB >> 16) & 0xFF);
  return Buf;
}

// What a test reads of a drawn picture: its texts by caption (UTF-8), and
// what each text stands on.
struct TShown {
  TPicture P{0, 0};
  std::vector<const TPictureItem*> Texts(const std::string& Utf8) const {
    std::vector<const TPictureItem*> Found;
    const auto Seen = P.Texts(Utf8ToWin1251(Utf8));
    // A disabled caption is etched: a white copy under the grey one. Only
    // the one on top counts.
    for (const TPictureItem* S : Seen) {
      bool Under = false;
      for (const TPictureItem* T : Seen)
        Under = Under || (T->Rect.Left == S->Rect.Left - 1 && T->Rect.Top == S->Rect.Top - 1);
      if (!Under)
        Found.push_back(S);
    }
    return Found;
  }
  bool HasText(const std::string& Utf8) const { return !Texts(Utf8).empty(); }
  // The colour of the last sizeable rectangle filled under a text before
  // it was drawn: what the text stands on.
  std::string FillUnder(const TPictureItem* Before) const {
    std::string Fill;
    const int X = Before->Rect.Left, Y = Before->Rect.Top + 7;
    for (const TPictureItem& S : P.Items()) {
      if (&S == Before)
        break;
      const TRect& R = S.Rect;
      if (S.Kind == TPictureItem::pkFill && R.Width() > 2 && R.Height() > 2 && X >= R.Left &&
          X < R.Right && Y >= R.Top && Y < R.Bottom)
        Fill = Hex(S.Color);
    }
    return Fill;
  }
};

struct TRun {
  int Status;
  std::string Out, Err;
  std::vector<TShown> Pictures;  // one per snapshot, in order
};

// Runs the lines in a simulator of this build, as a script would, keeping
// the picture of every snapshot. "--palette" takes the pages, one a line.
TRun RunIde(const std::vector<std::string>& Args) {
  TSimulatorOptions Options;
  Options.Hive = ":memory:";
  Options.Package = DefaultPackagePath();
  std::vector<std::string> Lines;
  for (std::size_t i = 0; i + 1 < Args.size(); i += 2) {
    if (Args[i] == "--hive") {
      Options.Hive = Args[i + 1];
    } else if (Args[i] == "--palette") {
      std::istringstream In(Args[i + 1]);
      Options.Ide.Pages.emplace();
      for (std::string Line; std::getline(In, Line);)
        Options.Ide.Pages->push_back(Utf8ToWin1251(Line));
    } else {
      Lines.push_back(Args[i + 1]);
    }
  }
  TRun Run{0, "", "", {}};
  std::ostringstream Out, Err;
  {
    const std::unique_ptr<RegistryHive> Hive = OpenHive(Options.Hive);
    TSimulator Sim(Options, Out, Err);
    const TPicture* Last = nullptr;
    for (std::size_t i = 0; i < Lines.size() && Run.Status == 0; ++i) {
      if (Sim.RunLine(Lines[i], "-e:" + std::to_string(i + 1)) != TLineResult::Ok)
        Run.Status = 2;
      if (Sim.LastPicture() != Last) {
        Last = Sim.LastPicture();
        Run.Pictures.push_back({*Last});
      }
    }
    if (Run.Status == 0 && Sim.ReportUnusedBlocks())
      Run.Status = 2;
  }
  Run.Out = Out.str();
  Run.Err = Err.str();
  return Run;
}

// The last line of output that is a JSON object.
TJson LastJson(const std::string& Out) {
  std::istringstream S(Out);
  std::string Line, Last;
  while (std::getline(S, Line))
    if (!Line.empty() && Line[0] == '{')
      Last = Line;
  return ParseJson(Last);
}

// A folder of its own for each test, removed at its end.
class Snapshot : public ::testing::Test {
 protected:
  void SetUp() override {
    FDir = std::filesystem::temp_directory_path() /
           ("tabulon-snapshot-" + std::to_string(HostVersion) + "-" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(FDir);
    std::filesystem::create_directories(FDir);
  }
  void TearDown() override { std::filesystem::remove_all(FDir); }
  std::string File(const std::string& Name) const { return (FDir / Name).string(); }

  // A hive with three Cyrillic groups over pages every stock palette has.
  std::string Hive(bool Shadow) const {
    const std::string Key = "[HKEY_CURRENT_USER\\Software\\Borland\\Delphi\\" +
                            std::to_string(HostVersion) + ".0\\ORVExpert";
    const std::string S = "\x1F\x1F";
    std::string T = "REGEDIT4\r\n\r\n" + Key + "\\Pages]\r\n";
    T += "\"" + Utf8ToWin1251("Основные") + "\"=\"Standard" + S + "Additional" + S + "Win32" + S +
         "System" + S + "\"\r\n";
    T += "\"" + Utf8ToWin1251("Данные") + "\"=\"Data Access" + S + "Data Controls" + S + "\"\r\n";
    T += "\"" + Utf8ToWin1251("Прочее") + "\"=\"Samples" + S + "ActiveX" + S + "Dialogs" + S +
         "\"\r\n\r\n";
    T += Key + "\\Timer]\r\n\"PagesSort\"=\"" + Utf8ToWin1251("Основные") + S +
         Utf8ToWin1251("Данные") + S + Utf8ToWin1251("Прочее") + S + "\"\r\n";
    T += std::string("\"PagesDraw\"=\"1\"\r\n\"PagesShadow\"=\"") + (Shadow ? "1" : "0") +
         "\"\r\n\"PageGroupKeep\"=\"1\"\r\n";
    const std::string Path = File(Shadow ? "shadow.reg" : "plain.reg");
    std::ofstream(Path, std::ios::binary) << T;
    return Path;
  }

  std::filesystem::path FDir;
};

TEST_F(Snapshot, PaletteAreaShowsEveryTabAsTheAddinDrewIt) {
  std::map<bool, std::string> InactiveFill, InactiveText;
  for (bool Shadow : {true, false}) {
    SCOPED_TRACE(Shadow ? "shadow" : "plain");
    const std::string First = File("first.svg"), Second = File("second.png");
    const TRun R =
        RunIde({"--hive", Hive(Shadow), "-e", "show", "-e", "load", "-e", "snapshot " + First, "-e",
                "group Данные", "-e", "snapshot " + Second, "-e", "dump"});
    ASSERT_EQ(R.Status, 0) << R.Err;
    EXPECT_NE(R.Out.find("written to " + Second), std::string::npos) << R.Out;
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
  const TRun R = RunIde({"--hive", ":memory:", "--palette", "Standard\nДополнительно\nA&B <x>",
                         "-e", "show", "-e", "page #1", "-e", "snapshot " + Path});
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
  const TCase Cases[] = {
      {{"-e", "snapshot " + File("a.svg")}, "the main form is not on the screen"},
      {{"-e", "show", "-e", "snapshot " + Unwritable}, "cannot write "},
      {{"-e", "show", "-e", "snapshot"}, "usage: snapshot FILE.svg"},
      {{"-e", "show", "-e", "snapshot a.svg b.svg"}, "usage: snapshot FILE.svg"},
      {{"-e", "show", "-e", "snapshot " + File("a.gif")}, "must end in .svg, .png or .pdf"},
      {{"-e", "dialog", "-e", "snapshot", "-e", "end"}, "usage: snapshot FILE.svg"},
  };
  for (const TCase& C : Cases) {
    const TRun R = RunIde(C.Args);
    EXPECT_EQ(R.Status, 2) << C.Args.back();
    EXPECT_NE(R.Err.find(C.Err), std::string::npos) << R.Err;
  }
  const TRun R = RunIde({"-e", "show", "-e", "snapshot " + Unwritable});
  EXPECT_NE(R.Err.find(Unwritable), std::string::npos) << R.Err;
  EXPECT_FALSE(std::filesystem::exists(File("a.svg")));
}

// Where a control of the layout lies relative to its sheet (or the form),
// adding up the Left and Top of the rows above it.
TPoint LayoutPlace(const std::string& Name, std::string* Sheet = nullptr) {
  TPoint P;
  const auto& Rows = FrmMainORVExpertLayout();
  for (std::string N = Name; !N.empty();) {
    const TFormLayoutRow* Row = nullptr;
    for (const TFormLayoutRow& R : Rows)
      if (N == R.Name)
        Row = &R;
    if (Row == nullptr || Row->Parent == nullptr || std::string(Row->ClassName) == "TTabSheet") {
      if (Sheet != nullptr)
        *Sheet = N;
      break;
    }
    P.X += Row->Left;
    P.Y += Row->Top;
    N = Row->Parent;
  }
  return P;
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
    return RunIde(Args);
  };
  const TRun R = Run(Groups), R2 = Run(Main);
  ASSERT_EQ(R2.Status, 0) << R2.Err;
  ASSERT_EQ(R.Status, 0) << R.Err;
  EXPECT_NE(R.Out.find("the settings dialog written to " + Main), std::string::npos);
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

}  // namespace

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
  const TRun R = RunIde({"-e", "show", "-e", "snapshot " + File("a.svg"), "-e", Many, "-e",
                         "page Many", "-e", "snapshot " + File("b.svg")});
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

#ifdef TABULON_HAVE_CAIRO

namespace {

// The pixels of a PNG file, as 0xRRGGBB.
struct TPixels {
  int W = 0, H = 0;
  std::vector<std::uint32_t> P;
  std::uint32_t At(int X, int Y) const { return P[static_cast<std::size_t>(Y * W + X)]; }
};

TPixels ReadPng(const std::string& Path) {
  cairo_surface_t* S = cairo_image_surface_create_from_png(Path.c_str());
  TPixels Out;
  if (cairo_surface_status(S) == CAIRO_STATUS_SUCCESS) {
    cairo_surface_flush(S);
    Out.W = cairo_image_surface_get_width(S);
    Out.H = cairo_image_surface_get_height(S);
    const int Stride = cairo_image_surface_get_stride(S);
    const unsigned char* Data = cairo_image_surface_get_data(S);
    for (int Y = 0; Y < Out.H; ++Y)
      for (int X = 0; X < Out.W; ++X)
        Out.P.push_back(reinterpret_cast<const std::uint32_t*>(Data + Y * Stride)[X] & 0xFFFFFF);
  }
  cairo_surface_destroy(S);
  EXPECT_GT(Out.W, 0) << Path;
  return Out;
}

// Turns an SVG into a PNG with Debian's rsvg-convert, a renderer of its own;
// false when it is not installed.
bool RsvgConvert(const std::string& Svg, const std::string& Png) {
  if (std::system("command -v rsvg-convert >/dev/null 2>&1") != 0)
    return false;
  const std::string Command = "rsvg-convert -o '" + Png + "' '" + Svg + "'";
  EXPECT_EQ(std::system(Command.c_str()), 0) << Command;
  return true;
}

// The captions the palette and the dialog show, those the narrow ones among
// them included ("InternetExpress", "Palette change delay").
std::vector<TShown> CaptionPictures(const std::string& Dir) {
  std::vector<TShown> Out;
  for (const char* Sheet : {"TSMain", "TSGroupPage"}) {
    TRun R =
        RunIde({"-e", "show", "-e", "load", "-e", "snapshot " + Dir + "/p.svg", "-e", "dialog",
                "-e", std::string("sheet ") + Sheet, "-e",
                "snapshot " + Dir + "/" + Sheet[2] + ".svg", "-e", "end", "-e", "menu component"});
    EXPECT_EQ(R.Status, 0) << R.Err;
    if (Out.empty())
      Out = R.Pictures;
    else
      Out.push_back(R.Pictures.back());
  }
  return Out;
}

}  // namespace

// Every caption, in cairo's PNG and in the SVG as rsvg-convert draws it,
// lies inside the box the host's metrics gave it and fills it from edge to
// edge: nothing is cut off and nothing runs into its neighbour, whatever
// draws the file.
TEST_F(Snapshot, CaptionsFillTheirBoxesInEveryRenderer) {
  const std::string Dir = FDir.string();
  bool Rsvg = true;
  int Boxes = 0;
  for (const TShown& Shown : CaptionPictures(Dir)) {
    // The captions alone, in black on white, unclipped.
    TPicture Texts(Shown.P.Width(), Shown.P.Height());
    Texts.FillRect({0, 0, Texts.Width(), Texts.Height()}, clWhite);
    std::vector<TRect> Box;
    for (const TPictureItem& I : Shown.P.Items())
      if (I.Kind == TPictureItem::pkText && !I.Clipped()) {
        Texts.Text(I.Rect.Left, I.Rect.Top, I.Text, I.Font, clBlack);
        Box.push_back(I.Rect);
      }
    ASSERT_GT(Box.size(), 10u);
    WritePicture(Texts, Dir + "/t.png");
    WritePicture(Texts, Dir + "/t.svg");
    std::vector<TPixels> Drawn = {ReadPng(Dir + "/t.png")};
    if (RsvgConvert(Dir + "/t.svg", Dir + "/r.png"))
      Drawn.push_back(ReadPng(Dir + "/r.png"));
    else
      Rsvg = false;
    for (const TPixels& Px : Drawn) {
      ASSERT_EQ(Px.W, Shown.P.Width());
      // No ink outside every box.
      for (int Y = 0; Y < Px.H; ++Y)
        for (int X = 0; X < Px.W; ++X)
          if (Px.At(X, Y) != 0xFFFFFF) {
            bool In = false;
            for (const TRect& B : Box)
              In = In || (X >= B.Left && X < B.Right && Y >= B.Top && Y < B.Bottom);
            ASSERT_TRUE(In) << "ink outside the captions at " << X << "," << Y
                            << (&Px == Drawn.data() ? " (cairo)" : " (rsvg-convert)");
          }
      // A box that meets no other is inked from its first column to its last.
      for (const TRect& B : Box) {
        bool Alone = true;
        for (const TRect& O : Box)
          Alone = Alone && (&O == &B || O.Right <= B.Left || O.Left >= B.Right ||
                            O.Bottom <= B.Top || O.Top >= B.Bottom);
        if (!Alone || B.Width() < 8)
          continue;
        int First = B.Right, Last = B.Left - 1;
        for (int X = B.Left; X < B.Right; ++X)
          for (int Y = B.Top; Y < B.Bottom; ++Y)
            if (Px.At(X, Y) != 0xFFFFFF) {
              First = std::min(First, X);
              Last = std::max(Last, X);
            }
        EXPECT_LE(First, B.Left + 1) << B.Left << "," << B.Top;
        EXPECT_GE(Last, B.Right - 2) << B.Left << "," << B.Top;
        ++Boxes;
      }
    }
  }
  EXPECT_GT(Boxes, 40);
  if (!Rsvg)
    GTEST_SKIP() << "rsvg-convert is missing (Debian's librsvg2-bin): only cairo's PNG checked";
}

// cairo's PNG shows the controls in the IDE's colours, and an SVG that
// rsvg-convert draws is the same picture as cairo's PNG.
TEST_F(Snapshot, PngShowsTheControlsAndSvgDrawsAlike) {
  const std::string Dir = FDir.string();
  const std::vector<TShown> Pictures = CaptionPictures(Dir);
  ASSERT_EQ(Pictures.size(), 3u);
  const TShown& Palette = Pictures[0];
  WritePicture(Palette.P, Dir + "/p.png");
  const TPixels Px = ReadPng(Dir + "/p.png");
  // The chosen palette tab stands two pixels above the others: the white
  // edge on top of each tab, found by looking up from its caption.
  const auto EdgeAbove = [&Px](const TPictureItem* Caption) {
    const int X = (Caption->Rect.Left + Caption->Rect.Right) / 2;
    for (int Y = Caption->Rect.Top - 1; Y > Caption->Rect.Top - 8; --Y)
      if (Px.At(X, Y) == 0xFFFFFF)
        return Y;
    return -1;
  };
  const auto Standard = Palette.Texts("Standard"), Additional = Palette.Texts("Additional");
  ASSERT_EQ(Standard.size(), 1u);
  ASSERT_EQ(Additional.size(), 1u);
  EXPECT_GT(EdgeAbove(Standard[0]), 0);
  EXPECT_EQ(EdgeAbove(Standard[0]), EdgeAbove(Additional[0]) - 2);
  // Between the edge and the caption: the tab's face.
  EXPECT_EQ(Px.At(Additional[0]->Rect.Left + 3, Additional[0]->Rect.Top - 1), 0xC0C0C0u);

  // In both sheets (edits, combo and group boxes on the first, lists on
  // the second) a text is shown whole in height or not at all.
  const TShown& Editor = Pictures[2];
  for (const TShown* Sheet : {&Pictures[1], &Editor})
    for (const TPictureItem& I : Sheet->P.Items())
      if (I.Kind == TPictureItem::pkText && I.Clip.Top < I.Rect.Bottom &&
          I.Rect.Top < I.Clip.Bottom) {
        EXPECT_TRUE(I.Rect.Top >= I.Clip.Top && I.Rect.Bottom <= I.Clip.Bottom)
            << Win1251ToUtf8(I.Text) << " is cut";
      }
  // The group editor's list of the palette's pages holds more than it
  // shows: a scroll bar whose down arrow is black, its up arrow grey (the
  // list shows its first row).
  WritePicture(Editor.P, Dir + "/G.png");
  const TPixels E = ReadPng(Dir + "/G.png");
  const auto Label = Editor.Texts("Palette pages");
  ASSERT_EQ(Label.size(), 1u);
  const TPoint Sheet{Label[0]->Rect.Left - LayoutPlace("lblGP_2").X,
                     Label[0]->Rect.Top - LayoutPlace("lblGP_2").Y};
  const TPoint List = LayoutPlace("LBoxPagePalette");
  const TFormLayoutRow* Row = nullptr;
  for (const TFormLayoutRow& R : FrmMainORVExpertLayout())
    Row = std::string(R.Name) == "LBoxPagePalette" ? &R : Row;
  ASSERT_NE(Row, nullptr);
  // The arrows' centres: in the middle of the 16-pixel bar inside the border.
  const int CX = Sheet.X + List.X + Row->Width - 2 - 8;
  const int UpY = Sheet.Y + List.Y + 2 + 8, DownY = Sheet.Y + List.Y + Row->Height - 2 - 8;
  EXPECT_EQ(E.At(CX, DownY), 0x000000u);
  EXPECT_EQ(E.At(CX, UpY - 1), 0x808080u);
  EXPECT_EQ(E.At(CX - 6, DownY), 0xC0C0C0u);  // the button's face beside it

  for (int i = 0; i < 3; ++i) {
    const std::string Name = Dir + "/" + "pMG"[i];
    WritePicture(Pictures[static_cast<std::size_t>(i)].P, Name + ".png");
    if (!RsvgConvert(Name + ".svg", Name + "-rsvg.png"))
      GTEST_SKIP() << "rsvg-convert is missing (Debian's librsvg2-bin)";
    const TPixels A = ReadPng(Name + ".png"), B = ReadPng(Name + "-rsvg.png");
    ASSERT_EQ(A.W, B.W);
    ASSERT_EQ(A.H, B.H);
    // Shapes lie on whole pixels and agree; text edges may be shaded a
    // little differently.
    std::size_t Far = 0;
    for (std::size_t k = 0; k < A.P.size(); ++k)
      for (int Shift : {0, 8, 16})
        if (std::abs(int((A.P[k] >> Shift) & 0xFF) - int((B.P[k] >> Shift) & 0xFF)) > 96) {
          ++Far;
          break;
        }
    EXPECT_LT(Far * 200, A.P.size()) << Name << ": " << Far << " pixels differ";
  }
}

#endif
