// Windows-1250 letters: which bytes make up words, and the letter-case pairs the translator
// knows (a-z/A-Z and the ten Croatian letters č ć đ š ž / Č Ć Đ Š Ž). Every other byte has no
// case and is never changed by a case conversion.
#pragma once

#include <array>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace lorvan {

// Windows-1250 codes of the Croatian letters.
inline constexpr unsigned char kCapitalSCaron = 0x8A, kCapitalZCaron = 0x8E;
inline constexpr unsigned char kSmallSCaron = 0x9A, kSmallZCaron = 0x9E;
inline constexpr unsigned char kCapitalCAcute = 0xC6, kCapitalCCaron = 0xC8, kCapitalDStroke = 0xD0;
inline constexpr unsigned char kSmallCAcute = 0xE6, kSmallCCaron = 0xE8, kSmallDStroke = 0xF0;

namespace letters_detail {
struct LetterTables {
  std::array<bool, 256> word_letter{};
  std::array<unsigned char, 256> lower{};
  std::array<unsigned char, 256> upper{};
};

constexpr LetterTables BuildTables() {
  LetterTables t;
  for (int c = 0; c < 256; ++c) {
    t.lower[c] = static_cast<unsigned char>(c);
    t.upper[c] = static_cast<unsigned char>(c);
  }
  const unsigned char pairs[][2] = {{kCapitalSCaron, kSmallSCaron},
                                    {kCapitalZCaron, kSmallZCaron},
                                    {kCapitalCAcute, kSmallCAcute},
                                    {kCapitalCCaron, kSmallCCaron},
                                    {kCapitalDStroke, kSmallDStroke}};
  auto pair = [&t](unsigned char capital, unsigned char small) {
    t.lower[capital] = small;
    t.upper[small] = capital;
    t.word_letter[capital] = true;
    t.word_letter[small] = true;
  };
  for (int c = 'A'; c <= 'Z'; ++c)
    pair(static_cast<unsigned char>(c), static_cast<unsigned char>(c + 32));
  for (const auto& p : pairs) pair(p[0], p[1]);
  return t;
}

inline constexpr LetterTables kTables = BuildTables();
}  // namespace letters_detail

// True for A-Z, a-z and Š Ž š ž Ć Č Đ ć č đ: the characters words are made of.
inline bool IsWordLetter(unsigned char c) { return letters_detail::kTables.word_letter[c]; }

// True for A-Z and a-z.
inline bool IsAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// The small form of c, or c itself when it has none.
inline unsigned char ToLowerByte(unsigned char c) { return letters_detail::kTables.lower[c]; }

// The capital form of c, or c itself when it has none.
inline unsigned char ToUpperByte(unsigned char c) { return letters_detail::kTables.upper[c]; }

// True for A-Z and Š Ž Ć Č Đ: the letters with a small form.
inline bool IsCapital(unsigned char c) { return IsWordLetter(c) && ToLowerByte(c) != c; }

// Eight bytes packed into one number (byte k at bits 8k), each turned into its small form,
// without a branch: A-Z by arithmetic on the low seven bits (a byte's high bit, set by adding,
// tells whether it is at least 'A' and whether it is beyond 'Z'; no sum carries into the next
// byte), and the five capitals above 0x7F by byte-wise comparison (Š Ž gain 0x10, Ć Č Đ 0x20).
inline std::uint64_t ToLower8(std::uint64_t x) {
  constexpr std::uint64_t kOnes = 0x0101010101010101ull, kHigh = 0x8080808080808080ull;
  constexpr std::uint64_t kLow = ~kHigh;
  // 0x80 in each byte of bits that equals c, 0 in the others.
  auto equal = [](std::uint64_t bits, unsigned char c) {
    const std::uint64_t t = bits ^ (kOnes * c);
    return ~(((t & kLow) + kLow) | t) & kHigh;
  };
  const std::uint64_t low = x & kLow;
  const std::uint64_t from_a = low + kOnes * (0x80 - 'A');
  const std::uint64_t beyond_z = low + kOnes * (0x80 - 'Z' - 1);
  const std::uint64_t ascii_capitals = from_a & ~beyond_z & ~x & kHigh;
  const std::uint64_t s_z = equal(x & (kOnes * 0xFB), kCapitalSCaron);  // Š 0x8A, Ž 0x8E
  const std::uint64_t c_d =
      equal(x, kCapitalCAcute) | equal(x, kCapitalCCaron) | equal(x, kCapitalDStroke);
  return (x | (ascii_capitals >> 2)) + (s_z >> 3) + (c_d >> 2);
}

#if defined(__SSE2__)
namespace letters_detail {
inline __m128i Load16(const char* p) {
  return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
}
inline __m128i Equal16(__m128i x, unsigned char c) {
  return _mm_cmpeq_epi8(x, _mm_set1_epi8(static_cast<char>(c)));
}
// 0xFF in each byte of x from first to first + 25 (the span of A-Z), 0 in the others.
inline __m128i InAlphabetSpan16(__m128i x, char first) {
  const __m128i from = _mm_sub_epi8(x, _mm_set1_epi8(first));
  return _mm_cmpeq_epi8(_mm_min_epu8(from, _mm_set1_epi8(25)), from);
}
// The capitals among the bytes of x: those whose small form is 0x20 on (A-Z, Ć Č Đ) and those
// whose small form is 0x10 on (Š Ž, equal once 0x04 is cleared), 0xFF in each.
struct Capitals16 {
  __m128i gain_20;
  __m128i gain_10;
};
inline Capitals16 CapitalsOf(__m128i x) {
  const __m128i c_d =
      _mm_or_si128(_mm_or_si128(Equal16(x, kCapitalCAcute), Equal16(x, kCapitalCCaron)),
                   Equal16(x, kCapitalDStroke));
  return {_mm_or_si128(InAlphabetSpan16(x, 'A'), c_d),
          Equal16(_mm_and_si128(x, _mm_set1_epi8(static_cast<char>(0xFB))), kCapitalSCaron)};
}
}  // namespace letters_detail
#endif

// Bit k set when byte k of the 16 at p is a word letter (IsWordLetter). With SSE2 the bytes
// are classified together: with 0x20 set, A-Z and a-z are the span of a-z and Ć Č Đ ć č đ are
// ć č đ; with 0x10 set and 0x04 cleared, Š Ž š ž are all š.
inline unsigned WordLetterMask16(const char* p) {
#if defined(__SSE2__)
  using namespace letters_detail;
  const __m128i x = Load16(p);
  const __m128i small = _mm_or_si128(x, _mm_set1_epi8(0x20));
  const __m128i s_z = Equal16(
      _mm_and_si128(_mm_or_si128(x, _mm_set1_epi8(0x10)), _mm_set1_epi8(static_cast<char>(0xFB))),
      kSmallSCaron);
  const __m128i c_d =
      _mm_or_si128(_mm_or_si128(Equal16(small, kSmallCAcute), Equal16(small, kSmallCCaron)),
                   Equal16(small, kSmallDStroke));
  const __m128i letters = _mm_or_si128(InAlphabetSpan16(small, 'a'), _mm_or_si128(s_z, c_d));
  return static_cast<unsigned>(_mm_movemask_epi8(letters));
#else
  unsigned mask = 0;
  for (int k = 0; k < 16; ++k)
    mask |= unsigned{IsWordLetter(static_cast<unsigned char>(p[k]))} << k;
  return mask;
#endif
}

// Bit k set when byte k of the 16 at p is c.
inline unsigned ByteMask16(const char* p, unsigned char c) {
#if defined(__SSE2__)
  using namespace letters_detail;
  return static_cast<unsigned>(_mm_movemask_epi8(Equal16(Load16(p), c)));
#else
  unsigned mask = 0;
  for (int k = 0; k < 16; ++k) mask |= unsigned{static_cast<unsigned char>(p[k]) == c} << k;
  return mask;
#endif
}

// Bit k set when byte k of the 16 at p is a capital: A-Z or Š Ž Ć Č Đ.
inline unsigned CapitalMask16(const char* p) {
#if defined(__SSE2__)
  const letters_detail::Capitals16 capitals = letters_detail::CapitalsOf(letters_detail::Load16(p));
  return static_cast<unsigned>(_mm_movemask_epi8(_mm_or_si128(capitals.gain_20, capitals.gain_10)));
#else
  unsigned mask = 0;
  for (int k = 0; k < 16; ++k) mask |= unsigned{IsCapital(static_cast<unsigned char>(p[k]))} << k;
  return mask;
#endif
}

// The 16 bytes at in turned into their small forms at out, as ToLower8 does eight.
inline void ToLower16(const char* in, char* out) {
#if defined(__SSE2__)
  const __m128i x = letters_detail::Load16(in);
  const letters_detail::Capitals16 capitals = letters_detail::CapitalsOf(x);
  const __m128i gain = _mm_or_si128(_mm_and_si128(capitals.gain_20, _mm_set1_epi8(0x20)),
                                    _mm_and_si128(capitals.gain_10, _mm_set1_epi8(0x10)));
  _mm_storeu_si128(reinterpret_cast<__m128i*>(out), _mm_add_epi8(x, gain));
#else
  for (int half = 0; half < 16; half += 8) {
    std::uint64_t x;
    std::memcpy(&x, in + half, 8);
    x = ToLower8(x);
    std::memcpy(out + half, &x, 8);
  }
#endif
}

// Converts text to small letters / capitals in place.
void ToLowerInPlace(std::string& text);
void ToUpperInPlace(std::string& text);

std::string ToLowerCopy(std::string_view text);
std::string ToUpperCopy(std::string_view text);

// True when text equals its own small-letter form (it holds no capital).
bool HasNoCapital(std::string_view text);
// True when text equals its own capitals form (it holds no small letter).
bool HasNoSmall(std::string_view text);

// True when a and b are equal without regard to letter case.
bool EqualsIgnoreCase(std::string_view a, std::string_view b);

}  // namespace lorvan
