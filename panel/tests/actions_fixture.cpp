#include "actions_fixture.h"

#include <algorithm>
#include <stdexcept>

#include "toolkit/view_description.h"

namespace actiontest {

PanelRig::PanelRig() {
  if (panel) panel->panelView();
}

PanelRig::PanelRig(const testppd::Description& description, const nlohmann::json& layout)
    : paneltest::PanelRig(description, layout) {
  if (panel) panel->panelView();
}

std::unique_ptr<PanelRig> testLayoutRig(const std::set<std::string>& leaveOut) {
  return std::make_unique<PanelRig>(paneltest::nineOptions(), testbundle::color6Layout(leaveOut));
}

std::unique_ptr<PanelRig> calmRig(const std::set<std::string>& leaveOut) {
  auto rig = testLayoutRig(leaveOut);
  if (rig->panel) calmState(*rig->panel);
  return rig;
}

void calmState(Panel& p) {
  p.saveSettingsValue = 0;
  p.colorSyncChoice = 0;
  p.colorModeChoice = 0;
  p.printPriorityChoice = 1;
  p.imageTypeChoice = p.imageTypePopup ? p.imageTypePopup->numberOfItems() - 1 : 0;
  p.neutralGrayChoice = 0;
  p.pureBlackPrintChoice = 0;
  p.blackOverprintChoice = 0;
  p.tonerSaveChoice = 0;
  p.smoothingChoice = 0;
  p.sourceProfileChoice = 1;
  p.outputProfileChoice = 0;
  p.cmykoutputProfileChoice = 0;
  p.renderingIntentChoice = 0;
  p.screeningChoice = 0;
  p.cmykSimulationChoice = 1;
  p.preservepurecmykcolorChoice = 0;
  p.simulationProfileChoice = 0;
  p.trappingChoice = 0;
  p.sharpnessChoice = 0;
  p.updateUI();
}

void pick(const std::shared_ptr<toolkit::PopUpButton>& popup, std::int64_t index) {
  ASSERT_TRUE(popup);
  ASSERT_TRUE(popup->selectItemAtIndex(index)) << "no item " << index;
  popup->sendAction();
}

void click(const std::shared_ptr<toolkit::Button>& button) {
  ASSERT_TRUE(button);
  ASSERT_TRUE(button->performClick()) << "the button is disabled";
}

void slide(const std::shared_ptr<toolkit::Slider>& slider, std::int64_t value) {
  ASSERT_TRUE(slider);
  slider->setIntegerValue(value);
  slider->sendAction();
}

bool dimmed(const toolkit::View* view) {
  if (const auto* label = dynamic_cast<const toolkit::TextField*>(view))
    return label->textColor() == toolkit::Color::grey();
  if (const auto* control = dynamic_cast<const toolkit::Control*>(view)) return !control->isEnabled();
  ADD_FAILURE() << "not a control";
  return false;
}

bool itemEnabled(const std::shared_ptr<toolkit::PopUpButton>& popup, std::int64_t index) {
  return popup->isItemEnabled(index);
}

nlohmann::json wholeState(const Panel& panel) {
  nlohmann::json controls = nlohmann::json::object();
  for (const auto& [name, view] : panel.outlets()) {
    if (view) controls[name] = toolkit::describeView(*view);
  }
  return {{"panel", panel.stateSnapshot()}, {"controls", controls}};
}

void setState(const std::shared_ptr<toolkit::Button>& button, std::int64_t state) {
  ASSERT_TRUE(button);
  button->setState(state);
}

void setSelection(const std::shared_ptr<toolkit::PopUpButton>& popup, std::int64_t index) {
  ASSERT_TRUE(popup);
  ASSERT_TRUE(popup->selectItemAtIndex(index));
}

void expectDimmed(const Panel& panel, const std::vector<std::string>& outlets, bool want) {
  const auto connected = panel.outlets();
  for (const std::string& name : outlets) {
    const auto at = std::find_if(connected.begin(), connected.end(), [&](const auto& o) { return o.first == name; });
    if (at == connected.end() || at->second == nullptr) {
      ADD_FAILURE() << "no outlet " << name;
      continue;
    }
    EXPECT_EQ(dimmed(at->second), want) << name;
  }
}

void expectSeen(const nlohmann::json& state, const std::vector<Seen>& seen) {
  for (const Seen& s : seen) {
    const nlohmann::json::json_pointer at(s.pointer);
    if (!state.contains(at)) {
      ADD_FAILURE() << "nothing at " << s.pointer;
      continue;
    }
    EXPECT_EQ(state[at], s.value) << s.pointer;
  }
}

Seen choice(const std::string& option, const nlohmann::json& value) { return {"/panel/" + option + "Choice", value}; }

std::vector<Seen> chosen(const std::string& option, std::int64_t index) {
  return {{"/controls/" + option + "Popup/selectedIndex", index}, choice(option, index)};
}

Seen enabled(const std::string& outlet, bool value) { return {"/controls/" + outlet + "/enabled", value}; }

std::vector<Seen> operator+(std::vector<Seen> a, const std::vector<Seen>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

// The constructor cannot assert; a panel the rig could not make fails the
// test here instead of being dereferenced.
static Panel& panelOf(const PanelRig& rig) {
  if (!rig.panel) throw std::runtime_error("the test layout made no panel");
  return *rig.panel;
}

CalmPanel::CalmPanel() : rig(testLayoutRig()), p(panelOf(*rig)) { calmState(p); }

}  // namespace actiontest
