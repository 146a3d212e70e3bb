// klu export: the Decode to Text export of a hint file, or with --html its web page, to a file
// or to standard output.

#include <iostream>
#include <sstream>

#include "commands.h"
#include "exit_codes.h"
#include "load_document.h"
#include "model/document/file_messages.h"
#include "model/document/hint_document.h"
#include "model/web/html_export.h"
#include "model/export/plain_text.h"
#include "output_file.h"

namespace klu::cli {

int RunExport(const CommandArgs& args) {
    const std::string& path = args.operands.at(0);
    HintDocument& document = CommandDocument();
    const LoadedFile loaded = LoadDocument(path, document, false);
    const int status = loaded.status;
    if (status != kExitOk) return status;
    if (args.operands.size() >= 2) {
        const std::string& out = args.operands[1];
        if (const int refused = RefuseOverInput(out, loaded.source, SaveOverOpenFileMessage(out)))
            return refused;
    }
    // The whole text is made before OUT is touched, so a failure leaves no half-written file.
    std::ostringstream text;
    const bool exported = args.Has("--html") ? ExportHtml(document, loaded.dataPath, text)
                                             : ExportText(document, text);
    if (!exported) {
        std::cerr << "klu: " << path << " holds no hints to export\n";
        return kExitInternalError;
    }
    if (args.operands.size() < 2) {
        WriteToStdout(text.view());
        return status;
    }
    const int written = WriteOutputFile(args.operands[1], text.view());
    return written != 0 ? written : status;
}

}  // namespace klu::cli
