// A slider over a numeric range; the panel reads its integer value.
#pragma once

#include <cstdint>

#include "toolkit/control.h"

namespace toolkit {

class Slider : public Control {
 public:
  using Control::Control;
  ViewKind kind() const override { return ViewKind::slider; }

  double minValue() const { return min_; }
  double maxValue() const { return max_; }
  // Sets the range (swapped when given the wrong way round) and pulls the
  // value into it.
  void setRange(double minValue, double maxValue);

  double doubleValue() const { return value_; }
  // Values outside the range are pulled to its nearest end.
  void setDoubleValue(double value);
  // The value truncated towards zero.
  std::int64_t integerValue() const { return static_cast<std::int64_t>(value_); }
  void setIntegerValue(std::int64_t value) { setDoubleValue(static_cast<double>(value)); }

  std::int64_t numberOfTickMarks() const { return tickMarks_; }
  void setNumberOfTickMarks(std::int64_t count) {
    tickMarks_ = count < 0 ? 0 : count;
    didChange();
  }
  bool allowsTickMarkValuesOnly() const { return tickMarkValuesOnly_; }
  void setAllowsTickMarkValuesOnly(bool on) { tickMarkValuesOnly_ = on; }

 private:
  double min_ = 0;
  double max_ = 1;
  double value_ = 0;
  std::int64_t tickMarks_ = 0;
  bool tickMarkValuesOnly_ = false;
};

}  // namespace toolkit
