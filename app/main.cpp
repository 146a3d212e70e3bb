#include <QApplication>
#include <cstdio>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "command_line.h"
#include "reader_app.h"
#include "open_hint_file.h"
#include "qt_user_dialogs.h"
#include "session_end.h"

namespace {

// Running out of memory in any command or event shows the loader's out-of-memory message and
// the program goes on, rather than ending at an exception that nothing caught.
class ReaderApplication : public QApplication {
  public:
    using QApplication::QApplication;
    void SetDialogs(klu::UserDialogs* dialogs) { dialogs_ = dialogs; }

    bool notify(QObject* receiver, QEvent* event) override {
        try {
            return QApplication::notify(receiver, event);
        } catch (const std::bad_alloc&) {
            if (dialogs_)
                dialogs_->ShowMessage(klu::kOutOfMemoryText, klu::kErrorTitle,
                                      klu::MessageIcon::Stop, klu::MessageButtons::Ok);
            return false;
        }
    }

  private:
    klu::UserDialogs* dialogs_ = nullptr;
};

}  // namespace

int main(int argc, char* argv[]) {
    // --help and --version are answered before Qt starts, so they need no display.
    if (const std::optional<std::string> answer =
            klu::ConsoleAnswerOf(std::vector<std::string>(argv, argv + argc))) {
        std::fputs(answer->c_str(), stdout);
        return std::fflush(stdout) == 0 ? 0 : 1;
    }

    klu::IgnoreFileSizeSignal();
    ReaderApplication application(argc, argv);
    QApplication::setApplicationName(QString::fromLatin1(klu::kApplicationName));

    const std::vector<std::string> arguments(argv, argv + argc);  // without Qt's own options
    auto dialogs = std::make_unique<klu::QtUserDialogs>();
    klu::QtUserDialogs& qtDialogs = *dialogs;
    klu::ReaderApp app(klu::ProgramFolderOf(QApplication::applicationFilePath().toStdString()),
                     klu::CommandArgumentOf(arguments), std::move(dialogs));
    app.BuildMainWindow();
    qtDialogs.SetOwner(app.Window());
    application.SetDialogs(&qtDialogs);
    // The session's end closes the program as File > Exit does: the windows go, then ~ReaderApp
    // writes the settings and the hint memory.
    klu::CallOnTerminationSignals(&application, [] { QApplication::exit(0); });
    app.ShowMainWindow();
    const int result = QApplication::exec();
    application.SetDialogs(nullptr);  // they go with app, before the application object
    return result;
}
