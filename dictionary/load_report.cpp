#include "dictionary/load_report.h"

namespace lorvan {

const char* DictionaryFileName(DictionaryFile file) {
  switch (file) {
    case DictionaryFile::kWords:
      return kWordFileName;
    case DictionaryFile::kPhrases:
      return kPhraseFileName;
    case DictionaryFile::kNames:
      return kNameFileName;
    case DictionaryFile::kModal:
      return kModalFileName;
  }
  return "";
}

std::string DescribeLoadIssue(const LoadIssue& issue) {
  std::string text = DictionaryFileName(issue.file);
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
