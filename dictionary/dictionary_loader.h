// The per-line steps of the dictionary load: each line of a dictionary file is handed to the
// step of its file, which files it into the dictionary or reports why it was skipped.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "dictionary/dictionary.h"
#include "dictionary/load_report.h"

namespace lorvan {

class DictionaryLoader {
 public:
  // Files into *dictionary, which must outlive the loader.
  explicit DictionaryLoader(Dictionary* dictionary) : dictionary_(dictionary) {}

  // The next line of the word file, without its terminator: a pair line (source before the
  // first TAB, target after it) is filed; a line without a TAB is ignored.
  void AddWordPair(std::string_view line);
  // The next line of the phrase file: a pair, a group ("#key") or subgroup ("##key") header,
  // a closing line ("---" for a group, "=" for a subgroup), or an ignored line.
  void AddPhraseLine(std::string_view line);
  // The next line of the name file: a pair line is filed, any other line ignored.
  void AddNamePair(std::string_view line);

  // Reports every group and subgroup header that no closing line has followed.
  void FinishPhrases();
  // Records that file could not be read, with the system's error text.
  void ReportUnreadable(DictionaryFile file, std::string error);

  LoadReport& report() { return report_; }

 private:
  // A group or subgroup header of the phrase list and what is known of its closing.
  struct Header {
    std::size_t index;      // position in the phrase list
    std::int64_t line;      // line of the phrase file
    std::size_t pairs = 0;  // pair lines since the header (subgroups)
    bool closed = false;
    bool subgroup = false;  // opened by "##"
  };

  void OpenHeader(std::string_view line, bool subgroup);
  void CloseHeader(std::string_view line, bool subgroup);
  void Report(DictionaryFile file, std::int64_t line, LoadIssue::Kind kind,
              std::string_view detail);
  // Splits a word or name line into its pair; false for a line without a pair and for an
  // empty source, which is reported.
  bool SplitWithSource(DictionaryFile file, std::int64_t line_number, std::string_view line,
                       std::string_view* source, std::string_view* target);

  Dictionary* dictionary_;
  LoadReport report_;
  std::int64_t word_line_ = 0;  // lines seen so far in each file
  std::int64_t phrase_line_ = 0;
  std::int64_t name_line_ = 0;
  std::vector<Header> headers_;          // every header, in list order
  std::optional<std::size_t> group_;     // the group opened last, an index into headers_
  std::optional<std::size_t> subgroup_;  // the subgroup opened last, an index into headers_
};

}  // namespace lorvan
