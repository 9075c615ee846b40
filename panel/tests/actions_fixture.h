// Panels for the tests of the handlers, rules and presets: over the bundle as
// built (the real "Color6" layout and the sample description), or over a test
// layout with some controls left out, filled and brought to a known state.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <nlohmann/json.hpp>
#include <set>
#include <string>
#include <vector>

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

// A rig over the test layout without `leaveOut`, brought to the calm state.
std::unique_ptr<PanelRig> calmRig(const std::set<std::string>& leaveOut = {});

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

// A condition of the enabling and forcing rules, set plainly (no handler
// runs) on a calm panel. Plain function pointers keep the constants constant
// initialised, so tables in other files may copy them at start-up.
struct Condition {
  const char* name;
  void (*set)(Panel&);
};
inline constexpr Condition kLock{"the lock is on", [](Panel& p) { setState(p.saveSettingsButton, 1); }};
inline constexpr Condition kColorSync{"colour sync is on", [](Panel& p) { setState(p.colorSyncCB, 1); }};
inline constexpr Condition kColorMode2{"colour mode is 2", [](Panel& p) { setSelection(p.colorModePopup, 2); }};
inline constexpr Condition kTonerSave{"toner save is on", [](Panel& p) { setState(p.tonerSaveCB, 1); }};
inline constexpr Condition kPreset{"the image type is preset", [](Panel& p) { setSelection(p.imageTypePopup, 3); }};
inline constexpr Condition kSourceProfile0{"source profile is 0",
                                           [](Panel& p) { setSelection(p.sourceProfilePopup, 0); }};
inline constexpr Condition kSimulationOff{"CMYK simulation is off", [](Panel& p) { setState(p.cmykSimulationCB, 0); }};
inline constexpr Condition kPrintPriority0{"print priority is 0",
                                           [](Panel& p) { setSelection(p.printPriorityPopup, 0); }};

// Each named outlet is dimmed, or with `want` false, free to use.
void expectDimmed(const Panel& panel, const std::vector<std::string>& outlets, bool want = true);

// One value a person or the job sees: a JSON pointer into wholeState
// ("/panel/colorModeChoice", "/controls/imageTypePopup/enabled").
struct Seen {
  std::string pointer;
  nlohmann::json value;
};
void expectSeen(const nlohmann::json& state, const std::vector<Seen>& seen);
// The field `<option>Choice`.
Seen choice(const std::string& option, const nlohmann::json& value);
// The popup `<option>Popup` shows `index` and the field `<option>Choice` records it.
std::vector<Seen> chosen(const std::string& option, std::int64_t index);
// Whether a person can use the control (labels: see textColor).
Seen enabled(const std::string& outlet, bool value);
std::vector<Seen> operator+(std::vector<Seen> a, const std::vector<Seen>& b);

// Names each case of a table after its row's `name`, so that a failure names
// the rule.
struct RowName {
  template <typename Row>
  std::string operator()(const ::testing::TestParamInfo<Row>& info) const {
    return info.param.name;
  }
};

// A test over the whole test layout in the calm state; `p` is its panel.
class CalmPanel : public ::testing::Test {
 protected:
  CalmPanel();
  std::unique_ptr<PanelRig> rig;
  Panel& p;
};

}  // namespace actiontest
