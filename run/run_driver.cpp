#include "run/run_driver.h"

#include <sys/stat.h>

#include <algorithm>

#include "common/text_file.h"
#include "encoding/cyrillic.h"
#include "encoding/paragraphs.h"
#include "run/file_mask.h"
#include "run/file_pipeline.h"
#include "run/file_text.h"
#include "run/folder_reader.h"
#include "run/output_name.h"

namespace lorvan {
namespace {

// Identity of a folder on disk, so that a walk never enters a folder it is already inside.
std::string FolderIdentity(const std::string& folder) {
  struct stat info;
  if (::stat(folder.c_str(), &info) != 0) return folder;
  return std::to_string(info.st_dev) + ":" + std::to_string(info.st_ino);
}

// The progress display of one file: the count of characters done against the whole.
class Progress : public LineHooks {
 public:
  Progress(RunFrontEnd& front_end, std::int64_t total)
      : front_end_(front_end), step_(ProgressStep(total)) {}

  bool YieldAndTestStop() override { return front_end_.YieldAndTestStop(); }

  // Tells the front end the new percent each time the count passes the next whole percent.
  void LineDone(std::int64_t char_pos) override {
    count_ += char_pos;
    if (count_ <= (percent_ + 1) * step_) return;
    percent_ = count_ / step_;
    front_end_.ProgressPassed(static_cast<int>(std::min<std::int64_t>(percent_, INT32_MAX)));
  }

 private:
  RunFrontEnd& front_end_;
  const std::int64_t step_;
  std::int64_t count_ = 0;
  std::int64_t percent_ = 0;
};

// Converts input line by line (lines end at CR or CR LF; a lone LF stays in its line unless it
// ends the file), each line followed by CR LF, and one more CR LF at the end.
void ConvertExactBytes(std::string_view input, std::string* result) {
  result->reserve(input.size() + input.size() / 16 + 2);
  const FinalLfSplit split = SplitFinalLf(input);
  LineReader reader(split.lines);
  std::string_view line;
  std::string converted;
  while (reader.Next(&line)) {
    converted.assign(line);
    result->append(CyrillicToLatin(converted)).append("\r\n");
  }
  if (split.empty_last_line) result->append("\r\n");
  result->append("\r\n");
}

}  // namespace

std::int64_t ProgressStep(std::int64_t total) {
  std::int64_t whole = total / 100 + 1;
  std::int64_t hundredths = total % 100;
  if (hundredths > 50 || (hundredths == 50 && whole % 2 == 1)) ++whole;
  return whole;
}

RunDriver::RunDriver(const RunContext& run, std::vector<std::string> selected, std::string mask)
    : run_(run), selected_(std::move(selected)), mask_(std::move(mask)) {}

RunTally RunDriver::TranslateFolder(const std::string& folder) {
  Pass(folder, "");
  return tally_;
}

bool RunDriver::Pass(const std::string& folder, const std::string& return_path) {
  // The tag option is read once per folder pass: a change made while the pass runs applies
  // from the next pass on.
  const bool skip_tags = run_.settings.skip_tags;
  run_.files.RemoveStaleTemporaries(folder);
  walk_.push_back(FolderIdentity(folder));
  bool stopped = false;
  if (run_.settings.subfolders) {
    FolderListing listing;
    if (ReadFolder(folder, &listing).ok()) stopped = WalkSubfolders(folder, listing.subfolders);
  }
  if (!stopped) {
    FolderPassState state;
    for (const std::string& name : FilesOfPass(folder)) {
      if (run_.front_end.YieldAndTestStop()) {
        tally_.stopped = true;
        stopped = true;
        break;
      }
      if (HandleFile(folder, name, state, skip_tags) == FileEnd::kStop) {
        stopped = true;
        break;
      }
    }
  }
  walk_.pop_back();
  if (stopped) return true;
  if (!return_path.empty()) run_.front_end.FolderEntered(return_path);
  return false;
}

bool RunDriver::WalkSubfolders(const std::string& folder,
                               const std::vector<std::string>& subfolders) {
  for (auto name = subfolders.rbegin(); name != subfolders.rend(); ++name) {
    const std::string subfolder = JoinPath(folder, *name);
    if (std::find(walk_.begin(), walk_.end(), FolderIdentity(subfolder)) != walk_.end())
      continue;  // a link back into the walk
    Status readable = CheckFolderReadable(subfolder);
    if (readable.kind() == ErrorKind::kNotFound) continue;  // gone since the folder was read
    if (!readable.ok()) {
      run_.front_end.ReportProblem(RunProblem::kUnreadableFolder, subfolder, readable.message());
      ++tally_.files_failed;
      continue;
    }
    run_.front_end.FolderEntered(subfolder);
    if (Pass(subfolder, folder)) return true;
  }
  return false;
}

std::vector<std::string> RunDriver::FilesOfPass(const std::string& folder) {
  if (selected_.size() == 1) run_.front_end.MaskSet(selected_.front());
  if (!selected_.empty()) return selected_;
  // Read now, after the subfolders: this pass's own files as they are when it gets to them.
  FolderListing listing;
  std::vector<std::string> names;
  if (!ReadFolder(folder, &listing).ok()) return names;
  for (std::string& name : listing.files)
    if (MatchesMask(name, mask_)) names.push_back(std::move(name));
  return names;
}

RunDriver::FileEnd RunDriver::HandleFile(const std::string& folder, const std::string& name,
                                         FolderPassState& state, bool skip_tags) {
  const std::string path = JoinPath(folder, name);
  bool stopped = false;
  Status status = run_.settings.convert_only
                      ? ConvertFile(path)
                      : TranslateFile(path, name, state, skip_tags, &stopped);
  if (!status.ok()) return ReportFailure(path, status);
  if (stopped) {
    tally_.stopped = true;
    return FileEnd::kStop;
  }
  ++tally_.files_done;
  return FileEnd::kDone;
}

Status RunDriver::TranslateFile(const std::string& path, const std::string& name,
                                FolderPassState& state, bool skip_tags, bool* stopped) {
  const bool same_name = run_.settings.same_name;
  std::string input;
  Status status = run_.files.Read(path, &input);
  if (!status.ok()) return status;
  const std::string output_name = same_name ? path : SuffixedName(path, "_hr");
  if (!same_name) {
    status = run_.files.Write(output_name, "");  // a write-protected output shows up here
    if (!status.ok()) return status;
  }

  run_.front_end.FileStarted(name);
  std::string output;
  status = run_.settings.byte_exact
               ? TranslateExactBytes(std::move(input), output_name, state, skip_tags, &output,
                                     stopped)
               : TranslateDecoded(path, std::move(input), state, skip_tags, &output, stopped);
  if (!status.ok() || *stopped) return status;
  status = same_name ? run_.files.Replace(path, output) : run_.files.Write(output_name, output);
  if (!status.ok()) return status;

  run_.front_end.FileFinished();
  return Status::Ok();
}

Status RunDriver::TranslateExactBytes(std::string input, const std::string& output_name,
                                      FolderPassState& state, bool skip_tags, std::string* output,
                                      bool* stopped) {
  std::string working_copy = MakeWorkingCopy(input, run_.settings.paragraphs);
  input.clear();
  input.shrink_to_fit();
  if (!run_.settings.same_name) {
    // Without the same-name option the working copy stands in the output until the
    // translation replaces it; a stop leaves it there.
    Status status = run_.files.Write(output_name, working_copy);
    if (!status.ok()) return status;
  }
  Progress progress(run_.front_end, static_cast<std::int64_t>(working_copy.size()));
  LineTranslator translator(run_.substitutions,
                            {.skip_tags = skip_tags, .cyrillic = run_.settings.cyrillic});
  *stopped =
      TranslateText(working_copy, translator, state, progress, output) == FileOutcome::kStopped;
  return Status::Ok();
}

Status RunDriver::TranslateDecoded(const std::string& path, std::string input,
                                   FolderPassState& state, bool skip_tags, std::string* output,
                                   bool* stopped) {
  DecodedFile file;
  DecodeFile(input, run_.settings.encoding, run_.settings.cyrillic, &file);
  if (LooksLikeUntranslatedCyrillic(input, file, run_.settings.cyrillic))
    run_.front_end.ReportProblem(RunProblem::kCyrillicWithoutOption, path, "");
  input.clear();
  input.shrink_to_fit();

  Progress progress(run_.front_end, static_cast<std::int64_t>(file.text.size()));
  // The text is Windows-1250 through and through: no letter forms to convert in the line.
  LineTranslator translator(run_.substitutions, {.skip_tags = skip_tags,
                                                 .cyrillic = false,
                                                 .utf8_letters = false,
                                                 .skip_links = !run_.settings.translate_links});
  std::string result;
  const LineLayout layout{.paragraphs = run_.settings.paragraphs,
                          .line_ends = run_.settings.line_ends};
  *stopped = TranslateLines(file.text, layout, translator, state, progress, &result) ==
             FileOutcome::kStopped;
  if (!*stopped) EncodeFile(file, result, output);
  return Status::Ok();
}

Status RunDriver::ConvertFile(const std::string& path) {
  std::string input;
  Status status = run_.files.Read(path, &input);
  if (!status.ok()) return status;
  std::string result;
  if (run_.settings.byte_exact) {
    ConvertExactBytes(input, &result);
  } else {
    DecodedFile file;
    DecodeFile(input, run_.settings.encoding, /*cyrillic=*/true, &file);
    EncodeFile(file, RewriteLineEnds(file.text, run_.settings.line_ends), &result);
  }
  if (run_.settings.same_name) return run_.files.Replace(path, result);
  return run_.files.Write(SuffixedName(path, "_sr"), result);
}

RunDriver::FileEnd RunDriver::ReportFailure(const std::string& path, const Status& status) {
  ++tally_.files_failed;
  switch (status.kind()) {
    case ErrorKind::kNotFound:
      run_.front_end.ReportProblem(RunProblem::kMissingFile, path, status.message());
      return FileEnd::kFailed;
    case ErrorKind::kAccessDenied:
      if (run_.front_end.AskGoOnAfterWriteProtected(path)) return FileEnd::kFailed;
      tally_.stopped = true;
      return FileEnd::kStop;
    default:
      run_.front_end.ReportProblem(RunProblem::kFailedFile, path, status.message());
      tally_.aborted = true;
      return FileEnd::kStop;
  }
}

}  // namespace lorvan
