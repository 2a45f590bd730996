#include "engine/word_lookup.h"

#include "encoding/letters.h"

namespace lorvan {
namespace {

// Whether the word counts as starting with a capital. In the letter buckets first_char is a
// letter A-Z or a-z; in the shared bucket it counts as a capital when it equals the capital
// form of the word's first character.
bool StartsWithCapital(int bucket, unsigned char first_char, std::string_view word) {
  if (bucket != kSharedBucket) return first_char >= 'A' && first_char <= 'Z';
  return !word.empty() && first_char == ToUpperByte(static_cast<unsigned char>(word[0]));
}

}  // namespace

std::string& TranslateWord(const WordTable& words, unsigned char first_char, int length_class,
                           std::string& word) {
  std::string translated;
  if (TranslateWordInto(words, first_char, length_class, word, &translated)) word.swap(translated);
  return word;
}

bool TranslateWordInto(const WordTable& words, unsigned char first_char, int length_class,
                       std::string_view word, std::string* out) {
  int bucket = BucketOfCode(first_char);
  const std::string* target = words.Find(bucket, length_class, word);
  if (target == nullptr) return false;
  const bool capital = StartsWithCapital(bucket, first_char, word);
  const bool all_capitals = capital && HasNoSmall(word);
  out->assign(*target);
  if (all_capitals) {
    ToUpperInPlace(*out);
  } else if (capital && !out->empty()) {
    (*out)[0] = static_cast<char>(ToUpperByte(static_cast<unsigned char>((*out)[0])));
  }
  return true;
}

}  // namespace lorvan
