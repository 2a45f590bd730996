#include "engine/line_translator.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "dictionary/buckets.h"
#include "dictionary/word_table.h"
#include "encoding/convert.h"
#include "encoding/cyrillic.h"
#include "encoding/letters.h"
#include "engine/links.h"
#include "engine/word_end.h"

namespace lorvan {
namespace {

constexpr char kEndMarker = '\r';          // ends the last word of every scanned line
constexpr std::size_t kPassMinLength = 6;  // shorter lines skip the phrase and name passes
// A scanned line longer than this gives its storage back once scanned, so that a file that is
// one huge line does not hold it through the phrase and name passes.
constexpr std::size_t kKeptScanCapacity = std::size_t{1} << 20;

// True when c, following a "<", makes it the start of a tag, as HTML reads it: a letter, "/",
// "!" or "?". Any other "<" ("2<<26", "a < b") is text.
bool OpensTag(char c) {
  return IsAsciiLetter(c) || c == '/' || c == '!' || c == '?';
}

// The first non-letter at or after p, sixteen bytes at a time: the end marker stops the
// search, and the padding after it can be read.
const char* EndOfLetters(const char* p) {
  for (;; p += 16) {
    const unsigned others = ~WordLetterMask16(p) & 0xFFFF;
    if (others != 0) return p + std::countr_zero(others);
  }
}

// The first letter or "<" at or after p, or stop when none comes before it, sixteen bytes at
// a time. REQUIRES: sixteen bytes can be read from any place before stop.
const char* NextLetterOrTag(const char* p, const char* stop) {
  for (; p < stop; p += 16) {
    const unsigned found = WordLetterMask16(p) | ByteMask16(p, '<');
    if (found != 0) return std::min(p + std::countr_zero(found), stop);
  }
  return stop;
}

}  // namespace

void LineTranslator::MakeRoom(std::size_t size) {
  if (written_ + size + kWritePadding <= output_.size()) return;
  output_.resize(2 * (written_ + size) + kWritePadding);
}

void LineTranslator::Write(const char* text, std::size_t size) {
  MakeRoom(size);
  std::memcpy(output_.data() + written_, text, size);
  written_ += size;
}

inline void LineTranslator::WritePadded(const char* text, std::size_t size) {
  if (size > kWritePadding) return Write(text, size);
  MakeRoom(size);
  std::memcpy(output_.data() + written_, text, kWritePadding);  // no branch on the length
  written_ += size;
}

const std::string& LineTranslator::Translate(std::string_view line, FolderPassState& state) {
  if (line.size() < 2) {
    output_.clear();
    output_.append(line);
    char_pos_ = static_cast<std::int64_t>(line.size());
    return output_;
  }
  current_.assign(line);
  if (options_.cyrillic) CyrillicToLatin(current_);
  if (options_.utf8_letters) ConvertEncoding(current_, /*from_utf8=*/true);
  current_.push_back(kEndMarker);
  if (options_.skip_links) FindLinks(current_, &links_);
  scan_size_ = current_.size();
  current_.append(WordTable::kPadding, '\0');  // every word can be read sixteen bytes at once

  Scan(state);
  char_pos_ = static_cast<std::int64_t>(scan_size_) + 1;
  if (current_.capacity() > kKeptScanCapacity) std::string().swap(current_);

  if (output_links_.empty()) {
    if (output_.size() >= kPassMinLength) substitutions_.ApplyPhrases(output_);
    if (output_.size() >= kPassMinLength) substitutions_.ApplyNames(output_);
    if (options_.modal_infinitives) substitutions_.ApplyModalInfinitives(output_);
  } else {
    ApplyPassesAroundLinks();
  }
  if (options_.cyrillic) ConvertEncoding(output_, /*from_utf8=*/false);
  return output_;
}

void LineTranslator::Scan(FolderPassState& state) {
  output_links_.clear();
  // Room for most lines as they grow by their translations.
  output_.resize(scan_size_ + scan_size_ / 4 + kWritePadding);
  written_ = 0;
  const char* const begin = current_.data();
  const char* p = begin;
  // A link starts after a non-letter, where a word ends, so the text before it is scanned as
  // if the line ended there. A link inside a tag goes out with the tag.
  for (const LinkSpan& link : links_) {
    if (begin + link.begin < p) continue;
    p = ScanWords(p, begin + link.begin, state);
    if (p != begin + link.begin || state.in_tag) continue;
    CopyLink(p, begin + link.end, state);
    p = begin + link.end;
  }
  ScanWords(p, begin + scan_size_, state);
  output_.resize(written_);
}

// What goes out as it came in (unknown words, their ends, tags) is not written piece by piece:
// `kept` marks where such a stretch began, and it is written in one piece when something else
// is to be written, and at the end.
const char* LineTranslator::ScanWords(const char* p, const char* stop, FolderPassState& state) {
  const char* const end = current_.data() + scan_size_;
  const char* kept = p;
  for (; p < stop; ++p) {
    if (state.in_tag) {
      // The tag goes out up to and including its ">"; the end marker is never written.
      const char* close = static_cast<const char*>(std::memchr(p, '>', end - p));
      if (close == nullptr) {
        p = end;
        break;
      }
      state.in_tag = false;
      p = close;
      continue;
    }
    // Gather the letters of a word in one piece; the character after them ends it.
    const char* letters = p;
    p = EndOfLetters(p);
    if (p == letters && state.pending == Preposition::kNone && *p != '<') {
      // No word, and no preposition held: the characters up to the next word or tag go out
      // as they came and change nothing, so they are passed in one step.
      p = NextLetterOrTag(p, stop);
      if (p == stop) break;
      letters = p;
      p = EndOfLetters(p);
    }
    const char ch = *p;
    state.in_tag = ch == '<' && options_.skip_tags && OpensTag(p[1]);
    // The letters of a format directive ("%s", "%d") are no word: copied as they stand.
    const bool directive = letters > current_.data() && letters[-1] == '%';
    const std::string_view letters_read(letters, static_cast<std::size_t>(p - letters));
    bool held = false;
    if (!directive && IsPlainWord(letters_read, state)) {
      const std::string_view written = TranslatePlainWord(letters_read);
      if (written.data() == letters) continue;  // the word and ch go out as they are
      WritePadded(kept, static_cast<std::size_t>(letters - kept));
      WritePadded(written.data(), written.size());
    } else {
      WritePadded(kept, static_cast<std::size_t>(letters - kept));
      if (directive) {
        WritePadded(letters_read.data(), letters_read.size());
        word_.clear();
      } else {
        word_.assign(letters_read);
      }
      held = HandleWordEnd(substitutions_, state, word_, static_cast<unsigned char>(ch));
      Write(word_.data(), word_.size());  // empty after a held preposition
    }
    // ch goes out as it came, at the start of the next stretch, unless it is the space after a
    // held preposition (written with the next word).
    kept = held ? p + 1 : p;
  }
  const char* const kept_end = std::min(p, end - 1);  // the end marker is never written
  if (kept < kept_end) Write(kept, static_cast<std::size_t>(kept_end - kept));
  return p;
}

// With no preposition held, HandleWordEnd only looks a word up, or leaves one of less than two
// letters as it is, unless it is one of the short words it treats on their own: "s", "k",
// "sa" and "ka" (which it holds) and "da" and "SO" (which it leaves).
bool LineTranslator::IsPlainWord(std::string_view word, const FolderPassState& state) {
  if (state.pending != Preposition::kNone) return false;
  if (word.size() > 2) return true;
  if (word.empty()) return true;
  const unsigned char first = ToLowerByte(static_cast<unsigned char>(word[0]));
  if (word.size() == 1) return first != 's' && first != 'k';
  const bool with_a = ToLowerByte(static_cast<unsigned char>(word[1])) == 'a';
  return !(with_a && (first == 'd' || first == 's' || first == 'k')) && word != "SO";
}

std::string_view LineTranslator::TranslatePlainWord(std::string_view word) const {
  if (word.size() < 2) return word;  // never looked up
  const std::string_view translated = substitutions_.TranslatedWord(
      static_cast<unsigned char>(word[0]), LengthClass(word.size()), word);
  return translated.data() != nullptr ? translated : word;
}

void LineTranslator::CopyLink(const char* link, const char* link_end, FolderPassState& state) {
  // The link ends the word before it like any non-letter: a preposition held for that word is
  // written first, in its form before a non-word.
  word_.clear();
  HandleWordEnd(substitutions_, state, word_, static_cast<unsigned char>(*link));
  Write(word_.data(), word_.size());
  output_links_.push_back({written_, written_ + (link_end - link)});
  Write(link, static_cast<std::size_t>(link_end - link));
}

void LineTranslator::ApplyPassesAroundLinks() {
  // The text between the links goes through the passes as the pieces of one line, so that
  // nothing they match or write covers a link.
  const std::size_t links = output_links_.size();
  pieces_.resize(links + 1);
  link_texts_.resize(links);
  std::size_t at = 0;
  for (std::size_t k = 0; k < links; ++k) {
    const LinkSpan& link = output_links_[k];
    pieces_[k].assign(output_, at, link.begin - at);
    link_texts_[k].assign(output_, link.begin, link.end - link.begin);
    at = link.end;
  }
  pieces_[links].assign(output_, at);
  auto join = [&] {
    output_.assign(pieces_[0]);
    for (std::size_t k = 0; k < links; ++k) output_.append(link_texts_[k]).append(pieces_[k + 1]);
  };
  if (output_.size() >= kPassMinLength) substitutions_.ApplyPhrasesToPieces(pieces_);
  join();
  if (output_.size() < kPassMinLength) return;
  // A name never depends on another piece: each piece takes the name pass on its own, and
  // the modal rule, which never reaches over a link.
  for (std::string& piece : pieces_) {
    substitutions_.ApplyNames(piece);
    if (options_.modal_infinitives) substitutions_.ApplyModalInfinitives(piece);
  }
  join();
}

}  // namespace lorvan
