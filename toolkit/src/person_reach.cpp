#include "toolkit/person_reach.h"

#include <cmath>

#include "toolkit/control.h"
#include "toolkit/tab_view.h"

namespace toolkit {

std::optional<Obstacle> whyUnreachable(const View& view, const View* shown) {
  using Kind = Obstacle::Kind;
  if (shown == nullptr) return Obstacle{Kind::notShown, {}};
  const View* child = nullptr;
  for (const View* at = &view; at != nullptr; child = at, at = at->superview()) {
    if (at->isHidden()) return Obstacle{at == &view ? Kind::hidden : Kind::insideHiddenView, {}};
    if (child != nullptr && at->kind() == ViewKind::tabView) {
      const auto& tabs = static_cast<const TabView&>(*at);
      for (std::int64_t i = 0; i < tabs.numberOfTabViewItems(); ++i) {
        const TabViewItem* item = tabs.tabViewItemAtIndex(i);
        if (&item->view() == child && item != tabs.selectedTabViewItem())
          return Obstacle{Kind::onUnselectedTab, item->identifier()};
      }
    }
    if (at == shown) return std::nullopt;
  }
  return Obstacle{Kind::outsideShownView, {}};
}

std::optional<Obstacle> whyUnusable(const View& view, const View* shown) {
  if (auto obstacle = whyUnreachable(view, shown)) return obstacle;
  const auto* control = dynamic_cast<const Control*>(&view);
  if (control != nullptr && !control->isEnabled()) return Obstacle{Obstacle::Kind::disabled, {}};
  return std::nullopt;
}

std::optional<PickRefusal> whyNotPickable(const PopUpButton& popup, std::int64_t index) {
  if (index < 0 || index >= popup.numberOfItems()) return PickRefusal::noSuchEntry;
  if (!popup.isItemEnabled(index)) return PickRefusal::entryDisabled;
  return std::nullopt;
}

std::optional<PickRefusal> whyNotPickable(const SegmentedControl& control, std::int64_t index) {
  if (index < 0 || index >= control.segmentCount()) return PickRefusal::noSuchEntry;
  if (!control.isEnabledForSegment(index)) return PickRefusal::entryDisabled;
  return std::nullopt;
}

double TickMarks::step() const { return count > 1 ? (high - low) / static_cast<double>(count - 1) : 0; }

double TickMarks::at(std::int64_t index) const {
  return count > 1 ? low + (high - low) * static_cast<double>(index) / static_cast<double>(count - 1) : low;
}

std::int64_t TickMarks::nearestIndex(double value) const {
  const double s = step();
  return s > 0 ? std::llround((value - low) / s) : 0;
}

double TickMarks::nearest(double value) const {
  const double s = step();
  return s > 0 ? low + std::round((value - low) / s) * s : value;
}

bool TickMarks::holds(double value) const {
  const double s = step();
  if (count < 2) return true;
  const double steps = s > 0 ? (value - low) / s : 0;
  // Far below a whole step, so that rounding in the division is no refusal.
  return std::fabs(steps - std::round(steps)) <= 1e-9;
}

TickMarks tickMarks(const Slider& slider) {
  return {slider.minValue(), slider.maxValue(), slider.numberOfTickMarks()};
}

bool stopsOnlyAtTickMarks(const Slider& slider) {
  return slider.allowsTickMarkValuesOnly() && slider.numberOfTickMarks() > 1;
}

std::optional<SlideRefusal> whyNotSlidable(const Slider& slider, double value) {
  if (value < slider.minValue() || value > slider.maxValue()) return SlideRefusal::outOfRange;
  if (stopsOnlyAtTickMarks(slider) && !tickMarks(slider).holds(value)) return SlideRefusal::offTickMark;
  return std::nullopt;
}

std::int64_t valueAtPosition(const Slider& slider, double position) {
  if (stopsOnlyAtTickMarks(slider)) position = tickMarks(slider).nearest(position);
  return static_cast<std::int64_t>(std::llround(position));
}

}  // namespace toolkit
