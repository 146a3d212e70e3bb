// Clicking and pointing at the links of a text control.
#include <QApplication>
#include <QMouseEvent>

#include "control_fixture.h"

namespace klu::test {
namespace {

class ControlMouseTest : public ControlTest {
  protected:
    ControlMouseTest() {
        intro = AddLine("Where do I find the lamp?");
        first = AddQuestion("How do I open the door?");
        second = AddQuestion("Who is the old man?");
        Show();
    }

    // Moves the mouse over the viewport without a button and gives the cursor it shows.
    Qt::CursorShape CursorAt(QPoint point) {
        QMouseEvent move(QEvent::MouseMove, QPointF(point), control->viewport()->mapToGlobal(point),
                         Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(control->viewport(), &move);
        return control->viewport()->cursor().shape();
    }

    TKLUObject* intro = nullptr;
    TMetaTextHunk* first = nullptr;
    TMetaTextHunk* second = nullptr;
};

TEST_F(ControlMouseTest, ClickOnALinkOpensItsTargetOnly) {
    Click(CentreOf(second));
    EXPECT_EQ(ui.opened, std::vector<THunk*>{second});
    Click(CentreOf(first));
    EXPECT_EQ(ui.opened, (std::vector<THunk*>{second, first}));
}

TEST_F(ControlMouseTest, ClickOnPlainTextOrEmptySpaceOpensNothing) {
    Click(CentreOf(intro));
    Click(QPoint(control->viewport()->width() - 5, control->viewport()->height() - 5));
    EXPECT_TRUE(ui.opened.empty());
}

TEST_F(ControlMouseTest, ClickFollowsTheScrollPosition) {
    control->resize(320, 40);
    QCoreApplication::processEvents();
    ASSERT_GT(control->verticalScrollBar()->maximum(), 0);
    control->verticalScrollBar()->setValue(control->verticalScrollBar()->maximum());
    Click(CentreOf(second));
    EXPECT_EQ(ui.opened, std::vector<THunk*>{second});
}

TEST_F(ControlMouseTest, HandOverLinksArrowElsewhere) {
    EXPECT_EQ(CursorAt(CentreOf(first)), Qt::PointingHandCursor);
    EXPECT_EQ(CursorAt(CentreOf(intro)), Qt::ArrowCursor);
    EXPECT_EQ(CursorAt(CentreOf(second)), Qt::PointingHandCursor);
    EXPECT_EQ(CursorAt(QPoint(2, 2)), Qt::ArrowCursor);
}

TEST_F(ControlMouseTest, HiddenChildrenAreNeitherLaidOutNorClickable) {
    const QPoint where_second_was = CentreOf(second);
    control->SetVisibleCount(2);
    for (const TWrapInfo& f : control->Fragments())
        EXPECT_NE(f.object, second);
    ASSERT_EQ(control->Links().size(), 1u);
    EXPECT_EQ(control->Links()[0].target, first);
    EXPECT_EQ(CursorAt(where_second_was), Qt::ArrowCursor);
    Click(where_second_was);
    EXPECT_TRUE(ui.opened.empty());

    control->SetVisibleCount(3);
    Click(CentreOf(second));
    EXPECT_EQ(ui.opened, std::vector<THunk*>{second});
}

TEST_F(ControlMouseTest, NarrowerControlLaysOutAgainOnResize) {
    const TSize wide = control->DocumentSize();
    const size_t wide_fragments = control->Fragments().size();
    control->resize(120, 240);
    QCoreApplication::processEvents();
    EXPECT_GT(control->Fragments().size(), wide_fragments);
    EXPECT_GT(control->DocumentSize().height, wide.height);
    for (const TWrapInfo& f : control->Fragments()) {
        // A fragment may overflow only when it is a single word at the start of a line.
        if (f.left > kLayoutMargin) {
            EXPECT_LE(f.right, control->viewport()->width());
        }
    }
}

}  // namespace
}  // namespace klu::test
