// Verbose listing of a folder of 2,000 hint files, with and without the title cache.
//
//   BM_ListingCold  an empty cache: every file is scanned and its record appended.
//   BM_ListingWarm  every name cached: no hint file is opened (counter files_opened, must be 0).
//
// The summary gives both times and cold over warm (target: at least 20). The "Time" column and
// the ratio are the CPU time of the listing alone (kernel time of its file reads and writes
// included), so that other processes on a busy machine change them little; wall-clock times are
// printed too. The files sit in the system's file cache after they are written, so the figures
// show the work of the listing, not the speed of the disk.
//
// Extra flag, read before the benchmark library's own: --files=N (2000 by default).

#include <benchmark/benchmark.h>

#include <stdlib.h>
#include <time.h>
#include "bench_flags.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "model/folder_listing.h"
#include "model/hint_writer.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

size_t g_file_count = 2000;
// Seconds per listing, CPU and wall clock, of the last run of each benchmark.
struct Seconds {
    double cpu = 0;
    double wall = 0;
};
Seconds g_cold;
Seconds g_warm;
size_t g_warm_opened = SIZE_MAX;

double ThreadCpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// A small newer-format file: a few subjects of questions, a version hunk and the information
// hunk at the end, where the scan has to read to.
klu::HintFilePlan GamePlan(const std::string& title, std::mt19937& random) {
    klu::HintFilePlan plan;
    plan.title88 = title;
    plan.root = klu::MakeSubject(title);
    for (int s = 0; s < 4; ++s) {
        klu::HintNode* subject = plan.root->Add(klu::MakeSubject("Part " + std::to_string(s + 1)));
        for (unsigned q = 0; q < 3 + random() % 4; ++q) {
            subject->Add(klu::MakeQuestion(
                "How do I get past obstacle " + std::to_string(q) + "?",
                {{"Look at the walls of the room carefully."},
                 {"One of the stones is loose.", "Push it."},
                 {"Push the third stone from the left, then walk through the opening."}}));
        }
    }
    plan.topLevel.push_back(klu::MakeNode("VERSION", "96a"));
    plan.topLevel.push_back(klu::MakeNode("INFO", "Information"));
    plan.topLevel.back()
        ->Line("author=Author " + std::to_string(random() % 50))
        .Line("publisher=Publisher")
        .Line("date=1 May 1996")
        .Line("time=12:00");
    return plan;
}

// The generated folder, written once per process and removed at exit.
class GameFolder {
  public:
    GameFolder() {
        std::string pattern = (fs::temp_directory_path() / "kluwin-listing-XXXXXX").string();
        if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot make a temporary folder");
        root_ = pattern;
        fs::create_directory(root_ / "games");
        static constexpr std::string_view kWords[] = {
            "Dark", "Castle", "Quest", "Tower", "Lost", "Island", "Space", "Crystal", "Dragon"};
        std::mt19937 random(1996);
        for (size_t i = 0; i < g_file_count; ++i) {
            std::string title = i % 5 == 0 ? "The " : i % 7 == 0 ? "A " : "";
            title += std::string(kWords[random() % std::size(kWords)]) + " " +
                     std::string(kWords[random() % std::size(kWords)]) + " " + std::to_string(i);
            const auto bytes = klu::WriteHintFile(GamePlan(title, random));
            if (!bytes) throw std::runtime_error("cannot build a hint file");
            char name[32];
            std::snprintf(name, sizeof name, "GAME%04zu.KLU", i);
            std::ofstream(root_ / "games" / name, std::ios::binary) << *bytes;
        }
    }
    GameFolder(const GameFolder&) = delete;
    GameFolder& operator=(const GameFolder&) = delete;
    ~GameFolder() {
        std::error_code error;
        fs::remove_all(root_, error);
    }

    std::string Folder() const { return (root_ / "games").string() + "/"; }
    std::string Cache(std::string_view name) const { return (root_ / name).string(); }

  private:
    fs::path root_;
};

const GameFolder& Games() {
    static const GameFolder folder;
    return folder;
}

// Builds the listing once, timed; false when it is not what the folder holds.
bool TimedListing(const std::string& cache, klu::ListingStats& stats, Seconds& taken) {
    const double cpu_start = ThreadCpuSeconds();
    const auto wall_start = Clock::now();
    const auto listing = klu::BuildFolderListing(Games().Folder(), cache, &stats);
    taken.cpu = ThreadCpuSeconds() - cpu_start;
    taken.wall = std::chrono::duration<double>(Clock::now() - wall_start).count();
    return listing && listing->children.size() == g_file_count;
}

// Sums the times of the iterations and gives the library the CPU time of each.
class Totals {
  public:
    void Add(benchmark::State& state, const Seconds& taken) {
        state.SetIterationTime(taken.cpu);
        sum_.cpu += taken.cpu;
        sum_.wall += taken.wall;
    }
    Seconds Mean(const benchmark::State& state) const {
        const auto n = static_cast<double>(state.iterations());
        return {sum_.cpu / n, sum_.wall / n};
    }

  private:
    Seconds sum_;
};

void BM_ListingCold(benchmark::State& state) {
    const std::string cache = Games().Cache("cold.db");
    Totals totals;
    for (auto _ : state) {
        fs::remove(cache);
        klu::ListingStats stats;
        Seconds taken;
        if (!TimedListing(cache, stats, taken) || stats.scanned != g_file_count ||
            stats.recordsWritten != g_file_count) {
            state.SkipWithError("the cold listing did not scan and cache every file");
            return;
        }
        totals.Add(state, taken);
    }
    g_cold = totals.Mean(state);
    state.counters["files"] = static_cast<double>(g_file_count);
    state.counters["wall_ms"] = g_cold.wall * 1e3;
}

void BM_ListingWarm(benchmark::State& state) {
    const std::string cache = Games().Cache("warm.db");
    fs::remove(cache);
    klu::ListingStats stats;
    Seconds taken;
    if (!TimedListing(cache, stats, taken)) {  // fills the cache
        state.SkipWithError("the listing failed");
        return;
    }
    Totals totals;
    size_t opened = 0;
    for (auto _ : state) {
        if (!TimedListing(cache, stats, taken)) {
            state.SkipWithError("the warm listing failed");
            return;
        }
        opened += stats.scanned;
        totals.Add(state, taken);
    }
    g_warm = totals.Mean(state);
    g_warm_opened = opened;
    state.counters["files_opened"] = static_cast<double>(opened);
    state.counters["wall_ms"] = g_warm.wall * 1e3;
    if (g_cold.cpu > 0) state.counters["cold_over_warm"] = g_cold.cpu / g_warm.cpu;
}

BENCHMARK(BM_ListingCold)->Unit(benchmark::kMillisecond)->UseManualTime();
BENCHMARK(BM_ListingWarm)->Unit(benchmark::kMillisecond)->UseManualTime();

// Takes --files out of the arguments; gives false on a bad value.
bool TakeOwnFlags(int& argc, char** argv) {
    if (auto files = klu::bench::TakeFlag(argc, argv, "files")) {
        const auto count = klu::bench::PositiveNumber(*files);
        if (!count) return false;
        g_file_count = *count;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (!TakeOwnFlags(argc, argv)) {
        std::fprintf(stderr, "--files needs a positive number\n");
        return 1;
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    try {
        std::printf("folder %s: %zu hint files\n", Games().Folder().c_str(), g_file_count);
        std::fflush(stdout);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    if (g_cold.cpu > 0 && g_warm.cpu > 0) {
        std::printf("CPU:  cold %.2f ms, warm %.2f ms, cold/warm %.1f (target >= 20)\n",
                    g_cold.cpu * 1e3, g_warm.cpu * 1e3, g_cold.cpu / g_warm.cpu);
        std::printf("wall: cold %.2f ms, warm %.2f ms, cold/warm %.1f\n", g_cold.wall * 1e3,
                    g_warm.wall * 1e3, g_cold.wall / g_warm.wall);
    }
    if (g_warm_opened != SIZE_MAX) {
        std::printf("hint files opened during warm listings: %zu (target 0)\n", g_warm_opened);
    }
    return 0;
}
