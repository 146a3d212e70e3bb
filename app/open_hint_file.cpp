#include "open_hint_file.h"

#include <QApplication>
#include <QMdiSubWindow>
#include <optional>

#include "document_area.h"
#include "model/document/hint_document.h"
#include "model/store/hint_memory.h"
#include "model/document/hunk.h"
#include "model/text/text_util.h"
#include "model/files/zip_members.h"
#include "sound_player.h"
#include "views/wait_cursor.h"

namespace klu {

namespace {

// A smaller file loads in a few milliseconds, too soon for a busy cursor to be seen; the cursor
// itself would cost more, as the desktop's cursor theme is read for it.
constexpr int64_t kBusyCursorBytes = int64_t{1} << 20;

void ShowLoadFailure(DocumentArea& client, UserDialogs& dialogs, LoadResult result) {
    const char* text = LoadFailureText(result);
    if (!text) return;
    // The archive message offers the help subject on unpacking.
    const MessageButtons buttons =
        result == LoadResult::ZipArchive ? MessageButtons::OkHelp : MessageButtons::Ok;
    if (dialogs.ShowMessage(text, kErrorTitle, MessageIcon::Stop, buttons) == MessageAnswer::Help)
        client.HelpOnZipArchives();
}

// The bytes of the file to open and the file its data is read from later.
struct OpeningFile {
    HintFileBytes file{HintFileRead::Failed, {}, std::nullopt};
    std::string dataPath;
    std::unique_ptr<PrivateCopy> copy;  // of an archive member
};

// Everything after a load that succeeded: the help-file test, the recent files, the settings,
// the top window and the hint memory. length is the file's length when it was opened.
void FinishOpen(DocumentArea& client, AppState& state, UserDialogs& dialogs, const std::string& path,
                OpeningFile& opening, int64_t length) {
    state.currentPath = path;
    state.currentDataPath = opening.dataPath;
    state.memberCopy = std::move(opening.copy);  // the copy of the file before goes
    const Hunk* loaded_root = state.currentDocument.GetRoot();
    if (loaded_root && IsHelpFile(path, loaded_root->GetName())) {
        dialogs.ShowMessage(kHelpNoticeText, kHelpNoticeTitle, MessageIcon::None,
                            MessageButtons::Ok);
        state.currentDocument.Clear();
        client.ShowHelpFile();
    } else {
        state.AddRecentFile(path);
    }
    state.ReadSettings();

    Hunk* root = state.currentDocument.GetRoot();
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

namespace {

// A member of a ZIP archive is unpacked, once into memory to be loaded and once into a private
// copy of this reader's, where its pictures, sounds and GIF data are read from while it is open
// (another reader's archive member never takes its place).
OpeningFile ReadMember(const AppState& state, const MemberPath& member) {
    OpeningFile opening;
    std::vector<char>& bytes = opening.file.bytes;
    if (!ReadArchiveMember(member.archive, member.member, bytes, kLargestHintFile)) return opening;
    opening.copy = PrivateCopy::Create(state.locations.RuntimeFolder(),
                                       std::string_view(bytes.data(), bytes.size()));
    // Without a copy it loads all the same; only its pictures stay empty.
    if (opening.copy) opening.dataPath = opening.copy->Path();
    opening.file.read = HintFileRead::Whole;
    return opening;
}

bool IsZipArchive(const HintFileBytes& file) {
    return file.read == HintFileRead::FirstBlock && file.bytes.size() >= 2 &&
           file.bytes[0] == 'P' && file.bytes[1] == 'K';
}

// The hint file of an archive to open: its only one, or the one the user picks; nothing when it
// has none or the user cancels.
std::optional<std::string> ChooseMember(UserDialogs& dialogs, const std::string& archive,
                                        const std::vector<ArchiveMember>& members) {
    if (members.size() == 1) return MemberPathOf(archive, members.front().name);
    std::vector<std::string> names;
    for (const ArchiveMember& member : members)
        names.push_back(member.name);
    const std::optional<size_t> chosen =
        dialogs.AskChoice(kChooseMemberTitle, kChooseMemberPrompt, names);
    if (!chosen || *chosen >= members.size()) return std::nullopt;
    return MemberPathOf(archive, members[*chosen].name);
}

}  // namespace

void OpenHintFile(DocumentArea& client, AppState& state, UserDialogs& dialogs,
                  const std::string& path) {
    state.WriteSettings();

    OpeningFile opening;
    if (const std::optional<MemberPath> member = SplitMemberPath(path)) {
        opening = ReadMember(state, *member);
    } else {
        opening.file = ReadHintFile(path);
        opening.dataPath = path;
    }
    if (opening.file.read == HintFileRead::Failed) {
        dialogs.ShowMessage(CannotOpenMessage(path), kErrorTitle, MessageIcon::Stop,
                            MessageButtons::Ok);
        return;
    }
    // An archive that holds hint files opens one of them; one without any gets the message.
    if (IsZipArchive(opening.file)) {
        const auto members = HintFileMembers(path);
        if (members && !members->empty()) {
            if (const std::optional<std::string> chosen = ChooseMember(dialogs, path, *members))
                OpenHintFile(client, state, dialogs, *chosen);
            return;
        }
    }
    const auto length = static_cast<int64_t>(opening.file.bytes.size());

    if (client.findWindow) {
        delete client.findWindow.data();
        client.findWindow = nullptr;
    }
    // The file that is left takes its sound with it.
    StopSound();
    emit client.DocumentClosing();

    std::optional<WaitCursor> wait;
    if (length >= kBusyCursorBytes) wait.emplace();
    const LoadResult result =
        LoadHintFile(std::move(opening.file), state.currentDocument, false).result;
    if (result == LoadResult::Ok) {
        FinishOpen(client, state, dialogs, path, opening, length);
    } else {
        state.memberCopy.reset();  // the document it served is gone
        ShowLoadFailure(client, dialogs, result);
    }
}

}  // namespace klu
