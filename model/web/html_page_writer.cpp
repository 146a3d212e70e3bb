// The body of the web page: contents, sections, text, links and questions.
#include "model/web/html_page_writer.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <filesystem>
#include <ostream>
#include <vector>

#include "model/web/html_text.h"
#include "model/document/line_index.h"
#include "model/document/link_hunk.h"
#include "model/document/media_hunks.h"
#include "model/document/meta_text_hunk.h"
#include "model/export/plain_text.h"
#include "model/export/reveal_texts.h"

namespace klu {
namespace {

void AppendDecimal(std::string& out, uint32_t value) {
    char digits[10];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    out.append(digits, end);
}

// A line in the main font longer than a line of the plain-text export is a paragraph of its own
// (one source line each, as authors write them): a little space after it helps reading. Shorter
// lines may be a list or a table, kept together.
bool IsParagraph(const KLUObject& line) {
    return !line.altFont && line.title.size() > static_cast<size_t>(kExportWidth);
}

// The innermost question whose hints hold a hunk, if any.
const Hunk* QuestionHolding(const Hunk& hunk) {
    for (const Hunk* holder = hunk.parent; holder; holder = holder->parent) {
        if (holder->GetType() == HINT || holder->GetType() == NESTHINT) return holder;
    }
    return nullptr;
}

// Pictures, sounds, GIFs and texts in the page take at most four times the size of the file that
// holds them: room for a file to use one picture several times, none for many hunks sharing it.
uint64_t DataBudget(const std::string& data_path) {
    std::error_code error;
    const uintmax_t size = std::filesystem::file_size(data_path, error);
    // A file that cannot be sized cannot be read either: its data shows as unreadable.
    return error ? UINT64_MAX : 4 * static_cast<uint64_t>(size);
}

// The bytes a text page's body takes in the data area, about: text pages may share them.
uint64_t BodySize(const ItemsHunk& text) {
    uint64_t size = 0;
    for (const KLUObject* line : text.children)
        size += line->title.size() + 2;
    return size;
}

}  // namespace

PageWriter::PageWriter(Hunk& root, std::string data_path)
    : root_(root),
      lines_(LineIndex::Of(root)),
      data_path_(std::move(data_path)),
      data_left_(DataBudget(data_path_)),
      cipher_(root.GetName()),
      identity_(Fnv1a(kFnvBasis, root.GetName())) {}

// Each hunk's place among its siblings, the last level of its outline number (blanks, links and
// overlays share the number of the hunk before them, as in the plain-text export; incentives,
// which the page leaves out, take none, so that the numbers it shows run without a gap).
void PageWriter::IndexPlaces(Hunk& hunk) {
    auto* items = dynamic_cast<ItemsHunk*>(&hunk);
    if (!items) return;
    uint32_t place = 0;
    for (KLUObject* child : items->children) {
        Hunk* child_hunk = child->AsHunk();
        if (!child_hunk) continue;
        const HunkKind kind = child_hunk->GetType();
        if (kind != BLANK && kind != LINK && kind != OVERLAY && kind != INCENTIVE) ++place;
        places_.try_emplace(child_hunk, place);
        IndexPlaces(*child_hunk);
    }
}

// The outline number ("2.1. "), found from the places of the hunk and its parents rather than
// kept whole for every hunk: a whole number grows with the depth, and so a page of deeply
// nested hunks would grow with its square. Deep in the tree only its last levels are shown.
void PageWriter::AppendNumber(std::string& out, const Hunk& hunk) const {
    constexpr size_t kWholeUpTo = 8, kShownLevels = 4;
    std::array<uint32_t, kWholeUpTo + 1> levels{};
    size_t count = 0;
    for (const Hunk* at = &hunk; at && count < levels.size(); at = at->parent) {
        const auto found = places_.find(at);
        if (found == places_.end()) break;
        levels[count++] = found->second;
    }
    if (count == 0) return;
    if (count > kWholeUpTo) {
        out += "\u2026";
        count = kShownLevels;
    }
    while (count > 0) {
        AppendDecimal(out, levels[--count]);
        out += '.';
    }
    out += ' ';
}

// The element that shows a hunk: an overlay is shown on its picture, and a picture object
// inside a picture hunk in that hunk's section.
void PageWriter::AppendId(std::string& out, const Hunk* hunk) {
    if (hunk->GetType() == OVERLAY && hunk->parent) hunk = hunk->parent;
    if (hunk->GetType() == PNGOBJECT && hunk->parent && hunk->parent->GetType() == HYPERPNG)
        hunk = hunk->parent;
    const auto next = static_cast<uint32_t>(ids_.size() + 1);
    out += 'k';
    AppendDecimal(out, ids_.try_emplace(hunk, next).first->second);
}

std::string PageWriter::IdOf(const Hunk* hunk) {
    std::string id;
    AppendId(id, hunk);
    return id;
}

void PageWriter::Spill(std::string& out) {
    constexpr size_t kSpillAt = size_t{1} << 20;
    if (&out != &body_ || body_.size() < kSpillAt) return;
    *sink_ << body_;
    body_.clear();
}

// Follows a chain of links a little way, never round a loop, as opening a link does.
Hunk* PageWriter::LinkTarget(const LinkHunk& link) {
    constexpr int kMaxHops = 64;
    const LinkHunk* at = &link;
    for (int hops = 0; hops < kMaxHops; ++hops) {
        Hunk* found = lines_.Find(at->targetLine);
        if (!found || found->GetType() != LINK) return found;
        at = static_cast<const LinkHunk*>(found);
    }
    return nullptr;
}

void PageWriter::OpenSection(std::string& out, const Hunk& hunk, const char* kind, int level) {
    out += "<section class=\"";
    out += kind;
    out += "\" id=\"";
    AppendId(out, &hunk);
    out += "\">";
    WriteHeading(out, hunk, level);
}

void PageWriter::WriteHeading(std::string& out, const Hunk& hunk, int level) const {
    const char digit = static_cast<char>('0' + std::clamp(level, 2, 6));
    out += "<h";
    out += digit;
    out += '>';
    AppendNumber(out, hunk);
    AppendHtmlText(out, hunk.GetName());
    out += "</h";
    out += digit;
    out += '>';
}

// The subjects below a hunk, as nested lists of links.
void PageWriter::WriteContents(std::string& out, const Hunk& hunk, bool top) {
    const auto* items = dynamic_cast<const ItemsHunk*>(&hunk);
    if (!items) return;
    bool open = false;
    for (KLUObject* child : items->children) {
        Hunk* subject = child->AsHunk();
        if (!subject || subject->GetType() != SUBJECT) continue;
        if (!open)
            out += top ? "<nav aria-labelledby=\"contents\"><h2 id=\"contents\">"
                         "Contents</h2><ol>"
                       : "<ol>";
        open = true;
        out += "<li><a href=\"#";
        AppendId(out, subject);
        out += "\">";
        AppendNumber(out, *subject);
        AppendHtmlText(out, subject->GetName());
        out += "</a>";
        WriteContents(out, *subject, false);
        out += "</li>";
    }
    if (open) out += top ? "</ol></nav>" : "</ol>";
}

// Lines run together into paragraphs as the reader flows them: a hard break ends a line, a
// source line's end is a blank, and a piece cut off before a command joins the next directly.
// Links stand in the text; other hunks are blocks of their own.
void PageWriter::WriteObjects(std::string& out, Objects objects, int level) {
    bool in_text = false;
    const char* line_end = "";  // what joins the line before to the next one of its paragraph
    auto open_text = [&] {
        out += in_text ? line_end : "<p class=\"text\">";
        in_text = true;
    };
    auto close_text = [&] {
        if (in_text) out += "</p>";
        in_text = false;
    };
    for (KLUObject* object : objects) {
        Hunk* hunk = object->AsHunk();
        if (hunk && hunk->GetType() != LINK) {
            close_text();
            WriteHunk(out, *hunk, level);
            Spill(out);
            continue;
        }
        if (SeparatesHints(*object)) {
            close_text();
            out += "<hr>";
            continue;
        }
        open_text();
        if (hunk) {
            WriteLink(out, static_cast<const LinkHunk&>(*hunk));
        } else if ((object->altFont || !object->wrap) && !object->title.empty()) {
            out += object->altFont && !object->wrap ? "<span class=\"f nw\">"
                   : object->altFont                ? "<span class=\"f\">"
                                                    : "<span class=\"nw\">";
            AppendHtmlText(out, object->title);
            out += "</span>";
        } else {
            AppendHtmlText(out, object->title);
        }
        line_end = !object->hardBreak     ? (object->endsSourceLine ? " " : "")
                   : IsParagraph(*object) ? "<br><span class=\"gap\"></span>"
                                          : "<br>";
    }
    close_text();
}

void PageWriter::WriteLink(std::string& out, const LinkHunk& link) {
    const Hunk* target = LinkTarget(link);
    if (!target) {
        AppendHtmlText(out, link.GetName());
        return;
    }
    out += "<a href=\"#";
    AppendId(out, target);
    out += '"';
    // A target inside a hint is not in the page until that hint is revealed; the script then
    // leads to the innermost question that holds it and is shown, rather than reveal it.
    if (const Hunk* holder = QuestionHolding(*target)) {
        out += " data-via=\"";
        AppendId(out, holder);
        out += '"';
    }
    out += '>';
    AppendHtmlText(out, link.GetName());
    out += "</a>";
}

void PageWriter::WriteHunk(std::string& out, Hunk& hunk, int level) {
    switch (hunk.GetType()) {
        case HINT:
        case NESTHINT:
            WriteQuestion(out, static_cast<MetaTextHunk&>(hunk), level);
            return;
        case HYPERPNG:
            OpenSection(out, hunk, "picture-page", level);
            if (PNGObject* picture = static_cast<HyperPNGHunk&>(hunk).Finish())
                WritePicture(out, *picture, level + 1);
            out += "</section>";
            return;
        case PNGOBJECT:
            OpenSection(out, hunk, "picture-page", level);
            WritePicture(out, static_cast<PNGObject&>(hunk), level + 1);
            out += "</section>";
            return;
        case GIFA:
            OpenSection(out, hunk, "media", level);
            WriteMedia(out, static_cast<GIFaHunk&>(hunk), "image/gif", hunk);
            out += "</section>";
            return;
        case SOUND:
            OpenSection(out, hunk, "media", level);
            WriteMedia(out, static_cast<SoundHunk&>(hunk), "audio/wav", hunk);
            out += "</section>";
            return;
        case LINK:
            out += "<p class=\"text\">";
            WriteLink(out, static_cast<const LinkHunk&>(hunk));
            out += "</p>";
            return;
        case BLANK:
        case INCENTIVE:
        case OVERLAY:
            return;
        default:
            break;
    }
    // Subjects, text pages, comments, credits, information, and items of unknown kinds.
    OpenSection(out, hunk, hunk.GetType() == SUBJECT ? "subject" : "page", level);
    const auto* items = dynamic_cast<const ItemsHunk*>(&hunk);
    if (items && hunk.GetType() == TEXT && !TakeData(BodySize(*items))) {
        out += "<p class=\"note\">";
        out += kLeftOutNote;
        out += "</p>";
    } else if (items) {
        WriteObjects(out, items->children, level + 1);
    } else {
        out += "<p class=\"note\">";
        AppendHtmlText(out, kUnknownDataText);
        out += "</p>";
    }
    out += "</section>";
}

// A question and its hints: each hint (the children between two separators, embedded hunks
// included) is written as its own page fragment and stored enciphered, so the page's source
// shows none of it. The enciphered hints lie on an element of their own, beside the question
// in the body: a question inside a hint is then enciphered with its heading and button only,
// and each hint once, however deep it lies, where whole questions inside hints would be
// enciphered again at every level.
void PageWriter::WriteQuestion(std::string& out, MetaTextHunk& question, int level) {
    const int index = questions_++;
    // The texts of the hints, in buffers kept from one question to the next; a question inside
    // a hint has the buffers of the next depth.
    if (hint_depth_ == hint_buffers_.size()) hint_buffers_.emplace_back();
    std::vector<std::string>& buffers = hint_buffers_[hint_depth_++];
    size_t hints = 0;
    auto next_hint = [&]() -> std::string& {
        if (hints == buffers.size()) buffers.emplace_back();
        buffers[hints].clear();
        return buffers[hints++];
    };
    std::string* hint = &next_hint();
    size_t start = 0;
    const auto& children = question.children;
    for (size_t i = 0; i <= children.size(); ++i) {
        if (i < children.size() && !SeparatesHints(*children[i])) continue;
        if (i > start) WriteObjects(*hint, Objects(children).subspan(start, i - start), level + 1);
        if (i < children.size()) hint = &next_hint();
        start = i + 1;
    }
    --hint_depth_;
    identity_ = Fnv1a(identity_, question.GetName());
    std::string count;
    AppendDecimal(count, static_cast<uint32_t>(hints));
    identity_ = Fnv1a(identity_, count);

    // The hints, named after the question ("k7" has "k7p"); a question inside a hint also names
    // the question whose hint holds it, which is where a link into it leads until it is shown.
    const std::string id = IdOf(&question);
    body_ += "<div hidden id=\"";
    body_ += id;
    body_ += "p\" data-parts=\"";
    for (size_t i = 0; i < hints; ++i) {
        if (i > 0) body_ += ' ';
        cipher_.AppendEnciphered(body_, buffers[i]);
    }
    body_ += '"';
    if (const Hunk* holder = QuestionHolding(question)) {
        body_ += " data-in=\"";
        AppendId(body_, holder);
        body_ += '"';
    }
    body_ += "></div>";
    Spill(body_);

    out += "<section class=\"question\" data-kind=\"question\" id=\"";
    out += id;
    out += "\" data-q=\"";
    AppendDecimal(out, static_cast<uint32_t>(index));
    out += "\">";
    WriteHeading(out, question, level);
    out += "<div class=\"parts\"></div><button type=\"button\">";
    AppendHtmlUtf8(out, kFirstHintText);
    out += "</button></section>";
}

void PageWriter::WriteBody(std::ostream& sink, Hunk* info) {
    sink_ = &sink;
    // Every hunk gets an id, and nearly every one is named by its line: room for all at once.
    IndexPlaces(root_);
    ids_.reserve(places_.size() + 1);
    std::string& out = body_;
    out += "<header><h1>";
    AppendHtmlText(out, root_.GetName());
    out +=
        "</h1><button type=\"button\" id=\"hide-all\">Hide every hint</button></header>"
        "<p class=\"intro\">Every question keeps its hints hidden: each press of its button "
        "shows one more.</p><noscript><p class=\"note\">The hints need the page's script: "
        "allow scripts to reveal them.</p></noscript>";
    WriteContents(out, root_, true);
    out += "<main>";
    if (const auto* items = dynamic_cast<const ItemsHunk*>(&root_)) {
        WriteObjects(out, items->children, 2);
    }
    if (info && dynamic_cast<const ItemsHunk*>(info) &&
        !static_cast<const ItemsHunk*>(info)->children.empty()) {
        WriteHunk(out, *info, 2);
    }
    out += "</main><div id=\"live\" class=\"sr-only\" aria-live=\"polite\"></div>";
    sink << out;
    out.clear();
}

}  // namespace klu
