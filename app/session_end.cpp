#include "session_end.h"

#include <sys/socket.h>
#include <unistd.h>

#include <QSocketNotifier>
#include <csignal>

namespace klu {

namespace {

// The write end of the pipe from the signal handler to the event loop.
int signalWriteEnd = -1;

void WakeEventLoop(int) {
    const char byte = 1;
    // Only async-signal-safe calls here; a full pipe already holds a wake-up.
    (void)!::write(signalWriteEnd, &byte, 1);
}

}  // namespace

void CallOnTerminationSignals(QObject* context, std::function<void()> end_session) {
    int ends[2];
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends) != 0) return;
    signalWriteEnd = ends[1];
    auto* notifier = new QSocketNotifier(ends[0], QSocketNotifier::Read, context);
    QObject::connect(notifier, &QSocketNotifier::activated, context,
                     [notifier, end_session = std::move(end_session)] {
                         char bytes[16];
                         (void)!::read(static_cast<int>(notifier->socket()), bytes, sizeof bytes);
                         end_session();
                     });
    struct sigaction action {};
    action.sa_handler = WakeEventLoop;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signal : {SIGTERM, SIGHUP, SIGINT})
        ::sigaction(signal, &action, nullptr);
}

void IgnoreFileSizeSignal() {
    std::signal(SIGXFSZ, SIG_IGN);
}

}  // namespace klu
