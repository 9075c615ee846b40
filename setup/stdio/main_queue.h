// The main queue of the terminal front end: a serial first-in first-out queue
// of tasks run by the main thread in batches.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

namespace qvx {

class MainQueue {
 public:
  using Task = std::function<void()>;

  // Threads other than the main one wait while `limit` tasks are queued, so a
  // fast engine cannot make the queue grow without bound while the main thread
  // writes; the main thread itself never waits here.
  explicit MainQueue(std::size_t limit = 8192);

  // Makes the calling thread the main thread.
  void bindToCurrentThread();

  void post(Task task);

  // Moves every queued task into `batch` (which must be empty); false if none.
  bool tryTakeAll(std::vector<Task>& batch);

  // Like tryTakeAll, but first waits for a task, at most `timeout` if given.
  bool waitTakeAll(std::vector<Task>& batch, std::optional<std::chrono::milliseconds> timeout);

 private:
  std::size_t limit_;
  std::thread::id mainThread_;
  std::mutex mutex_;
  std::condition_variable tasksQueued_;
  std::condition_variable spaceFreed_;
  std::vector<Task> tasks_;
  bool mainWaiting_ = false;
  std::size_t postersWaiting_ = 0;
};

}  // namespace qvx
