// pdehost run as a program on the built TintPanel bundle, as the README's
// main job and a person's scripts run it.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>

#include "pdehost_run.h"

namespace {

namespace fs = std::filesystem;
using nlohmann::json;
using pdehost_test::HostRun;
using pdehost_test::readFile;

class PdeHost : public testing::Test {
 protected:
  // Runs pdehost with `args`, the script on its standard input.
  HostRun run(std::vector<std::string> args, const std::string& script, bool jsonLines = true) {
    return pdehost_test::runPdeHost(PDEHOST_PROGRAM, dir_, args, script, jsonLines);
  }

  // A copy of the built bundle whose resources a test may spoil.
  fs::path copyOfBundle() {
    fs::path copy = dir_ / "TintPanel.plugin";
    fs::copy(TINTPANEL_BUNDLE, copy, fs::copy_options::recursive);
    return copy;
  }

  fs::path writePpd(const std::string& name, const std::string& options) {
    std::string text = readFile(SAMPLE_PPD);
    auto start = text.find("*OpenGroup: ImageQuality");
    auto end = text.find("*CloseGroup: ImageQuality");
    text = text.substr(0, start) + options + text.substr(end + std::string("*CloseGroup: ImageQuality").size());
    fs::path path = dir_ / name;
    std::ofstream(path) << text;
    return path;
  }

  std::vector<std::string> bundleArgs() { return {"--plugin", TINTPANEL_BUNDLE}; }

  qvx::test::TempDir temp_;
  const fs::path& dir_ = temp_.path();
};

TEST_F(PdeHost, AnswersTheProtocolForTheSamplePrinter) {
  HostRun r = run(bundleArgs(), "panelName\npanelKind\nsupportedPPDOptionKeys\nshouldHide\nshouldShowHelp\n");
  ASSERT_EQ(r.status, 0) << r.err;
  ASSERT_EQ(r.lines.size(), 5u);
  EXPECT_EQ(r.lines[0], (json{{"command", "panelName"}, {"result", "Image Quality"}}));
  EXPECT_EQ(r.lines[1]["result"], "vemra.print.pde.lx4200.TintPanel");
  EXPECT_EQ(r.lines[2]["result"], json::array({"VMCMode", "VMCPPriority", "VMCNGray", "VMCPureB", "VMSaveToner",
                                               "VMCScreen", "VMCTrapping", "VMCSharpness", "VMSmoothing"}));
  EXPECT_EQ(r.lines[3]["result"], true);
  EXPECT_EQ(r.lines[4]["result"], true);
  EXPECT_EQ(r.err, "");
}

TEST_F(PdeHost, ShowsTheFilledColor6Panel) {
  HostRun r = run(bundleArgs(), "panelView\nstate\nrestore\nstate\n");
  ASSERT_EQ(r.status, 0) << r.err;
  ASSERT_EQ(r.lines.size(), 4u);
  EXPECT_EQ(r.lines[0]["result"]["kind"], "View");
  // Filling disables the image type, which the description does not give.
  EXPECT_EQ(r.lines[1]["controls"]["imageTypePopup"]["enabled"], false);
  EXPECT_EQ(r.lines[2]["result"], true);
  EXPECT_EQ(r.lines[2]["error"], nullptr);
  const json& controls = r.lines[3]["controls"];
  // Popups filled from the sample description, labels from its texts.
  json modes = json::array();
  for (const auto& item : controls["colorModePopup"]["items"]) modes.push_back(item["title"]);
  EXPECT_EQ(modes, json::array({"Auto Color", "Full Color", "Grayscale"}));
  EXPECT_EQ(controls["colorModeTitle"]["text"], "Color Mode:");
  EXPECT_EQ(controls["tonerSaveCB"]["title"], "Toner Save");
  EXPECT_EQ(controls["screeningPopup"]["items"].size(), 4u);
  // The toner-save checkbox moved and the smoothing checkbox built.
  EXPECT_EQ(controls["tonerSaveCB"]["frame"], json::array({12, 43, 227, 18}));
  EXPECT_EQ(controls["SmoothingCB"]["frame"], json::array({32, 93, 227, 18}));
  EXPECT_EQ(controls["SmoothingCB"]["buttonType"], "checkbox");
  EXPECT_EQ(controls["SmoothingCB"]["title"], "Smoothing");
  // Two tabs left, the first selected; the image type popup disabled.
  EXPECT_EQ(controls["mainTabView"]["tabs"].size(), 2u);
  EXPECT_EQ(controls["mainTabView"]["selectedIdentifier"], "0");
  EXPECT_EQ(controls["preservepurecmykcolorsCB"]["hidden"], true);
  EXPECT_EQ(controls["trappingCB"]["hidden"], false);
  EXPECT_EQ(controls["saveSettingsButton"]["image"]["size"], json::array({18, 18}));
  EXPECT_EQ(r.lines[3]["panel"]["hasInited"], true);
}

TEST_F(PdeHost, PlainShowDrawsThePanelForPeople) {
  HostRun r = run({"--plugin", TINTPANEL_BUNDLE, "--plain"}, "panelView\nrestore\nshow\n", false);
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("Tabs: [Basic] | Color"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("Color Mode:   [Auto Color v] (3 items)"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("Smoothing"), std::string::npos) << r.out;
}

TEST_F(PdeHost, UserCommandsActOnlyOnWhatAPersonCanReach) {
  HostRun r = run(bundleArgs(),
              "panelView\nrestore\n"
              "select imageTypePopup 1\n"     // disabled by set-up, on another tab
              "select colorModePopup 5\n"     // no such item
              "click preservepurecmykcolorsCB\n"
              "select colorModePopup 1\n");
  ASSERT_EQ(r.status, 0) << r.err;
  ASSERT_EQ(r.lines.size(), 6u);
  EXPECT_EQ(r.lines[2]["ok"], false);
  EXPECT_EQ(r.lines[3]["error"], "colorModePopup has no item 5");
  EXPECT_EQ(r.lines[4]["ok"], false);
  EXPECT_EQ(r.lines[5]["ok"], true);
  EXPECT_EQ(r.lines[5]["title"], "Full Color");
}

TEST_F(PdeHost, NoConstraintHandlingGivesNoPanel) {
  HostRun r = run({"--plugin", TINTPANEL_BUNDLE, "--no-constraints"}, "panelName\n");
  EXPECT_EQ(r.status, 4);
  ASSERT_EQ(r.lines.size(), 1u);
  EXPECT_EQ(r.lines[0], (json{{"panels", nullptr}}));
  EXPECT_NE(r.err.find("gave no panel (nil)"), std::string::npos) << r.err;
}

TEST_F(PdeHost, OtherExtensionTypesGetNoPanels) {
  HostRun r = run({"--plugin", TINTPANEL_BUNDLE, "--type", "bdb091f4-e57f-11d3-b5cc-0050e4603277"}, "panelName\n");
  EXPECT_EQ(r.status, 4);
  ASSERT_EQ(r.lines.size(), 1u);
  EXPECT_EQ(r.lines[0], (json{{"panels", json::array()}}));
}

TEST_F(PdeHost, DescriptionWithNoneOfTheOptionsGivesNoPanelAndOneOptionDoes) {
  HostRun none = run({"--plugin", TINTPANEL_BUNDLE, "--ppd", writePpd("none.ppd", "").string()}, "panelName\n");
  EXPECT_EQ(none.status, 4);
  EXPECT_EQ(none.lines.at(0), (json{{"panels", nullptr}}));
  const std::string smoothing =
      "*OpenUI *VMSmoothing/Smoothing: Boolean\n*DefaultVMSmoothing: True\n*VMSmoothing False/Off: \"\"\n"
      "*VMSmoothing True/On: \"\"\n*CloseUI: *VMSmoothing\n";
  HostRun one = run({"--plugin", TINTPANEL_BUNDLE, "--ppd", writePpd("one.ppd", smoothing).string()},
                "panelView\nstate\n");
  ASSERT_EQ(one.status, 0) << one.err;
  const json& controls = one.lines.at(1)["controls"];
  EXPECT_EQ(controls["colorModePopup"]["enabled"], false);
  EXPECT_EQ(controls["colorModePopup"]["items"].size(), 0u);
  EXPECT_EQ(controls["SmoothingCB"]["title"], "Smoothing");
}

TEST_F(PdeHost, MalformedLayoutGivesNoViewAndIsReported) {
  fs::path bundle = copyOfBundle();
  std::ofstream(bundle / "Contents" / "Resources" / "Color6.json") << "{\"views\": [{\"class\": \"View\",";
  HostRun r = run({"--plugin", bundle.string()}, "panelView\nrestore\nselect colorModePopup 1\nsummaryInfo\n");
  ASSERT_EQ(r.status, 0) << r.err;
  ASSERT_EQ(r.lines.size(), 4u);
  EXPECT_EQ(r.lines[0]["result"], nullptr);
  ASSERT_TRUE(r.lines[0].contains("problems"));
  EXPECT_NE(r.lines[0]["problems"][0].get<std::string>().find("Color6.json: not valid JSON"), std::string::npos);
  EXPECT_NE(r.err.find("Color6.json: not valid JSON"), std::string::npos) << r.err;
  EXPECT_EQ(r.lines[1]["result"], true);
  EXPECT_EQ(r.lines[2]["error"], "the panel is not shown (no panelView yet)");
}

TEST_F(PdeHost, MalformedStringsTableIsReportedAndKeysStand) {
  fs::path bundle = copyOfBundle();
  std::ofstream(bundle / "Contents" / "Resources" / "en.lproj" / "Localizable.strings") << "\"Image Quality\" = ";
  HostRun r = run({"--plugin", bundle.string()}, "panelName\n");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.lines.at(0)["result"], "Image Quality");
  ASSERT_TRUE(r.lines[0].contains("problems"));
  EXPECT_NE(r.err.find("Localizable.strings: line 1"), std::string::npos) << r.err;
}

TEST_F(PdeHost, BadFilesAndCommandLinesExitWithAMessage) {
  const std::string bundle = TINTPANEL_BUNDLE;
  const std::vector<HostRun> runs = pdehost_test::expectEndings(
      PDEHOST_PROGRAM, dir_,
      {{"no plug-in", {{"--plugin", (dir_ / "missing.plugin").string()}, ""}, 3, {"no such plug-in bundle"}},
       {"no description", {{"--plugin", bundle, "--ppd", (dir_ / "x.ppd").string()}, ""}, 3,
        {"x.ppd: cannot be opened"}},
       {"bad settings", {{"--plugin", bundle, "--settings", temp_.write("bad.json", "[1]").string()}, ""}, 3,
        {"must be a JSON object"}},
       {"usage", {{"--plugin"}, ""}, 2, {"--plugin needs a value"}},
       {"script", {bundleArgs(), "panelName\nselect colorModePopup\n"}, 1, {"stdin:2: select takes OUTLET INDEX"}}});
  EXPECT_EQ(runs[4].lines.size(), 1u);
}

TEST_F(PdeHost, SettingsFileAndNoSettings) {
  std::ofstream(dir_ / "s.json") << R"({"VMCMode": "Gray", "other": "kept"})";
  HostRun with = run({"--plugin", TINTPANEL_BUNDLE, "--settings", (dir_ / "s.json").string()}, "settings\n");
  ASSERT_EQ(with.status, 0) << with.err;
  EXPECT_EQ(with.lines.at(0)["settings"]["other"], "kept");
  HostRun without = run({"--plugin", TINTPANEL_BUNDLE, "--no-settings"}, "restore\nshouldPrint\nsettings\n");
  ASSERT_EQ(without.status, 0) << without.err;
  EXPECT_EQ(without.lines.at(1)["result"], true);
  EXPECT_EQ(without.lines.at(2)["settings"], nullptr);
}

TEST_F(PdeHost, PresetsAreSavedPickedAndDeletedByName) {
  setenv("XDG_CONFIG_HOME", dir_.c_str(), 1);
  const std::string name = "Proofs – Grayscale, \"toner\" save";
  HostRun saved = run(bundleArgs(), "panelView\nrestore\nselect colorModePopup 2\nclick tonerSaveCB\n"
                                    "save-preset " + name + "\nsave-preset  " + name + " \npresets\n");
  EXPECT_EQ(saved.status, 5) << saved.err;  // the second save of the same name is refused
  EXPECT_EQ(saved.lines.at(4)["result"]["preset"], name);
  EXPECT_NE(saved.lines.at(5)["error"].get<std::string>().find("exists already"), std::string::npos);
  const json listed = saved.lines.at(6)["result"]["presets"];
  ASSERT_EQ(listed.size(), 3u) << listed.dump();
  EXPECT_EQ(listed[0]["name"], "Default Settings");
  EXPECT_EQ(listed[1]["name"], "Last Used Settings");
  EXPECT_EQ(listed[2]["name"], name);

  // Another run picks it through the panel's restore; the rules and the
  // summary follow. Then it is replaced and deleted.
  HostRun used = run(bundleArgs(), "panelView\nrestore\nuse-preset " + name +
                                       "\nsummaryInfo\nuse-preset Default Settings\nsummaryInfo\n"
                                       "save-preset --replace " + name + "\ndelete-preset " + name +
                                       "\nuse-preset " + name + "\ndelete-preset Default Settings\n");
  unsetenv("XDG_CONFIG_HOME");
  EXPECT_EQ(used.status, 5) << used.err;
  EXPECT_EQ(used.lines.at(2)["result"], true);
  EXPECT_EQ(used.lines.at(3)["result"]["Color Mode"], "Grayscale");
  EXPECT_EQ(used.lines.at(3)["result"]["Toner Save"], "On");
  EXPECT_EQ(used.lines.at(5)["result"]["Color Mode"], "Auto Color");
  EXPECT_EQ(used.lines.at(6)["result"]["replaced"], true);
  EXPECT_EQ(used.lines.at(7)["result"]["deleted"], true);
  EXPECT_EQ(used.lines.at(8)["error"], "there is no preset named \"" + name + "\"");
  EXPECT_EQ(used.lines.at(9)["ok"], false);
}

TEST_F(PdeHost, DefaultPluginAndPpdAreTheBuiltBundle) {
  HostRun r = run({}, "panelName\n");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.lines.at(0)["result"], "Image Quality");
}

}  // namespace
