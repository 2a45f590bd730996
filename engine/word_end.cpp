#include "engine/word_end.h"

#include "dictionary/buckets.h"
#include "encoding/letters.h"

namespace lorvan {
namespace {

unsigned char Lower(char c) { return ToLowerByte(static_cast<unsigned char>(c)); }

// True when word in small letters is exactly lower.
bool LowerEquals(const std::string& word, std::string_view lower) {
  if (word.size() != lower.size()) return false;
  for (std::size_t i = 0; i < word.size(); ++i)
    if (Lower(word[i]) != static_cast<unsigned char>(lower[i])) return false;
  return true;
}

// Joins the held preposition to word, the translation of the word that followed it (empty
// when none did). first_code is the code of that word's first letter as written in the text;
// the form is chosen by the first letter of the translation, which the output shows.
void JoinPreposition(const FolderPassState& state, unsigned char first_code, std::string& word) {
  const std::string& p = state.preposition_text;
  bool with_s = state.pending == Preposition::kS || state.pending == Preposition::kSa;
  bool short_form = state.pending == Preposition::kS || state.pending == Preposition::kK;
  unsigned char first = word.empty() ? 0 : Lower(word[0]);
  bool wants_long = false;  // the word calls for "sa" / "ka"
  if (!word.empty()) {
    if (with_s) {
      bool mn = word.size() >= 2 && Lower(word[0]) == 'm' && Lower(word[1]) == 'n';
      wants_long =
          first == 's' || first == kSmallSCaron || first == 'z' || first == kSmallZCaron || mn;
    } else {
      wants_long = first == 'k' || first == 'g';
    }
  }

  std::string joined;
  joined.reserve(p.size() + 2 + word.size());
  if (short_form && wants_long) {
    // Only A-Z pass the capital test: after S, a word in capitals that begins with Š Ž Ć Č Đ
    // still gets a small "a".
    bool capital = first_code < 97 && HasNoSmall(word);
    joined.append(p).append(capital ? "A " : "a ");
  } else if (!short_form && !wants_long) {
    joined.append(p, 0, 1).append(" ");
  } else {
    joined.append(p).append(" ");
  }
  joined.append(word);
  word.swap(joined);
}

// Makes word the pending preposition when it is one and returns true.
bool TakePreposition(FolderPassState& state, const std::string& word, Preposition preposition) {
  state.pending = preposition;
  state.preposition_text = word;
  return true;
}

}  // namespace

bool HandleWordEnd(const Substitutions& substitutions, FolderPassState& state, std::string& word,
                   unsigned char ch) {
  const int length = static_cast<int>(word.size());
  const int length_class = LengthClass(word.size());

  if (state.pending != Preposition::kNone) {
    unsigned char first_code = 0;
    if (!word.empty()) {
      first_code = static_cast<unsigned char>(word[0]);
      substitutions.TranslateWord(first_code, length_class, word);
    }
    JoinPreposition(state, first_code, word);
    state.pending = Preposition::kNone;
  }

  // By the length of the word as read. A joined text never equals one of the short words
  // below, so after a join a word of one letter is kept and a longer one looked up as a whole.
  bool made_pending = false;
  switch (length) {
    case 0:
      break;
    case 1:
      if (LowerEquals(word, "s")) {
        made_pending = TakePreposition(state, word, Preposition::kS);
      } else if (LowerEquals(word, "k")) {
        made_pending = TakePreposition(state, word, Preposition::kK);
      }
      break;
    case 2:
      if (LowerEquals(word, "da") || word == "SO") break;
      if (LowerEquals(word, "sa")) {
        made_pending = TakePreposition(state, word, Preposition::kSa);
      } else if (LowerEquals(word, "ka")) {
        made_pending = TakePreposition(state, word, Preposition::kKa);
      } else {
        substitutions.TranslateWord(static_cast<unsigned char>(word[0]), length_class, word);
      }
      break;
    default:
      substitutions.TranslateWord(static_cast<unsigned char>(word[0]), length_class, word);
      break;
  }

  if (!made_pending) return false;
  if (ch == ' ') {
    word.clear();
    return true;
  }
  state.pending = Preposition::kNone;  // not followed by a space: written as it stands
  return false;
}

}  // namespace lorvan
