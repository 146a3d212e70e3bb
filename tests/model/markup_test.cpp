// Flags that AddChild and Insert give appended lines: in-line commands, automatic hard breaks,
// and the pieces that commands cut a line into.
#include <gtest/gtest.h>

#include "model/document/meta_text_hunk.h"
#include "model/text/text_util.h"

namespace klu {
namespace {

// Each appended child as "text|hard break, ends source line, alternate font".
std::vector<std::string> Append(MetaTextHunk& hunk, const std::vector<std::string>& lines) {
    for (const auto& line : lines)
        hunk.AddChild(new HunkLine(line));
    std::vector<std::string> out;
    for (const KLUObject* c : hunk.children) {
        out.push_back(c->title.str() + "|" + std::to_string(c->hardBreak) +
                      std::to_string(c->endsSourceLine) + std::to_string(c->altFont));
    }
    return out;
}
std::vector<std::string> Append(const std::vector<std::string>& lines) {
    MetaTextHunk hunk("test", nullptr, COMMENT);
    return Append(hunk, lines);
}

TEST(AutomaticBreaks, ShortLinesEndThemselvesAndOneCharacterLinesTheLineBeforeToo) {
    const std::string a19(19, 'a'), b20(20, 'b'), c30(30, 'c');
    // Nineteen characters end a line and twenty do not; empty lines are dropped.
    EXPECT_EQ(Append({a19, b20, "", b20}),
              (std::vector<std::string>{a19 + "|110", b20 + "|010", b20 + "|010"}));
    EXPECT_EQ(Append({c30, " ", c30}),
              (std::vector<std::string>{c30 + "|110", " |110", c30 + "|010"}));
    // A hunk appended breaks itself and the line before.
    MetaTextHunk hunk("test", nullptr, SUBJECT);
    hunk.AddChild(new HunkLine(c30));
    hunk.AddChild(new MetaTextHunk("child", &hunk, HINT));
    ASSERT_EQ(hunk.children.size(), 2u);
    EXPECT_EQ(hunk.children[0]->hardBreak, 1);
    EXPECT_EQ(hunk.children[1]->hardBreak, 1);
}

TEST(Markup, DoubledHashStandsForOneAndCommandsCutLinesIntoPieces) {
    // A command was present, so a short line is not broken by the automatic rule.
    EXPECT_EQ(Append({"Press ## then #5 and #"}),
              std::vector<std::string>{"Press # then #5 and #|010"});
    // A piece does not end its source line; the one after "#p-" is in the alternate font.
    EXPECT_EQ(Append({"Before the cut #p- after the cut"}),
              (std::vector<std::string>{"Before the cut |000", " after the cut|011"}));
    // A "#" too far from its sign is no command.
    EXPECT_EQ(Append({"#ab+ stays as it is written here"}),
              std::vector<std::string>{"#ab+ stays as it is written here|010"});
    // An empty piece before a command unjoins the previous line.
    EXPECT_EQ(Append({"a long first line of body text", "#p-continued in the other font"}),
              (std::vector<std::string>{"a long first line of body text|000",
                                        "continued in the other font|011"}));
}

TEST(Markup, ASeparatorChangedInOneHunkStaysAsItWasInAnother) {
    // Loaded trees share their separators; an empty piece unjoins the separator before it.
    MetaTextHunk plain("plain", nullptr, HINT), cut("cut", nullptr, HINT);
    for (MetaTextHunk* hunk : {&plain, &cut}) {
        hunk->AddChild(new HunkLine("a long first hint of the question"));
        hunk->AppendSeparator(true);
    }
    cut.AddChild(new HunkLine("#p-the second hint in the other font"));
    EXPECT_EQ(FlagLetters(*plain.children.at(1)), "HSWE");
    EXPECT_EQ(FlagLetters(*cut.children.at(1)), "HSW");
}

// Lines are searched for the command sign many bytes at a time: the sign counts at every place
// of a line of any length, and a sign just outside the line does not.
TEST(Markup, TheCommandSignIsFoundAtEveryPlaceAndNowhereElse) {
    for (size_t size = 0; size <= 40; ++size) {
        std::string buffer(size + 2, '#');
        const std::string_view line(buffer.data() + 1, size);
        std::fill(buffer.begin() + 1, buffer.end() - 1, 'a');
        EXPECT_FALSE(ContainsByte(line, '#')) << size;
        for (size_t at = 0; at < size; ++at) {
            buffer[1 + at] = '#';
            EXPECT_TRUE(ContainsByte(line, '#')) << size << " at " << at;
            buffer[1 + at] = 'a';
        }
    }
}

}  // namespace
}  // namespace klu
