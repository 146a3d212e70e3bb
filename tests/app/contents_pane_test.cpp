// The contents pane as a player meets it.
#include <QLineEdit>
#include <QSignalSpy>
#include <QTreeView>

#include "app/command_ids.h"
#include "model/store/hint_memory.h"
#include "views/contents_model.h"
#include "window_fixture.h"

namespace klu::test {
namespace {

// The sample file open, one hint of "Where?" remembered as revealed.
class ContentsPaneTest : public WindowFixture {
  protected:
    ContentsPaneTest() {
        const std::string path = Write("game.klu", SampleHintFile());
        state.profile.WriteProfileString(kMemorySection, MemoryKeyOf(path), "1,0,");
        Open(path);
    }
    ContentsPane& Pane() const { return frame->Contents(); }
    std::string Current() const {
        return Pane().Tree().currentIndex().data().toString().toStdString();
    }
    std::string Mark(const std::string& title) const {
        const QModelIndex row = Pane().Contents().IndexOf(Child(title));
        return row.data(Qt::ToolTipRole).toString().toStdString();
    }
};

TEST_F(ContentsPaneTest, AKeyboardPlayerFindsAQuestionByTitleAndOpensItAsALinkWould) {
    frame->Action(CM_FILTERCONTENTS)->trigger();
    ASSERT_EQ(Focus(), &Pane().FilterLine());
    QTest::keyClicks(Focus(), "WH");  // "Where?" under "Chapter", then "Why?"
    QTest::keyClick(Focus(), Qt::Key_Down);
    EXPECT_EQ(Focus(), &Pane().Tree());
    EXPECT_EQ(Current(), "Where?");
    QTest::keyClick(Focus(), Qt::Key_Down);
    QTest::keyClick(Focus(), Qt::Key_Return);
    ASSERT_NE(Client().activeSubWindow(), nullptr);
    EXPECT_EQ(Client().activeSubWindow()->windowTitle(), "Why?");
    EXPECT_EQ(Focus(), &ViewOf(Child("Why?"))->Control());
}

TEST_F(ContentsPaneTest, EscClearsTheFilterAndThenGivesTheKeysBackToTheWindow) {
    frame->Action(CM_FILTERCONTENTS)->trigger();
    QTest::keyClicks(Focus(), "why");
    QTest::keyClick(Focus(), Qt::Key_Escape);
    EXPECT_EQ(Pane().FilterLine().text(), "");
    EXPECT_EQ(Pane().Tree().model()->rowCount(Pane().Tree().model()->index(0, 0)), 2);
    QTest::keyClick(Focus(), Qt::Key_Escape);
    EXPECT_EQ(Focus(), &ViewOf(state.currentDocument.GetRoot())->Control());
}

TEST_F(ContentsPaneTest, TheTreeMarksTheActiveWindowsHunkWithoutTakingTheKeys) {
    EXPECT_EQ(Current(), "Sample Game");
    OpenWindow(*Child("Chapter"));
    HintWindow* where = OpenWindow(*Child("Where?"));
    EXPECT_EQ(Current(), "Where?");
    EXPECT_EQ(Focus(), where->Button());
    Child("Chapter")->Open();
    EXPECT_EQ(Current(), "Chapter");
}

TEST_F(ContentsPaneTest, MarksFollowTheHintMemoryAsHintsAreRevealedAndReset) {
    EXPECT_EQ(Mark("Where?"), "1 of 2");
    EXPECT_EQ(Mark("Why?"), "0 of 1");
    HintWindow* where = OpenWindow(*Child("Where?"));
    QSignalSpy changed(&Pane().Contents(), &QAbstractItemModel::dataChanged);
    QTest::keyClick(where->Button(), Qt::Key_Space);
    ASSERT_FALSE(changed.empty());
    EXPECT_EQ(changed.last().at(0).toModelIndex(), Pane().Contents().IndexOf(Child("Where?")));
    EXPECT_EQ(Mark("Where?"), "2 of 2");
    changed.clear();
    Client().Command(CM_RESETHINTMEMORY);
    EXPECT_FALSE(changed.empty());
    EXPECT_EQ(Mark("Where?"), "0 of 2");
}

TEST_F(ContentsPaneTest, ANewFileReplacesTheTreeAndAFailedOpenEmptiesIt) {
    Open(Write("three.klu", ThreeHintFile()));
    const QAbstractItemModel& shown = *Pane().Tree().model();
    EXPECT_EQ(shown.index(0, 0).data().toString(), "Three Hints");
    Open(Write("bad.klu", "not a hint file\n"));
    EXPECT_EQ(shown.rowCount(), 0);
}

TEST(ContentsPane, F9HidesThePaneForThisAndTheNextStart) {
    TempFolder folder;
    {
        auto app = StartApp(folder.path());
        EXPECT_TRUE(app->Window()->Contents().isVisible());
        app->Window()->Action(CM_VIEWCONTENTS)->trigger();
        EXPECT_FALSE(app->Window()->Contents().isVisible());
    }
    auto again = StartApp(folder.path());
    EXPECT_FALSE(again->Window()->Contents().isVisible());
}

}  // namespace
}  // namespace klu::test
