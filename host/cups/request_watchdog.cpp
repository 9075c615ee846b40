#include "cups/request_watchdog.h"

#include <sys/socket.h>
#include <sys/stat.h>

namespace pdehost {

RequestWatchdog::RequestWatchdog(http_t* http) : http_(http), thread_([this] { watch(); }) {}

RequestWatchdog::~RequestWatchdog() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  changed_.notify_all();
  thread_.join();
}

void RequestWatchdog::arm(Clock::time_point deadline) {
  {
    std::lock_guard lock(mutex_);
    armed_ = true;
    deadline_ = deadline;
    expired_.store(false);
  }
  changed_.notify_all();
}

void RequestWatchdog::disarm() {
  {
    std::lock_guard lock(mutex_);
    armed_ = false;
  }
  changed_.notify_all();
}

void RequestWatchdog::watch() {
  std::unique_lock lock(mutex_);
  while (!stopping_) {
    if (!armed_) {
      changed_.wait(lock);
      continue;
    }
    if (Clock::now() < deadline_) {
      changed_.wait_until(lock, deadline_);
      continue;
    }
    expired_.store(true);
    // libcups may open a new connection after the first one fails, so the
    // current socket is shut down again until the request gives up. Only a
    // socket is touched: never a descriptor that is something else by now.
    const int fd = httpGetFd(http_);
    struct stat info {};
    if (fd >= 0 && ::fstat(fd, &info) == 0 && S_ISSOCK(info.st_mode)) ::shutdown(fd, SHUT_RDWR);
    changed_.wait_for(lock, std::chrono::milliseconds(100));
  }
}

}  // namespace pdehost
