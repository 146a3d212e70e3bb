#pragma once

#include <optional>
#include <string>
#include <vector>

#include "model/files/zip_members.h"

namespace klu::cli {

// The hint file inside a ZIP archive that klu loads for path, as the reader picks it: the member
// path names (ARCHIVE/MEMBER), or of an archive named itself its only hint file, or the first of
// several by name, with a note on stderr. Nothing when path is no archive, or an archive without
// hint files, which then loads as what it is.
std::optional<MemberPath> MemberToLoad(const std::string& path);

// Unpacks the member into bytes and into a file of its own, readable only by the user, that its
// pictures and sounds are read from (data_path, empty when it cannot be written) until klu ends.
// False when the member is not there or cannot be read.
bool UnpackMember(const MemberPath& member, std::vector<char>& bytes, std::string& data_path);

}  // namespace klu::cli
