// klu compile: a plain-text outline compiled into a hint file by the model's writer.

#include <filesystem>
#include <iostream>
#include <utility>
#include <vector>

#include "commands.h"
#include "exit_codes.h"
#include "model/file_bytes.h"
#include "model/file_messages.h"
#include "model/hint_writer.h"
#include "model/outline.h"
#include "output_file.h"

namespace klu::cli {

int RunCompile(const CommandArgs& args) {
    const std::string& source = args.operands.at(0);
    std::string text;
    if (ReadWholeFile(source, text) != ReadOutcome::Read) {
        std::cerr << "The file " << source << " could not be read.\n";
        return kExitNoInput;
    }
    // Data files named in the outline are found beside it.
    const std::string base_folder = std::filesystem::path(source).parent_path().string();
    OutlineError outline_error;
    const std::optional<HintFilePlan> plan =
        CompileOutline(std::move(text), base_folder, &outline_error);
    if (!plan) {
        std::cerr << source << ':' << outline_error.line << ": " << outline_error.message << '\n';
        return kExitDataError;
    }
    std::string writer_error;
    const std::optional<std::string> bytes = WriteHintFile(*plan, &writer_error);
    if (!bytes) {
        std::cerr << source << ": " << writer_error << '\n';
        return kExitDataError;
    }
    const std::string& out = args.operands.at(1);
    if (const int refused = RefuseOverInput(
            out, source, out + " is the outline being compiled." + kSaveWouldDestroyText))
        return refused;
    return WriteOutputFile(out, *bytes);
}

}  // namespace klu::cli
