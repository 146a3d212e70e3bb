#include "user_dialogs.h"

#include <QCursor>
#include <QGuiApplication>
#include <vector>

namespace klu {

namespace {

// Takes every override cursor off the stack while it lives and puts them back in order.
class OverrideCursorsAway {
  public:
    OverrideCursorsAway() {
        while (const QCursor* cursor = QGuiApplication::overrideCursor()) {
            away_.push_back(*cursor);
            QGuiApplication::restoreOverrideCursor();
        }
    }
    ~OverrideCursorsAway() {
        for (auto cursor = away_.rbegin(); cursor != away_.rend(); ++cursor)
            QGuiApplication::setOverrideCursor(*cursor);
    }
    OverrideCursorsAway(const OverrideCursorsAway&) = delete;
    OverrideCursorsAway& operator=(const OverrideCursorsAway&) = delete;

  private:
    std::vector<QCursor> away_;
};

}  // namespace

MessageAnswer UserDialogs::ShowMessage(const std::string& text, const std::string& title,
                                       MessageIcon icon, MessageButtons buttons) {
    const OverrideCursorsAway away;
    return ShowMessageBox(text, title, icon, buttons);
}

}  // namespace klu
