#pragma once

#include <string>
#include <vector>

#include "model/hint_writer.h"
#include "model_test_support.h"
#include "temp_folder.h"

namespace klu::test {

// A newer-format file titled title, with a version hunk and an information hunk of the given
// lines at the end, as the writer of such files puts them.
inline HintFileSpec NewerFileSpec(const std::string& title, const std::string& version = "96a",
                                  const std::vector<std::string>& info = {}) {
    HintFileSpec spec;
    spec.title88 = "Older title of " + title;
    spec.root = MakeSubject(title);
    spec.root->Add(MakeQuestion("How do I start?", {{"Look around."}, {"Open the door."}}));
    spec.topLevel.push_back(MakeNode("VERSION", version));
    spec.topLevel.push_back(MakeNode("INFO", "Information"));
    for (const auto& line : info)
        spec.topLevel.back()->Line(line);
    return spec;
}

// An older-format file, the only kind whose header has no end marker.
inline HintFileSpec OlderFileSpec(const std::string& title) {
    HintFileSpec spec;
    spec.title88 = title;
    spec.subjects88.push_back({"Getting started", {{"Where am I?", {"In a cave."}}}});
    return spec;
}

inline void WriteHintFileAt(const std::string& path, const HintFileSpec& spec) {
    WriteFile(path, WriteOrFail(spec));
}

}  // namespace klu::test
