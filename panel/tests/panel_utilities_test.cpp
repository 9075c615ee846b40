#include <gtest/gtest.h>

#include "VemraPrintPdeLX4200CO.h"
#include "fake_host.h"
#include "ppd_adapter.h"
#include "ppd_fixture.h"
#include "panel_rig.h"
#include "test_bundle.h"

namespace {

using paneltest::Panel;

// A panel over a description holding the options given and smoothing, with
// the full test layout.
struct UtilitiesRig : paneltest::PanelRig {
  explicit UtilitiesRig(std::vector<testppd::Option> options) : paneltest::PanelRig(withSmoothing(std::move(options))) {}
  static testppd::Description withSmoothing(std::vector<testppd::Option> options) {
    testppd::Description d;
    d.options = std::move(options);
    d.options.push_back(testppd::smoothing());
    return d;
  }
  ppd_option_t* option(const char* keyword) { return ppdx::findOption(file->get(), keyword); }
};

testppd::Option boolean(const char* keyword, std::vector<std::pair<std::string, std::string>> choices) {
  return {keyword, keyword, "Boolean", std::move(choices), ""};
}

TEST(KeywordsAndIndices, BooleanListedEitherWay) {
  UtilitiesRig f({boolean("TrueFirst", {{"True", "On"}, {"False", "Off"}}),
             boolean("FalseFirst", {{"False", "Off"}, {"True", "On"}})});
  ASSERT_NE(f.panel, nullptr);
  for (const char* keyword : {"TrueFirst", "FalseFirst"}) {
    ppd_option_t* o = f.option(keyword);
    ASSERT_NE(o, nullptr) << keyword;
    EXPECT_EQ(f.panel->GetComputerReadableOptionNameItemIndex(o, 0), "False") << keyword;
    EXPECT_EQ(f.panel->GetComputerReadableOptionNameItemIndex(o, 1), "True") << keyword;
    EXPECT_EQ(f.panel->GetComputerReadableOptionNameItemIndex(o, 2), std::nullopt) << keyword;
    EXPECT_EQ(f.panel->IndexFromComputerReadableOptionNameChoice(o, "True"), 1) << keyword;
    EXPECT_EQ(f.panel->IndexFromComputerReadableOptionNameChoice(o, "False"), 0) << keyword;
    EXPECT_EQ(f.panel->IndexFromComputerReadableOptionNameChoice(o, "true"), -1) << keyword;
  }
}

TEST(KeywordsAndIndices, BooleanWithOtherKeywordsUsesThem) {
  UtilitiesRig f({boolean("OnOff", {{"Off", "Off"}, {"On", "On"}}), boolean("Single", {{"True", "On"}})});
  ASSERT_NE(f.panel, nullptr);
  ppd_option_t* onOff = f.option("OnOff");
  ASSERT_NE(onOff, nullptr);
  EXPECT_EQ(f.panel->GetComputerReadableOptionNameItemIndex(onOff, 1), "On");
  EXPECT_EQ(f.panel->IndexFromComputerReadableOptionNameChoice(onOff, "On"), 1);
  ppd_option_t* single = f.option("Single");
  ASSERT_NE(single, nullptr);
  EXPECT_EQ(f.panel->GetComputerReadableOptionNameItemIndex(single, 0), std::nullopt);  // fewer than two
}

TEST(KeywordsAndIndices, PickOne) {
  UtilitiesRig f({testppd::colorMode()});
  ASSERT_NE(f.panel, nullptr);
  ppd_option_t* o = f.option("VMCMode");
  EXPECT_EQ(f.panel->GetComputerReadableOptionNameItemIndex(o, 2), "Gray");
  EXPECT_EQ(f.panel->IndexFromComputerReadableOptionNameChoice(o, "Gray"), 2);
  EXPECT_EQ(f.panel->IndexFromComputerReadableOptionNameChoice(o, "Auto"), 0);
  EXPECT_EQ(f.panel->IndexFromComputerReadableOptionNameChoice(o, "Sepia"), -1);
  EXPECT_EQ(f.panel->IndexFromComputerReadableOptionNameChoice(o, std::nullopt), -1);
  EXPECT_EQ(f.panel->GetComputerReadableOptionNameItemIndex(o, 3), std::nullopt);
  EXPECT_EQ(f.panel->GetComputerReadableOptionNameItemIndex(o, -1), std::nullopt);
  EXPECT_EQ(f.panel->GetComputerReadableOptionNameItemIndex(nullptr, 0), std::nullopt);
  EXPECT_EQ(f.panel->IndexFromComputerReadableOptionNameChoice(nullptr, "Gray"), -1);
}

TEST(KeywordsAndIndices, PickManyHasNone) {
  UtilitiesRig f({{"VMMany", "Many", "PickMany", {{"A", "A"}, {"B", "B"}}, "A"},
             {"VMManyBool", "Bool", "PickMany", {{"True", "On"}, {"False", "Off"}}, "True"}});
  ASSERT_NE(f.panel, nullptr);
  for (const char* keyword : {"VMMany", "VMManyBool"}) {
    ppd_option_t* o = f.option(keyword);
    ASSERT_NE(o, nullptr);
    ASSERT_EQ(o->ui, PPD_UI_PICKMANY);
    for (std::int64_t i : {0, 1}) EXPECT_EQ(f.panel->GetComputerReadableOptionNameItemIndex(o, i), std::nullopt);
    for (const char* k : {"A", "True", "False"}) EXPECT_EQ(f.panel->IndexFromComputerReadableOptionNameChoice(o, k), -1);
  }
}

TEST(Localisation, KeyBeforeTheColon) {
  UtilitiesRig f({});
  ASSERT_NE(f.panel, nullptr);
  Panel& p = *f.panel;
  const std::pair<const char*, std::string> cases[] = {
      {"Light:", "Hell:"}, {"Light", "Hell"}, {"Light:Dark", "Hell:"}, {"\n\t Light:", "Hell:"},
      {"Unknown:", "Unknown:"}, {"  :Light", "  :Light"}, {"   ", "   "}, {"", ""}};
  for (const auto& [text, expected] : cases) {
    EXPECT_EQ(p.localizedStringValue(std::optional<std::string>(text)), expected) << '"' << text << '"';
  }
  EXPECT_EQ(p.localizedStringValue(std::optional<std::string>()), std::nullopt);
}

TEST(Localisation, TextOfEachKindOfControl) {
  UtilitiesRig f({});
  ASSERT_NE(f.panel, nullptr);
  Panel& p = *f.panel;
  toolkit::TextField field;
  field.setStringValue("Dark:");
  toolkit::Box box;
  box.setTitle("Color");
  toolkit::Button button;
  button.setTitle("Light");
  toolkit::ImageView image;
  toolkit::Slider slider;
  EXPECT_EQ(p.localizedStringValue(&field), "Dunkel:");
  EXPECT_EQ(p.localizedStringValue(&box), "Farbe");
  EXPECT_EQ(p.localizedStringValue(&button), "Hell");
  EXPECT_EQ(p.localizedStringValue(&image), std::nullopt);
  EXPECT_EQ(p.localizedStringValue(&slider), std::nullopt);
  EXPECT_EQ(p.localizedStringValue(static_cast<const toolkit::View*>(nullptr)), std::nullopt);
}

TEST(ModelCheck, StoredCodeAgainstTheConfiguration) {
  UtilitiesRig f({});
  ASSERT_NE(f.panel, nullptr);
  Panel& p = *f.panel;
  EXPECT_TRUE(p.CheckModelIsSame());  // key absent
  const std::pair<const char*, bool> cases[] = {{"4", true},  {"0", true},    {"1", false}, {"2", false},
                                                {"3", false}, {"abc", true},  {"4x", true}, {" 4", true},
                                                {"-4", false}, {"40", false}, {"", true}};
  for (const auto& [stored, expected] : cases) {
    f.host->settings.entries["vemra.print.PrintSettings.co.kestrel2"] = stored;
    EXPECT_EQ(p.CheckModelIsSame(), expected) << '"' << stored << '"';
  }
  f.host->hasSettings = false;
  EXPECT_FALSE(p.CheckModelIsSame());
  EXPECT_TRUE(p.CheckHardDisk());
}

TEST(MarkedChoice, MarkedOrDefault) {
  UtilitiesRig f({testppd::colorMode(), {"VMBroken", "Broken", "PickOne", {{"A", "A"}, {"B", "B"}}, "Missing"}});
  ASSERT_NE(f.panel, nullptr);
  Panel& p = *f.panel;
  ppd_option_t* o = f.option("VMCMode");
  // Nothing marked yet: the default choice ("Auto", index 0).
  EXPECT_EQ(p.indexOfMarkedOptionForKeySetCurrent(o, "VMCMode", true), 0);
  ppdx::markDefaults(f.file->get());
  ppdx::markOption(f.file->get(), "VMCMode", "Gray");
  EXPECT_EQ(p.indexOfMarkedOptionForKeySetCurrent(o, "VMCMode", true), 2);
  EXPECT_EQ(p.indexOfMarkedOptionForKeySetCurrent(o, "VMCMode", false), 0);
  ppd_option_t* broken = f.option("VMBroken");
  ASSERT_NE(broken, nullptr);
  EXPECT_EQ(p.indexOfMarkedOptionForKeySetCurrent(broken, "VMBroken", false), -1);
  EXPECT_EQ(p.indexOfMarkedOptionForKeySetCurrent(nullptr, "VMCMode", false), -1);
}

TEST(Selection, AskTheHostUnderConstraintHandling) {
  UtilitiesRig f({testppd::colorMode()});
  ASSERT_NE(f.panel, nullptr);
  Panel& p = *f.panel;
  ASSERT_NE(p.panelView(), nullptr);
  p.colorModePopup->selectItemAtIndex(2);

  PDEChoiceRef selection;
  f.host->acceptChanges = false;
  p.getSelectionFromPopUpForKey(&selection, p.colorModePopup.get(), "VMCMode");
  EXPECT_EQ(selection, nullptr);
  ASSERT_EQ(f.host->asked.size(), 1u);
  EXPECT_EQ(f.host->asked[0], (std::pair<std::string, std::string>{"VMCMode", "Gray"}));

  f.host->acceptChanges = true;
  p.getSelectionFromPopUpForKey(&selection, p.colorModePopup.get(), "VMCMode");
  EXPECT_EQ(selection, (*p.colorModeChoices)[2]);

  p.getSelectionFromChoicesFromIndexForKey(&selection, p.colorModeChoices.get(), 1, "VMCMode");
  EXPECT_EQ(selection, (*p.colorModeChoices)[1]);
  p.pureBlackPrintCB->setState(1);
  p.getSelectionFromChoicesFromButtonForKey(&selection, p.colorModeChoices.get(), p.pureBlackPrintCB.get(), "VMCMode");
  EXPECT_EQ(selection, (*p.colorModeChoices)[1]);

  // Without constraint handling the host is not asked.
  f.host->asked.clear();
  p.useConstraintHandling = false;
  f.host->acceptChanges = false;
  p.getSelectionFromChoicesFromIndexForKey(&selection, p.colorModeChoices.get(), 0, "VMCMode");
  EXPECT_EQ(selection, (*p.colorModeChoices)[0]);
  EXPECT_TRUE(f.host->asked.empty());
  p.getSelectionFromChoicesFromIndexForKey(nullptr, p.colorModeChoices.get(), 0, "VMCMode");
}

}  // namespace
