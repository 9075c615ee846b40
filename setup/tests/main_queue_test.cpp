#include "stdio/main_queue.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "test_support.h"

namespace qvx {
namespace {

using test::eventually;

void runAll(MainQueue& queue) {
  std::vector<MainQueue::Task> batch;
  while (queue.tryTakeAll(batch)) {
    for (auto& task : batch) task();
    batch.clear();
  }
}

TEST(MainQueue, RunsTasksInTheOrderTheyWerePosted) {
  MainQueue queue(4);
  std::vector<int> seen;
  for (int i = 0; i < 10; ++i) queue.post([&seen, i] { seen.push_back(i); });  // the main thread never waits
  runAll(queue);
  EXPECT_EQ(seen, (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
}

TEST(MainQueue, OtherThreadsWaitWhileTheQueueIsFullAndGoOnWhenItIsTaken) {
  MainQueue queue(3);
  std::atomic<int> posted{0};
  std::vector<int> seen;
  std::thread poster([&] {
    for (int i = 0; i < 5; ++i) {
      queue.post([&seen, i] { seen.push_back(i); });
      posted.fetch_add(1);
    }
  });
  ASSERT_TRUE(eventually([&] { return posted.load() == 3; }));
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  EXPECT_EQ(posted.load(), 3);  // held back by the limit

  std::vector<MainQueue::Task> batch;
  ASSERT_TRUE(queue.waitTakeAll(batch, std::nullopt));
  for (auto& task : batch) task();
  batch.clear();
  poster.join();
  ASSERT_TRUE(queue.waitTakeAll(batch, std::chrono::milliseconds(1000)));
  for (auto& task : batch) task();
  EXPECT_EQ(seen, (std::vector<int>{0, 1, 2, 3, 4}));
}

TEST(MainQueue, WaitingEndsWithATaskOrAtTheTimeout) {
  MainQueue queue;
  std::vector<MainQueue::Task> batch;
  EXPECT_FALSE(queue.waitTakeAll(batch, std::chrono::milliseconds(10)));
  std::thread poster([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    queue.post([] {});
  });
  EXPECT_TRUE(queue.waitTakeAll(batch, std::nullopt));
  EXPECT_EQ(batch.size(), 1u);
  poster.join();
}

}  // namespace
}  // namespace qvx
