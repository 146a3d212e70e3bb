// The older generation: subjects, questions and hints tied together by body line numbers.
#include <gtest/gtest.h>

#include "model/decode.h"
#include "model/meta_text_hunk.h"
#include "model_test_support.h"

namespace klu {
namespace {

using test::ChildTexts;
using test::Items;
using test::LoadBytes;

HintFileSpec TwoSubjects() {
    HintFileSpec plan;
    plan.title88 = "Old Game";
    plan.subjects88 = {
        {"The Cave",
         {{"How do I light the lamp", {"Look around.", "Use the flint on the lamp."}},
          {"Where is the key?", {"Under the mat."}}}},
        {"The Tower", {{"How do I climb", {"Rope.", "Tie it to the hook.", "Pull yourself up."}}}},
    };
    return plan;
}

TEST(Load88a, SubjectsQuestionsAndHintsWithSeparators) {
    THintDocument doc;
    ASSERT_EQ(LoadBytes(test::WriteOrFail(TwoSubjects()), doc), LoadOk);
    ASSERT_EQ(doc.Count(), 1u);
    THunk* root = doc.GetRoot();
    EXPECT_EQ(root, doc.Entry(0));
    EXPECT_EQ(root->title, "Old Game");
    EXPECT_EQ(root->GetType(), SUBJECT);
    auto* items = Items(root);
    EXPECT_EQ(ChildTexts(*items), (std::vector<std::string>{"The Cave", "The Tower"}));

    auto* cave = Items(items->children[0]);
    EXPECT_EQ(cave->GetType(), SUBJECT);
    // A question always gets "?" appended, even when its title ends with one.
    EXPECT_EQ(ChildTexts(*cave),
              (std::vector<std::string>{"How do I light the lamp?", "Where is the key??"}));
    auto* lamp = static_cast<TMetaTextHunk*>(cave->children[0]);
    EXPECT_EQ(lamp->GetType(), HINT);
    EXPECT_EQ(ChildTexts(*lamp),
              (std::vector<std::string>{"Look around.", "-", "Use the flint on the lamp."}));
    EXPECT_EQ(lamp->children[1]->isSeparator, 1);
    EXPECT_EQ(lamp->HintCount(), 2);
    // The last hint of a question has no separator after it.
    auto* key = Items(cave->children[1]);
    EXPECT_EQ(ChildTexts(*key), (std::vector<std::string>{"Under the mat."}));
    auto* climb = static_cast<TMetaTextHunk*>(Items(items->children[1])->children[0]);
    EXPECT_EQ(climb->HintCount(), 3);
}

TEST(Load88a, AuthorNoteBecomesTheLastChildOfTheRoot) {
    HintFileSpec plan = TwoSubjects();
    plan.note88 = {"Written on a rainy day.", "Enjoy!"};
    THintDocument doc;
    ASSERT_EQ(LoadBytes(test::WriteOrFail(plan), doc), LoadOk);
    auto* root = Items(doc.GetRoot());
    ASSERT_EQ(root->children.size(), 3u);
    auto* note = Items(root->children[2]);
    EXPECT_EQ(note->title, "A note from the author");
    EXPECT_EQ(note->GetType(), CREDIT);
    EXPECT_EQ(ChildTexts(*note), plan.note88);  // plain, not deciphered
}

TEST(Load88a, MagicLineIsCaseInsensitiveButExact) {
    std::string bytes = test::WriteOrFail(TwoSubjects());
    THintDocument doc;
    bytes[0] = 'k';
    bytes[1] = 'l';
    EXPECT_EQ(LoadBytes(bytes, doc), LoadOk);
    EXPECT_EQ(LoadBytes("KLU \r\nTitle\r\n1\r\n0\r\n", doc), LoadNotHintFile);
    EXPECT_EQ(doc.Count(), 0u);
    EXPECT_EQ(LoadBytes("PK\x03\x04 zipped", doc), LoadZipArchive);
    EXPECT_EQ(doc.Count(), 0u);
    EXPECT_EQ(LoadBytes("", doc), LoadNotHintFile);
}

TEST(Load88a, NumbersUseThePrefixRule) {
    // A = 07 (octal 7), B = 0x9; the subject's content starts at line 03, the first question's
    // hints at 07 and the second question's at 011 (octal 9).
    const std::string file =
        "KLU\r\nOctal\r\n07\r\n0x9\r\n"
        "Subject\r\n03\r\n"
        "Question\r\n07\r\n"
        "Other\r\n011\r\n"
        "Hint one\r\nHint two\r\nHint three\r\n";
    THintDocument doc;
    ASSERT_EQ(LoadBytes(file, doc), LoadOk);
    auto* subject = Items(Items(doc.GetRoot())->children.at(0));
    ASSERT_NE(subject, nullptr);
    ASSERT_EQ(subject->children.size(), 2u);
    auto* first = Items(subject->children[0]);
    EXPECT_EQ(ChildTexts(*first),
              (std::vector<std::string>{Decode88("Hint one"), "-", Decode88("Hint two")}));
    EXPECT_EQ(ChildTexts(*Items(subject->children[1])),
              (std::vector<std::string>{Decode88("Hint three")}));
}

TEST(Load88a, BodyLineNumbersOfAThousandAndMoreAreAccepted) {
    // 500 subject pairs (lines 1 to 999), all pointing at line 1001, where the question pair
    // stands; the last subject to claim line 1001 receives the question.
    std::string file = "KLU\r\nBig\r\n1003\r\n1003\r\n";
    for (int line = 1; line < 1000; line += 2)
        file += "Subject\r\n1001\r\n";
    file += "Question\r\n1003\r\nThe hint\r\n";
    THintDocument doc;
    ASSERT_EQ(LoadBytes(file, doc), LoadOk);
    auto* root = Items(doc.GetRoot());
    ASSERT_EQ(root->children.size(), 500u);
    EXPECT_TRUE(Items(root->children.front())->children.empty());
    auto* last = Items(root->children.back());
    ASSERT_EQ(last->children.size(), 1u);
    auto* question = Items(last->children[0]);
    EXPECT_EQ(question->title, Decode88("Question") + "?");
    EXPECT_EQ(ChildTexts(*question), (std::vector<std::string>{Decode88("The hint")}));
}

}  // namespace
}  // namespace klu
