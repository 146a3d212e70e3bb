#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string_view>

namespace klu {

// CRC-16/ARC (polynomial 0x8005 reflected, initial value 0, no final XOR), continued from crc.
uint16_t Crc16Arc(std::string_view bytes, uint16_t crc = 0);

// The value a hint file stores for the bytes in front of its checksum: the CRC-16/ARC with its
// bits reversed, plus 0x100 when it is above 0x7FFF and its low byte is not 0.
uint16_t StoredChecksum(std::string_view bytes_before);
// The same from the Crc16Arc of those bytes.
uint16_t StoredChecksumOfCrc(uint16_t crc);

// The CRC of the file's first length bytes, known already: the test starts from there without
// reading them. When a candidate lies among them, restore is called to have them read in again.
struct KnownCrc {
    size_t length = 0;
    uint16_t crc = 0;
    std::function<void()> restore;
};

// Tests the checksum at its candidate positions (1-based counts of bytes: the checksum occupies
// the two bytes that end there, low byte first). With info_length 0 the candidates are the data
// end, the end of the file and the two bytes after the first end-of-text byte; otherwise only
// info_length. The known bytes hold no end-of-text byte.
bool VerifyChecksum(std::string_view file, const std::function<int64_t()>& data_end,
                    int32_t info_length, KnownCrc known = {});

}  // namespace klu
