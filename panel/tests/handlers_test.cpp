// The control handlers: what each records, what an absent control leaves,
// the handlers with orders of their own, the tab rule and the colour
// adjustment.
#include "actions_fixture.h"

namespace {

using namespace actiontest;

using Handlers = CalmPanel;
using TabRule = CalmPanel;

TEST_F(Handlers, PopupsRecordTheSelectedIndexAndNoSelectionAsMinusOne) {
  struct {
    std::shared_ptr<toolkit::PopUpButton> popup;
    std::int64_t Panel::*field;
    std::int64_t index;
  } const rows[] = {
      {p.colorModePopup, &Panel::colorModeChoice, 1},
      {p.printPriorityPopup, &Panel::printPriorityChoice, 1},
      {p.neutralGrayPopup, &Panel::neutralGrayChoice, 2},
      {p.sourceProfilePopup, &Panel::sourceProfileChoice, 4},
      {p.outputProfilePopup, &Panel::outputProfileChoice, 3},
      {p.cmykoutputProfilePopup, &Panel::cmykoutputProfileChoice, 2},
      {p.screeningPopup, &Panel::screeningChoice, 2},
      {p.simulationProfilePopup, &Panel::simulationProfileChoice, 3},
      {p.sharpnessPopup, &Panel::sharpnessChoice, 2},
      {p.trappingPopup, &Panel::trappingChoice, 1},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.popup->action());
    pick(row.popup, row.index);
    EXPECT_EQ(p.*row.field, row.index);
    pick(row.popup, -1);
    EXPECT_EQ(p.*row.field, -1);
  }
}

TEST_F(Handlers, CheckboxesAndSlidersRecordTheirStateAndValue) {
  click(p.pureBlackPrintCB);
  EXPECT_EQ(p.pureBlackPrintChoice, 1);
  click(p.blackOverprintCB);
  EXPECT_EQ(p.blackOverprintChoice, 1);
  click(p.SmoothingCB);
  EXPECT_EQ(p.smoothingChoice, 1);
  click(p.colorSyncCB);
  EXPECT_EQ(p.colorSyncChoice, 1);
  slide(p.neutralGraySlider, 2);
  EXPECT_EQ(p.neutralGrayChoice, 2);
  slide(p.pureBlackPrintSlider, 0);
  EXPECT_EQ(p.pureBlackPrintChoice, 0);
}

TEST(HandlersWithoutControls, AnAbsentControlKeepsItsFieldButSmoothingAndPreserveRecordZero) {
  auto rig = calmRig({"colorModePopup", "tonerSaveCB", "neutralGraySlider", "preservepurecmykcolorsCB"});
  Panel& p = **rig;
  p.colorModeChoice = 2;
  p.tonerSaveChoice = 1;
  p.neutralGrayChoice = 2;
  p.preservepurecmykcolorChoice = 1;
  p.colorModeProc(nullptr);
  p.tonerSaveProc(nullptr);
  p.neutralGraySliderProc(nullptr);
  p.preservepurecmykcolorsProc(nullptr);
  EXPECT_EQ(p.colorModeChoice, 2);
  EXPECT_EQ(p.tonerSaveChoice, 1);
  EXPECT_EQ(p.neutralGrayChoice, 2);
  EXPECT_EQ(p.preservepurecmykcolorChoice, 0);

  p.SmoothingCB.reset();
  p.smoothingChoice = 1;
  p.SmoothingProc(nullptr);
  EXPECT_EQ(p.smoothingChoice, 0);
}

TEST(HandlersWithoutControls, AnAbsentControlStillRunsItsRules) {
  auto rig = calmRig({"colorModePopup"});
  Panel& p = **rig;
  setState(p.tonerSaveCB, 1);  // plainly: its handler has not run yet
  setSelection(p.outputProfilePopup, 2);
  p.colorModeProc(nullptr);
  expectSeen(wholeState(p), {{"/controls/imageTypePopup/selectedIndex", 0},
                             {"/controls/printPriorityPopup/selectedIndex", 1},
                             {"/controls/outputProfilePopup/selectedIndex", 0}});
}

TEST_F(Handlers, TrappingRecordsThePopupOverTheCheckbox) {
  setSelection(p.trappingPopup, 2);
  click(p.trappingCB);  // on, but the popup's index wins
  EXPECT_EQ(p.trappingChoice, 2);
  setSelection(p.trappingPopup, 0);
  click(p.trappingCB);
  EXPECT_EQ(p.trappingChoice, 0);

  auto onlyBox = calmRig({"trappingPopup"});
  click((*onlyBox)->trappingCB);
  EXPECT_EQ((*onlyBox)->trappingChoice, 1);
}

TEST_F(Handlers, RenderingIntentIsRecordedOnlyUnderACustomImageType) {
  pick(p.renderingIntentPopup, 2);
  EXPECT_EQ(p.renderingIntentChoice, 2);

  setSelection(p.imageTypePopup, 1);
  pick(p.renderingIntentPopup, 3);
  expectSeen(wholeState(p), {choice("renderingIntent", 2), {"/controls/renderingIntentPopup/selectedIndex", 3}});

  auto noImageType = calmRig({"imageTypePopup"});
  (*noImageType)->renderingIntentChoice = 1;
  pick((*noImageType)->renderingIntentPopup, 3);
  EXPECT_EQ((*noImageType)->renderingIntentChoice, 1);
}

TEST_F(Handlers, CmykSimulationOffClearsAndDimsPreserveOnReopensIt) {
  p.preservepurecmykcolorsCB->setHidden(false);
  setState(p.preservepurecmykcolorsCB, 1);
  p.preservepurecmykcolorChoice = 1;
  pick(p.simulationProfilePopup, 3);
  pick(p.cmykoutputProfilePopup, 1);

  click(p.cmykSimulationCB);  // off
  EXPECT_EQ(p.cmykSimulationChoice, 0);
  EXPECT_EQ(p.preservepurecmykcolorsCB->state(), 0);
  EXPECT_EQ(p.simulationProfileChoice, 0);
  EXPECT_EQ(p.cmykoutputProfileChoice, 0);
  expectDimmed(p, {"preservepurecmykcolorsCB", "simulationProfilePopup", "cmykoutputProfilePopup"});

  p.simulationProfilePopup->setItemEnabled(4, false);
  click(p.cmykSimulationCB);  // on
  EXPECT_EQ(p.cmykSimulationChoice, 1);
  EXPECT_TRUE(p.simulationProfilePopup->items()[4].enabled);
  expectDimmed(p, {"preservepurecmykcolorsCB", "simulationProfilePopup", "cmykoutputProfilePopup"}, false);
  EXPECT_EQ(p.simulationProfilePopup->indexOfSelectedItem(), 0);  // nothing moved back
}

TEST(HandlersWithoutControls, CmykSimulationWithoutItsCheckboxUsesTheStoredChoice) {
  auto rig = calmRig({"cmykSimulationCB"});
  Panel& p = **rig;
  p.cmykSimulationChoice = 0;
  setState(p.preservepurecmykcolorsCB, 1);
  p.cmykSimulationProc(nullptr);
  EXPECT_EQ(p.preservepurecmykcolorsCB->state(), 0);
  EXPECT_TRUE(dimmed(p.preservepurecmykcolorsCB));

  p.cmykSimulationChoice = 1;
  p.cmykSimulationProc(nullptr);
  EXPECT_FALSE(dimmed(p.preservepurecmykcolorsCB));
}

TEST_F(Handlers, NeutralGrayRunsThePureBlackEnabling) {
  setState(p.saveSettingsButton, 1);  // plainly: the refresh has not run
  slide(p.neutralGraySlider, 1);
  expectDimmed(p, {"pureBlackPrintCB", "pureBlackPrintSlider"});
  expectDimmed(p, {"colorModePopup"}, false);  // not part of its rules
}

TEST_F(Handlers, HueSaturationBrightnessAndSampleRecordNothing) {
  const nlohmann::json before = wholeState(p);
  slide(p.hueSlider, 40);
  slide(p.saturationSlider, 10);
  slide(p.brightnessSlider, 70);
  p.sampleViewSelectControl->setSelectedSegment(1);
  p.sampleViewProc(p.sampleViewSelectControl.get());
  nlohmann::json after = wholeState(p);
  // Only the moved controls themselves show anything new.
  EXPECT_EQ(after["controls"]["hueSlider"]["value"], 40);
  for (const char* moved : {"hueSlider", "saturationSlider", "brightnessSlider", "sampleViewSelectControl"}) {
    after["controls"].erase(moved);
  }
  nlohmann::json expected = before;
  for (const char* moved : {"hueSlider", "saturationSlider", "brightnessSlider", "sampleViewSelectControl"}) {
    expected["controls"].erase(moved);
  }
  EXPECT_EQ(after, expected);
}

TEST_F(Handlers, ColourAdjustmentOpensAndClosesItsSliders) {
  const std::vector<std::string> six = {"hueTitle",         "hueSlider",       "saturationTitle",
                                        "saturationSlider", "brightnessTitle", "brightnessSlider"};
  click(p.colorAdjustmentCB);
  expectDimmed(p, six, false);
  click(p.colorAdjustmentCB);
  expectDimmed(p, six);

  auto partial = calmRig({"hueSlider", "saturationTitle"});
  click((*partial)->colorAdjustmentCB);
  EXPECT_FALSE(dimmed((*partial)->brightnessSlider));
}

// ---- the tab rule ----

TEST_F(TabRule, TheColourTabClosesUnderColourModeTwoOrTonerSave) {
  toolkit::TabView& tabs = *p.mainTabView;
  const std::int64_t colour = tabs.indexOfTabViewItemWithIdentifier("1");
  ASSERT_GE(colour, 0);
  EXPECT_TRUE(tabs.clickTabViewItemAtIndex(colour));
  EXPECT_TRUE(tabs.clickTabViewItemAtIndex(0));

  pick(p.colorModePopup, 2);
  EXPECT_FALSE(tabs.clickTabViewItemAtIndex(colour));
  EXPECT_EQ(tabs.indexOfSelectedTabViewItem(), 0);
  EXPECT_TRUE(tabs.clickTabViewItemAtIndex(0));  // any other tab stays open

  pick(p.colorModePopup, 1);
  EXPECT_TRUE(tabs.clickTabViewItemAtIndex(colour));
  tabs.clickTabViewItemAtIndex(0);
  click(p.tonerSaveCB);
  EXPECT_FALSE(tabs.clickTabViewItemAtIndex(colour));
  click(p.tonerSaveCB);
  EXPECT_TRUE(tabs.clickTabViewItemAtIndex(colour));
}

TEST_F(TabRule, ItemsWithoutIdentifierOrOtherIdentifiersAreAlwaysOpen) {
  setState(p.tonerSaveCB, 1);
  setSelection(p.colorModePopup, 2);
  toolkit::TabViewItem other("7", "Other", std::make_shared<toolkit::View>());
  toolkit::TabViewItem unnamed("", "Unnamed", std::make_shared<toolkit::View>());
  toolkit::TabViewItem colour("1", "Colour", std::make_shared<toolkit::View>());
  EXPECT_TRUE(p.tabViewShouldSelectTabViewItem(p.mainTabView.get(), nullptr));
  EXPECT_TRUE(p.tabViewShouldSelectTabViewItem(p.mainTabView.get(), &unnamed));
  EXPECT_TRUE(p.tabViewShouldSelectTabViewItem(p.mainTabView.get(), &other));
  EXPECT_FALSE(p.tabViewShouldSelectTabViewItem(p.mainTabView.get(), &colour));

  auto noControls = testLayoutRig({"colorModePopup", "tonerSaveCB"});
  EXPECT_TRUE((*noControls)->tabViewShouldSelectTabViewItem(nullptr, &colour));
}

// ---- layouts the rules cannot rely on ----

TEST(MiswiredLayout, AHandlerReachedAgainFromItsOwnChainEnds) {
  // The image-type popup wired to the colour-mode handler: colour mode 2
  // forces the image type, whose action would run the colour-mode handler
  // again, and again.
  nlohmann::json layout = testbundle::color6Layout();
  testbundle::editNodes(layout, [](nlohmann::json& n) {
    if (n.value("outlet", "") == "imageTypePopup") n["action"] = "colorModeProc:";
  });
  PanelRig rig(paneltest::nineOptions(), layout);
  Panel& p = *rig;
  calmState(p);
  pick(p.colorModePopup, 2);
  expectSeen(wholeState(p), {choice("colorMode", 2), {"/controls/imageTypePopup/selectedIndex", 0},
                             enabled("imageTypePopup", false)});
}

TEST(ShortDescriptions, ForcedIndicesPastTheLastChoiceAreNotApplied) {
  testppd::Description description;
  description.options = testppd::allNine();
  for (auto& option : description.options) {
    if (option.keyword == "VMCPPriority") option.choices.resize(1);  // no item 1
    if (option.keyword == "VMCTrapping") option.choices.resize(2);   // no item 2
  }
  PanelRig rig(description, testbundle::color6Layout());
  Panel& p = *rig;
  ASSERT_EQ(p.printPriorityPopup->numberOfItems(), 1);
  calmState(p);  // print priority 1 does not exist either: the popup keeps item 0
  pick(p.printPriorityPopup, 0);
  ASSERT_EQ(p.printPriorityChoice, 0);

  // Print priority 0 cannot move trapping to 2: the popup and its field stay.
  pick(p.trappingPopup, 1);
  setState(p.trappingCB, 1);
  p.trappingControl();
  expectSeen(wholeState(p), chosen("trapping", 1) + std::vector<Seen>{{"/controls/trappingCB/state", 0}});

  // Toner save cannot move print priority to 1: it stays where it is shown,
  // and the print-priority chain does not run (screening is not forced).
  pick(p.screeningPopup, 2);
  click(p.tonerSaveCB);
  expectSeen(wholeState(p), chosen("printPriority", 0) + chosen("screening", 2));
}

}  // namespace
