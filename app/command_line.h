#pragma once

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

}  // namespace klu
