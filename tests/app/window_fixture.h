#pragma once

#include <QApplication>
#include <QMdiSubWindow>
#include <QTest>

#include "../model/model_test_support.h"
#include "../model/temp_folder.h"
#include "app/reader_app.h"
#include "fake_user_dialogs.h"
#include "views/hint_button.h"
#include "views/hint_window.h"
#include "views/text_view.h"

namespace klu::test {

inline void PrintTo(const FakeUserDialogs::Message& m, std::ostream* os) {
    *os << "\"" << m.text << "\" titled \"" << m.title << "\", icon " << static_cast<int>(m.icon)
        << ", buttons " << static_cast<int>(m.buttons);
}
using Message = FakeUserDialogs::Message;

// No environment: the program's own files stay in the temporary program folder.
inline std::optional<std::string> NoEnvironment(const std::string&) {
    return std::nullopt;
}

// A subject with a chapter that holds a two-hint question, then a one-hint question.
inline std::string SampleHintFile(const std::string& title = "Sample Game") {
    auto root = MakeSubject(title);
    root->Add(MakeSubject("Chapter"))->Add(MakeQuestion("Where?", {{"here"}, {"there"}}));
    root->Add(MakeQuestion("Why?", {{"because"}}));
    return HintFileOf(std::move(root));
}

// A subject with the three-hint question "How?" and the one-hint question "Once?".
inline std::string ThreeHintFile(const std::string& title = "Three Hints") {
    auto root = MakeSubject(title);
    root->Add(MakeQuestion("How?", {{"first"}, {"second"}, {"third"}}));
    root->Add(MakeQuestion("Once?", {{"only"}}));
    return HintFileOf(std::move(root));
}

inline std::unique_ptr<ReaderApp> StartApp(const std::string& folder,
                                         const std::string& argument = std::string(),
                                         FakeUserDialogs** dialogs = nullptr) {
    auto fake = std::make_unique<FakeUserDialogs>();
    if (dialogs) *dialogs = fake.get();
    auto app = std::make_unique<ReaderApp>(folder, argument, std::move(fake), NoEnvironment);
    app->BuildMainWindow(false);
    app->ShowMainWindow();
    return app;
}

// A shown, active frame over a fresh state whose program folder is a temporary folder; its hunks
// open as windows in its client, with the default settings.
class WindowFixture : public ::testing::Test {
  protected:
    WindowFixture()
        : state(folder.path(), std::string(), NoEnvironment),
          frame(std::make_unique<MainWindow>(state, dialogs)),
          ui(frame->Client(), state, dialogs) {
        state.currentDocument.SetObserver(&ui);
        state.helpDocument.SetObserver(&ui);
        state.ReadSettings();
        frame->Client().SetLayout(WindowLayout::Windows);
        // Hidden widgets are not laid out: the windows must be on the (offscreen) screen.
        frame->resize(1280, 1000);
        frame->show();
        QApplication::setActiveWindow(frame.get());
    }
    ~WindowFixture() override {
        frame.reset();
        state.currentDocument.SetObserver(nullptr);
        state.helpDocument.SetObserver(nullptr);
    }

    DocumentArea& Client() { return frame->Client(); }
    std::string Write(const std::string& name, const std::string& bytes) {
        return folder.Write(name, bytes);
    }
    void Open(const std::string& path) { Client().OpenHintFile(path); }

    std::vector<std::string> WindowTitles() const {
        std::vector<std::string> titles;
        for (QMdiSubWindow* window : frame->Client().subWindowList())
            titles.push_back(window->widget()->windowTitle().toStdString());
        return titles;
    }
    ItemsHunk* Child(const std::string& title) const {
        Hunk* root = state.currentDocument.GetRoot();
        return root ? dynamic_cast<ItemsHunk*>(root->FindByName(title)) : nullptr;
    }
    HintWindow* ViewOf(const Hunk* hunk) const {
        return hunk ? dynamic_cast<HintWindow*>(ui.ViewOf(*hunk)) : nullptr;
    }
    HintWindow* OpenWindow(Hunk& hunk) {
        hunk.Open();
        return ViewOf(&hunk);
    }
    static void DeleteClosed() {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    static QWidget* Focus() { return QApplication::focusWidget(); }
    std::string ActiveTitle() const {
        const QMdiSubWindow* active = frame->Client().activeSubWindow();
        return active ? active->widget()->windowTitle().toStdString() : "none";
    }
    // A key typed where the focus is, as a player types it; gives the title of the window active
    // afterwards.
    std::string Type(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QWidget* focus = Focus();
        EXPECT_NE(focus, nullptr) << "nothing has the keys";
        if (focus) QTest::keyClick(focus, key, modifiers);
        DeleteClosed();
        return ActiveTitle();
    }

    TempFolder folder;
    FakeUserDialogs dialogs;
    AppState state;
    std::unique_ptr<MainWindow> frame;
    HunkWindows ui;
};

}  // namespace klu::test
