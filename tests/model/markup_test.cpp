// Flags that AddChild and Insert give appended lines: in-line commands, automatic hard breaks,
// and the pieces that commands cut a line into.
#include <gtest/gtest.h>

#include "model/meta_text_hunk.h"

namespace klu {
namespace {

struct Appended {
    std::string text;
    int hard, ends, wrap, alt;
};

std::vector<Appended> Append(const std::vector<std::string>& lines) {
    TMetaTextHunk hunk("test", nullptr, COMMENT);
    for (const auto& line : lines)
        hunk.AddChild(new THunkLine(line));
    std::vector<Appended> out;
    for (const TKLUObject* c : hunk.children) {
        out.push_back({c->title, c->hardBreak, c->endsSourceLine, c->wrap, c->altFont});
    }
    return out;
}

TEST(AutomaticBreaks, NineteenCharactersEndALineAndTwentyDoNot) {
    const auto out = Append({std::string(19, 'a'), std::string(20, 'b')});
    ASSERT_EQ(out.size(), 2u);
    EXPECT_EQ(out[0].hard, 1);
    EXPECT_EQ(out[1].hard, 0);
    EXPECT_EQ(out[0].ends, 1);
    EXPECT_EQ(out[1].ends, 1);
}

TEST(AutomaticBreaks, OneCharacterLineBreaksItselfAndTheLineBefore) {
    const auto out = Append({std::string(30, 'a'), " ", std::string(30, 'b')});
    ASSERT_EQ(out.size(), 3u);
    EXPECT_EQ(out[0].hard, 1);
    EXPECT_EQ(out[1].hard, 1);
    EXPECT_EQ(out[2].hard, 0);
}

TEST(AutomaticBreaks, EmptyLinesAreDropped) {
    const auto out = Append({"first line of the text", "", "second line of the text"});
    ASSERT_EQ(out.size(), 2u);
    EXPECT_EQ(out[0].hard, 0);
}

TEST(Markup, DoubledHashStandsForOneAndHashDigitStays) {
    const auto out = Append({"Press ## then #5 and #"});
    ASSERT_EQ(out.size(), 1u);
    EXPECT_EQ(out[0].text, "Press # then #5 and #");
    // A command was present, so the line is not short-broken by the automatic rule.
    EXPECT_EQ(out[0].hard, 0);
}

TEST(Markup, LineOfOnlyACommandSwitchesModesAndAddsNothing) {
    TMetaTextHunk hunk("test", nullptr, COMMENT);
    hunk.AddChild(new THunkLine("#w-"));
    EXPECT_TRUE(hunk.children.empty());
    EXPECT_EQ(hunk.breakMode, 1);
    EXPECT_EQ(hunk.wrapMode, 2);
    hunk.AddChild(new THunkLine(std::string(40, 'x')));
    ASSERT_EQ(hunk.children.size(), 1u);
    EXPECT_EQ(hunk.children[0]->hardBreak, 1);
    EXPECT_EQ(hunk.children[0]->wrap, 0);
}

TEST(Markup, CommandCutsALineIntoPieces) {
    const auto out = Append({"Before the cut #p- after the cut"});
    ASSERT_EQ(out.size(), 2u);
    EXPECT_EQ(out[0].text, "Before the cut ");
    EXPECT_EQ(out[0].ends, 0);  // a piece does not end its source line
    EXPECT_EQ(out[0].alt, 0);
    EXPECT_EQ(out[0].hard, 0);
    EXPECT_EQ(out[1].text, " after the cut");
    EXPECT_EQ(out[1].ends, 1);
    EXPECT_EQ(out[1].alt, 1);
    EXPECT_EQ(out[1].hard, 0);  // short, but it had a command
}

TEST(Markup, CommandsAreCaseInsensitiveAndUnknownOnesOnlyCut) {
    TMetaTextHunk hunk("test", nullptr, COMMENT);
    hunk.AddChild(new THunkLine("#W+"));
    EXPECT_EQ(hunk.breakMode, 2);
    EXPECT_EQ(hunk.wrapMode, 1);
    hunk.AddChild(new THunkLine("a#P-b#x+c#+d"));
    EXPECT_EQ(hunk.fontMode, 1);
    EXPECT_EQ(hunk.breakMode, 2);
    ASSERT_EQ(hunk.children.size(), 4u);
    EXPECT_EQ(hunk.children[0]->title, "a");
    EXPECT_EQ(hunk.children[1]->title, "b");
    EXPECT_EQ(hunk.children[3]->title, "d");
    for (const TKLUObject* c : hunk.children)
        EXPECT_EQ(c->hardBreak, 0);  // lines are joined
    hunk.AddChild(new THunkLine("#w.#p+"));
    EXPECT_EQ(hunk.breakMode, 0);
    EXPECT_EQ(hunk.wrapMode, 0);
    EXPECT_EQ(hunk.fontMode, 2);
}

TEST(Markup, HashFollowedByTooDistantEndIsNoCommand) {
    const auto out = Append({"#abc+ stays as it is written here"});
    ASSERT_EQ(out.size(), 1u);
    EXPECT_EQ(out[0].text, "#abc+ stays as it is written here");
}

TEST(Markup, EmptyPieceBeforeACommandUnjoinsThePreviousLine) {
    const auto out = Append({"a long first line of body text", "#p-continued in the other font"});
    ASSERT_EQ(out.size(), 2u);
    EXPECT_EQ(out[0].ends, 0);
    EXPECT_EQ(out[1].alt, 1);
}

TEST(Insert, HunksBreakThemselvesAndTheLineBefore) {
    TMetaTextHunk hunk("test", nullptr, SUBJECT);
    hunk.AddChild(new THunkLine(std::string(30, 'a')));
    hunk.AddChild(new TMetaTextHunk("child", &hunk, HINT));
    ASSERT_EQ(hunk.children.size(), 2u);
    EXPECT_EQ(hunk.children[0]->hardBreak, 1);
    EXPECT_EQ(hunk.children[1]->hardBreak, 1);
}

}  // namespace
}  // namespace klu
