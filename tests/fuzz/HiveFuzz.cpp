// libFuzzer target for the hive's text forms. Whatever bytes a hive file
// holds, reading them either stops with an ERegistryException or gives a
// tree whose written text, in either form, reads back to a tree that is
// written as exactly the same text; only a 5.00 file may hold characters
// that a REGEDIT4 text refuses. A crash, a sanitizer report, any other
// exception or a difference is a finding.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "HiveError.h"
#include "HiveText.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  const std::string Bytes(reinterpret_cast<const char*>(Data), Size);
  HiveKey Root;
  HiveFormat Read;
  try {
    Read = ParseHiveText(Bytes, "fuzz.reg", Root);
  } catch (const ERegistryException&) {
    return 0;
  }
  for (HiveFormat Format : {HiveFormat::Regedit4, HiveFormat::Regedit5}) {
    std::string First;
    try {
      First = FormatHiveText(Root, Format);
    } catch (const EHiveNeedsUnicode&) {
      if (Read == HiveFormat::Regedit5 && Format == HiveFormat::Regedit4)
        continue;
      std::fprintf(stderr, "a text refused characters its own format read\n");
      std::abort();
    }
    HiveKey Again;
    // What the hive writes it must read: an exception here is a finding.
    if (ParseHiveText(First, "written.reg", Again) != Format) {
      std::fprintf(stderr, "the written text reads as the other format\n");
      std::abort();
    }
    if (FormatHiveText(Again, Format) != First) {
      std::fprintf(stderr, "written, read and written again, the text changed\n");
      std::abort();
    }
  }
  return 0;
}
