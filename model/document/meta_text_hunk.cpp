#include "model/document/meta_text_hunk.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

#include "model/format/decode.h"
#include "model/document/document_observer.h"
#include "model/document/hunk_reader.h"

namespace klu {

MetaTextHunk::MetaTextHunk(std::string name, Hunk* owner, HunkKind kind_id)
    : ItemsHunk(std::move(name), owner), kind(kind_id) {}

MetaTextHunk::MetaTextHunk(HunkReader& reader, int32_t line_count, Hunk* owner, HunkKind kind_id)
    : ItemsHunk(reader, line_count, owner), kind(kind_id) {
    switch (kind) {
        case HINT:
            ReadHintLines(reader);
            break;
        case SUBJECT:
            ReadChildHunks(reader);
            break;
        case NESTHINT:
            ReadNestedHintLines(reader);
            break;
        default:
            ReadPlainLines(reader);
            break;
    }
}

void MetaTextHunk::Open() {
    if (DocumentObserver* observer = Observer()) observer->OpenWindow(*this);
}

namespace {

// Lines of a body beyond this many are not counted on ahead, so a damaged line count costs
// little.
constexpr int64_t kLinesReservedAtMost = 64;

}  // namespace

void MetaTextHunk::ReserveBodyLines(HunkReader& reader) {
    // Every body line gives one child as a rule (a line or a separator).
    children.ReserveIn(reader.arena, static_cast<size_t>(std::clamp<int64_t>(
                                         int64_t{lineCount} - 2, 0, kLinesReservedAtMost)));
}

void MetaTextHunk::ReadPlainLines(HunkReader& reader) {
    ReserveBodyLines(reader);
    for (int64_t i = 3; i <= lineCount && !reader.TextEnded(); ++i) {
        AddChild(reader.arena.NewLine(reader.ReadLine()));
    }
}

void MetaTextHunk::AppendSeparator(bool shared) {
    if (!children.empty()) ChangeLast([](KLUObject& last) { last.hardBreak = 1; });
    if (shared) {
        InsertSharedSeparator();
        return;
    }
    // The text is a literal, which outlives any line: borrowed, it costs no copy.
    auto* separator = new HunkLine(LineText::Borrowed("-"));
    separator->isSeparator = 1;
    AddChild(separator);
}

void MetaTextHunk::ReadHintLines(HunkReader& reader) {
    ReserveBodyLines(reader);
    for (int64_t i = 3; i <= lineCount && !reader.TextEnded(); ++i) {
        const std::string_view line = reader.ReadLine();
        if (line == "-") {
            AppendSeparator(true);
        } else {
            AddChild(reader.arena.NewDecodedLine(line, Decode88Into));
        }
    }
}

void MetaTextHunk::ReadChildHunks(HunkReader& reader) {
    for (int64_t i = 3; i <= lineCount && !reader.TextEnded();) {
        Hunk* child = reader.ReadHunk(this);
        AddChild(child);
        if (child->lineCount < 1) break;  // a damaged count would never advance
        i += child->lineCount;
    }
    FitChildren(reader);
}

void MetaTextHunk::FitChildren(HunkReader& reader) {
    // The count of children was not known ahead: the list grew by doubling.
    children.FitInto(reader.arena);
}

void MetaTextHunk::ReadNestedHintLines(HunkReader& reader) {
    const NestedHintDecoder& decoder = reader.NestedDecoder(Top()->title);
    const auto decode = [&decoder](std::string_view stored, char* out) {
        decoder.Decode(stored, out);
    };
    for (int64_t i = 3; i <= lineCount && !reader.TextEnded(); ++i) {
        const std::string_view line = reader.ReadLine();
        if (line == "=") {
            Hunk* child = reader.ReadHunk(this);
            AddChild(child);
            if (child->lineCount < 1) break;
            i += child->lineCount;
        } else if (line == "-") {
            if (i != 3) AppendSeparator(true);
        } else {
            AddChild(reader.arena.NewDecodedLine(line, decode));
        }
    }
    FitChildren(reader);
}

void MetaTextHunk::RestoreState(std::string& state) {
    if (HoldsHints()) {
        // Only a value with its comma is whole: one cut short (perhaps "1" of "12") or missing
        // counts as no hint revealed, and so does every question after it.
        const size_t comma = state.find(',');
        if (comma == std::string::npos) {
            revealed = 0;
            state.clear();
        } else {
            const long value = std::strtol(state.c_str(), nullptr, 10);
            revealed = static_cast<int32_t>(std::clamp<long>(
                value, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
            state.erase(0, comma + 1);
        }
    }
    ItemsHunk::RestoreState(state);
}

void MetaTextHunk::SaveState(std::string& state) const {
    if (HoldsHints()) {
        state += std::to_string(revealed);
        state += ',';
    }
    ItemsHunk::SaveState(state);
}

void MetaTextHunk::ResetState() {
    revealed = 0;
    ItemsHunk::ResetState();
}

bool MetaTextHunk::StateValid() const {
    // A negative count is as broken as one beyond the last hint.
    if (revealed < 0 || revealed > HintCount()) return false;
    return ItemsHunk::StateValid();
}

}  // namespace klu
