#include "items_hunk.h"

#include <algorithm>
#include <limits>

#include "text_util.h"

namespace klu {
namespace {

constexpr size_t kShortLine = 20;  // shorter lines end with a hard break in automatic mode

}  // namespace

TItemsHunk::~TItemsHunk() {
    // The view goes first, while the children it shows still exist.
    CloseView();
    if (ownsChildren) {
        for (TKLUObject* child : children)
            delete child;
    }
}

THunk* TItemsHunk::FindByLine(int32_t line) {
    if (lineNumber == line) return this;
    for (TKLUObject* child : children) {
        THunk* hunk = child->AsHunk();
        if (!hunk) continue;
        if (THunk* found = hunk->FindByLine(line)) return found;
    }
    return nullptr;
}

THunk* TItemsHunk::FindByName(std::string_view name) {
    if (EqualsNoCase(title, name)) return this;
    for (TKLUObject* child : children) {
        THunk* hunk = child->AsHunk();
        if (!hunk) continue;
        if (THunk* found = hunk->FindByName(name)) return found;
    }
    return nullptr;
}

void TItemsHunk::SetNumber(const std::string& prefix) {
    number = prefix;
    int counter = 0;
    ForEachChildHunk([&](THunk* child) {
        const int kind = child->GetType();
        if (kind != BLANK && kind != LINK && kind != OVERLAY) ++counter;
        child->SetNumber(prefix + std::to_string(counter) + ".");
    });
}

int32_t TItemsHunk::HintCount() const {
    const auto separators = std::count_if(children.begin(), children.end(),
                                          [](const TKLUObject* c) { return SeparatesHints(*c); });
    return static_cast<int32_t>(
        std::min<int64_t>(1 + separators, std::numeric_limits<int32_t>::max()));
}

int64_t TItemsHunk::GetDataEnd() const {
    int64_t end = 0;
    ForEachChildHunk([&](THunk* child) { end = std::max(end, child->GetDataEnd()); });
    return end;
}

void TItemsHunk::LoadData(HunkReader& reader) {
    ForEachChildHunk([&](THunk* child) { child->LoadData(reader); });
}

void TItemsHunk::RestoreState(std::string& state) {
    ForEachChildHunk([&](THunk* child) { child->RestoreState(state); });
}

void TItemsHunk::SaveState(std::string& state) const {
    ForEachChildHunk([&](THunk* child) { child->SaveState(state); });
}

void TItemsHunk::ResetState() {
    ForEachChildHunk([](THunk* child) { child->ResetState(); });
}

bool TItemsHunk::StateValid() const {
    return std::all_of(children.begin(), children.end(), [](TKLUObject* child) {
        const THunk* hunk = child->AsHunk();
        return !hunk || hunk->StateValid();
    });
}

void TItemsHunk::ApplyCommand(char letter, char sign) {
    switch (FoldCase(letter)) {
        case 'W':
            if (sign == '+') breakMode = 2, wrapMode = 1;
            if (sign == '-') breakMode = 1, wrapMode = 2;
            if (sign == '.') breakMode = 0, wrapMode = 0;
            break;
        case 'P':
            if (sign == '+') fontMode = 2;
            if (sign == '-') fontMode = 1;
            break;
        default:
            break;  // any other command only cuts the line
    }
}

void TItemsHunk::AddChild(TKLUObject* object) {
    // Most lines hold no command: they keep their text as it is.
    if (object->IsHunk() || !ContainsByte(object->title, '#')) {
        Insert(object, false, false);
        return;
    }
    // Pieces and the rest are parts of the line's text: views of the same characters when the
    // text is borrowed from the document, so a loaded line with commands makes no copies.
    TLineText text = std::move(object->title);
    const bool was_empty = text.empty();
    bool had_command = false;
    size_t i = 0;
    while ((i = text.view().find('#', i)) != std::string_view::npos) {
        const size_t p = text.view().find_first_of(kMarkupCommandEnds, i + 1);
        if (p == std::string_view::npos || p - i >= 3) {
            ++i;
            continue;
        }
        had_command = true;
        const std::string_view command = text.view().substr(i + 1, p - i);
        const char last = command.back();
        if (last == '+' || last == '-' || last == '.') {
            Insert(new THunkLine(text.Part(0, i)), true, false);
            const char letter = command.size() == 2 ? command.front() : '\0';
            text = text.Part(p + 1);
            ApplyCommand(letter, last);
            i = 0;
        } else {
            if (command == "#") {
                // "##" stands for one "#": the text changes, so it becomes a copy of its own.
                std::string unescaped = text.str();
                unescaped.erase(i + 1, 1);
                text = unescaped;
            }
            ++i;
        }
    }
    if (!text.empty() || was_empty) {
        object->title = std::move(text);
        Insert(object, false, had_command);
    } else {
        delete object;
    }
}

void TItemsHunk::Insert(TKLUObject* object, bool is_piece, bool had_command) {
    if (!object->IsHunk() && object->title.empty()) {
        if (is_piece && !had_command && !children.empty())
            ChangeLast([](TKLUObject& last) { last.endsSourceLine = 0; });
        delete object;
        return;
    }
    SetLayout(*object, is_piece, had_command);
    try {
        children.push_back(object);
    } catch (...) {
        delete object;
        throw;
    }
}

void TItemsHunk::InsertSharedSeparator() {
    THunkLine separator(TLineText::Borrowed("-"));
    separator.isSeparator = 1;
    SetLayout(separator, false, false);
    children.push_back(SharedSeparator(separator));
}

void TItemsHunk::SetLayout(TKLUObject& object, bool is_piece, bool had_command) {
    object.endsSourceLine = !is_piece;
    if (breakMode == 0) {
        const bool adjacent = is_piece || had_command;
        if ((object.IsHunk() || object.title.size() < 2) && !adjacent) {
            object.hardBreak = 1;
            if (!children.empty()) ChangeLast([](TKLUObject& last) { last.hardBreak = 1; });
        } else {
            object.hardBreak = object.title.size() < kShortLine && !adjacent;
        }
    } else {
        object.hardBreak = breakMode == 1;
    }
    object.altFont = fontMode == 1;
    object.wrap = wrapMode < 2;
}

void TItemsHunk::CopyFlags(const TKLUObject& from, TKLUObject& to) {
    to.title = TLineText::Borrowed(from.title.view());
    to.hardBreak = from.hardBreak;
    to.isSeparator = from.isSeparator;
    to.wrap = from.wrap;
    to.altFont = from.altFont;
    to.endsSourceLine = from.endsSourceLine;
}

}  // namespace klu
