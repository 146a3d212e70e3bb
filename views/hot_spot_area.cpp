#include "hot_spot_area.h"

#include <QFocusEvent>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <algorithm>

#include "model/document/items_hunk.h"
#include "readable_colors.h"

namespace klu {
namespace {

// Up and Down scroll by this many pixels, not by a line.
constexpr int kArrowScroll = 10;

bool IsTab(const QKeyEvent& key) {
    if (key.modifiers() & (Qt::ControlModifier | Qt::AltModifier)) return false;
    return key.key() == Qt::Key_Tab || key.key() == Qt::Key_Backtab;
}

}  // namespace

HotSpotArea::HotSpotArea(QWidget* parent, ItemsHunk& shown)
    : QAbstractScrollArea(parent),
      hunk(shown),
      visibleCount(static_cast<int>(shown.GetChildCount())),
      normalFont(font()),
      fixedFont(QFontDatabase::systemFont(QFontDatabase::FixedFont)),
      measurer(std::make_unique<QtTextMeasurer>(normalFont, fixedFont)),
      textColor(palette().color(QPalette::Text)) {
    setFocusPolicy(Qt::StrongFocus);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    viewport()->setMouseTracking(true);
    viewport()->setBackgroundRole(QPalette::Base);
    viewport()->setAutoFillBackground(true);
    horizontalScrollBar()->setSingleStep(measurer->AverageCharWidth(TextFont::Normal));
    verticalScrollBar()->setSingleStep(measurer->LineHeight());
}

HotSpotArea::~HotSpotArea() = default;

int HotSpotArea::ShownCount() const {
    return std::clamp(visibleCount, 0, static_cast<int>(hunk.GetChildCount()));
}

int HotSpotArea::StopCount() const {
    return ShownCount() + static_cast<int>(spots.size());
}

void HotSpotArea::SetVisibleCount(int count) {
    if (count == visibleCount) return;
    const int spot = CurrentSpot();
    visibleCount = count;
    if (spot < 0 && current >= ShownCount()) current = -1;  // the marked link is hidden now
    Relayout();
    // The hot spots follow the children, so a marked one moves with their count.
    if (spot >= 0) current = spot < static_cast<int>(spots.size()) ? ShownCount() + spot : -1;
}

void HotSpotArea::SetLinks(std::vector<LinkInfo> all_links, std::vector<LinkInfo> hot_spots) {
    links = std::move(all_links);
    spots = std::move(hot_spots);
    if (current >= StopCount()) current = -1;
}

KLUObject* HotSpotArea::CurrentLink() const {
    if (current < 0) return nullptr;
    if (current < ShownCount()) return hunk.GetChild(static_cast<size_t>(current));
    const int spot = CurrentSpot();
    return spot < 0 ? nullptr : spots[static_cast<size_t>(spot)].target;
}

int HotSpotArea::CurrentSpot() const {
    const int spot = current - ShownCount();
    return current >= 0 && spot >= 0 && spot < static_cast<int>(spots.size()) ? spot : -1;
}

bool HotSpotArea::IsFocusable(int position) const {
    if (position < 0 || position >= StopCount()) return false;
    if (position >= ShownCount()) return true;  // a hot spot
    const KLUObject* child = hunk.GetChild(static_cast<size_t>(position));
    return ShowsAsLink(*child) && child->GetType() != PNGOBJECT && !child->GetName().empty();
}

std::vector<KLUObject*> HotSpotArea::FocusableLinks() const {
    std::vector<KLUObject*> result;
    for (int i = 0; i < ShownCount(); ++i) {
        if (IsFocusable(i)) result.push_back(hunk.GetChild(static_cast<size_t>(i)));
    }
    return result;
}

KLUObject* HotSpotArea::SelectNextLink(int position) {
    current = -1;
    for (int i = std::max(position, 0); i < StopCount(); ++i) {
        if (IsFocusable(i)) {
            current = i;
            return CurrentLink();
        }
    }
    if (position != 0) {
        if (focusButton && focusButton(true)) return CurrentLink();
        return SelectNextLink(0);
    }
    return nullptr;
}

KLUObject* HotSpotArea::SelectPrevLink(int position) {
    const int last = StopCount() - 1;
    if (position == -2) position = last;
    current = -1;
    for (int i = std::min(position, last); i >= 0; --i) {
        if (IsFocusable(i)) {
            current = i;
            return CurrentLink();
        }
    }
    if (position != last) {
        if (focusButton && focusButton(false)) return CurrentLink();
        return SelectPrevLink(last);
    }
    return nullptr;
}

void HotSpotArea::CreateFonts(const FontRecord& main_font, const FontRecord& fixed_font) {
    normalFont = ScreenFontOf(main_font);
    fixedFont = fixed_font.face.empty() ? QFontDatabase::systemFont(QFontDatabase::FixedFont)
                                        : ScreenFontOf(fixed_font);
    if (fixed_font.pointSize > 0) fixedFont.setPointSize(fixed_font.pointSize);
    measurer = std::make_unique<QtTextMeasurer>(normalFont, fixedFont);
    verticalScrollBar()->setSingleStep(measurer->LineHeight());
    horizontalScrollBar()->setSingleStep(measurer->AverageCharWidth(TextFont::Normal));
    Relayout();
}

void HotSpotArea::ApplySettings(const Settings& settings) {
    linkColorRef = settings.linkColor;
    linkColor = ReadableLinkColor(linkColorRef, palette());
    CreateFonts(settings.mainFont, settings.fixedFont);
}

// A new colour scheme: the text takes the palette's colours again.
void HotSpotArea::changeEvent(QEvent* event) {
    QAbstractScrollArea::changeEvent(event);
    if (event->type() != QEvent::PaletteChange) return;
    textColor = palette().color(QPalette::Text);
    linkColor = ReadableLinkColor(linkColorRef, palette());
    viewport()->update();
}

void HotSpotArea::SetTextColor(const QColor& color) {
    textColor = color;
    viewport()->update();
}

void HotSpotArea::SetLinkColor(const QColor& color) {
    linkColor = color;
    viewport()->update();
}

std::vector<KLUObject*> HotSpotArea::LinksAt(QPoint point) const {
    const QPoint p = point + ScrollOffset();
    std::vector<KLUObject*> hits;
    for (const LinkInfo& link : links) {
        if (link.left <= p.x() && p.x() < link.right && link.top <= p.y() && p.y() < link.bottom) {
            hits.push_back(link.target);
        }
    }
    return hits;
}

void HotSpotArea::ShowFocus(bool) {}

void HotSpotArea::HideFocus() {}

QPoint HotSpotArea::ScrollOffset() const {
    return {horizontalScrollBar()->value(), verticalScrollBar()->value()};
}

int HotSpotArea::PageSize() const {
    return verticalScrollBar()->pageStep();
}

void HotSpotArea::ScrollVerticallyTo(int position) {
    HideFocus();
    verticalScrollBar()->setValue(position);  // the scroll bar keeps it within its range
    ShowFocus(false);
}

void HotSpotArea::ScrollVerticallyBy(int pixels) {
    ScrollVerticallyTo(verticalScrollBar()->value() + pixels);
}

void HotSpotArea::OpenCurrentLink() {
    if (KLUObject* target = CurrentLink()) target->Open();
}

KLUObject* HotSpotArea::SelectFirstOrLastLink(bool first) {
    return first ? SelectNextLink(0) : SelectPrevLink(-2);
}

void HotSpotArea::EnterLinks(bool forward) {
    HideFocus();
    SelectFirstOrLastLink(forward);
    setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    ShowFocus(true);
}

void HotSpotArea::MoveFocus(bool forward) {
    const int k = current;
    HideFocus();
    if (k < 0) {
        // No link marked: Tab starts at the first link and Shift+Tab at the last, as from the
        // window's button; a text without links hands the focus back to the button.
        if (SelectFirstOrLastLink(forward) == nullptr && focusButton) focusButton(forward);
    } else if (forward) {
        SelectNextLink(k + 1);
    } else {
        SelectPrevLink(k - 1);
    }
    ShowFocus(true);
}

bool HotSpotArea::event(QEvent* e) {
    // Tab moves between links here instead of to the next widget.
    if (e->type() == QEvent::KeyPress && IsTab(*static_cast<QKeyEvent*>(e))) {
        keyPressEvent(static_cast<QKeyEvent*>(e));
        return true;
    }
    return QAbstractScrollArea::event(e);
}

void HotSpotArea::keyPressEvent(QKeyEvent* key) {
    switch (key->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            OpenCurrentLink();
            break;
        case Qt::Key_Tab:
            MoveFocus(!(key->modifiers() & Qt::ShiftModifier));
            break;
        case Qt::Key_Backtab:
            MoveFocus(false);
            break;
        case Qt::Key_PageUp:
            ScrollVerticallyBy(-PageSize());
            break;
        case Qt::Key_PageDown:
            ScrollVerticallyBy(PageSize());
            break;
        case Qt::Key_Home:
            ScrollVerticallyTo(0);
            break;
        case Qt::Key_End:
            ScrollVerticallyTo(verticalScrollBar()->maximum());
            break;
        case Qt::Key_Up:
            ScrollVerticallyBy(-kArrowScroll);
            break;
        case Qt::Key_Down:
            ScrollVerticallyBy(kArrowScroll);
            break;
        case Qt::Key_Escape:
            if (closeWindow) closeWindow();
            break;
        case Qt::Key_Space:
            // A marked hot spot opens as a button would; otherwise Space is the window's key.
            if (defaultAction && CurrentSpot() < 0) {
                defaultAction();
            } else {
                OpenCurrentLink();
            }
            break;
        default:
            // Left and Right do nothing here; the rest goes on to the window and its shortcuts.
            key->ignore();
            return;
    }
    key->accept();
}

void HotSpotArea::mouseMoveEvent(QMouseEvent* mouse) {
    const bool over_link = !LinksAt(mouse->position().toPoint()).empty();
    viewport()->setCursor(over_link ? Qt::PointingHandCursor : Qt::ArrowCursor);
    QAbstractScrollArea::mouseMoveEvent(mouse);
}

void HotSpotArea::mousePressEvent(QMouseEvent* mouse) {
    if (mouse->button() != Qt::LeftButton) {
        QAbstractScrollArea::mousePressEvent(mouse);
        return;
    }
    mouse->accept();
    // Where regions overlap every one opens. Opening may close this control's window, so the
    // targets are collected first.
    for (KLUObject* target : LinksAt(mouse->position().toPoint()))
        target->Open();
}

void HotSpotArea::mouseReleaseEvent(QMouseEvent* mouse) {
    // The press did the work of a left click.
    if (mouse->button() == Qt::LeftButton) {
        mouse->accept();
        return;
    }
    QAbstractScrollArea::mouseReleaseEvent(mouse);
}

void HotSpotArea::focusInEvent(QFocusEvent* e) {
    QAbstractScrollArea::focusInEvent(e);
    focusDrawn = false;
    viewport()->update();
}

void HotSpotArea::focusOutEvent(QFocusEvent* e) {
    HideFocus();
    QAbstractScrollArea::focusOutEvent(e);
}

}  // namespace klu
