#pragma once

#include <string>
#include <vector>

namespace klu::bench {

// What one run of a program cost: its CPU time and its peak resident size.
struct ChildRun {
    bool ok = false;    // it ended with status 0
    double cpu = 0;     // seconds, user and system
    double peakKb = 0;  // ru_maxrss
};

// Runs program with args (argv[0] first), its output to /dev/null, and measures it. A child's
// peak resident size starts from its parent's at the time it was made, so this program gives
// back what it can and resets its own peak first; posix_spawn copies none of its memory.
ChildRun RunChild(const std::string& program, std::vector<std::string> args);

}  // namespace klu::bench
