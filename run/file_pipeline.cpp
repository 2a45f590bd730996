#include "run/file_pipeline.h"

#include <algorithm>

#include "common/text_file.h"

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

}  // namespace lorvan
