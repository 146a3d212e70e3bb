// The command line itself: help, version, and the usage errors that must not touch any file.

#include <gtest/gtest.h>

#include <regex>

#include "dump_support.h"

namespace klu::cli_test {
namespace {

constexpr int kUsageError = 64;

TEST(KluHelpAndVersion, HelpNamesEveryCommandAndExitStatusVersionIsThreeNumbers) {
    const KluRun help = RunKlu({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.err, "");
    for (const char* text :
         {"klu check FILE\n", "klu dump FILE [--picture-mode]\n", "klu export [--html] FILE [OUT]\n",
          "klu find FILE PHRASE\n", "klu info FILE\n", "klu list FOLDER [--cache FILE]\n",
          "klu compile SOURCE OUT\n", "\n  64 ", "\n  73 "}) {
        EXPECT_NE(help.out.find(text), std::string::npos) << text;
    }
    const KluRun version = RunKlu({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_TRUE(std::regex_match(version.out, std::regex("klu [0-9]+\\.[0-9]+\\.[0-9]+\n")))
        << version.out;
}

TEST(KluUsageErrors, EveryMisuseExits64WithTheUsageOnStderr) {
    const TempFolder folder;
    const std::string path = folder.Write("ok.klu", Bytes(OlderFormatPlan()));
    folder.Write("-odd.klu", Bytes(OlderFormatPlan()));
    const std::vector<std::vector<std::string>> misuses = {
        {},
        {"frobnicate", "x.klu"},
        {"find", "a.klu"},
        {"list", folder.PathOf(""), "--cache"},
        {"dump", path, "--bogus"},
        {"check", "-odd.klu"}};
    for (const auto& args : misuses) {
        const KluRun run = RunKlu(args, folder.PathOf(""));
        EXPECT_EQ(run.status, kUsageError) << testing::PrintToString(args);
        EXPECT_EQ(run.out, "");
        EXPECT_NE(run.err.find("usage: klu"), std::string::npos) << run.err;
    }
}

}  // namespace
}  // namespace klu::cli_test
