// The bundle's localisation tables must all hold the same keys: a label added
// to one language and forgotten in another would show in English there.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>

#include "toolkit/strings_file.h"

namespace {
namespace fs = std::filesystem;

std::set<std::string> keysOf(const toolkit::StringsTable& table) {
  std::set<std::string> keys;
  for (const auto& [key, value] : table) keys.insert(key);
  return keys;
}

TEST(LocalizableTables, EveryLanguageHasTheKeysOfTheDevelopmentLanguage) {
  const fs::path resources = fs::path(TINTPANEL_BUNDLE_DIR) / "Contents" / "Resources";
  std::string error;
  auto english = toolkit::loadStringsFile(resources / "en.lproj" / "Localizable.strings", &error);
  ASSERT_TRUE(english) << error;
  std::set<std::string> languages;
  for (const auto& entry : fs::directory_iterator(resources)) {
    if (entry.path().extension() != ".lproj") continue;
    languages.insert(entry.path().stem().string());
    auto table = toolkit::loadStringsFile(entry.path() / "Localizable.strings", &error);
    ASSERT_TRUE(table) << error;
    EXPECT_EQ(keysOf(*table), keysOf(*english)) << entry.path().filename();
    for (const auto& [key, value] : *table) EXPECT_FALSE(value.empty()) << entry.path().filename() << ": " << key;
  }
  EXPECT_EQ(languages, (std::set<std::string>{"de", "en", "pt"}));
}

}  // namespace
