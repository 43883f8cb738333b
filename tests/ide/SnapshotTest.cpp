#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include "CodePage.h"
#include "Json.h"
#include "Program.h"
#include "Simulator.h"
#include "Svg.h"
#include "uORVFrmMainLayout.h"

namespace {

// A small XML reader that refuses what a browser would refuse: unbalanced
// or crossed tags, unquoted or repeated attributes, unknown entities, a bare
// '&' or '<', malformed UTF-8, and anything after the root element.
struct TNode {
  std::string Name;
  std::map<std::string, std::string> Attr;
  std::vector<TNode> Kids;
  std::string Text;
  std::string Get(const std::string& Key) const {
    auto It = Attr.find(Key);
    return It == Attr.end() ? "" : It->second;
  }
};

class TXmlReader {
 public:
  explicit TXmlReader(const std::string& S) : FS(S) {}

  TNode Document() {
    CheckUtf8();
    Misc();
    TNode Root = Element();
    Misc();
    if (FAt != FS.size())
      Fail("content after the root element");
    return Root;
  }

 private:
  [[noreturn]] void Fail(const std::string& Why) {
    throw std::runtime_error("XML at byte " + std::to_string(FAt) + ": " + Why);
  }
  bool Starts(const char* P) const { return FS.compare(FAt, std::strlen(P), P) == 0; }
  void Skip() {
    while (FAt < FS.size() && std::isspace(static_cast<unsigned char>(FS[FAt])))
      ++FAt;
  }
  void CheckUtf8() {
    for (std::size_t i = 0; i < FS.size();) {
      const auto B = static_cast<unsigned char>(FS[i]);
      const int N = B < 0x80 ? 0 : (B >> 5) == 6 ? 1 : (B >> 4) == 14 ? 2 : (B >> 3) == 30 ? 3 : -1;
      if (N < 0 || i + N >= FS.size() + (N == 0 ? 1 : 0))
        throw std::runtime_error("malformed UTF-8 at byte " + std::to_string(i));
      for (int k = 1; k <= N; ++k)
        if ((static_cast<unsigned char>(FS[i + k]) >> 6) != 2)
          throw std::runtime_error("malformed UTF-8 at byte " + std::to_string(i));
      if (N == 0 && B < 0x20 && B != '\n' && B != '\r' && B != '\t')
        throw std::runtime_error("control character at byte " + std::to_string(i));
      i += N + 1;
    }
  }
  // Prolog, comments and blanks between elements.
  void Misc() {
    for (;;) {
      Skip();
      if (Starts("<?")) {
        const auto End = FS.find("?>", FAt);
        if (End == std::string::npos)
          Fail("unterminated declaration");
        FAt = End + 2;
      } else if (Starts("<!--")) {
        Comment();
      } else {
        return;
      }
    }
  }
  void Comment() {
    const auto End = FS.find("-->", FAt + 4);
    if (End == std::string::npos)
      Fail("unterminated comment");
    if (FS.substr(FAt + 4, End - FAt - 4).find("--") != std::string::npos)
      Fail("'--' inside a comment");
    FAt = End + 3;
  }
  std::string Name() {
    const std::size_t Start = FAt;
    while (FAt < FS.size() && (std::isalnum(static_cast<unsigned char>(FS[FAt])) ||
                               FS[FAt] == ':' || FS[FAt] == '-' || FS[FAt] == '_'))
      ++FAt;
    if (FAt == Start)
      Fail("a name was expected");
    return FS.substr(Start, FAt - Start);
  }
  // Character data up to Stop, entities decoded.
  std::string Chars(char Stop) {
    std::string Out;
    while (FAt < FS.size() && FS[FAt] != Stop) {
      const char C = FS[FAt];
      if (C == '<')
        Fail("'<' in character data");
      if (C != '&') {
        Out += C;
        ++FAt;
        continue;
      }
      const auto Semi = FS.find(';', FAt);
      if (Semi == std::string::npos)
        Fail("bare '&'");
      const std::string E = FS.substr(FAt + 1, Semi - FAt - 1);
      static const std::map<std::string, std::string> kNamed = {
          {"amp", "&"}, {"lt", "<"}, {"gt", ">"}, {"quot", "\""}, {"apos", "'"}};
      if (auto It = kNamed.find(E); It != kNamed.end())
        Out += It->second;
      else if (E.size() > 1 && E[0] == '#' &&
               E.find_first_not_of(E[1] == 'x' ? "0123456789abcdefABCDEF" : "0123456789",
                                   E[1] == 'x' ? 2 : 1) == std::string::npos)
        Out += '?';
      else
        Fail("unknown entity &" + E + ";");
      FAt = Semi + 1;
    }
    return Out;
  }
  TNode Element() {
    if (!Starts("<"))
      Fail("an element was expected");
    ++FAt;
    TNode N;
    N.Name = Name();
    for (;;) {
      Skip();
      if (Starts("/>")) {
        FAt += 2;
        return N;
      }
      if (Starts(">")) {
        ++FAt;
        break;
      }
      const std::string Key = Name();
      Skip();
      if (!Starts("="))
        Fail("'=' expected after attribute " + Key);
      ++FAt;
      Skip();
      if (FAt >= FS.size() || (FS[FAt] != '"' && FS[FAt] != '\''))
        Fail("attribute " + Key + " is not quoted");
      const char Quote = FS[FAt++];
      const std::string Value = Chars(Quote);
      if (FAt >= FS.size())
        Fail("unterminated attribute " + Key);
      ++FAt;
      if (!N.Attr.emplace(Key, Value).second)
        Fail("attribute " + Key + " twice");
    }
    for (;;) {
      N.Text += Chars('<');
      if (FAt >= FS.size())
        Fail("element " + N.Name + " is not closed");
      if (Starts("</")) {
        FAt += 2;
        if (Name() != N.Name)
          Fail("closing tag does not match " + N.Name);
        Skip();
        if (!Starts(">"))
          Fail("'>' expected");
        ++FAt;
        return N;
      }
      if (Starts("<!--"))
        Comment();
      else
        N.Kids.push_back(Element());
    }
  }

  const std::string& FS;
  std::size_t FAt = 0;
};

// A drawn text or shape with its place in the picture, the translations of
// the groups around it added up.
struct TShape {
  std::string Kind;  // "text", "rect", "polyline"
  double X = 0, Y = 0, W = 0, H = 0;
  std::string Fill, Stroke, Text;
  bool Bold = false;
};

// The clip paths by id, as rectangles in the coordinates of the group that
// uses them.
struct TBox {
  double L, T, R, B;
};
using TClips = std::map<std::string, TBox>;

void ReadClips(const TNode& N, TClips& Clips) {
  if (N.Name == "clipPath" && N.Kids.size() == 1 && N.Kids[0].Name == "rect") {
    const TNode& R = N.Kids[0];
    const double X = std::atof(R.Get("x").c_str()), Y = std::atof(R.Get("y").c_str());
    Clips[N.Get("id")] = {X, Y, X + std::atof(R.Get("width").c_str()),
                          Y + std::atof(R.Get("height").c_str())};
  }
  for (const TNode& K : N.Kids)
    ReadClips(K, Clips);
}

// Collects the shapes that can be seen: those whose anchor (a text's start
// on its baseline, a shape's top-left corner) lies inside every clip around
// them.
void Collect(const TNode& N, double DX, double DY, TBox Clip, const TClips& Clips,
             std::vector<TShape>& Out) {
  double X = DX, Y = DY;
  const std::string T = N.Get("transform");
  if (!T.empty()) {
    double TX = 0, TY = 0;
    EXPECT_EQ(std::sscanf(T.c_str(), "translate(%lf,%lf)", &TX, &TY), 2) << T;
    X += TX;
    Y += TY;
  }
  if (N.Name == "clipPath" || N.Name == "defs")
    return;
  const std::string ClipRef = N.Get("clip-path");
  if (!ClipRef.empty()) {
    auto It = Clips.find(ClipRef.substr(5, ClipRef.size() - 6));  // url(#...)
    EXPECT_TRUE(It != Clips.end()) << ClipRef;
    if (It != Clips.end())
      Clip = {std::max(Clip.L, It->second.L + X), std::max(Clip.T, It->second.T + Y),
              std::min(Clip.R, It->second.R + X), std::min(Clip.B, It->second.B + Y)};
  }
  const auto Num = [&N](const char* Key) { return std::atof(N.Get(Key).c_str()); };
  if (N.Name == "text" || N.Name == "rect" || N.Name == "polyline") {
    TShape S;
    S.Kind = N.Name;
    S.Fill = N.Get("fill");
    S.Stroke = N.Get("stroke");
    S.Text = N.Text;
    S.Bold = N.Get("font-weight") == "bold";
    if (N.Name == "polyline") {
      std::sscanf(N.Get("points").c_str(), "%lf,%lf", &S.X, &S.Y);
    } else {
      S.X = Num("x");
      S.Y = Num("y");
      S.W = Num("width");
      S.H = Num("height");
    }
    S.X += X;
    S.Y += Y;
    const double AY = N.Name == "text" ? S.Y - 1 : S.Y;
    if (S.X >= Clip.L && S.X < Clip.R && AY >= Clip.T && AY < Clip.B)
      Out.push_back(S);
  }
  for (const TNode& K : N.Kids)
    Collect(K, X, Y, Clip, Clips, Out);
}

struct TPicture {
  TNode Root;
  std::vector<TShape> Shapes;
  std::vector<const TShape*> Texts(const std::string& Text) const {
    std::vector<const TShape*> Found;
    // A disabled caption is etched: a white copy under the grey one. Only
    // the one on top counts.
    for (const TShape& S : Shapes) {
      if (S.Kind != "text" || S.Text != Text)
        continue;
      bool Under = false;
      for (const TShape& T : Shapes)
        Under = Under || (T.Kind == "text" && T.Text == Text && T.X == S.X - 1 && T.Y == S.Y - 1);
      if (!Under)
        Found.push_back(&S);
    }
    return Found;
  }
  bool HasText(const std::string& Text) const { return !Texts(Text).empty(); }
  // The fill of the last sizeable rectangle drawn under a point before the
  // shape at Before: what a text stands on.
  std::string FillUnder(const TShape* Before) const {
    std::string Fill;
    for (const TShape& S : Shapes) {
      if (&S == Before)
        break;
      if (S.Kind == "rect" && S.W > 2 && S.H > 2 && S.Fill != "none" && Before->X >= S.X &&
          Before->X < S.X + S.W && Before->Y - 4 >= S.Y && Before->Y - 4 < S.Y + S.H)
        Fill = S.Fill;
    }
    return Fill;
  }
};

TPicture ReadPicture(const std::string& Path) {
  std::ifstream In(Path, std::ios::binary);
  EXPECT_TRUE(In) << Path;
  std::stringstream S;
  S << In.rdbuf();
  const std::string Text = S.str();
  TPicture P;
  try {
    P.Root = TXmlReader(Text).Document();
  } catch (const std::exception& E) {
    ADD_FAILURE() << Path << ": " << E.what();
    return P;
  }
  EXPECT_EQ(P.Root.Name, "svg");
  TClips Clips;
  ReadClips(P.Root, Clips);
  const double W = std::atof(P.Root.Get("width").c_str()),
               H = std::atof(P.Root.Get("height").c_str());
  Collect(P.Root, 0, 0, {0, 0, W, H}, Clips, P.Shapes);
  return P;
}

struct TRun {
  int Status;
  std::string Out, Err;
};

TRun RunIde(const std::vector<std::string>& Args) {
  std::istringstream In;
  std::ostringstream Out, Err;
  const int Status = TabulonIdeMain(Args, In, Out, Err, false);
  return {Status, Out.str(), Err.str()};
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
    const std::string First = File("first.svg"), Second = File("second.svg");
    const TRun R =
        RunIde({"--hive", Hive(Shadow), "-e", "show", "-e", "load", "-e", "snapshot " + First, "-e",
                "group Данные", "-e", "snapshot " + Second, "-e", "dump"});
    ASSERT_EQ(R.Status, 0) << R.Err;
    EXPECT_NE(R.Out.find("written to " + Second), std::string::npos) << R.Out;
    const TJson State = LastJson(R.Out);

    // After the switch: every group tab, the data group's pages and nothing
    // left over from the first group's pages.
    for (const auto& [Path, Active, Pages, Gone] :
         {std::tuple{First, "Основные",
                     std::vector<std::string>{"Standard", "Additional", "Win32", "System"},
                     "Data Access"},
          std::tuple{Second, "Данные", std::vector<std::string>{"Data Access", "Data Controls"},
                     "Standard"}}) {
      SCOPED_TRACE(Path);
      const TPicture P = ReadPicture(Path);
      EXPECT_EQ(P.Root.Get("width"), "1024");
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
        EXPECT_EQ(Found[0]->Bold, Caption == Active) << Caption;
        if (Caption != Active) {
          const std::string Fill = P.FillUnder(Found[0]);
          EXPECT_TRUE(InactiveFill[Shadow].empty() || InactiveFill[Shadow] == Fill) << Caption;
          InactiveFill[Shadow] = Fill;
          InactiveText[Shadow] = Found[0]->Fill;
        } else {
          // The group bar's font colour: clHotLight by default, in Delphi 5
          // (which has no such system colour) RGB 26, 0, 0.
          EXPECT_EQ(Found[0]->Fill, HostVersion >= 6 ? "#000080" : "#1a0000");
          EXPECT_EQ(P.FillUnder(Found[0]), "#c0c0c0");
        }
      }
      // The palette's row lies below the group tabs.
      EXPECT_GT(P.Texts(Pages[0])[0]->Y, P.Texts(Active)[0]->Y + 10);
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
  std::ofstream(File("pages.txt")) << "Standard\nДополнительно\nA&B <x>\n";
  const TRun R = RunIde({"--hive", ":memory:", "--palette", File("pages.txt"), "-e", "show", "-e",
                         "page #1", "-e", "snapshot " + Path});
  ASSERT_EQ(R.Status, 0) << R.Err;
  const TPicture P = ReadPicture(Path);
  std::vector<std::string> Texts;
  for (const TShape& S : P.Shapes)
    if (S.Kind == "text")
      Texts.push_back(S.Text);
  // Exactly the palette's tabs, escaped text read back whole, and none bold.
  EXPECT_EQ(Texts, (std::vector<std::string>{"Standard", "Дополнительно", "A&B <x>"}));
  for (const std::string& T : Texts)
    EXPECT_FALSE(P.Texts(T)[0]->Bold);
  // One row, left to right.
  EXPECT_EQ(P.Texts("Standard")[0]->Y, P.Texts("A&B <x>")[0]->Y);
  EXPECT_LT(P.Texts("Standard")[0]->X, P.Texts("Дополнительно")[0]->X);
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
      {{"-e", "show", "-e", "snapshot " + File("a.png")}, "the file name must end in .svg"},
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
  const TRun R = RunIde({"--hive", Hive(true),
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
                         "-e",     "menu palette"});
  ASSERT_EQ(R.Status, 0) << R.Err;
  EXPECT_NE(R.Out.find("the settings dialog written to " + Main), std::string::npos);
  std::istringstream Lines(R.Out);
  std::vector<TJson> Dumps;
  for (std::string L; std::getline(Lines, L);)
    if (!L.empty() && L[0] == '{')
      Dumps.push_back(ParseJson(L).at("/dialog/controls"_json_pointer));
  ASSERT_EQ(Dumps.size(), 2u);

  const TPicture M = ReadPicture(Main), G = ReadPicture(Groups);
  // The window: the layout's client size inside the frame and title bar.
  const TFormLayoutRow& Form = FrmMainORVExpertLayout().front();
  EXPECT_EQ(std::atoi(M.Root.Get("width").c_str()), Form.Width + 6);
  EXPECT_EQ(std::atoi(M.Root.Get("height").c_str()), Form.Height + 25);
  for (const TPicture* P : {&M, &G}) {
    EXPECT_TRUE(P->HasText("ORV Expert"));  // the title bar
    EXPECT_TRUE(P->HasText("Options"));
    EXPECT_TRUE(P->HasText("Groups"));
  }

  // The options sheet: captions where the layout puts them, relative to the
  // group box they sit in; check marks exactly on the checked boxes; greyed
  // captions exactly for the disabled ones; the spin edits' values.
  // A caption's baseline lies 11 pixels below its top in the dialog's font;
  // a group box's caption is 8 pixels in.
  const auto Origin = [](const TPicture& P, const std::string& Caption, const char* Name,
                         int Indent) {
    // The last one drawn: a sheet's tab may have the same caption.
    const auto Found = P.Texts(Caption);
    EXPECT_FALSE(Found.empty()) << Caption;
    const TPoint At = LayoutPlace(Name);
    return Found.empty()
               ? TPoint{}
               : TPoint{int(Found.back()->X) - At.X - Indent, int(Found.back()->Y) - At.Y - 11};
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
    EXPECT_EQ(int(Found[0]->X), Sheet.X + At.X + 17);
    EXPECT_GT(Found[0]->Y, Sheet.Y + At.Y);
    EXPECT_LT(Found[0]->Y, Sheet.Y + At.Y + Row.Height);
    EXPECT_EQ(Found[0]->Fill == "#808080", !C.at("enabled").get<bool>());
    bool Ticked = false;
    for (const TShape& S : M.Shapes)
      Ticked =
          Ticked || (S.Kind == "polyline" && S.X >= Sheet.X + At.X && S.X < Sheet.X + At.X + 13 &&
                     S.Y >= Sheet.Y + At.Y && S.Y < Sheet.Y + At.Y + Row.Height);
    EXPECT_EQ(Ticked, C.at("checked").get<bool>());
    Checked += Ticked;
  }
  EXPECT_GE(Checked, 2);
  EXPECT_EQ(Before.at("/CheckBoxDrawGroupPage_WidthFull/checked"_json_pointer), true);
  EXPECT_TRUE(M.HasText(Before.at("/SpinTimerInstallRefresh/text"_json_pointer)));
  EXPECT_TRUE(M.HasText(Before.at("/SpinTimerRefreshPagesInterval/text"_json_pointer)));
  // The colour box shows a swatch of its colour.
  const std::string Swatch =
      SvgColor(Before.at("/ColorBoxPageGroup/selected"_json_pointer).get<TColor>());
  const TPoint Box = LayoutPlace("ColorBoxPageGroup");
  bool SwatchFound = false;
  for (const TShape& S : M.Shapes)
    SwatchFound = SwatchFound || (S.Kind == "rect" && S.Fill == Swatch && S.W < 20 &&
                                  S.X > Sheet.X + Box.X && S.X < Sheet.X + Box.X + 20 &&
                                  S.Y > Sheet.Y + Box.Y && S.Y < Sheet.Y + Box.Y + 22);
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
    EXPECT_EQ(int(Found.back()->X), Editor.X + List.X + 2 + 2);
    EXPECT_GT(Found.back()->Y, Editor.Y + List.Y + 2 + 13 * int(i));
    EXPECT_LE(Found.back()->Y, Editor.Y + List.Y + 2 + 13 * int(i + 1));
    EXPECT_EQ(G.FillUnder(Found.back()), i == 1 ? "#000080" : "#ffffff");
  }
  for (const char* Page : {"Data Access", "Data Controls"})
    EXPECT_FALSE(G.Texts(Page).empty()) << Page;
  for (const char* Button : {"BtnAdd", "BtnDelete", "BtnRename", "BtnMoveUp", "BtnMoveDown"})
    EXPECT_TRUE(G.HasText(After.at(Button).at("caption").get<std::string>())) << Button;
  EXPECT_TRUE(G.HasText(">>"));
}

}  // namespace
