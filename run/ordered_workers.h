// Work done by a few threads ahead of the one thread that takes the results, in the order the
// jobs were added, as it gets to them. The taking thread adds jobs as it goes, so the number of
// jobs need not be known in advance (a stream), and it decides how far the threads run ahead.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

namespace lorvan {

// Runs work(job, thread, abandoned) for every job added, on `threads` threads (thread numbers
// them from 0). The destructor abandons what is left: it drops the jobs not started, sets
// abandoned, which work should test now and then, and waits for the threads.
// REQUIRES: threads >= 1; work may run on any of the threads, never on two at once with the same
// thread number.
template <class Job, class Result>
class OrderedWorkers {
 public:
  using Work = std::function<Result(Job& job, int thread, const std::atomic<bool>& abandoned)>;

  OrderedWorkers(int threads, Work work) : work_(std::move(work)) {
    for (int t = 0; t < threads; ++t) threads_.emplace_back([this, t] { Serve(t); });
  }
  ~OrderedWorkers() {
    abandoned_.store(true, std::memory_order_relaxed);
    {
      std::lock_guard<std::mutex> lock(mutex_);
      closing_ = true;
    }
    added_.notify_all();
    for (std::thread& thread : threads_) thread.join();
  }
  OrderedWorkers(const OrderedWorkers&) = delete;
  OrderedWorkers& operator=(const OrderedWorkers&) = delete;

  void Add(Job job) {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      entries_.push_back({std::move(job), std::nullopt});
    }
    added_.notify_one();
  }

  // Jobs added and not taken yet.
  std::size_t waiting() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return entries_.size();
  }

  // Waits up to patience for the result of the oldest job not taken yet; when it is there,
  // moves it to *result and returns true. REQUIRES: waiting() > 0.
  bool Take(std::chrono::milliseconds patience, Result* result) {
    std::unique_lock<std::mutex> lock(mutex_);
    if (!done_.wait_for(lock, patience, [&] { return entries_.front().result.has_value(); }))
      return false;
    *result = TakeOldest();
    return true;
  }
  // Take, waiting as long as it takes.
  Result Take() {
    std::unique_lock<std::mutex> lock(mutex_);
    done_.wait(lock, [&] { return entries_.front().result.has_value(); });
    return TakeOldest();
  }

 private:
  struct Entry {
    Job job;
    std::optional<Result> result;
  };

  // REQUIRES: mutex_ is held; the oldest entry's result is in.
  Result TakeOldest() {
    Result result = std::move(*entries_.front().result);
    entries_.pop_front();
    --started_;
    return result;
  }

  void Serve(int thread) {
    for (;;) {
      Entry* entry;
      Job job;
      {
        std::unique_lock<std::mutex> lock(mutex_);
        added_.wait(lock, [&] { return closing_ || started_ < entries_.size(); });
        if (closing_) return;
        entry = &entries_[started_++];
        job = std::move(entry->job);
      }
      Result result = work_(job, thread, abandoned_);
      {
        std::lock_guard<std::mutex> lock(mutex_);
        // The entry stays until its result is taken, and in place: a deque moves no element
        // when others are added at its back or taken from its front.
        entry->result = std::move(result);
      }
      done_.notify_all();
    }
  }

  const Work work_;
  mutable std::mutex mutex_;
  std::condition_variable added_;  // a job may start
  std::condition_variable done_;   // a result is in
  std::deque<Entry> entries_;      // not taken yet, oldest first; guarded by mutex_
  std::size_t started_ = 0;        // of the entries, the first ones, started; guarded by mutex_
  bool closing_ = false;           // guarded by mutex_
  std::atomic<bool> abandoned_{false};
  std::vector<std::thread> threads_;  // last: the threads start once the rest is set up
};

}  // namespace lorvan
