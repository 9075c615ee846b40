// The colour preset: each image-type item but the last (custom) stands for a
// fixed set of dependent option values, applied by position.
#include <array>
#include <cstdint>
#include <optional>

#include "VemraPrintPdeLX4200CO.h"
#include "panel_actions_terms.h"

namespace {

struct PresetRow {
  std::int64_t sourceProfile;
  // The output profile moves to `outputProfile` only while the stored choice
  // is one of the two `outputProfileFrom` values.
  std::int64_t outputProfile;
  std::array<std::int64_t, 2> outputProfileFrom;
  std::int64_t renderingIntent;
};

// Rows by image-type item; every row also turns black overprint on and CMYK
// simulation off. Item 0 is also the row used when there is no popup.
constexpr std::array<PresetRow, 6> kPresetRows = {{
    {3, 0, {1, 2}, 0},  // 0
    {3, 2, {0, 1}, 0},  // 1
    {3, 1, {0, 2}, 0},  // 2
    {3, 0, {1, 2}, 0},  // 3
    {3, 1, {0, 2}, 1},  // 4
    {3, 0, {1, 2}, 1},  // 5
}};

std::optional<PresetRow> presetRowFor(const VemraPrintPdeLX4200CO& panel) {
  if (!panel.imageTypePopup) return kPresetRows[0];
  const std::uint64_t k = panel_terms::imageTypeK(panel);  // no selection reads as past every row
  if (k >= kPresetRows.size()) return std::nullopt;
  return kPresetRows[k];
}

}  // namespace

void VemraPrintPdeLX4200CO::setColorSettingValueCondor() {
  using panel_terms::forceItem;
  // Each step runs the handler of the control it selects before the next step.
  if (const std::optional<PresetRow> row = presetRowFor(*this)) {
    forceItem(sourceProfilePopup, row->sourceProfile, &sourceProfileChoice);
    // The stored choice decides, not the popup's selection; -1 never matches.
    if (outputProfileChoice == row->outputProfileFrom[0] || outputProfileChoice == row->outputProfileFrom[1])
      forceItem(outputProfilePopup, row->outputProfile, &outputProfileChoice);
    forceItem(renderingIntentPopup, row->renderingIntent, &renderingIntentChoice);
    if (blackOverprintCB) {
      blackOverprintCB->setState(toolkit::kOnState);
      blackOverprintProc(blackOverprintCB.get());
    }
    if (cmykSimulationCB) {
      cmykSimulationChoice = 0;
      cmykSimulationCB->setState(toolkit::kOffState);
      if (preservepurecmykcolorsCB) preservepurecmykcolorsCB->setState(cmykSimulationChoice);
      cmykSimulationProc(cmykSimulationCB.get());
    }
  }
  neutralGrayHiliteControl();
  pureBlackPrintControl();
  pureBlackPrintHiliteControl();
  blackOverprintHiliteControl();
  sourceProfileControl();
  sourceProfileHiliteControl();
  renderingIntentControl();
  renderingIntentHiliteControl();
  outputProfileHiliteControl();
  cmykoutputProfileHiliteControl();
  screeningHiliteControl();
  cmykSimulationHiliteControl();
  simulationProfileHiliteControl();
  trappingHiliteControl();
  sharpnessHiliteControl();
}
