// The reference of bench_start: an empty main window, placed and sized as the reader places
// its first one (four fifths of the screen, centred), with nothing else in the program.
#include <QApplication>
#include <QMainWindow>
#include <QScreen>
#include <QStyle>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QMainWindow window;
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QRect desktop = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    window.setGeometry(
        QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, desktop.size() * 4 / 5, desktop));
    window.show();
    return QApplication::exec();
}
