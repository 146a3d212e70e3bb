// klu: the command-line companion of the reader. Parses the command line, finds the command in
// the table below and runs it; every command lives in one function of commands.cpp.

#include <algorithm>
#include <exception>
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

#include "command_line.h"
#include "commands.h"
#include "exit_codes.h"

namespace klu::cli {
namespace {

// Adding a command: write its Run function and add one row here.
const std::vector<CommandSpec>& Commands() {
    static const std::vector<CommandSpec> commands = {
        {.name = "check",
         .synopsis = "FILE",
         .summary = "load FILE and print the load result code and name",
         .minOperands = 1,
         .maxOperands = 1,
         .switches = {},
         .valueOptions = {},
         .run = RunCheck},
        {.name = "dump",
         .synopsis = "FILE [--picture-mode]",
         .summary = "print the loaded tree of FILE as JSON",
         .minOperands = 1,
         .maxOperands = 1,
         .switches = {"--picture-mode"},
         .valueOptions = {},
         .run = RunDump},
    };
    return commands;
}

void PrintUsage(std::ostream& out) {
    out << "usage: klu COMMAND ARGUMENTS\n\ncommands:\n";
    for (const CommandSpec& command : Commands()) {
        out << "  klu " << command.name << ' ' << command.synopsis << "\n      " << command.summary
            << '\n';
    }
    out << "  klu --help\n      print this text\n"
        << "  klu --version\n      print the version\n";
}

int UsageError(const std::string& message) {
    std::cerr << "klu: " << message << "\n\n";
    PrintUsage(std::cerr);
    return kExitUsage;
}

const CommandSpec* FindCommand(std::string_view name) {
    for (const CommandSpec& command : Commands()) {
        if (command.name == name) return &command;
    }
    return nullptr;
}

int Main(const std::vector<std::string>& words) {
    if (words.empty()) return UsageError("no command given");
    const std::string& first = words.front();
    if (first == "--help" || first == "-h") {
        PrintUsage(std::cout);
        return 0;
    }
    if (first == "--version") {
        std::cout << "klu " << KLU_VERSION << '\n';
        return 0;
    }
    const CommandSpec* command = FindCommand(first);
    if (command == nullptr) return UsageError("unknown command " + first);
    std::string error;
    const auto args =
        ParseCommandArgs(*command, std::vector<std::string>(words.begin() + 1, words.end()), error);
    if (!args) return UsageError(error);
    return command->run(*args);
}

}  // namespace
}  // namespace klu::cli

int main(int argc, char** argv) {
    const std::vector<std::string> words(argv + std::min(argc, 1), argv + argc);
    try {
        const int status = klu::cli::Main(words);
        std::cout.flush();
        return status;
    } catch (const std::exception& error) {
        // Running out of memory while printing a huge tree, say: report it rather than abort.
        std::cerr << "klu: " << error.what() << '\n';
        return klu::cli::kExitInternalError;
    }
}
