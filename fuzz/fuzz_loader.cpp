// Loads arbitrary bytes as a hint file in both picture modes, then walks what was built. The
// bytes are loaded a second time with text bodies decoded where they lie and every byte read
// past overwritten at once, which must give the same result and tree.

#include <cstdlib>
#include <string>
#include <vector>

#include "model/document/hint_document.h"
#include "model/format/hint_stream.h"
#include "model/document/hunk.h"
#include "model/format/released_prefix.h"
#include "model/outline/tree_compare.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    for (const bool picture_mode : {false, true}) {
        klu::HintDocument document;
        std::vector<char> bytes(data, data + size);
        const klu::LoadOutcome outcome =
            klu::LoadHintFileCopying(bytes, document, picture_mode);
        klu::HintDocument in_place;
        klu::HintFileBytes file{
            klu::HintFileRead::Whole, std::vector<char>(data, data + size),
            klu::ReleasedPrefix::OverwritingEachByte({reinterpret_cast<const char*>(data), size})};
        const klu::LoadOutcome in_place_outcome =
            klu::LoadHintFile(std::move(file), in_place, picture_mode);
        if (in_place_outcome.result != outcome.result ||
            !klu::TreeDifference(document, "", in_place, "").empty())
            std::abort();
        klu::Hunk* root = document.GetRoot();
        if (!root) continue;
        root->SetNumber("");
        (void)root->GetDataEnd();
        // Saved reading state must survive a restore unchanged.
        std::string saved, restored;
        root->SaveState(saved);
        std::string input = saved;
        root->RestoreState(input);
        root->SaveState(restored);
        if (restored != saved || !root->StateValid()) std::abort();
    }
    return 0;
}
