// What a person did to a rendered control. The dialog turns each into the
// same command a pdehost script gives, so a click in the window and a
// `click` line of a script take one path.
#pragma once

#include <cstdint>
#include <string>

#include "toolkit/controls.h"

namespace pdehost::gtk {

class PersonInput {
 public:
  virtual ~PersonInput() = default;
  virtual void personSelectedItem(toolkit::PopUpButton& popup, std::int64_t index) = 0;
  virtual void personClicked(toolkit::Button& button) = 0;
  virtual void personSlid(toolkit::Slider& slider, std::int64_t value) = 0;
  virtual void personSelectedSegment(toolkit::SegmentedControl& control, std::int64_t index) = 0;
  virtual void personChoseTab(toolkit::TabView& tabs, const std::string& identifier) = 0;
};

}  // namespace pdehost::gtk
