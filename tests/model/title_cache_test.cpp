// The title cache file: its record layout, reading up to damage, and appending records that
// always read back intact.
#include "model/title_cache.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "temp_folder.h"

namespace klu {
namespace {

using test::ReadFile;
using test::TempFolder;
using test::WriteFile;

// An entry with the given fields, for a file that does not exist.
TFileInfo Entry(const std::string& path, const std::string& title, const std::string& author = "",
                int32_t reserved = 0) {
    TFileInfo entry("/no/such/folder/" + path, reserved);
    entry.path = path;
    entry.fileTitle = title;
    entry.version = "96a";
    entry.author = author;
    entry.publisher = "Pub";
    entry.date = "1 May 1996";
    entry.time = "12:00";
    return entry;
}

std::string RecordBytes(const TFileInfo& entry) {
    std::ostringstream out;
    WriteRecord(out, entry);
    return out.str();
}

std::vector<std::unique_ptr<TFileInfo>> Read(const std::string& bytes, std::streamoff& end) {
    std::istringstream in(bytes);
    return ReadRecords(in, end);
}

TEST(WriteRecord, WritesEightLinesWithTheFileNameOnlyAndNoLineEndInAField) {
    EXPECT_EQ(RecordBytes(Entry("/games/hints/Game.klu", "The Game", "Ann", -12)),
              "Game.klu\r\nThe Game\r\n-12\r\n96a\r\nAnn\r\nPub\r\n1 May 1996\r\n12:00\r\n");
    EXPECT_EQ(RecordBytes(Entry("bare.klu", "Two\r\nlines\n", "A\rB")),
              "bare.klu\r\nTwo  lines \r\n0\r\n96a\r\nA B\r\nPub\r\n1 May 1996\r\n12:00\r\n");
}

TEST(ReadRecords, ReadsBackEveryFieldAsWritten) {
    const std::vector<std::string> written = {
        RecordBytes(Entry("/a/One.klu", "  Leading blanks stay", "", 42)),
        RecordBytes(Entry("two.KLU", "", "Bob"))};
    std::streamoff end = -1;
    const auto records = Read(written[0] + written[1], end);
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0]->path, "One.klu");
    EXPECT_EQ(records[0]->fileTitle, "  Leading blanks stay");
    for (size_t i = 0; i < records.size(); ++i)
        EXPECT_EQ(RecordBytes(*records[i]), written[i]);  // every field, as the record shows
    EXPECT_EQ(end, static_cast<std::streamoff>(written[0].size() + written[1].size()));

    const auto lf = Read("lf.klu\nLine feeds alone\n +7 \nv\nau\npu\nda\nti\n", end);
    ASSERT_EQ(lf.size(), 1u);
    EXPECT_EQ(RecordBytes(*lf[0]),
              "lf.klu\r\nLine feeds alone\r\n7\r\nv\r\nau\r\npu\r\nda\r\nti\r\n");
}

TEST(ReadRecords, StopsAtTheFirstDamagedRecordKeepingTheOnesBefore) {
    const std::string good = RecordBytes(Entry("good.klu", "Good"));
    const std::string cut = RecordBytes(Entry("cut.klu", "Cut"));
    // A last record cut short, as a write that was interrupted leaves it, and a third line that
    // is not a number, with a good record after it.
    std::vector<std::string> damage = {cut.substr(0, cut.size() - 2), cut.substr(0, 20)};
    for (const char* third : {"zero", "12abc", "+-5", "99999999999", ""})
        damage.push_back("bad.klu\r\nBad\r\n" + std::string(third) +
                         "\r\nv\r\na\r\np\r\nd\r\nt\r\n" + good);
    for (const std::string& bad : damage) {
        std::streamoff end = 0;
        const auto records = Read(good + bad, end);
        ASSERT_EQ(records.size(), 1u) << bad;
        EXPECT_EQ(records[0]->path, "good.klu");
        EXPECT_EQ(end, static_cast<std::streamoff>(good.size()));
    }
}

TEST(TitleCache, FindsTheFirstRecordOfANameInAnyLetterCase) {
    TempFolder folder;
    WriteFile(folder / "cache.db", RecordBytes(Entry("Game.klu", "First")) +
                                       RecordBytes(Entry("other.klu", "Other")) +
                                       RecordBytes(Entry("GAME.KLU", "Second")));
    const TitleCache cache(folder / "cache.db");
    ASSERT_TRUE(cache.IsOpen());
    EXPECT_EQ(cache.RecordCount(), 3u);
    ASSERT_NE(cache.Find("game.klu"), nullptr);
    EXPECT_EQ(cache.Find("game.klu")->fileTitle, "First");
    EXPECT_EQ(cache.Find("OTHER.klu")->fileTitle, "Other");
    EXPECT_EQ(cache.Find("game"), nullptr);
}

TEST(TitleCache, CreatesAMissingFileAndAppendsRecordsThatReadBack) {
    TempFolder folder;
    const std::string path = folder / "VIRIDADO.DB";
    {
        TitleCache cache(path);
        ASSERT_TRUE(cache.IsOpen());
        EXPECT_TRUE(std::filesystem::exists(path));
        EXPECT_TRUE(cache.Append(Entry("/x/One.klu", "One", "Ann")));
        ASSERT_NE(cache.Find("one.klu"), nullptr);  // found at once, as a later run finds it
        EXPECT_EQ(cache.Find("one.klu")->path, "One.klu");
        // A name with a line end could never be found again: not stored.
        EXPECT_FALSE(cache.Append(Entry("/x/two\nlines.klu", "Split")));
        EXPECT_FALSE(cache.Append(Entry("/x/ret\r.klu", "Split")));
    }
    EXPECT_TRUE(TitleCache(path).Append(Entry("/y/Two.klu", "Two")));
    EXPECT_EQ(ReadFile(path),
              RecordBytes(Entry("One.klu", "One", "Ann")) + RecordBytes(Entry("Two.klu", "Two")));
}

TEST(TitleCache, NewRecordsReplaceADamagedTailAndReadBackIntact) {
    TempFolder folder;
    const std::string path = folder / "cache.db";
    const std::string good = RecordBytes(Entry("good.klu", "Good"));
    const std::string contents =
        good + "bad.klu\r\nBad\r\nnot a number\r\n" + RecordBytes(Entry("lost.klu", "Lost"));
    WriteFile(path, contents);
    {
        TitleCache cache(path);
        EXPECT_EQ(cache.RecordCount(), 1u);
        EXPECT_EQ(cache.Find("lost.klu"), nullptr);
        EXPECT_EQ(ReadFile(path), contents);  // reading alone changes nothing
        EXPECT_TRUE(cache.Append(Entry("new.klu", "New")));
        EXPECT_TRUE(cache.Append(Entry("newer.klu", "Newer")));
    }
    EXPECT_EQ(ReadFile(path), good + RecordBytes(Entry("new.klu", "New")) +
                                  RecordBytes(Entry("newer.klu", "Newer")));
    EXPECT_EQ(TitleCache(path).RecordCount(), 3u);
}

TEST(TitleCache, AFileThatCannotBeOpenedReadsAndWritesNothing) {
    TempFolder folder;
    std::filesystem::create_directory(folder / "a folder");
    for (const std::string& path :
         {folder / "a folder", folder / "missing/cache.db", std::string()}) {
        TitleCache cache(path);
        EXPECT_FALSE(cache.IsOpen()) << path;
        EXPECT_FALSE(cache.Append(Entry("x.klu", "X")));
        EXPECT_EQ(cache.Find("x.klu"), nullptr);
    }
    EXPECT_FALSE(std::filesystem::exists(folder / "missing"));
}

}  // namespace
}  // namespace klu
