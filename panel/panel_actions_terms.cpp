#include "panel_actions_terms.h"

#include "VemraPrintPdeLX4200CO.h"
#include "control_categories.h"

namespace panel_terms {

namespace {

bool isOn(const std::shared_ptr<toolkit::Button>& box) { return box && box->state() == toolkit::kOnState; }

bool selects(const std::shared_ptr<toolkit::PopUpButton>& popup, std::int64_t index) {
  return popup && popup->indexOfSelectedItem() == index;
}

}  // namespace

bool lockIsOn(const VemraPrintPdeLX4200CO& panel) { return isOn(panel.saveSettingsButton); }
bool colorSyncIsOn(const VemraPrintPdeLX4200CO& panel) { return isOn(panel.colorSyncCB); }
bool colorModeIs2(const VemraPrintPdeLX4200CO& panel) { return selects(panel.colorModePopup, 2); }
bool tonerSaveIsOn(const VemraPrintPdeLX4200CO& panel) { return isOn(panel.tonerSaveCB); }
bool printPriorityIs0(const VemraPrintPdeLX4200CO& panel) { return selects(panel.printPriorityPopup, 0); }
bool sourceProfileIs0(const VemraPrintPdeLX4200CO& panel) { return selects(panel.sourceProfilePopup, 0); }

bool imageTypeIsPreset(const VemraPrintPdeLX4200CO& panel) {
  const auto& popup = panel.imageTypePopup;
  if (!popup) return false;
  // An empty popup selects -1, which is also the index of its (missing) last item.
  return popup->indexOfSelectedItem() != popup->numberOfItems() - 1;
}

bool cmykSimulationIsOff(const VemraPrintPdeLX4200CO& panel) {
  return panel.cmykSimulationCB && panel.cmykSimulationCB->state() == toolkit::kOffState;
}

std::uint64_t imageTypeK(const VemraPrintPdeLX4200CO& panel) {
  if (!panel.imageTypePopup) return static_cast<std::uint64_t>(-1);
  return static_cast<std::uint64_t>(panel.imageTypePopup->indexOfSelectedItem());
}

bool canForceItem(const toolkit::PopUpButton* popup, std::int64_t index) {
  return popup && index >= 0 && index < popup->numberOfItems();
}

bool forceItem(const std::shared_ptr<toolkit::PopUpButton>& popup, std::int64_t index, std::int64_t* field) {
  if (!canForceItem(popup, index)) return false;
  if (field) *field = index;
  myLX4200SelectItemAtIndex(popup, index);
  return true;
}

}  // namespace panel_terms
