#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>
#include <string_view>

#include "model/document/klu_object.h"

namespace klu {

class DocumentObserver;
class HunkReader;
class Hunk;
class MetaTextHunk;

// The hunk that holds a hunk, or, at the top of a tree, what shows the tree's hunks. One pointer
// serves both, told apart by its lowest bit (both kinds of object lie on even addresses): a tree
// holds a hunk per question, and only its top needs an observer.
class ParentLink {
  public:
    ParentLink(Hunk* hunk = nullptr) : bits_(reinterpret_cast<uintptr_t>(hunk)) {}
    Hunk* ParentHunk() const { return IsObserver() ? nullptr : reinterpret_cast<Hunk*>(bits_); }
    operator Hunk*() const { return ParentHunk(); }
    Hunk* operator->() const { return ParentHunk(); }
    DocumentObserver* Observer() const {
        return IsObserver() ? reinterpret_cast<DocumentObserver*>(bits_ & ~uintptr_t{1}) : nullptr;
    }
    // Only where there is no parent hunk.
    void SetObserver(DocumentObserver* observer) {
        bits_ = observer ? reinterpret_cast<uintptr_t>(observer) | 1 : 0;
    }

  private:
    bool IsObserver() const { return bits_ & 1; }
    uintptr_t bits_;
};

// A hunk: a node of the tree with a header line. Also the class of hunks whose keyword this
// reader does not know.
class Hunk : public TreeNode {
  public:
    // Built from a file: records the header line (the reader's current line), the line count and
    // the parent, then reads the title line unless read_title is false.
    Hunk(HunkReader& reader, int32_t line_count, Hunk* owner, bool read_title = true);
    // Built by the program itself.
    explicit Hunk(std::string name, Hunk* owner = nullptr);
    ~Hunk() override;

    HunkKind GetType() const override { return UNKNOWN; }
    bool IsHunk() const override { return true; }
    Hunk* AsHunk() override { return this; }
    void Open() override;

    virtual std::string GetNumber() const { return number.str(); }
    virtual Hunk* FindByLine(int32_t line);
    virtual Hunk* FindByName(std::string_view name);
    virtual void SetNumber(const std::string& prefix) { number = prefix; }
    virtual void Flatten(MetaTextHunk& target);
    virtual void AddHeading(MetaTextHunk& target);
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
    virtual void Find(std::string_view phrase, MetaTextHunk& results);

    // The object at the top of the parent chain (this hunk when it has no parent).
    Hunk* Top();
    const Hunk* Top() const;

    // What shows this hunk's tree, as its top holds it, or none.
    DocumentObserver* Observer() const { return Top()->parent.Observer(); }
    // Makes this hunk, the top of its tree, report to observer (none: to nothing).
    void SetObserver(DocumentObserver* observer);

    // First, so that it fills the room the flags leave free.
    char marker = ' ';
    uint8_t hasView : 1 = 0;       // its observer may show it in a window
    uint8_t hasLineIndex : 1 = 0;  // the top of a tree whose LineIndex is kept
    // The hunk that holds this one (not owning). Lines have none: a tree holds one object per
    // line, so a line keeps only its text and flags.
    ParentLink parent;
    int32_t lineNumber = 0;
    int32_t lineCount = 0;
    LineText number;
};

// Reads the rest of a hunk's body (lines from..line_count) and drops it, counting each line.
void SkipBodyLines(HunkReader& reader, int64_t from, int32_t line_count);

}  // namespace klu
