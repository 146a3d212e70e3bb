#include "load_document.h"

#include <iostream>
#include <vector>

#include "archive_member.h"
#include "model/document/file_messages.h"
#include "model/document/hint_document.h"

namespace klu::cli {

namespace {

// Whether the file at path, or the member it stands for, could be read; if so, loaded holds its
// load outcome and where its data lies, and a failed load's message is on stderr.
bool Load(const std::string& path, HintDocument& document, bool picture_mode, LoadedFile& loaded) {
    HintFileBytes file;
    if (const std::optional<MemberPath> member = MemberToLoad(path)) {
        loaded.source = member->archive;
        if (!UnpackMember(*member, file.bytes, loaded.dataPath)) return false;
    } else {
        file = ReadHintFile(path);
        if (file.read == HintFileRead::Failed) return false;
        loaded.source = loaded.dataPath = path;
    }
    loaded.outcome = LoadHintFile(std::move(file), document, picture_mode);
    loaded.status = static_cast<int>(loaded.outcome.result);
    if (const char* failure = LoadFailureText(loaded.outcome.result)) std::cerr << failure << '\n';
    return true;
}

}  // namespace

LoadedFile LoadDocument(const std::string& path, HintDocument& document, bool picture_mode) {
    LoadedFile loaded;
    if (!Load(path, document, picture_mode, loaded)) std::cerr << CannotOpenMessage(path) << '\n';
    return loaded;
}

HintDocument& CommandDocument() {
    // Still reachable at exit, so leak checkers see no leak.
    static auto* const document = new HintDocument;
    return *document;
}

}  // namespace klu::cli
