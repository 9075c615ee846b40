// What a person can do with a shown panel and nothing more, as a print
// dialog allows it (toolkit/person_reach.h). Each call answers whether the
// action happened.
#pragma once

#include <cstdint>
#include <string>

#include "pde/plugin_protocol.h"
#include "toolkit/view.h"

namespace panelfuzz {

class Person {
 public:
  // `shown` is the view the host got from panelView (null: nothing shown).
  Person(pde::Panel& panel, toolkit::View* shown) : panel_(panel), shown_(shown) {}

  // The `pick`-th control of that kind among the panel's outlets (modulo
  // their number), or null when there is none.
  toolkit::View* nthOutlet(toolkit::ViewKind kind, std::uint8_t pick) const;

  bool selectItem(toolkit::View* popup, std::int64_t index);
  bool click(toolkit::View* button);
  bool slide(toolkit::View* slider, std::int64_t value);
  bool segment(toolkit::View* control, std::int64_t index);
  // Clicks the tab with that identifier on the panel's tab view (the one
  // named mainTabView, else the first listed).
  bool tab(const std::string& identifier);
  // The identifiers of the panel's tab view's items, for drawing one.
  std::string tabIdentifier(std::uint8_t pick) const;

 private:
  toolkit::View* tabView() const;
  bool usable(toolkit::View* view, toolkit::ViewKind kind) const;

  pde::Panel& panel_;
  toolkit::View* shown_;
};

}  // namespace panelfuzz
