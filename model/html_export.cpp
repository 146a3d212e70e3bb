// The web page export: a walk over the tree that writes sections, questions with enciphered
// hints, pictures with hot spots and inline media.
#include "html_export.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <optional>
#include <ostream>
#include <span>
#include <unordered_map>
#include <vector>

#include "base64.h"
#include "file_range.h"
#include "hint_document.h"
#include "html_page_assets.h"
#include "html_text.h"
#include "link_hunk.h"
#include "media_hunks.h"
#include "meta_text_hunk.h"
#include "plain_text.h"
#include "reveal_texts.h"

namespace klu {
namespace {

constexpr uint64_t kFnvBasis = 0xcbf29ce484222325ULL;
constexpr const char* kUnreadableData = "This part of the hint file could not be read.";
constexpr const char* kSecurityPolicy =
    "default-src 'none'; img-src data:; media-src data:; style-src 'unsafe-inline'; "
    "script-src 'unsafe-inline'";

uint64_t Fnv1a(uint64_t hash, std::string_view bytes) {
    for (const char c : bytes) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 0x100000001b3ULL;
    }
    return hash;
}

// One step of splitmix64: spreads a hash over the bits of the page key.
uint64_t Mix(uint64_t& state) {
    uint64_t z = (state += 0x9e3779b97f4a7c15ULL);
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
    return z ^ (z >> 31);
}

void AppendHex(std::string& out, uint64_t value, int digits) {
    for (int shift = (digits - 1) * 4; shift >= 0; shift -= 4)
        out += "0123456789abcdef"[(value >> shift) & 0xF];
}

bool IsDash(const TKLUObject* object) {
    return !object->IsHunk() && object->title == "-";
}

// A line in the main font longer than a line of the plain-text export is a paragraph of its own
// (one source line each, as authors write them): a little space after it helps reading. Shorter
// lines may be a list or a table, kept together.
bool IsParagraph(const TKLUObject& line) {
    return !line.altFont && line.title.size() > static_cast<size_t>(kExportWidth);
}

struct PixelSize {
    int32_t width = 0;
    int32_t height = 0;
};

// The size a PNG's header gives, or nothing for data that is no PNG.
std::optional<PixelSize> PngSize(std::string_view png) {
    constexpr std::string_view kSignature = "\x89PNG\r\n\x1a\n";
    if (png.size() < 24 || !png.starts_with(kSignature) || png.substr(12, 4) != "IHDR")
        return std::nullopt;
    auto number = [&png](size_t at) {
        uint32_t value = 0;
        for (size_t i = at; i < at + 4; ++i)
            value = value << 8 | static_cast<unsigned char>(png[i]);
        return value;
    };
    const uint32_t width = number(16), height = number(20);
    if (width == 0 || height == 0 || width > 1u << 20 || height > 1u << 20) return std::nullopt;
    return PixelSize{static_cast<int32_t>(width), static_cast<int32_t>(height)};
}

// "left:12.5%;" and so on: hot spots and overlays are placed in shares of the picture, so they
// stay on their spot when a narrow screen scales the picture down.
void AppendPercent(std::string& out, const char* property, int32_t part, int32_t whole) {
    char text[48];
    std::snprintf(text, sizeof text, "%s:%.3f%%;", property, 100.0 * part / whole);
    out += text;
}

class PageWriter {
  public:
    PageWriter(THunk& root, std::string data_path) : data_path_(std::move(data_path)), root_(root) {
        uint64_t seed = Fnv1a(kFnvBasis, root.GetName());
        for (size_t i = 0; i < key_.size(); i += 8) {
            const uint64_t bits = Mix(seed);
            for (size_t j = 0; j < 8; ++j)
                key_[i + j] = static_cast<uint8_t>(bits >> (8 * j));
        }
        identity_ = Fnv1a(kFnvBasis, root.GetName());
    }

    void WriteBody(std::string& out, THunk& root, THunk* info);
    void WritePage(std::ostream& out, const THunk& root, const std::string& body) const;

  private:
    using Objects = std::span<TKLUObject* const>;

    void IndexLines(THunk& hunk);
    const std::string& IdOf(const THunk* hunk);
    THunk* LinkTarget(const TLinkHunk& link);
    void OpenSection(std::string& out, const THunk& hunk, const char* kind, int level);
    void WriteHeading(std::string& out, const THunk& hunk, int level) const;
    void WriteContents(std::string& out, const THunk& hunk, bool top);
    void WriteObjects(std::string& out, Objects objects, int level);
    void WriteHunk(std::string& out, THunk& hunk, int level);
    void WriteLink(std::string& out, const TLinkHunk& link);
    void WriteQuestion(std::string& out, TMetaTextHunk& question, int level);
    void WritePicture(std::string& out, TPNGObject& picture, int level);
    void WriteSpot(std::string& out, const Rect& region, PixelSize size, const THunk& picture,
                   const std::string& overlay_id);
    void WriteMedia(std::string& out, const DataRange& data, const char* type, const THunk& hunk);
    bool ReadData(const DataRange& data, std::string& bytes) const;
    void AppendEnciphered(std::string& out, std::string_view html) const;

    std::string data_path_;
    THunk& root_;
    std::array<uint8_t, 16> key_{};
    uint64_t identity_ = kFnvBasis;  // the title and every question: the page's storage key
    int questions_ = 0;
    std::unordered_map<int32_t, THunk*> by_line_;  // made at the first link
    std::unordered_map<const THunk*, std::string> ids_;
};

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
const std::string& PageWriter::IdOf(const THunk* hunk) {
    if (hunk->GetType() == OVERLAY && hunk->parent) hunk = hunk->parent;
    if (hunk->GetType() == PNGOBJECT && hunk->parent && hunk->parent->GetType() == HYPERPNG)
        hunk = hunk->parent;
    auto [it, added] = ids_.try_emplace(hunk);
    if (added) it->second = "k" + std::to_string(ids_.size());
    return it->second;
}

// Follows a chain of links a little way, never round a loop, as opening a link does.
THunk* PageWriter::LinkTarget(const TLinkHunk& link) {
    constexpr int kMaxHops = 64;
    if (by_line_.empty()) IndexLines(root_);
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
    out += IdOf(&hunk);
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
        out += IdOf(subject);
        out += "\">";
        AppendHtmlText(out, subject->number + " " + subject->GetName());
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
            continue;
        }
        if (IsDash(object)) {
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
    out += IdOf(target);
    out += "\">";
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
    std::vector<std::string> hints(1);
    size_t start = 0;
    const auto& children = question.children;
    for (size_t i = 0; i <= children.size(); ++i) {
        if (i < children.size() && !IsDash(children[i])) continue;
        if (i > start)
            WriteObjects(hints.back(), Objects(children).subspan(start, i - start), level + 1);
        if (i < children.size()) hints.emplace_back();
        start = i + 1;
    }
    identity_ = Fnv1a(identity_, question.GetName());
    identity_ = Fnv1a(identity_, std::to_string(hints.size()));

    out += "<section class=\"question\" data-kind=\"question\" id=\"";
    out += IdOf(&question);
    out += "\" data-q=\"";
    out += std::to_string(index);
    out += "\" data-parts=\"";
    for (size_t i = 0; i < hints.size(); ++i) {
        if (i > 0) out += ' ';
        AppendEnciphered(out, hints[i]);
    }
    out += "\">";
    WriteHeading(out, question, level);
    out += "<div class=\"parts\"></div><button type=\"button\">";
    AppendHtmlUtf8(out, kFirstHintText);
    out += "</button></section>";
}

void PageWriter::WritePicture(std::string& out, TPNGObject& picture, int level) {
    std::string png;
    const std::optional<PixelSize> size =
        ReadData(picture, png) ? PngSize(png) : std::optional<PixelSize>();
    if (!size) {
        out += "<p class=\"note\">";
        AppendHtmlUtf8(out, kUnreadableData);
        out += "</p>";
    } else {
        out += "<figure><div class=\"picture\" style=\"width:";
        out += std::to_string(size->width);
        out += "px\"><img alt=\"";
        // A picture hunk's object carries a stock title; the hunk's own names the picture.
        const bool in_picture_hunk = picture.parent && picture.parent->GetType() == HYPERPNG;
        AppendHtmlText(out, in_picture_hunk ? picture.parent->GetName() : picture.GetName());
        out += "\" src=\"data:image/png;base64,";
        AppendBase64(out, png);
        out += "\">";
        for (const Rect& region : picture.regions) {
            std::string overlay_id;
            const auto* overlay = dynamic_cast<const TOverlayHunk*>(region.target);
            std::string overlay_png;
            std::optional<PixelSize> overlay_size;
            if (overlay && ReadData(*overlay, overlay_png)) overlay_size = PngSize(overlay_png);
            if (overlay_size) {
                overlay_id =
                    IdOf(&picture) + "o" + std::to_string(&region - picture.regions.data());
                out += "<img class=\"overlay\" hidden alt=\"\" id=\"" + overlay_id + "\" style=\"";
                AppendPercent(out, "left", overlay->x, size->width);
                AppendPercent(out, "top", overlay->y, size->height);
                AppendPercent(out, "width", overlay_size->width, size->width);
                out += "\" src=\"data:image/png;base64,";
                AppendBase64(out, overlay_png);
                out += "\">";
            }
            WriteSpot(out, region, *size, picture, overlay_id);
        }
        out += "</div></figure>";
    }
    // What the hot spots lead to, other than overlays and links, follows the picture.
    for (TKLUObject* child : picture.children) {
        THunk* hunk = child->AsHunk();
        if (hunk && hunk->GetType() != OVERLAY && hunk->GetType() != LINK)
            WriteHunk(out, *hunk, level);
    }
}

void PageWriter::WriteSpot(std::string& out, const Rect& region, PixelSize size,
                           const THunk& picture, const std::string& overlay_id) {
    const THunk* target = region.target;
    if (target && target->GetType() == LINK)
        target = LinkTarget(static_cast<const TLinkHunk&>(*target));
    out += "<a class=\"spot\" href=\"#";
    out += overlay_id.empty() && target ? IdOf(target) : IdOf(&picture);
    out += '"';
    if (!overlay_id.empty()) out += " data-overlay=\"" + overlay_id + '"';
    out += " aria-label=\"";
    if (region.target) AppendHtmlText(out, region.target->GetName());
    out += "\" style=\"";
    AppendPercent(out, "left", region.left, size.width);
    AppendPercent(out, "top", region.top, size.height);
    AppendPercent(out, "width", region.right - region.left, size.width);
    AppendPercent(out, "height", region.bottom - region.top, size.height);
    out += "\"></a>";
}

void PageWriter::WriteMedia(std::string& out, const DataRange& data, const char* type,
                            const THunk& hunk) {
    std::string bytes;
    if (!ReadData(data, bytes)) {
        out += "<p class=\"note\">";
        AppendHtmlUtf8(out, kUnreadableData);
        out += "</p>";
        return;
    }
    const bool sound = std::string_view(type).starts_with("audio");
    if (sound) {
        out += "<audio controls preload=\"none\" aria-label=\"";
    } else {
        out += "<figure><img style=\"max-width:100%\" alt=\"";
    }
    AppendHtmlText(out, hunk.GetName());
    out += "\" src=\"data:";
    out += type;
    out += ";base64,";
    AppendBase64(out, bytes);
    out += sound ? "\"></audio>" : "\"></figure>";
}

bool PageWriter::ReadData(const DataRange& data, std::string& bytes) const {
    std::vector<char> read;
    if (!ReadFileRange(data_path_, data.dataOffset, data.dataLength, read).Ok()) return false;
    bytes.assign(read.begin(), read.end());
    return true;
}

void PageWriter::AppendEnciphered(std::string& out, std::string_view html) const {
    std::string mixed(html);
    for (size_t i = 0; i < mixed.size(); ++i)
        mixed[i] = static_cast<char>(mixed[i] ^ key_[i % key_.size()]);
    AppendBase64(out, mixed);
}

void PageWriter::WriteBody(std::string& out, THunk& root, THunk* info) {
    out += "<header><h1>";
    AppendHtmlText(out, root.GetName());
    out +=
        "</h1><button type=\"button\" id=\"hide-all\">Hide every hint</button></header>"
        "<p class=\"intro\">Every question keeps its hints hidden: each press of its button "
        "shows one more.</p><noscript><p class=\"note\">The hints need the page's script: "
        "allow scripts to reveal them.</p></noscript>";
    WriteContents(out, root, true);
    out += "<main>";
    if (const auto* items = dynamic_cast<const TItemsHunk*>(&root)) {
        WriteObjects(out, items->children, 2);
    }
    if (info && dynamic_cast<const TItemsHunk*>(info) &&
        !static_cast<const TItemsHunk*>(info)->children.empty()) {
        WriteHunk(out, *info, 2);
    }
    out += "</main><div id=\"live\" class=\"sr-only\" aria-live=\"polite\"></div>";
}

void PageWriter::WritePage(std::ostream& out, const THunk& root, const std::string& body) const {
    std::string head =
        "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
        "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
        "<meta name=\"color-scheme\" content=\"light dark\">\n"
        "<meta http-equiv=\"Content-Security-Policy\" content=\"";
    head += kSecurityPolicy;
    head += "\">\n<meta name=\"generator\" content=\"kluwin\">\n<title>";
    AppendHtmlText(head, root.GetName());
    head += "</title>\n<style>";
    head += kPageStyle;
    head += "</style>\n</head>\n<body data-key=\"";
    for (const uint8_t byte : key_)
        AppendHex(head, byte, 2);
    head += "\" data-store=\"kluwin-";
    AppendHex(head, identity_, 16);
    head += "\" data-first=\"";
    AppendHtmlUtf8(head, kFirstHintText);
    head += "\" data-counted=\"";
    AppendHtmlUtf8(head, kCountedHintFormat);
    head += "\" data-last=\"";
    AppendHtmlUtf8(head, kNoMoreHintsText);
    head += "\">\n";
    out << head << body << "\n<script>" << kPageScript << "</script>\n</body>\n</html>\n";
}

}  // namespace

bool ExportHtml(const THintDocument& document, const std::string& data_path, std::ostream& out) {
    THunk* root = document.GetRoot();
    if (!root) return false;
    root->SetNumber("");
    PageWriter writer(*root, data_path);
    std::string body;
    writer.WriteBody(body, *root, document.FindByType(INFO));
    writer.WritePage(out, *root, body);
    return static_cast<bool>(out);
}

}  // namespace klu
