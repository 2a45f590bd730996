#include "engine/modal_infinitive.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <string_view>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "common/load8.h"
#include "encoding/letters.h"

namespace lorvan {
namespace {

constexpr int kMaxCliticsBefore = 2;  // between the modal and "da"
constexpr int kMaxCliticsAfter = 3;   // between "da" and the present

// Clitics that may stand between a modal and "da": the auxiliaries (mogao bi da, mogao sam
// da, morat ću da), the question particle (može li da) and the short pronouns (mogu ti da
// kažem). In Windows-1250 octal, \346 is ć and \232 is š.
bool IsCliticBefore(std::string_view word) {
  static constexpr std::string_view kWords[] = {
      "bi", "bih", "bismo", "biste", "sam", "si",    "je",        "smo",   "ste",     "su",
      "li", "se",  "mi",    "ti",    "mu",  "joj",   "nam",       "vam",   "im",      "me",
      "te", "ga",  "nas",   "vas",   "ih",  "\346u", "\346e\232", "\346e", "\346emo", "\346ete"};
  return std::find(std::begin(kWords), std::end(kWords), word) != std::end(kWords);
}

// Short pronouns that may stand between "da" and the present (da se uradi, da ga vidim). Not
// je, which after "da" is mostly "is" (mora da je ...), nor si ("you are").
bool IsCliticAfter(std::string_view word) {
  static constexpr std::string_view kWords[] = {"se", "mi", "ti", "mu", "joj", "nam", "vam",
                                                "im", "me", "te", "ga", "nas", "vas", "ih"};
  return std::find(std::begin(kWords), std::end(kWords), word) != std::end(kWords);
}

std::size_t WordBegin(const std::string& line, std::size_t end) {
  while (end > 0 && IsWordLetter(static_cast<unsigned char>(line[end - 1]))) --end;
  return end;
}

std::size_t WordEnd(const std::string& line, std::size_t begin) {
  while (begin < line.size() && IsWordLetter(static_cast<unsigned char>(line[begin]))) ++begin;
  return begin;
}

// True when the d at p (a 'd' or 'D') stands in " da " (the a in either case).
bool IsDaAt(const char* p) { return p[-1] == ' ' && (p[1] | 0x20) == 'a' && p[2] == ' '; }

// The index of the first " da " (d and a in either case) of line at or after from; npos if
// none. With SSE2 sixteen places are tested at once, each of the four bytes by its own load;
// else eight bytes at a time are searched for a d, several times rarer than the space.
std::size_t FindDa(const std::string& line, std::size_t from) {
  if (line.size() < from + 4) return std::string::npos;
  const char* const begin = line.data();
  const char* const last = begin + line.size() - 3;  // the last place a d can stand
  const char* p = begin + from + 1;
#if defined(__SSE2__)
  auto load = [](const char* at) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(at)); };
  const __m128i space = _mm_set1_epi8(' '), small = _mm_set1_epi8(0x20);
  for (; last - p >= 15; p += 16) {
    const __m128i da = _mm_and_si128(
        _mm_and_si128(_mm_cmpeq_epi8(load(p - 1), space),
                      _mm_cmpeq_epi8(_mm_or_si128(load(p), small), _mm_set1_epi8('d'))),
        _mm_and_si128(_mm_cmpeq_epi8(_mm_or_si128(load(p + 1), small), _mm_set1_epi8('a')),
                      _mm_cmpeq_epi8(load(p + 2), space)));
    if (const int found = _mm_movemask_epi8(da); found != 0)
      return static_cast<std::size_t>(p - 1 - begin) +
             std::countr_zero(static_cast<unsigned>(found));
  }
#else
  constexpr std::uint64_t kOnes = 0x0101010101010101, kHigh = 0x8080808080808080;
  for (; last - p >= 7; p += 8) {
    const std::uint64_t d = (Load8(p) | kOnes * 0x20) ^ kOnes * 'd';  // zero where a d stands
    // The high bit of every byte that is zero, and maybe of some above one: each is checked.
    for (std::uint64_t found = (d - kOnes) & ~d & kHigh; found != 0; found &= found - 1) {
      const char* const q = p + std::countr_zero(found) / 8;
      if (IsDaAt(q)) return static_cast<std::size_t>(q - 1 - begin);
    }
  }
#endif
  for (; p <= last; ++p) {
    if ((*p | 0x20) == 'd' && IsDaAt(p)) return static_cast<std::size_t>(p - 1 - begin);
  }
  return std::string::npos;
}

// Appends text to out in the letter case of word: in capitals when word is written in
// capitals, with a capital first letter when word begins with one.
void AppendInCaseOf(std::string_view word, const std::string& text, std::string& out) {
  const std::size_t at = out.size();
  out.append(text);
  const auto first = static_cast<unsigned char>(word[0]);
  if (ToLowerByte(first) == first || at == out.size()) return;
  const std::size_t end = HasNoSmall(word) ? out.size() : at + 1;
  for (std::size_t i = at; i < end; ++i)
    out[i] = static_cast<char>(ToUpperByte(static_cast<unsigned char>(out[i])));
}

}  // namespace

void ModalInfinitives::Apply(std::string& line) {
  if (table_.empty()) return;
  std::size_t space = FindDa(line, 0);
  if (space == std::string::npos) return;
  out_.clear();
  std::size_t copied = 0;
  while (space != std::string::npos) {
    Match match;
    // A modal that a rewrite before has just written as an infinitive stays as it is.
    if (!MatchAt(line, space, &match) || match.modal_begin < copied) {
      space = FindDa(line, space + 3);
      continue;
    }
    out_.append(line, copied, match.modal_begin - copied);
    const std::string_view modal(line.data() + match.modal_begin,
                                 match.modal_end - match.modal_begin);
    if (match.modal_form != nullptr) {
      AppendInCaseOf(modal, *match.modal_form, out_);
    } else {
      out_.append(modal);
    }
    out_.append(line, match.modal_end, space + 1 - match.modal_end);
    out_.append(line, space + 4, match.verb_begin - (space + 4));
    AppendInCaseOf(
        std::string_view(line.data() + match.verb_begin, match.verb_end - match.verb_begin),
        *match.infinitive, out_);
    copied = match.verb_end;
    space = FindDa(line, copied);
  }
  if (copied == 0) return;
  out_.append(line, copied);
  line.swap(out_);
}

// The modal is looked for first: a word before "da" is far more rarely a modal than the word
// after it a present.
bool ModalInfinitives::MatchAt(const std::string& line, std::size_t space, Match* match) {
  // Before "da": the clitics, then the modal.
  const ModalTable::Modal* modal = nullptr;
  bool only_li = true;
  for (std::size_t end = space, clitics = 0;; ++clitics) {
    const std::size_t begin = WordBegin(line, end);
    if (begin == end) return false;
    const std::string& word = Lower(line, begin, end);
    modal = table_.FindModal(word);
    if (modal != nullptr) {
      match->modal_begin = begin;
      match->modal_end = end;
      break;
    }
    if (clitics == kMaxCliticsBefore || begin == 0 || line[begin - 1] != ' ' ||
        !IsCliticBefore(word))
      return false;
    only_li = only_li && word == "li";
    end = begin - 1;
  }
  // After "da": the pronoun clitics, then the present.
  const ModalTable::Present* present = nullptr;
  for (std::size_t begin = space + 4, clitics = 0;; ++clitics) {
    const std::size_t end = WordEnd(line, begin);
    if (end == begin) return false;
    const std::string& word = Lower(line, begin, end);
    if (clitics < kMaxCliticsAfter && end < line.size() && line[end] == ' ' &&
        IsCliticAfter(word)) {
      begin = end + 1;
      continue;
    }
    present = table_.FindPresent(word);
    if (present == nullptr) return false;
    match->verb_begin = begin;
    match->verb_end = end;
    match->infinitive = &table_.Infinitive(*present);
    break;
  }
  // The modal must agree with the present in person.
  if (modal->person_forms < 0) return (modal->persons & present->persons) != 0;
  if (!only_li) return false;
  if (std::popcount(present->persons) == 1) {
    const std::string& form = table_.PersonForm(*modal, std::countr_zero(present->persons));
    if (form != Lower(line, match->modal_begin, match->modal_end)) match->modal_form = &form;
  }
  return true;
}

const std::string& ModalInfinitives::Lower(const std::string& line, std::size_t begin,
                                           std::size_t end) {
  lower_.assign(line, begin, end - begin);
  ToLowerInPlace(lower_);
  return lower_;
}

}  // namespace lorvan
