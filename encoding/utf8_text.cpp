#include "encoding/utf8_text.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "common/load8.h"
#include "encoding/cp1250_characters.h"

namespace lorvan {
namespace {

// ---- UTF-8 sequences ----

// The number of ASCII bytes the eight bytes at p begin with.
std::size_t AsciiPrefix8(const unsigned char* p) {
  const std::uint64_t high = Load8(p) & 0x8080808080808080;
  return high == 0 ? 8 : static_cast<std::size_t>(std::countr_zero(high)) / 8;
}

// The end of the run of ASCII bytes that starts at p, eight bytes at a time.
const unsigned char* AsciiRunEnd(const unsigned char* p, const unsigned char* end) {
  while (end - p >= 8) {
    const std::size_t ascii = AsciiPrefix8(p);
    p += ascii;
    if (ascii < 8) return p;
  }
  while (p < end && *p < 0x80) ++p;
  return p;
}

// Adds the ASCII letters (A-Z, a-z) of the run of ASCII bytes that starts at p to *letters
// and returns the run's end.
const unsigned char* CountAsciiLetters(const unsigned char* p, const unsigned char* end,
                                       std::size_t* letters) {
  constexpr std::uint64_t kOnes = 0x0101010101010101, kHigh = 0x8080808080808080;
  while (end - p >= 8) {
    const std::size_t ascii = AsciiPrefix8(p);
    std::uint64_t word = Load8(p);
    if (ascii < 8) word &= (std::uint64_t{1} << (8 * ascii)) - 1;
    // With 0x20 set, a letter is a byte from 'a' to 'z'; no sum below carries into the next byte.
    const std::uint64_t folded = word | (kOnes * 0x20);
    const std::uint64_t from_a = folded + kOnes * (0x80 - 'a');
    const std::uint64_t beyond_z = folded + kOnes * (0x80 - 'z' - 1);
    *letters += static_cast<std::size_t>(std::popcount(from_a & ~beyond_z & kHigh));
    p += ascii;
    if (ascii < 8) return p;
  }
  for (; p < end && *p < 0x80; ++p) *letters += ((*p | 0x20) >= 'a' && (*p | 0x20) <= 'z');
  return p;
}

// The end of the run of ASCII and two-byte characters that starts at p (REQUIRES: at a
// character's start), sixteen and then eight bytes at a time: it stops before fewer than eight
// bytes are left and before any eight that hold a byte of a longer or ill-formed sequence,
// always at a character's start. *beyond_ascii is set when the run holds a two-byte character.
const unsigned char* TwoByteRunEnd(const unsigned char* p, const unsigned char* end,
                                   bool* beyond_ascii) {
  constexpr std::uint64_t kOnes = 0x0101010101010101, kHigh = 0x8080808080808080;
  constexpr std::uint64_t kLastByte = std::uint64_t{0x80} << 56;
#if defined(__SSE2__)
  // Sixteen at a time first, by the same rule, the bytes' kinds as bit masks of the sixteen.
  while (end - p >= 16) {
    const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    unsigned high = static_cast<unsigned>(_mm_movemask_epi8(x));
    if (high == 0) {
      p += 16;
      continue;
    }
    const unsigned continuation = static_cast<unsigned>(
        _mm_movemask_epi8(_mm_cmpeq_epi8(_mm_and_si128(x, _mm_set1_epi8(static_cast<char>(0xC0))),
                                         _mm_set1_epi8(static_cast<char>(0x80)))));
    const __m128i from_c2 = _mm_sub_epi8(x, _mm_set1_epi8(static_cast<char>(0xC2)));
    unsigned lead = static_cast<unsigned>(_mm_movemask_epi8(
        _mm_cmpeq_epi8(_mm_min_epu8(from_c2, _mm_set1_epi8(0x1D)), from_c2)));  // C2-DF
    std::size_t taken = 16;
    if (lead & 0x8000) {  // its continuation lies beyond these sixteen
      taken = 15;
      high &= 0x7FFF;
      lead &= 0x7FFF;
    }
    if (high != (continuation | lead) || continuation != lead << 1) break;
    *beyond_ascii = true;
    p += taken;
  }
#endif
  while (end - p >= 8) {
    const std::uint64_t word = Load8(p);
    std::uint64_t high = word & kHigh;
    if (high == 0) {
      p += 8;
      continue;
    }
    // The high bit of each byte of these masks tells the byte's kind: a continuation byte
    // (10xxxxxx), or a lead byte C2-DF (110xxxxx, not C0 or C1).
    const std::uint64_t bit6 = (word << 1) & kHigh, bit5 = (word << 2) & kHigh;
    const std::uint64_t continuation = high & ~bit6;
    const std::uint64_t not_overlong = ((word & (kOnes * 0x1E)) + kOnes * 0x7F) & kHigh;
    std::uint64_t lead = high & bit6 & ~bit5 & not_overlong;
    std::size_t taken = 8;
    if (lead & kLastByte) {  // its continuation lies beyond these eight
      taken = 7;
      high &= ~kLastByte;
      lead &= ~kLastByte;
    }
    if (high != (continuation | lead) || continuation != lead << 8) break;
    *beyond_ascii = true;
    p += taken;
  }
  return p;
}

// The character of the two-byte sequence at p when it is one (a lead byte C2-DF and a
// continuation byte: never overlong), else 0. REQUIRES: p < end.
char32_t TwoByteCharacter(const unsigned char* p, const unsigned char* end) {
  if (*p < 0xC2 || *p > 0xDF || end - p < 2 || (p[1] & 0xC0) != 0x80) return 0;
  return static_cast<char32_t>((p[0] & 0x1F) << 6 | (p[1] & 0x3F));
}

// Reads the well-formed UTF-8 sequence at p (REQUIRES: p < end) into *c and returns its
// length, or returns 0 when p starts no well-formed sequence (a stray byte, a lead byte
// without its continuation bytes, an overlong form, a surrogate, a code point past U+10FFFF).
std::size_t ReadCharacter(const unsigned char* p, const unsigned char* end, char32_t* c) {
  const unsigned char lead = *p;
  std::size_t extra;
  if (lead < 0x80) {
    *c = lead;
    return 1;
  } else if (lead >= 0xC2 && lead <= 0xDF) {  // the common case, never overlong
    if (end - p < 2 || (p[1] & 0xC0) != 0x80) return 0;
    *c = static_cast<char32_t>((lead & 0x1F) << 6 | (p[1] & 0x3F));
    return 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    extra = 2;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    extra = 3;
  } else {
    return 0;
  }
  if (static_cast<std::size_t>(end - p) <= extra) return 0;
  char32_t value = lead & (0x3F >> extra);
  for (std::size_t k = 1; k <= extra; ++k) {
    if ((p[k] & 0xC0) != 0x80) return 0;
    value = (value << 6) | (p[k] & 0x3F);
  }
  constexpr char32_t kSmallest[] = {0, 0x80, 0x800, 0x10000};
  if (value < kSmallest[extra] || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))
    return 0;
  *c = value;
  return extra + 1;
}

// A well-formedness check that reads one byte per step: the byte's class moves a state that
// tells how many continuation bytes are due and which range the next one must lie in, so
// that overlong forms, surrogates and code points past U+10FFFF are refused as ReadCharacter
// refuses them.
// Byte classes: 0 ASCII; 1 80-8F, 2 90-9F, 3 A0-BF (continuations); 4 C2-DF; 5 E0;
// 6 E1-EC, EE-EF; 7 ED; 8 F0; 9 F1-F3; 10 F4; 11 C0, C1, F5-FF.
// States: 0 between characters, 1 refused, 2 one continuation due, 3 two due, 4 after E0,
// 5 after ED, 6 three due, 7 after F0, 8 after F4.
constexpr std::uint8_t kUtf8Accept = 0, kUtf8Reject = 1;

struct Utf8Steps {
  std::array<std::uint8_t, 256> byte_class{};
  std::array<std::array<std::uint8_t, 12>, 9> next{};
};

constexpr Utf8Steps BuildUtf8Steps() {
  Utf8Steps t;
  for (int b = 0; b < 256; ++b) {
    t.byte_class[b] = b < 0x80 ? 0 : b < 0x90 ? 1 : b < 0xA0 ? 2 : b < 0xC0 ? 3
                      : b < 0xC2 ? 11 : b < 0xE0 ? 4 : b == 0xE0 ? 5 : b == 0xED ? 7
                      : b < 0xF0 ? 6 : b == 0xF0 ? 8 : b < 0xF4 ? 9 : b == 0xF4 ? 10 : 11;
  }
  for (auto& row : t.next) row.fill(kUtf8Reject);
  t.next[0] = {0, 1, 1, 1, 2, 4, 3, 5, 7, 6, 8, 1};
  for (int c : {1, 2, 3}) {
    t.next[2][c] = 0;
    t.next[3][c] = 2;
    t.next[6][c] = 3;
  }
  t.next[4][3] = 2;
  t.next[5][1] = t.next[5][2] = 2;
  t.next[7][2] = t.next[7][3] = 3;
  t.next[8][1] = 3;
  return t;
}

constexpr Utf8Steps kUtf8Steps = BuildUtf8Steps();

std::uint8_t Utf8Step(std::uint8_t state, unsigned char byte) {
  return kUtf8Steps.next[state][kUtf8Steps.byte_class[byte]];
}

// ---- Windows-1250 ----

// The Windows-1250 byte of each character U+0080-U+07FF and U+2000-U+212F; 0 for none.
// Every character of the code page above ASCII lies in one of the two ranges.
constexpr char32_t kLowLimit = 0x800, kPunctuationBase = 0x2000, kPunctuationLimit = 0x2130;

struct Cp1250Tables {
  std::array<unsigned char, kLowLimit> low{};
  std::array<unsigned char, kPunctuationLimit - kPunctuationBase> punctuation{};
};

constexpr Cp1250Tables BuildCp1250Tables() {
  Cp1250Tables t;
  for (std::size_t k = 0; k < kCp1250UpperHalf.size(); ++k) {
    const char32_t c = kCp1250UpperHalf[k];
    const auto byte = static_cast<unsigned char>(0x80 + k);
    if (c == 0) continue;
    if (c < kLowLimit)
      t.low[c] = byte;
    else
      t.punctuation[c - kPunctuationBase] = byte;
  }
  return t;
}

constexpr Cp1250Tables kCp1250Tables = BuildCp1250Tables();

// The Windows-1250 byte of c (REQUIRES: c >= 0x80), or 0 when the code page lacks it.
unsigned char Cp1250ByteOf(char32_t c) {
  if (c < kLowLimit) return kCp1250Tables.low[c];
  if (c >= kPunctuationBase && c < kPunctuationLimit)
    return kCp1250Tables.punctuation[c - kPunctuationBase];
  return 0;
}

// The UTF-8 form of each Windows-1250 byte; U+FFFD for the bytes without a character.
struct Utf8Form {
  char bytes[3];
  std::uint8_t length;
};

constexpr std::array<Utf8Form, 256> BuildUtf8Forms() {
  std::array<Utf8Form, 256> forms{};
  for (std::size_t b = 0; b < 256; ++b) {
    char32_t c = b < 0x80 ? static_cast<char32_t>(b) : kCp1250UpperHalf[b - 0x80];
    if (b >= 0x80 && c == 0) c = 0xFFFD;
    Utf8Form& form = forms[b];
    if (c < 0x80) {
      form = {{static_cast<char>(c)}, 1};
    } else if (c < 0x800) {
      form = {{static_cast<char>(0xC0 | (c >> 6)), static_cast<char>(0x80 | (c & 0x3F))}, 2};
    } else {
      form = {{static_cast<char>(0xE0 | (c >> 12)), static_cast<char>(0x80 | ((c >> 6) & 0x3F)),
               static_cast<char>(0x80 | (c & 0x3F))},
              3};
    }
  }
  return forms;
}

constexpr std::array<Utf8Form, 256> kUtf8Forms = BuildUtf8Forms();

// ---- Serbian Cyrillic ----

// One Serbian Cyrillic letter: its Latin letter(s) in Windows-1250, and for Љ Њ Џ the form
// written inside text in capitals. The same letters and forms as CyrillicToLatin's.
struct SerbianLetter {
  char32_t cyrillic;
  std::string_view latin;
  std::string_view capitals = {};
};

constexpr SerbianLetter kSerbianLetters[] = {
    {U'А', "A"},
    {U'а', "a"},
    {U'Б', "B"},
    {U'б', "b"},
    {U'В', "V"},
    {U'в', "v"},
    {U'Г', "G"},
    {U'г', "g"},
    {U'Д', "D"},
    {U'д', "d"},
    {U'Ђ', "\xD0"},  // Đ
    {U'ђ', "\xF0"},  // đ
    {U'Е', "E"},
    {U'е', "e"},
    {U'Ж', "\x8E"},  // Ž
    {U'ж', "\x9E"},  // ž
    {U'З', "Z"},
    {U'з', "z"},
    {U'И', "I"},
    {U'и', "i"},
    {U'Ј', "J"},
    {U'ј', "j"},
    {U'К', "K"},
    {U'к', "k"},
    {U'Л', "L"},
    {U'л', "l"},
    {U'Љ', "Lj", "LJ"},
    {U'љ', "lj"},
    {U'М', "M"},
    {U'м', "m"},
    {U'Н', "N"},
    {U'н', "n"},
    {U'Њ', "Nj", "NJ"},
    {U'њ', "nj"},
    {U'О', "O"},
    {U'о', "o"},
    {U'П', "P"},
    {U'п', "p"},
    {U'Р', "R"},
    {U'р', "r"},
    {U'С', "S"},
    {U'с', "s"},
    {U'Т', "T"},
    {U'т', "t"},
    {U'Ћ', "\xC6"},  // Ć
    {U'ћ', "\xE6"},  // ć
    {U'У', "U"},
    {U'у', "u"},
    {U'Ф', "F"},
    {U'ф', "f"},
    {U'Х', "H"},
    {U'х', "h"},
    {U'Ц', "C"},
    {U'ц', "c"},
    {U'Ч', "\xC8"},            // Č
    {U'ч', "\xE8"},            // č
    {U'Џ', "D\x9E", "D\x8E"},  // Dž, DŽ
    {U'џ', "d\x9E"},           // dž
    {U'Ш', "\x8A"},            // Š
    {U'ш', "\x9A"},            // š
};

// U+0400-U+045F: the capital and small letters of the Cyrillic block, as CyrillicToLatin reads
// them; the Serbian letters are among them.
constexpr char32_t kCyrillicBase = 0x400, kCyrillicSmall = 0x430, kCyrillicLimit = 0x460;

struct SerbianTable {
  std::array<const SerbianLetter*, kCyrillicLimit - kCyrillicBase> letter_at{};
};

constexpr SerbianTable BuildSerbianTable() {
  SerbianTable t;
  for (const SerbianLetter& letter : kSerbianLetters)
    t.letter_at[letter.cyrillic - kCyrillicBase] = &letter;
  return t;
}

constexpr SerbianTable kSerbianTable = BuildSerbianTable();

// The Serbian letter c, or null.
const SerbianLetter* SerbianLetterOf(char32_t c) {
  if (c < kCyrillicBase || c >= kCyrillicLimit) return nullptr;
  return kSerbianTable.letter_at[c - kCyrillicBase];
}

// What DecodeUtf8 writes for a two-byte character (U+0080-U+07FF) without looking at its
// neighbours: its byte in the code page, or, with the Cyrillic option, the Latin letter(s) of
// a Serbian letter other than Љ Њ Џ. length 0: neither.
struct TwoByteForm {
  char bytes[2] = {};
  std::uint8_t length = 0;
  bool serbian = false;  // written only with the Cyrillic option
};

constexpr std::array<TwoByteForm, kLowLimit> BuildTwoByteForms() {
  std::array<TwoByteForm, kLowLimit> forms{};
  for (char32_t c = 0x80; c < kLowLimit; ++c) {
    TwoByteForm& form = forms[c];
    if (const unsigned char byte = kCp1250Tables.low[c]; byte != 0) {
      form.bytes[0] = static_cast<char>(byte);
      form.length = 1;
    } else if (c >= kCyrillicBase && c < kCyrillicLimit) {
      const SerbianLetter* letter = kSerbianTable.letter_at[c - kCyrillicBase];
      if (letter == nullptr || !letter->capitals.empty()) continue;
      form.bytes[0] = letter->latin.front();
      form.bytes[1] = letter->latin.back();
      form.length = static_cast<std::uint8_t>(letter->latin.size());
      form.serbian = true;
    }
  }
  return forms;
}

constexpr std::array<TwoByteForm, kLowLimit> kTwoByteForms = BuildTwoByteForms();

// The letter case CyrillicToLatin gives a character when it chooses the form of Љ Њ Џ:
// A-Z, Č Ć Đ Š Ž and U+0400-U+042F are capitals, a-z, č ć đ š ž and U+0430-U+045F small.
enum class Case { kNone, kCapital, kSmall };

Case CaseOf(char32_t c) {
  if (c >= 'A' && c <= 'Z') return Case::kCapital;
  if (c >= 'a' && c <= 'z') return Case::kSmall;
  if (c >= kCyrillicBase && c < kCyrillicLimit)
    return c < kCyrillicSmall ? Case::kCapital : Case::kSmall;
  switch (c) {
    case U'Č':
    case U'Ć':
    case U'Đ':
    case U'Š':
    case U'Ž':
      return Case::kCapital;
    case U'č':
    case U'ć':
    case U'đ':
    case U'š':
    case U'ž':
      return Case::kSmall;
    default:
      return Case::kNone;
  }
}

// The case of the character that ends just before p in the text that starts at begin. Only a
// character of one or two bytes has a case, and a lead byte C2-DF followed by a continuation
// byte always makes one character.
Case CaseBefore(const unsigned char* begin, const unsigned char* p) {
  if (p == begin) return Case::kNone;
  if (p[-1] < 0x80) return CaseOf(p[-1]);
  if (p - begin < 2 || p[-2] < 0xC2 || p[-2] > 0xDF || (p[-1] & 0xC0) != 0x80) return Case::kNone;
  return CaseOf(static_cast<char32_t>((p[-2] & 0x1F) << 6 | (p[-1] & 0x3F)));
}

// The case of the character at p, or kNone at the end or at a byte outside well-formed UTF-8.
Case CaseAt(const unsigned char* p, const unsigned char* end) {
  char32_t c;
  if (p == end || ReadCharacter(p, end, &c) == 0) return Case::kNone;
  return CaseOf(c);
}

// The Latin form of a Serbian letter between characters of the cases before and after: Љ Њ Џ
// are written in capitals when the next character is a capital, or when the previous one is
// and the next one is not small.
std::string_view LatinForm(const SerbianLetter& letter, Case before, Case after) {
  if (letter.capitals.empty()) return letter.latin;
  bool capitals = after == Case::kCapital || (before == Case::kCapital && after != Case::kSmall);
  return capitals ? letter.capitals : letter.latin;
}

// Counted as letters by IsMostlySerbianCyrillic, besides A-Z and a-z.
bool IsCountedLetter(char32_t c) {
  return (c >= 0xC0 && c <= 0x24F && c != 0xD7 && c != 0xF7) || (c >= 0x400 && c <= 0x4FF);
}

}  // namespace

bool KeptCharacters::Cursor::Next(std::string_view* bytes) {
  if (AtEnd()) return false;
  const std::size_t length = kept_->lengths_[index_++];
  *bytes = std::string_view(kept_->bytes_).substr(offset_, length);
  offset_ += length;
  return true;
}

bool HasUtf8Bom(std::string_view text) { return text.starts_with(kUtf8Bom); }

std::string_view StripUtf8Bom(std::string_view text) {
  if (HasUtf8Bom(text)) text.remove_prefix(kUtf8Bom.size());
  return text;
}

TextEncoding DetectEncoding(std::string_view bytes) {
  if (HasUtf8Bom(bytes)) return TextEncoding::kUtf8;
  const Utf8Check check = CheckUtf8(bytes);
  return check.well_formed && check.beyond_ascii ? TextEncoding::kUtf8
                                                 : TextEncoding::kWindows1250;
}

Utf8Check CheckUtf8(std::string_view bytes) {
  const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
  const auto* const end = p + bytes.size();
  Utf8Check check;
  std::uint8_t state = kUtf8Accept;
  while (p < end) {
    if (state == kUtf8Accept && (p = TwoByteRunEnd(p, end, &check.beyond_ascii)) == end) break;
    if (*p < 0x80 && state == kUtf8Accept) {
      ++p;
      continue;
    }
    check.beyond_ascii = true;
    state = Utf8Step(state, *p++);
    if (state == kUtf8Reject) break;
  }
  check.well_formed = state == kUtf8Accept;  // neither refused nor cut short
  return check;
}

void DecodeUtf8(std::string_view utf8, bool cyrillic, std::string* cp1250, KeptCharacters* kept) {
  const auto* const begin = reinterpret_cast<const unsigned char*>(utf8.data());
  const auto* const end = begin + utf8.size();
  // No character gives more bytes than it takes: written in place, then cut to size.
  const std::size_t start = cp1250->size();
  cp1250->resize(start + utf8.size());
  char* const out_begin = cp1250->data();
  char* out = out_begin + start;
  for (const unsigned char* p = begin; p < end;) {
    if (end - p >= 8) {
      // The eight bytes are copied whole and as many kept as are ASCII: the output is never
      // ahead of the input, so they fit.
      std::memcpy(out, p, 8);
      const std::size_t ascii = AsciiPrefix8(p);
      out += ascii;
      p += ascii;
      if (ascii == 8) continue;  // else p is at a byte beyond ASCII
    } else if (*p < 0x80) {
      *out++ = static_cast<char>(*p++);
      continue;
    }
    char32_t c = TwoByteCharacter(p, end);
    if (c != 0) {
      // Most characters beyond ASCII: a letter of the code page, or of Serbian Cyrillic
      // written the same in every case.
      const TwoByteForm& form = kTwoByteForms[c];
      if (form.length != 0 && (cyrillic || !form.serbian)) {
        std::memcpy(out, form.bytes, 2);  // room: two bytes were read
        out += form.length;
        p += 2;
        // The letters of a Cyrillic word come one after another with no ASCII between them:
        // taken in a loop of their own.
        while (p < end && *p >= 0x80 && (c = TwoByteCharacter(p, end)) != 0) {
          const TwoByteForm& next = kTwoByteForms[c];
          if (next.length == 0 || (!cyrillic && next.serbian)) break;
          std::memcpy(out, next.bytes, 2);
          out += next.length;
          p += 2;
        }
        continue;
      }
    }
    const std::size_t length = c != 0 ? 2 : ReadCharacter(p, end, &c);
    const SerbianLetter* letter = nullptr;
    if (length == 0) {
      *out++ = kKeptMark;
      kept->Append(std::string_view(reinterpret_cast<const char*>(p), 1));
      ++p;
      continue;
    }
    if (const unsigned char byte = Cp1250ByteOf(c); byte != 0) {
      *out++ = static_cast<char>(byte);
    } else if (cyrillic && (letter = SerbianLetterOf(c)) != nullptr) {
      std::string_view latin = letter->latin;
      if (!letter->capitals.empty())
        latin = LatinForm(*letter, CaseBefore(begin, p), CaseAt(p + length, end));
      std::memcpy(out, latin.data(), latin.size());
      out += latin.size();
    } else {
      *out++ = kKeptMark;
      kept->Append(std::string_view(reinterpret_cast<const char*>(p), length));
    }
    p += length;
  }
  cp1250->resize(out - out_begin);
}

// One byte for every ASCII byte, every other character and every byte outside well-formed
// UTF-8, as DecodeUtf8 writes them.
DecodedSize MeasureDecoded(std::string_view utf8, bool stop_when_ill_formed) {
  const auto* p = reinterpret_cast<const unsigned char*>(utf8.data());
  const auto* const end = p + utf8.size();
  DecodedSize size;
  for (;;) {
    const unsigned char* const run_end = AsciiRunEnd(p, end);
    size.length += static_cast<std::size_t>(run_end - p);
    if ((p = run_end) == end) return size;
    ++size.length;
    size.beyond_ascii = true;
    char32_t c = TwoByteCharacter(p, end);
    const std::size_t length = c != 0 ? 2 : ReadCharacter(p, end, &c);
    if (length == 0) {
      size.well_formed = false;
      if (stop_when_ill_formed) return size;
    }
    if (length == 0 || Cp1250ByteOf(c) == 0) size.any_kept = true;
    p += length == 0 ? 1 : length;
  }
}

void EncodeUtf8(std::string_view cp1250, KeptCharacters::Cursor* cursor, std::string* utf8) {
  // Written in place chunk by chunk, with room for the longest form of every byte of a chunk.
  constexpr std::size_t kChunk = 1024, kLongestForm = 4;
  const auto* p = reinterpret_cast<const unsigned char*>(cp1250.data());
  const auto* const end = p + cp1250.size();
  std::size_t size = utf8->size();
  while (p < end) {
    const auto* const chunk_end = p + std::min<std::size_t>(end - p, kChunk);
    utf8->resize(size + kLongestForm * static_cast<std::size_t>(chunk_end - p));
    char* const out_begin = utf8->data();
    char* out = out_begin + size;
    while (p < chunk_end) {
      if (chunk_end - p >= 8) {
        // Copied whole, kept as far as they are ASCII; the chunk's room holds them.
        std::memcpy(out, p, 8);
        const std::size_t ascii = AsciiPrefix8(p);
        out += ascii;
        p += ascii;
        if (ascii == 8) continue;  // else p is at a byte beyond ASCII
      }
      std::string_view bytes;
      if (*p == static_cast<unsigned char>(kKeptMark) && cursor->Next(&bytes)) {
        std::memcpy(out, bytes.data(), bytes.size());
        out += bytes.size();
      } else {
        const Utf8Form& form = kUtf8Forms[*p];
        std::memcpy(out, form.bytes, 3);
        out += form.length;
      }
      ++p;
    }
    size = out - out_begin;
  }
  utf8->resize(size);
}

bool IsMostlySerbianCyrillic(std::string_view utf8) {
  const LetterCount count = CountSerbianLetters(utf8);
  return 2 * count.serbian > count.letters;
}

LetterCount CountSerbianLetters(std::string_view utf8) {
  const auto* p = reinterpret_cast<const unsigned char*>(utf8.data());
  const auto* const end = p + utf8.size();
  std::size_t letters = 0, serbian = 0;
  while ((p = CountAsciiLetters(p, end, &letters)) < end) {
    char32_t c = TwoByteCharacter(p, end);
    const std::size_t length = c != 0 ? 2 : ReadCharacter(p, end, &c);
    if (length == 0) {
      ++p;
      continue;
    }
    if (CaseOf(c) != Case::kNone || IsCountedLetter(c)) ++letters;
    if (SerbianLetterOf(c) != nullptr) ++serbian;
    p += length;
  }
  return {letters, serbian};
}

}  // namespace lorvan
