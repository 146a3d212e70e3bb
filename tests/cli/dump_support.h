#pragma once

#include <nlohmann/json.hpp>
#include <string>

#include "run_klu.h"
#include "sample_files.h"
#include "temp_folder.h"

namespace klu::cli_test {

using Json = nlohmann::json;

struct Dumped {
    KluRun run;
    Json json;  // stdout parsed; null when stdout was empty
};

// Runs "klu dump" on a file; throws when stdout is not one well-formed JSON document (parse()
// rejects malformed UTF-8 as well as malformed JSON).
inline Dumped Dump(const std::string& path, bool picture_mode = false) {
    std::vector<std::string> args{"dump", path};
    if (picture_mode) args.push_back("--picture-mode");
    Dumped dumped;
    dumped.run = RunKlu(args);
    if (!dumped.run.out.empty()) dumped.json = Json::parse(dumped.run.out);
    return dumped;
}

// The tour file of sample_files.h, written once per test program, and its dumps.
inline const std::string& TourBytes() {
    static const std::string bytes = Bytes(TourPlan());
    return bytes;
}
inline const Dumped& TourDump(bool picture_mode = false) {
    static const TempFolder folder;
    static const std::string path = folder.Write("tour.klu", TourBytes());
    static const Dumped plain = Dump(path, false);
    static const Dumped pictures = Dump(path, true);
    return picture_mode ? pictures : plain;
}

}  // namespace klu::cli_test
