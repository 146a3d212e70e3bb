#include <QApplication>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "command_line.h"
#include "klu_app.h"
#include "qt_user_dialogs.h"
#include "session_end.h"

int main(int argc, char* argv[]) {
    // --help and --version are answered before Qt starts, so they need no display.
    if (const std::optional<std::string> answer =
            klu::ConsoleAnswerOf(std::vector<std::string>(argv, argv + argc))) {
        std::fputs(answer->c_str(), stdout);
        return std::fflush(stdout) == 0 ? 0 : 1;
    }

    klu::IgnoreFileSizeSignal();
    QApplication application(argc, argv);
    QApplication::setApplicationName(QString::fromLatin1(klu::kApplicationName));

    const std::vector<std::string> arguments(argv, argv + argc);  // without Qt's own options
    auto dialogs = std::make_unique<klu::QtUserDialogs>();
    klu::QtUserDialogs& qtDialogs = *dialogs;
    klu::TKLUApp app(klu::ProgramFolderOf(QApplication::applicationFilePath().toStdString()),
                     klu::CommandArgumentOf(arguments), std::move(dialogs));
    app.BuildMainWindow();
    qtDialogs.SetOwner(app.MainWindow());
    // The session's end closes the program as File > Exit does: the windows go, then ~TKLUApp
    // writes the settings and the hint memory.
    klu::CallOnTerminationSignals(&application, [] { QApplication::exit(0); });
    app.ShowMainWindow();
    return QApplication::exec();
}
