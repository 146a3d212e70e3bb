#include "window_commands.h"

#include <QBuffer>
#include <QClipboard>
#include <QGuiApplication>
#include <sstream>

#include "command_texts.h"
#include "file_filter.h"
#include "model/document/media_hunks.h"
#include "model/text/text_util.h"
#include "model/files/whole_file.h"
#include "hunk_printer.h"
#include "open_hint_file.h"
#include "picture_source.h"
#include "save_target.h"
#include "user_dialogs.h"
#include "views/bitmap_file.h"
#include "views/bitmap_qimage.h"
#include "views/text_window.h"
#include "views/gif_window.h"
#include "views/picture_images.h"
#include "views/text_view.h"
#include "views/window_text.h"
#include "views/windows1252.h"

namespace klu {

namespace {

ItemsHunk& ShownHunk(TextWindow& window) {
    return static_cast<ItemsHunk&>(window.ShownHunk());
}

// The image of the one picture the window shows, or none.
const DecodedBitmap* SinglePicture(TextWindow& window) {
    if (!window.Control().IsSingleImage()) return nullptr;
    return ImageOf(static_cast<const PNGObject&>(*ShownHunk(window).GetChild(0)));
}

void ReportUnwritable(UserDialogs& dialogs, const std::string& path) {
    dialogs.ShowMessage(kCannotWriteText + path, kErrorTitle, MessageIcon::Stop,
                        MessageButtons::Ok);
}

bool EndsWithNoCase(const std::string& text, std::string_view end) {
    return text.size() >= end.size() && EqualsNoCase(text.substr(text.size() - end.size()), end);
}

// The picture as a file of the kind its name asks for: a Windows bitmap for ".bmp", else PNG.
// A picture that overlays turned to true colour takes 24 bits in a bitmap.
std::string PictureFileBytes(const DecodedBitmap& picture, const std::string& path) {
    const bool bitmap = EndsWithNoCase(path, ".bmp");
    if (bitmap && !picture.TrueColour()) return BmpFileBytes(picture);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!ToQImage(picture).save(&buffer, bitmap ? "BMP" : "PNG")) return {};
    return bytes.toStdString();
}

}  // namespace

void SaveWindow(TextWindow& window, const AppState& state, UserDialogs& dialogs) {
    ItemsHunk& hunk = ShownHunk(window);
    if (const DecodedBitmap* picture = SinglePicture(window)) {
        const std::optional<std::string> path = AskSaveTarget(
            dialogs, state, DialogFilterOf(kPictureFileFilter), "png", SaveMode::Replace);
        if (!path) return;
        const std::string bytes = PictureFileBytes(*picture, *path);
        if (bytes.empty() || !ReplaceWholeFile(*path, bytes)) ReportUnwritable(dialogs, *path);
        return;
    }
    const std::optional<std::string> path =
        AskSaveTarget(dialogs, state, DialogFilterOf(kTextFileFilter), "txt", SaveMode::Append);
    if (!path) return;
    // Appended, so that saving several windows to one file collects them all; the file is
    // replaced by a copy with the text added, so a failed write leaves it as it was.
    std::ostringstream out;
    out << hunk.GetName() << "\n\n";
    hunk.WriteText(out);
    if (!out || !AppendToFile(*path, std::move(out).str())) ReportUnwritable(dialogs, *path);
}

void SaveWindow(const GifWindow& window, const AppState& state, UserDialogs& dialogs) {
    const std::optional<std::string> path =
        AskSaveTarget(dialogs, state, DialogFilterOf(kGifFileFilter), "gif", SaveMode::Replace);
    const QByteArray& data = window.Data();
    if (path && !ReplaceWholeFile(*path, std::string_view(data.constData(), data.size())))
        ReportUnwritable(dialogs, *path);
}

void PrintWindow(TextWindow& window, AppState& state, UserDialogs& dialogs, HunkPrinter& printer) {
    HunkPrintout printout(ShownHunk(window), window.Control().VisibleCount(), state.settings,
                           PrintedPictures(state));
    printer.Print(dialogs, printout);
    window.RestoreFocus();
}

void CopyWindow(TextWindow& window) {
    if (const DecodedBitmap* picture = SinglePicture(window)) {
        QGuiApplication::clipboard()->setImage(ToQImage(*picture));
        return;
    }
    const TextView& control = window.Control();
    const std::string text = VisibleText(ShownHunk(window), control.VisibleCount());
    QGuiApplication::clipboard()->setText(FromWindows1252(text));
}

void CopyWindow(const GifWindow& window) {
    if (const QImage image = window.Image(); !image.isNull())
        QGuiApplication::clipboard()->setImage(image);
}

}  // namespace klu
