// Media in the reader: picture windows with their hot spots and overlays, GIF pictures, sounds.
#include <QAccessible>

#include "../views/picture_test_support.h"
#include "app/command_ids.h"
#include "app/command_texts.h"
#include "app/file_filter.h"
#include "app/sound_player.h"
#include "fuzz/seed_media.h"
#include "help/media_gif.h"
#include "views/gif_window.h"
#include "views/picture_images.h"
#include "window_fixture.h"

namespace klu::test {
namespace {

QColor ColourOf(int index) {
    const PngColor c = EightColours()[static_cast<size_t>(index)];
    return QColor(c.red, c.green, c.blue);
}

// The picture file (40 x 30, colour (x / 10 + y / 10) % 4) with a lamp overlay of colour 5,
// 4 x 3 pixels at (25, 5) with the hot spot (0, 0)-(10, 10), a boat's hot spot (0, 20)-(10, 30)
// and the tower's hot spot (20, 15)-(40, 30), opened in the reader with the picture's window.
class PictureWindowTest : public WindowFixture {
  protected:
    explicit PictureWindowTest(const std::string& picture_png = CheckerPng())
        : plan(picture_png,
               {{"Lamp", EncodeOrFail(PlainPicture(4, 3, 5)), 25, 5, {0, 0, 10, 10}},
                {"Boat", EncodeOrFail(PlainPicture(2, 2, 6)), 0, 25, {0, 20, 10, 30}}}) {
        Open(Write("pictures.klu", plan.bytes));
        hyper = dynamic_cast<HyperPNGHunk*>(Child("Bay"));
        picture = hyper ? hyper->Finish() : nullptr;
        lamp = picture ? dynamic_cast<OverlayHunk*>(picture->FindByName("Lamp")) : nullptr;
        tower = picture ? picture->FindByName("Tower") : nullptr;
        boat = picture ? picture->FindByName("Boat") : nullptr;
    }
    void SetUp() override {
        ASSERT_NE(hyper, nullptr);
        window = OpenWindow(*hyper);
        ASSERT_NE(window, nullptr);
    }

    uint8_t PixelAt(int x, int y) const {
        const DecodedBitmap* image = ImageOf(*picture);
        EXPECT_NE(image, nullptr);
        return image ? image->Pixel(x, y) : 0;
    }
    // A point of the picture in the window's viewport: it lies at the text margin.
    static QPoint OnPicture(int x, int y) { return QPoint(kLayoutMargin + x, kLayoutMargin + y); }
    QColor ScreenAt(int x, int y) const {
        return window->Control().viewport()->grab().toImage().pixelColor(OnPicture(x, y));
    }
    void ClickAt(int x, int y) {
        QTest::mouseClick(window->Control().viewport(), Qt::LeftButton, {}, OnPicture(x, y));
    }

    PictureFile plan;  // the file's bytes; the reader loads its own copy
    HyperPNGHunk* hyper = nullptr;
    PNGObject* picture = nullptr;
    OverlayHunk* lamp = nullptr;
    Hunk* tower = nullptr;
    Hunk* boat = nullptr;
    HintWindow* window = nullptr;
};

TEST_F(PictureWindowTest, APictureWindowShowsItsPictureAndHotSpotsOpenWhereTheMouseClicks) {
    TextView& control = window->Control();
    EXPECT_EQ(PictureSizeOf(*picture), (LayoutSize{40, 30}));
    EXPECT_TRUE(control.IsSingleImage());
    EXPECT_EQ(control.Fragments()[0], (WrapInfo{8, 8, 48, 38, 0, 0, picture}));
    EXPECT_EQ(ScreenAt(0, 0), ColourOf(0));
    EXPECT_EQ(ScreenAt(25, 5), ColourOf(2));
    EXPECT_EQ(ScreenAt(39, 15), ColourOf(0));
    EXPECT_NE(ScreenAt(40, 15), ColourOf(0));  // past its edge

    ASSERT_EQ(control.Links().size(), 3u);
    EXPECT_EQ(control.Links()[2], (LinkInfo{28, 23, 48, 38, tower}));
    QTest::mouseMove(control.viewport(), OnPicture(30, 20));
    EXPECT_EQ(control.viewport()->cursor().shape(), Qt::PointingHandCursor);
    QTest::mouseMove(control.viewport(), OnPicture(15, 12));
    EXPECT_EQ(control.viewport()->cursor().shape(), Qt::ArrowCursor);
    // Outside every hot spot nothing opens; the tower's opens its text.
    const size_t windows = WindowTitles().size();
    ClickAt(15, 12);
    EXPECT_EQ(WindowTitles().size(), windows);
    ClickAt(30, 20);
    EXPECT_NE(ui.ViewOf(*tower), nullptr);
}

// Screen readers meet the hot spots in the order Tab visits them, the marked one focused.
TEST_F(PictureWindowTest, HotSpotsAreLinksToScreenReadersNamedAfterWhatTheyOpen) {
    QAccessibleInterface* text = QAccessible::queryAccessibleInterface(&window->Control());
    ASSERT_NE(text, nullptr);
    ASSERT_EQ(text->childCount(), 3);
    QTest::keyClick(&window->Control(), Qt::Key_Tab);
    const QRect viewport(window->Control().viewport()->mapToGlobal(QPoint(0, 0)),
                         window->Control().viewport()->size());
    const struct {
        QString name;
        QRect spot;  // in the picture
        Hunk* opened;
    } spots[] = {{"Lamp", {0, 0, 10, 10}, hyper},
                 {"Tower", {20, 15, 20, 15}, tower},
                 {"Boat", {0, 20, 10, 10}, hyper}};
    for (int i = 0; i < 3; ++i) {
        QAccessibleInterface* spot = text->child(i);
        ASSERT_NE(spot, nullptr);
        EXPECT_EQ(spot->role(), QAccessible::Link);
        EXPECT_EQ(spot->text(QAccessible::Name), spots[i].name);
        EXPECT_EQ(spot->rect(), spots[i].spot.translated(viewport.topLeft() + OnPicture(0, 0)));
        EXPECT_TRUE(spot->state().focusable);
        EXPECT_EQ(spot->state().focused, i == 0) << i;
        spot->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        EXPECT_NE(ui.ViewOf(*spots[i].opened), nullptr);
    }
    EXPECT_EQ(PixelAt(25, 5), 5) << "pressing the lamp's spot painted it";
}

TEST_F(PictureWindowTest, SaveWindowWritesPngUnlessTheNameEndsInBmp) {
    for (const auto& [name, format] : {std::pair{"bay.png", "PNG"}, {"bay", "PNG"},
                                       {"bay.BMP", "BMP"}}) {
        dialogs.saveAnswer = folder / name;
        Client().Command(CM_SAVEWINDOW);
        EXPECT_EQ(dialogs.saveRequests.back(), DialogFilterOf(kPictureFileFilter) + "|png");
        const QImage saved(QString::fromStdString(*dialogs.saveAnswer), format);
        ASSERT_EQ(saved.size(), QSize(40, 30)) << name;
        EXPECT_EQ(saved.pixelColor(25, 5), ColourOf(2)) << name;
    }
}

TEST_F(PictureWindowTest, AnOverlayOpensItsPictureWindowAndPaintsOnce) {
    ASSERT_NE(lamp, nullptr);
    Client().closeAllSubWindows();
    DeleteClosed();
    ASSERT_EQ(ui.ViewOf(*hyper), nullptr);
    lamp->Open();
    window = ViewOf(hyper);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(Client().activeSubWindow()->widget(), window);
    EXPECT_EQ(ScreenAt(28, 7), ColourOf(5));

    // Again from its hot spot, with the window behind another: it comes to the front, nothing
    // is painted twice.
    OpenWindow(*tower);
    ASSERT_NE(Client().activeSubWindow()->widget(), window);
    ImageOf(*picture)->SetPixel(25, 5, 3);
    const size_t windows = WindowTitles().size();
    ClickAt(5, 5);
    EXPECT_EQ(Client().activeSubWindow()->widget(), window);
    EXPECT_EQ(WindowTitles().size(), windows);
    EXPECT_EQ(PixelAt(25, 5), 3);
}

// The boat's spot, listed before the tower's, lies below it.
TEST_F(PictureWindowTest, TabMarksTheHotSpotsTopToBottomThenLeftToRightAndWrapsRound) {
    const struct {
        Qt::Key key;
        const Hunk* marked;
    } steps[] = {{Qt::Key_Tab, lamp},     {Qt::Key_Tab, tower},    {Qt::Key_Tab, boat},
                 {Qt::Key_Tab, nullptr},  {Qt::Key_Tab, lamp},     {Qt::Key_Backtab, nullptr},
                 {Qt::Key_Backtab, boat}, {Qt::Key_Backtab, tower}};
    for (const auto& step : steps) {
        QTest::keyClick(&window->Control(), step.key);
        EXPECT_EQ(window->Control().CurrentLink(), step.marked) << step.key;
    }
}

// The frame is two pixels wide.
TEST_F(PictureWindowTest, TheMarkedHotSpotIsFramedInTheHighlightColourAndEnterOpensIt) {
    const QColor highlight = window->Control().palette().color(QPalette::Highlight);
    QTest::keyClick(&window->Control(), Qt::Key_Tab);  // the lamp's spot, (0, 0)-(10, 10)
    const struct {
        int x, y;
        bool framed;
    } points[] = {{0, 0, true},  {9, 9, true},  {1, 5, true},    {5, 8, true},
                  {2, 2, false}, {5, 5, false}, {10, 10, false}, {0, 20, false}};
    for (const auto& p : points)
        EXPECT_EQ(ScreenAt(p.x, p.y) == highlight, p.framed) << p.x << ", " << p.y;
    QTest::keyClick(&window->Control(), Qt::Key_Return);
    EXPECT_EQ(ScreenAt(28, 7), ColourOf(5)) << "the lamp is painted";
}

// In a hint window Space reveals the next hint while a link of the text is marked, as on the
// button; a marked hot spot is what the player sees framed, so Space opens it instead. In the
// help file "Lit?" shows the link "Map" and a picture with the tower's spot, then a hint.
TEST_F(WindowFixture, InAHintWindowSpaceOpensAMarkedHotSpotAndRevealsOtherwise) {
    auto root = MakeSubject("Help");
    HintNode* lit = root->Add(MakeNode("NESTHINT", "Lit?"));
    lit->Add(MakeText("Map", {"A map."}));
    lit->Add(MakeData("HYPERPNG", "Bay", CheckerPng()))
        ->AddRegion(0, 0, 10, 10, MakeText("Tower", {"Steps."}));
    lit->Separator().Line("Light it.");
    const std::string help = Write("RORED.KLU", HintFileOf(std::move(root)));
    ASSERT_EQ(LoadHintFile(ReadHintFile(help), state.helpDocument, true).result, LoadResult::Ok);
    Hunk* question = state.helpDocument.GetRoot()->FindByName("Lit?");
    HintWindow* window = OpenWindow(*question);
    ASSERT_NE(window->Button(), nullptr);
    TextView& text = window->Control();
    QTest::keyClick(window->Button(), Qt::Key_Tab);
    ASSERT_EQ(text.CurrentLink(), question->FindByName("Map"));
    QTest::keyClick(&text, Qt::Key_Space);
    EXPECT_EQ(window->Button()->text().toStdString(), "No more hints.");
    QTest::keyClick(&text, Qt::Key_Tab);
    QTest::keyClick(&text, Qt::Key_Space);  // the button's press would close the window now
    DeleteClosed();
    EXPECT_EQ(ViewOf(question), window);
    EXPECT_NE(ViewOf(question->FindByName("Tower")), nullptr);
}

// The picture's data cut inside the image data: it cannot be decoded.
class TruncatedPictureTest : public PictureWindowTest {
  protected:
    TruncatedPictureTest() : PictureWindowTest(CheckerPng().substr(0, CheckerPng().size() - 20)) {}
};

TEST_F(TruncatedPictureTest, TakesNoRoomButItsHotSpotsStillOpenTheirTargets) {
    EXPECT_EQ(ImageOf(*picture), nullptr);
    EXPECT_EQ(window->Control().Fragments()[0], (WrapInfo{8, 8, 8, 8, 0, 0, picture}));
    EXPECT_NE(ScreenAt(0, 0), ColourOf(0)) << "nothing is drawn";
    ClickAt(25, 20);
    EXPECT_NE(ui.ViewOf(*tower), nullptr);
}

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
