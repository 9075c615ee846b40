// The control handlers: what each records, what an absent control leaves,
// the handlers with orders of their own, the tab rule and the colour
// adjustment.
#include "actions_fixture.h"

namespace {

using namespace actiontest;

TEST(Handlers, PopupsRecordTheSelectedIndexAndNoSelectionAsMinusOne) {
  auto rig = testLayoutRig();
  Panel& p = **rig;
  calmState(p);
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

TEST(Handlers, CheckboxesAndSlidersRecordTheirStateAndValue) {
  auto rig = testLayoutRig();
  Panel& p = **rig;
  calmState(p);
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

TEST(Handlers, AnAbsentControlKeepsItsFieldButSmoothingAndPreserveRecordZero) {
  auto rig = testLayoutRig({"colorModePopup", "tonerSaveCB", "neutralGraySlider", "preservepurecmykcolorsCB"});
  Panel& p = **rig;
  calmState(p);
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

TEST(Handlers, AnAbsentControlStillRunsItsRules) {
  auto rig = testLayoutRig({"colorModePopup"});
  Panel& p = **rig;
  calmState(p);
  setState(p.tonerSaveCB, 1);  // plainly: its handler has not run yet
  setSelection(p.outputProfilePopup, 2);
  p.colorModeProc(nullptr);
  EXPECT_EQ(p.imageTypePopup->indexOfSelectedItem(), 0);
  EXPECT_EQ(p.printPriorityPopup->indexOfSelectedItem(), 1);
  EXPECT_EQ(p.outputProfilePopup->indexOfSelectedItem(), 0);
}

TEST(Handlers, TrappingRecordsThePopupOverTheCheckbox) {
  auto rig = testLayoutRig();
  Panel& p = **rig;
  calmState(p);
  setSelection(p.trappingPopup, 2);
  click(p.trappingCB);  // on, but the popup's index wins
  EXPECT_EQ(p.trappingChoice, 2);
  setSelection(p.trappingPopup, 0);
  click(p.trappingCB);
  EXPECT_EQ(p.trappingChoice, 0);

  auto onlyBox = testLayoutRig({"trappingPopup"});
  calmState(**onlyBox);
  click((*onlyBox)->trappingCB);
  EXPECT_EQ((*onlyBox)->trappingChoice, 1);
}

TEST(Handlers, RenderingIntentIsRecordedOnlyUnderACustomImageType) {
  auto rig = testLayoutRig();
  Panel& p = **rig;
  calmState(p);
  pick(p.renderingIntentPopup, 2);
  EXPECT_EQ(p.renderingIntentChoice, 2);

  setSelection(p.imageTypePopup, 1);
  pick(p.renderingIntentPopup, 3);
  EXPECT_EQ(p.renderingIntentChoice, 2);
  EXPECT_EQ(p.renderingIntentPopup->indexOfSelectedItem(), 3);

  auto noImageType = testLayoutRig({"imageTypePopup"});
  calmState(**noImageType);
  (*noImageType)->renderingIntentChoice = 1;
  pick((*noImageType)->renderingIntentPopup, 3);
  EXPECT_EQ((*noImageType)->renderingIntentChoice, 1);
}

TEST(Handlers, CmykSimulationOffClearsAndDimsPreserveOnReopensIt) {
  auto rig = testLayoutRig();
  Panel& p = **rig;
  calmState(p);
  p.preservepurecmykcolorsCB->setHidden(false);
  setState(p.preservepurecmykcolorsCB, 1);
  p.preservepurecmykcolorChoice = 1;
  pick(p.simulationProfilePopup, 3);
  pick(p.cmykoutputProfilePopup, 1);

  click(p.cmykSimulationCB);  // off
  EXPECT_EQ(p.cmykSimulationChoice, 0);
  EXPECT_EQ(p.preservepurecmykcolorsCB->state(), 0);
  EXPECT_TRUE(dimmed(p.preservepurecmykcolorsCB));
  EXPECT_EQ(p.simulationProfileChoice, 0);
  EXPECT_EQ(p.cmykoutputProfileChoice, 0);
  EXPECT_TRUE(dimmed(p.simulationProfilePopup));
  EXPECT_TRUE(dimmed(p.cmykoutputProfilePopup));

  p.simulationProfilePopup->setItemEnabled(4, false);
  click(p.cmykSimulationCB);  // on
  EXPECT_EQ(p.cmykSimulationChoice, 1);
  EXPECT_FALSE(dimmed(p.preservepurecmykcolorsCB));
  EXPECT_TRUE(p.simulationProfilePopup->items()[4].enabled);
  EXPECT_FALSE(dimmed(p.simulationProfilePopup));
  EXPECT_FALSE(dimmed(p.cmykoutputProfilePopup));
  EXPECT_EQ(p.simulationProfilePopup->indexOfSelectedItem(), 0);  // nothing moved back
}

TEST(Handlers, CmykSimulationWithoutItsCheckboxUsesTheStoredChoice) {
  auto rig = testLayoutRig({"cmykSimulationCB"});
  Panel& p = **rig;
  calmState(p);
  p.cmykSimulationChoice = 0;
  setState(p.preservepurecmykcolorsCB, 1);
  p.cmykSimulationProc(nullptr);
  EXPECT_EQ(p.preservepurecmykcolorsCB->state(), 0);
  EXPECT_TRUE(dimmed(p.preservepurecmykcolorsCB));

  p.cmykSimulationChoice = 1;
  p.cmykSimulationProc(nullptr);
  EXPECT_FALSE(dimmed(p.preservepurecmykcolorsCB));
}

TEST(Handlers, NeutralGrayRunsThePureBlackEnabling) {
  auto rig = testLayoutRig();
  Panel& p = **rig;
  calmState(p);
  setState(p.saveSettingsButton, 1);  // plainly: the refresh has not run
  slide(p.neutralGraySlider, 1);
  EXPECT_TRUE(dimmed(p.pureBlackPrintCB));
  EXPECT_TRUE(dimmed(p.pureBlackPrintSlider));
  EXPECT_FALSE(dimmed(p.colorModePopup));  // not part of its rules
}

TEST(Handlers, HueSaturationBrightnessAndSampleRecordNothing) {
  auto rig = testLayoutRig();
  Panel& p = **rig;
  calmState(p);
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

TEST(Handlers, ColourAdjustmentOpensAndClosesItsSliders) {
  auto rig = testLayoutRig();
  Panel& p = **rig;
  calmState(p);
  const std::vector<toolkit::View*> six = {p.hueTitle.get(),       p.hueSlider.get(),      p.saturationTitle.get(),
                                           p.saturationSlider.get(), p.brightnessTitle.get(), p.brightnessSlider.get()};
  click(p.colorAdjustmentCB);
  for (toolkit::View* v : six) EXPECT_FALSE(dimmed(v));
  click(p.colorAdjustmentCB);
  for (toolkit::View* v : six) EXPECT_TRUE(dimmed(v));

  auto partial = testLayoutRig({"hueSlider", "saturationTitle"});
  calmState(**partial);
  click((*partial)->colorAdjustmentCB);
  EXPECT_FALSE(dimmed((*partial)->brightnessSlider));
}

// ---- the tab rule ----

TEST(TabRule, TheColourTabClosesUnderColourModeTwoOrTonerSave) {
  auto rig = testLayoutRig();
  Panel& p = **rig;
  calmState(p);
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

TEST(TabRule, ItemsWithoutIdentifierOrOtherIdentifiersAreAlwaysOpen) {
  auto rig = testLayoutRig();
  Panel& p = **rig;
  calmState(p);
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
  EXPECT_EQ(p.colorModeChoice, 2);
  EXPECT_EQ(p.imageTypePopup->indexOfSelectedItem(), 0);
  EXPECT_TRUE(dimmed(p.imageTypePopup));
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
  EXPECT_EQ(p.trappingPopup->indexOfSelectedItem(), 1);
  EXPECT_EQ(p.trappingChoice, 1);
  EXPECT_EQ(p.trappingCB->state(), 0);

  // Toner save cannot move print priority to 1: it stays where it is shown,
  // and the print-priority chain does not run (screening is not forced).
  pick(p.screeningPopup, 2);
  click(p.tonerSaveCB);
  EXPECT_EQ(p.printPriorityPopup->indexOfSelectedItem(), 0);
  EXPECT_EQ(p.printPriorityChoice, 0);
  EXPECT_EQ(p.screeningPopup->indexOfSelectedItem(), 2);
  EXPECT_EQ(p.screeningChoice, 2);
}

}  // namespace
