#include "script/command_table.h"

#include <gtest/gtest.h>

namespace pdehost {
namespace {

using Words = std::vector<std::string>;

TEST(SplitCommandLine, BlanksQuotesAndEscapes) {
  std::string error;
  EXPECT_EQ(*splitCommandLine("  select   colorModePopup\t2 \r", &error), (Words{"select", "colorModePopup", "2"}));
  EXPECT_EQ(*splitCommandLine("save-settings \"/tmp/my file.json\"", &error),
            (Words{"save-settings", "/tmp/my file.json"}));
  EXPECT_EQ(*splitCommandLine(R"(x "a\"b\\c" d"e f"g)", &error), (Words{"x", "a\"b\\c", "de fg"}));
  EXPECT_EQ(*splitCommandLine(R"(x "")", &error), (Words{"x", ""}));
  EXPECT_TRUE(splitCommandLine("", &error)->empty());
  EXPECT_FALSE(splitCommandLine("x \"open", &error));
  EXPECT_EQ(error, "a double quote is not closed");
}

TEST(ParseInteger, WholeDecimalNumbersOnly) {
  EXPECT_EQ(parseInteger("0"), 0);
  EXPECT_EQ(parseInteger("-1"), -1);
  EXPECT_EQ(parseInteger("42"), 42);
  EXPECT_EQ(parseInteger(""), std::nullopt);
  EXPECT_EQ(parseInteger("+1"), std::nullopt);
  EXPECT_EQ(parseInteger("1.5"), std::nullopt);
  EXPECT_EQ(parseInteger("2x"), std::nullopt);
  EXPECT_EQ(parseInteger("99999999999999999999"), std::nullopt);
}

}  // namespace
}  // namespace pdehost
