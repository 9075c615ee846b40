// Engines that misbehave, run for real by the Bridge: killed by signals, closing
// their output early, leaving a grandchild on the pipe, one enormous line, a
// page that goes away mid-run, and a long series of runs that must leave
// nothing behind in this process.
#include "bridge/bridge.h"

#include <signal.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

#include "bridge_rig.h"

// The sanitizer builds run the same checks on a smaller scale.
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
#define QVX_SANITIZED_BUILD 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer)
#define QVX_SANITIZED_BUILD 1
#endif
#endif

namespace qvx {
namespace {

using test::eventually;
using test::readFile;
using test::kGenericError;
using test::pageCall;
using test::Scripts;

#ifdef QVX_SANITIZED_BUILD
constexpr int kBackToBackRuns = 200;
#else
constexpr int kBackToBackRuns = 1000;
#endif

std::size_t entriesIn(const std::filesystem::path& dir) {
  std::size_t count = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir)) ++count;
  return count;
}

std::size_t openDescriptors() { return entriesIn("/proc/self/fd"); }
std::size_t threads() { return entriesIn("/proc/self/task"); }

// Children of this process that have exited and were never reaped.
std::vector<pid_t> zombieChildren() {
  std::vector<pid_t> zombies;
  const std::string self = std::to_string(::getpid());
  for (const auto& entry : std::filesystem::directory_iterator("/proc")) {
    const std::string name = entry.path().filename().string();
    if (name.find_first_not_of("0123456789") != std::string::npos) continue;
    const std::string stat = readFile(entry.path() / "stat");
    // "pid (command) state ppid ...": the command may hold blanks and parentheses.
    const auto close = stat.rfind(')');
    if (close == std::string::npos || close + 4 > stat.size()) continue;
    const char state = stat[close + 2];
    const auto ppidBegin = close + 4;
    const std::string ppid = stat.substr(ppidBegin, stat.find(' ', ppidBegin) - ppidBegin);
    if (ppid == self && state == 'Z') zombies.push_back(std::stoi(name));
  }
  return zombies;
}

// Peak resident memory of this process so far, in kB.
long peakResidentKb() {
  const std::string status = readFile("/proc/self/status");
  const auto at = status.find("VmHWM:");
  return at == std::string::npos ? -1 : std::atol(status.c_str() + at + 6);
}

class EngineFaultTest : public test::BridgeRig {
 protected:
  std::string file(const std::string& name) const { return (resources.path() / name).string(); }
  pid_t pidFrom(const std::string& name) const {
    EXPECT_TRUE(eventually([&] { return readFile(file(name)).find('\n') != std::string::npos; }));
    return std::stoi(readFile(file(name)));
  }
  // A line of engine that waits until the test writes the file "go".
  std::string waitForGo() const { return "while [ ! -e '" + file("go") + "' ]; do sleep 0.01; done\n"; }
};

// Killed from outside while it runs: the complete lines so far reach the page,
// a half-written line does not, and the run ends with the generic error unless
// a final tag came first.
TEST_F(EngineFaultTest, AnEngineKilledBySignalEndsWithTheGenericErrorUnlessItHadFinished) {
  for (const int signal : {SIGKILL, SIGTERM, SIGSEGV}) {
    for (const bool reportedDone : {false, true}) {
      SCOPED_TRACE(std::string(strsignal(signal)) + (reportedDone ? ", after @DONE" : ""));
      record->clear();
      std::filesystem::remove(file("pid"));
      writeEngine(std::string("ulimit -c 0\necho '@STEP before'\n") + (reportedDone ? "echo '@DONE all set'\n" : "") +
                  "printf '@STEP half'\necho $$ > '" + file("pid") + ".tmp'; mv '" + file("pid") + ".tmp' '" +
                  file("pid") + "'\nwhile :; do sleep 0.05; done\n");
      install();
      const pid_t engine = pidFrom("pid");
      ASSERT_EQ(::kill(engine, signal), 0);
      Scripts expected = {pageCall("onStep", R"("before")")};
      expected.push_back(reportedDone ? pageCall("onDone", R"("all set")") : kGenericError);
      EXPECT_EQ(finishRuns(), expected);
      EXPECT_EQ(bridge->proc->terminationStatus(), signal);
    }
  }
}

TEST_F(EngineFaultTest, AnEngineThatClosesItsOutputEarlyIsStillFollowedToItsExit) {
  writeEngine("echo '@STEP a'\nprintf '@STEP never ended'\nexec 1>&-\n" + waitForGo() + "exit 3\n");
  install();
  // Its output has ended, but it runs on: no exit handling yet.
  ASSERT_TRUE(eventually([&] { return platform->queued() == 1; }));
  std::this_thread::sleep_for(std::chrono::milliseconds(100));
  EXPECT_EQ(bridge->runsInProgress(), 1);
  EXPECT_FALSE(bridge->proc->hasExited());
  resources.write("go", "");
  EXPECT_EQ(finishRuns(), (Scripts{pageCall("onStep", R"("a")"), kGenericError}));
  EXPECT_EQ(bridge->proc->terminationStatus(), 3);
}

TEST_F(EngineFaultTest, AGrandchildHoldingThePipeNeitherDelaysTheExitHandlingNorLosesEarlierLines) {
  writeEngine("( echo '@STEP from the grandchild'; echo $BASHPID > '" + file("grandchild") +
              "'; exec sleep 60 ) &\n"
              "while [ ! -s '" + file("grandchild") + "' ]; do sleep 0.01; done\n"
              "echo '@STEP from the engine'\nexit 4\n");
  install();
  const pid_t grandchild = pidFrom("grandchild");
  EXPECT_EQ(finishRuns(), (Scripts{pageCall("onStep", R"("from the grandchild")"), pageCall("onStep", R"("from the engine")"),
                                   kGenericError}));
  EXPECT_EQ(::kill(grandchild, 0), 0) << "the grandchild should still hold the pipe";
  ::kill(grandchild, SIGKILL);
}

// A line far beyond the line limit is dropped whole without being held in
// memory whole; the lines around it arrive.
TEST_F(EngineFaultTest, OneHundredMegabytesInOneLineAreDroppedAndTheRunGoesOn) {
  constexpr long kLineBytes = 100'000'000;
  writeEngine("echo '@STEP before'\nprintf '@STEP '\nhead -c " + std::to_string(kLineBytes) +
              " /dev/zero | tr '\\0' x\necho\necho '@DONE after'\n");
  const long peakBefore = peakResidentKb();
  install();
  EXPECT_EQ(finishRuns(), (Scripts{pageCall("onStep", R"("before")"), pageCall("onDone", R"("after")")}));
  const long grownKb = peakResidentKb() - peakBefore;
#ifndef QVX_SANITIZED_BUILD
  // (The address sanitizer keeps freed blocks in quarantine, so there the peak
  // says nothing about what the reader holds.)
  EXPECT_LT(grownKb, kLineBytes / 1024) << "the line was held whole";
#else
  (void)grownKb;
#endif
}

TEST_F(EngineFaultTest, ThePageGoingAwayWhileLinesArriveDropsTheRestSafely) {
  writeEngine("for i in $(seq 1 100); do echo \"@STEP $i\"; done\n" + waitForGo() +
              "for i in $(seq 101 300); do echo \"@STEP $i\"; done\necho '@ERROR stopped'\nexit 1\n");
  install();
  ASSERT_TRUE(eventually([&] { return bridge->scriptsPending() == 100; }));
  // The first hundred reach the page, then the page is gone.
  platform->drain();
  ASSERT_EQ(record->size(), 100u);
  page.reset();
  resources.write("go", "");
  EXPECT_TRUE(eventually([&] { return bridge->runsInProgress() == 0; }));
  platform->drain();
  EXPECT_EQ(bridge->scriptsPending(), 0u);
  ASSERT_EQ(record->size(), 100u);
  for (int i = 0; i < 100; ++i) EXPECT_EQ((*record)[i], pageCall("onStep", "\"" + std::to_string(i + 1) + "\""));
  EXPECT_TRUE(bridge->finished);
}

// Runs one after another; afterwards this process holds no more descriptors or
// threads than before, and no child is left unreaped.
TEST_F(EngineFaultTest, RunsBackToBackLeaveNoDescriptorThreadOrZombieBehind) {
  writeEngine("echo \"@DONE $QVX_NAME\"\n");
  // One run first, so that threads a runtime starts on first use (the thread
  // sanitizer's, for one) are part of the baseline.
  install();
  ASSERT_TRUE(eventually([&] { return bridge->runsInProgress() == 0; }));
  platform->drain();
  record->clear();
  bridge->proc.reset();
  std::this_thread::sleep_for(std::chrono::milliseconds(200));
  const std::size_t fdsBefore = openDescriptors();
  const std::size_t threadsBefore = threads();
  for (int i = 0; i < kBackToBackRuns; ++i) {
    post(R"({"cmd":"install","name":")" + std::to_string(i) + "\"}");
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (bridge->runsInProgress() != 0 && std::chrono::steady_clock::now() < deadline) {
      std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    ASSERT_EQ(bridge->runsInProgress(), 0) << "run " << i << " did not end";
    ASSERT_EQ(platform->drain(), 1u) << "run " << i;
    ASSERT_EQ(record->back(), pageCall("onDone", "\"" + std::to_string(i) + "\"")) << "run " << i;
    if (i % 100 == 99) {
      // Only the latest run's process is still referred to (by `proc`).
      EXPECT_TRUE(eventually([&] { return openDescriptors() <= fdsBefore + 1; })) << "after run " << i;
      EXPECT_TRUE(eventually([&] { return threads() == threadsBefore; })) << "after run " << i;
    }
  }
  bridge->proc.reset();
  EXPECT_TRUE(eventually([&] { return openDescriptors() == fdsBefore; })) << openDescriptors() << " vs " << fdsBefore;
  EXPECT_TRUE(eventually([&] { return threads() == threadsBefore; })) << threads() << " vs " << threadsBefore;
  EXPECT_EQ(zombieChildren(), std::vector<pid_t>{});
  EXPECT_EQ(record->size(), static_cast<std::size_t>(kBackToBackRuns));
}

}  // namespace
}  // namespace qvx
