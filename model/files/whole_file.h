#pragma once

#include <string>
#include <string_view>

#include "model/files/file_bytes.h"

namespace klu {

// Writes every byte to the open file fd, again after an interruption; false, with errno set,
// when the file takes no more.
bool WriteAll(int fd, std::string_view bytes);

// A new content for the file at path that takes the file's place only once it is whole: the
// bytes go to a new file in the same folder, under a name nobody can predict, created so that
// nothing planted under that name is followed or reused; Commit flushes it to the disk and
// renames it over the old file. Until then, and after any failure, the old file stays as it was,
// and a replacement that is dropped leaves nothing behind. A symbolic link at path is followed
// and stays a link. An existing file keeps its permissions; one that we may not write, or that
// is no regular file, is left alone.
class FileReplacement {
  public:
    explicit FileReplacement(const std::string& path);
    FileReplacement(const FileReplacement&) = delete;
    FileReplacement& operator=(const FileReplacement&) = delete;
    ~FileReplacement();

    // False when no new file could be made; Error() then says why.
    bool Opened() const { return fd_ >= 0; }
    // The new file, for writing; -1 when not opened.
    int Descriptor() const { return fd_; }
    // The system's error number of the first failure, 0 while there was none.
    int Error() const { return error_; }

    bool Write(std::string_view bytes);
    // Writes what the old file holds (nothing when there is none), so that what follows is
    // added to its end.
    bool CopyOldContent();
    // Puts the new file in the old one's place. False, leaving the old file, when anything failed.
    bool Commit();

  private:
    bool Fail(int error);

    std::string target_;
    std::string temporary_;
    int fd_ = -1;
    int error_ = 0;
};

// Makes bytes the content of the file at path through a FileReplacement. Gives false when the
// file could not be replaced.
bool ReplaceWholeFile(const std::string& path, std::string_view bytes);

// Adds bytes to the end of the file at path (creating it when missing) the same way: the old
// content and the new bytes are written to a new file that replaces it, so a failed write leaves
// the old file whole.
bool AppendToFile(const std::string& path, std::string_view bytes);

// Removes the temporary files that replacements of path left behind when their process was
// killed before the rename ("path.~PID-TAG" of a PID that no longer runs). Those of running
// processes stay: they may be writing. Gives how many were removed.
int RemoveStaleTemporaries(const std::string& path);

}  // namespace klu
