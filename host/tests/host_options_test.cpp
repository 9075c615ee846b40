#include "session/host_options.h"

#include <gtest/gtest.h>

#include <fstream>

#include "temp_dir.h"

namespace pdehost {
namespace {

TEST(HostOptions, DefaultsWithoutArguments) {
  std::string error;
  auto options = parseHostOptions({}, &error);
  ASSERT_TRUE(options) << error;
  EXPECT_TRUE(options->plugin.empty());
  EXPECT_TRUE(options->ppd.empty());
  EXPECT_EQ(options->printer, std::nullopt);  // chosen as a print dialog does
  EXPECT_FALSE(options->settingsFile);
  EXPECT_FALSE(options->noSettings);
  EXPECT_FALSE(options->noConstraints);
  EXPECT_TRUE(options->type.empty());
  EXPECT_TRUE(options->script.empty());
}

TEST(HostOptions, EveryOptionInBothSpellings) {
  std::string error;
  auto options = parseHostOptions({"--plugin", "/p/TintPanel.plugin", "--ppd=/x.ppd", "--printer", "Office 2",
                                   "--settings", "s.json", "--no-constraints", "--type=T", "--plain", "script.txt"},
                                  &error);
  ASSERT_TRUE(options) << error;
  EXPECT_EQ(options->plugin, "/p/TintPanel.plugin");
  EXPECT_EQ(options->ppd, "/x.ppd");
  EXPECT_EQ(options->printer, "Office 2");
  EXPECT_EQ(options->settingsFile, std::filesystem::path("s.json"));
  EXPECT_TRUE(options->noConstraints);
  EXPECT_EQ(options->type, "T");
  EXPECT_TRUE(options->plain);
  EXPECT_EQ(options->script, "script.txt");
  EXPECT_EQ(parseHostOptions({"--printer="}, &error)->printer, "");  // no printer at all
  EXPECT_EQ(parseHostOptions({"--", "--odd-script-name"}, &error)->script, "--odd-script-name");
  EXPECT_EQ(parseHostOptions({"-"}, &error)->script, "-");
}

TEST(HostOptions, TheWindowTakesDocumentsAndItsScriptByName) {
  std::string error;
  auto options = parseHostOptions({"a.pdf", "--gui", "--script", "s.txt", "b c.txt"}, &error);
  ASSERT_TRUE(options) << error;
  EXPECT_EQ(options->documents, (std::vector<std::filesystem::path>{"a.pdf", "b c.txt"}));
  EXPECT_EQ(options->script, "s.txt");
  EXPECT_FALSE(parseHostOptions({"--script", "s.txt", "t.txt"}, &error));
  EXPECT_EQ(error, "more than one script given: t.txt");
}

TEST(HostOptions, BadCommandLinesAreExplained) {
  struct Case {
    std::vector<std::string> args;
    const char* message;
  };
  for (const Case& c : std::vector<Case>{
           {{"--plugin"}, "--plugin needs a value"},
           {{"--ppd="}, "--ppd needs a value"},
           {{"--frob"}, "unknown option --frob"},
           {{"--no-settings=1"}, "unknown option --no-settings=1"},
           {{"a", "b"}, "more than one script given: b"},
           {{"--settings", "s.json", "--no-settings"}, "--settings and --no-settings exclude each other"},
       }) {
    std::string error;
    EXPECT_FALSE(parseHostOptions(c.args, &error));
    EXPECT_EQ(error, c.message);
  }
}

TEST(HostOptions, DefaultPluginIsFoundBesideTheProgram) {
  const qvx::test::TempDir dir;
  const std::filesystem::path& root = dir.path();
  std::filesystem::create_directories(root / "host");
  EXPECT_TRUE(defaultPluginBeside(root / "host" / "pdehost").empty());
  std::filesystem::create_directories(root / "panel" / "TintPanel.plugin");
  EXPECT_EQ(defaultPluginBeside(root / "host" / "pdehost"), root / "panel" / "TintPanel.plugin");
  std::filesystem::create_directories(root / "host" / "TintPanel.plugin");
  EXPECT_EQ(defaultPluginBeside(root / "host" / "pdehost"), root / "host" / "TintPanel.plugin");
}

}  // namespace
}  // namespace pdehost
