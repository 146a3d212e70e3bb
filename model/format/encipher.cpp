#include "model/format/encipher.h"

#include <algorithm>
#include <array>

#include "model/format/decode.h"

namespace klu {
namespace {

int Signed(char c) {
    return static_cast<signed char>(c);
}

// For each plain byte, a stored byte that Decode88 turns into it (-1 when there is none),
// preferring printable stored bytes.
std::array<int, 256> MakeInverse88() {
    std::array<int, 256> inverse;
    inverse.fill(-1);
    for (int pass = 0; pass < 2; ++pass) {
        for (int s = 255; s >= 0; --s) {
            const bool printable = s >= 32;
            if ((pass == 0) != printable || IsReservedStoredByte(static_cast<unsigned char>(s)))
                continue;
            const auto plain =
                static_cast<unsigned char>(Decode88(std::string(1, static_cast<char>(s)))[0]);
            if (inverse[plain] < 0) inverse[plain] = s;
        }
    }
    return inverse;
}

// A stored byte s (signed, -128..127) such that the keyed decoder, with mixed key value k, gives
// back plain; printable stored bytes are preferred.
std::optional<char> EncodeKeyedByte(unsigned char plain, int k) {
    std::optional<char> fallback;
    auto consider = [&](int s) -> bool {
        if (s < -128 || s > 127) return false;
        if (IsReservedStoredByte(static_cast<unsigned char>(s))) return false;
        if (s >= 32) return true;
        if (!fallback) fallback = static_cast<char>(s);
        return false;
    };
    if (plain >= 32 && plain <= 127) {
        // Any difference plain - 96j (j >= 0) is raised back to plain.
        for (int d = plain; d > -400; d -= 96) {
            if (consider(d + k)) return static_cast<char>(d + k);
        }
    }
    // A difference of 32 or more is kept as it is: it must equal plain modulo 256.
    for (int d = plain; d < 700; d += 256) {
        if (d >= 32 && consider(d + k)) return static_cast<char>(d + k);
    }
    return fallback;
}

// The key value that the position mixes into the keyed ciphers' byte at key position k_index.
int MixedKey(std::string_view key, size_t k_index, size_t mixed_position) {
    return Signed(key[k_index]) ^ static_cast<int>(mixed_position + 40);
}

template <typename MixPosition>
std::optional<std::string> EncodeKeyed(std::string_view plain, std::string_view key,
                                       MixPosition mix) {
    std::string out(plain);
    if (key.empty()) return out;
    for (size_t i = 0; i < plain.size(); ++i) {
        const size_t k_index = i % key.size();
        const int k = MixedKey(key, k_index, mix(i, k_index));
        const auto stored = EncodeKeyedByte(static_cast<unsigned char>(plain[i]), k);
        if (!stored) return std::nullopt;
        out[i] = *stored;
    }
    return out;
}

}  // namespace

bool IsReservedStoredByte(unsigned char c) {
    return c == '\n' || c == '\r' || c == 0x1A;
}

std::optional<std::string> Encode88(std::string_view plain) {
    std::string out;
    if (!AppendEncode88(plain, out)) return std::nullopt;
    return out;
}

namespace {
const std::array<int, 256>& Inverse88() {
    static const std::array<int, 256> inverse = MakeInverse88();
    return inverse;
}
}  // namespace

bool Encodes88(std::string_view plain) {
    const auto& inverse = Inverse88();
    return std::all_of(plain.begin(), plain.end(),
                       [&](char c) { return inverse[static_cast<unsigned char>(c)] >= 0; });
}

bool AppendEncode88(std::string_view plain, std::string& out) {
    const auto& inverse = Inverse88();
    const size_t start = out.size();
    out.resize(start + plain.size());
    for (size_t i = 0; i < plain.size(); ++i) {
        const int s = inverse[static_cast<unsigned char>(plain[i])];
        if (s < 0) return false;
        out[start + i] = static_cast<char>(s);
    }
    return true;
}

TextBlockEncoder::TextBlockEncoder(std::string_view key) : period_(key.size()) {
    stored_.resize(period_ * 256);
    for (size_t k_index = 0; k_index < period_; ++k_index) {
        for (int plain = 0; plain < 256; ++plain) {
            const auto stored = EncodeKeyedByte(static_cast<unsigned char>(plain),
                                                MixedKey(key, k_index, k_index));
            stored_[k_index * 256 + static_cast<size_t>(plain)] =
                stored ? static_cast<unsigned char>(*stored) : int16_t{-1};
        }
    }
}

bool TextBlockEncoder::Append(std::string_view plain, std::string& out) const {
    if (period_ == 0) {
        out += plain;
        return true;
    }
    const size_t start = out.size();
    out.resize(start + plain.size());
    for (size_t i = 0, k_index = 0; i < plain.size(); ++i) {
        const int16_t s = stored_[k_index * 256 + static_cast<unsigned char>(plain[i])];
        if (s < 0) return false;
        out[start + i] = static_cast<char>(s);
        if (++k_index == period_) k_index = 0;
    }
    return true;
}

bool TextBlockEncoder::Encodes(std::string_view plain) const {
    for (size_t i = 0, k_index = 0; period_ != 0 && i < plain.size(); ++i) {
        if (stored_[k_index * 256 + static_cast<unsigned char>(plain[i])] < 0) return false;
        if (++k_index == period_) k_index = 0;
    }
    return true;
}

std::optional<std::string> EncodeNestedHint(std::string_view plain, std::string_view key) {
    return EncodeKeyed(plain, key, [](size_t i, size_t) { return i; });
}

NestedHintEncoder::NestedHintEncoder(std::string_view key) : key_(key) {}

int16_t NestedHintEncoder::Stored(size_t position, unsigned char plain) {
    auto stored_at = [this, position](unsigned char byte) -> int16_t {
        const int k = MixedKey(key_, position % key_.size(), position);
        const auto stored = EncodeKeyedByte(byte, k);
        return stored ? static_cast<unsigned char>(*stored) : int16_t{-1};
    };
    if (position >= kTabledPositions) return stored_at(plain);
    if (position >= rows_.size()) rows_.resize(position + 1);
    if (!rows_[position]) {
        rows_[position] = std::make_unique<Row>();
        for (int byte = 0; byte < 256; ++byte)
            (*rows_[position])[static_cast<size_t>(byte)] = stored_at(static_cast<unsigned char>(byte));
    }
    return (*rows_[position])[plain];
}

bool NestedHintEncoder::Append(std::string_view plain, std::string& out) {
    if (key_.empty()) {
        out += plain;
        return true;
    }
    const size_t start = out.size();
    out.resize(start + plain.size());
    for (size_t i = 0; i < plain.size(); ++i) {
        const int16_t s = Stored(i, static_cast<unsigned char>(plain[i]));
        if (s < 0) return false;
        out[start + i] = static_cast<char>(s);
    }
    return true;
}

bool NestedHintEncoder::Encodes(std::string_view plain) {
    for (size_t i = 0; !key_.empty() && i < plain.size(); ++i) {
        if (Stored(i, static_cast<unsigned char>(plain[i])) < 0) return false;
    }
    return true;
}

std::optional<std::string> EncodeTextBlock(std::string_view plain, std::string_view key) {
    return EncodeKeyed(plain, key, [](size_t, size_t k_index) { return k_index; });
}

}  // namespace klu
