#pragma once

#include <QAbstractScrollArea>
#include <QColor>
#include <QFont>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "model/settings.h"
#include "qt_text_measurer.h"
#include "readable_colors.h"
#include "text_layout.h"

namespace klu {

class TItemsHunk;
class TKLUObject;

// The clickable part of a text view: the links of the laid-out text, the keyboard focus that
// moves from link to link, the two fonts, the mouse and the scrolling keys. TStringControl lays
// the text out and paints it.
class THotSpotControl : public QAbstractScrollArea {
    Q_OBJECT

  public:
    // Asked when Tab runs past the last link (forward) or Shift+Tab before the first one: true
    // when the owner moved the focus to its button.
    using FocusButtonFn = std::function<bool(bool forward)>;

    THotSpotControl(QWidget* parent, TItemsHunk& hunk);
    ~THotSpotControl() override;

    TItemsHunk& Hunk() const { return hunk; }

    // Only children 0 to VisibleCount() - 1 are laid out, drawn and clickable. Setting another
    // count lays the text out again.
    int VisibleCount() const { return visibleCount; }
    void SetVisibleCount(int count);

    // The link that has the keyboard focus, or none.
    TKLUObject* CurrentLink() const { return currentLink; }
    // Focuses the first link at or after position p among the visible children; past the end
    // asks the owner's FocusButton and otherwise starts again from the first link.
    TKLUObject* SelectNextLink(int position);
    // Focuses the first link at or before position p (-2: from the last visible child); before
    // the start asks the owner's FocusButton and otherwise starts again from the last link.
    TKLUObject* SelectPrevLink(int position);
    // The focus comes from the window's button: marks the first link (forward) or the last one,
    // scrolls it into view and takes the keyboard focus.
    void EnterLinks(bool forward);
    // Whether the child at the position can take the focus: a titled sub-hunk, not a picture.
    bool IsFocusable(int position) const;
    // The focusable children among the visible ones, in order.
    std::vector<TKLUObject*> FocusableLinks() const;

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
    const std::vector<TLinkInfo>& Links() const { return links; }
    // Every link whose region holds the point (viewport coordinates), in list order.
    std::vector<TKLUObject*> LinksAt(QPoint point) const;

    virtual void Relayout() = 0;

  protected:
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

    std::vector<TLinkInfo> links;
    bool focusDrawn = false;

  private:
    void OpenCurrentLink();
    TKLUObject* SelectFirstOrLastLink(bool first);
    int PositionOf(const TKLUObject* object) const;
    // The children that are shown: VisibleCount(), at most the child count.
    int ShownCount() const;
    void MoveFocus(bool forward);

    TItemsHunk& hunk;
    TKLUObject* currentLink = nullptr;
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
