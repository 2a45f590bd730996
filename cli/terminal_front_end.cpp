#include "cli/terminal_front_end.h"

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string_view>

namespace lorvan {
namespace {

constexpr int kBarWidth = 20;

// The message with CR LF line ends turned into plain line ends for the terminal.
std::string ForTerminal(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    out += text[i];
  }
  return out;
}

}  // namespace

TerminalFrontEnd::~TerminalFrontEnd() { ClearLine(); }

void TerminalFrontEnd::ShowFileName(const std::string& name) {
  name_ = name;
  percent_ = "0 %";
  Draw();
}

void TerminalFrontEnd::ShowPercent(const std::string& text) {
  percent_ = text;
  Draw();
}

void TerminalFrontEnd::ShowMessage(const std::string& text) {
  ClearLine();
  std::cerr << "lorvan-cli: " << ForTerminal(text) << std::endl;
}

bool TerminalFrontEnd::AskYesNo(const std::string& title, const std::string& text) {
  ClearLine();
  std::cerr << "lorvan-cli: " << title << ": " << ForTerminal(text);
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
  int percent = std::atoi(percent_.c_str());
  int filled = std::min(kBarWidth, std::max(0, percent * kBarWidth / 100));
  std::string bar(static_cast<std::size_t>(filled), '#');
  bar.resize(kBarWidth, '.');
  std::cerr << "\r\x1b[K[" << bar << "] " << percent_ << "  " << name_ << std::flush;
  drawn_ = true;
}

void TerminalFrontEnd::ClearLine() {
  if (!drawn_) return;
  std::cerr << "\r\x1b[K" << std::flush;
  drawn_ = false;
}

}  // namespace lorvan
