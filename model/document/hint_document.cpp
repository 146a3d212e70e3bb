#include "model/document/hint_document.h"

#include <algorithm>
#include <map>
#include <new>
#include <optional>

#include "model/format/checksum.h"
#include "model/format/decode.h"
#include "model/files/file_bytes.h"
#include "model/files/file_range.h"
#include "model/format/hint_stream.h"
#include "model/document/hunk_reader.h"
#include "model/document/info_hunk.h"
#include "model/document/meta_text_hunk.h"
#include "model/format/older_part_reader.h"
#include "model/document/text_bodies.h"
#include "model/text/text_util.h"

namespace klu {
namespace {

constexpr std::string_view kMagic = "KLU";
constexpr std::string_view kZipMagic = "PK";
// Enough for the magic line of any hint file, and for that of most other files.
constexpr size_t kFirstBlock = 4096;
constexpr const char* kAuthorNoteTitle = "A note from the author";

// The older format's tree: a flat list of subjects, questions and one-line hints tied together
// by body line numbers, then an optional note from the author up to the marker line.
class OlderTree {
  public:
    OlderTree(TreeArena& arena, MetaTextHunk* root) : arena_(arena), root_(root) {}
    // The note goes last, after every hint.
    void AddNote() {
        if (note_) root_->AddChild(note_.release());
    }

    void Numbers(int64_t, int64_t last_hint) { last_hint_ = last_hint; }

    void Entry(int64_t i, std::string name, int64_t target) {
        MetaTextHunk* parent = OwnerOf(i);
        if (!first_question_) first_question_ = target;
        MetaTextHunk* hunk = i < *first_question_
                                  ? arena_.New<MetaTextHunk>(std::move(name), parent, SUBJECT)
                                  : arena_.New<MetaTextHunk>(std::move(name) + "?", parent, HINT);
        slots_[target] = hunk;
        parent->AddChild(hunk);
    }

    void Hint(int64_t j, std::string_view stored) {
        MetaTextHunk* parent = OwnerOf(j);
        parent->AddChild(arena_.NewDecodedLine(stored, Decode88Into));
        if (j != last_hint_ && !slots_.contains(j + 1)) parent->InsertSharedSeparator();
    }

    void NoteLine(std::string_view line) {
        if (!note_) note_ = std::make_unique<MetaTextHunk>(kAuthorNoteTitle, root_, CREDIT);
        note_->AddChild(arena_.NewLine(line));
    }

  private:
    // A line belongs to the hunk in the highest slot at or below it.
    MetaTextHunk* OwnerOf(int64_t line) const {
        const auto above = slots_.upper_bound(line);
        return above == slots_.begin() ? root_ : std::prev(above)->second;
    }

    TreeArena& arena_;
    MetaTextHunk* root_;
    int64_t last_hint_ = 0;
    // Slot T holds the hunk whose content begins at body line T.
    std::map<int64_t, MetaTextHunk*> slots_{{0, root_}};
    std::optional<int64_t> first_question_;
    std::unique_ptr<MetaTextHunk> note_;
};

LoadResult Read88a(HintStream& stream, HintDocument& document) {
    const std::string_view magic = stream.GetLine();
    if (!EqualsNoCase(magic, kMagic)) {
        return StartsWithNoCase(magic, kZipMagic) ? LoadResult::ZipArchive
                                                  : LoadResult::NotHintFile;
    }
    TreeArena& arena = document.Arena();
    auto* root = arena.New<MetaTextHunk>(std::string(stream.GetLine()), nullptr, SUBJECT);
    document.Add(root);
    OlderTree tree(arena, root);
    ReadOlderBody(stream, tree);
    tree.AddNote();
    return LoadResult::Ok;
}

// The newer format: the root hunk, the other top-level hunks, the text bodies of the data area
// and the checksum. A checksum that does not match fails at the hunks' last line.
LoadOutcome Read96a(HunkReader& reader, HintDocument& document, bool in_place) {
    HintStream& stream = reader.stream;
    reader.currentLine = 0;
    Hunk* root = reader.ReadHunk(nullptr);
    document.Add(root);

    int32_t info_length = 0;
    bool info_seen = false;
    while (stream.Good() && stream.Peek() != HintStream::kEof) {
        const size_t start = stream.Tell();
        Hunk* hunk = reader.ReadHunk(root);
        document.Add(hunk);
        stream.Clear();
        if (hunk->GetType() == INFO) {
            auto* info = static_cast<InfoHunk*>(hunk);
            info_length = info->infoLength;
            info->Finish(document.FindByType(VERHUNK));
            info_seen = true;
        }
        if (stream.Tell() == start) break;  // nothing could be read: the rest is not hunks
    }
    // The checksum before the text bodies, which may be decoded where they lie. The data end
    // comes from the media hunks' headers, which are all read by now.
    KnownCrc known;
    if (reader.released) {
        known = {reader.released->Length(), reader.released->Crc(),
                 [&reader] { reader.NeedBytesFrom(0); }};
    }
    const bool sound = VerifyChecksum(
        stream.Bytes(), [root] { return root->GetDataEnd(); }, info_length, std::move(known));
    const int32_t checksum_line = reader.currentLine;
    if (in_place) {
        LoadTextBodiesInPlace(reader, *root);
    } else {
        root->LoadData(reader);
    }
    if (!info_seen) {
        auto* info = new InfoHunk(std::string(), root);
        info->lineNumber = reader.currentLine;
        document.Add(info);
        info->Finish(document.FindByType(VERHUNK));
    }
    if (!sound) return {LoadResult::Corrupted, checksum_line};
    return {};
}

}  // namespace

const char* LoadResultName(LoadResult result) {
    switch (result) {
        case LoadResult::Ok:
            return "LoadOk";
        case LoadResult::NotHintFile:
            return "LoadNotHintFile";
        case LoadResult::Corrupted:
            return "LoadCorrupted";
        case LoadResult::OutOfMemory:
            return "LoadOutOfMemory";
        case LoadResult::ZipArchive:
            return "LoadZipArchive";
    }
    return "Unknown";
}

void HintDocument::Add(KLUObject* object) {
    entries_.emplace_back(object);
    if (Hunk* hunk = object->AsHunk(); hunk && !hunk->parent) hunk->SetObserver(observer_);
}

void HintDocument::SetObserver(DocumentObserver* observer) {
    observer_ = observer;
    for (const auto& entry : entries_) {
        if (Hunk* hunk = entry->AsHunk(); hunk && !hunk->parent) hunk->SetObserver(observer_);
    }
}

Hunk* HintDocument::GetRoot() const {
    if (entries_.empty()) return nullptr;
    return entries_[entries_.size() >= 2 ? 1 : 0]->AsHunk();
}

Hunk* HintDocument::FindByType(HunkKind kind) const {
    for (const auto& entry : entries_) {
        if (entry->GetType() == kind) return entry->AsHunk();
    }
    return nullptr;
}

namespace {

LoadOutcome Load(HintStream& stream, HintDocument& document, bool picture_mode, bool in_place,
                 ReleasedPrefix* released = nullptr) {
    document.Clear();
    document.Arena().ExpectTreeOf(stream.Bytes().size());
    HunkReader reader(stream, document.Arena(), picture_mode);
    reader.released = released;
    LoadOutcome outcome;
    try {
        outcome.result = Read88a(stream, document);
        if (outcome.result == LoadResult::Ok && stream.Good() && stream.Peek() != HintStream::kEof)
            outcome = Read96a(reader, document, in_place);
    } catch (const NestingTooDeep& deep) {
        outcome = {LoadResult::Corrupted, deep.line};
    } catch (const std::exception&) {
        outcome = {LoadResult::OutOfMemory, reader.currentLine};
    }
    if (outcome.result != LoadResult::Ok) document.Clear();
    return outcome;
}

HintFileRead ReadHintFileBytes(const std::string& path, std::vector<char>& bytes) {
    bytes.clear();
    try {
        const FilePrefix prefix = ReadFilePrefix(path, kFirstBlock, bytes);
        if (prefix.outcome != ReadOutcome::Read) return HintFileRead::Failed;
        HintStream first{std::vector<char>(bytes)};
        if (!EqualsNoCase(first.GetLine(), kMagic)) return HintFileRead::FirstBlock;
        if (prefix.size > kLargestHintFile) return HintFileRead::TooLarge;
        if (prefix.size > static_cast<int64_t>(bytes.size()) && !ReadFileBytes(path, bytes))
            return HintFileRead::Failed;
        return HintFileRead::Whole;
    } catch (const std::bad_alloc&) {
        bytes.clear();
        return HintFileRead::TooLarge;
    }
}

}  // namespace

HintFileBytes ReadHintFile(const std::string& path) {
    HintFileBytes file;
    file.read = ReadHintFileBytes(path, file.bytes);
    // The bytes read past are given back as the load goes, and read from the file again in the
    // rare case that they are needed after all.
    file.released.emplace([path](size_t length, char* into) {
        std::vector<char> again;
        if (!ReadFileRange(path, 0, static_cast<int64_t>(length), again).Ok()) return false;
        std::copy(again.begin(), again.end(), into);
        return true;
    });
    return file;
}

LoadOutcome LoadHintFile(HintFileBytes file, HintDocument& document, bool picture_mode) {
    if (file.read == HintFileRead::TooLarge) {
        document.Clear();
        return {LoadResult::OutOfMemory, 0};
    }
    HintStream stream(std::move(file.bytes));
    ReleasedPrefix* released = file.released ? &*file.released : nullptr;
    const LoadOutcome outcome = Load(stream, document, picture_mode, true, released);
    if (outcome.result == LoadResult::Ok) {
        document.KeepBytes(stream.TakeBytes());
        document.Arena().ReleaseUnused();
    }
    return outcome;
}

LoadOutcome LoadHintFileCopying(std::vector<char>& bytes, HintDocument& document,
                                bool picture_mode) {
    HintStream stream(std::move(bytes));
    const LoadOutcome outcome = Load(stream, document, picture_mode, false);
    bytes = stream.TakeBytes();
    return outcome;
}

}  // namespace klu
