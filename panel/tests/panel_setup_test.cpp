#include <gtest/gtest.h>

#include <any>

#include "VemraPrintPdeLX4200CO.h"
#include "fake_host.h"
#include "ppd_fixture.h"
#include "panel_rig.h"
#include "test_bundle.h"

namespace {

using paneltest::nineOptions;
using paneltest::Panel;

std::vector<std::string> titles(const toolkit::PopUpButton& popup) {
  std::vector<std::string> result;
  for (const auto& item : popup.items()) result.push_back(item.title);
  return result;
}

// Records the actions controls send, to tell a plain selection from a fired one.
struct ActionSpy : toolkit::ActionTarget {
  bool performAction(std::string_view action, toolkit::View*) override {
    sent.emplace_back(action);
    return true;
  }
  bool respondsToAction(std::string_view) const override { return true; }
  std::vector<std::string> sent;
};

// ---- creation --------------------------------------------------------------

TEST(Creation, FixesTheModelConfigurationAndFindsTheOptions) {
  paneltest::PanelRig f(nineOptions());
  ASSERT_NE(f.panel, nullptr);
  Panel& p = *f.panel;
  EXPECT_TRUE(p.condorFlag);
  EXPECT_TRUE(p.apex2ColorFlag);
  EXPECT_FALSE(p.kestrel2Flag || p.kestrel3Flag || p.nimbusFlag || p.nimbusBFlag || p.apex2ProfileFlag ||
               p.apex3ProfileFlag);
  EXPECT_FALSE(p.ppdHDDOptionFlag);
  EXPECT_TRUE(p.useConstraintHandling);
  EXPECT_FALSE(p.hasInited);
  EXPECT_EQ(p.imageType_Custom, 4);
  EXPECT_EQ(p.ppd, f.file->get());
  EXPECT_EQ(p.ppdEncoding, kStringEncodingUTF8);
  EXPECT_EQ(p.modelStringRef, "Vemra LX4200");
  EXPECT_EQ(p.preferenceName, "vemra.mfp.LX4200");
  EXPECT_FALSE(p.previewImagePath);
  EXPECT_FALSE(p.thePDEName);

  ASSERT_NE(p.colorModeOptions, nullptr);
  EXPECT_STREQ(p.colorModeOptions->keyword, "VMCMode");
  EXPECT_STREQ(p.SmoothingOptions->keyword, "VMSmoothing");
  EXPECT_STREQ(p.trappingOptions->keyword, "VMCTrapping");
  ASSERT_NE(p.colorModeChoices, nullptr);
  EXPECT_EQ(p.colorModeChoices->size(), 3u);
  EXPECT_EQ(p.smoothingChoices->size(), 2u);
  // Options this configuration never looks up stay empty.
  EXPECT_EQ(p.colorSyncOptions, nullptr);
  EXPECT_EQ(p.imageTypeOptions, nullptr);
  EXPECT_EQ(p.imageTypeChoices, nullptr);
  EXPECT_EQ(p.pamphletOption, nullptr);
}

TEST(Creation, NeverLooksUpOptionsOutsideItsConfiguration) {
  testppd::Description d;
  d.options.push_back({"VMColorSync", "ColorSync", "Boolean", {{"False", "Off"}, {"True", "On"}}, "False"});
  d.options.push_back({"VMCOType", "Image Type", "PickOne", {{"A", "A"}, {"B", "B"}}, "A"});
  paneltest::PanelRig f(d);
  EXPECT_EQ(f.panel, nullptr);  // none of the nine: no panel
}

TEST(Creation, NoDescriptionNoPanel) {
  qvx::test::TempDir dir;
  auto host = std::make_shared<testhost::Host>(nullptr);
  EXPECT_EQ(Panel::initWithCallback(host, nullptr), nullptr);
  EXPECT_EQ(host->ppdFileCalls, 1);

  // Without constraint handling the host is not even asked for its description.
  testppd::OpenPPD file(nineOptions());
  auto legacy = std::make_shared<testhost::Host>(file.get());
  legacy->constraintHandling = false;
  std::weak_ptr<testhost::Host> watch = legacy;
  EXPECT_EQ(Panel::initWithCallback(legacy, nullptr), nullptr);
  EXPECT_EQ(legacy->ppdFileCalls, 0);
  legacy.reset();
  EXPECT_TRUE(watch.expired());  // the discarded panel let go of the host
}

TEST(Creation, OneOptionIsEnough) {
  testppd::Description d;
  d.options.push_back(testppd::smoothing());
  paneltest::PanelRig f(d);
  ASSERT_NE(f.panel, nullptr);
  EXPECT_NE(f.panel->SmoothingOptions, nullptr);
  EXPECT_EQ(f.panel->colorModeOptions, nullptr);
  EXPECT_EQ(f.panel->colorModeChoices, nullptr);
}

TEST(Creation, HardDiskAttribute) {
  const std::pair<std::optional<std::string>, bool> cases[] = {
      {std::nullopt, false}, {"True", false}, {"TRUE", false}, {"False", true}, {"false", true}, {"true", true},
  };
  for (const auto& [value, expected] : cases) {
    testppd::Description d = nineOptions();
    if (value) d.extraLines.push_back("*VMHDDOption: " + *value);
    paneltest::PanelRig f(d);
    ASSERT_NE(f.panel, nullptr);
    EXPECT_EQ(f.panel->ppdHDDOptionFlag, expected) << value.value_or("(none)");
  }
}

TEST(Creation, PreferenceNameWithoutACurrentPrinter) {
  testppd::OpenPPD file(nineOptions());
  auto host = std::make_shared<testhost::Host>(file.get());
  host->session.printerID.reset();
  for (bool session : {true, false}) {
    host->hasSession = session;  // a session without a printer, or none
    auto panel = Panel::initWithCallback(host, nullptr);
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->preferenceName, "vemra.mfp.") << "with a session: " << session;
  }
}

// ---- filling the layout ----------------------------------------------------

// A panel over the nine-option description and the full test layout; cases
// that need another description build their own.
class NineOptionPanel : public testing::Test {
 protected:
  void SetUp() override { ASSERT_NE(rig.panel, nullptr); }
  paneltest::PanelRig rig{nineOptions()};
  Panel& p = *rig;
};
class Filling : public NineOptionPanel {};
class Refresh : public NineOptionPanel {};

TEST_F(Filling, TitlesAndPopupsOfTheDescription) {
  toolkit::View* view = p.panelView();
  ASSERT_NE(view, nullptr);
  EXPECT_TRUE(p.hasInited);
  EXPECT_EQ(view, p.panelView_.get());

  const struct {
    std::shared_ptr<toolkit::TextField> title;
    const char* label;
    std::shared_ptr<toolkit::PopUpButton> popup;
    std::vector<std::string> items;
  } rows[] = {
      {p.colorModeTitle, "Color Mode:", p.colorModePopup, {"Auto Color", "Color", "Grayscale"}},
      {p.printPriorityTitle, "Print Priority:", p.printPriorityPopup, {"Text", "Photo"}},
      {p.neutralGrayTitle, "Neutral Gray:", p.neutralGrayPopup, {"Off", "Low", "High"}},
      {p.screeningTitle, "Screening:", p.screeningPopup, {"Auto", "Fine", "Smooth"}},
      {p.sharpnessTitle, "Sharpness:", p.sharpnessPopup, {"Normal", "Sharp", "Soft"}},
      {p.trappingTitle, "Trapping:", p.trappingPopup, {"Off", "Weak", "Strong"}},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(row.title->stringValue(), row.label);
    EXPECT_EQ(titles(*row.popup), row.items) << row.label;
  }
  EXPECT_EQ(p.colorModePopup->indexOfSelectedItem(), 0);
  // Each item carries its choice record.
  const auto* record = std::any_cast<PDEChoiceRef>(&p.colorModePopup->items()[2].representedObject);
  ASSERT_NE(record, nullptr);
  EXPECT_EQ(*record, (*p.colorModeChoices)[2]);
  EXPECT_EQ(p.pureBlackPrintCB->title(), "Pure Black Print");
  EXPECT_EQ(p.pureBlackPrintTitle->stringValue(), "Pure Black Print:");
  EXPECT_EQ(p.tonerSaveCB->title(), "Toner Save");
  EXPECT_TRUE(p.screeningPopup->autoenablesItems());
  EXPECT_FALSE(p.trappingCB->isHidden());
  EXPECT_EQ(p.trappingCB->title(), "Trapping");
}

TEST_F(Filling, LocalisedLabelsTabsAndTheLock) {
  ASSERT_NE(p.panelView(), nullptr);
  EXPECT_EQ(p.saveSettingsTitle->stringValue(), "Einstellungen sichern:");
  EXPECT_EQ(p.neutralGrayLeftTitle->stringValue(), "Hell");
  EXPECT_EQ(p.neutralGrayRightTitle->stringValue(), "Dunkel:");
  EXPECT_EQ(p.pureBlackPrintLeftTitle->stringValue(), "Hell");  // leading blank skipped
  EXPECT_EQ(p.pureBlackPrintRightTitle->stringValue(), "Dunkel");

  ASSERT_NE(p.saveSettingsButton->image(), std::nullopt);
  EXPECT_EQ(p.saveSettingsButton->image()->iconName, "changes-allow");
  EXPECT_EQ(p.saveSettingsButton->image()->size, (toolkit::Size{18, 18}));
  ASSERT_NE(p.saveSettingsButton->alternateImage(), std::nullopt);
  EXPECT_EQ(p.saveSettingsButton->alternateImage()->iconName, "changes-prevent");
  EXPECT_EQ(p.saveSettingsButton->alternateImage()->size, (toolkit::Size{18, 18}));

  toolkit::TabView& tabs = *p.mainTabView;
  ASSERT_EQ(tabs.numberOfTabViewItems(), 2);
  EXPECT_EQ(tabs.tabViewItemAtIndex(0)->label(), "Grundlagen");
  EXPECT_EQ(tabs.tabViewItemAtIndex(1)->label(), "Farbe:");
  EXPECT_EQ(tabs.tabViewItemAtIndex(1)->identifier(), "1");
  EXPECT_EQ(tabs.indexOfSelectedTabViewItem(), 0);
  EXPECT_EQ(tabs.delegate(), static_cast<toolkit::TabViewDelegate*>(&p));
  EXPECT_EQ(p.sampleViewSelectControl->selectedSegment(), 0);
}

TEST_F(Filling, OptionsNeverLookedUpAreDimmedOrKeepTheLayout) {
  ASSERT_NE(p.panelView(), nullptr);
  EXPECT_FALSE(p.imageTypePopup->isEnabled());
  EXPECT_EQ(p.imageTypePopup->numberOfItems(), 7);  // the layout's items stay
  for (const auto& popup : {p.sourceProfilePopup, p.renderingIntentPopup, p.outputProfilePopup,
                            p.cmykoutputProfilePopup}) {
    EXPECT_FALSE(popup->isEnabled());
    EXPECT_FALSE(popup->autoenablesItems());
  }
  EXPECT_FALSE(p.simulationProfilePopup->isEnabled());
  EXPECT_TRUE(p.simulationProfilePopup->autoenablesItems());
  EXPECT_TRUE(p.preservepurecmykcolorsCB->isHidden());
  EXPECT_EQ(p.colorSyncCB->title(), "ColorSync");
  EXPECT_EQ(p.imageTypeTitle->stringValue(), "Image Type:");
  EXPECT_EQ(p.sourceProfileTitle->stringValue(), "Source Profile:");
  EXPECT_EQ(p.blackOverprintCB->title(), "Black Overprint");
}

TEST_F(Filling, BuildsTheSmoothingCheckboxAndMovesTonerSave) {
  toolkit::View* view = p.panelView();
  ASSERT_NE(view, nullptr);
  ASSERT_NE(p.SmoothingCB, nullptr);
  EXPECT_EQ(p.SmoothingCB->frame(), (toolkit::Rect{32, 93, 227, 18}));
  EXPECT_EQ(p.SmoothingCB->buttonType(), toolkit::ButtonType::checkbox);
  EXPECT_EQ(p.SmoothingCB->title(), "Smoothing");
  EXPECT_EQ(p.SmoothingCB->action(), "SmoothingProc:");
  EXPECT_EQ(p.SmoothingCB->target(), static_cast<toolkit::ActionTarget*>(&p));
  EXPECT_EQ(p.SmoothingCB->superview(), view);
  EXPECT_EQ(p.tonerSaveCB->frame(), (toolkit::Rect{12, 43, 227, 18}));
}

TEST_F(Filling, SmoothingTitleWithoutTheOption) {
  testppd::Description d;
  d.options.push_back(testppd::colorMode());
  paneltest::PanelRig f(d);
  ASSERT_NE(f.panel, nullptr);
  ASSERT_NE(f.panel->panelView(), nullptr);
  EXPECT_EQ(f.panel->SmoothingCB->title(), "Glättung");  // the localised name
}

TEST_F(Filling, MissingOptionsLeaveTheirControlsAsLaidOut) {
  testppd::Description d;
  d.options = {testppd::colorMode(), testppd::smoothing()};
  paneltest::PanelRig f(d);
  ASSERT_NE(f.panel, nullptr);
  ASSERT_NE(f->panelView(), nullptr);
  EXPECT_TRUE(f->colorModePopup->isEnabled());
  EXPECT_FALSE(f->screeningPopup->isEnabled());
  EXPECT_EQ(titles(*f->screeningPopup),
            (std::vector<std::string>{"Layout item 0", "Layout item 1", "Layout item 2"}));
  EXPECT_EQ(f->screeningTitle->stringValue(), "Screening:");
  EXPECT_FALSE(f->printPriorityPopup->isEnabled());
  EXPECT_EQ(f->pureBlackPrintCB->title(), "Pure Black");
  EXPECT_EQ(f->tonerSaveCB->title(), "Toner Save");
  EXPECT_TRUE(f->trappingCB->isHidden());
  EXPECT_EQ(f->trappingCB->title(), "Trapping");
}

TEST_F(Filling, NonASCIILabelsInTheControls) {
  testppd::Description d;
  d.languageEncoding = "ISOLatin1";
  d.options.push_back({"VMCMode", "Farbmodus f\xfcr Druck", "PickOne", {{"Auto", "Automatisch"}, {"Gray", "Grau\xe9"}}, "Auto"});
  d.options.push_back({"VMSmoothing", "Gl\xe4ttung", "Boolean", {{"True", "Ein"}, {"False", "Aus"}}, "True"});
  paneltest::PanelRig f(d);
  ASSERT_NE(f.panel, nullptr);
  ASSERT_NE(f.panel->panelView(), nullptr);
  EXPECT_EQ(f.panel->colorModeTitle->stringValue(), "Farbmodus für Druck:");
  EXPECT_EQ(titles(*f.panel->colorModePopup), (std::vector<std::string>{"Automatisch", "Graué"}));
  EXPECT_EQ(f.panel->SmoothingCB->title(), "Glättung");
}

TEST_F(Filling, HappensOnce) {
  ASSERT_NE(p.panelView(), nullptr);
  auto smoothing = p.SmoothingCB;
  p.colorModePopup->removeAllItems();
  p.colorModeTitle->setStringValue("changed");
  p.tonerSaveCB->setFrame({1, 2, 3, 4});
  p.initializeUI();
  p.panelView();
  p.willShow();
  EXPECT_EQ(p.colorModePopup->numberOfItems(), 0);
  EXPECT_EQ(p.colorModeTitle->stringValue(), "changed");
  EXPECT_EQ(p.tonerSaveCB->frame(), (toolkit::Rect{1, 2, 3, 4}));
  EXPECT_EQ(p.SmoothingCB, smoothing);
  EXPECT_EQ(p.mainTabView->numberOfTabViewItems(), 2);
  int smoothingBoxes = 0;
  for (const auto& sub : p.panelView_->subviews()) smoothingBoxes += sub == smoothing;
  EXPECT_EQ(smoothingBoxes, 1);
}

TEST_F(Filling, ShowingBeforeTheViewWasAskedForStillFillsTheLayout) {
  p.willShow();
  ASSERT_NE(p.panelView_, nullptr);
  EXPECT_EQ(titles(*p.colorModePopup), (std::vector<std::string>{"Auto Color", "Color", "Grayscale"}));
  EXPECT_EQ(p.panelView(), p.panelView_.get());
  EXPECT_EQ(p.SmoothingCB->superview(), p.panelView_.get());
}

// ---- layouts with controls left out, or none --------------------------------

TEST(PartialLayouts, EveryControlMayBeMissing) {
  const std::set<std::string> leaveOut = {
      "saveSettingsButton", "saveSettingsTitle", "colorModePopup", "printPriorityTitle", "neutralGraySlider",
      "pureBlackPrintCB", "tonerSaveCB", "screeningPopup", "trappingCB", "sharpnessTitle", "sampleViewSelectControl",
      "cmykSimulationBox", "imageTypePopup", "sourceProfilePopup", "preservepurecmykcolorsCB"};
  paneltest::PanelRig f(nineOptions(), leaveOut);
  ASSERT_NE(f.panel, nullptr);
  Panel& p = *f.panel;
  ASSERT_NE(p.panelView(), nullptr);
  EXPECT_EQ(p.colorModePopup, nullptr);
  EXPECT_EQ(p.cmykSimulationCB, nullptr);  // it sat in the box left out
  EXPECT_EQ(p.colorModeTitle->stringValue(), "Color Mode:");
  EXPECT_EQ(p.tonerSaveCB, nullptr);
  ASSERT_NE(p.SmoothingCB, nullptr);
  EXPECT_EQ(p.SmoothingCB->superview(), p.panelView_.get());
  p.restoreValuesAndReturnError(nullptr);
  p.colorModeChoice = 2;
  p.trappingChoice = 1;  // after restore, which reads the description's defaults
  p.willShow();
  EXPECT_EQ(p.trappingPopup->indexOfSelectedItem(), 1);
}

TEST(PartialLayouts, OnlyTheTopView) {
  const std::set<std::string> all = {"saveSettingsButton", "saveSettingsTitle", "mainTabView"};
  paneltest::PanelRig f(nineOptions(), all);
  ASSERT_NE(f.panel, nullptr);
  toolkit::View* view = f.panel->panelView();
  ASSERT_NE(view, nullptr);
  EXPECT_EQ(view->subviews().size(), 1u);  // the built smoothing checkbox
  f.panel->willShow();
  EXPECT_TRUE(f.panel->restoreValuesAndReturnError(nullptr));
  EXPECT_TRUE(f.panel->shouldPrint());
}

TEST(PartialLayouts, NoTopViewOutlet) {
  paneltest::PanelRig f(nineOptions(), std::set<std::string>{"panelView"});
  ASSERT_NE(f.panel, nullptr);
  EXPECT_EQ(f.panel->panelView(), nullptr);
  EXPECT_TRUE(f.panel->hasInited);
  ASSERT_NE(f.panel->SmoothingCB, nullptr);
  EXPECT_EQ(f.panel->SmoothingCB->superview(), nullptr);  // added to nothing
}

TEST(PartialLayouts, AnOutletOfTheWrongClassCountsAsMissing) {
  nlohmann::json layout = testbundle::color6Layout();
  // Make the colour mode popup a text field.
  testbundle::editNodes(layout, [](nlohmann::json& n) {
    if (n.value("outlet", "") == "colorModePopup") n = {{"class", "TextField"}, {"outlet", "colorModePopup"}};
  });
  paneltest::PanelRig rig(nineOptions(), layout);
  const std::shared_ptr<Panel>& panel = rig.panel;
  ASSERT_NE(panel, nullptr);
  ASSERT_NE(panel->panelView(), nullptr);
  EXPECT_EQ(panel->colorModePopup, nullptr);
  EXPECT_EQ(panel->colorModeTitle->stringValue(), "Color Mode:");
}

TEST(PartialLayouts, MalformedOrMissingLayoutGivesNoView) {
  testppd::OpenPPD file(nineOptions());
  for (const std::string& text : {std::string("{\"views\": [ {\"class\": \"Nope\"} ]}"), std::string("{ not json"),
                                  std::string()}) {
    qvx::test::TempDir dir;
    auto bundle = testbundle::writeBundle(dir, text);
    auto panel = Panel::initWithCallback(std::make_shared<testhost::Host>(file.get()), bundle);
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->panelView(), nullptr);
    EXPECT_TRUE(panel->hasInited);
    EXPECT_FALSE(bundle->problems().empty());
    EXPECT_TRUE(panel->restoreValuesAndReturnError(nullptr));
    EXPECT_TRUE(panel->isPanelViewRetain);
    EXPECT_TRUE(panel->shouldPrint());
  }
  // No bundle at all.
  auto panel = Panel::initWithCallback(std::make_shared<testhost::Host>(file.get()), nullptr);
  ASSERT_NE(panel, nullptr);
  EXPECT_EQ(panel->panelView(), nullptr);
  EXPECT_EQ(panel->panelName(), "Image Quality");
}

// ---- refreshing the controls -------------------------------------------------

TEST_F(Refresh, DoesNothingBeforeTheLayoutIsFilled) {
  // Connect the layout without filling it.
  ASSERT_TRUE(rig.bundle->loadNibNamed("Color6", &p, nullptr));
  p.colorModeChoice = 1;
  p.neutralGrayChoice = 2;
  p.tonerSaveChoice = 1;
  p.updateUI();
  EXPECT_EQ(p.colorModePopup->indexOfSelectedItem(), 0);
  EXPECT_EQ(p.neutralGraySlider->integerValue(), 0);
  EXPECT_EQ(p.tonerSaveCB->state(), 0);
}

TEST_F(Refresh, ShowsTheCurrentChoicesWithoutFiringPopups) {
  ASSERT_NE(p.panelView(), nullptr);
  ActionSpy spy;
  for (const auto& popup : {p.colorModePopup, p.printPriorityPopup, p.neutralGrayPopup, p.screeningPopup,
                            p.sharpnessPopup, p.trappingPopup, p.imageTypePopup}) {
    popup->setTarget(&spy);
  }
  paneltest::setChoices(p, {{&Panel::colorModeChoice, 2}, {&Panel::printPriorityChoice, 1},
                           {&Panel::imageTypeChoice, 6}, {&Panel::neutralGrayChoice, 2},
                           {&Panel::pureBlackPrintChoice, 1}, {&Panel::tonerSaveChoice, 1},
                           {&Panel::blackOverprintChoice, 1}, {&Panel::screeningChoice, 1},
                           {&Panel::sharpnessChoice, 2}, {&Panel::trappingChoice, 2}, {&Panel::smoothingChoice, 1},
                           {&Panel::sourceProfileChoice, 3}, {&Panel::saveSettingsValue, 1}});
  p.updateUI();
  EXPECT_EQ(p.colorModePopup->indexOfSelectedItem(), 2);
  EXPECT_EQ(p.printPriorityPopup->indexOfSelectedItem(), 1);
  EXPECT_EQ(p.imageTypePopup->indexOfSelectedItem(), 6);
  EXPECT_EQ(p.neutralGrayPopup->indexOfSelectedItem(), 2);
  EXPECT_EQ(p.neutralGraySlider->integerValue(), 2);
  EXPECT_EQ(p.pureBlackPrintCB->state(), 1);
  EXPECT_EQ(p.pureBlackPrintSlider->integerValue(), 1);
  EXPECT_EQ(p.tonerSaveCB->state(), 1);
  EXPECT_EQ(p.blackOverprintCB->state(), 1);
  EXPECT_EQ(p.screeningPopup->indexOfSelectedItem(), 1);
  EXPECT_EQ(p.sharpnessPopup->indexOfSelectedItem(), 2);
  EXPECT_EQ(p.sourceProfilePopup->indexOfSelectedItem(), 3);
  // Trapping's checkbox and popup show one shared choice.
  EXPECT_EQ(p.trappingPopup->indexOfSelectedItem(), 2);
  EXPECT_EQ(p.trappingCB->state(), 1);
  EXPECT_EQ(p.SmoothingCB->state(), 1);
  EXPECT_EQ(p.saveSettingsButton->state(), 1);
  EXPECT_TRUE(spy.sent.empty());
}

TEST_F(Refresh, CMYKSimulationOffDimsThePreserveCheckbox) {
  for (std::int64_t simulation : {0, 1}) {
    SCOPED_TRACE("CMYK simulation " + std::to_string(simulation));
    paneltest::PanelRig fresh(nineOptions());
    ASSERT_NE(fresh->panelView(), nullptr);
    fresh->cmykSimulationChoice = simulation;
    fresh->updateUI();
    EXPECT_EQ(fresh->cmykSimulationCB->state(), simulation);
    EXPECT_EQ(fresh->preservepurecmykcolorsCB->isEnabled(), simulation == 1);
  }
}

}  // namespace
