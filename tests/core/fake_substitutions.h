// Substitutions for tests of the line scan: a small word map with the translator's case rules,
// and a record of every lookup.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "encoding/letters.h"
#include "engine/substitutions.h"

namespace lorvan::testing {

class FakeSubstitutions : public Substitutions {
 public:
  struct Lookup {
    unsigned char first_char;
    int length_class;
    std::string word;
  };

  // Adds a word pair; source in small letters.
  void Add(const std::string& source, const std::string& target) { words_[source] = target; }

  void TranslateWord(unsigned char first_char, int length_class, std::string& word) const override {
    lookups_.push_back({first_char, length_class, word});
    auto it = words_.find(ToLowerCopy(word));
    if (it == words_.end()) return;
    std::string target = it->second;
    if (ToUpperByte(first_char) == first_char && ToLowerByte(first_char) != first_char) {
      if (word == ToUpperCopy(word)) {
        ToUpperInPlace(target);
      } else if (!target.empty()) {
        target[0] = static_cast<char>(ToUpperByte(static_cast<unsigned char>(target[0])));
      }
    }
    word = target;
  }
  // Makes the phrase pass turn the line from into to.
  void RewritePhrase(const std::string& from, const std::string& to) { rewrites_[from] = to; }

  void ApplyPhrases(std::string& line) override {
    phrase_lines_.push_back(line);
    if (auto it = rewrites_.find(line); it != rewrites_.end()) line = it->second;
  }
  void ApplyPhrasesToPieces(std::vector<std::string>& pieces) override {
    for (std::string& piece : pieces) ApplyPhrases(piece);
  }
  void ApplyNames(std::string& line) override { name_lines_.push_back(line); }

  std::vector<Lookup>& lookups() const { return lookups_; }
  std::vector<std::string>& phrase_lines() const { return phrase_lines_; }
  std::vector<std::string>& name_lines() const { return name_lines_; }

 private:
  std::map<std::string, std::string> words_;
  std::map<std::string, std::string> rewrites_;
  mutable std::vector<Lookup> lookups_;
  mutable std::vector<std::string> phrase_lines_;
  mutable std::vector<std::string> name_lines_;
};

}  // namespace lorvan::testing
