// Loading the three dictionary files, and the report of what could not be loaded.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "dictionary/dictionary.h"

namespace lorvan {

inline constexpr char kWordFileName[] = "1_rjecnik.txt";
inline constexpr char kPhraseFileName[] = "2_fraze.txt";
inline constexpr char kNameFileName[] = "3_imena.txt";

enum class DictionaryFile { kWords, kPhrases, kNames };

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
  int files_read = 0;                // how many of the three files could be read
};

// What the front end supplies to watch the load. Every hook may be empty.
struct LoadHooks {
  std::function<void()> clear_stop;  // runs once the word file has been opened
  // Runs at every 501st line of the word file: let the front end process pending events,
  // then return true to stop reading the word file (that line is not filed).
  std::function<bool()> yield_and_test_stop;
  std::function<void(std::int64_t)> show_line_count;  // runs after a yield that did not stop
};

// Fills *dictionary (which must be empty) from the three files in folder, in the order words,
// phrases, names. Nothing is sorted and nothing is dropped for being a duplicate.
LoadReport LoadDictionary(const std::string& folder, const LoadHooks& hooks,
                          Dictionary* dictionary);

// A one-line Croatian description of issue, naming its file and line (Windows-1250 bytes).
std::string DescribeLoadIssue(const LoadIssue& issue);

}  // namespace lorvan
