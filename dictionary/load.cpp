#include "dictionary/load.h"

#include <string_view>
#include <utility>

#include "common/text_file.h"
#include "dictionary/loader.h"

namespace lorvan {
namespace {

constexpr std::int64_t kYieldEvery = 501;  // lines of the word file between two yields

const char* FileName(DictionaryFile file) {
  switch (file) {
    case DictionaryFile::kWords:
      return kWordFileName;
    case DictionaryFile::kPhrases:
      return kPhraseFileName;
    case DictionaryFile::kNames:
      return kNameFileName;
  }
  return "";
}

// Reads one dictionary file of folder into *bytes; reports it and returns false when it cannot
// be read.
bool ReadDictionaryFile(const std::string& folder, DictionaryFile file, DictionaryLoader& loader,
                        std::string* bytes) {
  Status status = ReadFileBytes(folder + "/" + FileName(file), bytes);
  if (!status.ok()) {
    loader.ReportUnreadable(file, status.message());
    return false;
  }
  ++loader.report().files_read;
  return true;
}

// Files the lines of the word file, yielding to the front end at every 501st line.
void LoadWords(std::string_view bytes, const LoadHooks& hooks, DictionaryLoader& loader) {
  if (hooks.clear_stop) hooks.clear_stop();
  LoadReport& report = loader.report();
  LineReader reader(bytes);
  std::string_view line;
  for (std::int64_t n = 1; reader.Next(&line); ++n) {
    if (n % kYieldEvery == 0) {
      if (hooks.yield_and_test_stop && hooks.yield_and_test_stop()) {
        report.stopped = true;
        return;
      }
      if (hooks.show_line_count) hooks.show_line_count(n);
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

}  // namespace

LoadReport LoadDictionary(const std::string& folder, const LoadHooks& hooks,
                          Dictionary* dictionary) {
  DictionaryLoader loader(dictionary);
  std::string bytes;
  if (ReadDictionaryFile(folder, DictionaryFile::kWords, loader, &bytes))
    LoadWords(bytes, hooks, loader);
  if (ReadDictionaryFile(folder, DictionaryFile::kPhrases, loader, &bytes)) {
    ForEachLine(bytes, [&loader](std::string_view line) { loader.AddPhraseLine(line); });
    loader.FinishPhrases();
  }
  if (ReadDictionaryFile(folder, DictionaryFile::kNames, loader, &bytes))
    ForEachLine(bytes, [&loader](std::string_view line) { loader.AddNamePair(line); });
  return std::move(loader.report());
}

std::string DescribeLoadIssue(const LoadIssue& issue) {
  std::string text = FileName(issue.file);
  if (issue.line > 0) text += ", redak " + std::to_string(issue.line);
  text += ": ";
  const std::string& detail = issue.detail;
  switch (issue.kind) {
    case LoadIssue::Kind::kFileUnreadable:
      return text + "datoteka nije u\350itana (" + detail + ")";
    case LoadIssue::Kind::kEmptySource:
      return text + "par bez izvornika (redak po\350inje tabulatorom); presko\350en";
    case LoadIssue::Kind::kBlankPhrase:
      return text + "fraza bez izvornog teksta (prazan ili samo razmaci); presko\350ena";
    case LoadIssue::Kind::kUnclosedGroup:
      if (detail.starts_with("##"))
        return text + "podgrupa \"" + detail +
               "\" nije zatvorena (nedostaje \"=\"); njezini se parovi uvijek primjenjuju";
      return text + "grupa \"" + detail +
             "\" nije zatvorena (nedostaje \"---\"); njezini se parovi uvijek primjenjuju";
    case LoadIssue::Kind::kStrayClose:
      if (detail.starts_with("="))
        return text + "zatvaranje \"" + detail + "\" bez otvorene podgrupe; redak je zanemaren";
      return text + "zatvaranje \"" + detail + "\" bez otvorene grupe; redak je zanemaren";
  }
  return text + detail;
}

}  // namespace lorvan
