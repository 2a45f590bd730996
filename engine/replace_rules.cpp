#include "engine/replace_rules.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>

#include "common/find_needle.h"
#include "common/load8.h"
#include "encoding/letters.h"

namespace lorvan {
namespace {

bool IsLetterAt(std::string_view text, std::size_t i) {
  return i < text.size() && IsWordLetter(static_cast<unsigned char>(text[i]));
}

// The replacement in the letter case of seen: as stored for small letters, in capitals for
// capitals, raised first character when seen starts with a character that has no small form.
const std::string& ReplacementFor(const PhraseRule& rule, std::string_view seen) {
  if (HasNoCapital(seen)) return rule.replacement;
  if (HasNoSmall(seen)) return rule.replacement_capitals;
  auto first = static_cast<unsigned char>(seen[0]);
  if (ToUpperByte(first) == first) return rule.replacement_capitalised;
  return rule.replacement;
}

// True when the occurrence at p must be left in the text; sets *resume for the next search.
bool RejectAtBoundary(const PhraseRule& rule, std::string_view text, std::size_t p,
                      std::size_t* resume) {
  if (rule.right_boundary && IsLetterAt(text, p + rule.needle.size())) {
    *resume = p + 1;
    return true;
  }
  if (rule.left_boundary && p > 0 && IsLetterAt(text, p - 1)) {
    *resume = p + 2;
    return true;
  }
  return false;
}

// The number of leading bytes a and b (n bytes each) have in common, compared 8 at a time.
std::size_t CommonPrefix(const char* a, const char* b, std::size_t n) {
  std::size_t i = 0;
  if constexpr (std::endian::native == std::endian::little) {
    for (; i + 8 <= n; i += 8) {
      const std::uint64_t diff = Load8(a + i) ^ Load8(b + i);
      if (diff != 0) return i + static_cast<std::size_t>(std::countr_zero(diff) / 8);
    }
  }
  while (i < n && a[i] == b[i]) ++i;
  return i;
}

// The number of trailing bytes the n bytes ending at a_end and at b_end have in common.
std::size_t CommonSuffix(const char* a_end, const char* b_end, std::size_t n) {
  std::size_t i = 0;
  if constexpr (std::endian::native == std::endian::little) {
    for (; i + 8 <= n; i += 8) {
      const std::uint64_t diff = Load8(a_end - i - 8) ^ Load8(b_end - i - 8);
      if (diff != 0) return i + static_cast<std::size_t>(std::countl_zero(diff) / 8);
    }
  }
  while (i < n && *(a_end - 1 - i) == *(b_end - 1 - i)) ++i;
  return i;
}

}  // namespace

std::string_view TrimSpaces(std::string_view text) {
  std::size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// Sixteen or eight bytes at a time (see ToLower16, ToLower8), the last few one by one.
void FoldInto(std::string_view text, std::string* out) {
  out->resize(text.size());
  const char* in = text.data();
  char* to = out->data();
  const std::size_t size = text.size();
  std::size_t i = 0;
  for (; i + 16 <= size; i += 16) ToLower16(in + i, to + i);
  for (; i + 8 <= size; i += 8) {
    const std::uint64_t x = ToLower8(Load8(in + i));
    std::memcpy(to + i, &x, 8);
  }
  for (; i < size; ++i) to[i] = static_cast<char>(ToLowerByte(static_cast<unsigned char>(in[i])));
}

std::string_view RefoldChange(std::string_view before, std::string_view after, std::size_t longest,
                              std::string* folded) {
  const std::size_t shorter = std::min(before.size(), after.size());
  const std::size_t prefix = CommonPrefix(before.data(), after.data(), shorter);
  const std::size_t suffix = CommonSuffix(before.data() + before.size(),
                                          after.data() + after.size(), shorter - prefix);
  const std::size_t changed = after.size() - prefix - suffix;
  folded->replace(prefix, before.size() - prefix - suffix, changed, ' ');
  for (std::size_t i = prefix; i < prefix + changed; ++i)
    (*folded)[i] = static_cast<char>(ToLowerByte(static_cast<unsigned char>(after[i])));
  const std::size_t context = std::max<std::size_t>(longest, 1) - 1;
  const std::size_t from = prefix > context ? prefix - context : 0;
  const std::size_t to = std::min(after.size(), after.size() - suffix + context);
  return std::string_view(*folded).substr(from, to - from);
}

PhraseRule MakePhraseRule(std::string_view source, std::string_view target) {
  PhraseRule rule;
  rule.needle = TrimSpaces(source);
  ToLowerInPlace(rule.needle);
  rule.left_boundary = !source.empty() && source.front() == ' ';
  rule.right_boundary = !source.empty() && source.back() == ' ';
  rule.replacement = TrimSpaces(target);
  rule.replacement_capitals = ToUpperCopy(rule.replacement);
  rule.replacement_capitalised = rule.replacement;
  if (!rule.replacement.empty()) {
    auto first = static_cast<unsigned char>(rule.replacement[0]);
    rule.replacement_capitalised[0] = static_cast<char>(ToUpperByte(first));
  }
  return rule;
}

NameRule MakeNameRule(std::string_view source, std::string_view target) {
  return NameRule{std::string(source), std::string(target)};
}

// Calls on_replaced(p, replacement) for each occurrence of rule's needle at p, in order, that
// the rule replaces. haystack is text in small letters; the search starts at from.
template <typename OnReplaced>
void ForEachReplaced(const PhraseRule& rule, std::string_view text, std::string_view haystack,
                     std::size_t from, OnReplaced on_replaced) {
  const std::size_t length = rule.needle.size();
  if (length == 0) return;
  for (std::size_t p, resume = from;
       (p = FindNeedle(haystack, rule.needle, resume)) != std::string_view::npos;) {
    if (RejectAtBoundary(rule, text, p, &resume)) continue;
    on_replaced(p, ReplacementFor(rule, text.substr(p, length)));
    resume = p + length;
  }
}

bool ApplyPhraseRule(const PhraseRule& rule, std::string_view text, std::string_view haystack,
                     std::string* out) {
  bool replaced = false;
  std::size_t start = 0;
  ForEachReplaced(rule, text, haystack, 0, [&](std::size_t p, const std::string& replacement) {
    if (!replaced) out->clear();
    replaced = true;
    out->append(text.substr(start, p - start));
    out->append(replacement);
    start = p + rule.needle.size();
  });
  if (replaced) out->append(text.substr(start));
  return replaced;
}

bool ReplacePhraseInPlace(const PhraseRule& rule, std::string& text, std::string& folded,
                          std::size_t from, std::size_t to,
                          std::vector<PhraseReplacement>* found, PhraseChange* change) {
  found->clear();
  const std::string_view haystack = std::string_view(folded).substr(0, to);
  ForEachReplaced(rule, text, haystack, from, [&](std::size_t p, const std::string& replacement) {
    found->push_back({p, &replacement});
  });
  if (found->empty()) return false;
  const std::size_t length = rule.needle.size();
  *change = {.begin = found->front().at};
  // From the last occurrence back, so that the places of those before stay as found. The end
  // of the last replacement moves by the length each one before it adds or takes (unsigned
  // arithmetic wraps to the right place).
  for (auto it = found->rbegin(); it != found->rend(); ++it) {
    const std::string& replacement = *it->replacement;
    if (it == found->rbegin()) change->end = it->at + replacement.size();
    else change->end += replacement.size() - length;
    change->added += replacement.size() - std::min(replacement.size(), length);
    text.replace(it->at, length, replacement);
    folded.replace(it->at, length, replacement);
    for (std::size_t i = it->at; i < it->at + replacement.size(); ++i)
      folded[i] = static_cast<char>(ToLowerByte(static_cast<unsigned char>(folded[i])));
  }
  return true;
}

bool ApplyNameRule(const NameRule& rule, std::string_view text, std::string_view haystack,
                   std::string* out) {
  const std::size_t length = rule.needle.size();
  if (length == 0) return false;
  bool replaced = false;
  std::size_t start = 0;
  for (std::size_t p, resume = 0;
       (p = FindNeedle(haystack, rule.needle, resume)) != std::string_view::npos;) {
    resume = p + length;
    std::string_view seen = text.substr(p, length);
    if (HasNoCapital(seen) || HasNoSmall(seen)) continue;  // kept, copied with the next stretch
    if (!replaced) out->clear();
    replaced = true;
    out->append(text.substr(start, p - start));
    out->append(rule.target);
    start = resume;
  }
  if (replaced) out->append(text.substr(start));
  return replaced;
}

}  // namespace lorvan
