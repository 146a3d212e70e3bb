// The session's end: the signals a logout, a closed terminal or Ctrl+C send close the reader as
// File > Exit does, and a file-size limit never kills it; and what a running reader has not
// loaded. The reader runs as a program of its own here, from a portable copy in a temporary
// folder, which holds its settings file.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <QProcess>
#include <QThread>
#include <csignal>
#include <filesystem>
#include <memory>

#include "model/store/hint_memory.h"
#include "window_fixture.h"

namespace klu::test {
namespace {

class ReaderProcess {
  public:
    explicit ReaderProcess(long file_size_limit = -1)
        : ReaderProcess(std::make_shared<TempFolder>(), "game.klu", file_size_limit) {}
    // Another reader of the same portable copy, sharing its settings file, with a file of its own.
    ReaderProcess(const ReaderProcess& first, const std::string& name)
        : ReaderProcess(first.home, name, -1) {}
    ~ReaderProcess() {
        process.kill();
        process.waitForFinished();
    }
    std::string Profile() const { return ReadFile(folder / "KLUWIN.INI"); }
    // Waits until the reader has opened the file, which it then lists among the recent ones.
    bool WaitUntilOpen() const {
        const auto listed = [this] {
            return Profile().find("=" + game + "\r\n") != std::string::npos;
        };
        for (int i = 0; i < 400 && !listed(); ++i)
            QThread::msleep(50);
        return listed();
    }
    void Signal(int signal) { ::kill(static_cast<pid_t>(process.processId()), signal); }

    std::shared_ptr<TempFolder> home;
    TempFolder& folder = *home;
    const std::string game;
    QProcess process;

  private:
    ReaderProcess(std::shared_ptr<TempFolder> shared, const std::string& name, long file_size_limit)
        : home(std::move(shared)), game(folder / name) {
        if (!std::filesystem::exists(folder / "kluwin")) {
            std::filesystem::copy_file(KLUWIN_BINARY, folder.path() + "/kluwin");
            for (const char* own : {"KLUWIN.INI", "VIRIDADO.DB"})
                WriteFile(folder / own, "");  // kept beside it, not in the user's home
        }
        WriteFile(game, SampleHintFile());
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

// A logout ends every reader at once: each one's hint memory is merged into the shared profile.
TEST(SessionEnd, TwoReadersEndedTogetherBothKeepTheirHintMemory) {
    ReaderProcess first;
    ReaderProcess second(first, "other.klu");
    ASSERT_TRUE(first.WaitUntilOpen());
    ASSERT_TRUE(second.WaitUntilOpen());
    first.Signal(SIGTERM);
    second.Signal(SIGTERM);
    ASSERT_TRUE(first.process.waitForFinished(20000));
    ASSERT_TRUE(second.process.waitForFinished(20000));
    const ProfileFile profile(first.folder / "KLUWIN.INI");
    for (const ReaderProcess* reader : {&first, &second})
        EXPECT_EQ(profile.ReadProfileString(kMemorySection, MemoryKeyOf(reader->game), ""), "0,0,")
            << reader->game;
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
    EXPECT_EQ(reader.folder.EntryCount(), 5u)
        << "the program, its two files, the settings' lock file and the hint file";
}

// Sound and printing load their libraries at their first use, not at start.
TEST(ReaderStart, AnOpenFileLeavesTheSoundAndPrintingLibrariesUnloaded) {
    ReaderProcess reader;
    ASSERT_TRUE(reader.WaitUntilOpen());
    const std::string maps =
        ReadFile("/proc/" + std::to_string(reader.process.processId()) + "/maps");
    ASSERT_NE(maps.find("libQt6Widgets"), std::string::npos) << "the reader's map was read";
    for (const char* library : {"libSDL2", "/printsupport/"})
        EXPECT_EQ(maps.find(library), std::string::npos) << library;
}

}  // namespace
}  // namespace klu::test
