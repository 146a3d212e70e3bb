// Pictures in the text control: decoded from the hint file, drawn, hot spots as links, overlays.
#include <gtest/gtest.h>

#include <QImage>
#include <QTest>
#include <memory>

#include "../views/picture_test_support.h"
#include "model/hunk_ui.h"
#include "views/bitmap_file.h"
#include "views/bitmap_qimage.h"
#include "views/picture_images.h"
#include "views/string_control.h"

namespace klu::test {
namespace {

// Records the windows the model asks for and paints overlays in the control under test.
class PictureUi : public HunkUi {
  public:
    void OpenWindow(THunk& hunk) override { opened.push_back(&hunk); }
    void ShowUnknownData(THunk&) override {}
    void ShowOverlay(TOverlayHunk& overlay) override {
        if (control) control->ShowOverlay(overlay);
    }
    void OfferGifSave(TGIFaHunk&) override {}
    void PlaySound(TSoundHunk&) override {}
    void CloseView(THunk&) override {}

    TStringControl* control = nullptr;
    std::vector<THunk*> opened;
};

QColor ColourOf(const PngColor& c) {
    return QColor(c.red, c.green, c.blue);
}

// The picture file with a lamp overlay (plain colour 5, 4 x 3 pixels at (25, 5), hot spot
// (0, 0)-(10, 10)) and the tower's hot spot (20, 15)-(40, 30), shown by a control.
class PictureControlTest : public ::testing::Test {
  protected:
    explicit PictureControlTest(const std::string& picture_png = CheckerPng())
        : file(picture_png,
               {{"Lamp", EncodeOrFail(PlainPicture(4, 3, 5)), 25, 5, {0, 0, 10, 10}}}) {
        SetHunkUi(&ui);
    }
    ~PictureControlTest() override {
        control.reset();
        SetHunkUi(nullptr);
    }

    TStringControl& Show() {
        control = std::make_unique<TStringControl>(nullptr, *file.hyper);
        ui.control = control.get();
        control->resize(200, 160);
        control->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(control.get()));
        return *control;
    }
    QImage Grab() const { return control->viewport()->grab().toImage(); }
    // A point of the picture, in viewport coordinates: it lies at the text margin.
    static QPoint OnPicture(int x, int y) { return QPoint(kLayoutMargin + x, kLayoutMargin + y); }

    PictureUi ui;
    PictureFile file;
    std::unique_ptr<TStringControl> control;
};

TEST_F(PictureControlTest, PicturesAreDecodedFromTheFileAndDrawn) {
    TStringControl& shown = Show();
    // Without the file's path the picture has no image: no room, nothing drawn.
    ASSERT_EQ(shown.Fragments().size(), 1u);
    EXPECT_EQ(shown.Fragments()[0], (TWrapInfo{8, 8, 8, 8, 0, 0, &file.Picture()}));
    EXPECT_EQ(PictureSizeOf(file.Picture()), (TSize{0, 0}));

    shown.SetPicturePath(file.path);
    EXPECT_EQ(shown.PicturePath(), file.path);
    EXPECT_EQ(shown.Fragments()[0], (TWrapInfo{8, 8, 48, 38, 0, 0, &file.Picture()}));
    EXPECT_TRUE(shown.IsSingleImage());
    EXPECT_EQ(PictureSizeOf(file.Picture()), (TSize{40, 30}));
    const QImage screen = Grab();
    const std::vector<PngColor> colours = EightColours();
    EXPECT_EQ(screen.pixelColor(OnPicture(0, 0)), ColourOf(colours[0]));
    EXPECT_EQ(screen.pixelColor(OnPicture(25, 5)), ColourOf(colours[2]));
    EXPECT_EQ(screen.pixelColor(OnPicture(39, 15)), ColourOf(colours[0]));
    EXPECT_NE(screen.pixelColor(OnPicture(40, 15)), ColourOf(colours[0]));  // past its edge
    EXPECT_NE(screen.pixelColor(OnPicture(39, 30)), ColourOf(colours[0]));
}

TEST_F(PictureControlTest, HotSpotsAreLinksReachedByMouseOnly) {
    TStringControl& shown = Show();
    shown.SetPicturePath(file.path);
    ASSERT_EQ(shown.Links().size(), 2u);
    EXPECT_EQ(shown.Links()[1], (TLinkInfo{28, 23, 48, 38, file.tower}));

    QTest::mouseMove(shown.viewport(), OnPicture(30, 20));
    EXPECT_EQ(shown.viewport()->cursor().shape(), Qt::PointingHandCursor);
    QTest::mouseMove(shown.viewport(), OnPicture(15, 12));
    EXPECT_EQ(shown.viewport()->cursor().shape(), Qt::ArrowCursor);

    QTest::mouseClick(shown.viewport(), Qt::LeftButton, Qt::NoModifier, OnPicture(30, 20));
    EXPECT_EQ(ui.opened, std::vector<THunk*>{file.tower});
    // Outside every hot spot nothing opens.
    QTest::mouseClick(shown.viewport(), Qt::LeftButton, Qt::NoModifier, OnPicture(15, 12));
    EXPECT_EQ(ui.opened.size(), 1u);

    // The picture is the only child and never takes the focus.
    EXPECT_FALSE(shown.IsFocusable(0));
    EXPECT_EQ(shown.SelectNextLink(0), nullptr);
}

TEST_F(PictureControlTest, AnOverlayIsPaintedOnceAndGoesWithTheControl) {
    TStringControl& shown = Show();
    shown.SetPicturePath(file.path);
    const QColor lamp = ColourOf(EightColours()[5]);
    EXPECT_NE(Grab().pixelColor(OnPicture(25, 5)), lamp);

    // Opened from its hot spot, through the model.
    QTest::mouseClick(shown.viewport(), Qt::LeftButton, Qt::NoModifier, OnPicture(5, 5));
    QImage screen = Grab();
    EXPECT_EQ(screen.pixelColor(OnPicture(25, 5)), lamp);
    EXPECT_EQ(screen.pixelColor(OnPicture(28, 7)), lamp);
    EXPECT_NE(screen.pixelColor(OnPicture(29, 7)), lamp);
    EXPECT_NE(screen.pixelColor(OnPicture(25, 8)), lamp);

    // A second time nothing is painted again: a pixel changed meanwhile stays.
    ImageOf(file.Picture())->SetPixel(25, 5, 3);
    shown.ShowOverlay(*file.overlays[0]);
    EXPECT_EQ(ImageOf(file.Picture())->Pixel(25, 5), 3);
    EXPECT_EQ(OverlaysOf(file.Picture())->entries.size(), 1u);

    // Closing drops the image and the overlays; another control decodes afresh.
    control.reset();
    EXPECT_EQ(file.Picture().image, nullptr);
    EXPECT_EQ(file.Picture().overlays, nullptr);
    Show().SetPicturePath(file.path);
    EXPECT_NE(Grab().pixelColor(OnPicture(26, 5)), lamp);
    EXPECT_TRUE(OverlaysOf(file.Picture())->entries.empty());
}

TEST_F(PictureControlTest, OverlaysOfOtherPicturesAreLeftAlone) {
    PictureFile other(CheckerPng(), {{"Elsewhere", EncodeOrFail(PlainPicture(4, 3, 5)), 0, 0, {}}});
    Show().SetPicturePath(file.path);
    control->ShowOverlay(*other.overlays[0]);
    EXPECT_EQ(other.Picture().overlays, nullptr);
    EXPECT_TRUE(OverlaysOf(file.Picture())->entries.empty());
}

// The picture's data cut short: it cannot be decoded.
class TruncatedPictureTest : public PictureControlTest {
  protected:
    TruncatedPictureTest() : PictureControlTest(Truncated(CheckerPng())) {}
    // Cut inside the image data.
    static std::string Truncated(const std::string& png) { return png.substr(0, png.size() - 20); }
};

TEST_F(TruncatedPictureTest, HotSpotsStillOpenTheirTargets) {
    TStringControl& shown = Show();
    shown.SetPicturePath(file.path);
    EXPECT_EQ(ImageOf(file.Picture()), nullptr);
    EXPECT_EQ(shown.Fragments()[0], (TWrapInfo{8, 8, 8, 8, 0, 0, &file.Picture()}));
    QTest::mouseClick(shown.viewport(), Qt::LeftButton, Qt::NoModifier, OnPicture(25, 20));
    EXPECT_EQ(ui.opened, std::vector<THunk*>{file.tower});
}

TEST(BitmapImageTest, QtImageAndBitmapFileShowThePictureUpright) {
    DecodedBitmap bitmap(5, 3, {{10, 20, 30}, {200, 100, 50}, {0, 255, 0}});
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 5; ++x)
            bitmap.SetPixel(x, y, static_cast<uint8_t>((x + y) % 3));
    }
    // An index past the colour table, as an overlay may bring: black on screen.
    bitmap.SetPixel(4, 2, 200);

    const QImage image = ToQImage(bitmap);
    ASSERT_EQ(image.size(), QSize(5, 3));
    EXPECT_EQ(image.format(), QImage::Format_Indexed8);
    ASSERT_EQ(image.colorCount(), 256);
    EXPECT_EQ(image.color(1), qRgb(200, 100, 50));
    EXPECT_EQ(image.color(200), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixelIndex(4, 0), 1);
    EXPECT_EQ(image.pixelColor(4, 2), QColor(0, 0, 0));

    TempFolder folder;
    ASSERT_TRUE(WriteBmpFile(bitmap, folder / "picture.bmp"));
    const QImage read(QString::fromStdString(folder / "picture.bmp"), "BMP");
    ASSERT_EQ(read.size(), QSize(5, 3));
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(read.pixelColor(x, y), image.pixelColor(x, y)) << x << "," << y;
    }
}

}  // namespace
}  // namespace klu::test
