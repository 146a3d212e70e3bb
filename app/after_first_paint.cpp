#include "after_first_paint.h"

#include <QEvent>
#include <QTimer>

#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace klu {

namespace {

// Start-up frees much of what it built on the way to the first picture, and the allocator keeps
// those pages. Once the work queued behind the first paint is done, they go back to the system.
void ReturnFreedMemorySoon() {
#ifdef __GLIBC__
    static bool pending = false;
    if (pending) return;
    pending = true;
    QTimer::singleShot(0, [] {
        pending = false;
        malloc_trim(0);
    });
#endif
}

class FirstPaintWatch : public QObject {
  public:
    FirstPaintWatch(QWidget& widget, std::function<void()> task)
        : QObject(&widget), task_(std::move(task)) {
        widget.installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && !painted_) {
            painted_ = true;
            watched->removeEventFilter(this);
            // The paint pass is still under way here: the first turn comes after it, and the
            // task after whatever the pass queued.
            QTimer::singleShot(0, this, [this] { QTimer::singleShot(0, this, [this] { Run(); }); });
        }
        return false;
    }

  private:
    void Run() {
        const std::function<void()> task = std::move(task_);
        deleteLater();
        task();
        ReturnFreedMemorySoon();
    }

    std::function<void()> task_;
    bool painted_ = false;
};

}  // namespace

void RunAfterFirstPaint(QWidget& widget, std::function<void()> task) {
    new FirstPaintWatch(widget, std::move(task));
}

}  // namespace klu
