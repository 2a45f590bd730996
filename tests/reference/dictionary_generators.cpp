#include "reference/dictionary_generators.h"

#include <string_view>
#include <utility>

#include "encoding/letters.h"

namespace lorvan::testing {
namespace {

// First letters that select the shared bucket: q w x y and the Croatian letters.
constexpr std::string_view kSharedFirst = "qwxy\xe8\xe6\xf0\x9a\x9e";

}  // namespace

std::string SourceWord(TextGenerator& gen) {
  std::string word = gen.Word(1, gen.Chance(0.1) ? 18 : 9);
  if (gen.Chance(0.15))
    word[0] = kSharedFirst[static_cast<std::size_t>(gen.Uniform(0, kSharedFirst.size() - 1))];
  return gen.RandomCase(std::move(word));
}

std::string TargetText(TextGenerator& gen) {
  if (gen.Chance(0.05)) return "";
  std::string target = gen.Word(1, 10);
  for (int words = gen.Uniform(1, 3); words > 1; --words) target += " " + gen.Word(1, 8);
  if (gen.Chance(0.1))
    target[0] = static_cast<char>(ToUpperByte(static_cast<unsigned char>(target[0])));
  return target;
}

std::string WordFileText(TextGenerator& gen, int lines) {
  std::string text;
  for (int i = 0; i < lines; ++i) {
    if (gen.Chance(0.02)) {
      text += gen.Chance(0.5) ? "" : "napomena bez tabulatora";
    } else {
      text += SourceWord(gen) + "\t" + TargetText(gen);
    }
    text += "\r\n";
  }
  return text;
}

}  // namespace lorvan::testing
