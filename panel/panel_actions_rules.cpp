// Forcing rules (<stem>Control) and enabling rules (<stem>HiliteControl).
// NOT BUILT YET: every body below is empty until the rules are written; their
// call sites (updateUI, the handlers) are in place.
#include "VemraPrintPdeLX4200CO.h"

void VemraPrintPdeLX4200CO::printPriorityControl() {}
void VemraPrintPdeLX4200CO::imageTypeControl() {}
void VemraPrintPdeLX4200CO::pureBlackPrintControl() {}
void VemraPrintPdeLX4200CO::tonerSaveControl() {}
void VemraPrintPdeLX4200CO::sourceProfileControl() {}
void VemraPrintPdeLX4200CO::renderingIntentControl() {}
void VemraPrintPdeLX4200CO::outputProfileControl() {}
void VemraPrintPdeLX4200CO::cmykoutputProfileControl() {}
void VemraPrintPdeLX4200CO::screeningControl() {}
void VemraPrintPdeLX4200CO::simulationProfileControl() {}
void VemraPrintPdeLX4200CO::trappingControl() {}
void VemraPrintPdeLX4200CO::sharpnessControl() {}

void VemraPrintPdeLX4200CO::colorSyncHiliteControl() {}
void VemraPrintPdeLX4200CO::colorModeHiliteControl() {}
void VemraPrintPdeLX4200CO::printPriorityHiliteControl() {}
void VemraPrintPdeLX4200CO::imageTypeHiliteControl() {}
void VemraPrintPdeLX4200CO::neutralGrayHiliteControl() {}
void VemraPrintPdeLX4200CO::pureBlackPrintHiliteControl() {}
void VemraPrintPdeLX4200CO::blackOverprintHiliteControl() {}
void VemraPrintPdeLX4200CO::tonerSaveHiliteControl() {}
void VemraPrintPdeLX4200CO::sourceProfileHiliteControl() {}
void VemraPrintPdeLX4200CO::renderingIntentHiliteControl() {}
void VemraPrintPdeLX4200CO::outputProfileHiliteControl() {}
void VemraPrintPdeLX4200CO::cmykoutputProfileHiliteControl() {}
void VemraPrintPdeLX4200CO::screeningHiliteControl() {}
void VemraPrintPdeLX4200CO::cmykSimulationHiliteControl() {}
void VemraPrintPdeLX4200CO::simulationProfileHiliteControl() {}
void VemraPrintPdeLX4200CO::trappingHiliteControl() {}
void VemraPrintPdeLX4200CO::sharpnessHiliteControl() {}
void VemraPrintPdeLX4200CO::preservepurecmykcolorsHiliteControl() {}
