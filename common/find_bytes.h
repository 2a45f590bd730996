// The next place in a text where one of three bytes stands: sixteen places at a time (with
// SSE2), for bytes that are rare in running text and so lie far apart.
#pragma once

#include <algorithm>
#include <array>
#include <bit>
#include <cstddef>
#include <string_view>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace lorvan {

// The first position at or after from where a byte of bytes stands, or text.size().
inline std::size_t FindAnyOf3(std::string_view text, std::size_t from,
                              const std::array<char, 3>& bytes) {
  const char* p = text.data() + std::min(from, text.size());
  const char* const end = text.data() + text.size();
#if defined(__SSE2__)
  const __m128i a = _mm_set1_epi8(bytes[0]), b = _mm_set1_epi8(bytes[1]),
                c = _mm_set1_epi8(bytes[2]);
  for (; end - p >= 16; p += 16) {
    const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    const __m128i any = _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(x, a), _mm_cmpeq_epi8(x, b)),
                                     _mm_cmpeq_epi8(x, c));
    if (const int mask = _mm_movemask_epi8(any); mask != 0)
      return static_cast<std::size_t>(p - text.data()) +
             static_cast<std::size_t>(std::countr_zero(static_cast<unsigned>(mask)));
  }
#endif
  for (; p < end; ++p)
    if (*p == bytes[0] || *p == bytes[1] || *p == bytes[2]) break;
  return static_cast<std::size_t>(p - text.data());
}

}  // namespace lorvan
