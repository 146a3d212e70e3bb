#include "gif_child.h"

#include <QBuffer>
#include <QKeyEvent>
#include <QLabel>
#include <QMovie>
#include <QScrollArea>
#include <QVBoxLayout>

namespace klu {

TGifChild::TGifChild(THunk& hunk, QByteArray data, const Settings& settings, QWidget* parent)
    : TChild(hunk, "GIFA", settings, parent),
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

TGifChild::~TGifChild() {
    movie_->stop();
}

QImage TGifChild::Image() const {
    return movie_->isValid() ? movie_->currentImage() : QImage();
}

QWidget* TGifChild::DefaultFocusWidget() {
    return area_;
}

// Esc closes the window, as it closes every window of a file.
void TGifChild::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        CloseWindow();
        return;
    }
    TChild::keyPressEvent(event);
}

}  // namespace klu
