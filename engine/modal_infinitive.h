// The modal rule. Serbian joins a modal verb to the verb it governs with "da" and the present
// ("može da vidi", "treba da se uradi", "moram da idem"), Croatian uses the infinitive ("može
// vidjeti", "treba se učiniti", "moram ići"). The rule runs on the output line of the word
// pass, so its table (dictionary/modal_table.h) lists Croatian forms.
//
// A rewrite needs, separated by single spaces: a modal form, at most two clitics (bi, sam, je,
// ću, li, se, mi, ga ...), "da", at most three pronoun clitics (se, mi, ga, te ...), and a present
// form of the table whose persons meet the modal's ("želim da dođeš" stays: I want you to
// come). "da" and its space go, the present becomes the infinitive in the present's case, and
// a form that stands in every person ("treba") takes the present's person when the present has
// one ("treba da idem" -> "trebam ići"); such a form allows only "li" between it and "da".
// Anything else stays as it is: "da" meaning yes, "kaže da vidi", "može da" at the end of a
// line, "mora da je ..." (je is no present of the table).
#pragma once

#include <string>

#include "dictionary/modal_table.h"

namespace lorvan {

class ModalInfinitives {
 public:
  // REQUIRES: table outlives this object.
  explicit ModalInfinitives(const ModalTable& table) : table_(table) {}

  // Rewrites every modal + da + present of line (Windows-1250). A line without " da " (in any
  // letter case) is only scanned for it. Keeps scratch: not for two threads at once.
  void Apply(std::string& line);

 private:
  // One rewrite found around the " da " at a given place.
  struct Match {
    std::size_t modal_begin = 0, modal_end = 0;
    std::size_t verb_begin = 0, verb_end = 0;
    const std::string* modal_form = nullptr;  // written in place of the modal, if any
    const std::string* infinitive = nullptr;
  };

  // True when the " da " at space (the index of its first space) is part of a rewrite, which
  // *match then describes.
  bool MatchAt(const std::string& line, std::size_t space, Match* match);
  // Lower-cases the word [begin, end) of line into lower_.
  const std::string& Lower(const std::string& line, std::size_t begin, std::size_t end);

  const ModalTable& table_;
  std::string lower_;
  std::string out_;
};

}  // namespace lorvan
