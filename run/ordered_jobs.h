// Jobs handed in one after another, done by a few threads, their results taken back in the
// order the jobs came: for work whose length is not known in advance, such as a stream.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

namespace lorvan {

// Runs work(job, thread) for every job added, on `threads` threads (thread numbers them from
// 0). The destructor drops the jobs not started and waits for those running.
// REQUIRES: threads >= 1; work may run on any of the threads, never on two at once with the same
// thread number.
template <class Job, class Result>
class OrderedJobs {
 public:
  OrderedJobs(int threads, std::function<Result(Job& job, int thread)> work)
      : work_(std::move(work)) {
    for (int t = 0; t < threads; ++t) threads_.emplace_back([this, t] { Serve(t); });
  }
  ~OrderedJobs() {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      closing_ = true;
    }
    added_.notify_all();
    for (std::thread& thread : threads_) thread.join();
  }
  OrderedJobs(const OrderedJobs&) = delete;
  OrderedJobs& operator=(const OrderedJobs&) = delete;

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

  // Waits for the result of the oldest job not taken yet and hands it over.
  // REQUIRES: waiting() > 0.
  Result Take() {
    std::unique_lock<std::mutex> lock(mutex_);
    done_.wait(lock, [&] { return entries_.front().result.has_value(); });
    Result result = std::move(*entries_.front().result);
    entries_.pop_front();
    ++first_;
    --started_;
    return result;
  }

 private:
  struct Entry {
    Job job;
    std::optional<Result> result;
  };

  void Serve(int thread) {
    for (;;) {
      std::size_t index;
      Job job;
      {
        std::unique_lock<std::mutex> lock(mutex_);
        added_.wait(lock, [&] { return closing_ || started_ < entries_.size(); });
        if (closing_) return;
        index = first_ + started_++;
        job = std::move(entries_[index - first_].job);
      }
      Result result = work_(job, thread);
      {
        std::lock_guard<std::mutex> lock(mutex_);
        // The entry stays until its result is taken; a deque keeps it in place meanwhile.
        entries_[index - first_].result = std::move(result);
      }
      done_.notify_all();
    }
  }

  const std::function<Result(Job&, int)> work_;
  mutable std::mutex mutex_;
  std::condition_variable added_;     // a job may start
  std::condition_variable done_;      // a result is in
  std::deque<Entry> entries_;         // not taken yet, oldest first; guarded by mutex_
  std::size_t first_ = 0;             // the number of the oldest entry; guarded by mutex_
  std::size_t started_ = 0;           // of the entries, those started; guarded by mutex_
  bool closing_ = false;              // guarded by mutex_
  std::vector<std::thread> threads_;  // last: the threads start once the rest is set up
};

}  // namespace lorvan
