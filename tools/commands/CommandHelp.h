#pragma once

// The help the commands give of themselves, at the prompt and in --help:
// written from a command table and the dialog block's own commands, so that
// a new command is listed without a word here.

#include <string>
#include <vector>

#include "Command.h"

// The commands grouped by kind, each "  SYNOPSIS" and its one line below;
// the dialog block's own commands follow `dialog ... end`.
std::string CommandList(const std::vector<TCommand>& Commands);

// The commands grouped by kind, one line each: the name and a few words
// (the prompt's `help`); the dialog block's own commands by name.
std::string CommandSummary(const std::vector<TCommand>& Commands);

// What the prompt's `help` adds below the list: where to find more.
std::string PromptHelpFooter();

// `help TOPIC`: "dialog" gives the block's commands and the controls of the
// dialog that opened last (LastControls; how to see them when no dialog has
// opened yet); the name of one of Commands gives that command. Raises ECommandError
// for anything else.
std::string HelpTopic(const std::vector<TCommand>& Commands, const std::string& Topic,
                      const std::string& LastControls);
