// Set-up over the bundle as built: the real "Color6" layout, strings table and
// sample description.
#include <gtest/gtest.h>

#include "VemraPrintPdeLX4200CO.h"
#include "fake_host.h"
#include "panel_rig.h"
#include "ppd_fixture.h"

namespace {

using paneltest::Panel;

// The bundle as built.
class RealColor6 : public ::testing::Test, public paneltest::PanelRig {};

TEST_F(RealColor6, EveryOutletIsConnectedAndTheNineOptionsFilled) {
  ASSERT_NE(file->get(), nullptr);
  ASSERT_NE(panel, nullptr);
  toolkit::View* view = panel->panelView();
  ASSERT_NE(view, nullptr);
  EXPECT_EQ(bundle->problems(), std::vector<std::string>{});
  for (const auto& [name, control] : panel->outlets()) EXPECT_NE(control, nullptr) << name;

  const std::pair<ppd_option_t*, std::shared_ptr<toolkit::PopUpButton>> filled[] = {
      {panel->colorModeOptions, panel->colorModePopup},     {panel->printPriorityOptions, panel->printPriorityPopup},
      {panel->neutralGrayOptions, panel->neutralGrayPopup}, {panel->screeningOptions, panel->screeningPopup},
      {panel->sharpnessOptions, panel->sharpnessPopup},     {panel->trappingOptions, panel->trappingPopup},
  };
  for (const auto& [option, popup] : filled) {
    ASSERT_NE(option, nullptr);
    ASSERT_EQ(popup->numberOfItems(), option->num_choices) << option->keyword;
    for (int i = 0; i < option->num_choices; ++i) {
      EXPECT_EQ(popup->items()[static_cast<size_t>(i)].title, *stringWithEncoding(option->choices[i].text, panel->ppdEncoding));
    }
    EXPECT_TRUE(popup->isEnabled()) << option->keyword;
  }
  EXPECT_EQ(panel->colorModeTitle->stringValue(), std::string(panel->colorModeOptions->text) + ":");
  EXPECT_EQ(panel->tonerSaveCB->title(), panel->tonerSaveOptions->text);
  EXPECT_EQ(panel->SmoothingCB->title(), panel->SmoothingOptions->text);
  EXPECT_EQ(panel->SmoothingCB->frame(), (toolkit::Rect{32, 93, 227, 18}));
  EXPECT_EQ(panel->tonerSaveCB->frame(), (toolkit::Rect{12, 43, 227, 18}));
  EXPECT_EQ(panel->SmoothingCB->superview(), view);
  EXPECT_FALSE(panel->ppdHDDOptionFlag);  // the sample says True

  // Sliders stand for choice indices.
  EXPECT_EQ(panel->neutralGraySlider->minValue(), 0);
  EXPECT_EQ(panel->neutralGraySlider->maxValue(), panel->neutralGrayOptions->num_choices - 1);
  EXPECT_EQ(panel->pureBlackPrintSlider->maxValue(), panel->pureBlackPrintOptions->num_choices - 1);
}

TEST_F(RealColor6, TabsAndTheColourControls) {
  ASSERT_NE(panel, nullptr);
  ASSERT_NE(panel->panelView(), nullptr);
  toolkit::TabView& tabs = *panel->mainTabView;
  ASSERT_EQ(tabs.numberOfTabViewItems(), 2);
  EXPECT_EQ(tabs.indexOfSelectedTabViewItem(), 0);
  EXPECT_EQ(tabs.tabViewItemAtIndex(1)->identifier(), "1");
  // The controls of the removed tab stay reachable through their outlets.
  ASSERT_NE(panel->hueSlider, nullptr);
  // Set-up disables the image type; the refresh of willShow enables it again
  // while no setting dims it.
  EXPECT_FALSE(panel->imageTypePopup->isEnabled());
  panel->willShow();
  EXPECT_TRUE(panel->imageTypePopup->numberOfItems() >= 7);
  EXPECT_TRUE(panel->imageTypePopup->isEnabled());
  EXPECT_TRUE(panel->preservepurecmykcolorsCB->isHidden());
  EXPECT_EQ(panel->panelName(), "Image Quality");
}

}  // namespace
