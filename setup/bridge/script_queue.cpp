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

// With the lock held: like hasRoomFor for many scripts, without the empty
// queue's exception (an oversized script among them goes the slow way, alone).
bool ScriptQueue::hasRoomForAll(std::size_t scripts, std::size_t bytes) const {
  return waitingScripts_ + evaluatingScripts_ + scripts <= limits_.scripts &&
         waitingBytes_ + evaluatingBytes_ + bytes <= limits_.bytes;
}

// With the lock held: the whole batch joins the last waiting batch when both
// fit in one, or becomes a waiting batch of its own, buffers and all.
void ScriptQueue::appendAll(ScriptBatch& scripts) {
  const std::size_t count = scripts.size();
  const std::size_t bytes = scripts.text.size();
  if (!waiting_.empty() && waiting_.back().size() + count <= limits_.batchScripts &&
      waiting_.back().text.size() + bytes <= limits_.batchBytes) {
    waiting_.back().appendAll(scripts);
    scripts.clear();
  } else if (count <= limits_.batchScripts && bytes <= limits_.batchBytes) {
    waiting_.push_back(std::move(scripts));
    scripts = ScriptBatch();
    if (!spare_.empty()) {
      std::swap(scripts, spare_.back());
      spare_.pop_back();
    }
  } else {
    for (std::size_t i = 0; i < count; ++i) append(scripts.script(i), scripts.script(i).size() + 1);
    scripts.clear();
    return;
  }
  waitingScripts_ += count;
  waitingBytes_ += bytes;
}

bool ScriptQueue::push(ScriptBatch& scripts, bool mayWait) {
  if (scripts.empty()) return false;
  std::unique_lock lock(mutex_);
  if (mayWait) roomMade_.wait(lock, [&] { return hasRoomFor(scripts.script(0).size() + 1); });
  if (!mayWait || hasRoomForAll(scripts.size(), scripts.text.size())) {
    appendAll(scripts);
  } else {
    // As many as fit, one by one; the rest stay for the caller's next push.
    std::size_t count = 0;
    do {
      const std::string_view script = scripts.script(count);
      append(script, script.size() + 1);
      ++count;
    } while (count < scripts.size() && hasRoomFor(scripts.script(count).size() + 1));
    scripts.eraseFront(count);
  }
  return askForDelivery();
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
