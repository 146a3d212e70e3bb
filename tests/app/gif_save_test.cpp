// Opening a GIF hunk: the question, the save dialog, the copy of the data, and the reports of
// files that cannot be read or written.
#include "app/gif_save.h"

#include <gtest/gtest.h>

#include "app/menu_table.h"
#include "fake_user_dialogs.h"
#include "media_test_support.h"

namespace klu::test {
namespace {

std::string Picture(size_t size) {
    std::string bytes = "GIF89a";
    for (size_t i = bytes.size(); i < size; ++i)
        bytes += static_cast<char>((i * 13 + i / 256) & 0xFF);
    return bytes;
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
    EXPECT_TRUE(question.text.starts_with(
        "The KLU readers can no longer show pictures stored in the GIF format, due to recent "
        "changes in the legal status of that format.  A new version"));
    EXPECT_NE(question.text.find(std::string("is available at ") + kMakerWebAddress +
                                 ".  You may also save this image"),
              std::string::npos)
        << question.text;
    EXPECT_TRUE(question.text.ends_with("Do you wish to save?"));

    ASSERT_EQ(dialogs.saveRequests.size(), 1u);
    EXPECT_EQ(dialogs.saveRequests[0], "Compuserve GIF Files (*.[Gg][Ii][Ff]);;All Files (*)|gif");
    EXPECT_EQ(ReadFile(target), Picture(10000));
}

TEST_F(GifSaveTest, NoOrACancelledDialogSavesNothing) {
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
}

TEST_F(GifSaveTest, AFileThatCannotBeReadOrWrittenIsReported) {
    ASSERT_NE(file.gif, nullptr);
    dialogs.answer = MessageAnswer::Yes;

    const std::string nowhere = file.folder / "gone/map.gif";
    dialogs.saveAnswer = nowhere;
    Offer();
    ASSERT_EQ(dialogs.messages.size(), 2u);
    EXPECT_EQ(dialogs.messages[1].title, "Error");
    EXPECT_EQ(dialogs.messages[1].icon, MessageIcon::Stop);
    EXPECT_EQ(dialogs.messages[1].buttons, MessageButtons::Ok);
    EXPECT_NE(dialogs.messages[1].text.find(nowhere), std::string::npos)
        << dialogs.messages[1].text;

    // The hint file went away after it was loaded.
    dialogs.saveAnswer = target;
    std::remove(file.path.c_str());
    Offer();
    ASSERT_EQ(dialogs.messages.size(), 4u);
    EXPECT_EQ(dialogs.messages[3].icon, MessageIcon::Stop);
    EXPECT_NE(dialogs.messages[3].text.find(file.path), std::string::npos)
        << dialogs.messages[3].text;
    EXPECT_EQ(file.folder.EntryCount(), 0u);
}

}  // namespace
}  // namespace klu::test
