#include "reader_app.h"

#include <QGuiApplication>
#include <QScreen>
#include <QStyle>
#include <filesystem>

#include "after_first_paint.h"
#include "sound_player.h"

namespace klu {

ReaderApp::ReaderApp(std::string program_folder, std::string command_argument,
                 std::unique_ptr<UserDialogs> dialogs, const EnvironmentLookup& environment)
    : state_(std::move(program_folder), std::move(command_argument), environment),
      dialogs_(std::move(dialogs)) {}

// The frame (and with it every child window) goes before the settings are written.
// The windows of the hunks go with it; from then on opening a hunk shows nothing.
ReaderApp::~ReaderApp() {
    StopSound();
    if (frame_) KeepMainWindowPlace();
    frame_.reset();
    ShowDocumentsIn(nullptr);
    hunkWindows_.reset();
    state_.WriteSettings();
    state_.ClearDocuments();
}

void ReaderApp::BuildMainWindow(bool enter_list_folder) {
    frame_ = std::make_unique<MainWindow>(state_, *dialogs_);
    hunkWindows_ = std::make_unique<HunkWindows>(frame_->Client(), state_, *dialogs_);
    ShowDocumentsIn(hunkWindows_.get());
    state_.ReadSettings();
    frame_->Client().SetLayout(state_.settings.layout);
    frame_->Contents().setVisible(state_.settings.contentsShown);
    // A desktop that logs out asks first for what must be kept, and may end the program right
    // after: the settings and the hint memory are written then.
    QObject::connect(qApp, &QGuiApplication::commitDataRequest, frame_.get(), [this] {
        KeepMainWindowPlace();
        state_.WriteSettings();
    });
    if (enter_list_folder) EnterListFolder();
    frame_->UpdateMenus();
}

void ReaderApp::ShowDocumentsIn(DocumentObserver* observer) {
    state_.currentDocument.SetObserver(observer);
    state_.helpDocument.SetObserver(observer);
}

void ReaderApp::ShowMainWindow() {
    // The writes of the file named on the command line wait until the window is up.
    state_.HoldProfileWrites(true);
    PlaceMainWindow();
    frame_->RunCommandLine();
    state_.HoldProfileWrites(false);
    RunAfterFirstPaint(*frame_, [this] { state_.WriteHeldProfile(); });
}

void ReaderApp::PlaceMainWindow() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QRect desktop = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    if (const std::optional<FramePlace>& place = state_.settings.frame) {
        const QRect kept(place->x, place->y, place->width, place->height);
        // A place on a screen that is gone would leave the window out of sight.
        if (kept.intersects(desktop)) {
            frame_->setGeometry(kept);
            if (place->maximized) {
                frame_->showMaximized();
            } else {
                frame_->show();
            }
            return;
        }
    }
    const QSize first = desktop.size() * 4 / 5;
    frame_->setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, first, desktop));
    frame_->show();
}

void ReaderApp::KeepMainWindowPlace() {
    const QRect normal = frame_->isMaximized() ? frame_->normalGeometry() : frame_->geometry();
    state_.settings.frame =
        FramePlace{normal.x(), normal.y(), normal.width(), normal.height(), frame_->isMaximized()};
}

// The open dialog starts in the listing folder. A folder that does not exist is no error.
void ReaderApp::EnterListFolder() {
    std::error_code error;
    std::filesystem::current_path(state_.settings.listFolder, error);
}

}  // namespace klu
