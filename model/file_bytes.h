#pragma once

#include <string>
#include <vector>

namespace klu {

// Reads a whole regular file. Gives false when the path cannot be opened or read, or names
// something other than a regular file.
bool ReadFileBytes(const std::string& path, std::vector<char>& bytes);

}  // namespace klu
