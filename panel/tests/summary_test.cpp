// The print summary: display order, the options the description offers,
// checkbox lines, labels in each encoding, and lines for current choices
// that stand for no choice.
#include <gtest/gtest.h>

#include "VemraPrintPdeLX4200CO.h"
#include "fake_host.h"
#include "panel_rig.h"
#include "ppd_fixture.h"

namespace {

using paneltest::Panel;
using nlohmann::json;

constexpr const char* kOrderKey = "Summary Display Order";

// A panel without a bundle: the summary reads only the option table.
struct SummaryRig : paneltest::PanelRig {
  explicit SummaryRig(const testppd::Description& description) : paneltest::PanelRig(description, paneltest::WithoutBundle{}) {}
  // Marks the layout as filled without one.
  json filledSummary() {
    panel->initializeUI();
    return panel->summaryInfo();
  }
};

TEST(Summary, EmptyWithoutOrderBeforeTheLayoutIsFilled) {
  SummaryRig r(paneltest::nineOptions());
  ASSERT_NE(r.panel, nullptr);
  EXPECT_EQ(r.panel->summaryInfo(), json::object());
}

TEST(Summary, TitlesInDisplayOrderWithTheCurrentChoicesLabels) {
  SummaryRig r(paneltest::nineOptions());
  Panel& p = *r.panel;
  paneltest::setChoices(p, {{&Panel::colorModeChoice, 2}, {&Panel::printPriorityChoice, 1},
                           {&Panel::neutralGrayChoice, 1}, {&Panel::pureBlackPrintChoice, 0},
                           {&Panel::tonerSaveChoice, 1}, {&Panel::smoothingChoice, 0}, {&Panel::screeningChoice, 2},
                           {&Panel::trappingChoice, 1}, {&Panel::sharpnessChoice, 0}});
  const json s = r.filledSummary();
  EXPECT_EQ(s, (json{{kOrderKey, {"Print Priority", "Screening", "Sharpness", "Toner Save", "Smoothing", "Color Mode",
                                  "Neutral Gray", "Pure Black Print", "Trapping"}},
                     {"Print Priority", "Photo"}, {"Screening", "Smooth"}, {"Sharpness", "Normal"},
                     {"Toner Save", "On"}, {"Smoothing", "Off"}, {"Color Mode", "Grayscale"},
                     {"Neutral Gray", "Low"}, {"Pure Black Print", "Off"}, {"Trapping", "Weak"}}));
  // Asking changes nothing.
  EXPECT_EQ(p.summaryInfo(), s);
  EXPECT_EQ(p.colorModeChoice, 2);
}

TEST(Summary, OnlyTheOptionsTheDescriptionOffers) {
  testppd::Description d;
  d.options = {testppd::trapping(), testppd::colorMode(), testppd::sharpness()};
  SummaryRig r(d);
  const json s = r.filledSummary();
  EXPECT_EQ(s[kOrderKey], (json{"Sharpness", "Color Mode", "Trapping"}));
  EXPECT_EQ(s.size(), 4u);
  EXPECT_FALSE(s.contains("Toner Save"));
}

// A checkbox shows the label of the choice its state means, whichever order
// the description lists "True" and "False" in.
TEST(Summary, CheckboxShowsTheChoiceItsStateMeans) {
  for (bool trueFirst : {true, false}) {
    testppd::Description d;
    testppd::Option toner = testppd::tonerSave();
    toner.choices = trueFirst ? std::vector<std::pair<std::string, std::string>>{{"True", "Saving"}, {"False", "Full"}}
                              : std::vector<std::pair<std::string, std::string>>{{"False", "Full"}, {"True", "Saving"}};
    d.options = {toner};
    SummaryRig r(d);
    r.panel->tonerSaveChoice = 1;
    EXPECT_EQ(r.filledSummary()["Toner Save"], "Saving") << "True listed first: " << trueFirst;
    r.panel->tonerSaveChoice = 0;
    EXPECT_EQ(r.panel->summaryInfo()["Toner Save"], "Full") << "True listed first: " << trueFirst;
  }
}

TEST(Summary, OtherBooleanPairsUseThePosition) {
  testppd::Description d;
  testppd::Option toner = testppd::tonerSave();
  toner.choices = {{"On", "Saving"}, {"Off", "Full"}};
  toner.defaultChoice = "Off";
  d.options = {toner};
  SummaryRig r(d);
  r.panel->tonerSaveChoice = 1;
  EXPECT_EQ(r.filledSummary()["Toner Save"], "Full");
}

TEST(Summary, ChoiceOutsideTheOptionGivesAnEmptyValueAndLeavesOtherLines) {
  SummaryRig r(paneltest::nineOptions());
  r.panel->colorModeChoice = 3;
  r.panel->screeningChoice = -1;
  r.panel->smoothingChoice = 2;  // a checkbox has two states
  r.panel->sharpnessChoice = 1;
  const json s = r.filledSummary();
  for (const char* title : {"Color Mode", "Screening", "Smoothing"}) EXPECT_EQ(s[title], "") << title;
  EXPECT_EQ(s["Sharpness"], "Sharp");
  EXPECT_EQ(s[kOrderKey].size(), 9u);
}

TEST(Summary, SameLabelTwiceListsItTwiceWithTheLaterValue) {
  testppd::Description d;
  testppd::Option screen = testppd::screening();
  testppd::Option sharp = testppd::sharpness();
  screen.label = "Detail";
  sharp.label = "Detail";
  d.options = {screen, sharp};
  SummaryRig r(d);
  r.panel->screeningChoice = 1;
  r.panel->sharpnessChoice = 2;
  const json s = r.filledSummary();
  EXPECT_EQ(s[kOrderKey], (json{"Detail", "Detail"}));
  EXPECT_EQ(s["Detail"], "Soft");  // sharpness comes after screening
}

// Labels with non-ASCII characters, written in each encoding the file may
// declare, come out as the same text.
struct EncodedLabels {
  const char* name;
  std::optional<std::string> languageEncoding;
  std::string optionLabel;  // bytes in that encoding
  std::string choiceLabel;
  std::string expectedOption;  // UTF-8
  std::string expectedChoice;
};

void PrintTo(const EncodedLabels& labels, std::ostream* out) { *out << labels.name; }

class SummaryEncodings : public testing::TestWithParam<EncodedLabels> {};

TEST_P(SummaryEncodings, LabelsComeOutAsText) {
  const EncodedLabels& e = GetParam();
  testppd::Description d;
  d.languageEncoding = e.languageEncoding;
  testppd::Option mode = testppd::colorMode();
  mode.label = e.optionLabel;
  mode.choices[1].second = e.choiceLabel;
  d.options = {mode};
  SummaryRig r(d);
  ASSERT_NE(r.panel, nullptr);
  r.panel->colorModeChoice = 1;
  const json s = r.filledSummary();
  EXPECT_EQ(s[kOrderKey], (json{e.expectedOption}));
  EXPECT_EQ(s[e.expectedOption], e.expectedChoice);
}

INSTANTIATE_TEST_SUITE_P(
    EachEncoding, SummaryEncodings,
    testing::Values(
        EncodedLabels{"ISOLatin1", "ISOLatin1", "Farbmodus f\xFCr Dr\xFC" "cke", "Vollfarbe \xE9", "Farbmodus für Drücke",
                      "Vollfarbe é"},
        EncodedLabels{"WindowsANSI", "WindowsANSI", "Mode \x80", "Couleur \x93" "vive\x94", "Mode €", "Couleur “vive”"},
        EncodedLabels{"ShiftJIS", "JIS83-RKSJ", "\x83J\x83\x89\x81[", "\x83t\x83\x8B\x83J\x83\x89\x81[", "カラー",
                      "フルカラー"},
        EncodedLabels{"UTF8", "UTF-8", "Modo de cor \xC3\xA7", "Cor \xE2\x9C\x93", "Modo de cor ç", "Cor ✓"},
        // Without the keyword libcups reads the file as ISO Latin 1.
        EncodedLabels{"NoKeyword", std::nullopt, "Farbe \xFC", "Voll \xE9", "Farbe ü", "Voll é"}),
    [](const testing::TestParamInfo<EncodedLabels>& info) { return std::string(info.param.name); });

// A file that declares UTF-8 but holds other bytes: the labels cannot be
// converted, and the line shows the keywords instead.
TEST(Summary, UnconvertibleLabelsShowTheKeywords) {
  testppd::Description d;
  d.languageEncoding = "UTF-8";
  testppd::Option mode = testppd::colorMode();
  mode.label = "Farbe \xFC";
  mode.choices[1].second = "Voll \xE9";
  d.options = {mode, testppd::sharpness()};
  SummaryRig r(d);
  ASSERT_NE(r.panel, nullptr);
  r.panel->colorModeChoice = 1;
  const json s = r.filledSummary();
  EXPECT_EQ(s[kOrderKey], (json{"Sharpness", "VMCMode"}));
  EXPECT_EQ(s["VMCMode"], "Color");
  EXPECT_EQ(s["Sharpness"], "Normal");
  EXPECT_NO_THROW((void)s.dump());
}

}  // namespace
