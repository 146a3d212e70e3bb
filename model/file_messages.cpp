#include "file_messages.h"

#include "hint_document.h"

namespace klu {

std::string CannotOpenMessage(const std::string& path) {
    return path + kCannotOpenText;
}

std::string SaveOverOpenFileMessage(const std::string& target) {
    return target + " is the hint file that is open." + kSaveWouldDestroyText;
}

const char* LoadFailureText(int result) {
    switch (result) {
        case LoadNotHintFile:
            return kNotHintFileText;
        case LoadCorrupted:
            return kCorruptedText;
        case LoadOutOfMemory:
            return kOutOfMemoryText;
        case LoadZipArchive:
            return kZipArchiveText;
        default:
            return nullptr;
    }
}

}  // namespace klu
