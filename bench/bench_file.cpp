#include "bench_file.h"

#include <sys/stat.h>

#include <array>
#include <cstdio>
#include <map>
#include <memory>
#include <stdexcept>
#include <string_view>
#include <utility>
#include <vector>

#include "model/format/checksum.h"
#include "views/png_writer.h"

namespace klu::bench {
namespace {

// The words every line is made of; none longer than 12 characters, none with a markup '#'.
constexpr std::array<std::string_view, 160> kWords = {
    "the",      "a",        "an",      "you",        "your",      "it",        "is",
    "was",      "will",     "can",     "must",       "should",    "might",     "not",
    "and",      "or",       "but",     "then",       "when",      "after",     "before",
    "while",    "under",    "behind",  "above",      "inside",    "near",      "into",
    "from",     "with",     "without", "through",    "across",    "along",     "of",
    "to",       "in",       "on",      "at",         "by",        "for",       "door",
    "key",      "lamp",     "rope",    "ladder",     "bridge",    "tower",     "cellar",
    "garden",   "fountain", "statue",  "mirror",     "chest",     "lever",     "switch",
    "crystal",  "scroll",   "potion",  "sword",      "shield",    "amulet",    "coin",
    "map",      "compass",  "candle",  "torch",      "wizard",    "guard",     "merchant",
    "dragon",   "troll",    "ghost",   "raven",      "cat",       "innkeeper", "captain",
    "princess", "library",  "kitchen", "dungeon",    "forest",    "cave",      "river",
    "village",  "castle",   "harbour", "lighthouse", "windmill",  "chapel",    "attic",
    "open",     "close",    "push",    "pull",       "turn",      "climb",     "read",
    "take",     "drop",     "give",    "show",       "ask",       "tell",      "wait",
    "listen",   "search",   "examine", "light",      "unlock",    "throw",     "wear",
    "combine",  "pour",     "fill",    "empty",      "carry",     "follow",    "enter",
    "leave",    "red",      "blue",    "golden",     "rusty",     "old",       "heavy",
    "small",    "hidden",   "broken",  "strange",    "quiet",     "dark",      "narrow",
    "wooden",   "silver",   "first",   "second",     "last",      "other",     "same",
    "every",    "some",     "only",    "still",      "again",     "carefully", "quickly",
    "slowly",   "north",    "south",   "east",       "west",      "upstairs",  "downstairs",
    "maybe",    "perhaps",  "really",  "nothing",    "something", "everything"};

constexpr std::array<std::string_view, 12> kPlaces = {
    "The Old Mill",  "Harbour Town",     "The Sunken Crypt",  "Castle Gate",
    "The Library",   "Whispering Woods", "The Lighthouse",    "Market Square",
    "Dragon's Lair", "The Clock Tower",  "Underground River", "The Wizard's Study"};

// A small generator of its own, so that every standard library gives the same file.
class Random {
  public:
    explicit Random(uint64_t seed) : state_(seed) {}
    uint64_t Next() {
        // splitmix64
        uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // Uniform in [low, high].
    size_t Between(size_t low, size_t high) { return low + Next() % (high - low + 1); }
    // True once in every n calls, on average.
    bool OneIn(size_t n) { return Next() % n == 0; }

  private:
    uint64_t state_;
};

// Small pictures of 4-bit noise, which compresses little: a few kilobytes each. A handful is
// made once and shared by every file.
const std::vector<std::string>& PicturePool() {
    static const std::vector<std::string> pool = [] {
        Random random(7);
        std::vector<std::string> made;
        for (int i = 0; i < 8; ++i) {
            const bool overlay = i % 4 == 3;
            PngPicture picture(overlay ? 24 : static_cast<int>(random.Between(64, 128)),
                               overlay ? 16 : static_cast<int>(random.Between(48, 96)),
                               PngKind::Palette, 4);
            for (int c = 0; c < 16; ++c)
                picture.palette.push_back({static_cast<uint8_t>(c * 16),
                                           static_cast<uint8_t>(255 - c * 8), 96});
            picture.samples.resize(static_cast<size_t>(picture.width * picture.height));
            for (auto& sample : picture.samples)
                sample = static_cast<uint16_t>(random.Next() % 16);
            made.push_back(EncodePng(picture));
            if (made.back().empty()) throw std::runtime_error("libpng refused a picture");
        }
        return made;
    }();
    return pool;
}

class Generator {
  public:
    Generator(uint32_t seed, FileShape shape, TextHeavyStats& stats)
        : random_(seed),
          hintHeavy_(shape == FileShape::HintHeavy),
          mixed_(shape == FileShape::Mixed),
          stats_(stats) {}

    HintFilePlan Build(size_t target_bytes);

  private:
    static constexpr size_t kLineEnd = 2;
    static constexpr size_t kHeader = 12;  // "123 KEYWORD" and its line end, about
    static constexpr size_t kLinksPerMb = 700;

    // A sentence of min_length..max_length characters (max_length - min_length >= 13) that
    // ends with end.
    std::string Sentence(size_t min_length, size_t max_length, char end);
    std::string Line() {
        const char end = random_.OneIn(4) ? '!' : '.';
        return hintHeavy_ ? Sentence(12, 30, end) : Sentence(40, 75, end);
    }
    std::string Title() { return Sentence(24, 50, '?'); }

    std::unique_ptr<HintNode> Question();
    std::unique_ptr<HintNode> NestedHint();
    std::unique_ptr<HintNode> Text();
    std::unique_ptr<HintNode> Subject(size_t index);
    // Of the mixed shape.
    std::unique_ptr<HintNode> Link();
    std::unique_ptr<HintNode> Picture();
    void AddLinks(HintNode& subject);
    void AddOlderPart(HintFilePlan& plan, size_t target_bytes);
    // Remembers a hunk that links may lead to.
    template <typename Node>
    Node* Target(Node* node) {
        if (mixed_) targets_.push_back(node);
        return node;
    }

    void CountNode(const std::string& title) { stats_.otherBytes += kHeader + title.size() + 2; }
    size_t Total() const {
        return stats_.textBytes + stats_.otherBytes + stats_.pictureBytes + stats_.olderBytes;
    }

    Random random_;
    const bool hintHeavy_;
    const bool mixed_;
    TextHeavyStats& stats_;
    std::vector<const HintNode*> targets_;
};

std::string Generator::Sentence(size_t min_length, size_t max_length, char end) {
    // Words are added until the sentence is long enough to stop; the last word is at most 12
    // characters, so stopping anywhere in [min_length, max_length - 13] keeps it in range.
    const size_t stop = random_.Between(min_length, max_length - 13);
    std::string out;
    while (out.size() + 1 < stop) {
        if (!out.empty()) out += ' ';
        out += kWords[random_.Next() % kWords.size()];
        if (out.size() + 1 < stop && random_.OneIn(9)) out += ',';
    }
    if (out.back() == ',') out.pop_back();
    out += end;
    if (out[0] >= 'a' && out[0] <= 'z') out[0] = static_cast<char>(out[0] - 'a' + 'A');
    return out;
}

std::unique_ptr<HintNode> Generator::Question() {
    std::vector<std::vector<std::string>> hints(hintHeavy_ ? random_.Between(3, 6)
                                                           : random_.Between(2, 4));
    for (auto& hint : hints) {
        hint.resize(hintHeavy_ ? random_.Between(1, 2) : random_.Between(1, 3));
        for (auto& line : hint) {
            line = Line();
            stats_.otherBytes += line.size() + kLineEnd;
            ++stats_.hintLines;
        }
    }
    stats_.otherBytes += (hints.size() - 1) * (1 + kLineEnd);  // the separators
    ++stats_.questions;
    std::string title = Title();
    CountNode(title);
    return MakeQuestion(std::move(title), hints);
}

std::unique_ptr<HintNode> Generator::NestedHint() {
    std::string title = Title();
    CountNode(title);
    auto node = MakeNode("NESTHINT", std::move(title));
    const size_t hints = random_.Between(2, 5);
    for (size_t i = 0; i < hints; ++i) {
        if (i > 0) {
            node->Separator();
            stats_.otherBytes += 1 + kLineEnd;
        }
        const size_t lines = random_.Between(1, 4);
        for (size_t j = 0; j < lines; ++j) {
            std::string line = Line();
            stats_.otherBytes += line.size() + kLineEnd;
            ++stats_.hintLines;
            node->Line(std::move(line));
        }
        if (random_.OneIn(4)) {
            stats_.otherBytes += 1 + kLineEnd;  // the "=" line
            node->Add(Question());
        }
        // A hint that sends the player elsewhere: "[see 3.2.]" in the plain text.
        if (mixed_ && !targets_.empty() && random_.OneIn(2)) {
            stats_.otherBytes += 1 + kLineEnd;
            node->Add(Link());
        }
    }
    ++stats_.nestedHints;
    Target(node.get());
    return node;
}

std::unique_ptr<HintNode> Generator::Text() {
    std::string title = Title();
    title.back() = '.';
    CountNode(title);
    stats_.otherBytes += 24;  // the line of numbers
    std::vector<std::string> lines(random_.Between(30, 120));
    for (auto& line : lines) {
        line = Line();
        stats_.textBytes += line.size() + kLineEnd;
    }
    stats_.textLines += lines.size();
    ++stats_.textHunks;
    auto text = MakeText(std::move(title), std::move(lines));
    Target(text.get());
    return text;
}

// A link to a hunk far back in the file, or to the one just before, named after it.
std::unique_ptr<HintNode> Generator::Link() {
    const HintNode* target =
        random_.OneIn(4) ? targets_.back() : targets_[random_.Next() % targets_.size()];
    std::string title = target->title;
    CountNode(title);
    stats_.otherBytes += 8;  // the target's line number
    ++stats_.links;
    return MakeLink(std::move(title), target);
}

// Links keep to their density however large the file grows.
void Generator::AddLinks(HintNode& subject) {
    while (stats_.links * 1000 * 1000 < kLinksPerMb * Total())
        subject.Add(Link());
}

// A picture whose hot spots show an overlay, follow a link and open a question.
std::unique_ptr<HintNode> Generator::Picture() {
    const auto& pool = PicturePool();
    // Pictures are entries 0 to 2 and 4 to 6 of the pool; 3 and 7 are overlays.
    const size_t kind = random_.Next() % 3;
    const std::string& png = pool[kind + 4 * random_.Between(0, 1)];
    std::string title = Title();
    title.back() = '.';
    CountNode(title);
    stats_.pictureBytes += png.size();
    auto picture = MakeData("HYPERPNG", std::move(title), png);

    std::string overlay_title = Title();
    CountNode(overlay_title);
    stats_.pictureBytes += pool[3].size();
    HintNode* overlay =
        picture->AddRegion(4, 4, 28, 20, MakeData("OVERLAY", std::move(overlay_title), pool[3]));
    overlay->x = 4;
    overlay->y = 4;
    picture->AddRegion(30, 4, 46, 20, Link());
    picture->AddRegion(4, 22, 46, 30, Question());
    stats_.otherBytes += 3 * (16 + kLineEnd);  // the region lines
    ++stats_.pictures;
    Target(picture.get());
    return picture;
}

std::unique_ptr<HintNode> Generator::Subject(size_t index) {
    std::string title = std::string(kPlaces[index % kPlaces.size()]) + ", part " +
                        std::to_string(index / kPlaces.size() + 1);
    CountNode(title);
    auto subject = MakeSubject(std::move(title));
    Target(subject.get());
    const size_t questions = random_.Between(6, 14);
    const HintNode* previous = nullptr;
    for (size_t i = 0; i < questions; ++i) {
        if (random_.OneIn(5)) subject->Add(NestedHint());
        const HintNode* added = Target(subject->Add(Question()));
        if (mixed_) {
            AddLinks(*subject);
        } else if (previous && random_.OneIn(8)) {
            std::string link = "See also the question before.";
            CountNode(link);
            stats_.otherBytes += 8;
            subject->Add(MakeLink(std::move(link), previous));
        }
        previous = added;
    }
    if (mixed_ && random_.OneIn(2)) subject->Add(Picture());
    // Text bodies keep pace with everything else: about half the file is in the data area, a
    // third in the mixed shape.
    while (!hintHeavy_ && stats_.textBytes < (mixed_ ? stats_.otherBytes / 2 : stats_.otherBytes))
        subject->Add(Text());
    ++stats_.subjects;
    return subject;
}

// The older part that files of both formats begin with: subjects of questions whose hints are a
// line each.
void Generator::AddOlderPart(HintFilePlan& plan, size_t target_bytes) {
    while (stats_.olderBytes < target_bytes / 20) {
        Old88Subject subject{std::string(kPlaces[plan.subjects88.size() % kPlaces.size()]), {}};
        stats_.olderBytes += subject.title.size() + 8;
        for (size_t i = random_.Between(4, 10); i > 0; --i) {
            Old88Question question{Title(), {}};
            stats_.olderBytes += question.title.size() + 8;
            for (size_t j = random_.Between(2, 5); j > 0; --j) {
                question.hints.push_back(Line());
                stats_.olderBytes += question.hints.back().size() + kLineEnd;
            }
            subject.questions.push_back(std::move(question));
        }
        plan.subjects88.push_back(std::move(subject));
    }
}

HintFilePlan Generator::Build(size_t target_bytes) {
    HintFilePlan plan;
    plan.title88 = "Benchmark Adventure";
    if (mixed_) AddOlderPart(plan, target_bytes);
    plan.root = MakeSubject("Benchmark Adventure: The Complete Hints");
    size_t subject_index = 0;
    while (Total() < target_bytes) {
        std::string title = "Chapter " + std::to_string(stats_.chapters + 1);
        CountNode(title);
        HintNode* chapter = plan.root->Add(MakeSubject(std::move(title)));
        ++stats_.chapters;
        for (int i = 0; i < 25 && Total() < target_bytes; ++i) {
            chapter->Add(Subject(subject_index++));
        }
    }
    plan.topLevel.push_back(MakeNode("VERSION", "1.0"));
    plan.topLevel.back()->Line("Generated for the load benchmark");
    plan.topLevel.push_back(MakeNode("INFO", ""));
    plan.topLevel.back()->Line("author=Benchmark");
    return plan;
}

HintFilePlan MakePlan(size_t target_bytes, uint32_t seed, FileShape shape, TextHeavyStats* stats) {
    TextHeavyStats local;
    Generator generator(seed, shape, stats ? *stats : local);
    return generator.Build(target_bytes);
}

}  // namespace

HintFilePlan MakeTextHeavyPlan(size_t target_bytes, uint32_t seed, TextHeavyStats* stats) {
    return MakePlan(target_bytes, seed, FileShape::TextHeavy, stats);
}

HintFilePlan MakeHintHeavyPlan(size_t target_bytes, uint32_t seed, TextHeavyStats* stats) {
    return MakePlan(target_bytes, seed, FileShape::HintHeavy, stats);
}

HintFilePlan MakeMixedPlan(size_t target_bytes, uint32_t seed, TextHeavyStats* stats) {
    return MakePlan(target_bytes, seed, FileShape::Mixed, stats);
}

const BenchFile& GeneratedFile(const std::string& dir, size_t target_bytes, FileShape shape) {
    static std::map<std::pair<size_t, FileShape>, BenchFile> files;
    const auto key = std::make_pair(target_bytes, shape);
    if (const auto it = files.find(key); it != files.end()) return it->second;

    BenchFile file;
    const HintFilePlan plan = MakePlan(target_bytes, 0x4B4C55u, shape, &file.stats);
    std::string error;
    const auto bytes = WriteHintFile(plan, &error);
    if (!bytes) throw std::runtime_error("the writer refused the benchmark file: " + error);

    const char* name = shape == FileShape::HintHeavy ? "/hint_heavy_"
                       : shape == FileShape::Mixed   ? "/mixed_"
                                                     : "/text_heavy_";
    file.path = dir + name + std::to_string(target_bytes) + ".klu";
    file.size = bytes->size();
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> out(std::fopen(file.path.c_str(), "wb"),
                                                        &std::fclose);
    if (!out || std::fwrite(bytes->data(), 1, bytes->size(), out.get()) != bytes->size() ||
        std::fflush(out.get()) != 0) {
        throw std::runtime_error("cannot write " + file.path);
    }
    return files.emplace(key, std::move(file)).first->second;
}

bool ReadLikeLoader(const std::string& path, std::vector<char>& bytes) {
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> in(std::fopen(path.c_str(), "rb"),
                                                       &std::fclose);
    if (!in) return false;
    struct stat info {};
    if (fstat(fileno(in.get()), &info) != 0) return false;
    bytes.clear();
    bytes.reserve(static_cast<size_t>(info.st_size));
    char buffer[1 << 16];
    size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, in.get())) > 0)
        bytes.insert(bytes.end(), buffer, buffer + got);
    return !std::ferror(in.get());
}

namespace {

// CRC-16/ARC by the plain table method: one table lookup per byte.
uint16_t PlainCrc16Arc(std::string_view bytes) {
    static const std::array<uint16_t, 256> table = [] {
        std::array<uint16_t, 256> made{};
        for (unsigned byte = 0; byte < 256; ++byte) {
            unsigned crc = byte;
            for (int bit = 0; bit < 8; ++bit)
                crc = crc & 1 ? (crc >> 1) ^ 0xA001 : crc >> 1;
            made[byte] = static_cast<uint16_t>(crc);
        }
        return made;
    }();
    uint16_t crc = 0;
    for (const char c : bytes)
        crc = static_cast<uint16_t>((crc >> 8) ^ table[(crc ^ static_cast<unsigned char>(c)) & 0xFF]);
    return crc;
}

}  // namespace

bool FloorPass(const BenchFile& file, FloorChecksum checksum) {
    // The buffer is freed inside the pass, as the loader frees the file's bytes.
    std::vector<char> bytes;
    const bool read = ReadLikeLoader(file.path, bytes) && bytes.size() == file.size;
    const std::string_view all(bytes.data(), bytes.size());
    volatile uint16_t crc = checksum == FloorChecksum::Plain ? PlainCrc16Arc(all) : Crc16Arc(all);
    // Both must be the checksum the loader tests, or the floor measures something else.
    static const bool same = PlainCrc16Arc("123456789") == Crc16Arc("123456789");
    (void)crc;
    return read && same;
}

}  // namespace klu::bench
