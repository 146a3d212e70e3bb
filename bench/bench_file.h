#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "model/outline/hint_writer.h"

namespace klu::bench {

// What went into a generated file, as the generator counted it.
struct TextHeavyStats {
    size_t chapters = 0;
    size_t subjects = 0;
    size_t questions = 0;
    size_t nestedHints = 0;
    size_t textHunks = 0;
    size_t hintLines = 0;   // lines of questions and nested hints
    size_t textLines = 0;   // lines of text bodies
    size_t textBytes = 0;   // bytes of the text bodies (line ends included)
    size_t otherBytes = 0;  // everything else, estimated the same way
    // Of the mixed shape only.
    size_t links = 0;         // links, hot spots that are links included
    size_t pictures = 0;      // pictures with hot spots
    size_t pictureBytes = 0;  // their PNGs and those of their overlays
    size_t olderBytes = 0;    // the older part, estimated like the rest
};

// Builds a text-heavy newer-format file of roughly target_bytes: chapters of subjects, each with
// questions of two to four hints, now and then a nested hint (sometimes with a question inside)
// and text hunks with long bodies, so that about half the bytes lie in the data area. Every line
// is a sentence of 40 to 75 printable ASCII characters made of words drawn with a fixed seed, so
// the same arguments always give the same file.
HintFilePlan MakeTextHeavyPlan(size_t target_bytes, uint32_t seed, TextHeavyStats* stats = nullptr);

// The shapes of generated file: text-heavy as above; hint-heavy: no text bodies, only
// questions of three to six hints whose lines are short (12 to 30 characters), so that the
// file is nearly all short lines and small hunks; or mixed, shaped like the files players read:
// the text-heavy file's questions, nested hints and a quarter of its bytes in text bodies, with
// 700 links per MB (most of them far back in the file), a picture with hot spots (an overlay,
// a link, a question) in one subject of two, about a sixth of the bytes in small PNGs, and an
// older part of about a twentieth.
enum class FileShape { TextHeavy, HintHeavy, Mixed };

HintFilePlan MakeHintHeavyPlan(size_t target_bytes, uint32_t seed, TextHeavyStats* stats = nullptr);
HintFilePlan MakeMixedPlan(size_t target_bytes, uint32_t seed, TextHeavyStats* stats = nullptr);

// A generated file on disk, written once per process and reused by every benchmark.
struct BenchFile {
    std::string path;
    size_t size = 0;
    TextHeavyStats stats;
};

// Writes the file of that shape for target_bytes into dir on the first call with that size and
// gives the same file afterwards. Throws std::runtime_error when the file cannot be built or
// written.
const BenchFile& GeneratedFile(const std::string& dir, size_t target_bytes,
                               FileShape shape = FileShape::TextHeavy);

// Reads a whole file as the loader does: one buffer of the file's size, filled in 64 KiB reads.
bool ReadLikeLoader(const std::string& path, std::vector<char>& bytes);

// How the floor's checksum is computed.
enum class FloorChecksum {
    // The plain table method, a byte at a time, as any program that checks the file does: the
    // fixed reference that the load's targets are set against.
    Plain,
    // The loader's own, eight bytes at a time: the least a load by this program could cost.
    Loader,
};

// One read of the file and the checksum over every byte. Gives false when the file cannot be
// read.
bool FloorPass(const BenchFile& file, FloorChecksum checksum = FloorChecksum::Plain);

}  // namespace klu::bench
