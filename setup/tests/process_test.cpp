#include "process/process.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <atomic>
#include <mutex>
#include <set>

#include "test_support.h"

namespace qvx {
namespace {

using test::eventually;
using test::readFile;
using test::TempDir;

// Collects what a process reports, from its threads.
struct Observer {
  std::mutex mutex;
  std::string output;
  int endOfOutputCalls = 0;
  std::atomic<int> terminations{0};
  int status = -1;
  std::size_t outputAtTermination = 0;

  void attach(Process& process) {
    process.setOutputHandler([this](std::string_view chunk) {
      std::lock_guard lock(mutex);
      if (chunk.empty()) ++endOfOutputCalls;
      output.append(chunk);
    });
    process.setTerminationHandler([this](int code) {
      {
        std::lock_guard lock(mutex);
        status = code;
        outputAtTermination = output.size();
      }
      terminations.fetch_add(1);
    });
  }
  bool terminated() { return terminations.load() > 0; }
  std::string text() {
    std::lock_guard lock(mutex);
    return output;
  }
};

// `bash -c script`, launched with an observer attached.
struct BashRun {
  Process process;
  Observer observer;
  explicit BashRun(const std::string& script) {
    observer.attach(process);
    process.setExecutable("/bin/bash");
    process.setArguments({"-c", script});
    launched = process.launch();
  }
  // Whether it launched and its termination was reported in time.
  bool ends(std::chrono::milliseconds limit = std::chrono::milliseconds(20000)) {
    return launched && eventually([&] { return observer.terminated(); }, limit);
  }
  bool launched = false;
};

bool isReaped(pid_t pid) { return ::waitpid(pid, nullptr, WNOHANG) == -1 && errno == ECHILD; }

std::set<std::string> openDescriptors(pid_t pid) {
  std::set<std::string> fds;
  for (const auto& entry : std::filesystem::directory_iterator("/proc/" + std::to_string(pid) + "/fd")) {
    fds.insert(entry.path().filename().string());
  }
  return fds;
}

std::string statusField(pid_t pid, const std::string& field) {
  const std::string status = readFile("/proc/" + std::to_string(pid) + "/status");
  const auto at = status.find(field + ":");
  if (at == std::string::npos) return {};
  const auto begin = status.find_first_not_of(" \t", at + field.size() + 1);
  return status.substr(begin, status.find('\n', begin) - begin);
}

std::vector<std::string> nulSeparated(const std::string& text) {
  std::vector<std::string> parts;
  std::size_t begin = 0;
  while (begin < text.size()) {
    const auto end = text.find('\0', begin);
    parts.push_back(text.substr(begin, end - begin));
    begin = end + 1;
  }
  return parts;
}

// A live child of the launch, inspected through /proc while it sleeps.
TEST(Process, StartsTheChildExactlyAsToldWithNothingOfOursInherited) {
  // What a GTK/WebKit parent may have: SIGPIPE ignored, a signal blocked and
  // descriptors without close-on-exec.
  const auto oldPipe = ::signal(SIGPIPE, SIG_IGN);
  sigset_t blocked, previous;
  sigemptyset(&blocked);
  sigaddset(&blocked, SIGUSR1);
  ::pthread_sigmask(SIG_BLOCK, &blocked, &previous);
  const int leaky = ::open("/dev/null", O_RDONLY);  // no O_CLOEXEC on purpose
  ASSERT_GE(leaky, 3);

  Process process;
  Observer observer;
  observer.attach(process);
  process.setExecutable("/bin/sleep");
  process.setArguments({"30"});
  process.setEnvironment({{"ONLY", "this"}, {"EMPTY", ""}, {"SPACED", "a b=c"}});
  std::string error;
  ASSERT_TRUE(process.launch(&error)) << error;

  ::close(leaky);
  ::pthread_sigmask(SIG_SETMASK, &previous, nullptr);
  ::signal(SIGPIPE, oldPipe);

  const pid_t pid = process.processIdentifier();
  const std::string proc = "/proc/" + std::to_string(pid);
  // The launch returns as soon as the exec has begun; let the kernel finish it.
  ASSERT_TRUE(eventually([&] { return !readFile(proc + "/cmdline").empty() && statusField(pid, "Name") == "sleep"; }));
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  EXPECT_EQ(nulSeparated(readFile(proc + "/cmdline")), (std::vector<std::string>{"/bin/sleep", "30"}));
  EXPECT_EQ(nulSeparated(readFile(proc + "/environ")), (std::vector<std::string>{"EMPTY=", "ONLY=this", "SPACED=a b=c"}));
  EXPECT_EQ(openDescriptors(pid), (std::set<std::string>{"0", "1", "2"}));
  EXPECT_EQ(std::filesystem::read_symlink(proc + "/fd/2"), "/dev/null");
  EXPECT_EQ(std::filesystem::read_symlink(proc + "/fd/1").string().rfind("pipe:", 0), 0u);
  EXPECT_EQ(std::filesystem::read_symlink(proc + "/fd/0"), std::filesystem::read_symlink("/proc/self/fd/0"));
  EXPECT_EQ(std::filesystem::read_symlink(proc + "/cwd"), std::filesystem::current_path());
  EXPECT_EQ(statusField(pid, "SigIgn"), "0000000000000000");
  EXPECT_EQ(statusField(pid, "SigBlk"), "0000000000000000");

  EXPECT_FALSE(process.hasExited());
  ::kill(pid, SIGKILL);
  ASSERT_TRUE(eventually([&] { return observer.terminated(); }));
  EXPECT_EQ(observer.status, SIGKILL);
  EXPECT_TRUE(process.hasExited());
  EXPECT_EQ(process.terminationStatus(), SIGKILL);
  EXPECT_TRUE(isReaped(pid));
}

TEST(Process, ReportsExitCodesAndSignals) {
  const std::vector<std::pair<std::string, int>> cases = {
      {"exit 0", 0}, {"exit 3", 3}, {"exit 255", 255}, {"kill -TERM $$", SIGTERM}, {"kill -SEGV $$", SIGSEGV}};
  for (const auto& [script, expected] : cases) {
    SCOPED_TRACE(script);
    BashRun run(script);
    ASSERT_TRUE(run.ends());
    EXPECT_EQ(run.observer.status, expected);
    EXPECT_TRUE(isReaped(run.process.processIdentifier()));
  }
}

TEST(Process, ALaunchThatFailsCallsNoHandlerAndLeavesNoChild) {
  Process missing;
  Observer observer;
  observer.attach(missing);
  missing.setExecutable("/nonexistent/program");
  std::string error;
  EXPECT_FALSE(missing.launch(&error));
  EXPECT_FALSE(error.empty());
  EXPECT_FALSE(missing.isLaunched());

  // One argument longer than the kernel takes: exec fails with E2BIG.
  Process tooLong;
  observer.attach(tooLong);
  tooLong.setExecutable("/bin/bash");
  tooLong.setArguments({"-c", "exit 0", std::string(300000, 'x')});
  EXPECT_FALSE(tooLong.launch());

  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  EXPECT_EQ(observer.terminations.load(), 0);
  EXPECT_EQ(::waitpid(-1, nullptr, WNOHANG), -1);  // no child of ours at all
}

TEST(Process, LaunchesOnlyOnce) {
  Process process;
  Observer observer;
  observer.attach(process);
  process.setExecutable("/bin/true");
  ASSERT_TRUE(process.launch());
  EXPECT_FALSE(process.launch());
  ASSERT_TRUE(eventually([&] { return observer.terminated(); }));
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  EXPECT_EQ(observer.terminations.load(), 1);
}

TEST(Process, EveryByteWrittenBeforeTheExitArrivesBeforeTheTerminationHandler) {
  // More than the pipe holds, so the reader must run while the child writes.
  const std::string script = "head -c 3000000 /dev/zero | tr '\\0' 'a'; printf 'last line\\n'; exit 1";
  for (int round = 0; round < 5; ++round) {
    BashRun run(script);
    ASSERT_TRUE(run.ends());
    EXPECT_EQ(run.observer.outputAtTermination, 3000000u + 10u);
    EXPECT_EQ(run.observer.status, 1);
  }
  // Small outputs just before the exit, many times over.
  for (int round = 0; round < 100; ++round) {
    BashRun run("echo one; echo two; exit 7");
    ASSERT_TRUE(run.ends());
    ASSERT_EQ(run.observer.outputAtTermination, 8u) << "round " << round;
  }
}

TEST(Process, AGrandchildHoldingThePipeDoesNotDelayTheTermination) {
  TempDir dir;
  const auto pidFile = dir.path() / "grandchild";
  BashRun run("(sleep 60; echo late) & echo $! > '" + pidFile.string() + "'; echo early; exit 0");
  ASSERT_TRUE(run.ends(std::chrono::milliseconds(15000)));
  EXPECT_EQ(run.observer.text(), "early\n");
  EXPECT_EQ(run.observer.status, 0);
  const pid_t grandchild = std::stoi(readFile(pidFile));
  ::kill(grandchild, SIGKILL);
}

TEST(Process, ReapsOnlyItsOwnChild) {
  // A child of ours that the process class knows nothing about.
  pid_t other = -1;
  char sleepPath[] = "/bin/sleep";
  char seconds[] = "0.3";
  char* argv[] = {sleepPath, seconds, nullptr};
  ASSERT_EQ(::posix_spawn(&other, "/bin/sleep", nullptr, nullptr, argv, environ), 0);

  for (int i = 0; i < 10; ++i) ASSERT_TRUE(BashRun("exit 0").ends());
  int status = 0;
  EXPECT_EQ(::waitpid(other, &status, 0), other);  // still ours to reap
  EXPECT_TRUE(WIFEXITED(status));
}

TEST(Process, WithoutAnOutputHandlerTheOutputGoesToTheNullDevice) {
  Process process;
  std::atomic<int> status{-1};
  process.setExecutable("/bin/bash");
  process.setArguments({"-c", "[ \"$(readlink /proc/$$/fd/1)\" = /dev/null ] && exit 4; exit 5"});
  process.setTerminationHandler([&](int code) { status = code; });
  ASSERT_TRUE(process.launch());
  ASSERT_TRUE(eventually([&] { return status.load() != -1; }));
  EXPECT_EQ(status.load(), 4);
}

TEST(Process, DroppingTheObjectNeitherStopsNorForgetsTheChild) {
  Observer observer;
  pid_t pid;
  {
    Process process;
    observer.attach(process);
    process.setExecutable("/bin/bash");
    process.setArguments({"-c", "sleep 0.2; echo done; exit 2"});
    ASSERT_TRUE(process.launch());
    pid = process.processIdentifier();
  }
  ASSERT_TRUE(eventually([&] { return observer.terminated(); }));
  EXPECT_EQ(observer.text(), "done\n");
  EXPECT_EQ(observer.status, 2);
  EXPECT_TRUE(isReaped(pid));
}

TEST(Process, ReportsTheEndOfOutputWhenTheChildClosesIt) {
  BashRun run("echo a; exec 1>&-; sleep 0.2; exit 0");
  ASSERT_TRUE(run.ends());
  std::lock_guard lock(run.observer.mutex);
  EXPECT_EQ(run.observer.output, "a\n");
  EXPECT_EQ(run.observer.endOfOutputCalls, 1);
}

}  // namespace
}  // namespace qvx
