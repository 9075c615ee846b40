// The forcing rules, each with its condition true and false, over the full
// test layout; the rule is run directly after the conditions are set plainly,
// and the outcome read from the controls and the current-choice fields.
#include "actions_fixture.h"

namespace {

using namespace actiontest;

class Forcing : public ::testing::Test {
 protected:
  void SetUp() override {
    rig = testLayoutRig();
    ASSERT_TRUE(rig->panel);
    calmState(p());
  }
  Panel& p() { return **rig; }
  std::unique_ptr<PanelRig> rig;
};

TEST_F(Forcing, PrintPriorityMovesToItemOneOnlyUnderTonerSave) {
  setSelection(p().printPriorityPopup, 0);
  p().printPriorityControl();
  EXPECT_EQ(p().printPriorityPopup->indexOfSelectedItem(), 0);

  setState(p().tonerSaveCB, 1);
  p().printPriorityControl();
  EXPECT_EQ(p().printPriorityPopup->indexOfSelectedItem(), 1);
  EXPECT_EQ(p().printPriorityChoice, 1);  // recorded by its handler
}

TEST_F(Forcing, ImageTypeMovesToItemZeroUnderEachOfItsThreeConditions) {
  p().imageTypeControl();
  EXPECT_EQ(p().imageTypePopup->indexOfSelectedItem(), 6);

  auto expectForced = [&](const char* why) {
    setSelection(p().sourceProfilePopup, 1);
    p().sourceProfileChoice = 1;
    p().imageTypeControl();
    EXPECT_EQ(p().imageTypePopup->indexOfSelectedItem(), 0) << why;
    EXPECT_EQ(p().imageTypeChoice, 0) << why;
    // The preset ran with it.
    EXPECT_EQ(p().sourceProfilePopup->indexOfSelectedItem(), 3) << why;
    EXPECT_EQ(p().sourceProfileChoice, 3) << why;
    setSelection(p().imageTypePopup, 6);
  };
  setState(p().colorSyncCB, 1);
  expectForced("colour sync on");
  setState(p().colorSyncCB, 0);
  setSelection(p().colorModePopup, 2);
  expectForced("colour mode 2");
  setSelection(p().colorModePopup, 1);
  setState(p().tonerSaveCB, 1);
  expectForced("toner save on");
}

TEST_F(Forcing, ImageTypeForcingReappliesThePresetWhenItemZeroIsAlreadySelected) {
  pick(p().imageTypePopup, 0);
  setSelection(p().sourceProfilePopup, 0);
  p().sourceProfileChoice = 0;
  setState(p().colorSyncCB, 1);
  p().imageTypeControl();
  EXPECT_EQ(p().sourceProfilePopup->indexOfSelectedItem(), 3);
  EXPECT_EQ(p().sourceProfileChoice, 3);
}

TEST_F(Forcing, PureBlackPrintIsNeverForced) {
  setState(p().pureBlackPrintCB, 1);
  p().pureBlackPrintChoice = 1;
  setState(p().colorSyncCB, 1);
  setState(p().tonerSaveCB, 1);
  setSelection(p().colorModePopup, 2);
  p().pureBlackPrintControl();
  EXPECT_EQ(p().pureBlackPrintCB->state(), 1);
  EXPECT_EQ(p().pureBlackPrintChoice, 1);
}

TEST_F(Forcing, TonerSaveTurnsOffUnderColourSyncAndTheChoiceFollows) {
  setState(p().tonerSaveCB, 1);
  p().tonerSaveChoice = 1;
  p().tonerSaveControl();
  EXPECT_EQ(p().tonerSaveCB->state(), 1);
  EXPECT_EQ(p().tonerSaveChoice, 1);

  setState(p().colorSyncCB, 1);
  p().tonerSaveControl();
  EXPECT_EQ(p().tonerSaveCB->state(), 0);
  // The box was turned off plainly; the job must not keep toner save on.
  EXPECT_EQ(p().tonerSaveChoice, 0);
}

TEST_F(Forcing, SourceProfileMovesToItemThreeUnderAPresetImageType) {
  p().sourceProfileControl();  // custom
  EXPECT_EQ(p().sourceProfilePopup->indexOfSelectedItem(), 1);
  EXPECT_EQ(p().sourceProfileChoice, 1);

  setSelection(p().imageTypePopup, 2);
  p().sourceProfileControl();
  EXPECT_EQ(p().sourceProfilePopup->indexOfSelectedItem(), 3);
  EXPECT_EQ(p().sourceProfileChoice, 3);
}

TEST_F(Forcing, RenderingIntentMovesToItemZeroUnderCustomWithSourceProfileZero) {
  setSelection(p().renderingIntentPopup, 2);
  p().renderingIntentChoice = 2;
  p().renderingIntentControl();  // source profile 1
  EXPECT_EQ(p().renderingIntentPopup->indexOfSelectedItem(), 2);

  setSelection(p().sourceProfilePopup, 0);
  setSelection(p().imageTypePopup, 3);  // preset
  p().renderingIntentControl();
  EXPECT_EQ(p().renderingIntentPopup->indexOfSelectedItem(), 2);
  EXPECT_EQ(p().renderingIntentChoice, 2);

  setSelection(p().imageTypePopup, 6);  // custom
  p().renderingIntentControl();
  EXPECT_EQ(p().renderingIntentPopup->indexOfSelectedItem(), 0);
  EXPECT_EQ(p().renderingIntentChoice, 0);
}

TEST_F(Forcing, OutputProfileMovesToItemZeroUnderTonerSaveColourModeTwoOrColourSync) {
  auto run = [&](auto&& setCondition, auto&& clearCondition, const char* why) {
    setSelection(p().outputProfilePopup, 2);
    p().outputProfileChoice = 2;
    p().outputProfileControl();
    EXPECT_EQ(p().outputProfilePopup->indexOfSelectedItem(), 2) << why << " not yet set";
    setCondition();
    p().outputProfileControl();
    EXPECT_EQ(p().outputProfilePopup->indexOfSelectedItem(), 0) << why;
    EXPECT_EQ(p().outputProfileChoice, 0) << why;
    clearCondition();
  };
  run([&] { setState(p().tonerSaveCB, 1); }, [&] { setState(p().tonerSaveCB, 0); }, "toner save");
  run([&] { setSelection(p().colorModePopup, 2); }, [&] { setSelection(p().colorModePopup, 0); }, "colour mode 2");
  run([&] { setState(p().colorSyncCB, 1); }, [&] { setState(p().colorSyncCB, 0); }, "colour sync");
}

TEST_F(Forcing, OutputProfileAlreadyAtZeroRunsNoHandler) {
  // Field and popup disagree on purpose: a handler run would record 0.
  p().outputProfileChoice = 3;
  setState(p().tonerSaveCB, 1);
  p().outputProfileControl();
  EXPECT_EQ(p().outputProfilePopup->indexOfSelectedItem(), 0);
  EXPECT_EQ(p().outputProfileChoice, 3);
}

TEST_F(Forcing, CmykOutputProfileMovesToItemZeroWhenSimulationIsOff) {
  setSelection(p().cmykoutputProfilePopup, 2);
  p().cmykoutputProfileChoice = 2;
  p().cmykoutputProfileControl();  // simulation on
  EXPECT_EQ(p().cmykoutputProfilePopup->indexOfSelectedItem(), 2);

  setState(p().cmykSimulationCB, 0);
  p().cmykoutputProfileControl();
  EXPECT_EQ(p().cmykoutputProfilePopup->indexOfSelectedItem(), 0);
  EXPECT_EQ(p().cmykoutputProfileChoice, 0);
}

TEST_F(Forcing, ScreeningMovesToItemZeroUnderTonerSave) {
  pick(p().screeningPopup, 2);
  p().screeningControl();
  EXPECT_EQ(p().screeningPopup->indexOfSelectedItem(), 2);
  setState(p().tonerSaveCB, 1);
  p().screeningControl();
  EXPECT_EQ(p().screeningPopup->indexOfSelectedItem(), 0);
  EXPECT_EQ(p().screeningChoice, 0);
}

TEST_F(Forcing, SimulationProfileMovesToItemZeroWhenSimulationIsOff) {
  pick(p().simulationProfilePopup, 3);
  p().simulationProfileControl();
  EXPECT_EQ(p().simulationProfilePopup->indexOfSelectedItem(), 3);
  setState(p().cmykSimulationCB, 0);
  p().simulationProfileControl();
  EXPECT_EQ(p().simulationProfilePopup->indexOfSelectedItem(), 0);
  EXPECT_EQ(p().simulationProfileChoice, 0);
}

TEST_F(Forcing, TrappingAndSharpnessFollowPrintPriorityZero) {
  setState(p().trappingCB, 1);
  pick(p().trappingPopup, 1);
  pick(p().sharpnessPopup, 1);
  p().trappingControl();
  p().sharpnessControl();
  EXPECT_EQ(p().trappingCB->state(), 1);
  EXPECT_EQ(p().trappingPopup->indexOfSelectedItem(), 1);
  EXPECT_EQ(p().sharpnessPopup->indexOfSelectedItem(), 1);

  setSelection(p().printPriorityPopup, 0);
  p().trappingControl();
  p().sharpnessControl();
  EXPECT_EQ(p().trappingCB->state(), 0);
  EXPECT_EQ(p().trappingPopup->indexOfSelectedItem(), 2);
  EXPECT_EQ(p().trappingChoice, 2);
  EXPECT_EQ(p().sharpnessPopup->indexOfSelectedItem(), 0);
  EXPECT_EQ(p().sharpnessChoice, 0);
}

TEST(ForcingWithoutControls, AbsentControlsAreSkippedAndTheirTermsAreFalse) {
  auto rig = testLayoutRig({"tonerSaveCB", "colorSyncCB", "cmykSimulationCB", "trappingPopup", "sourceProfilePopup"});
  Panel& p = **rig;
  calmState(p);
  setSelection(p.printPriorityPopup, 0);
  p.trappingChoice = 1;
  // Without a trapping popup the checkbox alone shows the choice.
  p.trappingCB->setState(1);
  p.trappingControl();
  EXPECT_EQ(p.trappingCB->state(), 0);
  EXPECT_EQ(p.trappingChoice, 0);

  // No CMYK simulation checkbox: "simulation is off" is false, nothing moves.
  setSelection(p.cmykoutputProfilePopup, 2);
  setSelection(p.simulationProfilePopup, 3);
  p.cmykoutputProfileControl();
  p.simulationProfileControl();
  EXPECT_EQ(p.cmykoutputProfilePopup->indexOfSelectedItem(), 2);
  EXPECT_EQ(p.simulationProfilePopup->indexOfSelectedItem(), 3);

  // No toner save, no colour sync: neither forces anything.
  setSelection(p.outputProfilePopup, 2);
  p.printPriorityControl();
  p.outputProfileControl();
  p.tonerSaveControl();
  EXPECT_EQ(p.printPriorityPopup->indexOfSelectedItem(), 0);
  EXPECT_EQ(p.outputProfilePopup->indexOfSelectedItem(), 2);

  // No source profile popup: its forcing stores nothing.
  setSelection(p.imageTypePopup, 1);
  p.sourceProfileChoice = 1;
  p.sourceProfileControl();
  EXPECT_EQ(p.sourceProfileChoice, 1);
}

TEST(ForcingWithoutControls, RenderingIntentRuleStoresNothingWithoutItsPopup) {
  auto rig = testLayoutRig({"renderingIntentPopup"});
  Panel& p = **rig;
  calmState(p);
  setSelection(p.sourceProfilePopup, 0);
  p.renderingIntentChoice = 2;
  p.renderingIntentControl();
  EXPECT_EQ(p.renderingIntentChoice, 2);
}

TEST(ForcingWithoutControls, NoImageTypePopupCountsAsCustom) {
  auto rig = testLayoutRig({"imageTypePopup"});
  Panel& p = **rig;
  calmState(p);
  setSelection(p.sourceProfilePopup, 0);
  setSelection(p.renderingIntentPopup, 3);
  p.sourceProfileControl();  // custom: no forcing
  EXPECT_EQ(p.sourceProfilePopup->indexOfSelectedItem(), 0);
  p.renderingIntentControl();  // custom with source profile 0
  EXPECT_EQ(p.renderingIntentPopup->indexOfSelectedItem(), 0);
  EXPECT_EQ(p.renderingIntentChoice, 0);
}

}  // namespace
