// klu info: the text of a hint file's information window.

#include <iostream>

#include "commands.h"
#include "exit_codes.h"
#include "load_document.h"
#include "model/document/hint_document.h"
#include "model/document/items_hunk.h"

namespace klu::cli {
namespace {

constexpr const char* kNoInformation =
    "This KLU file does not contain an information block.  See the \"About this KLU File\" "
    "section of the file, if one exists, for information about this file.";

// What the information window shows: the information hunk of a newer-format file, or the
// author's note among the root's children when the file has only the older part.
ItemsHunk* InformationHunk(const HintDocument& document) {
    Hunk* root = document.GetRoot();
    if (root == nullptr) return nullptr;
    if (root != document.Entry(0)) return NodeCast<ItemsHunk>(document.FindByType(INFO));
    const auto* older_root = NodeCast<ItemsHunk>(root);
    if (older_root == nullptr) return nullptr;
    for (KLUObject* child : older_root->children) {
        if (child->IsHunk() && child->GetType() == CREDIT) return NodeCast<ItemsHunk>(child);
    }
    return nullptr;
}

}  // namespace

int RunInfo(const CommandArgs& args) {
    HintDocument& document = CommandDocument();
    const int status = LoadDocument(args.operands.at(0), document, false).status;
    if (status != kExitOk) return status;
    ItemsHunk* information = InformationHunk(document);
    if (information == nullptr || information->children.empty()) {
        std::cerr << kNoInformation << '\n';
        return status;
    }
    // As Save Window writes the hunk, without its title line.
    information->WriteText(std::cout);
    return status;
}

}  // namespace klu::cli
