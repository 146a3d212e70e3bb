#include "dump_support.h"

#include "sample_files.h"
#include "temp_folder.h"

namespace klu::cli_test {
namespace {

const TempFolder& Folder() {
    static const TempFolder folder;
    return folder;
}

const std::string& TourPath() {
    static const std::string path = Folder().Write("tour.klu", TourBytes());
    return path;
}

}  // namespace

Dumped Dump(const std::string& path, bool picture_mode) {
    std::vector<std::string> args{"dump", path};
    if (picture_mode) args.push_back("--picture-mode");
    Dumped dumped;
    dumped.run = RunKlu(args);
    // parse() rejects malformed UTF-8 as well as malformed JSON.
    if (!dumped.run.out.empty()) dumped.json = Json::parse(dumped.run.out);
    return dumped;
}

const std::string& TourBytes() {
    static const std::string bytes = Bytes(TourSpec());
    return bytes;
}

const Dumped& TourDump(bool picture_mode) {
    static const Dumped plain = Dump(TourPath(), false);
    static const Dumped pictures = Dump(TourPath(), true);
    return picture_mode ? pictures : plain;
}

Json WithoutChildren(Json node) {
    node.erase("children");
    return node;
}

}  // namespace klu::cli_test
