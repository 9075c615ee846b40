#include "print_settings.h"

#include <gtest/gtest.h>

#include <fstream>

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

TEST(PrintSettings, FromJsonTakesTextsAndIntegers) {
  std::string error;
  auto settings = JsonPrintSettings::fromJson({{"VMCMode", "Gray"}, {"vemra.print.PrintSettings.co.kestrel2", 4}},
                                              &error);
  ASSERT_TRUE(settings) << error;
  std::string value;
  settings->getValue("vemra.print.PrintSettings.co.kestrel2", &value);
  EXPECT_EQ(value, "4");
  for (const auto& bad : {nlohmann::json::array(), nlohmann::json{{"a", 1.5}}, nlohmann::json{{"a", nullptr}},
                          nlohmann::json{{"a", true}}, nlohmann::json{{"a", {{"b", "c"}}}}}) {
    EXPECT_FALSE(JsonPrintSettings::fromJson(bad, &error)) << bad;
  }
  EXPECT_EQ(error, "print setting \"a\" must be a text or an integer");
}

TEST(PrintSettings, LoadNamesTheFileInErrors) {
  std::string error;
  EXPECT_FALSE(JsonPrintSettings::load("/nonexistent.json", &error));
  EXPECT_EQ(error, "/nonexistent.json: cannot be opened");
  const std::string path = testing::TempDir() + "pdehost-settings.json";
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
