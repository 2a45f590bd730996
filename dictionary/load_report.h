// What a dictionary load reports: the three files, and each problem met while loading them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace lorvan {

inline constexpr char kWordFileName[] = "1_rjecnik.txt";
inline constexpr char kPhraseFileName[] = "2_fraze.txt";
inline constexpr char kNameFileName[] = "3_imena.txt";
// The table of the modal rule, loaded after the three when present (dictionary/modal_table.h).
inline constexpr char kModalFileName[] = "4_modalni.txt";

enum class DictionaryFile { kWords, kPhrases, kNames, kModal };

// One problem met while loading. The load goes on after every one of them.
struct LoadIssue {
  enum class Kind {
    kFileUnreadable,     // the file is missing or cannot be read (line is 0)
    kEmptySource,        // a word or name pair whose source is empty: skipped
    kBlankPhrase,        // a phrase pair whose source is empty or only spaces: skipped
    kUnclosedGroup,      // a group or subgroup header never closed: its entries are always tried
    kStrayClose,         // "=" or "---" with no header of its kind open before it: ignored
  };
  DictionaryFile file;
  std::int64_t line;  // 1-based line number in the file, 0 for the file as a whole
  Kind kind;
  std::string detail;  // the system's error text for an unreadable file, else the line's text
};

struct LoadReport {
  std::vector<LoadIssue> issues;
  std::int64_t word_lines_read = 0;  // word-file lines handed to the loader, blank ones included
  bool stopped = false;              // the word file was stopped early on request
  int files_read = 0;                // how many of the three files could be read (not 4_modalni)
};

// A one-line Croatian description of issue, naming its file and line (Windows-1250 bytes).
std::string DescribeLoadIssue(const LoadIssue& issue);

// The file name of file ("1_rjecnik.txt" ...).
const char* DictionaryFileName(DictionaryFile file);

}  // namespace lorvan
