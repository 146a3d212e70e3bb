// Load speed and tree memory of a large text-heavy hint file.
//
//   BM_Floor  reads the file the way the loader does and runs the checksum over every byte:
//             /plain_crc by the plain table method, a byte at a time (the fixed reference of the
//             targets), /loader_crc with the loader's own, eight bytes at a time (the least a
//             load by this program could cost).
//   BM_Load   loads the same file into a document, checksum included. Its counters give the
//             load time over the plain floor's time of the same run (target: 1.5 at most) and
//             the heap bytes the loaded tree keeps per byte of file (target: 2 at most).
//   BM_ExportHtml, BM_Export, BM_Decompile, BM_FindNothing
//             the web page export (target: no slower than the load), the plain-text export
//             (target: at most 1.5 times the web page), the decompiler's work in memory, the
//             outline and the check that it compiles back into the same tree (target: at most 5
//             times the web page), and a fruitless search, each against the load's time.
//
// Extra flags, read before the benchmark library's own: --file_mb=N (size of the generated file,
// 10 by default), --shape=mixed|text|hint (mixed by default, see FileShape), --file_dir=DIR
// (where it is written, the build folder by default) and --heap=kept|fresh (see main). Sizes beyond the reader's limit load
// through the same loader from a buffer read the same way.

#include <benchmark/benchmark.h>
#include <malloc.h>
#include <sys/mman.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <new>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "bench_file.h"
#include "bench_flags.h"
#include "model/format/checksum.h"
#include "model/document/hint_document.h"
#include "model/format/hint_stream.h"
#include "model/web/html_export.h"
#include "model/document/hunk.h"
#include "model/document/items_hunk.h"
#include "model/document/meta_text_hunk.h"
#include "model/outline/outline.h"
#include "model/export/plain_text.h"
#include "model/export/search.h"

#ifndef KLU_BENCH_DIR
#define KLU_BENCH_DIR "/tmp"
#endif

// ---------------------------------------------------------------------------------------------
// Heap accounting. Every global operator new and delete goes through these; while counting is on
// for a thread, the usable size of each block it gets or gives back is added or taken off, so
// the figure includes what the allocator rounds each request up to.

namespace {

struct HeapCounts {
    int64_t live = 0;    // bytes in blocks not yet freed
    int64_t peak = 0;    // the highest live seen
    int64_t blocks = 0;  // blocks not yet freed
};

thread_local bool t_counting = false;
thread_local HeapCounts t_heap;

void* CountedAlloc(std::size_t size, std::size_t align = alignof(std::max_align_t)) {
    if (size == 0) size = 1;
    void* block = align <= alignof(std::max_align_t)
                      ? std::malloc(size)
                      : std::aligned_alloc(align, (size + align - 1) & ~(align - 1));
    if (!block) throw std::bad_alloc();
    if (t_counting) {
        t_heap.live += static_cast<int64_t>(malloc_usable_size(block));
        t_heap.peak = std::max(t_heap.peak, t_heap.live);
        ++t_heap.blocks;
    }
    return block;
}

void* CountedAllocNoThrow(std::size_t size) noexcept {
    try {
        return CountedAlloc(size);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

void CountedFree(void* block) noexcept {
    if (!block) return;
    if (t_counting) {
        t_heap.live -= static_cast<int64_t>(malloc_usable_size(block));
        --t_heap.blocks;
    }
    std::free(block);
}

}  // namespace

void* operator new(std::size_t size) {
    return CountedAlloc(size);
}
void* operator new[](std::size_t size) {
    return CountedAlloc(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    return CountedAllocNoThrow(size);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    return CountedAllocNoThrow(size);
}
void* operator new(std::size_t size, std::align_val_t align) {
    return CountedAlloc(size, static_cast<std::size_t>(align));
}
void operator delete(void* block, std::align_val_t) noexcept {
    CountedFree(block);
}
void operator delete(void* block, std::size_t, std::align_val_t) noexcept {
    CountedFree(block);
}
void operator delete(void* block) noexcept {
    CountedFree(block);
}
void operator delete[](void* block) noexcept {
    CountedFree(block);
}
void operator delete(void* block, std::size_t) noexcept {
    CountedFree(block);
}
void operator delete[](void* block, std::size_t) noexcept {
    CountedFree(block);
}
void operator delete(void* block, const std::nothrow_t&) noexcept {
    CountedFree(block);
}
void operator delete[](void* block, const std::nothrow_t&) noexcept {
    CountedFree(block);
}

// ---------------------------------------------------------------------------------------------

namespace {

using Clock = std::chrono::steady_clock;

// CPU seconds of the calling thread: kernel time of its reads included, time spent waiting for
// another process's turn on the processor left out, so a busy machine changes the figure little.
double ThreadCpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// Times the part of each iteration that counts. Its CPU time becomes the iteration's time for
// the library (manual time); wall-clock time is summed too, for the summary.
class StepTimer {
  public:
    void Start() {
        wallStart_ = Clock::now();
        cpuStart_ = ThreadCpuSeconds();
    }
    void Stop(benchmark::State& state) {
        const double cpu = ThreadCpuSeconds() - cpuStart_;
        wallSum_ += std::chrono::duration<double>(Clock::now() - wallStart_).count();
        cpuSum_ += cpu;
        state.SetIterationTime(cpu);
    }
    // Seconds per iteration.
    void Result(const benchmark::State& state, double& cpu, double& wall) const {
        const auto iterations = static_cast<double>(state.iterations());
        cpu = cpuSum_ / iterations;
        wall = wallSum_ / iterations;
    }

  private:
    Clock::time_point wallStart_;
    double cpuStart_ = 0;
    double cpuSum_ = 0;
    double wallSum_ = 0;
};

size_t g_file_mb = 10;
bool g_fresh_heap = false;
std::string g_file_dir = KLU_BENCH_DIR;

// Seconds per iteration of the last run of each benchmark, for the ratio and the summary.
double g_floor_cpu = 0;
double g_floor_wall = 0;
double g_loader_floor_cpu = 0;
double g_loader_floor_wall = 0;
double g_load_cpu = 0;
double g_load_wall = 0;
double g_html_cpu = 0;
double g_export_cpu = 0;
double g_decompile_cpu = 0;
double g_tree_ratio = 0;
double g_peak_ratio = 0;

klu::bench::FileShape g_shape = klu::bench::FileShape::Mixed;

const klu::bench::BenchFile& File() {
    return klu::bench::GeneratedFile(g_file_dir, g_file_mb * 1000 * 1000, g_shape);
}

void BM_Floor(benchmark::State& state, klu::bench::FloorChecksum checksum) {
    const auto& file = File();
    StepTimer timer;
    for (auto _ : state) {
        timer.Start();
        const bool read = klu::bench::FloorPass(file, checksum);
        timer.Stop(state);
        if (!read) {
            state.SkipWithError("cannot read the benchmark file");
            return;
        }
    }
    if (checksum == klu::bench::FloorChecksum::Plain) {
        timer.Result(state, g_floor_cpu, g_floor_wall);
    } else {
        timer.Result(state, g_loader_floor_cpu, g_loader_floor_wall);
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(file.size));
    state.counters["file_bytes"] = static_cast<double>(file.size);
}

// Loads the file as the reader does. A file beyond the reader's size limit (the large sizes of
// the growth figures) is read the same way and handed to the same loader, past that limit.
bool LoadFile(const std::string& path, size_t size, klu::HintDocument& document,
              klu::LoadResult& result) {
    klu::HintFileBytes file;
    if (static_cast<int64_t>(size) <= klu::kLargestHintFile) {
        file = klu::ReadHintFile(path);
        if (file.read == klu::HintFileRead::Failed) return false;
    } else if (!klu::bench::ReadLikeLoader(path, file.bytes)) {
        return false;
    }
    result = klu::LoadHintFile(std::move(file), document, false).result;
    return true;
}

// The bytes of the pages of kept that are in memory: the document keeps the file's bytes, but
// gives back the pages that hold no text of its tree, and the arena the end it did not use.
size_t ResidentBytes(std::string_view kept) {
    const size_t page = static_cast<size_t>(sysconf(_SC_PAGESIZE));
    const auto start = reinterpret_cast<uintptr_t>(kept.data()) & ~(page - 1);
    const size_t span = reinterpret_cast<uintptr_t>(kept.data()) + kept.size() - start;
    std::vector<unsigned char> in_memory((span + page - 1) / page);
    if (kept.empty() || mincore(reinterpret_cast<void*>(start), span, in_memory.data()) != 0)
        return kept.size();
    return static_cast<size_t>(std::count_if(in_memory.begin(), in_memory.end(),
                                             [](unsigned char flags) { return flags & 1; })) *
           page;
}

double NotResidentBytes(std::string_view kept) {
    return static_cast<double>(kept.size() - std::min(kept.size(), ResidentBytes(kept)));
}

// Lines held by the text hunks of a tree, and the number of text hunks.
void CountText(const klu::KLUObject& object, size_t& hunks, size_t& lines) {
    const auto* items = klu::NodeCast<klu::ItemsHunk>(&object);
    if (!items) return;
    if (items->GetType() == klu::TEXT) {
        ++hunks;
        lines += items->GetChildCount();
        return;
    }
    for (const klu::KLUObject* child : items->children)
        CountText(*child, hunks, lines);
}

void BM_Load(benchmark::State& state) {
    const auto& file = File();
    StepTimer timer;
    for (auto _ : state) {
        // Only the load is timed: the document of the step before is destroyed outside it.
        auto document = std::make_unique<klu::HintDocument>();
        klu::LoadResult result = klu::LoadResult::NotHintFile;
        timer.Start();
        const bool loaded = LoadFile(file.path, file.size, *document, result);
        timer.Stop(state);
        if (!loaded || result != klu::LoadResult::Ok) {
            state.SkipWithError("the benchmark file did not load");
            return;
        }
        benchmark::DoNotOptimize(document->Count());
        document.reset();
        // The allocator merges the small blocks the tree gave back only when a large block is
        // asked for next, which would be the next load's file buffer: ask for one here, outside
        // the timed step, so that each load starts as the first load of a process does.
        void* settle = std::malloc(file.size);
        benchmark::DoNotOptimize(settle);
        std::free(settle);
    }
    timer.Result(state, g_load_cpu, g_load_wall);
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(file.size));
    if (g_floor_cpu > 0) state.counters["load_over_floor"] = g_load_cpu / g_floor_cpu;

    // One more load, counted: what the tree keeps once the load is over (of the file's bytes,
    // the pages still in memory), and the most the load held at any time (the file's bytes
    // counted whole).
    klu::HintDocument document;
    klu::LoadResult result = klu::LoadResult::NotHintFile;
    const HeapCounts before = t_heap;
    t_heap.peak = t_heap.live;
    t_counting = true;
    const bool loaded = LoadFile(file.path, file.size, document, result);
    t_counting = false;
    const HeapCounts after = t_heap;
    if (!loaded || result != klu::LoadResult::Ok) {
        state.SkipWithError("the benchmark file did not load");
        return;
    }

    // The tree must hold what the generator put in, or the figures mean nothing.
    size_t text_hunks = 0;
    size_t text_lines = 0;
    CountText(*document.GetRoot(), text_hunks, text_lines);
    if (text_hunks != file.stats.textHunks || text_lines != file.stats.textLines) {
        state.SkipWithError("the loaded tree does not match the generated file");
        return;
    }

    const auto size = static_cast<double>(file.size);
    // Of the file's bytes and of the arena's unused end, what is not in memory is not counted.
    const std::span<const std::byte> unused = document.Arena().Unused();
    const double given_back =
        NotResidentBytes(document.KeptBytes()) +
        NotResidentBytes({reinterpret_cast<const char*>(unused.data()), unused.size()});
    g_tree_ratio = (static_cast<double>(after.live - before.live) - given_back) / size;
    g_peak_ratio = static_cast<double>(after.peak - before.live) / size;
    state.counters["tree_bytes_per_file_byte"] = g_tree_ratio;
    state.counters["peak_bytes_per_file_byte"] = g_peak_ratio;
    state.counters["tree_blocks"] = static_cast<double>(after.blocks - before.blocks);
}

// Export and a fruitless search on the loaded tree; each is compared with the load's time.
const klu::HintDocument& LoadedDocument() {
    static const auto document = [] {
        auto loaded = std::make_unique<klu::HintDocument>();
        klu::LoadResult result = klu::LoadResult::NotHintFile;
        if (!LoadFile(File().path, File().size, *loaded, result) || result != klu::LoadResult::Ok) {
            loaded.reset();
        }
        return loaded;
    }();
    return *document;
}

// Writes the loaded document to a file with export, as the reader's menu item and klu do, and
// reports the time against the load's as the counter ratio_name; gives the time.
template <typename Export>
double TimeExport(benchmark::State& state, const char* suffix, const char* ratio_name,
                  Export&& export_to) {
    const auto& document = LoadedDocument();
    const std::string out_path = File().path + suffix;
    StepTimer timer;
    for (auto _ : state) {
        timer.Start();
        std::ofstream out(out_path, std::ios::binary | std::ios::trunc);
        const bool written = export_to(document, out);
        out.close();
        timer.Stop(state);
        if (!written) {
            state.SkipWithError("the export failed");
            return 0;
        }
    }
    double cpu = 0, wall = 0;
    timer.Result(state, cpu, wall);
    if (g_load_cpu > 0) state.counters[ratio_name] = cpu / g_load_cpu;
    std::remove(out_path.c_str());
    return cpu;
}

// The web page: every hint enciphered and every line escaped.
void BM_ExportHtml(benchmark::State& state) {
    g_html_cpu =
        TimeExport(state, ".html", "html_over_load", [](const auto& document, std::ostream& out) {
            return klu::ExportHtml(document, File().path, out);
        });
}

void BM_Export(benchmark::State& state) {
    g_export_cpu =
        TimeExport(state, ".txt", "export_over_load", [](const auto& document, std::ostream& out) {
            return klu::ExportText(document, out);
        });
    if (g_html_cpu > 0) state.counters["export_over_html"] = g_export_cpu / g_html_cpu;
}

// The outline and its check, as klu decompile makes them; its data files are written to a
// folder between the two, untimed, as the check reads them from there.
void BM_Decompile(benchmark::State& state) {
    const auto& document = LoadedDocument();
    const std::string folder = File().path + ".outline.d";
    std::filesystem::create_directories(folder);
    // One round untimed first, which leaves the heap as large as a round needs: a 50 MB file
    // runs few iterations, and the first would weigh on them alone.
    if (const auto outline = klu::DecompileOutline(document, File().path)) {
        for (const auto& [name, bytes] : outline->files)
            std::ofstream(folder + "/" + name, std::ios::binary) << bytes;
        (void)klu::RoundTripDifference(document, File().path, outline->text, folder);
    }
    double sum = 0;
    for (auto _ : state) {
        double start = ThreadCpuSeconds();
        const auto outline = klu::DecompileOutline(document, File().path);
        double cpu = ThreadCpuSeconds() - start;
        if (!outline) {
            state.SkipWithError("the file cannot be decompiled");
            return;
        }
        for (const auto& [name, bytes] : outline->files)
            std::ofstream(folder + "/" + name, std::ios::binary) << bytes;
        start = ThreadCpuSeconds();
        const std::string difference =
            klu::RoundTripDifference(document, File().path, outline->text, folder);
        cpu += ThreadCpuSeconds() - start;
        state.SetIterationTime(cpu);
        sum += cpu;
        if (!difference.empty()) {
            state.SkipWithError(("the outline does not compile back: " + difference).c_str());
            return;
        }
    }
    g_decompile_cpu = sum / static_cast<double>(state.iterations());
    if (g_html_cpu > 0) state.counters["decompile_over_html"] = g_decompile_cpu / g_html_cpu;
    std::filesystem::remove_all(folder);
}

void BM_FindNothing(benchmark::State& state) {
    const auto& document = LoadedDocument();
    StepTimer timer;
    for (auto _ : state) {
        timer.Start();
        const auto results = klu::FindInTree(*document.GetRoot(), "a phrase that occurs nowhere");
        timer.Stop(state);
        if (!results->children.empty()) {
            state.SkipWithError("the phrase was found");
            return;
        }
    }
    double cpu = 0, wall = 0;
    timer.Result(state, cpu, wall);
    if (g_load_cpu > 0) state.counters["find_over_load"] = cpu / g_load_cpu;
}

// The "Time" column, the rates and the ratio are CPU time of the timed steps (see StepTimer);
// the "CPU" column is the whole loop, destruction of each loaded document included.
BENCHMARK_CAPTURE(BM_Floor, plain_crc, klu::bench::FloorChecksum::Plain)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime();
BENCHMARK_CAPTURE(BM_Floor, loader_crc, klu::bench::FloorChecksum::Loader)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime();
BENCHMARK(BM_Load)->Unit(benchmark::kMillisecond)->UseManualTime();
BENCHMARK(BM_ExportHtml)->Unit(benchmark::kMillisecond)->UseManualTime();
BENCHMARK(BM_Export)->Unit(benchmark::kMillisecond)->UseManualTime();
BENCHMARK(BM_Decompile)->Unit(benchmark::kMillisecond)->UseManualTime();
BENCHMARK(BM_FindNothing)->Unit(benchmark::kMillisecond)->UseManualTime();

// Takes --file_mb and --file_dir out of the arguments; gives false on a bad value.
bool TakeOwnFlags(int& argc, char** argv) {
    if (auto dir = klu::bench::TakeFlag(argc, argv, "file_dir")) g_file_dir = *dir;
    if (auto mb = klu::bench::TakeFlag(argc, argv, "file_mb")) {
        const auto size = klu::bench::PositiveNumber(*mb);
        if (!size) return false;
        g_file_mb = *size;
    }
    if (auto heap = klu::bench::TakeFlag(argc, argv, "heap")) {
        if (*heap != "kept" && *heap != "fresh") return false;
        g_fresh_heap = *heap == "fresh";
    }
    if (auto shape = klu::bench::TakeFlag(argc, argv, "shape")) {
        if (*shape == "text") {
            g_shape = klu::bench::FileShape::TextHeavy;
        } else if (*shape == "hint") {
            g_shape = klu::bench::FileShape::HintHeavy;
        } else if (*shape != "mixed") {
            return false;
        }
    }
    return true;
}

}  // namespace

// Every size runs with the heap in one way. Left alone, glibc recycles the blocks of a 10 MB
// file's iteration but maps the larger blocks of a 50 MB file afresh each time, so that the
// larger file alone pays for faulting in fresh pages and the two sizes no longer compare. By
// default the allocator keeps what an iteration freed for the next one; --heap=fresh maps every
// block of 1 MiB or more afresh, as a process that runs once finds its memory.
int main(int argc, char** argv) {
    if (!TakeOwnFlags(argc, argv)) {
        std::fprintf(stderr,
                     "--file_mb needs a positive number, --shape mixed, text or hint, --heap kept "
                     "or fresh\n");
        return 1;
    }
    mallopt(M_TRIM_THRESHOLD, g_fresh_heap ? 128 << 10 : 1 << 30);
    mallopt(M_MMAP_THRESHOLD, g_fresh_heap ? 1 << 20 : 1 << 30);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    try {
        const auto& file = File();
        std::printf(
            "file %s: %zu bytes, %zu chapters, %zu subjects, %zu questions, %zu nested "
            "hints, %zu text hunks, %zu hint lines, %zu text lines\n",
            file.path.c_str(), file.size, file.stats.chapters, file.stats.subjects,
            file.stats.questions, file.stats.nestedHints, file.stats.textHunks,
            file.stats.hintLines, file.stats.textLines);
        std::printf("%zu links, %zu pictures (%zu bytes), an older part of about %zu bytes\n",
                    file.stats.links, file.stats.pictures, file.stats.pictureBytes,
                    file.stats.olderBytes);
        std::printf("text bodies: about %.0f%% of the bytes\n",
                    100.0 * static_cast<double>(file.stats.textBytes) /
                        static_cast<double>(file.stats.textBytes + file.stats.otherBytes +
                                            file.stats.pictureBytes + file.stats.olderBytes));
        std::fflush(stdout);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    if (g_floor_cpu > 0 && g_load_cpu > 0) {
        std::printf("CPU:  floor %.2f ms, load %.2f ms, load/floor %.2f (target <= 1.5)\n",
                    g_floor_cpu * 1e3, g_load_cpu * 1e3, g_load_cpu / g_floor_cpu);
        std::printf("wall: floor %.2f ms, load %.2f ms, load/floor %.2f\n", g_floor_wall * 1e3,
                    g_load_wall * 1e3, g_load_wall / g_floor_wall);
        if (g_loader_floor_cpu > 0) {
            std::printf("CPU:  floor with the loader's checksum %.2f ms, load/that floor %.2f\n",
                        g_loader_floor_cpu * 1e3, g_load_cpu / g_loader_floor_cpu);
        }
    }
    if (g_html_cpu > 0 && g_export_cpu > 0) {
        std::printf("CPU:  web page %.2f ms, text export %.2f ms, text/web page %.2f (target <= 1.5)\n",
                    g_html_cpu * 1e3, g_export_cpu * 1e3, g_export_cpu / g_html_cpu);
    }
    if (g_html_cpu > 0 && g_decompile_cpu > 0) {
        std::printf("CPU:  decompile in memory %.2f ms, decompile/web page %.2f (target <= 5)\n",
                    g_decompile_cpu * 1e3, g_decompile_cpu / g_html_cpu);
    }
    if (g_tree_ratio > 0) {
        std::printf("tree %.2f bytes per file byte (target <= 2), peak during load %.2f\n",
                    g_tree_ratio, g_peak_ratio);
    }
    return 0;
}
