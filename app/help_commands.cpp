// The commands of the Help menu and the help request of the ZIP-archive message.
#include "command_texts.h"
#include "klu_client.h"
#include "menu_table.h"
#include "model/hunk.h"
#include "model/plain_text.h"
#include "open_hint_file.h"
#include "views/wait_cursor.h"

namespace klu {

THunk* TKLUClient::HelpSubjectOr(const std::string& title) const {
    THunk* root = state_.HelpRoot();
    if (!root) return nullptr;
    THunk* subject = root->FindByName(title);
    return subject ? subject : root;
}

void TKLUClient::ShowHelpFile() {
    if (THunk* shown = HelpSubjectOr(kHelpIndexTitle)) {
        shown->Open();
        return;
    }
    dialogs_.ShowMessage(kNoHelpFileText, kErrorTitle, MessageIcon::None, MessageButtons::Ok);
}

void TKLUClient::CmPrintHelpFile() {
    THunk* start = HelpSubjectOr(kHelpIndexTitle);
    if (!start) {
        dialogs_.ShowMessage(kNoHelpFileToPrintText, kErrorTitle, MessageIcon::Stop,
                             MessageButtons::Ok);
        return;
    }
    FlattenedText flattened(kHelpPrintTitle);
    {
        WaitCursor wait;
        FlattenTree(*start, flattened.hunk());
    }
    PrintHunk(flattened.hunk());
}

void TKLUClient::CmWebSite() {
    if (MakerWebAddress().empty() || dialogs_.OpenWebAddress(MakerWebAddress())) return;
    dialogs_.ShowMessage(kWebSiteFailureText + MakerWebAddress(), kWebSiteFailureTitle,
                         MessageIcon::None, MessageButtons::Ok);
}

// Only the subject itself will do here: the help file's top would not answer the question.
void TKLUClient::HelpOnZipArchives() {
    THunk* root = state_.HelpRoot();
    if (THunk* subject = root ? root->FindByName(kZipHelpTitle) : nullptr) {
        subject->Open();
        return;
    }
    dialogs_.ShowMessage(kNoHelpFileText, kErrorTitle, MessageIcon::None, MessageButtons::Ok);
}

}  // namespace klu
