// What the window tells a screen reader about the panel's controls, worked
// out from the layout's outlet names and texts alone (no GTK here): which
// title names which control, the words for a slider's range and value, and
// the letter that reaches a titled control with Alt.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pdehost::gtk {

// A control and the text fields that name it, by outlet. The layout names a
// title after its control's stem ("colorModeTitle" for "colorModePopup" and
// "colorModeSlider", "saveSettingsTitle" for "saveSettingsButton") and a
// slider's end labels "…LeftTitle" and "…RightTitle". Checkboxes carry their
// own titles and are not listed.
struct TitledControl {
  std::string control;
  std::string title;
  std::string leftTitle;   // empty when the layout has none
  std::string rightTitle;  // empty when the layout has none

  bool operator==(const TitledControl&) const = default;
};
std::vector<TitledControl> titledControls(const std::vector<std::string>& outlets);

// The name a title gives its control: its text without the closing colon.
std::string spokenTitle(std::string_view text);

// A slider's ends as words ("Composite to Black Only"); empty without both.
std::string rangeDescription(std::string_view left, std::string_view right);

// A slider's value as words: the tick mark reached, counted from the first
// ("2 of 4"), on a slider that stops only at its marks; else the number.
std::string sliderValueText(double minValue, double maxValue, double value, std::int64_t tickMarks,
                            bool tickMarkValuesOnly);

// The byte offset in `title` of the letter that Alt reaches it with: the
// first letter of a word that `taken` lacks, else any other such letter;
// none when every letter is taken. The letter chosen joins `taken` (kept in
// lower case). Only ASCII letters are used.
std::optional<std::size_t> pickMnemonic(std::string_view title, std::string& taken);

// `text` as a GTK mnemonic label: "_" before the byte at `offset`, every
// other underscore doubled so that it shows as itself.
std::string mnemonicLabel(std::string_view text, std::optional<std::size_t> offset);

}  // namespace pdehost::gtk
