#include "run/file_pipeline.h"

#include <algorithm>

#include "common/text_file.h"
#include "encoding/paragraphs.h"
#include "run/file_text.h"

namespace lorvan {

FileOutcome TranslateText(std::string_view working_copy, LineTranslator& translator,
                          FolderPassState& state, LineHooks& hooks, std::string* output) {
  output->clear();
  LineReader reader(working_copy);
  std::string_view line;
  bool reserved = false;
  while (!reader.AtEnd()) {
    if (hooks.YieldAndTestStop()) return FileOutcome::kStopped;
    reader.Next(&line);
    const std::string& translated = translator.Translate(line, state);
    // Reserved only now: a file that is one huge line holds no empty output while translating.
    if (!reserved)
      output->reserve(
          std::max(working_copy.size() + working_copy.size() / 8, translated.size() + 2));
    reserved = true;
    output->append(translated).append("\r\n");
    hooks.LineDone(translator.char_pos());
  }
  return FileOutcome::kTranslated;
}

FileOutcome TranslateLines(std::string_view text, const LineLayout& layout,
                           LineTranslator& translator, FolderPassState& state, LineHooks& hooks,
                           std::string* output) {
  output->clear();
  output->reserve(text.size() + text.size() / 8);
  LineEndReader reader(text);
  std::string_view line, own_end;
  std::string_view last_end = layout.previous_end.empty() ? "\n" : layout.previous_end;
  bool stopped = false;
  while (!stopped && reader.Next(&line, &own_end)) {
    const std::string_view end = OutputLineEnd(own_end, layout.line_ends);
    const std::string_view piece_end =
        own_end.empty() ? OutputLineEnd(last_end, layout.line_ends) : end;
    bool first = true;
    ForEachParagraphPiece(line, layout.paragraphs, [&](std::string_view piece) {
      if (stopped) return;
      if (!first) output->append(piece_end);
      first = false;
      if (hooks.YieldAndTestStop()) {
        stopped = true;
        return;
      }
      output->append(translator.Translate(piece, state));
    });
    if (stopped) break;
    output->append(end);
    if (!own_end.empty()) last_end = own_end;
    hooks.LineDone(static_cast<std::int64_t>(line.size() + own_end.size()));
  }
  return stopped ? FileOutcome::kStopped : FileOutcome::kTranslated;
}

}  // namespace lorvan
