#include "model/format/decode.h"

#include <algorithm>
#include <array>

#include "model/text/byte_lanes.h"

namespace klu {
namespace {

// Bytes of text, title and key enter the keyed arithmetic as signed 8-bit values.
int Signed(char c) {
    return static_cast<signed char>(c);
}

std::array<unsigned char, 256> MakeTable88() {
    std::array<unsigned char, 256> table{};
    for (int c = 0; c < 256; ++c)
        table[c] = static_cast<unsigned char>(c);
    for (int c = 32; c <= 79; ++c)
        table[c] = static_cast<unsigned char>(2 * c - 32);
    for (int c = 80; c <= 255; ++c)
        table[c] = static_cast<unsigned char>((2 * c - 127) % 256);
    return table;
}

const std::array<unsigned char, 256>& Table88() {
    static const std::array<unsigned char, 256> table = MakeTable88();
    return table;
}

// "While v < 32, add 96" in one step, so that very negative values cost no loop, and without a
// branch: (127 - v) / 96 is the number of steps below 32 and at most 0 from 32 up.
constexpr int RaiseToPrintable(int v) {
    return v + 96 * std::max(0, (127 - v) / 96);
}

char DecodeKeyedByte(char stored, int mixed_key) {
    return static_cast<char>(RaiseToPrintable(Signed(stored) - mixed_key));
}

// The key mixed with the position pos: the position in the line for nested hints, in the key for
// text bodies.
int MixedKey(char key_byte, size_t pos) {
    return Signed(key_byte) ^ static_cast<int>(pos + 40);
}

// Positions of a line (nested hints) or of a repeated key (text bodies) whose mixed key is kept
// as 16-bit values, to decode many bytes at a time. A position below 8192 - 40 mixes into a value
// in [-8192, 8191], so a stored byte less it lies in [-8319, 8320].
constexpr size_t kMixedPositions = 4096;
constexpr int kMixedBound = 8192;
static_assert(kMixedPositions + 40 <= kMixedBound);

// RaiseToPrintable as the 16-bit lanes below work it out, for one value: the steps
// (127 - v) / 96 as ((127 - v) / 32) * 21846 / 65536, and only the low byte kept.
constexpr int RaiseByMultiply(int v) {
    const int below = std::max(127 - v, 0);
    const int steps = ((below >> 5) * 21846) >> 16;
    return (v + 96 * steps) & 0xFF;
}

// The multiply divides by 3 exactly while (127 - v) / 32 stays below 32768; here is the proof for
// every value the lanes can meet, and that no intermediate value leaves 16 bits.
constexpr bool RaiseByMultiplyIsExact() {
    for (int v = -128 - (kMixedBound - 1); v <= 127 + kMixedBound; ++v) {
        if (RaiseByMultiply(v) != (RaiseToPrintable(v) & 0xFF)) return false;
        if (127 - v > 0x7FFF || RaiseToPrintable(v) > 0x7FFF) return false;
    }
    return true;
}
static_assert(RaiseByMultiplyIsExact());

// The mixed key of the positions 0 to count - 1, as 16-bit values.
template <typename MixedAt>
std::vector<int16_t> MixedPositions(size_t count, MixedAt mixed_at) {
    std::vector<int16_t> mixed(count);
    for (size_t pos = 0; pos < count; ++pos)
        mixed[pos] = static_cast<int16_t>(mixed_at(pos));
    return mixed;
}

#if defined(__SSE2__)

// The work on one block of 16 bytes, inlined into the loop over a line: called, it would cost as
// much as the work itself.
#define KLU_LANES [[gnu::always_inline]] inline

// Lines of 16 bytes and more decode 16 bytes at a time, lines of 8 to 15 as two blocks of 8 that
// overlap, shorter lines byte by byte.
constexpr size_t kShortestLanedLine = 8;

using lanes::Load16;
using lanes::LoadTwo8;
using lanes::Store16;

// Decodes a line of at least kShortestLanedLine bytes in blocks of 16. decode(bytes, lo, hi)
// gives the 16 decoded bytes of 16 stored ones, whose first eight are at position lo of the line
// and last eight at position hi.
template <typename Decode16>
void DecodeLanes(const char* in, size_t size, char* out, const Decode16& decode) {
    if (size >= 16) {
        // The last 16 bytes, decoded before anything is written (out may be in), end the line
        // over the part the blocks of 16 leave.
        const size_t last = size - 16;
        const __m128i tail = decode(Load16(in + last), last, last + 8);
        for (size_t i = 0; i < last; i += 16)
            Store16(out + i, decode(Load16(in + i), i, i + 8));
        Store16(out + last, tail);
        return;
    }
    // 8 to 15 bytes: the first eight and the last eight, which overlap.
    const size_t last = size - 8;
    const __m128i both = decode(LoadTwo8(in, in + last), 0, last);
    _mm_storel_epi64(reinterpret_cast<__m128i*>(out), both);
    _mm_storel_epi64(reinterpret_cast<__m128i*>(out + last), _mm_unpackhi_epi64(both, both));
}

// Table88 in 8-bit lanes: c below 32, 2c - 32 up to 79, 2c - 127 from 80, all modulo 256.
KLU_LANES __m128i Decode88Lanes(__m128i c) {
    const __m128i control = _mm_cmpeq_epi8(_mm_min_epu8(c, _mm_set1_epi8(31)), c);
    const __m128i from80 = _mm_cmpeq_epi8(_mm_max_epu8(c, _mm_set1_epi8(80)), c);
    const __m128i less = _mm_add_epi8(_mm_set1_epi8(32), _mm_and_si128(from80, _mm_set1_epi8(95)));
    const __m128i doubled = _mm_sub_epi8(_mm_add_epi8(c, c), less);
    return _mm_or_si128(_mm_and_si128(control, c), _mm_andnot_si128(control, doubled));
}

// RaiseByMultiply in eight 16-bit lanes, the low byte of each result in its lane.
KLU_LANES __m128i RaiseLanes(__m128i v) {
    const __m128i below = _mm_max_epi16(_mm_sub_epi16(_mm_set1_epi16(127), v), _mm_setzero_si128());
    const __m128i steps = _mm_mulhi_epu16(_mm_srli_epi16(below, 5), _mm_set1_epi16(21846));
    const __m128i raised = _mm_add_epi16(v, _mm_mullo_epi16(steps, _mm_set1_epi16(96)));
    return _mm_and_si128(raised, _mm_set1_epi16(0xFF));
}

// Sixteen keyed bytes; mixed_lo and mixed_hi are the mixed key of the first and the last eight.
KLU_LANES __m128i DecodeKeyedLanes(__m128i stored, const int16_t* mixed_lo,
                                   const int16_t* mixed_hi) {
    // A byte unpacked with itself fills a 16-bit lane; the arithmetic shift leaves it signed.
    const __m128i lo = _mm_srai_epi16(_mm_unpacklo_epi8(stored, stored), 8);
    const __m128i hi = _mm_srai_epi16(_mm_unpackhi_epi8(stored, stored), 8);
    const auto load = [](const int16_t* from) {
        return _mm_loadu_si128(reinterpret_cast<const __m128i*>(from));
    };
    return _mm_packus_epi16(RaiseLanes(_mm_sub_epi16(lo, load(mixed_lo))),
                            RaiseLanes(_mm_sub_epi16(hi, load(mixed_hi))));
}

// A line of kShortestLanedLine up to mixed.size() bytes, its position p against mixed[p].
void DecodeKeyedLine(const char* in, size_t size, char* out, const std::vector<int16_t>& mixed) {
    const int16_t* at = mixed.data();
    DecodeLanes(in, size, out, [at](__m128i bytes, size_t lo, size_t hi) {
        return DecodeKeyedLanes(bytes, at + lo, at + hi);
    });
}

#undef KLU_LANES
#endif

}  // namespace

void BuildDecodeTable88() {
    (void)Table88();
}

std::string Decode88(std::string_view stored) {
    std::string out(stored.size(), '\0');
    Decode88Into(stored, out.data());
    return out;
}

void Decode88Into(std::string_view stored, char* out) {
#if defined(__SSE2__)
    if (stored.size() >= kShortestLanedLine) {
        DecodeLanes(stored.data(), stored.size(), out,
                    [](__m128i bytes, size_t, size_t) { return Decode88Lanes(bytes); });
        return;
    }
#endif
    const auto& table = Table88();
    for (size_t i = 0; i < stored.size(); ++i)
        out[i] = static_cast<char>(table[static_cast<unsigned char>(stored[i])]);
}

std::string DeriveTextKey(std::string_view title, std::string_view constant) {
    std::string key(title.size(), '\0');
    for (size_t i = 0; i < title.size(); ++i) {
        const int k = Signed(constant[i % constant.size()]) ^ static_cast<int>(i + 40);
        int v = Signed(title[i]) + k;
        if (v > 127) v -= 96 * ((v - 127 + 95) / 96);
        key[i] = static_cast<char>(v);
    }
    return key;
}

std::string DecodeNestedHint(std::string_view stored, std::string_view key) {
    std::string out(stored.size(), '\0');
    NestedHintDecoder(key).Decode(stored, out.data());
    return out;
}

NestedHintDecoder::NestedHintDecoder(std::string_view key) : key_(key) {
#if defined(__SSE2__)
    if (key.empty()) return;
    mixedAt_ = MixedPositions(kMixedPositions,
                              [key](size_t pos) { return MixedKey(key[pos % key.size()], pos); });
#endif
}

void NestedHintDecoder::Decode(std::string_view stored, char* out) const {
    const char* in = stored.data();
    const size_t size = stored.size();
    if (key_.empty()) {
        if (out != in) std::copy(in, in + size, out);
        return;
    }
    size_t done = 0;
#if defined(__SSE2__)
    if (size >= kShortestLanedLine) {
        done = std::min(size, mixedAt_.size());
        DecodeKeyedLine(in, done, out, mixedAt_);
    }
#endif
    // Locals, so that writing the output does not make the compiler read the key's size again.
    const char* key_bytes = key_.data();
    const size_t key_size = key_.size();
    for (size_t i = done, k = done % key_size; i < size; ++i) {
        out[i] = DecodeKeyedByte(in[i], MixedKey(key_bytes[k], i));
        if (++k == key_size) k = 0;
    }
}

std::string DecodeTextBlock(std::string_view stored, std::string_view key) {
    std::string out(stored.size(), '\0');
    TextBlockDecoder(key).Decode(stored, out.data());
    return out;
}

namespace {

// Keys up to this length (titles are far shorter) get a table: 256 bytes per key position.
constexpr size_t kLongestTabledKey = 1024;

}  // namespace

TextBlockDecoder::TextBlockDecoder(std::string_view key) : mixed_(key.size()) {
    for (size_t k = 0; k < key.size(); ++k)
        mixed_[k] = MixedKey(key[k], k);
#if defined(__SSE2__)
    // As many whole keys as fit kMixedPositions, so that the mixed key of position p of a longer
    // line is that of p modulo their length.
    if (!key.empty() && key.size() <= kMixedPositions) {
        mixedAt_ = MixedPositions(kMixedPositions / key.size() * key.size(),
                                  [this](size_t pos) { return mixed_[pos % mixed_.size()]; });
    }
#endif
    if (key.size() > kLongestTabledKey) return;
    table_.resize(key.size() * 256);
    for (size_t k = 0; k < key.size(); ++k) {
        for (int c = 0; c < 256; ++c) {
            table_[k * 256 + static_cast<size_t>(c)] = static_cast<unsigned char>(
                DecodeKeyedByte(static_cast<char>(c), mixed_[k]));
        }
    }
}

void TextBlockDecoder::Decode(std::string_view stored, char* out) const {
    if (mixed_.empty()) {
        if (out != stored.data()) std::copy(stored.begin(), stored.end(), out);
        return;
    }
    const auto* in = reinterpret_cast<const unsigned char*>(stored.data());
    const size_t size = stored.size();
#if defined(__SSE2__)
    if (!mixedAt_.empty()) {
        // Pieces of mixedAt_.size() bytes, a whole number of keys: each starts at key position 0.
        const size_t piece = mixedAt_.size();
        size_t start = 0;
        for (; size - start > piece; start += piece)
            DecodeKeyedLine(stored.data() + start, piece, out + start, mixedAt_);
        if (size - start >= kShortestLanedLine) {
            DecodeKeyedLine(stored.data() + start, size - start, out + start, mixedAt_);
        } else {
            DecodeBytes(in + start, size - start, out + start);
        }
        return;
    }
#endif
    DecodeBytes(in, size, out);
}

void TextBlockDecoder::DecodeBytes(const unsigned char* in, size_t size, char* out) const {
    // Locals, so that writing the output does not make the compiler read the key again.
    const size_t key_size = mixed_.size();
    if (!table_.empty()) {
        const unsigned char* table = table_.data();
        for (size_t i = 0, row = 0; i < size; ++i) {
            out[i] = static_cast<char>(table[row + in[i]]);
            row += 256;
            if (row == key_size * 256) row = 0;
        }
        return;
    }
    const int* key = mixed_.data();
    for (size_t i = 0, k = 0; i < size; ++i) {
        out[i] = DecodeKeyedByte(static_cast<char>(in[i]), key[k]);
        if (++k == key_size) k = 0;
    }
}

}  // namespace klu
