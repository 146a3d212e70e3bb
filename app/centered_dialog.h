#pragma once

#include <QDialog>
#include <QPoint>
#include <QRect>
#include <QSize>

namespace klu {

// Where a dialog of the given size goes so that it sits centred over parent (both in screen
// coordinates, frames included). A parent of zero width and height stands for the whole screen.
// Halves are truncated towards zero, and a negative coordinate becomes 0; nothing keeps the
// dialog from running off the right or bottom edge of the screen.
QPoint CenteredPlace(const QSize& dialog, const QRect& parent, const QSize& screen);

// A dialog that places itself centred over its parent when it is shown, or
// over the screen when it has no parent, or one that is hidden or of no size.
class CenteredDialog : public QDialog {
    Q_OBJECT

  public:
    explicit CenteredDialog(QWidget* parent);

    // The parent's rectangle on the screen, frame included; empty when there is none to centre
    // over.
    QRect ParentRect() const;

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    bool placed_ = false;
};

}  // namespace klu
