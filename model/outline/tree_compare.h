#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace klu {

class HintDocument;

// Where two loaded files hold different trees, or "" when they hold the same: every entry with
// its kinds, titles, line texts and layout flags, hints and embedded hunks, the hunks links lead
// to, picture regions, overlay places, text flags, the kept lines of incentive and information
// blocks, unknown keywords, and the bytes of every picture, overlay, sound and GIF picture (read
// from each document's file). Line numbers, line counts and data offsets may differ.
std::string TreeDifference(const HintDocument& a, const std::string& a_file,
                           const HintDocument& b, const std::string& b_file);
// The same with b loaded from b_bytes, which hold its data.
std::string TreeDifferenceFromBytes(const HintDocument& a, const std::string& a_file,
                                    const HintDocument& b, std::string_view b_bytes);

// A hash of everything TreeDifference compares of a tree, so that a tree can be compared with
// one that is gone: trees with different fingerprints differ, and the same fingerprint means
// the same tree but for a chance of one in 2^64.
struct TreeFingerprint {
    uint64_t high = 0;
    uint64_t low = 0;
    bool operator==(const TreeFingerprint&) const = default;
};
TreeFingerprint FingerprintOf(const HintDocument& document, const std::string& file);
// The same for a document whose data is in bytes.
TreeFingerprint FingerprintOfBytes(const HintDocument& document, std::string_view bytes);

}  // namespace klu
