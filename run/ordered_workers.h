// Work on a list done by a few threads ahead of the one thread that takes the results, in list
// order, as it gets to them.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

namespace lorvan {

// Runs work(index, thread, abandoned) for every index below count on `threads` threads (thread
// numbers them from 0), never starting an index `window` or more past the oldest one not yet
// taken, so that at most `window` results are held at once. Take hands the results over in
// index order. The destructor abandons what is left: it sets abandoned, which work should test
// now and then, and waits for the threads.
// REQUIRES: threads >= 1, window >= 1; work may run on any of the threads, never on two at once
// with the same thread number.
template <class Result>
class OrderedWorkers {
 public:
  OrderedWorkers(
      int threads, std::size_t window, std::size_t count,
      std::function<Result(std::size_t index, int thread, const std::atomic<bool>& abandoned)> work)
      : window_(window), work_(std::move(work)), results_(count) {
    for (int t = 0; t < threads; ++t) threads_.emplace_back([this, t] { Serve(t); });
  }
  ~OrderedWorkers() {
    abandoned_.store(true, std::memory_order_relaxed);
    {
      std::lock_guard<std::mutex> lock(mutex_);
      taken_ = results_.size();
    }
    room_.notify_all();
    for (std::thread& thread : threads_) thread.join();
  }
  OrderedWorkers(const OrderedWorkers&) = delete;
  OrderedWorkers& operator=(const OrderedWorkers&) = delete;

  // Waits up to patience for the result of the oldest index not taken yet; when it is there,
  // moves it to *result and returns true.
  bool Take(std::chrono::milliseconds patience, Result* result) {
    std::unique_lock<std::mutex> lock(mutex_);
    if (!done_.wait_for(lock, patience, [&] { return results_[taken_].has_value(); })) return false;
    *result = std::move(*results_[taken_]);
    results_[taken_].reset();
    ++taken_;
    lock.unlock();
    room_.notify_all();
    return true;
  }

 private:
  void Serve(int thread) {
    for (;;) {
      std::size_t index;
      {
        std::unique_lock<std::mutex> lock(mutex_);
        room_.wait(lock, [&] { return next_ >= results_.size() || next_ < taken_ + window_; });
        if (next_ >= results_.size() || abandoned_.load(std::memory_order_relaxed)) return;
        index = next_++;
      }
      Result result = work_(index, thread, abandoned_);
      {
        std::lock_guard<std::mutex> lock(mutex_);
        results_[index] = std::move(result);
      }
      done_.notify_all();
    }
  }

  const std::size_t window_;
  const std::function<Result(std::size_t, int, const std::atomic<bool>&)> work_;
  std::mutex mutex_;
  std::condition_variable room_;                // an index may start
  std::condition_variable done_;                // a result is in
  std::vector<std::optional<Result>> results_;  // guarded by mutex_
  std::size_t next_ = 0;                        // the next index to start; guarded by mutex_
  std::size_t taken_ = 0;                       // the oldest index not taken; guarded by mutex_
  std::atomic<bool> abandoned_{false};
  std::vector<std::thread> threads_;  // last: the threads start once the rest is set up
};

}  // namespace lorvan
