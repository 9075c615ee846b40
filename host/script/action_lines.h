// The actions' results and failures as the script's JSON lines: the lines a
// script reads after print, save-defaults and the preset commands, and that
// the window logs when a person does the same.
#pragma once

#include <string>

#include "actions/defaults_action.h"
#include "actions/preset_actions.h"
#include "actions/print_action.h"
#include "actions/printer_description.h"
#include "script/command_table.h"

namespace pdehost {

// A failed action: an error line in English, and the run ends with a failure status.
CommandOutcome failedLine(const Failure& failure);

CommandOutcome printLine(const Result<PrintReceipt, PrintRefusal>& printed, const PrintRequest& request);
CommandOutcome saveDefaultsLine(const Result<SavedDefaults>& saved);
CommandOutcome printerLine(const PrinterDescription& description);
CommandOutcome presetsLine(const Result<PresetListing>& listing);
CommandOutcome usePresetLine(const Result<PresetRestored>& used, const std::string& name);
CommandOutcome savePresetLine(const Result<SavedPreset>& saved, const std::string& name, bool replace);
CommandOutcome deletePresetLine(const Result<Done>& deleted, const std::string& name);

}  // namespace pdehost
