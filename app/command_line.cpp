#include "command_line.h"

#include <algorithm>
#include <cctype>

namespace klu {

namespace {

bool EqualsIgnoringCase(const std::string& text, const std::string& upper) {
    return std::equal(text.begin(), text.end(), upper.begin(), upper.end(), [](char a, char b) {
        return std::toupper(static_cast<unsigned char>(a)) == static_cast<unsigned char>(b);
    });
}

}  // namespace

std::string CommandArgumentOf(const std::vector<std::string>& arguments) {
    return arguments.size() > 1 ? arguments[1] : std::string();
}

CommandLineAction ParseCommandArgument(const std::string& argument) {
    if (EqualsIgnoringCase(argument, "/HELP")) return {CommandLineAction::ShowHelp, {}};
    if (EqualsIgnoringCase(argument, "/VERBOSE")) return {CommandLineAction::VerboseListing, {}};
    if (!argument.empty()) return {CommandLineAction::OpenFile, argument};
    return {};
}

}  // namespace klu
