#pragma once

#include <cstddef>
#include <vector>

namespace klu {

class Hunk;

// The windows visited, kept as the hunks they show rather than as windows, so that Back and
// Forward open again, the way a link does, a window that was closed meanwhile. The hunks must
// outlive the history: it is cleared before their document goes.
class WindowHistory {
  public:
    // The hunk's window became the active one. A visit after going back drops the windows
    // ahead, as a browser does.
    void Visit(Hunk& hunk);
    // Steps back or forward; gives the hunk to show there, or none at either end.
    Hunk* Back();
    Hunk* Forward();
    bool CanGoBack() const { return current_ > 0; }
    bool CanGoForward() const { return current_ + 1 < visited_.size(); }
    void Clear();

  private:
    // Enough for any reading session; the oldest visits go first.
    static constexpr size_t kLimit = 100;

    std::vector<Hunk*> visited_;
    size_t current_ = 0;  // the entry of the active window; meaningless while visited_ is empty
};

}  // namespace klu
