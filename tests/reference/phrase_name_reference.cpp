#include "reference/phrase_name_reference.h"

#include <utility>

#include "encoding/letters.h"

namespace lorvan::reference {
namespace {

bool SameChar(char a, char b, bool ignore_case) {
  if (!ignore_case) return a == b;
  return ToLowerByte(static_cast<unsigned char>(a)) == ToLowerByte(static_cast<unsigned char>(b));
}

// Characters of text from 1-based position start, count of them (or to the end).
std::string Mid(const std::string& text, long start, long count = -1) {
  if (start > static_cast<long>(text.size())) return "";
  return text.substr(static_cast<std::size_t>(start - 1),
                     count < 0 ? std::string::npos : static_cast<std::size_t>(count));
}

std::string Trim(const std::string& text) {
  std::size_t first = text.find_first_not_of(' ');
  if (first == std::string::npos) return "";
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

bool IsWordLetterText(const std::string& one_char) {
  return !one_char.empty() && IsWordLetter(static_cast<unsigned char>(one_char[0]));
}

std::string CaseLikeSeen(const std::string& seen, const std::string& replacement) {
  if (seen == ToLowerCopy(seen)) return replacement;
  if (seen == ToUpperCopy(seen)) return ToUpperCopy(replacement);
  if (seen == ToUpperCopy(Mid(seen, 1, 1)) + Mid(seen, 2)) {
    return ToUpperCopy(Mid(replacement, 1, 1)) + Mid(replacement, 2);
  }
  return replacement;
}

long ReadCount(const std::string& target) {
  if (target.empty()) return 0;
  for (char c : target)
    if (c < '0' || c > '9') return 0;
  const std::size_t first = target.find_first_not_of('0');  // leading zeros add nothing
  if (first == std::string::npos) return 0;
  if (target.size() - first > 9) return 1'000'000'000;
  return std::stol(target.substr(first));
}

// The 1-based position of the first occurrence of pattern in text at or after position start,
// or 0.
long InStr(long start, const std::string& text, const std::string& pattern, bool ignore_case) {
  const long length = static_cast<long>(pattern.size());
  for (long p = start; p + length - 1 <= static_cast<long>(text.size()); ++p) {
    long k = 0;
    while (k < length && SameChar(text[static_cast<std::size_t>(p - 1 + k)],
                                  pattern[static_cast<std::size_t>(k)], ignore_case))
      ++k;
    if (k == length) return p;
  }
  return 0;
}

std::string ReplacePhraseLiteral(const std::string& text, const std::string& source,
                                 const std::string& target) {
  const std::string pattern = Trim(source), replacement = Trim(target);
  if (pattern.empty()) return text;
  const long length = static_cast<long>(pattern.size());
  const bool right = !source.empty() && source.back() == ' ';
  const bool left = !source.empty() && source.front() == ' ';
  std::string result;
  long start = 1, resume = 1;
  while (true) {
    long p = InStr(resume, text, pattern, true);
    if (right && p != 0 && IsWordLetterText(Mid(text, p + length, 1))) {
      resume = p + 1;
      continue;
    }
    if (left && p > 1 && IsWordLetterText(Mid(text, p - 1, 1))) {
      resume = p + 2;
      continue;
    }
    if (p == 0) return result + Mid(text, start);
    result += Mid(text, start, p - start);
    result += CaseLikeSeen(Mid(text, p, length), replacement);
    start = resume = p + length;
  }
}

std::string ReplaceNameLiteral(const std::string& text, const std::string& source,
                               const std::string& target) {
  if (source.empty()) return text;
  const long length = static_cast<long>(source.size());
  std::string result;
  long start = 1;
  while (true) {
    long p = InStr(start, text, source, false);
    if (p == 0) return result + Mid(text, start);
    result += Mid(text, start, p - start);
    std::string seen = Mid(text, p, length);
    bool one_case = seen == ToLowerCopy(seen) || seen == ToUpperCopy(seen);
    result += one_case ? seen : target;
    start = p + length;
  }
}

}  // namespace

std::vector<std::string> ApplyPhrasesLiteral(std::vector<std::string> pieces,
                                             const std::vector<PhraseEntry>& entries) {
  const long count = static_cast<long>(entries.size());
  long i = 0;
  while (i <= count - 1) {
    const PhraseEntry& entry = entries[static_cast<std::size_t>(i)];
    if (Mid(entry.source, 1, 1) == "#") {
      std::string key = Mid(entry.source, 2);
      bool found = key.empty();
      for (const std::string& piece : pieces) found = found || InStr(1, piece, key, true) > 0;
      i += found ? 1 : ReadCount(entry.target) + 1;
      continue;
    }
    for (std::string& piece : pieces)
      piece = ReplacePhraseLiteral(piece, entry.source, entry.target);
    i += 1;
  }
  return pieces;
}

std::string ApplyPhrasesLiteral(std::string line, const std::vector<PhraseEntry>& entries) {
  return ApplyPhrasesLiteral(std::vector<std::string>{std::move(line)}, entries)[0];
}

std::string ApplyNamesLiteral(std::string line, const std::vector<NameEntry>& entries) {
  for (const NameEntry& entry : entries)
    line = ReplaceNameLiteral(line, entry.source, entry.target);
  return line;
}

}  // namespace lorvan::reference
