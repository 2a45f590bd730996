#include "reference/word_index_reference.h"

#include "encoding/letters.h"

namespace lorvan::reference {
namespace {

// Position of the first occurrence of key in text, comparing without regard to letter case;
// npos when there is none.
std::size_t FindIgnoringCase(std::string_view text, std::string_view key) {
  if (key.size() > text.size()) return std::string_view::npos;
  for (std::size_t i = 0; i + key.size() <= text.size(); ++i) {
    std::size_t k = 0;
    while (k < key.size() && ToLowerByte(static_cast<unsigned char>(text[i + k])) ==
                                 ToLowerByte(static_cast<unsigned char>(key[k])))
      ++k;
    if (k == key.size()) return i;
  }
  return std::string_view::npos;
}

std::string CapitalizeLikeLiteral(const std::string& source, const std::string& target) {
  if (source == ToUpperCopy(source)) return ToUpperCopy(target);
  if (target.empty()) return target;
  return ToUpperCopy(target.substr(0, 1)) + target.substr(1);
}

}  // namespace

ReferenceWordTable::ReferenceWordTable() {
  for (auto& classes : index)
    for (std::string& text : classes) text = ",";
}

bool ReferenceWordTable::Add(std::string_view line) {
  std::size_t tab = line.find('\t');
  if (tab == std::string_view::npos || tab == 0) return false;
  std::string source(line.substr(0, tab));
  std::string lower = ToLowerCopy(source);
  int bucket = BucketOfCode(static_cast<unsigned char>(lower[0]));
  std::int64_t n = count[bucket];
  index[bucket][LengthClass(source.size())] += source + "," + std::to_string(n) + ",";
  std::vector<std::vector<std::string>>& blocks = targets[bucket];
  if (n % kBlockSize == 0) blocks.emplace_back(kBlockSize);  // a block when its first pair comes
  blocks[n / kBlockSize][n % kBlockSize] = std::string(line.substr(tab + 1));
  count[bucket] = n + 1;
  return true;
}

std::string& TranslateWordLiteral(const ReferenceWordTable& table, unsigned char first_char,
                                  int length_class, std::string& word) {
  int bucket = BucketOfCode(first_char);
  const std::string& index = table.index[bucket][length_class];
  std::size_t comma = FindIgnoringCase(index, "," + word + ",");
  if (comma == std::string::npos) return word;
  // The pair number follows the key.
  std::size_t start = comma + word.size() + 2;
  std::size_t end = index.find(',', start);
  std::int64_t n = 0;
  for (std::size_t i = start; i < end && i < index.size(); ++i) {
    if (index[i] < '0' || index[i] > '9') return word;  // not a pair number: no match
    n = n * 10 + (index[i] - '0');
  }
  if (n >= table.count[bucket]) return word;
  const std::string& target = table.targets[bucket][n / kBlockSize][n % kBlockSize];
  bool capital = bucket == kSharedBucket
                     ? first_char == ToUpperByte(static_cast<unsigned char>(word[0]))
                     : first_char >= 'A' && first_char <= 'Z';
  word = capital ? CapitalizeLikeLiteral(word, target) : target;
  return word;
}

void LoadWordFileLiteral(std::string_view bytes, ReferenceWordTable* table) {
  std::size_t pos = 0;
  while (pos < bytes.size()) {
    std::size_t end = bytes.find('\r', pos);
    if (end == std::string_view::npos) end = bytes.size();
    table->Add(bytes.substr(pos, end - pos));
    pos = end + 1;
    if (pos < bytes.size() && bytes[pos] == '\n') ++pos;
  }
}

}  // namespace lorvan::reference
