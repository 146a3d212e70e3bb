#pragma once

#include <string>
#include <string_view>

#include "model/format/decode.h"
#include "model/format/hint_stream.h"
#include "model/text/text_util.h"

namespace klu {

inline constexpr std::string_view kEndOf88a = "** END OF 88A FORMAT **";

// Reads the older part after its title line, handing each piece to the sink in file order:
// Numbers(first, last), Entry(line, decoded title, target), Hint(line, stored text) and
// NoteLine(text). A load and the decompiler share it, so that both see the same part.
template <typename Sink>
void ReadOlderBody(HintStream& stream, Sink& sink) {
    const int64_t first_hint = stream.ReadInt();
    const int64_t last_hint = stream.ReadInt();
    stream.SkipLine();
    sink.Numbers(first_hint, last_hint);
    for (int64_t i = 1; i < first_hint && stream.Good(); i += 2) {
        std::string name = Decode88(stream.GetLine());
        if (stream.Fail()) break;
        const int64_t target = stream.ReadInt();
        stream.SkipLine();
        sink.Entry(i, std::move(name), target);
    }
    for (int64_t j = first_hint; j <= last_hint && stream.Good(); ++j) {
        const std::string_view stored = stream.GetLine();
        if (stream.Fail()) break;
        sink.Hint(j, stored);
    }
    if (!stream.Good()) return;
    for (;;) {
        const std::string_view line = stream.GetLine();
        if (stream.Fail() || EqualsNoCase(line, kEndOf88a)) break;
        sink.NoteLine(line);
    }
}

}  // namespace klu
