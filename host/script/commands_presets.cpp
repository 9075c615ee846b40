// Named presets of the print settings: `presets` lists them, `use-preset
// NAME` restores one into the panel through its own restore (as --settings
// does at start), `save-preset [--replace] NAME` keeps the panel's choices
// under a name and `delete-preset NAME` drops one. NAME is the rest of the
// line. "Default Settings" (the queue's defaults) and "Last Used Settings"
// (what the queue last printed with from here) are built in.
#include "script/action_lines.h"
#include "script/command_table.h"

namespace pdehost {
namespace {

CommandOutcome presets(HostSession& session, const std::vector<std::string>&) {
  return presetsLine(listPresets(session));
}

CommandOutcome usePresetCommand(HostSession& session, const std::vector<std::string>& args) {
  return usePresetLine(usePreset(session, args[0]), args[0]);
}

CommandOutcome savePresetCommand(HostSession& session, const std::vector<std::string>& args) {
  std::string name = args[0];
  bool replace = false;
  if (name.rfind("--replace ", 0) == 0) {
    replace = true;
    name = restAfterFirstWord(name);
  }
  return savePresetLine(savePreset(session, name, replace), name, replace);
}

CommandOutcome deletePresetCommand(HostSession& session, const std::vector<std::string>& args) {
  return deletePresetLine(deletePreset(session, args[0]), args[0]);
}

}  // namespace

void addPresetCommands(CommandTable& table) {
  table.add({"presets", "", 0, 0, presets});
  table.add({"use-preset", "NAME", 1, 1, usePresetCommand, true});
  table.add({"save-preset", "[--replace] NAME", 1, 1, savePresetCommand, true});
  table.add({"delete-preset", "NAME", 1, 1, deletePresetCommand, true});
}

}  // namespace pdehost
