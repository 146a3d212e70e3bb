#include "text_view_accessible.h"

#include <algorithm>

#include "model/document/items_hunk.h"
#include "text_view.h"
#include "windows1252.h"

namespace klu {
namespace {

// One link of a text view, or hot spot of one of its pictures: the title of what it leads to as
// name, a press that opens it.
class LinkAccessible : public QAccessibleInterface, public QAccessibleActionInterface {
  public:
    // spot: the number of the hot spot among the view's hot spots, or -1 for a link of the text.
    LinkAccessible(TextView* owner, KLUObject* link, int spot)
        : control(owner), target(link), spotNumber(spot) {}

    bool IsShown() const {
        if (control.isNull()) return false;
        if (spotNumber >= 0) {
            const auto spots = control->HotSpots();
            return spotNumber < static_cast<int>(spots.size()) &&
                   spots[static_cast<size_t>(spotNumber)].target == target;
        }
        const std::vector<KLUObject*> links = control->FocusableLinks();
        return std::find(links.begin(), links.end(), target) != links.end();
    }

    bool isValid() const override { return !control.isNull(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override {
        QAccessibleInterface* p = parent();
        return p != nullptr ? p->window() : nullptr;
    }
    QAccessibleInterface* parent() const override {
        return control.isNull() ? nullptr : QAccessible::queryAccessibleInterface(control.data());
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessible::Role role() const override { return QAccessible::Link; }

    QString text(QAccessible::Text kind) const override {
        if (kind != QAccessible::Name || !IsShown()) return {};
        return FromWindows1252(target->GetName());
    }
    void setText(QAccessible::Text, const QString&) override {}

    QRect rect() const override {
        if (!IsShown()) return {};
        QRect all;
        if (spotNumber >= 0) {
            all = control->HotSpots()[static_cast<size_t>(spotNumber)].rect;
        } else {
            for (const QRect& r : control->FragmentRects(target))
                all = all.united(r);
        }
        return all.translated(control->viewport()->mapToGlobal(QPoint(0, 0)));
    }

    QAccessible::State state() const override {
        QAccessible::State s;
        s.focusable = true;
        s.linked = true;
        s.invisible = !IsShown();
        s.focused = !control.isNull() && control->hasFocus() &&
                    control->CurrentSpot() == spotNumber &&
                    (spotNumber >= 0 || control->CurrentLink() == target);
        return s;
    }

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::ActionInterface) {
            return static_cast<QAccessibleActionInterface*>(this);
        }
        return nullptr;
    }

    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& name) override {
        // The link is opened only while it is still one of the view's links.
        if (name == pressAction() && IsShown()) target->Open();
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

  private:
    QPointer<TextView> control;
    KLUObject* target;
    int spotNumber;
};

QAccessibleInterface* TextControlFactory(const QString&, QObject* object) {
    if (auto* control = qobject_cast<TextView*>(object)) {
        return new TextViewAccessible(control);
    }
    return nullptr;
}

}  // namespace

std::string AccessibleTextOf(const ItemsHunk& hunk, int visible_count) {
    const size_t count =
        std::min(static_cast<size_t>(std::max(visible_count, 0)), hunk.GetChildCount());
    std::string text;
    const KLUObject* previous = nullptr;
    for (size_t i = 0; i < count; ++i) {
        const KLUObject* child = hunk.GetChild(i);
        if (child->GetType() == PNGOBJECT) continue;  // a picture has no text of its own
        if (previous != nullptr) {
            if (previous->hardBreak || SeparatesHints(*previous) || SeparatesHints(*child)) {
                text += '\n';
            } else if (previous->endsSourceLine) {
                text += ' ';
            }
        }
        if (!SeparatesHints(*child)) text += child->GetName();
        previous = child;
    }
    return text;
}

void InstallTextControlAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(TextControlFactory);
        return true;
    }();
    (void)installed;
}

TextViewAccessible::TextViewAccessible(TextView* control)
    : QAccessibleWidget(control, QAccessible::Document) {}

TextViewAccessible::~TextViewAccessible() {
    for (const auto& entry : linkIds)
        QAccessible::deleteAccessibleInterface(entry.second);
}

TextView* TextViewAccessible::Control() const {
    return static_cast<TextView*>(widget());
}

void* TextViewAccessible::interface_cast(QAccessible::InterfaceType type) {
    if (type == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
}

QString TextViewAccessible::AllText() const {
    return FromWindows1252(AccessibleTextOf(Control()->ShownHunk(), Control()->VisibleCount()));
}

QString TextViewAccessible::text(QAccessible::Text kind) const {
    if (kind == QAccessible::Name) {
        const QString name = QAccessibleWidget::text(kind);
        return name.isEmpty() ? FromWindows1252(Control()->ShownHunk().GetName()) : name;
    }
    if (kind == QAccessible::Value) return AllText();
    return QAccessibleWidget::text(kind);
}

int TextViewAccessible::childCount() const {
    return static_cast<int>(Control()->FocusableLinks().size() + Control()->HotSpots().size());
}

QAccessibleInterface* TextViewAccessible::child(int index) const {
    const std::vector<KLUObject*> links = Control()->FocusableLinks();
    const auto spots = Control()->HotSpots();
    const int link_count = static_cast<int>(links.size());
    if (index < 0 || index >= link_count + static_cast<int>(spots.size())) return nullptr;
    const int spot = index < link_count ? -1 : index - link_count;
    KLUObject* target =
        spot < 0 ? links[static_cast<size_t>(index)] : spots[static_cast<size_t>(spot)].target;
    const auto key = std::make_pair(static_cast<const KLUObject*>(target), spot);
    const auto found = linkIds.find(key);
    if (found != linkIds.end()) return QAccessible::accessibleInterface(found->second);
    QAccessibleInterface* made = new LinkAccessible(Control(), target, spot);
    linkIds[key] = QAccessible::registerAccessibleInterface(made);
    return made;
}

int TextViewAccessible::indexOfChild(const QAccessibleInterface* child_interface) const {
    for (int i = 0; i < childCount(); ++i) {
        if (child(i) == child_interface) return i;
    }
    return -1;
}

QAccessibleInterface* TextViewAccessible::childAt(int x, int y) const {
    const QPoint local = Control()->viewport()->mapFromGlobal(QPoint(x, y));
    const std::vector<KLUObject*> links = Control()->FocusableLinks();
    for (size_t i = 0; i < links.size(); ++i) {
        for (const QRect& r : Control()->FragmentRects(links[i])) {
            if (r.contains(local)) return child(static_cast<int>(i));
        }
    }
    const auto spots = Control()->HotSpots();
    for (size_t i = 0; i < spots.size(); ++i) {
        if (spots[i].rect.contains(local)) return child(static_cast<int>(links.size() + i));
    }
    return nullptr;
}

void TextViewAccessible::selection(int, int* start, int* end) const {
    *start = 0;
    *end = 0;
}

QString TextViewAccessible::text(int start, int end) const {
    const QString all = AllText();
    start = std::clamp(start, 0, static_cast<int>(all.size()));
    end = std::clamp(end, start, static_cast<int>(all.size()));
    return all.mid(start, end - start);
}

int TextViewAccessible::characterCount() const {
    return static_cast<int>(AllText().size());
}

QRect TextViewAccessible::characterRect(int) const {
    return {};
}

int TextViewAccessible::offsetAtPoint(const QPoint&) const {
    return -1;
}

QString TextViewAccessible::attributes(int offset, int* start, int* end) const {
    *start = offset;
    *end = offset;
    return {};
}

}  // namespace klu
