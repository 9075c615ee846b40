// The Bridge with a recording page and main queue, and real engines run by
// /bin/bash from temporary resources folders.
#include "bridge/bridge.h"

#include "bridge_rig.h"

namespace qvx {
namespace {

using test::eventually;
using test::kGenericError;
using test::pageCall;
using test::Scripts;

class BridgeTest : public test::BridgeRig {};

TEST_F(BridgeTest, HandleLineCallsThePageOnTheMainQueueAndSetsFinished) {
  bridge->handleLine("@STEP Copying files");
  EXPECT_FALSE(bridge->finished);
  EXPECT_TRUE(record->empty());  // nothing touches the page before the main queue runs
  bridge->handleLine("@step ignored");
  bridge->handleLine("@ERROR Disk full");
  EXPECT_TRUE(bridge->finished);
  bridge->handleLine("@STEP later");
  EXPECT_TRUE(bridge->finished);  // only a new run resets it
  platform->drain();
  EXPECT_EQ(*record, (Scripts{pageCall("onStep", R"("Copying files")"), pageCall("onError", R"("Disk full")"),
                                    pageCall("onStep", R"("later")")}));
}

TEST_F(BridgeTest, ScriptsForAReleasedPageAreDroppedAndTheBridgeLivesUntilTheyRun) {
  bridge->js("onStep", "a");
  bridge->web.reset();
  bridge->js("onStep", "b");
  std::weak_ptr<Bridge> weak = bridge;
  bridge.reset();
  EXPECT_FALSE(weak.expired());  // kept alive by the queued task
  EXPECT_EQ(platform->drain(), 1u);
  EXPECT_TRUE(weak.expired());
  EXPECT_TRUE(record->empty());
}

TEST_F(BridgeTest, ShowlogOpensTheLogAndQuitTerminates) {
  EXPECT_EQ(bridge->logPath, "/tmp/qvx-onboarder.log");
  bridge->logPath = resources.write("installer.log", "log\n");
  post(R"({"cmd":"showlog"})");
  EXPECT_EQ(platform->opened, (std::vector<std::string>{bridge->logPath}));
  post(R"({"cmd":"quit"})");
  EXPECT_EQ(platform->terminations, 1);
  post(R"({"cmd":"QUIT"})");
  post(R"("quit")");
  post(R"(["quit"])");
  EXPECT_EQ(platform->terminations, 1);
  EXPECT_EQ(platform->queued(), 0u);
}

TEST_F(BridgeTest, ALogThatIsNotOursIsNotOpenedAndThePageIsTold) {
  bridge->logPath = resources.path() / "no-such.log";
  post(R"({"cmd":"showlog"})");
  EXPECT_TRUE(platform->opened.empty());
  platform->drain();
  EXPECT_EQ(*record, (Scripts{pageCall("onLogUnavailable", R"("The setup log isn't available.")")}));
}

TEST_F(BridgeTest, MissingResourcesAndMissingEngineAreReported) {
  install();  // the folder exists, the engine does not
  platform->resources.reset();
  install();
  EXPECT_EQ(bridge->runsInProgress(), 0);
  EXPECT_EQ(bridge->proc, nullptr);
  platform->drain();
  EXPECT_EQ(*record, (Scripts{pageCall("onError", R"("Installer engine missing.")"),
                                    pageCall("onError", R"("Installer resources missing.")")}));
}

TEST_F(BridgeTest, AnythingAtTheEnginePathCountsAsPresentButADanglingLinkDoesNot) {
  std::filesystem::create_directory_symlink(resources.path() / "nowhere", resources.path() / "installer");
  install();
  EXPECT_EQ(finishRuns(), (Scripts{pageCall("onError", R"("Installer engine missing.")")}));

  record->clear();
  std::filesystem::remove(resources.path() / "installer");
  std::filesystem::create_directory(resources.path() / "installer");  // something exists: bash fails on it
  install();
  EXPECT_EQ(finishRuns(), (Scripts{kGenericError}));
}

TEST_F(BridgeTest, ALaunchFailureIsReportedOnceWithoutTheGenericError) {
  writeEngine("echo '@DONE'\n");
  // One environment string longer than the kernel takes: the exec fails.
  post(R"({"cmd":"install","office":")" + std::string(300000, 'o') + R"("})");
  EXPECT_EQ(bridge->runsInProgress(), 0);
  ASSERT_NE(bridge->proc, nullptr);
  EXPECT_FALSE(bridge->proc->isLaunched());
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  EXPECT_EQ(finishRuns(), (Scripts{pageCall("onError", R"("Could not start the installer.")")}));
}

TEST_F(BridgeTest, RunsTheEngineWithItsPathAndTheRunEnvironment) {
  writeEngine(R"SH(
echo "@STEP args=$#:$0"
echo "@STEP cmdline=$(tr '\0' '|' < /proc/$$/cmdline)"
echo "@STEP engine=$QVX_ENGINE office=$QVX_OFFICE name=$QVX_NAME code=$QVX_CODE"
echo "@STEP path=$PATH home=$HOME"
echo "@STEP set=${QVX_OFFICE+o}${QVX_NAME+n}${QVX_CODE+c}"
echo "@STEP stderr=$(readlink /proc/$$/fd/2)"
echo "to stderr" >&2
)SH");
  post(R"({"cmd":"install","office":"Zürich","name":7})");
  const std::string engineInJson = test::withEscapedSlashes((resources.path() / "installer").string());
  EXPECT_EQ(finishRuns(), (Scripts{
                              pageCall("onStep", "\"args=0:" + engineInJson + "\""),
                              pageCall("onStep", "\"cmdline=\\/bin\\/bash|" + engineInJson + "|\""),
                              pageCall("onStep", R"("engine=1 office=Zürich name= code=")"),
                              pageCall("onStep", R"("path=\/usr\/bin:\/bin:\/usr\/sbin:\/sbin home=\/root")"),
                              pageCall("onStep", R"("set=onc")"),
                              pageCall("onStep", R"("stderr=\/dev\/null")"),
                          }));
  EXPECT_EQ(bridge->proc->terminationStatus(), 0);
}

struct ExitCase {
  const char* name;
  const char* engine;
  std::vector<std::string> expected;
};

TEST_F(BridgeTest, TheExitRule) {
  const std::vector<ExitCase> cases = {
      {"success without a final tag", "echo '@STEP a'; exit 0", {pageCall("onStep", R"("a")")}},
      {"failure without a final tag", "echo '@STEP a'; exit 2", {pageCall("onStep", R"("a")"), kGenericError}},
      {"engine's own error", "echo '@ERROR x'; exit 1", {pageCall("onError", R"("x")")}},
      {"done, then failure", "echo '@DONE'; exit 3", {pageCall("onDone", R"("")")}},
      {"killed by a signal", "echo '@STEP a'; kill -KILL $$", {pageCall("onStep", R"("a")"), kGenericError}},
      {"unfinished last line, success", "printf '@STEP a\\n@DONE'; exit 0", {pageCall("onStep", R"("a")")}},
      {"unfinished last line, failure", "printf '@DONE'; exit 1", {kGenericError}},
      {"a bare @ERROR is no final tag", "echo '@ERROR'; exit 1", {kGenericError}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    record->clear();
    writeEngine(c.engine);
    install();
    EXPECT_EQ(finishRuns(), c.expected);
  }
}

TEST_F(BridgeTest, AFinalTagJustBeforeAFailedExitIsNeverLostNorFollowedByTheGenericError) {
  writeEngine("for i in $(seq 1 200); do echo \"@STEP $i\"; done; echo '@ERROR last words'; exit 9");
  for (int round = 0; round < 30; ++round) {
    record->clear();
    install();
    const auto scripts = finishRuns();
    ASSERT_EQ(scripts.size(), 201u) << "round " << round;
    EXPECT_EQ(scripts.front(), pageCall("onStep", R"("1")"));
    EXPECT_EQ(scripts.back(), pageCall("onError", R"("last words")")) << "round " << round;
  }
}

// The reader queues a chunk's page calls in batches of ScriptQueue's
// batchScripts: a final tag that ends a full batch, opens the next one, or is
// split between two reads is still queued, once, before the exit rule runs.
TEST_F(BridgeTest, AFinalTagAtABatchOrReadBoundaryComesBeforeTheExitRule) {
  const std::size_t batch = ScriptQueue::Limits{}.batchScripts;
  struct Case {
    std::string name;
    std::size_t steps;
    std::string engine;
    std::string last;
  };
  const std::string steps = "for i in $(seq 1 $N); do echo \"@STEP $i\"; done; ";
  const std::vector<Case> cases = {
      {"ends a full batch", batch - 1, steps + "echo '@DONE'; exit 4", pageCall("onDone", R"("")")},
      {"opens the next batch", batch, steps + "echo '@ERROR late'; exit 4", pageCall("onError", R"("late")")},
      {"split between reads", 2, steps + "printf '@ERR'; sleep 0.2; printf 'OR split\\n'; exit 4",
       pageCall("onError", R"("split")")},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    record->clear();
    writeEngine("N=" + std::to_string(c.steps) + "; { " + c.engine + "; }");
    install();
    const auto scripts = finishRuns();
    ASSERT_EQ(scripts.size(), c.steps + 1);
    EXPECT_EQ(scripts[c.steps - 1], pageCall("onStep", "\"" + std::to_string(c.steps) + "\""));
    EXPECT_EQ(scripts.back(), c.last);
  }
}

TEST_F(BridgeTest, LinesArriveInOrderDespiteCarriageReturnsInvalidBytesAndEmptyLines) {
  writeEngine(
      "printf '@STEP a\\r\\n'; printf '\\n'; printf '@STEP \\xff\\xfe\\n'; printf '@WARN  w \\n';"
      "printf '@STEP \\xed\\xa0\\x80\\n'; printf '@STEP Étape\\n'; printf '@DONE Café\\n'; exit 0");
  install();
  EXPECT_EQ(finishRuns(), (Scripts{pageCall("onStep", R"("a")"), pageCall("onWarn", R"(" w")"), pageCall("onStep", R"("Étape")"),
                                   pageCall("onDone", R"("Café")")}));
}

TEST_F(BridgeTest, HugeBinaryOutputAndMultiMegabyteLinesAreSurvived) {
  writeEngine(
      "head -c 4000000 /dev/urandom; echo;"
      "printf '@STEP '; head -c 3000000 /dev/zero | tr '\\0' 'x'; echo;"
      "echo '@DONE ok'; exit 0");
  install();
  const auto scripts = finishRuns();
  ASSERT_GE(scripts.size(), 2u);
  // Random bytes may by chance form a tagged line; the last two are ours.
  EXPECT_EQ(scripts[scripts.size() - 2], pageCall("onStep", "\"" + std::string(3000000, 'x') + "\""));
  EXPECT_EQ(scripts.back(), pageCall("onDone", R"("ok")"));
}

// An engine that writes far more than the page takes in: its reader stops at
// the bound of waiting scripts and the engine waits in its writes; then, as the
// page catches up, every line arrives once and in order, and the exit rule runs
// after the last of them.
TEST_F(BridgeTest, AFloodIsHeldAtTheBoundUntilThePageCatchesUpAndArrivesWhole) {
  constexpr int kLines = 200000;  // several times what the pipe and the bound hold
  writeEngine("seq -f '@STEP %g' 1 " + std::to_string(kLines) + "\nexit 5\n");
  install();
  const std::size_t bound = ScriptQueue::Limits{}.scripts;
  ASSERT_TRUE(eventually([&] { return bridge->scriptsPending() == bound; }));
  std::this_thread::sleep_for(std::chrono::milliseconds(100));
  EXPECT_EQ(bridge->scriptsPending(), bound);
  EXPECT_FALSE(bridge->proc->hasExited()) << "the engine should be waiting in its writes";

  while (bridge->runsInProgress() != 0 || platform->queued() != 0) {
    platform->drain();
    ASSERT_LE(bridge->scriptsPending(), bound);
  }
  const auto& scripts = *record;
  ASSERT_EQ(scripts.size(), std::size_t(kLines) + 1);
  for (int i = 0; i < kLines; ++i) {
    ASSERT_EQ(scripts[i], pageCall("onStep", "\"" + std::to_string(i + 1) + "\"")) << "at " << i;
  }
  EXPECT_EQ(scripts.back(), kGenericError);
}

TEST_F(BridgeTest, TwoInstallsAtOnceBothReachThePageEachInItsOwnOrder) {
  writeEngine(R"(for i in 1 2 3 4 5; do echo "@STEP $QVX_NAME $i"; sleep 0.02; done; exit 1)");
  post(R"({"cmd":"install","name":"first"})");
  const auto firstProcess = bridge->proc;
  post(R"({"cmd":"install","name":"second"})");
  EXPECT_NE(bridge->proc, firstProcess);
  const auto scripts = finishRuns();
  Scripts first, second;
  int generic = 0;
  for (const auto& s : scripts) {
    if (s.find("first") != std::string::npos) first.push_back(s);
    if (s.find("second") != std::string::npos) second.push_back(s);
    if (s == kGenericError) ++generic;
  }
  EXPECT_EQ(first.size(), 5u);
  EXPECT_EQ(second.size(), 5u);
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(first[i], pageCall("onStep", "\"first " + std::to_string(i + 1) + "\""));
    EXPECT_EQ(second[i], pageCall("onStep", "\"second " + std::to_string(i + 1) + "\""));
  }
  EXPECT_EQ(generic, 2);
  EXPECT_TRUE(firstProcess->hasExited());
}

TEST_F(BridgeTest, InstallResetsFinished) {
  writeEngine("exit 1");
  bridge->handleLine("@DONE");
  ASSERT_TRUE(bridge->finished);
  install();
  EXPECT_FALSE(bridge->finished);
  EXPECT_EQ(finishRuns(), (Scripts{pageCall("onDone", R"("")"), kGenericError}));
}

TEST_F(BridgeTest, ARunOutlivingItsBridgeDropsItsLines) {
  writeEngine("sleep 0.2; echo '@STEP late'; exit 1");
  install();
  const auto process = bridge->proc;
  std::weak_ptr<Bridge> weak = bridge;
  bridge.reset();
  EXPECT_TRUE(weak.expired());  // the run refers to it weakly
  ASSERT_TRUE(eventually([&] { return process->hasExited(); }));
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  EXPECT_EQ(platform->queued(), 0u);
}

}  // namespace
}  // namespace qvx
