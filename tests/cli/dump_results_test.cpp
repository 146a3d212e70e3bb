// klu dump of failed loads (their exit status and empty entries) and the text encoding of the
// JSON document.

#include <gtest/gtest.h>

#include "dump_support.h"
#include "sample_files.h"
#include "temp_folder.h"

namespace klu::cli_test {
namespace {

TEST(KluDumpResults, FailedLoadsPrintTheResultWithNoEntries) {
    const TempFolder folder;
    const std::vector<std::pair<std::string, int>> cases = {{"Not a hint file\n", 1},
                                                            {WithBrokenChecksum(TourSpec()), 2},
                                                            {Bytes(NestedSubjectsSpec(1200)), 3},
                                                            {"PK\x03\x04", 4}};
    for (const auto& [bytes, result] : cases) {
        const Dumped dumped = Dump(folder.Write("failed.klu", bytes));
        EXPECT_EQ(dumped.run.status, result);
        EXPECT_EQ(dumped.json, (Json{{"result", result}, {"entries", Json::array()}}));
    }
    // A file that cannot be opened prints nothing on stdout at all.
    const std::string path = folder.PathOf("nowhere.klu");
    const Dumped missing = Dump(path, true);
    EXPECT_EQ(missing.run.status, 5);
    EXPECT_EQ(missing.run.out, "");
    EXPECT_EQ(missing.run.err, "The file " + path + " could not be opened.\n");
}

TEST(KluDumpResults, HighBytesBecomeTheirOwnCodePointsAndControlsAreEscaped) {
    // Dump() parses stdout, which rejects malformed UTF-8 and anything after the document.
    const std::string& out = TourDump().run.out;
    EXPECT_NE(out.find("\"Caf\xC3\xA9 corner\""), std::string::npos);
    EXPECT_NE(out.find("\"Mystery \xC2\x80\xC3\xBF\""), std::string::npos);
    EXPECT_EQ(out.find('\n', out.find_last_of('}')), out.size() - 1);  // one final newline

    const TempFolder folder;
    HintFileSpec plan = OlderFormatSpec();
    plan.title88 = std::string("Tab\there, bell\x07 and \"quotes\"");
    const Dumped dumped = Dump(folder.Write("controls.klu", Bytes(plan)));
    ASSERT_EQ(dumped.run.status, 0) << dumped.run.err;
    EXPECT_NE(dumped.run.out.find(R"("Tab\there, bell\u0007 and \"quotes\"")"), std::string::npos)
        << dumped.run.out;
    EXPECT_EQ(dumped.json.at("entries").at(0).at("title"), plan.title88);
}

}  // namespace
}  // namespace klu::cli_test
