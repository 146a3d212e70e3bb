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

}  // namespace

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
