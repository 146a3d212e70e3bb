#pragma once

#include <QPushButton>

namespace klu {

class TextWindow;

// The push button under the text of a hint window_. Tab and Shift+Tab go to the
// first or last link of the text, Esc closes the window, Enter is the window's default action;
// Space presses it like any button.
class HintButton : public QPushButton {
    Q_OBJECT

  public:
    static constexpr int kId = 1002;

    HintButton(TextWindow& parent, const QString& text);

  protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    // Tab (forward) or Shift+Tab: the focus goes to a link of the text.
    void FocusText(bool forward);

    TextWindow& window_;
};

}  // namespace klu
