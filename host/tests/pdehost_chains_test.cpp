// The panel's chains as a person triggers them through pdehost scripts on the
// built TintPanel bundle and the sample description: each script picks,
// clicks and switches tabs, then reads the panel back with `state`.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

extern char** environ;

namespace {

namespace fs = std::filesystem;
using nlohmann::json;

// Every script starts from the same place: the panel shown and restored,
// print priority on its middle choice so that nothing is forced yet.
const char* const kPrologue =
    "panelView\n"
    "restore\n"
    "select printPriorityPopup 1\n";

class Chains : public testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/pdehost-chains-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    dir_ = pattern;
  }
  void TearDown() override { fs::remove_all(dir_); }

  // Runs the prologue and `script` through pdehost; one parsed line per
  // command. Fails the test when pdehost does not exit cleanly.
  std::vector<json> play(const std::string& script) {
    const fs::path in = dir_ / "script.txt", out = dir_ / "out.txt", err = dir_ / "err.txt";
    std::ofstream(in) << kPrologue << script;
    std::vector<std::string> argv = {PDEHOST_PROGRAM, "--plugin", TINTPANEL_BUNDLE, "--ppd", SAMPLE_PPD};
    std::vector<char*> cargv;
    for (auto& a : argv) cargv.push_back(a.data());
    cargv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, in.c_str(), O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    pid_t pid = 0;
    int status = -1;
    if (posix_spawn(&pid, cargv[0], &actions, nullptr, cargv.data(), environ) == 0) {
      int wstatus = 0;
      waitpid(pid, &wstatus, 0);
      status = WIFEXITED(wstatus) ? WEXITSTATUS(wstatus) : 128 + WTERMSIG(wstatus);
    }
    posix_spawn_file_actions_destroy(&actions);
    std::ifstream errors(err);
    std::stringstream errText;
    errText << errors.rdbuf();
    EXPECT_EQ(status, 0) << errText.str();

    std::vector<json> lines;
    std::ifstream output(out);
    for (std::string line; std::getline(output, line);) {
      json parsed = json::parse(line, nullptr, false);
      EXPECT_FALSE(parsed.is_discarded()) << "not a JSON line: " << line;
      lines.push_back(parsed);
    }
    // The prologue's three commands went through.
    EXPECT_GE(lines.size(), 3u);
    for (std::size_t i = 0; i < 3 && i < lines.size(); ++i) EXPECT_FALSE(lines[i].contains("error") && !lines[i]["error"].is_null()) << lines[i];
    if (lines.size() >= 3) lines.erase(lines.begin(), lines.begin() + 3);
    return lines;
  }

  fs::path dir_;
};

bool refused(const json& line) { return line.contains("error") && line["error"].is_string(); }

TEST_F(Chains, ColourModeTwoMovesTheImageTypeAndClosesTheColourTab) {
  auto lines = play(
      "select outputProfilePopup 3\n"  // not reachable: on the colour tab
      "tab 1\n"
      "select outputProfilePopup 3\n"
      "tab 0\n"
      "select colorModePopup 2\n"
      "state\n"
      "tab 1\n"
      "select colorModePopup 0\n"
      "tab 1\n"
      "state\n");
  ASSERT_EQ(lines.size(), 10u);
  EXPECT_TRUE(refused(lines[0])) << lines[0];
  EXPECT_EQ(lines[1]["result"], true);
  EXPECT_EQ(lines[2]["ok"], true) << lines[2];
  const json& panel = lines[5]["panel"];
  const json& controls = lines[5]["controls"];
  EXPECT_EQ(panel["colorModeChoice"], 2);
  EXPECT_EQ(panel["imageTypeChoice"], 0);
  EXPECT_EQ(controls["imageTypePopup"]["selectedIndex"], 0);
  EXPECT_EQ(controls["imageTypePopup"]["enabled"], false);
  EXPECT_EQ(panel["sourceProfileChoice"], 3);
  EXPECT_EQ(panel["blackOverprintChoice"], 1);
  EXPECT_EQ(panel["outputProfileChoice"], 0);
  EXPECT_EQ(controls["outputProfilePopup"]["selectedIndex"], 0);
  // The colour tab refuses while colour mode is 2, and opens once it is not.
  EXPECT_EQ(lines[6]["result"], false) << lines[6];
  EXPECT_EQ(lines[8]["result"], true) << lines[8];
  EXPECT_EQ(lines[9]["controls"]["imageTypePopup"]["enabled"], true);
}

TEST_F(Chains, TonerSaveOnForcesPrintPriorityScreeningAndImageType) {
  auto lines = play(
      "select screeningPopup 2\n"
      "click tonerSaveCB\n"
      "state\n"
      "select printPriorityPopup 2\n"
      "tab 1\n"
      "click tonerSaveCB\n"
      "state\n");
  ASSERT_EQ(lines.size(), 7u);
  const json& panel = lines[2]["panel"];
  const json& controls = lines[2]["controls"];
  EXPECT_EQ(panel["tonerSaveChoice"], 1);
  EXPECT_EQ(panel["printPriorityChoice"], 1);
  EXPECT_EQ(controls["printPriorityPopup"]["enabled"], false);
  EXPECT_EQ(panel["screeningChoice"], 0);
  EXPECT_EQ(controls["screeningPopup"]["selectedIndex"], 0);
  EXPECT_EQ(panel["imageTypeChoice"], 0);
  EXPECT_EQ(panel["sourceProfileChoice"], 3);
  // A person cannot change the dimmed print priority, nor open the colour tab.
  EXPECT_TRUE(refused(lines[3])) << lines[3];
  EXPECT_EQ(lines[4]["result"], false);
  // Off again: nothing forced back, print priority free again.
  EXPECT_EQ(lines[6]["panel"]["tonerSaveChoice"], 0);
  EXPECT_EQ(lines[6]["panel"]["printPriorityChoice"], 1);
  EXPECT_EQ(lines[6]["panel"]["screeningChoice"], 0);
  EXPECT_EQ(lines[6]["controls"]["printPriorityPopup"]["enabled"], true);
}

TEST_F(Chains, ColourSyncOnForcesTheImageTypeAndOutputProfile) {
  auto lines = play(
      "tab 1\n"
      "select imageTypePopup 6\n"
      "select outputProfilePopup 2\n"
      "click colorSyncCB\n"
      "state\n"
      "select outputProfilePopup 3\n");
  ASSERT_EQ(lines.size(), 6u);
  EXPECT_EQ(lines[1]["ok"], true) << lines[1];
  EXPECT_EQ(lines[2]["ok"], true) << lines[2];
  const json& panel = lines[4]["panel"];
  const json& controls = lines[4]["controls"];
  EXPECT_EQ(panel["colorSyncChoice"], 1);
  EXPECT_EQ(panel["imageTypeChoice"], 0);
  EXPECT_EQ(controls["imageTypePopup"]["enabled"], false);
  EXPECT_EQ(panel["outputProfileChoice"], 0);
  EXPECT_EQ(controls["outputProfilePopup"]["selectedIndex"], 0);
  EXPECT_EQ(controls["outputProfilePopup"]["enabled"], false);
  EXPECT_EQ(controls["tonerSaveCB"]["state"], 0);
  EXPECT_EQ(controls["tonerSaveCB"]["enabled"], false);
  EXPECT_EQ(panel["tonerSaveChoice"], 0);
  EXPECT_TRUE(refused(lines[5])) << lines[5];
}

TEST_F(Chains, PrintPriorityZeroForcesTrappingAndSharpness) {
  auto lines = play(
      "select trappingPopup 1\n"
      "select sharpnessPopup 2\n"
      "select printPriorityPopup 0\n"
      "state\n"
      "select trappingPopup 1\n");
  ASSERT_EQ(lines.size(), 5u);
  const json& panel = lines[3]["panel"];
  const json& controls = lines[3]["controls"];
  EXPECT_EQ(panel["trappingChoice"], 2);
  EXPECT_EQ(controls["trappingPopup"]["selectedIndex"], 2);
  EXPECT_EQ(controls["trappingPopup"]["enabled"], false);
  EXPECT_EQ(controls["trappingCB"]["state"], 0);
  EXPECT_EQ(panel["sharpnessChoice"], 0);
  EXPECT_EQ(controls["sharpnessPopup"]["selectedIndex"], 0);
  EXPECT_EQ(controls["sharpnessPopup"]["enabled"], false);
  EXPECT_TRUE(refused(lines[4])) << lines[4];
}

TEST_F(Chains, TheLockDimsEverythingAndUnlockingReopens) {
  auto lines = play(
      "click saveSettingsButton\n"
      "state\n"
      "select colorModePopup 1\n"
      "click saveSettingsButton\n"
      "select colorModePopup 1\n");
  ASSERT_EQ(lines.size(), 5u);
  const json& controls = lines[1]["controls"];
  EXPECT_EQ(lines[1]["panel"]["saveSettingsValue"], 1);
  for (const char* name : {"colorModePopup", "printPriorityPopup", "screeningPopup", "sharpnessPopup", "trappingPopup",
                           "tonerSaveCB", "pureBlackPrintCB", "neutralGraySlider", "colorSyncCB", "imageTypePopup"})
    EXPECT_EQ(controls[name]["enabled"], false) << name;
  EXPECT_EQ(controls["colorModeTitle"]["textColor"], "grey");
  EXPECT_TRUE(refused(lines[2])) << lines[2];
  EXPECT_EQ(lines[4]["ok"], true) << lines[4];
}

TEST_F(Chains, OutputProfileItemsFollowTheImageType) {
  auto lines = play(
      "tab 1\n"
      "select imageTypePopup 1\n"
      "select outputProfilePopup 0\n"
      "select outputProfilePopup 2\n"
      "select imageTypePopup 4\n"
      "state\n");
  ASSERT_EQ(lines.size(), 6u);
  EXPECT_TRUE(refused(lines[2])) << lines[2];  // image type 1 leaves only item 2
  EXPECT_EQ(lines[3]["ok"], true) << lines[3];
  const json& items = lines[5]["controls"]["outputProfilePopup"]["items"];
  EXPECT_EQ(items[0]["enabled"], false);
  EXPECT_EQ(items[1]["enabled"], true);
  EXPECT_EQ(items[2]["enabled"], false);
  // Image type 4 with the stored output profile at 2 moves it to 1.
  EXPECT_EQ(lines[5]["panel"]["outputProfileChoice"], 1);
  EXPECT_EQ(lines[5]["panel"]["renderingIntentChoice"], 1);
}

}  // namespace
