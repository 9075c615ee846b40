#include "test_support.h"

namespace qvx::test {

bool eventually(const std::function<bool()>& condition, std::chrono::milliseconds limit) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  while (!condition()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  return true;
}

void RecordingPlatform::postToMain(Task task) {
  std::lock_guard lock(mutex_);
  tasks_.push_back(std::move(task));
}

std::size_t RecordingPlatform::drain() {
  std::size_t count = 0;
  while (true) {
    std::vector<Task> batch;
    {
      std::lock_guard lock(mutex_);
      batch.swap(tasks_);
    }
    if (batch.empty()) return count;
    for (auto& task : batch) task();
    count += batch.size();
  }
}

std::string pageCall(const std::string& function, const std::string& jsonArgument) {
  return "window." + function + ".apply(null, [" + jsonArgument + "]);";
}

std::string withEscapedSlashes(const std::string& text) {
  std::string escaped;
  for (char c : text) {
    if (c == '/') escaped += '\\';
    escaped += c;
  }
  return escaped;
}

std::size_t RecordingPlatform::queued() {
  std::lock_guard lock(mutex_);
  return tasks_.size();
}

}  // namespace qvx::test
