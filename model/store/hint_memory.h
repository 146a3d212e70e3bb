#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "model/store/profile_file.h"

namespace klu {

class HintDocument;
class Hunk;

// The profile section that holds one hint-memory string per file.
inline constexpr char kMemorySection[] = "Memory";

// The length of the file in bytes, measured by opening it; for a member of a ZIP archive
// ("archive.zip/NAME.KLU") its unpacked length. -1 when it cannot be opened (or is not a
// regular file).
int64_t MeasureFileLength(const std::string& path);

// The key of a file's hint memory: the path exactly as the file was opened, ".", the length.
// A changed file (another length) thus starts without memory.
std::string MemoryKey(std::string_view path, int64_t length);

// MemoryKey with the length the file has now.
std::string MemoryKeyOf(const std::string& path);

// The revealed count of every question in tree order, each followed by ",".
std::string HintMemoryString(const Hunk& root);

// Takes the counts of a hint-memory string into the tree. A string that claims more hints than
// some question has is discarded by setting every count to 0.
void ApplyHintMemory(Hunk& root, std::string memory);

// The profile entry that keeps the counts of the document opened from path; nothing when the
// document has no root.
std::optional<ProfileEntry> HintMemoryEntry(const HintDocument& document, const std::string& path);

// Writes the counts of the document opened from path to the profile. True when there was
// nothing to write; false when the profile could not be written.
bool SaveHintMemory(ProfileFile& profile, const HintDocument& document, const std::string& path);

// Reads the counts stored for the file at path into the document just loaded from it.
void RestoreHintMemory(const ProfileFile& profile, HintDocument& document,
                       const std::string& path);

}  // namespace klu
