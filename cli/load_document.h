#pragma once

#include <string>

#include "exit_codes.h"
#include "model/document/hint_document.h"

namespace klu::cli {

// A file loaded for a command.
struct LoadedFile {
    int status = kExitCannotOpen;  // the load result code, or kExitCannotOpen
    LoadOutcome outcome;           // of a file that could be read
    std::string source;            // the file read: FILE, or the archive of its member
    std::string dataPath;          // where its pictures, sounds and GIFs are read from
};

// Loads a hint file for a command as the reader opens it, a ZIP archive's member too. Every
// failure has the reader's message for it on stderr.
LoadedFile LoadDocument(const std::string& path, HintDocument& document, bool picture_mode);

// The document of the command. klu ends when its command does, so the tree is never taken down
// line by line: the system takes back the process's memory at once.
HintDocument& CommandDocument();

}  // namespace klu::cli
