// The forcing rules, each with its condition false and then true, over the
// test layout or one without the controls its terms read; the rule is run
// directly after the conditions are set plainly, and the outcome read from the
// control and its current-choice field.
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

// A field whose control the layout leaves out.
Watched fieldOnly(std::int64_t Panel::*field) {
  return {[field](const Panel& p) { return p.*field; }, [field](Panel& p, std::int64_t v) { p.*field = v; }, nullptr};
}

struct ForcingRow {
  const char* name;
  void (Panel::*rule)();
  Watched watched;
  std::int64_t before;  // shown and recorded, left alone while no condition holds
  std::int64_t after;   // shown and recorded once the conditions hold
  std::vector<Condition> conditions;
  void (*start)(Panel&) = nullptr;      // set before the watched control
  std::set<std::string> leaveOut = {};  // outlets the test layout leaves out
};

const Condition kImageType1{"the image type is 1", [](Panel& p) { setSelection(p.imageTypePopup, 1); }};
const Condition kImageType2{"the image type is 2", [](Panel& p) { setSelection(p.imageTypePopup, 2); }};

// A layout without these, so that none of their terms can hold.
const std::set<std::string> kNoBoxes = {"tonerSaveCB", "colorSyncCB", "cmykSimulationCB", "trappingPopup",
                                        "sourceProfilePopup"};
const std::set<std::string> kNoImageType = {"imageTypePopup"};

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
    // Absent controls are skipped and their terms are false.
    {"TrappingBoxAloneShowsTheChoiceUnderPrintPriorityZero", &Panel::trappingControl,
     box(&Panel::trappingCB, &Panel::trappingChoice), 1, 0, {kPrintPriority0}, nullptr, kNoBoxes},
    {"NoSimulationBoxLeavesCmykOutputProfile", &Panel::cmykoutputProfileControl,
     popup(&Panel::cmykoutputProfilePopup, &Panel::cmykoutputProfileChoice), 2, 2, {}, nullptr, kNoBoxes},
    {"NoSimulationBoxLeavesSimulationProfile", &Panel::simulationProfileControl,
     popup(&Panel::simulationProfilePopup, &Panel::simulationProfileChoice), 3, 3, {}, nullptr, kNoBoxes},
    {"NoTonerSaveLeavesPrintPriority", &Panel::printPriorityControl,
     popup(&Panel::printPriorityPopup, &Panel::printPriorityChoice), 0, 0, {}, nullptr, kNoBoxes},
    {"NoTonerSaveNorColourSyncLeavesOutputProfile", &Panel::outputProfileControl,
     popup(&Panel::outputProfilePopup, &Panel::outputProfileChoice), 2, 2, {}, nullptr, kNoBoxes},
    {"NoColourSyncLeavesTonerSave", &Panel::tonerSaveControl, fieldOnly(&Panel::tonerSaveChoice), 1, 1, {}, nullptr,
     kNoBoxes},
    {"NoSourceProfilePopupStoresNothing", &Panel::sourceProfileControl, fieldOnly(&Panel::sourceProfileChoice), 1, 1,
     {kImageType1}, nullptr, kNoBoxes},
    {"NoRenderingIntentPopupStoresNothing", &Panel::renderingIntentControl,
     fieldOnly(&Panel::renderingIntentChoice), 2, 2, {kSourceProfile0}, nullptr, {"renderingIntentPopup"}},
    // No image-type popup counts as custom.
    {"NoImageTypePopupForcesNoSourceProfile", &Panel::sourceProfileControl,
     popup(&Panel::sourceProfilePopup, &Panel::sourceProfileChoice), 0, 0, {}, nullptr, kNoImageType},
    {"NoImageTypePopupRenderingIntentUnderSourceProfileZero", &Panel::renderingIntentControl,
     popup(&Panel::renderingIntentPopup, &Panel::renderingIntentChoice), 3, 0, {kSourceProfile0}, nullptr, kNoImageType},
};

class Forcing : public ::testing::TestWithParam<ForcingRow> {
 protected:
  void SetUp() override {
    rig = calmRig(GetParam().leaveOut);
    ASSERT_TRUE(rig->panel);
  }
  Panel& panel() { return **rig; }
  std::unique_ptr<PanelRig> rig;
};

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
  Panel& p = panel();
  if (row.start) row.start(p);
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

}  // namespace
