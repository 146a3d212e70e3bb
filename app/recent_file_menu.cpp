#include "recent_file_menu.h"

#include "command_ids.h"
#include "menu_builder.h"

namespace klu {

RecentFileMenu::RecentFileMenu(QMenu& menu, QAction& exit_item, const RecentFiles& files,
                               std::function<void(int)> chosen)
    : menu_(menu), exitItem_(exit_item), files_(files), chosen_(std::move(chosen)) {}

void RecentFileMenu::Refresh() {
    for (QAction* action : menu_.actions()) {
        const int id = CommandIdOf(*action);
        if (id >= CM_RECENT_FIRST && id < CM_RECENT_END) {
            menu_.removeAction(action);
            delete action;
        }
    }
    const std::vector<RecentFile> shown = files_.Shown();
    if (shown.empty() && separator_) {
        menu_.removeAction(separator_);
        delete separator_;
        separator_ = nullptr;
    }
    QAction* before = separator_ ? separator_ : &exitItem_;
    for (const RecentFile& file : shown) {
        auto* action = new QAction(
            QString::fromStdString(RecentFiles::MenuText(file.index, file.path)), &menu_);
        action->setData(CM_RECENT_FIRST + file.index);
        QObject::connect(action, &QAction::triggered, &menu_,
                         [this, index = file.index] { chosen_(index); });
        menu_.insertAction(before, action);
        if (!separator_) {
            separator_ = new QAction(&menu_);
            separator_->setSeparator(true);
            menu_.insertAction(&exitItem_, separator_);
            before = separator_;
        }
    }
}

}  // namespace klu
