// The Croatian texts in which front ends tell the user about a run's problems (UTF-8, CR LF
// line ends, file paths as the system's bytes).
#pragma once

#include <string>

#include "run/run_front_end.h"

namespace lorvan {

// Title of the question asked after a write-protected file.
inline constexpr char kWriteProtectedTitle[] = "S=>C";

// The message for a problem: "Datoteka PATH ne postoji" for a missing file, a warning for a
// Cyrillic file translated without the Cyrillic option, else detail.
std::string ProblemText(RunProblem problem, const std::string& path, const std::string& detail);

// The question asked after the write-protected file at path.
std::string WriteProtectedQuestion(const std::string& path);

}  // namespace lorvan
