#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>
#include <string_view>

#include "klu_object.h"

namespace klu {

class HunkReader;
class TMetaTextHunk;

// A hunk: a node of the tree with a header line. Also the class of hunks whose keyword this
// reader does not know.
class THunk : public TNode {
  public:
    // Built from a file: records the header line (the reader's current line), the line count and
    // the parent, then reads the title line unless read_title is false.
    THunk(HunkReader& reader, int32_t line_count, THunk* owner, bool read_title = true);
    // Built by the program itself.
    explicit THunk(std::string name, THunk* owner = nullptr);
    ~THunk() override;

    int GetType() const override { return UNKNOWN; }
    bool IsHunk() const override { return true; }
    THunk* AsHunk() override { return this; }
    int Open() override;

    virtual std::string GetNumber() const { return number.str(); }
    virtual THunk* FindByLine(int32_t line);
    virtual THunk* FindByName(std::string_view name);
    virtual void SetNumber(const std::string& prefix) { number = prefix; }
    virtual void Flatten(TMetaTextHunk& target);
    virtual void AddHeading(TMetaTextHunk& target);
    virtual void WriteText(std::ostream& out);
    // The largest end offset of binary data that this hunk or its descendants use.
    virtual int64_t GetDataEnd() const { return 0; }
    virtual void CloseView();
    virtual void LoadData(HunkReader&) {}
    virtual void RestoreState(std::string&) {}
    virtual void SaveState(std::string&) const {}
    virtual void ResetState() {}
    virtual void SetRevealed(int32_t) {}
    virtual bool StateValid() const { return true; }
    virtual int32_t GetRevealed() const { return 0; }
    virtual void Find(std::string_view phrase, TMetaTextHunk& results);

    // The object at the top of the parent chain (this hunk when it has no parent).
    THunk* Top();
    const THunk* Top() const;

    // The window that shows this hunk (not owning), or none. Kept beside the tree, not in each
    // hunk: a tree holds a hunk per question, and few are ever shown.
    void* View() const;
    void SetView(void* window);

    // First, so that it fills the room the flags leave free.
    char marker = ' ';
    uint8_t hasView : 1 = 0;       // a window shows it
    uint8_t hasLineIndex : 1 = 0;  // the top of a tree whose LineIndex is kept
    // The hunk that holds this one (not owning). Lines have none: a tree holds one object per
    // line, so a line keeps only its text and flags.
    THunk* parent = nullptr;
    int32_t lineNumber = 0;
    int32_t lineCount = 0;
    TLineText number;
};

// Reads the rest of a hunk's body (lines from..line_count) and drops it, counting each line.
void SkipBodyLines(HunkReader& reader, int64_t from, int32_t line_count);

}  // namespace klu
