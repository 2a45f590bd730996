#include "run/file_pipeline.h"

#include "common/text_file.h"

namespace lorvan {

FileOutcome TranslateText(std::string_view working_copy, LineTranslator& translator,
                          FolderPassState& state, LineHooks& hooks, std::string* output) {
  output->clear();
  output->reserve(working_copy.size() + working_copy.size() / 8);
  LineReader reader(working_copy);
  std::string_view line;
  while (!reader.AtEnd()) {
    if (hooks.YieldAndTestStop()) return FileOutcome::kStopped;
    reader.Next(&line);
    output->append(translator.Translate(line, state)).append("\r\n");
    hooks.LineDone(translator.char_pos());
  }
  return FileOutcome::kTranslated;
}

Status TranslateWorkingCopy(const std::string& path, LineTranslator& translator,
                            FolderPassState& state, LineHooks& hooks, FileOutcome* outcome) {
  std::string working_copy;
  Status status = ReadFileBytes(path, &working_copy);
  if (!status.ok()) return status;
  std::string output;
  *outcome = TranslateText(working_copy, translator, state, hooks, &output);
  if (*outcome == FileOutcome::kStopped) return Status::Ok();
  return WriteFileBytes(path, output);
}

}  // namespace lorvan
