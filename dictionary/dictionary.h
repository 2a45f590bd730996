// Everything the translator knows: the word table, the phrase list, the name list and the
// table of the modal rule.
#pragma once

#include <string>
#include <vector>

#include "dictionary/modal_table.h"
#include "dictionary/word_table.h"

namespace lorvan {

// One entry of the phrase list: a pair, or a group header whose source is "#" and the key and
// whose target is the number of entries that belong to the group.
struct PhraseEntry {
  std::string source;
  std::string target;
};

struct NameEntry {
  std::string source;
  std::string target;
};

struct Dictionary {
  WordTable words;
  std::vector<PhraseEntry> phrases;  // file order
  std::vector<NameEntry> names;      // file order
  ModalTable modal;                  // empty when its file is missing
};

}  // namespace lorvan
