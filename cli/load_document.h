#pragma once

#include <string>

namespace klu {
class THintDocument;
}

namespace klu::cli {

// Loads a hint file for a command and gives the command's exit status: the load result code,
// or kExitCannotOpen after the reader's message has gone to stderr.
int LoadDocument(const std::string& path, THintDocument& document, bool picture_mode);

// The document of the command. klu ends when its command does, so the tree is never taken down
// line by line: the system takes back the process's memory at once.
THintDocument& CommandDocument();

}  // namespace klu::cli
