// Running commands from the frame: the ones still to come say so, the rest do their work.
#include <QLabel>
#include <QMdiSubWindow>
#include <QSignalSpy>

#include "app/klu_client.h"
#include "frame_fixture.h"

namespace klu::test {
namespace {

using CommandsTest = FrameFixture;

TEST_F(CommandsTest, CommandsStillToComeSayNotAvailableYet) {
    LoadSampleFile();
    const std::vector<std::pair<int, std::string>> commands = {
        {101, "Verbose File Listing"},
        {107, "Change Verbose Listing Folder"},
        {110, "Print File"},
        {111, "Printer Setup"},
        {102, "Information"},
        {106, "Find in File"},
        {104, "Decode to Text"},
        {201, "Show Top Window"},
        {301, "Set Options"},
        {302, "Reset Hint Memory"},
        {501, "Show Help File"},
        {502, "Print Help File"},
        {510, "Go to the KLU Web Site"},
    };
    for (const auto& [id, name] : commands) {
        dialogs.messages.clear();
        frame->Action(id)->trigger();
        ASSERT_EQ(dialogs.messages.size(), 1u) << id;
        EXPECT_EQ(dialogs.messages[0].text, name + " is not available yet.");
        EXPECT_EQ(dialogs.messages[0].title, "KLU Reader");
        EXPECT_EQ(dialogs.messages[0].icon, MessageIcon::Information);
        EXPECT_EQ(dialogs.messages[0].buttons, MessageButtons::Ok);
    }
}

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
