#include "bridge/script_queue.h"

#include <utility>

namespace qvx {

namespace {

constexpr std::size_t kSpareBatches = 2;

}  // namespace

ScriptQueue::ScriptQueue(Limits limits) : limits_(limits) {}

bool ScriptQueue::hasRoomFor(std::size_t bytes) const {
  const std::size_t scripts = waitingScripts_ + evaluatingScripts_;
  if (scripts == 0) return true;
  return scripts < limits_.scripts && waitingBytes_ + evaluatingBytes_ + bytes <= limits_.bytes;
}

// With the lock held: something waits and no delivery is arranged yet.
bool ScriptQueue::askForDelivery() {
  if (deliveryArranged_ || waiting_.empty() || batchesInFlight_ >= limits_.batchesInFlight) return false;
  deliveryArranged_ = true;
  return true;
}

// With the lock held. Oversized buffers (a huge line's) are let go.
void ScriptQueue::reuse(ScriptBatch&& batch) {
  if (spare_.size() >= kSpareBatches || batch.text.capacity() > 2 * limits_.batchBytes) return;
  batch.clear();
  spare_.push_back(std::move(batch));
}

// With the lock held: the script joins the last waiting batch, or starts the
// next one when that batch is full.
void ScriptQueue::append(std::string_view script, std::size_t bytes) {
  const bool full = waiting_.empty() || waiting_.back().size() >= limits_.batchScripts ||
                    waiting_.back().text.size() + bytes > limits_.batchBytes;
  if (full) {
    if (spare_.empty()) {
      waiting_.emplace_back();
    } else {
      waiting_.push_back(std::move(spare_.back()));
      spare_.pop_back();
    }
  }
  waiting_.back().append(script);
  ++waitingScripts_;
  waitingBytes_ += bytes;
}

bool ScriptQueue::push(std::string_view script, bool mayWait) {
  const std::size_t bytes = script.size() + 1;  // with its line feed
  std::unique_lock lock(mutex_);
  if (mayWait) roomMade_.wait(lock, [&] { return hasRoomFor(bytes); });
  append(script, bytes);
  return askForDelivery();
}

std::size_t ScriptQueue::push(const ScriptBatch& scripts, std::size_t from, bool mayWait, bool& deliver) {
  deliver = false;
  if (from >= scripts.size()) return scripts.size();
  std::unique_lock lock(mutex_);
  if (mayWait) roomMade_.wait(lock, [&] { return hasRoomFor(scripts.script(from).size() + 1); });
  std::size_t next = from;
  do {
    const std::string_view script = scripts.script(next);
    append(script, script.size() + 1);
    ++next;
  } while (next < scripts.size() && (!mayWait || hasRoomFor(scripts.script(next).size() + 1)));
  deliver = askForDelivery();
  return next;
}

bool ScriptQueue::take(ScriptBatch& batch) {
  std::lock_guard lock(mutex_);
  if (waiting_.empty() || batchesInFlight_ >= limits_.batchesInFlight) {
    deliveryArranged_ = false;
    return false;
  }
  std::swap(batch, waiting_.front());
  reuse(std::move(waiting_.front()));
  waiting_.pop_front();
  waitingScripts_ -= batch.size();
  waitingBytes_ -= batch.text.size();
  evaluatingScripts_ += batch.size();
  evaluatingBytes_ += batch.text.size();
  ++batchesInFlight_;
  return true;
}

bool ScriptQueue::finished(std::size_t scripts, std::size_t bytes) {
  bool deliver = false;
  {
    std::lock_guard lock(mutex_);
    evaluatingScripts_ -= scripts;
    evaluatingBytes_ -= bytes;
    --batchesInFlight_;
    deliver = askForDelivery();
  }
  roomMade_.notify_all();
  return deliver;
}

void ScriptQueue::dropWaiting() {
  {
    std::lock_guard lock(mutex_);
    for (auto& batch : waiting_) reuse(std::move(batch));
    waiting_.clear();
    waitingScripts_ = 0;
    waitingBytes_ = 0;
    deliveryArranged_ = false;
  }
  roomMade_.notify_all();
}

std::size_t ScriptQueue::size() const {
  std::lock_guard lock(mutex_);
  return waitingScripts_ + evaluatingScripts_;
}

}  // namespace qvx
