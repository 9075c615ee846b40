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

#define PANEL_OUTLET(field, name)                                                                           \
  OutletEntry {                                                                                            \
    name, [](Panel& p, const std::shared_ptr<toolkit::View>& v) { return connectTyped(p.field, v); },      \
        [](const Panel& p) -> toolkit::View* { return p.field.get(); }                                     \
  }

const std::vector<OutletEntry>& outletTable() {
  static const std::vector<OutletEntry> table = {
      PANEL_OUTLET(panelView_, "panelView"),
      PANEL_OUTLET(saveSettingsButton, "saveSettingsButton"),
      PANEL_OUTLET(saveSettingsTitle, "saveSettingsTitle"),
      PANEL_OUTLET(mainTabView, "mainTabView"),
      PANEL_OUTLET(colorSyncCB, "colorSyncCB"),
      PANEL_OUTLET(colorModeTitle, "colorModeTitle"),
      PANEL_OUTLET(colorModePopup, "colorModePopup"),
      PANEL_OUTLET(printPriorityTitle, "printPriorityTitle"),
      PANEL_OUTLET(printPriorityPopup, "printPriorityPopup"),
      PANEL_OUTLET(imageTypeTitle, "imageTypeTitle"),
      PANEL_OUTLET(imageTypePopup, "imageTypePopup"),
      PANEL_OUTLET(neutralGrayTitle, "neutralGrayTitle"),
      PANEL_OUTLET(neutralGrayPopup, "neutralGrayPopup"),
      PANEL_OUTLET(neutralGrayLeftTitle, "neutralGrayLeftTitle"),
      PANEL_OUTLET(neutralGraySlider, "neutralGraySlider"),
      PANEL_OUTLET(neutralGrayRightTitle, "neutralGrayRightTitle"),
      PANEL_OUTLET(pureBlackPrintCB, "pureBlackPrintCB"),
      PANEL_OUTLET(pureBlackPrintTitle, "pureBlackPrintTitle"),
      PANEL_OUTLET(pureBlackPrintLeftTitle, "pureBlackPrintLeftTitle"),
      PANEL_OUTLET(pureBlackPrintSlider, "pureBlackPrintSlider"),
      PANEL_OUTLET(pureBlackPrintRightTitle, "pureBlackPrintRightTitle"),
      PANEL_OUTLET(blackOverprintCB, "blackOverprintCB"),
      PANEL_OUTLET(tonerSaveCB, "tonerSaveCB"),
      PANEL_OUTLET(SmoothingCB, "SmoothingCB"),
      PANEL_OUTLET(sourceProfileTitle, "sourceProfileTitle"),
      PANEL_OUTLET(sourceProfilePopup, "sourceProfilePopup"),
      PANEL_OUTLET(renderingIntentTitle, "renderingIntentTitle"),
      PANEL_OUTLET(renderingIntentPopup, "renderingIntentPopup"),
      PANEL_OUTLET(outputProfileTitle, "outputProfileTitle"),
      PANEL_OUTLET(outputProfilePopup, "outputProfilePopup"),
      PANEL_OUTLET(cmykoutputProfileTitle, "cmykoutputProfileTitle"),
      PANEL_OUTLET(cmykoutputProfilePopup, "cmykoutputProfilePopup"),
      PANEL_OUTLET(screeningTitle, "screeningTitle"),
      PANEL_OUTLET(screeningPopup, "screeningPopup"),
      PANEL_OUTLET(cmykSimulationCB, "cmykSimulationCB"),
      PANEL_OUTLET(cmykSimulationBox, "cmykSimulationBox"),
      PANEL_OUTLET(simulationProfileTitle, "simulationProfileTitle"),
      PANEL_OUTLET(simulationProfilePopup, "simulationProfilePopup"),
      PANEL_OUTLET(trappingCB, "trappingCB"),
      PANEL_OUTLET(sharpnessTitle, "sharpnessTitle"),
      PANEL_OUTLET(sharpnessPopup, "sharpnessPopup"),
      PANEL_OUTLET(trappingTitle, "trappingTitle"),
      PANEL_OUTLET(trappingPopup, "trappingPopup"),
      PANEL_OUTLET(preservepurecmykcolorsCB, "preservepurecmykcolorsCB"),
      PANEL_OUTLET(sampleViewSelectControl, "sampleViewSelectControl"),
      PANEL_OUTLET(sampleView, "sampleView"),
      PANEL_OUTLET(colorAdjustmentCB, "colorAdjustmentCB"),
      PANEL_OUTLET(colorAdjustmentBox, "colorAdjustmentBox"),
      PANEL_OUTLET(hueTitle, "hueTitle"),
      PANEL_OUTLET(hueSlider, "hueSlider"),
      PANEL_OUTLET(saturationTitle, "saturationTitle"),
      PANEL_OUTLET(saturationSlider, "saturationSlider"),
      PANEL_OUTLET(brightnessTitle, "brightnessTitle"),
      PANEL_OUTLET(brightnessSlider, "brightnessSlider"),
  };
  return table;
}

#undef PANEL_OUTLET

struct ActionEntry {
  const char* selector;
  void (Panel::*handler)(toolkit::View*);
};

const std::vector<ActionEntry>& actionTable() {
  static const std::vector<ActionEntry> table = {
      {"saveSettingsProc:", &Panel::saveSettingsProc},
      {"colorSyncProc:", &Panel::colorSyncProc},
      {"colorModeProc:", &Panel::colorModeProc},
      {"printPriorityProc:", &Panel::printPriorityProc},
      {"imageTypeProc:", &Panel::imageTypeProc},
      {"neutralGrayProc:", &Panel::neutralGrayProc},
      {"neutralGraySliderProc:", &Panel::neutralGraySliderProc},
      {"pureBlackPrintProc:", &Panel::pureBlackPrintProc},
      {"pureBlackPrintSliderProc:", &Panel::pureBlackPrintSliderProc},
      {"blackOverprintProc:", &Panel::blackOverprintProc},
      {"tonerSaveProc:", &Panel::tonerSaveProc},
      {"SmoothingProc:", &Panel::SmoothingProc},
      {"sourceProfileProc:", &Panel::sourceProfileProc},
      {"renderingIntentProc:", &Panel::renderingIntentProc},
      {"outputProfileProc:", &Panel::outputProfileProc},
      {"cmykoutputProfileProc:", &Panel::cmykoutputProfileProc},
      {"screeningProc:", &Panel::screeningProc},
      {"cmykSimulationProc:", &Panel::cmykSimulationProc},
      {"preservepurecmykcolorsProc:", &Panel::preservepurecmykcolorsProc},
      {"simulationProfileProc:", &Panel::simulationProfileProc},
      {"trappingProc:", &Panel::trappingProc},
      {"sharpnessProc:", &Panel::sharpnessProc},
      {"sampleViewProc:", &Panel::sampleViewProc},
      {"hueProc:", &Panel::hueProc},
      {"saturationProc:", &Panel::saturationProc},
      {"brightnessProc:", &Panel::brightnessProc},
      {"colorAdjustmentProc:", &Panel::colorAdjustmentProc},
  };
  return table;
}

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
