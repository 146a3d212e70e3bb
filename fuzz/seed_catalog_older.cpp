#include "seed_catalog.h"

namespace klu::seeds {
namespace {

HintFilePlan OlderFile(std::string title, std::vector<Old88Subject> subjects,
                       std::vector<std::string> note = {}) {
    HintFilePlan file;
    file.title88 = std::move(title);
    file.subjects88 = std::move(subjects);
    file.note88 = std::move(note);
    return file;
}

}  // namespace

std::vector<Seed> OlderFormatSeeds() {
    std::vector<Seed> seeds;
    seeds.push_back({"older_title_only.klu", OlderFile("Nothing Inside", {})});
    seeds.push_back(
        {"older_one_hint.klu",
         OlderFile("Cellar Door", {{"The Cellar", {{"How do I open the door", {"Knock."}}}}})});
    seeds.push_back(
        {"older_several_subjects.klu",
         OlderFile("Orchard of Glass",
                   {{"The Gate",
                     {{"Where is the key", {"Look up.", "The crow has it.", "Give it the bread."}},
                      {"Who is the gardener", {"Ask at the well."}}}},
                    {"The Greenhouse",
                     {{"How do I stop the sprinklers",
                       {"There is a valve.", "It is under the bench.", "Turn it twice."}}}},
                    {"The Well", {}}})});
    seeds.push_back(
        {"older_with_note.klu",
         OlderFile("Paper Moon",
                   {{"Act One", {{"Why is the moon paper", {"Because it is a play."}}}}},
                   {"Thanks for playing.", "", "Written on a rainy weekend."})});
    seeds.push_back(
        {"older_punctuation.klu",
         OlderFile("Symbols & Signs: 1, 2, 3!",
                   {{"Odd #Lines#",
                     {{"What does \"##\" mean",
                       {"It is a hash; #w+ and #p- are commands.", "-",
                        "A line of 0123456789 (digits) [brackets] {braces}"}},
                      {"Is 'this' ~ok~", {"Yes; ~ ` ^ | \\ / < > = _ all appear here."}}}}})});
    std::vector<Old88Question> many;
    for (int i = 1; i <= 12; ++i) {
        many.push_back({"Question number " + std::to_string(i),
                        {"First hint " + std::to_string(i), "Second hint " + std::to_string(i)}});
    }
    seeds.push_back({"older_many_questions.klu", OlderFile("Long List", {{"Everything", many}})});
    auto trailing = OlderFile("Trailing Bytes", {{"Only", {{"Anything after", {"Yes."}}}}});
    trailing.trailer = std::string("\r\n\x1a\0\xff garbage", 13);
    seeds.push_back({"older_trailer.klu", std::move(trailing)});
    return seeds;
}

}  // namespace klu::seeds
