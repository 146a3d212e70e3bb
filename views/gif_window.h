#pragma once

#include <QByteArray>
#include <QImage>

#include "hunk_window.h"

class QBuffer;
class QLabel;
class QMovie;
class QScrollArea;

namespace klu {

inline constexpr char kGifUnreadableText[] =
    "This picture cannot be shown.  Save Window saves its data for another program.";

// The window of a GIF picture: the picture as it is, moving if it is animated, or a line saying
// that it cannot be shown. It keeps the picture's data, which Save Window writes out unchanged.
class GifWindow : public HunkWindow {
    Q_OBJECT

  public:
    GifWindow(Hunk& hunk, QByteArray data, const Settings& settings, QWidget* parent = nullptr);
    ~GifWindow() override;

    const QByteArray& Data() const { return data_; }
    // The frame shown now; a null image when the data is no picture that can be read.
    QImage Image() const;

  protected:
    QWidget* DefaultFocusWidget() override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    QByteArray data_;
    QBuffer* buffer_ = nullptr;
    QMovie* movie_ = nullptr;
    QScrollArea* area_ = nullptr;
    QLabel* picture_ = nullptr;
};

}  // namespace klu
