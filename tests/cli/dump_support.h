#pragma once

#include <nlohmann/json.hpp>
#include <string>

#include "run_klu.h"

namespace klu::cli_test {

using Json = nlohmann::json;

struct Dumped {
    KluRun run;
    Json json;  // stdout parsed; null when stdout was empty
};

// Runs "klu dump" on a file; throws when stdout is not one well-formed JSON document.
Dumped Dump(const std::string& path, bool picture_mode = false);

// The tour file of sample_files.h, written once per test program, and its dumps.
const std::string& TourBytes();
const Dumped& TourDump(bool picture_mode = false);

// A hunk's own fields, its children left out, to compare with an expected object.
Json WithoutChildren(Json node);

}  // namespace klu::cli_test
