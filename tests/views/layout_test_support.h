#pragma once

#include <algorithm>
#include <ostream>

#include "../model/model_test_support.h"
#include "views/text_layout.h"
#include "views/text_measurer.h"

namespace klu {

inline void PrintTo(const WrapInfo& f, std::ostream* os) {
    *os << "(" << f.left << "," << f.top << "," << f.right << "," << f.bottom << ") chars "
        << f.start << "+" << f.length << " of \"" << (f.object ? f.object->GetName() : "") << "\"";
}
inline void PrintTo(const LinkInfo& l, std::ostream* os) {
    *os << "(" << l.left << "," << l.top << "," << l.right << "," << l.bottom << ") -> \""
        << (l.target ? l.target->GetName() : "") << "\"";
}
inline void PrintTo(const LayoutSize& s, std::ostream* os) {
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

constexpr ChildFlags kHard{.hardBreak = true};
// Characters 10 pixels wide, lines 20 pixels high.
inline const FixedWidthMeasurer kTen(10, 20);
constexpr ChildFlags kSep{.hardBreak = true, .isSeparator = true};

inline ItemsHunk* LoadRoot(HintDocument& doc, std::unique_ptr<HintNode> root,
                            bool picture_mode = false) {
    EXPECT_EQ(LoadBytes(HintFileOf(std::move(root)), doc, picture_mode), LoadResult::Ok);
    return Items(doc.GetRoot());
}

// A child of a laid-out hunk: a text line, with hunk set a sub-hunk shown by its title, or with
// object set that object, which the hunk borrows.
struct Child {
    std::string text;
    ChildFlags flags = {};
    bool hunk = false;
    KLUObject* object = nullptr;
};
struct Expected {
    int left, top, right, bottom, start, length;
    size_t child;
};

// A hunk of the children given, with their flags; it lets the borrowed objects go when it is
// destroyed.
class ChildHunk : public ItemsHunk {
  public:
    explicit ChildHunk(const std::vector<Child>& list, std::string name = "h")
        : ItemsHunk(std::move(name)) {
        for (const Child& c : list) {
            KLUObject* child = c.object;
            if (child) {
                borrowed.push_back(child);
            } else {
                child = c.hunk ? static_cast<KLUObject*>(new Hunk(c.text, this))
                               : new HunkLine(c.text);
                child->hardBreak = c.flags.hardBreak;
                child->wrap = c.flags.wrap;
                child->altFont = c.flags.altFont;
                child->endsSourceLine = c.flags.endsSourceLine;
                child->isSeparator = c.flags.isSeparator;
            }
            children.push_back(child);
        }
    }
    ~ChildHunk() override {
        erase_if(children, [this](KLUObject* c) { return std::ranges::count(borrowed, c); });
    }
    int Count() const { return static_cast<int>(children.size()); }
    std::vector<WrapInfo> Frags(const std::vector<Expected>& expected) const {
        std::vector<WrapInfo> fragments;
        for (const Expected& e : expected)
            fragments.push_back(
                {e.left, e.top, e.right, e.bottom, e.start, e.length, children.at(e.child)});
        return fragments;
    }

    std::vector<KLUObject*> borrowed;
};

}  // namespace klu::test
