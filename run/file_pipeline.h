// One file translated line by line from its working copy.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "common/status.h"
#include "run/folder_pass_state.h"
#include "run/line_translator.h"

namespace lorvan {

// What the front end does between lines.
class LineHooks {
 public:
  virtual ~LineHooks() = default;
  // Runs before every line: let the front end process pending events, then true stops.
  virtual bool YieldAndTestStop() = 0;
  // Runs after every line with the amount the line moves the progress count.
  virtual void LineDone(std::int64_t char_pos) = 0;
};

enum class FileOutcome { kTranslated, kStopped };

// Translates the lines of working_copy into *output, each output line followed by CR LF.
// Returns kStopped when a hook asked to stop; *output then holds the lines done so far.
FileOutcome TranslateText(std::string_view working_copy, LineTranslator& translator,
                          FolderPassState& state, LineHooks& hooks, std::string* output);

// Translates the working copy at path and rewrites path with the result. A stop leaves the
// working copy in place and sets *outcome to kStopped.
Status TranslateWorkingCopy(const std::string& path, LineTranslator& translator,
                            FolderPassState& state, LineHooks& hooks, FileOutcome* outcome);

}  // namespace lorvan
