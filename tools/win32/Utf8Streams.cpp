#include <windows.h>

#include <iostream>
#include <streambuf>

#include "Terminal.h"

namespace {

// A console's text goes out as UTF-16 through WriteConsoleW, whatever code
// page the console has: UTF-8 bytes written to it would be read in that
// code page (a Cyrillic letter as two Latin ones). A character split
// between two writes waits for its other bytes.
class TConsoleBuf : public std::streambuf {
 public:
  explicit TConsoleBuf(HANDLE Console) : FConsole(Console) {}

 protected:
  int_type overflow(int_type Ch) override {
    if (!traits_type::eq_int_type(Ch, traits_type::eof()))
      FPending += traits_type::to_char_type(Ch);
    if (Ch == '\n' || FPending.size() >= 4096)
      Flush();
    return traits_type::not_eof(Ch);
  }
  std::streamsize xsputn(const char* Text, std::streamsize N) override {
    FPending.append(Text, static_cast<std::size_t>(N));
    Flush();
    return N;
  }
  int sync() override {
    Flush();
    return 0;
  }

 private:
  void Flush() {
    // Up to the last whole character.
    std::size_t End = FPending.size();
    for (std::size_t Back = 1; Back <= 3 && Back <= FPending.size(); ++Back) {
      const auto B = static_cast<unsigned char>(FPending[FPending.size() - Back]);
      if ((B & 0xC0) == 0x80)
        continue;
      const std::size_t Length = B >= 0xF0 ? 4 : B >= 0xE0 ? 3 : B >= 0xC0 ? 2 : 1;
      if (Length > Back)
        End = FPending.size() - Back;
      break;
    }
    if (End == 0)
      return;
    const int N =
        MultiByteToWideChar(CP_UTF8, 0, FPending.data(), static_cast<int>(End), nullptr, 0);
    std::wstring Wide(static_cast<std::size_t>(N), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, FPending.data(), static_cast<int>(End), Wide.data(), N);
    DWORD Written = 0;
    WriteConsoleW(FConsole, Wide.data(), static_cast<DWORD>(Wide.size()), &Written, nullptr);
    FPending.erase(0, End);
  }

  HANDLE FConsole;
  std::string FPending;
};

// The stream's buffer when its handle is a console; nothing changes for a
// pipe or a file, which take the UTF-8 bytes as they are.
void ToConsole(std::ostream& Stream, DWORD Handle) {
  const HANDLE H = GetStdHandle(Handle);
  DWORD Mode = 0;
  if (H == nullptr || H == INVALID_HANDLE_VALUE || GetConsoleMode(H, &Mode) == 0)
    return;
  Stream.flush();
  // The buffers live as long as the program: the streams are the
  // process's own.
  Stream.rdbuf(new TConsoleBuf(H));
}

}  // namespace

void UseUtf8StandardStreams() {
  ToConsole(std::cout, STD_OUTPUT_HANDLE);
  ToConsole(std::cerr, STD_ERROR_HANDLE);
}
