#include <gtest/gtest.h>

#include <set>
#include <string>

#include "failure_texts.h"

namespace pdehost::gtk {
namespace {

std::multiset<std::string> holesOf(std::string_view wording) {
  std::multiset<std::string> holes;
  for (auto open = wording.find('{'); open != std::string_view::npos; open = wording.find('{', open + 1)) {
    const auto close = wording.find('}', open);
    if (close == std::string_view::npos) break;
    holes.emplace(wording.substr(open, close + 1 - open));
  }
  return holes;
}

TEST(FailureTexts, EveryKindIsWordedInEnglishGermanAndPortugueseWithTheSameHoles) {
  // The list the check walks holds every kind of the enum (reason is its last).
  EXPECT_EQ(allFailureKinds().size(), static_cast<std::size_t>(FailureKind::reason) + 1);
  for (FailureKind kind : allFailureKinds()) {
    const std::string_view english = failureWording(kind, "en");
    ASSERT_FALSE(english.empty()) << static_cast<int>(kind);
    for (std::string_view language : {"de", "pt"}) {
      const std::string_view wording = failureWording(kind, language);
      SCOPED_TRACE(std::string(english) + " -> " + std::string(language) + ": " + std::string(wording));
      EXPECT_FALSE(wording.empty());
      if (kind != FailureKind::reason) {
        EXPECT_NE(wording, english);  // translated, not copied
      }
      EXPECT_EQ(holesOf(wording), holesOf(english));
    }
  }
}

}  // namespace
}  // namespace pdehost::gtk
