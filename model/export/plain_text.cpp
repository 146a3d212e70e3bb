// Writing the whole tree as numbered plain text.
#include "model/export/plain_text.h"

#include <ostream>

#include "model/document/hint_document.h"
#include "model/document/meta_text_hunk.h"

namespace klu {

FlattenedText::FlattenedText(const std::string& title)
    : hunk_(new MetaTextHunk(title, nullptr, SUBJECT)) {}

FlattenedText::~FlattenedText() {
    erase_if(hunk_->children, [](KLUObject* child) {
        if (!child->isFlattened) return false;
        delete child;
        return true;
    });
    hunk_->ownsChildren = false;
    delete hunk_;
}

void FlattenTree(Hunk& root, MetaTextHunk& result) {
    root.SetNumber("");
    root.Flatten(result);
}

bool ExportText(const HintDocument& document, std::ostream& out) {
    Hunk* root = document.GetRoot();
    if (!root) return false;
    FlattenedText result("Hints for " + root->GetName());
    FlattenTree(*root, result.hunk());
    out << "KLU: " << result.hunk().title << "\n\n\n";
    result.hunk().WriteText(out);
    return static_cast<bool>(out);
}

}  // namespace klu
