#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/document_observer.h"
#include "model/hint_document.h"
#include "model/hint_stream.h"
#include "model/hint_writer.h"
#include "model/hunk_kind.h"
#include "model/items_hunk.h"

namespace klu::test {

// Loads bytes as the reader loads a file.
inline LoadOutcome LoadBytesOutcome(const std::string& bytes, THintDocument& doc,
                                    bool picture_mode = false) {
    return LoadHintFile({HintFileRead::Whole, {bytes.begin(), bytes.end()}, {}}, doc, picture_mode);
}
inline LoadResult LoadBytes(const std::string& bytes, THintDocument& doc,
                            bool picture_mode = false) {
    return LoadBytesOutcome(bytes, doc, picture_mode).result;
}

// Opens a file as the reader does; true when it loaded whole.
inline bool LoadFileAt(const std::string& path, THintDocument& doc) {
    return LoadHintFile(ReadHintFile(path), doc, false).result == LoadResult::Ok;
}

// Records the hunks the model asks to show in windows.
struct RecordingObserver : DocumentObserver {
    void OpenWindow(THunk& hunk) override { shown.push_back(&hunk); }
    std::vector<THunk*> shown;
};

inline std::string WriteOrFail(const HintFilePlan& plan) {
    std::string error;
    auto bytes = WriteHintFile(plan, &error);
    EXPECT_TRUE(bytes.has_value()) << error;
    return bytes.value_or(std::string());
}

inline TItemsHunk* Items(TKLUObject* object) {
    return NodeCast<TItemsHunk>(object);
}

// A tree in one line, to compare with a tree worked out by hand: a hunk as "KIND title@line"
// (no "@line" for line 0) followed by its children in braces, separated by "|"; a text line as
// its text, a separator as "--".
inline std::string Tree(const TKLUObject& object) {
    const auto* hunk = NodeCast<THunk>(&object);
    if (!hunk) return object.isSeparator ? "--" : object.GetName();
    std::string out = std::string(KindName(hunk->GetType())) + " " + hunk->GetName();
    if (hunk->lineNumber != 0) out += "@" + std::to_string(hunk->lineNumber);
    const auto* items = NodeCast<TItemsHunk>(hunk);
    if (!items || items->children.empty()) return out;
    for (const TKLUObject* child : items->children)
        out += (child == items->children.front() ? "{" : "|") + Tree(*child);
    return out + "}";
}

}  // namespace klu::test
