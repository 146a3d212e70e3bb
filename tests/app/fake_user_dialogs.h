#pragma once

#include <QGuiApplication>
#include <QPrinter>
#include <optional>
#include <string>
#include <vector>

#include "app/user_dialogs.h"

namespace klu::test {

// Answers every dialog at once and remembers what was asked.
class FakeUserDialogs : public UserDialogs {
  public:
    struct Message {
        std::string text;
        std::string title;
        MessageIcon icon;
        MessageButtons buttons = MessageButtons::Ok;
        bool operator==(const Message&) const = default;
    };

    MessageAnswer ShowMessageBox(const std::string& text, const std::string& title,
                                 MessageIcon icon, MessageButtons buttons) override {
        messages.push_back({text, title, icon, buttons});
        if (QGuiApplication::overrideCursor() != nullptr) ++messagesUnderOverrideCursor;
        return answer;
    }
    std::optional<std::string> AskOpenFile(const std::string& title, const std::string& folder,
                                           const std::string& filter) override {
        openRequests.push_back(title + "|" + folder + "|" + filter);
        return openAnswer;
    }
    std::optional<std::string> AskSaveFile(const std::string& filter,
                                           const std::string& default_suffix,
                                           bool confirm_replace) override {
        saveRequests.push_back(filter + "|" + default_suffix);
        replaceConfirmations.push_back(confirm_replace);
        return saveAnswer;
    }
    std::optional<std::string> AskFolder(const std::string&) override { return folderAnswer; }
    std::optional<std::string> AskText(const std::string& title, const std::string& prompt,
                                       int max_length) override {
        textRequests.push_back(title + "|" + prompt + "|" + std::to_string(max_length));
        return textAnswer;
    }
    std::optional<size_t> AskChoice(const std::string& title, const std::string&,
                                    const std::vector<std::string>& items) override {
        choiceRequests.push_back(title);
        choiceItems = items;
        return choiceAnswer;
    }
    std::optional<ChosenFont> AskFont(const FontRecord& current) override {
        fontRequests.push_back(current);
        return fontAnswer;
    }
    std::optional<uint32_t> AskColor(uint32_t initial, CustomColors& custom) override {
        colorRequests.push_back(initial);
        customSeen = custom;
        if (customAnswer) custom = *customAnswer;
        return colorAnswer;
    }
    // Prints to printFile as PDF when it is set; cancels otherwise.
    bool AskPrint(QPrinter& printer, int page_count) override {
        printRequests.push_back(page_count);
        if (printFile.empty()) return false;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString::fromStdString(printFile));
        return true;
    }
    bool AskPrinterSetup(QPrinter&) override { return true; }
    bool OpenWebAddress(const std::string&) override { return true; }
    void ShowAbout() override {}
    // OK with optionsAnswer's four choices when it is set; Cancel otherwise.
    bool RunOptions(Settings& settings) override {
        ++optionsShown;
        if (!optionsAnswer) return false;
        settings.mainFont = optionsAnswer->mainFont;
        settings.linkColor = optionsAnswer->linkColor;
        settings.showCounting = optionsAnswer->showCounting;
        settings.hintMemoryOn = optionsAnswer->hintMemoryOn;
        return true;
    }

    std::vector<Message> messages;
    int messagesUnderOverrideCursor = 0;
    std::vector<bool> replaceConfirmations;  // for each save dialog
    std::vector<std::string> openRequests, saveRequests, textRequests, choiceRequests, choiceItems;
    std::vector<FontRecord> fontRequests;
    std::vector<uint32_t> colorRequests;
    std::vector<int> printRequests;
    CustomColors customSeen{};
    int optionsShown = 0;

    MessageAnswer answer = MessageAnswer::Ok;
    std::optional<std::string> openAnswer, saveAnswer, folderAnswer, textAnswer;
    std::optional<ChosenFont> fontAnswer;
    std::optional<uint32_t> colorAnswer;
    std::optional<CustomColors> customAnswer;
    std::string printFile;
    std::optional<Settings> optionsAnswer;
    std::optional<size_t> choiceAnswer;
};

}  // namespace klu::test
