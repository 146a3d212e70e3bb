#include "qt_user_dialogs.h"

#include <QColorDialog>
#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFontDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QMainWindow>
#include <QMdiArea>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QUrl>
#include <cmath>

#include "about_dialog.h"
#include "options_dialog.h"
#include "views/qt_text_measurer.h"
#include "views/readable_colors.h"
#include "views/windows1252.h"

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

MessageAnswer QtUserDialogs::ShowMessageBox(const std::string& text, const std::string& title,
                                            MessageIcon icon, MessageButtons buttons) {
    QMessageBox box(ToQtIcon(icon), FromUtf8OrWindows1252(title), FromUtf8OrWindows1252(text),
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

std::optional<std::string> QtUserDialogs::AskSaveFile(const std::string& filter,
                                                      const std::string& default_suffix,
                                                      bool confirm_replace) {
    QFileDialog dialog(owner_, QString(), QString(), QString::fromStdString(filter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !confirm_replace);
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setDefaultSuffix(QString::fromStdString(default_suffix));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().front().toStdString();
}

std::optional<std::string> QtUserDialogs::AskFolder(const std::string& prompt) {
    const QString folder =
        QFileDialog::getExistingDirectory(owner_, QString::fromStdString(prompt));
    if (folder.isEmpty()) return std::nullopt;
    std::string path = folder.toStdString();
    if (!path.ends_with('/')) path += '/';
    return path;
}

std::optional<std::string> QtUserDialogs::AskText(const std::string& title,
                                                  const std::string& prompt, int max_length) {
    QInputDialog dialog(owner_);
    dialog.setWindowTitle(QString::fromStdString(title));
    dialog.setLabelText(QString::fromStdString(prompt));
    dialog.setInputMode(QInputDialog::TextInput);
    if (auto* edit = dialog.findChild<QLineEdit*>()) edit->setMaxLength(max_length);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    // A phrase is looked for in hint text, which is Windows-1252.
    return ToWindows1252(dialog.textValue());
}

std::optional<size_t> QtUserDialogs::AskChoice(const std::string& title, const std::string& prompt,
                                               const std::vector<std::string>& items) {
    QStringList shown;
    for (const std::string& item : items)
        shown << FromUtf8OrWindows1252(item);
    bool ok = false;
    const QString chosen = QInputDialog::getItem(
        owner_, FromUtf8OrWindows1252(title), FromUtf8OrWindows1252(prompt), shown, 0, false, &ok);
    if (!ok) return std::nullopt;
    const qsizetype index = shown.indexOf(chosen);
    if (index < 0) return std::nullopt;
    return static_cast<size_t>(index);
}

ChosenFont ChosenFontOf(const QFont& font) {
    ChosenFont chosen;
    chosen.tenthsOfPoint = static_cast<int>(std::lround(font.pointSizeF() * 10));
    chosen.font.face = font.family().toStdString().substr(0, FontRecord::kFaceLimit);
    chosen.font.pointSize = chosen.tenthsOfPoint / 10;
    // Qt weighs fonts from 100 to 900 as the settings do: a semibold face stays 600.
    chosen.font.weight = font.weight();
    chosen.font.italic = font.italic();
    return chosen;
}

std::optional<ChosenFont> QtUserDialogs::AskFont(const FontRecord& current) {
    const QFont start = ScreenFontOf(current);
    bool ok = false;
    const QFont font = QFontDialog::getFont(
        &ok, start, owner_, QString(), QFontDialog::ScalableFonts | QFontDialog::NonScalableFonts);
    if (!ok) return std::nullopt;
    return ChosenFontOf(font);
}

namespace {

uint32_t FromQColor(const QColor& color) {
    return static_cast<uint32_t>(color.red()) | static_cast<uint32_t>(color.green()) << 8 |
           static_cast<uint32_t>(color.blue()) << 16;
}

}  // namespace

std::optional<uint32_t> QtUserDialogs::AskColor(uint32_t initial, CustomColors& custom) {
    for (int i = 0; i < QColorDialog::customCount() && i < 16; ++i)
        QColorDialog::setCustomColor(i, ColorFromColorRef(custom[static_cast<size_t>(i)]));
    const QColor color = QColorDialog::getColor(ColorFromColorRef(initial), owner_);
    for (int i = 0; i < QColorDialog::customCount() && i < 16; ++i)
        custom[static_cast<size_t>(i)] = FromQColor(QColorDialog::customColor(i));
    if (!color.isValid()) return std::nullopt;
    return FromQColor(color);
}

bool QtUserDialogs::AskPrint(QPrinter& printer, int page_count) {
    QPrintDialog dialog(&printer, owner_);
    dialog.setMinMax(1, std::max(1, page_count));
    dialog.setFromTo(1, std::max(1, page_count));
    return dialog.exec() == QDialog::Accepted;
}

std::unique_ptr<QPrintDialog> MakePrinterSetupDialog(QPrinter& printer, QWidget* owner) {
    auto dialog = std::make_unique<QPrintDialog>(&printer, owner);
    dialog->setWindowTitle(QStringLiteral("Printer Setup"));
    // No page range: that belongs to printing itself. Printing to a file is a printer too.
    dialog->setOptions(QAbstractPrintDialog::PrintToFile);
    if (auto* buttons = dialog->findChild<QDialogButtonBox*>()) {
        if (QPushButton* ok = buttons->button(QDialogButtonBox::Ok))
            ok->setText(QStringLiteral("OK"));
    }
    return dialog;
}

bool QtUserDialogs::AskPrinterSetup(QPrinter& printer) {
    return MakePrinterSetupDialog(printer, owner_)->exec() == QDialog::Accepted;
}

bool QtUserDialogs::OpenWebAddress(const std::string& url) {
    return QDesktopServices::openUrl(QUrl(QString::fromStdString(url)));
}

void QtUserDialogs::ShowAbout() {
    AboutDialog dialog(owner_);
    dialog.exec();
}

bool QtUserDialogs::RunOptions(Settings& settings) {
    // The dialog centres itself over the frame's client area rather than the whole frame.
    QWidget* parent = owner_;
    if (auto* frame = qobject_cast<QMainWindow*>(parent)) {
        if (auto* client = qobject_cast<QMdiArea*>(frame->centralWidget())) parent = client;
    }
    OptionsDialog dialog(parent, settings, *this);
    return dialog.exec() == QDialog::Accepted;
}

}  // namespace klu
