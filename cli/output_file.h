#pragma once

#include <fstream>
#include <optional>
#include <string>
#include <string_view>

#include "model/files/whole_file.h"

namespace klu::cli {

// New content for the file at path, written in pieces beside it and renamed over it once
// whole, so that a failed write leaves the file as it was. A device or pipe named as the file
// (/dev/stdout, say) cannot be replaced and is written as it is.
class OutputFile {
  public:
    explicit OutputFile(const std::string& path);
    // False once any piece could not be written.
    bool Write(std::string_view piece);
    // Gives 0 once the content is in the file's place, or kExitCannotCreate after saying so on
    // stderr (nothing of it is left then).
    int Commit();

  private:
    std::string path_;
    std::optional<FileReplacement> replacement_;
    std::ofstream in_place_;
    bool failed_ = false;
};

// Makes bytes, exactly as they are, the content of the file at path through an OutputFile.
int WriteOutputFile(const std::string& path, std::string_view bytes);

// Gives kExitCannotCreate, after message on stderr, when out is the file input under any name or
// link, which writing would destroy; else 0.
int RefuseOverInput(const std::string& out, const std::string& input, const std::string& message);

// Writes bytes to standard output as they are.
void WriteToStdout(std::string_view bytes);

}  // namespace klu::cli
