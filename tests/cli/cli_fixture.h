// Runs the built command-line program in a temporary folder, as users and scripts run it.
#pragma once

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "common/text_file.h"
#include "tests/core/temp_dir.h"

namespace lorvan {

inline const std::string kCli = LORVAN_CLI_PATH;
inline const std::string kDictionary = std::string(LORVAN_GOLDEN_DIR) + "/dictionary";

// Sanitizer builds run several times slower: their tests use smaller files.
#if defined(__SANITIZE_ADDRESS__)
inline constexpr bool kSanitized = true;
#else
inline constexpr bool kSanitized = false;
#endif

struct Result {
  int exit_code;
  std::string out;
  std::string err;
};

// text as one shell word.
inline std::string Quote(const std::string& text) {
  std::string word = "'";
  for (char c : text) word += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return word + "'";
}

class CliTest : public ::testing::Test {
 protected:
  // Runs the program with args (a shell word list) in the temporary folder, with input on
  // its standard input, in the original byte model unless args choose otherwise (Exact).
  Result Run(const std::string& args, const std::string& input = "") {
    return RunIn(args, input, "--byte-exact ");
  }
  // Runs the program as users run it by default: files in their own encoding and line ends.
  Result RunDefault(const std::string& args, const std::string& input = "") {
    return RunIn(args, input, "");
  }
  Result RunIn(const std::string& args, const std::string& input, const std::string& mode) {
    Put(".stdin", input);
    std::string command = "cd " + Quote(dir_.path()) + " && " + Quote(kCli) + " -d " +
                          Quote(kDictionary) + " " + mode + args + " <.stdin >.stdout 2>.stderr";
    return {Shell(command), Get(".stdout"), Get(".stderr")};
  }
  // Runs a shell script in the temporary folder; returns its exit status.
  int Script(const std::string& script) {
    Put(".script.sh", script);
    return Shell("cd " + Quote(dir_.path()) + " && CLI=" + Quote(kCli) + " EXACT=--byte-exact" +
                 " DICT=" + Quote(kDictionary) + " timeout 60 bash .script.sh");
  }
  void Put(const std::string& relative, const std::string& bytes) { dir_.Put(relative, bytes); }
  std::string Get(const std::string& relative) { return dir_.Get(relative); }
  bool Exists(const std::string& relative) { return dir_.Exists(relative); }
  std::string Path(const std::string& relative) const { return dir_.Path(relative); }

  TempDir dir_;

 private:
  static int Shell(const std::string& command) {
    int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
};

}  // namespace lorvan
