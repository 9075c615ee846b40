// The chains a person starts, through the real "Color6" layout and the
// sample description: colour mode 2, toner save on, colour sync on, print
// priority 0; and, over many random actions, that every choice the job or the
// summary carries equals what its control shows.
#include <random>

#include "actions_fixture.h"

namespace {

using namespace actiontest;

class RealChains : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(rig.panel);
    ASSERT_EQ(p().colorModePopup->numberOfItems(), 3);
    ASSERT_EQ(p().printPriorityPopup->numberOfItems(), 3);
    calmState(p());
    // Something for each chain to move.
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
    return p().tabViewShouldSelectTabViewItem(&tabs, tabs.tabViewItemAtIndex(tabs.indexOfTabViewItemWithIdentifier("1")));
  }
  // The preset of image-type item 0 has run: source profile 3, black overprint
  // on, simulation off.
  void expectFirstPresetApplied() {
    EXPECT_EQ(p().imageTypePopup->indexOfSelectedItem(), 0);
    EXPECT_EQ(p().imageTypeChoice, 0);
    EXPECT_EQ(p().sourceProfilePopup->indexOfSelectedItem(), 3);
    EXPECT_EQ(p().sourceProfileChoice, 3);
    EXPECT_EQ(p().blackOverprintChoice, 1);
    EXPECT_EQ(p().cmykSimulationChoice, 0);
  }
  PanelRig rig;
};

TEST_F(RealChains, ColourModeTwo) {
  ASSERT_TRUE(colourTabOpen());
  pick(p().colorModePopup, 2);
  EXPECT_EQ(p().colorModeChoice, 2);
  expectFirstPresetApplied();
  EXPECT_TRUE(dimmed(p().imageTypePopup));
  EXPECT_TRUE(dimmed(p().imageTypeTitle));
  EXPECT_EQ(p().outputProfilePopup->indexOfSelectedItem(), 0);
  EXPECT_EQ(p().outputProfileChoice, 0);
  EXPECT_FALSE(colourTabOpen());
  // Print priority and screening are not forced by colour mode alone.
  EXPECT_EQ(p().printPriorityChoice, 1);
  EXPECT_EQ(p().screeningChoice, 2);

  // The same item again re-runs the preset.
  setState(p().blackOverprintCB, 0);
  p().blackOverprintChoice = 0;
  pick(p().colorModePopup, 2);
  EXPECT_EQ(p().blackOverprintChoice, 1);

  pick(p().colorModePopup, 0);
  EXPECT_TRUE(colourTabOpen());
  EXPECT_FALSE(dimmed(p().imageTypePopup));
}

TEST_F(RealChains, TonerSaveOnAndOff) {
  click(p().tonerSaveCB);
  EXPECT_EQ(p().tonerSaveChoice, 1);
  expectFirstPresetApplied();
  EXPECT_EQ(p().printPriorityPopup->indexOfSelectedItem(), 1);
  EXPECT_EQ(p().printPriorityChoice, 1);
  EXPECT_EQ(p().screeningPopup->indexOfSelectedItem(), 0);
  EXPECT_EQ(p().screeningChoice, 0);
  // Print priority 1 forces neither trapping nor sharpness.
  EXPECT_EQ(p().trappingChoice, 1);
  EXPECT_EQ(p().sharpnessChoice, 3);
  EXPECT_FALSE(dimmed(p().trappingPopup));
  EXPECT_EQ(p().outputProfilePopup->indexOfSelectedItem(), 0);
  EXPECT_EQ(p().outputProfileChoice, 0);
  EXPECT_TRUE(dimmed(p().printPriorityPopup));
  EXPECT_TRUE(dimmed(p().imageTypePopup));
  EXPECT_FALSE(colourTabOpen());

  click(p().tonerSaveCB);
  EXPECT_EQ(p().tonerSaveChoice, 0);
  EXPECT_FALSE(dimmed(p().printPriorityPopup));
  EXPECT_FALSE(dimmed(p().imageTypePopup));
  // Nothing is forced back.
  EXPECT_EQ(p().printPriorityChoice, 1);
  EXPECT_EQ(p().screeningChoice, 0);
  EXPECT_EQ(p().imageTypeChoice, 0);
  EXPECT_TRUE(colourTabOpen());
}

TEST_F(RealChains, TonerSaveMovesPrintPriorityFromZeroAndReopensTrapping) {
  pick(p().printPriorityPopup, 0);
  ASSERT_TRUE(dimmed(p().trappingPopup));
  click(p().tonerSaveCB);
  EXPECT_EQ(p().printPriorityChoice, 1);
  EXPECT_FALSE(dimmed(p().trappingPopup));
  EXPECT_FALSE(dimmed(p().sharpnessPopup));
}

TEST_F(RealChains, ColourSyncOn) {
  click(p().tonerSaveCB);
  ASSERT_EQ(p().tonerSaveChoice, 1);
  pick(p().outputProfilePopup, 3);  // the image type is preset now, item 3 is still pickable
  p().imageTypePopup->setEnabled(true);
  pick(p().imageTypePopup, 6);

  click(p().colorSyncCB);
  EXPECT_EQ(p().colorSyncChoice, 1);
  EXPECT_EQ(p().tonerSaveCB->state(), 0);
  EXPECT_EQ(p().tonerSaveChoice, 0);  // follows the box it no longer shows on
  EXPECT_TRUE(dimmed(p().tonerSaveCB));
  expectFirstPresetApplied();
  EXPECT_TRUE(dimmed(p().imageTypePopup));
  EXPECT_EQ(p().outputProfilePopup->indexOfSelectedItem(), 0);
  EXPECT_EQ(p().outputProfileChoice, 0);
  EXPECT_TRUE(dimmed(p().outputProfilePopup));
  EXPECT_TRUE(dimmed(p().outputProfileTitle));
  // With toner save off, print priority is free again.
  EXPECT_FALSE(dimmed(p().printPriorityPopup));
}

TEST_F(RealChains, PrintPriorityZero) {
  setState(p().trappingCB, 1);
  pick(p().printPriorityPopup, 0);
  EXPECT_EQ(p().printPriorityChoice, 0);
  EXPECT_EQ(p().trappingPopup->indexOfSelectedItem(), 2);
  EXPECT_EQ(p().trappingChoice, 2);
  EXPECT_EQ(p().trappingCB->state(), 0);
  EXPECT_EQ(p().sharpnessPopup->indexOfSelectedItem(), 0);
  EXPECT_EQ(p().sharpnessChoice, 0);
  EXPECT_TRUE(dimmed(p().trappingPopup));
  EXPECT_TRUE(dimmed(p().trappingCB));
  EXPECT_TRUE(dimmed(p().trappingTitle));
  EXPECT_TRUE(dimmed(p().sharpnessPopup));
  EXPECT_TRUE(dimmed(p().sharpnessTitle));
  EXPECT_EQ(p().screeningChoice, 2);  // no toner save: screening stays

  pick(p().printPriorityPopup, 2);
  EXPECT_FALSE(dimmed(p().trappingPopup));
  EXPECT_FALSE(dimmed(p().sharpnessPopup));
}

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
