// The chains a person starts, through the real "Color6" layout and the
// sample description: colour mode 2, toner save on, colour sync on, print
// priority 0; and, over many random actions, that every choice the job or the
// summary carries equals what its control shows.
#include <random>

#include "actions_fixture.h"

namespace {

using namespace actiontest;

// The real panel in the calm state, with something for each chain to move.
class ChainStart : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(rig.panel);
    ASSERT_EQ(p().colorModePopup->numberOfItems(), 3);
    ASSERT_EQ(p().printPriorityPopup->numberOfItems(), 3);
    calmState(p());
    pick(p().screeningPopup, 2);
    pick(p().sharpnessPopup, 3);
    pick(p().trappingPopup, 1);
    pick(p().outputProfilePopup, 3);
    pick(p().sourceProfilePopup, 0);
    setState(p().blackOverprintCB, 0);
    p().blackOverprintChoice = 0;
  }
  Panel& p() { return *rig; }
  bool colourTabOpen() {
    toolkit::TabView& tabs = *p().mainTabView;
    const std::int64_t colour = tabs.indexOfTabViewItemWithIdentifier("1");
    return p().tabViewShouldSelectTabViewItem(&tabs, tabs.tabViewItemAtIndex(colour));
  }
  PanelRig rig;
};

// What a person does, and what the panel then shows and records; "/colourTab"
// is whether the colour tab may be opened.
struct ChainRow {
  const char* name;
  void (*act)(Panel&);
  std::vector<Seen> seen;
};

// The preset of image-type item 0 has run: source profile 3, black overprint
// on, simulation off.
const std::vector<Seen> kFirstPresetApplied = chosen("imageType", 0) + chosen("sourceProfile", 3) +
                                             std::vector<Seen>{choice("blackOverprint", 1), choice("cmykSimulation", 0)};

const ChainRow kChainRows[] = {
    {"NothingForcedAtTheStart", [](Panel&) {},
     {{"/colourTab", true}, enabled("imageTypePopup", true), choice("screening", 2)}},
    {"ColourModeTwo", [](Panel& p) { pick(p.colorModePopup, 2); },
     kFirstPresetApplied + chosen("outputProfile", 0) +
         std::vector<Seen>{choice("colorMode", 2), enabled("imageTypePopup", false),
                           {"/controls/imageTypeTitle/textColor", "grey"}, {"/colourTab", false},
                           // Print priority and screening are not forced by colour mode alone.
                           choice("printPriority", 1), choice("screening", 2)}},
    {"ColourModeTwoAgainRerunsThePreset",
     [](Panel& p) {
       pick(p.colorModePopup, 2);
       setState(p.blackOverprintCB, 0);
       p.blackOverprintChoice = 0;
       pick(p.colorModePopup, 2);
     },
     {choice("blackOverprint", 1)}},
    {"ColourModeBackToZeroReopens",
     [](Panel& p) {
       pick(p.colorModePopup, 2);
       pick(p.colorModePopup, 0);
     },
     {{"/colourTab", true}, enabled("imageTypePopup", true)}},
    {"TonerSaveOn", [](Panel& p) { click(p.tonerSaveCB); },
     kFirstPresetApplied + chosen("outputProfile", 0) + chosen("printPriority", 1) + chosen("screening", 0) +
         std::vector<Seen>{choice("tonerSave", 1), enabled("printPriorityPopup", false),
                           enabled("imageTypePopup", false), {"/colourTab", false},
                           // Print priority 1 forces neither trapping nor sharpness.
                           choice("trapping", 1), choice("sharpness", 3), enabled("trappingPopup", true)}},
    {"TonerSaveOffForcesNothingBack",
     [](Panel& p) {
       click(p.tonerSaveCB);
       click(p.tonerSaveCB);
     },
     {choice("tonerSave", 0), enabled("printPriorityPopup", true), enabled("imageTypePopup", true),
      choice("printPriority", 1), choice("screening", 0), choice("imageType", 0), {"/colourTab", true}}},
    {"TonerSaveMovesPrintPriorityFromZeroAndReopensTrapping",
     [](Panel& p) {
       pick(p.printPriorityPopup, 0);
       click(p.tonerSaveCB);
     },
     {choice("printPriority", 1), enabled("trappingPopup", true), enabled("sharpnessPopup", true)}},
    {"ColourSyncOn",
     [](Panel& p) {
       click(p.tonerSaveCB);
       pick(p.outputProfilePopup, 3);  // the image type is preset now, item 3 is still pickable
       p.imageTypePopup->setEnabled(true);
       pick(p.imageTypePopup, 6);
       click(p.colorSyncCB);
     },
     kFirstPresetApplied + chosen("outputProfile", 0) +
         std::vector<Seen>{choice("colorSync", 1), {"/controls/tonerSaveCB/state", 0},
                           choice("tonerSave", 0),  // follows the box it no longer shows on
                           enabled("tonerSaveCB", false), enabled("imageTypePopup", false),
                           enabled("outputProfilePopup", false), {"/controls/outputProfileTitle/textColor", "grey"},
                           // With toner save off, print priority is free again.
                           enabled("printPriorityPopup", true)}},
    {"PrintPriorityZero",
     [](Panel& p) {
       setState(p.trappingCB, 1);
       pick(p.printPriorityPopup, 0);
     },
     chosen("trapping", 2) + chosen("sharpness", 0) +
         std::vector<Seen>{choice("printPriority", 0), {"/controls/trappingCB/state", 0},
                           enabled("trappingPopup", false), enabled("trappingCB", false),
                           {"/controls/trappingTitle/textColor", "grey"}, enabled("sharpnessPopup", false),
                           {"/controls/sharpnessTitle/textColor", "grey"},
                           choice("screening", 2)}},  // no toner save: screening stays
    {"PrintPriorityTwoReopensTrappingAndSharpness",
     [](Panel& p) {
       setState(p.trappingCB, 1);
       pick(p.printPriorityPopup, 0);
       pick(p.printPriorityPopup, 2);
     },
     {enabled("trappingPopup", true), enabled("sharpnessPopup", true)}},
};

class RealChain : public ChainStart, public ::testing::WithParamInterface<ChainRow> {};

// A failing case names its row rather than printing its bytes.
void PrintTo(const ChainRow& row, std::ostream* os) { *os << row.name; }

TEST_P(RealChain, ShowsAndRecordsWhatItForces) {
  GetParam().act(p());
  nlohmann::json state = wholeState(p());
  state["colourTab"] = colourTabOpen();
  expectSeen(state, GetParam().seen);
}

INSTANTIATE_TEST_SUITE_P(Person, RealChain, ::testing::ValuesIn(kChainRows), RowName());

using RealChains = ChainStart;

// What the job carries after a chain: the print settings written by save.
TEST_F(RealChains, TheJobCarriesWhatTheChainsShow) {
  pick(p().printPriorityPopup, 0);
  click(p().tonerSaveCB);  // moves print priority to 1 again
  p().saveValuesAndReturnError(nullptr);
  auto& entries = rig.host->settings.entries;
  EXPECT_EQ(entries["VMSaveToner"], "True");
  EXPECT_EQ(entries["VMCPPriority"], "Standard");
  EXPECT_EQ(entries["VMCScreen"], "Auto");
  EXPECT_EQ(entries["VMCTrapping"], "Standard");  // forced to item 2 under print priority 0
  EXPECT_EQ(entries["VMCSharpness"], "Normal");

  // Colour sync turns the toner-save box off without its handler; the job
  // must follow the box.
  setState(p().colorSyncCB, 1);
  p().colorSyncProc(p().colorSyncCB.get());
  ASSERT_EQ(p().tonerSaveCB->state(), 0);
  p().saveValuesAndReturnError(nullptr);
  EXPECT_EQ(entries["VMSaveToner"], "False");
}

// The choices that reach the print settings and the summary must equal what
// their controls show after every action a person can take.
void expectChoicesMatchControls(Panel& p, const std::string& step) {
  SCOPED_TRACE(step);
  EXPECT_EQ(p.colorModeChoice, p.colorModePopup->indexOfSelectedItem());
  EXPECT_EQ(p.printPriorityChoice, p.printPriorityPopup->indexOfSelectedItem());
  EXPECT_EQ(p.screeningChoice, p.screeningPopup->indexOfSelectedItem());
  EXPECT_EQ(p.sharpnessChoice, p.sharpnessPopup->indexOfSelectedItem());
  EXPECT_EQ(p.trappingChoice, p.trappingPopup->indexOfSelectedItem());
  EXPECT_EQ(p.tonerSaveChoice, p.tonerSaveCB->state());
  EXPECT_EQ(p.smoothingChoice, p.SmoothingCB->state());
  EXPECT_EQ(p.pureBlackPrintChoice, p.pureBlackPrintCB->state());
  EXPECT_EQ(p.neutralGrayChoice, p.neutralGraySlider->integerValue());
}

TEST(RealConsistency, RandomActionsKeepEveryStoredChoiceOnItsControl) {
  PanelRig rig;
  ASSERT_TRUE(rig.panel);
  Panel& p = *rig;
  p.restoreValuesAndReturnError(nullptr);
  calmState(p);
  // What a person can use of the real layout (hidden controls are not).
  const std::vector<std::shared_ptr<toolkit::PopUpButton>> popups = {
      p.colorModePopup,     p.printPriorityPopup,   p.screeningPopup,         p.sharpnessPopup,
      p.trappingPopup,      p.imageTypePopup,       p.sourceProfilePopup,     p.renderingIntentPopup,
      p.outputProfilePopup, p.simulationProfilePopup, p.cmykoutputProfilePopup};
  const std::vector<std::shared_ptr<toolkit::Button>> boxes = {
      p.tonerSaveCB, p.colorSyncCB, p.SmoothingCB, p.pureBlackPrintCB, p.trappingCB,
      p.blackOverprintCB, p.cmykSimulationCB, p.saveSettingsButton};
  std::mt19937 random(4200);
  int actions = 0;
  for (int attempt = 0; attempt < 3000; ++attempt) {
    const auto which = random() % (popups.size() + boxes.size() + 1);
    std::string step;
    if (which < popups.size()) {
      const auto& popup = popups[which];
      if (!popup->isEnabled() || popup->isHidden() || popup->numberOfItems() == 0) continue;
      const auto index = static_cast<std::int64_t>(random() % static_cast<unsigned>(popup->numberOfItems()));
      if (!popup->isItemEnabled(index)) continue;
      step = popup->action() + " " + std::to_string(index);
      pick(popup, index);
    } else if (which < popups.size() + boxes.size()) {
      const auto& box = boxes[which - popups.size()];
      if (!box->isEnabled() || box->isHidden()) continue;
      step = box->action();
      click(box);
    } else {
      if (!p.neutralGraySlider->isEnabled()) continue;
      const auto value = static_cast<std::int64_t>(random() % 5);
      step = "neutral gray " + std::to_string(value);
      slide(p.neutralGraySlider, value);
    }
    ++actions;
    expectChoicesMatchControls(p, "action " + std::to_string(actions) + ": " + step);
    if (::testing::Test::HasFailure()) break;
  }
  EXPECT_GT(actions, 500);
}

}  // namespace
