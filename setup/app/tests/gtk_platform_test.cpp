#include "gtk_platform.h"

#include <gtest/gtest.h>

namespace qvx {
namespace {

TEST(EnvironmentFromEntries, SplitsAtTheFirstEqualsSignAndKeepsTheFirstOfTwins) {
  std::string entries[] = {"PATH=/usr/bin", "EMPTY=", "EQUALS=a=b=c", "NO_EQUALS_SIGN", "PATH=/second"};
  std::vector<char*> pointers;
  for (auto& entry : entries) pointers.push_back(entry.data());
  pointers.push_back(nullptr);

  const auto environment = environmentFromEntries(pointers.data());
  const std::map<std::string, std::string> expected = {
      {"PATH", "/usr/bin"}, {"EMPTY", ""}, {"EQUALS", "a=b=c"}};
  EXPECT_EQ(environment, expected);
  EXPECT_TRUE(environmentFromEntries(nullptr).empty());
}

}  // namespace
}  // namespace qvx
