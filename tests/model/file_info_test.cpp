// The header scan that gives a listing entry its title, version and information keys.
#include "model/file_info.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "listing_test_support.h"
#include "model/text_file_lines.h"

namespace klu {
namespace {

using test::NewerFileSpec;
using test::TempFolder;
using test::WriteFile;
using test::WriteHintFileAt;

TEST(FileInfoScan, OlderFilesGiveATitleWithoutLeadingBlanksOthersNone) {
    TempFolder folder;
    WriteHintFileAt(folder / "old.klu", test::OlderFileSpec("   Old Quest  "));
    const TFileInfo entry(folder / "old.klu", 0);
    EXPECT_EQ(entry.fileTitle, "Old Quest  ");
    EXPECT_EQ(entry.version, "88a");
    EXPECT_EQ(entry.path, folder / "old.klu");

    WriteFile(folder / "text.klu", "Not a hint file\r\nKLU\r\nTitle\r\n");
    WriteFile(folder / "empty.klu", "");
    for (const std::string name : {"text.klu", "empty.klu", "missing.klu"}) {
        const TFileInfo other(folder / name, 0);
        EXPECT_EQ(other.fileTitle + other.version, "") << name;
    }
}

TEST(FileInfoScan, NewerFileGivesRootTitleVersionAndInformationKeys) {
    TempFolder folder;
    HintFileSpec plan =
        NewerFileSpec("  The Newer Game", "Release 2",
                      {"Author=Ann", "PUBLISHER=Games Inc", " author=not at the start",
                       "date=1 May 1996", "TIME=12:00", "author=Bob"});
    // Lines past the count of the information hunk's header are not read.
    plan.topLevel.push_back(MakeNode("COMMENT", "author=Eve"));
    WriteHintFileAt(folder / "new.klu", plan);
    const TFileInfo entry(folder / "new.klu", -3);
    EXPECT_EQ(entry.fileTitle, "  The Newer Game");  // leading blanks stay here
    EXPECT_EQ(entry.version, "Release 2");
    EXPECT_EQ(entry.author, "Bob");  // the later line wins
    EXPECT_EQ(entry.publisher, "Games Inc");
    EXPECT_EQ(entry.date, "1 May 1996");
    EXPECT_EQ(entry.time, "12:00");
    // In the listing, an entry is a link that shows its file's title; a copy keeps every field.
    EXPECT_EQ(entry.GetName(), "  The Newer Game");
    EXPECT_EQ(entry.title, "");
    const TFileInfo copy(entry);
    const auto fields = [](const TFileInfo& e) {
        return std::tie(e.path, e.fileTitle, e.version, e.author, e.publisher, e.date, e.time,
                        e.reserved, e.hardBreak, e.wrap);
    };
    EXPECT_EQ(fields(copy), fields(entry));
    EXPECT_EQ(copy.reserved, -3);
    EXPECT_EQ(copy.hardBreak, 1);
}

TEST(FileInfoScan, IgnoresCaseReadsAnyLineEndAndNeedsNumberedHeaders) {
    TempFolder folder;
    // Line feeds alone, keywords in other cases, a carriage return inside the title, and lines
    // that hold a keyword without a non-zero number in front.
    WriteFile(folder / "lf.klu",
              "klu\n Old\n** end of 88a format **\nthe subject\nNo\n0 subject\nZero\n"
              "3 Subject\nNew\rTitle\n-\n2 version\nv7\n4 Info\nx\nAUTHOR=Lower\n");
    const TFileInfo entry(folder / "lf.klu", 0);
    EXPECT_EQ(entry.fileTitle, "New Title");
    EXPECT_EQ(entry.version, "v7");
    EXPECT_EQ(entry.author, "Lower");

    // The end-of-text byte cuts the file before its version hunk: what was found is kept.
    WriteFile(folder / "cut.klu",
              "KLU\r\nOld\r\n** END OF 88A FORMAT **\r\n3 SUBJECT\r\nRoot\r\n\x1a"
              "2 VERSION\r\nhidden\r\n");
    const TFileInfo cut(folder / "cut.klu", 0);
    EXPECT_EQ(cut.fileTitle, "Root");
    EXPECT_EQ(cut.version, "88a");
}

TEST(FileInfoScan, StopsReadingAtTheInformationHunk) {
    TempFolder folder;
    HintFileSpec plan = NewerFileSpec("Pictures", "96a", {"author=Ann"});
    plan.root->Add(MakeData("GIFA", "A big picture", std::string(300'000, 'G')));
    WriteHintFileAt(folder / "big.klu", plan);
    TextFileLines lines(folder / "big.klu");
    const TFileInfo entry(lines, folder / "big.klu", 0);
    EXPECT_EQ(entry.author, "Ann");
    EXPECT_LT(lines.BytesRead(), test::ReadFile(folder / "big.klu").size() / 4);
}

}  // namespace
}  // namespace klu
