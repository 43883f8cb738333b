#include <gtest/gtest.h>

#include "Windows.h"

// The headless clipboard is the session's own and goes with it.
TEST(Clipboard, EmptiedWithTheSession) {
  SystemClipboard().SetText("kept until the end");
  ResetWindowsState();
  EXPECT_FALSE(SystemClipboard().HasText());
  EXPECT_EQ(SystemClipboard().Text(), "");
}
