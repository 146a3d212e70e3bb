#pragma once

#include <QAbstractScrollArea>
#include <QColor>
#include <QFont>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "model/store/settings.h"
#include "qt_text_measurer.h"
#include "readable_colors.h"
#include "text_layout.h"

namespace klu {

class ItemsHunk;
class KLUObject;

// The clickable part of a text view: the links of the laid-out text and the hot spots of its
// pictures, the keyboard focus that moves from one to the next, the two fonts, the mouse and the
// scrolling keys. TextView lays the text out and paints it.
class HotSpotArea : public QAbstractScrollArea {
    Q_OBJECT

  public:
    // Asked when Tab runs past the last link (forward) or Shift+Tab before the first one: true
    // when the owner moved the focus to its button.
    using FocusButtonFn = std::function<bool(bool forward)>;

    HotSpotArea(QWidget* parent, ItemsHunk& hunk);
    ~HotSpotArea() override;

    ItemsHunk& ShownHunk() const { return hunk; }

    // Only children 0 to VisibleCount() - 1 are laid out, drawn and clickable. Setting another
    // count lays the text out again.
    int VisibleCount() const { return visibleCount; }
    void SetVisibleCount(int count);

    // Tab stops at the links among the children shown, then at the hot spots of the pictures
    // shown: with n children shown, a position p from n on names hot spot p - n.
    // The link or hot spot that has the keyboard focus, or none; for a hot spot, what it opens.
    KLUObject* CurrentLink() const;
    // The number of the marked hot spot among HotSpotLinks(), or -1 when none is marked.
    int CurrentSpot() const;
    // Marks no link or hot spot.
    void ClearMark() { current = -1; }
    // Focuses the first link or hot spot at or after position p; past the end asks the owner's
    // FocusButton and otherwise starts again from the first one.
    KLUObject* SelectNextLink(int position);
    // Focuses the first link or hot spot at or before position p (-2: from the last one); before
    // the start asks the owner's FocusButton and otherwise starts again from the last one.
    KLUObject* SelectPrevLink(int position);
    // The focus comes from the window's button: marks the first link (forward) or the last one,
    // scrolls it into view and takes the keyboard focus.
    void EnterLinks(bool forward);
    // Whether Tab stops at the position: a titled sub-hunk (not a picture) or a hot spot.
    bool IsFocusable(int position) const;
    // The focusable children among the visible ones, in order.
    std::vector<KLUObject*> FocusableLinks() const;
    // The hot spots of the pictures shown, in Tab order (document coordinates).
    const std::vector<LinkInfo>& HotSpotLinks() const { return spots; }

    // The owner's hooks. Without a FocusButton the focus wraps round; without a DefaultAction
    // Space opens the current link; without a CloseWindow Esc does nothing.
    void SetFocusButton(FocusButtonFn fn) { focusButton = std::move(fn); }
    void SetDefaultAction(std::function<void()> fn) { defaultAction = std::move(fn); }
    void SetCloseWindow(std::function<void()> fn) { closeWindow = std::move(fn); }

    // Makes both fonts from the records and lays the text out again.
    virtual void CreateFonts(const FontRecord& main_font, const FontRecord& fixed_font);
    // Fonts and link colour from the settings; the default link colour gives way to a readable
    // one on a dark colour scheme.
    void ApplySettings(const Settings& settings);
    void SetTextColor(const QColor& color);
    void SetLinkColor(uint32_t color_ref) { SetLinkColor(ColorFromColorRef(color_ref)); }
    void SetLinkColor(const QColor& color);
    QColor TextColor() const { return textColor; }
    QColor LinkColor() const { return linkColor; }
    const QFont& NormalFont() const { return normalFont; }
    const QFont& FixedFont() const { return fixedFont; }
    const QtTextMeasurer& Measurer() const { return *measurer; }

    // The clickable regions, in document coordinates.
    const std::vector<LinkInfo>& Links() const { return links; }
    // Every link whose region holds the point (viewport coordinates), in list order.
    std::vector<KLUObject*> LinksAt(QPoint point) const;

    virtual void Relayout() = 0;

  protected:
    // Takes the clickable regions and the hot spots of a new layout; a mark past them goes.
    void SetLinks(std::vector<LinkInfo> all_links, std::vector<LinkInfo> hot_spots);
    // Draws or removes the focus rectangles; showing may first scroll the link into view.
    virtual void ShowFocus(bool scroll_into_view);
    virtual void HideFocus();
    // Scrolls vertically by the pixels given, keeping the focus drawn.
    void ScrollVerticallyBy(int pixels);
    void ScrollVerticallyTo(int position);
    QPoint ScrollOffset() const;
    // The vertical page: the whole lines that fit, less one.
    virtual int PageSize() const;

    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;

    bool focusDrawn = false;

  private:
    void OpenCurrentLink();
    KLUObject* SelectFirstOrLastLink(bool first);
    // The children that are shown: VisibleCount(), at most the child count.
    int ShownCount() const;
    // The positions Tab may stop at: the shown children, then the hot spots.
    int StopCount() const;
    void MoveFocus(bool forward);

    ItemsHunk& hunk;
    std::vector<LinkInfo> links;
    std::vector<LinkInfo> spots;  // in Tab order
    int current = -1;              // the marked position, or -1
    int visibleCount = 0;
    QFont normalFont;
    QFont fixedFont;
    std::unique_ptr<QtTextMeasurer> measurer;
    QColor textColor;
    QColor linkColor{Qt::blue};
    uint32_t linkColorRef = kDefaultLinkColorRef;  // the settings' value
    FocusButtonFn focusButton;
    std::function<void()> defaultAction;
    std::function<void()> closeWindow;
};

}  // namespace klu
