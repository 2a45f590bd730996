#include "generators/phrase_generators.h"

#include <iterator>
#include <optional>

namespace lorvan::testing {
namespace {

// Short pieces with Croatian letters (č ž đ š ć), so that matches overlap and nest.
constexpr std::string_view kPieces[] = {"da", "li",    "je",    "a",     "n",
                                        "ja", "ko",    "ne",    "z",     "ka",
                                        "an", "\350e", "\236a", "\360i", "\232i\346"};
constexpr std::string_view kSeparators[] = {" ", ", ", ".", "-", "1", "?", "  ", "...", "111"};
constexpr std::string_view kBadCounts[] = {
    "", "x", "2a", " 3", "-1", "+2", "99999999999999999999999", "40000"};

}  // namespace

std::string PhraseListGenerator::Fragment(int min_pieces, int max_pieces) {
  std::string fragment;
  int pieces = text_.Uniform(min_pieces, max_pieces);
  for (int i = 0; i < pieces; ++i) {
    if (i > 0) {
      int roll = text_.Uniform(0, 99);
      if (roll >= 55)
        fragment += roll < 88 ? std::string_view(" ") : kSeparators[text_.Uniform(1, 8)];
    }
    fragment += text_.RandomCase(std::string(kPieces[text_.Uniform(0, std::size(kPieces) - 1)]));
  }
  return fragment;
}

PhraseEntry PhraseListGenerator::Pair() {
  if (text_.Chance(0.03)) return {text_.Chance(0.5) ? "" : "  ", Fragment(0, 2)};
  if (text_.Chance(0.03)) return {" " + std::string(2, "1.-"[text_.Uniform(0, 2)]), "x"};
  std::string source = Fragment(1, 3);
  if (text_.Chance(0.1)) source.insert(0, kSeparators[text_.Uniform(2, 4)]);
  if (text_.Chance(0.1)) source += kSeparators[text_.Uniform(2, 5)];
  if (text_.Chance(0.15)) source = text_.RandomCase(source);
  if (text_.Chance(0.4)) source.insert(0, text_.Chance(0.9) ? " " : "  ");
  if (text_.Chance(0.4)) source += text_.Chance(0.9) ? " " : "  ";
  std::string target = Fragment(0, 3);
  if (text_.Chance(0.2)) target = " " + target;
  if (text_.Chance(0.2)) target += " ";
  return {source, target};
}

std::string PhraseListGenerator::Key() {
  if (text_.Chance(0.05)) return "";
  std::string key = Fragment(1, 2);
  if (text_.Chance(0.1)) key = " " + key;
  return key;
}

void PhraseListGenerator::Close(std::vector<PhraseEntry>& list, const OpenGroup& group) {
  std::string& target = list[group.header].target;
  int roll = text_.Uniform(0, 9);
  if (roll < 5) {
    target = std::to_string(group.pairs);
  } else if (roll < 7) {
    target = std::to_string(list.size() - group.header - 1);
  } else if (roll < 8) {
    target = std::to_string(text_.Uniform(0, 6));
  } else {
    target = kBadCounts[text_.Uniform(0, std::size(kBadCounts) - 1)];
  }
}

std::vector<PhraseEntry> PhraseListGenerator::Phrases(int pairs) {
  std::vector<PhraseEntry> list;
  std::optional<OpenGroup> group, subgroup;
  for (int n = 0; n < pairs;) {
    int roll = text_.Uniform(0, 99);
    if (roll < 8 && !group) {
      group = OpenGroup{list.size(), 0};
      list.push_back({"#" + Key(), ""});
    } else if (roll < 14 && !subgroup) {
      subgroup = OpenGroup{list.size(), 0};
      list.push_back({"#" + Key(), ""});
    } else if (roll < 20 && subgroup) {
      Close(list, *subgroup);
      subgroup.reset();
    } else if (roll < 25 && group) {
      Close(list, *group);
      group.reset();
    } else {
      list.push_back(Pair());
      ++n;
      if (group) ++group->pairs;
      if (subgroup) ++subgroup->pairs;
    }
  }
  if (group && text_.Chance(0.7)) Close(list, *group);
  if (subgroup && text_.Chance(0.7)) Close(list, *subgroup);
  return list;
}

std::vector<NameEntry> PhraseListGenerator::Names(int count) {
  std::vector<NameEntry> names;
  for (int i = 0; i < count; ++i) {
    std::string source;
    int roll = text_.Uniform(0, 99);
    if (roll < 3) {
      source = "";
    } else if (roll < 6) {
      source = kSeparators[text_.Uniform(0, std::size(kSeparators) - 1)];
    } else {
      source = Fragment(1, 2);
      if (roll < 60) source = text_.RandomCase(source);
    }
    names.push_back({source, Fragment(0, 3)});
  }
  return names;
}

std::string PhraseListGenerator::Line(const std::vector<std::string>& sources) {
  std::string line;
  int parts = text_.Uniform(1, 8);
  for (int i = 0; i < parts; ++i) {
    if (!sources.empty() && text_.Chance(0.3)) {
      line +=
          sources[static_cast<std::size_t>(text_.Uniform(0, static_cast<int>(sources.size()) - 1))];
    } else {
      line += Fragment(1, 4);
    }
    if (text_.Chance(0.6)) line += kSeparators[text_.Uniform(0, std::size(kSeparators) - 1)];
  }
  return line;
}

}  // namespace lorvan::testing
