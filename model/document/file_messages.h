#pragma once

#include <string>

namespace klu {

enum class LoadResult : int;

// What the reader says when a file does not open, or must not be written; klu says the same on
// stderr.
inline constexpr char kCannotOpenText[] =
    " could not be opened.  Make sure that this file exists, and that no other application is "
    "using it.";
inline constexpr char kNotHintFileText[] = "The file you have tried to open is not a KLU file.";
inline constexpr char kCorruptedText[] =
    "The hint file that you have tried to open has been corrupted.  Try downloading it again, and "
    "contact the KLU for support if you continue receive this error.";
inline constexpr char kOutOfMemoryText[] =
    "Out of memory.  Close any open applications and try loading this file again.";
inline constexpr char kZipArchiveText[] =
    "The file you have tried to open is a ZIP-compressed archive.  You must first uncompress .ZIP "
    "files before loading them into the KLU reader.";

// The message for a file that cannot be opened: its path as given, then kCannotOpenText.
std::string CannotOpenMessage(const std::string& path);

// The message of a failed load result, or none for LoadResult::Ok and for a result without one.
const char* LoadFailureText(LoadResult result);

// The end of the message that refuses a save over a file it would destroy.
inline constexpr char kSaveWouldDestroyText[] = "  Saving would destroy it; choose another file.";

// The message that refuses a save to target, which is the hint file that is open.
std::string SaveOverOpenFileMessage(const std::string& target);

}  // namespace klu
