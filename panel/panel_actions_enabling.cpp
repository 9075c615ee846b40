// Enabling rules (<stem>HiliteControl): each evaluates one dimming condition
// and applies it to all of its option's controls, after its item rules.
#include "VemraPrintPdeLX4200CO.h"
#include "control_categories.h"
#include "panel_actions_terms.h"

using namespace panel_terms;

namespace {

// Dims (true) or enables (false) every present control, in the order given.
template <typename... Controls>
void hiliteAll(bool dim, const Controls&... controls) {
  (myLX4200COHilite(controls, dim), ...);
}

// Sets the enabled flag of the popup's last item; nothing for an empty popup.
void enableLastItem(const std::shared_ptr<toolkit::PopUpButton>& popup, bool enabled) {
  if (popup && popup->numberOfItems() > 0) popup->setItemEnabled(popup->numberOfItems() - 1, enabled);
}

}  // namespace

void VemraPrintPdeLX4200CO::colorSyncHiliteControl() { hiliteAll(lockIsOn(*this), colorSyncCB); }

void VemraPrintPdeLX4200CO::colorModeHiliteControl() { hiliteAll(lockIsOn(*this), colorModeTitle, colorModePopup); }

void VemraPrintPdeLX4200CO::printPriorityHiliteControl() {
  hiliteAll(lockIsOn(*this) || tonerSaveIsOn(*this), printPriorityTitle, printPriorityPopup);
}

void VemraPrintPdeLX4200CO::imageTypeHiliteControl() {
  const bool dim = lockIsOn(*this) || colorSyncIsOn(*this) || colorModeIs2(*this) || tonerSaveIsOn(*this);
  hiliteAll(dim, imageTypeTitle, imageTypePopup);
}

void VemraPrintPdeLX4200CO::neutralGrayHiliteControl() {
  hiliteAll(lockIsOn(*this), neutralGrayTitle, neutralGrayPopup, neutralGrayLeftTitle, neutralGraySlider,
            neutralGrayRightTitle);
}

void VemraPrintPdeLX4200CO::pureBlackPrintHiliteControl() {
  hiliteAll(lockIsOn(*this), pureBlackPrintCB, pureBlackPrintTitle, pureBlackPrintLeftTitle, pureBlackPrintSlider,
            pureBlackPrintRightTitle);
}

void VemraPrintPdeLX4200CO::blackOverprintHiliteControl() {
  hiliteAll(lockIsOn(*this) || imageTypeIsPreset(*this), blackOverprintCB);
}

void VemraPrintPdeLX4200CO::tonerSaveHiliteControl() { hiliteAll(lockIsOn(*this) || colorSyncIsOn(*this), tonerSaveCB); }

void VemraPrintPdeLX4200CO::sourceProfileHiliteControl() {
  enableLastItem(sourceProfilePopup, CheckHardDisk());
  hiliteAll(lockIsOn(*this) || imageTypeIsPreset(*this), sourceProfileTitle, sourceProfilePopup);
}

void VemraPrintPdeLX4200CO::renderingIntentHiliteControl() {
  if (!renderingIntentPopup) return;
  const bool dim = imageTypeIsPreset(*this) || lockIsOn(*this) || sourceProfileIs0(*this);
  hiliteAll(dim, renderingIntentTitle, renderingIntentPopup);
}

void VemraPrintPdeLX4200CO::outputProfileHiliteControl() {
  const bool hasHardDisk = CheckHardDisk();
  if (!hasHardDisk) enableLastItem(outputProfilePopup, false);
  // Items 0, 1 and 2 by image type; every row but the open one also dims the
  // whole control when there is no hard disk.
  bool items[3] = {true, true, true};
  bool openRow = false;
  if (!imageTypePopup) {
    items[1] = items[2] = false;
  } else {
    switch (imageTypeK(*this)) {
      case 0:
      case 3:
      case 5:
        items[1] = items[2] = false;
        break;
      case 2:
      case 4:
        items[0] = items[2] = false;
        break;
      case 1:
        items[0] = items[1] = false;
        break;
      default:  // 6 or more, or no selection
        openRow = true;
        break;
    }
  }
  if (outputProfilePopup) {
    for (std::int64_t i = 0; i < 3; ++i) outputProfilePopup->setItemEnabled(i, items[i]);
  }
  const bool dim = lockIsOn(*this) || colorSyncIsOn(*this) || (!openRow && !hasHardDisk);
  hiliteAll(dim, outputProfileTitle, outputProfilePopup);
}

void VemraPrintPdeLX4200CO::cmykoutputProfileHiliteControl() {
  hiliteAll(lockIsOn(*this) || cmykSimulationIsOff(*this), cmykoutputProfileTitle, cmykoutputProfilePopup);
}

void VemraPrintPdeLX4200CO::screeningHiliteControl() { hiliteAll(lockIsOn(*this), screeningTitle, screeningPopup); }

void VemraPrintPdeLX4200CO::cmykSimulationHiliteControl() {
  hiliteAll(lockIsOn(*this) || imageTypeIsPreset(*this), cmykSimulationCB);
}

void VemraPrintPdeLX4200CO::simulationProfileHiliteControl() {
  enableLastItem(simulationProfilePopup, CheckHardDisk());
  hiliteAll(lockIsOn(*this) || cmykSimulationIsOff(*this), simulationProfileTitle, simulationProfilePopup);
}

void VemraPrintPdeLX4200CO::trappingHiliteControl() {
  hiliteAll(lockIsOn(*this) || printPriorityIs0(*this), trappingCB, trappingTitle, trappingPopup);
}

void VemraPrintPdeLX4200CO::sharpnessHiliteControl() {
  hiliteAll(lockIsOn(*this) || printPriorityIs0(*this), sharpnessTitle, sharpnessPopup);
}

void VemraPrintPdeLX4200CO::preservepurecmykcolorsHiliteControl() {
  if (preservepurecmykcolorsCB && preservepurecmykcolorsCB->state() == toolkit::kOnState) {
    enableLastItem(simulationProfilePopup, false);
    // A plain selection: the simulation profile's handler does not run.
    if (simulationProfilePopup && simulationProfilePopup->indexOfSelectedItem() == 4)
      simulationProfilePopup->selectItemAtIndex(0);
  } else {
    enableLastItem(simulationProfilePopup, true);
  }
}

void VemraPrintPdeLX4200CO::fullEnablingRefresh() {
  colorSyncHiliteControl();
  colorModeHiliteControl();
  printPriorityHiliteControl();
  imageTypeHiliteControl();
  neutralGrayHiliteControl();
  pureBlackPrintHiliteControl();
  blackOverprintHiliteControl();
  tonerSaveHiliteControl();
  sourceProfileHiliteControl();
  renderingIntentHiliteControl();
  outputProfileHiliteControl();
  cmykoutputProfileHiliteControl();
  screeningHiliteControl();
  cmykSimulationHiliteControl();
  simulationProfileHiliteControl();
  trappingHiliteControl();
  sharpnessHiliteControl();
}
