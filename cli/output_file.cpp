#include "output_file.h"

#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <iostream>

#include "exit_codes.h"
#include "model/files/whole_file.h"

namespace klu::cli {

namespace {

// A device or pipe named as OUT (/dev/stdout, say) is written to as it is; it cannot be
// replaced.
bool IsSpecialFile(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && !S_ISREG(info.st_mode);
}

}  // namespace

OutputFile::OutputFile(const std::string& path) : path_(path) {
    if (IsSpecialFile(path)) {
        in_place_.open(path, std::ios::binary | std::ios::trunc);
        failed_ = !in_place_;
    } else {
        replacement_.emplace(path);
    }
}

bool OutputFile::Write(std::string_view piece) {
    if (failed_) return false;
    if (replacement_) {
        failed_ = !replacement_->Write(piece);
    } else {
        failed_ = !in_place_.write(piece.data(), static_cast<std::streamsize>(piece.size()));
    }
    return !failed_;
}

int OutputFile::Commit() {
    if (!failed_) {
        if (replacement_) {
            failed_ = !replacement_->Commit();
        } else {
            in_place_.close();
            failed_ = !in_place_;
        }
    }
    if (!failed_) return 0;
    std::cerr << "The file " << path_ << " could not be written.\n";
    return kExitCannotCreate;
}

int WriteOutputFile(const std::string& path, std::string_view bytes) {
    OutputFile file(path);
    file.Write(bytes);
    return file.Commit();
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
