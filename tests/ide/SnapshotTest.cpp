#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <sstream>

#include "SimulatorFixture.h"

namespace {

// Enough of XML 1.0 to reject what a browser would: unbalanced or crossed
// tags, unquoted attributes, a bare '&' or '<' in text. Returns "" or the
// first problem.
std::string XmlProblem(const std::string& Doc) {
  std::vector<std::string> Open;
  std::size_t At = 0;
  if (Doc.rfind("<?xml", 0) == 0)
    At = Doc.find("?>") + 2;
  const std::regex Tag(R"(^<(/?)([A-Za-z][\w:.-]*)((\s+[\w:.-]+="[^"<]*")*)\s*(/?)>)");
  const std::regex Entity(R"(^&(amp|lt|gt|quot|apos|#[0-9]+);)");
  while (At < Doc.size()) {
    const char C = Doc[At];
    std::smatch M;
    const std::string Rest = Doc.substr(At, 4096);
    if (C == '<') {
      if (!std::regex_search(Rest, M, Tag))
        return "bad tag at " + Rest.substr(0, 40);
      if (M[1].length() > 0) {
        if (Open.empty() || Open.back() != M[2])
          return "</" + M[2].str() + "> closes nothing open";
        Open.pop_back();
      } else if (M[5].length() == 0) {
        Open.push_back(M[2]);
      }
      At += static_cast<std::size_t>(M[0].length());
    } else if (C == '&') {
      if (!std::regex_search(Rest, M, Entity))
        return "bad entity at " + Rest.substr(0, 20);
      At += static_cast<std::size_t>(M[0].length());
    } else {
      ++At;
    }
  }
  return Open.empty() ? "" : "<" + Open.back() + "> is never closed";
}

std::string ReadAll(const std::string& Path) {
  std::ifstream F(Path, std::ios::binary);
  std::ostringstream S;
  S << F.rdbuf();
  return S.str();
}

// The fill of the tab drawn just before a caption's clip path.
std::string FillBefore(const std::string& Svg, const std::string& Caption) {
  const std::size_t Text = Svg.find(">" + Caption + "</text>");
  const std::size_t Rect = Svg.rfind("<rect x=", Svg.rfind("<clipPath", Text));
  const std::size_t Fill = Svg.find("fill=\"", Rect);
  return Svg.substr(Fill + 6, 7);
}

}  // namespace

TEST(Snapshot, ThePaletteAreaIsValidSvgWithWhatWasDrawn) {
  TMemorySimulator M;
  TSimulator& Sim = M.Sim;
  std::ostringstream& Err = M.Err;
  const std::string Path = ::testing::TempDir() + "palette-" + std::to_string(HostVersion);
  auto Run = [&](const std::string& Line) {
    ASSERT_EQ(Sim.RunLine(Line, Line), TLineResult::Ok) << Err.str();
  };

  Run("show");
  Run("snapshot " + Path + "-plain.svg");
  const std::string Plain = ReadAll(Path + "-plain.svg");
  EXPECT_EQ(XmlProblem(Plain), "");
  EXPECT_NE(Plain.find(">Standard</text>"), std::string::npos);

  // Two groups, the names needing XML and UTF-8 care, in the shadow style.
  for (const char* Line :
       {"load", "dialog", "sheet TSGroupPage", "input Данные", "click BtnAdd", "input Основные",
        "click BtnAdd", "select LBoxPageGroup 0", "select LBoxPagePalette \"ADO\"",
        "click BtnMoveToLeftOne", "sheet TSMain", "check CheckBoxDrawGroupPageShadow on", "ok",
        "end", "menu palette"})
    Run(Line);
  Run("snapshot " + Path + "-shadow.svg");
  const std::string Shadow = ReadAll(Path + "-shadow.svg");
  EXPECT_EQ(XmlProblem(Shadow), "");
  // "Основные" holds no page, so it has no tab.
  for (const char* Caption : {"Данные", "НетГруппы", "ADO"})
    EXPECT_NE(Shadow.find(std::string(">") + Caption + "</text>"), std::string::npos) << Caption;
  EXPECT_EQ(Shadow.find(">Standard</text>"), std::string::npos) << "a page of another group";
  // Only the active group's caption is bold; the others are shaded.
  const std::size_t Bold = Shadow.find("font-weight=\"bold\"");
  ASSERT_NE(Bold, std::string::npos);
  EXPECT_EQ(Shadow.find("font-weight=\"bold\"", Bold + 1), std::string::npos);
  EXPECT_EQ(Shadow.find("</text>", Bold),
            Shadow.find(">Данные</text>") + std::string(">Данные").size());
  const std::string ActiveFill = FillBefore(Shadow, "Данные");
  EXPECT_NE(FillBefore(Shadow, "НетГруппы"), ActiveFill);

  Run("dialog");
  Run("check CheckBoxDrawGroupPageShadow off");
  Run("ok");
  Run("end");
  Run("menu palette");
  Run("snapshot " + Path + "-flat.svg");
  const std::string Flat = ReadAll(Path + "-flat.svg");
  EXPECT_EQ(FillBefore(Flat, "НетГруппы"), FillBefore(Flat, "Данные"));

  EXPECT_EQ(Sim.RunLine("snapshot " + Path + ".png", "png"), TLineResult::Error);
  EXPECT_EQ(Sim.RunLine("snapshot /nonexistent-folder/x.svg", "nowhere"), TLineResult::Error);
  EXPECT_NE(Err.str().find("cannot write the snapshot to /nonexistent-folder/x.svg"),
            std::string::npos);
}
