#include "engine/phrases.h"

#include <algorithm>

#include "encoding/letters.h"

namespace lorvan {
namespace {

// The number of entries a header skips: its target as decimal digits, saturated at limit;
// 0 when the target is not a non-empty run of ASCII digits.
std::size_t SkipCount(std::string_view target, std::size_t limit) {
  if (target.empty()) return 0;
  std::size_t n = 0;
  for (char c : target) {
    if (c < '0' || c > '9') return 0;
    n = std::min(limit, n * 10 + static_cast<std::size_t>(c - '0'));
  }
  return n;
}

bool IsHeader(const PhraseEntry& entry) {
  return !entry.source.empty() && entry.source.front() == '#';
}

}  // namespace

std::string ReplacePhrase(std::string_view text, std::string_view source, std::string_view target,
                          int compare_mode) {
  PhraseRule rule = MakePhraseRule(source, target, compare_mode);
  std::string haystack = rule.ignore_case ? ToLowerCopy(text) : std::string(text);
  std::string out;
  if (!ApplyPhraseRule(rule, text, haystack, &out)) return std::string(text);
  return out;
}

PhrasePass::PhrasePass(const std::vector<PhraseEntry>& phrases)
    : rules_(phrases.size()),
      is_header_(phrases.size()),
      next_header_(phrases.size() + 1, phrases.size()),
      skip_to_(phrases.size()) {
  const std::size_t count = phrases.size();
  for (std::size_t i = 0; i < count; ++i) {
    is_header_[i] = IsHeader(phrases[i]);
    if (!is_header_[i]) {
      rules_[i] = MakePhraseRule(phrases[i].source, phrases[i].target, 1);
      if (!rules_[i].needle.empty()) matcher_.Add(rules_[i].needle, i);
      continue;
    }
    std::string key = ToLowerCopy(std::string_view(phrases[i].source).substr(1));
    std::size_t skip = SkipCount(phrases[i].target, count);
    if (key.empty() || skip == 0) continue;  // always found, or skips nothing
    matcher_.Add(key, i);
    next_header_[i] = i;
    skip_to_[i] = std::min(count, i + 1 + skip);
  }
  for (std::size_t i = count; i-- > 0;)
    next_header_[i] = std::min(next_header_[i], next_header_[i + 1]);
  matcher_.Build();
  seen_patterns_.Resize(matcher_.pattern_count());
  present_.Resize(count);
}

void PhrasePass::Scan(const std::string& line) const {
  FoldInto(line, &folded_);
  present_.Clear();
  matcher_.FindEntries(folded_, seen_patterns_, present_);
}

// Entries between two events are pairs whose needle is absent, which change nothing. The
// events are the next present entry (a pair to apply, or a header whose key is there) and
// the next header that could skip; such a header met before the next present entry has its
// key absent.
void PhrasePass::Apply(std::string& line) const {
  const std::size_t count = rules_.size();
  Scan(line);
  std::size_t hit = present_.NextSet(0);
  for (std::size_t i = 0; i < count;) {
    std::size_t header = next_header_[i];
    if (header < hit) {
      i = skip_to_[header];
      if (hit < i) hit = present_.NextSet(i);
      continue;
    }
    if (hit >= count) break;
    if (!is_header_[hit] && ApplyPhraseRule(rules_[hit], line, folded_, &out_) && out_ != line) {
      line.swap(out_);
      Scan(line);
    }
    i = hit + 1;
    hit = present_.NextSet(i);
  }
}

}  // namespace lorvan
