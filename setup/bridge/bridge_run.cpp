// The page's messages and the run of the installer engine.
#include <sys/stat.h>

#include <type_traits>

#include "bridge/bridge.h"
#include "bridge/launch_plan.h"
#include "bridge/line_splitter.h"
#include "bridge/own_log_file.h"
#include "bridge/page_message.h"
#include "utf8/utf8.h"

namespace qvx {

namespace {

constexpr const char* kResourcesMissing = "Installer resources missing.";
constexpr const char* kEngineMissing = "Installer engine missing.";
constexpr const char* kLaunchFailed = "Could not start the installer.";
// The page shows its own wording of this, in the person's language.
constexpr const char* kLogUnavailable = "The setup log isn't available.";
constexpr const char* kDidNotFinish = "Setup didn't finish. Tap 'Show details' or contact QVX Admin in Slack.";

// Any file system object, following symbolic links.
bool somethingExistsAt(const std::filesystem::path& path) {
  struct stat info;
  return ::stat(path.c_str(), &info) == 0;
}

}  // namespace

void Bridge::userContentControllerDidReceiveScriptMessage(std::string_view body) {
  std::visit(
      [this](auto&& message) {
        using Message = std::decay_t<decltype(message)>;
        if constexpr (std::is_same_v<Message, InstallMessage>) {
          finished.store(false);
          runEngine(message.office, message.name, message.code);
        } else if constexpr (std::is_same_v<Message, ShowLogMessage>) {
          // Anyone can put a file or a link at the log's name in /tmp first:
          // only our own log is opened.
          if (isOwnRegularFile(logPath)) {
            platform_->openWithDefaultApplication(logPath);
          } else {
            js("onLogUnavailable", kLogUnavailable);
          }
        } else if constexpr (std::is_same_v<Message, QuitMessage>) {
          platform_->terminateApplication();
        }
      },
      decodePageMessage(body));
}

void Bridge::runEngine(const std::string& office, const std::string& name, const std::string& code) {
  const auto resources = platform_->resourcesDirectory();
  if (!resources) {
    js("onError", kResourcesMissing);
    return;
  }
  const auto engine = enginePath(*resources);
  if (!somethingExistsAt(engine)) {
    js("onError", kEngineMissing);
    return;
  }

  auto plan = makeLaunchPlan(engine, platform_->environment(), office, name, code);
  auto process = std::make_shared<Process>();
  process->setExecutable(std::move(plan.executable));
  process->setArguments(std::move(plan.arguments));
  process->setEnvironment(std::move(plan.environment));
  proc = process;  // an earlier run's process keeps running

  // This run's output buffer belongs to its reader; both handlers refer to the
  // bridge weakly.
  std::weak_ptr<Bridge> weakSelf = weak_from_this();
  // Each chunk's page calls are queued together once the chunk is split, so
  // all of them are queued before the termination handler runs.
  process->setOutputHandler([weakSelf, splitter = LineSplitter(), gathered = ScriptBatch()](std::string_view chunk) mutable {
    if (chunk.empty()) return;  // end of output: an unfinished last line is never delivered
    const auto self = weakSelf.lock();
    splitter.append(chunk, [&](std::string_view line) {
      if (self && utf8::isValid(line)) self->gatherLine(line, gathered);
    });
    if (self) self->queueGathered(gathered);
  });
  auto runs = runsInProgress_;
  process->setTerminationHandler([weakSelf, runs](int status) {
    // The monitor has stopped reading and every complete line is queued.
    if (status != 0) {
      const auto self = weakSelf.lock();
      if (self && !self->finished.load()) self->js("onError", kDidNotFinish);
    }
    runs->fetch_sub(1);
  });

  runs->fetch_add(1);
  if (!process->launch()) {
    runs->fetch_sub(1);
    js("onError", kLaunchFailed);
  }
}

}  // namespace qvx
