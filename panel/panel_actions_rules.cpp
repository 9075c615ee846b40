// Forcing rules (<stem>Control): move an option's control to the value the
// other settings require. A select-and-fire runs the popup's handler, and with
// it that handler's own rules, before the rule returns.
#include "VemraPrintPdeLX4200CO.h"
#include "panel_actions_terms.h"

using namespace panel_terms;

void VemraPrintPdeLX4200CO::printPriorityControl() {
  if (tonerSaveIsOn(*this)) forceItem(printPriorityPopup, 1);
}

void VemraPrintPdeLX4200CO::imageTypeControl() {
  if (colorSyncIsOn(*this) || colorModeIs2(*this) || tonerSaveIsOn(*this)) forceItem(imageTypePopup, 0);
}

void VemraPrintPdeLX4200CO::pureBlackPrintControl() {}

void VemraPrintPdeLX4200CO::tonerSaveControl() {
  if (!colorSyncIsOn(*this) || !tonerSaveCB) return;
  tonerSaveCB->setState(toolkit::kOffState);
  // The handler does not run, but the job must not keep a toner-save choice
  // the person no longer sees.
  tonerSaveChoice = toolkit::kOffState;
}

void VemraPrintPdeLX4200CO::sourceProfileControl() {
  if (imageTypeIsPreset(*this)) forceItem(sourceProfilePopup, 3, &sourceProfileChoice);
}

void VemraPrintPdeLX4200CO::renderingIntentControl() {
  if (renderingIntentPopup && imageTypeIsCustom(*this) && sourceProfileIs0(*this))
    forceItem(renderingIntentPopup, 0, &renderingIntentChoice);
}

void VemraPrintPdeLX4200CO::outputProfileControl() {
  if (!(tonerSaveIsOn(*this) || colorModeIs2(*this) || colorSyncIsOn(*this))) return;
  if (outputProfilePopup && outputProfilePopup->indexOfSelectedItem() != 0)
    forceItem(outputProfilePopup, 0, &outputProfileChoice);
}

void VemraPrintPdeLX4200CO::cmykoutputProfileControl() {
  if (cmykSimulationIsOff(*this) && cmykoutputProfilePopup && cmykoutputProfilePopup->indexOfSelectedItem() != 0)
    forceItem(cmykoutputProfilePopup, 0, &cmykoutputProfileChoice);
}

void VemraPrintPdeLX4200CO::screeningControl() {
  // The handler records the index.
  if (tonerSaveIsOn(*this) && screeningPopup && screeningPopup->indexOfSelectedItem() != 0)
    forceItem(screeningPopup, 0);
}

void VemraPrintPdeLX4200CO::simulationProfileControl() {
  if (cmykSimulationIsOff(*this)) forceItem(simulationProfilePopup, 0);
}

void VemraPrintPdeLX4200CO::trappingControl() {
  if (!printPriorityIs0(*this)) return;
  if (trappingCB) {
    trappingCB->setState(toolkit::kOffState);
    // Keeps trappingChoice on what the trapping controls show, also when the
    // popup is absent or cannot take item 2 and so no handler records it.
    recordTrappingChoice();
  }
  forceItem(trappingPopup, 2);
}

void VemraPrintPdeLX4200CO::sharpnessControl() {
  if (printPriorityIs0(*this)) forceItem(sharpnessPopup, 0);
}
