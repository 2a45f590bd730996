// The UTF-8 layer around the Windows-1250 core. A UTF-8 text is decoded into Windows-1250
// bytes for the core, and the core's output encoded back into UTF-8. A character that
// Windows-1250 lacks, and each byte that is not part of well-formed UTF-8, is kept away from
// the core: it stands in the decoded text as one kKeptMark byte, its original bytes wait in
// KeptCharacters, and the encoder writes them back in place of the marks, in order.
//
// Why the marks come back in their places: the core treats kKeptMark as a non-letter, which
// the line scan writes exactly once where it read it, and no dictionary entry holds it, so no
// phrase or name match covers a mark. The core's output therefore holds the same marks in the
// same order, with only the text between them changed.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace lorvan {

enum class TextEncoding { kWindows1250, kUtf8 };

// kUtf8 when bytes begin with the UTF-8 byte-order mark, or when all of bytes is well-formed
// UTF-8 holding at least one character outside ASCII; kWindows1250 otherwise (pure ASCII
// included). Overlong forms, surrogates and code points above U+10FFFF are not well-formed.
TextEncoding DetectEncoding(std::string_view bytes);

// What DetectEncoding weighs, without the byte-order mark's say: whether all of bytes is
// well-formed UTF-8 (a byte-order mark is, like any other character), and whether it holds a
// byte beyond ASCII.
struct Utf8Check {
  bool well_formed = true;
  bool beyond_ascii = false;
};
Utf8Check CheckUtf8(std::string_view bytes);

inline constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

// True when text begins with the UTF-8 byte-order mark.
bool HasUtf8Bom(std::string_view text);
// text without its leading byte-order mark, if it has one.
std::string_view StripUtf8Bom(std::string_view text);

// Stands in decoded text for one kept character. 0x81 has no character in Windows-1250: it is
// no word letter, has no letter case, and the decoder writes it for nothing else.
inline constexpr char kKeptMark = '\x81';

// The characters the decoder kept away from the core, in order, with their original bytes:
// all bytes in one string, and the length of each character (1 to 4 bytes).
class KeptCharacters {
 public:
  // Takes the kept characters back in order, one per kKeptMark. A cursor stays valid while
  // characters are appended, not across Clear().
  class Cursor {
   public:
    explicit Cursor(const KeptCharacters& kept) : kept_(&kept) {}

    // Stores the next character's bytes in *bytes; false when every character has been taken.
    bool Next(std::string_view* bytes);
    // How many characters have been taken.
    std::size_t taken() const { return index_; }
    bool AtEnd() const { return index_ >= kept_->size(); }

   private:
    const KeptCharacters* kept_;
    std::size_t index_ = 0;
    std::size_t offset_ = 0;  // where the next character's bytes begin
  };

  // REQUIRES: bytes is 1 to 4 bytes long.
  void Append(std::string_view bytes) {
    bytes_.append(bytes);
    lengths_.push_back(static_cast<std::uint8_t>(bytes.size()));
  }
  std::size_t size() const { return lengths_.size(); }
  bool empty() const { return lengths_.empty(); }
  void Clear() {
    bytes_.clear();
    lengths_.clear();
  }
  Cursor Begin() const { return Cursor(*this); }

 private:
  std::string bytes_;
  std::vector<std::uint8_t> lengths_;
};

// Decodes utf8 and appends its Windows-1250 form to *cp1250, appending to *kept what it keeps:
// - a character Windows-1250 has (ASCII, CR and LF included) becomes its byte;
// - with cyrillic, a Serbian Cyrillic letter becomes its Latin letter(s) by CyrillicToLatin's
//   rule, the form of Љ Њ Џ taken from the neighbouring characters of utf8;
// - every other character (Cyrillic without cyrillic, emoji, CJK, combining marks, U+0081 ...)
//   and each byte outside well-formed UTF-8 becomes one kKeptMark, its bytes going to *kept.
// Encoding the result with those kept characters gives back utf8, any bytes at all, or with
// cyrillic what CyrillicToLatin gives for utf8. The byte-order mark is no exception: strip it
// first, or it is kept like any other character. A text decodes to the same bytes whole or
// line by line, since a line end is no letter for the rule of Љ Њ Џ.
// REQUIRES: utf8 does not point into *cp1250.
void DecodeUtf8(std::string_view utf8, bool cyrillic, std::string* cp1250, KeptCharacters* kept);

// What DecodeUtf8 without the Cyrillic option makes of utf8, told without decoding it: the
// length of the decoded text, and whether any character is kept; and what CheckUtf8 tells of
// utf8, found on the way. With stop_when_ill_formed it stops at the first byte outside
// well-formed UTF-8: length and any_kept then tell of the text before it.
struct DecodedSize {
  std::size_t length = 0;
  bool any_kept = false;
  bool well_formed = true;
  bool beyond_ascii = false;
};
DecodedSize MeasureDecoded(std::string_view utf8, bool stop_when_ill_formed = false);

// Encodes the Windows-1250 text cp1250 as UTF-8 appended to *utf8. Each kKeptMark becomes the
// bytes of the next character of *cursor; a mark left over when the cursor is at its end, and
// every other byte without a character in Windows-1250, becomes U+FFFD. So the result is
// well-formed UTF-8 when the kept characters taken are.
void EncodeUtf8(std::string_view cp1250, KeptCharacters::Cursor* cursor, std::string* utf8);

// True when more than half of the letters of utf8 are Serbian Cyrillic letters. Letters are
// A-Z, a-z, U+00C0-U+024F except × and ÷, and U+0400-U+04FF; nothing else is counted, and bytes
// outside well-formed UTF-8 are skipped.
bool IsMostlySerbianCyrillic(std::string_view utf8);

// The letters of utf8 as IsMostlySerbianCyrillic counts them, and the Serbian Cyrillic letters
// among them. The counts of pieces of a text cut after line ends add up to those of the whole.
struct LetterCount {
  std::size_t letters = 0;
  std::size_t serbian = 0;
};
LetterCount CountSerbianLetters(std::string_view utf8);

}  // namespace lorvan
