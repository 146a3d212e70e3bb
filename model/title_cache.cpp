#include "title_cache.h"

#include <filesystem>
#include <sstream>

#include "text_util.h"

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

void WriteRecord(std::ostream& out, const TFileInfo& entry) {
    WriteField(out, FileNameOf(entry.path));
    WriteField(out, entry.fileTitle);
    WriteField(out, std::to_string(entry.reserved));
    for (const std::string* field :
         {&entry.version, &entry.author, &entry.publisher, &entry.date, &entry.time}) {
        WriteField(out, *field);
    }
    out.flush();
}

std::vector<std::unique_ptr<TFileInfo>> ReadRecords(std::istream& in, std::streamoff& intact_end) {
    std::vector<std::unique_ptr<TFileInfo>> records;
    intact_end = 0;
    while (in.good() && in.peek() != std::istream::traits_type::eof()) {
        auto record = std::make_unique<TFileInfo>(in);
        if (in.fail()) break;
        records.push_back(std::move(record));
        intact_end = in.tellg();
    }
    return records;
}

TitleCache::TitleCache(const std::string& path) : path_(path) {
    // Appending mode creates a missing file and never truncates an existing one.
    file_.open(path, std::ios::in | std::ios::out | std::ios::app | std::ios::binary);
    if (!file_.is_open()) return;
    std::ostringstream bytes;
    bytes << file_.rdbuf();  // an empty file leaves bytes failed and empty, which is right
    std::istringstream contents(std::move(bytes).str());
    for (auto& record : ReadRecords(contents, intactEnd_))
        AddRecord(std::move(record));
    damagedTail_ = static_cast<std::streamoff>(contents.view().size()) != intactEnd_;
    file_.clear();
}

void TitleCache::AddRecord(std::unique_ptr<TFileInfo> record) {
    byName_[ToUpper(record->path)].push_back(records_.size());
    records_.push_back(std::move(record));
}

const TFileInfo* TitleCache::Find(std::string_view file_name) const {
    const auto found = byName_.find(ToUpper(file_name));
    return found == byName_.end() ? nullptr : records_[found->second.front()].get();
}

const TFileInfo* TitleCache::Find(std::string_view file_name, int32_t reserved) const {
    const auto found = byName_.find(ToUpper(file_name));
    if (found == byName_.end()) return nullptr;
    for (size_t index : found->second) {
        if (records_[index]->reserved == reserved) return records_[index].get();
    }
    return nullptr;
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

bool TitleCache::Append(const TFileInfo& entry) {
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
    AddRecord(std::make_unique<TFileInfo>(written));
    return true;
}

}  // namespace klu
