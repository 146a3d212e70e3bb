// Print File, Print Help File and Print Window, printed to PDF through the dialogs double.
#include "../views_qt/pdf_tools.h"
#include "app/klu_client.h"
#include "window_fixture.h"

namespace klu::test {
namespace {

class PrintCommandsTest : public WindowFixture {
  protected:
    PrintCommandsTest() { dialogs.printFile = folder / "printed.pdf"; }
    TKLUClient& Client() { return frame->Client(); }
    std::string Printed() { return PdfText(dialogs.printFile); }

    // A question of four hints, "hint one" to "hint four".
    static std::string FourHintFile() {
        HintFileSpec plan;
        plan.root = MakeSubject("Printed Game");
        plan.root->Add(
            MakeQuestion("Four?", {{"hint one"}, {"hint two"}, {"hint three"}, {"hint four"}}));
        plan.root->Add(MakeQuestion("Other?", {{"elsewhere"}}));
        std::string error;
        const std::optional<std::string> bytes = WriteHintFile(plan, &error);
        EXPECT_TRUE(bytes) << error;
        return bytes.value_or(std::string());
    }
};

TEST_F(PrintCommandsTest, PrintWindowPrintsOnlyTheRevealedHints) {
    Open(Write("game.klu", FourHintFile()));
    THintChild* question = OpenWindow(*Child("Four?"));
    ASSERT_NE(question, nullptr);
    question->CmAnotherHint();
    frame->UpdateMenus();
    Client().Command(204);
    ASSERT_EQ(dialogs.printRequests.size(), 1u);
    const std::string text = Printed();
    EXPECT_NE(text.find("KLU: Four?"), std::string::npos) << text;
    EXPECT_NE(text.find("hint two"), std::string::npos) << text;
    EXPECT_EQ(text.find("hint three"), std::string::npos) << text;
}

TEST_F(PrintCommandsTest, PrintFilePrintsEveryHintAndLeavesTheTreeAsItWas) {
    Open(Write("game.klu", FourHintFile()));
    TItemsHunk* question = Child("Four?");
    const size_t children = question->GetChildCount();
    const TKLUObject* first_line = question->GetChild(0);
    const THunk* first_parent = first_line->parent;
    Client().Command(110);
    const std::string text = Printed();
    EXPECT_NE(text.find("KLU: Hints for Printed Game"), std::string::npos) << text;
    for (const char* hint : {"hint one", "hint four", "elsewhere"})
        EXPECT_NE(text.find(hint), std::string::npos) << hint;
    EXPECT_EQ(question->GetChildCount(), children);
    EXPECT_EQ(question->GetChild(0), first_line);
    EXPECT_EQ(first_line->parent, first_parent);

    // A cancelled dialog prints nothing.
    std::filesystem::remove(dialogs.printFile);
    dialogs.printFile.clear();
    Client().Command(110);
    EXPECT_FALSE(std::filesystem::exists(folder / "printed.pdf"));
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(PrintCommandsTest, PrintHelpFileStartsAtTheIndexWhenThereIsOne) {
    HintFileSpec plan;
    plan.root = MakeSubject("KLU Reader Documentation");
    plan.root->Add(MakeText("Preface", {"outside the index"}));
    plan.root->Add(MakeSubject("Help File Index"))->Add(MakeText("Topic", {"inside the index"}));
    std::string error;
    const std::optional<std::string> bytes = WriteHintFile(plan, &error);
    ASSERT_TRUE(bytes) << error;
    LoadResult result = LoadOk;
    ASSERT_TRUE(LoadHintFileAt(Write("RORED.KLU", *bytes), state.helpDocument, true, result));
    Client().Command(502);
    const std::string text = Printed();
    EXPECT_NE(text.find("KLU: KLUWIN Documentation"), std::string::npos) << text;
    EXPECT_NE(text.find("inside the index"), std::string::npos) << text;
    EXPECT_EQ(text.find("outside the index"), std::string::npos) << text;
}

TEST_F(PrintCommandsTest, PrinterSetupAsksTheDialogs) {
    Client().Command(111);
    EXPECT_EQ(dialogs.printerSetups, 1);
}

}  // namespace
}  // namespace klu::test
