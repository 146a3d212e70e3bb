// Opening a sound hunk: the wave is played to its end, and damaged data, data outside the file,
// no buffer for it and a missing file are reported without hanging.
#include "app/play_sound.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <QGuiApplication>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>

#include "fake_user_dialogs.h"
#include "media_test_support.h"

namespace klu::test {
namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

// Remembers whether the wait cursor was still up while a message showed.
class CursorNotingDialogs : public FakeUserDialogs {
  public:
    MessageAnswer ShowMessage(const std::string& text, const std::string& title, MessageIcon icon,
                              MessageButtons buttons) override {
        waitCursorAtMessage = QGuiApplication::overrideCursor() != nullptr;
        return FakeUserDialogs::ShowMessage(text, title, icon, buttons);
    }
    bool waitCursorAtMessage = false;
};

milliseconds TimeOf(const std::function<void()>& action) {
    const Clock::time_point start = Clock::now();
    action();
    return std::chrono::duration_cast<milliseconds>(Clock::now() - start);
}

TEST(PlaySound, AWaveBlocksUntilItHasPlayedAndLeavesTheCursorAsItWas) {
    MediaFile file("GIF89a", WaveImage(8000, 2400));  // 0.3 s
    ASSERT_NE(file.sound, nullptr);
    FakeUserDialogs dialogs;
    const milliseconds took = TimeOf([&] { PlaySoundHunk(dialogs, file.path, *file.sound); });
    EXPECT_TRUE(dialogs.messages.empty()) << dialogs.messages.front().text;
    EXPECT_GE(took.count(), 200);
    EXPECT_LT(took.count(), 3000);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);

    // A second sound opens the device again.
    const milliseconds again = TimeOf([&] { PlaySoundHunk(dialogs, file.path, *file.sound); });
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_GE(again.count(), 200);
}

TEST(PlaySound, DamagedWaveDataIsReportedAtOnce) {
    // Ten seconds of sound if it were played, behind a header no reader accepts.
    std::string wave = WaveImage(8000, 80000);
    wave.replace(0, 4, "RIFX");
    std::string no_format = WaveImage(8000, 80000);
    no_format.replace(12, 4, "junk");
    for (const std::string& data : {wave, no_format, std::string("RIFF")}) {
        MediaFile file("GIF89a", data);
        ASSERT_NE(file.sound, nullptr);
        CursorNotingDialogs dialogs;
        const milliseconds took = TimeOf([&] { PlaySoundHunk(dialogs, file.path, *file.sound); });
        EXPECT_LT(took.count(), 2000);
        ASSERT_EQ(dialogs.messages.size(), 1u);
        EXPECT_EQ(dialogs.messages[0].title, "Error");
        EXPECT_EQ(dialogs.messages[0].icon, MessageIcon::Stop);
        EXPECT_EQ(dialogs.messages[0].buttons, MessageButtons::Ok);
        EXPECT_TRUE(dialogs.messages[0].text.starts_with("This sound cannot be played."))
            << dialogs.messages[0].text;
        EXPECT_FALSE(dialogs.waitCursorAtMessage);
        EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    }
}

TEST(PlaySound, DataTheFileDoesNotHoldIsReportedWithTheFile) {
    MediaFile file("GIF89a", WaveImage(8000, 800));
    ASSERT_NE(file.sound, nullptr);
    CursorNotingDialogs dialogs;

    // The file was cut short after it was loaded.
    WriteFile(file.path, file.bytes.substr(0, file.bytes.size() - 10));
    PlaySoundHunk(dialogs, file.path, *file.sound);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_NE(dialogs.messages[0].text.find("beyond the end of \"" + file.path + "\""),
              std::string::npos)
        << dialogs.messages[0].text;
    EXPECT_FALSE(dialogs.waitCursorAtMessage);

    // A length no file holds is not allocated, only reported.
    file.sound->dataLength = INT32_MAX;
    PlaySoundHunk(dialogs, file.path, *file.sound);
    ASSERT_EQ(dialogs.messages.size(), 2u);
    EXPECT_NE(dialogs.messages[1].text.find("beyond the end"), std::string::npos);

    std::remove(file.path.c_str());
    PlaySoundHunk(dialogs, file.path, *file.sound);
    ASSERT_EQ(dialogs.messages.size(), 3u);
    EXPECT_NE(dialogs.messages[2].text.find("Cannot open \"" + file.path + "\""), std::string::npos)
        << dialogs.messages[2].text;
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

#if defined(__SANITIZE_ADDRESS__)
#define KLU_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define KLU_ADDRESS_SANITIZER 1
#endif
#endif

// The process's address space now, in bytes.
long long AddressSpaceInUse() {
    std::ifstream statm("/proc/self/statm");
    long long pages = 0;
    statm >> pages;
    return pages * ::sysconf(_SC_PAGESIZE);
}

// In a child process whose address space is capped, a sound of 1 GiB finds no buffer.
int PlayWithoutMemory(const std::string& path, TSoundHunk& sound) {
    constexpr int64_t kLength = int64_t{1} << 30;
    std::filesystem::resize_file(path, static_cast<uintmax_t>(sound.dataOffset + kLength));
    sound.dataLength = static_cast<int32_t>(kLength);
    const rlimit cap{static_cast<rlim_t>(AddressSpaceInUse() + (256 << 20)),
                     static_cast<rlim_t>(AddressSpaceInUse() + (256 << 20))};
    if (::setrlimit(RLIMIT_AS, &cap) != 0) return 2;
    FakeUserDialogs dialogs;
    PlaySoundHunk(dialogs, path, sound);
    if (dialogs.messages.size() != 1) return 3;
    const FakeUserDialogs::Message& message = dialogs.messages[0];
    if (message.text !=
        "Out of memory.  Close any open applications and try to play this sound "
        "again.")
        return 4;
    if (message.title != "Error" || message.icon != MessageIcon::Stop) return 5;
    return QGuiApplication::overrideCursor() == nullptr ? 0 : 6;
}

TEST(PlaySoundDeathTest, NoBufferForTheSoundGivesTheOutOfMemoryMessage) {
#ifdef KLU_ADDRESS_SANITIZER
    GTEST_SKIP() << "the address sanitizer cannot run with a capped address space";
#else
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    MediaFile file("GIF89a", WaveImage(8000, 80));
    ASSERT_NE(file.sound, nullptr);
    EXPECT_EXIT(std::exit(PlayWithoutMemory(file.path, *file.sound)), ::testing::ExitedWithCode(0),
                "");
#endif
}

}  // namespace
}  // namespace klu::test
