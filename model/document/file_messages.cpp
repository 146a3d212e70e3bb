#include "model/document/file_messages.h"

#include "model/document/hint_document.h"

namespace klu {

std::string CannotOpenMessage(const std::string& path) {
    return path + kCannotOpenText;
}

std::string SaveOverOpenFileMessage(const std::string& target) {
    return target + " is the hint file that is open." + kSaveWouldDestroyText;
}

const char* LoadFailureText(LoadResult result) {
    switch (result) {
        case LoadResult::NotHintFile:
            return kNotHintFileText;
        case LoadResult::Corrupted:
            return kCorruptedText;
        case LoadResult::OutOfMemory:
            return kOutOfMemoryText;
        case LoadResult::ZipArchive:
            return kZipArchiveText;
        case LoadResult::Ok:
            break;
    }
    return nullptr;
}

}  // namespace klu
