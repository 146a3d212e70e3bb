// The verbose listing: the title cache, the header scan, the order of titles, a folder listed.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <sstream>

#include "model/document/hint_document.h"
#include "model/files/zip_members.h"
#include "model/outline/hint_writer.h"
#include "model/store/file_info.h"
#include "model/store/folder_listing.h"
#include "model/store/sort_key.h"
#include "model/store/title_cache.h"
#include "model_test_support.h"
#include "temp_folder.h"

namespace klu {
namespace {

using test::ReadFile;
using test::TempFolder;
using test::WriteFile;
namespace fs = std::filesystem;

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

using Strings = std::vector<std::string>;

// A newer-format file titled title, with a version hunk and an information hunk of the given
// lines at the end, as the writer of such files puts them.
HintFilePlan NewerFilePlan(const std::string& title, const std::string& version = "96a",
                           const std::vector<std::string>& info = {}) {
    HintFilePlan plan;
    plan.title88 = "Older title of " + title;
    plan.root = MakeSubject(title);
    plan.root->Add(MakeQuestion("How do I start?", {{"Look around."}, {"Open the door."}}));
    plan.topLevel.push_back(MakeNode("VERSION", version));
    plan.topLevel.push_back(MakeNode("INFO", "Information"));
    for (const auto& line : info)
        plan.topLevel.back()->Line(line);
    return plan;
}

void WriteHintFileAt(const std::string& path, const HintFilePlan& plan) {
    WriteFile(path, test::WriteOrFail(plan));
}

TEST(FileInfoScan, NewerFileGivesRootTitleVersionAndInformationKeys) {
    TempFolder folder;
    HintFilePlan plan =
        NewerFilePlan("  The Newer Game", "Release 2",
                      {"Author=Ann", "PUBLISHER=Games Inc", " author=not at the start",
                       "date=1 May 1996", "TIME=12:00", "author=Bob"});
    // Lines past the count of the information hunk's header are not read.
    plan.topLevel.push_back(MakeNode("COMMENT", "author=Eve"));
    WriteHintFileAt(folder / "new.klu", plan);
    const FileInfo e(folder / "new.klu", -3);
    // Leading blanks of the title stay; the later author line wins.
    EXPECT_EQ((Strings{e.fileTitle, e.version, e.author, e.publisher, e.date, e.time}),
              (Strings{"  The Newer Game", "Release 2", "Bob", "Games Inc", "1 May 1996",
                       "12:00"}));
}

// Leading articles do not count and letter case is ignored.
TEST(SortKey, MovesOnlyAWholeLeadingArticleToTheEnd) {
    EXPECT_EQ(SortKey("The Adventure"), "ADVENTURE, THE");
    EXPECT_EQ(SortKey("a quest"), "QUEST, A");
    EXPECT_EQ(SortKey("The A Team"), "A TEAM, THE");  // "A" after "The" stays
    EXPECT_EQ(SortKey("A  Gap"), " GAP, A");          // exactly two characters go
    EXPECT_EQ(SortKey("Theatre"), "THEATRE");
    EXPECT_EQ(SortKey("caf\xe9"), "CAF\xe9");  // only a to z are upper-cased
}

TEST(TitleLess, SortsArticleTitlesUnderTheirMainWordIgnoringCase) {
    const auto less = [](const std::string& a, const std::string& b) {
        return TitleLess(HunkLine(a), HunkLine(b));
    };
    EXPECT_TRUE(less("Abyss", "The Adventure"));
    EXPECT_TRUE(less("The Adventure", "Bard"));
    EXPECT_FALSE(less("\xe9tude", "\xc9TUDE"));
    EXPECT_FALSE(less("the game", "Game, The"));
    // Bytes compare unsigned: accented letters after plain ones; an empty title first.
    EXPECT_TRUE(less("Zork", "\xc9tude"));
    EXPECT_TRUE(less("", "Abyss"));
}

// Folders "games" and "more" of hint files, and a cache beside them.
class FolderListing : public ::testing::Test {
  protected:
    FolderListing() {
        fs::create_directory(root_ / "games");
        fs::create_directory(root_ / "more");
    }
    std::string Folder(const std::string& name = "games") const { return root_ / name + "/"; }
    std::string Cache() const { return root_ / "VIRIDADO.DB"; }
    void Write(const std::string& name, const std::string& title,
               const std::string& folder = "games") {
        WriteHintFileAt(Folder(folder) + name, NewerFilePlan(title));
    }
    // Each entry of a listing as "title <- path", the folder left out of the path.
    static Strings Entries(const MetaTextHunk& listing, const std::string& folder) {
        Strings entries;
        for (const KLUObject* entry : listing.children) {
            std::string path = NodeCast<FileInfo>(entry)->path;
            if (path.starts_with(folder)) path.erase(0, folder.size());
            entries.push_back(entry->GetName() + " <- " + path);
        }
        return entries;
    }
    Strings Listed(const std::string& folder = "games") {
        const auto listing = BuildFolderListing(Folder(folder), Cache(), &stats_);
        return listing ? Entries(*listing, Folder(folder)) : Strings{"(no listing)"};
    }

    // An archive in "games" of hint files named by their titles, each ending in a tail longer
    // than a listing reads.
    void ZipOfLongFiles(const std::string& name, const Strings& titles) {
        std::vector<std::pair<std::string, std::string>> members;
        for (const std::string& title : titles) {
            HintFilePlan plan = NewerFilePlan(title);
            plan.trailer.assign(1 << 20, '\n');
            members.emplace_back(title + ".klu", test::WriteOrFail(plan));
        }
        ASSERT_TRUE(WriteZipArchive(Folder() + name, members));
    }

    test::TempFolder root_;
    ListingStats stats_;
};

// Hint files only, by title, with full paths: a link counts as what it leads to; a file that is
// not a hint file is cached but left out. Titles that repeat show their file names.
TEST_F(FolderListing, ListsHintFilesByTitleInTheNameOrderOfEqualKeysNamingRepeatedTitles) {
    Write("bard.klu", "Bard");
    Write("adv.KLU", "The Adventure");
    Write("abyss.Klu", "Abyss");
    HintFilePlan older;  // the only kind whose header has no end marker
    older.title88 = "  A Quest";
    older.subjects88.push_back({"Getting started", {{"Where am I?", {"In a cave."}}}});
    WriteHintFileAt(Folder() + "quest.klu", older);
    WriteFile(Folder() + "notes.klu", "Just some notes\r\n");
    Write(".hidden.klu", "Hidden");
    Write("bard.klu.bak", "Backup");
    Write("bardklu", "No dot");
    fs::create_directory(Folder() + "folder.klu");
    Write("target.txt", "Linked");
    fs::create_symlink(Folder() + "target.txt", Folder() + "link.klu");
    fs::create_directory_symlink(Folder() + "folder.klu", Folder() + "dir.klu");
    fs::create_symlink(Folder() + "nothing", Folder() + "dangling.klu");
    const auto listing = BuildFolderListing(Folder(), Cache(), &stats_);
    ASSERT_NE(listing, nullptr);
    EXPECT_EQ(listing->title, "KLU Hint Files in " + Folder());
    EXPECT_EQ(listing->GetType(), SUBJECT);
    EXPECT_EQ(Entries(*listing, ""),
              (Strings{"Abyss <- " + Folder() + "abyss.Klu",
                       "The Adventure <- " + Folder() + "adv.KLU",
                       "Bard <- " + Folder() + "bard.klu", "Linked <- " + Folder() + "link.klu",
                       "A Quest <- " + Folder() + "quest.klu"}));
    EXPECT_EQ(stats_.recordsWritten, 6u);

    // Written in reverse order; keys all "GAME, THE".
    Write("c.klu", "game, the", "more");
    Write("b.klu", "The Game", "more");
    Write("a.klu", "Game, The", "more");
    Write("0.klu", "Zork", "more");
    EXPECT_EQ(Listed("more"), (Strings{"Game, The (a.klu) <- a.klu", "The Game <- b.klu",
                                       "game, the (c.klu) <- c.klu", "Zork <- 0.klu"}));
}

// A record serves the same file only: a file rewritten under its name, the name in another
// folder, and a file that could not be read are scanned; files left alone are not opened again.
TEST_F(FolderListing, CachedTitlesServeOnlyTheFileTheyWereReadFrom) {
    Write("game.klu", "Original Title");
    Write("same.klu", "Same");
    Write("gone.klu", "Gone");
    Write("game.klu", "Elsewhere", "more");
    Listed();
    Write("game.klu", "Replacement Title, longer");
    fs::remove(Folder() + "gone.klu");
    EXPECT_EQ(Listed(), (Strings{"Replacement Title, longer <- game.klu", "Same <- same.klu"}));
    EXPECT_EQ(stats_.scanned, 1u);
    EXPECT_EQ(stats_.fromCache, 1u);
    EXPECT_EQ(Listed("more"), (Strings{"Elsewhere <- game.klu"}));
    EXPECT_EQ(stats_.fromCache, 0u) << "the name in another folder is another file";
    // A copy of the same size and time (cp -p, touch -r, unzip) replacing a file is new too.
    struct stat same {};
    ::stat((Folder() + "same.klu").c_str(), &same);
    Write("copy.klu", "Emas");
    const timespec times[] = {same.st_atim, same.st_mtim};
    ::utimensat(AT_FDCWD, (Folder() + "copy.klu").c_str(), times, 0);
    fs::rename(Folder() + "copy.klu", Folder() + "same.klu");
    EXPECT_EQ(Listed()[0], "Emas <- same.klu");

    // A cache of records without what tells files apart is read and its files scanned once.
    WriteFile(Cache(), "same.klu\r\nOld Title\r\n0\r\n88a\r\n\r\n\r\n\r\n\r\n");
    EXPECT_EQ(Listed(), (Strings{"Emas <- same.klu", "Replacement Title, longer <- game.klu"}));
    EXPECT_EQ(TitleCache(Cache()).RecordCount(), 3u);
    Listed();
    EXPECT_EQ(stats_.scanned, 0u);

    if (::geteuid() == 0) GTEST_SKIP() << "permission bits do not stop this user (root)";
    fs::permissions(Folder() + "same.klu", fs::perms::none);
    fs::remove(Cache());
    EXPECT_EQ(Listed(), (Strings{"Replacement Title, longer <- game.klu"}));
    fs::permissions(Folder() + "same.klu", fs::perms::owner_read);
    EXPECT_EQ(Listed()[0], "Emas <- same.klu") << "scanned again once readable";
}

TEST_F(FolderListing, ArchiveIsOpenedOnceAndOnlyTheFirstBlockOfAMemberIsUnpacked) {
    ZipOfLongFiles("pack.zip", {"Alpha", "Beta", "Gamma"});
    EXPECT_EQ(Listed(), (Strings{"Alpha <- pack.zip/Alpha.klu", "Beta <- pack.zip/Beta.klu",
                                 "Gamma <- pack.zip/Gamma.klu"}));
    EXPECT_EQ(stats_.archivesOpened, 1u);
    EXPECT_LE(stats_.memberBytesRead, 3 * kTitleBlockBytes);
}

// What lies beyond the limits is left out; what the bytes left out comes in a later listing,
// which takes the others from the cache.
TEST_F(FolderListing, ArchiveBeyondItsLimitsListsOnlyWhatWasRead) {
    ZipOfLongFiles("pack.zip", {"Alpha", "Beta", "Gamma"});
    const auto listed = [this](const ArchiveLimits& limits) {
        return BuildFolderListing(Folder(), Cache(), &stats_, limits)->GetChildCount();
    };
    EXPECT_EQ(listed({.members = 2}), 2u);
    fs::remove(Cache());
    EXPECT_EQ(listed({.bytes = 2 * kTitleBlockBytes}), 2u);
    EXPECT_LE(stats_.memberBytesRead, 2 * kTitleBlockBytes);
    EXPECT_EQ(listed({.bytes = 2 * kTitleBlockBytes}), 3u);
}

// The second member of a name is named NAME;2 and is listed, cached and unpacked as itself.
TEST_F(FolderListing, ArchiveMembersSharingANameAreEachListedAndReadAsThemselves) {
    const std::string zip = Folder() + "twins.zip",
                      second = test::WriteOrFail(NewerFilePlan("Second"));
    ASSERT_TRUE(WriteZipArchive(zip, {{"GAME.KLU", test::WriteOrFail(NewerFilePlan("First"))},
                                      {"GAMF.KLU", second}}));
    std::string bytes = test::ReadFile(zip);
    for (size_t at = bytes.find("GAMF.KLU"); at != std::string::npos; at = bytes.find("GAMF.KLU"))
        bytes[at + 3] = 'E';
    WriteFile(zip, bytes);
    const Strings both{"First <- twins.zip/GAME.KLU", "Second <- twins.zip/GAME.KLU;2"};
    EXPECT_EQ(Listed(), both);
    EXPECT_EQ(Listed(), both) << "from the cache";
    std::vector<char> read;
    ASSERT_TRUE(ReadArchiveMember(zip, "GAME.KLU;2", read, kLargestHintFile));
    EXPECT_EQ(std::string(read.begin(), read.end()), second);
}

}  // namespace
}  // namespace klu
