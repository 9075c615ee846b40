// The native end of the setup page's "qvx" message channel and the runner of
// the installer engine.
#pragma once

#include <atomic>
#include <memory>
#include <string>
#include <string_view>
#include <thread>

#include "bridge/platform.h"
#include "bridge/script_queue.h"
#include "process/process.h"

namespace qvx {

// The installer log that "showlog" opens. Nothing in this program writes it.
inline constexpr const char* kLogPath = "/tmp/qvx-onboarder.log";

class Bridge : public std::enable_shared_from_this<Bridge> {
 public:
  // Always held by a std::shared_ptr: queued page scripts and engine runs
  // refer back to it. The thread that creates it is its main thread.
  static std::shared_ptr<Bridge> create(std::shared_ptr<Platform> platform);

  Bridge(const Bridge&) = delete;
  Bridge& operator=(const Bridge&) = delete;
  ~Bridge();

  // The page view. Set and read on the main thread; never kept alive by us.
  std::weak_ptr<PageView> web;
  // The engine process of the latest run.
  std::shared_ptr<Process> proc;
  // True once the current run's engine reported a final outcome. Written by
  // the output reader, read by the termination handling, reset by "install".
  std::atomic<bool> finished{false};
  // The log that "showlog" opens: kLogPath, another file only in tests.
  std::string logPath = kLogPath;

  // One line of engine output, without its line feed, valid UTF-8.
  // Called on the output reader's thread.
  void handleLine(std::string_view line);

  // The output reader's way to handleLine, on its thread: a chunk's page
  // calls are gathered in `gathered` and queued together, one lock and at
  // most one wake-up of the main thread per batch rather than per line.
  // queueGathered must follow before the reader reports anything else (the
  // end of the run), so that the page calls keep the order of the lines.
  void gatherLine(std::string_view line, ScriptBatch& gathered);
  void queueGathered(ScriptBatch& gathered);

  // Builds the call of the page function `function` with the one string
  // argument on the calling thread and queues its evaluation on the main thread.
  // Off the main thread it first waits while the page is behind by the bound
  // of the script queue.
  void js(std::string_view function, std::string_view argument);

  // The message entry of the page's channel: `body` is the posted value as
  // JSON text. Called on the main thread.
  void userContentControllerDidReceiveScriptMessage(std::string_view body);

  // Starts the installer engine with the page's three values. Main thread.
  void runEngine(const std::string& office, const std::string& name, const std::string& code);

  // Engine runs launched whose termination handling has not yet completed
  // (lets a front end wait for every run it started before it exits).
  int runsInProgress() const;

  // Scripts queued for the page and not yet evaluated there.
  std::size_t scriptsPending() const { return scripts_.size(); }

 private:
  explicit Bridge(std::shared_ptr<Platform> platform);

  // Main thread: hands the waiting scripts to the page in batches.
  void deliverScripts();
  void arrangeDelivery();

  std::shared_ptr<Platform> platform_;
  std::shared_ptr<std::atomic<int>> runsInProgress_;
  const std::thread::id mainThread_;
  ScriptQueue scripts_;
  ScriptBatch batch_;  // main thread: the batch being handed over, its buffers reused
};

}  // namespace qvx
