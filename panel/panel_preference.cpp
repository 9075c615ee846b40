// The user-preference record (Preference). The panel keeps no store behind
// it: the record only carries values that a later read of the print settings
// takes once, and every field is unset (-1) whenever nothing set it.
#include "VemraPrintPdeLX4200CO.h"

void VemraPrintPdeLX4200CO::CheckPreference() {}

void VemraPrintPdeLX4200CO::GetUserPreference() {
  std::int16_t* const fields[] = {
      &preference.saveSettings,     &preference.colorSync,         &preference.colorMode,
      &preference.printMode,        &preference.imageType,         &preference.neutralGray,
      &preference.pureBlackPrint,   &preference.blackOverprint,    &preference.tonerSave,
      &preference.smoothing,        &preference.sourceProfile,     &preference.renderingIntent,
      &preference.outputProfile,    &preference.cmykoutputProfile, &preference.screening,
      &preference.cmykSimulation,   &preference.preservpurecolor,  &preference.simulationProfile,
      &preference.trapping,         &preference.sharpness,         &preference.renderingIntent2,
      &preference.screening2,       &preference.colorAdjustment,   &preference.hue,
      &preference.saturation,       &preference.brightness,        &preference.tint,
  };
  static_assert(sizeof(fields) / sizeof(fields[0]) * sizeof(std::int16_t) == sizeof(PDEUserPreference),
                "every field of the preference record is reset");
  for (std::int16_t* field : fields) *field = -1;
}

bool VemraPrintPdeLX4200CO::SaveUserPreference() { return false; }
