#pragma once

#include <QPointer>
#include <QWidget>

#include "user_dialogs.h"

namespace klu {

// The dialogs as the user sees them, owned by the frame once it exists.
class QtUserDialogs : public UserDialogs {
  public:
    void SetOwner(QWidget* owner) { owner_ = owner; }

    MessageAnswer ShowMessage(const std::string& text, const std::string& title, MessageIcon icon,
                              MessageButtons buttons) override;
    std::optional<std::string> AskOpenFile(const std::string& title, const std::string& folder,
                                           const std::string& filter) override;
    void ShowAbout() override;

  private:
    QPointer<QWidget> owner_;
};

}  // namespace klu
