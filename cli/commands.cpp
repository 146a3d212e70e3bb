#include "commands.h"

#include <iostream>

#include "dump_json.h"
#include "exit_codes.h"
#include "load_document.h"
#include "model/document/hint_document.h"

namespace klu::cli {

int RunCheck(const CommandArgs& args) {
    HintDocument& document = CommandDocument();
    const std::string& path = args.operands.at(0);
    const LoadedFile loaded = LoadDocument(path, document, false);
    if (loaded.status == kExitCannotOpen) return loaded.status;
    // The line goes under the reader's message: stdout keeps its one line.
    if (const int32_t line = loaded.outcome.line)
        std::cerr << "klu: " << path << ": failed at line " << line << '\n';
    std::cout << loaded.status << ' ' << LoadResultName(loaded.outcome.result) << '\n';
    return loaded.status;
}

int RunDump(const CommandArgs& args) {
    HintDocument& document = CommandDocument();
    const int status =
        LoadDocument(args.operands.at(0), document, args.Has("--picture-mode")).status;
    if (status == kExitCannotOpen) return status;
    // Whatever a failed load may have built is not the file's tree: show no entries then.
    if (status != kExitOk) document.Clear();
    WriteDocumentJson(std::cout, document, status);
    return status;
}

}  // namespace klu::cli
