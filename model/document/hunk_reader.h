#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>

#include "model/format/decode.h"
#include "model/format/hint_stream.h"
#include "model/document/line_text.h"
#include "model/format/released_prefix.h"
#include "model/document/tree_arena.h"

namespace klu {

class Hunk;

// Thrown when hunks nest deeper than a reader can follow, at the header line of the hunk too
// deep; the load reports the file as corrupted there.
struct NestingTooDeep : std::runtime_error {
    explicit NestingTooDeep(int32_t header_line)
        : std::runtime_error("hunks nested too deeply"), line(header_line) {}
    int32_t line;
};

// The state of one load of the newer format: the stream, the arena of the document's tree, the
// running line counter that gives every hunk its line number, and the picture mode of the load.
class HunkReader {
  public:
    static constexpr int kMaxDepth = 1000;

    HunkReader(HintStream& in, TreeArena& tree_arena, bool picture_mode)
        : stream(in), arena(tree_arena), pictureMode(picture_mode) {}

    // Reads one line and counts it; the view lasts as long as the stream.
    std::string_view ReadLine() {
        ++currentLine;
        return stream.GetLine();
    }
    // Reads one line and counts it, kept in the arena for the tree.
    LineText ReadKeptLine() { return LineText::Borrowed(arena.Keep(ReadLine())); }
    // Counts a line whose characters were consumed by other reads.
    void CountLine() { ++currentLine; }
    // After a media hunk's numbers: skip at most two characters, stopping after a line end.
    void SkipLineTail();
    // True once nothing more can be read (end of text, or a failed read).
    bool TextEnded() const { return !stream.Good(); }

    // Reads a header line and the hunk it introduces, with its body.
    Hunk* ReadHunk(Hunk* parent);

    // The decoder of text bodies under this top title, made once for all the bodies that share
    // it (every body of a file, as a rule).
    const TextBlockDecoder& TextDecoder(std::string_view top_title);
    // The decoder of nested hints under this top title, made once for all of them.
    const NestedHintDecoder& NestedDecoder(std::string_view top_title);

    // The file's bytes from offset on are about to be read again: bytes given back before it
    // are read in first.
    void NeedBytesFrom(int64_t offset) {
        if (released && offset < static_cast<int64_t>(released->Length()))
            released->Restore(stream.Writable(stream.Bytes()));
    }

    HintStream& stream;
    TreeArena& arena;
    const bool pictureMode;
    int32_t currentLine = 0;
    int32_t textHunks = 0;  // text hunks made so far, whose bodies are read at the end
    // Where the bytes read so far go once they are copied into the tree; none keeps them all.
    ReleasedPrefix* released = nullptr;

  private:
    int depth_ = 0;
    std::string textTitle_;
    std::optional<TextBlockDecoder> textDecoder_;
    std::string nestedTitle_;
    std::optional<NestedHintDecoder> nestedDecoder_;
};

}  // namespace klu
