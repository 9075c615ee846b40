#include "bridge/script_queue.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "test_support.h"

namespace qvx {
namespace {

using test::eventually;

ScriptQueue::Limits smallLimits() {
  ScriptQueue::Limits limits;
  limits.scripts = 16;
  limits.bytes = 400;
  limits.batchScripts = 5;
  limits.batchBytes = 120;
  limits.batchesInFlight = 2;
  return limits;
}

// Script i is "s<i>" padded with dots to a length that cycles through 3..52.
std::string script(int i) {
  std::string text = "s" + std::to_string(i);
  text.resize(std::max<std::size_t>(text.size(), 3 + i % 50), '.');
  return text;
}

// A fast producer against a slow consumer that keeps up to two batches in
// evaluation: everything arrives once and in order, the batches keep to their
// limits, and the producer is held to the bound all along.
TEST(ScriptQueue, AFastProducerIsHeldToTheBoundAndNothingIsLostOrReordered) {
  const auto limits = smallLimits();
  ScriptQueue queue(limits);
  constexpr int kScripts = 3000;
  std::atomic<std::size_t> pushed{0}, pushedBytes{0};
  std::atomic<bool> deliveryAsked{false}, produced{false};
  std::thread producer([&] {
    for (int i = 0; i < kScripts; ++i) {
      const std::string text = script(i);
      if (queue.push(text, true)) deliveryAsked = true;
      pushedBytes += text.size() + 1;
      ++pushed;
    }
    produced = true;
  });

  std::vector<std::string> received;
  std::size_t finishedScripts = 0, finishedBytes = 0;
  std::vector<ScriptBatch> evaluating;
  bool sawFullBound = false;
  while (received.size() < kScripts && !HasFailure()) {
    if (!eventually([&] { return deliveryAsked.exchange(false) || !evaluating.empty(); })) {
      ADD_FAILURE() << "no delivery asked for after " << received.size() << " scripts";
      break;
    }
    ScriptBatch batch;
    bool asked = false;
    while (queue.take(batch)) {
      EXPECT_LE(batch.size(), limits.batchScripts);
      EXPECT_LE(batch.text.size(), limits.batchBytes);
      for (std::size_t i = 0; i < batch.size(); ++i) received.emplace_back(batch.script(i));
      evaluating.push_back(std::move(batch));
    }
    EXPECT_LE(evaluating.size(), limits.batchesInFlight);
    // Never more admitted than the bound, counting what is being evaluated.
    EXPECT_LE(pushed - finishedScripts, limits.scripts);
    EXPECT_LE(pushedBytes - finishedBytes, limits.bytes);
    if (queue.size() == limits.scripts) sawFullBound = true;
    std::this_thread::sleep_for(std::chrono::microseconds(200));  // the page is slow
    if (!evaluating.empty()) {
      const ScriptBatch done = std::move(evaluating.front());
      evaluating.erase(evaluating.begin());
      finishedScripts += done.size();
      finishedBytes += done.text.size();
      asked = queue.finished(done.size(), done.text.size());
    }
    if (asked) deliveryAsked = true;
  }
  // After a failure, lets the producer finish.
  for (ScriptBatch batch; !produced || queue.size() > 0;) {
    for (auto& done : evaluating) queue.finished(done.size(), done.text.size());
    evaluating.clear();
    while (queue.take(batch)) queue.finished(batch.size(), batch.text.size());
  }
  producer.join();
  ASSERT_EQ(received.size(), std::size_t(kScripts));
  for (int i = 0; i < kScripts; ++i) ASSERT_EQ(received[i], script(i)) << "at " << i;
  EXPECT_TRUE(sawFullBound) << "the producer was never held back";
}

TEST(ScriptQueue, ADeliveryIsAskedForOnceUntilTakeFindsNothing) {
  ScriptQueue queue(smallLimits());
  EXPECT_TRUE(queue.push("a", true));
  EXPECT_FALSE(queue.push("b", true));
  ScriptBatch batch;
  ASSERT_TRUE(queue.take(batch));
  EXPECT_EQ(batch.text, "a\nb\n");
  EXPECT_FALSE(queue.push("c", true));  // still arranged: take has not come up empty
  ASSERT_TRUE(queue.take(batch));
  EXPECT_EQ(batch.text, "c\n");
  EXPECT_FALSE(queue.push("d", true));
  EXPECT_FALSE(queue.take(batch)) << "two batches are being evaluated";
  // The delivery is over; the end of an evaluation asks for the next.
  EXPECT_FALSE(queue.push("e", true));
  EXPECT_TRUE(queue.finished(2, 4));
  ASSERT_TRUE(queue.take(batch));
  EXPECT_EQ(batch.text, "d\ne\n");
  EXPECT_FALSE(queue.take(batch));
  EXPECT_FALSE(queue.finished(1, 2)) << "nothing waits";
  EXPECT_EQ(queue.size(), 2u);
}

TEST(ScriptQueue, AnOversizedScriptWaitsForAnEmptyQueueAndGoesAlone) {
  const auto limits = smallLimits();
  ScriptQueue queue(limits);
  queue.push("small", true);
  const std::string huge(1000, 'h');
  std::atomic<bool> hugeIn{false};
  std::thread producer([&] {
    queue.push(huge, true);
    hugeIn = true;
  });
  std::this_thread::sleep_for(std::chrono::milliseconds(30));
  EXPECT_FALSE(hugeIn);
  ScriptBatch batch;
  ASSERT_TRUE(queue.take(batch));
  queue.finished(batch.size(), batch.text.size());
  ASSERT_TRUE(eventually([&] { return hugeIn.load(); }));
  producer.join();
  ASSERT_TRUE(queue.take(batch));
  EXPECT_EQ(batch.size(), 1u);
  EXPECT_EQ(batch.script(0), huge);
}

TEST(ScriptQueue, TheConsumersOwnThreadPassesTheBoundAndDroppingMakesRoom) {
  const auto limits = smallLimits();
  ScriptQueue queue(limits);
  for (std::size_t i = 0; i < limits.scripts + 4; ++i) queue.push("x", false);
  EXPECT_EQ(queue.size(), limits.scripts + 4);
  std::atomic<bool> in{false};
  std::thread producer([&] {
    queue.push("after", true);
    in = true;
  });
  std::this_thread::sleep_for(std::chrono::milliseconds(30));
  EXPECT_FALSE(in);
  queue.dropWaiting();
  ASSERT_TRUE(eventually([&] { return in.load(); }));
  producer.join();
  ScriptBatch batch;
  ASSERT_TRUE(queue.take(batch));
  EXPECT_EQ(batch.text, "after\n");
}

}  // namespace
}  // namespace qvx
