#pragma once

#include "model/document/items_hunk.h"
#include "model/document/tree_arena.h"

namespace klu {

// Subjects, questions (kind HINT), nested hints, comments, credits, version hunks, and the hunks
// of the older format.
class MetaTextHunk : public ItemsHunk {
  public:
    // An empty hunk, built by the older-format reader and by commands that build result hunks.
    MetaTextHunk(std::string name, Hunk* owner, HunkKind kind_id);
    // Reads the title and the body of the given kind.
    MetaTextHunk(HunkReader& reader, int32_t line_count, Hunk* owner, HunkKind kind_id);

    HunkKind GetType() const override { return kind; }
    void Open() override;
    void Flatten(MetaTextHunk& target) override;
    void WriteText(std::ostream& out) override;
    void RestoreState(std::string& state) override;
    void SaveState(std::string& state) const override;
    void ResetState() override;
    void SetRevealed(int32_t n) override { revealed = n; }
    bool StateValid() const override;
    int32_t GetRevealed() const override { return revealed; }

    bool HoldsHints() const { return kind == HINT || kind == NESTHINT; }

    int32_t revealed = 0;
    HunkKind kind;

    // Ends the hint so far with a hard break and appends a separator line: a shared one for a
    // loaded tree, else one of the hunk's own.
    void AppendSeparator(bool shared = false);

  private:
    void ReserveBodyLines(HunkReader& reader);
    void ReadPlainLines(HunkReader& reader);
    void ReadHintLines(HunkReader& reader);
    void ReadChildHunks(HunkReader& reader);
    void ReadNestedHintLines(HunkReader& reader);
    void FitChildren(HunkReader& reader);
};

}  // namespace klu
