// What a translation run works with, shared by the translate command and the run driver.
#pragma once

#include "engine/substitutions.h"
#include "run/file_browser.h"
#include "run/file_system.h"
#include "run/run_front_end.h"
#include "run/run_settings.h"
#include "run/stop_flag.h"

namespace lorvan {

// The dictionary's substitutions; the options, read as the run gets to each one, so the front
// end may keep changing them; the stop request; the front end that shows progress and asks
// questions; the file system; and the browser whose folder and selection the run follows.
// REQUIRES: every referenced object outlives whatever holds the context.
struct RunContext {
  Substitutions& substitutions;
  const RunSettings& settings;
  StopFlag& stop;
  RunFrontEnd& front_end;
  FileSystem& files;
  FileBrowser& browser;
};

}  // namespace lorvan
