#include "compiled_back.h"

#include <unistd.h>

#include "model/document/hint_document.h"
#include "model/outline/outline.h"
#include "model/files/whole_file.h"

namespace klu::cli {

CompiledBack::~CompiledBack() {
    if (fd_ >= 0) ::close(fd_);
}

bool CompiledBack::Take(std::string_view piece, int64_t file_size) {
    if (fd_ >= 0 && WriteAll(fd_, piece)) return true;
    if (fd_ >= 0) MoveToMemory();
    bytes_.reserve(static_cast<size_t>(file_size));
    bytes_.insert(bytes_.end(), piece.begin(), piece.end());
    return true;
}

bool CompiledBack::Load(HintDocument& again) {
    if (fd_ >= 0) {
        HintFileBytes file = ReadHintFile(Path());
        if (file.read != HintFileRead::Failed)
            return LoadHintFile(std::move(file), again, false).result == LoadResult::Ok;
        MoveToMemory();  // the descriptor is not found by a path without /proc
    }
    return LoadCompiledBytes(bytes_, again);
}

TreeFingerprint CompiledBack::FingerprintOf(const HintDocument& again) const {
    if (fd_ >= 0) return klu::FingerprintOf(again, Path());
    return FingerprintOfBytes(again, {bytes_.data(), bytes_.size()});
}

std::string CompiledBack::DifferenceFrom(const HintDocument& first,
                                         const std::string& first_file,
                                         const HintDocument& again) const {
    if (fd_ >= 0) return TreeDifference(first, first_file, again, Path());
    return TreeDifferenceFromBytes(first, first_file, again, {bytes_.data(), bytes_.size()});
}

std::string CompiledBack::Path() const {
    return "/proc/self/fd/" + std::to_string(fd_);
}

void CompiledBack::MoveToMemory() {
    const off_t size = ::lseek(fd_, 0, SEEK_END);
    bytes_.resize(size > 0 ? static_cast<size_t>(size) : 0);
    size_t got = 0;
    while (got < bytes_.size()) {
        const ssize_t read = ::pread(fd_, bytes_.data() + got, bytes_.size() - got,
                                     static_cast<off_t>(got));
        if (read <= 0) break;  // what is missing makes the load fail
        got += static_cast<size_t>(read);
    }
    bytes_.resize(got);
    ::close(fd_);
    fd_ = -1;
}

}  // namespace klu::cli
