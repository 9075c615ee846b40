// Colour-setting presets applied when the image type changes.
// NOT BUILT YET: the body is empty until the presets are written.
#include "VemraPrintPdeLX4200CO.h"

void VemraPrintPdeLX4200CO::setColorSettingValueCondor() {}
