#include "open_hint_file.h"

#include <QApplication>
#include <QMdiSubWindow>

#include "klu_client.h"
#include "model/hint_document.h"
#include "model/hint_memory.h"
#include "model/hint_stream.h"
#include "model/hunk.h"
#include "model/text_util.h"
#include "sound_player.h"
#include "views/wait_cursor.h"

namespace klu {

namespace {

// The message of a failed load, or nothing for a result without one.
const char* LoadFailureText(LoadResult result) {
    switch (result) {
        case LoadNotHintFile:
            return kNotHintFileText;
        case LoadCorrupted:
            return kCorruptedText;
        case LoadOutOfMemory:
            return kOutOfMemoryText;
        case LoadZipArchive:
            return kZipArchiveText;
        case LoadOk:
            break;
    }
    return nullptr;
}

void ShowLoadFailure(TKLUClient& client, UserDialogs& dialogs, LoadResult result) {
    const char* text = LoadFailureText(result);
    if (!text) return;
    // The archive message offers the help subject on unpacking.
    const MessageButtons buttons =
        result == LoadZipArchive ? MessageButtons::OkHelp : MessageButtons::Ok;
    if (dialogs.ShowMessage(text, kErrorTitle, MessageIcon::Stop, buttons) == MessageAnswer::Help)
        client.HelpOnZipArchives();
}

// Everything after a load that succeeded: the help-file test, the recent files, the settings,
// the top window and the hint memory. length is the file's length when it was opened.
void FinishOpen(TKLUClient& client, AppState& state, UserDialogs& dialogs, const std::string& path,
                int64_t length) {
    state.currentPath = path;
    const THunk* loaded_root = state.currentDocument.GetRoot();
    if (loaded_root && IsHelpFile(path, loaded_root->GetName())) {
        dialogs.ShowMessage(kHelpNoticeText, kHelpNoticeTitle, MessageIcon::None,
                            MessageButtons::Ok);
        state.currentDocument.Clear();
        client.ShowHelpFile();
    } else {
        state.recentFiles.Add(path);
    }
    state.ReadSettings();

    THunk* root = state.currentDocument.GetRoot();
    if (!root) return;
    root->Open();
    ApplyHintMemory(*root,
                    state.profile.ReadProfileString(kMemorySection, MemoryKey(path, length), ""));
}

}  // namespace

bool IsHelpFile(const std::string& path, const std::string& root_title) {
    return FindNoCase(path, std::string("/") + kHelpFileName) != std::string::npos &&
           EqualsNoCase(root_title, kHelpDocumentTitle);
}

void OpenHintFile(TKLUClient& client, AppState& state, UserDialogs& dialogs,
                  const std::string& path) {
    state.WriteSettings();

    std::vector<char> bytes;
    const HintFileRead read = ReadHintFileBytes(path, bytes);
    if (read == HintFileRead::Failed) {
        dialogs.ShowMessage(path + kCannotOpenText, kErrorTitle, MessageIcon::Stop,
                            MessageButtons::Ok);
        return;
    }
    const auto length = static_cast<int64_t>(bytes.size());
    HintStream stream(std::move(bytes));

    if (client.findWindow) {
        delete client.findWindow.data();
        client.findWindow = nullptr;
    }
    // The file that is left takes its sound with it.
    StopSound();

    WaitCursor wait;
    LoadResult result = LoadOutOfMemory;
    if (read == HintFileRead::TooLarge) {
        state.currentDocument.Clear();  // as any failed load leaves it
    } else {
        result = LoadHintFile(stream, state.currentDocument, false);
    }
    if (result == LoadOk) {
        FinishOpen(client, state, dialogs, path, length);
    } else {
        ShowLoadFailure(client, dialogs, result);
    }
}

}  // namespace klu
