// Panels for the tests of the handlers, rules and presets: over the bundle as
// built (the real "Color6" layout and the sample description), or over a test
// layout with some controls left out, filled and brought to a known state.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <nlohmann/json.hpp>
#include <set>
#include <string>

#include "VemraPrintPdeLX4200CO.h"
#include "panel_rig.h"

namespace actiontest {

using paneltest::Panel;

// A shown panel (its view loaded): over the built bundle, or over a bundle
// with the given layout and a description written by the test.
class PanelRig : public paneltest::PanelRig {
 public:
  PanelRig();
  PanelRig(const testppd::Description& description, const nlohmann::json& layout);
};

// A rig over the nine-option test description and the test layout without
// the named outlets.
std::unique_ptr<PanelRig> testLayoutRig(const std::set<std::string>& leaveOut = {});

// A calm state in which no forcing condition holds: lock off, colour sync
// off, colour mode 0, toner save off, print priority 1, image type custom
// (its last item), source profile 1, CMYK simulation on, every other choice
// 0; shown through updateUI, which ends with the full enabling refresh.
void calmState(Panel& panel);

// What a person does: pick a popup item (select it, then its action is
// sent), click a checkbox (flip it, then its action), move a slider.
void pick(const std::shared_ptr<toolkit::PopUpButton>& popup, std::int64_t index);
void click(const std::shared_ptr<toolkit::Button>& button);
void slide(const std::shared_ptr<toolkit::Slider>& slider, std::int64_t value);

// Whether a control is dimmed: a label is grey, any other control disabled.
bool dimmed(const toolkit::View* view);
template <typename T>
bool dimmed(const std::shared_ptr<T>& view) {
  return dimmed(static_cast<const toolkit::View*>(view.get()));
}

// Whether a person can pick the popup's item (its own flag counts only when
// the popup does not enable its items automatically).
bool itemEnabled(const std::shared_ptr<toolkit::PopUpButton>& popup, std::int64_t index);

// The panel's fields and a description of every connected control by outlet
// name: what a person sees and what the job would carry.
nlohmann::json wholeState(const Panel& panel);

// Sets a checkbox state plainly (no handler runs).
void setState(const std::shared_ptr<toolkit::Button>& button, std::int64_t state);
// Selects a popup item plainly (no handler runs).
void setSelection(const std::shared_ptr<toolkit::PopUpButton>& popup, std::int64_t index);

}  // namespace actiontest
