// The older generation: subjects, questions and hints tied together by body line numbers.
#include <gtest/gtest.h>

#include "model/format/decode.h"
#include "model/document/meta_text_hunk.h"
#include "model_test_support.h"

namespace klu {
namespace {

using test::LoadBytes;
using test::Tree;

TEST(Load88a, SubjectsQuestionsHintsAndTheAuthorsNote) {
    HintFilePlan plan;
    plan.title88 = "Old Game";
    plan.subjects88 = {
        {"The Cave",
         {{"How do I light the lamp", {"Look around.", "Use the flint on the lamp."}},
          {"Where is the key?", {"Under the mat."}}}},
        {"The Tower", {{"How do I climb", {"Rope.", "Tie it to the hook.", "Pull yourself up."}}}},
    };
    plan.note88 = {"Written on a rainy day.", "Enjoy!"};
    HintDocument doc;
    ASSERT_EQ(LoadBytes(test::WriteOrFail(plan), doc), LoadResult::Ok);
    ASSERT_EQ(doc.Count(), 1u);
    EXPECT_EQ(doc.GetRoot(), doc.Entry(0));
    // A question always gets "?" appended, even when its title ends with one; the last hint of a
    // question has no separator after it; the author's note is plain, not deciphered.
    EXPECT_EQ(Tree(*doc.GetRoot()),
              "SUBJECT Old Game{SUBJECT The Cave{HINT How do I light the lamp?{Look around.|--|"
              "Use the flint on the lamp.}|HINT Where is the key??{Under the mat.}}|"
              "SUBJECT The Tower{HINT How do I climb?{Rope.|--|Tie it to the hook.|--|"
              "Pull yourself up.}}|CREDIT A note from the author{Written on a rainy day.|Enjoy!}}");

    // The magic line is case-insensitive but exact.
    std::string bytes = test::WriteOrFail(plan);
    bytes[0] = 'k';
    bytes[1] = 'l';
    EXPECT_EQ(LoadBytes(bytes, doc), LoadResult::Ok);
    EXPECT_EQ(LoadBytes("KLU \r\nTitle\r\n1\r\n0\r\n", doc), LoadResult::NotHintFile);
    EXPECT_EQ(doc.Count(), 0u);
    EXPECT_EQ(LoadBytes("PK\x03\x04 zipped", doc), LoadResult::ZipArchive);
    EXPECT_EQ(doc.Count(), 0u);
    EXPECT_EQ(LoadBytes("", doc), LoadResult::NotHintFile);
}

TEST(Load88a, NumbersUseThePrefixRule) {
    // A = 07 (octal 7), B = 0x9; the subject's content starts at line 03, the first question's
    // hints at 07 and the second question's at 011 (octal 9).
    HintDocument doc;
    ASSERT_EQ(LoadBytes("KLU\r\nOctal\r\n07\r\n0x9\r\nSubject\r\n03\r\nQuestion\r\n07\r\n"
                        "Other\r\n011\r\nHint one\r\nHint two\r\nHint three\r\n",
                        doc),
              LoadResult::Ok);
    EXPECT_EQ(Tree(*doc.GetRoot()), "SUBJECT Octal{SUBJECT " + Decode88("Subject") + "{HINT " +
                                        Decode88("Question") + "?{" + Decode88("Hint one") +
                                        "|--|" + Decode88("Hint two") + "}|HINT " +
                                        Decode88("Other") + "?{" + Decode88("Hint three") + "}}}");
}

}  // namespace
}  // namespace klu
