// Reads arbitrary bytes both as a title cache and as a hint file's header. A record, once written,
// must read back as written; a scanned entry must come back from its record unchanged.

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "model/store/file_info.h"
#include "model/files/text_file_lines.h"
#include "model/store/title_cache.h"

namespace {

std::string RecordOf(const klu::FileInfo& entry) {
    std::ostringstream record;
    klu::WriteRecord(record, entry);
    return record.str();
}

// The one record that bytes hold.
std::unique_ptr<klu::FileInfo> ReadOne(const std::string& bytes) {
    std::istringstream in(bytes);
    std::streamoff end = 0;
    auto records = klu::ReadRecords(in, end);
    if (records.size() != 1 || end != static_cast<std::streamoff>(bytes.size())) std::abort();
    return std::move(records[0]);
}

bool SameFields(const klu::FileInfo& a, const klu::FileInfo& b) {
    return klu::FileNameOf(a.path) == b.path && a.fileTitle == b.fileTitle &&
           a.reserved == b.reserved && a.version == b.version && a.author == b.author &&
           a.publisher == b.publisher && a.date == b.date && a.time == b.time;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);

    std::istringstream cache(bytes);
    std::streamoff intact_end = 0;
    for (const auto& record : klu::ReadRecords(cache, intact_end)) {
        // Whatever a record held, once written it reads back as written.
        const std::string written = RecordOf(*record);
        if (RecordOf(*ReadOne(written)) != written) std::abort();
    }
    if (intact_end < 0 || static_cast<size_t>(intact_end) > size) std::abort();

    std::FILE* file = fmemopen(const_cast<char*>(bytes.data()), bytes.size(), "rb");
    if (!file) return 0;  // fmemopen refuses an empty buffer on some systems
    klu::TextFileLines lines(file);
    const klu::FileInfo scanned(lines, "fuzz.klu", 0);
    // A scanned entry holds no line end, so its record gives it back exactly.
    if (!SameFields(scanned, *ReadOne(RecordOf(scanned)))) std::abort();
    return 0;
}
