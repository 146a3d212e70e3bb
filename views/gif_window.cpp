#include "gif_window.h"

#include <QBuffer>
#include <QKeyEvent>
#include <QLabel>
#include <QMovie>
#include <QScrollArea>
#include <QVBoxLayout>

namespace klu {

GifWindow::GifWindow(Hunk& hunk, QByteArray data, const Settings& settings, QWidget* parent)
    : HunkWindow(hunk, "GIFA", settings, parent),
      data_(std::move(data)),
      buffer_(new QBuffer(&data_, this)),
      movie_(new QMovie(this)),
      area_(new QScrollArea(this)),
      picture_(new QLabel(area_)) {
    buffer_->open(QIODevice::ReadOnly);
    movie_->setDevice(buffer_);
    movie_->setFormat("gif");
    picture_->setAlignment(Qt::AlignCenter);
    picture_->setAccessibleName(windowTitle());
    if (movie_->isValid()) {
        picture_->setMovie(movie_);
        movie_->start();
    } else {
        picture_->setText(QString::fromLatin1(kGifUnreadableText));
        picture_->setWordWrap(true);
    }
    area_->setWidget(picture_);
    area_->setWidgetResizable(true);
    area_->setFocusPolicy(Qt::StrongFocus);
    area_->setAccessibleName(windowTitle());
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(area_);
}

GifWindow::~GifWindow() {
    movie_->stop();
}

QImage GifWindow::Image() const {
    return movie_->isValid() ? movie_->currentImage() : QImage();
}

QWidget* GifWindow::DefaultFocusWidget() {
    return area_;
}

// Esc closes the window, as it closes every window of a file.
void GifWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        CloseWindow();
        return;
    }
    HunkWindow::keyPressEvent(event);
}

}  // namespace klu
