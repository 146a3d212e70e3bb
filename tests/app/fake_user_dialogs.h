#pragma once

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
        MessageButtons buttons;
    };

    MessageAnswer ShowMessage(const std::string& text, const std::string& title, MessageIcon icon,
                              MessageButtons buttons) override {
        messages.push_back({text, title, icon, buttons});
        return answer;
    }
    std::optional<std::string> AskOpenFile(const std::string& title, const std::string& folder,
                                           const std::string& filter) override {
        openRequests.push_back(title + "|" + folder + "|" + filter);
        return openAnswer;
    }
    void ShowAbout() override { ++aboutShown; }

    std::vector<Message> messages;
    std::vector<std::string> openRequests;
    int aboutShown = 0;
    MessageAnswer answer = MessageAnswer::Ok;
    std::optional<std::string> openAnswer;
};

}  // namespace klu::test
