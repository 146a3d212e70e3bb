// Saving a GIF hunk byte for byte, a sound hunk played to its end, and damaged sound reported.
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <chrono>
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
    EXPECT_EQ(dialogs.messages[0].title, "Old map");
    EXPECT_EQ(ReadFile(target), Picture(10000));
}

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
    const long long took = MillisecondsOf([&] { PlaySoundHunk(dialogs, file.path, *file.sound); });
    EXPECT_TRUE(dialogs.messages.empty()) << dialogs.messages.front().text;
    EXPECT_GE(took, 200);
    EXPECT_LT(took, 3000);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST(PlaySound, DamagedWaveDataIsReportedAtOnce) {
    // Ten seconds of sound if it were played, behind a header no reader accepts.
    std::string wave = WaveImage(8000, 80000);
    wave.replace(0, 4, "RIFX");
    for (const std::string& data : {wave, std::string("RIFF")}) {
        MediaFile file("GIF89a", data);
        ASSERT_NE(file.sound, nullptr);
        FakeUserDialogs dialogs;
        EXPECT_LT(MillisecondsOf([&] { PlaySoundHunk(dialogs, file.path, *file.sound); }), 2000);
        ASSERT_EQ(dialogs.messages.size(), 1u);
        ExpectStop(dialogs.messages[0], "This sound cannot be played.");
        EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    }
}

}  // namespace
}  // namespace klu::test
