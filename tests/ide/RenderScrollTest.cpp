#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "Json.h"
#include "RenderedRow.h"
#include "SimulatorFixture.h"

using ::testing::HasSubstr;
using ::testing::Not;

// A palette row that overflows says where its arrows left it, in render's
// heading and as the dump's first tab in view: the last page chosen brings
// the row's end into view, the first one its start.
TEST(RenderScroll, AScrolledRowNamesItsFirstTabInView) {
  TMemorySimulator M;
  const auto Run = [&M](const std::string& Line) {
    M.Out.str("");
    EXPECT_EQ(M.Sim.RunLine(Line, Line), TLineResult::Ok) << M.Err.str();
    return M.Out.str();
  };
  // The heading after Step, checked against the dump's first tab.
  const auto Heading = [&](const std::string& Step) {
    Run(Step);
    const std::string Heading = ParseRow(Run("render"), "palette (").Heading;
    const int First = ParseJson(Run("dump")).at("/palette/firstTab"_json_pointer).get<int>();
    if (First == 0)
      EXPECT_THAT(Heading, Not(HasSubstr("scrolled"))) << Step;
    else
      EXPECT_THAT(Heading, HasSubstr(", scrolled to tab #" + std::to_string(First) + " ")) << Step;
    return Heading;
  };
  Run("show");
  const std::string Last = std::to_string(ParseRow(Run("render"), "palette (").Tabs.size() - 1);
  EXPECT_THAT(Heading("page #0"), Not(HasSubstr("scrolled")));
  EXPECT_THAT(Heading("page #" + Last), HasSubstr("selected tab #" + Last));
  EXPECT_THAT(Heading("page #" + Last), HasSubstr(", scrolled to tab #"));
  EXPECT_THAT(Heading("page #0"), Not(HasSubstr("scrolled")));
}
