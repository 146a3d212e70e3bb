#include "hint_writer.h"

#include <algorithm>
#include <map>
#include <unordered_map>
#include <stdexcept>

#include "checksum.h"
#include "decode.h"
#include "encipher.h"
#include "hunk_kind.h"
#include "older_part_reader.h"
#include "text_util.h"

namespace klu {
using namespace std::string_literals;
namespace {

constexpr std::string_view kLineEnd = "\r\n";
constexpr char kEndOfText = 0x1A;

struct WriteError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

HunkKind KindOf(const HintNode& node) {
    return KindOfKeyword(node.keyword);
}

bool CarriesData(HunkKind kind) {
    return kind == GIFA || kind == SOUND || kind == OVERLAY || kind == HYPERPNG;
}

std::string Numbers(std::initializer_list<int64_t> values) {
    std::string out;
    for (int64_t v : values) {
        if (!out.empty()) out += ' ';
        out += std::to_string(v);
    }
    return out;
}

std::string Encode88OrThrow(std::string_view plain) {
    auto stored = Encode88(plain);
    if (!stored) throw WriteError("cannot encipher \"" + std::string(plain) + "\"");
    return *stored;
}

// Writes a plan in rounds: the text holds the data offsets (and perhaps the file's length),
// whose digits change the text's length, so the text is written again until nothing moves.
class Writer {
  public:
    explicit Writer(const HintFilePlan& plan);
    // Gives the file's bytes to sink; false when sink refuses a piece.
    bool Write(const ByteSink& sink);
    // The size of the file, once Write has laid it out.
    int64_t Size() const { return file_size_ + static_cast<int64_t>(plan_.trailer.size()); }

    std::map<const HintNode*, int32_t> lines;  // header line of every newer-format node

  private:
    int64_t LineCountOf(const HintNode& node) const;
    int64_t CountLines(const HintNode& node) const;
    void Layout(const HintNode& node, int64_t& line);
    void CollectData(const HintNode& node);
    std::string EncodeTextBody(const HintNode& node) const;
    std::string StoredNestedLine(std::string_view plain) const;

    void WriteText();
    void Write88a();
    void WriteOlderAsItStands(const OlderPart& part);
    void WriteNote(const std::vector<std::string>& note);
    void WriteNode(const HintNode& node);
    void WriteBody(const HintNode& node);
    void Emit(std::string_view line) {
        text_size_ += line.size() + kLineEnd.size();
        if (!writing_) return;
        text_ += line;
        text_ += kLineEnd;
    }

    const HintFilePlan& plan_;
    std::string key_;
    // A piece of the data area: its bytes are made only when the file is put together.
    struct DataPiece {
        const HintNode* node;
        int64_t size;        // the checksum bytes that end it included
        int64_t offset = 0;  // from the start of the data area
        bool checksumEnds = false;
    };
    bool Assemble(const ByteSink& sink);

    const HintNode* length_info_ = nullptr;  // the information hunk that carries "length="
    std::vector<DataPiece> data_;  // in data-area order
    std::map<const HintNode*, size_t> data_index_;
    int64_t data_size_ = 0;
    std::string text_;
    size_t text_size_ = 0;
    bool writing_ = false;  // the rounds that settle the layout only count the text
    // Each node's line count, asked for by every round and by each of its parents: counted once,
    // so that deep nesting does not cost its depth times the tree.
    mutable std::unordered_map<const HintNode*, int64_t> line_counts_;
    int64_t data_start_ = 0;
    int64_t file_size_ = 0;
};

Writer::Writer(const HintFilePlan& plan) : plan_(plan) {
    if (!plan_.root) return;
    key_ = DeriveTextKey(plan_.root->title);
    if (plan_.checksumAt == ChecksumAt::InfoLength) {
        for (const auto& node : plan_.topLevel) {
            if (KindOf(*node) == INFO) {
                length_info_ = node.get();
                break;
            }
        }
        if (!length_info_) throw WriteError("the file length needs an information hunk");
    }
    int64_t line = 1;
    Layout(*plan_.root, line);
    for (const auto& node : plan_.topLevel)
        Layout(*node, line);

    CollectData(*plan_.root);
    for (const auto& node : plan_.topLevel)
        CollectData(*node);
    if (plan_.checksumAt == ChecksumAt::DataEnd) {
        // The checksum ends the last GIF or sound data: those go first, the last one growing by
        // the two checksum bytes, so that the data end is not also the end of the file.
        std::stable_partition(data_.begin(), data_.end(), [](const auto& piece) {
            const HunkKind kind = KindOf(*piece.node);
            return kind == GIFA || kind == SOUND;
        });
        auto last = std::find_if(data_.rbegin(), data_.rend(), [](const auto& piece) {
            const HunkKind kind = KindOf(*piece.node);
            return kind == GIFA || kind == SOUND;
        });
        if (last == data_.rend()) throw WriteError("the data end needs GIF or sound data");
        last->size += 2;
        last->checksumEnds = true;
    }
    for (size_t i = 0; i < data_.size(); ++i) {
        data_index_[data_[i].node] = i;
        data_[i].offset = data_size_;
        data_size_ += data_[i].size;
    }
}

int64_t Writer::LineCountOf(const HintNode& node) const {
    if (const auto found = line_counts_.find(&node); found != line_counts_.end())
        return found->second;
    const int64_t count = CountLines(node);
    line_counts_.emplace(&node, count);
    return count;
}

int64_t Writer::CountLines(const HintNode& node) const {
    int64_t count = 2;
    switch (KindOf(node)) {
        case SUBJECT:
            for (const auto& item : node.items) {
                if (item.node) count += LineCountOf(*item.node);
            }
            return count;
        case NESTHINT:
            for (const auto& item : node.items)
                count += item.node ? 1 + LineCountOf(*item.node) : 1;
            return count;
        case HYPERPNG:
            ++count;
            for (const auto& item : node.items) {
                if (item.node) count += 1 + LineCountOf(*item.node);
            }
            return count;
        case TEXT:
        case LINK:
        case GIFA:
        case SOUND:
        case OVERLAY:
            return count + 1 + node.extraLines;
        case BLANK:
            return count + node.extraLines;
        default:
            return count + static_cast<int64_t>(node.items.size()) +
                   (&node == length_info_ ? 1 : 0);
    }
}

void Writer::Layout(const HintNode& node, int64_t& line) {
    lines[&node] = static_cast<int32_t>(line);
    int64_t child_line = line + 2;
    switch (KindOf(node)) {
        case SUBJECT:
            for (const auto& item : node.items) {
                if (item.node) Layout(*item.node, child_line);
            }
            break;
        case NESTHINT:
            for (const auto& item : node.items) {
                ++child_line;  // the "=" line, or a text line
                if (item.node) Layout(*item.node, child_line);
            }
            break;
        case HYPERPNG:
            ++child_line;  // the data line
            for (const auto& item : node.items) {
                if (!item.node) continue;
                ++child_line;  // the region line
                Layout(*item.node, child_line);
            }
            break;
        default:
            break;
    }
    line += LineCountOf(node);
}

void Writer::CollectData(const HintNode& node) {
    const HunkKind kind = KindOf(node);
    if (kind == TEXT) data_.push_back({&node, static_cast<int64_t>(EncodeTextBody(node).size())});
    if (CarriesData(kind)) data_.push_back({&node, static_cast<int64_t>(node.data.size())});
    for (const auto& item : node.items) {
        if (item.node) CollectData(*item.node);
    }
}

std::string Writer::EncodeTextBody(const HintNode& node) const {
    std::string body;
    for (const auto& item : node.items) {
        auto stored = EncodeTextBlock(item.line, key_);
        if (!stored) throw WriteError("cannot encipher text line \"" + std::string(item.line) + "\"");
        body += *stored;
        body += kLineEnd;
    }
    return body;
}

std::string Writer::StoredNestedLine(std::string_view plain) const {
    auto stored = EncodeNestedHint(plain, key_);
    if (!stored) throw WriteError("cannot encipher nested hint \"" + std::string(plain) + "\"");
    if (*stored != "=" && *stored != "-") return *stored;
    // A one-character line must not read as a marker: look for another stored byte.
    const NestedHintDecoder decoder(key_);
    for (int s = 32; s < 256; ++s) {
        const std::string candidate(1, static_cast<char>(s));
        std::string decoded = candidate;
        decoder.Decode(candidate, decoded.data());
        if (candidate != "=" && candidate != "-" && decoded == plain) return candidate;
    }
    throw WriteError("nested hint line \"" + std::string(plain) + "\" reads as a marker");
}

void Writer::Write88a() {
    Emit("KLU");
    Emit(plan_.title88);
    if (plan_.older88) {
        WriteOlderAsItStands(*plan_.older88);
        if (plan_.root) Emit(kEndOf88a);
        return;
    }
    int64_t question_count = 0;
    int64_t hint_count = 0;
    for (const auto& subject : plan_.subjects88) {
        question_count += static_cast<int64_t>(subject.questions.size());
        for (const auto& question : subject.questions) {
            hint_count += static_cast<int64_t>(question.hints.size());
        }
    }
    const auto subject_count = static_cast<int64_t>(plan_.subjects88.size());
    const int64_t first_hint = 2 * subject_count + 2 * question_count + 1;
    Emit(std::to_string(first_hint));
    Emit(std::to_string(first_hint + hint_count - 1));

    // Subject pairs come first, each pointing at its first question pair; question pairs follow,
    // each pointing at its first hint line.
    int64_t question_line = 2 * subject_count + 1;
    for (const auto& subject : plan_.subjects88) {
        Emit(Encode88OrThrow(subject.title));
        Emit(std::to_string(question_line));
        question_line += 2 * static_cast<int64_t>(subject.questions.size());
    }
    int64_t hint_line = first_hint;
    for (const auto& subject : plan_.subjects88) {
        for (const auto& question : subject.questions) {
            Emit(Encode88OrThrow(question.title));
            Emit(std::to_string(hint_line));
            hint_line += static_cast<int64_t>(question.hints.size());
        }
    }
    for (const auto& subject : plan_.subjects88) {
        for (const auto& question : subject.questions) {
            for (const auto& hint : question.hints)
                Emit(Encode88OrThrow(hint));
        }
    }
    WriteNote(plan_.note88);
    if (plan_.root) Emit(kEndOf88a);
}

void Writer::WriteOlderAsItStands(const OlderPart& part) {
    Emit(std::to_string(part.firstHint));
    Emit(std::to_string(part.lastHint));
    for (const auto& entry : part.entries) {
        Emit(Encode88OrThrow(entry.title));
        Emit(std::to_string(entry.target));
    }
    for (const auto& hint : part.hints)
        Emit(Encode88OrThrow(hint));
    WriteNote(part.note);
}

void Writer::WriteNote(const std::vector<std::string>& note) {
    for (const auto& line : note) {
        if (EqualsNoCase(line, kEndOf88a)) throw WriteError("a note line reads as the end marker");
        Emit(line);
    }
}

void Writer::WriteNode(const HintNode& node) {
    Emit(std::to_string(LineCountOf(node)) + " " + node.keyword);
    Emit(node.title);
    WriteBody(node);
}

void Writer::WriteBody(const HintNode& node) {
    const HunkKind kind = KindOf(node);
    int64_t offset = 0;
    int64_t length = 0;
    if (const auto it = data_index_.find(&node); it != data_index_.end()) {
        offset = data_start_ + data_[it->second].offset;
        length = data_[it->second].size;
    }
    switch (kind) {
        case SUBJECT:
            for (const auto& item : node.items) {
                if (item.node) WriteNode(*item.node);
            }
            return;
        case HINT:
            for (const auto& item : node.items) {
                if (item.separator) {
                    Emit("-");
                    continue;
                }
                const std::string stored = Encode88OrThrow(item.line);
                if (stored == "-")
                    throw WriteError("hint line \"" + std::string(item.line) + "\" reads as a separator");
                Emit(stored);
            }
            return;
        case NESTHINT:
            for (const auto& item : node.items) {
                if (item.node) {
                    Emit("=");
                    WriteNode(*item.node);
                } else {
                    Emit(item.separator ? "-" : StoredNestedLine(item.line));
                }
            }
            return;
        case TEXT:
            Emit(Numbers({node.spare, node.textFlags, offset, length}));
            break;
        case LINK: {
            int64_t target = node.targetLine.value_or(0);
            if (node.linkTarget) {
                const auto it = lines.find(node.linkTarget);
                if (it == lines.end())
                    throw WriteError("link \"" + node.title + "\" leads outside the file");
                // The object of a picture hunk begins at its title line.
                target = it->second + (node.intoPicture ? 1 : 0);
            }
            Emit(std::to_string(target));
            break;
        }
        case OVERLAY:
            Emit(Numbers({node.spare, offset, length, node.x, node.y}));
            break;
        case GIFA:
        case SOUND:
            Emit(Numbers({node.spare, offset, length}));
            break;
        case HYPERPNG:
            Emit(Numbers({node.spare, offset, length}));
            for (const auto& item : node.items) {
                if (!item.node) continue;
                const auto& region = item.node->region;
                Emit(Numbers({region[0], region[1], region[2], region[3]}));
                WriteNode(*item.node);
            }
            return;
        case BLANK:
            break;
        default:
            if (&node == length_info_) Emit("length=" + std::to_string(file_size_));
            for (const auto& item : node.items)
                Emit(item.line);
            return;
    }
    for (int32_t i = 0; i < node.extraLines; ++i)
        Emit("");
}

void Writer::WriteText() {
    text_size_ = 0;
    Write88a();
    if (plan_.root) {
        WriteNode(*plan_.root);
        for (const auto& node : plan_.topLevel)
            WriteNode(*node);
    }
}

bool Writer::Write(const ByteSink& sink) {
    for (int round = 0; round < 16; ++round) {
        WriteText();
        const auto end_of_text = static_cast<int64_t>(text_size_) + 1;
        const int64_t data_start =
            end_of_text + (plan_.checksumAt == ChecksumAt::AfterEndOfText ? 2 : 0);
        const bool checksum_last =
            plan_.checksumAt == ChecksumAt::FileEnd || plan_.checksumAt == ChecksumAt::InfoLength;
        const int64_t size = data_start + data_size_ + (checksum_last ? 2 : 0);
        const bool settled = data_start == data_start_ && size == file_size_;
        data_start_ = data_start;
        file_size_ = size;
        if (!settled) continue;
        // Once more, now that the numbers stand, into room for the text.
        text_.reserve(static_cast<size_t>(end_of_text));
        writing_ = true;
        WriteText();
        return Assemble(sink);
    }
    throw WriteError("the layout did not settle");
}

// Bytes on their way to a sink in pieces, so that the file is never held whole, with the CRC of
// every byte that passed.
class PieceWriter {
  public:
    PieceWriter(const ByteSink& sink, int64_t file_size) : sink_(sink), file_size_(file_size) {
        pending_.reserve(kPieceSize);
    }

    // False once the sink has refused a piece.
    bool Put(std::string_view bytes) {
        if (pending_.size() + bytes.size() < kPieceSize) {
            pending_ += bytes;
            return true;
        }
        return Flush() && Send(bytes);
    }
    bool Flush() {
        const bool sent = pending_.empty() || Send(pending_);
        pending_.clear();
        return sent;
    }
    // The checksum of every byte put so far, put after them.
    bool PutChecksum() {
        if (!Flush()) return false;
        const uint16_t value = StoredChecksumOfCrc(crc_);
        const char stored[2] = {static_cast<char>(value & 0xFF), static_cast<char>(value >> 8)};
        return Put(std::string_view(stored, 2));
    }

  private:
    static constexpr size_t kPieceSize = 256 * 1024;
    bool Send(std::string_view bytes) {
        crc_ = Crc16Arc(bytes, crc_);
        return sink_(bytes, file_size_);
    }

    const ByteSink& sink_;
    const int64_t file_size_;
    std::string pending_;
    uint16_t crc_ = 0;
};

// The text of the last round, the end-of-text byte, the data area and the checksum. The text
// goes before the data is made.
bool Writer::Assemble(const ByteSink& sink) {
    PieceWriter out(sink, Size());
    text_ += kEndOfText;
    bool sent = out.Put(text_);
    text_ = std::string();
    if (plan_.checksumAt == ChecksumAt::AfterEndOfText) sent = sent && out.PutChecksum();
    for (const DataPiece& piece : data_) {
        if (!sent) return false;
        sent = out.Put(KindOf(*piece.node) == TEXT ? EncodeTextBody(*piece.node)
                                                   : std::string_view(piece.node->data));
        if (piece.checksumEnds) sent = sent && out.PutChecksum();
    }
    if (plan_.checksumAt == ChecksumAt::FileEnd || plan_.checksumAt == ChecksumAt::InfoLength)
        sent = sent && out.PutChecksum();
    return sent && out.Put(plan_.trailer) && out.Flush();
}

}  // namespace

HintNode& HintNode::Line(std::string text) {
    return LineView(ownLines.emplace_front(std::move(text)));
}

HintNode& HintNode::LineView(std::string_view text) {
    HintItem item;
    item.line = text;
    items.push_back(std::move(item));
    return *this;
}

HintNode& HintNode::Separator() {
    HintItem item;
    item.line = "-";
    item.separator = true;
    items.push_back(std::move(item));
    return *this;
}

HintNode* HintNode::Add(std::unique_ptr<HintNode> child) {
    HintItem item;
    item.node = std::move(child);
    items.push_back(std::move(item));
    return items.back().node.get();
}

HintNode* HintNode::AddRegion(int32_t left, int32_t top, int32_t right, int32_t bottom,
                              std::unique_ptr<HintNode> child) {
    HintNode* added = Add(std::move(child));
    added->region = {left, top, right, bottom};
    return added;
}

std::unique_ptr<HintNode> MakeNode(std::string keyword, std::string title) {
    auto node = std::make_unique<HintNode>();
    node->keyword = std::move(keyword);
    node->title = std::move(title);
    return node;
}

std::unique_ptr<HintNode> MakeSubject(std::string title) {
    return MakeNode("SUBJECT", std::move(title));
}

std::unique_ptr<HintNode> MakeQuestion(std::string title,
                                       const std::vector<std::vector<std::string>>& hints) {
    auto node = MakeNode("HINT", std::move(title));
    for (size_t i = 0; i < hints.size(); ++i) {
        if (i > 0) node->Separator();
        for (const auto& line : hints[i])
            node->Line(line);
    }
    return node;
}

std::unique_ptr<HintNode> MakeText(std::string title, std::vector<std::string> lines,
                                   int32_t flags) {
    auto node = MakeNode("TEXT", std::move(title));
    node->textFlags = flags;
    for (auto& line : lines)
        node->Line(std::move(line));
    return node;
}

std::unique_ptr<HintNode> MakeLink(std::string title, const HintNode* target) {
    auto node = MakeNode("LINK", std::move(title));
    node->linkTarget = target;
    return node;
}

std::unique_ptr<HintNode> MakeBlank() {
    return MakeNode("BLANK", "");
}

std::unique_ptr<HintNode> MakeData(std::string keyword, std::string title, std::string data) {
    auto node = MakeNode(std::move(keyword), std::move(title));
    node->data = std::move(data);
    return node;
}

std::optional<std::string> WriteHintFile(const HintFilePlan& plan, std::string* error) {
    std::string file;
    const bool written = WriteHintFileTo(
        plan,
        [&file](std::string_view piece, int64_t file_size) {
            file.reserve(static_cast<size_t>(file_size));
            file += piece;
            return true;
        },
        error);
    if (!written) return std::nullopt;
    return file;
}

bool WriteHintFileTo(const HintFilePlan& plan, const ByteSink& sink, std::string* error) {
    try {
        Writer writer(plan);
        return writer.Write(sink);
    } catch (const WriteError& e) {
        if (error) *error = e.what();
        return false;
    }
}

int32_t LineNumberOf(const HintFilePlan& plan, const HintNode* node) {
    try {
        Writer writer(plan);
        const auto it = writer.lines.find(node);
        return it == writer.lines.end() ? 0 : it->second;
    } catch (const WriteError&) {
        return 0;
    }
}

}  // namespace klu
