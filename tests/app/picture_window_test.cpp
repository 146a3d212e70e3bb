// Picture windows of the reader: sized to their picture, overlays opened into them.
#include <QScrollBar>

#include "../views/picture_test_support.h"
#include "views/picture_images.h"
#include "window_fixture.h"

namespace klu::test {
namespace {

// The picture file with a lamp overlay of colour 5 (4 x 3 pixels at (25, 5)), opened in the
// reader.
class PictureWindowTest : public WindowFixture {
  protected:
    PictureWindowTest()
        : plan(CheckerPng(),
               {{"Lamp", EncodeOrFail(PlainPicture(4, 3, 5)), 25, 5, {0, 0, 10, 10}}}) {
        Open(Write("pictures.klu", plan.bytes));
        hyper = dynamic_cast<THyperPNGHunk*>(Child("Bay"));
        picture = hyper ? hyper->Finish() : nullptr;
        lamp = picture ? dynamic_cast<TOverlayHunk*>(picture->FindByName("Lamp")) : nullptr;
    }

    uint8_t PixelAt(int x, int y) const {
        const DecodedBitmap* image = ImageOf(*picture);
        EXPECT_NE(image, nullptr);
        return image ? image->Pixel(x, y) : 0;
    }

    PictureFile plan;  // the file's bytes; the reader loads its own copy
    THyperPNGHunk* hyper = nullptr;
    TPNGObject* picture = nullptr;
    TOverlayHunk* lamp = nullptr;
};

TEST_F(PictureWindowTest, APictureWindowFitsItsPicture) {
    ASSERT_NE(hyper, nullptr);
    THintChild* window = OpenWindow(*hyper);
    ASSERT_NE(window, nullptr);
    TStringControl& control = window->Control();
    EXPECT_EQ(PictureSizeOf(*picture), (TSize{40, 30}));
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
    THintChild* top =
        dynamic_cast<THintChild*>(WindowHunkUi::ViewOf(*state.currentDocument.GetRoot()));
    ASSERT_NE(top, nullptr);
    EXPECT_FALSE(top->Control().IsSingleImage());
    EXPECT_GT(top->Frame().width(), window->Frame().width());
}

TEST_F(PictureWindowTest, AnOverlayOpensItsPictureWindowAndPaintsOnce) {
    ASSERT_NE(lamp, nullptr);
    ASSERT_EQ(WindowHunkUi::ViewOf(*hyper), nullptr);
    lamp->Open();
    auto* window = dynamic_cast<THintChild*>(WindowHunkUi::ViewOf(*hyper));
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(frame->Client().activeSubWindow()->widget(), window);
    EXPECT_EQ(PixelAt(25, 5), 5);
    EXPECT_EQ(PixelAt(28, 7), 5);
    EXPECT_EQ(PixelAt(29, 7), (2 + 0) % 4);

    // Again, with the window behind another: it comes to the front, nothing is painted twice.
    OpenWindow(*Child("Tower"));
    ASSERT_NE(frame->Client().activeSubWindow()->widget(), window);
    ImageOf(*picture)->SetPixel(25, 5, 3);
    const size_t windows = WindowTitles().size();
    lamp->Open();
    EXPECT_EQ(frame->Client().activeSubWindow()->widget(), window);
    EXPECT_EQ(WindowTitles().size(), windows);
    EXPECT_EQ(PixelAt(25, 5), 3);
}

TEST_F(PictureWindowTest, AReopenedWindowShowsThePictureWithoutOverlays) {
    lamp->Open();
    ASSERT_EQ(PixelAt(25, 5), 5);
    WindowHunkUi::ViewOf(*hyper)->CloseWindow();
    DeleteClosed();
    ASSERT_EQ(WindowHunkUi::ViewOf(*hyper), nullptr);
    EXPECT_EQ(picture->image, nullptr);

    OpenWindow(*hyper);
    EXPECT_EQ(PixelAt(25, 5), (2 + 0) % 4);
    EXPECT_TRUE(OverlaysOf(*picture)->entries.empty());
}

}  // namespace
}  // namespace klu::test
