#include "process/process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/ioctl.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <condition_variable>
#include <cstring>
#include <mutex>
#include <system_error>
#include <thread>

namespace qvx {

namespace {

constexpr std::size_t kReadSize = 256 * 1024;
constexpr int kPipeCapacity = 1 << 20;

void closeFd(int& fd) {
  if (fd >= 0) {
    ::close(fd);
    fd = -1;
  }
}

// Moves a descriptor to 3 or above, so that a dup2 onto 0, 1 or 2 in the
// child can never be a no-op that keeps its close-on-exec flag.
int aboveStandardDescriptors(int fd) {
  if (fd > 2) return fd;
  const int moved = ::fcntl(fd, F_DUPFD_CLOEXEC, 3);
  ::close(fd);
  return moved;
}

// Through syscall: glibc 2.36's <sys/pidfd.h> declares pidfd_open without C
// linkage, so C++ cannot link against it.
int openPidfd(pid_t pid) { return static_cast<int>(::syscall(SYS_pidfd_open, pid, 0)); }

int decodeWaitStatus(int status) {
  if (WIFEXITED(status)) return WEXITSTATUS(status);
  if (WIFSIGNALED(status)) return WTERMSIG(status);
  return status;
}

// Reaps exactly this child; never any other.
int reap(pid_t pid) {
  int status = 0;
  while (::waitpid(pid, &status, 0) < 0) {
    if (errno != EINTR) return -1;
  }
  return decodeWaitStatus(status);
}

struct SpawnAttributes {
  posix_spawnattr_t attr;
  posix_spawn_file_actions_t actions;
  SpawnAttributes() {
    posix_spawnattr_init(&attr);
    posix_spawn_file_actions_init(&actions);
  }
  ~SpawnAttributes() {
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attr);
  }
};

}  // namespace

struct Process::Run {
  enum class Start { Waiting, Go, Cancel };

  OutputHandler output;
  TerminationHandler termination;
  pid_t pid = -1;
  int readFd = -1;  // the pipe's read end, or -1 without an output handler
  int pidfd = -1;   // readable once the child has exited
  std::atomic<bool> exited{false};
  std::atomic<int> status{0};

  std::mutex startMutex;
  std::condition_variable startChanged;
  Start start = Start::Waiting;

  ~Run() {
    closeFd(readFd);
    closeFd(pidfd);
  }

  void deliver(const char* data, std::size_t size) {
    if (output) output(std::string_view(data, size));
  }

  // Reads one chunk; false once the output has ended.
  bool readChunk(std::vector<char>& buffer) {
    const ssize_t n = ::read(readFd, buffer.data(), buffer.size());
    if (n > 0) {
      deliver(buffer.data(), static_cast<std::size_t>(n));
      return true;
    }
    if (n < 0 && (errno == EINTR || errno == EAGAIN)) return true;
    deliver(nullptr, 0);
    closeFd(readFd);
    return false;
  }

  // Reads what is in the pipe now, without waiting for its end: a grandchild
  // of the engine may hold the write end open long after the engine exited.
  void drain(std::vector<char>& buffer) {
    int available = 0;
    if (::ioctl(readFd, FIONREAD, &available) < 0) available = 0;
    auto left = static_cast<std::size_t>(available);
    while (left > 0 && readFd >= 0) {
      const ssize_t n = ::read(readFd, buffer.data(), std::min(left, buffer.size()));
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) break;
      deliver(buffer.data(), static_cast<std::size_t>(n));
      left -= static_cast<std::size_t>(n);
    }
  }

  bool waitForStart() {
    std::unique_lock lock(startMutex);
    startChanged.wait(lock, [&] { return start != Start::Waiting; });
    return start == Start::Go;
  }

  void release(Start how) {
    {
      std::lock_guard lock(startMutex);
      start = how;
    }
    startChanged.notify_one();
  }

  // The monitor thread: reads the output until the child exits, then drains
  // the pipe, reaps the child and calls the termination handler, in that order.
  void monitor() {
    if (!waitForStart()) return;
    std::vector<char> buffer(readFd >= 0 ? kReadSize : 0);
    while (true) {
      pollfd fds[2] = {{pidfd, POLLIN, 0}, {readFd, POLLIN, 0}};
      const nfds_t count = readFd >= 0 ? 2 : 1;
      if (::poll(fds, count, -1) < 0) {
        if (errno == EINTR) continue;
        break;  // cannot happen with valid descriptors; fall through to reaping
      }
      // The exit wins over more output, so that a grandchild that keeps
      // writing cannot hold the exit handling back; what the pipe holds at
      // that moment is still read before the termination handler runs.
      if (fds[0].revents) break;
      if (count == 2 && (fds[1].revents & (POLLIN | POLLHUP | POLLERR))) readChunk(buffer);
    }
    const int code = reap(pid);
    if (readFd >= 0) drain(buffer);
    closeFd(readFd);
    status.store(code);
    exited.store(true);
    if (termination) termination(code);
    // The handlers may hold what owns this run; let them go on this thread.
    output = nullptr;
    termination = nullptr;
  }
};

Process::Process() = default;
Process::~Process() = default;

void Process::setExecutable(std::string path) { executable_ = std::move(path); }
void Process::setArguments(std::vector<std::string> arguments) { arguments_ = std::move(arguments); }
void Process::setEnvironment(std::map<std::string, std::string> environment) { environment_ = std::move(environment); }
void Process::setOutputHandler(OutputHandler handler) { outputHandler_ = std::move(handler); }
void Process::setTerminationHandler(TerminationHandler handler) { terminationHandler_ = std::move(handler); }

bool Process::launch(std::string* error) {
  const auto fail = [&](const std::string& reason) {
    if (error) *error = reason;
    return false;
  };
  if (run_) return fail("already launched");

  std::vector<std::string> argStrings;
  argStrings.reserve(arguments_.size() + 1);
  argStrings.push_back(executable_);
  argStrings.insert(argStrings.end(), arguments_.begin(), arguments_.end());
  std::vector<char*> argv;
  for (auto& arg : argStrings) argv.push_back(arg.data());
  argv.push_back(nullptr);

  std::vector<std::string> envStrings;
  envStrings.reserve(environment_.size());
  for (const auto& [key, value] : environment_) envStrings.push_back(key + "=" + value);
  std::vector<char*> envp;
  for (auto& entry : envStrings) envp.push_back(entry.data());
  envp.push_back(nullptr);

  auto run = std::make_shared<Run>();
  run->output = outputHandler_;
  run->termination = terminationHandler_;

  int writeFd = -1;
  if (outputHandler_) {
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) < 0) return fail(std::strerror(errno));
    run->readFd = aboveStandardDescriptors(fds[0]);
    writeFd = aboveStandardDescriptors(fds[1]);
    if (run->readFd < 0 || writeFd < 0) {
      closeFd(writeFd);
      return fail("cannot create the output pipe");
    }
    ::fcntl(run->readFd, F_SETPIPE_SZ, kPipeCapacity);  // fewer wake-ups; a smaller pipe still works
  }

  // The monitor thread exists before the child does: if it cannot be made,
  // nothing is started and nothing is left unreaped.
  std::thread monitor;
  try {
    monitor = std::thread([run] { run->monitor(); });
  } catch (const std::system_error& e) {
    closeFd(writeFd);
    return fail(e.what());
  }

  SpawnAttributes spawn;
  sigset_t signals;
  sigemptyset(&signals);
  posix_spawnattr_setsigmask(&spawn.attr, &signals);
  // Every signal back to its default action. sigfillset leaves out the two
  // signals glibc keeps for itself, which posix_spawn would then leave ignored
  // in the child (and an exec keeps ignored signals ignored); all bits set
  // covers them too.
  std::memset(&signals, 0xff, sizeof signals);
  posix_spawnattr_setsigdefault(&spawn.attr, &signals);
  posix_spawnattr_setflags(&spawn.attr, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
  if (writeFd >= 0) {
    posix_spawn_file_actions_adddup2(&spawn.actions, writeFd, STDOUT_FILENO);
  } else {
    posix_spawn_file_actions_addopen(&spawn.actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  }
  posix_spawn_file_actions_addopen(&spawn.actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addclosefrom_np(&spawn.actions, 3);

  pid_t pid = -1;
  const int rc = ::posix_spawn(&pid, executable_.c_str(), &spawn.actions, &spawn.attr, argv.data(), envp.data());
  closeFd(writeFd);
  if (rc != 0) {
    run->release(Run::Start::Cancel);
    monitor.join();
    return fail(std::strerror(rc));
  }

  run->pid = pid;
  run->pidfd = openPidfd(pid);
  if (run->pidfd < 0) {
    // Only when out of descriptors: a child that cannot be watched is not
    // left running unwatched.
    const int reason = errno;
    ::kill(pid, SIGKILL);
    reap(pid);
    run->release(Run::Start::Cancel);
    monitor.join();
    return fail(std::string("cannot watch the child: ") + std::strerror(reason));
  }
  run_ = run;
  run->release(Run::Start::Go);
  monitor.detach();
  return true;
}

bool Process::isLaunched() const { return run_ != nullptr; }
pid_t Process::processIdentifier() const { return run_ ? run_->pid : -1; }
bool Process::hasExited() const { return run_ && run_->exited.load(); }
int Process::terminationStatus() const { return run_ && run_->exited.load() ? run_->status.load() : 0; }

}  // namespace qvx
