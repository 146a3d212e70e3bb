#include "model/format/released_prefix.h"

#include <cstring>
#include <string_view>

#include "model/format/checksum.h"
#include "model/files/memory_pages.h"

namespace klu {

void ReleasedPrefix::Advance(char* bytes, size_t consumed) {
    if (stopped_) return;
    // Whole steps of the address space, so that released pages are whole.
    const auto start = reinterpret_cast<uintptr_t>(bytes);
    const uintptr_t boundary = (start + consumed) / step_ * step_;
    if (boundary <= start + length_) return;
    const size_t end = boundary - start;
    const std::string_view span(bytes + length_, end - length_);
    if (span.find('\x1A') != std::string_view::npos) {
        stopped_ = true;
        return;
    }
    crc_ = Crc16Arc(span, crc_);
    if (release_ == Release::Pages) {
        ReleasePages(bytes + length_, span.size());
    } else {
        std::memset(bytes + length_, 0xA5, span.size());
    }
    length_ = end;
}

void ReleasedPrefix::Restore(char* bytes) {
    stopped_ = true;
    if (length_ == 0) return;
    // A file that cannot be read again leaves zeros, which a checksum or a text body read from
    // them then finds wrong: a damaged file, never a crash.
    if (!reread_ || !reread_(length_, bytes)) std::memset(bytes, 0, length_);
    length_ = 0;
    crc_ = 0;
}

}  // namespace klu
