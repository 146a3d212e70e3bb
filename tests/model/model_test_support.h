#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/document/document_observer.h"
#include "model/document/hint_document.h"
#include "model/format/checksum.h"
#include "model/format/hint_stream.h"
#include "model/outline/hint_writer.h"
#include "model/format/hunk_kind.h"
#include "model/document/items_hunk.h"

namespace klu::test {

inline LoadOutcome LoadBytesOutcome(const std::string& bytes, HintDocument& doc,
                                    bool picture_mode = false) {
    return LoadHintFile({HintFileRead::Whole, {bytes.begin(), bytes.end()}, {}}, doc, picture_mode);
}
inline LoadResult LoadBytes(const std::string& bytes, HintDocument& doc,
                            bool picture_mode = false) {
    return LoadBytesOutcome(bytes, doc, picture_mode).result;
}

inline bool LoadFileAt(const std::string& path, HintDocument& doc) {
    return LoadHintFile(ReadHintFile(path), doc, false).result == LoadResult::Ok;
}

struct RecordingObserver : DocumentObserver {
    void OpenWindow(Hunk& hunk) override { shown.push_back(&hunk); }
    std::vector<Hunk*> shown;
};

inline std::string WriteOrFail(const HintFilePlan& plan) {
    std::string error;
    auto bytes = WriteHintFile(plan, &error);
    EXPECT_TRUE(bytes.has_value()) << error;
    return bytes.value_or(std::string());
}

inline std::string HintFileOf(std::unique_ptr<HintNode> root) {
    HintFilePlan plan;
    plan.root = std::move(root);
    return WriteOrFail(plan);
}

// A newer-format file from hand-written hunk text and data, with a valid checksum at its end.
// Each "OFFSET" in the hunks stands for the offset of the data, padded with zeros to its width,
// which decimal reading allows.
inline std::string HandWrittenFile(const std::string& hunks, std::string_view data = "") {
    std::string bytes = "KLU\r\nT\r\n1\r\n0\r\n** END OF 88A FORMAT **\r\n" + hunks + '\x1A';
    const std::string offset = std::to_string(bytes.size());
    for (size_t at = bytes.find("OFFSET"); at != std::string::npos; at = bytes.find("OFFSET"))
        bytes.replace(at, 6, std::string(6 - offset.size(), '0') + offset);
    bytes += data;
    const uint16_t sum = StoredChecksum(bytes);
    return bytes + static_cast<char>(sum & 0xFF) + static_cast<char>(sum >> 8);
}

inline ItemsHunk* Items(KLUObject* object) {
    return NodeCast<ItemsHunk>(object);
}

// A tree in one line, to compare with a tree worked out by hand: a hunk as "KIND title@line"
// (no "@line" for line 0) followed by its children in braces, separated by "|"; a text line as
// its text, a separator as "--".
inline std::string Tree(const KLUObject& object) {
    const auto* hunk = NodeCast<Hunk>(&object);
    if (!hunk) return object.isSeparator ? "--" : object.GetName();
    std::string out = std::string(KindName(hunk->GetType())) + " " + hunk->GetName();
    if (hunk->lineNumber != 0) out += "@" + std::to_string(hunk->lineNumber);
    const auto* items = NodeCast<ItemsHunk>(hunk);
    if (!items || items->children.empty()) return out;
    for (const KLUObject* child : items->children)
        out += (child == items->children.front() ? "{" : "|") + Tree(*child);
    return out + "}";
}

}  // namespace klu::test
