#include <iostream>

#include "Prompt.h"

// Windows has no libedit: the console's own line input reads the lines (it
// edits a line and recalls the session's earlier ones with the arrow keys),
// so no history is kept across sessions and Tab does not complete.
std::unique_ptr<TPromptInput> EditLinePromptInput(const std::string& /*HistoryFile*/,
                                                  std::ostream& /*Err*/, TCompleter /*Complete*/) {
  return StreamPromptInput(std::cin, std::cout);
}
