// Holds a CUPS connection to its deadline. libcups asks pdehost whether to
// go on waiting only when the server has been quiet for a while, so a server
// that trickles a byte now and then keeps a request going for ever; the
// watchdog, a thread of its own, shuts the connection's socket down once the
// deadline has passed, and the request then fails at its next read.
#pragma once

#include <cups/http.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace pdehost {

class RequestWatchdog {
 public:
  using Clock = std::chrono::steady_clock;

  explicit RequestWatchdog(http_t* http);
  ~RequestWatchdog();
  RequestWatchdog(const RequestWatchdog&) = delete;
  RequestWatchdog& operator=(const RequestWatchdog&) = delete;

  // The request that starts now must end by `deadline`.
  void arm(Clock::time_point deadline);
  // The request ended; the connection may stay quiet as long as it likes.
  void disarm();
  // Whether the armed request ran past its deadline.
  bool expired() const { return expired_.load(); }
  // Marks the request as timed out (libcups' own wait found it late).
  void markExpired() { expired_.store(true); }

 private:
  void watch();
  http_t* http_;
  std::mutex mutex_;
  std::condition_variable changed_;
  bool armed_ = false;
  bool stopping_ = false;
  Clock::time_point deadline_{};
  std::atomic<bool> expired_{false};
  std::thread thread_;
};

}  // namespace pdehost
