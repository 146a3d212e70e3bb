// The reader's start-up against an empty Qt main window of the same size, both as whole
// processes on the same machine in one run:
//
//   empty window  the reference (empty_window, built here with Qt Widgets alone)
//   reader        kluwin with the demo hint file, to the first paint of its top window
//
// Each run is a fresh process with a fresh settings folder; the programs take turns, round by
// round. The first_paint_probe library, preloaded into each, notes the moment of the first paint
// and ends the process half a second later, after reading the settled resident size. The time is
// wall time from the spawn to the first paint; CPU time and the resident sizes are reported
// beside it: medians, and for the times also the least of the runs (the run the machine's other
// work disturbed least), each with its ratio to the reference. The display is the one in
// DISPLAY (say, Xvfb); without one, Qt's offscreen platform. Extra flags: --runs=N (9 by
// default), --before=PATH (another build of kluwin, measured beside the others as "before").

#include <fcntl.h>
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

    // Qt's notes about the platform would bury the table.
    posix_spawn_file_actions_t quiet;
    posix_spawn_file_actions_init(&quiet);
    posix_spawn_file_actions_addopen(&quiet, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_adddup2(&quiet, STDOUT_FILENO, STDERR_FILENO);
    const double started = MonotonicNs();
    pid_t child = 0;
    const int failed = posix_spawn(&child, argv[0], &quiet, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&quiet);
    if (failed != 0) {
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

double Median(const std::vector<Sample>& samples, double Sample::*field) {
    std::vector<double> values;
    for (const Sample& sample : samples) values.push_back(sample.*field);
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double Least(const std::vector<Sample>& samples, double Sample::*field) {
    double least = 0;
    for (const Sample& sample : samples)
        if (least == 0 || sample.*field < least) least = sample.*field;
    return least;
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
    if (argc > 1) {
        std::fprintf(stderr, "unknown argument %s\n", argv[1]);
        return 1;
    }
    const Program empty{"empty window", {KLU_EMPTY_WINDOW}, "QMainWindow"};
    const Program reader{"reader", {KLU_READER, KLU_DEMO}, "klu::TextView"};
    // A build from before the text view had its name calls it by its old one (written in two
    // pieces so that renaming the class again leaves it alone).
    const Program earlier{"before", {before.value_or(""), KLU_DEMO},
                          "klu::TextView|klu::T" "StringControl"};
    std::vector<const Program*> programs{&empty, &reader};
    if (before) programs.push_back(&earlier);

    std::printf("%zu rounds on %s\n", runs, std::getenv("DISPLAY") ? "the X display" : "offscreen");
    std::fflush(stdout);
    // Round by round, so that every program sees the same changes in the machine's load.
    std::map<const Program*, std::vector<Sample>> samples;
    for (size_t round = 0; round < runs; ++round) {
        for (const Program* program : programs) {
            const std::optional<Sample> sample = RunOnce(*program);
            if (!sample) {
                std::fprintf(stderr, "%s did not paint\n", program->name);
                return 1;
            }
            samples[program].push_back(*sample);
        }
    }

    std::printf("%-26s %12s", "", empty.name);
    for (size_t i = 1; i < programs.size(); ++i) std::printf(" %10s  ratio", programs[i]->name);
    std::printf("\n");
    using Statistic = double (*)(const std::vector<Sample>&, double Sample::*);
    const struct {
        const char* label;
        Statistic statistic;
        double Sample::*field;
    } kRows[] = {{"to first paint, median ms", Median, &Sample::wallMs},
                 {"to first paint, least ms", Least, &Sample::wallMs},
                 {"CPU to paint, median ms", Median, &Sample::cpuMs},
                 {"CPU to paint, least ms", Least, &Sample::cpuMs},
                 {"RSS at paint, median MB", Median, &Sample::paintRssMb},
                 {"steady RSS, median MB", Median, &Sample::steadyRssMb},
                 {"peak RSS, median MB", Median, &Sample::peakRssMb}};
    for (const auto& row : kRows) {
        const double base = row.statistic(samples[&empty], row.field);
        std::printf("%-26s %12.1f", row.label, base);
        for (size_t i = 1; i < programs.size(); ++i) {
            const double own = row.statistic(samples[programs[i]], row.field);
            std::printf(" %10.1f %5.2fx", own, base > 0 ? own / base : 0.0);
        }
        std::printf("\n");
    }
    return 0;
}
