// The enabling rules: every row of the enabling table with each of its
// dimming conditions true, and false; the item rules; the full refresh under
// the lock.
#include <functional>
#include <vector>

#include "actions_fixture.h"
#include "control_categories.h"

namespace {

using namespace actiontest;
using Setter = std::function<void(Panel&)>;

struct Condition {
  const char* name;
  Setter set;
};

struct EnablingRow {
  const char* rule;
  void (Panel::*run)();
  std::function<std::vector<toolkit::View*>(Panel&)> controls;
  std::vector<Condition> conditions;
};

template <typename... T>
std::vector<toolkit::View*> views(const std::shared_ptr<T>&... controls) {
  return {controls.get()...};
}

const Condition kLock{"the lock is on", [](Panel& p) { setState(p.saveSettingsButton, 1); }};
const Condition kColorSync{"colour sync is on", [](Panel& p) { setState(p.colorSyncCB, 1); }};
const Condition kColorMode2{"colour mode is 2", [](Panel& p) { setSelection(p.colorModePopup, 2); }};
const Condition kTonerSave{"toner save is on", [](Panel& p) { setState(p.tonerSaveCB, 1); }};
const Condition kPreset{"the image type is preset", [](Panel& p) { setSelection(p.imageTypePopup, 3); }};
const Condition kSourceProfile0{"source profile is 0", [](Panel& p) { setSelection(p.sourceProfilePopup, 0); }};
const Condition kSimulationOff{"CMYK simulation is off", [](Panel& p) { setState(p.cmykSimulationCB, 0); }};
const Condition kPrintPriority0{"print priority is 0", [](Panel& p) { setSelection(p.printPriorityPopup, 0); }};

std::vector<EnablingRow> enablingTable() {
  return {
      {"colorSync", &Panel::colorSyncHiliteControl, [](Panel& p) { return views(p.colorSyncCB); }, {kLock}},
      {"colorMode", &Panel::colorModeHiliteControl, [](Panel& p) { return views(p.colorModeTitle, p.colorModePopup); },
       {kLock}},
      {"printPriority", &Panel::printPriorityHiliteControl,
       [](Panel& p) { return views(p.printPriorityTitle, p.printPriorityPopup); }, {kLock, kTonerSave}},
      {"imageType", &Panel::imageTypeHiliteControl, [](Panel& p) { return views(p.imageTypeTitle, p.imageTypePopup); },
       {kLock, kColorSync, kColorMode2, kTonerSave}},
      {"neutralGray", &Panel::neutralGrayHiliteControl,
       [](Panel& p) {
         return views(p.neutralGrayTitle, p.neutralGrayPopup, p.neutralGrayLeftTitle, p.neutralGraySlider,
                      p.neutralGrayRightTitle);
       },
       {kLock}},
      {"pureBlackPrint", &Panel::pureBlackPrintHiliteControl,
       [](Panel& p) {
         return views(p.pureBlackPrintCB, p.pureBlackPrintTitle, p.pureBlackPrintLeftTitle, p.pureBlackPrintSlider,
                      p.pureBlackPrintRightTitle);
       },
       {kLock}},
      {"blackOverprint", &Panel::blackOverprintHiliteControl, [](Panel& p) { return views(p.blackOverprintCB); },
       {kLock, kPreset}},
      {"tonerSave", &Panel::tonerSaveHiliteControl, [](Panel& p) { return views(p.tonerSaveCB); },
       {kLock, kColorSync}},
      {"sourceProfile", &Panel::sourceProfileHiliteControl,
       [](Panel& p) { return views(p.sourceProfileTitle, p.sourceProfilePopup); }, {kLock, kPreset}},
      {"renderingIntent", &Panel::renderingIntentHiliteControl,
       [](Panel& p) { return views(p.renderingIntentTitle, p.renderingIntentPopup); },
       {kPreset, kLock, kSourceProfile0}},
      {"outputProfile", &Panel::outputProfileHiliteControl,
       [](Panel& p) { return views(p.outputProfileTitle, p.outputProfilePopup); }, {kLock, kColorSync}},
      {"cmykoutputProfile", &Panel::cmykoutputProfileHiliteControl,
       [](Panel& p) { return views(p.cmykoutputProfileTitle, p.cmykoutputProfilePopup); }, {kLock, kSimulationOff}},
      {"screening", &Panel::screeningHiliteControl, [](Panel& p) { return views(p.screeningTitle, p.screeningPopup); },
       {kLock}},
      {"cmykSimulation", &Panel::cmykSimulationHiliteControl, [](Panel& p) { return views(p.cmykSimulationCB); },
       {kLock, kPreset}},
      {"simulationProfile", &Panel::simulationProfileHiliteControl,
       [](Panel& p) { return views(p.simulationProfileTitle, p.simulationProfilePopup); }, {kLock, kSimulationOff}},
      {"trapping", &Panel::trappingHiliteControl,
       [](Panel& p) { return views(p.trappingCB, p.trappingTitle, p.trappingPopup); }, {kLock, kPrintPriority0}},
      {"sharpness", &Panel::sharpnessHiliteControl, [](Panel& p) { return views(p.sharpnessTitle, p.sharpnessPopup); },
       {kLock, kPrintPriority0}},
  };
}

void dimAll(const std::vector<toolkit::View*>& controls) {
  for (toolkit::View* v : controls) myLX4200COHilite(dynamic_cast<toolkit::Control*>(v), true);
}

TEST(EnablingTable, EachRowDimsUnderEachConditionAndEnablesWithoutThem) {
  auto rig = testLayoutRig();
  Panel& p = **rig;
  for (const EnablingRow& row : enablingTable()) {
    calmState(p);
    const auto controls = row.controls(p);
    for (toolkit::View* v : controls) ASSERT_NE(v, nullptr) << row.rule;
    dimAll(controls);
    (p.*row.run)();
    for (toolkit::View* v : controls) EXPECT_FALSE(dimmed(v)) << row.rule << " with no condition true";

    for (const Condition& condition : row.conditions) {
      calmState(p);
      condition.set(p);
      (p.*row.run)();
      for (toolkit::View* v : controls) EXPECT_TRUE(dimmed(v)) << row.rule << " when " << condition.name;
    }
  }
}

TEST(EnablingTable, RunningARuleTwiceGivesTheSameResult) {
  auto rig = testLayoutRig();
  Panel& p = **rig;
  calmState(p);
  kTonerSave.set(p);
  kPreset.set(p);
  p.fullEnablingRefresh();
  const nlohmann::json once = wholeState(p);
  EXPECT_EQ(once["controls"]["printPriorityPopup"]["enabled"], false);
  p.fullEnablingRefresh();
  EXPECT_EQ(wholeState(p), once);
}

TEST(EnablingTable, EveryRuleSkipsAbsentControls) {
  // Leaving out one control of each rule still lets the rule act on the rest.
  auto rig = testLayoutRig({"colorModeTitle", "neutralGraySlider", "trappingCB", "sharpnessTitle", "saveSettingsButton"});
  Panel& p = **rig;
  calmState(p);
  setSelection(p.printPriorityPopup, 0);
  p.fullEnablingRefresh();
  EXPECT_TRUE(dimmed(p.trappingPopup));
  EXPECT_TRUE(dimmed(p.sharpnessPopup));
  EXPECT_FALSE(dimmed(p.colorModePopup));
  EXPECT_FALSE(dimmed(p.neutralGrayPopup));
}

TEST(EnablingTable, RenderingIntentRuleLeavesItsTitleAloneWithoutThePopup) {
  auto rig = testLayoutRig({"renderingIntentPopup"});
  Panel& p = **rig;
  calmState(p);
  kLock.set(p);
  p.renderingIntentHiliteControl();
  EXPECT_FALSE(dimmed(p.renderingIntentTitle));
}

TEST(TheLock, DimsEveryRefreshedControlAndUnlockingRestoresOnlyThoseFreeToUse) {
  auto rig = testLayoutRig();
  Panel& p = **rig;
  calmState(p);
  kTonerSave.set(p);  // keeps print priority and image type dimmed after unlocking
  click(p.saveSettingsButton);
  EXPECT_EQ(p.saveSettingsValue, 1);
  for (const EnablingRow& row : enablingTable()) {
    for (toolkit::View* v : row.controls(p)) EXPECT_TRUE(dimmed(v)) << row.rule << " under the lock";
  }
  // Locking changes no value.
  EXPECT_EQ(p.printPriorityPopup->indexOfSelectedItem(), 1);
  EXPECT_EQ(p.imageTypePopup->indexOfSelectedItem(), 6);

  click(p.saveSettingsButton);
  EXPECT_EQ(p.saveSettingsValue, 0);
  EXPECT_TRUE(dimmed(p.printPriorityPopup));
  EXPECT_TRUE(dimmed(p.imageTypePopup));
  EXPECT_FALSE(dimmed(p.colorModePopup));
  EXPECT_FALSE(dimmed(p.tonerSaveCB));
  EXPECT_FALSE(dimmed(p.trappingPopup));
  EXPECT_FALSE(dimmed(p.neutralGraySlider));
  EXPECT_FALSE(dimmed(p.cmykoutputProfilePopup));
}

TEST(TheLock, IsNeverOnWithoutTheButton) {
  auto rig = testLayoutRig({"saveSettingsButton"});
  Panel& p = **rig;
  calmState(p);
  p.saveSettingsValue = 1;
  p.saveSettingsProc(nullptr);
  EXPECT_EQ(p.saveSettingsValue, 0);
  EXPECT_FALSE(dimmed(p.colorModePopup));
  EXPECT_FALSE(dimmed(p.screeningPopup));
}

// ---- item rules ----

std::vector<bool> outputItems(const Panel& p) {
  std::vector<bool> flags;
  for (std::int64_t i = 0; i < 3; ++i) flags.push_back(p.outputProfilePopup->items()[static_cast<size_t>(i)].enabled);
  return flags;
}

TEST(OutputProfileItems, FollowTheImageType) {
  auto rig = testLayoutRig();
  Panel& p = **rig;
  calmState(p);
  const std::vector<std::pair<std::int64_t, std::vector<bool>>> rows = {
      {0, {true, false, false}}, {3, {true, false, false}}, {5, {true, false, false}}, {2, {false, true, false}},
      {4, {false, true, false}}, {1, {false, false, true}},  {6, {true, true, true}},   {-1, {true, true, true}},
  };
  for (const auto& [k, expected] : rows) {
    setSelection(p.imageTypePopup, k);
    p.outputProfileHiliteControl();
    EXPECT_EQ(outputItems(p), expected) << "image type " << k;
    // The popup does not enable its items itself, so a person sees this.
    EXPECT_EQ(p.outputProfilePopup->isItemEnabled(1), expected[1]) << "image type " << k;
    // There is always a hard disk: the last item stays available.
    EXPECT_TRUE(p.outputProfilePopup->isItemEnabled(3));
    EXPECT_FALSE(dimmed(p.outputProfilePopup)) << "image type " << k;
  }
}

TEST(OutputProfileItems, WithoutAnImageTypePopupOnlyItemZero) {
  auto rig = testLayoutRig({"imageTypePopup"});
  Panel& p = **rig;
  calmState(p);
  p.outputProfileHiliteControl();
  EXPECT_EQ(outputItems(p), (std::vector<bool>{true, false, false}));
}

TEST(OutputProfileItems, AnEmptyImageTypePopupIsCustomAndOpensAllThree) {
  auto rig = testLayoutRig();
  Panel& p = **rig;
  calmState(p);
  p.imageTypePopup->removeAllItems();
  p.fullEnablingRefresh();
  EXPECT_EQ(outputItems(p), (std::vector<bool>{true, true, true}));
  EXPECT_FALSE(dimmed(p.blackOverprintCB));
  EXPECT_FALSE(dimmed(p.cmykSimulationCB));
  EXPECT_FALSE(dimmed(p.sourceProfilePopup));
}

TEST(LastItems, SourceAndSimulationProfilesKeepTheirHardDiskItem) {
  auto rig = testLayoutRig();
  Panel& p = **rig;
  calmState(p);
  p.sourceProfilePopup->setItemEnabled(4, false);
  p.simulationProfilePopup->setItemEnabled(4, false);
  p.sourceProfileHiliteControl();
  p.simulationProfileHiliteControl();
  EXPECT_TRUE(p.sourceProfilePopup->items()[4].enabled);
  EXPECT_TRUE(p.simulationProfilePopup->items()[4].enabled);
}

TEST(PreservePureCmyk, OnMovesTheSimulationOffItemFourAndClosesTheLastItem) {
  auto rig = testLayoutRig();
  Panel& p = **rig;
  calmState(p);
  pick(p.simulationProfilePopup, 4);
  ASSERT_EQ(p.simulationProfileChoice, 4);
  setState(p.preservepurecmykcolorsCB, 1);
  p.preservepurecmykcolorsProc(nullptr);
  EXPECT_EQ(p.preservepurecmykcolorChoice, 1);
  EXPECT_EQ(p.simulationProfilePopup->indexOfSelectedItem(), 0);
  EXPECT_FALSE(p.simulationProfilePopup->items()[4].enabled);
  // A plain selection: the simulation profile's field is left as it was.
  EXPECT_EQ(p.simulationProfileChoice, 4);

  pick(p.simulationProfilePopup, 2);
  setState(p.preservepurecmykcolorsCB, 0);
  p.preservepurecmykcolorsProc(nullptr);
  EXPECT_EQ(p.preservepurecmykcolorChoice, 0);
  EXPECT_TRUE(p.simulationProfilePopup->items()[4].enabled);
  EXPECT_EQ(p.simulationProfilePopup->indexOfSelectedItem(), 2);
}

TEST(PreservePureCmyk, OnWithAnotherItemSelectedKeepsTheSelection) {
  auto rig = testLayoutRig();
  Panel& p = **rig;
  calmState(p);
  pick(p.simulationProfilePopup, 3);
  setState(p.preservepurecmykcolorsCB, 1);
  p.preservepurecmykcolorsHiliteControl();
  EXPECT_EQ(p.simulationProfilePopup->indexOfSelectedItem(), 3);
  EXPECT_FALSE(p.simulationProfilePopup->items()[4].enabled);
}

TEST(PreservePureCmyk, WithoutTheCheckboxRecordsZero) {
  auto rig = testLayoutRig({"preservepurecmykcolorsCB"});
  Panel& p = **rig;
  calmState(p);
  p.preservepurecmykcolorChoice = 1;
  p.preservepurecmykcolorsProc(nullptr);
  EXPECT_EQ(p.preservepurecmykcolorChoice, 0);
}

}  // namespace
