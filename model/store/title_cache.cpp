#include "model/store/title_cache.h"

#include <algorithm>
#include <filesystem>
#include <sstream>

#include "model/text/text_util.h"

namespace klu {
namespace {

void WriteField(std::ostream& out, std::string_view field) {
    for (char c : field)
        out.put(c == '\r' || c == '\n' ? ' ' : c);
    out << "\r\n";
}

bool HoldsLineEnd(std::string_view text) {
    return text.find_first_of("\r\n") != std::string_view::npos;
}

}  // namespace

std::string FileNameOf(std::string_view path) {
    const size_t slash = path.rfind('/');
    return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

void WriteRecord(std::ostream& out, const FileInfo& entry) {
    WriteField(out, FileNameOf(entry.path));
    WriteField(out, entry.fileTitle);
    WriteField(out, std::to_string(entry.reserved));
    for (const std::string* field :
         {&entry.version, &entry.author, &entry.publisher, &entry.date, &entry.time}) {
        WriteField(out, *field);
    }
    out.flush();
}

namespace {

// The next whole line of a record, without its line end (and a carriage return before it);
// false for a line that the bytes end inside.
bool NextRecordLine(std::string_view bytes, size_t& at, std::string_view& line) {
    const size_t end = bytes.find('\n', at);
    if (end == std::string_view::npos) return false;
    line = bytes.substr(at, end - at);
    if (line.ends_with('\r')) line.remove_suffix(1);
    at = end + 1;
    return true;
}

// One record from at on, or null for a damaged one.
std::unique_ptr<FileInfo> ParseRecord(std::string_view bytes, size_t& at) {
    std::string_view lines[8];
    for (std::string_view& line : lines) {
        if (!NextRecordLine(bytes, at, line)) return nullptr;
    }
    auto record = std::make_unique<FileInfo>();
    if (!ParseReservedNumber(lines[2], record->reserved)) return nullptr;
    record->path = lines[0];
    record->fileTitle = lines[1];
    record->version = lines[3];
    record->author = lines[4];
    record->publisher = lines[5];
    record->date = lines[6];
    record->time = lines[7];
    return record;
}

}  // namespace

std::vector<std::unique_ptr<FileInfo>> ParseRecords(std::string_view bytes, size_t& intact_end) {
    std::vector<std::unique_ptr<FileInfo>> records;
    intact_end = 0;
    size_t at = 0;
    while (at < bytes.size()) {
        std::unique_ptr<FileInfo> record = ParseRecord(bytes, at);
        if (!record) break;
        records.push_back(std::move(record));
        intact_end = at;
    }
    return records;
}

std::vector<std::unique_ptr<FileInfo>> ReadRecords(std::istream& in, std::streamoff& intact_end) {
    std::ostringstream bytes;
    bytes << in.rdbuf();  // an empty stream leaves bytes failed and empty, which is right
    size_t end = 0;
    auto records = ParseRecords(bytes.view(), end);
    intact_end = static_cast<std::streamoff>(end);
    return records;
}

TitleCache::TitleCache(const std::string& path) : path_(path) {
    // Appending mode creates a missing file and never truncates an existing one.
    file_.open(path, std::ios::in | std::ios::out | std::ios::app | std::ios::binary);
    if (!file_.is_open()) return;
    std::string bytes;
    file_.seekg(0, std::ios::end);
    const std::streamoff size = file_.tellg();
    file_.seekg(0);
    if (size > 0) {
        bytes.resize(static_cast<size_t>(size));
        file_.read(bytes.data(), size);
        bytes.resize(static_cast<size_t>(std::max<std::streamsize>(file_.gcount(), 0)));
    }
    size_t intact_end = 0;
    std::vector<std::unique_ptr<FileInfo>> records = ParseRecords(bytes, intact_end);
    records_.reserve(records.size());
    byName_.reserve(records.size());
    for (auto& record : records)
        AddRecord(std::move(record));
    intactEnd_ = static_cast<std::streamoff>(intact_end);
    damagedTail_ = bytes.size() != intact_end;
    file_.clear();
}

size_t TitleCache::NameHash(std::string_view file_name) const {
    folded_.assign(file_name);
    for (char& c : folded_)
        c = FoldCase(c);
    return std::hash<std::string_view>()(folded_);
}

void TitleCache::AddRecord(std::unique_ptr<FileInfo> record) {
    byName_.emplace(NameHash(record->path), records_.size());
    records_.push_back(std::move(record));
}

template <typename Test>
size_t TitleCache::FirstOf(std::string_view file_name, Test test) const {
    size_t first = std::string::npos;
    const auto [begin, end] = byName_.equal_range(NameHash(file_name));
    for (auto it = begin; it != end; ++it) {
        const size_t index = it->second;
        const FileInfo* record = records_[index].get();
        if (index < first && record && EqualsNoCase(record->path, file_name) && test(*record))
            first = index;
    }
    return first;
}

const FileInfo* TitleCache::Find(std::string_view file_name) const {
    const size_t index = FirstOf(file_name, [](const FileInfo&) { return true; });
    return index == std::string::npos ? nullptr : records_[index].get();
}

const FileInfo* TitleCache::Find(std::string_view file_name, int32_t reserved) const {
    const size_t index =
        FirstOf(file_name, [reserved](const FileInfo& r) { return r.reserved == reserved; });
    return index == std::string::npos ? nullptr : records_[index].get();
}

std::unique_ptr<FileInfo> TitleCache::Take(std::string_view file_name, int32_t reserved) {
    const size_t index =
        FirstOf(file_name, [reserved](const FileInfo& r) { return r.reserved == reserved; });
    return index == std::string::npos ? nullptr : std::move(records_[index]);
}

// Reading stopped at a damaged record, so anything written after it would never be read. The
// damaged part goes before the first new record: the records before the damage stay as they are,
// and every record written from now on is read back intact.
bool TitleCache::DropDamagedTail() {
    std::error_code error;
    std::filesystem::resize_file(path_, static_cast<uintmax_t>(intactEnd_), error);
    if (error) return false;
    damagedTail_ = false;
    return true;
}

bool TitleCache::Append(const FileInfo& entry) {
    if (!file_.is_open() || writeFailed_ || HoldsLineEnd(FileNameOf(entry.path))) return false;
    if (damagedTail_ && !DropDamagedTail()) {
        writeFailed_ = true;
        return false;
    }
    std::ostringstream record;
    WriteRecord(record, entry);
    const std::string bytes = record.str();
    file_.seekp(0, std::ios::end);
    file_.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    file_.flush();
    if (!file_) {
        // A record cut short would end the reading there; the next run drops it before writing.
        writeFailed_ = true;
        return false;
    }
    // The record as a later run reads it back.
    std::istringstream written(bytes);
    AddRecord(std::make_unique<FileInfo>(written));
    return true;
}

}  // namespace klu
