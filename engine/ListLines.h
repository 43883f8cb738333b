#pragma once

// The lines of a list text, as the host's string lists split it (SetText):
// at CR, at LF and at CR LF, a final line break making no extra empty line,
// and the text ending at its first NUL byte. The expert walks its stored
// page lists this way in place, where building a string list for each would
// allocate every name.

#include <cstring>
#include <string_view>

template <typename TEach>
void ForEachLine(std::string_view Text, TEach&& Each) {
  if (const void* Nul = std::memchr(Text.data(), '\0', Text.size()))
    Text = Text.substr(0, static_cast<std::size_t>(static_cast<const char*>(Nul) - Text.data()));
  std::size_t From = 0;
  const std::size_t End = Text.size();
  while (From < End) {
    std::size_t To = From;
    while (To < End && Text[To] != '\r' && Text[To] != '\n')
      ++To;
    Each(Text.substr(From, To - From));
    if (To < End && Text[To] == '\r')
      ++To;
    if (To < End && Text[To] == '\n')
      ++To;
    From = To;
  }
}
