#include <gtest/gtest.h>

#include <string>

#include "Windows.h"

// Windows' clipboard is the user's: a session's start or end leaves its
// text, and the VCL's 8-bit text goes in and comes back byte for byte.
TEST(Clipboard, KeepsTheUsersTextAcrossSessionsByteForByte) {
  // "Стандарт" in Windows-1251, then the Latin-1 range's upper bytes.
  const std::string Text = "\xD1\xF2\xE0\xED\xE4\xE0\xF0\xF2 \xC0\xFF";
  SystemClipboard().SetText(Text);
  ResetWindowsState();
  ASSERT_TRUE(SystemClipboard().HasText());
  EXPECT_EQ(SystemClipboard().Text(), Text);
  SystemClipboard().Clear();
  EXPECT_FALSE(SystemClipboard().HasText());
  EXPECT_EQ(SystemClipboard().Text(), "");
}
