#pragma once

// The rows that the simulator's render command prints: a heading, then the
// tabs between bars, each with its marks for chosen, bold and shaded.

#include <sstream>
#include <string>
#include <vector>

// One tab of a rendered row, its marks taken off.
struct TRenderedTab {
  std::string Caption;
  bool Chosen = false, Bold = false, Shaded = false;
};

struct TRenderedRow {
  bool Present = false;
  std::string Heading;
  std::vector<TRenderedTab> Tabs;
};

inline bool Strip(std::string& S, char Open, char Close) {
  if (S.size() >= 2 && S.front() == Open && S.back() == Close) {
    S = S.substr(1, S.size() - 2);
    return true;
  }
  return false;
}

// Reads the tab lines under the heading that starts with Title.
inline TRenderedRow ParseRow(const std::string& Render, const std::string& Title) {
  TRenderedRow Row;
  std::istringstream In(Render);
  std::string Line;
  while (std::getline(In, Line) && Line.rfind(Title, 0) != 0) {
  }
  if (In.fail())
    return Row;
  Row.Present = true;
  Row.Heading = Line;
  while (std::getline(In, Line) && Line.rfind("  |", 0) == 0) {
    // "  |[*a*]| :b: | c |": cells between bars, each blank-padded unless chosen.
    std::size_t At = 3;
    while (At < Line.size()) {
      const std::size_t End = Line.find('|', At);
      std::string Cell = Line.substr(At, End - At);
      At = End + 1;
      TRenderedTab Tab;
      Tab.Chosen = Strip(Cell, '[', ']');
      if (!Tab.Chosen)
        Cell = Cell.substr(1, Cell.size() - 2);
      Tab.Shaded = Strip(Cell, ':', ':');
      Tab.Bold = Strip(Cell, '*', '*');
      Tab.Caption = Cell;
      Row.Tabs.push_back(Tab);
    }
  }
  return Row;
}
