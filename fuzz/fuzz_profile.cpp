// Reads arbitrary bytes as a profile: parsing, changing an entry and writing the text out must
// keep every promise of ProfileText, and the settings, the recent files and the numbers in
// them are read from the same bytes on disk.

#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>

#include "model/text/leading_number.h"
#include "model/store/profile_file.h"
#include "model/store/profile_text.h"
#include "model/store/recent_files.h"
#include "model/store/settings.h"
#include "model/text/text_util.h"
#include "temporary_file.h"

namespace {

void Check(bool condition) {
    if (!condition) std::abort();
}

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t' || text.front() == '\r'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r'))
        text.remove_suffix(1);
    return text;
}

// The next piece of the input up to a 0 byte, which is consumed.
std::string_view NextPiece(std::string_view& input) {
    const size_t end = input.find('\0');
    std::string_view piece = input.substr(0, end);
    input.remove_prefix(end == std::string_view::npos ? input.size() : end + 1);
    return piece;
}

// Setting one entry changes that entry only, and the text survives being written and read.
void CheckText(std::string_view bytes, std::string_view section, std::string_view key,
               std::string_view value) {
    klu::ProfileText text = klu::ProfileText::Parse(bytes);
    const std::string serialized = text.Serialize();
    Check(klu::ProfileText::Parse(serialized).Serialize() == serialized);

    constexpr std::string_view kProbes[][2] = {
        {"KLUWIN", "MainFont"}, {"KLUWIN", "Counting"}, {"MRU", "MRU0"}, {"MRU", "Count"}};
    std::optional<std::string> before[std::size(kProbes)];
    for (size_t i = 0; i < std::size(kProbes); ++i)
        before[i] = text.Find(kProbes[i][0], kProbes[i][1]);

    const bool stored = text.Set(section, key, value);
    Check(stored == klu::ProfileText::CanStore(section, key, value));
    const klu::ProfileText again = klu::ProfileText::Parse(text.Serialize());
    if (stored) Check(again.Find(section, key) == std::string(TrimBlanks(value)));
    for (size_t i = 0; i < std::size(kProbes); ++i) {
        const bool same_entry = klu::EqualsNoCase(TrimBlanks(section), kProbes[i][0]) &&
                                klu::EqualsNoCase(TrimBlanks(key), kProbes[i][1]);
        if (!stored || !same_entry) Check(again.Find(kProbes[i][0], kProbes[i][1]) == before[i]);
    }
}

void CheckNumbers(std::string_view bytes) {
    const std::string text(NextPiece(bytes));
    Check(klu::LeadingNumber(text) == std::strtoll(text.c_str(), nullptr, 10));
    const klu::FontRecord font = klu::ParseFontRecord(text);
    Check(font.face.size() <= klu::FontRecord::kFaceLimit);
    Check(klu::ParseFontRecord(klu::FormatFontRecord(font)) == font);
}

// The same bytes as a profile file on disk.
void CheckFile(std::string_view bytes) {
    static const klu::fuzz::TemporaryFile file;
    const std::string& path = file.path;
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(bytes.data(), std::streamsize(bytes.size()));
    klu::ProfileFile profile(path);
    const klu::Settings settings = klu::LoadSettings(profile, "/program/");
    Check(settings.fixedFont.face == "Courier New");
    Check(settings.listFolder.size() <= bytes.size() || settings.listFolder == "/program/");
    klu::RecentFiles recent(profile);
    for (const klu::RecentFile& entry : recent.Shown())
        Check(!entry.path.empty() && entry.path != "Default");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    // The input is a profile; its first pieces also name the entry to change.
    std::string_view pieces = bytes;
    const std::string_view section = NextPiece(pieces);
    const std::string_view key = NextPiece(pieces);
    const std::string_view value = NextPiece(pieces);
    CheckText(bytes, section, key, value);
    CheckNumbers(bytes);
    CheckFile(bytes);
    return 0;
}
