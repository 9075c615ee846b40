#include "store/print_settings.h"

#include <gtest/gtest.h>

#include <fstream>

#include "temp_dir.h"

namespace pdehost {
namespace {

TEST(PrintSettings, GetAndSetWithStatuses) {
  JsonPrintSettings settings;
  std::string value = "untouched";
  EXPECT_EQ(settings.getValue("VMCMode", &value), pde::kPrintSettingsKeyNotFound);
  EXPECT_EQ(value, "untouched");
  EXPECT_EQ(settings.setValue("VMCMode", "Gray", false), pde::kPrintSettingsNoErr);
  EXPECT_EQ(settings.getValue("VMCMode", &value), pde::kPrintSettingsNoErr);
  EXPECT_EQ(value, "Gray");
  settings.setValue("VMCMode", "Color", true);
  EXPECT_TRUE(settings.isLocked("VMCMode"));
  EXPECT_EQ(settings.toJson(), (nlohmann::json{{"VMCMode", "Color"}}));
}

TEST(PrintSettings, FromJsonKeepsValuesThatAreNotTexts) {
  std::string error;
  const nlohmann::json loaded = {{"VMCMode", "Gray"}, {"vemra.print.PrintSettings.co.kestrel2", 4},
                                 {"a", 1.5}, {"b", nullptr}, {"c", true}, {"d", {{"e", "f"}}}, {"g", {1, "2"}}};
  auto settings = JsonPrintSettings::fromJson(loaded, &error);
  ASSERT_TRUE(settings) << error;
  EXPECT_EQ(settings->toJson(), loaded);
  std::string value = "untouched";
  for (const char* key : {"vemra.print.PrintSettings.co.kestrel2", "a", "b", "c", "d", "g"}) {
    EXPECT_EQ(settings->getValue(key, &value), kPrintSettingsValueNotText) << key;
  }
  EXPECT_EQ(value, "untouched");
  settings->setValue("a", "1", false);
  EXPECT_EQ(settings->getValue("a", &value), pde::kPrintSettingsNoErr);
  EXPECT_EQ(value, "1");
  EXPECT_FALSE(JsonPrintSettings::fromJson(nlohmann::json::array(), &error));
  EXPECT_FALSE(JsonPrintSettings::fromJson("text", &error));
}

TEST(PrintSettings, LoadNamesTheFileInErrors) {
  std::string error;
  EXPECT_FALSE(JsonPrintSettings::load("/nonexistent.json", &error));
  EXPECT_EQ(error, "/nonexistent.json: cannot be opened");
  const qvx::test::TempDir dir;
  const std::string path = (dir.path() / "pdehost-settings.json").string();
  std::ofstream(path) << "{\"VMCMode\": ";
  EXPECT_FALSE(JsonPrintSettings::load(path, &error));
  EXPECT_EQ(error.rfind(path + ": not valid JSON", 0), 0u) << error;
  std::ofstream(path) << "[\"VMCMode\"]";
  EXPECT_FALSE(JsonPrintSettings::load(path, &error));
  EXPECT_EQ(error, path + ": print settings must be a JSON object of texts");
  std::ofstream(path) << "{\"VMCMode\": \"Gray\"}";
  auto settings = JsonPrintSettings::load(path, &error);
  ASSERT_TRUE(settings) << error;
  EXPECT_EQ(settings->toJson(), (nlohmann::json{{"VMCMode", "Gray"}}));
}

}  // namespace
}  // namespace pdehost
