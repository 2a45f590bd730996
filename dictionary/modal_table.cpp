#include "dictionary/modal_table.h"

#include "encoding/letters.h"

namespace lorvan {
namespace {

constexpr std::size_t kFieldCount = kPersonCount + 1;
constexpr PersonSet kEveryPerson = (1 << kPersonCount) - 1;

// Splits line at its TABs into exactly seven fields; false for any other count.
bool SplitFields(std::string_view line, std::array<std::string_view, kFieldCount>* fields) {
  std::size_t count = 0;
  while (count < kFieldCount) {
    const std::size_t tab = line.find('\t');
    (*fields)[count++] = line.substr(0, tab);
    if (tab == std::string_view::npos) break;
    line.remove_prefix(tab + 1);
    if (count == kFieldCount) return false;  // an eighth field follows
  }
  return count == kFieldCount;
}

// Calls take(form) for each form of a field, in small letters: the words between its spaces,
// "-" left out.
template <typename Take>
void ForEachForm(std::string_view field, Take take) {
  std::string lower;
  while (!field.empty()) {
    const std::size_t space = field.find(' ');
    const std::string_view form = field.substr(0, space);
    if (!form.empty() && form != "-") {
      lower.assign(form);
      ToLowerInPlace(lower);
      take(std::string_view(lower));
    }
    if (space == std::string_view::npos) break;
    field.remove_prefix(space + 1);
  }
}

}  // namespace

void ModalTable::AddLine(std::string_view line) {
  std::array<std::string_view, kFieldCount> fields;
  if (!SplitFields(line, &fields) || fields[0].empty()) return;
  const std::string_view key = fields[0];
  if (key == "+") {
    for (int person = 0; person < kPersonCount; ++person)
      ForEachForm(fields[person + 1], [&](std::string_view form) {
        modals_.FindOrAdd(form).persons |= static_cast<PersonSet>(1 << person);
      });
  } else if (key[0] == '*') {
    if (key.size() == 1) return;
    std::array<std::string, kPersonCount> forms;
    for (int person = 0; person < kPersonCount; ++person) {
      ForEachForm(fields[person + 1], [&](std::string_view form) {
        if (forms[person].empty()) forms[person] = form;
      });
      if (forms[person].empty()) forms[person] = ToLowerCopy(key.substr(1));
    }
    person_forms_.push_back(std::move(forms));
    modals_.FindOrAdd(ToLowerCopy(key.substr(1))) = {kEveryPerson,
                                                     static_cast<int>(person_forms_.size()) - 1};
  } else {
    AddVerb(key, fields);
  }
}

void ModalTable::AddVerb(std::string_view infinitive,
                         const std::array<std::string_view, kFieldCount>& fields) {
  const auto index = static_cast<std::uint32_t>(infinitives_.size());
  infinitives_.emplace_back(infinitive);
  for (int person = 0; person < kPersonCount; ++person)
    ForEachForm(fields[person + 1], [&](std::string_view form) {
      bool added;
      Present& present = presents_.FindOrAdd(form, &added);
      if (added) present.infinitive = index;
      if (added || infinitives_[present.infinitive] == infinitive)
        present.persons |= static_cast<PersonSet>(1 << person);
    });
}

const ModalTable::Modal* ModalTable::FindModal(std::string_view lower) const {
  return modals_.Find(lower);
}

const ModalTable::Present* ModalTable::FindPresent(std::string_view lower) const {
  return presents_.Find(lower);
}

}  // namespace lorvan
