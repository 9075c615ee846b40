// The renderer's thread: the latest request wins, a change of effects is
// served from the kept sheets, and no result outlives the renderer.
#include "preview_renderer.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <vector>

#include "sample_documents.h"
#include "temp_dir.h"

namespace pdehost::preview {
namespace {

using namespace std::chrono_literals;

// Collects what the renderer delivers; the first delivery can be held, so
// that requests made meanwhile queue up behind it.
class Deliveries {
 public:
  explicit Deliveries(bool holdFirst) : held_(holdFirst) {}
  void operator()(SheetResult result) {
    std::unique_lock lock(mutex_);
    results_.push_back(std::move(result));
    changed_.notify_all();
    changed_.wait(lock, [this] { return !held_; });
  }
  void release() {
    std::lock_guard lock(mutex_);
    held_ = false;
    changed_.notify_all();
  }
  // Waits for the result of request `id`; false after 20 s without it.
  bool waitFor(std::uint64_t id) {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, 20s, [&] {
      return std::any_of(results_.begin(), results_.end(), [&](const SheetResult& r) { return r.request == id; });
    });
  }
  std::vector<SheetResult> results() {
    std::lock_guard lock(mutex_);
    return results_;
  }

 private:
  std::mutex mutex_;
  std::condition_variable changed_;
  std::vector<SheetResult> results_;
  bool held_;
};

class PreviewRendererTest : public testing::Test {
 protected:
  void SetUp() override {
    test::writeMarkedPdf(dir_.path() / "ten.pdf", 10, test::kA4);
    job_.documents = {{dir_.path() / "ten.pdf", DocumentType::Pdf}};
    job_.paper = test::kA4Paper;
  }
  SheetRequest requestFor(int sheet) { return {job_, sheet, 80}; }
  qvx::test::TempDir dir_;
  PreviewJob job_;
};

TEST_F(PreviewRendererTest, RequestsMadeWhileBusyCollapseIntoTheLatest) {
  Deliveries deliveries(/*holdFirst=*/true);
  PreviewRenderer renderer(std::ref(deliveries));
  const std::uint64_t first = renderer.request(requestFor(0));
  ASSERT_TRUE(deliveries.waitFor(first));
  for (int sheet = 1; sheet < 5; ++sheet) renderer.request(requestFor(sheet));
  const std::uint64_t last = renderer.request(requestFor(5));
  deliveries.release();
  ASSERT_TRUE(deliveries.waitFor(last));

  const std::vector<SheetResult> results = deliveries.results();
  ASSERT_EQ(results.size(), 2u);
  EXPECT_EQ(results[1].sheet, 5);
  EXPECT_EQ(results[1].sheetCount, 10);
  EXPECT_EQ(renderer.counts().superseded, 4);
  EXPECT_EQ(renderer.counts().rendered, 2);
}

TEST_F(PreviewRendererTest, AChangeOfEffectsRedrawsFromTheKeptSheet) {
  Deliveries deliveries(false);
  PreviewRenderer renderer(std::ref(deliveries));
  ASSERT_TRUE(deliveries.waitFor(renderer.request(requestFor(3))));
  job_.effects.grayscale = true;
  ASSERT_TRUE(deliveries.waitFor(renderer.request(requestFor(3))));
  // A different layout is a different job: its sheets are drawn anew.
  job_.numberUp = 4;
  ASSERT_TRUE(deliveries.waitFor(renderer.request(requestFor(0))));

  const std::vector<SheetResult> results = deliveries.results();
  ASSERT_EQ(results.size(), 3u);
  EXPECT_GT(test::colouredPixels(results[0].image.get()), 0);
  EXPECT_EQ(test::colouredPixels(results[1].image.get()), 0);
  EXPECT_EQ(results[2].sheetCount, 3);
  EXPECT_EQ(renderer.counts().fromCache, 1);
  EXPECT_EQ(renderer.counts().rendered, 2);
}

TEST_F(PreviewRendererTest, ASheetBeyondTheJobComesBackWithoutAnImage) {
  Deliveries deliveries(false);
  PreviewRenderer renderer(std::ref(deliveries));
  ASSERT_TRUE(deliveries.waitFor(renderer.request(requestFor(10))));
  EXPECT_FALSE(deliveries.results()[0].image);
  EXPECT_EQ(deliveries.results()[0].sheetCount, 10);
}

}  // namespace
}  // namespace pdehost::preview
