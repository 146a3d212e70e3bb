#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/hint_document.h"
#include "model/hint_stream.h"
#include "model/hint_writer.h"
#include "model/items_hunk.h"

namespace klu::test {

// Loads bytes as the reader loads a file.
inline LoadResult LoadBytes(const std::string& bytes, THintDocument& doc,
                            bool picture_mode = false) {
    HintStream stream(std::vector<char>(bytes.begin(), bytes.end()));
    return LoadHintFile(stream, doc, picture_mode);
}

inline std::string WriteOrFail(const HintFileSpec& plan) {
    std::string error;
    auto bytes = WriteHintFile(plan, &error);
    EXPECT_TRUE(bytes.has_value()) << error;
    return bytes.value_or(std::string());
}

inline TItemsHunk* Items(TKLUObject* object) {
    return dynamic_cast<TItemsHunk*>(object);
}

// The texts of a hunk's children, hunks by their names.
inline std::vector<std::string> ChildTexts(const TItemsHunk& hunk) {
    std::vector<std::string> texts;
    for (const TKLUObject* child : hunk.children)
        texts.push_back(child->GetName());
    return texts;
}

}  // namespace klu::test
