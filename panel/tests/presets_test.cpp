// The colour preset: every row of the preset table with each stored
// output-profile value, the rows that apply nothing, and steps skipped with
// their controls.
#include "actions_fixture.h"

namespace {

using namespace actiontest;

struct Row {
  std::int64_t item;
  std::int64_t outputTo;
  std::int64_t outputFrom[2];
  std::int64_t intent;
};

constexpr Row kRows[] = {
    {0, 0, {1, 2}, 0}, {1, 2, {0, 1}, 0}, {2, 1, {0, 2}, 0},
    {3, 0, {1, 2}, 0}, {4, 1, {0, 2}, 1}, {5, 0, {1, 2}, 1},
};

void PrintTo(const Row& row, std::ostream* out) { *out << "image type " << row.item; }

// A rig with its panel brought to the calm state.
struct CalmRig {
  explicit CalmRig(std::unique_ptr<PanelRig> built) : rig(std::move(built)) { calmState(p); }
  std::unique_ptr<PanelRig> rig;
  Panel& p = **rig;
};

// One preset row over a calm panel on the test layout.
class PresetRow : public testing::TestWithParam<Row> {
 protected:
  CalmRig calm{testLayoutRig()};
  Panel& p = calm.p;
};

TEST_P(PresetRow, AppliedWithEveryStoredOutputProfile) {
  const Row& row = GetParam();
  for (std::int64_t stored : {-1, 0, 1, 2, 3}) {
    SCOPED_TRACE("stored output profile " + std::to_string(stored));
    calmState(p);
    setSelection(p.sourceProfilePopup, 0);
    setSelection(p.renderingIntentPopup, 3);
    p.renderingIntentChoice = 3;
    // The popup's selection differs from the stored index: only the stored one counts.
    setSelection(p.outputProfilePopup, 3);
    p.outputProfileChoice = stored;
    setState(p.blackOverprintCB, 0);
    p.blackOverprintChoice = 0;
    setState(p.preservepurecmykcolorsCB, 1);
    pick(p.simulationProfilePopup, 2);
    pick(p.cmykoutputProfilePopup, 2);

    pick(p.imageTypePopup, row.item);

    EXPECT_EQ(p.imageTypeChoice, row.item);
    EXPECT_EQ(p.sourceProfilePopup->indexOfSelectedItem(), 3);
    EXPECT_EQ(p.sourceProfileChoice, 3);
    const bool moves = stored == row.outputFrom[0] || stored == row.outputFrom[1];
    EXPECT_EQ(p.outputProfilePopup->indexOfSelectedItem(), moves ? row.outputTo : 3);
    EXPECT_EQ(p.outputProfileChoice, moves ? row.outputTo : stored);
    EXPECT_EQ(p.renderingIntentPopup->indexOfSelectedItem(), row.intent);
    EXPECT_EQ(p.renderingIntentChoice, row.intent);
    EXPECT_EQ(p.blackOverprintCB->state(), 1);
    EXPECT_EQ(p.blackOverprintChoice, 1);
    EXPECT_EQ(p.cmykSimulationCB->state(), 0);
    EXPECT_EQ(p.cmykSimulationChoice, 0);
    EXPECT_EQ(p.preservepurecmykcolorsCB->state(), 0);
    // Simulation off moved the simulation controls through their handlers.
    EXPECT_EQ(p.simulationProfileChoice, 0);
    EXPECT_EQ(p.cmykoutputProfileChoice, 0);
    // Closing rules: a preset image type dims what it decides (and the
    // preserve checkbox with simulation off).
    const std::pair<const char*, const toolkit::View*> decided[] = {
        {"black overprint", p.blackOverprintCB.get()}, {"source profile", p.sourceProfilePopup.get()},
        {"rendering intent", p.renderingIntentPopup.get()}, {"CMYK simulation", p.cmykSimulationCB.get()},
        {"simulation profile", p.simulationProfilePopup.get()}, {"preserve", p.preservepurecmykcolorsCB.get()}};
    for (const auto& [name, view] : decided) EXPECT_TRUE(dimmed(view)) << name;
  }
}

TEST_P(PresetRow, ChoosingTheSameItemAgainReappliesIt) {
  pick(p.imageTypePopup, GetParam().item);
  ASSERT_EQ(p.blackOverprintChoice, 1);
  setState(p.blackOverprintCB, 0);
  p.blackOverprintChoice = 0;
  pick(p.imageTypePopup, GetParam().item);
  EXPECT_EQ(p.blackOverprintCB->state(), 1);
  EXPECT_EQ(p.blackOverprintChoice, 1);
}

INSTANTIATE_TEST_SUITE_P(EachImageType, PresetRow, testing::ValuesIn(kRows),
                         [](const testing::TestParamInfo<Row>& info) {
                           return "ImageType" + std::to_string(info.param.item);
                         });

TEST(PresetTable, CustomAndUnselectedImageTypesApplyNoRowButTheClosingRulesRun) {
  auto rig = testLayoutRig();
  Panel& p = **rig;
  for (std::int64_t item : {6, -1}) {
    SCOPED_TRACE("image type " + std::to_string(item));
    calmState(p);
    p.outputProfileChoice = 1;
    setState(p.blackOverprintCB, 0);
    setSelection(p.imageTypePopup, item);
    setSelection(p.sourceProfilePopup, 0);
    setSelection(p.renderingIntentPopup, 2);
    // Something only the closing rules bring back.
    setState(p.saveSettingsButton, 1);

    p.imageTypeProc(p.imageTypePopup.get());

    EXPECT_EQ(p.imageTypeChoice, item);
    EXPECT_EQ(p.outputProfileChoice, 1);
    EXPECT_EQ(p.blackOverprintCB->state(), 0);
    EXPECT_EQ(p.cmykSimulationCB->state(), 1);
    EXPECT_TRUE(dimmed(p.screeningPopup));
    EXPECT_TRUE(dimmed(p.trappingPopup));
    if (item == 6) {
      // Custom with source profile 0: the closing rules move the rendering intent.
      EXPECT_EQ(p.renderingIntentPopup->indexOfSelectedItem(), 0);
      EXPECT_EQ(p.sourceProfilePopup->indexOfSelectedItem(), 0);
    } else {
      // A popup with items but no selection reads as preset.
      EXPECT_EQ(p.sourceProfilePopup->indexOfSelectedItem(), 3);
    }
  }
}

TEST(PresetTable, NoImageTypePopupAppliesTheFirstRow) {
  CalmRig calm(testLayoutRig({"imageTypePopup"}));
  Panel& p = calm.p;
  p.outputProfileChoice = 2;
  setSelection(p.outputProfilePopup, 2);
  p.imageTypeProc(nullptr);
  EXPECT_EQ(p.sourceProfileChoice, 3);
  EXPECT_EQ(p.outputProfileChoice, 0);
  EXPECT_EQ(p.outputProfilePopup->indexOfSelectedItem(), 0);
  EXPECT_EQ(p.renderingIntentChoice, 0);
  EXPECT_EQ(p.blackOverprintChoice, 1);
  EXPECT_EQ(p.cmykSimulationChoice, 0);
  // Without the popup the image type is custom: the profiles stay open.
  EXPECT_FALSE(dimmed(p.sourceProfilePopup));
  EXPECT_FALSE(dimmed(p.blackOverprintCB));
}

TEST(PresetSteps, AnAbsentControlSkipsItsStepStoredValueIncluded) {
  CalmRig calm(testLayoutRig({"sourceProfilePopup", "outputProfilePopup", "renderingIntentPopup", "blackOverprintCB",
                               "cmykSimulationCB"}));
  Panel& p = calm.p;
  // Each would move with its control (the output profile to 0).
  const paneltest::ChoiceValues kept = {{&Panel::sourceProfileChoice, 1}, {&Panel::outputProfileChoice, 1},
                                        {&Panel::renderingIntentChoice, 2}, {&Panel::blackOverprintChoice, 0},
                                        {&Panel::cmykSimulationChoice, 1}};
  paneltest::setChoices(p, kept);
  setState(p.preservepurecmykcolorsCB, 1);
  pick(p.imageTypePopup, 0);
  for (const auto& [field, value] : kept) EXPECT_EQ(p.*field, value);
  EXPECT_EQ(p.preservepurecmykcolorsCB->state(), 1);
}

TEST(PresetSteps, AnIndexPastTheLastItemIsNotApplied) {
  // A layout whose profile popups are too short for the preset's indices.
  nlohmann::json layout = testbundle::color6Layout();
  testbundle::editNodes(layout, [](nlohmann::json& n) {
    const std::string outlet = n.value("outlet", "");
    if (outlet == "sourceProfilePopup") n["items"] = {"A", "B"};
    if (outlet == "renderingIntentPopup") n["items"] = {"A"};
  });
  CalmRig calm(std::make_unique<PanelRig>(paneltest::nineOptions(), layout));
  Panel& p = calm.p;
  p.sourceProfileChoice = 1;
  p.renderingIntentChoice = 0;
  pick(p.imageTypePopup, 4);  // source 3, intent 1: neither exists
  EXPECT_EQ(p.sourceProfilePopup->indexOfSelectedItem(), 1);
  EXPECT_EQ(p.sourceProfileChoice, 1);
  EXPECT_EQ(p.renderingIntentPopup->indexOfSelectedItem(), 0);
  EXPECT_EQ(p.renderingIntentChoice, 0);
  // The steps that fit still apply.
  EXPECT_EQ(p.blackOverprintChoice, 1);
  EXPECT_EQ(p.cmykSimulationChoice, 0);
}

}  // namespace
