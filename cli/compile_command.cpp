// klu compile: a plain-text outline compiled into a hint file by the model's writer.

#include <filesystem>
#include <iostream>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

#include "commands.h"
#include "exit_codes.h"
#include "model/files/file_bytes.h"
#include "model/document/file_messages.h"
#include "model/outline/hint_writer.h"
#include "model/outline/outline.h"
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
    // The file is written as the writer makes it. Its first piece comes only once the plan is
    // known to be writable, so a plan's error is told before a refusal to write over the input.
    const std::string& out = args.operands.at(1);
    std::optional<OutputFile> output;
    int refused = 0;
    auto write = [&](std::string_view piece, int64_t = 0) {
        if (!output) {
            refused = RefuseOverInput(
                out, source, out + " is the outline being compiled." + kSaveWouldDestroyText);
            if (refused) return false;
            output.emplace(out);
        }
        return output->Write(piece);
    };
    std::string writer_error;
    const bool written = WriteHintFileTo(*plan, write, &writer_error);
    if (!writer_error.empty()) {
        std::cerr << source << ": " << writer_error << '\n';
        return kExitDataError;  // what was written of the file goes with output
    }
    if (written && !output) write({});
    return refused ? refused : output->Commit();
}

}  // namespace klu::cli
