#pragma once

#include <fstream>
#include <iosfwd>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "model/store/file_info.h"

namespace klu {

// The part of a path after its last "/" (the whole path when it has none).
std::string FileNameOf(std::string_view path);

// Writes one cache record: eight lines, each ended by CR LF (file name, title, reserved number,
// version, author, publisher, date, time). A field cannot hold a line end, so carriage returns
// and line feeds inside a field are written as blanks. Flushes the stream afterwards.
void WriteRecord(std::ostream& out, const FileInfo& entry);

// Reads records from in up to its end or the first damaged record, which is dropped with all
// that follows it. intact_end receives the offset just after the last good record.
std::vector<std::unique_ptr<FileInfo>> ReadRecords(std::istream& in, std::streamoff& intact_end);
// The same from the bytes of a cache file.
std::vector<std::unique_ptr<FileInfo>> ParseRecords(std::string_view bytes, size_t& intact_end);

// The title cache: the records of one cache file, looked up by file name without regard to
// letter case (and by the reserved number, which the listing uses to tell one file of a name
// from another), and new records appended to the file. Records are never changed or removed, so
// the cache keeps records of files that are gone. A file that cannot be opened for reading and
// writing (created when missing) gives an empty cache that writes nothing.
class TitleCache {
  public:
    explicit TitleCache(const std::string& path);

    bool IsOpen() const { return file_.is_open(); }
    size_t RecordCount() const { return records_.size(); }

    // The first record whose file name equals name ignoring case, or null.
    const FileInfo* Find(std::string_view file_name) const;
    // The first such record whose reserved number is also the one given, or null.
    const FileInfo* Find(std::string_view file_name, int32_t reserved) const;
    // That record itself, taken out of the cache (Find no longer gives it), or null: a listing
    // uses each record once, and moving it costs less than a copy.
    std::unique_ptr<FileInfo> Take(std::string_view file_name, int32_t reserved);

    // Appends a record for entry (its file name taken from its path) to the file and to the
    // records found by Find. False when nothing was written: the cache is not open or failed
    // before, or the file name holds a line end and could never be found again.
    bool Append(const FileInfo& entry);

  private:
    void AddRecord(std::unique_ptr<FileInfo> record);
    bool DropDamagedTail();

    std::string path_;
    std::fstream file_;
    std::vector<std::unique_ptr<FileInfo>> records_;
    // The first record of the name that also passes the test, or npos.
    template <typename Test>
    size_t FirstOf(std::string_view file_name, Test test) const;
    // The hash of a file name with its letters folded.
    size_t NameHash(std::string_view file_name) const;

    // hash of the folded file name -> the number of a record (a record taken out is null)
    std::unordered_multimap<size_t, size_t> byName_;
    mutable std::string folded_;  // the name hashed, kept to spare an allocation per lookup
    std::streamoff intactEnd_ = 0;
    bool damagedTail_ = false;
    bool writeFailed_ = false;
};

}  // namespace klu
