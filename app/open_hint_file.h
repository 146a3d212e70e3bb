#pragma once

#include <string>

#include "app_state.h"
#include "model/document/file_messages.h"
#include "user_dialogs.h"

namespace klu {

class DocumentArea;

// The texts of opening a file; those of a failed load are the model's (file_messages.h).
inline constexpr char kErrorTitle[] = "Error";
inline constexpr char kHelpNoticeText[] =
    "The file that you have opened is the on-line help file for this program.  For future "
    "reference, you can access the file directly by selecting 'Show Help File' from the 'Help' "
    "menu or by pressing F1.  You can even view the help file when another KLU hint file is "
    "already open.";
inline constexpr char kHelpNoticeTitle[] = "KLU Help File";
inline constexpr char kHelpDocumentTitle[] = "KLU Reader Documentation";

// Whether a file just loaded from path is the program's own help file: the path names
// RORED.KLU (in any letter case) and the root carries the help file's title.
bool IsHelpFile(const std::string& path, const std::string& root_title);

inline constexpr char kChooseMemberTitle[] = "Open Hint File";
inline constexpr char kChooseMemberPrompt[] = "This archive holds several hint files. Open:";

// Saves the state of the file open now, loads the file at path into the current document and
// opens its top window with the hint memory of that file; every failure has its own message.
void OpenHintFile(DocumentArea& client, AppState& state, UserDialogs& dialogs,
                  const std::string& path);

}  // namespace klu
