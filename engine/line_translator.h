// One line of a file turned into its output line: encoding conversions, the character scan
// that cuts the line into words (leaving HTML tags alone when asked), and the phrase and name
// passes over the assembled line.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "engine/folder_pass_state.h"
#include "engine/substitutions.h"

namespace lorvan {

struct LineOptions {
  bool skip_tags = true;  // copy the text between "<" and ">" without translating it
  bool cyrillic = false;  // the input is Serbian Cyrillic in UTF-8; write UTF-8 back
  // The line may hold the UTF-8 forms of the Croatian letters, converted in place before the
  // scan. Off for text that is Windows-1250 through and through (decoded from its file).
  bool utf8_letters = true;
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

  Substitutions& substitutions_;
  const LineOptions options_;
  std::string current_;  // the line being scanned, end marker included
  std::string output_;
  std::string word_;
  std::int64_t char_pos_ = 0;
};

}  // namespace lorvan
