#include "model/document/hunk.h"

#include "model/document/document_observer.h"
#include "model/document/hunk_reader.h"
#include "model/document/line_index.h"
#include "model/text/text_util.h"

namespace klu {

Hunk::Hunk(HunkReader& reader, int32_t line_count, Hunk* owner, bool read_title)
    : parent(owner), lineNumber(reader.currentLine), lineCount(line_count) {
    if (read_title) title = reader.ReadKeptLine();
}

Hunk::Hunk(std::string name, Hunk* owner) : TreeNode(std::move(name)), parent(owner) {}

Hunk::~Hunk() {
    CloseView();
    if (hasLineIndex) LineIndex::Drop(*this);
}

void Hunk::Open() {
    if (DocumentObserver* observer = Observer()) observer->ShowUnknownData(*this);
}

Hunk* Hunk::FindByLine(int32_t line) {
    return lineNumber == line ? this : nullptr;
}

Hunk* Hunk::FindByName(std::string_view name) {
    return EqualsNoCase(title, name) ? this : nullptr;
}

void Hunk::SetObserver(DocumentObserver* observer) {
    if (!parent) parent.SetObserver(observer);
}

void Hunk::CloseView() {
    if (!hasView) return;
    if (DocumentObserver* observer = Observer()) observer->CloseView(*this);
    hasView = 0;
}

Hunk* Hunk::Top() {
    Hunk* top = this;
    while (top->parent)
        top = top->parent;
    return top;
}

const Hunk* Hunk::Top() const {
    const Hunk* top = this;
    while (top->parent)
        top = top->parent;
    return top;
}

void SkipBodyLines(HunkReader& reader, int64_t from, int32_t line_count) {
    for (int64_t i = from; i <= line_count && !reader.TextEnded(); ++i)
        reader.ReadLine();
}

}  // namespace klu
