// Substring search for the short needles of the phrase and name lists: the places where both
// the needle's first and last byte stand are found sixteen at a time (with SSE2), and only
// those are compared in full. A text byte common as a needle's first letter then costs no
// comparison of its own.
#pragma once

#include <bit>
#include <cstddef>
#include <cstring>
#include <string_view>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace lorvan {

// The first position at or after from where needle occurs in text, or npos; the same answer
// as text.find(needle, from).
inline std::size_t FindNeedle(std::string_view text, std::string_view needle,
                              std::size_t from = 0) {
  const std::size_t n = needle.size();
  if (from > text.size() || text.size() - from < n) return std::string_view::npos;
  if (n == 0) return from;
  const char* const data = text.data();
  const std::size_t last_start = text.size() - n;
  // True when the bytes between the first and the last match at start.
  auto inner_matches = [&](std::size_t start) {
    return n <= 2 || std::memcmp(data + start + 1, needle.data() + 1, n - 2) == 0;
  };
  std::size_t p = from;
#if defined(__SSE2__)
  const __m128i first = _mm_set1_epi8(needle.front()), last = _mm_set1_epi8(needle.back());
  for (; p <= last_start && last_start - p >= 15; p += 16) {
    const __m128i at_first = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + p));
    const __m128i at_last = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + p + n - 1));
    auto candidates = static_cast<unsigned>(_mm_movemask_epi8(
        _mm_and_si128(_mm_cmpeq_epi8(at_first, first), _mm_cmpeq_epi8(at_last, last))));
    for (; candidates != 0; candidates &= candidates - 1) {
      const std::size_t start = p + static_cast<std::size_t>(std::countr_zero(candidates));
      if (inner_matches(start)) return start;
    }
  }
#endif
  for (; p <= last_start; ++p)
    if (data[p] == needle.front() && data[p + n - 1] == needle.back() && inner_matches(p)) return p;
  return std::string_view::npos;
}

}  // namespace lorvan
