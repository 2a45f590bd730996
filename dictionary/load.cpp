#include "dictionary/load.h"

#include <algorithm>
#include <exception>
#include <string_view>
#include <thread>
#include <utility>

#include "common/text_file.h"
#include "dictionary/dictionary_loader.h"

namespace lorvan {
namespace {

constexpr std::int64_t kYieldEvery = 501;  // lines of the word file between two yields
constexpr std::size_t kReservedPairsAtMost = std::size_t{1} << 20;

// Reads one dictionary file of folder into *bytes; reports it and returns false when it cannot
// be read.
bool ReadDictionaryFile(const std::string& folder, DictionaryFile file, DictionaryLoader& loader,
                        std::string* bytes) {
  Status status = ReadFileBytes(folder + "/" + DictionaryFileName(file), bytes);
  if (!status.ok()) {
    loader.ReportUnreadable(file, status.message());
    return false;
  }
  ++loader.report().files_read;
  return true;
}

// Files the lines of the word file, yielding to the front end at every 501st line.
void LoadWords(std::string_view bytes, LoadWatcher* watcher, DictionaryLoader& loader) {
  if (watcher != nullptr) watcher->WordFileOpened();
  LoadReport& report = loader.report();
  LineReader reader(bytes);
  std::string_view line;
  for (std::int64_t n = 1; reader.Next(&line); ++n) {
    if (n % kYieldEvery == 0 && watcher != nullptr) {
      if (watcher->YieldAndTestStop()) {
        report.stopped = true;
        return;
      }
      watcher->ShowLineCount(n);
    }
    loader.AddWordPair(line);
    report.word_lines_read = n;
  }
}

template <typename Step>
void ForEachLine(std::string_view bytes, Step step) {
  LineReader reader(bytes);
  std::string_view line;
  while (reader.Next(&line)) step(line);
}

// Fills *table from the modal file of folder and returns how reading it went. A missing file
// leaves the table empty, which switches the rule off.
Status LoadModalTable(const std::string& folder, ModalTable* table) {
  std::string bytes;
  Status status = ReadFileBytes(folder + "/" + kModalFileName, &bytes);
  if (status.ok()) ForEachLine(bytes, [table](std::string_view line) { table->AddLine(line); });
  return status;
}

}  // namespace

LoadReport LoadDictionary(const std::string& folder, LoadWatcher* watcher,
                          Dictionary* dictionary) {
  // The modal table depends on no other file: it is filled on a thread of its own meanwhile,
  // which takes a fifth of the load off a start on two processors.
  Status modal_status;
  std::exception_ptr modal_failure;
  std::jthread modal([&] {
    try {
      modal_status = LoadModalTable(folder, &dictionary->modal);
    } catch (...) {
      modal_failure = std::current_exception();
    }
  });
  DictionaryLoader loader(dictionary);
  std::string bytes;
  if (ReadDictionaryFile(folder, DictionaryFile::kWords, loader, &bytes)) {
    // Room for a pair on every line, up to a bound: a huge file of repeated lines must not
    // claim a table it never fills.
    const auto lines = static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '\n'));
    dictionary->words.Reserve(std::min(lines, kReservedPairsAtMost));
    LoadWords(bytes, watcher, loader);
  }
  if (ReadDictionaryFile(folder, DictionaryFile::kPhrases, loader, &bytes)) {
    ForEachLine(bytes, [&loader](std::string_view line) { loader.AddPhraseLine(line); });
    loader.FinishPhrases();
  }
  if (ReadDictionaryFile(folder, DictionaryFile::kNames, loader, &bytes))
    ForEachLine(bytes, [&loader](std::string_view line) { loader.AddNamePair(line); });
  modal.join();
  if (modal_failure) std::rethrow_exception(modal_failure);
  if (!modal_status.ok() && modal_status.kind() != ErrorKind::kNotFound)
    loader.ReportUnreadable(DictionaryFile::kModal, modal_status.message());
  return std::move(loader.report());
}

}  // namespace lorvan
