// The user-preference record (Preference). The panel keeps no store behind
// it: the record only carries values that a later read of the print settings
// takes once, and every field is unset (-1) whenever nothing set it.
#include "VemraPrintPdeLX4200CO.h"
#include "preference_fields.h"

void VemraPrintPdeLX4200CO::CheckPreference() {}

void VemraPrintPdeLX4200CO::GetUserPreference() {
  for (const PreferenceField& each : kPreferenceFields) preference.*each.field = -1;
}

bool VemraPrintPdeLX4200CO::SaveUserPreference() { return false; }
