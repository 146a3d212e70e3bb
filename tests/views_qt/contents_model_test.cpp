// The contents tree: which hunks it lists and how, and the filter over its titles.

#include <tuple>

#include "../model/model_test_support.h"
#include "model/document/hunk.h"
#include "views/contents_filter.h"
#include "views/contents_model.h"

namespace klu::test {
namespace {

// A title with an accent: Windows-1252 in the file, UTF-8 in the tree.
const std::string kEcole = "\u00C9cole notes";

// "Game" holds a chapter with a question, a link to it, a blank and a page; a nested hint with a
// page inside; a picture with a hot spot on a page and one on an overlay; a sound.
std::string ContentsFile() {
    auto root = MakeSubject("Game");
    HintNode* chapter = root->Add(MakeSubject("Chapter One"));
    const HintNode* where = chapter->Add(MakeQuestion("Where is the key?", {{"under"}, {"mat"}}));
    chapter->Add(MakeLink("See the key", where));
    chapter->Add(MakeBlank());
    chapter->Add(MakeText("\311cole notes", {"The key is under the mat."}));
    HintNode* deep = root->Add(MakeNode("NESTHINT", "Deep?"));
    deep->Line("Look down.");
    deep->Add(MakeText("Inner page", {"Key lore."}));
    HintNode* map = root->Add(MakeData("HYPERPNG", "Map", "no picture"));
    map->AddRegion(0, 0, 5, 5, MakeText("Spot", {"Here."}));
    map->AddRegion(5, 5, 9, 9, MakeData("OVERLAY", "Key overlay", "x"));
    root->Add(MakeData("SOUND", "Bell", "RIFF"));
    return HintFileOf(std::move(root));
}

// The rows below parent as "title(children)", separated by blanks.
std::string Dump(const QAbstractItemModel& model, const QModelIndex& parent = {}) {
    std::string out;
    for (int row = 0; row < model.rowCount(parent); ++row) {
        const QModelIndex child = model.index(row, 0, parent);
        if (row > 0) out += " ";
        out += child.data().toString().toStdString();
        if (model.rowCount(child) > 0) out += "(" + Dump(model, child) + ")";
    }
    return out;
}

class ContentsModelTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_EQ(LoadBytes(ContentsFile(), document), LoadResult::Ok);
        contents.SetRoot(document.GetRoot());
    }
    HintDocument document;
    ContentsModel contents;
};

TEST_F(ContentsModelTest, ListsWhatOpensByTitleInFileOrderWithoutLinksBlanksOrOverlays) {
    EXPECT_EQ(Dump(contents), "Game(Chapter One(Where is the key? " + kEcole +
                                  ") Deep?(Inner page) Map(Spot) Bell)");
    for (const auto& [title, parent] :
         {std::tuple("Inner page", "Deep?"), std::tuple("Spot", "Map"),
          std::tuple("Where is the key?", "Chapter One")}) {
        const QModelIndex index = contents.IndexOf(document.GetRoot()->FindByName(title));
        EXPECT_EQ(index.data().toString().toStdString(), title);
        EXPECT_EQ(contents.parent(index).data().toString().toStdString(), parent);
    }
}

TEST_F(ContentsModelTest, AQuestionTellsHowManyOfItsHintsWereRevealed) {
    Hunk* question = document.GetRoot()->FindByName("Where is the key?");
    const QModelIndex index = contents.IndexOf(question);
    for (const auto& [revealed, told] :
         {std::tuple(0, "0 of 2"), std::tuple(1, "1 of 2"), std::tuple(2, "2 of 2")}) {
        question->SetRevealed(revealed);
        EXPECT_EQ(index.data(Qt::ToolTipRole).toString().toStdString(), told);
        EXPECT_EQ(index.data(Qt::AccessibleDescriptionRole).toString().toStdString(), told);
    }
    EXPECT_FALSE(
        contents.IndexOf(document.GetRoot()->FindByName("Map")).data(Qt::ToolTipRole).isValid());
}

// Each phrase with the tree it leaves and the first row that matches itself.
TEST_F(ContentsModelTest, TheFilterKeepsTitlesWithThePhraseAndTheirParents) {
    ContentsFilter filter(contents);
    const std::tuple<const char*, std::string, std::string> cases[] = {
        {"KEY", "Game(Chapter One(Where is the key?))", "Where is the key?"},
        {"ecole", "Game(Chapter One(" + kEcole + "))", kEcole},
        {"\u00E9COLE", "Game(Chapter One(" + kEcole + "))", kEcole},
        {"game", "Game", "Game"},
        {"page", "Game(Deep?(Inner page))", "Inner page"},
        {"mat", "", ""},  // hint text, never searched
    };
    for (const auto& [phrase, tree, first] : cases) {
        filter.SetPhrase(QString::fromUtf8(phrase));
        EXPECT_EQ(Dump(filter), tree) << phrase;
        EXPECT_EQ(filter.FirstMatch().data().toString().toStdString(), first) << phrase;
    }
    filter.SetPhrase(QString());
    EXPECT_EQ(Dump(filter), Dump(contents));
}

}  // namespace
}  // namespace klu::test
