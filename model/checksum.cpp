#include "checksum.h"

#include <algorithm>
#include <array>
#include <vector>

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

uint16_t Crc16Arc(std::string_view bytes, uint16_t crc) {
    static const CrcTables table = MakeCrcTables();
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    size_t left = bytes.size();
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
