// `klu compile` and `klu decompile` as whole processes on generated files of the mixed shape:
// links, nested hints, pictures with hot spots and an older part.
//
//   BM_Decompile/N  klu decompile FILE DIR (a new DIR each time) on a file of about N MB.
//   BM_Compile/N    klu compile DIR/NAME.outline OUT, the outline that decompile wrote.
//
// Times are CPU seconds of the child (user and system time from its rusage); the peak resident
// size is its ru_maxrss, given over the size of the hint file (read by decompile, written by
// compile). Extra flags: --sizes_mb=1,10,50 (the default), --klu=PATH (another klu, the one built
// beside this program by default).

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <malloc.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

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

namespace fs = std::filesystem;

std::string g_klu = KLU_CLI;

using klu::bench::ChildRun;

ChildRun RunKlu(std::vector<std::string> args) {
    args.insert(args.begin(), "klu");
    return klu::bench::RunChild(g_klu, std::move(args));
}

struct Files {
    std::string hintFile;
    std::string outline;  // as decompile wrote it
    size_t size = 0;
};

// Writes the hint file of about mb MB once, and the outline decompiled from it.
const Files& FilesOf(size_t mb) {
    static std::map<size_t, Files> made;
    if (const auto it = made.find(mb); it != made.end()) return it->second;
    const std::string dir = std::string(KLU_BENCH_DIR) + "/compile_" + std::to_string(mb);
    fs::remove_all(dir);
    fs::create_directories(dir);
    const klu::HintFilePlan plan = klu::bench::MakeMixedPlan(mb * 1000 * 1000, 0x4B4C55u);
    const auto bytes = klu::WriteHintFile(plan);
    if (!bytes) throw std::runtime_error("the writer refused the benchmark file");
    Files files;
    files.hintFile = dir + "/shaped.klu";
    files.size = bytes->size();
    std::ofstream(files.hintFile, std::ios::binary) << *bytes;
    files.outline = dir + "/outline/shaped.outline";
    if (!RunKlu({"decompile", files.hintFile, dir + "/outline"}).ok)
        throw std::runtime_error("klu cannot decompile " + files.hintFile);
    return made.emplace(mb, files).first->second;
}

std::map<std::pair<std::string, size_t>, std::pair<double, double>> g_figures;  // cpu, peak x

void Record(benchmark::State& state, const char* command, size_t mb, size_t size, double sum,
            double peak_kb) {
    const double cpu = sum / static_cast<double>(state.iterations());
    const double peak = peak_kb * 1024.0 / static_cast<double>(size);
    g_figures[{command, mb}] = {cpu, peak};
    state.counters["peak_rss_over_file"] = peak;
}

void BM_Decompile(benchmark::State& state, size_t mb) {
    const Files& files = FilesOf(mb);
    const std::string out = fs::path(files.hintFile).parent_path() / "again";
    double sum = 0, peak = 0;
    for (auto _ : state) {
        fs::remove_all(out);
        const ChildRun run = RunKlu({"decompile", files.hintFile, out});
        if (!run.ok) return state.SkipWithError("klu decompile failed");
        state.SetIterationTime(run.cpu);
        sum += run.cpu;
        peak = std::max(peak, run.peakKb);
    }
    Record(state, "decompile", mb, files.size, sum, peak);
}

void BM_Compile(benchmark::State& state, size_t mb) {
    const Files& files = FilesOf(mb);
    const std::string out = fs::path(files.hintFile).parent_path() / "compiled.klu";
    double sum = 0, peak = 0;
    for (auto _ : state) {
        const ChildRun run = RunKlu({"compile", files.outline, out});
        if (!run.ok) return state.SkipWithError("klu compile failed");
        state.SetIterationTime(run.cpu);
        sum += run.cpu;
        peak = std::max(peak, run.peakKb);
    }
    Record(state, "compile", mb, files.size, sum, peak);
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<size_t> sizes = {1, 10, 50};
    if (auto list = klu::bench::TakeFlag(argc, argv, "sizes_mb")) {
        sizes.clear();
        std::istringstream in(*list);
        for (std::string item; std::getline(in, item, ',');) {
            const auto mb = klu::bench::PositiveNumber(item);
            if (!mb) {
                std::fprintf(stderr, "--sizes_mb needs positive numbers\n");
                return 1;
            }
            sizes.push_back(*mb);
        }
    }
    if (auto klu = klu::bench::TakeFlag(argc, argv, "klu")) g_klu = *klu;
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    for (const size_t mb : sizes) {
        const std::string suffix = "/" + std::to_string(mb) + "MB";
        benchmark::RegisterBenchmark(("BM_Decompile" + suffix).c_str(), BM_Decompile, mb)
            ->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(3);
        benchmark::RegisterBenchmark(("BM_Compile" + suffix).c_str(), BM_Compile, mb)
            ->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(3);
    }
    try {
        benchmark::RunSpecifiedBenchmarks();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    benchmark::Shutdown();
    for (const auto& [key, figures] : g_figures) {
        std::printf("%-9s %3zu MB (%zu bytes): %.1f ms CPU, peak RSS %.2f x the file\n",
                    key.first.c_str(), key.second, FilesOf(key.second).size, figures.first * 1e3,
                    figures.second);
    }
    return 0;
}
