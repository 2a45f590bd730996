#include "reference/word_index_reference.h"

#include "encoding/letters.h"

namespace lorvan::reference {

bool ReferenceWordTable::Add(std::string_view line) {
  std::size_t tab = line.find('\t');
  if (tab == std::string_view::npos || tab == 0) return false;
  std::string lower = ToLowerCopy(line.substr(0, tab));
  int bucket = BucketOfCode(static_cast<unsigned char>(lower[0]));
  first_targets.emplace(std::tuple(bucket, LengthClass(tab), lower), line.substr(tab + 1));
  ++count[bucket];
  return true;
}

std::string& TranslateWordLiteral(const ReferenceWordTable& table, unsigned char first_char,
                                  int length_class, std::string& word) {
  int bucket = BucketOfCode(first_char);
  auto found = table.first_targets.find(std::tuple(bucket, length_class, ToLowerCopy(word)));
  if (found == table.first_targets.end()) return word;
  const std::string& target = found->second;
  bool capital = bucket == kSharedBucket
                     ? first_char == ToUpperByte(static_cast<unsigned char>(word[0]))
                     : first_char >= 'A' && first_char <= 'Z';
  if (!capital) return word = target;
  if (word == ToUpperCopy(word)) return word = ToUpperCopy(target);
  if (target.empty()) return word = target;
  return word = ToUpperCopy(target.substr(0, 1)) + target.substr(1);
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
