// What a translation run works with, shared by the translate command and the run driver.
#pragma once

#include "engine/substitutions.h"
#include "run/file_system.h"
#include "run/run_front_end.h"
#include "run/run_settings.h"

namespace lorvan {

// The dictionary's substitutions; the options, read as the run gets to each one, so the front
// end may keep changing them; the front end that shows progress, asks questions and says when
// to stop; and the file system.
// REQUIRES: every referenced object outlives whatever holds the context.
struct RunContext {
  Substitutions& substitutions;
  const RunSettings& settings;
  RunFrontEnd& front_end;
  FileSystem& files;
};

}  // namespace lorvan
