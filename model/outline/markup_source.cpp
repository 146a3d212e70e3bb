#include "model/outline/markup_source.h"

#include <array>
#include <initializer_list>

#include "model/document/items_hunk.h"
#include "model/document/meta_text_hunk.h"

namespace klu {
namespace {

// A list of at most N things, kept in place: the search makes a few for every step it takes.
template <typename T, size_t N>
class SmallList {
  public:
    SmallList() = default;
    SmallList(std::initializer_list<T> items) {
        for (const T& item : items)
            push_back(item);
    }
    void push_back(const T& item) { items_[size_++] = item; }
    void emplace_back() { items_[size_++] = T{}; }
    bool empty() const { return size_ == 0; }
    const T* begin() const { return items_.data(); }
    const T* end() const { return items_.data() + size_; }

  private:
    std::array<T, N> items_{};
    size_t size_ = 0;
};

// A layout command of the markup: "#" letter sign; the letter is 0 for the plain cut "#+".
struct Command {
    char letter = 0;
    char sign = '+';
};
// A wrap and a font command at most.
using Commands = SmallList<Command, 2>;

const Command kCut{};

// Appends the text with every "#" doubled: each pair reads as one "#", and as a command.
void AppendDoubledHashes(std::string_view text, std::string& out, bool& escaped) {
    for (const char c : text) {
        out += c;
        if (c == '#') out += '#', escaped = true;
    }
}

void AppendCommands(const Commands& commands, std::string& out) {
    for (const Command& command : commands) {
        out += '#';
        if (command.letter) out += command.letter;
        out += command.sign;
    }
}

// A child of the hunk to give back, with the flags it must end up with.
struct Target {
    SourceItem::Kind kind = SourceItem::Kind::Line;
    std::string_view text;  // the child's own
    const Hunk* hunk = nullptr;
    uint8_t hardBreak = 0;
    uint8_t wrap = 0;
    uint8_t altFont = 0;
    uint8_t endsSourceLine = 0;
};

std::vector<Target> TargetsOf(const ItemsHunk& hunk) {
    std::vector<Target> targets;
    targets.reserve(hunk.children.size());
    for (const KLUObject* child : hunk.children) {
        Target target;
        if (child->IsHunk()) {
            target.kind = SourceItem::Kind::Hunk;
            target.hunk = static_cast<const Hunk*>(child);
        } else if (SeparatesHints(*child)) {
            target.kind = SourceItem::Kind::Separator;
        }
        target.text = child->title.view();
        target.hardBreak = child->hardBreak;
        target.wrap = child->wrap;
        target.altFont = child->altFont;
        target.endsSourceLine = child->endsSourceLine;
        targets.push_back(std::move(target));
    }
    return targets;
}

// A scratch hunk that reads items the way the loader does.
class Reader {
  public:
    explicit Reader(const SourceStyle& style) : style_(style), hunk_("", nullptr, HINT) {
        hunk_.breakMode = style.breakMode;
        hunk_.wrapMode = style.wrapMode;
        hunk_.fontMode = style.fontMode;
    }
    MetaTextHunk& hunk() { return hunk_; }
    const MetaTextHunk& hunk() const { return hunk_; }

    void AddSeparator() {
        if (style_.separators == SourceStyle::Separators::Hint) {
            hunk_.AppendSeparator();
            return;
        }
        auto* separator = new HunkLine("-");
        separator->isSeparator = 1;
        hunk_.AddChild(separator);
    }
    void AddHunk() { hunk_.AddChild(new Hunk(std::string())); }

  private:
    const SourceStyle& style_;
    MetaTextHunk hunk_;
};

// Looks for source lines, child by child, trying the plainest way first: a line as it is, then
// with the commands that set its layout, cut off from the next piece or not. After each child
// the reader holds what the loader would; a child whose flags come out wrong sends the search
// back to try the next way of an earlier one.
class SourceSearch {
  public:
    SourceSearch(const ItemsHunk& hunk, const SourceStyle& style)
        : style_(style), targets_(TargetsOf(hunk)), reader_(style) {}
    std::optional<std::vector<SourceItem>> Run();
    const std::vector<Target>& targets() const { return targets_; }

  private:
    struct Move {
        Commands commands;  // before the item: in the open line, or a line of their own
        bool joins = false;      // the line goes on in the open source line
        bool piece = false;      // a command cuts the source line after this line
        bool emptyLine = false;  // an older-format hint that holds nothing
        bool doubleHashes = false;  // every "#" written doubled: the line counts as commanded
        bool ownLine = false;       // the commands stand on a line of their own before the line
    };
    struct State {
        int8_t breakMode, wrapMode, fontMode;
        size_t children;
        bool lastBreak, lastEnds;
        size_t items;
        std::string line;
        bool inLine, piecePending, lineHadCommand;
    };

    bool AtHintStart(size_t i) const {
        return i == 0 || targets_[i - 1].kind == SourceItem::Kind::Separator;
    }
    // The wrap commands give at most three ways.
    using Changes = SmallList<Commands, 3>;
    Changes LayoutChanges(const Target& target) const;
    void MovesAt(size_t i, std::vector<Move>& moves) const;
    void LineMoves(size_t i, std::vector<Move>& moves) const;
    bool Apply(size_t i, const Move& move);
    void RunCommands(const Commands& commands);
    void EndLine();
    void CommandLine(const Move& move);
    bool Fits(size_t index, bool final) const;
    State Save() const;
    void Restore(const State& state);

    const SourceStyle& style_;
    std::vector<Target> targets_;
    Reader reader_;
    std::vector<SourceItem> items_;
    std::string line_;               // the source line being written
    bool in_line_ = false;           // line_ is open
    bool piece_pending_ = false;     // its last text is a piece: a command must follow
    bool line_had_command_ = false;  // the loader counts the line as holding a command
};

// The commands that give the target's wrap and font flags, the plainest first.
SourceSearch::Changes SourceSearch::LayoutChanges(const Target& target) const {
    const ItemsHunk& hunk = reader_.hunk();
    SmallList<std::optional<Command>, 3> wraps;
    if (!target.wrap) {
        wraps.push_back(hunk.wrapMode == 2 ? std::nullopt : std::optional(Command{'w', '-'}));
    } else {
        if (hunk.wrapMode < 2) wraps.emplace_back();
        if (hunk.breakMode != 0 || hunk.wrapMode != 0) wraps.push_back(Command{'w', '.'});
        if (hunk.breakMode != 2 || hunk.wrapMode != 1) wraps.push_back(Command{'w', '+'});
    }
    std::optional<Command> font;
    if (target.altFont && hunk.fontMode != 1) font = Command{'p', '-'};
    if (!target.altFont && hunk.fontMode == 1) font = Command{'p', '+'};
    Changes changes;
    for (const auto& wrap : wraps) {
        Commands commands;
        if (wrap) commands.push_back(*wrap);
        if (font) commands.push_back(*font);
        changes.push_back(commands);
    }
    return changes;
}

// Appends the ways to write the line of target i to moves.
void SourceSearch::LineMoves(size_t i, std::vector<Move>& moves) const {
    const Target& target = targets_[i];
    const bool hint_start = AtHintStart(i);
    // Any "#" of the text may be written doubled, which makes the loader count the line as one
    // with a command (so it does not end with a hard break of its own).
    bool may_double = false;
    if (target.text.find('#') != std::string_view::npos) {
        bool escaped = false;
        EscapeMarkup(target.text, false, &escaped);
        may_double = !escaped;
    }
    const size_t first = moves.size();
    for (const Commands& change : LayoutChanges(target)) {
        // A piece is cut off by the command after it and ends no source line.
        for (const bool piece : {true, false}) {
            if (piece && target.endsSourceLine) continue;
            if (piece_pending_) {
                const Commands cut = change.empty() ? Commands{kCut} : change;
                if (!style_.oneLinePerHint || !hint_start) moves.push_back({cut, true, piece});
                if (!style_.oneLinePerHint || hint_start) moves.push_back({cut, false, piece});
            } else if (!style_.oneLinePerHint || hint_start) {
                const Commands cut = change.empty() ? Commands{kCut} : change;
                moves.push_back({change, false, piece});
                if (change.empty()) moves.push_back({cut, false, piece});
                if (!style_.oneLinePerHint) moves.push_back({cut, false, piece, false, false, true});
            }
        }
    }
    if (may_double) {
        for (size_t m = first, n = moves.size(); m < n; ++m) {
            Move doubled = moves[m];
            doubled.doubleHashes = true;
            moves.push_back(doubled);
        }
    }
}

// Appends the ways to go on at item i to moves.
void SourceSearch::MovesAt(size_t i, std::vector<Move>& moves) const {
    if (i < targets_.size() && targets_[i].kind == SourceItem::Kind::Line) return LineMoves(i, moves);
    // A separator, a child hunk or the end: the open line is closed, or a line of commands alone
    // sets the layout (and ends the source line before it).
    Changes changes = {Commands{}};
    if (i < targets_.size()) changes = LayoutChanges(targets_[i]);
    const bool must_write_line =
        style_.nested && i < targets_.size() && targets_[i].kind == SourceItem::Kind::Separator &&
        items_.empty() && !in_line_;
    for (const Commands& change : changes) {
        if (piece_pending_) {
            moves.push_back({change.empty() ? Commands{kCut} : change});
        } else if (style_.oneLinePerHint) {
            // Every hint is one line: one that gave no text is empty or commands alone.
            if (AtHintStart(i)) {
                if (change.empty()) moves.push_back({{}, false, false, true});
                moves.push_back({change.empty() ? Commands{kCut} : change});
            } else if (change.empty()) {
                moves.push_back({});
            }
        } else {
            if (!change.empty() || !must_write_line) moves.push_back({change});
            if (change.empty()) moves.push_back({{kCut}});
        }
    }
}

void SourceSearch::RunCommands(const Commands& commands) {
    ItemsHunk& hunk = reader_.hunk();
    for (const Command& command : commands) {
        // A command cuts the line: the text before it is a piece, empty unless a piece is
        // waiting for its cut. An empty piece ends the source line of the child before it.
        if (!piece_pending_) hunk.Insert(new HunkLine(std::string()), true, false);
        piece_pending_ = false;
        hunk.ApplyCommand(command.letter, command.sign);
    }
    AppendCommands(commands, line_);
    if (!commands.empty()) line_had_command_ = true;
}

void SourceSearch::EndLine() {
    items_.push_back({SourceItem::Kind::Line, std::move(line_), nullptr});
    line_.clear();
    in_line_ = piece_pending_ = line_had_command_ = false;
}

void SourceSearch::CommandLine(const Move& move) {
    if (in_line_) {
        RunCommands(move.commands);
        EndLine();
    } else if (move.emptyLine || !move.commands.empty()) {
        in_line_ = true;
        RunCommands(move.commands);
        EndLine();
    }
}

bool SourceSearch::Apply(size_t i, const Move& move) {
    if (i == targets_.size()) {
        CommandLine(move);
        return i == 0 || Fits(i - 1, true);
    }
    const Target& target = targets_[i];
    ItemsHunk& hunk = reader_.hunk();
    switch (target.kind) {
        case SourceItem::Kind::Line: {
            // The commands end the open line's last piece, or start a new line.
            const bool was_in_line = in_line_;
            in_line_ = true;
            RunCommands(move.commands);
            if ((was_in_line && !move.joins) || move.ownLine) EndLine();
            in_line_ = true;
            bool escaped = false;
            if (move.doubleHashes) {
                AppendDoubledHashes(target.text, line_, escaped);
            } else if (target.text.find('#') == std::string_view::npos) {
                line_ += target.text;  // nothing to escape
            } else {
                line_ += EscapeMarkup(target.text, move.piece, &escaped);
            }
            line_had_command_ = line_had_command_ || escaped;
            // The reader sees the text's length only, and the text outlives it.
            hunk.Insert(new HunkLine(LineText::Borrowed(target.text)), move.piece,
                        move.piece ? false : line_had_command_);
            if (move.piece) {
                piece_pending_ = true;
            } else {
                EndLine();
            }
            break;
        }
        case SourceItem::Kind::Separator:
            CommandLine(move);
            reader_.AddSeparator();
            items_.push_back({SourceItem::Kind::Separator, {}, nullptr});
            break;
        case SourceItem::Kind::Hunk:
            CommandLine(move);
            reader_.AddHunk();
            items_.push_back({SourceItem::Kind::Hunk, {}, target.hunk});
            break;
    }
    return (i == 0 || Fits(i - 1, true)) && Fits(i, false);
}

// Whether the reader's child at index matches its target; a child that is not final yet may
// still gain a hard break or lose its source-line end.
bool SourceSearch::Fits(size_t index, bool final) const {
    const auto& children = reader_.hunk().children;
    if (index >= children.size()) return false;
    const KLUObject& child = *children[index];
    const Target& target = targets_[index];
    if (child.wrap != target.wrap || child.altFont != target.altFont) return false;
    if (final) {
        return child.hardBreak == target.hardBreak && child.endsSourceLine == target.endsSourceLine;
    }
    return (target.hardBreak || !child.hardBreak) && (!target.endsSourceLine || child.endsSourceLine);
}

SourceSearch::State SourceSearch::Save() const {
    const ItemsHunk& hunk = reader_.hunk();
    State state{hunk.breakMode, hunk.wrapMode, hunk.fontMode, hunk.children.size(), 0, 0,
                items_.size(), line_, in_line_, piece_pending_, line_had_command_};
    if (!hunk.children.empty()) {
        state.lastBreak = hunk.children.back()->hardBreak;
        state.lastEnds = hunk.children.back()->endsSourceLine;
    }
    return state;
}

void SourceSearch::Restore(const State& state) {
    ItemsHunk& hunk = reader_.hunk();
    hunk.breakMode = state.breakMode;
    hunk.wrapMode = state.wrapMode;
    hunk.fontMode = state.fontMode;
    while (hunk.children.size() > state.children) {
        delete hunk.children.back();
        hunk.children.pop_back();
    }
    if (!hunk.children.empty()) {
        hunk.children.back()->hardBreak = state.lastBreak;
        hunk.children.back()->endsSourceLine = state.lastEnds;
    }
    items_.resize(state.items);
    line_ = state.line;
    in_line_ = state.inLine;
    piece_pending_ = state.piecePending;
    line_had_command_ = state.lineHadCommand;
}

std::optional<std::vector<SourceItem>> SourceSearch::Run() {
    const size_t n = targets_.size();
    // The ways of every item up to the current one, item after item: those of item i are
    // moves[first[i]] up to moves[first[i + 1]], and next[i] is the next one to try.
    std::vector<Move> moves;
    moves.reserve(8 * (n + 1));  // a line has a few ways as a rule
    std::vector<size_t> first(n + 2, 0);
    std::vector<size_t> next(n + 1, 0);
    std::vector<State> before(n + 1);
    // Real hunks need next to no going back; a bound keeps a pathological one from taking long.
    size_t budget = 64 * (n + 1) + 4096;
    size_t i = 0;
    before[0] = Save();
    MovesAt(0, moves);
    first[1] = moves.size();
    for (;;) {
        if (next[i] == first[i + 1]) {
            if (i == 0) return std::nullopt;
            --i;
            continue;
        }
        if (budget-- == 0) return std::nullopt;
        Restore(before[i]);
        if (!Apply(i, moves[next[i]++])) continue;
        if (i == n) return std::move(items_);
        ++i;
        before[i] = Save();
        moves.resize(first[i]);
        MovesAt(i, moves);
        first[i + 1] = moves.size();
        next[i] = first[i];
    }
}

// Reads the items as the loader reads a body and tells whether they give the targets back.
bool ReadsBack(const std::vector<SourceItem>& items, const std::vector<Target>& targets,
               const SourceStyle& style) {
    Reader reader(style);
    bool first_line = true;
    for (const SourceItem& item : items) {
        switch (item.kind) {
            case SourceItem::Kind::Line:
                // The items outlive the reader.
                reader.hunk().AddChild(new HunkLine(LineText::Borrowed(item.text)));
                break;
            case SourceItem::Kind::Separator:
                if (!(style.nested && first_line)) reader.AddSeparator();
                break;
            case SourceItem::Kind::Hunk:
                reader.AddHunk();
                break;
        }
        first_line = false;
    }
    const auto& children = reader.hunk().children;
    if (children.size() != targets.size()) return false;
    for (size_t i = 0; i < children.size(); ++i) {
        const KLUObject& child = *children[i];
        const Target& target = targets[i];
        const bool is_separator = target.kind == SourceItem::Kind::Separator;
        if (child.IsHunk() != (target.kind == SourceItem::Kind::Hunk) ||
            bool(child.isSeparator) != is_separator ||
            (target.kind == SourceItem::Kind::Line && child.title != target.text) ||
            child.hardBreak != target.hardBreak || child.wrap != target.wrap ||
            child.altFont != target.altFont || child.endsSourceLine != target.endsSourceLine) {
            return false;
        }
    }
    return true;
}

// Each child as it stands: its text as one source line, no markup. When that reads back, it is
// what the search finds first, as no line asks for markup and the search tries none first.
std::optional<std::vector<SourceItem>> PlainSource(const std::vector<Target>& targets,
                                                   const SourceStyle& style) {
    if (style.oneLinePerHint) return std::nullopt;
    std::vector<SourceItem> items;
    items.reserve(targets.size());
    for (const Target& target : targets) {
        if (target.kind == SourceItem::Kind::Line && target.text.find('#') != std::string_view::npos)
            return std::nullopt;
        const bool line = target.kind == SourceItem::Kind::Line;
        items.push_back({target.kind, line ? std::string(target.text) : std::string(), target.hunk});
    }
    if (!ReadsBack(items, targets, style)) return std::nullopt;
    return items;
}

}  // namespace

std::string EscapeMarkup(std::string_view text, bool command_follows, bool* escaped) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        out += text[i];
        if (text[i] != '#') continue;
        size_t p = text.find_first_of(kMarkupCommandEnds, i + 1);
        // The "#" of a command that follows counts as well.
        if (p == std::string_view::npos && command_follows) p = text.size();
        if (p != std::string_view::npos && p - i < 3) {
            out += '#';
            if (escaped) *escaped = true;
        }
    }
    return out;
}

std::optional<std::vector<SourceItem>> SourceOf(const ItemsHunk& hunk, const SourceStyle& style) {
    SourceSearch search(hunk, style);
    if (auto plain = PlainSource(search.targets(), style)) return plain;
    auto items = search.Run();
    if (!items || !ReadsBack(*items, search.targets(), style)) return std::nullopt;
    return items;
}

}  // namespace klu
