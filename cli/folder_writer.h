#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace klu::cli {

// Writes new files into one folder and nowhere else: the folder is opened once, without
// following a link, and each file is created there only if its name is free, so that no link or
// file planted in the folder, before or during the write, has anything written through it.
class FolderWriter {
  public:
    enum class Result { Written, Taken, Failed };

    // folder must exist; Opened() tells whether it could be opened as a folder.
    explicit FolderWriter(const std::string& folder);
    ~FolderWriter();
    FolderWriter(const FolderWriter&) = delete;
    FolderWriter& operator=(const FolderWriter&) = delete;

    bool Opened() const { return folder_ >= 0; }
    // Makes a file name (no "/") holding bytes. Taken when something has that name already.
    // The file is durable only after Sync().
    Result Create(const std::string& name, std::string_view bytes);
    // Makes an empty file name, as Create does, and gives it open to read and write (the
    // caller closes it); -1 when result is not Written.
    int Open(const std::string& name, Result& result);
    // A file of no name in the folder, open to read and write and gone once closed, or -1 when
    // the system makes none there.
    int CreateUnnamed();
    // Makes the files written so far durable; false when the system could not.
    bool Sync();
    // Removes every file this writer made.
    void RemoveCreated();

  private:
    int folder_ = -1;
    std::vector<std::string> created_;
};

}  // namespace klu::cli
