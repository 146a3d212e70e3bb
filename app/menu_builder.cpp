#include "menu_builder.h"

#include <QKeySequence>

#include "menu_table.h"

namespace klu {

namespace {

// The text of a control-bar tip: the menu text without its accelerator marks and shortcut.
QString TipText(const std::string& menu_text) {
    QString text = QString::fromStdString(menu_text.substr(0, menu_text.find('\t')));
    text.remove(QLatin1Char('&'));
    if (text.endsWith(QStringLiteral("..."))) text.chop(3);
    return text;
}

}  // namespace

BuiltMenu BuildKluMenu(QMenuBar& bar) {
    BuiltMenu built;
    for (const MenuPopup& popup : KluMenu()) {
        QMenu* menu = bar.addMenu(QString::fromStdString(popup.title));
        built.popups.push_back(menu);
        for (const MenuItem& item : popup.items) {
            if (item.IsSeparator()) {
                menu->addSeparator();
                continue;
            }
            // The text keeps its "\t" part, so the menu shows the shortcut as written there.
            QAction* action = menu->addAction(QString::fromStdString(item.text));
            action->setData(item.id);
            action->setStatusTip(QString::fromStdString(item.hint));
            action->setToolTip(TipText(item.text));
            if (!item.accelerator.empty())
                action->setShortcut(QKeySequence(QString::fromStdString(item.accelerator)));
            built.actions[item.id] = action;
        }
    }
    return built;
}

int CommandIdOf(const QAction& action) {
    bool ok = false;
    const int id = action.data().toInt(&ok);
    return ok ? id : 0;
}

}  // namespace klu
