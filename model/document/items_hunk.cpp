#include "model/document/items_hunk.h"

#include <algorithm>
#include <limits>

#include "model/text/text_util.h"

namespace klu {
namespace {

constexpr size_t kShortLine = 20;  // shorter lines end with a hard break in automatic mode

}  // namespace

ItemsHunk::~ItemsHunk() {
    // The view goes first, while the children it shows still exist.
    CloseView();
    if (ownsChildren) {
        for (KLUObject* child : children)
            delete child;
    }
}

Hunk* ItemsHunk::FindByLine(int32_t line) {
    if (lineNumber == line) return this;
    for (KLUObject* child : children) {
        Hunk* hunk = child->AsHunk();
        if (!hunk) continue;
        if (Hunk* found = hunk->FindByLine(line)) return found;
    }
    return nullptr;
}

Hunk* ItemsHunk::FindByName(std::string_view name) {
    if (EqualsNoCase(title, name)) return this;
    for (KLUObject* child : children) {
        Hunk* hunk = child->AsHunk();
        if (!hunk) continue;
        if (Hunk* found = hunk->FindByName(name)) return found;
    }
    return nullptr;
}

void ItemsHunk::SetNumber(const std::string& prefix) {
    number = prefix;
    int counter = 0;
    ForEachChildHunk([&](Hunk* child) {
        const HunkKind kind = child->GetType();
        if (kind != BLANK && kind != LINK && kind != OVERLAY) ++counter;
        child->SetNumber(prefix + std::to_string(counter) + ".");
    });
}

int32_t ItemsHunk::HintCount() const {
    const auto separators = std::count_if(children.begin(), children.end(),
                                          [](const KLUObject* c) { return SeparatesHints(*c); });
    return static_cast<int32_t>(
        std::min<int64_t>(1 + separators, std::numeric_limits<int32_t>::max()));
}

int64_t ItemsHunk::GetDataEnd() const {
    int64_t end = 0;
    ForEachChildHunk([&](Hunk* child) { end = std::max(end, child->GetDataEnd()); });
    return end;
}

void ItemsHunk::LoadData(HunkReader& reader) {
    ForEachChildHunk([&](Hunk* child) { child->LoadData(reader); });
}

void ItemsHunk::RestoreState(std::string& state) {
    ForEachChildHunk([&](Hunk* child) { child->RestoreState(state); });
}

void ItemsHunk::SaveState(std::string& state) const {
    ForEachChildHunk([&](Hunk* child) { child->SaveState(state); });
}

void ItemsHunk::ResetState() {
    ForEachChildHunk([](Hunk* child) { child->ResetState(); });
}

bool ItemsHunk::StateValid() const {
    return std::all_of(children.begin(), children.end(), [](KLUObject* child) {
        const Hunk* hunk = child->AsHunk();
        return !hunk || hunk->StateValid();
    });
}

void ItemsHunk::ApplyCommand(char letter, char sign) {
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

void ItemsHunk::AddChild(KLUObject* object) {
    // Most lines hold no command: they keep their text as it is.
    if (object->IsHunk() || !ContainsByte(object->title, '#')) {
        Insert(object, false, false);
        return;
    }
    // Pieces and the rest are parts of the line's text: views of the same characters when the
    // text is borrowed from the document, so a loaded line with commands makes no copies.
    LineText text = std::move(object->title);
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
            Insert(new HunkLine(text.Part(0, i)), true, false);
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

void ItemsHunk::Insert(KLUObject* object, bool is_piece, bool had_command) {
    if (!object->IsHunk() && object->title.empty()) {
        if (is_piece && !had_command && !children.empty())
            ChangeLast([](KLUObject& last) { last.endsSourceLine = 0; });
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

void ItemsHunk::InsertSharedSeparator() {
    HunkLine separator(LineText::Borrowed("-"));
    separator.isSeparator = 1;
    SetLayout(separator, false, false);
    children.push_back(SharedSeparator(separator));
}

void ItemsHunk::SetLayout(KLUObject& object, bool is_piece, bool had_command) {
    object.endsSourceLine = !is_piece;
    if (breakMode == 0) {
        const bool adjacent = is_piece || had_command;
        if ((object.IsHunk() || object.title.size() < 2) && !adjacent) {
            object.hardBreak = 1;
            if (!children.empty()) ChangeLast([](KLUObject& last) { last.hardBreak = 1; });
        } else {
            object.hardBreak = object.title.size() < kShortLine && !adjacent;
        }
    } else {
        object.hardBreak = breakMode == 1;
    }
    object.altFont = fontMode == 1;
    object.wrap = wrapMode < 2;
}

void ItemsHunk::CopyFlags(const KLUObject& from, KLUObject& to) {
    to.title = LineText::Borrowed(from.title.view());
    to.hardBreak = from.hardBreak;
    to.isSeparator = from.isSeparator;
    to.wrap = from.wrap;
    to.altFont = from.altFont;
    to.endsSourceLine = from.endsSourceLine;
}

}  // namespace klu
