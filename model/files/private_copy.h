#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace klu {

// Bytes kept in a file of their own for as long as this object lives: created under a name no
// other process can predict or take, readable by its user alone, and hidden (its name starts
// with "."), so no listing shows it. Removed when the object goes.
class PrivateCopy {
  public:
    // A copy of bytes in folder; nothing when it could not be written.
    static std::unique_ptr<PrivateCopy> Create(const std::string& folder, std::string_view bytes);

    PrivateCopy(const PrivateCopy&) = delete;
    PrivateCopy& operator=(const PrivateCopy&) = delete;
    ~PrivateCopy();

    const std::string& Path() const { return path_; }

  private:
    explicit PrivateCopy(std::string path) : path_(std::move(path)) {}

    std::string path_;
};

}  // namespace klu
