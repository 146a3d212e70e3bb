// Layout of a long text: 5,000 source lines of 40 to 90 characters, joined and word-wrapped in a
// window 800 pixels wide.
//
//   BM_LayoutFixed         every character 8 pixels wide
//   BM_LayoutProportional  widths from 4 to 12 pixels by character, average 8
//   BM_PaginateLetter      the same text paginated for Letter paper at 600 pixels per inch,
//                          characters and lines six times as large as on the screen
//
// Counters: lines (output lines), pages (printed pages), widths_per_line (text widths measured
// per output line; the target is at most 8 on average). The summary after the run repeats the
// measurement counts.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <random>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "model/document/items_hunk.h"
#include "views/print_layout.h"
#include "views/text_layout.h"
#include "views/text_measurer.h"

namespace {

using namespace klu;

constexpr int kSourceLines = 5000;
constexpr LayoutSize kWindow{800, 600};
constexpr double kTargetWidthsPerLine = 8.0;

// Narrow and wide letters as a proportional screen font has them; the average stays 8.
class ProportionalMeasurer : public TextMeasurer {
  public:
    int TextWidth(std::string_view text, TextFont font) const override {
        if (font == TextFont::Fixed) return static_cast<int>(text.size()) * 8;
        int width = 0;
        for (const char c : text)
            width += CharWidth(c);
        return width;
    }
    int AverageCharWidth(TextFont) const override { return 8; }
    int LineHeight() const override { return 16; }

  private:
    static int CharWidth(char c) {
        switch (c) {
            case 'i':
            case 'l':
            case 'j':
            case 't':
            case 'f':
            case '.':
            case ',':
            case '\'':
                return 4;
            case ' ':
            case 'r':
                return 5;
            case 'm':
            case 'w':
            case 'M':
            case 'W':
                return 12;
            default:
                return c >= 'A' && c <= 'Z' ? 10 : 8;
        }
    }
};

// Sentences of ordinary words, 40 to 90 characters, added as a file's lines are.
void FillHunk(ItemsHunk& hunk) {
    static const std::vector<std::string> words = {
        "the",      "door",   "behind", "you",   "will",  "open",   "when",  "lever",
        "is",       "pulled", "twice",  "look",  "under", "carpet", "in",    "library",
        "try",      "giving", "troll",  "a",     "fish",  "it",     "might", "help",
        "remember", "what",   "old",    "man",   "said",  "about",  "lamp",  "Northern",
        "tower",    "key",    "opens",  "chest", "on",    "ship",   "wait",  "until",
        "midnight", "then",   "walk",   "west",  "three", "times",  "and",   "listen"};
    std::mt19937 random(20240607);
    std::uniform_int_distribution<size_t> pick(0, words.size() - 1);
    std::uniform_int_distribution<size_t> length(40, 90);
    for (int i = 0; i < kSourceLines; ++i) {
        const size_t target = length(random);
        std::string line = words[pick(random)];
        line[0] = static_cast<char>(line[0] - ('a' <= line[0] && line[0] <= 'z' ? 32 : 0));
        while (line.size() < target)
            line += " " + words[pick(random)];
        line.resize(target);
        if (line.back() == ' ') line.back() = 'x';
        line += '.';
        hunk.AddChild(new HunkLine(line));
    }
}

const ItemsHunk& BenchHunk() {
    static ItemsHunk* hunk = [] {
        auto* h = new ItemsHunk("Layout benchmark");
        FillHunk(*h);
        return h;
    }();
    return *hunk;
}

size_t OutputLines(const LayoutResult& result) {
    std::set<int> tops;
    for (const WrapInfo& f : result.fragments)
        tops.insert(f.top);
    return tops.size();
}

struct Figures {
    size_t lines = 0;
    double widthsPerLine = 0;
};
Figures g_fixed, g_proportional;

void RunLayout(benchmark::State& state, const TextMeasurer& base, Figures& figures) {
    const ItemsHunk& hunk = BenchHunk();
    const int count = static_cast<int>(hunk.GetChildCount());
    CountingMeasurer counting(base);
    LayoutResult result;
    for (auto _ : state) {
        counting.Reset();
        result = Layout(hunk, count, kWindow, counting);
        benchmark::DoNotOptimize(result.fragments.data());
    }
    figures.lines = OutputLines(result);
    figures.widthsPerLine =
        static_cast<double>(counting.WidthCalls()) / static_cast<double>(figures.lines);
    state.counters["lines"] = static_cast<double>(figures.lines);
    state.counters["widths_per_line"] = figures.widthsPerLine;
}

void BM_LayoutFixed(benchmark::State& state) {
    const FixedWidthMeasurer fixed(8, 16);
    RunLayout(state, fixed, g_fixed);
}
BENCHMARK(BM_LayoutFixed)->Unit(benchmark::kMillisecond);

void BM_LayoutProportional(benchmark::State& state) {
    const ProportionalMeasurer proportional;
    RunLayout(state, proportional, g_proportional);
}
BENCHMARK(BM_LayoutProportional)->Unit(benchmark::kMillisecond);

// A measurer whose pixels are scale times those of another, as a printer's are.
class ScaledMeasurer : public TextMeasurer {
  public:
    ScaledMeasurer(const TextMeasurer& inner, int factor) : measurer(inner), scale(factor) {}
    int TextWidth(std::string_view text, TextFont font) const override {
        return measurer.TextWidth(text, font) * scale;
    }
    int AverageCharWidth(TextFont font) const override {
        return measurer.AverageCharWidth(font) * scale;
    }
    int LineHeight() const override { return measurer.LineHeight() * scale; }

  private:
    const TextMeasurer& measurer;
    int scale;
};

void BM_PaginateLetter(benchmark::State& state) {
    const ItemsHunk& hunk = BenchHunk();
    const int count = static_cast<int>(hunk.GetChildCount());
    const ProportionalMeasurer proportional;
    const ScaledMeasurer printer(proportional, 6);
    // Letter paper at 600 pixels per inch, a quarter inch of it unprintable all round.
    const PrintArea area = PrintAreaOf({600, 600, 150, 150, 5100, 6600, 5100 - 300, 6600 - 300});
    PrintPages pages;
    for (auto _ : state) {
        pages = Paginate(hunk, count, area, 600, 600, printer);
        benchmark::DoNotOptimize(pages.data());
    }
    state.counters["pages"] = static_cast<double>(pages.size());
}
BENCHMARK(BM_PaginateLetter)->Unit(benchmark::kMillisecond);

void PrintSummary(const char* name, const Figures& figures) {
    if (figures.lines == 0) return;
    std::printf("%-13s %zu output lines, %.2f text widths per line (target <= %.0f): %s\n", name,
                figures.lines, figures.widthsPerLine, kTargetWidthsPerLine,
                figures.widthsPerLine <= kTargetWidthsPerLine ? "met" : "MISSED");
}

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    PrintSummary("fixed", g_fixed);
    PrintSummary("proportional", g_proportional);
    return 0;
}
