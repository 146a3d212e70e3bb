// klu export, klu compile and klu decompile: what each writes, its errors, and that no command
// writes over its own input or through a link.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "cli/folder_writer.h"
#include "cli_support.h"
#include "model/document/file_messages.h"
#include "model/files/zip_members.h"

namespace klu::cli_test {
namespace {

namespace fs = std::filesystem;

// The flattening rules are the model's business; here an older-format file, its title bytes
// written as they are.
const std::string kCafe = Bytes(OlderFormatPlan("Caf\xE9"));
const std::string kCafeText = "KLU: Hints for Caf\xE9\n\n\n1. Old subject\n\n\n"
                              "1.1. Old question?\n\n* hint one\n* hint two\n";

TEST(KluExport, TextGoesToStdoutOrReplacesOutWhole) {
    const TempFolder folder;
    const std::string path = folder.Write("cafe.klu", kCafe);
    EXPECT_EQ(RunKlu({"export", path}), (KluRun{0, kCafeText, ""}));

    const std::string out_path = folder.Write("cafe.txt", std::string(4000, 'x'));
    EXPECT_EQ(RunKlu({"export", path, out_path}), (KluRun{0, "", ""}));
    EXPECT_EQ(ReadFile(out_path), kCafeText);
}

TEST(KluExport, AnOutOfTheLongestNameAFolderTakesIsWritten) {
    const TempFolder folder;
    const std::string out = folder.PathOf(std::string(251, 'o') + ".txt");
    EXPECT_EQ(RunKlu({"export", folder.Write("cafe.klu", kCafe), out}).status, 0);
    EXPECT_EQ(ReadFile(out), kCafeText);
}

// An OUT in a missing folder, or a folder itself; the text and the web page alike. (A file that
// does not load creates no OUT: KluLoading.)
TEST(KluExport, AnOutThatCannotBeWrittenExits73) {
    const TempFolder folder;
    const std::string cafe = folder.Write("cafe.klu", kCafe);
    for (const bool html : {false, true}) {
        for (const std::string& out : {folder.PathOf("no-such-folder/x.txt"), folder.PathOf("")}) {
            const KluRun run = html ? RunKlu({"export", "--html", cafe, out})
                                    : RunKlu({"export", cafe, out});
            EXPECT_EQ(run, (KluRun{73, "", "The file " + out + " could not be written.\n"}));
        }
    }
}

// A result that cannot be written in full is never a success: standard output on a full device,
// or OUT under a file-size limit, which keeps the OUT there was.
TEST(KluExport, AResultThatCannotBeWrittenExits73AndKeepsTheOldOut) {
    const TempFolder folder;
    const std::string cafe = folder.Write("cafe.klu", kCafe);
    const std::string tour = folder.Write("tour.klu", Bytes(TourPlan()));
    const std::vector<std::vector<std::string>> commands = {
        {"export", cafe},
        {"export", "--html", cafe},
        {"dump", cafe},
        {"find", cafe, "hint"},
        {"info", tour},
        {"check", cafe},
        {"list", folder.PathOf(""), "--cache", cafe + ".db"}};
    for (const auto& command : commands) {
        const KluRun run = RunKlu(command, {}, {.stdoutTo = "/dev/full"});
        EXPECT_EQ(run.status, 73) << command[0];
        EXPECT_NE(run.err, "") << command[0];
    }
    const std::string old_out = folder.Write("old.txt", std::string(100, 'o'));
    const KluRun run = RunKlu({"export", cafe, old_out}, {}, {.stdoutTo = {}, .fileSizeLimit = 16});
    EXPECT_EQ(run.status, 73);
    EXPECT_EQ(ReadFile(old_out), std::string(100, 'o'));
}

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
        EXPECT_EQ(RunKlu(c.words), (KluRun{73, "", c.refusal + "\n"})) << c.words.back();
        EXPECT_EQ(ReadFile(c.input), before) << c.words.back();
    }
}

constexpr std::string_view kSound = "RIFF    WAVE outline sound";

class KluCompile : public ::testing::Test {
  protected:
    // Compiles from another working folder, so that data files are found beside the outline.
    KluRun Compile(std::string_view outline) {
        source_ = folder_.Write("game.txt", outline);
        return RunKlu({"compile", source_, out_}, elsewhere_.PathOf(""));
    }
    TempFolder folder_;
    TempFolder elsewhere_;
    std::string source_;
    const std::string out_ = folder_.PathOf("game.klu");
};

// The tree an outline describes is the model's business; here the file is written, loads, and
// takes its data from beside the outline.
TEST_F(KluCompile, WritesAFileThatLoadsWithDataFromBesideTheOutline) {
    folder_.Write("noise.wav", kSound);
    const KluRun run = Compile(
        "title: Small Game\nsubject: Getting started\n    question: How do I begin?\n"
        "        hint: Look around.\nsound: Noise = noise.wav\n");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out + run.err, "");
    const Dumped dumped = Dump(out_);
    ASSERT_EQ(dumped.run.status, 0) << dumped.run.err;
    const Json& root = dumped.json.at("entries").at(1);
    EXPECT_EQ(root.at("title"), "Small Game");
    EXPECT_EQ(root.at("children").at(0).at("children").at(0).at("title"), "How do I begin?");
    EXPECT_EQ(root.at("children").at(1).at("type"), "SOUND");
    EXPECT_EQ(root.at("children").at(1).at("length"), kSound.size());
}

// Outline errors exit 65 with the line of the mistake, an unreadable source 66 and an OUT that
// cannot be written 73; none of them leaves an OUT behind.
TEST_F(KluCompile, ErrorsExitWithTheirOwnStatusAndWriteNothing) {
    const std::string frob = folder_.Write("frob.txt", "title: X\nsubject: A\n\n    frob: y\n");
    const std::string link = folder_.Write("link.txt", "title: X\n; note\nlink: Here -> Nowhere\n");
    const std::string ok = folder_.Write("ok.txt", "title: X\nsubject: A\n");
    const std::string to_link =
        folder_.Write("to-link.txt", "title: X\nlink: A -> B\nlink: B -> X\n");
    const std::string missing = folder_.PathOf("missing.txt");
    const std::string no_folder = folder_.PathOf("no-such-folder/x.klu");
    const std::vector<std::tuple<std::string, std::string, int, std::string>> cases = {
        {frob, out_, 65, frob + ":4: unknown element \"frob\"\n"},
        {link, out_, 65, link + ":3: no element is titled \"Nowhere\"\n"},
        {to_link, out_, 65,
         to_link + ":2: \"B\" is the title of a link; a link leads to a link by its id "
                   "(\"-> @id\")\n"},
        {missing, out_, 66, "The file " + missing + " could not be read.\n"},
        {ok, no_folder, 73, "The file " + no_folder + " could not be written.\n"},
    };
    for (const auto& [source, out, status, err] : cases) {
        EXPECT_EQ(RunKlu({"compile", source, out}), (KluRun{status, "", err}));
        EXPECT_FALSE(std::filesystem::exists(out)) << source;
    }
}

// The dump without what a new file may change: line numbers, counts, offsets.
Json WithoutPlaces(Json node) {
    if (node.is_object()) {
        for (const char* key : {"line", "lines", "offset", "target"})
            node.erase(key);
        for (auto& [key, value] : node.items())
            value = WithoutPlaces(value);
    } else if (node.is_array()) {
        for (auto& value : node)
            value = WithoutPlaces(value);
    }
    return node;
}

TEST(KluDecompile, WritesAnOutlineAndDataThatCompileBackIntoTheSameFile) {
    TempFolder folder;
    for (const HintFilePlan& plan : {TourPlan(), OlderFormatPlan()}) {
        const std::string original = folder.Write("tour.klu", Bytes(plan));
        const std::string out = folder.PathOf("out");
        fs::remove_all(out);
        const KluRun run = RunKlu({"decompile", original, out});
        ASSERT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(run.out + run.err, "");
        const std::string again = folder.PathOf("again.klu");
        const KluRun compile = RunKlu({"compile", out + "/tour.outline", again});
        ASSERT_EQ(compile.status, 0) << compile.err;
        EXPECT_EQ(WithoutPlaces(Dump(again).json), WithoutPlaces(Dump(original).json));
    }
}

// A file that does not load has nothing written for it: KluLoading.
TEST(KluDecompile, ReplacesNoFileAndWritesOnlyIntoAFolder) {
    TempFolder folder;
    const std::string original = folder.Write("tour.klu", Bytes(TourPlan()));
    const std::string out = folder.PathOf("out");
    fs::create_directory(out);
    folder.Write("out/tour.outline", "mine");
    EXPECT_EQ(RunKlu({"decompile", original, out}),
              (KluRun{73, "", "klu: " + out + "/tour.outline exists already; it is not replaced"
                                              "\n"}));
    EXPECT_EQ(std::distance(fs::directory_iterator(out), fs::directory_iterator()), 1);

    folder.Write("file", "not a folder");
    EXPECT_EQ(RunKlu({"decompile", original, folder.PathOf("file/sub")}).status, 73);
}

// A disk that fills up half way through; a temporary folder that cannot be written, where no
// file of a predictable name may be made for others to plant a link in.
TEST(KluDecompile, LeavesNoFileWhenAWriteFailsAndNeedsNoTemporaryFile) {
    TempFolder folder;
    HintFilePlan plan = TourPlan();
    plan.root->Add(MakeData("SOUND", "Long", std::string(kSoundData) + std::string(20000, 'x')));
    const std::string original = folder.Write("tour.klu", Bytes(plan));
    const KluRun full = RunKlu({"decompile", original, folder.PathOf("full")}, {}, {{}, 10000});
    EXPECT_EQ(full.status, 73) << full.err;
    EXPECT_TRUE(fs::is_empty(folder.PathOf("full")));

    ::setenv("TMPDIR", folder.PathOf("no-such-folder").c_str(), 1);
    const KluRun run = RunKlu({"decompile", original, folder.PathOf("out")});
    ::unsetenv("TMPDIR");
    EXPECT_EQ(run.status, 0) << run.err;
}

// Files are made new in the folder: a file or link that takes a name first, even one planted
// after decompile looked, is left alone, and nothing is written through it.
TEST(KluDecompile, FolderWriterNeverWritesThroughALinkOrOverAFile) {
    TempFolder folder;
    const std::string victim = folder.Write("victim", "mine");
    fs::create_directory(folder.PathOf("dir"));
    fs::create_symlink(victim, folder.PathOf("dir/link"));
    fs::create_symlink(folder.PathOf("no-such-file"), folder.PathOf("dir/dangling"));
    folder.Write("dir/file", "theirs");
    cli::FolderWriter writer(folder.PathOf("dir"));
    ASSERT_TRUE(writer.Opened());
    ASSERT_EQ(writer.Create("new", "bytes"), cli::FolderWriter::Result::Written);
    for (const char* name : {"link", "dangling", "file"})
        EXPECT_EQ(writer.Create(name, "bytes"), cli::FolderWriter::Result::Taken) << name;
    writer.RemoveCreated();
    EXPECT_FALSE(fs::exists(folder.PathOf("dir/new")));
    EXPECT_FALSE(fs::exists(folder.PathOf("no-such-file")));
    EXPECT_EQ(ReadFile(victim), "mine");
    EXPECT_EQ(ReadFile(folder.PathOf("dir/file")), "theirs");
    fs::create_directory_symlink(folder.PathOf("dir"), folder.PathOf("folder-link"));
    EXPECT_FALSE(cli::FolderWriter(folder.PathOf("folder-link")).Opened());
}

}  // namespace
}  // namespace klu::cli_test
