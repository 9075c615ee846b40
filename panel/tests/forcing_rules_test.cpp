// The forcing rules, each with its condition false and then true, over the
// full test layout; the rule is run directly after the conditions are set
// plainly, and the outcome read from the control and its current-choice field.
#include "actions_fixture.h"

namespace {

using namespace actiontest;

// A control a rule may move, with the field its handler records into.
struct Watched {
  std::function<std::int64_t(const Panel&)> shown;
  std::function<void(Panel&, std::int64_t)> show;  // plainly
  std::int64_t Panel::*field;                      // null: the control has no field of its own
};

Watched popup(std::shared_ptr<toolkit::PopUpButton> Panel::*control, std::int64_t Panel::*field) {
  return {[control](const Panel& p) { return (p.*control)->indexOfSelectedItem(); },
          [control](Panel& p, std::int64_t i) { setSelection(p.*control, i); }, field};
}

Watched box(std::shared_ptr<toolkit::Button> Panel::*control, std::int64_t Panel::*field) {
  return {[control](const Panel& p) { return (p.*control)->state(); },
          [control](Panel& p, std::int64_t s) { setState(p.*control, s); }, field};
}

struct ForcingRow {
  const char* name;
  void (Panel::*rule)();
  Watched watched;
  std::int64_t before;  // shown and recorded, left alone while no condition holds
  std::int64_t after;   // shown and recorded once the conditions hold
  std::vector<Condition> conditions;
  std::function<void(Panel&)> start = [](Panel&) {};  // set before the watched control
};

const Condition kImageType2{"the image type is 2", [](Panel& p) { setSelection(p.imageTypePopup, 2); }};

const ForcingRow kForcingRows[] = {
    {"PrintPriorityUnderTonerSave", &Panel::printPriorityControl,
     popup(&Panel::printPriorityPopup, &Panel::printPriorityChoice), 0, 1, {kTonerSave}},
    {"ImageTypeUnderColourSync", &Panel::imageTypeControl, popup(&Panel::imageTypePopup, &Panel::imageTypeChoice), 6,
     0, {kColorSync}},
    {"ImageTypeUnderColourModeTwo", &Panel::imageTypeControl, popup(&Panel::imageTypePopup, &Panel::imageTypeChoice),
     6, 0, {kColorMode2}},
    {"ImageTypeUnderTonerSave", &Panel::imageTypeControl, popup(&Panel::imageTypePopup, &Panel::imageTypeChoice), 6,
     0, {kTonerSave}},
    // The forced image type runs its preset.
    {"ImageTypePresetUnderColourSync", &Panel::imageTypeControl,
     popup(&Panel::sourceProfilePopup, &Panel::sourceProfileChoice), 1, 3, {kColorSync}},
    {"ImageTypePresetUnderColourModeTwo", &Panel::imageTypeControl,
     popup(&Panel::sourceProfilePopup, &Panel::sourceProfileChoice), 1, 3, {kColorMode2}},
    {"ImageTypePresetUnderTonerSave", &Panel::imageTypeControl,
     popup(&Panel::sourceProfilePopup, &Panel::sourceProfileChoice), 1, 3, {kTonerSave}},
    {"ImageTypePresetReappliedWhenItemZeroIsAlreadySelected", &Panel::imageTypeControl,
     popup(&Panel::sourceProfilePopup, &Panel::sourceProfileChoice), 0, 3, {kColorSync},
     [](Panel& p) { pick(p.imageTypePopup, 0); }},
    {"PureBlackPrintIsNeverForced", &Panel::pureBlackPrintControl,
     box(&Panel::pureBlackPrintCB, &Panel::pureBlackPrintChoice), 1, 1, {kColorSync, kTonerSave, kColorMode2}},
    // The box is turned off plainly; the job must not keep toner save on.
    {"TonerSaveOffUnderColourSync", &Panel::tonerSaveControl, box(&Panel::tonerSaveCB, &Panel::tonerSaveChoice), 1, 0,
     {kColorSync}},
    {"SourceProfileUnderAPresetImageType", &Panel::sourceProfileControl,
     popup(&Panel::sourceProfilePopup, &Panel::sourceProfileChoice), 1, 3, {kImageType2}},
    {"RenderingIntentStaysUnderAPresetImageType", &Panel::renderingIntentControl,
     popup(&Panel::renderingIntentPopup, &Panel::renderingIntentChoice), 2, 2, {kSourceProfile0, kPreset}},
    {"RenderingIntentUnderCustomWithSourceProfileZero", &Panel::renderingIntentControl,
     popup(&Panel::renderingIntentPopup, &Panel::renderingIntentChoice), 2, 0, {kSourceProfile0}},
    {"OutputProfileUnderTonerSave", &Panel::outputProfileControl,
     popup(&Panel::outputProfilePopup, &Panel::outputProfileChoice), 2, 0, {kTonerSave}},
    {"OutputProfileUnderColourModeTwo", &Panel::outputProfileControl,
     popup(&Panel::outputProfilePopup, &Panel::outputProfileChoice), 2, 0, {kColorMode2}},
    {"OutputProfileUnderColourSync", &Panel::outputProfileControl,
     popup(&Panel::outputProfilePopup, &Panel::outputProfileChoice), 2, 0, {kColorSync}},
    {"CmykOutputProfileWhenSimulationIsOff", &Panel::cmykoutputProfileControl,
     popup(&Panel::cmykoutputProfilePopup, &Panel::cmykoutputProfileChoice), 2, 0, {kSimulationOff}},
    {"ScreeningUnderTonerSave", &Panel::screeningControl, popup(&Panel::screeningPopup, &Panel::screeningChoice), 2, 0,
     {kTonerSave}},
    {"SimulationProfileWhenSimulationIsOff", &Panel::simulationProfileControl,
     popup(&Panel::simulationProfilePopup, &Panel::simulationProfileChoice), 3, 0, {kSimulationOff}},
    {"TrappingPopupUnderPrintPriorityZero", &Panel::trappingControl,
     popup(&Panel::trappingPopup, &Panel::trappingChoice), 1, 2, {kPrintPriority0},
     [](Panel& p) { setState(p.trappingCB, 1); }},
    {"TrappingBoxUnderPrintPriorityZero", &Panel::trappingControl, box(&Panel::trappingCB, nullptr), 1, 0,
     {kPrintPriority0}, [](Panel& p) { setSelection(p.trappingPopup, 1); }},
    {"SharpnessUnderPrintPriorityZero", &Panel::sharpnessControl,
     popup(&Panel::sharpnessPopup, &Panel::sharpnessChoice), 1, 0, {kPrintPriority0}},
};

class Forcing : public CalmPanel, public ::testing::WithParamInterface<ForcingRow> {};

// What the watched control shows and its field records, both `want`.
void expectWatched(const Panel& p, const Watched& watched, std::int64_t want) {
  EXPECT_EQ(watched.shown(p), want);
  if (watched.field) {
    EXPECT_EQ(p.*watched.field, want);
  }
}

// A failing case names its row rather than printing its bytes.
void PrintTo(const ForcingRow& row, std::ostream* os) { *os << row.name; }

TEST_P(Forcing, MovesOnlyOnceItsConditionsHold) {
  const ForcingRow& row = GetParam();
  row.start(p);
  row.watched.show(p, row.before);
  if (row.watched.field) p.*row.watched.field = row.before;
  (p.*row.rule)();
  {
    SCOPED_TRACE("with no condition");
    expectWatched(p, row.watched, row.before);
  }
  for (const Condition& condition : row.conditions) condition.set(p);
  (p.*row.rule)();
  expectWatched(p, row.watched, row.after);
}

INSTANTIATE_TEST_SUITE_P(Rule, Forcing, ::testing::ValuesIn(kForcingRows),
                         [](const ::testing::TestParamInfo<ForcingRow>& info) { return std::string(info.param.name); });

using ForcingSkips = CalmPanel;

TEST_F(ForcingSkips, OutputProfileAlreadyAtZeroRunsNoHandler) {
  // Field and popup disagree on purpose: a handler run would record 0.
  p.outputProfileChoice = 3;
  kTonerSave.set(p);
  p.outputProfileControl();
  EXPECT_EQ(p.outputProfilePopup->indexOfSelectedItem(), 0);
  EXPECT_EQ(p.outputProfileChoice, 3);
}

TEST(ForcingWithoutControls, AbsentControlsAreSkippedAndTheirTermsAreFalse) {
  auto rig = calmRig({"tonerSaveCB", "colorSyncCB", "cmykSimulationCB", "trappingPopup", "sourceProfilePopup"});
  Panel& p = **rig;
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
  auto rig = calmRig({"renderingIntentPopup"});
  Panel& p = **rig;
  kSourceProfile0.set(p);
  p.renderingIntentChoice = 2;
  p.renderingIntentControl();
  EXPECT_EQ(p.renderingIntentChoice, 2);
}

TEST(ForcingWithoutControls, NoImageTypePopupCountsAsCustom) {
  auto rig = calmRig({"imageTypePopup"});
  Panel& p = **rig;
  kSourceProfile0.set(p);
  setSelection(p.renderingIntentPopup, 3);
  p.sourceProfileControl();  // custom: no forcing
  EXPECT_EQ(p.sourceProfilePopup->indexOfSelectedItem(), 0);
  p.renderingIntentControl();  // custom with source profile 0
  EXPECT_EQ(p.renderingIntentPopup->indexOfSelectedItem(), 0);
  EXPECT_EQ(p.renderingIntentChoice, 0);
}

}  // namespace
