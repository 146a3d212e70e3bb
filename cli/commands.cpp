#include "commands.h"

#include <iostream>

#include "dump_json.h"
#include "exit_codes.h"
#include "load_document.h"
#include "model/hint_document.h"

namespace klu::cli {

int RunCheck(const CommandArgs& args) {
    THintDocument& document = CommandDocument();
    const int status = LoadDocument(args.operands.at(0), document, false).status;
    if (status == kExitCannotOpen) return status;
    std::cout << status << ' ' << LoadResultName(status) << '\n';
    return status;
}

int RunDump(const CommandArgs& args) {
    THintDocument& document = CommandDocument();
    const int status =
        LoadDocument(args.operands.at(0), document, args.Has("--picture-mode")).status;
    if (status == kExitCannotOpen) return status;
    // Whatever a failed load may have built is not the file's tree: show no entries then.
    if (status != LoadOk) document.Clear();
    WriteDocumentJson(std::cout, document, status);
    return status;
}

}  // namespace klu::cli
