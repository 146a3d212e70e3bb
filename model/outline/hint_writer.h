#pragma once

#include <array>
#include <cstdint>
#include <forward_list>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/outline/older_part.h"

namespace klu {

struct HintNode;

// One entry of a hunk's body: a plain line, a hint separator, or an embedded hunk (a child of a
// subject, a hunk inside a nested hint, or a hot spot target of a picture).
struct HintItem {
    std::string_view line;  // in the node's own lines, or in text that outlives the node
    std::unique_ptr<HintNode> node;

    // A separator's line is kSeparatorLine itself, which no other line is: a plan holds an item
    // for every line of its file, so an item has no room for a flag.
    static constexpr char kSeparatorLine[] = "-";
    bool IsSeparator() const { return line.data() == kSeparatorLine; }
};

// A hunk to write, in plain text: the writer enciphers what the format stores enciphered.
// keyword is written as given, so tests can use any letter case or an unknown keyword.
struct HintNode {
    std::string keyword;
    std::string title;
    std::vector<HintItem> items;
    // Binary data of GIFA, SOUND, OVERLAY and HYPERPNG (the PNG) hunks.
    std::string data;
    int32_t spare = 0;                     // the unused first number of line 3
    int32_t textFlags = 0;                 // TEXT: 2 no wrap, 1 alternate font
    int32_t x = 0, y = 0;                  // OVERLAY position
    const HintNode* linkTarget = nullptr;  // LINK: the hunk it leads to ...
    bool intoPicture = false;              // ... or the picture object of that picture hunk ...
    std::optional<int32_t> targetLine;     // ... or a line number given outright
    int32_t extraLines = 0;  // lines after line 3 that a TEXT, LINK, BLANK, media hunk carries
    std::array<int32_t, 4> region{};  // as a hot spot target: left, top, right, bottom
    std::forward_list<std::string> ownLines;  // what Line() keeps; its strings never move

    HintNode& Line(std::string text);
    // A line that refers to text, which must outlive the node.
    HintNode& LineView(std::string_view text);
    HintNode& Separator();
    HintNode* Add(std::unique_ptr<HintNode> child);
    HintNode* AddRegion(int32_t left, int32_t top, int32_t right, int32_t bottom,
                        std::unique_ptr<HintNode> child);
};

std::unique_ptr<HintNode> MakeNode(std::string keyword, std::string title);
std::unique_ptr<HintNode> MakeSubject(std::string title);
// A question; each inner list is one hint of one or more lines.
std::unique_ptr<HintNode> MakeQuestion(std::string title,
                                       const std::vector<std::vector<std::string>>& hints);
std::unique_ptr<HintNode> MakeText(std::string title, std::vector<std::string> lines,
                                   int32_t flags = 0);
std::unique_ptr<HintNode> MakeLink(std::string title, const HintNode* target);
std::unique_ptr<HintNode> MakeBlank();
std::unique_ptr<HintNode> MakeData(std::string keyword, std::string title, std::string data);

// The older format's subjects and questions.
struct Old88Question {
    std::string title;
    std::vector<std::string> hints;
};
struct Old88Subject {
    std::string title;
    std::vector<Old88Question> questions;
};

// Where the checksum goes. The loader looks at the end of the file, right after the end-of-text
// byte, at the end of the last GIF or sound data, or at the length the information hunk gives.
enum class ChecksumAt { FileEnd, AfterEndOfText, DataEnd, InfoLength, Nowhere };

struct HintFilePlan {
    std::string title88;
    std::vector<Old88Subject> subjects88;
    std::vector<std::string> note88;
    std::optional<OlderPart> older88;  // the older part as it stands, instead of the three above
    std::unique_ptr<HintNode> root;  // none for an older-format file
    std::vector<std::unique_ptr<HintNode>> topLevel;
    ChecksumAt checksumAt = ChecksumAt::FileEnd;
    std::string trailer;  // bytes appended after everything
    std::unique_ptr<const std::string> source;  // the text the lines of the plan may refer to
};

// Builds the bytes of a hint file, or gives nothing and an error message when the plan cannot be
// written (a character the format cannot encipher, a link to a hunk outside the file, ...).
std::optional<std::string> WriteHintFile(const HintFilePlan& plan, std::string* error = nullptr);

// Takes the bytes of a file in order, a piece at a time, each with the size of the whole file;
// false stops the writing.
using ByteSink = std::function<bool(std::string_view piece, int64_t file_size)>;

// The same bytes given to sink in pieces as they are made, so that the whole file is never
// held. Every error of the plan is found before the first piece: sink has then had nothing and
// error says what is wrong. Also false, error left as it was, when sink refuses a piece.
bool WriteHintFileTo(const HintFilePlan& plan, const ByteSink& sink, std::string* error = nullptr);

// The header line number that the loader gives to each node of the plan's newer-format part.
int32_t LineNumberOf(const HintFilePlan& plan, const HintNode* node);

}  // namespace klu
