#pragma once

#include <QImage>
#include <QRect>
#include <QString>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "hot_spot_area.h"
#include "text_layout.h"

namespace klu {

class OverlayHunk;
class PNGObject;

// The text view of a hunk: its visible children flowed as word-wrapped text, sub-hunks as links
// in the link colour, separators as rules, pictures at their size, lines marked for the second
// font in the fixed font. Tab marks the links, then the pictures' hot spots. The owning window
// embeds it as its only child:
//
//   auto* text = new TextView(window, hunk);
//   text->ApplySettings(settings);           // fonts and link colour
//   text->SetFocusButton([](bool forward) { ...; return moved_to_button; });
//   text->SetVisibleCount(n);                // lays out again
//   text->SetPicturePath(path);              // decodes the pictures from the hint file
//
// Each picture child of the hunk keeps its decoded image and overlay cache while the control
// lives; they are freed with the control.
class TextView : public HotSpotArea {
    Q_OBJECT

  public:
    TextView(QWidget* parent, ItemsHunk& shown);
    ~TextView() override;

    // Lays the visible children out for the current width, then sets the scroll ranges and the
    // page size and repaints.
    void Relayout() override;
    // Computes the fragments for the current viewport; returns the document size.
    LayoutSize Layout();

    // Decodes every picture child of the hunk from the hint file at path, the file the hunk was
    // read from, under the wait cursor, and lays the text out again. Until then the pictures
    // have no image: they take no room and draw nothing, but their hot spots work.
    void SetPicturePath(std::string path);
    // Paints the overlay onto its picture, once while the control lives, and repaints; nothing
    // when its picture is not a child of the hunk.
    void ShowOverlay(OverlayHunk& overlay);

    // The hunk shows one picture and nothing else.
    bool IsSingleImage() const;

    // Every child on a row of its own, one line high, cut short with "..." when wider than the
    // control: nothing is measured until it is painted, so that a list of many thousands of
    // entries opens at once. The whole row is the entry's link. Lays out again.
    void SetUniformRows(bool on);
    // What the tooltip of an entry says; none when the function gives an empty text.
    using ToolTipFn = std::function<QString(const KLUObject&)>;
    void SetToolTip(ToolTipFn fn) { toolTip = std::move(fn); }

    int LineHeight() const { return lineHeight; }
    const std::vector<WrapInfo>& Fragments() const { return fragments; }
    // The size of the whole hunk laid out at the current width, every child shown: what a
    // window needs to show all it may reveal without scrolling.
    LayoutSize FullDocumentSize() const;
    // Where the object's fragments are on screen now, in viewport coordinates.
    std::vector<QRect> FragmentRects(const KLUObject* object) const;
    // The hot spots of the pictures shown, each with what it leads to and where it is on screen
    // now (viewport coordinates), in Tab order: picture by picture, each in reading order.
    struct ShownHotSpot {
        KLUObject* target = nullptr;
        QRect rect;
    };
    std::vector<ShownHotSpot> HotSpots() const;

  protected:
    void ShowFocus(bool scroll_into_view) override;
    void HideFocus() override;
    int PageSize() const override;

    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool viewportEvent(QEvent* event) override;

  private:
    static constexpr int kSpotFrameWidth = 2;

    void PaintFocus(class QPainter& painter);
    // Scrolls so that the rectangle (document coordinates) is in view, its start first.
    void ScrollIntoView(const QRect& marked);
    // Every picture among the hunk's children.
    std::vector<PNGObject*> Pictures() const;
    // The picture as the screen shows it, made from its bitmap on first use.
    const QImage* ScreenImage(const PNGObject& picture);

    // The rows of SetUniformRows: one fragment per child, nothing measured.
    LayoutResult UniformRows(int count, int width) const;

    std::vector<WrapInfo> fragments;
    bool uniformRows = false;
    ToolTipFn toolTip;
    LayoutSize documentSize;
    int lineHeight = 0;
    std::string picturePath;
    std::map<const PNGObject*, QImage> screenImages;
};

}  // namespace klu
