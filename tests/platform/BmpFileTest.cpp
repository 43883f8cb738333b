#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "BmpFile.h"
#include "WindowCapture.h"

using ::testing::HasSubstr;

// The BMP file that a window capture is written to, on either platform.

namespace {

TEST(BmpFile, HeadersRowsAndPaddingAsAViewerReadsThem) {
  // Three pixels a row: 9 bytes padded to 12; rows stored from the bottom.
  TWindowPixels P{3, 2, {0x0000FF, 0x00FF00, 0xFF0000, 0x123456, 0xABCDEF, 0x000001}};
  const std::string B = BmpFileBytes(P);
  const TBmpHeader H = ReadBmpHeader(B);
  EXPECT_EQ(H.Magic, "BM");
  EXPECT_EQ(H.FileSize, B.size());
  EXPECT_EQ(B.size(), 54u + 2 * 12);
  EXPECT_EQ(H.PixelOffset, 54u);
  EXPECT_EQ(H.InfoSize, 40u);
  EXPECT_EQ(H.Width, 3);
  EXPECT_EQ(H.Height, 2) << "positive: rows from the bottom up";
  EXPECT_EQ(H.Planes, 1u);
  EXPECT_EQ(H.BitCount, 24u);
  EXPECT_EQ(H.Compression, 0u);
  EXPECT_EQ(H.ImageSize, 24u);
  EXPECT_EQ(B.substr(54, 12), std::string("\x12\x34\x56\xAB\xCD\xEF\x00\x00\x01\x00\x00\x00", 12))
      << "the bottom row first, blue green red, then padding";
  for (int Y = 0; Y < 2; ++Y)
    for (int X = 0; X < 3; ++X)
      EXPECT_EQ(BmpPixel(B, X, Y), P.At(X, Y)) << X << "," << Y;

  EXPECT_THROW(BmpFileBytes(TWindowPixels{}), ECaptureError);
  EXPECT_THROW(BmpFileBytes(TWindowPixels{2, 2, {0, 0, 0}}), ECaptureError)
      << "fewer pixels than the size says";
}

// The name is Windows-1251, as every text inside; the file system gets it
// as Unicode. A file that cannot be written is an error naming it.
TEST(BmpFile, WrittenUnderItsNameOrRefused) {
  namespace fs = std::filesystem;
  const fs::path Dir = fs::temp_directory_path() / "tabulon-bmp-test";
  fs::remove_all(Dir);
  fs::create_directories(Dir);
  const TWindowPixels P{1, 1, {0x336699}};
  const std::string Name = (Dir / "").string() + "\xCA\xE0\xF0\xF2\xE8\xED\xEA\xE0.bmp";
  WriteBmpFile(P, Name);
  {
    std::ifstream In(Dir / fs::path(u8"Картинка.bmp"), std::ios::binary);
    const std::string Read{std::istreambuf_iterator<char>(In), std::istreambuf_iterator<char>()};
    EXPECT_EQ(Read, BmpFileBytes(P));
  }
  try {
    WriteBmpFile(P, (Dir / "missing" / "x.bmp").string());
    ADD_FAILURE() << "written into a folder that is not there";
  } catch (const ECaptureError& E) {
    EXPECT_THAT(std::string(E.what()), HasSubstr("x.bmp")) << E.what();
  }
  fs::remove_all(Dir);
}

}  // namespace
