#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "CodePage.h"
#include "WindowCapture.h"

// The BMP file is written by hand: the format is two little-endian headers
// and the rows, and a library for it would be one more thing to install on
// both platforms.

namespace {

void Put16(std::string& Out, unsigned Value) {
  Out += static_cast<char>(Value & 0xFF);
  Out += static_cast<char>((Value >> 8) & 0xFF);
}

void Put32(std::string& Out, std::uint32_t Value) {
  Put16(Out, Value & 0xFFFF);
  Put16(Out, Value >> 16);
}

constexpr std::uint32_t kHeadersSize = 14 + 40;

}  // namespace

std::string BmpFileBytes(const TWindowPixels& Picture) {
  if (Picture.Width <= 0 || Picture.Height <= 0 ||
      Picture.Pixels.size() !=
          static_cast<std::size_t>(Picture.Width) * static_cast<std::size_t>(Picture.Height))
    throw ECaptureError("a BMP needs a picture of at least one pixel, with every pixel given");
  const auto Width = static_cast<std::uint32_t>(Picture.Width);
  const auto Height = static_cast<std::uint32_t>(Picture.Height);
  const std::uint32_t RowSize = (Width * 3 + 3) / 4 * 4;
  const std::uint64_t ImageSize = std::uint64_t{RowSize} * Height;
  if (ImageSize > 0x7FFFFFFF - kHeadersSize)
    throw ECaptureError("a picture of " + std::to_string(Width) + "x" + std::to_string(Height) +
                        " pixels is too large for a BMP file");
  std::string Out;
  Out.reserve(kHeadersSize + static_cast<std::size_t>(ImageSize));
  // BITMAPFILEHEADER
  Out += "BM";
  Put32(Out, kHeadersSize + static_cast<std::uint32_t>(ImageSize));
  Put32(Out, 0);
  Put32(Out, kHeadersSize);
  // BITMAPINFOHEADER: a positive height means rows from the bottom up.
  Put32(Out, 40);
  Put32(Out, Width);
  Put32(Out, Height);
  Put16(Out, 1);   // planes
  Put16(Out, 24);  // bits per pixel
  Put32(Out, 0);   // BI_RGB
  Put32(Out, static_cast<std::uint32_t>(ImageSize));
  Put32(Out, 2835);  // 72 dots per inch, in dots per metre
  Put32(Out, 2835);
  Put32(Out, 0);
  Put32(Out, 0);
  for (int Y = Picture.Height - 1; Y >= 0; --Y) {
    const std::size_t RowStart = Out.size();
    for (int X = 0; X < Picture.Width; ++X) {
      const COLORREF C = Picture.At(X, Y);
      Out += static_cast<char>((C >> 16) & 0xFF);  // blue, green, red
      Out += static_cast<char>((C >> 8) & 0xFF);
      Out += static_cast<char>(C & 0xFF);
    }
    Out.append(RowStart + RowSize - Out.size(), '\0');
  }
  return Out;
}

void WriteBmpFile(const TWindowPixels& Picture, const std::string& Path) {
  const std::string Bytes = BmpFileBytes(Picture);
  // The name goes to the file system as Unicode: UTF-16 on Windows, UTF-8
  // elsewhere, whatever the process's 8-bit code page.
  const std::string Utf8 = Win1251ToUtf8(Path);
  const std::filesystem::path Name(std::u8string(Utf8.begin(), Utf8.end()));
  std::ofstream Out(Name, std::ios::binary | std::ios::trunc);
  if (Out)
    Out.write(Bytes.data(), static_cast<std::streamsize>(Bytes.size()));
  if (Out)
    Out.flush();
  if (!Out)
    throw ECaptureError("cannot write " + Path + ": " + std::strerror(errno));
}
