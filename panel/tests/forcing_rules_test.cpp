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

// The controls the rules move, with their fields.
const Watched kPrintPriority = popup(&Panel::printPriorityPopup, &Panel::printPriorityChoice);
const Watched kImageType = popup(&Panel::imageTypePopup, &Panel::imageTypeChoice);
const Watched kSourceProfile = popup(&Panel::sourceProfilePopup, &Panel::sourceProfileChoice);
const Watched kPureBlackPrintBox = box(&Panel::pureBlackPrintCB, &Panel::pureBlackPrintChoice);
const Watched kTonerSaveBox = box(&Panel::tonerSaveCB, &Panel::tonerSaveChoice);
const Watched kRenderingIntent = popup(&Panel::renderingIntentPopup, &Panel::renderingIntentChoice);
const Watched kOutputProfile = popup(&Panel::outputProfilePopup, &Panel::outputProfileChoice);
const Watched kCmykOutputProfile = popup(&Panel::cmykoutputProfilePopup, &Panel::cmykoutputProfileChoice);
const Watched kScreening = popup(&Panel::screeningPopup, &Panel::screeningChoice);
const Watched kSimulationProfile = popup(&Panel::simulationProfilePopup, &Panel::simulationProfileChoice);
const Watched kTrapping = popup(&Panel::trappingPopup, &Panel::trappingChoice);
const Watched kTrappingBox = box(&Panel::trappingCB, nullptr);  // its field follows the popup
const Watched kTrappingBoxAlone = box(&Panel::trappingCB, &Panel::trappingChoice);
const Watched kSharpness = popup(&Panel::sharpnessPopup, &Panel::sharpnessChoice);

void pickImageTypeZero(Panel& p) { pick(p.imageTypePopup, 0); }
void trappingBoxOn(Panel& p) { setState(p.trappingCB, 1); }
void trappingPopupOne(Panel& p) { setSelection(p.trappingPopup, 1); }

const ForcingRow kForcingRows[] = {
    {"PrintPriorityUnderTonerSave", &Panel::printPriorityControl, kPrintPriority, 0, 1, {kTonerSave}},
    {"ImageTypeUnderColourSync", &Panel::imageTypeControl, kImageType, 6, 0, {kColorSync}},
    {"ImageTypeUnderColourModeTwo", &Panel::imageTypeControl, kImageType, 6, 0, {kColorMode2}},
    {"ImageTypeUnderTonerSave", &Panel::imageTypeControl, kImageType, 6, 0, {kTonerSave}},
    // The forced image type runs its preset.
    {"ImageTypePresetUnderColourSync", &Panel::imageTypeControl, kSourceProfile, 1, 3, {kColorSync}},
    {"ImageTypePresetUnderColourModeTwo", &Panel::imageTypeControl, kSourceProfile, 1, 3, {kColorMode2}},
    {"ImageTypePresetUnderTonerSave", &Panel::imageTypeControl, kSourceProfile, 1, 3, {kTonerSave}},
    {"ImageTypePresetReappliedWhenItemZeroIsAlreadySelected", &Panel::imageTypeControl, kSourceProfile, 0, 3,
     {kColorSync}, pickImageTypeZero},
    {"PureBlackPrintIsNeverForced", &Panel::pureBlackPrintControl, kPureBlackPrintBox, 1, 1,
     {kColorSync, kTonerSave, kColorMode2}},
    // The box is turned off plainly; the job must not keep toner save on.
    {"TonerSaveOffUnderColourSync", &Panel::tonerSaveControl, kTonerSaveBox, 1, 0, {kColorSync}},
    {"SourceProfileUnderAPresetImageType", &Panel::sourceProfileControl, kSourceProfile, 1, 3, {kImageType2}},
    {"RenderingIntentStaysUnderAPresetImageType", &Panel::renderingIntentControl, kRenderingIntent, 2, 2,
     {kSourceProfile0, kPreset}},
    {"RenderingIntentUnderCustomWithSourceProfileZero", &Panel::renderingIntentControl, kRenderingIntent, 2, 0,
     {kSourceProfile0}},
    {"OutputProfileUnderTonerSave", &Panel::outputProfileControl, kOutputProfile, 2, 0, {kTonerSave}},
    {"OutputProfileUnderColourModeTwo", &Panel::outputProfileControl, kOutputProfile, 2, 0, {kColorMode2}},
    {"OutputProfileUnderColourSync", &Panel::outputProfileControl, kOutputProfile, 2, 0, {kColorSync}},
    {"CmykOutputProfileWhenSimulationIsOff", &Panel::cmykoutputProfileControl, kCmykOutputProfile, 2, 0,
     {kSimulationOff}},
    {"ScreeningUnderTonerSave", &Panel::screeningControl, kScreening, 2, 0, {kTonerSave}},
    {"SimulationProfileWhenSimulationIsOff", &Panel::simulationProfileControl, kSimulationProfile, 3, 0,
     {kSimulationOff}},
    {"TrappingPopupUnderPrintPriorityZero", &Panel::trappingControl, kTrapping, 1, 2, {kPrintPriority0},
     trappingBoxOn},
    {"TrappingBoxUnderPrintPriorityZero", &Panel::trappingControl, kTrappingBox, 1, 0, {kPrintPriority0},
     trappingPopupOne},
    {"SharpnessUnderPrintPriorityZero", &Panel::sharpnessControl, kSharpness, 1, 0, {kPrintPriority0}},
    // Absent controls are skipped and their terms are false.
    {"TrappingBoxAloneShowsTheChoiceUnderPrintPriorityZero", &Panel::trappingControl, kTrappingBoxAlone, 1, 0,
     {kPrintPriority0}, nullptr, kNoBoxes},
    {"NoSimulationBoxLeavesCmykOutputProfile", &Panel::cmykoutputProfileControl, kCmykOutputProfile, 2, 2, {},
     nullptr, kNoBoxes},
    {"NoSimulationBoxLeavesSimulationProfile", &Panel::simulationProfileControl, kSimulationProfile, 3, 3, {},
     nullptr, kNoBoxes},
    {"NoTonerSaveLeavesPrintPriority", &Panel::printPriorityControl, kPrintPriority, 0, 0, {}, nullptr, kNoBoxes},
    {"NoTonerSaveNorColourSyncLeavesOutputProfile", &Panel::outputProfileControl, kOutputProfile, 2, 2, {}, nullptr,
     kNoBoxes},
    {"NoColourSyncLeavesTonerSave", &Panel::tonerSaveControl, fieldOnly(&Panel::tonerSaveChoice), 1, 1, {}, nullptr,
     kNoBoxes},
    {"NoSourceProfilePopupStoresNothing", &Panel::sourceProfileControl, fieldOnly(&Panel::sourceProfileChoice), 1, 1,
     {kImageType1}, nullptr, kNoBoxes},
    {"NoRenderingIntentPopupStoresNothing", &Panel::renderingIntentControl, fieldOnly(&Panel::renderingIntentChoice),
     2, 2, {kSourceProfile0}, nullptr, {"renderingIntentPopup"}},
    // No image-type popup counts as custom.
    {"NoImageTypePopupForcesNoSourceProfile", &Panel::sourceProfileControl, kSourceProfile, 0, 0, {}, nullptr,
     kNoImageType},
    {"NoImageTypePopupRenderingIntentUnderSourceProfileZero", &Panel::renderingIntentControl, kRenderingIntent, 3, 0,
     {kSourceProfile0}, nullptr, kNoImageType},
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

INSTANTIATE_TEST_SUITE_P(Rule, Forcing, ::testing::ValuesIn(kForcingRows), RowName());

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
