#include "qt_user_dialogs.h"

#include <QFileDialog>
#include <QMessageBox>

#include "about_dialog.h"

namespace klu {

namespace {

QMessageBox::Icon ToQtIcon(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::Information:
            return QMessageBox::Information;
        case MessageIcon::Warning:
            return QMessageBox::Warning;
        case MessageIcon::Stop:
            return QMessageBox::Critical;
        case MessageIcon::Question:
            return QMessageBox::Question;
        case MessageIcon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons ToQtButtons(MessageButtons buttons) {
    switch (buttons) {
        case MessageButtons::OkCancel:
            return QMessageBox::Ok | QMessageBox::Cancel;
        case MessageButtons::YesNo:
            return QMessageBox::Yes | QMessageBox::No;
        case MessageButtons::OkHelp:
            return QMessageBox::Ok | QMessageBox::Help;
        case MessageButtons::Ok:
            break;
    }
    return QMessageBox::Ok;
}

MessageAnswer FromQtButton(int button) {
    switch (button) {
        case QMessageBox::Cancel:
            return MessageAnswer::Cancel;
        case QMessageBox::Yes:
            return MessageAnswer::Yes;
        case QMessageBox::No:
            return MessageAnswer::No;
        case QMessageBox::Help:
            return MessageAnswer::Help;
        default:
            return MessageAnswer::Ok;
    }
}

}  // namespace

MessageAnswer QtUserDialogs::ShowMessage(const std::string& text, const std::string& title,
                                         MessageIcon icon, MessageButtons buttons) {
    QMessageBox box(ToQtIcon(icon), QString::fromStdString(title), QString::fromStdString(text),
                    ToQtButtons(buttons), owner_);
    return FromQtButton(box.exec());
}

std::optional<std::string> QtUserDialogs::AskOpenFile(const std::string& title,
                                                      const std::string& folder,
                                                      const std::string& filter) {
    const QString path = QFileDialog::getOpenFileName(
        owner_, QString::fromStdString(title), QString::fromStdString(folder),
        QString::fromStdString(filter), nullptr, QFileDialog::HideNameFilterDetails);
    if (path.isEmpty()) return std::nullopt;
    return path.toStdString();
}

void QtUserDialogs::ShowAbout() {
    AboutDialog dialog(owner_);
    dialog.exec();
}

}  // namespace klu
