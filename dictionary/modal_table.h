// The data of the modal rule (engine/modal_infinitive.h), read from 4_modalni.txt: the forms of
// the modal verbs with the persons each stands in, and the present forms of the other verbs
// with their infinitive.
//
// Every pair line holds a key and six fields, TAB-separated; the fields are the persons in the
// order 1st, 2nd, 3rd singular, 1st, 2nd, 3rd plural, each one form or several separated by
// spaces, "-" or empty for none. Lines of any other shape are notes.
//   +        mogu  možeš  može  možemo  možete  mogu      forms of modal verbs
//   *treba   trebam trebaš treba trebamo trebate trebaju  a modal form that stands in every
//                                                          person and takes the verb's
//   vidjeti  vidim vidiš  vidi  vidimo  vidite  vide      a verb: its present forms and
//                                                          the infinitive they become
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "dictionary/flat_string_map.h"

namespace lorvan {

// A set of persons, bit k for field k of a line (1st singular = bit 0 ... 3rd plural = bit 5).
using PersonSet = std::uint8_t;
inline constexpr int kPersonCount = 6;

class ModalTable {
 public:
  struct Modal {
    PersonSet persons = 0;
    // For a form that stands in every person ("treba"): its forms by person, written in its
    // place (index into person_forms_); -1 for the others.
    int person_forms = -1;
  };
  struct Present {
    std::uint32_t infinitive = 0;  // index into infinitives_
    PersonSet persons = 0;
  };

  // Files one line of the modal file (without its line end). A present form listed under two
  // infinitives keeps the first; the persons of a form listed twice for one infinitive add up.
  void AddLine(std::string_view line);

  // True when no verb line has been filed: the rule has nothing to do.
  bool empty() const { return presents_.empty(); }

  // The entry of a modal form / present form given in small letters; nullptr when none.
  const Modal* FindModal(std::string_view lower) const;
  const Present* FindPresent(std::string_view lower) const;

  const std::string& Infinitive(const Present& present) const {
    return infinitives_[present.infinitive];
  }
  // The form of modal in person (0-5). REQUIRES: modal.person_forms >= 0.
  const std::string& PersonForm(const Modal& modal, int person) const {
    return person_forms_[modal.person_forms][person];
  }

 private:
  void AddVerb(std::string_view infinitive, const std::array<std::string_view, 7>& fields);

  FlatStringMap<Modal> modals_;
  FlatStringMap<Present> presents_;
  std::vector<std::string> infinitives_;
  std::vector<std::array<std::string, kPersonCount>> person_forms_;
};

}  // namespace lorvan
