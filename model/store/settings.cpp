#include "model/store/settings.h"

#include <algorithm>
#include <vector>

#include "model/store/hint_memory.h"
#include "model/text/leading_number.h"
#include "model/text/text_util.h"

namespace klu {
namespace {

constexpr char kDefaultLinkColor[] = "16711680";  // blue

// The text after the next ","; all of it when there is no ",".
std::string_view CutAfterComma(std::string_view text) {
    const size_t comma = text.find(',');
    return comma == std::string_view::npos ? text : text.substr(comma + 1);
}

const char* OnOff(bool on) {
    return on ? "On" : "Off";
}

}  // namespace

FontRecord ParseFontRecord(std::string_view text) {
    FontRecord font;
    font.face = std::string(text.substr(0, std::min(text.find(','), FontRecord::kFaceLimit)));
    std::string_view rest = CutAfterComma(text);
    font.pointSize = LeadingNumber32(rest);
    rest = CutAfterComma(rest);
    font.weight = LeadingNumber32(rest);
    rest = CutAfterComma(rest);
    font.italic = rest == "1";
    return font;
}

std::string FormatFontRecord(const FontRecord& font) {
    return font.face + "," + std::to_string(font.pointSize) + "," + std::to_string(font.weight) +
           "," + (font.italic ? "1" : "0");
}

std::optional<FramePlace> ParseFramePlace(std::string_view text) {
    FramePlace place;
    for (int32_t* field : {&place.x, &place.y, &place.width, &place.height}) {
        *field = LeadingNumber32(text);
        text = CutAfterComma(text);
    }
    place.maximized = text == "1";
    if (place.width <= 0 || place.height <= 0) return std::nullopt;
    return place;
}

std::string FormatFramePlace(const FramePlace& place) {
    return std::to_string(place.x) + "," + std::to_string(place.y) + "," +
           std::to_string(place.width) + "," + std::to_string(place.height) + "," +
           (place.maximized ? "1" : "0");
}

FontRecord FixedFontOf(const FontRecord& font) {
    FontRecord fixed = font;
    fixed.face = "Courier New";
    return fixed;
}

namespace {

// The values of section "KLUWIN" as the program writes them.
std::vector<ProfileEntry> SettingsEntries(const Settings& settings) {
    std::vector<ProfileEntry> entries;
    const auto add = [&](const char* key, std::string value) {
        entries.push_back({kSettingsSection, key, std::move(value)});
    };
    // The desktop's font is no choice to keep: a profile follows the desktop until one is made.
    if (!settings.mainFont.face.empty()) add("MainFont", FormatFontRecord(settings.mainFont));
    add("Counting", OnOff(settings.showCounting));
    add("Memory", OnOff(settings.hintMemoryOn));
    add("TextColor", std::to_string(settings.linkColor));
    add("InstallDir", settings.listFolder);
    add("Frame", settings.frame ? FormatFramePlace(*settings.frame) : "");
    add("Layout", settings.layout == WindowLayout::Windows ? "Windows" : "Tabs");
    add("Contents", settings.contentsShown ? "1" : "0");
    return entries;
}

}  // namespace

Settings LoadSettings(const ProfileFile& profile, const std::string& default_list_folder) {
    const std::optional<ProfileText> text = profile.ReadText();
    const auto stored = [&](const char* key) {
        return text ? text->Find(kSettingsSection, key) : std::nullopt;
    };
    const auto read = [&](const char* key, std::string_view default_value) {
        return stored(key).value_or(std::string(default_value));
    };
    Settings settings;
    settings.mainFont = ParseFontRecord(read("MainFont", ""));
    settings.fixedFont = FixedFontOf(settings.mainFont);
    settings.showCounting = EqualsNoCase(read("Counting", "On"), "On");
    settings.hintMemoryOn = EqualsNoCase(read("Memory", "On"), "On");
    // A 32-bit colour register: larger and negative numbers wrap around.
    settings.linkColor = static_cast<uint32_t>(LeadingNumber(read("TextColor", kDefaultLinkColor)));
    settings.listFolder = read("InstallDir", default_list_folder);
    settings.frame = ParseFramePlace(read("Frame", ""));
    // Anything but "Windows" keeps the tabs that a fresh profile gets.
    settings.layout = EqualsNoCase(read("Layout", "Tabs"), "Windows") ? WindowLayout::Windows
                                                                      : WindowLayout::Tabs;
    settings.contentsShown = read("Contents", "1") != "0";
    for (ProfileEntry& entry : SettingsEntries(settings))
        settings.kept[entry.key] = KeptValue{stored(entry.key.c_str()), std::move(entry.value)};
    return settings;
}

bool SaveSettings(ProfileFile& profile, Settings& settings, const HintDocument& current_document,
                  const std::string& current_path) {
    const std::optional<ProfileEntry> memory = HintMemoryEntry(current_document, current_path);
    std::vector<ProfileEntry> written;
    const bool saved = profile.Update([&](ProfileText& text) {
        bool all_stored = !memory || text.Set(memory->section, memory->key, memory->value);
        for (ProfileEntry& entry : SettingsEntries(settings)) {
            if (entry.value.empty() && entry.key == "Frame") continue;  // no place to keep yet
            // The pane as it starts out needs no entry: a fresh profile keeps the classic keys.
            if (entry.key == "Contents" && entry.value == "1" &&
                !text.Find(entry.section, entry.key))
                continue;
            const auto kept = settings.kept.find(entry.key);
            const bool changed = kept == settings.kept.end() || kept->second.value != entry.value;
            if (!changed && text.Find(entry.section, entry.key) != kept->second.text) continue;
            all_stored = text.Set(entry.section, entry.key, entry.value) && all_stored;
            written.push_back(std::move(entry));
        }
        return all_stored;
    });
    if (saved) {
        for (ProfileEntry& entry : written)
            settings.kept[entry.key] = KeptValue{entry.value, entry.value};
    }
    return saved;
}

}  // namespace klu
