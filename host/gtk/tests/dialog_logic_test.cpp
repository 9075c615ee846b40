#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "frame_placement.h"
#include "summary_rows.h"

namespace pdehost::gtk {
namespace {

TEST(PlaceFrame, FlipsTheLayoutsLowerLeftOriginToGtksTopLeft) {
  // A 17-point title at y 290 in a 330-point tab page.
  const Placement title = placeFrame({20, 290, 150, 17}, 330, 0);
  EXPECT_EQ(title.x, 20);
  EXPECT_EQ(title.y, 23);
  EXPECT_EQ(title.width, 150);
  EXPECT_EQ(title.height, 17);
  // A control at the bottom edge sits flush with the container's bottom.
  const Placement bottom = placeFrame({0, 0, 560, 362}, 400, 0);
  EXPECT_EQ(bottom.y, 38);
  EXPECT_EQ(bottom.y + bottom.height, 400);
}

TEST(PlaceFrame, AWidgetTallerThanItsFrameStaysCentredOnIt) {
  // Title and popup of one row share a centre line in the layout (298.5 and
  // 298); a popup drawn 34 pixels high must keep it.
  const Placement popup = placeFrame({175, 285, 220, 26}, 330, 34);
  EXPECT_EQ(popup.height, 34);
  const double frameCentre = 330 - 285 - 13;  // 32 from the top
  EXPECT_EQ(popup.y + popup.height / 2, frameCentre);
  // A widget smaller than its frame fills the frame.
  const Placement check = placeFrame({32, 93, 227, 18}, 400, 12);
  EXPECT_EQ(check.height, 18);
  EXPECT_EQ(check.y, 289);
}

TEST(PlaceFrame, NegativeSizesAndFractionsBecomeWholeNonNegativePixels) {
  const Placement odd = placeFrame({10.6, 20.4, -5, -3}, 100, 0);
  EXPECT_EQ(odd.x, 11);
  EXPECT_EQ(odd.width, 0);
  EXPECT_EQ(odd.height, 0);
}

// A panel's summaryInfo answer and the lines the pane shows for it.
struct SummaryCase {
  std::string name;
  nlohmann::json info;
  std::vector<SummaryRow> rows;
};

class SummaryRowsOf : public testing::TestWithParam<SummaryCase> {};

TEST_P(SummaryRowsOf, ShowTheListedTitlesWithTheirValues) { EXPECT_EQ(summaryRows(GetParam().info), GetParam().rows); }

// Odd answers give what can be shown and never throw.
INSTANTIATE_TEST_SUITE_P(
    Answers, SummaryRowsOf,
    testing::Values(
        SummaryCase{"DisplayOrderNotKeyOrder",
                    {{"Color Mode", "Grayscale"},
                     {"Print Priority", "Speed"},
                     {"Toner Save", "On"},
                     {"Summary Display Order", {"Print Priority", "Toner Save", "Color Mode"}}},
                    {{"Print Priority", "Speed"}, {"Toner Save", "On"}, {"Color Mode", "Grayscale"}}},
        SummaryCase{"TitleListedTwiceShowsTwice",
                    {{"Trapping", "Wide"}, {"Summary Display Order", {"Trapping", "Trapping"}}},
                    {{"Trapping", "Wide"}, {"Trapping", "Wide"}}},
        SummaryCase{"EmptyObject", nlohmann::json::object(), {}}, SummaryCase{"Null", nullptr, {}},
        SummaryCase{"Array", nlohmann::json::array({1, 2}), {}},
        SummaryCase{"NoDisplayOrderGoesByKey", {{"B", "two"}, {"A", 1}}, {{"A", "1"}, {"B", "two"}}},
        SummaryCase{"ListedTitleWithoutEntryAndValuesNotTexts",
                    {{"Count", 3}, {"Summary Display Order", {"Missing", 7, "Count"}}},
                    {{"Missing", ""}, {"Count", "3"}}}),
    [](const testing::TestParamInfo<SummaryCase>& info) { return info.param.name; });

}  // namespace
}  // namespace pdehost::gtk
