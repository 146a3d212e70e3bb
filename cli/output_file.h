#pragma once

#include <string>
#include <string_view>

namespace klu::cli {

// Makes bytes, exactly as they are, the content of the file at path: written beside it and
// renamed over it, so that a failed write leaves the file as it was. Gives 0, or
// kExitCannotCreate after saying so on stderr.
int WriteOutputFile(const std::string& path, std::string_view bytes);

// Gives kExitCannotCreate, after message on stderr, when out is the file input under any name or
// link, which writing would destroy; else 0.
int RefuseOverInput(const std::string& out, const std::string& input, const std::string& message);

// Writes bytes to standard output as they are.
void WriteToStdout(std::string_view bytes);

}  // namespace klu::cli
