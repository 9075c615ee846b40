// The seams between the bridge and whatever hosts it: the page it talks to and
// the few application services it needs. The window program implements them
// with GTK, WebKitGTK and GIO; the terminal front end and the tests without.
#pragma once

#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <string>

#include "bridge/script_batch.h"

namespace qvx {

// The setup page. Only ever called on the main thread.
class PageView {
 public:
  virtual ~PageView() = default;
  // Runs the script in the page; its outcome is never observed.
  virtual void evaluateJavaScript(const std::string& script) = 0;
  // Runs the scripts in order, each on its own: one that throws does not keep
  // the next from running. Calls `evaluated` on the main thread once all have
  // run, possibly before returning. This one runs each with evaluateJavaScript.
  virtual void evaluateJavaScripts(const ScriptBatch& scripts, std::function<void()> evaluated) {
    for (std::size_t i = 0; i < scripts.size(); ++i) evaluateJavaScript(std::string(scripts.script(i)));
    evaluated();
  }
};

class Platform {
 public:
  using Task = std::function<void()>;

  virtual ~Platform() = default;

  // Queues the task to run on the main thread, asynchronously. The main queue is
  // serial and first-in first-out. May be called from any thread.
  virtual void postToMain(Task task) = 0;

  // The application's resources directory, or none.
  virtual std::optional<std::filesystem::path> resourcesDirectory() const = 0;

  // The program's own environment.
  virtual std::map<std::string, std::string> environment() const = 0;

  // Opens the file with the user's default application; failures are silent.
  virtual void openWithDefaultApplication(const std::string& path) = 0;

  // Begins the orderly termination of the application.
  virtual void terminateApplication() = 0;
};

}  // namespace qvx
