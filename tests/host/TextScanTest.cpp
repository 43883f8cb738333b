#include <gtest/gtest.h>

#include <cstddef>
#include <string>

#include "TextScan.h"

namespace {

// The byte search looks at sixteen bytes a step and leaves the last few to
// memchr: the first byte sought is found wherever it lies, a second one
// after it is passed over, and one just past the end of the range is not
// seen.
TEST(TextScan, FindByteFindsTheFirstInAnyPlaceAndNothingPastTheEnd) {
  for (std::size_t Length = 0; Length <= 40; ++Length) {
    std::string Text(Length, 'a');
    Text += "b\n";  // a byte after the range: must not be found
    const char* const Begin = Text.data();
    const char* const End = Begin + Length;
    EXPECT_EQ(TextScan::FindByte(Begin, End, '\n'), End) << Length;
    for (std::size_t At = 0; At < Length; ++At) {
      std::string Marked = Text;
      Marked[At] = '\n';
      if (At + 5 < Length)
        Marked[At + 5] = '\n';
      EXPECT_EQ(TextScan::FindByte(Marked.data(), Marked.data() + Length, '\n') - Marked.data(),
                static_cast<std::ptrdiff_t>(At))
          << Length << " " << At;
    }
  }
}

}  // namespace
