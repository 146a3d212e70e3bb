// Opening a GIF hunk (the question, the save dialog, the copy of the data) and a sound hunk (the
// wave played to its end), and the reports of data that is damaged, outside the file or too
// large, and of files that cannot be read or written.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <QGuiApplication>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>

#include "app/gif_save.h"
#include "app/menu_table.h"
#include "app/play_sound.h"
#include "model/media_hunks.h"
#include "window_fixture.h"

namespace klu::test {
namespace {

// A wave file image: 8-bit mono PCM at rate samples a second, of the given number of samples (a
// soft square wave, so that a real sound card plays something audible).
std::string WaveImage(uint32_t rate, uint32_t samples) {
    auto little = [](uint32_t value, int bytes) {
        std::string text;
        for (int i = 0; i < bytes; ++i)
            text += static_cast<char>((value >> (8 * i)) & 0xFF);
        return text;
    };
    std::string wave = "RIFF" + little(36 + samples, 4) + "WAVE";
    wave += "fmt " + little(16, 4) + little(1, 2) + little(1, 2);  // PCM, one channel
    wave += little(rate, 4) + little(rate, 4) + little(1, 2) + little(8, 2);
    wave += "data" + little(samples, 4);
    for (uint32_t i = 0; i < samples; ++i)
        wave += static_cast<char>((i / 10) % 2 ? 0x90 : 0x70);
    return wave;
}

// A GIF picture of the size: the signature, then bytes of every value.
std::string Picture(size_t size) {
    std::string bytes = "GIF89a";
    for (size_t i = bytes.size(); i < size; ++i)
        bytes += static_cast<char>((i * 13 + i / 256) & 0xFF);
    return bytes;
}

// A hint file of one subject whose children are a GIF hunk and a sound hunk carrying the data
// given, written into a temporary folder and loaded.
struct MediaFile {
    MediaFile(const std::string& gif_data, const std::string& wave_data) {
        auto media = MakeSubject("Media");
        media->Add(MakeData("GIFA", "Old map", gif_data));
        media->Add(MakeData("SOUND", "Bell", wave_data));
        bytes = HintFileOf(std::move(media));
        EXPECT_EQ(LoadBytes(bytes, doc), LoadOk);
        WriteFile(path, bytes);
        if (THunk* root = doc.GetRoot()) {
            gif = dynamic_cast<TGIFaHunk*>(root->FindByName("Old map"));
            sound = dynamic_cast<TSoundHunk*>(root->FindByName("Bell"));
        }
        EXPECT_NE(gif, nullptr);
        EXPECT_NE(sound, nullptr);
    }

    TempFolder folder;
    const std::string path = folder / "media.klu";
    std::string bytes;
    THintDocument doc;
    TGIFaHunk* gif = nullptr;
    TSoundHunk* sound = nullptr;
};

void ExpectStop(const FakeUserDialogs::Message& message, const std::string& part) {
    EXPECT_EQ(message.title, "Error");
    EXPECT_EQ(message.icon, MessageIcon::Stop);
    EXPECT_EQ(message.buttons, MessageButtons::Ok);
    EXPECT_NE(message.text.find(part), std::string::npos) << message.text;
}

class GifSaveTest : public ::testing::Test {
  protected:
    GifSaveTest() : file(Picture(10000), WaveImage(8000, 10)) {}
    void Offer() { OfferGifSave(dialogs, file.path, *file.gif, kMakerWebAddress); }

    MediaFile file;
    FakeUserDialogs dialogs;
    const std::string target = file.folder / "map.gif";
};

TEST_F(GifSaveTest, YesAsksForAFileAndSavesTheDataByteForByte) {
    ASSERT_NE(file.gif, nullptr);
    dialogs.answer = MessageAnswer::Yes;
    dialogs.saveAnswer = target;
    Offer();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    const FakeUserDialogs::Message& question = dialogs.messages[0];
    EXPECT_EQ(question.title, "Old map");
    EXPECT_EQ(question.icon, MessageIcon::Question);
    EXPECT_EQ(question.buttons, MessageButtons::YesNo);
    EXPECT_TRUE(
        question.text.starts_with("The KLU readers can no longer show pictures stored in "
                                  "the GIF format"));
    EXPECT_NE(question.text.find(kMakerWebAddress), std::string::npos) << question.text;
    EXPECT_TRUE(question.text.ends_with("Do you wish to save?"));
    EXPECT_EQ(dialogs.saveRequests,
              std::vector<std::string>{"Compuserve GIF Files (*.[Gg][Ii][Ff]);;All Files (*)|gif"});
    EXPECT_EQ(ReadFile(target), Picture(10000));
}

TEST_F(GifSaveTest, NoOrCancelSavesNothingAndFailuresAreReported) {
    ASSERT_NE(file.gif, nullptr);
    dialogs.answer = MessageAnswer::No;
    dialogs.saveAnswer = target;
    Offer();
    EXPECT_EQ(dialogs.messages.size(), 1u);
    EXPECT_TRUE(dialogs.saveRequests.empty());
    dialogs.answer = MessageAnswer::Yes;
    dialogs.saveAnswer.reset();
    Offer();
    EXPECT_EQ(dialogs.messages.size(), 2u);  // the question only
    EXPECT_EQ(dialogs.saveRequests.size(), 1u);
    EXPECT_EQ(file.folder.EntryCount(), 1u);  // the hint file alone

    const std::string nowhere = file.folder / "gone/map.gif";
    dialogs.saveAnswer = nowhere;
    Offer();
    ASSERT_EQ(dialogs.messages.size(), 4u);
    ExpectStop(dialogs.messages[3], nowhere);

    // The hint file went away after it was loaded.
    dialogs.saveAnswer = target;
    std::remove(file.path.c_str());
    Offer();
    ASSERT_EQ(dialogs.messages.size(), 6u);
    EXPECT_EQ(dialogs.messages[5].icon, MessageIcon::Stop);
    EXPECT_NE(dialogs.messages[5].text.find(file.path), std::string::npos);
    EXPECT_EQ(file.folder.EntryCount(), 0u);
}

// Remembers whether the wait cursor was still up while a message showed.
class CursorNotingDialogs : public FakeUserDialogs {
  public:
    MessageAnswer ShowMessage(const std::string& text, const std::string& title, MessageIcon icon,
                              MessageButtons buttons) override {
        waitCursorAtMessage = waitCursorAtMessage || QGuiApplication::overrideCursor() != nullptr;
        return FakeUserDialogs::ShowMessage(text, title, icon, buttons);
    }
    bool waitCursorAtMessage = false;
};

long long MillisecondsOf(const std::function<void()>& action) {
    const auto start = std::chrono::steady_clock::now();
    action();
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() -
                                                                 start)
        .count();
}

TEST(PlaySound, AWaveBlocksUntilItHasPlayedAndLeavesTheCursorAsItWas) {
    MediaFile file("GIF89a", WaveImage(8000, 2400));  // 0.3 s
    ASSERT_NE(file.sound, nullptr);
    FakeUserDialogs dialogs;
    // A second sound opens the device again.
    for (int time = 0; time < 2; ++time) {
        const long long took =
            MillisecondsOf([&] { PlaySoundHunk(dialogs, file.path, *file.sound); });
        EXPECT_TRUE(dialogs.messages.empty()) << dialogs.messages.front().text;
        EXPECT_GE(took, 200);
        EXPECT_LT(took, 3000);
        EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    }
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
        EXPECT_LT(MillisecondsOf([&] { PlaySoundHunk(dialogs, file.path, *file.sound); }), 2000);
        ASSERT_EQ(dialogs.messages.size(), 1u);
        ExpectStop(dialogs.messages[0], "This sound cannot be played.");
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
    // A length no file holds is not allocated, only reported.
    file.sound->dataLength = INT32_MAX;
    PlaySoundHunk(dialogs, file.path, *file.sound);
    std::remove(file.path.c_str());
    PlaySoundHunk(dialogs, file.path, *file.sound);
    ASSERT_EQ(dialogs.messages.size(), 3u);
    ExpectStop(dialogs.messages[0], "beyond the end of \"" + file.path + "\"");
    ExpectStop(dialogs.messages[1], "beyond the end");
    ExpectStop(dialogs.messages[2], "Cannot open \"" + file.path + "\"");
    EXPECT_FALSE(dialogs.waitCursorAtMessage);
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
    const auto limit = static_cast<rlim_t>(AddressSpaceInUse() + (256 << 20));
    const rlimit cap{limit, limit};
    if (::setrlimit(RLIMIT_AS, &cap) != 0) return 2;
    FakeUserDialogs dialogs;
    PlaySoundHunk(dialogs, path, sound);
    if (dialogs.messages.size() != 1) return 3;
    const FakeUserDialogs::Message& message = dialogs.messages[0];
    if (message.text != kSoundOutOfMemoryText) return 4;
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
