#include "model/outline/older_part.h"

#include "model/document/hint_document.h"
#include "model/format/older_part_reader.h"

namespace klu {
namespace {

// Keeps what the reader hands over.
struct OlderPartSink {
    OlderPart& part;

    void Numbers(int64_t first, int64_t last) {
        part.firstHint = first;
        part.lastHint = last;
    }
    void Entry(int64_t, std::string title, int64_t target) {
        part.entries.push_back({std::move(title), target});
    }
    void Hint(int64_t, std::string_view stored) { part.hints.push_back(Decode88(stored)); }
    void NoteLine(std::string_view line) { part.note.emplace_back(line); }
};

}  // namespace

std::optional<OlderPart> ReadOlderPart(const std::string& path) {
    HintFileBytes file = ReadHintFile(path);
    if (file.read != HintFileRead::Whole) return std::nullopt;
    HintStream stream(std::move(file.bytes));
    if (!EqualsNoCase(stream.GetLine(), "KLU")) return std::nullopt;
    stream.GetLine();  // the title
    OlderPart part;
    OlderPartSink sink{part};
    ReadOlderBody(stream, sink);
    return part;
}

}  // namespace klu
