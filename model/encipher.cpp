#include "encipher.h"

#include <array>

#include "decode.h"

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

template <typename MixPosition>
std::optional<std::string> EncodeKeyed(std::string_view plain, std::string_view key,
                                       MixPosition mix) {
    std::string out(plain);
    if (key.empty()) return out;
    for (size_t i = 0; i < plain.size(); ++i) {
        const size_t k_index = i % key.size();
        const int k = Signed(key[k_index]) ^ static_cast<int>(mix(i, k_index) + 40);
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
    static const std::array<int, 256> inverse = MakeInverse88();
    std::string out(plain.size(), '\0');
    for (size_t i = 0; i < plain.size(); ++i) {
        const int s = inverse[static_cast<unsigned char>(plain[i])];
        if (s < 0) return std::nullopt;
        out[i] = static_cast<char>(s);
    }
    return out;
}

std::optional<std::string> EncodeNestedHint(std::string_view plain, std::string_view key) {
    return EncodeKeyed(plain, key, [](size_t i, size_t) { return i; });
}

std::optional<std::string> EncodeTextBlock(std::string_view plain, std::string_view key) {
    return EncodeKeyed(plain, key, [](size_t, size_t k_index) { return k_index; });
}

}  // namespace klu
