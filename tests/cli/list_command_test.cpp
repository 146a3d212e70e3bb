// klu list: the hint files of a folder by title, through a title cache, and a folder that
// cannot be read.

#include <gtest/gtest.h>

#include <filesystem>

#include "run_klu.h"
#include "sample_files.h"
#include "temp_folder.h"

namespace klu::cli_test {
namespace {

namespace fs = std::filesystem;

std::string OlderTitled(const std::string& title) {
    return Bytes(OlderFormatPlan(title));
}

class KluList : public ::testing::Test {
  protected:
    // File names in the reverse of the title order; the newer-format file shows its root's
    // title ("Tour"), not the older part's.
    void SetUp() override {
        fs::create_directory(hints_);
        folder_.Write("hints/1-tour.KLU", Bytes(TourPlan()));
        folder_.Write("hints/2-beta.klu", OlderTitled("Beta Quest"));
        folder_.Write("hints/3-adv.klu", OlderTitled("The Adventure"));
        folder_.Write("hints/notes.txt", OlderTitled("Not listed"));
        folder_.Write("hints/4-old.klu.bak", OlderTitled("Not listed either"));
    }
    KluRun List(const std::string& cache) { return RunKlu({"list", hints_, "--cache", cache}); }
    std::string Line(const std::string& title, const std::string& name) const {
        return title + "\t" + hints_ + "/" + name + "\n";
    }
    std::string Listed() const {
        return Line("The Adventure", "3-adv.klu") + Line("Beta Quest", "2-beta.klu") +
               Line("Tour", "1-tour.KLU");
    }

    TempFolder folder_;
    const std::string hints_ = folder_.PathOf("hints");
    const std::string cache_ = folder_.PathOf("titles.db");
};

TEST_F(KluList, HintFilesByTitleTitlesFollowTheFilesAndEachEntryStaysOneLine) {
    const KluRun run = List(cache_);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    // A leading article is moved back: "The Adventure" sorts under A.
    EXPECT_EQ(run.out, Listed());
    EXPECT_GT(fs::file_size(cache_), 0u);
    // A file replaced under its name shows its new title; a tab, a line end or a backslash in a
    // name is written as \t, \n or \\.
    folder_.Write("hints/2-beta.klu", OlderTitled("Zeta Quest"));
    folder_.Write("hints/x\ty\nz\\.klu", OlderTitled("Odd Name"));
    EXPECT_EQ(List(cache_).out, Line("The Adventure", "3-adv.klu") +
                                    Line("Odd Name", "x\\ty\\nz\\\\.klu") +
                                    Line("Tour", "1-tour.KLU") + Line("Zeta Quest", "2-beta.klu"));
}

TEST_F(KluList, FolderThatCannotBeReadExitsFive) {
    for (const std::string& folder : {folder_.PathOf("missing"), hints_ + "/2-beta.klu"}) {
        const KluRun run = RunKlu({"list", folder, "--cache", cache_});
        EXPECT_EQ(run.status, 5) << folder;
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err, "The folder " + folder + " could not be read.\n");
    }
}

}  // namespace
}  // namespace klu::cli_test
