#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>

#include "../model/temp_folder.h"
#include "app/app_state.h"
#include "app/klu_mdi_frame.h"
#include "fake_user_dialogs.h"
#include "model/hint_writer.h"

namespace klu::test {

// No environment: the program's own files stay in the temporary program folder.
inline std::optional<std::string> NoEnvironment(const std::string&) {
    return std::nullopt;
}

// A hint file with a subject and two questions.
inline std::string SampleHintFile(const std::string& title = "Sample Game") {
    HintFileSpec plan;
    plan.root = MakeSubject(title);
    plan.root->Add(MakeSubject("Chapter"))->Add(MakeQuestion("Where?", {{"here"}, {"there"}}));
    plan.root->Add(MakeQuestion("Why?", {{"because"}}));
    std::string error;
    std::optional<std::string> bytes = WriteHintFile(plan, &error);
    EXPECT_TRUE(bytes.has_value()) << error;
    return bytes.value_or(std::string());
}

// A frame over a fresh state whose program folder is a temporary folder.
class FrameFixture : public ::testing::Test {
  protected:
    FrameFixture()
        : state(folder.path(), std::string(), NoEnvironment),
          frame(std::make_unique<TKLUMDIFrame>(state, dialogs)) {}

    // Loads a sample file into the current document, as opening it would.
    void LoadSampleFile() {
        const std::string path = folder / "sample.klu";
        WriteFile(path, SampleHintFile());
        LoadResult result = LoadOk;
        ASSERT_TRUE(LoadHintFileAt(path, state.currentDocument, false, result));
        ASSERT_EQ(result, LoadOk);
        ASSERT_TRUE(state.FileLoaded());
        state.currentPath = path;
        frame->UpdateMenus();
    }

    TempFolder folder;
    FakeUserDialogs dialogs;
    AppState state;
    std::unique_ptr<TKLUMDIFrame> frame;
};

}  // namespace klu::test
