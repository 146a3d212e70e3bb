// What assistive technology sees of a text control.
#include <QAccessible>
#include <QAccessibleActionInterface>

#include "control_fixture.h"
#include "views/text_control_accessible.h"

namespace klu::test {
namespace {

class ControlAccessibleTest : public ControlTest {
  protected:
    ControlAccessibleTest() {
        AddLine("Start", false);
        AddLine("here.");
        first = AddQuestion("Where\x92s the key?");
        AddLine("Caf\xE9 talk.");
        second = AddQuestion("Second question");
        Show();
    }
    QAccessibleInterface* Accessible() const {
        return QAccessible::queryAccessibleInterface(control.get());
    }

    TMetaTextHunk* first = nullptr;
    TMetaTextHunk* second = nullptr;
};

TEST_F(ControlAccessibleTest, TextIsTheVisibleChildrenInOrder) {
    QAccessibleInterface* accessible = Accessible();
    ASSERT_NE(accessible, nullptr);
    QAccessibleTextInterface* text = accessible->textInterface();
    ASSERT_NE(text, nullptr);
    const QString expected =
        QString::fromUtf8("Start here.\nWhere\u2019s the key?\nCaf\u00e9 talk.\nSecond question");
    EXPECT_EQ(text->characterCount(), expected.size());
    EXPECT_EQ(text->text(0, text->characterCount()), expected);
    EXPECT_EQ(text->text(6, 11), QString("here."));
    control->SetVisibleCount(2);
    EXPECT_EQ(text->text(0, text->characterCount()), QString("Start here."));
}

TEST_F(ControlAccessibleTest, VisibleLinksAreChildrenWithRoleAndName) {
    QAccessibleInterface* accessible = Accessible();
    ASSERT_EQ(accessible->childCount(), 2);
    QAccessibleInterface* link = accessible->child(0);
    ASSERT_NE(link, nullptr);
    EXPECT_EQ(link->role(), QAccessible::Link);
    EXPECT_EQ(link->text(QAccessible::Name), QString::fromUtf8("Where\u2019s the key?"));
    EXPECT_EQ(accessible->child(1)->text(QAccessible::Name), QString("Second question"));
    EXPECT_EQ(accessible->indexOfChild(accessible->child(1)), 1);
    EXPECT_EQ(link->parent(), accessible);
    EXPECT_FALSE(link->rect().isEmpty());

    control->SetVisibleCount(3);
    EXPECT_EQ(accessible->childCount(), 1);
    EXPECT_EQ(accessible->child(1), nullptr);
}

TEST_F(ControlAccessibleTest, PressOpensTheLinkWhileItIsShown) {
    QAccessibleInterface* link = Accessible()->child(1);
    ASSERT_NE(link, nullptr);
    QAccessibleActionInterface* action = link->actionInterface();
    ASSERT_NE(action, nullptr);
    EXPECT_TRUE(action->actionNames().contains(QAccessibleActionInterface::pressAction()));
    action->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(ui.opened, std::vector<THunk*>{second});

    control->SetVisibleCount(3);  // the link is hidden now
    action->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(ui.opened.size(), 1u);
}

TEST(AccessibleTextOf, JoinsLinesLikeTheLayout) {
    TItemsHunk hunk("h");
    auto add = [&](const char* text, bool hard_break, bool ends_source_line,
                   bool separator = false) {
        auto* line = new THunkLine(text, &hunk);
        line->hardBreak = hard_break;
        line->endsSourceLine = ends_source_line;
        line->isSeparator = separator;
        hunk.children.push_back(line);
    };
    add("one", false, true);  // a source line joined to the next with a blank
    add("tw", false, false);  // a piece joined without one
    add("o", true, true);     // the line ends
    add("-", true, true, true);
    add("three", true, true);
    EXPECT_EQ(AccessibleTextOf(hunk, 5), "one two\n\nthree");
    EXPECT_EQ(AccessibleTextOf(hunk, 2), "one tw");
    EXPECT_EQ(AccessibleTextOf(hunk, 99), AccessibleTextOf(hunk, 5));
    EXPECT_EQ(AccessibleTextOf(hunk, 0), "");
}

}  // namespace
}  // namespace klu::test
