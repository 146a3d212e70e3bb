#include "output_file.h"

#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <iostream>

#include "exit_codes.h"
#include "model/whole_file.h"

namespace klu::cli {

namespace {

// A device or pipe named as OUT (/dev/stdout, say) is written to as it is; it cannot be
// replaced.
bool IsSpecialFile(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && !S_ISREG(info.st_mode);
}

bool WriteInPlace(const std::string& path, std::string_view bytes) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    if (file) file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (file) file.close();
    return static_cast<bool>(file);
}

}  // namespace

int WriteOutputFile(const std::string& path, std::string_view bytes) {
    // A new file replaces the old one only once it is whole: a full disk keeps the old OUT.
    const bool written =
        IsSpecialFile(path) ? WriteInPlace(path, bytes) : ReplaceWholeFile(path, bytes);
    if (!written) {
        std::cerr << "The file " << path << " could not be written.\n";
        return kExitCannotCreate;
    }
    return 0;
}

int RefuseOverInput(const std::string& out, const std::string& input, const std::string& message) {
    std::error_code error;  // an OUT that does not exist yet is no input
    if (!std::filesystem::equivalent(out, input, error)) return 0;
    std::cerr << message << '\n';
    return kExitCannotCreate;
}

void WriteToStdout(std::string_view bytes) {
    std::cout.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace klu::cli
