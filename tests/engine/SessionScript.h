#pragma once

// A random session written out as what tabulon-ide runs: the IDE's pages
// (a palette file), the registry before the add-in first loads (a hive
// file) and the session's steps as a script, which ends with `expect` lines
// for the state the session reached. The simulator has the same host, the
// same clock and the same dialog driver, so the script replays the session.

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "CodePage.h"
#include "System.h"

class TSessionScript {
 public:
  // Pages and HiveText are the host's text (Windows-1251).
  void Setup(const std::vector<std::string>& Pages, bool Panel, const std::string& HiveText) {
    FPages = Pages;
    FPanel = Panel;
    FHive = HiveText;
  }
  void Add(const std::string& Line) { FLines.push_back(Line); }
  void Expect(const std::string& Pointer, const std::string& Json) {
    FExpects.push_back("expect " + Pointer + " " + Json);
  }

  // A script word for a host text: UTF-8, in double quotes.
  static std::string Word(const std::string& Host) {
    // Appended piece by piece here and below: GCC 12 at -O3 warns falsely
    // (-Wrestrict) of a literal + a string.
    std::string Quoted(1, '"');
    Quoted += Win1251ToUtf8(Host);
    Quoted += '"';
    return Quoted;
  }
  // A JSON string for a host text.
  static std::string Json(const std::string& Host) {
    std::string R = "\"";
    for (const char C : Win1251ToUtf8(Host))
      R += C == '"' || C == '\\' ? std::string("\\") + C : std::string(1, C);
    return R + "\"";
  }
  static std::string Json(const std::vector<std::string>& Hosts) {
    std::string R = "[";
    for (const auto& H : Hosts) {
      if (R.size() > 1)
        R += ',';
      R += Json(H);
    }
    return R + "]";
  }

  // The options of tabulon-ide that replay the script on Hive, a copy of
  // the hive file (the run writes to its hive).
  std::string Options(const std::filesystem::path& Dir, const std::string& Hive) const {
    return std::string(FPanel ? "--layout panel " : "") + "--palette " +
           (Dir / "palette.txt").string() + " --hive " + Hive;
  }

  // Writes session.tide, palette.txt and hive.reg into Dir, the script
  // headed by Heading (one comment line per line of it, UTF-8); returns the
  // script's path.
  std::string Write(const std::filesystem::path& Dir, const std::string& Heading) const {
    std::filesystem::create_directories(Dir);
    std::ofstream Palette(Dir / "palette.txt", std::ios::binary);
    for (const auto& Page : FPages)
      Palette << Win1251ToUtf8(Page) << "\n";
    std::ofstream(Dir / "hive.reg", std::ios::binary) << FHive;
    const std::string Path = (Dir / "session.tide").string();
    std::ofstream Script(Path, std::ios::binary);
    std::string Line;
    for (std::size_t i = 0; i <= Heading.size(); ++i) {
      if (i < Heading.size() && Heading[i] != '\n') {
        Line += Heading[i];
        continue;
      }
      Script << "# " << Line << "\n";
      Line.clear();
    }
    Script << "# Replay it on a copy of hive.reg, as the run writes to its hive:\n"
           << "#   cp hive.reg replay.reg && tabulon-ide --host " << HostVersion << " "
           << Options(".", "replay.reg") << " session.tide\n";
    for (const auto& L : FLines)
      Script << L << "\n";
    for (const auto& E : FExpects)
      Script << E << "\n";
    return Path;
  }

 private:
  std::vector<std::string> FPages;
  bool FPanel = false;
  std::string FHive;
  std::vector<std::string> FLines, FExpects;
};
