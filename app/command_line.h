#pragma once

#include <optional>
#include <string>
#include <vector>

namespace klu {

// What the frame does with the command-line argument once it exists.
struct CommandLineAction {
    enum Kind { None, ShowHelp, VerboseListing, OpenFile };
    Kind kind = None;
    std::string path;  // for OpenFile

    bool operator==(const CommandLineAction&) const = default;
};

// The first argument after the program name, or empty; later ones are ignored. A relative path
// is made absolute against the current folder.
std::string CommandArgumentOf(const std::vector<std::string>& arguments);

// "/HELP" and "/VERBOSE" in any letter case are switches; any other non-empty argument is a path.
CommandLineAction ParseCommandArgument(const std::string& argument);

// What the reader prints instead of starting when the first argument is "--help" (or "-h") or
// "--version": the usage or the version. Nothing for any other command line, which starts the
// reader. It is asked before any window exists, so that it works without a display.
std::optional<std::string> ConsoleAnswerOf(const std::vector<std::string>& arguments);

}  // namespace klu
