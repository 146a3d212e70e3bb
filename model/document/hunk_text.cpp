// How each hunk flattens into numbered lines, writes itself as plain text and searches its text.
#include "model/document/hunk_text.h"

#include <algorithm>
#include <ostream>
#include <string_view>
#include <utility>
#include <vector>

#include "model/document/filler_hunks.h"
#include "model/document/link_hunk.h"
#include "model/document/media_hunks.h"
#include "model/document/meta_text_hunk.h"
#include "model/document/text_hunk.h"
#include "model/text/text_util.h"

namespace klu {
namespace {

constexpr const char* kGifText =
    "This section contains image data in an unsupported format.  You will need to get a newer "
    "version of this hint file to display the image.";
constexpr const char* kSoundText =
    "This section contains sound data.  You will need to open it from within the reader to play "
    "the sound.";
constexpr const char* kMediaText =
    "This section contains graphics or sounds that cannot be converted to text.";
constexpr const char* kBullet = "* ";

// A bullet "* " stands for a line: in a question, for each separator of its hints; in other
// text, for a line that reads "-". A line that flattening made stands for itself.
bool IsBullet(bool holds_hints, const KLUObject* object) {
    if (holds_hints) return SeparatesHints(*object);
    return !object->IsHunk() && !object->isFlattened && object->title == "-";
}

// A line that flattening creates: it belongs to the result hunk, which deletes it.
void AppendCreated(MetaTextHunk& target, std::string text, bool hard_break) {
    auto* line = new HunkLine(std::move(text));
    line->isFlattened = 1;
    line->hardBreak = hard_break;
    target.children.push_back(line);
}

void AppendBorrowed(MetaTextHunk& target, KLUObject* object) {
    target.children.push_back(object);
}

// A hint line that reads "-" is text, which the flattened text must not take for a bullet: it
// gets a copy of its own.
void AppendHintLine(MetaTextHunk& target, KLUObject* line) {
    if (line->title != "-") {
        AppendBorrowed(target, line);
        return;
    }
    auto* copy = new HunkLine("-");
    copy->hardBreak = line->hardBreak;
    copy->wrap = line->wrap;
    copy->altFont = line->altFont;
    copy->endsSourceLine = line->endsSourceLine;
    copy->isFlattened = 1;
    target.children.push_back(copy);
}

// Writes the children of a hunk as flowed text. With bullets, bullet lines are written as "* ",
// and so is the start of a question that holds more than one hint.
void WriteChildren(const ItemsHunk& hunk, std::ostream& out, bool bullets, bool holds_hints) {
    int column = 0;
    if (bullets && holds_hints && hunk.HintCount() > 1) {
        out << kBullet;
        column = 2;
    }
    for (size_t i = 0; i < hunk.children.size(); ++i) {
        const KLUObject* child = hunk.children[i];
        if (bullets && IsBullet(holds_hints, child)) {
            out << kBullet;
            column += 2;
            continue;
        }
        std::string text = child->GetName();
        while (!text.empty()) {
            const std::string piece = TakePiece(text, kExportWidth - column, column == 0);
            out << piece;
            if (!text.empty()) {
                out << '\n';
                column = 0;
            } else {
                column += static_cast<int>(piece.size());
            }
        }
        const bool last = i + 1 == hunk.children.size();
        if (!child->hardBreak && !last) {
            if (child->endsSourceLine) {
                out << ' ';
                ++column;
            }
        } else {
            out << '\n';
            column = 0;
        }
    }
}


// The texts of the direct children; a blank follows a child that ends a source line or a
// visual line, while a piece cut off by an in-line command joins the next piece directly.
std::string SearchableText(const ItemsHunk& hunk) {
    std::string text;
    for (const KLUObject* child : hunk.children) {
        text += child->GetName();
        if (child->endsSourceLine || child->hardBreak) text += ' ';
    }
    return text;
}

void AppendMatch(ItemsHunk& hunk, MetaTextHunk& results) {
    std::vector<Hunk*> chain;
    for (Hunk* h = &hunk; h; h = h->parent)
        chain.push_back(h);
    results.breakMode = 2;
    // From just below the top of the chain down to the matching hunk.
    for (size_t i = chain.size() - 1; i-- > 0;) {
        const Hunk* element = chain[i];
        auto* link = new LinkHunk(element->title.str(), &results);
        link->targetLine = element->lineNumber;
        link->marker = element->marker;
        results.Insert(link, false, false);
        if (i > 0) results.Insert(new HunkLine(":"), false, false);
    }
    results.breakMode = 0;
    results.AddChild(new HunkLine(" "));
}

}  // namespace

std::string TakePiece(std::string& text, int width, bool at_line_start) {
    if (width < 1) return {};
    const auto limit = static_cast<size_t>(width);
    if (text.size() <= limit) return std::exchange(text, std::string());
    const size_t last_blank = text.rfind(' ', limit - 1);
    size_t cut = last_blank;
    if (last_blank == std::string::npos || (last_blank == 0 && at_line_start)) {
        if (!at_line_start) {
            cut = 0;
        } else {
            const size_t next_blank = text.find(' ', 1);
            cut = next_blank == std::string::npos ? text.size() : next_blank;
        }
    }
    std::string piece = text.substr(0, cut);
    if (cut != 0) text.erase(0, std::min(cut + 1, text.size()));
    return piece;
}

void Hunk::AddHeading(MetaTextHunk& target) {
    if (number.empty()) return;
    const bool first_of_subject = number == "1." && parent && parent->GetType() == SUBJECT;
    if (!first_of_subject) {
        AppendCreated(target, "", true);
        AppendCreated(target, "", true);
    }
    AppendCreated(target, number.str() + " " + title.str(), true);
    if (GetType() != SUBJECT) AppendCreated(target, "", true);
}

void Hunk::Flatten(MetaTextHunk& target) {
    AddHeading(target);
    AppendCreated(target, kUnknownDataText, true);
}

void Hunk::WriteText(std::ostream& out) {
    out << (GetType() == UNKNOWN ? kUnknownDataText : kMediaText) << '\n';
}

void ItemsHunk::Flatten(MetaTextHunk& target) {
    AddHeading(target);
    for (KLUObject* child : children) {
        if (Hunk* hunk = child->AsHunk()) {
            hunk->Flatten(target);
        } else {
            AppendBorrowed(target, child);
        }
    }
}

void ItemsHunk::WriteText(std::ostream& out) {
    WriteChildren(*this, out, false, false);
}

void MetaTextHunk::Flatten(MetaTextHunk& target) {
    AddHeading(target);
    const bool subject = kind == SUBJECT;
    if (HoldsHints() && HintCount() > 1) AppendCreated(target, kBullet, false);
    for (KLUObject* child : children) {
        if (IsBullet(HoldsHints(), child)) {
            AppendCreated(target, kBullet, false);
        } else if (!child->IsHunk()) {
            if (HoldsHints()) {
                AppendHintLine(target, child);
            } else {
                AppendBorrowed(target, child);
            }
        } else if (Hunk* hunk = child->AsHunk(); hunk && !subject) {
            if (hunk->GetType() == PNGOBJECT) {
                AppendBorrowed(target, hunk);
            } else {
                AppendCreated(target, hunk->GetName() + " [see " + hunk->GetNumber() + "]",
                              hunk->hardBreak);
            }
        }
    }
    if (!subject && !children.empty() && !children.back()->hardBreak) {
        AppendCreated(target, "", true);
    }
    for (KLUObject* child : children) {
        Hunk* hunk = child->AsHunk();
        if (hunk && hunk->GetType() != PNGOBJECT) {
            hunk->Flatten(target);
        }
    }
}

void MetaTextHunk::WriteText(std::ostream& out) {
    WriteChildren(*this, out, true, HoldsHints());
}

void GIFaHunk::Flatten(MetaTextHunk& target) {
    AddHeading(target);
    AppendCreated(target, kGifText, true);
}

void SoundHunk::Flatten(MetaTextHunk& target) {
    AddHeading(target);
    AppendCreated(target, kSoundText, true);
}

void OverlayHunk::Flatten(MetaTextHunk& target) {
    AddHeading(target);
}

void PNGObject::Flatten(MetaTextHunk& target) {
    AppendBorrowed(target, this);
    for (KLUObject* child : children) {
        Hunk* hunk = child->AsHunk();
        if (hunk && hunk->GetType() != OVERLAY) {
            hunk->Flatten(target);
        }
    }
}

// Lines, links and media hunks are never matches themselves.
void Hunk::Find(std::string_view, MetaTextHunk&) {}

void ItemsHunk::Find(std::string_view phrase, MetaTextHunk& results) {
    if (FindNoCase(SearchableText(*this), phrase) != std::string_view::npos) {
        AppendMatch(*this, results);
    }
    ForEachChildHunk([&](Hunk* child) { child->Find(phrase, results); });
}

}  // namespace klu
