// The engine output protocol and the page calls.
#include "bridge/bridge.h"

#include "bridge/engine_line.h"
#include "bridge/script_text.h"

namespace qvx {

std::shared_ptr<Bridge> Bridge::create(std::shared_ptr<Platform> platform) {
  return std::shared_ptr<Bridge>(new Bridge(std::move(platform)));
}

namespace {

// Batches handed to the page per turn of the main queue; then the delivery
// queues itself again behind the other tasks, so a flood of output cannot keep
// the main thread from page messages, input and drawing.
constexpr int kBatchesPerTurn = 4;

}  // namespace

Bridge::Bridge(std::shared_ptr<Platform> platform)
    : platform_(std::move(platform)),
      runsInProgress_(std::make_shared<std::atomic<int>>(0)),
      mainThread_(std::this_thread::get_id()) {}

Bridge::~Bridge() = default;

void Bridge::handleLine(std::string_view line) {
  const auto call = classifyEngineLine(line);
  if (!call) return;
  // Set before the page call is queued, so the exit rule of the run sees it.
  if (call->isFinal) finished.store(true);
  js(call->function, call->argument);
}

void Bridge::gatherLine(std::string_view line, ScriptBatch& gathered) {
  const auto call = classifyEngineLine(line);
  if (!call) return;
  if (call->isFinal) finished.store(true);  // before its page call is queued, as in handleLine
  // Queued first when this script would likely not fit the page's batch: a
  // gathered batch within those limits moves into the queue without a copy.
  constexpr std::size_t kCallBytes = 40;  // "window.onStep.apply(null, [" ... "]);\n"
  const auto& limits = scripts_.limits();
  if (gathered.size() >= limits.batchScripts ||
      gathered.text.size() + kCallBytes + call->argument.size() > limits.batchBytes) {
    queueGathered(gathered);
  }
  appendScriptText(gathered.text, call->function, call->argument);
  gathered.endScript();
}

void Bridge::queueGathered(ScriptBatch& gathered) {
  const bool mayWait = std::this_thread::get_id() != mainThread_;
  while (!gathered.empty()) {
    if (scripts_.push(gathered, mayWait)) arrangeDelivery();
  }
  // A huge line's buffer is not kept.
  if (gathered.text.capacity() > 2 * scripts_.limits().batchBytes) {
    gathered = ScriptBatch();
  } else {
    gathered.clear();
  }
}

void Bridge::js(std::string_view function, std::string_view argument) {
  // The main thread never waits: the page catches up only on that thread.
  const bool mayWait = std::this_thread::get_id() != mainThread_;
  thread_local std::string script;  // built in place, line after line, without allocating
  script.clear();
  appendScriptText(script, function, argument);
  const bool deliver = scripts_.push(script, mayWait);
  if (script.capacity() > (64u << 10)) std::string().swap(script);  // a huge line's buffer is not kept
  if (deliver) arrangeDelivery();
}

void Bridge::arrangeDelivery() {
  // The task keeps the bridge alive until it has run, but not the page.
  platform_->postToMain([self = shared_from_this()] { self->deliverScripts(); });
}

void Bridge::deliverScripts() {
  const auto page = web.lock();
  if (!page) {
    scripts_.dropWaiting();  // the page is gone: its scripts go with it
    return;
  }
  for (int turn = 0; turn < kBatchesPerTurn; ++turn) {
    if (!scripts_.take(batch_)) return;
    page->evaluateJavaScripts(batch_, [self = shared_from_this(), count = batch_.size(), bytes = batch_.text.size()] {
      if (self->scripts_.finished(count, bytes)) self->arrangeDelivery();
    });
  }
  arrangeDelivery();
}

int Bridge::runsInProgress() const { return runsInProgress_->load(); }

}  // namespace qvx
