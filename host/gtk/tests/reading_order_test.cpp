// Reading order of controls placed at fixed points, without a display.
#include <gtest/gtest.h>

#include "reading_order.h"

namespace pdehost::gtk {
namespace {

using Order = std::vector<std::size_t>;

TEST(ReadingOrderTest, RowsTopToBottomAndLeftToRightWithin) {
  // A popup and a checkbox share a row though their heights differ; a
  // checkbox listed last sits between two rows and is read there.
  const std::vector<Extent> controls = {
      {175, 10, 220, 26},  // 0: popup, first row
      {405, 14, 140, 18},  // 1: checkbox to its right
      {248, 50, 110, 24},  // 2: slider, second row
      {32, 110, 227, 18},  // 3: checkbox, fourth row
      {32, 80, 227, 18},   // 4: checkbox added last, third row
  };
  EXPECT_EQ(readingOrder(controls), (Order{0, 1, 2, 4, 3}));
  EXPECT_EQ(readingOrder({}), Order{});
}

TEST(ReadingOrderTest, ATallGroupBesideAColumnIsReadByItsTopEdge) {
  const std::vector<Extent> controls = {
      {20, 10, 250, 18},    // 0: checkbox
      {290, 20, 250, 170},  // 1: group box, beside rows 2 to 4
      {142, 40, 140, 26},   // 2
      {142, 72, 140, 26},   // 3
      {20, 170, 250, 18},   // 4
  };
  EXPECT_EQ(readingOrder(controls), (Order{0, 1, 2, 3, 4}));
}

}  // namespace
}  // namespace pdehost::gtk
