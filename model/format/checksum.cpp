#include "model/format/checksum.h"

#include <algorithm>
#include <array>
#include <vector>

#if defined(__x86_64__)
#include <immintrin.h>
#endif

namespace klu {
namespace {

constexpr char kEndOfText = 0x1A;

// Slicing by eight: table[k][n] is the CRC of byte n followed by k zero bytes, so eight bytes
// fold into the CRC with eight independent look-ups instead of a chain of eight.
using CrcTables = std::array<std::array<uint16_t, 256>, 8>;

CrcTables MakeCrcTables() {
    CrcTables table{};
    for (unsigned n = 0; n < 256; ++n) {
        unsigned crc = n;
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 1) ? (crc >> 1) ^ 0xA001u : crc >> 1;
        table[0][n] = static_cast<uint16_t>(crc);
    }
    for (size_t k = 1; k < table.size(); ++k) {
        for (unsigned n = 0; n < 256; ++n) {
            const uint16_t previous = table[k - 1][n];
            table[k][n] = static_cast<uint16_t>((previous >> 8) ^ table[0][previous & 0xFF]);
        }
    }
    return table;
}

uint16_t ReverseBits16(uint16_t v) {
    uint16_t out = 0;
    for (int bit = 0; bit < 16; ++bit) {
        out = static_cast<uint16_t>((out << 1) | (v & 1));
        v = static_cast<uint16_t>(v >> 1);
    }
    return out;
}

uint16_t Adjust(uint16_t v) {
    if (v > 0x7FFF && (v & 0xFF) != 0) v = static_cast<uint16_t>(v + 0x100);
    return v;
}

}  // namespace

namespace {

uint16_t TableCrc(const unsigned char* p, size_t left, uint16_t crc) {
    static const CrcTables table = MakeCrcTables();
    for (; left >= 8; left -= 8, p += 8) {
        const unsigned low = (p[0] | p[1] << 8) ^ crc;
        crc = static_cast<uint16_t>(table[7][low & 0xFF] ^ table[6][low >> 8] ^ table[5][p[2]] ^
                                    table[4][p[3]] ^ table[3][p[4]] ^ table[2][p[5]] ^
                                    table[1][p[6]] ^ table[0][p[7]]);
    }
    for (; left > 0; --left, ++p)
        crc = static_cast<uint16_t>((crc >> 8) ^ table[0][(crc ^ *p) & 0xFF]);
    return crc;
}

#if defined(__x86_64__)

// Folding with carry-less multiplication, sixteen bytes at a step. The CRC of a run is its bits,
// read as a polynomial (the first bit of the first byte highest), times x^16 modulo the CRC's
// polynomial P; so a block of 128 bits followed by n more bits may be replaced by the block times
// x^n modulo P, which is short, added to the bits that follow. Four blocks at a time fold into
// four sums, 512 bits ahead, so that the multiplications overlap; the sums then fold into one,
// and the table finishes the sixteen bytes that are left and the tail.

// x^n modulo P = x^16 + x^15 + x^2 + 1, a polynomial of degree below 16.
constexpr uint64_t PowerModP(int n) {
    uint64_t r = 1;
    for (int i = 0; i < n; ++i) {
        r <<= 1;
        if (r & 0x10000) r ^= 0x18005;
    }
    return r;
}

// A polynomial of degree below 64 as the 64-bit lanes hold the reflected bits: x^d at bit 63 - d.
constexpr uint64_t Reflected(uint64_t polynomial) {
    uint64_t out = 0;
    for (int d = 0; d < 64; ++d) {
        if (polynomial >> d & 1) out |= uint64_t{1} << (63 - d);
    }
    return out;
}

// The multiplier that moves a block distance bits on. A block's low lane holds its upper 64
// terms, its high lane the lower 64; the product of two reflected lanes comes out one place too
// low, which the constants make up for by one power of x less.
[[gnu::target("pclmul")]] inline __m128i FoldConstants(int distance) {
    return _mm_set_epi64x(static_cast<long long>(Reflected(PowerModP(distance - 1))),
                          static_cast<long long>(Reflected(PowerModP(distance + 63))));
}

[[gnu::target("pclmul")]] inline __m128i Fold(__m128i sum, __m128i constants) {
    return _mm_xor_si128(_mm_clmulepi64_si128(sum, constants, 0x00),
                         _mm_clmulepi64_si128(sum, constants, 0x11));
}

[[gnu::target("pclmul")]] uint16_t FoldedCrc(const unsigned char* p, size_t size, uint16_t crc) {
    const auto load = [](const unsigned char* at) {
        return _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
    };
    // A CRC to continue from is the same as those bits added to the first sixteen of the run.
    __m128i sum[4] = {_mm_xor_si128(load(p), _mm_cvtsi32_si128(crc)), load(p + 16), load(p + 32),
                      load(p + 48)};
    static const __m128i by512 = FoldConstants(512);
    static const __m128i by128 = FoldConstants(128);
    size_t at = 64;
    for (; size - at >= 64; at += 64) {
        for (int i = 0; i < 4; ++i)
            sum[i] = _mm_xor_si128(Fold(sum[i], by512), load(p + at + 16 * i));
    }
    __m128i one = sum[0];
    for (int i = 1; i < 4; ++i)
        one = _mm_xor_si128(Fold(one, by128), sum[i]);
    for (; size - at >= 16; at += 16)
        one = _mm_xor_si128(Fold(one, by128), load(p + at));
    alignas(16) unsigned char folded[16];
    _mm_store_si128(reinterpret_cast<__m128i*>(folded), one);
    return TableCrc(p + at, size - at, TableCrc(folded, sizeof folded, 0));
}

// Runs shorter than this go by the table, where the folding's setup would cost more.
constexpr size_t kShortestFolded = 256;

#endif

}  // namespace

uint16_t Crc16Arc(std::string_view bytes, uint16_t crc) {
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
#if defined(__x86_64__)
    static const bool folds = __builtin_cpu_supports("pclmul");
    if (folds && bytes.size() >= kShortestFolded) return FoldedCrc(p, bytes.size(), crc);
#endif
    return TableCrc(p, bytes.size(), crc);
}

uint16_t StoredChecksum(std::string_view bytes_before) {
    return StoredChecksumOfCrc(Crc16Arc(bytes_before));
}

uint16_t StoredChecksumOfCrc(uint16_t crc) {
    return Adjust(ReverseBits16(crc));
}

namespace {

// True when the checksum stands at one of the candidates (1-based byte counts at which the two
// checksum bytes end). A candidate outside the file is never reached.
bool MatchesAtAny(std::string_view file, std::vector<int64_t> candidates, KnownCrc& known) {
    std::erase_if(candidates,
                  [&](int64_t c) { return c < 3 || c > static_cast<int64_t>(file.size()); });
    std::sort(candidates.begin(), candidates.end());
    candidates.erase(std::unique(candidates.begin(), candidates.end()), candidates.end());
    if (!candidates.empty() && static_cast<size_t>(candidates.front() - 2) < known.length) {
        if (known.restore) known.restore();
        known = {};
    }
    uint16_t crc = known.crc;
    size_t done = known.length;
    for (int64_t c : candidates) {
        const auto covered = static_cast<size_t>(c - 2);
        crc = Crc16Arc(file.substr(done, covered - done), crc);
        done = covered;
        const uint16_t stored =
            static_cast<uint16_t>(static_cast<unsigned char>(file[covered]) |
                                  static_cast<unsigned char>(file[covered + 1]) << 8);
        if (Adjust(ReverseBits16(crc)) == stored) return true;
    }
    return false;
}

}  // namespace

bool VerifyChecksum(std::string_view file, const std::function<int64_t()>& data_end,
                    int32_t info_length, KnownCrc known) {
    if (info_length != 0) return MatchesAtAny(file, {info_length}, known);
    std::vector<int64_t> candidates{static_cast<int64_t>(file.size())};
    const size_t end_of_text = file.find(kEndOfText, known.length);
    if (end_of_text != std::string_view::npos) {
        candidates.push_back(static_cast<int64_t>(end_of_text) + 3);
    }
    // The data end takes a walk over the whole tree: only when the cheaper places fail.
    return MatchesAtAny(file, candidates, known) || MatchesAtAny(file, {data_end()}, known);
}

}  // namespace klu
