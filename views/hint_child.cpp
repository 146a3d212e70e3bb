#include "hint_child.h"

#include <QScrollBar>

#include "hint_button.h"
#include "string_control.h"

namespace klu {

THintChild::THintChild(TItemsHunk& shown, std::string kind_name, const Settings& current_settings,
                       QWidget* parent)
    : TStringChild(shown, std::move(kind_name), current_settings, parent),
      reveal_(shown, current_settings.hintMemoryOn),
      button_(new THintButton(*this, QString::fromLatin1(HintReveal::kAnotherHint))) {
    connect(button_, &QPushButton::clicked, this, &THintChild::CmAnotherHint);
}

void THintChild::SetupWindow() {
    TStringChild::SetupWindow();
    button_->setFocus();
    ShowNextHint();
}

bool THintChild::FocusButton(bool) {
    button_->setFocus();
    return true;
}

void THintChild::ShowNextHint() {
    reveal_.ShowNextHint(settings_.showCounting, settings_.hintMemoryOn);
    button_->setText(QString::fromLatin1(reveal_.ButtonText()));
    Control().SetVisibleCount(reveal_.VisibleCount());
}

void THintChild::CmAnotherHint() {
    if (reveal_.HintsShown() < reveal_.HintCount()) {
        ShowNextHint();
        TStringControl& text = Control();
        text.Relayout();
        text.verticalScrollBar()->setValue(text.verticalScrollBar()->maximum());
    } else if (reveal_.HintCount() > 1) {
        CloseWindow();
    }
}

void THintChild::LayOut() {
    TStringChild::LayOut();
    const int h = ButtonAreaHeight();
    button_->setGeometry(2, clientHeight - h - 2, clientWidth - 4, h);
}

}  // namespace klu
