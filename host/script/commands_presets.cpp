// Named presets of the print settings: `presets` lists them, `use-preset
// NAME` restores one into the panel through its own restore (as --settings
// does at start), `save-preset [--replace] NAME` keeps the panel's choices
// under a name and `delete-preset NAME` drops one. NAME is the rest of the
// line. "Default Settings" (the queue's defaults) and "Last Used Settings"
// (what the queue last printed with from here) are built in.
#include "cups/print_job.h"
#include "script/command_table.h"
#include "session/host_session.h"
#include "store/preset_store.h"

namespace pdehost {
namespace {

using nlohmann::json;

PresetStore storeOf(const HostSession& session) {
  return PresetStore(PresetStore::defaultRoot(), session.ppd() != nullptr ? session.ppd()->modelName() : "");
}

// Presets live under the person's configuration folder; without HOME or
// XDG_CONFIG_HOME there is none.
std::optional<CommandOutcome> noStore() {
  if (!PresetStore::defaultRoot().empty()) return std::nullopt;
  return CommandOutcome::failure("no folder for presets: neither XDG_CONFIG_HOME nor HOME is set");
}

CommandOutcome presets(HostSession& session, const std::vector<std::string>&) {
  if (auto refused = noStore()) return *refused;
  const PresetStore store = storeOf(session);
  json named = json::array({{{"name", kDefaultSettingsPreset}, {"builtIn", true}}});
  std::string ignored;
  const std::optional<std::string>& queue = session.printer().queue;
  const bool printedBefore = queue && store.loadLastUsed(*queue, &ignored) != nullptr;
  named.push_back({{"name", kLastUsedSettingsPreset}, {"builtIn", true}, {"available", printedBefore}});
  json unusable = json::array();
  for (const PresetEntry& entry : store.list()) {
    if (entry.problem) {
      unusable.push_back({{"file", entry.file.string()}, {"problem", *entry.problem}});
    } else {
      named.push_back({{"name", entry.name}});
    }
  }
  return CommandOutcome::result({{"folder", store.folder().string()}, {"presets", named}, {"unusable", unusable}});
}

CommandOutcome usePreset(HostSession& session, const std::vector<std::string>& args) {
  if (session.settings() == nullptr) return CommandOutcome::failure("the host has no print settings (--no-settings)");
  const std::string& name = args[0];
  std::string error;
  std::unique_ptr<JsonPrintSettings> preset;
  if (name == kDefaultSettingsPreset) {
    preset = std::make_unique<JsonPrintSettings>();
    for (const auto& [option, choice] : session.queueDefaults()) preset->setValue(option, choice, false);
  } else if (name == kLastUsedSettingsPreset) {
    const std::optional<std::string>& queue = session.printer().queue;
    if (queue) preset = storeOf(session).loadLastUsed(*queue, &error);
    if (!preset)
      return CommandOutcome::failure(error.empty() ? "nothing was printed to " + queue.value_or("this printer") +
                                                         " from here yet"
                                                   : error);
  } else {
    if (auto refused = noStore()) return *refused;
    preset = storeOf(session).load(name, &error);
    if (!preset) return CommandOutcome::failure(error);
  }
  session.settings()->assign(*preset);
  // The description's marks follow the settings, so the panel's questions
  // about conflicts are answered against them.
  if (session.ppd() != nullptr) {
    if (auto options = jobOptionsFromSettings(*session.settings(), nullptr))
      markJobOptions(session.ppd()->file(), *options);
  }
  const bool restored = session.panel().restoreValuesAndReturnError(&error);
  CommandOutcome outcome = CommandOutcome::result(restored);
  outcome.line["preset"] = name;
  outcome.line["error"] = error.empty() ? json(nullptr) : json(error);
  return outcome;
}

CommandOutcome savePreset(HostSession& session, const std::vector<std::string>& args) {
  if (auto refused = noStore()) return *refused;
  if (session.settings() == nullptr) return CommandOutcome::failure("the host has no print settings (--no-settings)");
  std::string name = args[0];
  bool replace = false;
  if (name.rfind("--replace ", 0) == 0) {
    replace = true;
    name = restAfterFirstWord(name);
  }
  std::string error;
  session.panel().saveValuesAndReturnError(&error);  // the panel's choices into the settings first
  PresetStore store = storeOf(session);
  if (!store.save(name, *session.settings(), replace, &error)) return CommandOutcome::failure(error);
  return CommandOutcome::result({{"preset", name}, {"replaced", replace}, {"folder", store.folder().string()}});
}

CommandOutcome deletePreset(HostSession& session, const std::vector<std::string>& args) {
  if (auto refused = noStore()) return *refused;
  const std::string& name = args[0];
  if (name == kDefaultSettingsPreset || name == kLastUsedSettingsPreset)
    return CommandOutcome::failure("\"" + name + "\" is built in and cannot be deleted");
  std::string error;
  PresetStore store = storeOf(session);
  if (!store.remove(name, &error)) return CommandOutcome::failure(error);
  return CommandOutcome::result({{"preset", name}, {"deleted", true}});
}

}  // namespace

void addPresetCommands(CommandTable& table) {
  table.add({"presets", "", 0, 0, presets});
  table.add({"use-preset", "NAME", 1, 1, usePreset, true});
  table.add({"save-preset", "[--replace] NAME", 1, 1, savePreset, true});
  table.add({"delete-preset", "NAME", 1, 1, deletePreset, true});
}

}  // namespace pdehost
