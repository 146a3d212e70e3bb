#include "model/document/info_hunk.h"

#include <algorithm>
#include <cstdlib>
#include <limits>
#include <optional>

#include "model/document/document_observer.h"
#include "model/document/hunk_reader.h"
#include "model/text/text_util.h"

namespace klu {
namespace {

// The leading decimal number of a value, as the C library's atoi reads it, kept in 32 bits.
int32_t LeadingNumber(const std::string& text) {
    const long long value = std::strtoll(text.c_str(), nullptr, 10);
    return static_cast<int32_t>(std::clamp<long long>(value, std::numeric_limits<int32_t>::min(),
                                                      std::numeric_limits<int32_t>::max()));
}

}  // namespace

InfoHunk::InfoHunk(HunkReader& reader, int32_t line_count, Hunk* owner)
    : ItemsHunk(reader, line_count, owner) {
    for (int64_t i = 3; i <= lineCount && !reader.TextEnded(); ++i) {
        storedLines.emplace_back(reader.ReadLine());
        ParseLine(storedLines.back());
    }
}

InfoHunk::InfoHunk(std::string name, Hunk* owner) : ItemsHunk(std::move(name), owner) {}

void InfoHunk::Open() {
    if (DocumentObserver* observer = Observer()) observer->OpenWindow(*this);
}

void InfoHunk::ParseLine(std::string line) {
    // Every key is tested in this order; the list keys replace the line by their value, so a
    // value may itself start with a later key.
    auto value_after = [&line](std::string_view key) -> std::optional<std::string> {
        if (!StartsWithNoCase(line, key)) return std::nullopt;
        return line.substr(key.size());
    };
    if (auto v = value_after("author=")) author = *v;
    if (auto v = value_after("publisher=")) publisher = *v;
    if (auto v = value_after("date=")) date = *v;
    if (auto v = value_after("time=")) time = *v;
    if (auto v = value_after("length=")) {
        line = *v;
        infoLength = LeadingNumber(line);
    }
    if (auto v = value_after("copyright=")) {
        line = *v;
        copyright.push_back(std::make_unique<HunkLine>(line));
    }
    if (auto v = value_after("author-note=")) {
        line = *v;
        authorNote.push_back(std::make_unique<HunkLine>(line));
    }
    if (auto v = value_after("game-note=")) {
        line = *v;
        gameNote.push_back(std::make_unique<HunkLine>(line));
    }
}

void InfoHunk::AddLine(std::string_view text) {
    AddChild(new HunkLine(text));
}

void InfoHunk::AddField(const std::string& label, const std::string& value) {
    if (value.empty()) return;
    const size_t before = children.size();
    AddLine(label);
    if (children.size() > before) children.back()->hardBreak = 1;
    AddLine(value);
    AddLine(" ");
}

void InfoHunk::AddList(const char* heading, const std::vector<std::unique_ptr<HunkLine>>& lines) {
    if (lines.empty()) return;
    AddLine(heading);
    for (const auto& line : lines)
        AddLine(line->title);
    AddLine(" ");
}

void InfoHunk::Finish(const Hunk* version) {
    AddField("Author:", author);
    AddField("Game Publisher:", publisher);
    if (!date.empty() && !time.empty()) AddField("Time Created:", date + " " + time);
    AddList("Copyright:", copyright);
    AddList("About the Author:", authorNote);
    AddList("About the Game:", gameNote);
    if (version) {
        AddField("KLU Version:", version->GetName());
        AddLine("Compiler Info:");
        if (auto* items = dynamic_cast<const ItemsHunk*>(version)) {
            for (const KLUObject* child : items->children)
                AddLine(child->GetName());
        }
    }
    title = Top()->GetName() + " File Information";
}

}  // namespace klu
