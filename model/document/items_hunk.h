#pragma once

#include <vector>

#include "model/document/child_list.h"
#include "model/document/hunk.h"

namespace klu {

// In-line markup: a "#" followed within two characters by one of these starts a command.
inline constexpr std::string_view kMarkupCommandEnds = "#+-.1234567890";

// A hunk with an ordered list of children (lines and hunks), owned unless ownsChildren is
// cleared by a hunk that only borrows them.
class ItemsHunk : public Hunk {
  public:
    using Hunk::Hunk;
    ~ItemsHunk() override;

    Hunk* FindByLine(int32_t line) override;
    Hunk* FindByName(std::string_view name) override;
    void SetNumber(const std::string& prefix) override;
    void Flatten(MetaTextHunk& target) override;
    void WriteText(std::ostream& out) override;
    int64_t GetDataEnd() const override;
    void LoadData(HunkReader& reader) override;
    void RestoreState(std::string& state) override;
    void SaveState(std::string& state) const override;
    void ResetState() override;
    bool StateValid() const override;
    void Find(std::string_view phrase, MetaTextHunk& results) override;

    // Appends a line or hunk: in-line markup of a line is carried out, then Insert.
    void AddChild(KLUObject* object);
    // Sets the layout flags of an object and appends it; an empty line is deleted instead.
    void Insert(KLUObject* object, bool is_piece, bool had_command);
    // Appends a separator as Insert would, shared (see SharedSeparator).
    void InsertSharedSeparator();
    // Changes the layout flags of the last child: change(flags) on the child, or, for a shared
    // separator, on a copy of its flags, whose separator then takes its place.
    template <typename Change>
    void ChangeLast(Change&& change) {
        KLUObject*& last = children.back();
        if (!IsSharedSeparator(last)) {
            change(*last);
            return;
        }
        HunkLine flags;
        CopyFlags(*last, flags);
        change(flags);
        last = SharedSeparator(flags);
    }

    // 1 + the number of children that separate hints (SeparatesHints).
    int32_t HintCount() const;

    KLUObject* GetChild(size_t index) const { return children[index]; }
    size_t GetChildCount() const { return children.size(); }

    // Carries out the layout command "#" letter sign of the in-line markup.
    void ApplyCommand(char letter, char sign);

    // Bytes, so that they share eight bytes with ownsChildren: a tree holds a hunk per question.
    int8_t breakMode = 0;  // 0 automatic, 1 every line ends, 2 lines are joined
    int8_t wrapMode = 0;   // 2: appended lines are not wrapped
    int8_t fontMode = 0;   // 1: appended lines use the second font
    bool ownsChildren = true;
    ChildList children;

  protected:
    // Sets the layout flags of an object that is about to be appended.
    void SetLayout(KLUObject& object, bool is_piece, bool had_command);
    static void CopyFlags(const KLUObject& from, KLUObject& to);

    // Runs f on every child that is a hunk, in order.
    template <typename F>
    void ForEachChildHunk(F&& f) const {
        for (KLUObject* child : children) {
            if (Hunk* hunk = child->AsHunk()) f(hunk);
        }
    }
};

}  // namespace klu
