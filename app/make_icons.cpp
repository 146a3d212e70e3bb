// Renders the program's icon into the icon theme tree of an installed reader:
// make_icons FOLDER writes FOLDER/hicolor/NxN/apps/kluwin.png for the usual sizes, and the same
// picture as the icon of hint files, FOLDER/hicolor/NxN/mimetypes/application-x-klu-hints.png.
// It runs at build time without a display.
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QString>
#include <cstdio>

#include "klu_icon.h"

int main(int argc, char* argv[]) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_icons FOLDER\n");
        return 64;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);  // the icon's question mark needs the fonts

    const QString theme = QString::fromLocal8Bit(argv[1]) + QStringLiteral("/hicolor");
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const QImage icon = klu::DrawKluIcon(size);
        const QString folder = theme + QStringLiteral("/%1x%1/").arg(size);
        for (const QString& file : {QStringLiteral("apps/kluwin.png"),
                                    QStringLiteral("mimetypes/application-x-klu-hints.png")}) {
            const QString path = folder + file;
            if (!QDir().mkpath(path.section(QLatin1Char('/'), 0, -2)) || !icon.save(path, "PNG")) {
                std::fprintf(stderr, "make_icons: cannot write %s\n", qPrintable(path));
                return 1;
            }
        }
    }
    return 0;
}
