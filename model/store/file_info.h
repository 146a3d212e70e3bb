#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>
#include <string_view>

#include "model/document/klu_object.h"

namespace klu {

class TextFileLines;
class Hunk;

// The reserved number of a cache record's third line: optional blanks, a decimal number in the
// 32-bit range, optional blanks. False for anything else.
bool ParseReservedNumber(std::string_view text, int32_t& value);

// One entry of the verbose file listing: a hint file named by the title stored inside it, with
// the header values that its title cache record carries. The inherited title stays empty.
class FileInfo : public TreeNode {
  public:
    // Scans the header of the file at path. A file that cannot be opened, or is not a hint file,
    // gives an entry with an empty title and an empty version.
    FileInfo(std::string file_path, int32_t reserved_value);
    // Scans the header from lines already opened; path is only stored.
    FileInfo(TextFileLines& lines, std::string file_path, int32_t reserved_value);
    // Reads one title cache record. A damaged record (a line missing, a line end missing, a third
    // line that is not a number) leaves the stream failed.
    explicit FileInfo(std::istream& records);
    // An entry with every field empty, for a record read by other means.
    FileInfo();
    FileInfo(const FileInfo& other);

    // The title; "title (NAME.KLU)" when showFileName is set.
    std::string GetName() const override;
    HunkKind GetType() const override { return ABSTRACT; }
    // A link in the listing window.
    bool IsHunk() const override { return true; }
    // Opens path as a hint file, as the Open command would.
    void Open() override;

    std::string path;  // in a listing: the full path; read from the cache: the bare file name
    std::string fileTitle;
    std::string version;
    std::string author;
    std::string publisher;
    std::string time;
    std::string date;
    int32_t reserved = 0;
    // The listing holds another entry of this title: the file name tells the two apart.
    bool showFileName = false;
    // The listing that holds the entry (not owning), whose observer opens the file; or none.
    const Hunk* listing = nullptr;

  private:
    void ScanHeader(TextFileLines& lines);
    void MarkAsLine();
};

}  // namespace klu
