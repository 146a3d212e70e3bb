#pragma once

#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

namespace klu::bench {

// Takes "--name=value" out of the arguments before the benchmark library reads them, and gives
// the value of its last appearance.
inline std::optional<std::string> TakeFlag(int& argc, char** argv, std::string_view name) {
    const std::string prefix = "--" + std::string(name) + "=";
    std::optional<std::string> value;
    int kept = 1;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg.starts_with(prefix)) {
            value = std::string(arg.substr(prefix.size()));
        } else {
            argv[kept++] = argv[i];
        }
    }
    argc = kept;
    return value;
}

// A positive whole number, or nothing.
inline std::optional<size_t> PositiveNumber(const std::string& text) {
    const long value = std::strtol(text.c_str(), nullptr, 10);
    if (value <= 0) return std::nullopt;
    return static_cast<size_t>(value);
}

}  // namespace klu::bench
