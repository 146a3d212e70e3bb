#include "temp_folder.h"

#include <stdlib.h>

#include <fstream>
#include <stdexcept>

namespace klu::cli_test {

TempFolder::TempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "klu-cli-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("cannot make " + pattern);
    path_ = pattern;
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::string TempFolder::PathOf(std::string_view name) const {
    return (path_ / name).string();
}

std::string TempFolder::Write(std::string_view name, std::string_view bytes) const {
    const std::string path = PathOf(name);
    std::ofstream file(path, std::ios::binary);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!file) throw std::runtime_error("cannot write " + path);
    return path;
}

}  // namespace klu::cli_test
