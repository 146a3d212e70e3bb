// Verbose listing of a folder of 2,000 hint files, with and without the title cache, and of
// folders that hold one ZIP archive.
//
//   BM_ListingCold  an empty cache: every file is scanned and its record appended.
//   BM_ListingWarm  every name cached: no hint file is opened (counter files_opened, must be 0).
//   BM_ArchiveCold  an archive of 2,000 hint files, an empty cache.
//   BM_ZipBombCold  a small archive of 100 members that all point at one stream of 64 MiB.
// The archive cases count the members listed, the archives opened and the kilobytes unpacked.
//
// The summary gives both times and cold over warm (target: at least 20). The "Time" column and
// the ratio are the CPU time of the listing alone (kernel time of its file reads and writes
// included), so that other processes on a busy machine change them little; wall-clock times are
// printed too. The files sit in the system's file cache after they are written, so the figures
// show the work of the listing, not the speed of the disk.
//
// Extra flags, read before the benchmark library's own: --files=N (2000 by default) and
// --members=N, the hint files in the archive (2000 by default).

#include <benchmark/benchmark.h>

#include <stdlib.h>
#include <time.h>
#include "bench_flags.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "model/store/folder_listing.h"
#include "model/document/hint_document.h"
#include "model/outline/hint_writer.h"
#include "model/files/zip_members.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

size_t g_file_count = 2000;
size_t g_member_count = 2000;
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

// Little-endian fields of a ZIP archive's central directory.
uint32_t Field(const std::string& bytes, size_t at, int size) {
    uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = value << 8 | static_cast<unsigned char>(bytes[at + static_cast<size_t>(i)]);
    return value;
}
void SetField(std::string& bytes, size_t at, int size, uint32_t value) {
    for (int i = 0; i < size; ++i, value >>= 8)
        bytes[at + static_cast<size_t>(i)] = static_cast<char>(value & 0xFF);
}

// An archive of copies entries in its directory that all name the one member of an archive of
// one ("BOMB0000.KLU"), each under a name of its own: a small file that unpacks to copies times
// the member's size.
std::string RepeatedEntries(const std::string& single, int copies) {
    constexpr size_t kEndRecord = 22, kNameAt = 46, kDigitsAt = kNameAt + 4;
    const size_t end = single.size() - kEndRecord;
    const size_t directory = Field(single, end + 16, 4);
    const std::string entry = single.substr(directory, end - directory);
    std::string archive = single.substr(0, directory);
    for (int i = 0; i < copies; ++i) {
        std::string copy = entry;
        char digits[5];
        std::snprintf(digits, sizeof digits, "%04d", i % 10000);
        copy.replace(kDigitsAt, 4, digits);
        archive += copy;
    }
    std::string end_record = single.substr(end);
    SetField(end_record, 8, 2, static_cast<uint32_t>(copies));
    SetField(end_record, 10, 2, static_cast<uint32_t>(copies));
    SetField(end_record, 12, 4, static_cast<uint32_t>(entry.size() * static_cast<size_t>(copies)));
    return archive + end_record;
}

// Two folders of one archive each: "archive" holds games.zip with --members hint files,
// "bomb" holds bomb.zip, 100 entries of one member of nearly 64 MiB that begins as a hint file.
class ArchiveFolders {
  public:
    ArchiveFolders() {
        std::string pattern = (fs::temp_directory_path() / "kluwin-archives-XXXXXX").string();
        if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot make a temporary folder");
        root_ = pattern;
        fs::create_directory(root_ / "archive");
        fs::create_directory(root_ / "bomb");
        std::mt19937 random(1996);
        std::vector<std::pair<std::string, std::string>> members;
        for (size_t i = 0; i < g_member_count; ++i) {
            const auto bytes = klu::WriteHintFile(GamePlan("Game " + std::to_string(i), random));
            if (!bytes) throw std::runtime_error("cannot build a hint file");
            char name[32];
            std::snprintf(name, sizeof name, "GAME%05zu.KLU", i);
            members.emplace_back(name, *bytes);
        }
        if (!klu::WriteZipArchive((root_ / "archive" / "games.zip").string(), members))
            throw std::runtime_error("cannot write the archive");

        std::string bomb = "KLU\r\nA Title Above 64 MiB\r\n1\r\n1\r\n";
        bomb.resize(static_cast<size_t>(klu::kLargestHintFile) - 1024, '\n');
        const std::string single = (root_ / "single.zip").string();
        if (!klu::WriteZipArchive(single, {{"BOMB0000.KLU", bomb}}))
            throw std::runtime_error("cannot write the archive");
        std::ifstream in(single, std::ios::binary);
        const std::string bytes{std::istreambuf_iterator<char>(in), {}};
        std::ofstream(root_ / "bomb" / "bomb.zip", std::ios::binary)
            << RepeatedEntries(bytes, kBombEntries);
    }
    ArchiveFolders(const ArchiveFolders&) = delete;
    ArchiveFolders& operator=(const ArchiveFolders&) = delete;
    ~ArchiveFolders() {
        std::error_code error;
        fs::remove_all(root_, error);
    }

    std::string Folder(std::string_view name) const { return (root_ / name).string() + "/"; }
    std::string Cache() const { return (root_ / "cache.db").string(); }
    uintmax_t BombSize() const { return fs::file_size(root_ / "bomb" / "bomb.zip"); }

    static constexpr size_t kBombEntries = 100;

  private:
    fs::path root_;
};

const ArchiveFolders& Archives() {
    static const ArchiveFolders folders;
    return folders;
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

// Lists an archive's folder with an empty cache each time: every member is scanned.
void ListArchiveCold(benchmark::State& state, std::string_view folder, size_t members) {
    Totals totals;
    klu::ListingStats stats;
    size_t listed = 0;
    for (auto _ : state) {
        fs::remove(Archives().Cache());
        Seconds taken;
        const double cpu_start = ThreadCpuSeconds();
        const auto wall_start = Clock::now();
        const auto listing =
            klu::BuildFolderListing(Archives().Folder(folder), Archives().Cache(), &stats);
        taken.cpu = ThreadCpuSeconds() - cpu_start;
        taken.wall = std::chrono::duration<double>(Clock::now() - wall_start).count();
        if (!listing) {
            state.SkipWithError("the listing failed");
            return;
        }
        listed = listing->children.size();
        totals.Add(state, taken);
    }
    state.counters["members"] = static_cast<double>(members);
    state.counters["listed"] = static_cast<double>(listed);
    state.counters["archives_opened"] = static_cast<double>(stats.archivesOpened);
    state.counters["unpacked_kb"] = static_cast<double>(stats.memberBytesRead) / 1024;
    state.counters["wall_ms"] = totals.Mean(state).wall * 1e3;
}

void BM_ArchiveCold(benchmark::State& state) {
    ListArchiveCold(state, "archive", g_member_count);
}

void BM_ZipBombCold(benchmark::State& state) {
    ListArchiveCold(state, "bomb", ArchiveFolders::kBombEntries);
    state.counters["archive_kb"] = static_cast<double>(Archives().BombSize()) / 1024;
}

BENCHMARK(BM_ListingCold)->Unit(benchmark::kMillisecond)->UseManualTime();
BENCHMARK(BM_ListingWarm)->Unit(benchmark::kMillisecond)->UseManualTime();
BENCHMARK(BM_ArchiveCold)->Unit(benchmark::kMillisecond)->UseManualTime();
BENCHMARK(BM_ZipBombCold)->Unit(benchmark::kMillisecond)->UseManualTime();

// Takes --files out of the arguments; gives false on a bad value.
bool TakeOwnFlags(int& argc, char** argv) {
    if (auto files = klu::bench::TakeFlag(argc, argv, "files")) {
        const auto count = klu::bench::PositiveNumber(*files);
        if (!count) return false;
        g_file_count = *count;
    }
    if (auto members = klu::bench::TakeFlag(argc, argv, "members")) {
        const auto count = klu::bench::PositiveNumber(*members);
        if (!count) return false;
        g_member_count = *count;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (!TakeOwnFlags(argc, argv)) {
        std::fprintf(stderr, "--files and --members need a positive number\n");
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
