// Loading the three dictionary files from a folder.
#pragma once

#include <cstdint>
#include <string>

#include "common/yield_point.h"
#include "dictionary/dictionary.h"
#include "dictionary/load_report.h"

namespace lorvan {

// What a front end supplies to watch the load: its yield (at every 501st line of the word
// file; a stop there ends the word file, and that line is not filed) and two notices.
class LoadWatcher : public YieldPoint {
 public:
  // The word file has been opened (the window clears its stop request here).
  virtual void WordFileOpened() {}
  // count lines of the word file are filed; runs after every yield that did not stop.
  virtual void ShowLineCount(std::int64_t /*count*/) {}
};

// Fills *dictionary (which must be empty) from the three files in folder, in the order words,
// phrases, names, and then the modal table from its file when folder holds one. Nothing is sorted and nothing is dropped for being a duplicate. watcher may
// be null: the load then never yields and never stops.
LoadReport LoadDictionary(const std::string& folder, LoadWatcher* watcher,
                          Dictionary* dictionary);

}  // namespace lorvan
