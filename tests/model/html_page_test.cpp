// The web page: its markup as a browser reads it (elements closed where they opened, sections
// nested as the file's subjects and questions, hints hidden in order, links to anchors of the
// page, pictures inside it, text escaped); its size stays within a small multiple of its file
// however deep the hints nest or often the hunks share data, and a hot spot stays on its picture.
#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <limits>
#include <map>
#include <set>
#include <sstream>

#include "fuzz/seed_catalog.h"
#include "fuzz/seed_media.h"
#include "model/base64.h"
#include "model/checksum.h"
#include "model/html_export.h"
#include "model_test_support.h"
#include "temp_folder.h"

namespace klu {
namespace {

// The page of a file, its data read from where the file was written.
std::string PageOf(const std::string& bytes) {
    test::TempFolder folder;
    const std::string path = folder / "file.klu";
    std::ofstream(path, std::ios::binary) << bytes;
    THintDocument doc;
    EXPECT_TRUE(test::LoadFileAt(path, doc));
    std::ostringstream page;
    EXPECT_TRUE(ExportHtml(doc, path, page));
    return page.str();
}

// A file of many sounds that all play the one stretch of data the file holds.
std::string SoundsSharingData(int sounds, size_t data_size) {
    std::string bytes = "KLU\r\nEchoes\r\n1\r\n0\r\n** END OF 88A FORMAT **\r\n";
    bytes += std::to_string(2 + 3 * sounds) + " SUBJECT\r\nEchoes\r\n";
    for (int i = 0; i < sounds; ++i)
        bytes += "3 SOUND\r\nEcho\r\n0 " + std::string(12, '0') + " " + std::to_string(data_size) +
                 "\r\n";
    bytes += '\x1A';
    const std::string offset = std::to_string(bytes.size());
    for (size_t at = 0; (at = bytes.find(" 000000000000 ", at)) != std::string::npos; ++at)
        bytes.replace(at + 13 - offset.size(), offset.size(), offset);
    bytes += std::string(data_size, 'a');
    const uint16_t sum = StoredChecksum(bytes);
    return bytes + static_cast<char>(sum & 0xFF) + static_cast<char>(sum >> 8);
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
    EXPECT_NE(PageOf(test::WriteOrFail(plan))
                  .find("left:0.000%;top:0.000%;width:100.000%;"
                        "height:100.000%"),
              std::string::npos);
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

struct Element {
    std::string name;
    std::map<std::string, std::string> attributes;
    std::string text;  // with that of the elements inside it
    std::vector<Element> children;

    std::string Attribute(const std::string& key) const {
        const auto found = attributes.find(key);
        return found == attributes.end() ? "" : found->second;
    }
};

// A small reader of the page's markup; what does not close in order is noted in faults.
class MarkupReader {
  public:
    explicit MarkupReader(std::string_view html) : html_(html) {}

    Element Read() {
        Element document;
        ReadInto(document);
        return document;
    }
    std::vector<std::string> faults;

  private:
    // Reads until the element's closing tag, or to the end of the page for the document.
    void ReadInto(Element& parent) {
        while (at_ < html_.size()) {
            const size_t open = html_.find('<', at_);
            parent.text += html_.substr(at_, open - at_);
            if (open == std::string_view::npos) break;
            const size_t close = html_.find('>', open);
            if (close == std::string_view::npos) break;
            const std::string_view tag = html_.substr(open + 1, close - open - 1);
            at_ = close + 1;
            if (tag.starts_with('!')) continue;
            if (tag.starts_with('/')) {
                if (tag.substr(1) != parent.name)
                    faults.push_back("</" + std::string(tag.substr(1)) + "> in <" + parent.name +
                                     ">");
                return;
            }
            Element child = ElementOf(tag);
            static const std::set<std::string> kVoid = {"br", "hr", "img", "meta", "input"};
            if (child.name == "script" || child.name == "style") {
                at_ = html_.find("</" + child.name + ">", at_) + child.name.size() + 3;
            } else if (!kVoid.count(child.name)) {
                ReadInto(child);
            }
            parent.text += child.text;
            parent.children.push_back(std::move(child));
        }
        if (!parent.name.empty()) faults.push_back("<" + parent.name + "> never closed");
    }

    static Element ElementOf(std::string_view tag) {
        Element element;
        size_t at = tag.find(' ');
        element.name = tag.substr(0, at);
        while (at < tag.size()) {
            const size_t start = tag.find_first_not_of(' ', at);
            if (start == std::string_view::npos) break;
            const size_t end = tag.find_first_of("= ", start);
            const std::string key(tag.substr(start, end - start));
            if (end == std::string_view::npos || tag[end] == ' ') {
                element.attributes[key];
                at = end;
                continue;
            }
            const size_t value_end = tag.find('"', end + 2);
            element.attributes[key] = tag.substr(end + 2, value_end - end - 2);
            at = value_end + 1;
        }
        return element;
    }

    std::string_view html_;
    size_t at_ = 0;
};

void Collect(const Element& element, std::vector<const Element*>& all) {
    all.push_back(&element);
    for (const Element& child : element.children)
        Collect(child, all);
}

// "kind heading{inner sections}" for the subject, question and picture sections below element.
std::string Sections(const Element& element) {
    std::string out;
    for (const Element& child : element.children) {
        std::string inner = Sections(child);
        if (child.name != "section") {
            out += out.empty() || inner.empty() ? inner : "|" + inner;
            continue;
        }
        if (!out.empty()) out += "|";
        out += child.Attribute("class") + " " + child.children.at(0).text;
        if (!inner.empty()) out += "{" + inner + "}";
    }
    return out;
}

// The hints of the element that holds them, deciphered with the page's key, each as its text.
std::vector<std::string> Hints(const Element& holder, const std::string& key_hex) {
    std::vector<uint8_t> key;
    for (size_t i = 0; i + 1 < key_hex.size(); i += 2)
        key.push_back(static_cast<uint8_t>(std::stoi(key_hex.substr(i, 2), nullptr, 16)));
    std::vector<std::string> hints;
    std::istringstream parts(holder.Attribute("data-parts"));
    for (std::string part; parts >> part;) {
        std::string hint = DecodeBase64(part).value_or("not base64");
        for (size_t i = 0; i < hint.size(); ++i)
            hint[i] = static_cast<char>(hint[i] ^ key.at(i % key.size()));
        hints.push_back(MarkupReader(hint).Read().text);
    }
    return hints;
}

// The page of "Tips & <Tricks>": Caves (a link titled like the question of three hints that
// follows it, a subject with a question of its own) and Sea (a picture), read once.
struct ReadPage {
    std::string source;
    Element root;
    std::vector<std::string> faults;
    std::vector<const Element*> elements;

    const Element* Find(const std::string& name, const std::string& key = "",
                        const std::string& value = "") const {
        for (const Element* element : elements) {
            if (element->name == name && element->Attribute(key) == value) return element;
        }
        return nullptr;
    }
};

const ReadPage& Page() {
    static const ReadPage* const page = [] {
        HintFilePlan plan = seeds::NewerFile("Tips & <Tricks>");
        HintNode* caves = plan.root->Add(MakeSubject("Caves"));
        auto lamp = MakeQuestion("Lamp?", {{"Look <up>"}, {"Then & down"}, {"Last"}});
        caves->Add(MakeLink("Lamp?", lamp.get()));
        caves->Add(std::move(lamp));
        caves->Add(MakeSubject("Deep"))->Add(MakeQuestion("Rope?", {{"Climb"}}));
        plan.root->Add(MakeSubject("Sea"))->Add(MakeData("HYPERPNG", "Map", seeds::TinyPng()));
        auto* read = new ReadPage;
        read->source = PageOf(test::WriteOrFail(plan));
        MarkupReader reader(read->source);
        read->root = reader.Read();
        read->faults = reader.faults;
        Collect(read->root, read->elements);
        return read;
    }();
    return *page;
}

TEST(WebPageMarkup, EveryElementClosesInsideTheOneItOpenedIn) {
    EXPECT_EQ(Page().faults, std::vector<std::string>{});
}

TEST(WebPageMarkup, SectionsNestAsTheSubjectsAndQuestionsOfTheFile) {
    const Element* main = Page().Find("main");
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(Sections(*main),
              "subject 1. Caves{question 1.1. Lamp?|subject 1.2. Deep{question 1.2.1. Rope?}}|"
              "subject 2. Sea{picture-page 2.1. Map}");
}

TEST(WebPageMarkup, HintsLieHiddenBesideTheirQuestionInOrderBehindItsButton) {
    const Element* question = Page().Find("section", "class", "question");
    ASSERT_NE(question, nullptr);
    EXPECT_EQ(question->children.at(0).text, "1.1. Lamp?");
    EXPECT_EQ(question->children.back().name, "button");
    EXPECT_EQ(question->children.back().text, "Show the first hint.");
    const Element* hints = Page().Find("div", "id", question->Attribute("id") + "p");
    ASSERT_NE(hints, nullptr);
    EXPECT_TRUE(hints->attributes.count("hidden"));
    const Element* body = Page().Find("body");
    ASSERT_NE(body, nullptr);
    EXPECT_EQ(Hints(*hints, body->Attribute("data-key")),
              (std::vector<std::string>{"Look &lt;up&gt;", "Then &amp; down", "Last"}));
    EXPECT_EQ(Page().source.find("Then &amp; down"), std::string::npos) << "a hint in plain sight";
}

TEST(WebPageMarkup, LinksLeadToElementsOfThePageALinkToTheTargetThatFollowsIt) {
    std::set<std::string> ids;
    for (const Element* element : Page().elements)
        ids.insert(element->Attribute("id"));
    size_t links = 0;
    for (const Element* element : Page().elements) {
        const std::string href = element->Attribute("href");
        if (element->name != "a" || !href.starts_with('#')) continue;
        ++links;
        EXPECT_TRUE(ids.count(href.substr(1))) << href << " of " << element->text;
    }
    EXPECT_EQ(links, 4u) << "three in the contents, one in the text";
    const Element* link = Page().Find(
        "a", "href", "#" + Page().Find("section", "class", "question")->Attribute("id"));
    ASSERT_NE(link, nullptr);
    EXPECT_EQ(link->text, "Lamp?");
}

TEST(WebPageMarkup, APictureIsInsideThePageAsItsOwnBytes) {
    const Element* picture = Page().Find("img", "alt", "Map");
    ASSERT_NE(picture, nullptr);
    const std::string src = picture->Attribute("src");
    const std::string prefix = "data:image/png;base64,";
    ASSERT_TRUE(src.starts_with(prefix)) << src;
    EXPECT_EQ(DecodeBase64(src.substr(prefix.size())), seeds::TinyPng());
}

TEST(WebPageMarkup, TheFilesTextIsEscaped) {
    const Element* title = Page().Find("h1");
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->text, "Tips &amp; &lt;Tricks&gt;");
}

}  // namespace
}  // namespace klu
