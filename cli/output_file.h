#pragma once

#include <string>
#include <string_view>

namespace klu::cli {

// Writes bytes to the file at path, created or emptied first, exactly as they are. Gives 0, or
// kExitCannotCreate after saying so on stderr.
int WriteOutputFile(const std::string& path, std::string_view bytes);

// Writes bytes to standard output as they are.
void WriteToStdout(std::string_view bytes);

}  // namespace klu::cli
