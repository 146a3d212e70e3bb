// No command writes its result over its own input, under any name or link.

#include <gtest/gtest.h>

#include <filesystem>

#include "model/document/file_messages.h"
#include "model/files/zip_members.h"
#include "run_klu.h"
#include "sample_files.h"
#include "temp_folder.h"

namespace klu::cli_test {
namespace {

namespace fs = std::filesystem;

TEST(KluOwnInput, AnOutThatIsTheInputIsRefusedAndKept) {
    const TempFolder folder;
    const std::string outline = folder.Write("game.outline", "title: Game\n");
    const std::string game = folder.Write("game.klu", Bytes(TourPlan()));
    const std::string zip = folder.PathOf("game.zip");
    ASSERT_TRUE(WriteZipArchive(zip, {{"GAME.KLU", Bytes(TourPlan())}}));
    fs::create_symlink(game, folder.PathOf("link.klu"));
    fs::create_hard_link(outline, folder.PathOf("hard.outline"));
    const std::string outline_text =
        " is the outline being compiled." + std::string(kSaveWouldDestroyText);
    const struct {
        std::vector<std::string> words;
        std::string input, refusal;
    } cases[] = {
        {{"compile", outline, outline}, outline, outline + outline_text},
        {{"compile", outline, folder.PathOf("hard.outline")},
         outline,
         folder.PathOf("hard.outline") + outline_text},
        {{"export", game, game}, game, SaveOverOpenFileMessage(game)},
        {{"export", game, folder.PathOf("link.klu")},
         game,
         SaveOverOpenFileMessage(folder.PathOf("link.klu"))},
        {{"export", "--html", game, game}, game, SaveOverOpenFileMessage(game)},
        {{"export", zip + "/GAME.KLU", zip}, zip, SaveOverOpenFileMessage(zip)},
    };
    for (const auto& c : cases) {
        const std::string before = ReadFile(c.input);
        const KluRun run = RunKlu(c.words);
        EXPECT_EQ(run.status, 73) << c.words.back();
        EXPECT_EQ(run.err, c.refusal + "\n");
        EXPECT_EQ(ReadFile(c.input), before) << c.words.back();
    }
}

}  // namespace
}  // namespace klu::cli_test
