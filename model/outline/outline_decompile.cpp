// The way back from a loaded hint file to an outline: every hunk as its element, every body as
// source lines whose markup gives back the layout of the lines, every picture, overlay, sound
// and GIF picture as a data file of its own, or, when the compiler would refuse that file, as
// base64 in the outline.

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <stdexcept>
#include <unordered_map>
#include <unordered_set>

#include "model/text/base64.h"
#include "model/files/file_range_reader.h"
#include "model/files/memory_pages.h"
#include "model/document/filler_hunks.h"
#include "model/document/hint_document.h"
#include "model/document/info_hunk.h"
#include "model/document/link_hunk.h"
#include "model/outline/markup_source.h"
#include "model/document/media_hunks.h"
#include "model/document/meta_text_hunk.h"
#include "model/outline/older_part.h"
#include "model/outline/outline_data.h"
#include "model/outline/outline.h"
#include "model/outline/outline_syntax.h"
#include "model/document/text_hunk.h"
#include "model/text/text_util.h"
#include "model/text/windows1252.h"

namespace klu {
namespace {

constexpr std::string_view kIndent = "    ";
constexpr size_t kLongestFileStem = 60;

struct DecompileFault : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// A value of the file, quoted where it must be and written in UTF-8.
std::string Value(std::string_view text) {
    return Windows1252ToUtf8(QuoteValue(text));
}

// Appends text in UTF-8.
void AppendUtf8Text(std::string& out, std::string_view text) {
    for (size_t at = 0; at < text.size();) {
        // Runs of ASCII, most of a file's text, are the same in UTF-8.
        const size_t ascii_end = std::find_if(text.begin() + static_cast<ptrdiff_t>(at), text.end(),
                                              [](char c) { return static_cast<unsigned char>(c) >= 0x80; }) -
                                 text.begin();
        out.append(text.substr(at, ascii_end - at));
        if (ascii_end == text.size()) break;
        AppendUtf8(out, Windows1252Char(static_cast<unsigned char>(text[ascii_end])));
        at = ascii_end + 1;
    }
}

// A file name made of a title: the characters a file system or the outline would trip over
// become "_".
std::string FileStem(const std::string& title, std::string_view fallback) {
    std::string stem;
    for (const char c : Windows1252ToUtf8(title)) {
        const bool awkward = static_cast<unsigned char>(c) < ' ' ||
                             std::string_view("/\\:*?\"<>|=#;").find(c) != std::string_view::npos;
        stem += awkward ? '_' : c;
    }
    while (!stem.empty() && (stem.back() == ' ' || stem.back() == '.')) stem.pop_back();
    const size_t start = stem.find_first_not_of(" .-");
    stem = start == std::string::npos ? std::string() : stem.substr(start);
    if (stem.size() > kLongestFileStem) {
        stem.resize(kLongestFileStem);
        // Never end inside a UTF-8 sequence.
        while (!stem.empty() && (static_cast<unsigned char>(stem.back()) & 0xC0) == 0x80)
            stem.pop_back();
        if (!stem.empty() && static_cast<unsigned char>(stem.back()) >= 0xC0) stem.pop_back();
    }
    return stem.empty() ? std::string(fallback) : stem;
}

// A hunk's title as GetName gives it, without a copy: a blank hunk has none.
std::string_view NameOf(const Hunk& hunk) {
    return hunk.GetType() == BLANK ? std::string_view() : hunk.title.view();
}

// An id for a link target: the title's letters and digits.
std::string IdStem(std::string_view title) {
    std::string id;
    for (const char c : title) {
        if (std::isalnum(static_cast<unsigned char>(c)) && static_cast<unsigned char>(c) < 0x80) {
            id += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        } else if (!id.empty() && id.back() != '-') {
            id += '-';
        }
        if (id.size() >= 24) break;
    }
    while (!id.empty() && id.back() == '-') id.pop_back();
    return id.empty() ? "target" : id;
}

class Decompiler {
  public:
    Decompiler(const HintDocument& document, std::string hint_file, const OutlineTextSink* sink,
               bool data_bytes)
        : document_(document), hint_file_(std::move(hint_file)), data_(hint_file_), sink_(sink),
          data_bytes_(data_bytes) {}
    DecompiledOutline Run();

  private:
    static constexpr size_t kTextPiece = 256 * 1024;
    // Passes the text made so far to the sink, if there is one, once it makes a piece (or
    // whatever there is, at the end).
    void PassText(bool end = false);
    void Emit(size_t depth, std::string_view text);
    // head, then a value of the file as Value writes it, or as a body line does after "> ".
    void EmitValue(size_t depth, std::string_view head, std::string_view value);
    void EmitBody(size_t depth, std::string_view text);
    void WriteOlder(const Hunk& root, size_t depth);
    void WriteOlderAsItStands(size_t depth);
    void WriteHunk(const Hunk& hunk, size_t depth, bool top_level = false);
    void WriteLines(const ItemsHunk& hunk, const SourceStyle& style, size_t depth);
    void WriteQuestion(const MetaTextHunk& question, size_t depth);
    void WritePicture(const Hunk& picture, const PNGObject& object, size_t depth);
    void EmitData(size_t depth, const std::string& head, const Hunk& hunk, const DataRange& range,
                  std::string_view extension, const std::string& tail = "");
    std::string LinkTarget(const LinkHunk& link);
    void IndexTitles(const Hunk& hunk);
    void CollectLinkTargets(const Hunk& hunk);

    const HintDocument& document_;
    std::string hint_file_;
    FileRangeReader data_;  // of hint_file_
    const OutlineTextSink* sink_;
    bool data_bytes_;
    DecompiledOutline result_;
    std::unordered_set<std::string> file_names_;
    // As the compiler resolves a title; the titles are the document's.
    std::unordered_map<std::string_view, const Hunk*> first_titled_;
    std::unordered_map<const Hunk*, std::string> ids_;
    std::unordered_set<std::string> used_ids_;
};

void Decompiler::PassText(bool end) {
    if (!sink_ || (result_.text.size() < kTextPiece && !end)) return;
    (*sink_)(result_.text);
    result_.text.clear();
}

void Decompiler::Emit(size_t depth, std::string_view text) {
    for (size_t i = 0; i < depth; ++i)
        result_.text += kIndent;
    result_.text += text;
    result_.text += '\n';
    PassText();
}

void Decompiler::EmitValue(size_t depth, std::string_view head, std::string_view value) {
    for (size_t i = 0; i < depth; ++i)
        result_.text += kIndent;
    result_.text += head;
    const bool quoted = NeedsQuotes(value, head == "> ");
    if (quoted) result_.text += '|';
    AppendUtf8Text(result_.text, value);
    if (quoted) result_.text += '|';
    result_.text += '\n';
    PassText();
}

// A body line: "> " and the text, which keeps its leading blanks there.
void Decompiler::EmitBody(size_t depth, std::string_view text) {
    EmitValue(depth, "> ", text);
}

// The titles a link may name: the first hunk of each, links aside, in the compiler's order.
void Decompiler::IndexTitles(const Hunk& hunk) {
    const HunkKind kind = hunk.GetType();
    if (kind != LINK && kind != PNGOBJECT) first_titled_.try_emplace(NameOf(hunk), &hunk);
    if (const auto* items = NodeCast<ItemsHunk>(&hunk)) {
        for (const KLUObject* child : items->children) {
            if (child->IsHunk()) IndexTitles(*static_cast<const Hunk*>(child));
        }
    }
}

// Targets that a title does not name alone get an id.
void Decompiler::CollectLinkTargets(const Hunk& hunk) {
    if (hunk.GetType() == LINK) {
        const Hunk* target = static_cast<const LinkHunk&>(hunk).Target();
        if (target && !ids_.count(target)) {
            const std::string_view name = NameOf(*target);
            const auto first = first_titled_.find(name);
            const bool named = first != first_titled_.end() && first->second == target &&
                               !name.empty() && name[0] != '@' &&
                               name.find("->") == std::string::npos;
            if (!named) {
                std::string id = IdStem(name);
                for (int n = 2; used_ids_.count(id); ++n)
                    id = IdStem(name) + "-" + std::to_string(n);
                used_ids_.insert(id);
                ids_[target] = id;
            }
        }
    }
    if (const auto* items = NodeCast<ItemsHunk>(&hunk)) {
        for (const KLUObject* child : items->children) {
            if (child->IsHunk()) CollectLinkTargets(*static_cast<const Hunk*>(child));
        }
    }
}

std::string Decompiler::LinkTarget(const LinkHunk& link) {
    const Hunk* target = link.Target();
    if (!target) return "";
    const auto id = ids_.find(target);
    return id != ids_.end() ? " @" + id->second : " " + Value(target->GetName());
}

// "head = file tail" with the data in a file of its own. Data the compiler would not take from a
// file (damaged, empty) follows as "bytes:" below "head = tail" instead, so that every file that
// loads comes back.
void Decompiler::EmitData(size_t depth, const std::string& head, const Hunk& hunk,
                          const DataRange& range, std::string_view extension,
                          const std::string& tail) {
    std::vector<char> bytes;
    const RangeResult read = data_.Read(range.dataOffset, range.dataLength, bytes);
    if (!read.Ok()) throw DecompileFault(read.message);
    const std::string_view data(bytes.data(), bytes.size());
    const std::string_view element = extension == "png"   ? "picture"
                                     : extension == "wav" ? "sound"
                                                          : "gif";
    if (!DataFault(element, data).empty()) {
        Emit(depth, head + " =" + tail);
        std::string line = "bytes:";
        if (!data.empty()) AppendBase64(line += ' ', data);
        Emit(depth + 1, line);
        return;
    }
    const std::string stem = FileStem(hunk.GetName(), KindName(hunk.GetType()));
    std::string name = stem + "." + std::string(extension);
    for (int n = 2; file_names_.count(ToUpper(name)); ++n)
        name = stem + " (" + std::to_string(n) + ")." + std::string(extension);
    file_names_.insert(ToUpper(name));
    result_.files.push_back({name, data_bytes_ ? std::string(data) : std::string()});
    Emit(depth, head + " = " + name + tail);
}

void Decompiler::WriteLines(const ItemsHunk& hunk, const SourceStyle& style, size_t depth) {
    std::optional<std::vector<SourceItem>> items = SourceOf(hunk, style);
    if (!items) {
        // No markup was found that gives every flag back: the texts at least.
        items.emplace();
        for (const KLUObject* child : hunk.children) {
            if (child->IsHunk()) {
                items->push_back({SourceItem::Kind::Hunk, {}, static_cast<const Hunk*>(child)});
            } else if (SeparatesHints(*child)) {
                items->push_back({SourceItem::Kind::Separator, {}, nullptr});
            } else {
                items->push_back({SourceItem::Kind::Line, EscapeMarkup(child->title, false)});
            }
        }
    }
    for (const SourceItem& item : *items) {
        switch (item.kind) {
            case SourceItem::Kind::Line:
                EmitBody(depth, item.text);
                break;
            case SourceItem::Kind::Separator:
                Emit(depth, "-");
                break;
            case SourceItem::Kind::Hunk:
                WriteHunk(*item.hunk, depth);
                break;
        }
    }
}

// A question's hints as "hint:" lines, each continued by the "> " lines below it.
void Decompiler::WriteQuestion(const MetaTextHunk& question, size_t depth) {
    SourceStyle style;
    style.separators = SourceStyle::Separators::Hint;
    auto items = SourceOf(question, style);
    if (!items) {
        WriteLines(question, style, depth);
        return;
    }
    bool hint_open = false;
    for (const SourceItem& item : *items) {
        if (item.kind == SourceItem::Kind::Separator) {
            if (!hint_open) Emit(depth, "hint:");
            hint_open = false;
        } else if (!hint_open) {
            EmitValue(depth, "hint: ", item.text);
            hint_open = true;
        } else {
            EmitBody(depth + 1, item.text);
        }
    }
    // A question that ends with a separator has an empty last hint.
    if (!items->empty() && !hint_open) Emit(depth, "hint:");
}

void Decompiler::WritePicture(const Hunk& picture, const PNGObject& object, size_t depth) {
    EmitData(depth, "picture: " + Value(picture.GetName()), picture, object, "png");
    for (size_t i = 0; i < object.regions.size() && i < object.children.size(); ++i) {
        const Rect& r = object.regions[i];
        Emit(depth + 1, "spot: " + std::to_string(r.left) + " " + std::to_string(r.top) + " " +
                            std::to_string(r.right) + " " + std::to_string(r.bottom));
        WriteHunk(*static_cast<const Hunk*>(object.children[i]), depth + 2);
    }
}

void Decompiler::WriteHunk(const Hunk& hunk, size_t depth, bool top_level) {
    const HunkKind kind = hunk.GetType();
    const std::string title = Value(hunk.GetName());
    const std::string_view element = ElementOfKind(kind);
    auto attributes = [&] {
        if (const auto id = ids_.find(&hunk); id != ids_.end()) Emit(depth + 1, "id: " + id->second);
        // version and info elements stand beside the subject tree unless they say otherwise.
        const bool beside_by_default = depth == 0 && (kind == VERHUNK || kind == INFO);
        if (top_level != beside_by_default) Emit(depth + 1, top_level ? "top-level: yes" : "top-level: no");
        if (&hunk == document_.GetRoot()) Emit(depth + 1, "root: yes");
    };
    switch (kind) {
        case HYPERPNG:
            if (const PNGObject* object = static_cast<const HyperPNGHunk&>(hunk).Finish()) {
                WritePicture(hunk, *object, depth);
                attributes();
                // A link may lead into the picture object the hunk holds.
                if (const auto id = ids_.find(object); id != ids_.end())
                    Emit(depth + 1, "object-id: " + id->second);
                return;
            }
            break;
        case PNGOBJECT:  // a picture read in picture mode
            WritePicture(hunk, static_cast<const PNGObject&>(hunk), depth);
            attributes();
            return;
        case OVERLAY: {
            const auto& overlay = static_cast<const OverlayHunk&>(hunk);
            EmitData(depth, "overlay: " + title, hunk, overlay, "png",
                     " at " + std::to_string(overlay.x) + " " + std::to_string(overlay.y));
            attributes();
            return;
        }
        case SOUND:
            EmitData(depth, "sound: " + title, hunk, static_cast<const SoundHunk&>(hunk), "wav");
            attributes();
            return;
        case GIFA:
            EmitData(depth, "gif: " + title, hunk, static_cast<const GIFaHunk&>(hunk), "gif");
            attributes();
            return;
        case LINK:
            Emit(depth, "link: " + title + " ->" + LinkTarget(static_cast<const LinkHunk&>(hunk)));
            attributes();
            return;
        case BLANK:
            Emit(depth, "blank:");
            attributes();
            return;
        default:
            Emit(depth, std::string(element) + ": " + title);
            break;
    }
    attributes();
    const size_t body = depth + 1;
    switch (kind) {
        case SUBJECT:
            for (const KLUObject* child : static_cast<const ItemsHunk&>(hunk).children) {
                if (child->IsHunk()) WriteHunk(*static_cast<const Hunk*>(child), body);
            }
            break;
        case HINT:
            WriteQuestion(static_cast<const MetaTextHunk&>(hunk), body);
            break;
        case NESTHINT: {
            SourceStyle style;
            style.separators = SourceStyle::Separators::Hint;
            style.nested = true;
            WriteLines(static_cast<const ItemsHunk&>(hunk), style, body);
            break;
        }
        case TEXT: {
            const auto& text = static_cast<const TextHunk&>(hunk);
            if (text.flags != 0) Emit(body, "flags: " + std::to_string(text.flags));
            SourceStyle style;
            style.breakMode = 1;
            style.wrapMode = (text.flags & TextHunk::kNoWrapFlag) ? 2 : 0;
            style.fontMode = (text.flags & TextHunk::kAltFontFlag) ? 1 : 0;
            WriteLines(text, style, body);
            break;
        }
        case COMMENT:
        case CREDIT:
        case VERHUNK:
            WriteLines(static_cast<const ItemsHunk&>(hunk), {}, body);
            break;
        case INCENTIVE:
            for (const std::string& line : static_cast<const IncentiveHunk&>(hunk).storedLines)
                EmitBody(body, line);
            break;
        case INFO:
            for (std::string line : static_cast<const InfoHunk&>(hunk).storedLines) {
                // The writer gives the length of the new file; what followed the old one's
                // length stays, for the keys that read it.
                if (StartsWithNoCase(line, "length=")) {
                    line.erase(0, 7);
                    if (!StartsWithNoCase(line, "copyright=") &&
                        !StartsWithNoCase(line, "author-note=") &&
                        !StartsWithNoCase(line, "game-note="))
                        continue;
                }
                EmitBody(body, line);
            }
            break;
        case UNKNOWN:
            if (const auto* unknown = NodeCast<UnknownHunk>(&hunk))
                Emit(body, "keyword: " + Value(unknown->keyword));
            break;
        default:
            break;
    }
}

// Whether an older-format tree has the shape an outline holds: subjects of questions of hints,
// and the note from the author at the end. The line numbers of a file can tie it otherwise.
bool HasOutlineShape(const ItemsHunk& root) {
    auto holds_only = [](const ItemsHunk& hunk, auto&& fits) {
        return std::all_of(hunk.children.begin(), hunk.children.end(), fits);
    };
    return holds_only(root, [&](const KLUObject* child) {
        const auto* hunk = NodeCast<MetaTextHunk>(child);
        if (!hunk) return false;
        if (hunk->kind == CREDIT) return child == root.children.back();
        return hunk->kind == SUBJECT && holds_only(*hunk, [&](const KLUObject* q) {
                   const auto* question = NodeCast<MetaTextHunk>(q);
                   return question && question->kind == HINT &&
                          holds_only(*question, [](const KLUObject* line) {
                              return !line->IsHunk();
                          });
               });
    });
}

// The older format: subjects, questions with one source line per hint, the author's note.
void Decompiler::WriteOlder(const Hunk& root, size_t depth) {
    if (!HasOutlineShape(static_cast<const ItemsHunk&>(root))) {
        WriteOlderAsItStands(depth);
        return;
    }
    SourceStyle hint_style;
    hint_style.separators = SourceStyle::Separators::Older;
    hint_style.oneLinePerHint = true;
    for (const KLUObject* child : static_cast<const ItemsHunk&>(root).children) {
        const auto* hunk = NodeCast<MetaTextHunk>(child);
        if (!hunk) continue;
        if (hunk->kind == CREDIT) {
            const std::vector<SourceItem> items =
                SourceOf(*hunk, {}).value_or(std::vector<SourceItem>{});
            // A note of empty lines alone is a note all the same: one empty line gives it back.
            if (items.empty()) Emit(depth, "note: ");
            for (const SourceItem& item : items)
                EmitValue(depth, "note: ", item.text);
            continue;
        }
        EmitValue(depth, "subject: ", hunk->title.view());
        for (const KLUObject* q : hunk->children) {
            const auto* question = NodeCast<MetaTextHunk>(q);
            if (!question) continue;
            std::string name = question->title.str();
            if (!name.empty() && name.back() == '?') name.pop_back();
            EmitValue(depth + 1, "question: ", name);
            for (const SourceItem& item :
                 SourceOf(*question, hint_style).value_or(std::vector<SourceItem>{})) {
                if (item.kind == SourceItem::Kind::Line) EmitValue(depth + 2, "hint: ", item.text);
            }
        }
    }
}

// An older part whose line numbers tie hints or questions where the outline's subjects and
// questions have no place for them: every title with its line number, as the file has them.
void Decompiler::WriteOlderAsItStands(size_t depth) {
    const std::optional<OlderPart> part = ReadOlderPart(hint_file_);
    if (!part) throw DecompileFault("its older-format part cannot be read again");
    Emit(depth, "lines: " + std::to_string(part->firstHint) + " " + std::to_string(part->lastHint));
    for (size_t i = 0; i < part->entries.size(); ++i) {
        const OlderPartEntry& entry = part->entries[i];
        Emit(depth, std::string(part->IsSubject(i) ? "subject: " : "question: ") +
                        Value(entry.title) + " -> " + std::to_string(entry.target));
    }
    for (const std::string& hint : part->hints)
        EmitValue(depth, "hint: ", hint);
    for (const std::string& line : part->note)
        EmitValue(depth, "note: ", line);
}

DecompiledOutline Decompiler::Run() {
    const Hunk* older = document_.Count() > 0 ? document_.Entry(0)->AsHunk() : nullptr;
    const Hunk* root = document_.GetRoot();
    if (!older || !root) throw DecompileFault("the file holds no tree");
    // An outline is about as long as its file: room for it at once spares copies as it grows,
    // and room it does not use costs no memory. Huge pages spare a fault per 4 KiB as it fills.
    std::error_code unknown_size;
    const auto file_size = std::filesystem::file_size(hint_file_, unknown_size);
    if (sink_) {
        result_.text.reserve(kTextPiece + 4096);
    } else if (!unknown_size) {
        result_.text.reserve(file_size + file_size / 2);
        AdviseHugePages(result_.text.data(), file_size);
    }
    Emit(0, "; Written by klu decompile. Compile it again with: klu compile FILE.outline FILE.klu");
    Emit(0, "title: " + Value(root->GetName()));
    if (root == older) {
        Emit(0, "format: 88a");
        WriteOlder(*root, 0);
        PassText(true);
        return std::move(result_);
    }
    // The file's other top-level hunks; an information block the loader made up is not one.
    std::vector<const Hunk*> top_level;
    for (size_t i = 2; i < document_.Count(); ++i) {
        const Hunk* hunk = document_.Entry(i)->AsHunk();
        if (hunk && !(hunk->GetType() == INFO && hunk->lineNumber == 0)) top_level.push_back(hunk);
    }
    for (const Hunk* hunk : top_level) {
        const auto* info = NodeCast<InfoHunk>(hunk);
        if (info && info->infoLength != 0) {
            Emit(0, "checksum: info-length");
            break;
        }
    }
    const auto& older_children = static_cast<const ItemsHunk*>(older)->children;
    if (older->GetName() != root->GetName() || !older_children.empty()) {
        Emit(0, "older: " + Value(older->GetName()));
        WriteOlder(*older, 1);
    }
    IndexTitles(*root);
    for (const Hunk* hunk : top_level)
        IndexTitles(*hunk);
    CollectLinkTargets(*root);
    for (const Hunk* hunk : top_level)
        CollectLinkTargets(*hunk);
    // A root of another kind than a subject is an element of its own; the others stand beside it.
    const bool subject_root = root->GetType() == SUBJECT;
    if (!subject_root) {
        WriteHunk(*root, 0, root->GetType() == VERHUNK || root->GetType() == INFO);
    } else {
        if (const auto id = ids_.find(root); id != ids_.end()) Emit(0, "id: " + id->second);
        for (const KLUObject* child : static_cast<const ItemsHunk*>(root)->children) {
            if (child->IsHunk()) WriteHunk(*static_cast<const Hunk*>(child), 0);
        }
    }
    for (const Hunk* hunk : top_level)
        WriteHunk(*hunk, 0, true);
    PassText(true);
    return std::move(result_);
}

}  // namespace

std::optional<DecompiledOutline> DecompileOutline(const HintDocument& document,
                                                  const std::string& hint_file,
                                                  std::string* error,
                                                  const OutlineTextSink* text_sink,
                                                  bool data_bytes) {
    try {
        return Decompiler(document, hint_file, text_sink, data_bytes).Run();
    } catch (const DecompileFault& fault) {
        if (error) *error = fault.what();
        return std::nullopt;
    }
}

}  // namespace klu
