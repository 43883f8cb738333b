#pragma once

// Reads back what BmpFileBytes wrote: the header fields a viewer goes by
// and the pixels, so that a test checks the file as a viewer reads it.

#include <cstdint>
#include <string>

#include "WindowCapture.h"

struct TBmpHeader {
  std::string Magic;
  std::uint32_t FileSize = 0, PixelOffset = 0, InfoSize = 0, ImageSize = 0, Compression = 0;
  std::int32_t Width = 0, Height = 0;
  unsigned Planes = 0, BitCount = 0;
};

inline std::uint32_t BmpU32(const std::string& B, std::size_t At) {
  return static_cast<std::uint32_t>(static_cast<unsigned char>(B.at(At))) |
         static_cast<std::uint32_t>(static_cast<unsigned char>(B.at(At + 1))) << 8 |
         static_cast<std::uint32_t>(static_cast<unsigned char>(B.at(At + 2))) << 16 |
         static_cast<std::uint32_t>(static_cast<unsigned char>(B.at(At + 3))) << 24;
}

inline TBmpHeader ReadBmpHeader(const std::string& B) {
  TBmpHeader H;
  H.Magic = B.substr(0, 2);
  H.FileSize = BmpU32(B, 2);
  H.PixelOffset = BmpU32(B, 10);
  H.InfoSize = BmpU32(B, 14);
  H.Width = static_cast<std::int32_t>(BmpU32(B, 18));
  H.Height = static_cast<std::int32_t>(BmpU32(B, 22));
  H.Planes = BmpU32(B, 26) & 0xFFFF;
  H.BitCount = BmpU32(B, 26) >> 16;
  H.Compression = BmpU32(B, 30);
  H.ImageSize = BmpU32(B, 34);
  return H;
}

// The pixel at (X, Y) from the top of a 24-bit bottom-up BMP, as a COLORREF.
inline COLORREF BmpPixel(const std::string& B, int X, int Y) {
  const TBmpHeader H = ReadBmpHeader(B);
  const std::size_t Row = (static_cast<std::size_t>(H.Width) * 3 + 3) / 4 * 4;
  const std::size_t At = H.PixelOffset + Row * static_cast<std::size_t>(H.Height - 1 - Y) +
                         static_cast<std::size_t>(X) * 3;
  return static_cast<COLORREF>(static_cast<unsigned char>(B.at(At + 2))) |
         static_cast<COLORREF>(static_cast<unsigned char>(B.at(At + 1))) << 8 |
         static_cast<COLORREF>(static_cast<unsigned char>(B.at(At))) << 16;
}
