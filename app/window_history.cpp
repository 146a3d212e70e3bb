#include "window_history.h"

namespace klu {

void WindowHistory::Visit(Hunk& hunk) {
    if (!visited_.empty()) {
        if (visited_[current_] == &hunk) return;
        visited_.resize(current_ + 1);
    }
    visited_.push_back(&hunk);
    if (visited_.size() > kLimit) visited_.erase(visited_.begin());
    current_ = visited_.size() - 1;
}

Hunk* WindowHistory::Back() {
    if (!CanGoBack()) return nullptr;
    return visited_[--current_];
}

Hunk* WindowHistory::Forward() {
    if (!CanGoForward()) return nullptr;
    return visited_[++current_];
}

void WindowHistory::Clear() {
    visited_.clear();
    current_ = 0;
}

}  // namespace klu
