#include "hint_window.h"

#include <QScrollBar>

#include "hint_button.h"
#include "text_view.h"

namespace klu {

HintWindow::HintWindow(ItemsHunk& shown, std::string kind_name, const Settings& current_settings,
                       QWidget* parent)
    : TextWindow(shown, std::move(kind_name), current_settings, parent),
      reveal_(shown, current_settings.hintMemoryOn),
      button_(reveal_.HintCount() > 1
                  ? new HintButton(*this, QString::fromLatin1(kAnotherHintText))
                  : nullptr) {
    if (button_) connect(button_, &QPushButton::clicked, this, &HintWindow::CmAnotherHint);
}

void HintWindow::SetupWindow() {
    TextWindow::SetupWindow();
    DefaultFocusWidget()->setFocus();
    ShowNextHint();
}

QWidget* HintWindow::DefaultFocusWidget() {
    if (button_) return button_;
    return TextWindow::DefaultFocusWidget();
}

// Without a button the text keeps the focus with no link marked, where the button would have
// had it: Enter does nothing there and Tab goes on to the first link.
bool HintWindow::FocusButton(bool) {
    if (button_) button_->setFocus();
    return true;
}

void HintWindow::ShowNextHint() {
    reveal_.ShowNextHint(settings_.showCounting, settings_.hintMemoryOn);
    if (button_) button_->setText(QString::fromLatin1(reveal_.ButtonText()));
    Control().SetVisibleCount(reveal_.VisibleCount());
    emit HintRevealed(&ShownHunk());
}

void HintWindow::CmAnotherHint() {
    if (reveal_.HintsShown() < reveal_.HintCount()) {
        ShowNextHint();
        TextView& text = Control();
        text.Relayout();
        text.verticalScrollBar()->setValue(text.verticalScrollBar()->maximum());
    } else if (reveal_.HintCount() > 1) {
        CloseWindow();
    }
}

void HintWindow::LayOut() {
    TextWindow::LayOut();
    if (!button_) return;
    const int h = ButtonAreaHeight();
    button_->setGeometry(2, clientHeight - h - 2, clientWidth - 4, h);
}

}  // namespace klu
