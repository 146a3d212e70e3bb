#pragma once

#include <optional>
#include <string>

#include "app_state.h"
#include "user_dialogs.h"

namespace klu {

// Whether a save may replace a file the user picks: a saved picture or export takes its place
// (the dialog asks first), a window's text is added to its end (no need to ask).
enum class SaveMode { Replace, Append };

// Why the file must not be written, or nothing: a save over the hint file that is open or over
// the help file would destroy it.
std::optional<std::string> ProtectedFileText(const AppState& state, const std::string& target);

// Asks for the file to save to. The open hint file and the help file are refused with a message,
// as a cancel.
std::optional<std::string> AskSaveTarget(UserDialogs& dialogs, const AppState& state,
                                         const std::string& filter,
                                         const std::string& default_suffix, SaveMode mode);

}  // namespace klu
