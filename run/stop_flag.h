// The request to end the running translation or dictionary load. Set by a STOP click, Esc or
// Ctrl-C; cleared when a run starts; tested before every file and every line.
#pragma once

#include <atomic>

namespace lorvan {

class StopFlag {
 public:
  void Set() { set_.store(true, std::memory_order_relaxed); }
  void Clear() { set_.store(false, std::memory_order_relaxed); }
  bool IsSet() const { return set_.load(std::memory_order_relaxed); }

 private:
  // Atomic so that a signal handler may set it.
  std::atomic<bool> set_{false};
};

}  // namespace lorvan
