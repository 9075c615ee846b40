// What a person can do with a shown panel, as a print dialog lets them: a
// control must sit in the shown view, with nothing above it hidden and its
// tab selected, and be enabled; a slider takes values in its range, and only
// its tick marks when it stops only there, and a popup item or a segment
// must be enabled. pdehost's commands, its window
// and the fuzz target's person all ask here.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "toolkit/popup_button.h"
#include "toolkit/segmented_control.h"
#include "toolkit/slider.h"
#include "toolkit/view.h"

namespace toolkit {

// Why a person cannot use a view.
struct Obstacle {
  enum class Kind {
    notShown,           // nothing is shown
    hidden,             // the view itself is hidden
    insideHiddenView,   // a view above it is hidden
    onUnselectedTab,    // it sits on a tab that is not selected
    outsideShownView,   // it is not inside the shown view
    disabled,           // a control that is not enabled
  };
  Kind kind;
  std::string tab;  // onUnselectedTab: that tab's identifier
};

// Why a person cannot reach `view` in the shown view `shown` (null when
// nothing is shown); nothing when they can.
std::optional<Obstacle> whyUnreachable(const View& view, const View* shown);
// The same, and a control must also be enabled.
std::optional<Obstacle> whyUnusable(const View& view, const View* shown);

enum class PickRefusal { noSuchEntry, entryDisabled };
// Why a person cannot pick entry `index` of a popup's items or of a
// control's segments; nothing when they can.
std::optional<PickRefusal> whyNotPickable(const PopUpButton& popup, std::int64_t index);
std::optional<PickRefusal> whyNotPickable(const SegmentedControl& control, std::int64_t index);

// The evenly spaced tick marks of a range; fewer than two mark nothing.
struct TickMarks {
  double low = 0;
  double high = 0;
  std::int64_t count = 0;

  // The distance between neighbouring marks; 0 when there is none.
  double step() const;
  // The value of mark `index` (0 is `low`, count - 1 is `high`).
  double at(std::int64_t index) const;
  // How many steps from `low` the mark nearest `value` is.
  std::int64_t nearestIndex(double value) const;
  // The value of the mark nearest `value`; `value` when nothing is marked.
  double nearest(double value) const;
  // Whether `value` is on a mark (a range without marks has every value).
  bool holds(double value) const;
};

TickMarks tickMarks(const Slider& slider);
// Whether the slider takes only the values of its tick marks.
bool stopsOnlyAtTickMarks(const Slider& slider);

enum class SlideRefusal { outOfRange, offTickMark };
// Why a person cannot move the slider to `value`; nothing when they can.
std::optional<SlideRefusal> whyNotSlidable(const Slider& slider, double value);
// The whole value a person's slider position stands for: the nearest tick
// mark when the slider stops only there, rounded to a whole number.
std::int64_t valueAtPosition(const Slider& slider, double position);

}  // namespace toolkit
