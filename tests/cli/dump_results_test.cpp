// klu dump beyond the tour's tree: the exit status and empty entries of failed loads, the
// older-format tree, and the text encoding of the JSON document.

#include <gtest/gtest.h>

#include "dump_support.h"
#include "sample_files.h"
#include "temp_folder.h"

namespace klu::cli_test {
namespace {

class KluDumpResults : public ::testing::Test {
  protected:
    // A failed load exits with its result code and prints the result with no entries.
    void ExpectFailedLoad(std::string_view bytes, int result) {
        const Dumped dumped = Dump(folder_.Write("failed.klu", bytes));
        EXPECT_EQ(dumped.run.status, result);
        Json expected;
        expected["result"] = result;
        expected["entries"] = Json::array();
        EXPECT_EQ(dumped.json, expected);
    }
    TempFolder folder_;
};

TEST_F(KluDumpResults, FailedLoadsPrintNoEntries) {
    ExpectFailedLoad("Not a hint file\n", 1);
    std::string corrupted = TourBytes();
    corrupted.back() = static_cast<char>(corrupted.back() ^ 0x01);
    ExpectFailedLoad(corrupted, 2);
    ExpectFailedLoad(Bytes(NestedSubjectsSpec(1200)), 3);
    ExpectFailedLoad("PK\x03\x04", 4);
}

TEST_F(KluDumpResults, MissingFilePrintsNothingOnStdout) {
    const std::string path = folder_.PathOf("nowhere.klu");
    const Dumped dumped = Dump(path, true);
    EXPECT_EQ(dumped.run.status, 5);
    EXPECT_EQ(dumped.run.out, "");
    EXPECT_EQ(dumped.run.err, "The file " + path + " could not be opened.\n");
}

TEST_F(KluDumpResults, OlderFormatFileHasOnlyEntryZero) {
    const Dumped dumped = Dump(folder_.Write("old.klu", Bytes(OlderFormatSpec())));
    ASSERT_EQ(dumped.run.status, 0) << dumped.run.err;
    // Older-format hunks have no header lines: line and line count stay 0; a question's title
    // gets its "?" from the reader.
    const Json expected = Json::parse(R"({"result": 0, "entries": [
        {"type": "SUBJECT", "line": 0, "lines": 0, "title": "Older", "flags": "W", "children": [
            {"type": "SUBJECT", "line": 0, "lines": 0, "title": "Old subject", "flags": "HWE",
             "children": [
                {"type": "HINT", "line": 0, "lines": 0, "title": "Old question?", "flags": "HWE",
                 "revealed": 0, "children": [
                    {"text": "hint one", "flags": "HWE"},
                    {"text": "-", "flags": "HSWE"},
                    {"text": "hint two", "flags": "HWE"}]}]}]}]})");
    EXPECT_EQ(dumped.json, expected);
}

// Counts bytes that are not ASCII and not part of a two-byte UTF-8 sequence of U+0080..U+00FF.
size_t StrayHighBytes(std::string_view text) {
    size_t stray = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte < 0x80) continue;
        const bool lead = (byte == 0xC2 || byte == 0xC3) && i + 1 < text.size();
        const auto next = lead ? static_cast<unsigned char>(text[i + 1]) : 0;
        if (lead && next >= 0x80 && next <= 0xBF) {
            ++i;
        } else {
            ++stray;
        }
    }
    return stray;
}

TEST_F(KluDumpResults, HighBytesBecomeTheirOwnCodePointsInUtf8) {
    const std::string& out = TourDump().run.out;
    EXPECT_NE(out.find("\"Caf\xC3\xA9 corner\""), std::string::npos);
    EXPECT_NE(out.find("\"Ask the caf\xC3\xA9 owner.\""), std::string::npos);
    EXPECT_NE(out.find("\"Mystery \xC2\x80\xC3\xBF\""), std::string::npos);
    EXPECT_EQ(StrayHighBytes(out), 0u);
}

TEST_F(KluDumpResults, ControlCharactersAreEscaped) {
    HintFileSpec plan = OlderFormatSpec();
    plan.title88 = std::string("Tab\there, bell\x07 and \"quotes\"");
    const Dumped dumped = Dump(folder_.Write("controls.klu", Bytes(plan)));
    ASSERT_EQ(dumped.run.status, 0) << dumped.run.err;
    EXPECT_NE(dumped.run.out.find(R"("Tab\there, bell\u0007 and \"quotes\"")"), std::string::npos)
        << dumped.run.out;
    EXPECT_EQ(dumped.json.at("entries").at(0).at("title"), plan.title88);
}

TEST_F(KluDumpResults, StdoutIsOneDocumentEndedByANewline) {
    const std::string& out = TourDump().run.out;
    ASSERT_FALSE(out.empty());
    EXPECT_EQ(out.back(), '\n');
    EXPECT_EQ(out.find('\n', out.find_last_of('}')), out.size() - 1);
}

}  // namespace
}  // namespace klu::cli_test
