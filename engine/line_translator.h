// One line of a file turned into its output line: encoding conversions, the character scan
// that cuts the line into words (leaving HTML tags and links alone when asked), and the phrase
// and name passes and the modal rule over the assembled line.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "engine/folder_pass_state.h"
#include "engine/links.h"
#include "engine/substitutions.h"

namespace lorvan {

struct LineOptions {
  bool skip_tags = true;  // copy the text between "<" and ">" without translating it
  bool cyrillic = false;  // the input is Serbian Cyrillic in UTF-8; write UTF-8 back
  // The line may hold the UTF-8 forms of the Croatian letters, converted in place before the
  // scan. Off for text that is Windows-1250 through and through (decoded from its file).
  bool utf8_letters = true;
  // Copy web and e-mail addresses and file paths outside tags unchanged (see engine/links.h);
  // the phrase and name passes do not reach into them either.
  bool skip_links = false;
  // Rewrite modal + da + present with the infinitive after the passes ("može da vidi" ->
  // "može vidjeti", engine/modal_infinitive.h). Off in the original byte model.
  bool modal_infinitives = false;
};

class LineTranslator {
 public:
  // REQUIRES: substitutions outlives this object.
  LineTranslator(Substitutions& substitutions, LineOptions options)
      : substitutions_(substitutions), options_(options) {}

  // Translates line with the folder pass's state and returns the output line, valid until the
  // next call. A line shorter than 2 characters is returned unchanged.
  const std::string& Translate(std::string_view line, FolderPassState& state);

  // How far the last line moved the progress count: the length of the scanned line after its
  // conversions plus 2, or the length of a line shorter than 2 characters.
  std::int64_t char_pos() const { return char_pos_; }

 private:
  // Cuts current_ into words and writes the output line.
  void Scan(FolderPassState& state);
  // Scans current_ from p word by word until a word ends at stop. Returns where it stopped:
  // stop, or beyond it when a tag copied in one piece reaches further.
  const char* ScanWords(const char* p, const char* stop, FolderPassState& state);
  // True when the word the scan has just read needs no more than a lookup: what
  // TranslatePlainWord gives is what HandleWordEnd would leave.
  static bool IsPlainWord(std::string_view word, const FolderPassState& state);
  // The translation of word read in place (the word itself when unknown, or shorter than two
  // letters), valid until the next lookup. A translation can be read WordTable::kPadding bytes
  // far (Substitutions::TranslatedWord).
  std::string_view TranslatePlainWord(std::string_view word) const;
  // The scan writes into output_, which is kept longer than what it holds so far (written_),
  // so that a short piece goes in as kWritePadding bytes whatever its length; Scan cuts
  // output_ to size at the end.
  static constexpr std::size_t kWritePadding = WordTable::kPadding;
  // Makes room in output_ for size more bytes and the padding.
  void MakeRoom(std::size_t size);
  // Writes text after what the scan has written.
  void Write(const char* text, std::size_t size);
  // Write, copying kWritePadding bytes when size is at most that. REQUIRES: they are readable.
  void WritePadded(const char* text, std::size_t size);
  // Writes the link [link, link_end) of current_ that the scan has reached.
  void CopyLink(const char* link, const char* link_end, FolderPassState& state);
  // The phrase and name passes over the pieces of output_ between its links.
  void ApplyPassesAroundLinks();

  Substitutions& substitutions_;
  const LineOptions options_;
  // The line being scanned, end marker included, then padding for the word lookup.
  std::string current_;
  std::size_t scan_size_ = 0;  // of current_ without its padding
  std::string output_;
  std::size_t written_ = 0;  // of output_, while the scan writes
  std::string word_;
  std::vector<LinkSpan> links_;         // in current_
  std::vector<LinkSpan> output_links_;  // in output_
  std::vector<std::string> pieces_;     // output_ between its links, for the passes
  std::vector<std::string> link_texts_;
  std::int64_t char_pos_ = 0;
};

}  // namespace lorvan
