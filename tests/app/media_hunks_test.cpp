// GIF pictures and sounds in the reader.

#include "app/command_ids.h"
#include "app/command_texts.h"
#include "app/file_filter.h"
#include "app/sound_player.h"
#include "fuzz/seed_media.h"
#include "help/media_gif.h"
#include "views/gif_window.h"
#include "window_fixture.h"

namespace klu::test {
namespace {

// A GIF picture of 3 x 2 pixels: red, then a row of blue under a red row's end.
std::string Picture() {
    return media::TwoColourGif(3, 2, {255, 0, 0}, {0, 0, 255}, {0, 0, 0, 1, 1, 0});
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
    Hunk& HunkTitled(const std::string& title) const {
        Hunk* found = state.currentDocument.GetRoot()->FindByName(title);
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

TEST_F(MediaTest, AGifShowsInItsWindow) {
    OpenMedia(Picture(), seeds::TinyWave(10));
    for (int i = 0; i < 2; ++i) {
        HunkTitled("Old map").Open();
        ASSERT_EQ(Client().subWindowList().size(), 2);
        const GifWindow* window = Client().CurrentGif();
        ASSERT_NE(window, nullptr);
        const QImage image = window->Image();
        ASSERT_EQ(image.size(), QSize(3, 2));
        EXPECT_EQ(image.pixelColor(2, 0), QColor(Qt::red));
        EXPECT_EQ(image.pixelColor(0, 1), QColor(Qt::blue));
    }
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(MediaTest, SaveWindowOfAGifWritesItsDataNeverOverTheHintFile) {
    OpenMedia(Picture(), seeds::TinyWave(10));
    HunkTitled("Old map").Open();
    dialogs.saveAnswer = folder / "map.gif";
    Client().Command(CM_SAVEWINDOW);
    EXPECT_EQ(ReadFile(*dialogs.saveAnswer), Picture());
    EXPECT_EQ(dialogs.saveRequests,
              std::vector<std::string>{DialogFilterOf(kGifFileFilter) + "|gif"});

    const std::string bytes = ReadFile(path);
    dialogs.saveAnswer = path;
    Client().Command(CM_SAVEWINDOW);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    ExpectStop(dialogs.messages[0], path + " is the hint file that is open.");
    EXPECT_EQ(ReadFile(path), bytes);
}

TEST_F(MediaTest, ASoundPlaysOnWhileTheReaderGoesOnUntilItsFileCloses) {
    OpenMedia(Picture(), seeds::TinyWave(48000));  // six seconds
    HunkTitled("Bell").Open();
    EXPECT_TRUE(dialogs.messages.empty()) << dialogs.messages.front().text;
    EXPECT_TRUE(SoundPlaying()) << "the reader went on while the bell still rings";
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    HunkTitled("Bell").Open();  // from the start again
    EXPECT_TRUE(SoundPlaying());
    Open(Write("other.klu", SampleHintFile()));
    EXPECT_FALSE(SoundPlaying()) << "the file it came from is closed";
}

TEST_F(MediaTest, DamagedWaveDataIsReportedAtOnce) {
    // Ten seconds of sound if it were played, behind a header no reader accepts.
    std::string wave = seeds::TinyWave(80000);
    wave.replace(0, 4, "RIFX");
    for (const std::string& data : {wave, std::string("RIFF")}) {
        dialogs.messages.clear();
        OpenMedia(Picture(), data);
        HunkTitled("Bell").Open();
        ASSERT_EQ(dialogs.messages.size(), 1u);
        ExpectStop(dialogs.messages[0], "This sound cannot be played.");
        EXPECT_FALSE(SoundPlaying());
    }
}

}  // namespace
}  // namespace klu::test
