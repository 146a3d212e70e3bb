#pragma once

#include <cstddef>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace klu::cli {

// What one command was given, after its options were sorted out from its operands.
struct CommandArgs {
    std::vector<std::string> operands;
    std::set<std::string, std::less<>> switches;                   // e.g. "--picture-mode"
    std::map<std::string, std::string, std::less<>> optionValues;  // e.g. "--cache" -> FILE

    bool Has(std::string_view option) const { return switches.contains(option); }
};

// How a command is called; main's command table holds one per command.
struct CommandEntry {
    std::string_view name;
    std::string_view synopsis;  // operands and options, as usage shows them
    std::string_view summary;   // one line on what it does
    size_t minOperands = 0;
    size_t maxOperands = 0;
    std::vector<std::string_view> switches;      // options without a value
    std::vector<std::string_view> valueOptions;  // options followed by one value
    int (*run)(const CommandArgs&) = nullptr;
};

// Sorts the words after the command name. An option may stand anywhere; after "--" every word
// is an operand, so a path may begin with "-". Gives nothing and a message on misuse.
std::optional<CommandArgs> ParseCommandArgs(const CommandEntry& plan,
                                            const std::vector<std::string>& words,
                                            std::string& error);

}  // namespace klu::cli
