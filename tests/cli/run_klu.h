#pragma once

#include <string>
#include <vector>

namespace klu::cli_test {

// What one run of the klu binary did.
struct KluRun {
    int status = -1;  // the exit status, or -1 when the process did not exit normally
    std::string out;
    std::string err;
};

// Runs the klu binary under test with the given arguments (no shell in between) and waits for it;
// in working_folder when one is given.
KluRun RunKlu(const std::vector<std::string>& args, const std::string& working_folder = {});

}  // namespace klu::cli_test
