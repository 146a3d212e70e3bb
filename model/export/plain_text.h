#pragma once

#include <iosfwd>
#include <string>

namespace klu {

class HintDocument;
class Hunk;
class MetaTextHunk;

// Width of the plain-text export.
inline constexpr int kExportWidth = 75;

inline constexpr const char* kUnknownDataText =
    "This data type was not recognized.  You may need to upgrade your KLU reader.";

// Cuts the next output piece of at most width characters off the front of text, at a blank
// where it can. A piece that cannot be cut at a blank is empty when the line already holds
// something (the caller starts a new line) and runs to the next blank at a line start.
std::string TakePiece(std::string& text, int width, bool at_line_start);

// The temporary hunk that flattening fills: it borrows the tree's lines and deletes only the
// lines it created, so the tree is untouched when it goes away.
class FlattenedText {
  public:
    explicit FlattenedText(const std::string& title);
    ~FlattenedText();
    FlattenedText(const FlattenedText&) = delete;
    FlattenedText& operator=(const FlattenedText&) = delete;
    MetaTextHunk& hunk() { return *hunk_; }

  private:
    MetaTextHunk* hunk_;
};

// Numbers and flattens the tree below root into result.
void FlattenTree(Hunk& root, MetaTextHunk& result);

// Writes the whole file as numbered plain text: a header line, two empty lines, then the
// flattened tree flowed to 75 columns. Line ends are "\n". Gives false when there is no root.
bool ExportText(const HintDocument& document, std::ostream& out);

}  // namespace klu
