// libFuzzer target for the hive's whole load path: the bytes become a file
// on disk and are opened as the hive, as the simulator opens one (the
// header's check on the first 4 KB, the size cap, the detection of either
// form, the parse), then exported in both forms, and each export is opened
// again. Opening either stops with an ERegistryException or gives a hive
// whose exports load as the same hive; only a 5.00 file may hold characters
// that a REGEDIT4 export refuses. A crash, a sanitizer report, any other
// exception or a difference is a finding. The files live in a folder of the
// run's own under TMPDIR, removed at the end.

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "HiveError.h"
#include "RegistryHive.h"

namespace {

// Made at the first input and kept to the end: removing it at exit must
// not depend on the order in which statics go.
const std::string& Folder() {
  static const std::string* const Path = [] {
    std::string Template =
        (std::filesystem::temp_directory_path() / "hive-file-fuzz-XXXXXX").string();
    if (::mkdtemp(Template.data()) == nullptr)
      std::abort();
    std::atexit([] { std::filesystem::remove_all(Folder()); });
    return new std::string(Template);
  }();
  return *Path;
}

[[noreturn]] void Finding(const char* What) {
  std::fprintf(stderr, "%s\n", What);
  std::abort();
}

void Quiet(const std::string&) {}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  const std::string In = Folder() + "/in.reg";
  std::ofstream(In, std::ios::binary | std::ios::trunc)
      .write(reinterpret_cast<const char*>(Data), static_cast<std::streamsize>(Size));
  const std::pair<HiveFormat, std::string> Exports[] = {
      {HiveFormat::Regedit4, Folder() + "/four.reg"},
      {HiveFormat::Regedit5, Folder() + "/five.reg"}};
  std::string Text;
  bool Exported[2] = {};
  try {
    RegistryHive Hive(In, Quiet);
    Text = Hive.Text();
    for (int i = 0; i < 2; ++i) {
      try {
        Hive.Export(Exports[i].second, Exports[i].first);
        Exported[i] = true;
      } catch (const EHiveNeedsUnicode&) {
        if (Hive.Format() != HiveFormat::Regedit5 || Exports[i].first != HiveFormat::Regedit4)
          Finding("an export refused characters its own format read");
      }
    }
  } catch (const EHiveNeedsUnicode&) {
    Finding("a hive that loaded could not be shown");
  } catch (const ERegistryException&) {
    return 0;
  }
  for (int i = 0; i < 2; ++i) {
    if (!Exported[i])
      continue;
    // What the store writes it must read: an exception here is a finding.
    RegistryHive Again(Exports[i].second, Quiet);
    if (Again.Format() != Exports[i].first)
      Finding("an export reads as the other format");
    if (Again.Text() != Text)
      Finding("an export loads as another hive");
  }
  return 0;
}
