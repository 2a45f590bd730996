// One file translated line by line from its working copy.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "common/yield_point.h"
#include "engine/folder_pass_state.h"
#include "engine/line_translator.h"
#include "run/run_settings.h"

namespace lorvan {

// What the front end does between lines: its yield before every line, and the progress count.
class LineHooks : public YieldPoint {
 public:
  // Runs after every line with the amount the line moves the progress count.
  virtual void LineDone(std::int64_t char_pos) = 0;
};

enum class FileOutcome { kTranslated, kStopped };

// Translates the lines of working_copy into *output, each output line followed by CR LF.
// Returns kStopped when a hook asked to stop; *output then holds the lines done so far.
FileOutcome TranslateText(std::string_view working_copy, LineTranslator& translator,
                          FolderPassState& state, LineHooks& hooks, std::string* output);

// How TranslateLines lays out its output lines.
struct LineLayout {
  bool paragraphs = true;  // cut lines after closing paragraph tags followed by a tag
  LineEndChoice line_ends = LineEndChoice::kKeep;
  // The end of the line before text, for a last line without an end (text is then the end of a
  // file cut after that line).
  std::string_view previous_end = "\n";
};

// Translates the lines of text, which end at LF, CR LF or a lone CR (the last may have none),
// into *output: each line followed by the end OutputLineEnd gives for its own. With
// layout.paragraphs a line is first cut after every closing paragraph tag followed by a tag;
// its pieces end as the line does (the pieces of a last line without an end: as the line
// before it, else as layout.previous_end). Progress counts each line's bytes and end. Returns kStopped when a
// hook asked to stop; *output then holds the lines done so far.
FileOutcome TranslateLines(std::string_view text, const LineLayout& layout,
                           LineTranslator& translator, FolderPassState& state, LineHooks& hooks,
                           std::string* output);

}  // namespace lorvan
