// How much memory reading a hive file takes, against the file's size: for
// each kind of file, a child process loads it as the simulator does
// (RegistryHive) and reports its peak resident memory above what it held
// before, how long the load took and whether the file was read or refused.
// The files are made in a temporary folder, one at a time, and removed.
//
//   build/bin/hive_memory_bench [MB]   (the large files' size, default 256)

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include "HiveError.h"
#include "RegistryHive.h"

namespace {

// The peak resident memory of this process so far, in kilobytes.
long PeakKb() {
  std::ifstream Status("/proc/self/status");
  std::string Line;
  while (std::getline(Status, Line))
    if (Line.rfind("VmHWM:", 0) == 0)
      return std::atol(Line.c_str() + 6);
  return 0;
}

// Writes Head, then Fill repeated until the file has Size bytes (whole
// repeats only), then Tail.
void MakeFile(const std::string& Path, const std::string& Head, const std::string& Fill,
              std::size_t Size, const std::string& Tail) {
  std::ofstream Out(Path, std::ios::binary);
  Out << Head;
  std::string Block;
  while (Block.size() + Fill.size() <= (1u << 20))
    Block += Fill;
  std::size_t Left = Size - Head.size() - Tail.size();
  while (Left >= Block.size()) {
    Out << Block;
    Left -= Block.size();
  }
  for (; Left >= Fill.size(); Left -= Fill.size())
    Out << Fill;
  Out << Tail;
}

std::string Utf16(const std::string& Ascii) {
  std::string Out;
  for (char C : Ascii)
    Out.append({C, '\0'});
  return Out;
}

struct TCase {
  const char* What;
  std::size_t Size;
  std::function<void(const std::string&, std::size_t)> Make;
};

void Run(const TCase& C, const std::string& Path) {
  C.Make(Path, C.Size);
  int Pipe[2];
  if (::pipe(Pipe) != 0)
    std::exit(1);
  std::fflush(nullptr);
  const pid_t Child = ::fork();
  if (Child == 0) {
    ::close(Pipe[0]);
    const long Before = PeakKb();
    const auto Start = std::chrono::steady_clock::now();
    std::string Outcome = "read";
    try {
      RegistryHive Hive(Path);
    } catch (const ERegistryException& E) {
      Outcome = "refused: " + E.Message().substr(E.Message().find(": ") + 2);
    }
    const double Seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - Start).count();
    char Buf[512];
    const int N = std::snprintf(Buf, sizeof Buf, "%8.0f MB %6.1f s  %.60s",
                                (PeakKb() - Before) / 1024.0, Seconds, Outcome.c_str());
    if (::write(Pipe[1], Buf, static_cast<std::size_t>(N)) != N)
      ::_exit(1);
    ::_exit(0);
  }
  ::close(Pipe[1]);
  char Buf[512] = {};
  const ssize_t N = ::read(Pipe[0], Buf, sizeof Buf - 1);
  ::close(Pipe[0]);
  int Status = 0;
  ::waitpid(Child, &Status, 0);
  std::printf("%-44s %5zu MB %s\n", C.What, C.Size >> 20,
              N > 0 ? Buf : "   the reader died (out of memory?)");
  std::filesystem::remove(Path);
}

}  // namespace

int main(int Argc, char** Argv) {
  const std::size_t Large = (Argc > 1 ? std::strtoul(Argv[1], nullptr, 10) : 256) << 20;
  const std::string Header = "REGEDIT4\r\n[HKEY_CURRENT_USER\\K]\r\n";
  const std::string Wide = "\xff\xfe" + Utf16(
                                            "Windows Registry Editor Version 5.00\r\n"
                                            "[HKEY_CURRENT_USER\\K]\r\n");
  const TCase Cases[] = {
      {"blank lines", 16u << 20,
       [&](const std::string& P, std::size_t S) { MakeFile(P, Header, "\r\n", S, ""); }},
      {"blank lines", Large,
       [&](const std::string& P, std::size_t S) { MakeFile(P, Header, "\r\n", S, ""); }},
      {"one text of NULs (REGEDIT4)", Large,
       [&](const std::string& P, std::size_t S) {
         MakeFile(P, Header + "\"v\"=\"", std::string(1, '\0'), S, "\"\r\n");
       }},
      {"one text of CJK (5.00)", Large,
       [&](const std::string& P, std::size_t S) {
         MakeFile(P, Wide + Utf16("\"v\"=\""), "\x2d\x4e", S, Utf16("\"\r\n"));
       }},
      {"one hex value", Large,
       [&](const std::string& P, std::size_t S) {
         MakeFile(P, Header + "\"v\"=hex:", "ab,", S, "00");
       }},
      {"short values in one key", Large,
       [&](const std::string& P, std::size_t S) {
         std::ofstream Out(P, std::ios::binary);
         Out << Header;
         for (std::size_t i = 0, Done = Header.size();; ++i) {
           const std::string Line = "\"" + std::to_string(i) + "\"=\"\"\r\n";
           if ((Done += Line.size()) > S)
             break;
           Out << Line;
         }
       }},
      {"short keys", Large,
       [&](const std::string& P, std::size_t S) {
         std::ofstream Out(P, std::ios::binary);
         Out << "REGEDIT4\r\n";
         for (std::size_t i = 0, Done = 10;; ++i) {
           const std::string Line = "[HKEY_CURRENT_USER\\" + std::to_string(i) + "]\r\n";
           if ((Done += Line.size()) > S)
             break;
           Out << Line;
         }
       }},
  };
  const std::string Folder =
      (std::filesystem::temp_directory_path() / ("hive-memory-" + std::to_string(::getpid())))
          .string();
  std::filesystem::create_directories(Folder);
  std::printf("%-44s %8s %11s %6s\n", "file", "size", "peak above", "time");
  for (const TCase& C : Cases)
    Run(C, Folder + "/hive.reg");
  std::filesystem::remove_all(Folder);
}
