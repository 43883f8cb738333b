#pragma once

// The options of tabulon-ide, in one table that both the launcher and the
// simulators read: the simulators parse their command line and write their
// --help from it, and the launcher, which only picks the build that --host
// names, skips the values of exactly the options that take one. A new option
// is one entry here; neither program can then mistake its value for an
// option. Standard library only, so that the launcher stays small.

#include <optional>
#include <string>
#include <vector>

struct TOption {
  const char* Short;  // "-e", or nullptr
  const char* Long;   // "--host", or nullptr
  const char* Value;  // the value's name in --help ("5|6|7"); nullptr for a flag
  // What --help says, one or more lines.
  const char* Help;
};

const std::vector<TOption>& OptionTable();

// --hive, whose store is the system's: a hive file on POSIX systems,
// Windows' own registry on Windows.
TOption HiveOption();

// The entry of an argument that is an option name ("--host", "-e"), without
// any "=VALUE"; nullptr for anything else.
const TOption* FindOption(const std::string& Name);

// A long option as it stands on a command line: "--hive FILE" or
// "--hive=FILE" (Inline). Value is nothing for a flag, and for an option
// that is the last word and has no value.
struct TLongOption {
  const TOption* Option;
  std::optional<std::string> Value;
  bool Inline;
};

// The long options of a command line, read as the simulator reads it: values
// of options ("-e --host") are skipped, short options may be joined ("-ve
// CMD" is -v and -e CMD, "-eCMD" is -e CMD), and nothing after "--" is an
// option. Unknown long options are left out.
std::vector<TLongOption> LongOptions(const std::vector<std::string>& Args);

// What --host says on a command line; the last --host counts. Nothing when
// --host is not given; "" when it is the last word and has no value.
std::optional<std::string> HostArgument(const std::vector<std::string>& Args);
