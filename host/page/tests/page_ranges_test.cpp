#include "page_ranges.h"

#include <gtest/gtest.h>

namespace pdehost::page {
namespace {

struct RangeRow {
  std::string_view text;
  std::optional<int> longest;
  // The "page-ranges" option when read, else the problem and the piece named.
  std::string_view option;
  std::optional<RangeProblem> problem = std::nullopt;
  std::string_view piece = "";
};

class PageRanges : public testing::TestWithParam<RangeRow> {};

TEST_P(PageRanges, ReadsOrRefusesWithThePiece) {
  const RangeRow& row = GetParam();
  const ParsedRanges parsed = parsePageRanges(row.text, row.longest);
  if (!row.problem) {
    ASSERT_TRUE(parsed.ok()) << parsed.error->piece;
    EXPECT_EQ(pageRangesOption(parsed.ranges), row.option);
    return;
  }
  ASSERT_FALSE(parsed.ok()) << pageRangesOption(parsed.ranges);
  EXPECT_EQ(parsed.error->problem, *row.problem);
  EXPECT_EQ(parsed.error->piece, row.piece);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, PageRanges,
    testing::Values(
        RangeRow{"", std::nullopt, ""}, RangeRow{"  ", 3, ""}, RangeRow{"1-3, 5, 8-", std::nullopt, "1-3,5,8-"},
        RangeRow{" 2 - 3 ", 3, "2-3"}, RangeRow{"7", std::nullopt, "7"},
        // Sorted and joined, as the server takes only ascending ranges apart.
        RangeRow{"5, 1-3", 9, "1-3,5"}, RangeRow{"1-3,2-6,7", 9, "1-7"}, RangeRow{"4-,2-5,9", 9, "2-"},
        RangeRow{"3,3", 9, "3"},
        // A range reaching past the end still prints the pages it has.
        RangeRow{"2-10", 3, "2-10"},
        RangeRow{"5-2", 9, "", RangeProblem::Backwards, "5-2"},
        RangeRow{"1, a", 9, "", RangeProblem::NotAPageNumber, "a"},
        RangeRow{"1-b", 9, "", RangeProblem::NotAPageNumber, "1-b"},
        RangeRow{"0", 9, "", RangeProblem::NotAPageNumber, "0"},
        RangeRow{"-3", 9, "", RangeProblem::NotAPageNumber, "-3"},
        RangeRow{"+3", 9, "", RangeProblem::NotAPageNumber, "+3"},
        RangeRow{"1,,2", 9, "", RangeProblem::NotAPageNumber, ""},
        RangeRow{"99999999999", std::nullopt, "", RangeProblem::NotAPageNumber, "99999999999"},
        RangeRow{"1-2-3", 9, "", RangeProblem::NotAPageNumber, "1-2-3"},
        RangeRow{"2, 4-", 3, "", RangeProblem::PastTheEnd, "4-"},
        RangeRow{"4", 3, "", RangeProblem::PastTheEnd, "4"}));

}  // namespace
}  // namespace pdehost::page
