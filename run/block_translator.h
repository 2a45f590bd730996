// One block of a planned file turned into its output bytes: decoded, translated (or only
// converted to Latin letters) and encoded as the file's plan says, or in the byte model through
// its working copy. The outputs of a file's blocks, one after the other, are the file's output.
#pragma once

#include <string>
#include <string_view>

#include "engine/folder_pass_state.h"
#include "engine/line_translator.h"
#include "run/file_pipeline.h"
#include "run/file_plan.h"
#include "run/file_text.h"
#include "run/run_settings.h"

namespace lorvan {

// How the lines of a run with settings are scanned: in the byte model with the letter forms
// converted in the line, else as decoded Windows-1250 text, with the modal rule.
LineOptions LineOptionsFor(const RunSettings& settings, bool skip_tags);

class BlockTranslator {
 public:
  // REQUIRES: settings, substitutions and plan outlive this object.
  BlockTranslator(const RunSettings& settings, Substitutions& substitutions, bool skip_tags,
                  const FilePlan& plan);

  // Translates bytes, the content of block, into *output (replacing it), the scan going on
  // from state. kStopped when hooks asked to stop; *output is then incomplete.
  FileOutcome Translate(std::string_view bytes, const FileBlock& block, FolderPassState& state,
                        LineHooks& hooks, std::string* output);

  // Converts bytes, the content of block, to Latin letters into *output (replacing it).
  void Convert(std::string_view bytes, const FileBlock& block, std::string* output);

 private:
  const RunSettings& settings_;
  const FilePlan& plan_;
  LineTranslator translator_;
  DecodedFile decoded_;
  std::string result_;
};

}  // namespace lorvan
