#include "hunk.h"

#include <unordered_map>

#include "hunk_reader.h"
#include "hunk_ui.h"
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

int THunk::Open() {
    if (HunkUi* ui = GetHunkUi()) ui->ShowUnknownData(*this);
    return 0;
}

THunk* THunk::FindByLine(int32_t line) {
    return lineNumber == line ? this : nullptr;
}

THunk* THunk::FindByName(std::string_view name) {
    return EqualsNoCase(title, name) ? this : nullptr;
}

namespace {

// Never destroyed, so that a hunk that outlives the statics can still ask it.
std::unordered_map<const THunk*, void*>& Views() {
    static auto* const views = new std::unordered_map<const THunk*, void*>;
    return *views;
}

}  // namespace

void* THunk::View() const {
    if (!hasView) return nullptr;
    const auto found = Views().find(this);
    return found == Views().end() ? nullptr : found->second;
}

void THunk::SetView(void* window) {
    if (window) {
        Views()[this] = window;
        hasView = 1;
    } else if (hasView) {
        Views().erase(this);
        hasView = 0;
    }
}

void THunk::CloseView() {
    if (!hasView) return;
    if (HunkUi* ui = GetHunkUi()) ui->CloseView(*this);
    SetView(nullptr);
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
