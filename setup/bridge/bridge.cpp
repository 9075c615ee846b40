// The engine output protocol and the page calls.
#include "bridge/bridge.h"

#include "bridge/engine_line.h"
#include "bridge/script_text.h"

namespace qvx {

std::shared_ptr<Bridge> Bridge::create(std::shared_ptr<Platform> platform) {
  return std::shared_ptr<Bridge>(new Bridge(std::move(platform)));
}

Bridge::Bridge(std::shared_ptr<Platform> platform)
    : platform_(std::move(platform)), runsInProgress_(std::make_shared<std::atomic<int>>(0)) {}

Bridge::~Bridge() = default;

void Bridge::handleLine(std::string_view line) {
  const auto call = classifyEngineLine(line);
  if (!call) return;
  // Set before the page call is queued, so the exit rule of the run sees it.
  if (call->isFinal) finished.store(true);
  js(call->function, call->argument);
}

void Bridge::js(std::string_view function, std::string_view argument) {
  // The task keeps the bridge alive until it has run, but not the page.
  platform_->postToMain([self = shared_from_this(), script = scriptText(function, argument)] {
    if (const auto page = self->web.lock()) page->evaluateJavaScript(script);
  });
}

int Bridge::runsInProgress() const { return runsInProgress_->load(); }

}  // namespace qvx
