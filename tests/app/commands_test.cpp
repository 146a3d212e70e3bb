// Running commands from the frame.
#include <QLabel>
#include <QMdiSubWindow>
#include <QSignalSpy>

#include "app/klu_client.h"
#include "frame_fixture.h"

namespace klu::test {
namespace {

using CommandsTest = FrameFixture;

TEST_F(CommandsTest, DisabledCommandDoesNothingEvenWhenCalledDirectly) {
    frame->Client().Command(106);
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(CommandsTest, AboutGoesThroughTheDialogs) {
    frame->Action(503)->trigger();
    EXPECT_EQ(dialogs.aboutShown, 1);
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(CommandsTest, ExitClosesTheFrame) {
    frame->show();
    ASSERT_TRUE(frame->isVisible());
    frame->Action(24310)->trigger();
    EXPECT_FALSE(frame->isVisible());
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(CommandsTest, CloseAllClosesEveryChildWindow) {
    frame->show();
    for (int i = 0; i < 3; ++i)
        frame->Client().addSubWindow(new QLabel("child"))->show();
    ASSERT_EQ(frame->Client().subWindowList().size(), 3);
    frame->Action(24365)->trigger();
    EXPECT_TRUE(frame->Client().subWindowList().isEmpty());
}

TEST_F(CommandsTest, TileAndCascadePlaceTheChildrenApart) {
    frame->resize(800, 600);
    frame->show();
    QMdiSubWindow* first = frame->Client().addSubWindow(new QLabel("one"));
    QMdiSubWindow* second = frame->Client().addSubWindow(new QLabel("two"));
    first->setGeometry(0, 0, 100, 100);
    second->setGeometry(0, 0, 100, 100);
    first->show();
    second->show();
    frame->Action(24362)->trigger();
    EXPECT_FALSE(first->geometry().intersects(second->geometry()));
    frame->Action(24361)->trigger();
    EXPECT_NE(first->pos(), second->pos());
}

TEST_F(CommandsTest, EveryCommandAsksTheMenusToBeLookedAtAgain) {
    QSignalSpy spy(&frame->Client(), &TKLUClient::StateChanged);
    frame->Action(24361)->trigger();
    EXPECT_EQ(spy.count(), 1);
}

}  // namespace
}  // namespace klu::test
