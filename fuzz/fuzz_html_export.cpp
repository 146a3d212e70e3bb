// Loads arbitrary bytes as a hint file and writes its web page, which must hold exactly one
// script (its own) and stay within its size bound. The last two bytes are made the checksum,
// so that most inputs load.

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "model/format/checksum.h"
#include "model/document/hint_document.h"
#include "model/format/hint_stream.h"
#include "model/web/html_export.h"
#include "temporary_file.h"

namespace {

size_t CountScripts(std::string page) {
    std::transform(page.begin(), page.end(), page.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    size_t count = 0;
    for (size_t at = page.find("<script"); at != std::string::npos;
         at = page.find("<script", at + 1))
        ++count;
    return count;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const klu::fuzz::TemporaryFile file;  // the data area the page reads media from
    std::vector<char> bytes(data, data + size);
    if (size >= 2) {
        const uint16_t checksum = klu::StoredChecksum({bytes.data(), size - 2});
        bytes[size - 2] = static_cast<char>(checksum & 0xFF);
        bytes[size - 1] = static_cast<char>(checksum >> 8);
    }
    std::ofstream(file.path, std::ios::binary | std::ios::trunc)
        .write(bytes.data(), static_cast<std::streamsize>(size));
    klu::HintDocument document;
    klu::HintFileBytes loaded{klu::HintFileRead::Whole, std::move(bytes), std::nullopt};
    if (klu::LoadHintFile(std::move(loaded), document, false).result != klu::LoadResult::Ok)
        return 0;
    std::ostringstream page;
    if (!klu::ExportHtml(document, file.path, page)) return 0;
    const std::string text = page.str();
    if (CountScripts(text) != 1 || text.size() > klu::MaxPageSize(size)) std::abort();
    return 0;
}
