// The body of the web page: contents, sections, text, links and questions.
#include "html_page_writer.h"

#include <algorithm>
#include <charconv>
#include <ostream>
#include <vector>

#include "html_text.h"
#include "link_hunk.h"
#include "media_hunks.h"
#include "meta_text_hunk.h"
#include "plain_text.h"
#include "reveal_texts.h"

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
bool IsParagraph(const TKLUObject& line) {
    return !line.altFont && line.title.size() > static_cast<size_t>(kExportWidth);
}

}  // namespace

PageWriter::PageWriter(THunk& root, std::string data_path)
    : root_(root),
      data_path_(std::move(data_path)),
      cipher_(root.GetName()),
      identity_(Fnv1a(kFnvBasis, root.GetName())) {}

// The hunk each line number names, the first in tree order as FindByLine finds it, so links
// are resolved without a search of the whole tree each.
void PageWriter::IndexLines(THunk& hunk) {
    by_line_.try_emplace(hunk.lineNumber, &hunk);
    if (auto* items = dynamic_cast<TItemsHunk*>(&hunk)) {
        for (TKLUObject* child : items->children) {
            if (THunk* child_hunk = child->AsHunk()) IndexLines(*child_hunk);
        }
    }
}

// The element that shows a hunk: an overlay is shown on its picture, and a picture object
// inside a picture hunk in that hunk's section.
void PageWriter::AppendId(std::string& out, const THunk* hunk) {
    if (hunk->GetType() == OVERLAY && hunk->parent) hunk = hunk->parent;
    if (hunk->GetType() == PNGOBJECT && hunk->parent && hunk->parent->GetType() == HYPERPNG)
        hunk = hunk->parent;
    const auto next = static_cast<uint32_t>(ids_.size() + 1);
    out += 'k';
    AppendDecimal(out, ids_.try_emplace(hunk, next).first->second);
}

std::string PageWriter::IdOf(const THunk* hunk) {
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
THunk* PageWriter::LinkTarget(const TLinkHunk& link) {
    constexpr int kMaxHops = 64;
    const TLinkHunk* at = &link;
    for (int hops = 0; hops < kMaxHops; ++hops) {
        const auto found = by_line_.find(at->targetLine);
        if (found == by_line_.end()) return nullptr;
        if (found->second->GetType() != LINK) return found->second;
        at = static_cast<const TLinkHunk*>(found->second);
    }
    return nullptr;
}

void PageWriter::OpenSection(std::string& out, const THunk& hunk, const char* kind, int level) {
    out += "<section class=\"";
    out += kind;
    out += "\" id=\"";
    AppendId(out, &hunk);
    out += "\">";
    WriteHeading(out, hunk, level);
}

void PageWriter::WriteHeading(std::string& out, const THunk& hunk, int level) const {
    const char digit = static_cast<char>('0' + std::clamp(level, 2, 6));
    out += "<h";
    out += digit;
    out += '>';
    if (!hunk.number.empty()) {
        AppendHtmlText(out, hunk.number);
        out += ' ';
    }
    AppendHtmlText(out, hunk.GetName());
    out += "</h";
    out += digit;
    out += '>';
}

// The subjects below a hunk, as nested lists of links.
void PageWriter::WriteContents(std::string& out, const THunk& hunk, bool top) {
    const auto* items = dynamic_cast<const TItemsHunk*>(&hunk);
    if (!items) return;
    bool open = false;
    for (TKLUObject* child : items->children) {
        THunk* subject = child->AsHunk();
        if (!subject || subject->GetType() != SUBJECT) continue;
        if (!open)
            out += top ? "<nav aria-labelledby=\"contents\"><h2 id=\"contents\">"
                         "Contents</h2><ol>"
                       : "<ol>";
        open = true;
        out += "<li><a href=\"#";
        AppendId(out, subject);
        out += "\">";
        AppendHtmlText(out, subject->number.str() + " " + subject->GetName());
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
    for (TKLUObject* object : objects) {
        THunk* hunk = object->AsHunk();
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
            WriteLink(out, static_cast<const TLinkHunk&>(*hunk));
        } else if (object->altFont || !object->wrap) {
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

void PageWriter::WriteLink(std::string& out, const TLinkHunk& link) {
    const THunk* target = LinkTarget(link);
    if (!target) {
        AppendHtmlText(out, link.GetName());
        return;
    }
    out += "<a href=\"#";
    AppendId(out, target);
    out += '"';
    // A target inside a hint is not in the page until that hint is revealed; the script then
    // leads to the question that holds it, innermost first, rather than reveal it.
    bool held = false;
    for (const THunk* holder = target->parent; holder; holder = holder->parent) {
        if (holder->GetType() != HINT && holder->GetType() != NESTHINT) continue;
        out += held ? " " : " data-via=\"";
        AppendId(out, holder);
        held = true;
    }
    if (held) out += '"';
    out += '>';
    AppendHtmlText(out, link.GetName());
    out += "</a>";
}

void PageWriter::WriteHunk(std::string& out, THunk& hunk, int level) {
    switch (hunk.GetType()) {
        case HINT:
        case NESTHINT:
            WriteQuestion(out, static_cast<TMetaTextHunk&>(hunk), level);
            return;
        case HYPERPNG:
            OpenSection(out, hunk, "picture-page", level);
            if (TPNGObject* picture = static_cast<THyperPNGHunk&>(hunk).Finish())
                WritePicture(out, *picture, level + 1);
            out += "</section>";
            return;
        case PNGOBJECT:
            OpenSection(out, hunk, "picture-page", level);
            WritePicture(out, static_cast<TPNGObject&>(hunk), level + 1);
            out += "</section>";
            return;
        case GIFA:
            OpenSection(out, hunk, "media", level);
            WriteMedia(out, static_cast<TGIFaHunk&>(hunk), "image/gif", hunk);
            out += "</section>";
            return;
        case SOUND:
            OpenSection(out, hunk, "media", level);
            WriteMedia(out, static_cast<TSoundHunk&>(hunk), "audio/wav", hunk);
            out += "</section>";
            return;
        case LINK:
            out += "<p class=\"text\">";
            WriteLink(out, static_cast<const TLinkHunk&>(hunk));
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
    if (const auto* items = dynamic_cast<const TItemsHunk*>(&hunk)) {
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
// shows none of it.
void PageWriter::WriteQuestion(std::string& out, TMetaTextHunk& question, int level) {
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

    out += "<section class=\"question\" data-kind=\"question\" id=\"";
    AppendId(out, &question);
    out += "\" data-q=\"";
    AppendDecimal(out, static_cast<uint32_t>(index));
    out += "\" data-parts=\"";
    for (size_t i = 0; i < hints; ++i) {
        if (i > 0) out += ' ';
        cipher_.AppendEnciphered(out, buffers[i]);
    }
    out += "\">";
    WriteHeading(out, question, level);
    out += "<div class=\"parts\"></div><button type=\"button\">";
    AppendHtmlUtf8(out, kFirstHintText);
    out += "</button></section>";
}

void PageWriter::WriteBody(std::ostream& sink, THunk* info) {
    sink_ = &sink;
    // Every hunk gets an id, and nearly every one is named by its line: room for all at once.
    IndexLines(root_);
    ids_.reserve(by_line_.size());
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
    if (const auto* items = dynamic_cast<const TItemsHunk*>(&root_)) {
        WriteObjects(out, items->children, 2);
    }
    if (info && dynamic_cast<const TItemsHunk*>(info) &&
        !static_cast<const TItemsHunk*>(info)->children.empty()) {
        WriteHunk(out, *info, 2);
    }
    out += "</main><div id=\"live\" class=\"sr-only\" aria-live=\"polite\"></div>";
    sink << out;
    out.clear();
}

}  // namespace klu
