// klu find: Find in File over a hint file's tree, the result as JSON.

#include <iostream>
#include <memory>

#include "commands.h"
#include "exit_codes.h"
#include "find_json.h"
#include "load_document.h"
#include "model/document/hint_document.h"
#include "model/document/hunk.h"
#include "model/document/meta_text_hunk.h"
#include "model/export/search.h"

namespace klu::cli {

int RunFind(const CommandArgs& args) {
    HintDocument& document = CommandDocument();
    const int status = LoadDocument(args.operands.at(0), document, false).status;
    if (status != kExitOk) return status;
    // The phrase is taken byte for byte, as the reader takes what is typed into its search box.
    const std::string& phrase = args.operands.at(1);
    Hunk* root = document.GetRoot();
    const std::unique_ptr<MetaTextHunk> results =
        root != nullptr ? FindInTree(*root, phrase)
                        : std::make_unique<MetaTextHunk>(SearchTitle(phrase), nullptr, SUBJECT);
    if (results->children.empty()) std::cerr << kNoHintsFound << '\n';
    std::cout << SearchResultsToJson(*results).dump(2) << '\n';
    return status;
}

}  // namespace klu::cli
