// Opening the top window of a large hint file: from the command line handed to the reader to
// the first paint of the file's top window, on the offscreen platform.
#include <benchmark/benchmark.h>
#include <QApplication>
#include <QEvent>
#include <QMdiSubWindow>

#include <chrono>
#include <cstdlib>
#include <filesystem>

#include "app/klu_app.h"
#include "bench_file.h"
// The tests' dialog double: a benchmark must never wait for a person.
#include "tests/app/fake_user_dialogs.h"
#include "views/string_control.h"

#ifndef KLU_BENCH_DIR
#define KLU_BENCH_DIR "/tmp"
#endif

namespace {

// Notes when a text control first paints.
class FirstPaint : public QObject {
  public:
    bool painted = false;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && watched->parent() &&
            qobject_cast<klu::TStringControl*>(watched->parent())) {
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
            klu::TKLUApp reader(
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

}  // namespace

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
