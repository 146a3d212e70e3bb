#pragma once

#include <QAccessibleWidget>
#include <QPointer>
#include <map>
#include <string>
#include <utility>

namespace klu {

class ItemsHunk;
class KLUObject;
class TextView;

// What a screen reader reads of a text view: the visible children's text in order, a line
// break after a child that ends its line, a blank where source lines join.
std::string AccessibleTextOf(const ItemsHunk& hunk, int visible_count);

// Makes every TextView accessible through TextViewAccessible; safe to call often.
void InstallTextControlAccessibility();

// The text view as a read-only document whose children are its visible links, then the hot spots
// of its pictures (links too), in the order Tab visits them.
class TextViewAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
  public:
    explicit TextViewAccessible(TextView* control);
    ~TextViewAccessible() override;

    void* interface_cast(QAccessible::InterfaceType type) override;
    QString text(QAccessible::Text kind) const override;
    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;

    // The text interface, read only.
    void selection(int index, int* start, int* end) const override;
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    QString text(int start, int end) const override;
    int characterCount() const override;
    QRect characterRect(int offset) const override;
    int offsetAtPoint(const QPoint& point) const override;
    void scrollToSubstring(int, int) override {}
    QString attributes(int offset, int* start, int* end) const override;

  private:
    TextView* Control() const;
    QString AllText() const;

    // The accessible objects made for links so far, by link and hot spot number (-1 for a link
    // of the text); they live as long as this one.
    mutable std::map<std::pair<const KLUObject*, int>, QAccessible::Id> linkIds;
};

}  // namespace klu
