#pragma once

#include <QFont>
#include <QPointer>
#include <QWidget>
#include <memory>

#include "user_dialogs.h"

class QPrintDialog;

namespace klu {

// The font the font dialog gave, with its weight (100 to 900) and size kept.
ChosenFont ChosenFontOf(const QFont& font);

// The dialog of Printer Setup: the printers to choose from, and the paper and orientation in the
// dialog's properties. It asks for nothing that belongs to a single print job.
std::unique_ptr<QPrintDialog> MakePrinterSetupDialog(QPrinter& printer, QWidget* owner);

// The dialogs as the user sees them, owned by the frame once it exists.
class QtUserDialogs : public UserDialogs {
  public:
    void SetOwner(QWidget* owner) { owner_ = owner; }

    std::optional<std::string> AskOpenFile(const std::string& title, const std::string& folder,
                                           const std::string& filter) override;
    std::optional<std::string> AskSaveFile(const std::string& filter,
                                           const std::string& default_suffix,
                                           bool confirm_replace) override;
    std::optional<std::string> AskFolder(const std::string& prompt) override;
    std::optional<std::string> AskText(const std::string& title, const std::string& prompt,
                                       int max_length) override;
    std::optional<size_t> AskChoice(const std::string& title, const std::string& prompt,
                                    const std::vector<std::string>& items) override;
    std::optional<ChosenFont> AskFont(const FontRecord& current) override;
    std::optional<uint32_t> AskColor(uint32_t initial, CustomColors& custom) override;
    bool AskPrint(QPrinter& printer, int page_count) override;
    bool AskPrinterSetup(QPrinter& printer) override;
    bool OpenWebAddress(const std::string& url) override;
    void ShowAbout() override;
    bool RunOptions(Settings& settings) override;

  protected:
    MessageAnswer ShowMessageBox(const std::string& text, const std::string& title,
                                 MessageIcon icon, MessageButtons buttons) override;

  private:
    QPointer<QWidget> owner_;
};

}  // namespace klu
