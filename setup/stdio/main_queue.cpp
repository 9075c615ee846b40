#include "stdio/main_queue.h"

namespace qvx {

MainQueue::MainQueue(std::size_t limit) : limit_(limit == 0 ? 1 : limit), mainThread_(std::this_thread::get_id()) {}

void MainQueue::bindToCurrentThread() {
  std::lock_guard lock(mutex_);
  mainThread_ = std::this_thread::get_id();
}

void MainQueue::post(Task task) {
  std::unique_lock lock(mutex_);
  if (std::this_thread::get_id() != mainThread_) {
    while (tasks_.size() >= limit_) {
      ++postersWaiting_;
      spaceFreed_.wait(lock);
      --postersWaiting_;
    }
  }
  tasks_.push_back(std::move(task));
  if (mainWaiting_) tasksQueued_.notify_one();
}

bool MainQueue::tryTakeAll(std::vector<Task>& batch) {
  std::lock_guard lock(mutex_);
  if (tasks_.empty()) return false;
  batch.swap(tasks_);
  if (postersWaiting_ > 0) spaceFreed_.notify_all();
  return true;
}

bool MainQueue::waitTakeAll(std::vector<Task>& batch, std::optional<std::chrono::milliseconds> timeout) {
  std::unique_lock lock(mutex_);
  mainWaiting_ = true;
  const auto ready = [&] { return !tasks_.empty(); };
  if (timeout) {
    tasksQueued_.wait_for(lock, *timeout, ready);
  } else {
    tasksQueued_.wait(lock, ready);
  }
  mainWaiting_ = false;
  if (tasks_.empty()) return false;
  batch.swap(tasks_);
  if (postersWaiting_ > 0) spaceFreed_.notify_all();
  return true;
}

}  // namespace qvx
