// Preloaded into a Qt program by bench_start (LD_PRELOAD): when the widget named by
// KLU_PROBE_CLASS (or a child of one, such as a scroll area's viewport) first paints, it writes
// to KLU_PROBE_OUT the monotonic clock, the process's CPU time and its resident size, then the
// resident size again once the program has settled, and ends the process at once: no settings
// or other files are written.
#include <QCoreApplication>
#include <QEvent>
#include <QTimer>

#include <sys/resource.h>
#include <time.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

namespace {

// How long after the first paint the steady resident size is read.
constexpr int kSettleMs = 500;

long StatusKb(const char* field) {
    std::ifstream status("/proc/self/status");
    std::string word;
    while (status >> word) {
        if (word == field) {
            long kb = 0;
            status >> kb;
            return kb;
        }
    }
    return -1;
}

// KLU_PROBE_CLASS names the class, or several separated by "|".
bool IsWatched(const QObject* object) {
    const char* wanted = std::getenv("KLU_PROBE_CLASS");
    if (!wanted) return false;
    for (int depth = 0; object && depth < 2; ++depth, object = object->parent()) {
        const std::string name = object->metaObject()->className();
        for (const char* from = wanted;;) {
            const char* bar = std::strchr(from, '|');
            const size_t length = bar ? static_cast<size_t>(bar - from) : std::strlen(from);
            if (name.compare(0, std::string::npos, from, length) == 0) return true;
            if (!bar) break;
            from = bar + 1;
        }
    }
    return false;
}

void Report(long long painted_ns, double cpu_ms, long rss_kb) {
    const char* path = std::getenv("KLU_PROBE_OUT");
    if (FILE* out = path ? std::fopen(path, "w") : nullptr) {
        std::fprintf(out, "%lld %.3f %ld %ld %ld\n", painted_ns, cpu_ms, rss_kb,
                     StatusKb("VmRSS:"), StatusKb("VmHWM:"));
        std::fclose(out);
    }
    _exit(0);
}

void Painted() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const long long ns = now.tv_sec * 1'000'000'000LL + now.tv_nsec;
    const double cpu_ms =
        static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3 +
        static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) * 1e-3;
    const long rss = StatusKb("VmRSS:");
    QTimer::singleShot(kSettleMs, [=] { Report(ns, cpu_ms, rss); });
}

class PaintWatcher : public QObject {
  public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (!seen_ && event->type() == QEvent::Paint && IsWatched(watched)) {
            seen_ = true;
            // After the paint pass has reached the screen.
            QTimer::singleShot(0, Painted);
        }
        return false;
    }

  private:
    bool seen_ = false;
};

void InstallWatcher() {
    QCoreApplication* application = QCoreApplication::instance();
    application->installEventFilter(new PaintWatcher(application));
}

}  // namespace

Q_COREAPP_STARTUP_FUNCTION(InstallWatcher)
