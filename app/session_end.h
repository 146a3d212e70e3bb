#pragma once

#include <functional>

class QObject;

namespace klu {

// Makes SIGTERM, SIGHUP and SIGINT (the session ending, the terminal closing, Ctrl+C) run
// end_session on the GUI thread, where the program can close as after File > Exit. The signal
// only wakes the event loop; nothing else runs inside the handler. Call once, after the
// QApplication exists; context owns the watcher.
void CallOnTerminationSignals(QObject* context, std::function<void()> end_session);

// A write past the file-size limit ends the process with SIGXFSZ unless it is ignored; then the
// write fails like one to a full disk, which the program reports or survives.
void IgnoreFileSizeSignal();

}  // namespace klu
