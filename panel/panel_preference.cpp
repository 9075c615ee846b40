// The user-preference record (Preference).
// NOT BUILT YET: the bodies are empty until the preference operations are
// written; creation and shouldPrint already call them.
#include "VemraPrintPdeLX4200CO.h"

void VemraPrintPdeLX4200CO::CheckPreference() {}

void VemraPrintPdeLX4200CO::GetUserPreference() {}

bool VemraPrintPdeLX4200CO::SaveUserPreference() { return false; }
