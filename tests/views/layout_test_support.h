#pragma once

#include <ostream>
#include <string>

#include "../model/model_test_support.h"
#include "model/items_hunk.h"
#include "views/text_layout.h"
#include "views/text_measurer.h"

namespace klu {

// Readable failure messages for fragments, links and sizes.
inline void PrintTo(const TWrapInfo& f, std::ostream* os) {
    *os << "(" << f.left << "," << f.top << "," << f.right << "," << f.bottom << ") chars "
        << f.start << "+" << f.length << " of \"" << (f.object ? f.object->GetName() : "") << "\"";
}
inline void PrintTo(const TLinkInfo& l, std::ostream* os) {
    *os << "(" << l.left << "," << l.top << "," << l.right << "," << l.bottom << ") -> \""
        << (l.target ? l.target->GetName() : "") << "\"";
}
inline void PrintTo(const TSize& s, std::ostream* os) {
    *os << s.width << " x " << s.height;
}

}  // namespace klu

namespace klu::test {

// The layout flags of a child, as the parser would set them; by default a wrapped source line
// that continues on the same line as the next child.
struct ChildFlags {
    bool hardBreak = false;
    bool wrap = true;
    bool altFont = false;
    bool endsSourceLine = true;
    bool isSeparator = false;
};

inline void ApplyFlags(TKLUObject& object, const ChildFlags& flags) {
    object.hardBreak = flags.hardBreak;
    object.wrap = flags.wrap;
    object.altFont = flags.altFont;
    object.endsSourceLine = flags.endsSourceLine;
    object.isSeparator = flags.isSeparator;
}

// Appends a text line to the hunk, which owns it.
inline TKLUObject* AddLine(TItemsHunk& hunk, std::string text, ChildFlags flags = {}) {
    auto* line = new THunkLine(std::move(text));
    ApplyFlags(*line, flags);
    hunk.children.push_back(line);
    return line;
}

// Appends a sub-hunk, shown by its title.
inline THunk* AddSubHunk(TItemsHunk& hunk, std::string title, ChildFlags flags = {}) {
    auto* child = new THunk(std::move(title), &hunk);
    ApplyFlags(*child, flags);
    hunk.children.push_back(child);
    return child;
}

// Loads the file of the top subject into doc and gives the subject's hunk.
inline TItemsHunk* LoadRoot(THintDocument& doc, std::unique_ptr<HintNode> root,
                            bool picture_mode = false) {
    HintFilePlan file;
    file.root = std::move(root);
    EXPECT_EQ(LoadBytes(WriteOrFail(file), doc, picture_mode), LoadOk);
    return Items(doc.GetRoot());
}

inline TWrapInfo Frag(int left, int top, int right, int bottom, int start, int length,
                      TKLUObject* object) {
    return {left, top, right, bottom, start, length, object};
}

}  // namespace klu::test
