#include "command_line.h"

#include <algorithm>

namespace klu::cli {
namespace {

bool Contains(const std::vector<std::string_view>& names, std::string_view word) {
    return std::find(names.begin(), names.end(), word) != names.end();
}

bool LooksLikeOption(std::string_view word) {
    return word.size() > 1 && word.front() == '-';
}

}  // namespace

std::optional<CommandArgs> ParseCommandArgs(const CommandEntry& plan,
                                            const std::vector<std::string>& words,
                                            std::string& error) {
    CommandArgs args;
    bool options_ended = false;
    for (size_t i = 0; i < words.size(); ++i) {
        const std::string& word = words[i];
        if (options_ended || !LooksLikeOption(word)) {
            args.operands.push_back(word);
        } else if (word == "--") {
            options_ended = true;
        } else if (Contains(plan.switches, word)) {
            args.switches.insert(word);
        } else if (Contains(plan.valueOptions, word)) {
            if (i + 1 == words.size()) {
                error = "option " + word + " needs a value";
                return std::nullopt;
            }
            args.optionValues[word] = words[++i];
        } else {
            error = "unknown option " + word + " for " + std::string(plan.name);
            return std::nullopt;
        }
    }
    if (args.operands.size() < plan.minOperands) {
        error = std::string(plan.name) + " needs " + std::string(plan.synopsis);
        return std::nullopt;
    }
    if (args.operands.size() > plan.maxOperands) {
        error = "too many arguments for " + std::string(plan.name);
        return std::nullopt;
    }
    return args;
}

}  // namespace klu::cli
