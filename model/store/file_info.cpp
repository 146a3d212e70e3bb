#include "model/store/file_info.h"

#include <algorithm>
#include <charconv>
#include <istream>

#include "model/document/document_observer.h"
#include "model/document/hunk.h"
#include "model/text/leading_number.h"
#include "model/files/text_file_lines.h"
#include "model/text/text_util.h"

namespace klu {
namespace {

// A hunk header of the given keyword (" subject", " version", " info"): a line that begins with a
// non-zero number and holds the keyword.
bool IsHeaderOf(std::string_view line, std::string_view keyword) {
    return FindNoCase(line, keyword) != std::string_view::npos && LeadingNumber(line) != 0;
}

// The title cache stores a carriage return inside a field as a blank; storing it so here as well
// makes a listing look alike whether its entries were scanned or read from the cache.
std::string WithoutReturns(std::string line) {
    for (char& c : line) {
        if (c == '\r') c = ' ';
    }
    return line;
}

// Reads lines until one holds text; false when the text ends first.
bool SkipPastLineHolding(TextFileLines& lines, std::string& line, std::string_view text) {
    while (lines.Next(line)) {
        if (FindNoCase(line, text) != std::string::npos) return true;
    }
    return false;
}

// Reads lines up to the header of a hunk with the keyword; false when the text ends first.
bool SkipToHeader(TextFileLines& lines, std::string& line, std::string_view keyword) {
    while (lines.Next(line)) {
        if (IsHeaderOf(line, keyword)) return true;
    }
    return false;
}

// One whole line of a cache record; a line without its line end counts as damage.
bool ReadRecordLine(std::istream& in, std::string& line) {
    if (!std::getline(in, line)) return false;
    if (in.eof()) {
        in.setstate(std::ios::failbit);
        return false;
    }
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return true;
}

}  // namespace

bool ParseReservedNumber(std::string_view text, int32_t& value) {
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return false;
    const char* begin = text.data() + first;
    if (*begin == '+' && text.size() - first > 1 && begin[1] != '-') ++begin;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(begin, end, value);
    if (error != std::errc()) return false;
    for (const char* p = stop; p != end; ++p) {
        if (*p != ' ' && *p != '\t') return false;
    }
    return true;
}

FileInfo::FileInfo() {
    MarkAsLine();
}

std::string FileInfo::GetName() const {
    if (!showFileName) return fileTitle;
    const size_t slash = path.rfind('/');
    return fileTitle + " (" + path.substr(slash == std::string::npos ? 0 : slash + 1) + ")";
}

FileInfo::FileInfo(std::string file_path, int32_t reserved_value)
    : path(std::move(file_path)), reserved(reserved_value) {
    MarkAsLine();
    TextFileLines lines(path);
    ScanHeader(lines);
}

FileInfo::FileInfo(TextFileLines& lines, std::string file_path, int32_t reserved_value)
    : path(std::move(file_path)), reserved(reserved_value) {
    MarkAsLine();
    ScanHeader(lines);
}

FileInfo::FileInfo(std::istream& records) {
    MarkAsLine();
    std::string number;
    if (!ReadRecordLine(records, path) || !ReadRecordLine(records, fileTitle) ||
        !ReadRecordLine(records, number)) {
        return;
    }
    if (!ParseReservedNumber(number, reserved)) {
        records.setstate(std::ios::failbit);
        return;
    }
    for (std::string* field : {&version, &author, &publisher, &date, &time}) {
        if (!ReadRecordLine(records, *field)) return;
    }
}

void FileInfo::Open() {
    // Opening a file may rebuild what holds this entry: keep a copy of the path.
    const std::string file = path;
    if (DocumentObserver* observer = listing ? listing->Observer() : nullptr)
        observer->OpenHintFile(file);
}

FileInfo::FileInfo(const FileInfo& other)
    : TreeNode(),
      path(other.path),
      fileTitle(other.fileTitle),
      version(other.version),
      author(other.author),
      publisher(other.publisher),
      time(other.time),
      date(other.date),
      reserved(other.reserved) {
    MarkAsLine();
}

void FileInfo::MarkAsLine() {
    // Each entry stands on a line of its own.
    hardBreak = 1;
    wrap = 1;
}

// Stops at the first read that fails, keeping what was found: a file that is only partly
// readable still shows the best title it has.
void FileInfo::ScanHeader(TextFileLines& lines) {
    std::string line;
    if (!lines.Next(line) || !EqualsNoCase(line, "KLU")) return;
    version = "88a";
    if (!lines.Next(line)) return;
    fileTitle = WithoutReturns(line.substr(std::min(line.find_first_not_of(' '), line.size())));

    if (!SkipPastLineHolding(lines, line, "** END OF 88A FORMAT **")) return;

    // The newer part: the root subject's title, then the version hunk's title, then the keys of
    // the information hunk, which comes after the whole hint tree.
    if (!SkipToHeader(lines, line, " subject") || !lines.Next(line)) return;
    fileTitle = WithoutReturns(line);
    if (!SkipToHeader(lines, line, " version") || !lines.Next(line)) return;
    version = WithoutReturns(line);
    if (!SkipToHeader(lines, line, " info")) return;

    const int64_t info_lines = LeadingNumber(line);
    static constexpr struct {
        std::string_view key;
        std::string FileInfo::*field;
    } kKeys[] = {{"AUTHOR=", &FileInfo::author},
                 {"PUBLISHER=", &FileInfo::publisher},
                 {"DATE=", &FileInfo::date},
                 {"TIME=", &FileInfo::time}};
    for (int64_t i = 0; i < info_lines && lines.Next(line); ++i) {
        for (const auto& [key, field] : kKeys) {
            if (StartsWithNoCase(line, key)) this->*field = WithoutReturns(line.substr(key.size()));
        }
    }
}

}  // namespace klu
