#include "text_window.h"

#include <QPainter>
#include <QResizeEvent>

#include "model/document/items_hunk.h"
#include "text_view.h"

namespace klu {

TextWindow::TextWindow(ItemsHunk& shown, std::string kind_name,
                           const Settings& current_settings, QWidget* parent)
    : HunkWindow(shown, std::move(kind_name), current_settings, parent),
      control_(new TextView(this, shown)) {
    control_->setObjectName(QString::number(kControlId));
    control_->SetFocusButton([this](bool forward) { return FocusButton(forward); });
    control_->SetDefaultAction([this] { DefaultAction(); });
    control_->SetCloseWindow([this] { CloseWindow(); });
}

void TextWindow::CreateFonts() {
    HunkWindow::CreateFonts();
    control_->ApplySettings(settings_);
}

bool TextWindow::FocusButton(bool) {
    return false;
}

QWidget* TextWindow::DefaultFocusWidget() {
    return control_;
}

int TextWindow::Margin() const {
    const QWidget* frame = parentWidget() ? parentWidget() : this;
    return frame->isMaximized() || frame->isMinimized() ? 0 : 2;
}

void TextWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    clientWidth = event->size().width();
    clientHeight = event->size().height();
    LayOut();
    update();
}

void TextWindow::LayOut() {
    const int m = Margin();
    control_->setGeometry(m, m, clientWidth - 2 * m, clientHeight - ButtonAreaHeight() - 2 * m);
}

// Two lines of shadow at the top and left, two of light at the bottom and right.
void TextWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QPalette& colors = palette();
    const int w = clientWidth;
    const int h = clientHeight;
    painter.setPen(colors.color(QPalette::Mid));
    painter.drawLine(0, 0, 0, h);
    painter.drawLine(0, 0, w + 1, 0);
    painter.setPen(colors.color(QPalette::Shadow));
    painter.drawLine(1, 1, 1, h - 1);
    painter.drawLine(1, 1, w, 1);
    painter.setPen(colors.color(QPalette::Light));
    painter.drawLine(w - 1, h - 1, -1, h - 1);
    painter.drawLine(w - 1, h - 1, w - 1, -1);
    painter.setPen(colors.color(QPalette::Midlight));
    painter.drawLine(w - 2, h - 2, 0, h - 2);
    painter.drawLine(w - 2, h - 2, w - 2, 0);
}

}  // namespace klu
