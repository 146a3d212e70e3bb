// The session's end: the signals a logout, a closed terminal or Ctrl+C send close the reader as
// File > Exit does, and a file-size limit never kills it. The reader runs as a program of its
// own here, from a portable copy in a temporary folder, which holds its settings file.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <QProcess>
#include <QThread>
#include <csignal>
#include <filesystem>

#include "model/hint_memory.h"
#include "window_fixture.h"

namespace klu::test {
namespace {

class ReaderProcess {
  public:
    explicit ReaderProcess(long file_size_limit = -1) {
        std::filesystem::copy_file(KLUWIN_BINARY, folder.path() + "/kluwin");
        WriteFile(game, SampleHintFile());
        for (const char* own : {"KLUWIN.INI", "VIRIDADO.DB"})
            WriteFile(folder / own, "");  // kept beside it, not in the user's home
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        environment.insert("SDL_AUDIODRIVER", "dummy");
        process.setProcessEnvironment(environment);
        process.setProgram(QString::fromStdString(folder.path() + "/kluwin"));
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
    std::string Profile() const { return ReadFile(folder / "KLUWIN.INI"); }
    // Waits until the reader has opened the file, which it then lists among the recent ones.
    bool WaitUntilOpen() const {
        for (int i = 0; i < 400 && Profile().find("MRU0=") == std::string::npos; ++i)
            QThread::msleep(50);
        return Profile().find("MRU0=") != std::string::npos;
    }
    void Signal(int signal) { ::kill(static_cast<pid_t>(process.processId()), signal); }

    TempFolder folder;
    const std::string game = folder / "game.klu";
    QProcess process;
};

TEST(SessionEnd, TerminationSignalsCloseTheReaderAsAnExitThatSavesTheHintMemory) {
    for (const int signal : {SIGTERM, SIGHUP, SIGINT}) {
        ReaderProcess reader;
        ASSERT_TRUE(reader.WaitUntilOpen()) << signal;
        reader.Signal(signal);
        ASSERT_TRUE(reader.process.waitForFinished(20000)) << signal;
        EXPECT_EQ(reader.process.exitStatus(), QProcess::NormalExit) << signal;
        EXPECT_EQ(reader.process.exitCode(), 0) << signal;
        const ProfileFile profile(reader.folder / "KLUWIN.INI");
        EXPECT_EQ(profile.ReadProfileString(kMemorySection, MemoryKeyOf(reader.game), ""), "0,0,")
            << signal;
    }
}

// With no room to write at all, the settings are lost but the reader lives, leaving no
// temporary file behind.
TEST(SessionEnd, AFileSizeLimitFailsWritesWithoutEndingTheReader) {
    ReaderProcess reader(0);
    EXPECT_FALSE(reader.process.waitForFinished(3000)) << "ended at start";
    reader.Signal(SIGTERM);
    ASSERT_TRUE(reader.process.waitForFinished(20000));
    EXPECT_EQ(reader.process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(reader.process.exitCode(), 0);
    EXPECT_EQ(reader.folder.EntryCount(), 4u) << "the program, its two files and the hint file";
}

}  // namespace
}  // namespace klu::test
