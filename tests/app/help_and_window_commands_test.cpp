// The help commands, and the window commands Save and Copy.
#include <QClipboard>
#include <QGuiApplication>
#include <fstream>
#include <sstream>

#include "app/command_texts.h"
#include "app/klu_client.h"
#include "window_fixture.h"

namespace klu::test {
namespace {

class HelpCommandsTest : public WindowFixture {
  protected:
    // Loads a help file with the two subjects the commands look for, or without them.
    void LoadHelp(bool with_subjects) {
        HintFileSpec plan;
        plan.root = MakeSubject("KLU Reader Documentation");
        if (with_subjects) {
            plan.root->Add(MakeSubject("Help File Index"))->Add(MakeText("Index", {"Topics"}));
            plan.root->Add(MakeSubject("Unzipping ZIP Files"))->Add(MakeText("Zip", {"Unpack"}));
        } else {
            plan.root->Add(MakeText("About", {"Nothing here"}));
        }
        std::string error;
        const std::optional<std::string> bytes = WriteHintFile(plan, &error);
        ASSERT_TRUE(bytes) << error;
        LoadResult result = LoadOk;
        ASSERT_TRUE(LoadHintFileAt(Write("RORED.KLU", *bytes), state.helpDocument, true, result));
        ASSERT_EQ(result, LoadOk);
    }
    TKLUClient& Client() { return frame->Client(); }
};

TEST_F(HelpCommandsTest, WithoutAHelpFileEachCommandSaysSo) {
    Client().Command(501);
    Client().Command(502);
    ASSERT_EQ(dialogs.messages.size(), 2u);
    EXPECT_EQ(dialogs.messages[0].text, "Unable to locate help file.");
    EXPECT_EQ(dialogs.messages[0].icon, MessageIcon::None);
    EXPECT_EQ(dialogs.messages[1].text, "Unable to locate help file");
    EXPECT_EQ(dialogs.messages[1].icon, MessageIcon::Stop);
    EXPECT_EQ(dialogs.messages[1].title, "Error");
    EXPECT_TRUE(WindowTitles().empty());
}

TEST_F(HelpCommandsTest, ShowHelpFileOpensTheIndexOrElseTheTop) {
    LoadHelp(true);
    Client().Command(501);
    EXPECT_EQ(WindowTitles(), std::vector<std::string>{"Help File Index"});

    state.helpDocument.Clear();
    frame->Client().closeAllSubWindows();
    LoadHelp(false);
    Client().Command(501);
    EXPECT_EQ(WindowTitles(), std::vector<std::string>{"KLU Reader Documentation"});
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(HelpCommandsTest, HelpOfTheZipMessageOpensItsSubjectOnly) {
    const std::string zip = Write("archive.klu", std::string("PK\x03\x04 zipped", 10));
    dialogs.answer = MessageAnswer::Help;
    Open(zip);
    ASSERT_EQ(dialogs.messages.size(), 2u);
    EXPECT_EQ(dialogs.messages[0].buttons, MessageButtons::OkHelp);
    EXPECT_EQ(dialogs.messages[1].text, "Unable to locate help file.");

    dialogs.messages.clear();
    LoadHelp(false);  // no such subject: the top is no answer
    Open(zip);
    ASSERT_EQ(dialogs.messages.size(), 2u);
    EXPECT_EQ(dialogs.messages[1].text, "Unable to locate help file.");

    dialogs.messages.clear();
    state.helpDocument.Clear();
    LoadHelp(true);
    Open(zip);
    EXPECT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(WindowTitles(), std::vector<std::string>{"Unzipping ZIP Files"});
}

TEST_F(HelpCommandsTest, WebSiteOpensTheAddressAndExplainsAFailure) {
    Client().Command(510);
    ASSERT_EQ(dialogs.webAddresses.size(), 1u);
    EXPECT_TRUE(dialogs.messages.empty());
    dialogs.webAnswer = false;
    Client().Command(510);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].title, "Error connecting to KLU web site");
    EXPECT_TRUE(dialogs.messages[0].text.ends_with(dialogs.webAddresses[0]));
    EXPECT_TRUE(dialogs.messages[0].text.starts_with("This program was unable to find your web"));
}

using WindowCommandsTest = HelpCommandsTest;

TEST_F(WindowCommandsTest, CopyTakesWhatTheWindowShowsAndSaveTheWholeHunkEachTime) {
    Open(Write("game.klu", ThreeHintFile()));
    THintChild* question = OpenWindow(*Child("How?"));
    ASSERT_NE(question, nullptr);
    question->CmAnotherHint();  // two of three hints shown
    frame->UpdateMenus();
    ASSERT_EQ(Client().CurrentView(), question);

    Client().Command(205);
    const std::string copied = QGuiApplication::clipboard()->text().toStdString();
    EXPECT_NE(copied.find("first"), std::string::npos);
    EXPECT_NE(copied.find("second"), std::string::npos);
    EXPECT_EQ(copied.find("third"), std::string::npos);
    EXPECT_TRUE(copied.ends_with("\r\n"));

    dialogs.saveAnswer = folder / "saved.txt";
    Client().Command(203);
    Client().Command(203);
    std::ifstream in(*dialogs.saveAnswer, std::ios::binary);
    std::stringstream saved;
    saved << in.rdbuf();
    const std::string text = saved.str();
    // Both copies, each with the title and the hidden hint too.
    const size_t first = text.find("How?\n\n");
    ASSERT_NE(first, std::string::npos) << text;
    EXPECT_NE(text.find("How?\n\n", first + 1), std::string::npos) << text;
    EXPECT_NE(text.find("third"), std::string::npos);
    EXPECT_TRUE(dialogs.messages.empty());

    dialogs.saveAnswer = folder / "missing/saved.txt";
    Client().Command(203);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].icon, MessageIcon::Stop);
}

}  // namespace
}  // namespace klu::test
