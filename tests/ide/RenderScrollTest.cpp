#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "RenderedRow.h"
#include "SimulatorFixture.h"

using ::testing::HasSubstr;
using ::testing::Not;

// A palette row that overflows says where its arrows left it: the last page
// chosen brings the row's end into view, the first one its start.
TEST(RenderScroll, AScrolledRowNamesItsFirstTabInView) {
  TMemorySimulator M;
  const auto Heading = [&M](const std::string& Step) {
    EXPECT_EQ(M.Sim.RunLine(Step, Step), TLineResult::Ok) << M.Err.str();
    M.Out.str("");
    EXPECT_EQ(M.Sim.RunLine("render", "render"), TLineResult::Ok) << M.Err.str();
    return ParseRow(M.Out.str(), "palette (").Heading;
  };
  EXPECT_EQ(M.Sim.RunLine("show", "show"), TLineResult::Ok);
  M.Out.str("");
  EXPECT_EQ(M.Sim.RunLine("render", "render"), TLineResult::Ok);
  const std::string Last = std::to_string(ParseRow(M.Out.str(), "palette (").Tabs.size() - 1);
  EXPECT_THAT(Heading("page #0"), Not(HasSubstr("scrolled")));
  EXPECT_THAT(Heading("page #" + Last), HasSubstr("selected tab #" + Last));
  EXPECT_THAT(Heading("page #" + Last), HasSubstr(", scrolled to tab #"));
  EXPECT_THAT(Heading("page #0"), Not(HasSubstr("scrolled")));
}
