#include "page_languages.h"

#include <gtest/gtest.h>

namespace qvx {
namespace {

TEST(PageLanguages, LocaleNamesBecomeLanguageTagsInOrder) {
  // As GLib lists them for LANGUAGE=pt_PT:de with LANG=pt_PT.UTF-8.
  EXPECT_EQ(pageLanguages({"pt_PT.UTF-8", "pt_PT", "pt.UTF-8", "pt", "de", "C"}),
            (std::vector<std::string>{"pt-PT", "pt", "de"}));
  EXPECT_EQ(pageLanguages({"de_DE@euro", "de_DE", "de", "de"}), (std::vector<std::string>{"de-DE", "de"}));
  EXPECT_TRUE(pageLanguages({"C", "POSIX", "C.UTF-8"}).empty());
}

}  // namespace
}  // namespace qvx
