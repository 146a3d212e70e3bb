#include "text_view.h"

#include <QPainter>
#include <QResizeEvent>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <QToolTip>
#include <algorithm>
#include <string>

#include "bitmap_qimage.h"
#include "model/document/items_hunk.h"
#include "model/document/media_hunks.h"
#include "picture_images.h"
#include "text_view_accessible.h"
#include "text_layout_links.h"
#include "wait_cursor.h"
#include "windows1252.h"

namespace klu {

TextView::TextView(QWidget* parent, ItemsHunk& shown)
    : HotSpotArea(parent, shown), lineHeight(Measurer().LineHeight()) {
    InstallTextControlAccessibility();
    // No file yet: the pictures start without images, with empty overlay caches.
    for (PNGObject* picture : Pictures())
        DecodePicture(*picture, std::string());
}

TextView::~TextView() {
    for (PNGObject* picture : Pictures())
        ReleasePicture(*picture);
}

std::vector<PNGObject*> TextView::Pictures() const {
    std::vector<PNGObject*> pictures;
    for (size_t i = 0; i < ShownHunk().GetChildCount(); ++i) {
        if (auto* picture = NodeCast<PNGObject>(ShownHunk().GetChild(i))) pictures.push_back(picture);
    }
    return pictures;
}

void TextView::SetPicturePath(std::string path) {
    picturePath = std::move(path);
    screenImages.clear();
    const std::vector<PNGObject*> pictures = Pictures();
    if (!pictures.empty()) {
        const WaitCursor wait;
        for (PNGObject* picture : pictures)
            DecodePicture(*picture, picturePath);
    }
    Relayout();
}

void TextView::ShowOverlay(OverlayHunk& overlay) {
    auto* picture = NodeCast<PNGObject>(overlay.parent);
    const std::vector<PNGObject*> pictures = Pictures();
    if (std::find(pictures.begin(), pictures.end(), picture) == pictures.end()) return;
    bool changed = false;
    {
        const WaitCursor wait;
        changed = ApplyOverlay(overlay, picturePath);
    }
    if (!changed) return;
    screenImages.erase(picture);
    viewport()->update();
}

bool TextView::IsSingleImage() const {
    return ShownHunk().GetChildCount() == 1 && ShownHunk().GetChild(0)->GetType() == PNGOBJECT;
}

const QImage* TextView::ScreenImage(const PNGObject& picture) {
    const DecodedBitmap* bitmap = ImageOf(picture);
    if (bitmap == nullptr) return nullptr;
    auto shown = screenImages.find(&picture);
    if (shown == screenImages.end())
        shown = screenImages.emplace(&picture, ToQImage(*bitmap)).first;
    return &shown->second;
}

void TextView::SetUniformRows(bool on) {
    uniformRows = on;
    Relayout();
}

LayoutResult TextView::UniformRows(int count, int width) const {
    LayoutResult result;
    if (width <= 0) return result;
    const size_t shown = std::min(static_cast<size_t>(std::max(count, 0)), ShownHunk().GetChildCount());
    const int right = std::max(kLayoutMargin + 1, width - kLayoutMargin);
    result.fragments.reserve(shown);
    for (size_t i = 0; i < shown; ++i) {
        KLUObject* child = ShownHunk().GetChild(i);
        const int top = kLayoutMargin + static_cast<int>(i) * lineHeight;
        const auto length = static_cast<int>(child->GetName().size());
        result.fragments.push_back({kLayoutMargin, top, right, top + lineHeight, 0, length, child});
    }
    result.size = {width, 2 * kLayoutMargin + static_cast<int>(shown) * lineHeight};
    return result;
}

LayoutSize TextView::Layout() {
    const QSize size = viewport()->size();
    if (uniformRows && size.height() > 0) {
        LayoutResult rows = UniformRows(VisibleCount(), size.width());
        fragments = std::move(rows.fragments);
        return rows.size;
    }
    LayoutResult result = klu::Layout(ShownHunk(), VisibleCount(), {size.width(), size.height()},
                                       Measurer(), PictureSizeOf);
    fragments = std::move(result.fragments);
    return result.size;
}

LayoutSize TextView::FullDocumentSize() const {
    const QSize size = viewport()->size();
    const int count = static_cast<int>(ShownHunk().GetChildCount());
    if (uniformRows) {
        // Wide enough for the longest entry at the average character width: a bound that costs
        // no measuring, where a row cut a little short still shows most of its text.
        size_t longest = 0;
        for (size_t i = 0; i < ShownHunk().GetChildCount(); ++i)
            longest = std::max(longest, ShownHunk().GetChild(i)->GetName().size());
        const int width = static_cast<int>(std::min<size_t>(longest, 200)) *
                              Measurer().AverageCharWidth(TextFont::Normal) +
                          2 * kLayoutMargin + kLayoutRightReserve;
        return {width, UniformRows(count, width).size.height};
    }
    return klu::Layout(ShownHunk(), count, {size.width(), size.height()}, Measurer(), PictureSizeOf)
        .size;
}

void TextView::Relayout() {
    lineHeight = Measurer().LineHeight();
    documentSize = Layout();
    SetLinks(LinksOf(fragments), HotSpotsOf(fragments));
    const QSize control = viewport()->size();
    const LayoutSize ranges = ScrollRanges(documentSize, {control.width(), control.height()});
    horizontalScrollBar()->setRange(0, ranges.width);
    verticalScrollBar()->setRange(0, ranges.height);
    horizontalScrollBar()->setPageStep(std::max(1, control.width()));
    verticalScrollBar()->setPageStep(std::max(1, PageSize()));
    focusDrawn = false;
    viewport()->update();
}

int TextView::PageSize() const {
    const int height = viewport()->height();
    if (lineHeight <= 0) return height;
    return height - height % lineHeight - lineHeight;
}

std::vector<QRect> TextView::FragmentRects(const KLUObject* object) const {
    const QPoint offset = ScrollOffset();
    std::vector<QRect> rects;
    for (const WrapInfo& f : fragments) {
        if (f.object != object) continue;
        rects.push_back(QRect(QPoint(f.left, f.top) - offset,
                              QPoint(f.right, f.bottom) - offset - QPoint(1, 1)));
    }
    return rects;
}

std::vector<TextView::ShownHotSpot> TextView::HotSpots() const {
    const QPoint offset = ScrollOffset();
    std::vector<ShownHotSpot> shown;
    for (const LinkInfo& spot : HotSpotLinks()) {
        shown.push_back(
            {spot.target, QRect(QPoint(spot.left, spot.top) - offset,
                                QPoint(spot.right, spot.bottom) - offset - QPoint(1, 1))});
    }
    return shown;
}

void TextView::ShowFocus(bool scroll_into_view) {
    if (scroll_into_view && CurrentLink() != nullptr) {
        const int spot = CurrentSpot();
        QRect marked;  // document coordinates
        if (spot >= 0) {
            const LinkInfo& r = HotSpotLinks()[static_cast<size_t>(spot)];
            marked = QRect(QPoint(r.left, r.top), QPoint(r.right, r.bottom));
        } else {
            for (const WrapInfo& f : fragments) {
                if (f.object == CurrentLink())
                    marked |= QRect(QPoint(f.left, f.top), QPoint(f.right, f.bottom));
            }
        }
        ScrollIntoView(marked);
    }
    viewport()->update();
}

// Only a picture makes the text wider than the window, so only a hot spot needs the horizontal
// scrolling.
void TextView::ScrollIntoView(const QRect& marked) {
    if (marked.isNull()) return;
    QScrollBar* bars[] = {horizontalScrollBar(), verticalScrollBar()};
    const int starts[] = {marked.left(), marked.top()};
    const int ends[] = {marked.right(), marked.bottom()};
    const int sizes[] = {viewport()->width(), viewport()->height()};
    for (int axis = 0; axis < 2; ++axis) {
        QScrollBar* bar = bars[axis];
        if (starts[axis] < bar->value()) bar->setValue(starts[axis]);
        if (bar->value() + sizes[axis] < ends[axis]) bar->setValue(ends[axis] - sizes[axis]);
    }
}

void TextView::HideFocus() {
    if (focusDrawn) viewport()->update();
    focusDrawn = false;
}

void TextView::resizeEvent(QResizeEvent* event) {
    HotSpotArea::resizeEvent(event);
    Relayout();
}

bool TextView::viewportEvent(QEvent* event) {
    if (event->type() != QEvent::ToolTip || !toolTip)
        return HotSpotArea::viewportEvent(event);
    const auto* help = static_cast<QHelpEvent*>(event);
    const std::vector<KLUObject*> targets = LinksAt(help->pos());
    const QString text = targets.empty() ? QString() : toolTip(*targets.front());
    if (text.isEmpty()) {
        QToolTip::hideText();
        event->ignore();
    } else {
        QToolTip::showText(help->globalPos(), text, viewport());
    }
    return true;
}

void TextView::paintEvent(QPaintEvent* event) {
    QPainter painter(viewport());
    const QPoint offset = ScrollOffset();
    // Only the fragments in the part to paint are drawn, in document coordinates.
    const QRect exposed = event->rect().translated(offset);
    painter.translate(-offset);
    const QPen rule_pen(palette().color(QPalette::WindowText));
    const int width = viewport()->width();
    FragmentText texts;
    for (const WrapInfo& f : fragments) {
        if (f.bottom <= exposed.top() || f.top > exposed.bottom()) continue;
        KLUObject* object = f.object;
        if (SeparatesHints(*object)) {
            const SeparatorLine rule = SeparatorLineOf(f, width, lineHeight);
            painter.setPen(rule_pen);
            painter.drawLine(rule.x1, rule.y, rule.x2, rule.y);
            continue;
        }
        if (object->GetType() == PNGOBJECT) {
            // A picture without an image draws nothing; its hot spots are links all the same.
            const auto* picture = NodeCast<PNGObject>(object);
            if (const QImage* image = picture ? ScreenImage(*picture) : nullptr)
                painter.drawImage(QPoint(f.left, f.top), *image);
            continue;
        }
        const QColor color = ShowsAsLink(*object) ? LinkColor() : TextColor();
        const TextFont font = object->altFont ? TextFont::Fixed : TextFont::Normal;
        painter.setFont(object->altFont ? FixedFont() : NormalFont());
        painter.setPen(color);
        QString text = FromWindows1252(texts.Of(f));
        if (uniformRows)
            text = painter.fontMetrics().elidedText(text, Qt::ElideRight, f.right - f.left);
        painter.drawText(QPoint(f.left, f.top + Measurer().Ascent(font)), text);
    }
    if (hasFocus()) PaintFocus(painter);
}

void TextView::PaintFocus(QPainter& painter) {
    if (const int spot = CurrentSpot(); spot >= 0) {
        // A picture may hold any colour, so the frame is solid: two pixels inside the spot's edge.
        const LinkInfo& r = HotSpotLinks()[static_cast<size_t>(spot)];
        const QRect area(QPoint(r.left, r.top), QPoint(r.right - 1, r.bottom - 1));
        const QColor colour = palette().color(QPalette::Highlight);
        const int w = std::min({kSpotFrameWidth, area.width(), area.height()});
        if (w <= 0) return;  // a region with no inside has nothing to frame
        painter.fillRect(QRect(area.left(), area.top(), area.width(), w), colour);
        painter.fillRect(QRect(area.left(), area.bottom() - w + 1, area.width(), w), colour);
        painter.fillRect(QRect(area.left(), area.top(), w, area.height()), colour);
        painter.fillRect(QRect(area.right() - w + 1, area.top(), w, area.height()), colour);
        focusDrawn = true;
        return;
    }
    if (CurrentLink() == nullptr) {
        // No link marked: a dotted frame round the text shows where the keys go.
        painter.save();
        painter.resetTransform();
        painter.setPen(QPen(palette().color(QPalette::Highlight), 1, Qt::DotLine));
        painter.drawRect(viewport()->rect().adjusted(1, 1, -2, -2));
        painter.restore();
        focusDrawn = true;
        return;
    }
    for (const WrapInfo& f : fragments) {
        if (f.object != CurrentLink()) continue;
        QStyleOptionFocusRect option;
        option.initFrom(this);
        // Styles draw focus only after keyboard use; the focused link is always marked.
        option.state |= QStyle::State_KeyboardFocusChange | QStyle::State_HasFocus;
        option.rect = QRect(QPoint(f.left, f.top), QPoint(f.right - 1, f.bottom - 1));
        option.backgroundColor = viewport()->palette().color(QPalette::Base);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
        focusDrawn = true;
    }
}

}  // namespace klu
