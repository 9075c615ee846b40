// The condition terms the forcing and enabling rules are built from, and the
// guarded select-and-fire every forcing step goes through. Each term reads the
// controls afresh; an absent control makes its term false, except that an
// absent image-type popup counts as custom.
#pragma once

#include <cstdint>
#include <memory>

#include "toolkit/controls.h"

class VemraPrintPdeLX4200CO;

namespace panel_terms {

bool lockIsOn(const VemraPrintPdeLX4200CO& panel);
bool colorSyncIsOn(const VemraPrintPdeLX4200CO& panel);
bool colorModeIs2(const VemraPrintPdeLX4200CO& panel);
bool tonerSaveIsOn(const VemraPrintPdeLX4200CO& panel);
bool printPriorityIs0(const VemraPrintPdeLX4200CO& panel);
// Preset: the popup is present and its selected item is not its last item. An
// empty popup has neither, which counts as the same item (custom); a popup with
// items but no selection is preset.
bool imageTypeIsPreset(const VemraPrintPdeLX4200CO& panel);
inline bool imageTypeIsCustom(const VemraPrintPdeLX4200CO& panel) { return !imageTypeIsPreset(panel); }
bool sourceProfileIs0(const VemraPrintPdeLX4200CO& panel);
bool cmykSimulationIsOff(const VemraPrintPdeLX4200CO& panel);
// The image type's selected index read as unsigned: no selection (-1) is
// larger than every index a rule names. Only meaningful with the popup present.
std::uint64_t imageTypeK(const VemraPrintPdeLX4200CO& panel);

// Whether a forcing step may select `index` on `popup`: the popup is present
// and has an item there. A forced index past the last item is not applied at
// all: the step then leaves the popup, the current-choice field and the
// handler alone, so the field keeps matching what the popup shows.
bool canForceItem(const toolkit::PopUpButton* popup, std::int64_t index);
inline bool canForceItem(const std::shared_ptr<toolkit::PopUpButton>& popup, std::int64_t index) {
  return canForceItem(popup.get(), index);
}

// Select-and-fire through myLX4200SelectItemAtIndex when the item exists; the
// field, when given, is stored just before the selection. Answers whether the
// step was applied.
bool forceItem(const std::shared_ptr<toolkit::PopUpButton>& popup, std::int64_t index,
               std::int64_t* field = nullptr);

}  // namespace panel_terms
