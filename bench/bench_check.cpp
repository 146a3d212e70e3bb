// klu as a whole process on generated files, mixed, text-heavy and hint-heavy: `klu check` and
// `klu dump` (its JSON thrown away) against the floor of the same file in the same run.
//
//   BM_Floor  one read of the file and the checksum over every byte, in this process: /plain by
//             the plain table method, a byte at a time (the fixed reference of the targets),
//             /loader with the loader's own checksum, eight bytes at a time.
//   BM_Check  klu check FILE as a child process (targets: at most 1.5 times the floor for the
//             mixed file, 2 for the others, a peak resident size of at most 3 times the file).
//   BM_Dump   klu dump FILE > /dev/null (target: a peak resident size of at most 3 times the
//             file).
//
// Times are CPU seconds (a child's user and system time from its rusage, the floor's from the
// thread clock), so that other work on the machine changes them little; the peak resident size
// is the child's ru_maxrss. Extra flags: --file_mb=N (10 by default), --klu=PATH (another klu,
// the one built beside this program by default).

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <malloc.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <map>
#include <string>
#include <utility>

#include "bench_file.h"
#include "child_run.h"
#include "bench_flags.h"

#ifndef KLU_BENCH_DIR
#define KLU_BENCH_DIR "/tmp"
#endif
#ifndef KLU_CLI
#define KLU_CLI "klu"
#endif

namespace {

using klu::bench::FileShape;

size_t g_file_mb = 10;
std::string g_klu = KLU_CLI;

const klu::bench::BenchFile& File(FileShape shape) {
    return klu::bench::GeneratedFile(KLU_BENCH_DIR, g_file_mb * 1000 * 1000, shape);
}

const char* ShapeName(FileShape shape) {
    return shape == FileShape::HintHeavy ? "hint-heavy"
           : shape == FileShape::Mixed   ? "mixed"
                                         : "text-heavy";
}

double ThreadCpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// Runs klu with the command on the file, its output to /dev/null.
klu::bench::ChildRun RunKlu(const char* command, const std::string& path) {
    return klu::bench::RunChild(g_klu, {"klu", command, path});
}

using klu::bench::FloorChecksum;
std::map<std::pair<FileShape, FloorChecksum>, double> g_floor_cpu;
struct ProcessFigures {
    double cpu = 0;
    double peakOverFile = 0;
};
std::map<std::pair<std::string, FileShape>, ProcessFigures> g_process;

void BM_Floor(benchmark::State& state, FileShape shape, FloorChecksum checksum) {
    const auto& file = File(shape);
    double sum = 0;
    for (auto _ : state) {
        const double start = ThreadCpuSeconds();
        const bool read = klu::bench::FloorPass(file, checksum);
        const double cpu = ThreadCpuSeconds() - start;
        state.SetIterationTime(cpu);
        sum += cpu;
        if (!read) {
            state.SkipWithError("cannot read the benchmark file");
            return;
        }
    }
    g_floor_cpu[{shape, checksum}] = sum / static_cast<double>(state.iterations());
}

void BM_Process(benchmark::State& state, const char* command, FileShape shape) {
    const auto& file = File(shape);
    double sum = 0;
    double peak = 0;
    for (auto _ : state) {
        const klu::bench::ChildRun run = RunKlu(command, file.path);
        if (!run.ok) {
            state.SkipWithError("klu failed on the benchmark file");
            return;
        }
        state.SetIterationTime(run.cpu);
        sum += run.cpu;
        peak = std::max(peak, run.peakKb);
    }
    ProcessFigures& figures = g_process[{command, shape}];
    figures.cpu = sum / static_cast<double>(state.iterations());
    figures.peakOverFile = peak * 1024.0 / static_cast<double>(file.size);
    const double floor = g_floor_cpu[{shape, FloorChecksum::Plain}];
    if (floor > 0) state.counters["over_floor"] = figures.cpu / floor;
    state.counters["peak_rss_over_file"] = figures.peakOverFile;
}

void Register(FileShape shape) {
    const std::string suffix = std::string("/") + ShapeName(shape);
    for (const auto& [name, checksum] : {std::pair{"/plain", FloorChecksum::Plain},
                                         std::pair{"/loader", FloorChecksum::Loader}}) {
        benchmark::RegisterBenchmark(("BM_Floor" + suffix + name).c_str(), BM_Floor, shape,
                                     checksum)
            ->Unit(benchmark::kMillisecond)
            ->UseManualTime();
    }
    benchmark::RegisterBenchmark(("BM_Check" + suffix).c_str(), BM_Process, "check", shape)
        ->Unit(benchmark::kMillisecond)
        ->UseManualTime();
    benchmark::RegisterBenchmark(("BM_Dump" + suffix).c_str(), BM_Process, "dump", shape)
        ->Unit(benchmark::kMillisecond)
        ->UseManualTime()
        ->Iterations(3);
}

}  // namespace

int main(int argc, char** argv) {
    if (auto mb = klu::bench::TakeFlag(argc, argv, "file_mb")) {
        const auto size = klu::bench::PositiveNumber(*mb);
        if (!size) {
            std::fprintf(stderr, "--file_mb needs a positive number\n");
            return 1;
        }
        g_file_mb = *size;
    }
    if (auto klu = klu::bench::TakeFlag(argc, argv, "klu")) g_klu = *klu;
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    for (FileShape shape : {FileShape::Mixed, FileShape::TextHeavy, FileShape::HintHeavy}) {
        try {
            const auto& file = File(shape);
            std::printf("%s file: %zu bytes, %zu questions, %zu hint lines, %zu text lines\n",
                        ShapeName(shape), file.size, file.stats.questions, file.stats.hintLines,
                        file.stats.textLines);
        } catch (const std::exception& e) {
            std::fprintf(stderr, "%s\n", e.what());
            return 1;
        }
        Register(shape);
    }
    std::fflush(stdout);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    for (const auto& [key, figures] : g_process) {
        const double floor = g_floor_cpu[{key.second, FloorChecksum::Plain}];
        const double loader_floor = g_floor_cpu[{key.second, FloorChecksum::Loader}];
        std::printf(
            "%-5s %s: %.1f ms CPU, %.2f x the floor (%.1f ms), %.2f x the floor with the loader's "
            "checksum (%.1f ms), peak RSS %.2f x the file\n",
            key.first.c_str(), ShapeName(key.second), figures.cpu * 1e3,
            floor > 0 ? figures.cpu / floor : 0.0, floor * 1e3,
            loader_floor > 0 ? figures.cpu / loader_floor : 0.0, loader_floor * 1e3,
            figures.peakOverFile);
    }
    return 0;
}
