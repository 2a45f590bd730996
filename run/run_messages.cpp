#include "run/run_messages.h"

namespace lorvan {

std::string ProblemText(RunProblem problem, const std::string& path, const std::string& detail) {
  switch (problem) {
    case RunProblem::kMissingFile:
      return "Datoteka " + path + " ne postoji";
    case RunProblem::kCyrillicWithoutOption:
      return "Datoteka " + path +
             " je na cirilici, a opcija \"Prevedi tekst na cirilici (UTF-8)\" nije ukljucena: "
             "ostala je neprevedena";
    case RunProblem::kStoppedFile:
      return "Datoteka " + path + " nije dovršena: prijevod je prekinut, ništa nije "
             "zapisano";
    case RunProblem::kUnreadableFolder:
    case RunProblem::kFailedFile:
    case RunProblem::kLeftFile:
    case RunProblem::kSkippedFile:
      break;
  }
  return detail;
}

std::string WriteProtectedQuestion(const std::string& path) {
  return "Datoteka " + path +
         " je zasticena (read-only)!\r\n\r\nZelite li nastaviti s prijevodom?";
}

}  // namespace lorvan
