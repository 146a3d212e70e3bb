// klu dump on the tour file: the entries, the line numbers worked out in sample_files.cpp, the
// layout-flag letters, link targets and the fields each kind of hunk carries.

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <tuple>

#include "dump_support.h"

namespace klu::cli_test {
namespace {

const Json& Tour() {
    return TourDump().json;
}

TEST(KluDumpTree, LoadsAndListsTheTopLevelEntries) {
    ASSERT_EQ(TourDump().run.status, 0) << TourDump().run.err;
    EXPECT_EQ(TourDump().run.err, "");
    EXPECT_EQ(Tour().at("result"), 0);
    const Json& entries = Tour().at("entries");
    ASSERT_EQ(entries.size(), 4u);
    // The older-format root comes first, unnumbered; a top-level hunk was never appended to a
    // hunk, so only its initial wrap flag is set.
    EXPECT_EQ(WithoutChildren(entries[0]), Json::parse(R"({"type": "SUBJECT", "line": 0,
        "lines": 0, "title": "Tour, older part", "flags": "W"})"));
    EXPECT_EQ(WithoutChildren(entries[1]), Json::parse(R"({"type": "SUBJECT", "line": 1,
        "lines": 47, "title": "Tour", "flags": "W"})"));
    EXPECT_EQ(entries[2], Json::parse(R"({"type": "VERHUNK", "line": 48, "lines": 3,
        "title": "1.0", "flags": "W", "children": [{"text": "compiler x", "flags": "HWE"}]})"));
    EXPECT_EQ(entries[3].at("type"), "INFO");
    EXPECT_EQ(entries[3].at("line"), 51);
    EXPECT_EQ(entries[3].at("title"), "Tour File Information");
    EXPECT_EQ(entries[3].at("children").at(0),
              Json::parse(R"({"text": "Author:", "flags": "HWE"})"));
    EXPECT_EQ(entries[3].at("children").at(1), Json::parse(R"({"text": "Jane", "flags": "HWE"})"));
}

TEST(KluDumpTree, RootChildrenInFileOrderWithTheirLines) {
    const Json& children = Tour().at("entries").at(1).at("children");
    const std::vector<std::tuple<std::string, int, int>> expected = {
        {"SUBJECT", 3, 8}, {"TEXT", 11, 3},      {"LINK", 14, 3},
        {"BLANK", 17, 2},  {"NESTHINT", 19, 8},  {"GIFA", 27, 3},
        {"SOUND", 30, 3},  {"HYPERPNG", 33, 11}, {"UNKNOWN", 44, 4}};
    ASSERT_EQ(children.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        const auto& [type, line, lines] = expected[i];
        EXPECT_EQ(children[i].at("type"), type) << "child " << i;
        EXPECT_EQ(children[i].at("line"), line) << "child " << i;
        EXPECT_EQ(children[i].at("lines"), lines) << "child " << i;
        // A hunk among a hunk's children breaks the line before and after it.
        EXPECT_EQ(children[i].at("flags"), "HWE") << "child " << i;
    }
}

TEST(KluDumpTree, QuestionWithHintsAndSeparators) {
    const Json& corner = RootChild(Tour(), 0);
    EXPECT_EQ(corner.at("title"), "Caf\u00e9 corner");
    ASSERT_EQ(corner.at("children").size(), 1u);
    const Json expected = Json::parse(R"({"type": "HINT", "line": 5, "lines": 6,
        "title": "How do I open the door?", "flags": "HWE", "revealed": 0, "children": [
            {"text": "Look around.", "flags": "HWE"},
            {"text": "-", "flags": "HSWE"},
            {"text": "Ask the caf\u00e9 owner.", "flags": "HWE"},
            {"text": "It is under the mat.", "flags": "WE"}]})");
    EXPECT_EQ(corner.at("children")[0], expected);
}

TEST(KluDumpTree, NestedHintKeepsItsEmbeddedLink) {
    const Json expected = Json::parse(R"({"type": "NESTHINT", "line": 19, "lines": 8,
        "title": "Nested", "flags": "HWE", "revealed": 0, "children": [
            {"text": "First nested", "flags": "HWE"},
            {"text": "-", "flags": "HSWE"},
            {"type": "LINK", "line": 24, "lines": 3, "title": "Jump", "flags": "HWE",
             "target": 11}]})");
    EXPECT_EQ(RootChild(Tour(), 4), expected);
}

TEST(KluDumpTree, LinksLeadToTheLinesOfTheirTargets) {
    const Json& link = RootChild(Tour(), 2);
    EXPECT_EQ(link, Json::parse(R"({"type": "LINK", "line": 14, "lines": 3,
        "title": "See the door", "flags": "HWE", "target": 5})"));
    const Json& question = RootChild(Tour(), 0).at("children").at(0);
    EXPECT_EQ(link.at("target"), question.at("line"));
    const Json& jump = RootChild(Tour(), 4).at("children").at(2);
    EXPECT_EQ(jump.at("target"), RootChild(Tour(), 1).at("line"));
}

TEST(KluDumpTree, BlankAndUnknownHunksCarryNoChildList) {
    EXPECT_EQ(RootChild(Tour(), 3), Json::parse(R"({"type": "BLANK", "line": 17, "lines": 2,
        "title": "", "flags": "HWE"})"));
    EXPECT_EQ(RootChild(Tour(), 8), Json::parse(R"({"type": "UNKNOWN", "line": 44, "lines": 4,
        "title": "Mystery \u0080\u00ff", "flags": "HWE"})"));
}

TEST(KluDumpTree, TextHunkBodyAndFields) {
    const Json& text = RootChild(Tour(), 1);
    // The body is the first piece of the data area, right behind the end-of-text byte; each of
    // its lines counts two more bytes for its line end.
    const size_t data_start = TourBytes().find('\x1A') + 1;
    Json expected = Json::parse(R"({"type": "TEXT", "line": 11, "lines": 3, "title": "Intro",
        "flags": "HWE", "textFlags": 3, "children": [
            {"text": "Welcome to the tour.", "flags": "HFE"},
            {"text": "Second line", "flags": "HFE"}]})");
    expected["offset"] = data_start;
    expected["length"] = (20 + 2) + (11 + 2);
    EXPECT_EQ(text, expected);
}

// Walks every node and checks that each kind carries exactly its own keys.
void ExpectOwnKeys(const Json& node) {
    std::set<std::string> keys;
    for (const auto& [key, value] : node.items())
        keys.insert(key);
    if (!node.contains("type")) {
        EXPECT_EQ(keys, (std::set<std::string>{"text", "flags"})) << node.dump();
        return;
    }
    std::set<std::string> expected{"type", "line", "lines", "title", "flags"};
    const std::string type = node.at("type");
    const std::map<std::string, std::set<std::string>> extra = {
        {"SUBJECT", {"children"}},
        {"VERHUNK", {"children"}},
        {"INFO", {"children"}},
        {"HINT", {"children", "revealed"}},
        {"NESTHINT", {"children", "revealed"}},
        {"LINK", {"target"}},
        {"TEXT", {"children", "offset", "length", "textFlags"}},
        {"GIFA", {"offset", "length"}},
        {"SOUND", {"offset", "length"}},
        {"OVERLAY", {"offset", "length", "x", "y"}},
        {"HYPERPNG", {"children"}},
        {"PNGOBJECT", {"children", "offset", "length", "regions"}},
        {"BLANK", {}},
        {"UNKNOWN", {}}};
    ASSERT_TRUE(extra.contains(type)) << type;
    expected.insert(extra.at(type).begin(), extra.at(type).end());
    EXPECT_EQ(keys, expected) << node.dump();
    if (node.contains("children")) {
        for (const Json& child : node.at("children"))
            ExpectOwnKeys(child);
    }
}

TEST(KluDumpTree, EachKindCarriesExactlyItsOwnKeys) {
    for (const bool picture_mode : {false, true}) {
        for (const Json& entry : TourDump(picture_mode).json.at("entries"))
            ExpectOwnKeys(entry);
    }
}

}  // namespace
}  // namespace klu::cli_test
