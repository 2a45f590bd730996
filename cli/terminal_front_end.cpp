#include "cli/terminal_front_end.h"

#include <cstdio>
#include <iostream>
#include <string_view>

#include "common/text_file.h"
#include "run/run_messages.h"

namespace lorvan {
namespace {

constexpr int kBarWidth = 20;

}  // namespace

std::string TerminalSafe(std::string_view text) {
  std::string safe;
  safe.reserve(text.size());
  for (char c : text) {
    const unsigned char byte = static_cast<unsigned char>(c);
    if (byte >= 0x20 && byte != 0x7F) {
      safe += c;
      continue;
    }
    char escape[5];
    std::snprintf(escape, sizeof escape, "\\x%02X", byte);
    safe += escape;
  }
  return safe;
}

TerminalFrontEnd::~TerminalFrontEnd() { ClearLine(); }

void TerminalFrontEnd::FileStarted(const std::string& name) {
  name_ = TerminalSafe(name);
  percent_ = 0;
  Draw();
}

void TerminalFrontEnd::ProgressPassed(int percent) {
  percent_ = percent;
  Draw();
}

void TerminalFrontEnd::ReportProblem(RunProblem problem, const std::string& path,
                                     const std::string& detail) {
  ClearLine();
  const std::string shown_path = TerminalSafe(path);
  if (problem == RunProblem::kCyrillicWithoutOption) {
    std::cerr << "lorvan-cli: warning: " << shown_path
              << " is Serbian Cyrillic and was left untranslated (translate it with --cyrillic)"
              << std::endl;
    return;
  }
  std::cerr << "lorvan-cli: "
            << CrLfToLf(ProblemText(problem, shown_path, TerminalSafe(detail))) << std::endl;
}

bool TerminalFrontEnd::AskGoOnAfterWriteProtected(const std::string& path) {
  ClearLine();
  std::cerr << "lorvan-cli: " << kWriteProtectedTitle << ": "
            << CrLfToLf(WriteProtectedQuestion(TerminalSafe(path)));
  if (options_.always_yes || !options_.can_ask) {
    std::cerr << " da" << std::endl;
    return true;
  }
  for (;;) {
    std::cerr << " [d/n] " << std::flush;
    std::string answer;
    if (!std::getline(std::cin, answer)) return false;
    if (answer == "d" || answer == "D" || answer == "da" || answer == "y" || answer == "yes")
      return true;
    if (answer == "n" || answer == "N" || answer == "ne" || answer == "no") return false;
  }
}

void TerminalFrontEnd::Draw() {
  if (!options_.progress || options_.quiet) return;
  int filled = std::min(kBarWidth, std::max(0, percent_ * kBarWidth / 100));
  std::string bar(static_cast<std::size_t>(filled), '#');
  bar.resize(kBarWidth, '.');
  std::cerr << "\r\x1b[K[" << bar << "] " << percent_ << " %  " << name_ << std::flush;
  drawn_ = true;
}

void TerminalFrontEnd::ClearLine() {
  if (!drawn_) return;
  std::cerr << "\r\x1b[K" << std::flush;
  drawn_ = false;
}

}  // namespace lorvan
