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
    for (const char* usage :
         {"klu check FILE\n", "klu dump FILE [--picture-mode]\n", "klu export FILE [OUT]\n",
          "klu find FILE PHRASE\n", "klu info FILE\n", "klu list FOLDER [--cache FILE]\n",
          "klu compile SOURCE OUT\n", "klu --help\n", "klu --version\n"}) {
        EXPECT_NE(run.out.find(usage), std::string::npos) << usage;
    }
}

TEST(KluHelpAndVersion, HelpExplainsTheExitStatuses) {
    const std::string out = RunKlu({"--help"}).out;
    for (const char* status : {"\n  0-4 ", "\n  5 ", "\n  64 ", "\n  65 ", "\n  66 ", "\n  73 "}) {
        EXPECT_NE(out.find(status), std::string::npos) << status;
    }
    EXPECT_NE(out.find("OUT cannot be written"), std::string::npos) << out;
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
    ExpectUsageError({"export"});
    ExpectUsageError({"export", "a.klu", "a.txt", "b.txt"});
    ExpectUsageError({"find", "a.klu"});
    ExpectUsageError({"find", "a.klu", "lamp", "oil"});
    ExpectUsageError({"info"});
    ExpectUsageError({"list"});
    ExpectUsageError({"list", "a", "b"});
    ExpectUsageError({"compile", "a.txt"});
}

TEST(KluUsageErrors, CacheOptionNeedsItsValue) {
    TempFolder folder;
    ExpectUsageError({"list", folder.PathOf(""), "--cache"});
    ExpectUsageError({"info", folder.PathOf("x.klu"), "--cache", "c.db"});
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
