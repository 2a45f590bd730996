// What a run tells its front end while it goes, and what it asks: the window, the terminal and
// the tests each supply their own. It carries names, numbers and kinds; each front end words
// and draws them itself (run/run_messages.h holds the texts they share).
#pragma once

#include <string>

#include "common/yield_point.h"

namespace lorvan {

// What went wrong with a file or folder of the run.
enum class RunProblem {
  kMissingFile,       // the file does not exist; the run goes on
  kUnreadableFolder,  // a subfolder could not be read; the walk goes on
  kFailedFile,        // any other error; the run ends
  kLeftFile,          // the file is left as it is for the reason detail gives; the run goes on
  kSkippedFile,       // a notice: the file is left alone by the run's rules (detail says why)
  kStoppedFile,       // a notice: the run was stopped in this file, which was not written
  // A warning: the file is mostly Serbian Cyrillic and the Cyrillic option is off, so it was
  // written almost untranslated; the run goes on.
  kCyrillicWithoutOption,
};

class RunFrontEnd : public YieldPoint {
 public:
  // A yield where yields come seldom: before each file, and while the run's thread waits for
  // the files or blocks other threads translate. A front end that looks at the clock only on
  // some yields looks at it on these.
  virtual bool YieldSeldomAndTestStop() { return YieldAndTestStop(); }
  // The translation of the file name (bare name) begins: progress 0.
  virtual void FileStarted(const std::string& name) = 0;
  // The file in work has passed percent (whole percents, shown when the count passes the next).
  virtual void ProgressPassed(int percent) = 0;
  // The file in work is translated and written: 100 percent.
  virtual void FileFinished() = 0;
  // A problem with path; detail is the system's description of the error (it names the path).
  virtual void ReportProblem(RunProblem problem, const std::string& path,
                             const std::string& detail) = 0;
  // The file at path may not be written: true to go on with the next file, false to end the run.
  virtual bool AskGoOnAfterWriteProtected(const std::string& path) = 0;

  // Where the run is, for a front end that shows it: the run moved into folder (a subfolder of
  // the walk, or back to the folder it came from).
  virtual void FolderEntered(const std::string& /*folder*/) {}
  // The run took the one selected file's name as the mask.
  virtual void MaskSet(const std::string& /*mask*/) {}
};

}  // namespace lorvan
