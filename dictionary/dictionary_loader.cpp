#include "dictionary/dictionary_loader.h"

#include <utility>

namespace lorvan {
namespace {

// Splits a pair line at its first TAB; false when the line has none.
bool SplitPair(std::string_view line, std::string_view* source, std::string_view* target) {
  std::size_t tab = line.find('\t');
  if (tab == std::string_view::npos) return false;
  *source = line.substr(0, tab);
  *target = line.substr(tab + 1);
  return true;
}

bool IsBlank(std::string_view text) {
  return text.find_first_not_of(' ') == std::string_view::npos;
}

}  // namespace

bool DictionaryLoader::SplitWithSource(DictionaryFile file, std::int64_t line_number,
                                       std::string_view line, std::string_view* source,
                                       std::string_view* target) {
  if (!SplitPair(line, source, target)) return false;
  if (!source->empty()) return true;
  Report(file, line_number, LoadIssue::Kind::kEmptySource, line);
  return false;
}

void DictionaryLoader::AddWordPair(std::string_view line) {
  std::string_view source, target;
  if (SplitWithSource(DictionaryFile::kWords, ++word_line_, line, &source, &target))
    dictionary_->words.Add(source, target);
}

void DictionaryLoader::AddPhraseLine(std::string_view line) {
  ++phrase_line_;
  std::string_view source, target;
  if (SplitPair(line, &source, &target)) {
    if (IsBlank(source)) {
      Report(DictionaryFile::kPhrases, phrase_line_, LoadIssue::Kind::kBlankPhrase, line);
      return;
    }
    dictionary_->phrases.push_back({std::string(source), std::string(target)});
    if (subgroup_) ++headers_[*subgroup_].pairs;
  } else if (line.starts_with("##")) {
    OpenHeader(line, /*subgroup=*/true);
  } else if (line.starts_with("#")) {
    OpenHeader(line, /*subgroup=*/false);
  } else if (line.starts_with("=")) {
    CloseHeader(line, /*subgroup=*/true);
  } else if (line.starts_with("---")) {
    CloseHeader(line, /*subgroup=*/false);
  }
}

void DictionaryLoader::AddNamePair(std::string_view line) {
  std::string_view source, target;
  if (SplitWithSource(DictionaryFile::kNames, ++name_line_, line, &source, &target))
    dictionary_->names.push_back({std::string(source), std::string(target)});
}

void DictionaryLoader::FinishPhrases() {
  for (const Header& header : headers_) {
    if (header.closed) continue;
    const PhraseEntry& entry = dictionary_->phrases[header.index];
    std::string line = header.subgroup ? "#" + entry.source : entry.source;
    Report(DictionaryFile::kPhrases, header.line, LoadIssue::Kind::kUnclosedGroup, line);
  }
  group_.reset();
  subgroup_.reset();
}

void DictionaryLoader::ReportUnreadable(DictionaryFile file, std::string error) {
  report_.issues.push_back({file, 0, LoadIssue::Kind::kFileUnreadable, std::move(error)});
}

void DictionaryLoader::OpenHeader(std::string_view line, bool subgroup) {
  std::vector<PhraseEntry>& phrases = dictionary_->phrases;
  // A subgroup's source drops one of its two "#", so both kinds read "#" and the key.
  phrases.push_back({std::string(subgroup ? line.substr(1) : line), std::string()});
  headers_.push_back({phrases.size() - 1, phrase_line_, 0, false, subgroup});
  (subgroup ? subgroup_ : group_) = headers_.size() - 1;
}

void DictionaryLoader::CloseHeader(std::string_view line, bool subgroup) {
  std::optional<std::size_t>& open = subgroup ? subgroup_ : group_;
  if (!open) {
    Report(DictionaryFile::kPhrases, phrase_line_, LoadIssue::Kind::kStrayClose, line);
    return;
  }
  Header& header = headers_[*open];
  // A group counts every entry after its header (pairs and subgroup headers alike), so that
  // skipping that many entries skips exactly the group; a subgroup counts its pair lines.
  std::size_t count = subgroup ? header.pairs : dictionary_->phrases.size() - header.index - 1;
  dictionary_->phrases[header.index].target = std::to_string(count);
  header.closed = true;
  // The header stays the one a later closing line of its kind closes: a second "=" counts
  // its subgroup again, up to that line, as phrase files may expect.
}

void DictionaryLoader::Report(DictionaryFile file, std::int64_t line, LoadIssue::Kind kind,
                              std::string_view detail) {
  report_.issues.push_back({file, line, kind, std::string(detail)});
}

}  // namespace lorvan
