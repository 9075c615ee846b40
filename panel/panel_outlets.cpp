// How a loaded layout meets the panel: its outlets by name, its actions by
// selector name.
#include <functional>

#include "VemraPrintPdeLX4200CO.h"

namespace {

using Panel = VemraPrintPdeLX4200CO;

struct OutletEntry {
  const char* name;
  std::function<bool(Panel&, const std::shared_ptr<toolkit::View>&)> connect;
  std::function<toolkit::View*(const Panel&)> get;
};

// Connects a view of the outlet's class (or clears the outlet for null).
template <typename T>
bool connectTyped(std::shared_ptr<T>& field, const std::shared_ptr<toolkit::View>& view) {
  if (!view) {
    field.reset();
    return true;
  }
  auto typed = std::dynamic_pointer_cast<T>(view);
  if (!typed) return false;
  field = std::move(typed);
  return true;
}

// An outlet is named as its field; only the top view's field differs.
#define PANEL_OUTLET_NAMED(field, name)                                                                     \
  OutletEntry {                                                                                            \
    name, [](Panel& p, const std::shared_ptr<toolkit::View>& v) { return connectTyped(p.field, v); },      \
        [](const Panel& p) -> toolkit::View* { return p.field.get(); }                                     \
  }
#define PANEL_OUTLET(field) PANEL_OUTLET_NAMED(field, #field)

const std::vector<OutletEntry>& outletTable() {
  static const std::vector<OutletEntry> table = {
      PANEL_OUTLET_NAMED(panelView_, "panelView"),
      PANEL_OUTLET(saveSettingsButton),
      PANEL_OUTLET(saveSettingsTitle),
      PANEL_OUTLET(mainTabView),
      PANEL_OUTLET(colorSyncCB),
      PANEL_OUTLET(colorModeTitle),
      PANEL_OUTLET(colorModePopup),
      PANEL_OUTLET(printPriorityTitle),
      PANEL_OUTLET(printPriorityPopup),
      PANEL_OUTLET(imageTypeTitle),
      PANEL_OUTLET(imageTypePopup),
      PANEL_OUTLET(neutralGrayTitle),
      PANEL_OUTLET(neutralGrayPopup),
      PANEL_OUTLET(neutralGrayLeftTitle),
      PANEL_OUTLET(neutralGraySlider),
      PANEL_OUTLET(neutralGrayRightTitle),
      PANEL_OUTLET(pureBlackPrintCB),
      PANEL_OUTLET(pureBlackPrintTitle),
      PANEL_OUTLET(pureBlackPrintLeftTitle),
      PANEL_OUTLET(pureBlackPrintSlider),
      PANEL_OUTLET(pureBlackPrintRightTitle),
      PANEL_OUTLET(blackOverprintCB),
      PANEL_OUTLET(tonerSaveCB),
      PANEL_OUTLET(SmoothingCB),
      PANEL_OUTLET(sourceProfileTitle),
      PANEL_OUTLET(sourceProfilePopup),
      PANEL_OUTLET(renderingIntentTitle),
      PANEL_OUTLET(renderingIntentPopup),
      PANEL_OUTLET(outputProfileTitle),
      PANEL_OUTLET(outputProfilePopup),
      PANEL_OUTLET(cmykoutputProfileTitle),
      PANEL_OUTLET(cmykoutputProfilePopup),
      PANEL_OUTLET(screeningTitle),
      PANEL_OUTLET(screeningPopup),
      PANEL_OUTLET(cmykSimulationCB),
      PANEL_OUTLET(cmykSimulationBox),
      PANEL_OUTLET(simulationProfileTitle),
      PANEL_OUTLET(simulationProfilePopup),
      PANEL_OUTLET(trappingCB),
      PANEL_OUTLET(sharpnessTitle),
      PANEL_OUTLET(sharpnessPopup),
      PANEL_OUTLET(trappingTitle),
      PANEL_OUTLET(trappingPopup),
      PANEL_OUTLET(preservepurecmykcolorsCB),
      PANEL_OUTLET(sampleViewSelectControl),
      PANEL_OUTLET(sampleView),
      PANEL_OUTLET(colorAdjustmentCB),
      PANEL_OUTLET(colorAdjustmentBox),
      PANEL_OUTLET(hueTitle),
      PANEL_OUTLET(hueSlider),
      PANEL_OUTLET(saturationTitle),
      PANEL_OUTLET(saturationSlider),
      PANEL_OUTLET(brightnessTitle),
      PANEL_OUTLET(brightnessSlider),
  };
  return table;
}

#undef PANEL_OUTLET
#undef PANEL_OUTLET_NAMED

struct ActionEntry {
  const char* selector;
  void (Panel::*handler)(toolkit::View*);
};

// An action is named by its handler's selector: the handler's name and a colon.
#define PANEL_ACTION(handler) \
  ActionEntry { #handler ":", &Panel::handler }

const std::vector<ActionEntry>& actionTable() {
  static const std::vector<ActionEntry> table = {
      PANEL_ACTION(saveSettingsProc),
      PANEL_ACTION(colorSyncProc),
      PANEL_ACTION(colorModeProc),
      PANEL_ACTION(printPriorityProc),
      PANEL_ACTION(imageTypeProc),
      PANEL_ACTION(neutralGrayProc),
      PANEL_ACTION(neutralGraySliderProc),
      PANEL_ACTION(pureBlackPrintProc),
      PANEL_ACTION(pureBlackPrintSliderProc),
      PANEL_ACTION(blackOverprintProc),
      PANEL_ACTION(tonerSaveProc),
      PANEL_ACTION(SmoothingProc),
      PANEL_ACTION(sourceProfileProc),
      PANEL_ACTION(renderingIntentProc),
      PANEL_ACTION(outputProfileProc),
      PANEL_ACTION(cmykoutputProfileProc),
      PANEL_ACTION(screeningProc),
      PANEL_ACTION(cmykSimulationProc),
      PANEL_ACTION(preservepurecmykcolorsProc),
      PANEL_ACTION(simulationProfileProc),
      PANEL_ACTION(trappingProc),
      PANEL_ACTION(sharpnessProc),
      PANEL_ACTION(sampleViewProc),
      PANEL_ACTION(hueProc),
      PANEL_ACTION(saturationProc),
      PANEL_ACTION(brightnessProc),
      PANEL_ACTION(colorAdjustmentProc),
  };
  return table;
}

#undef PANEL_ACTION

const ActionEntry* findAction(std::string_view selector) {
  for (const ActionEntry& entry : actionTable()) {
    if (selector == entry.selector) return &entry;
  }
  return nullptr;
}

}  // namespace

bool VemraPrintPdeLX4200CO::setOutlet(std::string_view name, const std::shared_ptr<toolkit::View>& view) {
  for (const OutletEntry& entry : outletTable()) {
    if (name == entry.name) return entry.connect(*this, view);
  }
  return false;
}

std::vector<std::pair<std::string, toolkit::View*>> VemraPrintPdeLX4200CO::outlets() const {
  std::vector<std::pair<std::string, toolkit::View*>> result;
  result.reserve(outletTable().size());
  for (const OutletEntry& entry : outletTable()) result.emplace_back(entry.name, entry.get(*this));
  return result;
}

bool VemraPrintPdeLX4200CO::performAction(std::string_view action, toolkit::View* sender) {
  const ActionEntry* entry = findAction(action);
  if (!entry) return false;
  (this->*(entry->handler))(sender);
  return true;
}

bool VemraPrintPdeLX4200CO::respondsToAction(std::string_view action) const { return findAction(action) != nullptr; }
