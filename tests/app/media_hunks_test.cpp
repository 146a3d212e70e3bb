// Saving a GIF hunk byte for byte, a sound hunk played without holding up the reader, and damaged
// sound reported.
#include <gtest/gtest.h>

#include <QGuiApplication>

#include "app/gif_save.h"
#include "app/sound_player.h"
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
// given, opened in the reader.
class MediaTest : public WindowFixture {
  protected:
    void OpenMedia(const std::string& gif_data, const std::string& wave_data) {
        auto media = MakeSubject("Media");
        media->Add(MakeData("GIFA", "Old map", gif_data));
        media->Add(MakeData("SOUND", "Bell", wave_data));
        path = Write("media.klu", HintFileOf(std::move(media)));
        Open(path);
        ASSERT_TRUE(state.FileLoaded());
    }

    // The hunk of the open file with the title.
    THunk& Hunk(const std::string& title) const {
        THunk* found = state.currentDocument.GetRoot()->FindByName(title);
        EXPECT_NE(found, nullptr) << title;
        return *found;
    }

    std::string path;
};

void ExpectStop(const FakeUserDialogs::Message& message, const std::string& part) {
    EXPECT_EQ(message.title, "Error");
    EXPECT_EQ(message.icon, MessageIcon::Stop);
    EXPECT_EQ(message.buttons, MessageButtons::Ok);
    EXPECT_NE(message.text.find(part), std::string::npos) << message.text;
}

TEST_F(MediaTest, YesAsksForAFileAndSavesTheDataByteForByteNeverOverTheHintFile) {
    OpenMedia(Picture(10000), WaveImage(8000, 10));
    dialogs.answer = MessageAnswer::Yes;
    dialogs.saveAnswer = folder / "map.gif";
    Hunk("Old map").Open();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].title, "Old map");
    // A web site is named only where the build gives one.
    EXPECT_EQ(dialogs.messages[0].text.find("available at"), std::string::npos);
    EXPECT_NE(
        GifSaveQuestion("https://hints.example/").find("available at https://hints.example/."),
        std::string::npos);
    EXPECT_EQ(ReadFile(*dialogs.saveAnswer), Picture(10000));
    EXPECT_EQ(dialogs.replaceConfirmations, std::vector<bool>{true});

    const std::string bytes = ReadFile(path);
    dialogs.saveAnswer = path;
    Hunk("Old map").Open();
    ASSERT_EQ(dialogs.messages.size(), 3u);
    ExpectStop(dialogs.messages[2], path + " is the hint file that is open.");
    EXPECT_EQ(ReadFile(path), bytes);
}

TEST_F(MediaTest, ASoundPlaysOnWhileTheReaderGoesOnUntilItsFileCloses) {
    OpenMedia("GIF89a", WaveImage(8000, 48000));  // six seconds
    Hunk("Bell").Open();
    EXPECT_TRUE(dialogs.messages.empty()) << dialogs.messages.front().text;
    EXPECT_TRUE(SoundPlaying()) << "the reader went on while the bell still rings";
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    Hunk("Bell").Open();  // from the start again
    EXPECT_TRUE(SoundPlaying());
    Open(Write("other.klu", SampleHintFile()));
    EXPECT_FALSE(SoundPlaying()) << "the file it came from is closed";
}

TEST_F(MediaTest, DamagedWaveDataIsReportedAtOnce) {
    // Ten seconds of sound if it were played, behind a header no reader accepts.
    std::string wave = WaveImage(8000, 80000);
    wave.replace(0, 4, "RIFX");
    for (const std::string& data : {wave, std::string("RIFF")}) {
        dialogs.messages.clear();
        OpenMedia("GIF89a", data);
        Hunk("Bell").Open();
        ASSERT_EQ(dialogs.messages.size(), 1u);
        ExpectStop(dialogs.messages[0], "This sound cannot be played.");
        EXPECT_FALSE(SoundPlaying());
    }
}

}  // namespace
}  // namespace klu::test
