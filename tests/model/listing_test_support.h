#pragma once

#include <string>
#include <vector>

#include "model/outline/hint_writer.h"
#include "model_test_support.h"
#include "temp_folder.h"

namespace klu::test {

// A newer-format file titled title, with a version hunk and an information hunk of the given
// lines at the end, as the writer of such files puts them.
inline HintFilePlan NewerFilePlan(const std::string& title, const std::string& version = "96a",
                                  const std::vector<std::string>& info = {}) {
    HintFilePlan plan;
    plan.title88 = "Older title of " + title;
    plan.root = MakeSubject(title);
    plan.root->Add(MakeQuestion("How do I start?", {{"Look around."}, {"Open the door."}}));
    plan.topLevel.push_back(MakeNode("VERSION", version));
    plan.topLevel.push_back(MakeNode("INFO", "Information"));
    for (const auto& line : info)
        plan.topLevel.back()->Line(line);
    return plan;
}

// An older-format file, the only kind whose header has no end marker.
inline HintFilePlan OlderFilePlan(const std::string& title) {
    HintFilePlan plan;
    plan.title88 = title;
    plan.subjects88.push_back({"Getting started", {{"Where am I?", {"In a cave."}}}});
    return plan;
}

inline void WriteHintFileAt(const std::string& path, const HintFilePlan& plan) {
    WriteFile(path, WriteOrFail(plan));
}

}  // namespace klu::test
