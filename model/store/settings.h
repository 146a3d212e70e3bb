#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "model/store/profile_file.h"

namespace klu {

class HintDocument;

// The profile section of the user's settings.
inline constexpr char kSettingsSection[] = "KLUWIN";

// A font as the settings keep it; the views make a screen font of it.
struct FontRecord {
    static constexpr size_t kFaceLimit = 31;

    std::string face;  // at most kFaceLimit characters
    int32_t pointSize = 0;
    int32_t weight = 0;  // 400 normal, 700 bold
    bool italic = false;

    bool operator==(const FontRecord&) const = default;
};

// Where the main window was: its inner rectangle on the desktop and whether it was maximized
// (then the rectangle is the one it returns to).
struct FramePlace {
    int32_t x = 0;
    int32_t y = 0;
    int32_t width = 0;
    int32_t height = 0;
    bool maximized = false;

    bool operator==(const FramePlace&) const = default;
};

// Reads a "Frame" value: x "," y "," width "," height "," maximized ("1" or "0"); nothing for a
// value without a positive size.
std::optional<FramePlace> ParseFramePlace(std::string_view text);
std::string FormatFramePlace(const FramePlace& place);

// How the work area shows the windows: as tabs, or each in a frame of its own.
enum class WindowLayout { Tabs, Windows };

// A value of section "KLUWIN" as the program last read or wrote it.
struct KeptValue {
    std::optional<std::string> text;  // as the profile held it; nothing when missing or unread
    std::string value;                // what the program made of it, as it writes it
};

// The settings of the program; empty (no face, zeros, false) until loaded.
struct Settings {
    FontRecord mainFont;     // no face and no size until one is chosen: the desktop's font
    FontRecord fixedFont;    // mainFont with the face "Courier New"
    uint32_t linkColor = 0;  // 0x00BBGGRR: red in the low byte
    bool showCounting = false;
    bool hintMemoryOn = false;
    std::string listFolder;           // the folder the verbose listing shows
    std::optional<FramePlace> frame;  // none until the program has closed once
    WindowLayout layout = WindowLayout::Tabs;
    bool contentsShown = false;       // the contents pane beside the windows
    // Section "KLUWIN" by key, as last read or written. Other readers share the profile: a save
    // writes a value only when it differs from what was read, or when the profile still holds
    // what was read, so that it never undoes another reader's change with a stale value. (The
    // defaults read from a profile that could not be read are thus never written over it.)
    std::map<std::string, KeptValue, std::less<>> kept;
};

// Reads a "MainFont" value: face "," points "," weight "," italic ("1" or "0"). A missing ","
// leaves the rest as it is, so the next field is read from the same text again.
FontRecord ParseFontRecord(std::string_view text);
std::string FormatFontRecord(const FontRecord& font);

// The font for lines that ask for the alternate font: font with the face "Courier New".
FontRecord FixedFontOf(const FontRecord& font);

// Reads section "KLUWIN". Every value that is missing takes its default, and every value is read
// as far as it goes; none is rejected.
Settings LoadSettings(const ProfileFile& profile, const std::string& default_list_folder);

// Writes the hint memory of the current document (when it has a root, under the memory key of
// current_path), then the values of section "KLUWIN" that settings.kept lets it write, with one
// replacement of the file; then keeps what it wrote. False when something could not be
// written; the caller may ignore it.
bool SaveSettings(ProfileFile& profile, Settings& settings, const HintDocument& current_document,
                  const std::string& current_path);

}  // namespace klu
