#include "hunk.h"

#include "document_observer.h"
#include "hunk_reader.h"
#include "line_index.h"
#include "text_util.h"

namespace klu {

THunk::THunk(HunkReader& reader, int32_t line_count, THunk* owner, bool read_title)
    : parent(owner), lineNumber(reader.currentLine), lineCount(line_count) {
    if (read_title) title = reader.ReadKeptLine();
}

THunk::THunk(std::string name, THunk* owner) : TNode(std::move(name)), parent(owner) {}

THunk::~THunk() {
    CloseView();
    if (hasLineIndex) LineIndex::Drop(*this);
}

void THunk::Open() {
    if (DocumentObserver* observer = Observer()) observer->ShowUnknownData(*this);
}

THunk* THunk::FindByLine(int32_t line) {
    return lineNumber == line ? this : nullptr;
}

THunk* THunk::FindByName(std::string_view name) {
    return EqualsNoCase(title, name) ? this : nullptr;
}

void THunk::SetObserver(DocumentObserver* observer) {
    if (!parent) parent.SetObserver(observer);
}

void THunk::CloseView() {
    if (!hasView) return;
    if (DocumentObserver* observer = Observer()) observer->CloseView(*this);
    hasView = 0;
}

THunk* THunk::Top() {
    THunk* top = this;
    while (top->parent)
        top = top->parent;
    return top;
}

const THunk* THunk::Top() const {
    const THunk* top = this;
    while (top->parent)
        top = top->parent;
    return top;
}

void SkipBodyLines(HunkReader& reader, int64_t from, int32_t line_count) {
    for (int64_t i = from; i <= line_count && !reader.TextEnded(); ++i)
        reader.ReadLine();
}

}  // namespace klu
