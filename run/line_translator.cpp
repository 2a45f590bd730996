#include "run/line_translator.h"

#include "encoding/convert.h"
#include "encoding/cyrillic.h"
#include "encoding/letters.h"
#include "run/word_end.h"

namespace lorvan {
namespace {

constexpr char kEndMarker = '\r';          // ends the last word of every scanned line
constexpr std::size_t kPassMinLength = 6;  // shorter lines skip the phrase and name passes

}  // namespace

const std::string& LineTranslator::Translate(std::string_view line, FolderPassState& state) {
  if (line.size() < 2) {
    output_.assign(line);
    char_pos_ = static_cast<std::int64_t>(line.size());
    return output_;
  }
  current_.assign(line);
  if (options_.cyrillic) CyrillicToLatin(current_);
  ConvertEncoding(current_, /*from_utf8=*/true);
  current_.push_back(kEndMarker);

  Scan(state);
  char_pos_ = static_cast<std::int64_t>(current_.size()) + 1;

  if (output_.size() >= kPassMinLength) substitutions_.ApplyPhrases(output_);
  if (output_.size() >= kPassMinLength) substitutions_.ApplyNames(output_);
  if (options_.cyrillic) ConvertEncoding(output_, /*from_utf8=*/false);
  return output_;
}

void LineTranslator::Scan(FolderPassState& state) {
  output_.clear();
  word_.clear();
  for (char c : current_) {
    const unsigned char ch = static_cast<unsigned char>(c);
    if (state.in_tag) {
      if (c == '>') state.in_tag = false;
      if (c != kEndMarker) output_.push_back(c);
      continue;
    }
    if (IsWordLetter(ch)) {
      word_.push_back(c);
      continue;
    }
    const bool held = HandleWordEnd(substitutions_, state, word_, ch);
    if (c == '<' && options_.skip_tags) {
      state.in_tag = true;
      output_.append(word_).push_back(c);
    } else if (held) {
      // The preposition and its space are written with the next word.
    } else if (c == kEndMarker) {
      output_.append(word_);
    } else {
      output_.append(word_).push_back(c);
    }
    word_.clear();
  }
}

}  // namespace lorvan
