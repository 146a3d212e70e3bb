#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

#include "../model/temp_folder.h"

namespace klu::cli_test {

using test::ReadFile;

// The model tests' temporary folder, with paths and writes as the command-line tests use them.
class TempFolder : public test::TempFolder {
  public:
    std::string PathOf(std::string_view name) const { return *this / std::string(name); }
    // Writes bytes to a file of the folder and gives its path.
    std::string Write(std::string_view name, std::string_view bytes) const {
        const std::string path = PathOf(name);
        std::ofstream file(path, std::ios::binary);
        file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        if (!file) throw std::runtime_error("cannot write " + path);
        return path;
    }
};

}  // namespace klu::cli_test
