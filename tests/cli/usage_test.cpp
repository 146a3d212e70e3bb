// The command line itself: help, version, and the usage errors that must not touch any file.

#include <gtest/gtest.h>

#include <regex>

#include "run_klu.h"
#include "sample_files.h"
#include "temp_folder.h"

namespace klu::cli_test {
namespace {

constexpr int kUsageError = 64;

TEST(KluHelpAndVersion, HelpGoesToStdoutAndNamesEveryCommand) {
    const KluRun run = RunKlu({"--help"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    EXPECT_NE(run.out.find("klu check FILE"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("klu dump FILE [--picture-mode]"), std::string::npos) << run.out;
}

TEST(KluHelpAndVersion, VersionIsOneLineWithThreeNumbers) {
    const KluRun run = RunKlu({"--version"});
    EXPECT_EQ(run.status, 0);
    EXPECT_TRUE(std::regex_match(run.out, std::regex("klu [0-9]+\\.[0-9]+\\.[0-9]+\n"))) << run.out;
}

// Every misuse exits 64, prints nothing on stdout and explains itself with the usage on stderr.
void ExpectUsageError(const std::vector<std::string>& args) {
    const KluRun run = RunKlu(args);
    EXPECT_EQ(run.status, kUsageError);
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find("usage: klu"), std::string::npos) << run.err;
}

TEST(KluUsageErrors, NoCommand) {
    ExpectUsageError({});
}

TEST(KluUsageErrors, UnknownCommand) {
    ExpectUsageError({"frobnicate", "x.klu"});
}

TEST(KluUsageErrors, MissingOrExtraFile) {
    ExpectUsageError({"check"});
    ExpectUsageError({"dump"});
    ExpectUsageError({"check", "a.klu", "b.klu"});
    ExpectUsageError({"dump", "a.klu", "b.klu"});
}

TEST(KluUsageErrors, OptionOfAnotherCommandOrUnknownOption) {
    TempFolder folder;
    const std::string path = folder.Write("ok.klu", Bytes(OlderFormatSpec()));
    ExpectUsageError({"check", path, "--picture-mode"});
    ExpectUsageError({"dump", path, "--bogus"});
    ExpectUsageError({"dump", "-p", path});
}

TEST(KluUsageErrors, HelpIsOnlyACommandInFirstPlace) {
    ExpectUsageError({"check", "--help"});
}

TEST(KluOperands, DoubleDashLetsAPathBeginWithADash) {
    TempFolder folder;
    folder.Write("-odd.klu", Bytes(OlderFormatSpec()));
    const std::string here = folder.PathOf("");
    const KluRun run = RunKlu({"check", "--", "-odd.klu"}, here);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "0 LoadOk\n");
    const KluRun without_dashes = RunKlu({"check", "-odd.klu"}, here);
    EXPECT_EQ(without_dashes.status, kUsageError);
}

}  // namespace
}  // namespace klu::cli_test
