#pragma once

#include <QCoreApplication>
#include <QMdiSubWindow>
#include <string>
#include <vector>

#include "app/window_hunk_ui.h"
#include "frame_fixture.h"
#include "model/items_hunk.h"
#include "views/child_window.h"
#include "views/hint_button.h"
#include "views/hint_child.h"
#include "views/string_control.h"

namespace klu::test {

// A hint file whose top subject holds a question of three hints and a one-hint question.
inline std::string ThreeHintFile(const std::string& title = "Three Hints") {
    HintFileSpec plan;
    plan.root = MakeSubject(title);
    plan.root->Add(MakeQuestion("How?", {{"first"}, {"second"}, {"third"}}));
    plan.root->Add(MakeQuestion("Once?", {{"only"}}));
    std::string error;
    std::optional<std::string> bytes = WriteHintFile(plan, &error);
    EXPECT_TRUE(bytes.has_value()) << error;
    return bytes.value_or(std::string());
}

// A frame whose hunks open as windows in its client, with the default settings.
class WindowFixture : public FrameFixture {
  protected:
    WindowFixture() : ui(frame->Client(), state, dialogs) {
        SetHunkUi(&ui);
        state.ReadSettings();
        // Hidden widgets are not laid out: the windows must be on the (offscreen) screen.
        frame->resize(800, 600);
        frame->show();
    }
    ~WindowFixture() override {
        frame.reset();
        SetHunkUi(nullptr);
    }

    // Writes bytes as a file of the program folder and gives its path.
    std::string Write(const std::string& name, const std::string& bytes) {
        const std::string path = folder / name;
        WriteFile(path, bytes);
        return path;
    }
    void Open(const std::string& path) { frame->Client().OpenHintFile(path); }

    std::vector<std::string> WindowTitles() const {
        std::vector<std::string> titles;
        for (QMdiSubWindow* window : frame->Client().subWindowList())
            titles.push_back(window->widget()->windowTitle().toStdString());
        return titles;
    }
    // The child of the open file's top subject with the title, or none.
    TItemsHunk* Child(const std::string& title) const {
        THunk* root = state.currentDocument.GetRoot();
        if (!root) return nullptr;
        return dynamic_cast<TItemsHunk*>(root->FindByName(title));
    }
    // Opens the hunk as a link would and gives its window.
    THintChild* OpenWindow(THunk& hunk) {
        hunk.Open();
        return dynamic_cast<THintChild*>(WindowHunkUi::ViewOf(hunk));
    }
    // Lets the windows that were closed go.
    static void DeleteClosed() {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    WindowHunkUi ui;
};

}  // namespace klu::test
