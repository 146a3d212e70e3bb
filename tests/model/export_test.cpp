// The plain-text export and the web page: its markup, its size bound, its hot spots.
#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <map>
#include <set>
#include <sstream>

#include "fuzz/seed_catalog.h"
#include "fuzz/seed_media.h"
#include "model/document/meta_text_hunk.h"
#include "model/export/plain_text.h"
#include "model/text/base64.h"
#include "model/web/html_export.h"
#include "model_test_support.h"
#include "temp_folder.h"

namespace klu {
namespace {

// The page, or the text, of a file, its data read from where the file was written.
std::string PageOf(const std::string& bytes, bool text = false) {
    test::TempFolder folder;
    const std::string path = folder.Write("file.klu", bytes);
    HintDocument doc;
    EXPECT_TRUE(test::LoadFileAt(path, doc));
    std::ostringstream out;
    EXPECT_TRUE(text ? ExportText(doc, out) : ExportHtml(doc, path, out));
    return out.str();
}
std::string Export(const HintFilePlan& plan) {
    return PageOf(test::WriteOrFail(plan), true);
}

TEST(Export, NumbersHeadingsAndBullets) {
    HintFilePlan plan = seeds::NewerFile("The Game");
    HintNode* caves = plan.root->Add(MakeSubject("Caves"));
    caves->Add(MakeQuestion("How do I get in?", {{"Push the rock."}}));
    HintNode* lamp = caves->Add(
        MakeQuestion("Where is the lamp?", {{"Look left."}, {"Look right."}, {"Under the bed."}}));
    HintNode* tower = plan.root->Add(MakeSubject("Tower"));
    tower->Add(MakeBlank());
    tower->Add(MakeText("Note", {"A short text.", "-"}));
    tower->Add(MakeLink("see lamp", lamp));
    HintNode* nest = tower->Add(MakeNode("NESTHINT", "Stuck"));
    nest->Line("Try this first.");
    nest->Add(MakeLink("the lamp question", lamp));
    EXPECT_EQ(Export(plan),
              "KLU: Hints for The Game\n\n\n"
              "1. Caves\n\n\n"
              "1.1. How do I get in?\n\nPush the rock.\n\n\n"
              "1.2. Where is the lamp?\n\n* Look left.\n* Look right.\n* Under the bed.\n\n\n"
              "2. Tower\n\n\n"
              "2.1. Note\n\nA short text.\n* \n\n"  // a "-" in a text is a bullet too
              "2.2. Stuck\n\nTry this first.\nthe lamp question [see 1.2.]\n");
}

// A hint line that reads "-" is text of its hint: neither export makes it a hint of its own.
TEST(Export, BothExportsSplitAQuestionAtItsSeparatorsOnly) {
    HintFilePlan plan = seeds::NewerFile("Dials");
    plan.root->Add(MakeQuestion("Q", {{"Turn the dial to", "-", "then wait."}, {"Open it."}}));
    EXPECT_EQ(Export(plan),
              "KLU: Hints for Dials\n\n\n"
              "1. Q\n\n* Turn the dial to\n-\nthen wait.\n* Open it.\n");
    const std::string html = PageOf(test::WriteOrFail(plan));
    const size_t parts = html.find("data-parts=\"");
    ASSERT_NE(parts, std::string::npos);
    const std::string enciphered = html.substr(parts, html.find('"', parts + 12) - parts);
    EXPECT_EQ(std::count(enciphered.begin(), enciphered.end(), ' '), 1) << enciphered;
}

TEST(Export, SourceLinesWithoutBreaksAreJoinedAndFlowedBefore75Columns) {
    HintFilePlan plan = seeds::NewerFile("Flow");
    plan.root->Add(MakeQuestion(
        "Q",
        {{"The first source line of this hint is long enough to join",
          "with the thirteen lines, and together they are longer than a line of the export."}}));
    EXPECT_EQ(Export(plan),
              "KLU: Hints for Flow\n\n\n"
              "1. Q\n\n"
              // With "thirteen" the line would end in column 75.
              "The first source line of this hint is long enough to join with the\n"
              // The last line had no break, so an empty line ends the question after a blank.
              "thirteen lines, and together they are longer than a line of the export. \n");
}

std::string SoundsSharingData(int sounds, size_t data_size) {
    std::string hunks = std::to_string(2 + 3 * sounds) + " SUBJECT\r\nEchoes\r\n";
    for (int i = 0; i < sounds; ++i)
        hunks += "3 SOUND\r\nEcho\r\n0 OFFSET " + std::to_string(data_size) + "\r\n";
    return test::HandWrittenFile(hunks, std::string(data_size, 'a'));
}

TEST(WebPage, DeeplyNestedHintsStayWithinTheBound) {
    for (const auto& seed : seeds::DeepNestedSeeds()) {
        const std::string bytes = test::WriteOrFail(seed.file);
        ASSERT_LE(PageOf(bytes).size(), MaxPageSize(bytes.size())) << seed.name;
    }
}

TEST(WebPage, HunksSharingTheirDataStayWithinTheBound) {
    const std::string bytes = SoundsSharingData(200, 20000);
    const std::string page = PageOf(bytes);
    EXPECT_LE(page.size(), MaxPageSize(bytes.size()));
    EXPECT_NE(page.find("the hint file uses its data too many times"), std::string::npos);
}

TEST(WebPage, HotSpotsWithExtremeCornersCoverTheirPictureAtMost) {
    HintFilePlan plan = seeds::NewerFile("Corners");
    constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
    constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
    plan.root->Add(MakeData("HYPERPNG", "Map", seeds::TinyPng()))
        ->AddRegion(kMin, kMin, kMax, kMax, MakeText("Everywhere", {"All of it."}));
    const std::string page = PageOf(test::WriteOrFail(plan));
    EXPECT_NE(page.find("left:0.000%;top:0.000%;width:100.000%;height:100.000%"), page.npos);
}

// The page leaves incentives out, and its outline numbers run on without a gap for them.
TEST(WebPage, NumbersRunOnPastAnIncentiveItLeavesOut) {
    HintFilePlan plan = seeds::NewerFile("Numbers");
    plan.root->Add(MakeSubject("Before"));
    plan.root->Add(MakeNode("INCENTIVE", "Buy it"))->Line("Send money");
    plan.root->Add(MakeSubject("After"));
    const std::string page = PageOf(test::WriteOrFail(plan));
    EXPECT_EQ(page.find("Buy it"), std::string::npos);
    EXPECT_NE(page.find(">2. After</h2>"), std::string::npos);
}

// An opening tag of the page, its depth among the elements it lies in, and the text after it.
struct Tag {
    std::string name, text;
    std::map<std::string, std::string> attributes;
    size_t depth = 0;

    std::string Attribute(const std::string& key) const {
        const auto found = attributes.find(key);
        return found == attributes.end() ? "" : found->second;
    }
};

Tag TagOf(std::string_view inside) {
    Tag tag;
    size_t at = inside.find(' ');
    tag.name = inside.substr(0, at);
    while (at < inside.size() && (at = inside.find_first_not_of(' ', at)) != std::string::npos) {
        const size_t end = inside.find_first_of("= ", at);
        std::string& value = tag.attributes[std::string(inside.substr(at, end - at))];
        if (end == std::string::npos || inside[end] == ' ') {
            at = end;
        } else {
            at = inside.find('"', end + 2);
            value = inside.substr(end + 2, at++ - end - 2);
        }
    }
    return tag;
}

// The page as a browser reads its markup, script and style aside; what does not close where it
// opened is a fault.
struct ReadPage {
    std::vector<Tag> tags;
    std::string text;  // all of it, outside the tags
    std::vector<std::string> faults;

    explicit ReadPage(const std::string& html) {
        static const std::set<std::string> kVoid = {"br", "hr", "img", "meta", "input"};
        std::vector<std::string> open;
        text = html.substr(0, html.find('<'));
        for (size_t at = html.find('<'); at != std::string::npos;) {
            const size_t end = html.find('>', at);
            const std::string_view inside = std::string_view(html).substr(at + 1, end - at - 1);
            at = html.find('<', end);
            text += html.substr(end + 1, at - end - 1);
            if (inside.starts_with('!')) continue;
            if (inside.starts_with('/')) {
                if (open.empty() || open.back() != inside.substr(1))
                    faults.push_back(std::string(inside) + " closes " +
                                     (open.empty() ? "" : open.back()));
                if (!open.empty()) open.pop_back();
                continue;
            }
            tags.push_back(TagOf(inside));
            tags.back().text = html.substr(end + 1, at - end - 1);
            tags.back().depth = open.size();
            if (!kVoid.count(tags.back().name)) open.push_back(tags.back().name);
            if (tags.back().name == "script" || tags.back().name == "style")
                at = html.find("</" + tags.back().name, end);
        }
        for (const std::string& name : open)
            faults.push_back(name + " never closed");
    }
    const Tag* Find(const std::string& name, const std::string& key = "",
                    const std::string& value = "") const {
        for (const Tag& tag : tags)
            if (tag.name == name && tag.Attribute(key) == value) return &tag;
        return nullptr;
    }
    const Tag* Inside(const Tag* outer, const std::string& name) const {
        for (const Tag* tag = outer + 1; tag != tags.data() + tags.size(); ++tag) {
            if (tag->depth <= outer->depth) break;
            if (tag->name == name) return tag;
        }
        return nullptr;
    }
};

// The page of "Tips & <Tricks>": Caves (a link titled like the question of three hints that
// follows it, a subject with a question of its own) and Sea (a picture).
const ReadPage& Page() {
    static const ReadPage page = [] {
        HintFilePlan plan = seeds::NewerFile("Tips & <Tricks>");
        HintNode* caves = plan.root->Add(MakeSubject("Caves"));
        auto lamp = MakeQuestion("Lamp?", {{"Look <up>"}, {"Then & down"}, {"Last"}});
        caves->Add(MakeLink("Lamp?", lamp.get()));
        caves->Add(std::move(lamp));
        caves->Add(MakeSubject("Deep"))->Add(MakeQuestion("Rope?", {{"Climb"}}));
        plan.root->Add(MakeSubject("Sea"))->Add(MakeData("HYPERPNG", "Map", seeds::TinyPng()));
        return ReadPage(PageOf(test::WriteOrFail(plan)));
    }();
    return page;
}

TEST(WebPageMarkup, EveryElementClosesInsideTheOneItOpenedIn) {
    EXPECT_EQ(Page().faults, std::vector<std::string>{});
}

// Each section as "kind heading", indented by the sections it lies in.
TEST(WebPageMarkup, SectionsNestAsTheSubjectsAndQuestionsOfTheFile) {
    std::vector<std::string> sections;
    std::vector<size_t> open;  // the depths of the sections around
    for (size_t i = 0; i + 1 < Page().tags.size(); ++i) {
        const Tag& tag = Page().tags[i];
        if (tag.name != "section") continue;
        while (!open.empty() && open.back() >= tag.depth)
            open.pop_back();
        sections.push_back(std::string(2 * open.size(), ' ') + tag.Attribute("class") + " " +
                           Page().tags[i + 1].text);
        open.push_back(tag.depth);
    }
    EXPECT_EQ(sections,
              (std::vector<std::string>{"subject 1. Caves", "  question 1.1. Lamp?",
                                        "  subject 1.2. Deep", "    question 1.2.1. Rope?",
                                        "subject 2. Sea", "  picture-page 2.1. Map"}));
}

// The hints lie enciphered with the page's key on an element beside their question.
TEST(WebPageMarkup, HintsLieHiddenBesideTheirQuestionInOrderBehindItsButton) {
    const Tag* question = Page().Find("section", "class", "question");
    ASSERT_NE(question, nullptr);
    EXPECT_EQ(Page().Inside(question, "h3")->text, "1.1. Lamp?");
    ASSERT_NE(Page().Inside(question, "button"), nullptr);
    EXPECT_EQ(Page().Inside(question, "button")->text, "Show the first hint.");
    const Tag* holder = Page().Find("div", "id", question->Attribute("id") + "p");
    ASSERT_NE(holder, nullptr);
    EXPECT_TRUE(holder->attributes.count("hidden"));
    const std::string key = Page().Find("body")->Attribute("data-key");
    std::vector<std::string> hints;
    std::istringstream parts(holder->Attribute("data-parts"));
    for (std::string part; parts >> part;) {
        std::string hint = DecodeBase64(part).value_or("not base64");
        for (size_t i = 0; i < hint.size(); ++i)
            hint[i] ^= static_cast<char>(std::stoi(key.substr(i % 16 * 2, 2), nullptr, 16));
        hints.push_back(ReadPage(hint).text);
    }
    EXPECT_EQ(hints, (std::vector<std::string>{"Look &lt;up&gt;", "Then &amp; down", "Last"}));
    EXPECT_EQ(Page().text.find("Then &amp; down"), std::string::npos) << "a hint in plain sight";
}

TEST(WebPageMarkup, LinksLeadToElementsOfThePageALinkToTheTargetThatFollowsIt) {
    std::set<std::string> ids;
    for (const Tag& tag : Page().tags)
        ids.insert(tag.Attribute("id"));
    size_t links = 0;
    for (const Tag& tag : Page().tags) {
        const std::string href = tag.Attribute("href");
        if (tag.name != "a" || !href.starts_with('#')) continue;
        ++links;
        EXPECT_TRUE(ids.count(href.substr(1))) << href << " of " << tag.text;
    }
    EXPECT_EQ(links, 4u) << "three in the contents, one in the text";
    const std::string question = Page().Find("section", "class", "question")->Attribute("id");
    const Tag* link = Page().Find("a", "href", "#" + question);
    ASSERT_NE(link, nullptr);
    EXPECT_EQ(link->text, "Lamp?");
}

TEST(WebPageMarkup, APictureIsInsideThePageAsItsOwnBytes) {
    const Tag* picture = Page().Find("img", "alt", "Map");
    ASSERT_NE(picture, nullptr);
    const std::string src = picture->Attribute("src");
    const std::string prefix = "data:image/png;base64,";
    ASSERT_TRUE(src.starts_with(prefix)) << src;
    EXPECT_EQ(DecodeBase64(src.substr(prefix.size())), seeds::TinyPng());
}

TEST(WebPageMarkup, TheFilesTextIsEscaped) {
    EXPECT_EQ(Page().Find("h1")->text, "Tips &amp; &lt;Tricks&gt;");
}

}  // namespace
}  // namespace klu
