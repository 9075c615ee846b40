#include <dlfcn.h>
#include <gtest/gtest.h>

#include "VemraPrintPdeLX4200CO.h"
#include "VemraPrintPdeLX4200COPDEPlugIn.h"
#include "fake_host.h"
#include "ppd_fixture.h"
#include "panel_rig.h"
#include "test_bundle.h"

namespace {

using paneltest::Panel;

// A panel over the nine-option description and the full test layout; cases
// that need another description build their own.
class Protocol : public testing::Test {
 protected:
  void SetUp() override { ASSERT_NE(f.panel, nullptr); }
  paneltest::PanelRig f{paneltest::nineOptions()};
};

TEST_F(Protocol, NameKindAndKeywords) {
  EXPECT_EQ(f.panel->panelName(), "Bildqualität");
  EXPECT_EQ(f.panel->thePDEName, "Bildqualität");
  EXPECT_EQ(f.panel->panelName(), "Bildqualität");
  EXPECT_EQ(f.panel->panelKind(), "vemra.print.pde.lx4200.TintPanel");
  EXPECT_EQ(f.panel->supportedPPDOptionKeys(),
            (std::vector<std::string>{"VMCMode", "VMCPPriority", "VMCNGray", "VMCPureB", "VMSaveToner", "VMCScreen",
                                      "VMCTrapping", "VMCSharpness", "VMSmoothing"}));
  EXPECT_TRUE(f.panel->shouldHide());
  EXPECT_TRUE(f.panel->shouldShowHelp());
  f.panel->PPDOptionKeyValueDidChangePpdChoice("VMCMode", "Gray");
  EXPECT_EQ(f.panel->colorModeChoice, 0);
}

TEST_F(Protocol, KeywordsDoNotDependOnTheDescription) {
  testppd::Description d;
  d.options.push_back(testppd::smoothing());
  paneltest::PanelRig one(d, paneltest::WithoutBundle{});
  ASSERT_NE(one.panel, nullptr);
  EXPECT_EQ(one->supportedPPDOptionKeys().size(), 9u);
}

TEST_F(Protocol, NameFallsBackToTheKey) {
  qvx::test::TempDir dir;
  dir.write("B.plugin/Contents/Resources/en.lproj/Localizable.strings", "\"Other\" = \"x\";\n");
  testppd::Description d;
  d.options.push_back(testppd::smoothing());
  testppd::OpenPPD file(d);
  auto panel = Panel::initWithCallback(std::make_shared<testhost::Host>(file.get()),
                                       toolkit::Bundle::bundleWithPath(dir.path() / "B.plugin"));
  ASSERT_NE(panel, nullptr);
  EXPECT_EQ(panel->panelName(), "Image Quality");
}

TEST_F(Protocol, RestoreFirstLoadsTheViewAndKeepsAnExtraReference) {
  EXPECT_TRUE(f.panel->restoreValuesAndReturnError(nullptr));
  EXPECT_TRUE(f.panel->callRestoreValuesFunction);
  EXPECT_TRUE(f.panel->hasInited);
  EXPECT_TRUE(f.panel->isPanelViewRetain);
  ASSERT_NE(f.panel->panelView_, nullptr);
  std::weak_ptr<toolkit::View> view = f.panel->panelView_;
  EXPECT_EQ(view.use_count(), 2);  // the outlet and the extra reference
  f.panel.reset();
  EXPECT_TRUE(view.expired());
}

TEST_F(Protocol, RestoreAfterTheViewTakesNoExtraReference) {
  ASSERT_NE(f.panel->panelView(), nullptr);
  std::string error = "untouched";
  EXPECT_TRUE(f.panel->restoreValuesAndReturnError(&error));
  EXPECT_EQ(error, "untouched");
  EXPECT_FALSE(f.panel->isPanelViewRetain);
  std::weak_ptr<toolkit::View> view = f.panel->panelView_;
  EXPECT_EQ(view.use_count(), 1);
  EXPECT_TRUE(f.panel->saveValuesAndReturnError(&error));
  EXPECT_EQ(error, "untouched");
  EXPECT_TRUE(f.panel->callSaveValuesFunction);
}

TEST_F(Protocol, ShouldPrintRunsRestoreAndSaveOnlyWhenNeverRun) {
  EXPECT_TRUE(f.panel->shouldPrint());
  EXPECT_TRUE(f.panel->callRestoreValuesFunction);
  EXPECT_TRUE(f.panel->callSaveValuesFunction);
  EXPECT_TRUE(f.panel->isPanelViewRetain);  // restore had to load the view

  // Once both ran, printing does not restore again: a changed choice stays.
  f.panel->colorModeChoice = 2;
  EXPECT_TRUE(f.panel->shouldPrint());
  EXPECT_EQ(f.panel->colorModePopup->indexOfSelectedItem(), 0);
}

TEST_F(Protocol, ShouldPrintWithoutPrintSettings) {
  f.host->hasSettings = false;
  EXPECT_TRUE(f.panel->shouldPrint());
  EXPECT_TRUE(f.panel->callRestoreValuesFunction);
  EXPECT_TRUE(f.panel->callSaveValuesFunction);
}

TEST_F(Protocol, DestructionLetsGoOfEverythingAndOfTheControls) {
  ASSERT_NE(f.panel->panelView(), nullptr);
  std::weak_ptr<testhost::Host> host = f.host;
  std::weak_ptr<PDEChoiceArray::value_type::element_type> record = (*f.panel->colorModeChoices)[0];
  // A host still holding a control after the panel is gone.
  std::shared_ptr<toolkit::PopUpButton> popup = f.panel->colorModePopup;
  std::shared_ptr<toolkit::TabView> tabs = f.panel->mainTabView;
  std::shared_ptr<toolkit::Button> smoothing = f.panel->SmoothingCB;
  f.host.reset();
  f.panel.reset();
  EXPECT_TRUE(host.expired());
  EXPECT_EQ(popup->target(), nullptr);
  EXPECT_EQ(smoothing->target(), nullptr);
  EXPECT_EQ(tabs->delegate(), nullptr);
  EXPECT_FALSE(popup->sendAction());
  EXPECT_FALSE(record.expired());  // the popup's items still hold their records
  popup->removeAllItems();
  EXPECT_TRUE(record.expired());
}

TEST_F(Protocol, StateSnapshotNamesEveryField) {
  f.panel->trappingChoice = 2;
  const nlohmann::json s = f.panel->stateSnapshot();
  EXPECT_EQ(s["trappingChoice"], 2);
  EXPECT_EQ(s["condorFlag"], true);
  EXPECT_EQ(s["apex2ColorFlag"], true);
  EXPECT_EQ(s["kestrel2Flag"], false);
  EXPECT_EQ(s["hasInited"], false);
  EXPECT_EQ(s["saveSettingsValue"], 0);
  EXPECT_EQ(s["preference"].size(), 27u);
  EXPECT_TRUE(s["preference"].contains("preservpurecolor"));
  EXPECT_EQ(s["options"]["VMSmoothing"], true);
  for (const char* field : {"colorSyncChoice", "preservepurecmykcolorChoice", "cmykoutputProfileChoice",
                            "smoothingChoice", "isPanelViewRetain", "ppdHDDOptionFlag", "callSaveValuesFunction"}) {
    EXPECT_TRUE(s.contains(field)) << field;
  }
}

TEST_F(Protocol, OutletsAreListedInDeclarationOrder) {
  auto outlets = f.panel->outlets();
  ASSERT_EQ(outlets.size(), 54u);
  EXPECT_EQ(outlets.front().first, "panelView");
  EXPECT_EQ(outlets[1].first, "saveSettingsButton");
  EXPECT_EQ(outlets.back().first, "brightnessSlider");
  for (const auto& [name, view] : outlets) EXPECT_EQ(view, nullptr) << name;  // nothing loaded yet
  EXPECT_FALSE(f.panel->setOutlet("noSuchOutlet", std::make_shared<toolkit::View>()));
  EXPECT_TRUE(f.panel->respondsToAction("colorModeProc:"));
  EXPECT_TRUE(f.panel->respondsToAction("SmoothingProc:"));
  EXPECT_FALSE(f.panel->respondsToAction("colorModeProc"));
  EXPECT_FALSE(f.panel->performAction("nothing:", nullptr));
}

// ---- the factory -----------------------------------------------------------

TEST(Factory, PanelsOnlyForTheExactType) {
  paneltest::PanelRig f(paneltest::nineOptions());
  VemraPrintPdeLX4200COPDEPlugIn factory(f.bundle);
  EXPECT_TRUE(factory.initWithBundle(f.bundle));
  auto panels = factory.PDEPanelsForTypeWithHostInfo("BDB091F4-E57F-11D3-B5CC-0050E4603277", f.host);
  ASSERT_TRUE(panels);
  ASSERT_EQ(panels->size(), 1u);
  EXPECT_EQ((*panels)[0]->panelKind(), "vemra.print.pde.lx4200.TintPanel");

  // The type in lower case, or none.
  for (const char* other : {"bdb091f4-e57f-11d3-b5cc-0050e4603277", ""}) {
    auto none = factory.PDEPanelsForTypeWithHostInfo(other, f.host);
    ASSERT_TRUE(none) << other;
    EXPECT_TRUE(none->empty()) << other;
  }
}

TEST(Factory, NoPanelIsNil) {
  testppd::Description d;
  d.options.push_back({"Other", "Other", "PickOne", {{"A", "A"}}, "A"});
  testppd::OpenPPD file(d);
  VemraPrintPdeLX4200COPDEPlugIn factory;
  auto panels = factory.PDEPanelsForTypeWithHostInfo(pde::kPrintDialogExtensionType,
                                                     std::make_shared<testhost::Host>(file.get()));
  EXPECT_FALSE(panels);
}

// The built plug-in, loaded as a host loads it.
TEST(PlugInBundle, EntryPointGivesAPanelThatFindsItsOwnBundle) {
  const std::string library = std::string(TINTPANEL_BUNDLE_DIR) + "/Contents/MacOS/TintPanel";
  void* handle = dlopen(library.c_str(), RTLD_NOW | RTLD_LOCAL);
  ASSERT_NE(handle, nullptr) << dlerror();
  auto entry = reinterpret_cast<pde::PlugInEntryPoint>(dlsym(handle, pde::kPlugInEntryPoint));
  ASSERT_NE(entry, nullptr);
  pde::PlugInFactory* factory = entry();
  ASSERT_NE(factory, nullptr);
  // The exported plain functions are in the library although nothing in it
  // calls them (C++ ones by their GCC names); the rest of the panel is hidden.
  for (const char* name : {"_PDEProlog", "_PDEEpilog", "_PDELog", "_PDELog2", "_Z16ReplaceSpaceCodePcl",
                           "_Z6myitoaPKhPci", "_Z6myatoiPKcPhi", "_Z21encodingWindowsLatin1v",
                           "_Z18get_system_versionPiS_S_", "_Z18getEncodingFromPPDP10ppd_file_s",
                           "_Z18ArrayFromPPDOptionP12ppd_option_s", "_Z22initWithSystemIconTypej",
                           "_Z23runningOnLeopardOrLaterv"}) {
    EXPECT_NE(dlsym(handle, name), nullptr) << name;
  }
  EXPECT_EQ(dlsym(handle, "_ZN21VemraPrintPdeLX4200CO16initWithCallbackESt10shared_ptrIN3pde12HostCallbackEES0_IN7toolkit6BundleEE"), nullptr);
  EXPECT_EQ(entry(), factory);
  {
    // The rig's sample description, host and bundle; the panel comes from the
    // loaded library.
    paneltest::PanelRig rig;
    ASSERT_NE(rig.file->get(), nullptr);
    ASSERT_NE(rig.bundle, nullptr);
    EXPECT_TRUE(factory->initWithBundle(rig.bundle));
    auto panels = factory->PDEPanelsForTypeWithHostInfo(pde::kPrintDialogExtensionType, rig.host);
    ASSERT_TRUE(panels);
    ASSERT_EQ(panels->size(), 1u);
    pde::Panel& panel = *(*panels)[0];
    toolkit::View* view = panel.panelView();
    ASSERT_NE(view, nullptr) << "problems: " << nlohmann::json(rig.bundle->problems()).dump();
    EXPECT_TRUE(panel.restoreValuesAndReturnError(nullptr));
    EXPECT_EQ(panel.stateSnapshot()["hasInited"], true);
    EXPECT_EQ(panel.panelName(), "Image Quality");
    panels.reset();
  }
  dlclose(handle);
}

}  // namespace
