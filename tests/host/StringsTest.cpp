#include <gtest/gtest.h>

#include "Classes.h"

TEST(Strings, Placeholder) {
  TStringList L;
  L.SetText("a\r\nb");
  EXPECT_EQ(L.Count(), 2);
}
