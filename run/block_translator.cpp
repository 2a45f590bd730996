#include "run/block_translator.h"

#include "common/text_file.h"
#include "encoding/cyrillic.h"
#include "encoding/paragraphs.h"

namespace lorvan {
namespace {

// Converts input line by line (lines end at CR or CR LF; a lone LF stays in its line unless it
// ends the file), each line followed by CR LF; at the file's end (last) one more CR LF. A block
// that ends in a lone LF but not the file leaves its last line open, as BlockWorkingCopy does.
void ConvertExactBytes(std::string_view input, bool last, std::string* result) {
  const bool open_end = !last && EndsInsideLine(input);
  result->clear();
  result->reserve(input.size() + input.size() / 16 + 2);
  const FinalLfSplit split = open_end ? FinalLfSplit{input} : SplitFinalLf(input);
  LineReader reader(split.lines);
  std::string_view line;
  std::string converted;
  while (reader.Next(&line)) {
    converted.assign(line);
    result->append(CyrillicToLatin(converted)).append("\r\n");
  }
  if (split.empty_last_line) result->append("\r\n");
  if (open_end) result->resize(result->size() - 2);
  if (last) result->append("\r\n");
}

}  // namespace

LineOptions LineOptionsFor(const RunSettings& settings, bool skip_tags) {
  if (settings.byte_exact) return {.skip_tags = skip_tags, .cyrillic = settings.cyrillic};
  // Decoded text is Windows-1250 through and through: no letter forms to convert in the line.
  return {.skip_tags = skip_tags,
          .cyrillic = false,
          .utf8_letters = false,
          .skip_links = !settings.translate_links,
          .modal_infinitives = true};
}

BlockTranslator::BlockTranslator(const RunSettings& settings, Substitutions& substitutions,
                                 bool skip_tags, const FilePlan& plan)
    : settings_(settings),
      plan_(plan),
      translator_(substitutions, LineOptionsFor(settings, skip_tags)) {}

FileOutcome BlockTranslator::Translate(std::string_view bytes, const FileBlock& block,
                                       FolderPassState& state, LineHooks& hooks,
                                       std::string* output) {
  if (settings_.byte_exact) {
    // A block that already is its own working copy (CR LF throughout, nothing to split) is
    // translated where it stands.
    if (IsWorkingCopy(bytes, settings_.paragraphs))
      return TranslateText(bytes, translator_, state, hooks, output);
    const std::string working_copy = BlockWorkingCopy(bytes, block.last, settings_.paragraphs);
    return TranslateText(working_copy, translator_, state, hooks, output);
  }
  const LineLayout layout{.paragraphs = settings_.paragraphs,
                          .line_ends = settings_.line_ends,
                          .previous_end = block.previous_end};
  // Windows-1250 bytes are the translator's own text: translated where they stand, straight
  // into the output.
  if (plan_.encoding == TextEncoding::kWindows1250)
    return TranslateLines(bytes, layout, translator_, state, hooks, output);
  DecodeText(bytes, plan_.encoding, settings_.cyrillic, block.begin == 0, &decoded_);
  if (TranslateLines(decoded_.text, layout, translator_, state, hooks, &result_) ==
      FileOutcome::kStopped)
    return FileOutcome::kStopped;
  EncodeFile(decoded_, result_, output);
  return FileOutcome::kTranslated;
}

void BlockTranslator::Convert(std::string_view bytes, const FileBlock& block, std::string* output) {
  if (settings_.byte_exact) {
    ConvertExactBytes(bytes, block.last, output);
    return;
  }
  DecodeText(bytes, plan_.encoding, /*cyrillic=*/true, block.begin == 0, &decoded_);
  EncodeFile(decoded_, RewriteLineEnds(decoded_.text, settings_.line_ends), output);
}

}  // namespace lorvan
