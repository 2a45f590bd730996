// One phrase pair or name pair prepared for replacement, and the replacement of all its
// occurrences in one text, for the phrase and name passes.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace lorvan {

// Patterns longer than this are searched for one by one rather than through the passes'
// multi-pattern matcher, whose memory grows by some hundred bytes for every pattern byte: a
// dictionary line of megabytes would otherwise take gigabytes.
inline constexpr std::size_t kLongestMatchedPattern = 256;

struct PhraseRule {
  std::string needle;                   // source without boundary spaces, in small letters
  std::string replacement;              // target without its end spaces, as stored
  std::string replacement_capitals;     // ... entirely in capitals
  std::string replacement_capitalised;  // ... with its first character raised
  bool left_boundary = false;           // source begins with a space
  bool right_boundary = false;          // source ends with a space
};

struct NameRule {
  std::string needle;  // source as stored: names are compared exactly
  std::string target;
};

// A phrase is found without regard to letter case, a name only as written.
PhraseRule MakePhraseRule(std::string_view source, std::string_view target);
NameRule MakeNameRule(std::string_view source, std::string_view target);

// Applies rule to text. haystack is text in small letters for a phrase rule, text itself for
// a name rule. Returns false when no occurrence was replaced (also for an empty needle);
// otherwise *out holds the whole new text.
bool ApplyPhraseRule(const PhraseRule& rule, std::string_view text, std::string_view haystack,
                     std::string* out);
bool ApplyNameRule(const NameRule& rule, std::string_view text, std::string_view haystack,
                   std::string* out);

// An occurrence of a phrase rule's needle and what replaces it.
struct PhraseReplacement {
  std::size_t at;
  const std::string* replacement;
};

// What the replacements of one phrase rule did to a text: the stretch [begin, end) of the new
// text from the first replacement to the end of the last, and the bytes they added (those that
// made the text longer, nothing taken off for those that made it shorter).
struct PhraseChange {
  std::size_t begin = 0;
  std::size_t end = 0;
  std::size_t added = 0;
};

// ApplyPhraseRule in place: replaces the same occurrences in text and in folded (text in small
// letters) alike, found in folded between `from` and `to`. Returns false when none was;
// otherwise *change tells what the replacements did. found is scratch. REQUIRES: no occurrence
// before `from` or ending after `to` would be replaced; when from > 0, the rule wants a
// non-letter before its needle, which begins with a letter (the search, resuming after a
// rejected occurrence, then never steps over a place where it would replace).
bool ReplacePhraseInPlace(const PhraseRule& rule, std::string& text, std::string& folded,
                          std::size_t from, std::size_t to,
                          std::vector<PhraseReplacement>* found, PhraseChange* change);

// text without the spaces (0x20) at its start and end.
std::string_view TrimSpaces(std::string_view text);

// Writes text in small letters into *out, reusing its storage.
void FoldInto(std::string_view text, std::string* out);

// *folded holds before in small letters; makes it hold after in small letters, folding again
// only the stretch where the two differ byte for byte. Returns that stretch of *folded widened
// on both sides by longest - 1 bytes: where every occurrence of a pattern up to longest bytes
// long that overlaps the change lies.
std::string_view RefoldChange(std::string_view before, std::string_view after, std::size_t longest,
                              std::string* folded);

}  // namespace lorvan
