#pragma once

#include <memory>
#include <vector>

#include "model/document/items_hunk.h"

namespace klu {

// The information block: author, publisher, date, length and notes, turned by Finish into the
// lines of the "File Information" window.
class InfoHunk : public ItemsHunk {
  public:
    InfoHunk(HunkReader& reader, int32_t line_count, Hunk* owner);
    InfoHunk(std::string name, Hunk* owner);

    HunkKind GetType() const override { return INFO; }
    void Open() override;

    // Builds the display lines; version is the file's version hunk, if any.
    void Finish(const Hunk* version);
    void AddField(const std::string& label, const std::string& value);

    std::string date;
    std::string time;
    std::string author;
    std::string publisher;
    int32_t infoLength = 0;
    std::vector<std::unique_ptr<HunkLine>> copyright;
    std::vector<std::unique_ptr<HunkLine>> authorNote;
    std::vector<std::unique_ptr<HunkLine>> gameNote;
    // The body lines as the file holds them, for writing the block back.
    std::vector<std::string> storedLines;

  private:
    void ParseLine(std::string line);
    void AddLine(std::string_view text);
    void AddList(const char* heading, const std::vector<std::unique_ptr<HunkLine>>& lines);
};

}  // namespace klu
