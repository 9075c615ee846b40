// What the window tells a screen reader, worked out without a display.
#include <gtest/gtest.h>

#include "accessible_text.h"

namespace pdehost::gtk {
namespace {

TEST(AccessibleTextTest, TitlesNameTheirControlsByStem) {
  const std::vector<std::string> outlets = {
      "saveSettingsTitle", "saveSettingsButton", "colorModeTitle",       "colorModePopup",
      "neutralGrayTitle",  "neutralGrayPopup",   "neutralGrayLeftTitle", "neutralGraySlider",
      "neutralGrayRightTitle", "pureBlackPrintCB", "pureBlackPrintTitle", "trappingPopup",
      "hueTitle",          "hueSlider",          "sampleViewSelectControl"};
  const std::vector<TitledControl> expected = {
      {"saveSettingsButton", "saveSettingsTitle", "", ""},
      {"colorModePopup", "colorModeTitle", "", ""},
      {"neutralGrayPopup", "neutralGrayTitle", "", ""},
      {"neutralGraySlider", "neutralGrayTitle", "neutralGrayLeftTitle", "neutralGrayRightTitle"},
      {"hueSlider", "hueTitle", "", ""},
  };
  // A checkbox keeps its own title; a popup without a title is not listed.
  EXPECT_EQ(titledControls(outlets), expected);
}

TEST(AccessibleTextTest, SpokenTitlesRangesAndValues) {
  EXPECT_EQ(spokenTitle("Color Mode:"), "Color Mode");
  EXPECT_EQ(spokenTitle("Lock Settings"), "Lock Settings");
  EXPECT_EQ(spokenTitle(" Hue : "), " Hue");
  EXPECT_EQ(spokenTitle(":"), "");
  EXPECT_EQ(rangeDescription("Composite", "Black Only"), "Composite to Black Only");
  EXPECT_EQ(rangeDescription("Composite", ""), "");

  EXPECT_EQ(sliderValueText(0, 4, 2, 5, true), "2 of 4");
  EXPECT_EQ(sliderValueText(10, 30, 25, 5, true), "3 of 4");  // marks 5 apart
  EXPECT_EQ(sliderValueText(0, 1, 1, 2, true), "1 of 1");
  // Free to stop anywhere, or without marks to count: the number.
  EXPECT_EQ(sliderValueText(-50, 50, -10, 11, false), "-10");
  EXPECT_EQ(sliderValueText(0, 4, 2.5, 1, true), "2.5");
}

TEST(AccessibleTextTest, MnemonicsAvoidLettersTakenAndPreferWordStarts) {
  std::string taken = "rodcp";
  EXPECT_EQ(pickMnemonic("Lock Settings", taken), 0u);    // L
  EXPECT_EQ(pickMnemonic("Color Mode:", taken), 6u);      // M: C, o, l, r taken
  EXPECT_EQ(pickMnemonic("Sharpness:", taken), 0u);       // S
  EXPECT_EQ(pickMnemonic("Screening:", taken), 3u);       // e: no free word start
  EXPECT_EQ(taken, "rodcplmse");
  std::string full = "abcdefghijklmnopqrstuvwxyz";
  EXPECT_EQ(pickMnemonic("Hue:", full), std::nullopt);
  EXPECT_EQ(pickMnemonic("\xC3\x89tat", taken), 2u);      // "État": the É is no ASCII letter
  EXPECT_EQ(pickMnemonic("", taken), std::nullopt);

  EXPECT_EQ(mnemonicLabel("Color Mode:", 6u), "Color _Mode:");
  EXPECT_EQ(mnemonicLabel("Gray_Level", 0u), "_Gray__Level");
  EXPECT_EQ(mnemonicLabel("Gray_Level", std::nullopt), "Gray__Level");
}

}  // namespace
}  // namespace pdehost::gtk
