// Picture windows of the reader: decoded from the hint file and drawn, hot spots as links,
// overlays painted into them once.
#include <QAccessible>
#include <QTest>

#include "../views/picture_test_support.h"
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

// The picture is drawn at the text margin; its hot spots are links reached by the mouse only.
TEST_F(PictureWindowTest, APictureWindowShowsItsPictureAndHotSpotsOpenWhereTheMouseClicks) {
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
}

TEST_F(PictureWindowTest, HotSpotsAreLinksToScreenReadersNamedAfterWhatTheyOpen) {
    THintChild* window = OpenWindow(*hyper);
    ASSERT_NE(window, nullptr);
    QAccessibleInterface* text = QAccessible::queryAccessibleInterface(&window->Control());
    ASSERT_NE(text, nullptr);
    ASSERT_EQ(text->childCount(), 2);
    const QRect viewport(window->Control().viewport()->mapToGlobal(QPoint(0, 0)),
                         window->Control().viewport()->size());
    const struct {
        QString name;
        QRect spot;  // in the picture
        THunk* opened;
    } spots[] = {{"Lamp", {0, 0, 10, 10}, hyper}, {"Tower", {20, 15, 20, 15}, tower}};
    for (int i = 0; i < 2; ++i) {
        QAccessibleInterface* spot = text->child(i);
        ASSERT_NE(spot, nullptr);
        EXPECT_EQ(spot->role(), QAccessible::Link);
        EXPECT_EQ(spot->text(QAccessible::Name), spots[i].name);
        EXPECT_EQ(spot->rect(), spots[i].spot.translated(viewport.topLeft() + OnPicture(0, 0)));
        EXPECT_FALSE(spot->state().focusable) << "the picture stays out of the Tab order";
        spot->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        EXPECT_NE(WindowHunkUi::ViewOf(*spots[i].opened), nullptr);
    }
    EXPECT_EQ(PixelAt(25, 5), 5) << "pressing the lamp's spot painted it";
}

TEST_F(PictureWindowTest, AnOverlayOpensItsPictureWindowAndPaintsOnce) {
    ASSERT_NE(lamp, nullptr);
    ASSERT_EQ(WindowHunkUi::ViewOf(*hyper), nullptr);
    lamp->Open();
    THintChild* window = ViewOf(hyper);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(Client().activeSubWindow()->widget(), window);
    EXPECT_EQ(PixelAt(25, 5), 5);
    EXPECT_EQ(PixelAt(29, 7), (2 + 0) % 4);
    EXPECT_EQ(ScreenAt(*window, 28, 7), ColourOf(5));

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

}  // namespace
}  // namespace klu::test
