// The page scripts on their way from the engine's reader to the page, in order
// and bounded. The bound counts the scripts that wait and those handed to the
// page whose evaluation has not finished, by number and by bytes. A producer
// that would pass it waits, so the reader stops reading the engine's pipe and
// the engine blocks in its writes until the page has caught up: nothing is
// dropped, and memory stays flat however much the engine writes.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <mutex>
#include <string_view>
#include <vector>

#include "bridge/script_batch.h"

namespace qvx {

class ScriptQueue {
 public:
  struct Limits {
    std::size_t scripts = 8192;           // waiting or being evaluated
    std::size_t bytes = 1u << 20;         // of those scripts' texts
    std::size_t batchScripts = 512;       // handed to the page at once
    std::size_t batchBytes = 32u << 10;   // one script larger than this goes alone
    std::size_t batchesInFlight = 2;      // handed over and not yet evaluated
  };

  explicit ScriptQueue(Limits limits);
  ScriptQueue() : ScriptQueue(Limits{}) {}
  ScriptQueue(const ScriptQueue&) = delete;
  ScriptQueue& operator=(const ScriptQueue&) = delete;

  // Any thread. Appends the script; with `mayWait`, first waits while the bound
  // is reached. The consumer's own thread must not wait (it would wait for
  // itself): its scripts pass the bound. A script larger than the byte bound
  // waits for an empty queue and then passes alone. Returns true when the
  // caller must arrange a delivery (a call of take on the consumer's thread):
  // none was arranged.
  bool push(std::string_view script, bool mayWait);

  // Any thread. The same for a batch of scripts under one lock: with
  // `mayWait`, waits until the first fits, then moves as many as the bound
  // admits, in order, out of `scripts` (which may come back holding other
  // buffers). The caller pushes again while `scripts` is not empty.
  bool push(ScriptBatch& scripts, bool mayWait);

  // The consumer's thread. Gives the oldest waiting scripts, within the batch
  // limits and at least one, in `batch` (whose buffers it keeps for reuse);
  // they count against the bound until finished(). Returns false, giving
  // nothing, when nothing waits or `batchesInFlight` batches are being
  // evaluated; the arranged delivery is then over, and a later push or
  // finished() asks for the next.
  bool take(ScriptBatch& batch);

  // The consumer's thread: the page has evaluated a batch that take() gave, of
  // that many scripts and bytes of text. Returns true when the caller must
  // arrange a delivery.
  bool finished(std::size_t scripts, std::size_t bytes);

  // The consumer's thread, in place of take(): drops every waiting script (the
  // page is gone), which ends the arranged delivery.
  void dropWaiting();

  // Scripts waiting or being evaluated.
  std::size_t size() const;

  const Limits& limits() const { return limits_; }

 private:
  bool hasRoomFor(std::size_t bytes) const;
  bool hasRoomForAll(std::size_t scripts, std::size_t bytes) const;
  void append(std::string_view script, std::size_t bytes);
  void appendAll(ScriptBatch& scripts);
  bool askForDelivery();
  void reuse(ScriptBatch&& batch);

  const Limits limits_;
  mutable std::mutex mutex_;
  std::condition_variable roomMade_;
  // Waiting scripts in batches to come; the last one is still being filled.
  std::deque<ScriptBatch> waiting_;
  std::vector<ScriptBatch> spare_;  // emptied buffers, so batches cost no allocation
  std::size_t waitingScripts_ = 0;
  std::size_t waitingBytes_ = 0;
  std::size_t evaluatingScripts_ = 0;
  std::size_t evaluatingBytes_ = 0;
  std::size_t batchesInFlight_ = 0;
  bool deliveryArranged_ = false;
};

}  // namespace qvx
