#include "seed_catalog.h"

namespace klu::seeds {

HintFilePlan NewerFile(const std::string& title) {
    HintFilePlan file;
    file.title88 = title;
    file.root = MakeSubject(title);
    return file;
}

namespace {

HintFilePlan MinimalFile() {
    auto file = NewerFile("Tiny Tower");
    file.root->Add(MakeQuestion("How do I climb the tower?", {{"Use the stairs."}}));
    return file;
}

HintFilePlan DeepSubjects() {
    auto file = NewerFile("Well of Depths");
    HintNode* level = file.root.get();
    for (int depth = 1; depth <= 40; ++depth) {
        level = level->Add(MakeSubject("Level " + std::to_string(depth)));
        level->Add(MakeQuestion("What is down here?", {{"More stairs."}, {"Keep going."}}));
    }
    return file;
}

HintFilePlan GradedQuestions() {
    auto file = NewerFile("Clockwork Harbour");
    HintNode* docks = file.root->Add(MakeSubject("The Docks"));
    docks->Add(MakeQuestion("How do I board the ship?",
                            {{"The gangplank is up."},
                             {"The harbour master controls it.", "He wants a ticket."},
                             {"The ticket is in the tavern,", "under the third stool."}}));
    docks->Add(MakeQuestion("What is the brass key for?", {{"Not for the ship."}, {"The clock."}}));
    HintNode* tower = file.root->Add(MakeSubject("The Clock Tower"));
    tower->Add(
        MakeQuestion("How do I set the clock?", {{"Wind it first."},
                                                 {"Then set it to the tide."},
                                                 {"Half past six."},
                                                 {"#w-Exact:#w. 6:30, then pull the lever."}}));
    tower->Add(MakeQuestion("Empty question?", {}));
    return file;
}

HintFilePlan NestedHints() {
    auto file = NewerFile("Hall of Mirrors");
    HintNode* hall = file.root->Add(MakeSubject("The Hall"));
    HintNode* outer = hall->Add(MakeNode("NESTHINT", "Which mirror is real?"));
    outer->Line("Count the reflections.").Separator().Line("One mirror shows one fewer.");
    outer->Add(MakeText("Mirror chart", {"1 2 3", "4 5 6", "the fifth is real"}));
    outer->Separator().Line("It is the fifth.");
    HintNode* inner = outer->Add(MakeNode("NESTHINT", "And after that?"));
    inner->Line("Walk through it.").Separator().Line("Close your eyes first.");
    inner->Add(MakeQuestion("Why close my eyes?", {{"The glare."}}));
    hall->Add(MakeNode("NESTHINT", "Empty nested hint"));
    return file;
}

HintFilePlan TextBodies() {
    auto file = NewerFile("Library of Dust");
    HintNode* shelf = file.root->Add(MakeSubject("Shelves"));
    shelf->Add(MakeText("Walkthrough", {"Go north.", "Take the book.", "", "Read it twice."}));
    shelf->Add(MakeText("Map, no wrap", {"+--+--+", "|  |  |", "+--+--+"}, 2));
    shelf->Add(MakeText("Alternate font", {"In the second font."}, 1));
    shelf->Add(MakeText("Both flags", {"#p+Plain#p. and #w+joined#w. text"}, 3));
    shelf->Add(MakeText("Empty text", {}));
    auto padded = MakeText("Padded header", {"Body."});
    padded->extraLines = 2;
    shelf->Add(std::move(padded));
    return file;
}

HintFilePlan Links() {
    auto file = NewerFile("Crossroads");
    HintNode* north = file.root->Add(MakeSubject("North Road"));
    HintNode* question = north->Add(MakeQuestion("Where does it lead?", {{"To the mill."}}));
    HintNode* south = file.root->Add(MakeSubject("South Road"));
    HintNode* to_question = south->Add(MakeLink("See: Where does it lead?", question));
    south->Add(MakeLink("See: North Road", north));
    south->Add(MakeLink("A link to a link", to_question));
    auto outright = MakeLink("Line given outright", nullptr);
    outright->targetLine = 3;
    south->Add(std::move(outright));
    auto nowhere = MakeLink("Leads nowhere", nullptr);
    nowhere->targetLine = 99999;
    south->Add(std::move(nowhere));
    auto negative = MakeLink("Negative line", nullptr);
    negative->targetLine = -7;
    negative->extraLines = 1;
    south->Add(std::move(negative));
    return file;
}

HintFilePlan BlanksAndUnknown() {
    auto file = NewerFile("Odd Corners");
    file.root->Add(MakeBlank());
    HintNode* room = file.root->Add(MakeSubject("A Room"));
    room->Add(MakeBlank());
    room->Add(MakeQuestion("What is this?", {{"A room."}}));
    room->Add(MakeBlank());
    HintNode* unknown = room->Add(MakeNode("FLUMMOX", "A hunk of a kind nobody knows"));
    unknown->Line("skipped line one").Line("skipped line two");
    room->Add(MakeNode("subject", "Lower-case keyword"))->Add(MakeQuestion("Still?", {{"Yes."}}));
    room->Add(MakeNode("Incentive", "Reward"))->Line("You found the secret.");
    file.root->Add(MakeBlank());
    return file;
}

HintFilePlan BothFormats() {
    auto file = NewerFile("Twin Peaks Inn");
    file.subjects88 = {{"Old Wing", {{"Is the old wing open", {"Only at night."}}}}};
    file.note88 = {"This file has both parts."};
    file.root->Add(MakeSubject("New Wing"))->Add(MakeQuestion("And the new?", {{"Always."}}));
    return file;
}

// An older part tied otherwise than the usual layout, and links to the root, whose title a
// subject shares.
HintFilePlan OddOlderPartAndLinksToTheRoot() {
    auto file = NewerFile("Lantern Hall");
    file.title88 = "Lantern Hall, the old way";
    file.older88 = OlderPart{3, 4, {{"Lamp", 1}}, {"Light it.", "-"}, {"Old note."}};
    HintNode* hall = file.root->Add(MakeSubject("Lantern Hall"));
    hall->Add(MakeLink("Back to the top", file.root.get()));
    file.root->Add(MakeLink("Also to the top", file.root.get()));
    file.topLevel.push_back(MakeLink("From beside the root", file.root.get()));
    return file;
}

// A root that is a question, not a subject, with a hunk beside it.
HintFilePlan QuestionAtTheRoot() {
    HintFilePlan file;
    file.title88 = "Riddle";
    file.root = MakeQuestion("Riddle", {{"What walks on four legs?"}, {"Then on two?"}});
    file.topLevel.push_back(MakeText("Answer", {"A person."}));
    return file;
}

}  // namespace

std::vector<Seed> NewerFormatSeeds() {
    std::vector<Seed> seeds;
    seeds.push_back({"newer_minimal.klu", MinimalFile()});
    seeds.push_back({"newer_deep_subjects.klu", DeepSubjects()});
    seeds.push_back({"newer_graded_questions.klu", GradedQuestions()});
    seeds.push_back({"newer_nested_hints.klu", NestedHints()});
    seeds.push_back({"newer_text_bodies.klu", TextBodies()});
    seeds.push_back({"newer_links.klu", Links()});
    seeds.push_back({"newer_blanks_unknown.klu", BlanksAndUnknown()});
    seeds.push_back({"newer_both_formats.klu", BothFormats()});
    seeds.push_back({"newer_odd_older_part.klu", OddOlderPartAndLinksToTheRoot()});
    seeds.push_back({"newer_question_root.klu", QuestionAtTheRoot()});
    return seeds;
}

}  // namespace klu::seeds
