#include "model/outline/outline.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <cstring>
#include <cstdint>
#include <filesystem>
#include <limits>
#include <map>
#include <sstream>
#include <stdexcept>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "model/text/base64.h"
#include "model/format/decode.h"
#include "model/format/encipher.h"
#include "model/files/file_bytes.h"
#include "model/files/memory_pages.h"
#include "model/format/hunk_kind.h"
#include "model/document/hunk_reader.h"
#include "model/outline/outline_data.h"
#include "model/outline/outline_syntax.h"
#include "model/text/windows1252.h"

namespace klu {
namespace {

class Lines;

// One line of the outline, in a flat list where the lines indented below it follow it. Its
// text stays in the outline: a line costs the same few bytes whatever its length.
struct OutlineLine {
    const char* start = nullptr;  // after the indentation
    uint32_t length = 0;          // to the end of the line, trailing blanks kept
    uint32_t extent = 1;          // this line and the lines nested below it

    // Without trailing blanks.
    std::string_view content() const {
        const std::string_view text(start, length);
        return text.substr(0, text.find_last_not_of(" \t\r") + 1);
    }
    // For "> text": the text, trailing blanks kept.
    std::string_view body() const {
        std::string_view text(start + 1, length - 1);
        if (!text.empty() && text[0] == ' ') text.remove_prefix(1);
        return text;
    }
    Lines children() const;
    bool IsBody() const { return start[0] == '>'; }
    bool IsSeparator() const { return content() == "-"; }
};

// Sibling lines: each is followed by its own nested lines, which the iteration steps over.
class Lines {
  public:
    class Iterator {
      public:
        explicit Iterator(const OutlineLine* at) : at_(at) {}
        const OutlineLine& operator*() const { return *at_; }
        Iterator& operator++() {
            at_ += at_->extent;
            return *this;
        }
        bool operator!=(const Iterator& other) const { return at_ != other.at_; }

      private:
        const OutlineLine* at_;
    };
    Lines(const OutlineLine* first, const OutlineLine* end) : first_(first), end_(end) {}
    // The line alone, with what is nested below it.
    static Lines Of(const OutlineLine& line) { return {&line, &line + line.extent}; }
    Iterator begin() const { return Iterator(first_); }
    Iterator end() const { return Iterator(end_); }
    bool empty() const { return first_ == end_; }
    // The siblings after the first.
    Lines Rest() const { return {first_ + first_->extent, end_}; }
    const OutlineLine& front() const { return *first_; }
    size_t size() const {
        size_t count = 0;
        for (auto it = begin(); it != end(); ++it)
            ++count;
        return count;
    }

  private:
    const OutlineLine* first_;
    const OutlineLine* end_;
};

// A fault at a line of the outline: its number, or where its text lies, which tells the number
// when it is needed; an outline has many lines, which keep no number to stay small.
struct OutlineFault : std::runtime_error {
    OutlineFault(int number, const std::string& message)
        : std::runtime_error(message), line(number) {}
    OutlineFault(const OutlineLine& at, const std::string& message)
        : std::runtime_error(message), where(at.start) {}
    int line = 0;
    const char* where = nullptr;
};

Lines OutlineLine::children() const {
    return {this + 1, this + extent};
}

std::string_view TrimView(std::string_view s) {
    const size_t begin = s.find_first_not_of(" \t");
    if (begin == std::string_view::npos) return {};
    const size_t end = s.find_last_not_of(" \t\r");
    return s.substr(begin, end - begin + 1);
}

std::string Trim(std::string_view s) {
    return std::string(TrimView(s));
}

int IndentOf(std::string_view line) {
    int indent = 0;
    for (char c : line) {
        if (c == ' ') {
            ++indent;
        } else if (c == '\t') {
            indent = (indent / 4 + 1) * 4;
        } else {
            break;
        }
    }
    return indent;
}

// The lines of a text: its newlines, and one more.
size_t LineCount(std::string_view text) {
    size_t count = 1;
    for (const char* at = text.data(), *end = at + text.size();
         (at = static_cast<const char*>(std::memchr(at, '\n', static_cast<size_t>(end - at))));
         ++at)
        ++count;
    return count;
}

size_t BlanksAtStart(std::string_view line) {
    size_t blanks = 0;
    while (blanks < line.size() && (line[blanks] == ' ' || line[blanks] == '\t'))
        ++blanks;
    return blanks;
}

// Whether a character of the line is other than a blank or a carriage return; looked for from
// the end, where most lines have one.
bool HasContent(std::string_view line) {
    for (size_t i = line.size(); i-- > 0;) {
        if (line[i] != ' ' && line[i] != '\t' && line[i] != '\r') return true;
    }
    return false;
}

// Hunks nest no deeper than the loader reads them.
constexpr int kDeepestElement = HunkReader::kMaxDepth;

std::string TooDeep() {
    return "elements nest deeper than the " + std::to_string(kDeepestElement) +
           " levels a file can hold";
}

// Splits the text into lines and nests them by indentation. Each element level takes at most
// two levels of lines (a spot and its element), so no deeper nesting can build. The lines are
// moved together as they are read, without their indentation, blank lines and comments, which a
// plan has no use for: the room this frees at the end of the text goes back. Every newline
// stays, for the number of a line with a fault.
std::vector<OutlineLine> NestLines(std::string& text) {
    if (text.size() > std::numeric_limits<uint32_t>::max())
        throw OutlineFault(1, "the outline is larger than 4 GiB");
    std::vector<OutlineLine> lines;
    lines.reserve(LineCount(text));
    std::vector<std::pair<size_t, int>> open;  // lines that may take children, and their indents
    auto close = [&lines, &open] {
        lines[open.back().first].extent = static_cast<uint32_t>(lines.size() - open.back().first);
        open.pop_back();
    };
    size_t at = 0;
    size_t kept = 0;  // the text so far, moved together
    for (int number = 1; at < text.size(); ++number) {
        size_t end = text.find('\n', at);
        if (end == std::string_view::npos) end = text.size();
        std::string_view raw = std::string_view(text).substr(at, end - at);
        const bool ends_line = end < text.size();
        at = end + 1;
        if (!raw.empty() && raw.back() == '\r') raw.remove_suffix(1);
        const size_t begin = BlanksAtStart(raw);
        // A blank line or a comment keeps only its newline.
        if (HasContent(raw) && raw[begin] != ';') {
            OutlineLine line;
            line.length = static_cast<uint32_t>(raw.size() - begin);
            const int indent = IndentOf(raw);
            line.start = text.data() + kept;
            std::memmove(text.data() + kept, raw.data() + begin, line.length);
            kept += line.length;
            while (!open.empty() && open.back().second >= indent)
                close();
            if (open.size() > 2 * static_cast<size_t>(kDeepestElement))
                throw OutlineFault(number, TooDeep());
            open.emplace_back(lines.size(), indent);
            lines.push_back(line);
        }
        if (ends_line) text[kept++] = '\n';
    }
    while (!open.empty())
        close();
    text.resize(kept);
    ReleasePages(text.data() + kept, text.capacity() - kept);
    return lines;
}

// "word: value" of an element line.
std::pair<std::string, std::string> SplitElement(const OutlineLine& line) {
    const std::string_view content = line.content();
    const size_t colon = content.find(':');
    if (colon == std::string::npos || line.IsBody()) {
        throw OutlineFault(line, "expected \"kind: title\", \"> text\" or \"-\"");
    }
    std::string word = Trim(content.substr(0, colon));
    for (char& c : word)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return {word, Trim(content.substr(colon + 1))};
}

// How the enciphered kinds store a line; nothing when a character has no stored form there.
enum class Cipher { None, Hint, Nested, TextPage };

class OutlineBuilder {
  public:
    explicit OutlineBuilder(std::string base) : base_(std::move(base)) {}
    HintFilePlan Build(Lines top);

  private:
    std::string Text(const OutlineLine& line, std::string_view utf8, Cipher cipher = Cipher::None);
    bool Enciphers(std::string_view plain, Cipher cipher);
    void CheckEnciphers(const OutlineLine& line, std::string_view text, Cipher cipher);
    void BuildOlder(Lines lines);
    void BuildOlderAsItStands(Lines lines);
    std::unique_ptr<HintNode> BuildElement(const OutlineLine& line, const std::string& word,
                                           const std::string& value);
    static size_t ItemRoom(const HintNode& node, Lines lines);
    void BuildBody(HintNode& node, Lines lines);
    bool BuildAttribute(HintNode& node, const OutlineLine& line, const std::string& word,
                        const std::string& value);
    void AddLine(HintNode& node, const OutlineLine& line, std::string_view text, Cipher cipher);
    void AddHint(HintNode& question, const OutlineLine& line);
    void AddSpot(HintNode& picture, const OutlineLine& line, const std::string& numbers);
    std::string ReadData(const OutlineLine& line, const std::string& word,
                         const std::string& name);
    static const OutlineLine* InlineBytes(const OutlineLine& line);
    static std::string InlineData(const OutlineLine& bytes);
    void IndexTitles(const HintNode& node);
    void ResolveLinks();

    std::string base_;
    std::optional<std::filesystem::path> folder_;  // base_ made canonical, once it is asked for
    int depth_ = 0;  // of the element whose body is being built; the root's is 1
    std::string key_;  // of the enciphered text pages and nested hints
    TextBlockEncoder text_cipher_{""};  // with key_
    NestedHintEncoder nested_cipher_{""};  // with key_
    std::unique_ptr<HintNode> subject_root_;  // the root made for the title, when another is
    HintFilePlan plan_;
    std::vector<std::pair<HintNode*, std::pair<const OutlineLine*, std::string>>> links_;
    // Views of the titles of the plan's nodes.
    std::unordered_map<std::string_view, const HintNode*> by_title_;
    std::unordered_set<std::string_view> link_titles_;
    std::map<std::string, std::pair<const HintNode*, bool>> by_id_;  // node, into its picture
};

// Outline text (UTF-8) as the file's text (Windows-1252), checked against what the kind can
// encipher.
std::string OutlineBuilder::Text(const OutlineLine& line, std::string_view utf8, Cipher cipher) {
    std::string text;
    Utf8Fault fault;
    if (!Utf8ToWindows1252(utf8, text, &fault)) throw OutlineFault(line, fault.message);
    CheckEnciphers(line, text, cipher);
    return text;
}

bool OutlineBuilder::Enciphers(std::string_view plain, Cipher cipher) {
    switch (cipher) {
        case Cipher::None:
            return true;
        case Cipher::Hint:
            return Encodes88(plain);
        case Cipher::Nested:
            return nested_cipher_.Encodes(plain);
        case Cipher::TextPage:
            return text_cipher_.Encodes(plain);
    }
    return true;
}

void OutlineBuilder::CheckEnciphers(const OutlineLine& line, std::string_view text,
                                    Cipher cipher) {
    if (Enciphers(text, cipher)) return;
    // The ciphers work character by character, so the first prefix that fails ends with the
    // character to blame.
    size_t at = 0;
    while (at < text.size() && Enciphers(text.substr(0, at + 1), cipher))
        ++at;
    const std::string shown = "\"" + Windows1252ToUtf8(text.substr(at, 1)) + "\"";
    if (cipher == Cipher::Hint) {
        throw OutlineFault(line, shown + " cannot be enciphered in a hint: its cipher has "
                                                "no code for that character");
    }
    throw OutlineFault(line, shown + " (character " + std::to_string(at + 1) +
                                        ") cannot be enciphered in this line: with this file's "
                                        "title its cipher has no code for it there");
}

// A data file lies in the outline's folder or below it, also once links are resolved, so that an
// outline from someone else cannot make its compiler publish private files in the hint file.
std::string OutlineBuilder::ReadData(const OutlineLine& line, const std::string& word,
                                     const std::string& name) {
    namespace fs = std::filesystem;
    const std::string shown = "\"" + name + "\"";
    std::error_code error;
    if (!folder_) {
        folder_ = fs::canonical(base_.empty() ? "." : base_, error);
        if (error) {
            folder_.reset();
            throw OutlineFault(line, "cannot read the outline's folder");
        }
    }
    const fs::path& folder = *folder_;
    // A file of the folder itself, that is no link, has its canonical path at hand: the
    // folder's path is not resolved again for every file.
    const bool plain_name =
        !name.empty() && name.find('/') == std::string::npos && name != "." && name != "..";
    fs::path path = folder / name;
    const bool regular =
        plain_name && fs::symlink_status(path, error).type() == fs::file_type::regular;
    if (!regular) {
        error.clear();
        path = fs::canonical(base_ + name, error);
    }
    if (name.empty() || error)
        throw OutlineFault(line, "cannot read \"" + base_ + name + "\"");
    const std::string inside = (folder / "").string();
    if (name[0] == '/' || path.string().compare(0, inside.size(), inside) != 0)
        throw OutlineFault(line, shown + " lies outside the outline's folder");
    std::vector<char> bytes;
    if (!(regular || fs::is_regular_file(path, error)) || !ReadFileBytes(path.string(), bytes))
        throw OutlineFault(line, "cannot read \"" + base_ + name + "\"");
    std::string data(bytes.begin(), bytes.end());
    if (const std::string fault = DataFault(word, data); !fault.empty())
        throw OutlineFault(line, shown + " " + fault);
    return data;
}

// The "bytes:" line below a data element, if it has one. Its bytes are the outline's own text,
// so they are taken as they are: no file is read, nothing private can come in.
const OutlineLine* OutlineBuilder::InlineBytes(const OutlineLine& line) {
    const OutlineLine* found = nullptr;
    for (const OutlineLine& child : line.children()) {
        if (child.IsBody() || child.IsSeparator() || SplitElement(child).first != "bytes") continue;
        if (found) throw OutlineFault(child, "one \"bytes:\" line holds the data");
        found = &child;
    }
    return found;
}

std::string OutlineBuilder::InlineData(const OutlineLine& bytes) {
    std::optional<std::string> data = DecodeBase64(SplitElement(bytes).second);
    if (!data) throw OutlineFault(bytes, "\"bytes:\" needs base64 text");
    return std::move(*data);
}

std::unique_ptr<HintNode> OutlineBuilder::BuildElement(const OutlineLine& line,
                                                       const std::string& word,
                                                       const std::string& value) {
    const std::string_view keyword = KeywordOfElement(word);
    if (keyword.empty()) throw OutlineFault(line, "unknown element \"" + word + "\"");
    const int parent_depth = depth_;
    if (++depth_ > kDeepestElement) throw OutlineFault(line, TooDeep());
    auto node = MakeNode(std::string(keyword), "");
    if (word != "link" && word != "picture" && word != "overlay" && word != "sound" &&
        word != "gif" && word != "blank") {
        node->title = Text(line, UnquoteValue(value));
    }
    if (word == "link") {
        const size_t arrow = value.rfind("->");
        if (arrow == std::string::npos)
            throw OutlineFault(line, "a link needs \"-> title\"");
        node->title = Text(line, UnquoteValue(Trim(value.substr(0, arrow))));
        const std::string target = Trim(value.substr(arrow + 2));
        if (target.empty()) {
            node->targetLine = 0;  // leads nowhere: no hunk has line 0
        } else {
            links_.push_back({node.get(), {&line, target}});
        }
    } else if (word == "picture" || word == "overlay" || word == "sound" || word == "gif") {
        const size_t equals = value.rfind('=');
        if (equals == std::string::npos)
            throw OutlineFault(line, word + " needs \"= file\", or \"=\" and \"bytes:\"");
        node->title = Text(line, UnquoteValue(Trim(value.substr(0, equals))));
        std::string file = Trim(value.substr(equals + 1));
        if (word == "overlay") {
            const std::string placed = " " + file;  // " at X Y" also after no file name
            const size_t at = placed.rfind(" at ");
            std::istringstream position(at == std::string::npos ? "" : placed.substr(at + 4));
            if (!(position >> node->x >> node->y)) {
                throw OutlineFault(line, "an overlay needs \"= file at X Y\"");
            }
            file = Trim(placed.substr(0, at));
        }
        const OutlineLine* bytes = InlineBytes(line);
        if (bytes && !file.empty())
            throw OutlineFault(*bytes, "the data is a file or \"bytes:\", not both");
        node->data = bytes ? InlineData(*bytes) : ReadData(line, word, file);
    }
    // A plan holds every line of the file: its items are not left room to spare, nor moved as
    // they grow.
    node->items.reserve(ItemRoom(*node, line.children()));
    BuildBody(*node, line.children());
    node->items.shrink_to_fit();
    depth_ = parent_depth;
    return node;
}

// A line whose stored text is the outline's own refers to it: most lines cost no copy.
// How the lines of a node of the keyword are stored.
Cipher CipherOf(std::string_view keyword) {
    return keyword == "HINT"       ? Cipher::Hint
           : keyword == "NESTHINT" ? Cipher::Nested
           : keyword == "TEXT"     ? Cipher::TextPage
                                   : Cipher::None;
}

void OutlineBuilder::AddLine(HintNode& node, const OutlineLine& line, std::string_view text,
                             Cipher cipher) {
    const std::string_view unquoted = UnquotedView(text);
    // ASCII is the same in UTF-8 and in the file's code page.
    if (std::all_of(unquoted.begin(), unquoted.end(),
                    [](char c) { return static_cast<unsigned char>(c) < 0x80; })) {
        CheckEnciphers(line, unquoted, cipher);
        node.LineView(unquoted);
        return;
    }
    std::string stored = Text(line, unquoted, cipher);
    if (stored == unquoted) {
        node.LineView(unquoted);
    } else {
        node.Line(std::move(stored));
    }
}

void OutlineBuilder::AddHint(HintNode& question, const OutlineLine& line) {
    if (question.keyword != "HINT")
        throw OutlineFault(line, "\"hint:\" belongs to a question");
    if (!question.items.empty()) question.Separator();
    const std::string_view content = line.content();
    AddLine(question, line, TrimView(content.substr(content.find(':') + 1)), Cipher::Hint);
    for (const OutlineLine& more : line.children()) {
        if (!more.IsBody())
            throw OutlineFault(more, "a hint continues with \"> text\" lines");
        AddLine(question, more, more.body(), Cipher::Hint);
    }
}

void OutlineBuilder::AddSpot(HintNode& picture, const OutlineLine& line,
                             const std::string& numbers) {
    if (picture.keyword != "HYPERPNG")
        throw OutlineFault(line, "\"spot:\" belongs to a picture");
    std::array<int32_t, 4> region{};
    std::istringstream in(numbers);
    if (!(in >> region[0] >> region[1] >> region[2] >> region[3])) {
        throw OutlineFault(line, "a spot needs four numbers: left top right bottom");
    }
    if (line.children().size() != 1 || line.children().front().IsBody() || line.children().front().IsSeparator()) {
        throw OutlineFault(line, "a spot leads to exactly one element indented below it");
    }
    const OutlineLine& target = line.children().front();
    const auto [word, value] = SplitElement(target);
    picture.AddRegion(region[0], region[1], region[2], region[3],
                      BuildElement(target, word, value));
}

// The lines of an element that say something about the element itself.
bool OutlineBuilder::BuildAttribute(HintNode& node, const OutlineLine& line,
                                    const std::string& word, const std::string& value) {
    const bool object_id = word == "object-id" && node.keyword == "HYPERPNG";
    if (word == "id" || object_id) {
        if (value.empty()) throw OutlineFault(line, "an id needs a name");
        if (!by_id_.emplace(value, std::make_pair(&node, object_id)).second)
            throw OutlineFault(line, "the id \"" + value + "\" is taken");
        return true;
    }
    if (word == "flags" && node.keyword == "TEXT") {
        const char* end = value.data() + value.size();
        const auto [stop, fault] = std::from_chars(value.data(), end, node.textFlags);
        if (fault != std::errc() || stop != end)
            throw OutlineFault(line, "flags needs a whole number that fits in 32 bits");
        return true;
    }
    const bool holds_data = node.keyword == "HYPERPNG" || node.keyword == "OVERLAY" ||
                            node.keyword == "SOUND" || node.keyword == "GIFA";
    if (word == "bytes" && holds_data) return true;  // read with the element's line
    if (word == "keyword" && node.keyword == "UNKNOWN") {
        node.keyword = Text(line, UnquoteValue(value));
        return true;
    }
    return false;
}

// The items that lines may give the node, at most: one a line, but a hint also its lines below
// and a separator.
size_t OutlineBuilder::ItemRoom(const HintNode& node, Lines lines) {
    const bool question = node.keyword == "HINT";
    size_t room = 0;
    for (const OutlineLine& line : lines)
        room += question && !line.IsBody() ? line.extent + 1 : 1;
    return room;
}

void OutlineBuilder::BuildBody(HintNode& node, Lines lines) {
    const std::string& kind = node.keyword;
    const bool takes_lines = kind != "SUBJECT" && kind != "LINK" && kind != "BLANK" &&
                             kind != "HYPERPNG" && kind != "OVERLAY" && kind != "SOUND" &&
                             kind != "GIFA" && kind != "UNKNOWN";
    const Cipher cipher = CipherOf(kind);
    for (const OutlineLine& line : lines) {
        if (line.IsBody()) {
            if (!takes_lines)
                throw OutlineFault(line, "this element holds no \"> text\" lines");
            AddLine(node, line, line.body(), cipher);
            continue;
        }
        if (line.IsSeparator()) {
            if (kind != "NESTHINT" && kind != "HINT") {
                throw OutlineFault(line,
                                   "\"-\" separates the hints of a question or nested hint");
            }
            node.Separator();
            continue;
        }
        const auto [word, value] = SplitElement(line);
        if (word == "top-level" || word == "root") continue;  // read where the element stands
        if (BuildAttribute(node, line, word, value)) continue;
        if (word == "hint") {
            AddHint(node, line);
        } else if (word == "spot") {
            AddSpot(node, line, value);
        } else if (kind == "SUBJECT" || kind == "NESTHINT") {
            node.Add(BuildElement(line, word, value));
        } else {
            throw OutlineFault(line, "\"" + word + "\" cannot stand here");
        }
    }
}

void OutlineBuilder::IndexTitles(const HintNode& node) {
    if (node.keyword != "LINK") {
        by_title_.emplace(node.title, &node);
    } else {
        link_titles_.insert(node.title);
    }
    for (const HintItem& item : node.items) {
        if (item.node) IndexTitles(*item.node);
    }
}

// A link names its target by title (the first element so titled) or by "@id".
void OutlineBuilder::ResolveLinks() {
    IndexTitles(*plan_.root);
    for (const auto& node : plan_.topLevel)
        IndexTitles(*node);
    for (auto& [link, where] : links_) {
        const auto& [line, target] = where;
        if (target[0] == '@') {
            const auto it = by_id_.find(target.substr(1));
            if (it == by_id_.end())
                throw OutlineFault(*line, "no element has the id \"" + target.substr(1) + "\"");
            link->linkTarget = it->second.first;
            link->intoPicture = it->second.second;
            continue;
        }
        Utf8Fault fault;
        std::string title;
        if (!Utf8ToWindows1252(UnquoteValue(target), title, &fault))
            throw OutlineFault(*line, fault.message);
        const auto it = by_title_.find(title);
        if (it == by_title_.end() && link_titles_.count(title)) {
            throw OutlineFault(*line, "\"" + target + "\" is the title of a link; a link leads "
                                       "to a link by its id (\"-> @id\")");
        }
        if (it == by_title_.end())
            throw OutlineFault(*line, "no element is titled \"" + target + "\"");
        link->linkTarget = it->second;
    }
}

// Subjects with their questions and one-line hints, and the note from the author; or, after
// "lines:", the part as it stands.
void OutlineBuilder::BuildOlder(Lines lines) {
    for (const OutlineLine& line : lines) {
        if (SplitElement(line).first == "lines") return BuildOlderAsItStands(lines);
    }
    for (const OutlineLine& line : lines) {
        const auto [word, value] = SplitElement(line);
        if (word == "title" || word == "format") continue;
        if (word == "note") {
            plan_.note88.push_back(Text(line, UnquoteValue(value)));
            continue;
        }
        if (word != "subject")
            throw OutlineFault(line, "an 88a outline holds subjects and notes");
        Old88Subject& subject = plan_.subjects88.emplace_back(
            Old88Subject{Text(line, UnquoteValue(value), Cipher::Hint), {}});
        for (const OutlineLine& q : line.children()) {
            const auto [q_word, q_value] = SplitElement(q);
            if (q_word != "question")
                throw OutlineFault(q, "an 88a subject holds questions");
            Old88Question& question = subject.questions.emplace_back(
                Old88Question{Text(q, UnquoteValue(q_value), Cipher::Hint), {}});
            for (const OutlineLine& h : q.children()) {
                const auto [h_word, h_value] = SplitElement(h);
                if (h_word != "hint") throw OutlineFault(h, "an 88a question holds hints");
                question.hints.push_back(Text(h, UnquoteValue(h_value), Cipher::Hint));
            }
        }
    }
}

// "lines: FIRST LAST" (the body lines of the first and the last hint), then each subject and
// question with the body line it leads to ("-> LINE"), the hints one a line, and the note, as the
// file stores them.
void OutlineBuilder::BuildOlderAsItStands(Lines lines) {
    OlderPart& part = plan_.older88.emplace();
    const OutlineLine* numbers = nullptr;
    for (const OutlineLine& line : lines) {
        const auto [word, value] = SplitElement(line);
        if (word == "title" || word == "format") continue;
        if (!line.children().empty())
            throw OutlineFault(line.children().front(), "an older part as it stands nests nothing");
        if (word == "lines") {
            std::istringstream in(value);
            if (numbers || !(in >> part.firstHint >> part.lastHint) || !(in >> std::ws).eof())
                throw OutlineFault(line, "one \"lines: FIRST LAST\" with two numbers");
            numbers = &line;
        } else if (!numbers) {
            throw OutlineFault(line, "\"lines: FIRST LAST\" comes first");
        } else if (word == "note") {
            part.note.push_back(Text(line, UnquoteValue(value)));
        } else if (word == "hint") {
            part.hints.push_back(Text(line, UnquoteValue(value), Cipher::Hint));
        } else if (word == "subject" || word == "question") {
            const size_t arrow = value.rfind("->");
            std::istringstream target(arrow == std::string::npos ? "" : value.substr(arrow + 2));
            OlderPartEntry entry{Text(line, UnquoteValue(Trim(value.substr(0, arrow))), Cipher::Hint)};
            if (!(target >> entry.target) || !part.hints.empty())
                throw OutlineFault(line, word + " needs \"-> LINE\", before the hints");
            part.entries.push_back(std::move(entry));
            if (part.IsSubject(part.entries.size() - 1) != (word == "subject")) {
                throw OutlineFault(line, "here the file reads a " +
                                                    std::string(word == "subject" ? "question" : "subject") +
                                                    ": titles before the line the first one leads "
                                                    "to are subjects, the others questions");
            }
        } else {
            throw OutlineFault(line, "an older part as it stands holds subjects, questions, "
                                            "hints and notes");
        }
    }
    // A part that ends early (as a damaged file's does) is the end of the file.
    const int64_t room = part.firstHint > 1 ? part.firstHint / 2 : 0;
    const int64_t hint_room = std::max<int64_t>(0, part.lastHint - part.firstHint + 1);
    const auto entries = static_cast<int64_t>(part.entries.size());
    const auto hints = static_cast<int64_t>(part.hints.size());
    const bool more_follows = !part.note.empty() || plan_.root;
    if (entries > room || hints > hint_room || (entries < room && (hints > 0 || more_follows)) ||
        (hints < hint_room && more_follows)) {
        throw OutlineFault(*numbers,
                           "lines: " + std::to_string(part.firstHint) + " " +
                               std::to_string(part.lastHint) + " needs " + std::to_string(room) +
                               " subjects and questions and " + std::to_string(hint_room) +
                               " hints (fewer only where the file ends)");
    }
}

HintFilePlan OutlineBuilder::Build(Lines top) {
    if (top.empty()) throw OutlineFault(1, "the outline is empty");
    const OutlineLine& first = top.front();
    const auto [first_word, title_value] = SplitElement(first);
    if (first_word != "title")
        throw OutlineFault(first, "the outline starts with \"title:\"");
    const std::string title = Text(first, UnquoteValue(title_value));
    plan_.title88 = title;
    key_ = DeriveTextKey(title);
    text_cipher_ = TextBlockEncoder(key_);
    nested_cipher_ = NestedHintEncoder(key_);
    bool older = false;
    for (const OutlineLine& line : top) {
        const auto [word, value] = SplitElement(line);
        if (word == "format") {
            if (value != "88a" && value != "96a")
                throw OutlineFault(line, "format is 88a or 96a");
            older = value == "88a";
        } else if (word == "checksum") {
            static const std::map<std::string, ChecksumAt> places = {
                {"end", ChecksumAt::FileEnd},
                {"after-end-of-text", ChecksumAt::AfterEndOfText},
                {"data-end", ChecksumAt::DataEnd},
                {"info-length", ChecksumAt::InfoLength}};
            const auto it = places.find(value);
            if (it == places.end()) throw OutlineFault(line, "unknown checksum place");
            plan_.checksumAt = it->second;
        }
    }
    if (older) {
        BuildOlder(top);
        return std::move(plan_);
    }
    plan_.root = MakeSubject(title);
    for (const OutlineLine& line : top.Rest()) {
        depth_ = 1;  // in the subject tree; beside it, or as the root, 0
        if (line.IsBody() || line.IsSeparator()) {
            BuildBody(*plan_.root, Lines::Of(line));
            continue;
        }
        const auto [word, value] = SplitElement(line);
        if (word == "format" || word == "checksum") continue;
        if (word == "older") {
            // The older-format part that every newer file begins with.
            plan_.title88 = Text(line, UnquoteValue(value));
            BuildOlder(line.children());
            continue;
        }
        // version and info stand beside the subject tree, other elements in it, unless a
        // "top-level: yes" or "no" below the element says otherwise. An element with "root: yes"
        // is the root itself, in place of a subject.
        bool top_level = word == "version" || word == "info";
        bool root = false;
        for (const OutlineLine& child : line.children()) {
            if (child.IsBody() || child.IsSeparator()) continue;
            const auto [child_word, child_value] = SplitElement(child);
            if (child_word == "top-level") top_level = child_value != "no";
            if (child_word == "root") root = child_value != "no";
        }
        if (root) {
            if (subject_root_) throw OutlineFault(line, "the file has one root");
            subject_root_ = std::move(plan_.root);
            depth_ = 0;
            plan_.root = BuildElement(line, word, value);
            if (plan_.root->title != title)
                throw OutlineFault(line, "the root's title is the file's title");
        } else if (top_level) {
            depth_ = 0;
            plan_.topLevel.push_back(BuildElement(line, word, value));
        } else {
            BuildBody(*plan_.root, Lines::Of(line));
        }
    }
    if (subject_root_ && !subject_root_->items.empty()) {
        throw OutlineFault(first, "beside a \"root: yes\" element, every element stands "
                                          "at the top level (\"top-level: yes\")");
    }
    ResolveLinks();
    return std::move(plan_);
}

}  // namespace

std::optional<HintFilePlan> CompileOutline(std::string text, const std::string& base_folder,
                                           OutlineError* error) {
    auto source = std::make_unique<std::string>(std::move(text));
    try {
        std::string base = base_folder;
        if (!base.empty() && base.back() != '/') base += '/';
        HintFilePlan plan;
        {
            const std::vector<OutlineLine> lines = NestLines(*source);
            OutlineBuilder builder(base);
            plan = builder.Build(Lines(lines.data(), lines.data() + lines.size()));
        }
        plan.source = std::move(source);
        return plan;
    } catch (const OutlineFault& fault) {
        int line = fault.line;
        const char* start = source->data();
        if (fault.where) line = 1 + static_cast<int>(std::count(start, fault.where, '\n'));
        if (error) *error = {line, fault.what()};
        return std::nullopt;
    }
}

}  // namespace klu
