#include "OptionTable.h"

const std::vector<TOption>& OptionTable() {
  static const std::vector<TOption> kOptions = {
      {nullptr, "--host", "5|6|7", "the IDE version (default 7)"},
      HiveOption(),
      {nullptr, "--palette", "FILE",
       "the palette's pages, one caption a line, UTF-8\n"
       "(default: the stock pages of that IDE version)"},
      {nullptr, "--layout", "controlbar|panel",
       "where the palette sits: controlbar (default), a band of\n"
       "the IDE's control bar, or panel, a panel in a panel"},
      {nullptr, "--package", "FILE",
       "the package module to load (default: the one built for\n"
       "that host)"},
      {"-e", nullptr, "COMMAND", "run COMMAND; may be repeated"},
      {"-v", "--verbose", nullptr,
       "echo each command ('> command') before what it prints,\n"
       "and end with a count of commands and expects"},
      {nullptr, "--tour", nullptr, "show a short tour first, on an IDE of its own"},
      {"-i", nullptr, nullptr, "give the prompt after the scripts and -e commands"},
      {"-h", "--help", nullptr, "show this text"},
      {nullptr, "--version", nullptr, "show the version and the host builds there are"},
  };
  return kOptions;
}

const TOption* FindOption(const std::string& Name) {
  for (const TOption& O : OptionTable())
    if ((O.Short != nullptr && Name == O.Short) || (O.Long != nullptr && Name == O.Long))
      return &O;
  return nullptr;
}

std::vector<TLongOption> LongOptions(const std::vector<std::string>& Args) {
  std::vector<TLongOption> Found;
  for (std::size_t i = 0; i < Args.size(); ++i) {
    const std::string& Arg = Args[i];
    if (Arg == "--")
      break;
    if (Arg.size() < 2 || Arg[0] != '-')
      continue;
    if (Arg[1] == '-') {
      const std::size_t Equals = Arg.find('=');
      const TOption* O = FindOption(Arg.substr(0, Equals));
      if (O == nullptr)
        continue;
      TLongOption L{O, std::nullopt, Equals != std::string::npos};
      if (L.Inline)
        L.Value = Arg.substr(Equals + 1);
      else if (O->Value != nullptr && i + 1 < Args.size())
        L.Value = Args[++i];
      Found.push_back(std::move(L));
      continue;
    }
    // Joined short options: the first that takes a value takes the rest of
    // the word, or the next word.
    for (std::size_t c = 1; c < Arg.size(); ++c) {
      const TOption* O = FindOption(std::string{'-', Arg[c]});
      if (O == nullptr || O->Value == nullptr)
        continue;
      if (c + 1 == Arg.size())
        ++i;
      break;
    }
  }
  return Found;
}

std::optional<std::string> HostArgument(const std::vector<std::string>& Args) {
  std::optional<std::string> Host;
  for (const TLongOption& L : LongOptions(Args))
    if (std::string(L.Option->Long) == "--host")
      Host = L.Value.value_or("");
  return Host;
}
