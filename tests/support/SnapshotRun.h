#pragma once

// Runs the simulator in a test, as a script would, and keeps the picture of
// every snapshot for the test to read: its texts, their boxes and what they
// stand on. Each test gets a folder of its own for the files it writes.

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "CodePage.h"
#include "Hive.h"
#include "Json.h"
#include "Package.h"
#include "Picture.h"
#include "PictureFile.h"
#include "Simulator.h"
#include "uORVFrmMainLayout.h"

// A host colour as the picture shows it: "#rrggbb".
inline std::string Hex(TColor Color) {
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

struct TSnapshotRun {
  int Status;
  std::string Out, Err;
  std::vector<TShown> Pictures;  // one per snapshot, in order
};

// Runs the lines in a simulator of this build, as a script would, keeping
// the picture of every snapshot. "--palette" takes the pages, one a line.
inline TSnapshotRun RunSnapshots(const std::vector<std::string>& Args) {
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
  TSnapshotRun Run{0, "", "", {}};
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
inline TJson LastJson(const std::string& Out) {
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
    if (!PictureFilesAvailable())
      GTEST_SKIP() << "built without cairo: snapshot draws no pictures (install libcairo2-dev)";
    FDir = std::filesystem::temp_directory_path() /
           ("tabulon-snapshot-" + std::to_string(HostVersion) + "-" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(FDir);
    std::filesystem::create_directories(FDir);
  }
  void TearDown() override {
    if (!FDir.empty())
      std::filesystem::remove_all(FDir);
  }
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

// Where a control of the layout lies relative to its sheet (or the form),
// adding up the Left and Top of the rows above it.
inline TPoint LayoutPlace(const std::string& Name, std::string* Sheet = nullptr) {
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
