// A same-name run killed at any moment leaves its input as it was or fully translated, never
// anything between; the temporary a killed run leaves is removed by the next run.
#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <random>
#include <thread>

#include "tests/cli/cli_fixture.h"

namespace lorvan {
namespace {

bool HasTemporary(const std::string& folder) {
  for (const auto& entry : std::filesystem::directory_iterator(folder))
    if (entry.path().filename().string().starts_with(".lorvan-")) return true;
  return false;
}

// Starts the program on folder/name with the same-name option.
pid_t StartSameNameRun(const std::string& folder, const std::string& name) {
  pid_t pid = ::fork();
  if (pid == 0) {
    ::execl(kCli.c_str(), kCli.c_str(), "-q", "-s", "-d", kDictionary.c_str(), "-C", folder.c_str(),
            name.c_str(), static_cast<char*>(nullptr));
    ::_exit(127);
  }
  return pid;
}

// Sends signal after delay and returns the exit status (128 + signal when killed by it).
int StopAfter(pid_t pid, std::chrono::microseconds delay, int signal) {
  std::this_thread::sleep_for(delay);
  ::kill(pid, signal);
  int status = 0;
  ::waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

class CrashTest : public CliTest {
 protected:
  void SetUp() override {
    std::string unit = "Hleb i voz, da li je reka?\r\nNjujork, hiljada uslov.\r\n";
    std::size_t size = kSanitized ? std::size_t{2} << 20 : std::size_t{8} << 20;
    while (original_.size() < size) original_ += unit;
    Put("tekst.txt", original_);
    Put("mali.txt", "hleb");
    auto start = std::chrono::steady_clock::now();
    ASSERT_EQ(Run("-q -s tekst.txt").exit_code, 0);
    run_time_ = std::chrono::duration_cast<std::chrono::microseconds>(
        std::chrono::steady_clock::now() - start);
    translation_ = Get("tekst.txt");
    ASSERT_NE(translation_, original_);
  }

  std::string original_, translation_;
  std::chrono::microseconds run_time_{};
};

// Killed at random moments (every other one in the run's last fifth, where it writes the
// result), then stopped by Ctrl-C at a third and let finish: the input is the original or the
// translation, and only a killed run may leave a temporary, which the next run removes.
TEST_F(CrashTest, AStoppedRunLeavesTheOriginalOrTheTranslation) {
  std::mt19937 random(2026);
  for (int trial = 0; trial < 6; ++trial) {
    Put("tekst.txt", original_);
    std::uniform_real_distribution<double> moment(trial % 2 == 0 ? 0.0 : 0.8, 1.1);
    auto delay = std::chrono::microseconds(static_cast<long>(moment(random) * run_time_.count()));
    StopAfter(StartSameNameRun(dir_.path(), "tekst.txt"), delay, SIGKILL);
    const std::string left = Get("tekst.txt");
    ASSERT_TRUE(left == original_ || left == translation_) << "trial " << trial;
    if (HasTemporary(dir_.path())) {
      EXPECT_EQ(Run("-q mali.txt").exit_code, 0);
    }
    EXPECT_FALSE(HasTemporary(dir_.path())) << "trial " << trial;
  }
  Put("tekst.txt", original_);
  EXPECT_EQ(StopAfter(StartSameNameRun(dir_.path(), "tekst.txt"), run_time_ / 3, SIGINT), 130);
  EXPECT_TRUE(Get("tekst.txt") == original_);
  EXPECT_FALSE(HasTemporary(dir_.path()));
  EXPECT_EQ(Run("-q -s tekst.txt").exit_code, 0);
  EXPECT_TRUE(Get("tekst.txt") == translation_);
  EXPECT_FALSE(HasTemporary(dir_.path()));
}

}  // namespace
}  // namespace lorvan
