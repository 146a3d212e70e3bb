#pragma once

#include <iosfwd>
#include <string>

#include "model/document/hunk_text.h"

namespace klu {

class HintDocument;
class Hunk;
class MetaTextHunk;

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
