#include <algorithm>

#include "toolkit/controls.h"

namespace toolkit {

bool Control::sendActionTo(std::string_view action, ActionTarget* target) {
  if (target == nullptr || action.empty()) return false;
  return target->performAction(action, this);
}

bool Button::performClick() {
  if (!isEnabled()) return false;
  if (type_ != ButtonType::push) setState(state_ == kOffState ? kOnState : kOffState);
  sendAction();
  return true;
}

MenuItem* PopUpButton::itemAtIndex(std::int64_t index) {
  if (index < 0 || index >= numberOfItems()) return nullptr;
  return &items_[static_cast<std::size_t>(index)];
}

const MenuItem* PopUpButton::itemAtIndex(std::int64_t index) const {
  if (index < 0 || index >= numberOfItems()) return nullptr;
  return &items_[static_cast<std::size_t>(index)];
}

void PopUpButton::addItem(MenuItem item) {
  items_.push_back(std::move(item));
  if (selected_ < 0 && items_.size() == 1) selected_ = 0;
  didChange();
}

void PopUpButton::removeAllItems() {
  items_.clear();
  selected_ = -1;
  didChange();
}

void PopUpButton::removeItemAtIndex(std::int64_t index) {
  if (index < 0 || index >= numberOfItems()) return;
  items_.erase(items_.begin() + index);
  if (selected_ == index) {
    selected_ = items_.empty() ? -1 : 0;
  } else if (selected_ > index) {
    --selected_;
  }
  didChange();
}

std::string PopUpButton::titleOfSelectedItem() const {
  const MenuItem* item = selectedItem();
  return item != nullptr ? item->title : std::string();
}

bool PopUpButton::selectItemAtIndex(std::int64_t index) {
  if (index < -1 || index >= numberOfItems()) return false;
  selected_ = index;
  didChange();
  return true;
}

bool PopUpButton::isItemEnabled(std::int64_t index) const {
  const MenuItem* item = itemAtIndex(index);
  if (item == nullptr) return false;
  return autoenablesItems_ || item->enabled;
}

void PopUpButton::setItemEnabled(std::int64_t index, bool enabled) {
  if (MenuItem* item = itemAtIndex(index)) {
    item->enabled = enabled;
    didChange();
  }
}

void Slider::setRange(double minValue, double maxValue) {
  if (minValue > maxValue) std::swap(minValue, maxValue);
  min_ = minValue;
  max_ = maxValue;
  setDoubleValue(value_);
}

void Slider::setDoubleValue(double value) {
  // NaN compares false both ways; it becomes the lower end.
  if (!(value >= min_)) value = min_;
  if (value > max_) value = max_;
  value_ = value;
  didChange();
}

void SegmentedControl::setSegments(std::vector<Segment> segments) {
  segments_ = std::move(segments);
  if (selected_ >= segmentCount()) selected_ = -1;
  didChange();
}

bool SegmentedControl::setSelectedSegment(std::int64_t index) {
  if (index < -1 || index >= segmentCount()) return false;
  selected_ = index;
  didChange();
  return true;
}

bool SegmentedControl::isEnabledForSegment(std::int64_t index) const {
  if (index < 0 || index >= segmentCount()) return false;
  return segments_[static_cast<std::size_t>(index)].enabled;
}

void SegmentedControl::setEnabledForSegment(std::int64_t index, bool enabled) {
  if (index < 0 || index >= segmentCount()) return;
  segments_[static_cast<std::size_t>(index)].enabled = enabled;
  didChange();
}

}  // namespace toolkit
