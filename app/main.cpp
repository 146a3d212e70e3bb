#include <QApplication>
#include <memory>
#include <string>
#include <vector>

#include "command_line.h"
#include "klu_app.h"
#include "qt_user_dialogs.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QString::fromLatin1(klu::kApplicationName));

    const std::vector<std::string> arguments(argv, argv + argc);
    auto dialogs = std::make_unique<klu::QtUserDialogs>();
    klu::QtUserDialogs& qtDialogs = *dialogs;
    klu::TKLUApp app(klu::ProgramFolderOf(QApplication::applicationFilePath().toStdString()),
                     klu::CommandArgumentOf(arguments), std::move(dialogs));
    app.BuildMainWindow();
    qtDialogs.SetOwner(app.MainWindow());
    app.ShowMainWindow();
    return QApplication::exec();
}
