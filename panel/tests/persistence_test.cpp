// The panel's entries in the print settings: what is written and in which
// order, what a fresh panel reads back, and every case in which the stored
// entries are not taken.
#include <gtest/gtest.h>

#include "VemraPrintPdeLX4200CO.h"
#include "fake_host.h"
#include "ppd_fixture.h"
#include "panel_rig.h"
#include "test_bundle.h"

namespace {

using paneltest::Panel;
using Entries = std::map<std::string, std::string>;

constexpr const char* kSave = "vemra.print.PrintSettings.co.saveSettings";
constexpr const char* kCode = "vemra.print.PrintSettings.co.kestrel2";

// Print settings that log the keys in the order they are set, and can refuse
// to read some keys (as a host does for an entry that is not a text).
class LoggingSettings : public testhost::Settings {
 public:
  int getValue(const std::string& key, std::string* value) const override {
    if (unreadable.count(key)) return -1;
    return testhost::Settings::getValue(key, value);
  }
  int setValue(const std::string& key, const std::string& value, bool locked) override {
    order.push_back(key);
    lockedWrites += locked ? 1 : 0;
    return testhost::Settings::setValue(key, value, locked);
  }
  std::vector<std::string> order;
  std::set<std::string> unreadable;
  int lockedWrites = 0;
};

class LoggingHost : public testhost::Host {
 public:
  using testhost::Host::Host;
  pde::PrintSettings* printSettings() override { return hasSettings ? &logged : nullptr; }
  LoggingSettings logged;
};

// Over the nine-option description unless told otherwise.
struct PersistenceRig : paneltest::BasicPanelRig<LoggingHost> {
  using BasicPanelRig::BasicPanelRig;
  PersistenceRig() : BasicPanelRig(paneltest::nineOptions()) {}
  Entries& entries() { return host->logged.entries; }
};

// The nine current choices, in the order the entries are written.
constexpr std::int64_t Panel::*kNine[] = {
    &Panel::colorModeChoice, &Panel::printPriorityChoice, &Panel::neutralGrayChoice,
    &Panel::pureBlackPrintChoice, &Panel::tonerSaveChoice, &Panel::smoothingChoice,
    &Panel::screeningChoice, &Panel::trappingChoice, &Panel::sharpnessChoice};

std::vector<std::int64_t> choices(const Panel& p) {
  std::vector<std::int64_t> values;
  for (auto field : kNine) values.push_back(p.*field);
  return values;
}

void setChoices(Panel& p, const std::vector<std::int64_t>& values) {
  for (std::size_t i = 0; i < values.size(); ++i) p.*kNine[i] = values[i];
}

// The test description's defaults: Auto, Photo, Off, True, False, True, Auto, Off, Normal.
const std::vector<std::int64_t> kDefaults = {0, 1, 0, 1, 0, 1, 0, 0, 0};

const Entries kStored = {{"VMCMode", "Gray"},     {"VMCPPriority", "Text"}, {"VMCNGray", "High"},
                         {"VMCPureB", "False"},   {"VMSaveToner", "True"},  {"VMSmoothing", "False"},
                         {"VMCScreen", "Smooth"}, {"VMCTrapping", "Strong"}, {"VMCSharpness", "Soft"}};
const std::vector<std::int64_t> kStoredChoices = {2, 0, 2, 0, 1, 0, 2, 2, 2};

// ---- writing ---------------------------------------------------------------

TEST(Writing, EntriesInTheirOrderWithKeywordsAndTheModelCodeLast) {
  PersistenceRig r;
  ASSERT_NE(r.panel, nullptr);
  r.panel->restoreValuesAndReturnError(nullptr);
  setChoices(*r.panel, {2, 0, 1, 0, 1, 0, 2, 1, 2});
  r.host->logged.order.clear();
  r.panel->saveValuesAndReturnError(nullptr);
  EXPECT_EQ(r.host->logged.order,
            (std::vector<std::string>{kSave, "VMCMode", "VMCPPriority", "VMCNGray", "VMCPureB", "VMSaveToner",
                                      "VMSmoothing", "VMCScreen", "VMCTrapping", "VMCSharpness", kCode}));
  EXPECT_EQ(r.entries(), (Entries{{kSave, "0"}, {"VMCMode", "Gray"}, {"VMCPPriority", "Text"}, {"VMCNGray", "Low"},
                                  {"VMCPureB", "False"}, {"VMSaveToner", "True"}, {"VMSmoothing", "False"},
                                  {"VMCScreen", "Smooth"}, {"VMCTrapping", "Weak"}, {"VMCSharpness", "Soft"},
                                  {kCode, "4"}}));
  EXPECT_EQ(r.host->logged.lockedWrites, 0);
}

TEST(Writing, SaveSettingsEntryFollowsTheButtonNotTheField) {
  PersistenceRig r;
  r.panel->restoreValuesAndReturnError(nullptr);
  r.panel->saveSettingsValue = 1;
  r.panel->saveSettingsButton->setState(0);
  r.panel->saveValuesAndReturnError(nullptr);
  EXPECT_EQ(r.entries()[kSave], "0");
  r.panel->saveSettingsButton->setState(1);
  r.panel->saveSettingsValue = 0;
  r.panel->saveValuesAndReturnError(nullptr);
  EXPECT_EQ(r.entries()[kSave], "1");

  PersistenceRig noButton(paneltest::nineOptions(), std::set<std::string>{"saveSettingsButton"});
  noButton.panel->restoreValuesAndReturnError(nullptr);
  noButton.panel->saveSettingsValue = 1;
  noButton.panel->saveValuesAndReturnError(nullptr);
  EXPECT_EQ(noButton.entries()[kSave], "0");
}

TEST(Writing, BooleanIsItsStateWhateverTheListingOrder) {
  // Pure black lists False then True, smoothing True then False.
  PersistenceRig r;
  r.panel->restoreValuesAndReturnError(nullptr);
  for (std::int64_t state : {0, 1}) {
    r.panel->pureBlackPrintChoice = state;
    r.panel->smoothingChoice = state;
    r.panel->saveValuesAndReturnError(nullptr);
    const char* expected = state ? "True" : "False";
    EXPECT_EQ(r.entries()["VMCPureB"], expected);
    EXPECT_EQ(r.entries()["VMSmoothing"], expected);
  }
}

TEST(Writing, ChoiceWithoutKeywordLeavesItsEntry) {
  PersistenceRig r;
  r.panel->restoreValuesAndReturnError(nullptr);
  r.entries()["VMCPureB"] = "before";
  r.entries()["VMCMode"] = "before";
  r.entries()["VMCSharpness"] = "before";
  r.panel->pureBlackPrintChoice = 2;  // a Boolean has two choices
  r.panel->colorModeChoice = -1;
  r.panel->sharpnessChoice = 3;
  r.panel->saveValuesAndReturnError(nullptr);
  EXPECT_EQ(r.entries()["VMCPureB"], "before");
  EXPECT_EQ(r.entries()["VMCMode"], "before");
  EXPECT_EQ(r.entries()["VMCSharpness"], "before");
  EXPECT_EQ(r.entries()[kCode], "4");
}

TEST(Writing, NothingWithoutSettingsOrBeforeTheLayoutIsFilled) {
  PersistenceRig r;
  r.panel->writeNonPPDSettingsToPrintSettings();  // layout not filled yet
  EXPECT_TRUE(r.entries().empty());
  r.panel->panelView();
  r.host->hasSettings = false;
  r.panel->saveValuesAndReturnError(nullptr);
  EXPECT_TRUE(r.host->logged.order.empty());
}

TEST(Writing, OnlyTheOptionsTheDescriptionOffers) {
  testppd::Description d;
  d.options = {testppd::tonerSave(), testppd::screening()};
  PersistenceRig r(d);
  r.panel->restoreValuesAndReturnError(nullptr);
  r.entries()["VMCMode"] = "Gray";  // an entry for an option the description lacks
  r.panel->colorModeChoice = 1;
  r.panel->saveValuesAndReturnError(nullptr);
  EXPECT_EQ(r.entries(), (Entries{{kSave, "0"}, {"VMCMode", "Gray"}, {"VMSaveToner", "False"},
                                  {"VMCScreen", "Auto"}, {kCode, "4"}}));
  r.panel->colorModeChoice = 1;
  r.panel->restoreValuesAndReturnError(nullptr);
  EXPECT_EQ(r.panel->colorModeChoice, 1);  // not touched on reading
}

// ---- round trips -----------------------------------------------------------

TEST(RoundTrip, AFreshPanelShowsWhatWasSaved) {
  const std::vector<std::vector<std::int64_t>> states = {
      {0, 0, 0, 0, 0, 0, 0, 0, 0}, {2, 1, 2, 1, 1, 1, 2, 2, 2}, {1, 0, 1, 0, 1, 0, 1, 1, 0}, {2, 1, 0, 1, 0, 1, 0, 2, 1}};
  for (const auto& state : states) {
    SCOPED_TRACE(testing::PrintToString(state));
    const std::int64_t locked = state[0] == 2 ? 1 : 0;
    PersistenceRig first;
    first.panel->restoreValuesAndReturnError(nullptr);
    setChoices(*first.panel, state);
    first.panel->saveSettingsButton->setState(locked);
    first.panel->saveValuesAndReturnError(nullptr);

    PersistenceRig second;
    second.entries() = first.entries();
    second.panel->restoreValuesAndReturnError(nullptr);
    EXPECT_EQ(choices(*second.panel), state);
    EXPECT_EQ(second.panel->saveSettingsValue, locked);
    // The controls show it.
    EXPECT_EQ(second.panel->colorModePopup->indexOfSelectedItem(), state[0]);
    EXPECT_EQ(second.panel->pureBlackPrintCB->state(), state[3]);
    EXPECT_EQ(second.panel->SmoothingCB->state(), state[5]);
    EXPECT_EQ(second.panel->sharpnessPopup->indexOfSelectedItem(), state[8]);
    // Saving again changes nothing.
    const Entries before = second.entries();
    second.panel->saveValuesAndReturnError(nullptr);
    EXPECT_EQ(second.entries(), before);
  }
}

TEST(RoundTrip, ReadingTwiceGivesTheSameResult) {
  PersistenceRig r;
  r.entries() = {{"VMCMode", "Color"}, {"VMSmoothing", "False"}, {kSave, "1"}};
  r.panel->restoreValuesAndReturnError(nullptr);
  const auto once = choices(*r.panel);
  r.panel->getNonPPDSettingsFromPrintSettings();
  EXPECT_EQ(choices(*r.panel), once);
  EXPECT_EQ(r.panel->saveSettingsValue, 1);
  EXPECT_EQ(once[0], 1);
  EXPECT_EQ(once[5], 0);
}

// ---- entries that are not taken --------------------------------------------

TEST(Reading, ModelCodeDecidesWhetherEntriesAreTaken) {
  struct Case {
    std::optional<std::string> code;
    bool taken;
  };
  for (const Case& c : {Case{std::nullopt, true}, Case{"4", true}, Case{"0", true}, Case{"abc", true},
                        Case{"2", false}, Case{"1", false}, Case{"40", false}}) {
    PersistenceRig r;
    r.entries() = kStored;
    r.entries()[kSave] = "1";
    if (c.code) r.entries()[kCode] = *c.code;
    r.panel->restoreValuesAndReturnError(nullptr);
    EXPECT_EQ(choices(*r.panel), c.taken ? kStoredChoices : kDefaults) << c.code.value_or("(none)");
    EXPECT_EQ(r.panel->saveSettingsValue, 1) << "the flag is taken whatever the code";
  }
}

TEST(Reading, AbsentEntriesGiveTheDescriptionsDefaults) {
  PersistenceRig r;
  setChoices(*r.panel, kStoredChoices);
  r.panel->restoreValuesAndReturnError(nullptr);
  EXPECT_EQ(choices(*r.panel), kDefaults);
  EXPECT_EQ(r.panel->saveSettingsValue, 0);
}

TEST(Reading, UnreadableEntriesGiveTheDefaults) {
  PersistenceRig r;
  r.entries() = kStored;
  r.host->logged.unreadable = {"VMCMode", "VMSmoothing", kSave};
  r.entries()[kSave] = "1";
  r.panel->restoreValuesAndReturnError(nullptr);
  std::vector<std::int64_t> expected = kStoredChoices;
  expected[0] = kDefaults[0];
  expected[5] = kDefaults[5];
  EXPECT_EQ(choices(*r.panel), expected);
  EXPECT_EQ(r.panel->saveSettingsValue, 0);
}

TEST(Reading, KeywordsNamingNoChoiceKeepTheCurrentChoice) {
  PersistenceRig r;
  r.panel->panelView();
  setChoices(*r.panel, {1, 1, 1, 1, 1, 1, 1, 1, 1});
  r.entries() = {{"VMCMode", "Sepia"}, {"VMCPPriority", "text"}, {"VMCPureB", "Yes"}, {"VMCScreen", ""},
                 {"VMCTrapping", "Strong"}};
  r.panel->getNonPPDSettingsFromPrintSettings();
  // Only trapping names a choice; the others keep 1, and those without an
  // entry take their defaults.
  EXPECT_EQ(choices(*r.panel), (std::vector<std::int64_t>{1, 1, 0, 1, 0, 1, 1, 2, 0}));
}

TEST(Reading, BooleanEntriesAreStatesWhateverTheListingOrder) {
  PersistenceRig r;
  for (std::int64_t state : {1, 0}) {
    const char* entry = state ? "True" : "False";
    r.entries() = {{"VMCPureB", entry}, {"VMSmoothing", entry}};
    r.panel->restoreValuesAndReturnError(nullptr);
    EXPECT_EQ(r.panel->pureBlackPrintChoice, state) << entry;
    EXPECT_EQ(r.panel->smoothingChoice, state) << entry;  // smoothing lists True first
  }
}

TEST(Reading, SaveSettingsEntryIsItsLeadingInteger) {
  for (const auto& [text, value] : std::vector<std::pair<std::string, std::int64_t>>{
           {"1", 1}, {"0", 0}, {"1abc", 1}, {"abc", 0}, {" 7", 7}, {"", 0}}) {
    PersistenceRig r;
    r.entries()[kSave] = text;
    r.panel->getNonPPDSettingsFromPrintSettings();  // restore would then show it on the button
    EXPECT_EQ(r.panel->saveSettingsValue, value) << text;
  }
}

TEST(Reading, NoPrintSettingsKeepsEverything) {
  PersistenceRig r;
  r.host->hasSettings = false;
  setChoices(*r.panel, kStoredChoices);
  r.panel->saveSettingsValue = 1;
  r.panel->restoreValuesAndReturnError(nullptr);
  EXPECT_EQ(choices(*r.panel), kStoredChoices);
  EXPECT_EQ(r.panel->saveSettingsValue, 1);
  EXPECT_TRUE(r.panel->shouldPrint());
}

// ---- the preference record -------------------------------------------------

std::vector<std::int16_t> fields(const PDEUserPreference& p) {
  const std::int16_t* first = &p.saveSettings;
  return std::vector<std::int16_t>(first, first + sizeof(PDEUserPreference) / sizeof(std::int16_t));
}

TEST(Preference, UnsetAfterCreationAndAfterPrinting) {
  PersistenceRig r;
  EXPECT_EQ(fields(r.panel->preference), std::vector<std::int16_t>(27, -1));
  r.panel->CheckPreference();
  EXPECT_EQ(fields(r.panel->preference), std::vector<std::int16_t>(27, -1));
  r.panel->preference.tint = 3;
  r.panel->preference.colorMode = 2;
  EXPECT_FALSE(r.panel->SaveUserPreference());
  EXPECT_EQ(r.panel->preference.tint, 3);
  r.panel->shouldPrint();
  EXPECT_EQ(fields(r.panel->preference), std::vector<std::int16_t>(27, -1));
}

TEST(Preference, PrintingWithoutSettingsLeavesTheRecord) {
  PersistenceRig r;
  r.host->hasSettings = false;
  r.panel->preference.hue = 5;
  r.panel->shouldPrint();
  EXPECT_EQ(r.panel->preference.hue, 5);
}

TEST(Preference, ASetFieldWinsOverTheSettingsOnce) {
  PersistenceRig r;
  r.entries() = kStored;
  r.entries()[kSave] = "0";
  r.panel->panelView();
  r.panel->preference.saveSettings = 1;
  r.panel->preference.printMode = 1;
  r.panel->preference.smoothing = 1;
  r.panel->preference.sharpness = 0;
  r.panel->preference.colorSync = 1;  // its option is never looked up
  r.panel->getNonPPDSettingsFromPrintSettings();
  std::vector<std::int64_t> expected = kStoredChoices;
  expected[1] = 1;
  expected[5] = 1;
  expected[8] = 0;
  EXPECT_EQ(choices(*r.panel), expected);
  EXPECT_EQ(r.panel->saveSettingsValue, 1);
  EXPECT_EQ(r.panel->preference.printMode, -1);
  EXPECT_EQ(r.panel->preference.saveSettings, -1);
  EXPECT_EQ(r.panel->preference.colorSync, 1);
  EXPECT_EQ(r.panel->colorSyncChoice, 0);
  // The next read takes the settings again.
  r.panel->getNonPPDSettingsFromPrintSettings();
  EXPECT_EQ(choices(*r.panel), kStoredChoices);
  EXPECT_EQ(r.panel->saveSettingsValue, 0);
}

}  // namespace
