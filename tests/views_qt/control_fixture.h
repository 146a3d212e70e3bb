#pragma once

#include <gtest/gtest.h>

#include <QPoint>
#include <QScrollBar>
#include <QTest>
#include <memory>
#include <string>
#include <vector>

#include "model/hunk_ui.h"
#include "model/meta_text_hunk.h"
#include "views/string_control.h"

namespace klu::test {

// Records what the model asks the windows to do.
class RecordingHunkUi : public HunkUi {
  public:
    void OpenWindow(THunk& hunk) override { opened.push_back(&hunk); }
    void ShowUnknownData(THunk& hunk) override { unknown.push_back(&hunk); }
    void ShowOverlay(TOverlayHunk&) override {}
    void OfferGifSave(TGIFaHunk&) override {}
    void PlaySound(TSoundHunk&) override {}
    void CloseView(THunk&) override {}

    std::vector<THunk*> opened;
    std::vector<THunk*> unknown;
};

// A subject whose children are lines and questions, as the parser lays them out: every child
// ends its line unless asked otherwise.
class ControlTest : public ::testing::Test {
  protected:
    ControlTest() : root("Subject", nullptr, SUBJECT) { SetHunkUi(&ui); }
    ~ControlTest() override { SetHunkUi(nullptr); }

    TKLUObject* AddLine(std::string text, bool hard_break = true) {
        auto* line = new THunkLine(std::move(text), &root);
        line->hardBreak = hard_break;
        line->endsSourceLine = 1;
        root.children.push_back(line);
        return line;
    }
    TMetaTextHunk* AddQuestion(std::string title, bool hard_break = true) {
        auto* question = new TMetaTextHunk(std::move(title), &root, HINT);
        question->hardBreak = hard_break;
        question->endsSourceLine = 1;
        root.children.push_back(question);
        return question;
    }

    // Shows the control at a fixed size and waits until it is on screen.
    TStringControl& Show(int width = 320, int height = 240) {
        control = std::make_unique<TStringControl>(nullptr, root);
        control->resize(width, height);
        control->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(control.get()));
        control->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(control.get()));
        control->setFocus();
        return *control;
    }

    // The middle of the first fragment of the object, in viewport coordinates.
    QPoint CentreOf(const TKLUObject* object) const {
        for (const TWrapInfo& f : control->Fragments()) {
            if (f.object == object) {
                return QPoint((f.left + f.right) / 2, (f.top + f.bottom) / 2) -
                       QPoint(control->horizontalScrollBar()->value(),
                              control->verticalScrollBar()->value());
            }
        }
        ADD_FAILURE() << "no fragment for " << object->GetName();
        return {};
    }

    void Click(QPoint point) {
        QTest::mouseClick(control->viewport(), Qt::LeftButton, Qt::NoModifier, point);
    }
    void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(control.get(), key, modifiers);
    }

    RecordingHunkUi ui;
    TMetaTextHunk root;
    std::unique_ptr<TStringControl> control;
};

}  // namespace klu::test
