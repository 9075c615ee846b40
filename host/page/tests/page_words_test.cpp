#include "page_words.h"

#include <gtest/gtest.h>

namespace pdehost::page {
namespace {

std::size_t holes(std::string_view text) {
  std::size_t count = 0;
  for (std::size_t at = text.find("{}"); at != std::string_view::npos; at = text.find("{}", at + 2)) ++count;
  return count;
}

// A translation that drops a hole would drop the file or page it names.
TEST(PageWords, EveryRowIsTranslatedWithTheSameHoles) {
  for (const LanguageText& row : pageWords()) {
    EXPECT_FALSE(row.de.empty() || row.pt.empty()) << row.en;
    EXPECT_EQ(holes(row.de), holes(row.en)) << row.en;
    EXPECT_EQ(holes(row.pt), holes(row.en)) << row.en;
  }
  EXPECT_EQ(pageWords("pt", "{}: the file is empty", {"/tmp/a.pdf"}), "/tmp/a.pdf: o ficheiro está vazio");
  EXPECT_EQ(pageWords("de", "untranslated {}", {"x"}), "untranslated x");
}

}  // namespace
}  // namespace pdehost::page
