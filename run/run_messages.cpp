#include "run/run_messages.h"

namespace lorvan {

std::string ProblemText(RunProblem problem, const std::string& path, const std::string& detail) {
  if (problem == RunProblem::kMissingFile) return "Datoteka " + path + " ne postoji";
  return detail;
}

std::string WriteProtectedQuestion(const std::string& path) {
  return "Datoteka " + path +
         " je zasticena (read-only)!\r\n\r\nZelite li nastaviti s prijevodom?";
}

}  // namespace lorvan
