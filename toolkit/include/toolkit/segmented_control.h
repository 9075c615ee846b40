// A row of segments of which one (or none) is selected.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "toolkit/control.h"

namespace toolkit {

struct Segment {
  std::string label;
  bool enabled = true;
};

class SegmentedControl : public Control {
 public:
  using Control::Control;
  ViewKind kind() const override { return ViewKind::segmentedControl; }

  const std::vector<Segment>& segments() const { return segments_; }
  std::int64_t segmentCount() const { return static_cast<std::int64_t>(segments_.size()); }
  void addSegment(Segment segment) {
    segments_.push_back(std::move(segment));
    didChange();
  }
  void setSegments(std::vector<Segment> segments);

  // -1 when none is selected.
  std::int64_t selectedSegment() const { return selected_; }
  // -1 clears; any other index outside the segments is refused (false).
  bool setSelectedSegment(std::int64_t index);

  bool isEnabledForSegment(std::int64_t index) const;
  void setEnabledForSegment(std::int64_t index, bool enabled);

 private:
  std::vector<Segment> segments_;
  std::int64_t selected_ = -1;
};

}  // namespace toolkit
