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

#include "model/checksum.h"

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

class Generator {
  public:
    Generator(uint32_t seed, FileShape shape, TextHeavyStats& stats)
        : random_(seed), hintHeavy_(shape == FileShape::HintHeavy), stats_(stats) {}

    HintFilePlan Build(size_t target_bytes);

  private:
    static constexpr size_t kLineEnd = 2;
    static constexpr size_t kHeader = 12;  // "123 KEYWORD" and its line end, about

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

    void CountNode(const std::string& title) { stats_.otherBytes += kHeader + title.size() + 2; }

    Random random_;
    const bool hintHeavy_;
    TextHeavyStats& stats_;
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
    }
    ++stats_.nestedHints;
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
    return MakeText(std::move(title), std::move(lines));
}

std::unique_ptr<HintNode> Generator::Subject(size_t index) {
    std::string title = std::string(kPlaces[index % kPlaces.size()]) + ", part " +
                        std::to_string(index / kPlaces.size() + 1);
    CountNode(title);
    auto subject = MakeSubject(std::move(title));
    const size_t questions = random_.Between(6, 14);
    const HintNode* previous = nullptr;
    for (size_t i = 0; i < questions; ++i) {
        if (random_.OneIn(5)) subject->Add(NestedHint());
        const HintNode* added = subject->Add(Question());
        if (previous && random_.OneIn(8)) {
            std::string link = "See also the question before.";
            CountNode(link);
            stats_.otherBytes += 8;
            subject->Add(MakeLink(std::move(link), previous));
        }
        previous = added;
    }
    // Text bodies keep pace with everything else: about half the file is in the data area.
    while (!hintHeavy_ && stats_.textBytes < stats_.otherBytes)
        subject->Add(Text());
    ++stats_.subjects;
    return subject;
}

HintFilePlan Generator::Build(size_t target_bytes) {
    HintFilePlan plan;
    plan.title88 = "Benchmark Adventure";
    plan.root = MakeSubject("Benchmark Adventure: The Complete Hints");
    size_t subject_index = 0;
    while (stats_.textBytes + stats_.otherBytes < target_bytes) {
        std::string title = "Chapter " + std::to_string(stats_.chapters + 1);
        CountNode(title);
        HintNode* chapter = plan.root->Add(MakeSubject(std::move(title)));
        ++stats_.chapters;
        for (int i = 0; i < 25 && stats_.textBytes + stats_.otherBytes < target_bytes; ++i) {
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

const BenchFile& GeneratedFile(const std::string& dir, size_t target_bytes, FileShape shape) {
    static std::map<std::pair<size_t, FileShape>, BenchFile> files;
    const auto key = std::make_pair(target_bytes, shape);
    if (const auto it = files.find(key); it != files.end()) return it->second;

    BenchFile file;
    const HintFilePlan plan = MakePlan(target_bytes, 0x4B4C55u, shape, &file.stats);
    std::string error;
    const auto bytes = WriteHintFile(plan, &error);
    if (!bytes) throw std::runtime_error("the writer refused the benchmark file: " + error);

    const char* name = shape == FileShape::HintHeavy ? "/hint_heavy_" : "/text_heavy_";
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
