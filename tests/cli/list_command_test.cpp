// klu list: the hint files of a folder by title, through a title cache given or found beside the
// program, and a folder that cannot be read.

#include <gtest/gtest.h>

#include <filesystem>

#include "model/file_locations.h"
#include "run_klu.h"
#include "sample_files.h"
#include "temp_folder.h"

namespace klu::cli_test {
namespace {

namespace fs = std::filesystem;

HintFileSpec OlderTitled(const std::string& title) {
    HintFileSpec plan = OlderFormatSpec();
    plan.title88 = title;
    return plan;
}

class KluList : public ::testing::Test {
  protected:
    // File names in the reverse of the title order; the newer-format file shows its root's
    // title ("Tour"), not the older part's.
    void SetUp() override {
        hints_ = fs::path(folder_.PathOf("hints")).string();
        fs::create_directory(hints_);
        folder_.Write("hints/1-tour.KLU", Bytes(TourSpec()));
        folder_.Write("hints/2-beta.klu", Bytes(OlderTitled("Beta Quest")));
        folder_.Write("hints/3-adv.klu", Bytes(OlderTitled("The Adventure")));
        folder_.Write("hints/notes.txt", Bytes(OlderTitled("Not listed")));
        folder_.Write("hints/4-old.klu.bak", Bytes(OlderTitled("Not listed either")));
        cache_ = folder_.PathOf("titles.db");
    }

    std::string Expected() const {
        return "The Adventure\t" + hints_ + "/3-adv.klu\n" + "Beta Quest\t" + hints_ +
               "/2-beta.klu\n" + "Tour\t" + hints_ + "/1-tour.KLU\n";
    }

    TempFolder folder_;
    std::string hints_;
    std::string cache_;
};

TEST_F(KluList, HintFilesByTitleWithALeadingArticleMovedBack) {
    const KluRun run = RunKlu({"list", hints_, "--cache", cache_});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out, Expected());
}

TEST_F(KluList, TitlesComeFromTheCacheOnceRecorded) {
    ASSERT_EQ(RunKlu({"list", hints_, "--cache", cache_}).status, 0);
    EXPECT_GT(fs::file_size(cache_), 0u);
    // A cached record wins over what the file now says.
    folder_.Write("hints/2-beta.klu", Bytes(OlderTitled("Zeta Quest")));
    EXPECT_EQ(RunKlu({"list", hints_, "--cache", cache_}).out, Expected());
    // Without the record the file is scanned again.
    const std::string fresh_cache = folder_.PathOf("fresh.db");
    const KluRun fresh = RunKlu({"list", hints_, "--cache", fresh_cache});
    EXPECT_EQ(fresh.out, "The Adventure\t" + hints_ + "/3-adv.klu\n" + "Tour\t" + hints_ +
                             "/1-tour.KLU\n" + "Zeta Quest\t" + hints_ + "/2-beta.klu\n");
}

TEST_F(KluList, TitleBytesAreWrittenAsTheyAre) {
    folder_.Write("hints/5-cafe.klu", Bytes(OlderTitled("Caf\xE9 Quest")));
    const KluRun run = RunKlu({"list", hints_, "--cache", cache_});
    EXPECT_NE(run.out.find("\nCaf\xE9 Quest\t" + hints_ + "/5-cafe.klu\n"), std::string::npos)
        << run.out;
}

TEST_F(KluList, RelativeFolderGivesRelativePaths) {
    const KluRun run = RunKlu({"list", "hints", "--cache", cache_}, folder_.PathOf(""));
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out,
              "The Adventure\thints/3-adv.klu\nBeta Quest\thints/2-beta.klu\n"
              "Tour\thints/1-tour.KLU\n");
}

TEST_F(KluList, EmptyFolderListsNothing) {
    fs::create_directory(folder_.PathOf("empty"));
    const KluRun run = RunKlu({"list", folder_.PathOf("empty"), "--cache", cache_});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "");
}

TEST_F(KluList, FolderThatCannotBeReadExitsFive) {
    for (const std::string& folder : {folder_.PathOf("missing"), hints_ + "/2-beta.klu"}) {
        const KluRun run = RunKlu({"list", folder, "--cache", cache_});
        EXPECT_EQ(run.status, 5) << folder;
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err, "The folder " + folder + " could not be read.\n");
    }
}

TEST_F(KluList, DefaultCacheLivesBesideTheProgram) {
    // A copy of the program in a writable folder of its own keeps its cache there.
    const fs::path program_folder = folder_.PathOf("bin");
    fs::create_directory(program_folder);
    const fs::path program = program_folder / "klu";
    fs::copy_file(KluBinary(), program);
    const fs::path cache = program_folder / kTitleCacheFileName;

    EXPECT_EQ(RunProgram(program.string(), {"list", hints_}).out, Expected());
    ASSERT_TRUE(fs::exists(cache));
    folder_.Write("hints/2-beta.klu", Bytes(OlderTitled("Zeta Quest")));
    EXPECT_EQ(RunProgram(program.string(), {"list", hints_}).out, Expected());
    EXPECT_FALSE(fs::exists(cache_));
}

}  // namespace
}  // namespace klu::cli_test
