// The enabling rules: every row of the enabling table with each of its
// dimming conditions true, and false; the item rules; the full refresh under
// the lock.
#include <functional>
#include <vector>

#include "actions_fixture.h"
#include "control_categories.h"

namespace {

using namespace actiontest;

struct EnablingRow {
  const char* name;
  void (Panel::*run)();
  std::function<std::vector<toolkit::View*>(Panel&)> controls;
  std::vector<Condition> conditions;
};

template <typename... T>
std::vector<toolkit::View*> views(const std::shared_ptr<T>&... controls) {
  return {controls.get()...};
}

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

class EnablingRule : public CalmPanel, public ::testing::WithParamInterface<EnablingRow> {};

// A failing case names its row rather than printing its bytes.
void PrintTo(const EnablingRow& row, std::ostream* os) { *os << row.name; }

TEST_P(EnablingRule, DimsUnderEachConditionAndEnablesWithoutThem) {
  const EnablingRow& row = GetParam();
  // Bound once: GCC 12 at -O0 with -fsanitize=undefined reads the fixture's
  // `this` inside the loop below from a stack slot it never wrote (a
  // misaligned-access report on the fixture); a local reference avoids it.
  Panel& panel = p;
  const auto controls = row.controls(panel);
  for (toolkit::View* v : controls) ASSERT_NE(v, nullptr);
  dimAll(controls);
  (panel.*row.run)();
  for (toolkit::View* v : controls) EXPECT_FALSE(dimmed(v)) << "with no condition true";

  for (const Condition& condition : row.conditions) {
    calmState(panel);
    condition.set(panel);
    (panel.*row.run)();
    for (toolkit::View* v : controls) EXPECT_TRUE(dimmed(v)) << "when " << condition.name;
  }
}

INSTANTIATE_TEST_SUITE_P(Table, EnablingRule, ::testing::ValuesIn(enablingTable()), RowName());

using EnablingTable = CalmPanel;
using TheLock = CalmPanel;
using OutputProfileItems = CalmPanel;
using LastItems = CalmPanel;
using PreservePureCmyk = CalmPanel;

TEST_F(EnablingTable, RunningARuleTwiceGivesTheSameResult) {
  kTonerSave.set(p);
  kPreset.set(p);
  p.fullEnablingRefresh();
  const nlohmann::json once = wholeState(p);
  EXPECT_EQ(once["controls"]["printPriorityPopup"]["enabled"], false);
  p.fullEnablingRefresh();
  EXPECT_EQ(wholeState(p), once);
}

TEST(EnablingWithoutControls, EveryRuleSkipsAbsentControls) {
  // Leaving out one control of each rule still lets the rule act on the rest.
  auto rig = calmRig({"colorModeTitle", "neutralGraySlider", "trappingCB", "sharpnessTitle", "saveSettingsButton"});
  kPrintPriority0.set(**rig);
  (*rig)->fullEnablingRefresh();
  expectDimmed(**rig, {"trappingPopup", "sharpnessPopup"});
  expectDimmed(**rig, {"colorModePopup", "neutralGrayPopup"}, false);
}

TEST(EnablingWithoutControls, RenderingIntentRuleLeavesItsTitleAloneWithoutThePopup) {
  auto rig = calmRig({"renderingIntentPopup"});
  kLock.set(**rig);
  (*rig)->renderingIntentHiliteControl();
  expectDimmed(**rig, {"renderingIntentTitle"}, false);
}

TEST_F(TheLock, DimsEveryRefreshedControlAndUnlockingRestoresOnlyThoseFreeToUse) {
  kTonerSave.set(p);  // keeps print priority and image type dimmed after unlocking
  click(p.saveSettingsButton);
  EXPECT_EQ(p.saveSettingsValue, 1);
  for (const EnablingRow& row : enablingTable()) {
    for (toolkit::View* v : row.controls(p)) EXPECT_TRUE(dimmed(v)) << row.name << " under the lock";
  }
  // Locking changes no value.
  EXPECT_EQ(p.printPriorityPopup->indexOfSelectedItem(), 1);
  EXPECT_EQ(p.imageTypePopup->indexOfSelectedItem(), 6);

  click(p.saveSettingsButton);
  EXPECT_EQ(p.saveSettingsValue, 0);
  expectDimmed(p, {"printPriorityPopup", "imageTypePopup"});
  expectDimmed(p, {"colorModePopup", "tonerSaveCB", "trappingPopup", "neutralGraySlider", "cmykoutputProfilePopup"},
               false);
}

TEST(EnablingWithoutControls, TheLockIsNeverOnWithoutTheButton) {
  auto rig = calmRig({"saveSettingsButton"});
  Panel& p = **rig;
  p.saveSettingsValue = 1;
  p.saveSettingsProc(nullptr);
  EXPECT_EQ(p.saveSettingsValue, 0);
  expectDimmed(p, {"colorModePopup", "screeningPopup"}, false);
}

// ---- item rules ----

std::vector<bool> outputItems(const Panel& p) {
  std::vector<bool> flags;
  for (std::int64_t i = 0; i < 3; ++i) flags.push_back(p.outputProfilePopup->items()[static_cast<size_t>(i)].enabled);
  return flags;
}

TEST_F(OutputProfileItems, FollowTheImageType) {
  const std::vector<std::pair<std::int64_t, std::vector<bool>>> rows = {
      {0, {true, false, false}}, {3, {true, false, false}}, {5, {true, false, false}}, {2, {false, true, false}},
      {4, {false, true, false}}, {1, {false, false, true}},  {6, {true, true, true}},   {-1, {true, true, true}},
  };
  for (const auto& [k, expected] : rows) {
    SCOPED_TRACE("image type " + std::to_string(k));
    setSelection(p.imageTypePopup, k);
    p.outputProfileHiliteControl();
    EXPECT_EQ(outputItems(p), expected);
    // The popup does not enable its items itself, so a person sees this.
    EXPECT_EQ(p.outputProfilePopup->isItemEnabled(1), expected[1]);
    // There is always a hard disk: the last item stays available.
    EXPECT_TRUE(p.outputProfilePopup->isItemEnabled(3));
    EXPECT_FALSE(dimmed(p.outputProfilePopup));
  }
}

TEST(EnablingWithoutControls, OutputProfileItemsWithoutAnImageTypePopupOnlyItemZero) {
  auto rig = calmRig({"imageTypePopup"});
  (*rig)->outputProfileHiliteControl();
  EXPECT_EQ(outputItems(**rig), (std::vector<bool>{true, false, false}));
}

TEST_F(OutputProfileItems, AnEmptyImageTypePopupIsCustomAndOpensAllThree) {
  p.imageTypePopup->removeAllItems();
  p.fullEnablingRefresh();
  EXPECT_EQ(outputItems(p), (std::vector<bool>{true, true, true}));
  expectDimmed(p, {"blackOverprintCB", "cmykSimulationCB", "sourceProfilePopup"}, false);
}

TEST_F(LastItems, SourceAndSimulationProfilesKeepTheirHardDiskItem) {
  p.sourceProfilePopup->setItemEnabled(4, false);
  p.simulationProfilePopup->setItemEnabled(4, false);
  p.sourceProfileHiliteControl();
  p.simulationProfileHiliteControl();
  EXPECT_TRUE(p.sourceProfilePopup->items()[4].enabled);
  EXPECT_TRUE(p.simulationProfilePopup->items()[4].enabled);
}

TEST_F(PreservePureCmyk, OnMovesTheSimulationOffItemFourAndClosesTheLastItem) {
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

TEST_F(PreservePureCmyk, OnWithAnotherItemSelectedKeepsTheSelection) {
  pick(p.simulationProfilePopup, 3);
  setState(p.preservepurecmykcolorsCB, 1);
  p.preservepurecmykcolorsHiliteControl();
  EXPECT_EQ(p.simulationProfilePopup->indexOfSelectedItem(), 3);
  EXPECT_FALSE(p.simulationProfilePopup->items()[4].enabled);
}

TEST(EnablingWithoutControls, PreservePureCmykWithoutTheCheckboxRecordsZero) {
  auto rig = calmRig({"preservepurecmykcolorsCB"});
  (*rig)->preservepurecmykcolorChoice = 1;
  (*rig)->preservepurecmykcolorsProc(nullptr);
  EXPECT_EQ((*rig)->preservepurecmykcolorChoice, 0);
}

}  // namespace
