#pragma once

#include <QRect>
#include <vector>

#include "hot_spot_control.h"
#include "text_layout.h"

namespace klu {

// The text view of a hunk: its visible children flowed as word-wrapped text, sub-hunks as links
// in the link colour, separators as rules, pictures at their size, lines marked for the second
// font in the fixed font. The owning window embeds it as its only child:
//
//   auto* text = new TStringControl(window, hunk);
//   text->ApplySettings(settings);           // fonts and link colour
//   text->SetFocusButton([](bool forward) { ...; return moved_to_button; });
//   text->SetVisibleCount(n);                // lays out again
class TStringControl : public THotSpotControl {
    Q_OBJECT

  public:
    TStringControl(QWidget* parent, TItemsHunk& shown);

    // Lays the visible children out for the current width, then sets the scroll ranges and the
    // page size and repaints.
    void Relayout() override;
    // Computes the fragments for the current viewport; returns the document size.
    TSize Layout();

    // Pictures take the room this gives them; without it they take none.
    void SetPictureSize(PictureSizeFn fn);
    // The hunk shows one picture and nothing else.
    bool IsSingleImage() const;

    int LineHeight() const { return lineHeight; }
    const std::vector<TWrapInfo>& Fragments() const { return fragments; }
    TSize DocumentSize() const { return documentSize; }
    // Where the object's fragments are on screen now, in viewport coordinates.
    std::vector<QRect> FragmentRects(const TKLUObject* object) const;

  protected:
    void ShowFocus(bool scroll_into_view) override;
    void HideFocus() override;
    int PageSize() const override;

    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    void PaintFocus(class QPainter& painter);

    std::vector<TWrapInfo> fragments;
    TSize documentSize;
    int lineHeight = 0;
    PictureSizeFn pictureSize;
};

}  // namespace klu
