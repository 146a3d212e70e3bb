#include "model/outline/hint_writer.h"

#include <algorithm>
#include <stdexcept>

#include "model/format/checksum.h"
#include "model/format/decode.h"
#include "model/format/encipher.h"
#include "model/format/hunk_kind.h"
#include "model/format/older_part_reader.h"
#include "model/text/text_util.h"

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

// Writes a plan. The text holds the data offsets (and perhaps the file's length), whose digits
// change the text's length: the text is made once with those numbers left out and only counted,
// the numbers are settled in rounds of arithmetic, and the text is made again with them, going
// to the sink a piece at a time, so that it is never held whole.
class Writer {
  public:
    explicit Writer(const HintFilePlan& plan);
    // Gives the file's bytes to sink; false when sink refuses a piece.
    bool Write(const ByteSink& sink);
    // The size of the file, once Write has laid it out.
    int64_t Size() const { return file_size_ + static_cast<int64_t>(plan_.trailer.size()); }

    // The header line of a newer-format node of the plan, or 0.
    int32_t LineOf(const HintNode* node) const {
        const NodeFacts* facts = Find(node);
        return facts ? facts->line : 0;
    }

  private:
    // What the writer works out about each newer-format node, once.
    struct NodeFacts {
        const HintNode* node = nullptr;
        HunkKind kind = UNKNOWN;
        int32_t line = 0;            // its header line
        int64_t lineCount = 0;       // its lines, those of what it embeds included
        int64_t dataPiece = -1;      // its piece of the data area
    };
    // A number of the text that waits for the layout to settle: the file's size, or a data offset
    // (from the start of the data area).
    struct Pending {
        int64_t dataOffset;
        bool fileSize;
    };

    NodeFacts* Find(const HintNode* node) {
        const auto it = std::lower_bound(by_address_.begin(), by_address_.end(),
                                         std::make_pair(node, size_t{0}));
        return it == by_address_.end() || it->first != node ? nullptr : &laid_out_[it->second];
    }
    const NodeFacts* Find(const HintNode* node) const { return const_cast<Writer*>(this)->Find(node); }
    int64_t LeafLineCount(const HintNode& node, HunkKind kind) const;
    void Layout(const HintNode& node, int64_t& line);
    void CollectData(const HintNode& node);
    int64_t TextBodySize(const HintNode& node) const;
    void AppendTextBody(const HintNode& node, std::string& out) const;
    std::string StoredNestedLine(std::string_view plain);
    void PutHintLine(std::string_view plain);
    void PutNestedLine(std::string_view plain);

    void WriteText();
    void Write88a();
    void WriteOlderAsItStands(const OlderPart& part);
    void WriteNote(const std::vector<std::string>& note);
    void WriteNode(const HintNode& node);
    void WriteBody(const HintNode& node, const NodeFacts& facts);
    // A piece of the text: only counted while the layout is open, made once it has settled.
    void Put(std::string_view piece) {
        if (out_) {
            text_ += piece;
        } else {
            text_passed_ += static_cast<int64_t>(piece.size());
        }
    }
    void Emit(std::string_view line) {
        Put(line);
        Put(kLineEnd);
        if (text_.size() >= kTextPiece) PassText();
    }
    // A number that waits for the layout: left out and remembered while the text is counted,
    // written once the layout has settled.
    void EmitPending(int64_t data_offset, bool file_size) {
        if (!out_) {
            pending_.push_back({data_offset, file_size});
        } else {
            Put(std::to_string(PendingValue({data_offset, file_size})));
        }
    }
    int64_t PendingValue(const Pending& pending) const {
        return pending.fileSize ? file_size_ : data_start_ + pending.dataOffset;
    }
    size_t PendingDigits() const;
    // The text made so far goes on: counted while the layout is open, else to the sink.
    void PassText();

    const HintFilePlan& plan_;
    std::string key_;
    TextBlockEncoder text_cipher_{""};
    NestedHintEncoder nested_cipher_{""};
    // A piece of the data area: its bytes are made only when the file is put together.
    struct DataPiece {
        const HintNode* node;
        NodeFacts* facts;  // of the node, if it is laid out
        HunkKind kind;
        int64_t size;        // the checksum bytes that end it included
        int64_t offset = 0;  // from the start of the data area
        bool checksumEnds = false;
    };
    bool Assemble(const ByteSink& sink);

    const HintNode* length_info_ = nullptr;  // the information hunk that carries "length="
    std::vector<DataPiece> data_;  // in data-area order
    int64_t data_size_ = 0;
    std::vector<NodeFacts> laid_out_;  // in the order of Layout, which WriteText follows
    // Each node with its place in laid_out_, by address: a sorted list is made and searched
    // faster than a hash table is filled, and only links and odd plans search it.
    std::vector<std::pair<const HintNode*, size_t>> by_address_;
    size_t collected_ = 0;  // the nodes of laid_out_ that CollectData has met
    size_t written_ = 0;  // the nodes of laid_out_ written so far
    static constexpr size_t kTextPiece = 256 * 1024;
    std::string text_;  // of the text, what has not been passed on
    int64_t text_passed_ = 0;  // bytes of the text counted or sent before text_
    PieceWriter* out_ = nullptr;  // while the text is made for the sink
    bool refused_ = false;  // once the sink has refused a piece
    std::vector<Pending> pending_;  // in text order
    int64_t data_start_ = 0;
    int64_t file_size_ = 0;
};

Writer::Writer(const HintFilePlan& plan) : plan_(plan) {
    if (!plan_.root) return;
    key_ = DeriveTextKey(plan_.root->title);
    text_cipher_ = TextBlockEncoder(key_);
    nested_cipher_ = NestedHintEncoder(key_);
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
    by_address_.reserve(laid_out_.size());
    for (size_t i = 0; i < laid_out_.size(); ++i)
        by_address_.emplace_back(laid_out_[i].node, i);
    // A node laid out twice is found at its first place.
    std::sort(by_address_.begin(), by_address_.end());

    CollectData(*plan_.root);
    for (const auto& node : plan_.topLevel)
        CollectData(*node);
    if (plan_.checksumAt == ChecksumAt::DataEnd) {
        // The checksum ends the last GIF or sound data: those go first, the last one growing by
        // the two checksum bytes, so that the data end is not also the end of the file.
        std::stable_partition(data_.begin(), data_.end(), [](const auto& piece) {
            return piece.kind == GIFA || piece.kind == SOUND;
        });
        auto last = std::find_if(data_.rbegin(), data_.rend(), [](const auto& piece) {
            return piece.kind == GIFA || piece.kind == SOUND;
        });
        if (last == data_.rend()) throw WriteError("the data end needs GIF or sound data");
        last->size += 2;
        last->checksumEnds = true;
    }
    for (size_t i = 0; i < data_.size(); ++i) {
        if (data_[i].facts) data_[i].facts->dataPiece = static_cast<int64_t>(i);
        data_[i].offset = data_size_;
        data_size_ += data_[i].size;
    }
}

// The lines of a node that embeds no other.
int64_t Writer::LeafLineCount(const HintNode& node, HunkKind kind) const {
    switch (kind) {
        case TEXT:
        case LINK:
        case GIFA:
        case SOUND:
        case OVERLAY:
            return 3 + node.extraLines;
        case BLANK:
            return 2 + node.extraLines;
        default:
            return 2 + static_cast<int64_t>(node.items.size()) + (&node == length_info_ ? 1 : 0);
    }
}

void Writer::Layout(const HintNode& node, int64_t& line) {
    const size_t at = laid_out_.size();
    const HunkKind kind = KindOf(node);
    laid_out_.push_back({&node, kind, static_cast<int32_t>(line)});
    int64_t child_line = line + 2;
    switch (kind) {
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
            child_line = line + LeafLineCount(node, kind);
            break;
    }
    laid_out_[at].lineCount = child_line - line;
    line = child_line;
}

void Writer::CollectData(const HintNode& node) {
    // The nodes come as Layout met them, but for those that no header line leads to (a test's
    // odd plan): those are not laid out.
    const bool in_order = collected_ < laid_out_.size() && laid_out_[collected_].node == &node;
    NodeFacts* facts = in_order ? &laid_out_[collected_++] : Find(&node);
    const HunkKind kind = facts ? facts->kind : KindOf(node);
    if (kind == TEXT)
        data_.push_back({&node, facts, kind, TextBodySize(node)});
    if (CarriesData(kind))
        data_.push_back({&node, facts, kind, static_cast<int64_t>(node.data.size())});
    for (const auto& item : node.items) {
        if (item.node) CollectData(*item.node);
    }
}

// The stored size of a text hunk's body (a stored line is as long as its plain text).
int64_t Writer::TextBodySize(const HintNode& node) const {
    int64_t size = 0;
    for (const auto& item : node.items) {
        if (!text_cipher_.Encodes(item.line))
            throw WriteError("cannot encipher text line \"" + std::string(item.line) + "\"");
        size += static_cast<int64_t>(item.line.size() + kLineEnd.size());
    }
    return size;
}

// The stored body of a text hunk whose lines TextBodySize found enciphered.
void Writer::AppendTextBody(const HintNode& node, std::string& out) const {
    for (const auto& item : node.items) {
        text_cipher_.Append(item.line, out);
        out += kLineEnd;
    }
}

std::string Writer::StoredNestedLine(std::string_view plain) {
    std::string stored;
    if (!nested_cipher_.Append(plain, stored))
        throw WriteError("cannot encipher nested hint \"" + std::string(plain) + "\"");
    if (stored != "=" && stored != "-") return stored;
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

// The stored forms are as long as the plain lines: while the text is only counted, a line needs
// its checks and its length alone.
void Writer::PutHintLine(std::string_view plain) {
    if (out_) {
        AppendEncode88(plain, text_);
    } else if (!Encodes88(plain)) {
        throw WriteError("cannot encipher \"" + std::string(plain) + "\"");
    } else if (plain.size() == 1 && Encode88(plain) == "-") {
        throw WriteError("hint line \"" + std::string(plain) + "\" reads as a separator");
    } else {
        text_passed_ += static_cast<int64_t>(plain.size());
    }
    Emit("");
}

void Writer::PutNestedLine(std::string_view plain) {
    // A line of one character may need another stored byte than the cipher's own.
    if (plain.size() == 1) {
        Emit(StoredNestedLine(plain));
    } else if (out_) {
        nested_cipher_.Append(plain, text_);
        Emit("");
    } else if (!nested_cipher_.Encodes(plain)) {
        throw WriteError("cannot encipher nested hint \"" + std::string(plain) + "\"");
    } else {
        text_passed_ += static_cast<int64_t>(plain.size());
        Emit("");
    }
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
    // WriteText walks the nodes as Layout did.
    const bool in_order = written_ < laid_out_.size() && laid_out_[written_].node == &node;
    const NodeFacts& facts = in_order ? laid_out_[written_] : *Find(&node);
    ++written_;
    Put(std::to_string(facts.lineCount));
    Put(" ");
    Emit(node.keyword);
    Emit(node.title);
    WriteBody(node, facts);
}

void Writer::WriteBody(const HintNode& node, const NodeFacts& facts) {
    const HunkKind kind = facts.kind;
    // "spare offset length": the offset waits for the layout.
    auto data_numbers = [&](std::initializer_list<int64_t> before) {
        for (const int64_t number : before) {
            Put(std::to_string(number));
            Put(" ");
        }
        if (facts.dataPiece < 0) {
            Put("0 0");
            return;
        }
        const DataPiece& piece = data_[static_cast<size_t>(facts.dataPiece)];
        EmitPending(piece.offset, false);
        Put(" ");
        Put(std::to_string(piece.size));
    };
    switch (kind) {
        case SUBJECT:
            for (const auto& item : node.items) {
                if (item.node) WriteNode(*item.node);
            }
            return;
        case HINT:
            for (const auto& item : node.items) {
                if (item.IsSeparator()) {
                    Emit("-");
                    continue;
                }
                PutHintLine(item.line);
            }
            return;
        case NESTHINT:
            for (const auto& item : node.items) {
                if (item.node) {
                    Emit("=");
                    WriteNode(*item.node);
                } else {
                    if (item.IsSeparator()) {
                        Emit("-");
                    } else {
                        PutNestedLine(item.line);
                    }
                }
            }
            return;
        case TEXT:
            data_numbers({node.spare, node.textFlags});
            Emit("");
            break;
        case LINK: {
            int64_t target = node.targetLine.value_or(0);
            if (node.linkTarget) {
                const NodeFacts* target_facts = Find(node.linkTarget);
                if (!target_facts)
                    throw WriteError("link \"" + node.title + "\" leads outside the file");
                // The object of a picture hunk begins at its title line.
                target = target_facts->line + (node.intoPicture ? 1 : 0);
            }
            Emit(std::to_string(target));
            break;
        }
        case OVERLAY:
            data_numbers({node.spare});
            Emit(" " + Numbers({node.x, node.y}));
            break;
        case GIFA:
        case SOUND:
            data_numbers({node.spare});
            Emit("");
            break;
        case HYPERPNG:
            data_numbers({node.spare});
            Emit("");
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
            if (&node == length_info_) {
                Put("length=");
                EmitPending(0, true);
                Emit("");
            }
            for (const auto& item : node.items)
                Emit(item.line);
            return;
    }
    for (int32_t i = 0; i < node.extraLines; ++i)
        Emit("");
}

void Writer::WriteText() {
    Write88a();
    if (plan_.root) {
        WriteNode(*plan_.root);
        for (const auto& node : plan_.topLevel)
            WriteNode(*node);
    }
}

size_t Writer::PendingDigits() const {
    size_t digits = 0;
    for (const Pending& pending : pending_)
        digits += std::to_string(PendingValue(pending)).size();
    return digits;
}

void Writer::PassText() {
    text_passed_ += static_cast<int64_t>(text_.size());
    if (out_ && !refused_) refused_ = !out_->Put(text_);
    text_.clear();
}

bool Writer::Write(const ByteSink& sink) {
    text_.reserve(kTextPiece + 4096);
    WriteText();
    PassText();
    for (int round = 0; round < 16; ++round) {
        const auto end_of_text = text_passed_ + static_cast<int64_t>(PendingDigits()) + 1;
        const int64_t data_start =
            end_of_text + (plan_.checksumAt == ChecksumAt::AfterEndOfText ? 2 : 0);
        const bool checksum_last =
            plan_.checksumAt == ChecksumAt::FileEnd || plan_.checksumAt == ChecksumAt::InfoLength;
        const int64_t size = data_start + data_size_ + (checksum_last ? 2 : 0);
        const bool settled = data_start == data_start_ && size == file_size_;
        data_start_ = data_start;
        file_size_ = size;
        if (!settled) continue;
        return Assemble(sink);
    }
    throw WriteError("the layout did not settle");
}

// The text made again with the settled numbers, the end-of-text byte, the data area and the
// checksum. The text goes before the data is made. Making the text counted has met every fault
// of the plan, so none is found once pieces have gone.
bool Writer::Assemble(const ByteSink& sink) {
    PieceWriter out(sink, Size());
    out_ = &out;
    written_ = 0;
    WriteText();
    text_ += kEndOfText;
    PassText();
    text_ = std::string();
    bool sent = !refused_;
    if (plan_.checksumAt == ChecksumAt::AfterEndOfText) sent = sent && out.PutChecksum();
    std::string body;
    for (const DataPiece& piece : data_) {
        if (!sent) return false;
        if (piece.kind == TEXT) {
            body.clear();
            AppendTextBody(*piece.node, body);
            sent = out.Put(body);
        } else {
            sent = out.Put(piece.node->data);
        }
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
    item.line = HintItem::kSeparatorLine;
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
        return Writer(plan).LineOf(node);
    } catch (const WriteError&) {
        return 0;
    }
}

}  // namespace klu
