#include "window_list_menu.h"

#include <QMdiSubWindow>
#include <QPointer>

#include "document_area.h"
#include "views/hunk_window.h"

namespace klu {

WindowListMenu::WindowListMenu(QMenu& menu, DocumentArea& client) : menu_(menu), client_(client) {}

void WindowListMenu::Refresh() {
    qDeleteAll(items_);
    items_.clear();
    const QList<QMdiSubWindow*> windows = client_.subWindowList();
    if (windows.isEmpty()) return;
    items_.append(menu_.addSeparator());
    int number = 0;
    for (QMdiSubWindow* window : windows) {
        ++number;
        // Window titles may hold "&", which a menu would read as a mnemonic.
        QString title = window->windowTitle();
        title.replace(QLatin1Char('&'), QStringLiteral("&&"));
        const QString text = number < 10 ? QStringLiteral("&%1 %2").arg(number).arg(title)
                                         : QStringLiteral("%1 %2").arg(number).arg(title);
        QAction* item = menu_.addAction(text);
        item->setCheckable(true);
        item->setChecked(window == client_.activeSubWindow());
        QObject::connect(item, &QAction::triggered, &menu_,
                         [this, chosen = QPointer<QMdiSubWindow>(window)] {
                             if (!chosen) return;
                             if (chosen->isMinimized()) chosen->showNormal();
                             client_.setActiveSubWindow(chosen);
                             if (auto* child = qobject_cast<HunkWindow*>(chosen->widget()))
                                 child->RestoreFocus();
                         });
        items_.append(item);
    }
}

}  // namespace klu
