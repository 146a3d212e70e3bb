#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace klu::cli_test {

// A fresh folder under the system's temporary folder, removed with everything in it at the end.
class TempFolder {
  public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // Writes bytes to a file of the folder and gives its path.
    std::string Write(std::string_view name, std::string_view bytes) const;
    std::string PathOf(std::string_view name) const;

  private:
    std::filesystem::path path_;
};

}  // namespace klu::cli_test
