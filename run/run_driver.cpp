#include "run/run_driver.h"

#include <sys/resource.h>
#include <sys/stat.h>

#include <algorithm>
#include <chrono>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <new>

#include "common/text_file.h"
#include "run/block_translator.h"
#include "run/file_mask.h"
#include "run/file_plan.h"
#include "run/folder_reader.h"
#include "run/ordered_workers.h"
#include "run/output_name.h"

namespace lorvan {
namespace {

constexpr std::size_t kBinaryProbe = 8 << 10;  // bytes looked at for a NUL
// How long the run's thread waits for a worker's result before it yields to the front end.
constexpr std::chrono::milliseconds kPatience(50);
constexpr std::size_t kAhead = 2;  // blocks or files worked on ahead of their turn, per thread
// A file of up to this many blocks is translated whole by one worker thread, ahead of its turn;
// a larger one in its turn, its blocks on all the worker threads.
constexpr std::int64_t kWholeFileBlocks = 16;
constexpr rlim_t kSpareFiles = 64;  // open files left for everything but outputs and inputs

// The canonical path of path, or path itself when it cannot be resolved.
std::string RealPath(const std::string& path) {
  char resolved[PATH_MAX];
  return ::realpath(path.c_str(), resolved) != nullptr ? std::string(resolved) : path;
}

// True when path is folder or lies within it (both canonical).
bool Inside(const std::string& path, const std::string& folder) {
  return path == folder || path.starts_with(folder == "/" ? folder : folder + "/");
}

// True when name carries suffix just before its extension or at its end, as an output name
// made with it does.
bool HasSuffix(const std::string& name, std::string_view suffix) {
  const std::size_t dot = name.rfind('.');
  const std::string_view stem = dot == std::string::npos || dot == 0
                                    ? std::string_view(name)
                                    : std::string_view(name).substr(0, dot);
  return stem.ends_with(suffix) || std::string_view(name).ends_with(suffix);
}

// Identity of a folder on disk, so that a walk enters every folder once.
std::string FolderIdentity(const std::string& folder) {
  struct stat info;
  if (::stat(folder.c_str(), &info) != 0) return folder;
  return std::to_string(info.st_dev) + ":" + std::to_string(info.st_ino);
}

// The count of a file's characters done against the whole, in whole percents.
class PercentCount {
 public:
  explicit PercentCount(std::int64_t total) : step_(ProgressStep(total)) {}

  // Adds amount to the count; true when it passed the next whole percent, now *percent.
  bool Add(std::int64_t amount, int* percent) {
    count_ += amount;
    if (count_ <= (percent_ + 1) * step_) return false;
    percent_ = count_ / step_;
    *percent = static_cast<int>(std::min<std::int64_t>(percent_, INT32_MAX));
    return true;
  }

 private:
  const std::int64_t step_;
  std::int64_t count_ = 0;
  std::int64_t percent_ = 0;
};

// The progress display of one file: the front end is told each whole percent passed.
class Progress : public LineHooks {
 public:
  Progress(RunFrontEnd& front_end, std::int64_t total) : front_end_(front_end), count_(total) {}

  bool YieldAndTestStop() override { return front_end_.YieldAndTestStop(); }
  void LineDone(std::int64_t char_pos) override {
    int percent;
    if (count_.Add(char_pos, &percent)) front_end_.ProgressPassed(percent);
  }

 private:
  RunFrontEnd& front_end_;
  PercentCount count_;
};

// Work on a worker thread: it stops when the work is abandoned, and shows no progress; with
// amounts, it keeps the amount of every line for the progress display of the work's turn.
class QuietHooks : public LineHooks {
 public:
  explicit QuietHooks(const std::atomic<bool>& abandoned,
                      std::vector<std::int64_t>* amounts = nullptr)
      : abandoned_(abandoned), amounts_(amounts) {}

  bool YieldAndTestStop() override { return abandoned_.load(std::memory_order_relaxed); }
  void LineDone(std::int64_t char_pos) override {
    if (amounts_ != nullptr) amounts_->push_back(char_pos);
  }

 private:
  const std::atomic<bool>& abandoned_;
  std::vector<std::int64_t>* const amounts_;
};

// A whole file on a worker thread: as QuietHooks, keeping the percents its progress display
// passes for the file's turn.
class QuietProgress : public QuietHooks {
 public:
  QuietProgress(const std::atomic<bool>& abandoned, std::int64_t total, std::vector<int>* percents)
      : QuietHooks(abandoned), count_(total), percents_(percents) {}

  void LineDone(std::int64_t char_pos) override {
    int percent;
    if (count_.Add(char_pos, &percent)) percents_->push_back(percent);
  }

 private:
  PercentCount count_;
  std::vector<int>* const percents_;
};

// Reads block of input into *bytes and translates it, or with convert converts it, into
// *output. *stopped when hooks stopped the translation.
Status DoBlock(const InputFile& input, const FileBlock& block, BlockTranslator& translator,
               bool convert, FolderPassState& state, LineHooks& hooks, std::string* bytes,
               std::string* output, bool* stopped) {
  Status status = ReadBlock(input, block, bytes);
  if (!status.ok()) return status;
  if (convert)
    translator.Convert(*bytes, block, output);
  else
    *stopped = translator.Translate(*bytes, block, state, hooks, output) == FileOutcome::kStopped;
  return Status::Ok();
}

// Translates, or with convert converts, the blocks of the planned file input in order, passing
// each block's output to sink. *stopped when hooks stopped it.
Status DoBlocks(const InputFile& input, const FilePlan& plan, BlockTranslator& translator,
                bool convert, FolderPassState& state, LineHooks& hooks,
                const std::function<Status(std::string_view)>& sink, bool* stopped) {
  std::string bytes, output;
  for (const FileBlock& block : plan.blocks) {
    Status status =
        DoBlock(input, block, translator, convert, state, hooks, &bytes, &output, stopped);
    if (!status.ok() || *stopped) return status;
    status = sink(output);
    if (!status.ok()) return status;
  }
  return Status::Ok();
}

// What a file at a path is on disk, to tell whether it changed between two looks.
struct FileIdentity {
  bool exists = false;
  dev_t device = 0;
  ino_t inode = 0;
  off_t size = 0;
  std::int64_t changed_ns = 0;  // last status change
  std::int64_t modified_ns = 0;

  bool operator==(const FileIdentity&) const = default;
};

FileIdentity Identify(const std::string& path) {
  FileIdentity identity;
  struct stat info;
  if (::stat(path.c_str(), &info) != 0) return identity;
  identity.exists = true;
  identity.device = info.st_dev;
  identity.inode = info.st_ino;
  identity.size = info.st_size;
  identity.changed_ns = info.st_ctim.tv_sec * 1'000'000'000LL + info.st_ctim.tv_nsec;
  identity.modified_ns = info.st_mtim.tv_sec * 1'000'000'000LL + info.st_mtim.tv_nsec;
  return identity;
}

}  // namespace

// A block of a file translated (or converted) on a worker thread from the neutral state.
struct RunDriver::BlockSpeculation {
  bool done = false;  // false: the block is done in its turn
  std::string output;
  FolderPassState end;                 // the state the translation ended in
  std::vector<std::int64_t> progress;  // what each of its lines moves the progress count
};

// A file translated (or converted) on a worker thread from the neutral state.
struct RunDriver::Speculation {
  bool in_order = true;  // no speculation: the file is done in its turn as HandleFile does it
  std::shared_ptr<const RunSettings> settings;  // those it was done with
  FileIdentity seen;     // the input as it was before it was read
  Status read;           // how reading it went; nothing more was done unless it went well
  std::string output;
  bool cyrillic_without_option = false;
  std::vector<int> percents;  // the whole percents its progress display passed
  FolderPassState end;        // the state the translation ended in
  // The output already written to its temporary and synced, when its folder was there: in its
  // turn it only needs renaming into place. Dropped unrenamed when the turn goes otherwise.
  OutputFile file;
};

std::int64_t ProgressStep(std::int64_t total) {
  std::int64_t whole = total / 100 + 1;
  std::int64_t hundredths = total % 100;
  if (hundredths > 50 || (hundredths == 50 && whole % 2 == 1)) ++whole;
  return whole;
}

RunDriver::RunDriver(const RunContext& run, std::vector<std::string> selected, std::string mask)
    : run_(run), selected_(std::move(selected)), mask_(std::move(mask)) {}

RunTally RunDriver::TranslateFolder(const std::string& folder) {
  top_ = RealPath(folder);
  top_given_ = folder;
  visited_.insert(FolderIdentity(folder));
  Pass(folder, "");
  return tally_;
}

bool RunDriver::Pass(const std::string& folder, const std::string& return_path) {
  // The tag option is read once per folder pass: a change made while the pass runs applies
  // from the next pass on.
  const bool skip_tags = run_.settings.skip_tags;
  run_.files.RemoveStaleTemporaries(folder);
  bool stopped = false;
  if (run_.settings.subfolders) {
    FolderListing listing;
    Status read = ReadFolder(folder, &listing);
    if (read.ok()) {
      stopped = WalkSubfolders(folder, listing);
    } else if (read.kind() != ErrorKind::kNotFound) {
      run_.front_end.ReportProblem(RunProblem::kUnreadableFolder, folder, read.message());
      ++tally_.files_failed;
    }
  }
  if (!stopped) {
    const std::vector<std::string> names = FilesOfPass(folder);
    stopped = jobs_ > 1 && make_substitutions_ && names.size() > 1
                  ? HandleFilesInParallel(folder, names, skip_tags)
                  : HandleFiles(folder, names, skip_tags);
  }
  if (stopped) return true;
  if (!return_path.empty()) run_.front_end.FolderEntered(return_path);
  return false;
}

bool RunDriver::HandleFiles(const std::string& folder, const std::vector<std::string>& names,
                            bool skip_tags) {
  FolderPassState state;
  for (const std::string& name : names) {
    if (run_.front_end.YieldSeldomAndTestStop()) {
      tally_.stopped = true;
      return true;
    }
    if (HandleFile(folder, name, state, skip_tags) == FileEnd::kStop) return true;
  }
  return false;
}

bool RunDriver::WalkSubfolders(const std::string& folder, const FolderListing& listing) {
  for (auto name = listing.subfolders.rbegin(); name != listing.subfolders.rend(); ++name) {
    const std::string subfolder = JoinPath(folder, *name);
    // A link to a folder is followed only when asked, and never out of the starting folder.
    if (listing.links.count(*name) != 0 &&
        (!run_.settings.follow_links || !Inside(RealPath(subfolder), top_)))
      continue;
    // Each folder once, however many links lead to it (a link back into the walk included).
    const std::string identity = FolderIdentity(subfolder);
    if (visited_.count(identity) != 0) continue;
    Status readable = CheckFolderReadable(subfolder);
    if (readable.kind() == ErrorKind::kNotFound) continue;  // gone since the folder was read
    if (!readable.ok()) {
      run_.front_end.ReportProblem(RunProblem::kUnreadableFolder, subfolder, readable.message());
      ++tally_.files_failed;
      continue;
    }
    visited_.insert(identity);
    run_.front_end.FolderEntered(subfolder);
    if (Pass(subfolder, folder)) return true;
  }
  return false;
}

std::vector<std::string> RunDriver::FilesOfPass(const std::string& folder) {
  if (selected_.size() == 1) run_.front_end.MaskSet(selected_.front());
  if (!selected_.empty()) return selected_;
  // Read now, after the subfolders: this pass's own files as they are when it gets to them.
  // Links found here are not followed, and the run's own outputs are not translated again.
  FolderListing listing;
  std::vector<std::string> names;
  if (!ReadFolder(folder, &listing).ok()) return names;
  const std::string_view suffix = run_.settings.convert_only ? "_sr" : "_hr";
  for (std::string& name : listing.files)
    if (MatchesMask(name, mask_) && listing.links.count(name) == 0 && !HasSuffix(name, suffix))
      names.push_back(std::move(name));
  return names;
}

RunDriver::FileEnd RunDriver::HandleFile(const std::string& folder, const std::string& name,
                                         FolderPassState& state, bool skip_tags) {
  const std::string path = JoinPath(folder, name);
  const RunSettings settings = run_.settings;
  return Conclude(path, [&](bool* stopped) {
    return settings.convert_only ? ConvertFile(settings, path)
                                 : TranslateFile(settings, path, name, state, skip_tags, stopped);
  });
}

RunDriver::FileEnd RunDriver::Conclude(const std::string& path,
                                       const std::function<Status(bool* stopped)>& work) {
  ++tally_.files_seen;
  bool stopped = false;
  Status status = CheckNamedLink(path);
  try {
    if (status.ok()) status = work(&stopped);
  } catch (const std::bad_alloc&) {
    status = Status::Left("premalo memorije za " + path);
  }
  if (!status.ok()) return ReportFailure(path, status);
  if (stopped) {
    run_.front_end.ReportProblem(RunProblem::kStoppedFile, path, "");
    tally_.stopped = true;
    return FileEnd::kStop;
  }
  ++tally_.files_done;
  return FileEnd::kDone;
}

Status RunDriver::CheckNamedLink(const std::string& path) const {
  struct stat info;
  if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return Status::Ok();
  if (Inside(RealPath(path), top_)) return Status::Ok();
  return Status::Skipped(path + ": simbolička veza izvan mape; preskočena");
}

Status RunDriver::OpenText(const RunSettings& settings, const std::string& path,
                           InputFile* input, FilePlan* plan, int plan_threads) {
  Status status = run_.files.Open(path, input);
  if (status.ok())
    status = PlanFile(*input, settings, std::max<std::size_t>(settings.block_bytes, 1), plan,
                      plan_threads);
  if (!status.ok() || settings.binary) return status;
  std::string probe;
  status = input->ReadAt(0, kBinaryProbe, &probe);
  if (status.ok() && probe.find('\0') != std::string::npos)
    return Status::Skipped(path + ": nije tekstualna datoteka, preskočena");
  return status;
}

Status RunDriver::OpenWithOutput(const RunSettings& settings, const std::string& path,
                                 std::string_view suffix, InputFile* input, FilePlan* plan,
                                 std::string* output_name) {
  Status status = OpenText(settings, path, input, plan, jobs_);
  if (status.ok()) status = PrepareOutput(settings, path, suffix, output_name);
  return status;
}

// How the file at path is written: beside it, or over it (with the backup asked for).
WriteOptions RunDriver::OutputOptions(const RunSettings& settings,
                                      const std::string& path) const {
  WriteOptions options;
  options.input = path;
  options.replaces_input = settings.same_name && settings.output_dir.empty();
  if (options.replaces_input && settings.backup) options.backup = path + settings.backup_suffix;
  return options;
}

// The output of the input at path: beside it (suffix before its extension, or its own name
// with the same-name option), or at the same place under the output folder.
std::string RunDriver::OutputName(const RunSettings& settings, const std::string& path,
                                  std::string_view suffix) const {
  const std::string beside = settings.same_name ? path : SuffixedName(path, suffix);
  if (settings.output_dir.empty()) return beside;
  return JoinPath(OutputFolder(settings, path), beside.substr(beside.rfind('/') + 1));
}

std::string RunDriver::OutputFolder(const RunSettings& settings, const std::string& path) const {
  std::string relative = path.substr(std::min(path.size(), top_given_.size()));
  while (!relative.empty() && relative.front() == '/') relative.erase(0, 1);
  const std::size_t slash = relative.rfind('/');
  return slash == std::string::npos ? settings.output_dir
                                    : JoinPath(settings.output_dir, relative.substr(0, slash));
}

Status RunDriver::OutputPath(const RunSettings& settings, const std::string& path,
                             std::string_view suffix, std::string* output) {
  *output = OutputName(settings, path, suffix);
  if (settings.output_dir.empty()) return Status::Ok();
  return run_.files.MakeFolders(OutputFolder(settings, path));
}

Status RunDriver::PrepareOutput(const RunSettings& settings, const std::string& path,
                                std::string_view suffix, std::string* output) {
  Status status = OutputPath(settings, path, suffix, output);
  if (status.ok()) status = run_.files.CheckWritable(*output);  // write-protected?
  return status;
}

Status RunDriver::WriteWhole(const RunSettings& settings, const std::string& output_name,
                             const std::string& path, std::string_view bytes) {
  OutputFile output;
  Status status = run_.files.Create(output_name, OutputOptions(settings, path), &output);
  if (status.ok()) status = output.Append(bytes);
  if (status.ok()) status = output.Commit();
  return status;
}

Status RunDriver::TranslateFile(const RunSettings& settings, const std::string& path,
                                const std::string& name, FolderPassState& state, bool skip_tags,
                                bool* stopped) {
  InputFile input;
  FilePlan plan;
  std::string output_name;
  Status status = OpenWithOutput(settings, path, "_hr", &input, &plan, &output_name);
  if (!status.ok()) return status;

  run_.front_end.FileStarted(name);
  if (plan.cyrillic_without_option)
    run_.front_end.ReportProblem(RunProblem::kCyrillicWithoutOption, path, "");
  Progress progress(run_.front_end, plan.total);
  OutputFile output;
  status = run_.files.Create(output_name, OutputOptions(settings, path), &output);
  if (!status.ok()) return status;
  status = WriteBlocks(settings, input, plan, skip_tags, state, progress, output, stopped);
  if (!status.ok() || *stopped) return status;  // the unfinished output is removed
  status = output.Commit();
  if (!status.ok()) return status;

  run_.front_end.FileFinished();
  return Status::Ok();
}

Status RunDriver::ConvertFile(const RunSettings& settings, const std::string& path) {
  InputFile input;
  FilePlan plan;
  std::string output_name;
  Status status = OpenWithOutput(settings, path, "_sr", &input, &plan, &output_name);
  if (!status.ok()) return status;
  OutputFile output;
  status = run_.files.Create(output_name, OutputOptions(settings, path), &output);
  if (!status.ok()) return status;
  FolderPassState unused;
  QuietHooks hooks(never_abandoned_);
  bool stopped = false;
  status =
      WriteBlocks(settings, input, plan, /*skip_tags=*/true, unused, hooks, output, &stopped);
  if (status.ok()) status = output.Commit();
  return status;
}

Status RunDriver::WriteBlocks(const RunSettings& settings, const InputFile& input,
                              const FilePlan& plan, bool skip_tags, FolderPassState& state,
                              LineHooks& hooks, OutputFile& output, bool* stopped) {
  if (jobs_ > 1 && make_substitutions_ && plan.blocks.size() > 1)
    return WriteBlocksInParallel(settings, input, plan, skip_tags, state, hooks, output, stopped);
  BlockTranslator translator(settings, run_.substitutions, skip_tags, plan);
  return DoBlocks(
      input, plan, translator, settings.convert_only, state, hooks,
      [&](std::string_view bytes) { return output.Append(bytes); }, stopped);
}

// Each block is translated ahead of its turn from the neutral state. In its turn that
// translation holds when the block before it ended neutral: only the in-tag flag crosses a
// line end, since a held preposition never outlives its line. Otherwise the block is done again
// from the state it really starts in. The progress counts of its lines are replayed in order.
Status RunDriver::WriteBlocksInParallel(const RunSettings& settings, const InputFile& input,
                                        const FilePlan& plan, bool skip_tags,
                                        FolderPassState& state, LineHooks& hooks,
                                        OutputFile& output, bool* stopped) {
  while (block_substitutions_.size() < static_cast<std::size_t>(jobs_))
    block_substitutions_.push_back(make_substitutions_());
  const bool convert = settings.convert_only;
  // Each thread keeps its translator and read buffer from block to block, as this one does.
  struct ThreadScratch {
    std::unique_ptr<BlockTranslator> translator;
    std::string bytes;
  };
  std::vector<ThreadScratch> scratch(static_cast<std::size_t>(jobs_));
  OrderedWorkers<std::size_t, BlockSpeculation> workers(
      jobs_, [&](std::size_t& index, int thread, const std::atomic<bool>& abandoned) {
        BlockSpeculation done;
        ThreadScratch& own = scratch[static_cast<std::size_t>(thread)];
        try {
          if (own.translator == nullptr)
            own.translator = std::make_unique<BlockTranslator>(
                settings, *block_substitutions_[static_cast<std::size_t>(thread)], skip_tags,
                plan);
          QuietHooks quiet(abandoned, &done.progress);
          bool abandoned_here = false;
          if (!DoBlock(input, plan.blocks[index], *own.translator, convert, done.end, quiet,
                       &own.bytes, &done.output, &abandoned_here)
                   .ok() ||
              abandoned_here)
            return BlockSpeculation();
        } catch (const std::bad_alloc&) {
          return BlockSpeculation();
        }
        done.done = true;
        return done;
      });
  BlockTranslator translator(settings, run_.substitutions, skip_tags, plan);
  std::string bytes, redone;
  std::size_t added = 0;
  for (const FileBlock& block : plan.blocks) {
    while (added < plan.blocks.size() &&
           workers.waiting() < kAhead * static_cast<std::size_t>(jobs_))
      workers.Add(added++);
    BlockSpeculation done;
    // A conversion goes on to its end, as in one thread: only a translation stops in a file.
    bool stop;
    do stop = !convert && run_.front_end.YieldSeldomAndTestStop();
    while (!stop && !workers.Take(kPatience, &done));
    if (stop) {
      *stopped = true;
      return Status::Ok();
    }
    Status status;
    if (done.done && (convert || Neutral(state))) {
      for (const std::int64_t amount : done.progress) hooks.LineDone(amount);
      if (!convert) state = std::move(done.end);
      status = output.Append(done.output);
    } else {
      status = DoBlock(input, block, translator, convert, state, hooks, &bytes, &redone, stopped);
      if (!status.ok() || *stopped) return status;
      status = output.Append(redone);
    }
    if (!status.ok()) return status;
  }
  return Status::Ok();
}

void RunDriver::TranslateInParallel(
    int jobs, std::function<std::unique_ptr<Substitutions>()> make_substitutions) {
  jobs_ = std::max(jobs, 1);
  make_substitutions_ = std::move(make_substitutions);
  // Outputs written ahead stay open until their turn, up to two per thread besides the inputs
  // being read: only while that leaves the process's limit of open files well clear, so that
  // the run never fails for want of one where one thread would not.
  struct rlimit files;
  write_ahead_ = ::getrlimit(RLIMIT_NOFILE, &files) == 0 &&
                 (files.rlim_cur == RLIM_INFINITY ||
                  3 * static_cast<rlim_t>(jobs_) + kSpareFiles <= files.rlim_cur);
}

// Each file is translated ahead of its turn from the neutral state. In its turn, on this
// thread, that translation holds when the file before it ended neutral (only the in-tag flag
// crosses files: a held preposition never outlives its line) and the input is as it was read
// (an earlier output or backup may have replaced it); otherwise the file is done again as the
// one-thread run does it. So the outputs, messages, questions and stops are those of that run.
bool RunDriver::HandleFilesInParallel(const std::string& folder,
                                      const std::vector<std::string>& names, bool skip_tags) {
  const int threads = static_cast<int>(std::min<std::size_t>(jobs_, names.size()));
  while (worker_substitutions_.size() < static_cast<std::size_t>(threads))
    worker_substitutions_.push_back(make_substitutions_());
  struct Job {
    std::size_t index = 0;
    std::shared_ptr<const RunSettings> settings;
  };
  OrderedWorkers<Job, Speculation> workers(
      threads, [&](Job& job, int thread, const std::atomic<bool>& abandoned) {
        return Speculate(std::move(job.settings), JoinPath(folder, names[job.index]), skip_tags,
                         *worker_substitutions_[static_cast<std::size_t>(thread)], abandoned);
      });
  FolderPassState state;
  std::size_t added = 0;
  for (const std::string& name : names) {
    while (added < names.size() && workers.waiting() < kAhead * static_cast<std::size_t>(jobs_))
      workers.Add({added++, SettingsNow()});
    Speculation done;
    bool stop = run_.front_end.YieldSeldomAndTestStop();
    while (!stop && !workers.Take(kPatience, &done))
      stop = run_.front_end.YieldSeldomAndTestStop();
    if (stop) {
      tally_.stopped = true;
      return true;
    }
    if (CommitSpeculation(folder, name, done, state, skip_tags) == FileEnd::kStop) return true;
  }
  return false;
}

std::shared_ptr<const RunSettings> RunDriver::SettingsNow() {
  if (settings_now_ == nullptr || *settings_now_ != run_.settings)
    settings_now_ = std::make_shared<const RunSettings>(run_.settings);
  return settings_now_;
}

RunDriver::Speculation RunDriver::Speculate(std::shared_ptr<const RunSettings> settings_now,
                                            const std::string& path, bool skip_tags,
                                            Substitutions& substitutions,
                                            const std::atomic<bool>& abandoned) {
  Speculation done;
  if (!CheckNamedLink(path).ok()) return done;
  const RunSettings& settings = *settings_now;
  done.settings = std::move(settings_now);
  done.seen = Identify(path);
  if (done.seen.size > kWholeFileBlocks * static_cast<off_t>(settings.block_bytes)) return done;
  try {
    InputFile input;
    FilePlan plan;
    done.read = OpenText(settings, path, &input, &plan, /*plan_threads=*/1);
    if (done.read.ok()) {
      done.cyrillic_without_option = plan.cyrillic_without_option;
      BlockTranslator translator(settings, substitutions, skip_tags, plan);
      QuietProgress hooks(abandoned, plan.total, &done.percents);
      bool stopped = false;
      done.read = DoBlocks(
          input, plan, translator, settings.convert_only, done.end, hooks,
          [&](std::string_view bytes) {
            done.output.append(bytes);
            return Status::Ok();
          },
          &stopped);
      if (stopped) return Speculation();
      if (done.read.ok() && write_ahead_) WriteAhead(settings, path, done);
    }
  } catch (const std::bad_alloc&) {
    return Speculation();
  }
  done.in_order = false;
  return done;
}

// The worker's wait for the disk then overlaps the other files' work. Whatever fails here is
// left to the file's turn, which writes the output as the one-thread run does.
void RunDriver::WriteAhead(const RunSettings& settings, const std::string& path,
                           Speculation& done) {
  const std::string name = OutputName(settings, path, settings.convert_only ? "_sr" : "_hr");
  Status status = run_.files.Create(name, OutputOptions(settings, path), &done.file);
  if (status.ok()) status = done.file.Append(done.output);
  if (status.ok()) status = done.file.Sync();
  if (!status.ok()) {
    done.file = OutputFile();
    return;
  }
  std::string().swap(done.output);  // on the disk now; only the temporary is renamed
}

Status RunDriver::WriteSpeculated(const std::string& output_name, const std::string& path,
                                  Speculation& done) {
  if (!done.file.is_open()) return WriteWhole(*done.settings, output_name, path, done.output);
  return done.file.Commit();
}

RunDriver::FileEnd RunDriver::CommitSpeculation(const std::string& folder, const std::string& name,
                                                Speculation& done, FolderPassState& state,
                                                bool skip_tags) {
  const std::string path = JoinPath(folder, name);
  if (done.in_order || !Neutral(state) || *done.settings != run_.settings ||
      Identify(path) != done.seen)
    return HandleFile(folder, name, state, skip_tags);
  return Conclude(path, [&](bool*) {
    if (!done.read.ok()) return done.read;
    if (done.settings->convert_only) {
      std::string output_name;
      Status status = PrepareOutput(*done.settings, path, "_sr", &output_name);
      return status.ok() ? WriteSpeculated(output_name, path, done) : status;
    }
    return CommitTranslated(path, name, done, state);
  });
}

Status RunDriver::CommitTranslated(const std::string& path, const std::string& name,
                                   Speculation& done, FolderPassState& state) {
  std::string output_name;
  Status status = PrepareOutput(*done.settings, path, "_hr", &output_name);
  if (!status.ok()) return status;
  run_.front_end.FileStarted(name);
  if (done.cyrillic_without_option)
    run_.front_end.ReportProblem(RunProblem::kCyrillicWithoutOption, path, "");
  for (const int percent : done.percents) run_.front_end.ProgressPassed(percent);
  state = done.end;
  status = WriteSpeculated(output_name, path, done);
  if (!status.ok()) return status;
  run_.front_end.FileFinished();
  return Status::Ok();
}

RunDriver::FileEnd RunDriver::ReportFailure(const std::string& path, const Status& status) {
  if (status.kind() == ErrorKind::kSkipped) {
    ++tally_.files_skipped;
    run_.front_end.ReportProblem(RunProblem::kSkippedFile, path, status.message());
    return FileEnd::kDone;
  }
  ++tally_.files_failed;
  switch (status.kind()) {
    case ErrorKind::kLeft:
      run_.front_end.ReportProblem(RunProblem::kLeftFile, path, status.message());
      return FileEnd::kFailed;
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
