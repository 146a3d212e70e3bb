#pragma once

#include <QFrame>
#include <cstdint>

namespace klu {

// A sample of a colour in a sunken edge: the area inside the edge is filled with the colour and
// framed by a black line one pixel wide.
class ColorSample : public QFrame {
    Q_OBJECT

  public:
    explicit ColorSample(QWidget* parent);

    // The colour as 0x00BBGGRR (red in the low byte); repaints.
    void SetColorRef(uint32_t color_ref);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    uint32_t colorRef_ = 0;
};

}  // namespace klu
