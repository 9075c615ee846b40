// The renderer's thread: the latest request wins, and a change of effects
// is served from the kept sheets.
#include "preview_renderer.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <mutex>

#include "preview_samples.h"
#include "temp_dir.h"

namespace pdehost::preview {
namespace {

class PreviewRendererTest : public testing::Test {
 protected:
  void SetUp() override {
    test::writeMarkedPdf(dir_.path() / "ten.pdf", 10, test::kA4);
    job_.documents = {{dir_.path() / "ten.pdf", DocumentType::Pdf}};
    job_.paper = test::kA4Paper;
  }
  // What the renderer hands back; with `held_` the first delivery waits, so
  // that requests made meanwhile queue up behind it.
  void deliver(SheetResult result) {
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
  bool delivered(std::uint64_t id) {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, std::chrono::seconds(20), [&] { return !results_.empty() && results_.back().request == id; });
  }
  std::uint64_t ask(int sheet) { return renderer_.request({job_, sheet, 80}); }

  qvx::test::TempDir dir_;
  PreviewJob job_;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::vector<SheetResult> results_;
  bool held_ = false;
  PreviewRenderer renderer_{[this](SheetResult r) { deliver(std::move(r)); }};
};

TEST_F(PreviewRendererTest, RequestsMadeWhileBusyCollapseIntoTheLatest) {
  held_ = true;
  ASSERT_TRUE(delivered(ask(0)));
  for (int sheet = 1; sheet < 5; ++sheet) ask(sheet);
  const std::uint64_t last = ask(5);
  release();
  ASSERT_TRUE(delivered(last));
  ASSERT_EQ(results_.size(), 2u);
  EXPECT_EQ(results_[1].sheet, 5);
  EXPECT_EQ(results_[1].sheetCount, 10);
  EXPECT_EQ(renderer_.counts().superseded, 4);
  EXPECT_EQ(renderer_.counts().rendered, 2);
}

TEST_F(PreviewRendererTest, AChangeOfEffectsRedrawsFromTheKeptSheet) {
  ASSERT_TRUE(delivered(ask(3)));
  job_.effects.grayscale = true;
  ASSERT_TRUE(delivered(ask(3)));
  job_.numberUp = 4;  // another layout: its sheets are drawn anew
  ASSERT_TRUE(delivered(ask(0)));
  ASSERT_TRUE(delivered(ask(10)));  // beyond the job

  ASSERT_EQ(results_.size(), 4u);
  EXPECT_GT(test::colouredPixels(results_[0].image.get()), 0);
  EXPECT_EQ(test::colouredPixels(results_[1].image.get()), 0);
  EXPECT_EQ(results_[2].sheetCount, 3);
  EXPECT_FALSE(results_[3].image);
  EXPECT_EQ(renderer_.counts().fromCache, 1);
  EXPECT_EQ(renderer_.counts().rendered, 2);
}

}  // namespace
}  // namespace pdehost::preview
