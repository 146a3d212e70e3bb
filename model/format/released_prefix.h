#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string_view>

#include "model/files/memory_pages.h"

namespace klu {

// Bytes read past go back in steps of this many (aligned in memory): few calls, little held once
// the parse is over, and whole huge pages, which go back without being split into small ones.
inline constexpr size_t kReleaseStep = kHugePage;

// The start of a file in memory whose pages a load gives back once it has read past them, so
// that a large file is never held whole beside the tree made from it. The CRC of those bytes is
// kept for the checksum. A later step that needs them after all (the checksum place or a text
// body of a damaged file lying there) has them read in again.
class ReleasedPrefix {
  public:
    // Reads the file's first length bytes into `into`; false when it cannot.
    using Reread = std::function<bool(size_t length, char* into)>;
    // What becomes of given-back bytes: their pages are returned to the system unless a test
    // asks for them to be overwritten instead, so that any later read of them shows.
    enum class Release { Pages, Scribble };

    ReleasedPrefix(Reread reread, size_t step = kReleaseStep, Release release = Release::Pages)
        : reread_(std::move(reread)), step_(step), release_(release) {}
    // For tests: every byte read past is overwritten at once and read again from file, which
    // must outlive the load.
    static ReleasedPrefix OverwritingEachByte(std::string_view file) {
        return ReleasedPrefix(
            [file](size_t length, char* into) { return file.copy(into, length) == length; }, 1,
            Release::Scribble);
    }

    // Gives back the bytes before `consumed` that the next step boundary passes. Stops for good at
    // an end-of-text byte: the bytes given back hold none, so a search for it may skip them.
    void Advance(char* bytes, size_t consumed);
    // Makes every given-back byte as the file holds it again; nothing is given back afterwards.
    void Restore(char* bytes);

    size_t Length() const { return length_; }
    uint16_t Crc() const { return crc_; }

  private:
    Reread reread_;
    size_t step_;
    Release release_;
    size_t length_ = 0;
    uint16_t crc_ = 0;
    bool stopped_ = false;
};

}  // namespace klu
