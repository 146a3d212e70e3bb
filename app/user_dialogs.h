#pragma once

#include <optional>
#include <string>

namespace klu {

enum class MessageIcon { None, Information, Warning, Stop, Question };
enum class MessageButtons { Ok, OkCancel, YesNo, OkHelp };
enum class MessageAnswer { Ok, Cancel, Yes, No, Help };

// Everything that asks the user in a modal dialog goes through here, so that the commands can be
// tried without anyone answering.
class UserDialogs {
  public:
    virtual ~UserDialogs() = default;

    virtual MessageAnswer ShowMessage(const std::string& text, const std::string& title,
                                      MessageIcon icon, MessageButtons buttons) = 0;

    // The path the user picked, or nothing when the dialog was cancelled. filter is a list of
    // "Description (*.ext)" entries separated by ";;".
    virtual std::optional<std::string> AskOpenFile(const std::string& title,
                                                   const std::string& folder,
                                                   const std::string& filter) = 0;

    // The About box.
    virtual void ShowAbout() = 0;
};

}  // namespace klu
