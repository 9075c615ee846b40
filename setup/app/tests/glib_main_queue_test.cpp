#include "glib_main_queue.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

namespace qvx {
namespace {

// Runs the default main context until `done` or a generous limit of iterations.
void iterateUntil(const std::function<bool()>& done) {
  for (int i = 0; i < 100000 && !done(); ++i) g_main_context_iteration(nullptr, TRUE);
}

TEST(GlibMainQueue, RunsTasksLaterOnTheMainContextInPostingOrder) {
  GlibMainQueue queue;
  std::vector<int> ran;
  for (int i = 0; i < 5; ++i) queue.post([&ran, i] { ran.push_back(i); });
  EXPECT_TRUE(ran.empty()) << "a post never runs its task inside the call";
  // A task posted by a running task comes after everything already queued.
  queue.post([&] { queue.post([&ran] { ran.push_back(99); }); ran.push_back(5); });
  queue.post([&ran] { ran.push_back(6); });
  iterateUntil([&] { return ran.size() == 8; });
  EXPECT_EQ(ran, (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 99}));
}

TEST(GlibMainQueue, KeepsEachThreadsOrderAndRunsEverythingOnTheMainThread) {
  GlibMainQueue queue;
  constexpr int kPerThread = 20000;
  const auto mainThread = std::this_thread::get_id();
  std::vector<int> seenA, seenB;
  std::atomic<int> offMain{0};
  auto poster = [&](std::vector<int>& seen) {
    for (int i = 0; i < kPerThread; ++i) {
      queue.post([&seen, &offMain, mainThread, i] {
        if (std::this_thread::get_id() != mainThread) ++offMain;
        seen.push_back(i);
      });
    }
  };
  std::thread a(poster, std::ref(seenA));
  std::thread b(poster, std::ref(seenB));
  iterateUntil([&] { return seenA.size() == kPerThread && seenB.size() == kPerThread; });
  a.join();
  b.join();
  ASSERT_EQ(seenA.size(), std::size_t(kPerThread));
  ASSERT_EQ(seenB.size(), std::size_t(kPerThread));
  for (int i = 0; i < kPerThread; ++i) {
    ASSERT_EQ(seenA[i], i);
    ASSERT_EQ(seenB[i], i);
  }
  EXPECT_EQ(offMain.load(), 0);
}

TEST(GlibMainQueue, DropsTasksLeftWhenItGoesAway) {
  int ran = 0;
  {
    GlibMainQueue queue;
    queue.post([&ran] { ++ran; });
  }
  // The idle source may still fire; it must neither run the task nor crash.
  for (int i = 0; i < 10; ++i) g_main_context_iteration(nullptr, FALSE);
  EXPECT_EQ(ran, 0);
}

}  // namespace
}  // namespace qvx
