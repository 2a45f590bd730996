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

// The target as the word's letter case wants it.
std::string_view CarryCase(int bucket, unsigned char first_char, std::string_view word,
                           std::string_view target, std::string* scratch) {
  // The capital test first: it is rarely true, and a target's presence is hard to foretell.
  if (!StartsWithCapital(bucket, first_char, word) || target.empty()) return target;
  if (HasNoSmall(word)) {
    scratch->assign(target);
    ToUpperInPlace(*scratch);
    return *scratch;
  }
  const auto first = static_cast<unsigned char>(target[0]);
  if (ToUpperByte(first) == first) return target;  // nothing to raise
  scratch->assign(target);
  (*scratch)[0] = static_cast<char>(ToUpperByte(first));
  return *scratch;
}

}  // namespace

std::string& TranslateWord(const WordTable& words, unsigned char first_char, int length_class,
                           std::string& word) {
  std::string scratch;
  const std::string_view translated =
      FindTranslation(words, first_char, length_class, word, &scratch);
  if (translated.data() != nullptr) word.assign(translated);
  return word;
}

std::string_view FindTranslation(const WordTable& words, unsigned char first_char, int length_class,
                                 std::string_view word, std::string* scratch) {
  const int bucket = BucketOfCode(first_char);
  return CarryCase(bucket, first_char, word, words.Find(bucket, length_class, word), scratch);
}

std::string_view FindPaddedTranslation(const WordTable& words, unsigned char first_char,
                                       int length_class, std::string_view word,
                                       std::string* scratch) {
  const int bucket = BucketOfCode(first_char);
  return CarryCase(bucket, first_char, word, words.FindPadded(bucket, length_class, word), scratch);
}

}  // namespace lorvan
