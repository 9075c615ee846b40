#include "stdio/stdio_front_end.h"

#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <thread>

#include "bridge/bridge.h"
#include "bridge/line_splitter.h"
#include "bundle/bundle_resources.h"
#include "process/environment.h"
#include "process/process.h"
#include "stdio/main_queue.h"

extern char** environ;

namespace qvx {

namespace {

// Scripts are gathered and written in large blocks; the main loop flushes
// whenever its queue runs dry, so no script waits longer than that.
class StdoutPage : public PageView {
 public:
  static constexpr std::size_t kBlock = 64 * 1024;

  StdoutPage() { buffer_.reserve(2 * kBlock); }

  void evaluateJavaScript(const std::string& script) override {
    buffer_ += script;
    buffer_ += '\n';
    if (buffer_.size() >= kBlock) flush();
  }

  // A batch's text is already one script per line.
  void evaluateJavaScripts(const ScriptBatch& scripts, std::function<void()> evaluated) override {
    if (buffer_.size() + scripts.text.size() >= kBlock) {
      flush();
      write(scripts.text);
    } else {
      buffer_ += scripts.text;
    }
    evaluated();
  }

  void flush() {
    write(buffer_);
    buffer_.clear();
  }

  // Why scripts were lost (the first write that failed), or 0.
  int writeError() const { return writeError_; }

 private:
  void write(std::string_view text) {
    const char* data = text.data();
    std::size_t left = text.size();
    while (left > 0 && writeError_ == 0) {
      const ssize_t n = ::write(STDOUT_FILENO, data, left);
      if (n < 0 && errno == EINTR) continue;
      // A full disk, a file-size limit or a reader that went away: the rest
      // is dropped so that the engines still run to their end, and the
      // program's exit status says that the page lost scripts.
      if (n <= 0) {
        writeError_ = n < 0 ? errno : EIO;
        break;
      }
      data += n;
      left -= static_cast<std::size_t>(n);
    }
  }

  std::string buffer_;
  int writeError_ = 0;
};

// The exit code once the page's scripts are all written or lost.
int outputStatus(const StdoutPage& page) {
  if (page.writeError() == 0) return 0;
  std::fprintf(stderr, "Onboarder: the page's scripts could not all be written to standard output: %s\n",
               std::strerror(page.writeError()));
  return kExitOutputLost;
}

class StdioPlatform : public Platform {
 public:
  explicit StdioPlatform(std::optional<std::filesystem::path> resources) : resources_(std::move(resources)) {}

  MainQueue& queue() { return queue_; }
  bool terminationRequested() const { return terminate_; }

  void postToMain(Task task) override { queue_.post(std::move(task)); }

  std::optional<std::filesystem::path> resourcesDirectory() const override { return resources_; }

  std::map<std::string, std::string> environment() const override { return environmentFromEntries(environ); }

  // There is no desktop behind a terminal as a rule; where xdg-open exists it
  // is asked, and whatever it does is not observed.
  void openWithDefaultApplication(const std::string& path) override {
    static constexpr const char* kOpener = "/usr/bin/xdg-open";
    if (::access(kOpener, X_OK) != 0) return;
    Process opener;
    opener.setExecutable(kOpener);
    opener.setArguments({path});
    opener.setEnvironment(environment());
    opener.launch();
  }

  void terminateApplication() override { terminate_ = true; }

 private:
  std::optional<std::filesystem::path> resources_;
  MainQueue queue_;
  bool terminate_ = false;  // main thread only
};

// Keeps the message stream away from the engines: the messages are read from
// a private copy of standard input, and descriptor 0 becomes the null device,
// which every engine inherits.
int takeMessageStream() {
  const int messages = ::fcntl(STDIN_FILENO, F_DUPFD_CLOEXEC, 3);
  const int null = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
  if (null >= 0) {
    ::dup2(null, STDIN_FILENO);
    ::close(null);
  }
  return messages;
}

// Reads messages on a thread of its own and queues each line for the main
// thread; then queues `atEnd`.
void readMessages(int fd, std::shared_ptr<StdioPlatform> platform, std::shared_ptr<Bridge> bridge,
                  MainQueue::Task atEnd) {
  LineSplitter splitter;
  const auto post = [&](std::string_view line) {
    platform->postToMain(
        [bridge, body = std::string(line)] { bridge->userContentControllerDidReceiveScriptMessage(body); });
  };
  std::string buffer(64 * 1024, '\0');
  while (fd >= 0) {
    const ssize_t n = ::read(fd, buffer.data(), buffer.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    splitter.append(std::string_view(buffer.data(), static_cast<std::size_t>(n)), post);
  }
  if (splitter.pendingBytes() > 0) splitter.append("\n", post);  // a last line without its line feed
  if (fd >= 0) ::close(fd);
  platform->postToMain(std::move(atEnd));
}

}  // namespace

int runStdioFrontEnd(const std::function<void()>& terminationStep) {
  const int messages = takeMessageStream();
  auto platform = std::make_shared<StdioPlatform>(findResourcesDirectory());
  platform->queue().bindToCurrentThread();
  auto page = std::make_shared<StdoutPage>();
  auto bridge = Bridge::create(platform);
  bridge->web = page;

  bool inputEnded = false;
  std::thread reader(readMessages, messages, platform, bridge, [&inputEnded] { inputEnded = true; });

  std::vector<MainQueue::Task> batch;
  while (true) {
    if (!platform->queue().tryTakeAll(batch)) {
      page->flush();
      if (inputEnded && bridge->runsInProgress() == 0) {
        // Every run has queued its last script before it stopped counting.
        if (!platform->queue().tryTakeAll(batch)) break;
      } else if (inputEnded) {
        platform->queue().waitTakeAll(batch, std::chrono::milliseconds(10));
      } else {
        platform->queue().waitTakeAll(batch, std::nullopt);
      }
    }
    for (auto& task : batch) {
      task();
      if (platform->terminationRequested()) {
        // "quit": at once, without waiting for engines or for more input.
        // The message reader is let go, not joined: it may be blocked in a read.
        page->flush();
        const int status = outputStatus(*page);
        if (terminationStep) terminationStep();
        reader.detach();
        ::_exit(status);
      }
    }
    batch.clear();
  }
  page->flush();
  reader.join();
  const int status = outputStatus(*page);
  if (terminationStep) terminationStep();
  return status;
}

}  // namespace qvx
