#pragma once

// Sixteen bytes at a time, for the loops of a load that look at every byte: unaligned loads and
// stores, and the byte-wise compare the searches share. SSE2 is on every x86-64 machine; elsewhere
// the callers keep their byte-by-byte code.
#if defined(__SSE2__)
#include <emmintrin.h>

namespace klu::lanes {

// Inlined into the loops: called, each would cost as much as its work.
#define KLU_LANE_INLINE [[gnu::always_inline]] inline

KLU_LANE_INLINE __m128i Load16(const char* from) {
    return _mm_loadu_si128(reinterpret_cast<const __m128i*>(from));
}

// The eight bytes at from in the low half, and those at second in the high half: a run of 8 to
// 15 bytes as two blocks that overlap, with nothing outside it read.
KLU_LANE_INLINE __m128i LoadTwo8(const char* from, const char* second) {
    return _mm_unpacklo_epi64(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(from)),
                              _mm_loadl_epi64(reinterpret_cast<const __m128i*>(second)));
}

KLU_LANE_INLINE void Store16(char* to, __m128i bytes) {
    _mm_storeu_si128(reinterpret_cast<__m128i*>(to), bytes);
}

// A bit for each byte of bytes that equals c, the first byte in bit 0.
KLU_LANE_INLINE unsigned Matches(__m128i bytes, char c) {
    return static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, _mm_set1_epi8(c))));
}

#undef KLU_LANE_INLINE

}  // namespace klu::lanes

#endif
