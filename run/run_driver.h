// A translation run over a folder: the subfolder walk, the files chosen by the selection, the
// output names, conversion or translation of each file, progress, stop, and file errors
// turned into messages and questions.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "common/status.h"
#include "engine/folder_pass_state.h"
#include "run/file_pipeline.h"
#include "run/file_plan.h"
#include "run/folder_reader.h"
#include "run/run_context.h"

namespace lorvan {

// What a run did, for the exit status of the command line.
struct RunTally {
  int files_seen = 0;    // files the run came to, whatever became of them
  int files_done = 0;    // files translated or converted
  int files_failed = 0;  // missing, refused or failed files
  int files_skipped = 0; // files left alone by the run's rules (not text, links out of the run)
  bool stopped = false;  // ended by a stop request or a No to the read-only question
  bool aborted = false;  // ended by an error other than a missing or refused file
};

class RunDriver {
 public:
  // selected: the names selected in the starting folder when the run began; with none, a pass
  // takes every file of its folder that matches mask.
  RunDriver(const RunContext& run, std::vector<std::string> selected, std::string mask);

  // Runs the folder pass over folder (and, with the subfolder option, its whole subtree, the
  // last subfolder first, every folder's own files after its subfolders) and returns what it
  // did. Every folder of the pass is first rid of the temporaries a killed run left in it.
  RunTally TranslateFolder(const std::string& folder);

  // Lets every folder pass translate up to jobs files at once, and a file of more than one
  // block up to jobs blocks at once, each thread with substitutions of its own from
  // make_substitutions. The outputs, and what the front end sees and answers,
  // are those of the one-thread run; jobs 1 is that run. The workers never read the settings
  // the front end may be changing: a file is worked on ahead of its turn with a copy of them,
  // and done again in its turn if they have changed since.
  void TranslateInParallel(int jobs,
                           std::function<std::unique_ptr<Substitutions>()> make_substitutions);

 private:
  // A file translated ahead of its turn, from the neutral state (defined in run_driver.cpp).
  struct Speculation;
  // A block of a file translated ahead of its turn, from the neutral state.
  struct BlockSpeculation;
  // How one file ended.
  enum class FileEnd { kDone, kFailed, kStop };

  // One folder pass; return_path is the folder the run goes back to afterwards, empty for the
  // top pass. True when the run stops: a stop request, a No to the read-only question, or an
  // unexpected error.
  bool Pass(const std::string& folder, const std::string& return_path);
  // The subfolder walk of a pass; true when it stopped.
  bool WalkSubfolders(const std::string& folder, const FolderListing& listing);
  std::vector<std::string> FilesOfPass(const std::string& folder);
  // The file's turn in the one-thread run. It reads the settings once, as it starts: a change
  // made while the file is in work applies from the next file on.
  FileEnd HandleFile(const std::string& folder, const std::string& name, FolderPassState& state,
                     bool skip_tags);
  // Does the file at path with work once the named-link check lets it, and turns how it ended
  // (done, stopped, failed, out of memory) into the tally and what the front end is told.
  FileEnd Conclude(const std::string& path, const std::function<Status(bool* stopped)>& work);
  Status TranslateFile(const RunSettings& settings, const std::string& path,
                       const std::string& name, FolderPassState& state, bool skip_tags,
                       bool* stopped);
  Status ConvertFile(const RunSettings& settings, const std::string& path);
  // The files of a pass, one after the other; true when the run stops.
  bool HandleFiles(const std::string& folder, const std::vector<std::string>& names,
                   bool skip_tags);
  // The files of a pass translated by the worker threads ahead of their turn and taken in
  // order; true when the run stops.
  bool HandleFilesInParallel(const std::string& folder, const std::vector<std::string>& names,
                             bool skip_tags);
  // The settings as the front end has them now, shared with the work handed out since they
  // were last the same.
  std::shared_ptr<const RunSettings> SettingsNow();
  // Reads and translates (or converts) the file at path on a worker thread as settings say;
  // nothing the front end sees, nothing written.
  Speculation Speculate(std::shared_ptr<const RunSettings> settings, const std::string& path,
                        bool skip_tags, Substitutions& substitutions,
                        const std::atomic<bool>& abandoned);
  // The file's turn: its speculation written, or the file done as HandleFile does it when the
  // speculation does not hold (state not neutral, input or settings changed since, too large to
  // speculate).
  FileEnd CommitSpeculation(const std::string& folder, const std::string& name, Speculation& done,
                            FolderPassState& state, bool skip_tags);
  Status CommitTranslated(const std::string& path, const std::string& name, Speculation& done,
                          FolderPassState& state);
  // The name the output of path is written under, made sure to be writable.
  Status PrepareOutput(const RunSettings& settings, const std::string& path,
                       std::string_view suffix, std::string* output);
  // Writes the speculation's output to the temporary of the output of path and syncs it, on
  // the worker thread; when that went well, done.file holds it instead of done.output.
  void WriteAhead(const RunSettings& settings, const std::string& path, Speculation& done);
  // Puts the speculation's output in place as the file output_name, the output of path: the
  // temporary WriteAhead wrote, else the output written now. REQUIRES: output_name is
  // OutputName's for path under the speculation's settings, as WriteAhead's was.
  Status WriteSpeculated(const std::string& output_name, const std::string& path,
                         Speculation& done);
  // Writes bytes as the file output_name, the output of path.
  Status WriteWhole(const RunSettings& settings, const std::string& output_name,
                    const std::string& path, std::string_view bytes);
  // A named input that is a link is followed only when it stays within the run's folder.
  Status CheckNamedLink(const std::string& path) const;
  // Translates (or converts) the blocks of the planned file input in order into output, on the
  // worker threads when there are some; *stopped when hooks stopped it.
  Status WriteBlocks(const RunSettings& settings, const InputFile& input, const FilePlan& plan,
                     bool skip_tags, FolderPassState& state, LineHooks& hooks, OutputFile& output,
                     bool* stopped);
  Status WriteBlocksInParallel(const RunSettings& settings, const InputFile& input,
                               const FilePlan& plan, bool skip_tags, FolderPassState& state,
                               LineHooks& hooks, OutputFile& output, bool* stopped);
  // Opens the file at path and plans its blocks. A file with a NUL byte among its first 8 KiB
  // is no text file and is skipped unless the settings ask for such files too (a file too
  // large to plan fails first, as one too large to read did).
  // plan_threads: the threads that may measure the file's blocks for its plan.
  Status OpenText(const RunSettings& settings, const std::string& path, InputFile* input,
                  FilePlan* plan, int plan_threads);
  // OpenText on the run's threads, then PrepareOutput for the output with suffix, named in
  // *output_name.
  Status OpenWithOutput(const RunSettings& settings, const std::string& path,
                        std::string_view suffix, InputFile* input, FilePlan* plan,
                        std::string* output_name);
  WriteOptions OutputOptions(const RunSettings& settings, const std::string& path) const;
  // The name the output of path with suffix is written under.
  std::string OutputName(const RunSettings& settings, const std::string& path,
                         std::string_view suffix) const;
  // Where the output of path goes under the output folder. REQUIRES: there is one.
  std::string OutputFolder(const RunSettings& settings, const std::string& path) const;
  // OutputName, with the folders above it made when they are under the output folder.
  Status OutputPath(const RunSettings& settings, const std::string& path, std::string_view suffix,
                    std::string* output);
  // Turns a failed file's status into the message or question the user sees.
  FileEnd ReportFailure(const std::string& path, const Status& status);

  const RunContext run_;
  const std::vector<std::string> selected_;
  const std::string mask_;
  std::string top_;                // canonical path of the run's folder
  std::string top_given_;          // the run's folder as given
  std::set<std::string> visited_;  // identities of the folders the walk has entered
  RunTally tally_;
  int jobs_ = 1;
  bool write_ahead_ = false;  // workers write outputs ahead of their turn (see WriteAhead)
  std::function<std::unique_ptr<Substitutions>()> make_substitutions_;
  std::vector<std::unique_ptr<Substitutions>> worker_substitutions_;  // one per worker thread
  std::vector<std::unique_ptr<Substitutions>> block_substitutions_;   // one per block worker
  std::shared_ptr<const RunSettings> settings_now_;  // see SettingsNow
  const std::atomic<bool> never_abandoned_{false};
};

// The step of the progress display: total / 100 + 1 rounded to the nearest whole number, an
// exact half to the even one.
std::int64_t ProgressStep(std::int64_t total);

}  // namespace lorvan
