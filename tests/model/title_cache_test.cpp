// The title cache file: its record layout, reading up to damage, and appending records that
// always read back intact.
#include "model/store/title_cache.h"

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
FileInfo Entry(const std::string& path, const std::string& title, const std::string& author = "",
                int32_t reserved = 0) {
    FileInfo entry("/no/such/folder/" + path, reserved);
    entry.path = path;
    entry.fileTitle = title;
    entry.version = "96a";
    entry.author = author;
    entry.publisher = "Pub";
    entry.date = "1 May 1996";
    entry.time = "12:00";
    return entry;
}

std::string RecordBytes(const FileInfo& entry) {
    std::ostringstream out;
    WriteRecord(out, entry);
    return out.str();
}

// Eight lines with the file name only and no line end in a field; each record read writes again
// as it was written.
TEST(TitleCacheRecords, EightLinesThatReadBackAsWritten) {
    const struct {
        FileInfo entry;
        std::string bytes;
    } cases[] = {
        {Entry("/games/hints/Game.klu", "  The Game", "Ann", -12),
         "Game.klu\r\n  The Game\r\n-12\r\n96a\r\nAnn\r\nPub\r\n1 May 1996\r\n12:00\r\n"},
        {Entry("bare.klu", "", "Two\r\nlines\nA\rB", 42),
         "bare.klu\r\n\r\n42\r\n96a\r\nTwo  lines A B\r\nPub\r\n1 May 1996\r\n12:00\r\n"},
    };
    std::string all;
    for (const auto& c : cases) {
        EXPECT_EQ(RecordBytes(c.entry), c.bytes);
        all += c.bytes;
    }
    std::streamoff end = -1;
    std::istringstream in(all);
    const auto records = ReadRecords(in, end);
    ASSERT_EQ(records.size(), std::size(cases));
    for (size_t i = 0; i < records.size(); ++i)
        EXPECT_EQ(RecordBytes(*records[i]), cases[i].bytes);
    EXPECT_EQ(end, static_cast<std::streamoff>(all.size()));
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

}  // namespace
}  // namespace klu
