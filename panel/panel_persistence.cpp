// The panel's entries in the job's print settings.
// NOT BUILT YET: the bodies are empty until persistence is written; restore
// and save already call them.
#include "VemraPrintPdeLX4200CO.h"

void VemraPrintPdeLX4200CO::writeNonPPDSettingsToPrintSettings() {}

void VemraPrintPdeLX4200CO::getNonPPDSettingsFromPrintSettings() {}
