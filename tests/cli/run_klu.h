#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace klu::cli_test {

struct KluRun {
    int status = -1;  // the exit status, or -1 when the process did not exit normally
    std::string out;
    std::string err;
    bool operator==(const KluRun&) const = default;
};
inline void PrintTo(const KluRun& run, std::ostream* os) {
    *os << run.status << ", out \"" << run.out << "\", err \"" << run.err << '"';
}

struct RunLimits {
    std::string stdoutTo;     // a file for standard output instead of KluRun::out
    long fileSizeLimit = -1;  // bytes a file may grow to (RLIMIT_FSIZE), -1 for no limit
};

// Runs the klu binary under test with the given arguments (no shell in between) and waits for it;
// in working_folder when one is given.
KluRun RunKlu(const std::vector<std::string>& args, const std::string& working_folder = {},
              const RunLimits& limits = {});

}  // namespace klu::cli_test
