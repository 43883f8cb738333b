#include <gtest/gtest.h>

#include <string>

#include "StringSwitch.h"

namespace {

struct TRow {
  const char* Name;
  int Value;
};

// The form reader and the option table find handlers, classes, options and
// controls by name this way: a name must match whole and exactly, or a
// handler "Form" would be taken for "FormCreate", and a row without a name
// must match nothing.
TEST(StringSwitch, MatchesWholeNamesExactlyFirstCaseFirst) {
  const auto Pick = [](const std::string& Text) {
    return StringSwitch<int>(Text).Case("Form", 1).Case("FormCreate", 2).Case("Form", 3).Default(0);
  };
  EXPECT_EQ(Pick("Form"), 1);
  EXPECT_EQ(Pick("FormCreate"), 2);
  EXPECT_EQ(Pick("formcreate"), 0);
  EXPECT_EQ(Pick("FormCreat"), 0);
  EXPECT_EQ(Pick(std::string("Form\0X", 6)), 0);
  EXPECT_EQ(Pick(""), 0);

  const TRow Rows[] = {{nullptr, 0}, {"Keep", 1}, {"", 2}, {"Keep", 3}};
  const auto Row = [&](const char* Text) {
    return StringSwitch<const TRow*>(Text).Rows(Rows, &TRow::Name).Find();
  };
  EXPECT_EQ(Row("Keep"), &Rows[1]);
  EXPECT_EQ(Row(""), &Rows[2]);
  EXPECT_FALSE(Row("Kee").has_value());
  // A case before the rows has the first word.
  EXPECT_EQ(StringSwitch<const TRow*>("Keep").Case("Keep", &Rows[3]).Rows(Rows, &TRow::Name).Find(),
            &Rows[3]);
}

}  // namespace
