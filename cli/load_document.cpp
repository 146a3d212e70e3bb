#include "load_document.h"

#include <iostream>
#include <vector>

#include "archive_member.h"
#include "model/file_messages.h"
#include "model/hint_document.h"

namespace klu::cli {

namespace {

// Whether the file at path, or the member it stands for, could be read; if so, loaded holds its
// load result and where its data lies.
bool Load(const std::string& path, THintDocument& document, bool picture_mode, LoadedFile& loaded) {
    LoadResult result = LoadOk;
    if (const std::optional<MemberPath> member = MemberToLoad(path)) {
        std::vector<char> bytes;
        loaded.source = member->archive;
        if (!UnpackMember(*member, bytes, loaded.dataPath)) return false;
        result = LoadHintFileBytes(std::move(bytes), document, picture_mode);
    } else {
        if (!LoadHintFileAt(path, document, picture_mode, result)) return false;
        loaded.source = loaded.dataPath = path;
    }
    loaded.status = result;
    return true;
}

}  // namespace

LoadedFile LoadDocument(const std::string& path, THintDocument& document, bool picture_mode) {
    LoadedFile loaded;
    if (!Load(path, document, picture_mode, loaded)) {
        std::cerr << CannotOpenMessage(path) << '\n';
    } else if (const char* failure = LoadFailureText(loaded.status)) {
        std::cerr << failure << '\n';
    }
    return loaded;
}

THintDocument& CommandDocument() {
    // Still reachable at exit, so leak checkers see no leak.
    static auto* const document = new THintDocument;
    return *document;
}

}  // namespace klu::cli
