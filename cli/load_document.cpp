#include "load_document.h"

#include <iostream>

#include "exit_codes.h"
#include "model/hint_document.h"

namespace klu::cli {

int LoadDocument(const std::string& path, THintDocument& document, bool picture_mode) {
    LoadResult result = LoadOk;
    if (!LoadHintFileAt(path, document, picture_mode, result)) {
        // The same words the reader shows in its message box.
        std::cerr << "The file " << path << " could not be opened.\n";
        return kExitCannotOpen;
    }
    return result;
}

THintDocument& CommandDocument() {
    // Still reachable at exit, so leak checkers see no leak.
    static auto* const document = new THintDocument;
    return *document;
}

}  // namespace klu::cli
