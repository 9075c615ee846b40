// The panel's resources as the panel and a person rely on them.
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"  // libcups PPD calls

#include <gtest/gtest.h>

#include <map>
#include <set>

#include "cups/ppd_document.h"
#include "toolkit/controls.h"
#include "toolkit/layout_loader.h"
#include "toolkit/strings_file.h"

namespace pdehost {
namespace {

namespace fs = std::filesystem;
using toolkit::ViewKind;

const fs::path kResources = PANEL_RESOURCES;

// Every outlet of the panel class with the kind of control it holds.
const std::vector<std::pair<std::string, ViewKind>> kOutlets = {
    {"panelView", ViewKind::view},
    {"saveSettingsButton", ViewKind::button},
    {"saveSettingsTitle", ViewKind::textField},
    {"mainTabView", ViewKind::tabView},
    {"colorSyncCB", ViewKind::button},
    {"colorModeTitle", ViewKind::textField},
    {"colorModePopup", ViewKind::popUpButton},
    {"printPriorityTitle", ViewKind::textField},
    {"printPriorityPopup", ViewKind::popUpButton},
    {"imageTypeTitle", ViewKind::textField},
    {"imageTypePopup", ViewKind::popUpButton},
    {"neutralGrayTitle", ViewKind::textField},
    {"neutralGrayPopup", ViewKind::popUpButton},
    {"neutralGrayLeftTitle", ViewKind::textField},
    {"neutralGraySlider", ViewKind::slider},
    {"neutralGrayRightTitle", ViewKind::textField},
    {"pureBlackPrintCB", ViewKind::button},
    {"pureBlackPrintTitle", ViewKind::textField},
    {"pureBlackPrintLeftTitle", ViewKind::textField},
    {"pureBlackPrintSlider", ViewKind::slider},
    {"pureBlackPrintRightTitle", ViewKind::textField},
    {"blackOverprintCB", ViewKind::button},
    {"tonerSaveCB", ViewKind::button},
    {"SmoothingCB", ViewKind::button},
    {"sourceProfileTitle", ViewKind::textField},
    {"sourceProfilePopup", ViewKind::popUpButton},
    {"renderingIntentTitle", ViewKind::textField},
    {"renderingIntentPopup", ViewKind::popUpButton},
    {"outputProfileTitle", ViewKind::textField},
    {"outputProfilePopup", ViewKind::popUpButton},
    {"cmykoutputProfileTitle", ViewKind::textField},
    {"cmykoutputProfilePopup", ViewKind::popUpButton},
    {"screeningTitle", ViewKind::textField},
    {"screeningPopup", ViewKind::popUpButton},
    {"cmykSimulationCB", ViewKind::button},
    {"cmykSimulationBox", ViewKind::box},
    {"simulationProfileTitle", ViewKind::textField},
    {"simulationProfilePopup", ViewKind::popUpButton},
    {"trappingCB", ViewKind::button},
    {"sharpnessTitle", ViewKind::textField},
    {"sharpnessPopup", ViewKind::popUpButton},
    {"trappingTitle", ViewKind::textField},
    {"trappingPopup", ViewKind::popUpButton},
    {"preservepurecmykcolorsCB", ViewKind::button},
    {"sampleViewSelectControl", ViewKind::segmentedControl},
    {"sampleView", ViewKind::imageView},
    {"colorAdjustmentCB", ViewKind::button},
    {"colorAdjustmentBox", ViewKind::box},
    {"hueTitle", ViewKind::textField},
    {"hueSlider", ViewKind::slider},
    {"saturationTitle", ViewKind::textField},
    {"saturationSlider", ViewKind::slider},
    {"brightnessTitle", ViewKind::textField},
    {"brightnessSlider", ViewKind::slider},
};

class Collector : public toolkit::LayoutOwner {
 public:
  bool setOutlet(std::string_view name, const std::shared_ptr<toolkit::View>& view) override {
    outlets[std::string(name)] = view;
    return true;
  }
  bool performAction(std::string_view, toolkit::View*) override { return true; }
  bool respondsToAction(std::string_view action) const override {
    return action.size() > 5 && action.substr(action.size() - 5) == "Proc:";
  }
  template <typename T>
  T& get(const std::string& name) {
    return static_cast<T&>(*outlets.at(name));
  }
  std::map<std::string, std::shared_ptr<toolkit::View>> outlets;
};

class Color6 : public testing::Test {
 protected:
  void SetUp() override {
    std::string error;
    auto loaded = toolkit::loadLayoutFromFile(kResources / "Color6.json", &layout, &error);
    ASSERT_TRUE(loaded) << error;
    EXPECT_TRUE(loaded->warnings.empty()) << loaded->warnings.front();
    top = loaded->topLevelObjects;
    ppd = PpdDocument::open(kResources / "LX4200.ppd", &error);
    ASSERT_TRUE(ppd) << error;
  }
  // The tab item (by identifier) a view sits in, or "" when none.
  static std::string tabOf(const toolkit::View& view) {
    const toolkit::View* child = &view;
    for (const toolkit::View* at = view.superview(); at != nullptr; child = at, at = at->superview()) {
      if (at->kind() != ViewKind::tabView) continue;
      const auto& tabs = static_cast<const toolkit::TabView&>(*at);
      for (std::int64_t i = 0; i < tabs.numberOfTabViewItems(); ++i)
        if (&tabs.tabViewItemAtIndex(i)->view() == child) return tabs.tabViewItemAtIndex(i)->identifier();
    }
    return "";
  }
  int choices(const char* keyword) { return ppdFindOption(ppd->file(), keyword)->num_choices; }

  Collector layout;
  std::vector<std::shared_ptr<toolkit::View>> top;
  std::unique_ptr<PpdDocument> ppd;
};

TEST_F(Color6, ProvidesEveryOutletWithItsKind) {
  for (const auto& [name, kind] : kOutlets) {
    if (name == "SmoothingCB") continue;  // the panel builds that checkbox itself
    auto found = layout.outlets.find(name);
    ASSERT_NE(found, layout.outlets.end()) << name;
    EXPECT_EQ(found->second->kind(), kind) << name;
  }
  EXPECT_EQ(layout.outlets.count("SmoothingCB"), 0u);
  ASSERT_EQ(top.size(), 1u);
  EXPECT_EQ(top[0], layout.outlets.at("panelView"));
}

TEST_F(Color6, EveryControlSendsItsOwnHandler) {
  for (const auto& [name, view] : layout.outlets) {
    auto* control = dynamic_cast<toolkit::Control*>(view.get());
    if (control == nullptr || view->kind() == ViewKind::textField) continue;
    EXPECT_FALSE(control->action().empty()) << name;
    EXPECT_EQ(control->target(), &layout) << name;
  }
  EXPECT_EQ(layout.get<toolkit::Slider>("neutralGraySlider").action(), "neutralGraySliderProc:");
  EXPECT_EQ(layout.get<toolkit::PopUpButton>("trappingPopup").action(), "trappingProc:");
  EXPECT_EQ(layout.get<toolkit::Button>("trappingCB").action(), "trappingProc:");
  EXPECT_EQ(layout.get<toolkit::SegmentedControl>("sampleViewSelectControl").action(), "sampleViewProc:");
}

TEST_F(Color6, ThreeTabsWithTheColourControlsOnTabOne) {
  auto& tabs = layout.get<toolkit::TabView>("mainTabView");
  ASSERT_EQ(tabs.numberOfTabViewItems(), 3);
  for (std::int64_t i = 0; i < 3; ++i) EXPECT_EQ(tabs.tabViewItemAtIndex(i)->identifier(), std::to_string(i));
  for (const char* name : {"colorSyncCB", "imageTypePopup", "sourceProfilePopup", "renderingIntentPopup",
                           "outputProfilePopup", "cmykoutputProfilePopup", "cmykSimulationCB", "simulationProfilePopup",
                           "preservepurecmykcolorsCB", "blackOverprintCB", "sampleView"})
    EXPECT_EQ(tabOf(*layout.outlets.at(name)), "1") << name;
  for (const char* name : {"colorModePopup", "printPriorityPopup", "neutralGraySlider", "pureBlackPrintCB",
                           "tonerSaveCB", "screeningPopup", "trappingPopup", "sharpnessPopup"})
    EXPECT_EQ(tabOf(*layout.outlets.at(name)), "0") << name;
}

TEST_F(Color6, PopupsSetUpLeavesUnfilledHoldTheIndicesTheRulesUse) {
  auto items = [&](const char* name) { return layout.get<toolkit::PopUpButton>(name).numberOfItems(); };
  EXPECT_EQ(items("imageTypePopup"), 7);          // six presets and the last, custom, item
  EXPECT_GE(items("sourceProfilePopup"), 5);      // presets force 3; the last item is the stored one
  EXPECT_GE(items("renderingIntentPopup"), 2);    // presets force 0 and 1
  EXPECT_GE(items("outputProfilePopup"), 4);      // items 0, 1, 2 and a last one
  EXPECT_EQ(items("simulationProfilePopup"), 5);  // item 4 is its last item
  EXPECT_GE(items("cmykoutputProfilePopup"), 2);
  for (const char* name : {"colorModePopup", "printPriorityPopup", "neutralGrayPopup", "screeningPopup",
                           "sharpnessPopup", "trappingPopup"})
    EXPECT_EQ(items(name), 0) << name << " is filled from the printer description";
}

TEST_F(Color6, SliderRangesMatchTheSampleChoices) {
  auto& gray = layout.get<toolkit::Slider>("neutralGraySlider");
  EXPECT_EQ(gray.minValue(), 0);
  EXPECT_EQ(gray.maxValue(), choices("VMCNGray") - 1);
  EXPECT_EQ(gray.numberOfTickMarks(), choices("VMCNGray"));
  auto& black = layout.get<toolkit::Slider>("pureBlackPrintSlider");
  EXPECT_EQ(black.minValue(), 0);
  EXPECT_EQ(black.maxValue(), choices("VMCPureB") - 1);
}

TEST_F(Color6, PlacesMovedAndBuiltCheckboxesOnFreeSpace) {
  // Set-up moves the toner-save checkbox to (12, 43) in its superview and
  // puts a smoothing checkbox at (32, 93) of the panel view: no other
  // visible control of the first tab may lie there.
  auto& tabs = layout.get<toolkit::TabView>("mainTabView");
  const toolkit::View& basic = tabs.tabViewItemAtIndex(0)->view();
  ASSERT_EQ(layout.outlets.at("tonerSaveCB")->superview(), &basic);
  auto overlaps = [](const toolkit::Rect& a, const toolkit::Rect& b) {
    return a.x < b.x + b.width && b.x < a.x + a.width && a.y < b.y + b.height && b.y < a.y + a.height;
  };
  // Tab content and tab view both start at the panel's origin here, so both
  // places are in the same coordinates.
  EXPECT_EQ(tabs.frame().x, 0);
  EXPECT_EQ(tabs.frame().y, 0);
  EXPECT_EQ(basic.frame().x, 0);
  EXPECT_EQ(basic.frame().y, 0);
  const toolkit::Rect toner{12, 43, 227, 18};
  const toolkit::Rect smoothing{32, 93, 227, 18};
  for (const auto& child : basic.subviews()) {
    if (child->isHidden() || child == layout.outlets.at("tonerSaveCB")) continue;
    EXPECT_FALSE(overlaps(child->frame(), toner)) << "a control lies where toner save goes";
    EXPECT_FALSE(overlaps(child->frame(), smoothing)) << "a control lies where smoothing goes";
  }
}

TEST(PanelStrings, HoldThePanelNameAndEveryLayoutLabelKey) {
  std::string error;
  auto table = toolkit::loadStringsFile(kResources / "en.lproj" / "Localizable.strings", &error);
  ASSERT_TRUE(table) << error;
  EXPECT_EQ(table->count("Image Quality"), 1u);
  Collector layout;
  auto loaded = toolkit::loadLayoutFromFile(kResources / "Color6.json", &layout, &error);
  ASSERT_TRUE(loaded) << error;
  std::set<std::string> keys;
  auto keyOf = [](const std::string& text) {
    std::string key = text.substr(0, text.find(':'));
    while (!key.empty() && key.back() == ' ') key.pop_back();
    return key;
  };
  for (auto& view : loaded->topLevelObjects) {
    toolkit::forEachView(*view, [&](toolkit::View& v) {
      if (auto* field = dynamic_cast<toolkit::TextField*>(&v)) keys.insert(keyOf(field->stringValue()));
      if (auto* button = dynamic_cast<toolkit::Button*>(&v)) keys.insert(keyOf(button->title()));
      if (auto* box = dynamic_cast<toolkit::Box*>(&v)) keys.insert(keyOf(box->title()));
      if (auto* tabs = dynamic_cast<toolkit::TabView*>(&v))
        for (std::int64_t i = 0; i < tabs->numberOfTabViewItems(); ++i) keys.insert(tabs->tabViewItemAtIndex(i)->label());
      if (auto* segments = dynamic_cast<toolkit::SegmentedControl*>(&v))
        for (const auto& s : segments->segments()) keys.insert(s.label);
    });
  }
  keys.erase("");
  EXPECT_GE(keys.size(), 30u);
  for (const auto& key : keys) EXPECT_EQ(table->count(key), 1u) << "no string for \"" << key << "\"";
}

TEST(SamplePpd, DeclaresTheNineOptionsAndTheDiskAttribute) {
  std::string error;
  auto ppd = PpdDocument::open(kResources / "LX4200.ppd", &error);
  ASSERT_TRUE(ppd) << error;
  for (const char* keyword : {"VMCMode", "VMCPPriority", "VMCNGray", "VMCPureB", "VMSaveToner", "VMCScreen",
                              "VMCTrapping", "VMCSharpness", "VMSmoothing"}) {
    ppd_option_t* option = ppdFindOption(ppd->file(), keyword);
    ASSERT_NE(option, nullptr) << keyword;
    EXPECT_NE(std::string(option->text), "") << keyword;
    EXPECT_NE(ppdFindChoice(option, option->defchoice), nullptr) << keyword;
  }
  // The indices the rules force exist: print priority 1, trapping 2.
  EXPECT_GE(ppdFindOption(ppd->file(), "VMCPPriority")->num_choices, 2);
  EXPECT_GE(ppdFindOption(ppd->file(), "VMCTrapping")->num_choices, 3);
  EXPECT_EQ(ppdFindOption(ppd->file(), "VMSaveToner")->ui, PPD_UI_BOOLEAN);
  ppd_attr_t* disk = ppdFindAttr(ppd->file(), "VMHDDOption", nullptr);
  ASSERT_NE(disk, nullptr);
  EXPECT_STREQ(disk->value, "True");
  ppd_attr_t* encoding = ppdFindAttr(ppd->file(), "LanguageEncoding", nullptr);
  ASSERT_NE(encoding, nullptr);
  EXPECT_STREQ(encoding->value, "ISOLatin1");
}

}  // namespace
}  // namespace pdehost
