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

// A part written as it stands, whose line numbers tie the tree in other ways than the usual
// layout of subjects, questions and hints.
HintFilePlan OlderAsItStands(std::string title, OlderPart part) {
    HintFilePlan file;
    file.title88 = std::move(title);
    file.older88 = std::move(part);
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
    // A note of nothing but an empty line: a note hunk without lines.
    seeds.push_back({"older_empty_note.klu",
                     OlderFile("Blank Page", {{"Act One", {{"Is it blank", {"Yes."}}}}}, {""})});
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
    // Hints on a subject and on the root, a question inside a question, a part that ends early.
    seeds.push_back({"older_hints_on_subject.klu",
                     OlderAsItStands("Wet Deck", {5, 8,
                                                  {{"Deck", 3}, {"Why is it wet", 7}},
                                                  {"Rain.", "Waves.", "Both.", "Neither."},
                                                  {}})});
    seeds.push_back({"older_nested_questions.klu",
                     OlderAsItStands("Boxes", {5, 7,
                                               {{"Outer box", 1}, {"Inner box", 6}},
                                               {"Open the outer.", "Then the inner.", "Done."},
                                               {"A note."}})});
    seeds.push_back({"older_hints_on_root.klu",
                     OlderAsItStands("Loose Hints", {1, 2, {}, {"First.", "Second."}, {}})});
    seeds.push_back({"older_ends_early.klu",
                     OlderAsItStands("Torn Page", {9, 10, {{"Torn", 5}, {"Where is the rest", 9}}, {}, {}})});
    return seeds;
}

}  // namespace klu::seeds
