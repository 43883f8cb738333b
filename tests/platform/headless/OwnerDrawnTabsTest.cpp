#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "OwnerDrawnTabs.h"
#include "WindowCapture.h"

using ::testing::HasSubstr;

// The headless platform has no pixels: a capture of a window says which
// build has them.

namespace {

TEST(OwnerDrawnTabs, ThereAreNoPixelsToCapture) {
  TOwnerDrawnTabs Tabs(true);
  EXPECT_FALSE(WindowCaptureAvailable());
  try {
    CaptureWindow(Tabs.Wnd);
    ADD_FAILURE() << "a capture without pixels";
  } catch (const ECaptureError& E) {
    EXPECT_THAT(std::string(E.what()), HasSubstr("win32 build")) << E.what();
  }
}

}  // namespace
