#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace klu {

class Hunk;
class ItemsHunk;

// How a hunk's body is read, for writing source lines that read back the same.
struct SourceStyle {
    // The layout modes at the hunk's first line (a text page starts with its own).
    int8_t breakMode = 0;
    int8_t wrapMode = 0;
    int8_t fontMode = 0;
    enum class Separators {
        None,    // a "-" is text like any other
        Hint,    // a separator ends the hint before it with a hard break
        Older,   // older-format questions: a separator line only
    } separators = Separators::None;
    bool nested = false;          // a separator on the first body line is not read
    bool oneLinePerHint = false;  // older-format questions: each hint is one source line
};

// One item of a hunk's source: a source line (markup included), a hint separator, or a child
// hunk embedded at that place.
struct SourceItem {
    enum class Kind { Line, Separator, Hunk } kind = Kind::Line;
    std::string text;
    const Hunk* hunk = nullptr;
};

// Source whose in-line markup gives back the hunk's children, their texts and every layout flag,
// when read the way the style says. Nothing when no such source is found.
std::optional<std::vector<SourceItem>> SourceOf(const ItemsHunk& hunk, const SourceStyle& style);

// The text with every "#" doubled that the markup would otherwise read as a command; a command
// follows the text in its source line when command_follows is set. escaped tells whether any
// "#" was doubled (the markup then counts the line as holding a command).
std::string EscapeMarkup(std::string_view text, bool command_follows, bool* escaped = nullptr);

}  // namespace klu
