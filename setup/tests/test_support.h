// Helpers shared by the setup tests: waiting for a condition, and a
// recording stand-in for the platform and the page. Temporary folders come
// from the shared test support.
#pragma once

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "bridge/platform.h"
#include "temp_dir.h"

namespace qvx::test {

// Waits up to `limit` for the condition; true if it became true. Guards the
// tests against hanging, it is not a speed check.
bool eventually(const std::function<bool()>& condition,
                std::chrono::milliseconds limit = std::chrono::milliseconds(20000));

using Scripts = std::vector<std::string>;

// The script the page is sent for a call of `function` with one JSON argument.
std::string pageCall(const std::string& function, const std::string& jsonArgument);

// What the page is told when a run ends without a final tag.
inline constexpr const char* kGenericError =
    R"(window.onError.apply(null, ["Setup didn't finish. Tap 'Show details' or contact QVX Admin in Slack."]);)";

// `text` with each slash written as "\/", as the page's calls carry paths.
std::string withEscapedSlashes(const std::string& text);

// Keeps every script it is sent in a record that outlives it, so a test can
// drop the page and still see what it had received.
class RecordingPage : public PageView {
 public:
  void evaluateJavaScript(const std::string& script) override { record->push_back(script); }
  std::shared_ptr<Scripts> record = std::make_shared<Scripts>();
};

// Tasks posted to the main queue wait until the test runs them with drain().
class RecordingPlatform : public Platform {
 public:
  void postToMain(Task task) override;
  std::optional<std::filesystem::path> resourcesDirectory() const override { return resources; }
  std::map<std::string, std::string> environment() const override { return env; }
  void openWithDefaultApplication(const std::string& path) override { opened.push_back(path); }
  void terminateApplication() override { ++terminations; }

  // Runs every queued task, in order, on the calling thread; returns how many.
  std::size_t drain();
  std::size_t queued();

  std::optional<std::filesystem::path> resources;
  std::map<std::string, std::string> env;
  std::vector<std::string> opened;
  int terminations = 0;

 private:
  std::mutex mutex_;
  std::vector<Task> tasks_;
};

}  // namespace qvx::test
