// The commands that work on the open file as a whole, and the verbose listing.
#include <QMdiSubWindow>
#include <functional>
#include <sstream>

#include "command_texts.h"
#include "file_filter.h"
#include "document_area.h"
#include "model/store/folder_listing.h"
#include "model/web/html_export.h"
#include "model/format/hunk_kind.h"
#include "model/document/items_hunk.h"
#include "model/document/meta_text_hunk.h"
#include "model/export/plain_text.h"
#include "model/export/search.h"
#include "model/text/text_util.h"
#include "model/files/whole_file.h"
#include "model/text/windows1252.h"
#include "hunk_printer.h"
#include "open_hint_file.h"
#include "options_command.h"
#include "picture_source.h"
#include "save_target.h"
#include "views/list_window.h"
#include "views/wait_cursor.h"

namespace klu {
namespace {

// Asks for the file an export of the whole file replaces, then writes it. The export takes the
// file's place only once it is whole: a failed write leaves the old file as it was. Silence
// after a failed write would leave the user looking for a file that is not there.
void ExportToFile(UserDialogs& dialogs, const AppState& state, const char* filter,
                  const char* suffix, const std::function<bool(std::ostream&)>& write) {
    const std::optional<std::string> path =
        AskSaveTarget(dialogs, state, DialogFilterOf(filter), suffix, SaveMode::Replace);
    if (!path) return;
    bool written = false;
    {
        WaitCursor wait;
        std::ostringstream out;
        written = write(out) && out && ReplaceWholeFile(*path, std::move(out).str());
    }
    if (!written)
        dialogs.ShowMessage(kCannotWriteText + *path, kErrorTitle, MessageIcon::Stop,
                            MessageButtons::Ok);
}

}  // namespace

void DocumentArea::CmVerboseListing() {
    WaitCursor wait;
    if (listWindow) {
        BringToFront(*listWindow);
        if (auto* window = qobject_cast<HunkWindow*>(listWindow->widget())) window->RestoreFocus();
        return;
    }
    std::unique_ptr<MetaTextHunk> listing =
        BuildFolderListing(state_.settings.listFolder, state_.locations.TitleCachePath());
    // A folder that cannot be read lists nothing, as one without hint files does.
    if (!listing) {
        listing = std::make_unique<MetaTextHunk>(
            std::string(kListingTitlePrefix) + FolderWithSlash(state_.settings.listFolder), nullptr,
            SUBJECT);
    }
    // An entry opens its file as the Open command does, into the current document.
    listing->SetObserver(state_.currentDocument.Observer());
    auto* window = new FileListWindow(std::move(listing), state_.settings);
    listWindow = AddChildWindow(*window);
}

void DocumentArea::CmListFolder() {
    const std::string before = state_.settings.listFolder;
    const std::optional<std::string> chosen = dialogs_.AskFolder(kListFolderPrompt);
    if (!chosen || chosen->empty()) return;
    state_.settings.listFolder = FolderWithSlash(*chosen);
    if (!EqualsNoCase(state_.settings.listFolder, before) && listWindow) {
        delete listWindow.data();
        listWindow = nullptr;
        CmVerboseListing();
    }
}

void DocumentArea::CmFileInfo() {
    Hunk* root = state_.currentDocument.GetRoot();
    if (!root) return;
    Hunk* shown = state_.currentDocument.FindByType(INFO);
    if (!shown && state_.currentDocument.Entry(0) == root) {
        // A file of the older format keeps its author's note among the top subject's children.
        if (auto* items = dynamic_cast<ItemsHunk*>(root)) {
            for (size_t i = 0; i < items->GetChildCount() && !shown; ++i) {
                Hunk* child = items->GetChild(i) ? items->GetChild(i)->AsHunk() : nullptr;
                if (child && child->GetType() == CREDIT) shown = child;
            }
        }
    } else if (!shown) {
        shown = state_.currentDocument.FindByType(VERHUNK);
    }
    if (shown) {
        shown->Open();
        return;
    }
    dialogs_.ShowMessage(kNoInformationText, kFileInformationTitle, MessageIcon::Information,
                         MessageButtons::Ok);
}

void DocumentArea::CmDecodeToText() {
    if (!state_.FileLoaded()) return;
    ExportToFile(dialogs_, state_, kTextFileFilter, "txt",
                 [this](std::ostream& out) { return ExportText(state_.currentDocument, out); });
}

void DocumentArea::CmExportWebPage() {
    if (!state_.FileLoaded()) return;
    ExportToFile(dialogs_, state_, kWebPageFilter, "html", [this](std::ostream& out) {
        return ExportHtml(state_.currentDocument, state_.currentDataPath, out);
    });
}

void DocumentArea::CmFindInFile() {
    Hunk* root = state_.currentDocument.GetRoot();
    if (!root) return;
    const std::optional<std::string> phrase =
        dialogs_.AskText(kFindTitle, kFindPrompt, kFindPhraseLimit);
    // Nothing to look for is a cancel: it would match every element of the file.
    if (!phrase || phrase->find_first_not_of(' ') == std::string::npos) return;
    std::unique_ptr<MetaTextHunk> results;
    {
        WaitCursor wait;
        results = FindInTree(*root, *phrase);
    }
    if (results->GetChildCount() == 0) {
        dialogs_.ShowMessage(kNoHintsFound, Windows1252ToUtf8(SearchTitle(*phrase)), MessageIcon::Stop,
                             MessageButtons::Ok);
        return;
    }
    if (findWindow) {
        delete findWindow.data();
        findWindow = nullptr;
    }
    auto* window = new SearchResultsWindow(std::move(results), state_.settings);
    findWindow = AddChildWindow(*window);
}

void DocumentArea::CmPrintFile() {
    Hunk* root = state_.currentDocument.GetRoot();
    if (!root) return;
    FlattenedText flattened("Hints for " + root->GetName());
    {
        WaitCursor wait;
        FlattenTree(*root, flattened.hunk());
    }
    PrintHunk(flattened.hunk());
}

void DocumentArea::CmPrinterSetup() {
    Printer().Setup(dialogs_);
}

void DocumentArea::CmShowTopWindow() {
    if (Hunk* root = state_.currentDocument.GetRoot()) root->Open();
}

// Windows already open keep what they show.
void DocumentArea::CmResetHintMemory() {
    if (Hunk* root = state_.currentDocument.GetRoot()) root->ResetState();
    emit HintMemoryChanged(nullptr);
}

void DocumentArea::CmSetOptions() {
    SetOptions(dialogs_, *this, state_.settings);
}

void DocumentArea::PrintHunk(MetaTextHunk& hunk) {
    HunkPrintout printout(hunk, static_cast<int>(hunk.GetChildCount()), state_.settings,
                           PrintedPictures(state_));
    Printer().Print(dialogs_, printout);
}

}  // namespace klu
