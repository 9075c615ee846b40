#include "test_support.h"

#include <cstdlib>
#include <sstream>

namespace qvx::test {

TempDir::TempDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "qvx-test-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  path_ = pattern;
}

TempDir::~TempDir() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

std::filesystem::path TempDir::write(const std::filesystem::path& relative, const std::string& text) const {
  const auto file = path_ / relative;
  std::filesystem::create_directories(file.parent_path());
  std::ofstream(file, std::ios::binary) << text;
  return file;
}

bool eventually(const std::function<bool()>& condition, std::chrono::milliseconds limit) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  while (!condition()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  return true;
}

std::string readFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
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

std::size_t RecordingPlatform::queued() {
  std::lock_guard lock(mutex_);
  return tasks_.size();
}

}  // namespace qvx::test
