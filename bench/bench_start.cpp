// The reader's start-up against an empty Qt main window of the same size, both as whole
// processes on the same machine in one run:
//
//   BM_Start/empty_window  the reference (empty_window, built here with Qt Widgets alone)
//   BM_Start/reader        kluwin with the demo hint file, to the first paint of its top window
//
// Each run is a fresh process with a fresh settings folder. The first_paint_probe library,
// preloaded into both, notes the moment of the first paint and ends the process half a second
// later, after reading the settled resident size. The time is wall time from the spawn to the
// first paint; CPU time and the resident sizes are reported beside it, and the medians with the
// reader's ratios to the reference at the end. The display is the one in DISPLAY (say, Xvfb);
// without one, Qt's offscreen platform. Extra flags: --runs=N (9 by default), --before=PATH
// (another build of kluwin, measured as BM_Start/before beside the others).

#include <benchmark/benchmark.h>
#include <signal.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "bench_flags.h"

namespace {

struct Program {
    const char* name;
    std::vector<std::string> command;
    const char* watchedClass;
};

struct Sample {
    double wallMs = 0;
    double cpuMs = 0;
    double paintRssMb = 0;
    double steadyRssMb = 0;
    double peakRssMb = 0;
};

std::map<std::string, std::vector<Sample>> g_samples;

double MonotonicNs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<double>(now.tv_sec) * 1e9 + static_cast<double>(now.tv_nsec);
}

std::vector<std::string> ChildEnvironment(const Program& program, const std::string& folder) {
    std::vector<std::string> env;
    for (char** entry = environ; *entry; ++entry) env.emplace_back(*entry);
    env.push_back("LD_PRELOAD=" KLU_PROBE);
    env.push_back(std::string("KLU_PROBE_CLASS=") + program.watchedClass);
    env.push_back("KLU_PROBE_OUT=" + folder + "/probe");
    env.push_back("XDG_CONFIG_HOME=" + folder);
    env.push_back("XDG_RUNTIME_DIR=" + folder);
    // A sound never plays here; the dummy driver keeps a sound server out of the figures anyway.
    env.push_back("SDL_AUDIODRIVER=dummy");
    if (!std::getenv("DISPLAY") && !std::getenv("QT_QPA_PLATFORM"))
        env.push_back("QT_QPA_PLATFORM=offscreen");
    return env;
}

// Starts the program and waits for it, at most 30 seconds; nothing when it did not paint.
std::optional<Sample> RunOnce(const Program& program) {
    char folder_template[] = "/tmp/bench_start.XXXXXX";
    if (!mkdtemp(folder_template)) return std::nullopt;
    const std::string folder = folder_template;
    std::vector<std::string> env = ChildEnvironment(program, folder);
    std::vector<std::string> args = program.command;
    std::vector<char*> argv, envp;
    for (std::string& arg : args) argv.push_back(arg.data());
    for (std::string& entry : env) envp.push_back(entry.data());
    argv.push_back(nullptr);
    envp.push_back(nullptr);

    const double started = MonotonicNs();
    pid_t child = 0;
    if (posix_spawn(&child, argv[0], nullptr, nullptr, argv.data(), envp.data()) != 0) {
        std::filesystem::remove_all(folder);
        return std::nullopt;
    }
    int status = 0;
    rusage usage{};
    pid_t ended = 0;
    for (int waited = 0; (ended = wait4(child, &status, WNOHANG, &usage)) == 0; ++waited) {
        if (waited == 3000) kill(child, SIGKILL);
        usleep(10'000);
    }
    double painted_ns = 0;
    Sample sample;
    double paint_kb = 0, steady_kb = 0, hwm_kb = 0;
    std::ifstream(folder + "/probe") >> painted_ns >> sample.cpuMs >> paint_kb >> steady_kb >>
        hwm_kb;
    std::filesystem::remove_all(folder);
    if (ended != child || !WIFEXITED(status) || painted_ns == 0) return std::nullopt;
    sample.wallMs = (painted_ns - started) * 1e-6;
    sample.paintRssMb = paint_kb / 1024;
    sample.steadyRssMb = steady_kb / 1024;
    sample.peakRssMb = static_cast<double>(usage.ru_maxrss) / 1024;
    return sample;
}

void BM_Start(benchmark::State& state, const Program& program) {
    std::vector<Sample>& samples = g_samples[program.name];
    for (auto _ : state) {
        const std::optional<Sample> sample = RunOnce(program);
        if (!sample) {
            state.SkipWithError("the program did not paint");
            return;
        }
        state.SetIterationTime(sample->wallMs * 1e-3);
        samples.push_back(*sample);
    }
}

double Median(const std::vector<Sample>& samples, double Sample::*field) {
    std::vector<double> values;
    for (const Sample& sample : samples) values.push_back(sample.*field);
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    size_t runs = 9;
    if (auto given = klu::bench::TakeFlag(argc, argv, "runs")) {
        const auto count = klu::bench::PositiveNumber(*given);
        if (!count) {
            std::fprintf(stderr, "--runs needs a positive number\n");
            return 1;
        }
        runs = *count;
    }
    const std::optional<std::string> before = klu::bench::TakeFlag(argc, argv, "before");
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    static const Program kEmpty{"empty_window", {KLU_EMPTY_WINDOW}, "QMainWindow"};
    static const Program kReader{"reader", {KLU_READER, KLU_DEMO}, "klu::TStringControl"};
    static const Program kBefore{"before", {before.value_or(""), KLU_DEMO}, "klu::TStringControl"};
    std::vector<const Program*> programs{&kEmpty, &kReader};
    if (before) programs.push_back(&kBefore);
    for (const Program* program : programs) {
        benchmark::RegisterBenchmark((std::string("BM_Start/") + program->name).c_str(), BM_Start,
                                     *program)
            ->Unit(benchmark::kMillisecond)
            ->UseManualTime()
            ->Iterations(static_cast<benchmark::IterationCount>(runs));
    }
    std::printf("platform: %s\n", std::getenv("DISPLAY") ? "X display" : "offscreen");
    std::fflush(stdout);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();

    const std::vector<Sample>& empty = g_samples[kEmpty.name];
    std::printf("medians              empty window");
    for (size_t i = 1; i < programs.size(); ++i)
        std::printf(" %10s  ratio", programs[i]->name);
    std::printf("\n");
    const std::pair<const char*, double Sample::*> kRows[] = {
        {"to first paint, ms", &Sample::wallMs},   {"CPU to paint, ms", &Sample::cpuMs},
        {"RSS at paint, MB", &Sample::paintRssMb}, {"steady RSS, MB", &Sample::steadyRssMb},
        {"peak RSS, MB", &Sample::peakRssMb}};
    for (const auto& [label, field] : kRows) {
        const double base = Median(empty, field);
        std::printf("%-20s %12.1f", label, base);
        for (size_t i = 1; i < programs.size(); ++i) {
            const double own = Median(g_samples[programs[i]->name], field);
            std::printf(" %10.1f %5.2fx", own, base > 0 ? own / base : 0.0);
        }
        std::printf("\n");
    }
    return 0;
}
