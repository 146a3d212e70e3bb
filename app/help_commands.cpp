// The commands of the Help menu and the help request of the ZIP-archive message.
#include "command_texts.h"
#include "document_area.h"
#include "menu_table.h"
#include "model/document/hunk.h"
#include "model/export/plain_text.h"
#include "open_hint_file.h"
#include "views/wait_cursor.h"

namespace klu {

Hunk* DocumentArea::HelpSubjectOr(const std::string& title) const {
    Hunk* root = state_.HelpRoot();
    if (!root) return nullptr;
    Hunk* subject = root->FindByName(title);
    return subject ? subject : root;
}

void DocumentArea::ShowHelpFile() {
    if (Hunk* shown = HelpSubjectOr(kHelpIndexTitle)) {
        shown->Open();
        return;
    }
    dialogs_.ShowMessage(kNoHelpFileText, kErrorTitle, MessageIcon::None, MessageButtons::Ok);
}

void DocumentArea::CmPrintHelpFile() {
    Hunk* start = HelpSubjectOr(kHelpIndexTitle);
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

void DocumentArea::CmWebSite() {
    if (MakerWebAddress().empty() || dialogs_.OpenWebAddress(MakerWebAddress())) return;
    dialogs_.ShowMessage(kWebSiteFailureText + MakerWebAddress(), kWebSiteFailureTitle,
                         MessageIcon::None, MessageButtons::Ok);
}

// Only the subject itself will do here: the help file's top would not answer the question.
void DocumentArea::HelpOnZipArchives() {
    Hunk* root = state_.HelpRoot();
    if (Hunk* subject = root ? root->FindByName(kZipHelpTitle) : nullptr) {
        subject->Open();
        return;
    }
    dialogs_.ShowMessage(kNoHelpFileText, kErrorTitle, MessageIcon::None, MessageButtons::Ok);
}

}  // namespace klu
