#include "save_target.h"

#include <filesystem>

#include "model/files/zip_members.h"
#include "open_hint_file.h"

namespace klu {

namespace {

// The same file, under any name or link; a file that does not exist is no other file.
bool SameFile(const std::string& a, const std::string& b) {
    std::error_code error;
    return !a.empty() && !b.empty() && std::filesystem::equivalent(a, b, error);
}

}  // namespace

std::optional<std::string> ProtectedFileText(const AppState& state, const std::string& target) {
    const std::optional<MemberPath> member = SplitMemberPath(state.currentPath);
    const std::string& open_file = member ? member->archive : state.currentPath;
    if (state.FileLoaded() && SameFile(target, open_file)) return SaveOverOpenFileMessage(target);
    if (SameFile(target, state.helpFilePath))
        return target + " is the help file of this program." + kSaveWouldDestroyText;
    return std::nullopt;
}

std::optional<std::string> AskSaveTarget(UserDialogs& dialogs, const AppState& state,
                                         const std::string& filter,
                                         const std::string& default_suffix, SaveMode mode) {
    std::optional<std::string> target =
        dialogs.AskSaveFile(filter, default_suffix, mode == SaveMode::Replace);
    if (!target) return std::nullopt;
    if (std::optional<std::string> refused = ProtectedFileText(state, *target)) {
        dialogs.ShowMessage(*refused, kErrorTitle, MessageIcon::Stop, MessageButtons::Ok);
        return std::nullopt;
    }
    return target;
}

}  // namespace klu
