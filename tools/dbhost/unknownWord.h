#pragma once
// What to tell the user about a command line that names an unknown command or option: the
// nearest known one, or the list of known ones.

#include <CLI/CLI.hpp>

#include <optional>
#include <string>

// Looks at the words that a failed parse left over, the console's own first, then the command's;
// none when no left-over word is a command or an option (the parser's own message serves then).
std::optional<std::string> UnknownWordMessage(const CLI::App& console);
