#include "cli/terminal_front_end.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <iostream>

#include "common/text_file.h"
#include "run/run_messages.h"

namespace lorvan {
namespace {

constexpr int kBarWidth = 20;
// A rate measured over less time than this says more about start-up than about the run.
constexpr std::chrono::milliseconds kRateAfter{500};

// bytes_per_second with a unit, to two or three significant digits: "840 kB/s", "12.5 MB/s".
std::string RateText(double bytes_per_second) {
  static constexpr const char* kUnits[] = {"B/s", "kB/s", "MB/s", "GB/s"};
  int unit = 0;
  while (bytes_per_second >= 1000 && unit < 3) {
    bytes_per_second /= 1000;
    ++unit;
  }
  char text[32];
  std::snprintf(text, sizeof text, bytes_per_second < 100 ? "%.1f %s" : "%.0f %s", bytes_per_second,
                kUnits[unit]);
  return text;
}

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

TerminalFrontEnd::TerminalFrontEnd(Options options, const StopFlag& stop)
    : options_(std::move(options)),
      stop_(stop),
      start_(std::chrono::steady_clock::now()),
      folder_(options_.folder) {}

TerminalFrontEnd::~TerminalFrontEnd() { ClearLine(); }

void TerminalFrontEnd::FileStarted(const std::string& name) {
  percent_ = 0;
  file_size_ = 0;
  if (!options_.progress || options_.quiet) return;  // nothing drawn: no name, no size needed
  name_ = TerminalSafe(name);
  struct stat info;
  if (::stat(JoinPath(folder_, name).c_str(), &info) == 0)
    file_size_ = static_cast<std::int64_t>(info.st_size);
  Draw();
}

void TerminalFrontEnd::ProgressPassed(int percent) {
  percent_ = percent;
  Draw();
}

void TerminalFrontEnd::FileFinished() {
  ++files_finished_;
  bytes_finished_ += file_size_;
  file_size_ = 0;
  ProgressPassed(100);
}

void TerminalFrontEnd::ReportProblem(RunProblem problem, const std::string& path,
                                     const std::string& detail) {
  if (problem == RunProblem::kSkippedFile && options_.quiet) return;
  ClearLine();
  const std::string shown_path = TerminalSafe(path);
  if (problem == RunProblem::kCyrillicWithoutOption) {
    std::cerr << "lorvan-cli: warning: " << shown_path
              << " is Serbian Cyrillic and was left untranslated (translate it with --cyrillic)"
              << std::endl;
    return;
  }
  std::cerr << "lorvan-cli: " << CrLfToLf(ProblemText(problem, shown_path, TerminalSafe(detail)))
            << std::endl;
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

std::string TerminalFrontEnd::Throughput() const {
  std::string text =
      std::to_string(files_finished_) + (files_finished_ == 1 ? " file done" : " files done");
  const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start_;
  if (elapsed < kRateAfter) return text;
  const std::int64_t in_work = file_size_ * std::clamp(percent_, 0, 100) / 100;
  return text + "  " + RateText(static_cast<double>(bytes_finished_ + in_work) / elapsed.count());
}

void TerminalFrontEnd::Draw() {
  if (!options_.progress || options_.quiet) return;
  int filled = std::min(kBarWidth, std::max(0, percent_ * kBarWidth / 100));
  std::string bar(static_cast<std::size_t>(filled), '#');
  bar.resize(kBarWidth, '.');
  std::cerr << "\r\x1b[K[" << bar << "] " << percent_ << " %  " << Throughput() << "  " << name_
            << std::flush;
  drawn_ = true;
}

void TerminalFrontEnd::ClearLine() {
  if (!drawn_) return;
  std::cerr << "\r\x1b[K" << std::flush;
  drawn_ = false;
}

}  // namespace lorvan
