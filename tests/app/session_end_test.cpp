// The reader run as a program of its own, from a portable copy in a temporary folder that holds
// its settings file: how a session ends it, and what it has not loaded.
#include <sys/resource.h>

#include <QProcess>
#include <QThread>
#include <csignal>
#include <filesystem>

#include "model/store/hint_memory.h"
#include "window_fixture.h"

namespace klu::test {
namespace {

// A reader of the portable copy in the folder, opening a file of its own; when file_size_limit
// is not negative, no file it writes may grow larger.
class ReaderProcess {
  public:
    explicit ReaderProcess(const TempFolder& folder, const std::string& name = "game.klu",
                           long file_size_limit = -1)
        : profile(folder / "KLUWIN.INI"), game(folder / name) {
        if (!std::filesystem::exists(folder / "kluwin")) {
            std::filesystem::copy_file(KLUWIN_BINARY, folder / "kluwin");
            for (const char* own : {"KLUWIN.INI", "VIRIDADO.DB"})
                WriteFile(folder / own, "");  // kept beside it, not in the user's home
        }
        WriteFile(game, SampleHintFile());
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        environment.insert("SDL_AUDIODRIVER", "dummy");
        process.setProcessEnvironment(environment);
        process.setProgram(QString::fromStdString(folder / "kluwin"));
        process.setArguments({QString::fromStdString(game)});
        if (file_size_limit >= 0) {
            process.setChildProcessModifier([file_size_limit] {
                const rlimit limit{static_cast<rlim_t>(file_size_limit), RLIM_INFINITY};
                setrlimit(RLIMIT_FSIZE, &limit);
            });
        }
        process.start();
    }
    ~ReaderProcess() {
        process.kill();
        process.waitForFinished();
    }
    // Waits until the reader has opened the file, which it then lists among the recent ones.
    bool WaitUntilOpen() const {
        const auto listed = [this] {
            return ReadFile(profile).find("=" + game + "\r\n") != std::string::npos;
        };
        for (int i = 0; i < 400 && !listed(); ++i)
            QThread::msleep(50);
        return listed();
    }
    void Signal(int signal) { ::kill(static_cast<pid_t>(process.processId()), signal); }

    const std::string profile, game;
    QProcess process;
};

// A logout ends every reader at once: each one's hint memory is merged into the shared profile.
TEST(SessionEnd, TerminationSignalsCloseEveryReaderAsAnExitThatSavesItsHintMemory) {
    for (const int signal : {SIGTERM, SIGHUP, SIGINT}) {
        const TempFolder folder;
        ReaderProcess first(folder);
        ReaderProcess second(folder, "other.klu");
        for (ReaderProcess* reader : {&first, &second})
            ASSERT_TRUE(reader->WaitUntilOpen()) << signal;
        first.Signal(signal);
        second.Signal(signal);
        const ProfileFile profile(first.profile);
        for (ReaderProcess* reader : {&first, &second}) {
            ASSERT_TRUE(reader->process.waitForFinished(20000)) << signal;
            EXPECT_EQ(reader->process.exitStatus(), QProcess::NormalExit) << signal;
            EXPECT_EQ(reader->process.exitCode(), 0) << signal;
            EXPECT_EQ(profile.ReadProfileString(kMemorySection, MemoryKeyOf(reader->game), ""),
                      "0,0,")
                << signal << " " << reader->game;
        }
    }
}

// With no room to write at all, the settings are lost but the reader lives, leaving no
// temporary file behind.
TEST(SessionEnd, AFileSizeLimitFailsWritesWithoutEndingTheReader) {
    const TempFolder folder;
    ReaderProcess reader(folder, "game.klu", 0);
    EXPECT_FALSE(reader.process.waitForFinished(3000)) << "ended at start";
    reader.Signal(SIGTERM);
    ASSERT_TRUE(reader.process.waitForFinished(20000));
    EXPECT_EQ(reader.process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(reader.process.exitCode(), 0);
    EXPECT_EQ(folder.EntryCount(), 5u)
        << "the program, its two files, the settings' lock file and the hint file";
}

TEST(ReaderStart, AnOpenFileLeavesTheSoundAndPrintingLibrariesUnloaded) {
    const TempFolder folder;
    ReaderProcess reader(folder);
    ASSERT_TRUE(reader.WaitUntilOpen());
    const std::string maps =
        ReadFile("/proc/" + std::to_string(reader.process.processId()) + "/maps");
    ASSERT_NE(maps.find("libQt6Widgets"), std::string::npos) << "the reader's map was read";
    for (const char* library : {"libSDL2", "/printsupport/"})
        EXPECT_EQ(maps.find(library), std::string::npos) << library;
}

}  // namespace
}  // namespace klu::test
