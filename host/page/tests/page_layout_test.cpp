#include "page_layout.h"

#include <gtest/gtest.h>

namespace pdehost::page {
namespace {

using Options = std::vector<std::pair<std::string, std::string>>;

TEST(PageLayout, IsSentAsCupsOwnOptionsAndReadBackFromThem) {
  PageLayout layout;
  layout.pages = {{2, 3}, {8, std::nullopt}};
  layout.perSheet = 4;
  layout.orientation = Orientation::Landscape;
  layout.fitToPage = true;
  layout.reverse = true;
  layout.collate = false;
  const Options sent = layoutJobOptions(layout, 2);
  EXPECT_EQ(sent, (Options{{"page-ranges", "2-3,8-"},
                           {"number-up", "4"},
                           {"orientation-requested", "4"},
                           {"fit-to-page", "true"},
                           {"print-scaling", "fit"},
                           {"outputorder", "reverse"},
                           {"collate", "false"}}));
  PageLayout read;
  readLayoutOptions(sent, read);
  EXPECT_EQ(read, layout);

  // One copy has nothing to collate; every page sends no range; the rest is
  // still named, so that a default kept elsewhere cannot override it.
  const Options plain = layoutJobOptions(PageLayout{}, 1);
  EXPECT_EQ(plain.front(), (std::pair<std::string, std::string>{"number-up", "1"}));
  EXPECT_EQ(plain.size(), 5u);
}

TEST(PageLayout, KeepsItsOwnValuesWhereStoredOnesCannotBeRead) {
  PageLayout layout;
  layout.perSheet = 2;
  readLayoutOptions({{"number-up", "3"}, {"orientation-requested", "6"}, {"page-ranges", "5-2"}, {"collate", "maybe"}},
                    layout);
  PageLayout expected;
  expected.perSheet = 2;
  EXPECT_EQ(layout, expected);
}

}  // namespace
}  // namespace pdehost::page
