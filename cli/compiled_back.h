#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "model/outline/tree_compare.h"

namespace klu {
class HintDocument;
}

namespace klu::cli {

// The hint file that decompile compiles back from its outline, to compare its tree with the
// first. It goes to a file of no name in the folder (fd), which nobody can open by a name or
// plant a link in, so that the file is not held in memory beside the plan it is made from; it
// is held in memory where the system makes no such file (fd -1), or once writing to it fails.
class CompiledBack {
  public:
    explicit CompiledBack(int fd) : fd_(fd) {}
    ~CompiledBack();
    CompiledBack(const CompiledBack&) = delete;
    CompiledBack& operator=(const CompiledBack&) = delete;

    // A piece of the file, as the writer gives it; always taken.
    bool Take(std::string_view piece, int64_t file_size);
    // Loads the file into again; false when it does not load.
    bool Load(HintDocument& again);
    TreeFingerprint FingerprintOf(const HintDocument& again) const;
    // Where first (loaded from first_file) and again differ, "" when they do not.
    std::string DifferenceFrom(const HintDocument& first, const std::string& first_file,
                               const HintDocument& again) const;

  private:
    std::string Path() const;
    // Goes on in memory with what the file holds.
    void MoveToMemory();

    int fd_;
    std::vector<char> bytes_;
};

}  // namespace klu::cli
