#include "person.h"

#include <vector>

#include "toolkit/controls.h"
#include "toolkit/person_reach.h"
#include "toolkit/tab_view.h"

namespace panelfuzz {

toolkit::View* Person::nthOutlet(toolkit::ViewKind kind, std::uint8_t pick) const {
  std::vector<toolkit::View*> found;
  for (const auto& [name, view] : panel_.outlets()) {
    (void)name;
    if (view != nullptr && view->kind() == kind) found.push_back(view);
  }
  if (found.empty()) return nullptr;
  return found[pick % found.size()];
}

bool Person::usable(toolkit::View* view, toolkit::ViewKind kind) const {
  return view != nullptr && view->kind() == kind && !toolkit::whyUnusable(*view, shown_);
}

bool Person::selectItem(toolkit::View* view, std::int64_t index) {
  if (!usable(view, toolkit::ViewKind::popUpButton)) return false;
  auto* popup = static_cast<toolkit::PopUpButton*>(view);
  if (toolkit::whyNotPickable(*popup, index)) return false;
  popup->selectItemAtIndex(index);
  popup->sendAction();
  return true;
}

bool Person::click(toolkit::View* view) {
  if (!usable(view, toolkit::ViewKind::button)) return false;
  static_cast<toolkit::Button*>(view)->performClick();
  return true;
}

bool Person::slide(toolkit::View* view, std::int64_t value) {
  if (!usable(view, toolkit::ViewKind::slider)) return false;
  auto* slider = static_cast<toolkit::Slider*>(view);
  const double v = static_cast<double>(value);
  if (toolkit::whyNotSlidable(*slider, v)) return false;
  slider->setDoubleValue(v);
  slider->sendAction();
  return true;
}

bool Person::segment(toolkit::View* view, std::int64_t index) {
  if (!usable(view, toolkit::ViewKind::segmentedControl)) return false;
  auto* control = static_cast<toolkit::SegmentedControl*>(view);
  if (toolkit::whyNotPickable(*control, index)) return false;
  control->setSelectedSegment(index);
  control->sendAction();
  return true;
}

toolkit::View* Person::tabView() const {
  toolkit::View* first = nullptr;
  for (const auto& [name, view] : panel_.outlets()) {
    if (view == nullptr || view->kind() != toolkit::ViewKind::tabView) continue;
    if (name == "mainTabView") return view;
    if (first == nullptr) first = view;
  }
  return first;
}

std::string Person::tabIdentifier(std::uint8_t pick) const {
  auto* tabs = static_cast<toolkit::TabView*>(tabView());
  // One draw past the items names a tab that is not there.
  if (tabs == nullptr || pick % (tabs->numberOfTabViewItems() + 1) == tabs->numberOfTabViewItems()) return "none";
  return tabs->tabViewItemAtIndex(pick % (tabs->numberOfTabViewItems() + 1))->identifier();
}

bool Person::tab(const std::string& identifier) {
  toolkit::View* view = tabView();
  if (!usable(view, toolkit::ViewKind::tabView)) return false;
  auto* tabs = static_cast<toolkit::TabView*>(view);
  const std::int64_t index = tabs->indexOfTabViewItemWithIdentifier(identifier);
  if (index < 0) return false;
  tabs->clickTabViewItemAtIndex(index);
  return true;
}

}  // namespace panelfuzz
