#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace klu {

// One section, key and value to store.
struct ProfileEntry {
    std::string section;
    std::string key;
    std::string value;
};

// The text of a private-profile file: "[Section]" lines and "key=value" lines, kept line by line
// so that everything the program does not know (other sections and keys, comments, even
// garbage) is written back as it was read. Section and key names match without regard to case
// and around blanks; a key's value is the text after its first "=", without surrounding blanks.
// When a key occurs twice in a section, the first one counts.
class ProfileText {
  public:
    // Accepts any bytes. Lines may end in "\r\n" or "\n".
    static ProfileText Parse(std::string_view bytes);

    // The whole value of the first matching key, or nothing when there is none.
    std::optional<std::string> Find(std::string_view section, std::string_view key) const;

    // Replaces the value of the first matching key; a new key goes at the end of the first
    // matching section, a new section at the end of the text. Gives false, changing nothing,
    // when the entry could not be found again by reading: an empty name, a line break anywhere,
    // a "]" in the section, a "=" in the key, or a key starting with "[" or ";". Blanks around
    // the value are written but, as with every value, not read back.
    bool Set(std::string_view section, std::string_view key, std::string_view value);

    // True when Set would store the entry.
    static bool CanStore(std::string_view section, std::string_view key, std::string_view value);

    // Every line followed by "\r\n".
    std::string Serialize() const;

  private:
    std::vector<std::string> lines_;
};

}  // namespace klu
