#include "command_line.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>

namespace klu {

namespace {

bool EqualsIgnoringCase(const std::string& text, const std::string& upper) {
    return std::equal(text.begin(), text.end(), upper.begin(), upper.end(), [](char a, char b) {
        return std::toupper(static_cast<unsigned char>(a)) == static_cast<unsigned char>(b);
    });
}

constexpr char kUsage[] =
    "usage: kluwin [FILE | /HELP | /VERBOSE]\n"
    "\n"
    "The KLU Reader shows KLU hint files: graded hints for computer games, revealed one at\n"
    "a time.\n"
    "\n"
    "  FILE        open the hint file FILE\n"
    "  /HELP       open the reader's help file\n"
    "  /VERBOSE    open the verbose listing of the hint files in the listing folder\n"
    "  --help      print this text and end\n"
    "  --version   print the version and end\n"
    "\n"
    "Only the first argument counts; /HELP and /VERBOSE may be written in any letter case.\n"
    "The settings, recent files and hint memory are kept in ~/.config/kluwin/KLUWIN.INI,\n"
    "or in a KLUWIN.INI of the user's own beside the program (a portable copy).\n";

}  // namespace

std::optional<std::string> ConsoleAnswerOf(const std::vector<std::string>& arguments) {
    if (arguments.size() < 2) return std::nullopt;
    const std::string& first = arguments[1];
    if (first == "--help" || first == "-h") return std::string(kUsage);
    if (first == "--version") return std::string("kluwin ") + KLU_VERSION + "\n";
    return std::nullopt;
}

std::string CommandArgumentOf(const std::vector<std::string>& arguments) {
    if (arguments.size() < 2) return {};
    const std::string& argument = arguments[1];
    // The reader changes into the listing folder at start-up, so a relative path typed in a
    // shell would then name another file: it is made absolute while it still means the right one.
    if (ParseCommandArgument(argument).kind != CommandLineAction::OpenFile || argument[0] == '/') {
        return argument;
    }
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(argument, error);
    return error ? argument : absolute.lexically_normal().string();
}

CommandLineAction ParseCommandArgument(const std::string& argument) {
    if (EqualsIgnoringCase(argument, "/HELP")) return {CommandLineAction::ShowHelp, {}};
    if (EqualsIgnoringCase(argument, "/VERBOSE")) return {CommandLineAction::VerboseListing, {}};
    if (!argument.empty()) return {CommandLineAction::OpenFile, argument};
    return {};
}

}  // namespace klu
