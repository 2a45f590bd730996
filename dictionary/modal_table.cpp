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

// Calls take(form) for each form of a field: the words between its spaces, "-" left out.
template <typename Take>
void ForEachForm(std::string_view field, Take take) {
  while (!field.empty()) {
    const std::size_t space = field.find(' ');
    const std::string_view form = field.substr(0, space);
    if (!form.empty() && form != "-") take(ToLowerCopy(form));
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
      ForEachForm(fields[person + 1], [&](std::string form) {
        modals_[std::move(form)].persons |= static_cast<PersonSet>(1 << person);
      });
  } else if (key[0] == '*') {
    if (key.size() == 1) return;
    std::array<std::string, kPersonCount> forms;
    for (int person = 0; person < kPersonCount; ++person) {
      ForEachForm(fields[person + 1], [&](std::string form) {
        if (forms[person].empty()) forms[person] = std::move(form);
      });
      if (forms[person].empty()) forms[person] = ToLowerCopy(key.substr(1));
    }
    person_forms_.push_back(std::move(forms));
    modals_[ToLowerCopy(key.substr(1))] = {kEveryPerson,
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
    ForEachForm(fields[person + 1], [&](std::string form) {
      auto [entry, added] = presents_.try_emplace(std::move(form), Present{index, 0});
      if (added || infinitives_[entry->second.infinitive] == infinitive)
        entry->second.persons |= static_cast<PersonSet>(1 << person);
    });
}

const ModalTable::Modal* ModalTable::FindModal(std::string_view lower) const {
  auto found = modals_.find(lower);
  return found == modals_.end() ? nullptr : &found->second;
}

const ModalTable::Present* ModalTable::FindPresent(std::string_view lower) const {
  auto found = presents_.find(lower);
  return found == presents_.end() ? nullptr : &found->second;
}

}  // namespace lorvan
