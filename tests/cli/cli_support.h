#pragma once

#include <nlohmann/json.hpp>
#include <string>

#include "run_klu.h"
#include "sample_files.h"
#include "../model/temp_folder.h"

namespace klu::cli_test {

using Json = nlohmann::json;
using test::ReadFile;
using test::TempFolder;

struct Dumped {
    KluRun run;
    Json json;  // stdout parsed; null when stdout was empty
};

// Runs "klu dump" on a file; throws when stdout is not one well-formed JSON document (parse()
// rejects malformed UTF-8 as well as malformed JSON).
inline Dumped Dump(const std::string& path) {
    Dumped dumped;
    dumped.run = RunKlu({"dump", path});
    if (!dumped.run.out.empty()) dumped.json = Json::parse(dumped.run.out);
    return dumped;
}

// The tour file of sample_files.h, written once per test program, and its dump.
inline const std::string& TourBytes() {
    static const std::string bytes = Bytes(TourPlan());
    return bytes;
}
inline const Dumped& TourDump() {
    static const TempFolder folder;
    static const Dumped dumped = Dump(folder.Write("tour.klu", TourBytes()));
    return dumped;
}

}  // namespace klu::cli_test
