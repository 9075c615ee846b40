// The panel's chains as a person triggers them through pdehost scripts on the
// built TintPanel bundle and the sample description: each script picks,
// clicks and switches tabs, then reads the panel back with `state`. Here each
// case checks the wiring: that a script reaches the chain, that its result
// comes back, and that a person is refused what the chain forbids.
#include <gtest/gtest.h>

#include <algorithm>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "pdehost_run.h"

namespace {

using nlohmann::json;

// Every script starts from the same place: the panel shown and restored,
// print priority on its middle choice so that nothing is forced yet.
const char* const kPrologue =
    "panelView\n"
    "restore\n"
    "select printPriorityPopup 1\n";

// The value at `pointer` in the answer to the script's line `line`
// (counted after the prologue).
struct Seen {
  std::size_t line;
  std::string pointer;
  json value;
};

struct ChainCase {
  const char* name;
  std::string script;
  std::vector<std::size_t> refused;  // lines a person is refused
  std::vector<Seen> seen;
};

// Each script is refused what a person is refused through the dialog, and
// reads back one or two choices that show the panel's handlers ran. What each
// chain forces, dims and records is checked on the panel itself.
const ChainCase kChains[] = {
    {"ColourModeTwoMovesTheImageTypeAndClosesTheColourTab",
     "select outputProfilePopup 3\n"  // not reachable: on the colour tab
     "tab 1\n"
     "select outputProfilePopup 3\n"
     "tab 0\n"
     "select colorModePopup 2\n"
     "state\n"
     "tab 1\n"
     "select colorModePopup 0\n"
     "tab 1\n",
     {0},
     {{1, "/result", true},
      {2, "/ok", true},
      {5, "/panel/colorModeChoice", 2},
      {5, "/panel/imageTypeChoice", 0},
      // The colour tab refuses while colour mode is 2, and opens once it is not.
      {6, "/result", false},
      {8, "/result", true}}},
    {"TonerSaveOnForcesPrintPriorityScreeningAndImageType",
     "select screeningPopup 2\n"
     "click tonerSaveCB\n"
     "state\n"
     "select printPriorityPopup 2\n"
     "tab 1\n"
     "click tonerSaveCB\n"
     "state\n",
     // A person cannot change the dimmed print priority, nor open the colour tab.
     {3},
     {{2, "/panel/tonerSaveChoice", 1}, {2, "/panel/screeningChoice", 0}, {4, "/result", false},
      {6, "/panel/tonerSaveChoice", 0}}},
    {"ColourSyncOnForcesTheImageTypeAndOutputProfile",
     "tab 1\n"
     "select imageTypePopup 6\n"
     "select outputProfilePopup 2\n"
     "click colorSyncCB\n"
     "state\n"
     "select outputProfilePopup 3\n",
     {5},
     {{1, "/ok", true}, {2, "/ok", true}, {4, "/panel/colorSyncChoice", 1}, {4, "/panel/outputProfileChoice", 0}}},
    {"PrintPriorityZeroForcesTrappingAndSharpness",
     "select trappingPopup 1\n"
     "select sharpnessPopup 2\n"
     "select printPriorityPopup 0\n"
     "state\n"
     "select trappingPopup 1\n",
     {4},
     {{3, "/panel/trappingChoice", 2}, {3, "/panel/sharpnessChoice", 0}}},
    {"TheLockDimsEverythingAndUnlockingReopens",
     "click saveSettingsButton\n"
     "state\n"
     "select colorModePopup 1\n"
     "click saveSettingsButton\n"
     "select colorModePopup 1\n",
     {2},
     {{1, "/panel/saveSettingsValue", 1}, {4, "/ok", true}}},
    {"OutputProfileItemsFollowTheImageType",
     "tab 1\n"
     "select imageTypePopup 1\n"
     "select outputProfilePopup 0\n"
     "select outputProfilePopup 2\n"
     "select imageTypePopup 4\n"
     "state\n",
     {2},  // image type 1 leaves only item 2
     // Image type 4 with the stored output profile at 2 moves it to 1.
     {{3, "/ok", true}, {5, "/panel/outputProfileChoice", 1}}},
};

class Chains : public testing::TestWithParam<ChainCase> {
 protected:
  // Runs the prologue and `script` through pdehost; one parsed line per
  // command after the prologue. Fails the test when pdehost does not exit
  // cleanly or the prologue does not go through.
  std::vector<json> play(const std::string& script) {
    pdehost_test::HostRun run = pdehost_test::runPdeHost(
        PDEHOST_PROGRAM, dir_.path(), {"--plugin", TINTPANEL_BUNDLE, "--ppd", SAMPLE_PPD}, kPrologue + script);
    EXPECT_EQ(run.status, 0) << run.err;
    std::vector<json>& lines = run.lines;
    EXPECT_GE(lines.size(), 3u);
    for (std::size_t i = 0; i < 3 && i < lines.size(); ++i)
      EXPECT_FALSE(lines[i].contains("error") && !lines[i]["error"].is_null()) << lines[i];
    if (lines.size() >= 3) lines.erase(lines.begin(), lines.begin() + 3);
    return std::move(lines);
  }

  qvx::test::TempDir dir_;
};

// A failing case names its row rather than printing its bytes.
void PrintTo(const ChainCase& c, std::ostream* os) { *os << c.name; }

bool refused(const json& line) { return line.contains("error") && line["error"].is_string(); }

TEST_P(Chains, ScriptReachesTheChain) {
  const ChainCase& c = GetParam();
  const std::vector<json> lines = play(c.script);
  const auto commands = static_cast<std::size_t>(std::count(c.script.begin(), c.script.end(), '\n'));
  ASSERT_EQ(lines.size(), commands);
  for (std::size_t line : c.refused) EXPECT_TRUE(refused(lines[line])) << line << ": " << lines[line];
  for (const Seen& s : c.seen) {
    const json::json_pointer at(s.pointer);
    if (!lines[s.line].contains(at)) {
      ADD_FAILURE() << "no " << s.pointer << " in line " << s.line << ": " << lines[s.line];
      continue;
    }
    EXPECT_EQ(lines[s.line][at], s.value) << s.line << s.pointer;
  }
}

INSTANTIATE_TEST_SUITE_P(Pdehost, Chains, testing::ValuesIn(kChains),
                         [](const testing::TestParamInfo<ChainCase>& info) { return std::string(info.param.name); });

}  // namespace
