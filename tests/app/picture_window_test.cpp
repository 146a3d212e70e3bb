// Picture windows of the reader: decoded from the hint file and drawn, sized to their picture, hot
// spots as links, overlays painted into them once; and the picture as a Qt image and a BMP file.
#include <QScrollBar>
#include <QTest>

#include "../views/picture_test_support.h"
#include "views/bitmap_file.h"
#include "views/bitmap_qimage.h"
#include "views/picture_images.h"
#include "window_fixture.h"

namespace klu::test {
namespace {

QColor ColourOf(int index) {
    const PngColor c = EightColours()[static_cast<size_t>(index)];
    return QColor(c.red, c.green, c.blue);
}

// The picture file (40 x 30, colour (x / 10 + y / 10) % 4) with a lamp overlay of colour 5,
// 4 x 3 pixels at (25, 5) with the hot spot (0, 0)-(10, 10), and the tower's hot spot
// (20, 15)-(40, 30), opened in the reader.
class PictureWindowTest : public WindowFixture {
  protected:
    explicit PictureWindowTest(const std::string& picture_png = CheckerPng())
        : plan(picture_png,
               {{"Lamp", EncodeOrFail(PlainPicture(4, 3, 5)), 25, 5, {0, 0, 10, 10}}}) {
        Open(Write("pictures.klu", plan.bytes));
        hyper = dynamic_cast<THyperPNGHunk*>(Child("Bay"));
        picture = hyper ? hyper->Finish() : nullptr;
        lamp = picture ? dynamic_cast<TOverlayHunk*>(picture->FindByName("Lamp")) : nullptr;
        tower = picture ? picture->FindByName("Tower") : nullptr;
    }

    uint8_t PixelAt(int x, int y) const {
        const DecodedBitmap* image = ImageOf(*picture);
        EXPECT_NE(image, nullptr);
        return image ? image->Pixel(x, y) : 0;
    }
    // A point of the picture in the window's viewport: it lies at the text margin.
    static QPoint OnPicture(int x, int y) { return QPoint(kLayoutMargin + x, kLayoutMargin + y); }
    static QColor ScreenAt(THintChild& window, int x, int y) {
        return window.Control().viewport()->grab().toImage().pixelColor(OnPicture(x, y));
    }
    static void ClickAt(THintChild& window, int x, int y) {
        QTest::mouseClick(window.Control().viewport(), Qt::LeftButton, {}, OnPicture(x, y));
    }

    PictureFile plan;  // the file's bytes; the reader loads its own copy
    THyperPNGHunk* hyper = nullptr;
    TPNGObject* picture = nullptr;
    TOverlayHunk* lamp = nullptr;
    THunk* tower = nullptr;
};

TEST_F(PictureWindowTest, APictureWindowShowsItsPictureAndFitsIt) {
    ASSERT_NE(hyper, nullptr);
    THintChild* window = OpenWindow(*hyper);
    ASSERT_NE(window, nullptr);
    TStringControl& control = window->Control();
    EXPECT_EQ(PictureSizeOf(*picture), (TSize{40, 30}));
    EXPECT_TRUE(control.IsSingleImage());
    EXPECT_EQ(control.Fragments()[0], (TWrapInfo{8, 8, 48, 38, 0, 0, picture}));
    EXPECT_EQ(ScreenAt(*window, 0, 0), ColourOf(0));
    EXPECT_EQ(ScreenAt(*window, 25, 5), ColourOf(2));
    EXPECT_EQ(ScreenAt(*window, 39, 15), ColourOf(0));
    EXPECT_NE(ScreenAt(*window, 40, 15), ColourOf(0));  // past its edge
    EXPECT_NE(ScreenAt(*window, 39, 30), ColourOf(0));

    // The picture with its margins (and the line below it) fits without scrolling, with
    // little room to spare.
    const TSize document = control.DocumentSize();
    EXPECT_EQ(document.width, 56);
    EXPECT_GE(document.height, 46);
    const QSize room = control.viewport()->size();
    EXPECT_GE(room.width(), document.width);
    EXPECT_GE(room.height(), document.height);
    EXPECT_LE(room.width(), document.width + 8);
    EXPECT_LE(room.height(), document.height + 8);
    EXPECT_EQ(control.horizontalScrollBar()->maximum(), 0);
    EXPECT_EQ(control.verticalScrollBar()->maximum(), 0);
    // Windows of more than a picture keep the usual size.
    auto* top = dynamic_cast<THintChild*>(WindowHunkUi::ViewOf(*state.currentDocument.GetRoot()));
    ASSERT_NE(top, nullptr);
    EXPECT_FALSE(top->Control().IsSingleImage());
    EXPECT_GT(top->Frame().width(), window->Frame().width());
}

TEST_F(PictureWindowTest, HotSpotsAreLinksReachedByTheMouseOnly) {
    THintChild* window = OpenWindow(*hyper);
    ASSERT_NE(window, nullptr);
    TStringControl& control = window->Control();
    ASSERT_EQ(control.Links().size(), 2u);
    EXPECT_EQ(control.Links()[1], (TLinkInfo{28, 23, 48, 38, tower}));
    QTest::mouseMove(control.viewport(), OnPicture(30, 20));
    EXPECT_EQ(control.viewport()->cursor().shape(), Qt::PointingHandCursor);
    QTest::mouseMove(control.viewport(), OnPicture(15, 12));
    EXPECT_EQ(control.viewport()->cursor().shape(), Qt::ArrowCursor);
    // Outside every hot spot nothing opens; the tower's opens its text.
    const size_t windows = WindowTitles().size();
    ClickAt(*window, 15, 12);
    EXPECT_EQ(WindowTitles().size(), windows);
    ClickAt(*window, 30, 20);
    EXPECT_NE(WindowHunkUi::ViewOf(*tower), nullptr);
    // The picture is the only child and never takes the focus.
    EXPECT_FALSE(control.IsFocusable(0));
    EXPECT_EQ(control.SelectNextLink(0), nullptr);
}

TEST_F(PictureWindowTest, AnOverlayOpensItsPictureWindowAndPaintsOnceUntilItCloses) {
    ASSERT_NE(lamp, nullptr);
    ASSERT_EQ(WindowHunkUi::ViewOf(*hyper), nullptr);
    lamp->Open();
    auto* window = dynamic_cast<THintChild*>(WindowHunkUi::ViewOf(*hyper));
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(Client().activeSubWindow()->widget(), window);
    EXPECT_EQ(PixelAt(25, 5), 5);
    EXPECT_EQ(PixelAt(28, 7), 5);
    EXPECT_EQ(PixelAt(29, 7), (2 + 0) % 4);
    EXPECT_EQ(ScreenAt(*window, 28, 7), ColourOf(5));
    EXPECT_NE(ScreenAt(*window, 25, 8), ColourOf(5));

    // Again from its hot spot, with the window behind another: it comes to the front, nothing
    // is painted twice.
    OpenWindow(*tower);
    ASSERT_NE(Client().activeSubWindow()->widget(), window);
    ImageOf(*picture)->SetPixel(25, 5, 3);
    const size_t windows = WindowTitles().size();
    ClickAt(*window, 5, 5);
    EXPECT_EQ(Client().activeSubWindow()->widget(), window);
    EXPECT_EQ(WindowTitles().size(), windows);
    EXPECT_EQ(PixelAt(25, 5), 3);
    EXPECT_EQ(OverlaysOf(*picture)->entries.size(), 1u);
    // An overlay of another picture is left alone.
    PictureFile other(CheckerPng(), {{"Elsewhere", EncodeOrFail(PlainPicture(4, 3, 5)), 0, 0, {}}});
    window->Control().ShowOverlay(*other.overlays[0]);
    EXPECT_EQ(other.Picture().overlays, nullptr);
    EXPECT_EQ(OverlaysOf(*picture)->entries.size(), 1u);

    // Closed, the window lets its picture go; opened again, it shows the picture afresh.
    window->CloseWindow();
    DeleteClosed();
    ASSERT_EQ(WindowHunkUi::ViewOf(*hyper), nullptr);
    EXPECT_EQ(picture->image, nullptr);
    EXPECT_EQ(picture->overlays, nullptr);
    OpenWindow(*hyper);
    EXPECT_EQ(PixelAt(25, 5), (2 + 0) % 4);
    EXPECT_TRUE(OverlaysOf(*picture)->entries.empty());
}

// The picture's data cut inside the image data: it cannot be decoded.
class TruncatedPictureTest : public PictureWindowTest {
  protected:
    TruncatedPictureTest() : PictureWindowTest(CheckerPng().substr(0, CheckerPng().size() - 20)) {}
};

TEST_F(TruncatedPictureTest, TakesNoRoomButItsHotSpotsStillOpenTheirTargets) {
    THintChild* window = OpenWindow(*hyper);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(ImageOf(*picture), nullptr);
    EXPECT_EQ(window->Control().Fragments()[0], (TWrapInfo{8, 8, 8, 8, 0, 0, picture}));
    EXPECT_NE(ScreenAt(*window, 0, 0), ColourOf(0)) << "nothing is drawn";
    ClickAt(*window, 25, 20);
    EXPECT_NE(WindowHunkUi::ViewOf(*tower), nullptr);
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
