// klu: the command-line companion of the reader. Parses the command line, finds the command in
// the table below and runs it; every command lives in one Run function (commands.h).

#include <algorithm>
#include <csignal>
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
const std::vector<CommandEntry>& Commands() {
    static const std::vector<CommandEntry> commands = {
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
        {.name = "export",
         .synopsis = "[--html] FILE [OUT]",
         .summary = "write FILE as numbered plain text (or with --html as a web page that\n"
                    "      reveals one hint at a time) to OUT, or to stdout without OUT",
         .minOperands = 1,
         .maxOperands = 2,
         .switches = {"--html"},
         .valueOptions = {},
         .run = RunExport},
        {.name = "find",
         .synopsis = "FILE PHRASE",
         .summary = "search FILE for PHRASE and print the matches as JSON",
         .minOperands = 2,
         .maxOperands = 2,
         .switches = {},
         .valueOptions = {},
         .run = RunFind},
        {.name = "info",
         .synopsis = "FILE",
         .summary = "print the information block of FILE, or its author's note",
         .minOperands = 1,
         .maxOperands = 1,
         .switches = {},
         .valueOptions = {},
         .run = RunInfo},
        {.name = "list",
         .synopsis = "FOLDER [--cache FILE]",
         .summary = "list the hint files of FOLDER by title, via the title cache FILE",
         .minOperands = 1,
         .maxOperands = 1,
         .switches = {},
         .valueOptions = {"--cache"},
         .run = RunList},
        {.name = "compile",
         .synopsis = "SOURCE OUT",
         .summary = "compile the outline SOURCE into the hint file OUT",
         .minOperands = 2,
         .maxOperands = 2,
         .switches = {},
         .valueOptions = {},
         .run = RunCompile},
        {.name = "decompile",
         .synopsis = "FILE DIR",
         .summary = "write FILE as an outline, with its pictures and sounds, into the folder DIR",
         .minOperands = 2,
         .maxOperands = 2,
         .switches = {},
         .valueOptions = {},
         .run = RunDecompile},
    };
    return commands;
}

void PrintUsage(std::ostream& out) {
    out << "usage: klu COMMAND ARGUMENTS\n\ncommands:\n";
    for (const CommandEntry& command : Commands()) {
        out << "  klu " << command.name << ' ' << command.synopsis << "\n      " << command.summary
            << '\n';
    }
    out << "  klu --help\n      print this text\n"
        << "  klu --version\n      print the version\n"
        << "\nFILE may be a ZIP archive: its only .klu file is read, or of several the first\n"
        << "by name (with a note on stderr), or the one named as ARCHIVE.zip/MEMBER.KLU\n"
        << "(ARCHIVE.zip/MEMBER.KLU;2 for the second of two with one name).\n"
        << "\nexit status:\n"
        << "  0-4  the load result of FILE (0 LoadOk, 1 LoadNotHintFile, 2 LoadCorrupted,\n"
        << "       3 LoadOutOfMemory, 4 LoadZipArchive); unless it is 0, the reader's message\n"
        << "       for it goes to stderr and export, find and info print nothing\n"
        << "  5    FILE cannot be opened (the reader's message goes to stderr), or FOLDER\n"
        << "       cannot be read\n"
        << "  64   the command line is wrong\n"
        << "  65   compile: SOURCE holds an error, reported as SOURCE:LINE: message;\n"
        << "       decompile: the data of FILE cannot be read\n"
        << "  66   compile: SOURCE cannot be read\n"
        << "  70   klu itself failed (decompile: the outline does not give the same tree)\n"
        << "  73   the result cannot be written: OUT (export, compile), a file of DIR\n"
        << "       (decompile; existing files are not replaced) or standard output;\n"
        << "       or OUT is the input itself (FILE, its archive or SOURCE), which is kept\n";
}

int UsageError(const std::string& message) {
    std::cerr << "klu: " << message << "\n\n";
    PrintUsage(std::cerr);
    return kExitUsage;
}

const CommandEntry* FindCommand(std::string_view name) {
    for (const CommandEntry& command : Commands()) {
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
    const CommandEntry* command = FindCommand(first);
    if (command == nullptr) return UsageError("unknown command " + first);
    std::string error;
    const auto args =
        ParseCommandArgs(*command, std::vector<std::string>(words.begin() + 1, words.end()), error);
    if (!args) return UsageError(error);
    return command->run(*args);
}

}  // namespace
}  // namespace klu::cli

// Read by the leak checker of a sanitizer build, and by nothing else. klu leaves its tree to the
// end of the process, and the tree packs its objects end to end, so the pointers to the texts it
// owns need not be aligned: the checker must look for them at any address, or it would take
// those texts for leaks.
extern "C" const char* __lsan_default_options() {
    return "use_unaligned=1";
}

int main(int argc, char** argv) {
    // A closed pipe or a file-size limit makes writes fail, reported below, instead of ending
    // klu unheard.
    std::signal(SIGPIPE, SIG_IGN);
    std::signal(SIGXFSZ, SIG_IGN);
    const std::vector<std::string> words(argv + std::min(argc, 1), argv + argc);
    try {
        const int status = klu::cli::Main(words);
        if (!std::cout.flush()) {
            std::cerr << "klu: the result could not be written to standard output\n";
            return klu::cli::kExitCannotCreate;
        }
        return status;
    } catch (const std::exception& error) {
        // Running out of memory while printing a huge tree, say: report it rather than abort.
        std::cerr << "klu: " << error.what() << '\n';
        return klu::cli::kExitInternalError;
    }
}
