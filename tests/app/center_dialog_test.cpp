// Centring a dialog over its parent: the arithmetic, and where a shown dialog lands.
#include "app/center_dialog.h"

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QScreen>

namespace klu::test {
namespace {

TEST(CenteredPlace, CentresWithTruncatedHalvesAndNeverGoesNegative) {
    const QSize screen(1280, 800);
    // An even fit, and an odd difference whose half is truncated.
    EXPECT_EQ(CenteredPlace({200, 100}, QRect(100, 50, 400, 300), screen), QPoint(200, 150));
    EXPECT_EQ(CenteredPlace({200, 100}, QRect(100, 50, 401, 303), screen), QPoint(200, 151));
    // Larger than its parent: the parent's edge minus half the difference, truncated towards
    // zero (-201 / 2 is -100, not -101).
    EXPECT_EQ(CenteredPlace({301, 151}, QRect(300, 200, 100, 100), screen), QPoint(200, 175));
    // Never at a negative coordinate, each axis on its own.
    EXPECT_EQ(CenteredPlace({400, 100}, QRect(10, 10, 100, 300), screen), QPoint(0, 110));
    EXPECT_EQ(CenteredPlace({100, 400}, QRect(10, 10, 300, 100), screen), QPoint(110, 0));
    // No limit at the right or bottom edge of the screen.
    EXPECT_EQ(CenteredPlace({300, 300}, QRect(1200, 700, 200, 200), screen), QPoint(1150, 650));
}

TEST(CenteredPlace, AParentOfNoSizeStandsForTheScreen) {
    const QSize screen(1280, 800);
    EXPECT_EQ(CenteredPlace({200, 100}, QRect(50, 60, 0, 0), screen), QPoint(540, 350));
    EXPECT_EQ(CenteredPlace({200, 100}, QRect(), screen), QPoint(540, 350));
    // Only one side of no size is still a parent.
    EXPECT_EQ(CenteredPlace({200, 100}, QRect(300, 100, 0, 50), screen), QPoint(200, 75));
    EXPECT_EQ(CenteredPlace({200, 100}, QRect(300, 100, 400, 0), screen), QPoint(400, 50));
}

class Sized : public TCenterDialog {
  public:
    explicit Sized(QWidget* parent) : TCenterDialog(parent) { setFixedSize(200, 100); }
};

TEST(CenterDialog, AShownDialogSitsOverItsParentOrTheScreen) {
    QWidget frame;
    frame.setGeometry(100, 120, 600, 400);
    frame.show();
    const QRect over = frame.frameGeometry();
    {
        Sized dialog(&frame);
        dialog.show();
        EXPECT_EQ(dialog.frameGeometry().center(), over.center());
        EXPECT_EQ(dialog.ParentRect(), over);
    }

    // Over a child widget: its own rectangle on the screen.
    auto* inner = new QWidget(&frame);
    inner->setGeometry(10, 20, 300, 200);
    inner->show();
    {
        Sized dialog(inner);
        EXPECT_EQ(dialog.ParentRect(), QRect(inner->mapToGlobal(QPoint(0, 0)), QSize(300, 200)));
        dialog.show();
        EXPECT_EQ(dialog.frameGeometry().center(), dialog.ParentRect().center());
    }

    // A hidden parent, or none: the screen.
    frame.hide();
    Sized hidden_parent(&frame);
    EXPECT_TRUE(hidden_parent.ParentRect().isEmpty());
    hidden_parent.show();
    const QSize screen = hidden_parent.screen()->size();
    EXPECT_EQ(hidden_parent.pos(),
              QPoint((screen.width() - hidden_parent.frameGeometry().width()) / 2,
                     (screen.height() - hidden_parent.frameGeometry().height()) / 2));

    // Placed when it first shows only: where the user moved it is kept.
    hidden_parent.move(5, 7);
    hidden_parent.hide();
    hidden_parent.show();
    EXPECT_EQ(hidden_parent.pos(), QPoint(5, 7));
}

}  // namespace
}  // namespace klu::test
