#pragma once

#include <QPointer>
#include <QWidget>

#include "user_dialogs.h"

namespace klu {

// The dialogs as the user sees them, owned by the frame once it exists.
class QtUserDialogs : public UserDialogs {
  public:
    void SetOwner(QWidget* owner) { owner_ = owner; }

    MessageAnswer ShowMessage(const std::string& text, const std::string& title, MessageIcon icon,
                              MessageButtons buttons) override;
    std::optional<std::string> AskOpenFile(const std::string& title, const std::string& folder,
                                           const std::string& filter) override;
    std::optional<std::string> AskSaveFile(const std::string& filter,
                                           const std::string& default_suffix) override;
    std::optional<std::string> AskFolder(const std::string& prompt) override;
    std::optional<std::string> AskText(const std::string& title, const std::string& prompt,
                                       int max_length) override;
    std::optional<ChosenFont> AskFont(const FontRecord& current) override;
    std::optional<uint32_t> AskColor(uint32_t initial, CustomColors& custom) override;
    bool AskPrint(QPrinter& printer, int page_count) override;
    bool AskPrinterSetup(QPrinter& printer) override;
    bool OpenWebAddress(const std::string& url) override;
    void ShowAbout() override;
    bool RunOptions(Settings& settings) override;

  private:
    QPointer<QWidget> owner_;
};

}  // namespace klu
