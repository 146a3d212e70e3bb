// Opening the top window of a large hint file: from the command line handed to the reader to
// the first paint of the file's top window, on the offscreen platform. And the verbose listing of
// a folder of 20,000 hint files with a warm title cache: from the command to the first paint of
// the listing window (BM_ListingWindow), against `klu list` of the same folder and cache run as
// a process (BM_KluList); both wall time. The summary gives the ratio (target: at most 1.5).
#include <benchmark/benchmark.h>
#include <QApplication>
#include <QEvent>
#include <QMdiSubWindow>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "app/reader_app.h"
#include "app/document_area.h"
#include "bench_file.h"
#include "model/outline/hint_writer.h"
// The tests' dialog double: a benchmark must never wait for a person.
#include "tests/app/fake_user_dialogs.h"
#include "views/text_view.h"

#ifndef KLU_BENCH_DIR
#define KLU_BENCH_DIR "/tmp"
#endif
#ifndef KLU_CLI
#define KLU_CLI "klu"
#endif

namespace {

// Notes when a text control first paints.
class FirstPaint : public QObject {
  public:
    bool painted = false;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && watched->parent() &&
            qobject_cast<klu::TextView*>(watched->parent())) {
            painted = true;
        }
        return false;
    }
};

void BM_OpenTopWindow(benchmark::State& state) {
    const auto& file = klu::bench::GeneratedFile(KLU_BENCH_DIR, 10'000'000);
    const std::string folder = std::string(KLU_BENCH_DIR) + "/open-program/";
    std::filesystem::create_directories(folder);
    for (auto _ : state) {
        FirstPaint watcher;
        qApp->installEventFilter(&watcher);
        const auto start = std::chrono::steady_clock::now();
        {
            klu::ReaderApp reader(
                folder, file.path, std::make_unique<klu::test::FakeUserDialogs>(),
                [](const std::string&) -> std::optional<std::string> { return std::nullopt; });
            reader.BuildMainWindow(false);
            reader.ShowMainWindow();
            while (!watcher.painted)
                QApplication::processEvents(QEventLoop::WaitForMoreEvents);
            const auto end = std::chrono::steady_clock::now();
            state.SetIterationTime(std::chrono::duration<double>(end - start).count());
            if (!reader.State().FileLoaded()) state.SkipWithError("the file did not open");
        }
        qApp->removeEventFilter(&watcher);
    }
}

BENCHMARK(BM_OpenTopWindow)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(5);

constexpr int kListedFiles = 20'000;
double g_window_seconds = 0;
double g_klu_list_seconds = 0;

// The folder of hint files, written once and kept in the build folder for later runs.
const std::string& ListedFolder() {
    static const std::string folder = [] {
        const std::string path = std::string(KLU_BENCH_DIR) + "/listing-20000/";
        const std::string done = path + ".complete";
        if (std::filesystem::exists(done)) return path;
        std::filesystem::create_directories(path);
        for (int i = 0; i < kListedFiles; ++i) {
            const std::string title = (i % 5 == 0 ? "The Game of Number " : "Game of Number ") +
                                      std::to_string(i * 7919 % kListedFiles);
            klu::HintFilePlan plan;
            plan.title88 = title;
            plan.root = klu::MakeSubject(title);
            plan.root->Add(klu::MakeQuestion("Where now?", {{"North."}, {"Then up."}}));
            plan.topLevel.push_back(klu::MakeNode("VERSION", "96a"));
            char name[32];
            std::snprintf(name, sizeof name, "G%05d.KLU", i);
            std::ofstream(path + name, std::ios::binary) << klu::WriteHintFile(plan).value();
        }
        std::ofstream{done};
        return path;
    }();
    return folder;
}

// The reader's program folder; with no home folder given, its title cache lies there too.
std::string ListingProgramFolder() {
    const std::string folder = std::string(KLU_BENCH_DIR) + "/listing-program/";
    std::filesystem::create_directories(folder);
    return folder;
}

// Notes when the listing's rows first paint.
class ListingPaint : public QObject {
  public:
    bool painted = false;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && watched->parent() &&
            watched->parent()->parent() &&
            watched->parent()->parent()->inherits("klu::FileListWindow")) {
            painted = true;
        }
        return false;
    }
};

void BM_ListingWindow(benchmark::State& state) {
    const std::string folder = ListedFolder();
    klu::ReaderApp reader(
        ListingProgramFolder(), "", std::make_unique<klu::test::FakeUserDialogs>(),
        [](const std::string&) -> std::optional<std::string> { return std::nullopt; });
    reader.BuildMainWindow(false);
    reader.ShowMainWindow();
    reader.State().settings.listFolder = folder;
    klu::DocumentArea& client = reader.Window()->Client();
    const auto close_listing = [&client] {
        delete client.listWindow.data();
        QApplication::processEvents();
    };
    client.Command(101);  // fills the title cache
    close_listing();
    double total = 0;
    for (auto _ : state) {
        ListingPaint watcher;
        qApp->installEventFilter(&watcher);
        const auto start = std::chrono::steady_clock::now();
        client.Command(101);
        while (!watcher.painted)
            QApplication::processEvents(QEventLoop::WaitForMoreEvents);
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        state.SetIterationTime(seconds);
        total += seconds;
        qApp->removeEventFilter(&watcher);
        close_listing();
    }
    g_window_seconds = total / static_cast<double>(state.iterations());
}

void BM_KluList(benchmark::State& state) {
    const std::string folder = ListedFolder();
    std::string name = "klu", verb = "list", path = folder, option = "--cache",
                cache = ListingProgramFolder() + "VIRIDADO.DB";
    char* const args[] = {name.data(), verb.data(), path.data(), option.data(), cache.data(),
                          nullptr};
    double total = 0;
    for (auto _ : state) {
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
        const auto start = std::chrono::steady_clock::now();
        pid_t child = 0;
        int status = 1;
        if (posix_spawn(&child, KLU_CLI, &actions, nullptr, args, environ) == 0)
            waitpid(child, &status, 0);
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        posix_spawn_file_actions_destroy(&actions);
        if (status != 0) state.SkipWithError("klu list failed");
        state.SetIterationTime(seconds);
        total += seconds;
    }
    g_klu_list_seconds = total / static_cast<double>(state.iterations());
}

// The window first fills the cache that klu list then reads.
BENCHMARK(BM_ListingWindow)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(5);
BENCHMARK(BM_KluList)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(5);

}  // namespace

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    if (g_window_seconds > 0 && g_klu_list_seconds > 0) {
        std::printf("listing of %d files, warm: window %.1f ms, klu list %.1f ms, ratio %.2f "
                    "(target <= 1.5)\n",
                    kListedFiles, g_window_seconds * 1e3, g_klu_list_seconds * 1e3,
                    g_window_seconds / g_klu_list_seconds);
    }
    return 0;
}
