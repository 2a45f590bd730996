// What one folder pass carries from word to word, line to line and file to file.
#pragma once

#include <string>

namespace lorvan {

// A preposition held back until the word after it has been translated.
enum class Preposition { kNone, kS, kSa, kK, kKa };

struct FolderPassState {
  bool in_tag = false;  // the scan is inside an HTML tag
  Preposition pending = Preposition::kNone;
  std::string preposition_text;  // the pending preposition as written ("s", "Sa", ...)
};

// True in the state a pass starts in: outside a tag, no preposition held. Text translated from
// it ahead of its turn holds when the text before it ended so.
inline bool Neutral(const FolderPassState& state) {
  return !state.in_tag && state.pending == Preposition::kNone;
}

}  // namespace lorvan
